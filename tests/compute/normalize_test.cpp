// Stress normalization against small exponent charts with known answers (constant, two-valued, alternating), its
// limits and issues, and the per-depth sequence over crafted field data rows.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <regex>
#include <string>
#include <tuple>
#include <utility>

#include "compute/normalize.h"
#include "compute/stress.h"
#include "core/depth_values.h"
#include "core/run_state.h"
#include "fielddata/hog_reader.h"
#include "numeric/numeric_tools.h"
#include "project/sounding_db.h"
#include "q1o/columns.h"
#include "q1o/q1o_writer.h"
#include "sld/chart_table.h"
#include "support/test_charts.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

constexpr float kNull = -5435.0f;

// Makes `slot` the exponent chart, of flat lines (value, QC1).
void UseExponentChart(std::int16_t slot, std::initializer_list<std::pair<float, float>> lines) {
  UseFlatChart(slot, lines);
  RequiredChartIndex[kChartCQC1] = slot;
}

void UseConstantChart(float value) { UseExponentChart(1, {{value, 0.5f}, {value, 2000.0f}}); }

// 1.5 below QC1 14.1, 0.01 above: at qt 10, ves 0.5 (Qc1 = 10 x 2^c) the iteration never closes.
void UseAlternatingChart(std::int16_t slot) {
  UseExponentChart(slot, {{1.5f, 0.5f}, {1.5f, 14.1f}, {0.01f, 14.1f}, {0.01f, 2000.0f}});
}

// 0.3 below QC1 16, 1.2 above 18: at qt 10, ves 0.5 the low and high starts each close on their own answer.
void UseTwoAnswerChart(std::int16_t slot) {
  UseExponentChart(slot, {{0.3f, 0.5f}, {0.3f, 16.0f}, {1.2f, 18.0f}, {1.2f, 2000.0f}});
}

class NormalizeTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    openLog();
    ChartTable_reset();
  }
  static void readings(float qt, float fs) {
    DepthValues_resetDepth();
    gDepth.qt = qt;
    gDepth.fs = fs;
  }
};

TEST_F(NormalizeTest, NoReadingOrNoStressGivesMissingValuesAndANegativeStressIsAnError) {
  // No tip or sleeve reading: nothing normalised, and no chart read (none is loaded: a lookup would stop).
  for (const auto& [qt, fs] : {std::pair{0.0f, 1.0f}, {50.0f, 0.0f}, {-3.0f, 1.0f}, {50.0f, kNull}, {kNull, 1.0f}}) {
    readings(qt, fs);
    gDepth.fr = gDepth.qc1 = gDepth.fs1 = gDepth.c = 1.0f;  // what an earlier run left
    Normalize(1.5f, 0.5f);
    EXPECT_EQ(std::vector<float>({gDepth.fr, gDepth.qc1, gDepth.fs1, gDepth.c}), std::vector<float>(4, kNull)) << qt;
  }
  UseConstantChart(0.5f);
  for (float ves : {0.0f, kNull}) {  // a reading at the surface: the friction ratio only
    readings(50.0f, 1.0f);
    EXPECT_EQ(Normalize_run(1.5f, ves), NormalizeEnd::NoStress);
    EXPECT_TRUE(NearRelative(2.0, gDepth.fr));
    EXPECT_EQ(std::vector<float>({gDepth.qc1, gDepth.fs1, gDepth.c}), std::vector<float>(3, kNull));
  }
  readings(50.0f, 1.0f);
  EXPECT_ERROR_REPORT(Normalize(1.5f, -0.1f), "VES932");
}

// A value worked here, or missing.
::testing::AssertionResult IsValue(double expected, float actual, double tolerance) {
  if (IsNull(static_cast<float>(expected))) {
    return actual == kNull ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "got " << actual;
  }
  return NearRelative(expected, actual, tolerance);
}

TEST_F(NormalizeTest, IterationClosesOnTheChartExponentHeldAt1Point5WithinTheLimitsOfFrictionRatioAndQc1) {
  // A constant exponent chart. The used exponent halves its distance to the chart's each iteration; a chart value
  // of 1.55 is held at 1.5. At ves 1 Qc1 = qt; FR outside the chart (0.1 to 10 %) reads nothing: no exponent, so
  // no Qc1; Qc1 is held to 1 .. 1000. FS1 = fs / qt x Qc1.
  struct Case { float chart, start, qt, fs, ves; double fr, qc1, c, tolerance; };
  const Case cases[] = {
      {0.5f, 0.5f, 50.0f, 1.0f, 0.5f, 2.0, 50.0 / std::sqrt(0.5), 0.5, 1e-6},
      {0.5f, 1.5f, 50.0f, 1.0f, 0.5f, 2.0, 50.0 / std::pow(0.5, 0.5 + 1.0 / 128), 0.5, 1e-5},
      {1.55f, 0.2f, 50.0f, 1.0f, 0.25f, 2.0, 50.0 / std::pow(0.25, 1.5 - 1.3 / 256), 1.5, 1e-5},
      {1.55f, 1.5f, 50.0f, 1.0f, 0.25f, 2.0, 400.0, 1.5, 1e-6},          // closes at once: 50 / 0.25^1.5
      {0.5f, 0.5f, 100.0f, 0.05f, 1.0f, kNull, kNull, kNull, 1e-6},     // FR 0.05 %: below 0.1
      {0.5f, 0.5f, 100.0f, 0.1f, 1.0f, 0.1, 100.0, 0.5, 1e-6},          // FR 0.1 %: kept
      {0.5f, 0.5f, 100.0f, 11.0f, 1.0f, kNull, kNull, kNull, 1e-6},     // FR 11 %: above 10
      {0.5f, 0.5f, 0.5f, 0.01f, 1.0f, 2.0, 1.0, 0.5, 1e-6},             // Qc1 0.5 held at 1
      {0.5f, 0.5f, 2000.0f, 20.0f, 1.0f, 1.0, 1000.0, 0.5, 1e-6},       // Qc1 2000 held at 1000
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("chart " + std::to_string(c.chart) + " from " + std::to_string(c.start) + ", qt " +
                 std::to_string(c.qt) + " fs " + std::to_string(c.fs));
    UseConstantChart(c.chart);
    readings(c.qt, c.fs);
    Normalize(c.start, c.ves);
    EXPECT_TRUE(IsValue(c.fr, gDepth.fr, 1e-6));
    EXPECT_TRUE(IsValue(c.qc1, gDepth.qc1, c.tolerance));
    EXPECT_TRUE(IsValue(c.qc1 == kNull ? kNull : c.qc1 * c.fs / c.qt, gDepth.fs1, c.tolerance));
    EXPECT_TRUE(IsValue(c.c, gDepth.c, 1e-6));
  }
}

TEST_F(NormalizeTest, AnAlternatingChartStopsAfter250IterationsWithAnIssue) {
  UseAlternatingChart(1);
  readings(10.0f, 0.2f);
  gDepth.fs1 = 0.3f;  // left by an earlier run: a failed run must not keep it
  const int issuesBefore = gRun.issueCounter;
  Normalize(1.5f, 0.5f);
  EXPECT_EQ(std::vector<float>({gDepth.qc1, gDepth.c, gDepth.fs1}), std::vector<float>(3, kNull));
  EXPECT_TRUE(NearRelative(2.0, gDepth.fr));  // the friction ratio stays
  EXPECT_EQ(gRun.issueCounter, issuesBefore + 1);
  EXPECT_EQ(CountContaining(logLines(), "poor c calculation closure because at max# of tries ---  DeltaC_criteria =  "
                                        ".008  DeltaC_chart = "),
            1);
}

class DepthsProcessTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    installDataArea();
    openLog();
    gRun.projectName = "ExampleONE";
    loadBuiltInCharts();
    ResetSoundingRecord();
    // 10 ft of 105.811 pcf: 1058.11 psf, half an atmosphere.
    for (const auto& [key, value] : {std::pair{"SOUNDING_NAME", "T1"}, {"UWT_METHOD", "WT"},
                                     {"WATERTABLE_DEPTH_FEET", "100"}, {"UWT_ABOVE_WT_PCF", "105.811"},
                                     {"UWT_BELOW_WT_PCF", "125"}}) {
      set(key, value);
    }
    gColumns.columns.assign(1, ColumnDef());
    gColumns.columns[0].id = "Depth_ft";
    Columns_prepare();
    Q1o_open();
    gDepth.vesSumPsf = gDepth.vtsSumPsf = gDepth.previousDepth = 0.0f;
  }
  static void set(const std::string& key, const std::string& value) { AccessSoundingField("ASSIGN_DB", key, value); }

  struct Row { float depth, qc, fs; };
  static void rows(std::initializer_list<Row> list) {
    std::int16_t n = 0;
    for (const Row& r : list) {
      const auto i = static_cast<std::size_t>(++n);
      gFieldData.depth[i] = r.depth;
      gFieldData.qc[i] = r.qc;
      gFieldData.fs[i] = r.fs;
      gFieldData.u2[i] = 0.1f * static_cast<float>(n);
      gFieldData.inclX[i] = 0.5f * static_cast<float>(n);
      gFieldData.inclY[i] = -0.25f * static_cast<float>(n);
    }
    gFieldData.rowCount = n;
  }

  // Processes the rows; returns the number of issues written.
  static int issuesOf(std::initializer_list<Row> list) {
    rows(list);
    float total = 0.0f;
    const int before = gRun.issueCounter;
    Depths_process(1, total);
    return gRun.issueCounter - before;
  }

  long q1oRows() const {
    const std::string text = readHostFile(dataArea() / "Projects" / "ExampleONE" / "Soundings" / "T1_Q1o.txt");
    return std::count(text.begin(), text.end(), '\n');
  }
  int logLinesContaining(const std::string& part) const { return CountContaining(logLines(), part); }
};

TEST_F(DepthsProcessTest, EveryRowIsLoadedStressedNormalisedAndWrittenAndASoundingWithoutRowsIsAnIssue) {
  rows({{2.0f, 20.0f, 0.2f}, {6.0f, 40.0f, 0.4f}, {10.0f, 10.0f, 0.2f}});
  float total = 7.0f;
  Depths_process(1, total);
  EXPECT_EQ(total, 17.0f);  // the last row's depth added
  EXPECT_FALSE(gRun.q1oFile.isOpen());
  EXPECT_EQ(q1oRows(), 3);
  // The last row as loaded, inclinations carried, stressed (10 ft of 105.811 pcf: half an atmosphere) and
  // normalised. (The values of every row of a whole sounding: the golden tables.)
  EXPECT_EQ(std::vector<float>({gDepth.depth, gDepth.qt, gDepth.u2, gDepth.inclX, gDepth.inclY}),
            std::vector<float>({10.0f, 10.0f, gFieldData.u2[3], 1.5f, -0.75f}));
  EXPECT_TRUE(NearRelative(0.5, gDepth.ves));
  EXPECT_FALSE(IsNull(gDepth.c) || IsNull(gDepth.qc1));

  // Rows without a depth are written but leave the stress alone; the total takes the deepest known depth.
  Q1o_open();
  gDepth.vesSumPsf = gDepth.vtsSumPsf = gDepth.previousDepth = 0.0f;
  rows({{2.0f, 20.0f, 0.2f}, {kNull, 20.0f, 0.2f}, {6.0f, 20.0f, 0.2f}, {kNull, 30.0f, 0.3f}});
  total = 1.0f;
  Depths_process(1, total);
  EXPECT_EQ(q1oRows(), 4);
  EXPECT_EQ(total, 7.0f);
  EXPECT_TRUE(NearRelative(6 * 105.811, gDepth.vesSumPsf));
  EXPECT_EQ(std::vector<float>({gDepth.ves, gDepth.qc1, gDepth.fr}), std::vector<float>(3, kNull));

  // A sounding without rows (a count of 0, or missing) gets an empty table and an issue line, and adds nothing.
  const int issuesBefore = gRun.issueCounter;
  for (std::int16_t count : {std::int16_t{0}, static_cast<std::int16_t>(kNull)}) {
    Q1o_open();
    gFieldData.rowCount = count;
    total = 3.0f;
    Depths_process(1, total);
    EXPECT_EQ(std::tuple(total, gRun.q1oFile.isOpen(), q1oRows()), std::tuple(3.0f, false, 0L)) << count;
  }
  EXPECT_EQ(gRun.issueCounter, issuesBefore + 2);
  EXPECT_EQ(logLinesContaining("no depth rows in the field data"), 2);
}

TEST_F(DepthsProcessTest, TwoDisagreeingStartsGiveTheInstabilityIssue) {
  UseTwoAnswerChart(RequiredChartIndex[kChartCQC1]);
  EXPECT_EQ(issuesOf({{10.0f, 10.0f, 0.2f}}), 1);
  EXPECT_NEAR(gDepth.c, 0.3f, 1e-6f);  // the low start's result stays
  // The exponents are read from the text: the lookup may leave them a unit of the last digit off.
  const std::regex form(std::string(21, ' ') +
                        R"(At depth= 10 ft,  c\(low\)=(.*) & c\(high\)=(.*), Calculatd c is unstable i\.e\. delta=(.*)which is > \.03)");
  int seen = 0;
  for (const std::string& line : logLines()) {
    std::smatch m;
    if (!std::regex_match(line, m, form)) continue;
    ++seen;
    EXPECT_NEAR(NumberOrNull(m[1].str()), 0.3f, 1e-6f) << line;
    EXPECT_NEAR(NumberOrNull(m[2].str()), 1.2f, 1e-6f) << line;
    EXPECT_NEAR(NumberOrNull(m[3].str()), 0.9f, 1e-6f) << line;
  }
  EXPECT_EQ(seen, 1);

  // Two failed runs are also unstable: two closure issues, one instability issue.
  UseAlternatingChart(RequiredChartIndex[kChartCQC1]);
  Q1o_open();
  EXPECT_EQ(issuesOf({{10.0f, 10.0f, 0.2f}}), 3);
  EXPECT_EQ(logLinesContaining("poor c calculation closure"), 2);
  EXPECT_EQ(logLinesContaining("c(low)=-5435 & c(high)=-5435, Calculatd c is unstable i.e. delta= 5435which is > .03"),
            1);
}

TEST_F(DepthsProcessTest, DepthsWithoutStressOrChartExponentGetOneIssueLineEachPerSounding) {
  // 0 ft: no stress. 2 and 4 ft: qt 10 at ves below 0.2 gives Qc1 above 10, where the chart has no lines.
  // 5 and 6 ft: no tip or no sleeve reading, so nothing normalised and no issue.
  UseExponentChart(RequiredChartIndex[kChartCQC1], {{0.5f, 0.5f}, {0.5f, 5.0f}});
  EXPECT_EQ(issuesOf({{0.0f, 20.0f, 0.2f}, {0.0f, 20.0f, 0.2f}, {2.0f, 10.0f, 0.2f}, {4.0f, 10.0f, 0.2f},
                      {5.0f, 0.0f, 0.2f}, {6.0f, 20.0f, kNull}}),
            2);
  EXPECT_EQ(q1oRows(), 6);
  EXPECT_EQ(logLinesContaining("   T1: effective stress not positive at depth(s) 0, 0 ft: no normalised values and no "
                               "predictions there"),
            1);
  EXPECT_EQ(logLinesContaining("T1: the exponent chart (CQC1) has no value where the normalization ends at depth(s) "
                               "2, 4 ft: c, Qc1 and fs1 missing there"),
            1);
}

}  // namespace
