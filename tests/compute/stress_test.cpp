// Unit weight and effective stress: the three unit weight methods and the method
// word, the stress sums and their units, the stand-in for a missing unit weight,
// and the unit weight file (reading, interpolation, errors, read once).
//
// Expected stresses are worked out here by hand in double precision from the
// layer rule (sum of thickness x unit weight, less 62.4 pcf below the water
// table) and 1 atm = 2116.22 psf, and compared with the 32-bit results to a
// relative 1e-6.
#include <cmath>
#include <string>

#include "compute/stress.h"
#include "core/depth_values.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "project/sounding_db.h"
#include "sld/chart_table.h"
#include "support/test_charts.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

constexpr float kNull = -5435.0f;
constexpr double kPsfPerAtm = 2116.22;

class StressTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    openLog();
    useProject("P1");
    ResetSoundingRecord();
    for (const auto& [key, value] : {std::pair{"UWT_METHOD", "WT"}, {"WATERTABLE_DEPTH_FEET", "10"},
                                     {"UWT_ABOVE_WT_PCF", "110"}, {"UWT_BELOW_WT_PCF", "125"}}) {
      set(key, value);
    }
    StressSounding_begin();
  }
  static void set(const std::string& key, const std::string& value) { AccessSoundingField("ASSIGN_DB", key, value); }

  // One stress step at a new depth, as the depth loop does it.
  static void stepAt(float depth) {
    DepthValues_resetDepth();
    gDepth.depth = depth;
    EffectiveStress_step();
  }

  void writeUwt(const std::string& name, const std::string& text) const {
    writeHostFile("Vurn/Projects/P1/" + name, text);
  }
  int logLinesContaining(const std::string& part) const { return CountContaining(logLines(), part); }
};

// ---- "WT" method -----------------------------------------------------------

TEST_F(StressTest, WaterTableMethodChoosesByDepthAndGatesTheRange) {
  struct Case { const char* above; const char* below; float depth; float expected; };
  // Above the water table, exactly at it (the value above), just below; the range 63 to 155 and its ends; not given.
  const Case cases[] = {
      {"110", "125", 5.0f, 110.0f}, {"110", "125", 10.0f, 110.0f}, {"110", "125", 10.01f, 125.0f},
      {"62", "125", 5.0f, kNull},   {"63", "125", 5.0f, 63.0f},    {"110", "155", 20.0f, 155.0f},
      {"110", "155.5", 20.0f, kNull}, {"", "125", 5.0f, kNull},
  };
  for (const Case& c : cases) {
    set("UWT_ABOVE_WT_PCF", c.above);
    set("UWT_BELOW_WT_PCF", c.below);
    DepthValues_resetDepth();
    gDepth.depth = c.depth;
    UnitWeight_compute();
    EXPECT_EQ(gDepth.unitWeight, c.expected) << "above " << c.above << " below " << c.below << " at " << c.depth;
  }
}

// ---- The stress sums ---------------------------------------------------------
// (The sums of a whole sounding, in psf and atm, row by row: the golden tables. Here the rows they do not reach.)

TEST_F(StressTest, WaterTableBoundarySubmergedLayersAndANegativeSum) {
  // Depths 4 (the first layer runs from the surface), 10 (= water table), 14 and 20 ft;
  // 110 pcf down to 10 ft, 125 below.
  //   effective: 4x110 = 440; +6x110 = 1100; +4x(125-62.4) = 1350.4; +6x62.6 = 1726
  //   total:     440;          1100;          1600;                   2350
  struct Step { float depth; double ves, vts; };  // psf
  for (const Step& s : {Step{4.0f, 440, 440}, {10.0f, 1100, 1100}, {14.0f, 1350.4, 1600}, {20.0f, 1726, 2350}}) {
    stepAt(s.depth);
    EXPECT_TRUE(NearRelative(s.ves, gDepth.vesSumPsf)) << "at " << s.depth;
    EXPECT_TRUE(NearRelative(s.vts, gDepth.vtsSumPsf)) << "at " << s.depth;
  }
  EXPECT_TRUE(NearRelative(1726 / kPsfPerAtm, gDepth.ves));
  // A row 30 ft back up would take the sums below zero: an error.
  gDepth.previousDepth = 50.0f;
  EXPECT_ERROR_REPORT(EffectiveStress_step(), "VES002");
}

TEST_F(StressTest, ASoundingWithoutAWaterTableIsAnIssueOnce) {
  set("WATERTABLE_DEPTH_FEET", "");
  StressSounding_begin();
  stepAt(1.0f);
  stepAt(2.0f);
  EXPECT_EQ(logLinesContaining("water table depth (WATERTABLE_DEPTH_FEET) missing"), 1);
  EXPECT_EQ(gDepth.unitWeight, 125.0f);  // every depth below the water table
}

// ---- A missing unit weight ---------------------------------------------------

TEST_F(StressTest, MissingUnitWeightAdvancesWithAStandInNamedInOneIssueLinePerSounding) {
  // The "SLD" method without fr and qc1 gives a missing unit weight and needs no
  // chart for it. The stand-in: the last valid unit weight of the sounding;
  // before any, the sounding's value for that side of the water table when it
  // is within 63 to 155, else 120.
  struct Case { const char* above; const char* below; float lastValid; float depth; float standIn; const char* named; };
  const Case cases[] = {
      {"110", "125", kNull, 5.0f, 110.0f, "110"}, {"110", "125", kNull, 12.0f, 125.0f, "125"},
      {"", "", kNull, 5.0f, 120.0f, "120"},       {"50", "125", kNull, 5.0f, 120.0f, "120"},
      {"110", "125", 97.5f, 5.0f, 97.5f, "97.5"}, {"110", "160", kNull, 12.0f, 120.0f, "120"},
  };
  set("UWT_METHOD", "SLD");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.above) + "/" + c.below + " at " + std::to_string(c.depth));
    set("UWT_ABOVE_WT_PCF", c.above);
    set("UWT_BELOW_WT_PCF", c.below);
    StressSounding_begin();
    gStressSounding.lastValidUnitWeight = c.lastValid;
    gDepth.vesSumPsf = gDepth.vtsSumPsf = gDepth.previousDepth = 0.0f;
    stepAt(c.depth);
    const double effective = c.depth > 10.0f ? c.standIn - 62.4 : c.standIn;
    EXPECT_EQ(gDepth.unitWeight, kNull);
    EXPECT_TRUE(NearRelative(c.depth * effective, gDepth.vesSumPsf));
    EXPECT_TRUE(NearRelative(c.depth * static_cast<double>(c.standIn), gDepth.vtsSumPsf));
    StressSounding_end();
    EXPECT_NE(logLines().back().find("unit weight missing at 1 depth(s); the stress sums advanced there with " +
                                     std::string(c.named) + " pcf"),
              std::string::npos)
        << logLines().back();
  }
}

TEST_F(StressTest, TheMethodWordIsTrimmedAndUpperCasedAndAnUnknownOneIsAnError) {
  set("UWT_METHOD", "  wt ");
  stepAt(4.0f);
  EXPECT_EQ(gDepth.unitWeight, 110.0f);
  set("UWT_METHOD", "WATER");
  EXPECT_ERROR_REPORT(UnitWeight_compute(), "UTGM724");
}

// ---- Chart method -------------------------------------------------------------

class ChartUnitWeightTest : public StressTest {
 protected:
  void SetUp() override {
    StressTest::SetUp();
    set("UWT_METHOD", "SLD_TVK");
    // A unit weight chart that is 100 pcf for QC1 between 2 and 20 and 140 pcf
    // between 200 and 2000 (flat contour lines across FR 0.05 to 20 %).
    ChartTable_reset();
    SldChart& chart = UseFlatChart(1, {{100, 2}, {100, 20}, {140, 200}, {140, 2000}});
    chart.C_Min_8sng = 64.0f;
    chart.C_Max_8sng = 160.0f;
    RequiredChartIndex[kChartUWT1] = 1;
  }
};

TEST_F(ChartUnitWeightTest, TheSecondDecisionReadsTheDepthsOwnPointAndTheCRange) {
  gDepth.fr = 1.0f;
  gDepth.qc1 = 500.0f;
  UnitWeight_compute();
  EXPECT_EQ(gDepth.unitWeight, 140.0f);
  SLD8a[1].C_Max_8sng = 130.0f;
  UnitWeight_compute();
  EXPECT_EQ(gDepth.unitWeight, kNull);
}

TEST_F(ChartUnitWeightTest, TheFirstDepthWaitsWithoutCountingAMissingValue) {
  gStressSounding.firstDecision = true;  // depthsDone 0: nothing above
  DepthValues_resetDepth();
  gDepth.depth = 0.5f;
  gDepth.fr = 1.0f;  // not used by the first decision
  gDepth.qc1 = 10.0f;
  EffectiveStress_step();
  EXPECT_EQ(gDepth.unitWeight, kNull);
  EXPECT_EQ(gDepth.vesSumPsf, 55.0f);  // 0.5 ft x the sounding's 110 above the water table
  EXPECT_EQ(gStressSounding.filledDepths, 0);
  // The same at a later depth whose depth above had no fr is counted.
  gStressSounding.depthsDone = 1;
  DepthValues_resetDepth();
  gDepth.depth = 1.0f;
  EffectiveStress_step();
  EXPECT_EQ(gStressSounding.filledDepths, 1);
}

// ---- Unit weight file ------------------------------------------------------------

class UwtFileTest : public StressTest {
 protected:
  void SetUp() override {
    StressTest::SetUp();
    UwtTable_reset();
    set("UWT_METHOD", "FILE");
    set("UWT_FILE_NAME", "UWT-A.csv");
  }
  static std::string head() { return "title\r\nsecond\r\nthird\r\nEOH\r\n"; }
  static float at(float depth) {
    gDepth.depth = depth;
    UnitWeight_compute();
    return gDepth.unitWeight;
  }
};

TEST_F(UwtFileTest, InterpolatesBetweenPairsAndGatesTheRange) {
  // (0, 110) and (20, 120): 110 + (5 / 20) x 10 = 112.5 at 5 ft, the same pairs one item per line; equal depths
  // take the upper value; 160 in the file is above 155; 30 pairs fit. Outside the file's depths: GP342.
  std::string thirty;
  for (int k = 0; k < 30; ++k) thirty += std::to_string(k) + "," + std::to_string(100 + k) + "\r\n";
  struct Case { std::string body; float depth, expected; };
  const Case cases[] = {
      {"0,110\r\n20,120\r\n", 5.0f, 112.5f}, {"0\n110\n20\n120", 5.0f, 112.5f}, {"0,110\r\n20,120\r\n", 0.0f, 110.0f},
      {"0,110\r\n20,120\r\n", 20.0f, 120.0f}, {"0,110\r\n20,120\r\n", 20.1f, 0.0f},
      {"5,100\r\n5,130\r\n20,160\r\n", 5.0f, 100.0f}, {"5,100\r\n5,130\r\n20,160\r\n", 12.5f, 145.0f},
      {"5,100\r\n5,130\r\n20,160\r\n", 20.0f, kNull}, {"5,100\r\n5,130\r\n20,160\r\n", 4.0f, 0.0f},
      {thirty, 28.5f, 128.5f},
  };
  for (const Case& c : cases) {
    UwtTable_reset();
    gRun.errorReported = false;
    writeUwt("UWT-A.csv", head() + c.body);
    if (c.expected == 0.0f) {
      EXPECT_ERROR_REPORT(at(c.depth), "GP342");
      continue;
    }
    EXPECT_EQ(at(c.depth), c.expected) << c.body << " at " << c.depth;
    EXPECT_EQ(gUwtTable.fileName, "UWT-A.csv");
    if (c.expected == kNull) {
      EXPECT_EQ(gDepth.fileUnitWeight, 160.0f) << "the file's value, before the gate";
    }
  }
  EXPECT_EQ(gUwtTable.count, 30);
}

TEST_F(UwtFileTest, FaultsAreErrorsAndAFileThatFailedIsNotKept) {
  // (Every error of a file's content, 31 pairs among them, is in the bad-input corpus.)
  set("SOUNDING_NAME", "CPT-7");
  struct Case { const char* name; std::string body; const char* id; };
  const Case cases[] = {
      {"UWT-A.csv", "110, 5\r\n120, 20\r\n", "DX739"},  // weight before depth
      {"..\\UWT-A.csv", "0,110\r\n20,120\r\n", "PN901"},
      {"", "", "UWF305"}, {"   ", "", "UWF305"}, {"-5435", "", "UWF305"},  // -5435: a short row left it unset
  };
  for (const Case& c : cases) {
    UwtTable_reset();
    gRun.errorReported = false;
    writeUwt("UWT-A.csv", head() + c.body);
    set("UWT_FILE_NAME", c.name);
    EXPECT_ERROR_REPORT(at(5.0f), c.id);
    EXPECT_EQ(gUwtTable.fileName, "") << c.id;
    if (std::string(c.id) == "UWF305") {
      EXPECT_NE(ErrorControl("ErrorDescription8lbl").caption.find("UWT_FILE_NAME) of sounding CPT-7 is empty"),
                std::string::npos);
    }
  }
}

TEST_F(UwtFileTest, TheSameFileIsReadOnceAndAnotherReplacesIt) {
  writeUwt("UWT-A.csv", head() + "0,110\r\n20,120\r\n");
  writeUwt("UWT-B.csv", head() + "0,100\r\n20,100\r\n");
  EXPECT_EQ(at(5.0f), 112.5f);
  // A second sounding naming the same file: the table held is used even though
  // the file has changed on disk since.
  writeUwt("UWT-A.csv", head() + "0,140\r\n20,140\r\n");
  ResetSoundingRecord();
  set("UWT_METHOD", "FILE");
  set("UWT_FILE_NAME", "UWT-A.csv");
  EXPECT_EQ(at(10.0f), 115.0f);
  set("UWT_FILE_NAME", "UWT-B.csv");
  EXPECT_EQ(at(10.0f), 100.0f);
  set("UWT_FILE_NAME", "UWT-A.csv");
  EXPECT_EQ(at(10.0f), 140.0f);  // read anew: the changed file
}

}  // namespace
