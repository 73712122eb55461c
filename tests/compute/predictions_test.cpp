// Property predictions: the chart sweep and its limits, the chart-direction line, column values by method, and which
// columns validation accepts or refuses. Flattened charts (lines at qc1 10 and 1000) read (lo + hi) / 2 at qc1 = 100.
#include "compute/predictions.h"

#include <cmath>
#include <tuple>
#include <utility>

#include "compute/stress.h"
#include "core/depth_values.h"
#include "core/run_state.h"
#include "project/sounding_db.h"
#include "q1o/column_id.h"
#include "sld/chart_table.h"
#include "support/test_charts.h"
#include "support/vurn_test.h"

namespace {

constexpr float kMissing = -5435.0f;
constexpr double kPsfPerAtm = 2116.22;

class PredictionsTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    openLog();
    loadBuiltInCharts();
    gDepth.fr = 1.0f;
    gDepth.qc1 = 100.0f;
    gDepth.ves = 1.5f;
    gDepth.c = 0.8f;
  }

  static std::int16_t slotOf(RequiredChart chart) { return RequiredChartIndex[static_cast<std::size_t>(chart)]; }

  // A chart of two horizontal lines, qc1 = 10 at value - 1 and qc1 = 1000 at value + 1: `value` at qc1 = 100.
  static void flatAt(std::int16_t slot, float value) {
    SetFlatLines(SLD8a[static_cast<std::size_t>(slot)], {{value - 1.0f, 10.0f}, {value + 1.0f, 1000.0f}});
  }

  // A copy of a loaded chart with its own property and method.
  static std::int16_t addChart(std::int16_t from, const std::string& property, const std::string& method) {
    const std::int16_t slot = static_cast<std::int16_t>(SldChartCount + 1);
    SLD8a[static_cast<std::size_t>(slot)] = SLD8a[static_cast<std::size_t>(from)];
    SLD8a[static_cast<std::size_t>(slot)].Property_ID_8str = property;
    SLD8a[static_cast<std::size_t>(slot)].Property_Method_8str = method;
    SldChartCount = slot;
    return slot;
  }

  static ColumnDef columnOf(const std::string& id) {
    ColumnDef column;
    column.id = id;
    return column;
  }
  static float valueOf(const std::string& id) { return ColumnValue(columnOf(id)); }

  static void useColumns(const std::vector<std::string>& ids) {
    gColumns = ColumnSet{};
    for (const std::string& id : ids) gColumns.columns.push_back(columnOf(id));
    Columns_prepare();
  }
};

struct SweepCase { RequiredChart chart; float ChartPredictions::*prediction; float inside, aboveHigh, belowLow; };

const SweepCase kSweepCases[] = {
    {kChartUWT1, &ChartPredictions::uwt1Value, 110.0f, 125.6f, 62.5f},
    {kChartIC, &ChartPredictions::icValue, 2.5f, 10.2f, -1.2f},
    {kChartCRRE, &ChartPredictions::crreValue, 0.3f, 0.62f, 0.04f},
    {kChartVS1, &ChartPredictions::vs1Value, 600.0f, 9100.0f, 85.0f},
    {kChartS1, &ChartPredictions::s1Value, 0.5f, 10.5f, 0.04f},
    {kChartN1, &ChartPredictions::n1Value, 20.0f, 141.0f, 0.9f},
};

class ChartSweepTest : public PredictionsTest {
 protected:
  void SetUp() override {
    PredictionsTest::SetUp();
    // "WT" stress method, no layer (the depth is the previous depth).
    for (const auto& [key, value] : {std::pair{"UWT_METHOD", "WT"}, {"WATERTABLE_DEPTH_FEET", "10"},
                                     {"UWT_ABOVE_WT_PCF", "120"}, {"UWT_BELOW_WT_PCF", "125"}}) {
      AccessSoundingField("ASSIGN_DB", key, value);
    }
    StressSounding_begin();
    gDepth.depth = 5.0f;
    gDepth.previousDepth = 5.0f;
    gDepth.vesSumPsf = 600.0f;
  }
};

TEST_F(ChartSweepTest, PredictionsOutsideTheirLimitsAreMissing) {
  // Each chart in turn reads above, then below its limits; the others stay inside and are kept.
  for (const SweepCase& outside : kSweepCases) {
    for (float value : {outside.aboveHigh, outside.belowLow}) {
      for (const SweepCase& c : kSweepCases) flatAt(slotOf(c.chart), c.inside);
      flatAt(slotOf(outside.chart), value);
      Charts_sweep(1.0f, 100.0f, false);
      for (const SweepCase& c : kSweepCases) {
        if (c.chart == outside.chart) {
          EXPECT_EQ(gPredictions.*c.prediction, kMissing) << "chart " << c.chart << " at " << value;
        } else {
          EXPECT_NEAR(gPredictions.*c.prediction, c.inside, 1e-4f * std::fabs(c.inside));
        }
      }
    }
  }
}

TEST_F(ChartSweepTest, UnitWeightIsDecidedAgainAfterTheUnitWeightChart) {
  // Chart method: the depth's second decision reads the unit weight chart at its fr and qc1.
  AccessSoundingField("ASSIGN_DB", "UWT_METHOD", "SLD");
  flatAt(slotOf(kChartUWT1), 110.0f);
  gDepth.unitWeight = kMissing;
  Charts_sweep(1.0f, 100.0f, false);
  EXPECT_NEAR(gDepth.unitWeight, 110.0f, 0.01f);
  EXPECT_FLOAT_EQ(gDepth.vesSumPsf, 600.0f) << "no layer: the sum stays";
}

// (What the line holds, the S1 chart read both ways, is held by the example's checksum over 5720 such lines.)
TEST_F(ChartSweepTest, DirectionLineOnlyWhenAskedAndForTheStrengthChart) {
  ASSERT_TRUE(gRun.chartDirectionFile.open("C:\\Vurn\\direction.csv"));
  Charts_sweep(1.5f, 50.0f, true);
  Charts_sweep(2.0f, 60.0f, false);
  gRun.chartDirectionFile.close();
  const std::string text = readHostFile(dataArea() / "direction.csv");
  EXPECT_EQ(text.rfind(" 1.5000,   50.000,", 0), 0u) << text;
  EXPECT_EQ(text.find("\r\n"), text.size() - 2) << "one line: " << text;
}

TEST_F(PredictionsTest, ColumnsAreConvertedToTheirProperty) {
  const std::pair<RequiredChart, float> flats[] = {{kChartVS1, 600.0f}, {kChartS1, 0.5f},   {kChartN1, 20.0f},
                                                   {kChartUWT1, 110.0f}, {kChartIC, 2.5f}, {kChartCRRE, 0.3f},
                                                   {kChartP200S1, 35.0f}};
  for (const auto& [chart, value] : flats) flatAt(slotOf(chart), value);
  addChart(slotOf(kChartN1), "N1", "C");
  addChart(slotOf(kChartN1), "N1", "0.5");

  // qc1 / Nk is the normalised strength, as the strength chart gives it; a strength takes it times the stress.
  // CRR by formula at qc1 100, fr 1, worked by hand in double precision: UCB ic = sqrt(1.47^2 + 1.22^2) = 1.91031,
  // fc = 80 ic - 137 = 15.8251, delta = 18.7493 x e^(1.63 - 9.7 / 17.8251 - (15.7 / 17.8251)^2) = 25.5646,
  // crr = e^-1.68888 = 0.18473; UCD S = 10^1.045 + 2.951 - 0.848 ln 7.5 - 0.002 ln 100 - 20.923 + 0.1632 = -8.43490,
  // crr = e^(S / 7.177) = 0.30874.
  struct Case { const char* id; double expected; };
  for (const Case& c : {
           Case{"Vs1_tvk_fps", 600.0}, Case{"Vs_tvk_fps", 600.0 * std::sqrt(std::sqrt(1.5))},  // 664.01
           Case{"S1_tvk", 0.5}, Case{"S_tvk_psf", 0.5 * 1.5 * kPsfPerAtm},  // 0.75 atm = 1587.2 psf
           Case{"N1_tvk", 20.0}, Case{"N_C", 20.0 * std::exp(0.8 * std::log(1.5))},  // 27.66
           Case{"N_0.5", 20.0 * std::sqrt(1.5)},                                    // 24.49
           Case{"UWT1_tvk_pcf", 110.0}, Case{"Ic_tvk", 2.5}, Case{"CRRe_tvk", 0.3},
           Case{"p200s1_tvk", 35.0}, Case{"P200s_tvk", 35.0},
           Case{"Su1_NK=15", 100.0 / 15}, Case{"S1_NK=20", 5.0}, Case{"Su_NK=15_psf", 100.0 / 15 * 1.5 * kPsfPerAtm},
           Case{"S_NK=20", 5.0 * 1.5 * kPsfPerAtm}, Case{"SuFV_NK=15", 100.0 / 15 * 1.5 * kPsfPerAtm},
           Case{"CRRe_UCB", 0.18473}, Case{"CRR_UCB", 0.18473}, Case{"CRRe_UCD", 0.30874},
       }) {
    EXPECT_NEAR(valueOf(c.id), c.expected, 1e-4 * c.expected) << c.id;
  }
}

TEST_F(PredictionsTest, MissingStaysMissing) {
  flatAt(slotOf(kChartVS1), 600.0f);
  flatAt(slotOf(kChartS1), 0.5f);
  addChart(slotOf(kChartN1), "N1", "C");
  // qc1 / Nk needs no fr nor chart; the CRR formulas no stress; the exponent is N's only.
  struct Case { const char* what; float fr, qc1, ves, c; std::vector<const char*> missing; };
  for (const Case& d : {
           Case{"point outside the chart", 20.0f, 100.0f, 1.5f, 0.8f, {"Vs_tvk_fps", "S_tvk_psf", "N_C"}},
           Case{"missing fr", kMissing, 100.0f, 1.5f, 0.8f, {"Vs_tvk_fps", "S_tvk_psf", "N_C", "CRRe_UCB", "CRRe_UCD"}},
           Case{"missing qc1", 1.0f, kMissing, 1.5f, 0.8f,
                {"Vs_tvk_fps", "S_tvk_psf", "N_C", "Su_NK=15_psf", "CRRe_UCB", "CRRe_UCD"}},
           Case{"missing ves", 1.0f, 100.0f, kMissing, 0.8f, {"Vs_tvk_fps", "S_tvk_psf", "N_C", "Su_NK=15_psf"}},
           Case{"missing exponent", 1.0f, 100.0f, 1.5f, kMissing, {"N_C"}},
       }) {
    std::tie(gDepth.fr, gDepth.qc1, gDepth.ves, gDepth.c) = std::tuple{d.fr, d.qc1, d.ves, d.c};
    for (const char* id : d.missing) EXPECT_EQ(valueOf(id), kMissing) << id << ", " << d.what;
  }
  EXPECT_NE(valueOf("Vs_tvk_fps"), kMissing) << "the exponent is N's only";
}

// The built-in columns, and columns an engineer's own list may hold: other units and letter cases, strength by Nk,
// and properties read from another property's chart (Vs, S).
TEST_F(PredictionsTest, ValidationAcceptsWhatCanBeComputed) {
  for (const auto& ids : {BuiltInColumns(),
                          std::vector<std::string>{"Vs_tvk_fps", "S_tvk_psf", "Su_NK=15_psf", "CRR_UCD", "CRRe_UCB",
                                                   "InclX_deg", "VTS_atm", "vs1_TVK_fps", "ic_TVK", "UWT_tvk_pcf",
                                                   "p200s_tvk", "QT1_atm"}}) {
    useColumns(ids);
    EXPECT_NO_THROW(Columns_validate());
  }
}

// A column that cannot be computed stops the run: before it (validation, V) or at its first value (C).
TEST_F(PredictionsTest, ColumnsThatCannotBeComputedAreRefusedOrReported) {
  addChart(slotOf(kChartCRRE), "CRR", "tvk");
  addChart(slotOf(kChartS1), "SuE1", "tvk");
  const std::int16_t noValue = addChart(slotOf(kChartVS1), "Vs1", "xyz");
  SLD8a[static_cast<std::size_t>(noValue)].LookupMethod_8str = "YCX";  // computes FR, not C

  struct Case { char when; const char* id; const char* error; const char* text; };
  for (const Case& c : {
           Case{'C', "XYZ_tvk", "RT321", "bad property, not found -->XYZ"}, Case{'V', "XYZ_tvk", "RE092", ""},
           Case{'C', "N_tvk", "NCV417", "Q1o column N_tvk: N needs the method word C"},
           Case{'C', "N_c", "NCV417", "not c"},  // the method word is taken as written
           Case{'C', "CRR_tvk", "CRR418", "Q1o column CRR_tvk: CRR is not read from a chart"},
           Case{'C', "SuE_tvk", "ER111", "bad property"},
           Case{'C', "Vs1_xyz_fps", "ERD092", "no calculation for Vs1_xyz_fps"},
           Case{'V', "Vs1_abc_fps", "MU334", ""},  // the chart is there, not with this method
           Case{'C', "Perm_tvk", "MU334", "Column ID=Perm1 and column method=tvk  "},
           // Lower-case "Nk" and "ucb" are chart methods: no Su1 chart of method Nk=15, no CRRe chart of method ucb.
           Case{'C', "Su_Nk=15", "MU334", "Column ID=Su1 and column method=Nk=15"},
           Case{'C', "CRRe_ucb", "MU334", "best possible SLD column= CRRe >>> best possible SLD method= tvk"},
           Case{'V', "Su_tvk_psf", "RE092", "Su is not a basic property (e.g. depth) nor from a SLD file"},
           Case{'V', "cQc1_tvk", "RE092", ""},  // a loaded chart, but no value rule reads it
           Case{'V', "Su_NK15", "NK123", ""}, Case{'V', "Su_NK=0", "NK911", ""}, Case{'V', "Su_NK=-3", "NK911", ""},
       }) {
    if (std::string(c.id) == "N_c") addChart(slotOf(kChartN1), "N1", "c");
    if (c.when == 'V') useColumns({"Depth_ft", c.id});
    gRun.errorReported = false;
    const ErrorHalt halt = HaltOf([&] { c.when == 'V' ? Columns_validate() : static_cast<void>(valueOf(c.id)); });
    EXPECT_EQ(halt.identifier, c.error) << c.id;
    EXPECT_NE(halt.description.find(c.text), std::string::npos) << c.id << ": " << halt.description;
  }
}

}  // namespace
