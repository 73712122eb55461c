// Column identifiers: the grammar, its errors, and the rules of the property
// table (unit words, base units, factors against the units' definitions).
#include "q1o/column_id.h"

#include "support/vurn_test.h"

namespace {

class ColumnIdTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    ColumnId_reset();
  }
};

TEST_F(ColumnIdTest, ParsesPropertyMethodAndUnitsOrReportsTheFault) {
  const struct { const char* id; const char* parts; } cases[] = {  // property|method|units|property_method
      {"Depth_ft", "Depth||ft|Depth"}, {"Vs1_tvk_fps", "Vs1|tvk|fps|Vs1_tvk"}, {"IC_tvk", "IC|tvk||IC_tvk"},
      {"Fr_%", "Fr||%|Fr"}, {"Su1_Nk=17", "Su1|Nk=17||Su1_Nk=17"}, {"Vs_x_ft/sec", "Vs|x|ft/sec|Vs_x"},
      {"Qc_ATM_atm", "Qc||ATM|Qc"},  // a unit word in the method place is the unit
      {"Qc_tsf", "Qc||tsf|Qc"},      // tsf is a unit, not a method
  };
  for (const auto& c : cases) {
    ColumnId_parse(c.id);
    const ColumnId& id = gColumnId;
    EXPECT_EQ(id.fullId, c.id);
    EXPECT_EQ(id.property + "|" + id.method + "|" + id.units + "|" + id.propertyMethod, c.parts) << c.id;
  }
  const struct { const char* id; const char* identifier; std::string description; } bad[] = {
      {"ft_x", "EZ349", "units found at start of ft_x"},
      {"S1_tvk_xyz", "EZ441", "zzz in xxx_yyy_zzz is not an engineering unit ---> S1_tvk_xyz"},
      {"S1_tvk_ ft", "EZ441", "zzz in xxx_yyy_zzz is not an engineering unit ---> S1_tvk_ ft"},
      {"a_b_c_d", "EZ441", "There can not be uuu_xxx_yyy_zzz in a_b_c_d"},
      {"IC", "EZ312", "there needs to be a method in IC"}, {"Depth_", "EZ312", "there needs to be a method in Depth_"},
  };
  for (const auto& c : bad) {
    const ErrorHalt halt = HaltOf([&] { ColumnId_parse(c.id); });
    EXPECT_EQ(halt.identifier + " " + halt.description, std::string(c.identifier) + " " + c.description) << c.id;
  }
}

// Values are kept in the base unit (ft, atm, psf, pcf, ft/s) and multiplied by
// the factor for the column's unit: checked here against 1 ft = 0.3048 m,
// 1 atm = 101325 Pa, 1 psf = 47.880259 Pa, 1 tsf = 0.95 atm, water 62.4 pcf.
// Without a unit word a column takes its base unit, not the previous column's.
TEST_F(ColumnIdTest, PicturesBaseUnitsAndFactors) {
  constexpr double Atm = 101325.0, Psf = 47.880259, Foot = 0.3048;
  const struct { const char* id; const char* picture; double factor; const char* baseUnit; bool basic; } cases[] = {
      {"Depth_ft", "###.##", 1, "FT", true}, {"depth_x_m", "###.###", Foot, "FT", true},
      {"Qc_tsf", "###.###", 1 / 0.95, "ATM", true}, {"QC1_x_mpa", "##.####", Atm / 1e6, "ATM", true},
      {"Qt_kpa", "#####.#", Atm / 1e3, "ATM", true}, {"Fs1_x_MPA", "#.####", Atm / 1e6, "ATM", true},
      {"Rf_x_psi", "#.###", 1, "%", true}, {"U2_hwft", "###.#", Atm / Psf / 62.4, "ATM", true},
      {"Ves_x_kpa", "####.#", Atm / 1e3, "ATM", false}, {"VTS_hwft", "###.#", Atm / Psf / 62.4, "ATM", false},
      {"IC_tvk", "##.###", 1, "ALL", false}, {"N1_tvk_ft", "###.#", 1, "BPF", false},
      {"Vs1_tvk_M/SEC", "####", Foot, "FPS", false}, {"CRR_tvk", "##.###", 1, "1", false},
      {"S_tvk_atm", "##.###", Psf / Atm, "PSF", false}, {"SuE_tvk_kpa", "#####.#", Psf / 1e3, "PSF", false},
      {"UWT1_tvk_w1", "#.###", 1 / 62.4, "PCF", false}, {"InclY_%", "###.##", 1, "DEG", true},
      {" qc _atm", "###.###", 1, "ATM", true},  // the property is trimmed for the table
      {"Depth_m", "###.###", Foot, "FT", true}, {"Qc1_tvk", "###.###", 1, "ATM", true},
      {"Vs1_tvk_mps", "####", Foot, "FPS", false}, {"Vs_tvk", "#####", 1, "FPS", false},
  };
  for (const auto& c : cases) {
    ColumnId_parse(c.id);
    ColumnDefaults_set();
    const ColumnDefaults& d = gColumnDefaults;
    EXPECT_EQ(d.picture + " " + d.baseUnit, std::string(c.picture) + " " + c.baseUnit) << c.id;
    EXPECT_NEAR(d.factor / c.factor, 1.0, 3e-6) << c.id;
    EXPECT_TRUE(d.propertyKnown) << c.id;
    EXPECT_TRUE(d.basicProperty == c.basic && (gColumnId.method == "Basic") == c.basic) << c.id;
  }
  ColumnId_parse("Perm1_tvk");  // unknown: the previous defaults are cleared
  ColumnDefaults_set();
  EXPECT_FALSE(gColumnDefaults.propertyKnown || gColumnDefaults.basicProperty);
  EXPECT_EQ(gColumnDefaults.picture + gColumnDefaults.baseUnit, "");
  EXPECT_EQ(gColumnDefaults.factor, 1.0f);
}

TEST_F(ColumnIdTest, UnitWordNotShownForThePropertyIsReported) {
  const struct { const char* id; const char* accepted; } cases[] = {
      {"Depth_feet", "FT, M"}, {"Vs1_tvk_psf", "FPS, FT/SEC, MPS, M/SEC"}, {"UWT_tvk_atm", "PCF, W1"},
      {"Qc_psi", "ATM, TSF, MPA, KPA"},
  };
  for (const auto& c : cases) {
    ColumnId_parse(c.id);
    const ErrorHalt halt = HaltOf([] { ColumnDefaults_set(); });
    EXPECT_EQ(halt.identifier, "EZ518") << c.id;
    EXPECT_NE(halt.description.find(std::string(c.id) + ", its units are " + c.accepted), std::string::npos) << halt.description;
  }
}

}  // namespace
