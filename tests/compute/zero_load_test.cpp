// The zero-load analysis: depth limit, zero readings, lowest readings, and the
// sorted report with drifts per device.
#include "compute/zero_load.h"

#include <sstream>

#include "compute/predictions.h"
#include "core/depth_values.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "fielddata/hog_reader.h"
#include "project/sounding_db.h"
#include "sld/chart_lookup.h"
#include "sld/chart_table.h"
#include "platform/text_file.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class ZeroLoadTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "P1";
    fs::create_directories(dataArea() / "Projects" / "P1");
  }
  static void start(const std::string& limit) {
    MainControl("Depth_lowest_WhenLookingForLowestQc_feet8txt").text = limit;
    ZeroLoad_start();
  }
  static ZeroLoadRecord& record(int k) { return gZeroLoad.records[static_cast<size_t>(k)]; }
  static void addRecord(int k, const std::string& device, const std::string& date, const std::string& sounding,
                        float qcClean, float fsClean) {
    ZeroLoadRecord& r = record(k);
    r = ZeroLoadRecord{};
    r.device = device;
    r.dateTime = date;
    r.sounding = sounding;
    r.qcZeroClean = qcClean;
    r.qcZeroDirty = qcClean - 0.25f;
    r.fsZeroClean = fsClean;
    r.fsZeroDirty = fsClean;
    gZeroLoad.count = std::max(gZeroLoad.count, k);
  }
  std::vector<std::string> reportLines() {
    std::istringstream in(readHostFile(dataArea() / "Projects" / "P1" / "Vurn---Output---Zero_Load_Data---P1.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.size() - 1));  // CR
    return lines;
  }
};

TEST_F(ZeroLoadTest, DepthLimitChecks) {
  const struct { const char* text; const char* id; } bad[] = {{"abc", "LFE543"}, {"", "LFE543"}, {"10", "LFE178"}, {"12.5", "LFE178"}, {"0.5", "LFE551"}, {"-1", "LFE551"}};
  for (const auto& c : bad) {
    gRun.errorReported = false;
    EXPECT_ERROR_REPORT(start(c.text), c.id);
  }
  gRun.errorReported = false;
  start(" 3 ");
  EXPECT_FLOAT_EQ(gZeroLoad.lowestQcDepthLimit, 3.0f);
  EXPECT_EQ(gRun.zeroLoadFileName, "C:\\Vurn\\Projects\\P1\\Vurn---Output---Zero_Load_Data---P1.txt");
  start("9.99");
  EXPECT_FLOAT_EQ(gZeroLoad.lowestQcDepthLimit, 9.99f);
}

TEST_F(ZeroLoadTest, ZeroReadingsAreConvertedAsTheReadingsAre) {
  start("2");
  AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", "CPT-9");
  gHogHeader.device = "CONE 4364";
  gHogHeader.dateTime = "20221012~133800-local";
  gHogHeader.tip.factor = 2.0f;
  gHogHeader.tip.cleanZero = 100.0f;
  gHogHeader.tip.dirtyZero = 90.0f;
  gHogHeader.friction.factor = 0.5f;
  gHogHeader.friction.cleanZero = -8.0f;
  gHogHeader.friction.dirtyZero = NullValue;  // no closing zero row
  ZeroLoad_beginSounding(1);
  const ZeroLoadRecord& r = record(1);
  EXPECT_EQ(r.sounding, "CPT-9");
  EXPECT_EQ(r.device, "CONE 4364");
  EXPECT_EQ(r.projectName, "P1");
  // 0.95 atm per tsf x factor x counts x 0.01044 tsf per count.
  EXPECT_NEAR(r.qcZeroClean, 0.95 * 2 * 100 * 0.01044, 1e-6);
  EXPECT_NEAR(r.qcZeroDirty, 0.95 * 2 * 90 * 0.01044, 1e-6);
  EXPECT_NEAR(r.fsZeroClean, 0.95 * 0.5 * -8 * 0.01044, 1e-6);
  EXPECT_EQ(r.fsZeroDirty, NullValue);
  EXPECT_EQ(r.qcLowest, 100000.0f);
  EXPECT_ERROR_REPORT(ZeroLoad_beginSounding(2001), "ZLR201");
}

TEST_F(ZeroLoadTest, LowestReadingsBelowTheLimitOnly) {
  start("3");
  ZeroLoad_beginSounding(1);
  const struct { float depth, qc, fs, s1; } depths[] = {
      {2.0f, 5.0f, 0.01f, 0.2f},     // above the limit: ignored
      {3.0f, 6.0f, 0.02f, 0.3f},     // at the limit: ignored
      {3.5f, 20.0f, 0.50f, 0.4f},
      {4.0f, 15.0f, 0.30f, -5435.0f},  // lowest qc, strength missing: kept from before
      {4.5f, 15.0f, 0.10f, 0.6f},      // equal qc does not replace; lowest fs
      {5.0f, -5435.0f, -5435.0f, 0.7f},
  };
  for (const auto& d : depths) {
    gDepth.depth = d.depth;
    gDepth.qc = d.qc;
    gDepth.fs = d.fs;
    gDepth.ves = d.depth / 10;
    gDepth.fr = d.depth;
    gDepth.qc1 = d.qc * 2;
    gPredictions.s1Value = d.s1;
    ZeroLoad_trackDepth(1);
  }
  const ZeroLoadRecord& r = record(1);
  EXPECT_EQ(r.qcLowest, 15.0f);
  EXPECT_EQ(r.qcLowestDepth, 4.0f);
  EXPECT_FLOAT_EQ(r.qcLowestVes, 0.4f);
  EXPECT_EQ(r.qcLowestFr, 4.0f);
  EXPECT_FLOAT_EQ(r.qcLowestStrength, 0.4f);
  EXPECT_FLOAT_EQ(r.fsLowest, 0.10f);
  EXPECT_EQ(r.fsLowestDepth, 4.5f);
  EXPECT_EQ(r.fsLowestQc1, 30.0f);
  EXPECT_FLOAT_EQ(r.fsLowestStrength, 0.6f);
}

TEST_F(ZeroLoadTest, ReportIsSortedWithDriftsWithinEachDevice) {
  loadBuiltInCharts();
  start("2");
  addRecord(1, "RIG-B", "20070308~090000-local", "CPT-3", 0.40f, 0.01f);
  addRecord(2, "RIG-A", "20070307~140509-local", "CPT-2", 0.62f, 0.02f);
  addRecord(3, "RIG-A", "20070306~100000-local", "CPT-1", 0.50f, 0.05f);
  addRecord(4, "A-DEVICE-WITH-A-LONG-NAME", "20070301~080000-local", "CPT-0", 1.0f, 0.0f);
  ZeroLoad_writeReport();
  const auto lines = reportLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0].substr(0, 42), "device       sounding       Date          ");
  EXPECT_EQ(lines[1].substr(0, 13), "------------ ");
  EXPECT_EQ(lines[2].substr(0, 13), "A-DEVICE-WIT ");  // cut at 12
  EXPECT_EQ(lines[3].substr(0, 28), "RIG-A        CPT-1          ");
  EXPECT_EQ(lines[4].substr(0, 28), "RIG-A        CPT-2          ");
  EXPECT_EQ(lines[5].substr(0, 28), "RIG-B        CPT-3          ");
  // Date cut at 15 characters, four blanks, then the tip zeros and drifts.
  const std::string cells = lines[4].substr(28);
  EXPECT_EQ(cells.substr(0, 19), "20070307~140509    ");
  EXPECT_EQ(cells.substr(19, 38), "  0.620     0.370     0.250    0.120  ");
  const std::string firstOfDevice = lines[3].substr(28 + 19);
  EXPECT_EQ(firstOfDevice.substr(0, 38), "  0.500     0.250     0.250    -5435  ");
  EXPECT_EQ(lines[5].substr(28 + 19 + 29, 9), "  -5435  ");  // RIG-B: first of its device
  // Soundings that never went below the limit keep 100000.
  EXPECT_EQ(lines[5].substr(28 + 19 + 38, 12), "100000.0000 ");
  EXPECT_EQ(lines[5].back(), '/');
}

TEST_F(ZeroLoadTest, ReportErrorsTooManyDevicesAndUnwritableFile) {
  start("2");
  for (int k = 1; k <= 21; ++k) addRecord(k, "DEV" + std::to_string(k), "d", "s", 0.1f, 0.1f);
  EXPECT_ERROR_REPORT(ZeroLoad_writeReport(), "ZLR203");
  gRun.errorReported = false;
  gZeroLoad.count = 1;
  TextWriter_failOpensOf("Zero_Load_Data");
  EXPECT_ERROR_REPORT(ZeroLoad_writeReport(), "ZLR204");
}

TEST_F(ZeroLoadTest, StrengthColumnsComeFromTheS1ChartAtTheCorrectedPoints) {
  loadBuiltInCharts();
  ZeroLoadRecord r;
  r.qcLowest = 20.0f;
  r.qcDriftC2D = 2.0f;
  r.qcLowestVes = 0.5f;
  r.qcLowestFr = 2.0f;
  r.qcLowestStrength = 0.4f;
  r.fsLowest = 0.2f;
  r.fsDriftC2D = 0.05f;
  r.fsLowestVes = 1.0f;
  r.fsLowestFr = 1.0f;
  r.fsLowestQc1 = 30.0f;
  r.fsLowestStrength = 0.6f;
  gDepth.depth = 12.5f;
  gDepth.vesSumPsf = 777.0f;
  const DepthValues before = gDepth;

  const ZeroLoadStrengths s = ZeroLoad_strengths(r);
  // su = (su / sigma'v) x sigma'v, in psf.
  EXPECT_NEAR(s.qcLowest, 0.4 * 0.5 * 2116.22, 0.05);
  EXPECT_NEAR(s.fsLowest, 0.6 * 1.0 * 2116.22, 0.05);
  // The corrected tip point: Qc1 = (20 + 2) / 0.5 = 44 at FR 2, read on the S1 chart.
  float x = 2.0f, y = 44.0f, s1 = NullValue;
  Chart_lookup(x, y, s1, RequiredChartIndex[kChartS1], "");
  EXPECT_NEAR(s.qcCorrected, s1 * 0.5 * 2116.22, 0.05);
  EXPECT_NEAR(s.qcPercent, (s.qcCorrected - s.qcLowest) / s.qcLowest * 100, 0.01);
  // The sleeve drift moves FR by (0.2 + 0.05) / 0.2: 1.25 % at Qc1 30.
  x = 1.25f;
  y = 30.0f;
  Chart_lookup(x, y, s1, RequiredChartIndex[kChartS1], "");
  const double fsCorrected = s1 * 1.0 * 2116.22;
  EXPECT_NEAR(s.fsPercent, (fsCorrected - s.fsLowest) / s.fsLowest * 100, 0.01);
  // The sweep leaves the depth being processed as it was.
  EXPECT_EQ(gDepth.depth, before.depth);
  EXPECT_EQ(gDepth.vesSumPsf, before.vesSumPsf);

  // A sounding without a strength at its lowest point has no strength columns.
  r.qcLowestStrength = NullValue;
  EXPECT_EQ(ZeroLoad_strengths(r).qcLowest, NullValue);
  EXPECT_EQ(ZeroLoad_strengths(r).qcPercent, NullValue);
}

}  // namespace
