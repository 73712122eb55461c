// Column identifiers: the grammar, its errors, and the picture, factor and
// flags of every property of the table.
#include "q1o/column_id.h"

#include "numeric/units.h"
#include "support/vurn_test.h"

namespace {

class ColumnIdTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    ColumnId_reset();
  }
  static ErrorHalt haltOf(const std::function<void()>& work) {
    try {
      work();
    } catch (const ErrorHalt& halt) {
      return halt;
    }
    ADD_FAILURE() << "nothing was reported";
    return ErrorHalt("", "");
  }
};

TEST_F(ColumnIdTest, ParsesPropertyMethodAndUnits) {
  struct Case {
    const char* id;
    const char* property;
    const char* method;
    const char* units;
    const char* propertyMethod;
  };
  for (const Case& c : {
           Case{"Depth_ft", "Depth", "", "ft", "Depth"}, Case{"Vs1_tvk_fps", "Vs1", "tvk", "fps", "Vs1_tvk"},
           Case{"IC_tvk", "IC", "tvk", "", "IC_tvk"}, Case{"Fr_%", "Fr", "", "%", "Fr"},
           Case{"Su1_Nk=17", "Su1", "Nk=17", "", "Su1_Nk=17"}, Case{"Qc_tvk_MPa", "Qc", "tvk", "MPa", "Qc_tvk"},
           Case{"Vs_x_ft/sec", "Vs", "x", "ft/sec", "Vs_x"},
           Case{"Qc_ATM_atm", "Qc", "", "ATM", "Qc"},  // a unit word in the method place is the unit
           Case{"Qc_tsf", "Qc", "", "tsf", "Qc"},         // tsf is a unit, not a method
           Case{"fs_tvk_TSF", "fs", "tvk", "TSF", "fs_tvk"},
       }) {
    ColumnId_parse(c.id);
    EXPECT_EQ(gColumnId.fullId, c.id);
    EXPECT_EQ(gColumnId.property, c.property) << c.id;
    EXPECT_EQ(gColumnId.method, c.method) << c.id;
    EXPECT_EQ(gColumnId.units, c.units) << c.id;
    EXPECT_EQ(gColumnId.propertyMethod, c.propertyMethod) << c.id;
  }
}

TEST_F(ColumnIdTest, BadIdentifiersAreReported) {
  struct Case { const char* id; const char* identifier; std::string description; };
  for (const Case& c : {
           Case{"ft_x", "EZ349", "units found at start of ft_x"},
           Case{"S1_tvk_xyz", "EZ441", "zzz in xxx_yyy_zzz is not an engineering unit ---> S1_tvk_xyz"},
           Case{"S1_tvk_ ft", "EZ441", "zzz in xxx_yyy_zzz is not an engineering unit ---> S1_tvk_ ft"},
           Case{"a_b_c_d", "EZ441", "There can not be uuu_xxx_yyy_zzz in a_b_c_d"},
           Case{"IC", "EZ312", "there needs to be a method in IC"},
           Case{"Depth_", "EZ312", "there needs to be a method in Depth_"},
       }) {
    const ErrorHalt halt = haltOf([&] { ColumnId_parse(c.id); });
    EXPECT_EQ(halt.identifier, c.identifier) << c.id;
    EXPECT_EQ(halt.description, c.description) << c.id;
  }
}

struct DefaultsCase {
  const char* id;
  const char* picture;
  const char* factorName;  // "" for a factor of 1
  const char* baseUnit;
  bool basic;
};

void expectDefaults(const DefaultsCase& c) {
  ColumnId_parse(c.id);
  ColumnDefaults_set();
  EXPECT_EQ(gColumnDefaults.picture, c.picture) << c.id;
  const float factor = *c.factorName == '\0' ? 1.0f : UnitFactor_get(c.factorName);
  EXPECT_EQ(gColumnDefaults.factor, factor) << c.id;
  EXPECT_EQ(gColumnDefaults.baseUnit, c.baseUnit) << c.id;
  EXPECT_TRUE(gColumnDefaults.propertyKnown) << c.id;
  EXPECT_EQ(gColumnDefaults.basicProperty, c.basic) << c.id;
  if (c.basic) {
    EXPECT_EQ(gColumnId.method, "Basic") << c.id;
  }
}

TEST_F(ColumnIdTest, EveryPropertyOfTheTable) {
  const std::vector<DefaultsCase> cases = {
      {"Depth_ft", "###.##", "", "FT", true},           {"depth_x_m", "###.###", "M/FT", "FT", true},
      {"Qc_ATM", "###.###", "", "ATM", true},           {"Qc_atm", "###.###", "", "ATM", true},
      {"QC1_x_mpa", "##.####", "MPA/ATM", "ATM", true}, {"Qt_kpa", "#####.#", "KPA/ATM", "ATM", true},
      {"Qc_tsf", "###.###", "TSF/ATM", "ATM", true},    {"Fs_tvk_TSF", "##.###", "TSF/ATM", "ATM", true},
      {"U2_tsf", "##.###", "TSF/ATM", "ATM", true},     {"Fs_atm", "##.###", "", "ATM", true},
      {"Fs1_x_MPA", "#.####", "MPA/ATM", "ATM", true},  {"Fs_kpa", "####.#", "KPA/ATM", "ATM", true},
      {"Fr_%", "#.###", "", "%", true},                 {"Rf_x_psi", "#.###", "", "%", true},
      {"U2_atm", "##.###", "", "ATM", true},            {"U2_mpa", "#.####", "MPA/ATM", "ATM", true},
      {"U2_kpa", "####.#", "KPA/ATM", "ATM", true},     {"U2_hwft", "###.#", "HWATERFEET/ATM", "ATM", true},
      {"Ves_atm", "##.###", "", "ATM", false},          {"Ves_x_kpa", "####.#", "KPA/ATM", "ATM", false},
      {"cQc_tvk", "##.###", "", "ALL", false},          {"cQc1_tvk", "##.###", "", "ALL", false},
      {"IC_tvk", "##.###", "", "ALL", false},           {"N_tvk", "###.#", "", "BPF", false},
      {"N1_tvk_ft", "###.#", "", "BPF", false},         {"Vs_tvk_ft/sec", "#####", "", "FPS", false},
      {"Vs1_tvk_fps", "#####", "", "FPS", false},       {"Vs1_tvk_mps", "####", "M/FT", "FPS", false},
      {"Vs1_tvk_M/SEC", "####", "M/FT", "FPS", false},  {"CRR_tvk", "##.###", "", "1", false},
      {"CRRe_tvk", "##.###", "", "1", false},           {"CRL_tvk", "##.###", "", "1", false},
      {"CSR_tvk", "##.###", "", "1", false},            {"S1_tvk", "##.###", "", "1", false},
      {"Su1_tvk", "##.###", "", "1", false},            {"SuFv1_tvk", "##.###", "", "1", false},
      {"SuEs1_tvk", "##.###", "", "1", false},          {"SuE1_tvk", "##.###", "", "1", false},
      {"S_tvk_atm", "##.###", "ATM/PSF", "PSF", false}, {"Su_tvk_psf", "######", "", "PSF", false},
      {"SuFv_tvk_mpa", "##.####", "MPA/PSF", "PSF", false}, {"SuE_tvk_kpa", "#####.#", "KPA/PSF", "PSF", false},
      {"SuEs_tvk", "######", "", "PSF", false},         {"UWT_tvk_pcf", "###.#", "", "PCF", false},
      {"UWT1_tvk_w1", "#.###", "WATER1/PCF", "PCF", false}, {"P200s_tvk", "###.#", "", "1", false},
      {"P200s1_tvk", "###.#", "", "1", false},          {"CC1E1_tvk", "#.######", "", "1", false},
      {"CC1E_tvk", "#.######", "", "1", false},         {"OCR_tvk", "##.###", "", "1", false},
      {"E50P1_tvk", "#######", "", "1", false},
      // Properties offered as columns: inclinations in degrees, shown as read
      // whatever the unit word; total stress like effective stress; qt1 like
      // qc1; the fines chart's P200 names like P200S.
      {"InclX_deg", "###.##", "", "DEG", true},         {"incly_x_ft", "###.##", "", "DEG", true},
      {"InclY_%", "###.##", "", "DEG", true},           {"VTS_atm", "##.###", "", "ATM", false},
      {"Vts_x_kpa", "####.#", "KPA/ATM", "ATM", false}, {"QT1_atm", "###.###", "", "ATM", true},
      {"Qt1_x_kpa", "#####.#", "KPA/ATM", "ATM", true}, {"P200_tvk", "###.#", "", "1", false},
      {"P2001_tvk", "###.#", "", "1", false},
      {" qc _atm", "###.###", "", "ATM", true},  // the property is trimmed for the table
      // No unit word takes the base unit entry: a chart axis such as Qc1_tvk, or
      // a column after one in metres, gets the base unit's picture and factor,
      // not the previous identifier's.
      {"Depth_m", "###.###", "M/FT", "FT", true},       {"Qc1_tvk", "###.###", "", "ATM", true},
      {"Vs1_tvk_mps", "####", "M/FT", "FPS", false},    {"Vs_tvk", "#####", "", "FPS", false},
      {"UWT1_tvk", "###.#", "", "PCF", false},
  };
  for (const auto& c : cases) expectDefaults(c);
}

TEST_F(ColumnIdTest, UnitWordNotShownForThePropertyIsReported) {
  struct Case { const char* id; const char* accepted; };
  for (const Case& c : {Case{"Depth_feet", "FT, M"}, Case{"Vs1_tvk_psf", "FPS, FT/SEC, MPS, M/SEC"},
                        Case{"UWT_tvk_atm", "PCF, W1"}, Case{"Qc_psi", "ATM, TSF, MPA, KPA"}}) {
    ColumnId_parse(c.id);
    const ErrorHalt halt = haltOf([] { ColumnDefaults_set(); });
    EXPECT_EQ(halt.identifier, "EZ518") << c.id;
    EXPECT_NE(halt.description.find(c.id), std::string::npos) << halt.description;
    EXPECT_NE(halt.description.find(c.accepted), std::string::npos) << halt.description;
  }
}

TEST_F(ColumnIdTest, UnknownPropertyClearsThePreviousDefaults) {
  expectDefaults({"Depth_m", "###.###", "M/FT", "FT", true});
  ColumnId_parse("Perm1_tvk");
  ColumnDefaults_set();
  EXPECT_FALSE(gColumnDefaults.propertyKnown);
  EXPECT_FALSE(gColumnDefaults.basicProperty);
  EXPECT_EQ(gColumnDefaults.picture, "");
  EXPECT_EQ(gColumnDefaults.factor, 1.0f);
  EXPECT_EQ(gColumnDefaults.baseUnit, "");
  EXPECT_EQ(gColumnId.method, "tvk");

  ColumnId_reset();
  EXPECT_EQ(gColumnId.fullId, "");
  EXPECT_EQ(gColumnId.propertyMethod, "");
}

TEST_F(ColumnIdTest, PressureInFeetOfWaterFromAtmospheres) {
  // 1 atm = 2116.22 psf, and a foot of water weighs 62.4 psf: 33.914 ft per atm
  // (the familiar "about 34 feet of water per atmosphere").
  for (const char* id : {"U2_hwft", "VES_x_HWFT", "VTS_hwft"}) {
    ColumnId_parse(id);
    ColumnDefaults_set();
    EXPECT_EQ(gColumnDefaults.picture, "###.#") << id;
    EXPECT_EQ(gColumnDefaults.factor, static_cast<float>(2116.22 / 62.4)) << id;  // 33.9138
  }
}

}  // namespace
