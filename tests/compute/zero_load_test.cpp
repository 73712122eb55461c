// The zero-load analysis: depth limit, zero readings, lowest readings, the
// strengths at one depth and at its zero-corrected point, the drift limits
// file and class table, and the report of the example project checked against
// its field data files and Q1o tables.
#include "compute/zero_load.h"

#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "app/run.h"
#include "app/startup.h"
#include "compute/predictions.h"
#include "core/depth_values.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "fielddata/hog_reader.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"
#include "project/sounding_db.h"
#include "q1o/q1o_reader.h"
#include "sld/chart_lookup.h"
#include "sld/chart_table.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
// The default limits (kPa): ISO 22476-1:2012 application classes 1 to 4.
constexpr float kDefaultLimits[5][3] = {{}, {35, 5, 10}, {100, 15, 25}, {200, 25, 50}, {500, 50, kInf}};

std::vector<std::string> linesOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> wordsOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

class ZeroLoadTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "P1";
    fs::create_directories(dataArea() / "Projects" / "P1");
    fs::create_directories(dataArea() / "software");
    fs::copy_file(fs::path(VURN_SOURCE_DIR) / "dist/Vurn/software/Vurn-Drift-Limits.txt",
                  dataArea() / "software" / "Vurn-Drift-Limits.txt");
  }
  static void start(const std::string& limit) {
    MainControl("Depth_lowest_WhenLookingForLowestQc_feet8txt").text = limit;
    ZeroLoad_start();
  }
  static ZeroLoadRecord& record(int k) { return gZeroLoad.records[static_cast<size_t>(k)]; }
  // A record with tip and sleeve clean zeros (atm) and clean-to-dirty drifts (kPa).
  static void addRecord(int k, const std::string& device, const std::string& date, const std::string& sounding,
                        float qcClean, float fsClean, float tipKpa = 25.0f, float sleeveKpa = 0.0f,
                        float u2Kpa = 0.0f) {
    ZeroLoadRecord& r = record(k);
    r = ZeroLoadRecord{};
    r.device = device;
    r.dateTime = date;
    r.sounding = sounding;
    r.qcZeroClean = qcClean;
    r.qcZeroDirty = qcClean - tipKpa / 101.325f;
    r.fsZeroClean = fsClean;
    r.fsZeroDirty = fsClean - sleeveKpa / 101.325f;
    r.u2DriftC2D = u2Kpa / 101.325f;
    gZeroLoad.count = std::max(gZeroLoad.count, k);
  }
  std::vector<std::string> reportLines(const std::string& project = "P1") {
    return linesOf(readHostFile(dataArea() / "Projects" / project / ("Vurn---Output---Zero_Load_Data---" + project + ".txt")));
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
  gHogHeader.tip = {1, 2.0f, 100.0f, 90.0f, "KPA"};
  gHogHeader.friction = {2, 0.5f, -8.0f, NullValue, "KPA"};  // no dirty zero
  gHogHeader.u2 = {3, 4.0f, 10.0f, 12.0f, "KPA"};
  gHogHeader.dataMode = "FUGRO";
  ZeroLoad_beginSounding(1);
  const ZeroLoadRecord& r = record(1);
  EXPECT_EQ(r.sounding, "CPT-9");
  EXPECT_EQ(r.device, "CONE 4364");
  // 0.95 atm per tsf (0.068046 atm per psi for pore pressure) x factor x counts x 0.01044.
  EXPECT_NEAR(r.qcZeroClean, 0.95 * 2 * 100 * 0.01044, 1e-6);
  EXPECT_NEAR(r.qcZeroDirty, 0.95 * 2 * 90 * 0.01044, 1e-6);
  EXPECT_NEAR(r.fsZeroClean, 0.95 * 0.5 * -8 * 0.01044, 1e-6);
  EXPECT_EQ(r.fsZeroDirty, NullValue);
  EXPECT_NEAR(r.u2DriftC2D, 0.068046 * 4 * -2 * 0.01044, 1e-7);
  EXPECT_FALSE(r.closingZeroRead);  // dirty zeros of a file without a closing zero row are not measured
  EXPECT_EQ(r.qcLowest, 100000.0f);
  EXPECT_ERROR_REPORT(ZeroLoad_beginSounding(2001), "ZLR201");
}

// Every value of a lowest reading, its strength included, comes from that
// reading's own depth; a depth without a strength gives none.
TEST_F(ZeroLoadTest, LowestReadingsKeepTheirOwnDepthsValues) {
  start("3");
  ZeroLoad_beginSounding(1);
  const struct { float depth, qc, fs, s1; } depths[] = {
      {2.0f, 5.0f, 0.01f, 0.2f},         // above the limit: ignored
      {3.0f, 6.0f, 0.02f, 0.3f},         // at the limit: ignored
      {3.5f, 20.0f, 0.50f, 0.4f},
      {4.0f, 15.0f, 0.30f, NullValue},   // lowest qc without a strength
      {4.5f, 15.0f, 0.10f, 0.6f},        // equal qc does not replace; lowest fs
      {5.0f, NullValue, NullValue, 0.7f},
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
  const ZeroLoadDepth& q = r.qcLowestAt;
  EXPECT_EQ(std::vector<float>({q.depth, q.qc, q.fs, q.fr, q.qc1, q.strength}),
            std::vector<float>({4.0f, 15.0f, 0.30f, 4.0f, 30.0f, NullValue}));
  EXPECT_FLOAT_EQ(q.ves, 0.4f);
  EXPECT_FLOAT_EQ(r.fsLowest, 0.10f);
  const ZeroLoadDepth& f = r.fsLowestAt;
  EXPECT_EQ(std::vector<float>({f.depth, f.qc, f.fr, f.qc1, f.strength}),
            std::vector<float>({4.5f, 15.0f, 4.5f, 30.0f, 0.6f}));
  // No strength at the lowest tip reading: no strength columns on its side.
  const ZeroLoadStrengths s = ZeroLoad_strengths(r);
  EXPECT_EQ(std::vector<float>({s.qcLowest, s.qcCorrected, s.qcPercent}),
            std::vector<float>({NullValue, NullValue, NullValue}));
}

// The zero-corrected point is normalised as the reading was. With a constant
// exponent chart of 0.5 the low start's iteration (which the reading keeps)
// averages 0.2 towards 0.5 and closes at its 7th step, at 0.5 - 0.3 / 64, so
// Qc1 = qt / ves^0.4953125; the friction ratio moves with the corrected reading.
TEST_F(ZeroLoadTest, CorrectedPointIsNormalisedAsTheReading) {
  loadBuiltInCharts();
  const std::int16_t s1Chart = RequiredChartIndex[kChartS1];
  const std::int16_t slot = RequiredChartIndex[kChartCQC1];
  Chart_reset(slot);
  SldChart& exponentChart = SLD8a[static_cast<size_t>(slot)];
  exponentChart.X_Min_8sng = 0.1f;
  exponentChart.X_Max_8sng = 10.0f;
  exponentChart.Y_Min_8sng = 1.0f;
  exponentChart.Y_Max_8sng = 1000.0f;
  exponentChart.LookupMethod_8str = "XYC";
  exponentChart.LinesNUMof = 2;
  for (int k = 1; k <= 2; ++k) {
    ContourLine& line = exponentChart.Line8a[static_cast<size_t>(k)];
    line.LineValue_8sng = 0.5f;
    line.ptsNUMof = 2;
    line.pt8a[1] = {0.05f, k == 1 ? 0.5f : 2000.0f};
    line.pt8a[2] = {20.0f, k == 1 ? 0.5f : 2000.0f};
  }
  const auto s1At = [&](double qt, double fs, double ves) {
    float x = static_cast<float>(fs * 100 / qt);
    float y = static_cast<float>(qt / std::pow(ves, 0.4953125));
    float v = NullValue;
    Chart_lookup(x, y, v, s1Chart, "");
    return static_cast<double>(v);
  };
  ZeroLoadRecord r;
  r.qcLowest = 6.0f;
  r.qcDriftC2D = 1.5f;
  r.qcLowestAt = {20.0f, 6.0f, 0.12f, 0.5f, 2.0f, 8.5f, static_cast<float>(s1At(6.0, 0.12, 0.5))};
  r.fsLowest = 0.1f;
  r.fsDriftC2D = 0.04f;
  r.fsLowestAt = {22.0f, 8.0f, 0.1f, 0.6f, 1.25f, 10.0f, static_cast<float>(s1At(8.0, 0.1, 0.6))};
  gDepth.depth = 12.5f;
  gDepth.vesSumPsf = 777.0f;

  const ZeroLoadStrengths s = ZeroLoad_strengths(r);
  const double psfPerAtm = 2116.22;
  EXPECT_NEAR(s.qcLowest, r.qcLowestAt.strength * 0.5 * psfPerAtm, 0.05);
  const double corrected = s1At(7.5, 0.12, 0.5) * 0.5 * psfPerAtm;
  EXPECT_NEAR(s.qcCorrected, corrected, 1e-4 * corrected);
  EXPECT_NEAR(s.qcPercent, (corrected / s.qcLowest - 1) * 100, 0.01);
  EXPECT_NEAR(s.fsPercent, (s1At(8.0, 0.14, 0.6) / r.fsLowestAt.strength - 1) * 100, 0.01);
  // The depth being processed is left as it was.
  EXPECT_EQ(gDepth.depth, 12.5f);
  EXPECT_EQ(gDepth.vesSumPsf, 777.0f);
}

TEST_F(ZeroLoadTest, ReportIsSortedWithDriftsWithinEachDeviceThenTheClassTable) {
  loadBuiltInCharts();
  start("2");
  addRecord(1, "RIG-B", "20070308~090000-local", "CPT-3", 0.40f, 0.01f, 120.0f, -3.0f, 60.0f);
  addRecord(2, "RIG-A", "20070307~140509-local", "CPT-2", 0.62f, 0.02f, -35.0f, 15.5f);
  addRecord(3, "RIG-A", "20070306~100000-local", "CPT-1", 0.50f, 0.05f);
  addRecord(4, "A-DEVICE-WITH-A-LONG-NAME", "20070301~080000-local", "CPT-0", 1.0f, 0.0f);
  record(4).closingZeroRead = false;
  ZeroLoad_writeReport();
  const auto lines = reportLines();
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[0].substr(0, 42), "device       sounding       Date          ");
  EXPECT_EQ(lines[1].substr(0, 13), "------------ ");
  EXPECT_EQ(lines[2].substr(0, 13), "A-DEVICE-WIT ");  // cut at 12
  EXPECT_EQ(lines[3].substr(0, 28), "RIG-A        CPT-1          ");
  EXPECT_EQ(lines[4].substr(0, 28), "RIG-A        CPT-2          ");
  EXPECT_EQ(lines[5].substr(0, 28), "RIG-B        CPT-3          ");
  // Date cut at 15 characters, four blanks, then the tip zeros and drifts.
  const std::string cells = lines[3].substr(28);
  EXPECT_EQ(cells.substr(0, 19), "20070306~100000    ");
  EXPECT_EQ(cells.substr(19, 38), "  0.500     0.253     0.246    -5435  ");
  EXPECT_EQ(lines[4].substr(28 + 19 + 29, 9), "  0.120  ");  // 0.62 - 0.50 within RIG-A
  EXPECT_EQ(lines[5].substr(28 + 19 + 29, 9), "  -5435  ");  // RIG-B: first of its device
  // Soundings that never went below the limit keep 100000.
  EXPECT_EQ(lines[5].substr(28 + 19 + 38, 12), "100000.0000 ");
  EXPECT_EQ(lines[5].back(), '/');

  // The class table: the limits in use, then soundings and devices in report order.
  EXPECT_EQ(lines[6], "");
  EXPECT_NE(lines[7].find("C:\\Vurn\\software\\Vurn-Drift-Limits.txt"), std::string::npos);
  EXPECT_EQ(lines[9], "class 1             35.000      5.000     10.000");
  EXPECT_EQ(lines[12], "class 4            500.000     50.000       none");
  const std::vector<std::vector<std::string>> expected = {
      {"CPT-0", "-5435", "-5435", "-5435", "unknown", "A-DEVICE-WITH-A-LONG-NAME"},
      {"CPT-1", "25.000", "0", "0", "1", "RIG-A"},
      {"CPT-2", "-35.000", "15.500", "0", "3", "RIG-A"},
      {"CPT-3", "120.000", "-3.000", "60.000", "4", "RIG-B"},
      {},
      {"soundings", "tip_C2D", "fs_C2D", "u2_C2D", "class", "device", "(largest", "drifts", "of", "its", "soundings)"},
      {"---------------", "---kPa---", "---kPa---", "---kPa---", "-------", "------"},
      {"1", "(1", "unknown)", "-5435", "-5435", "-5435", "unknown", "A-DEVICE-WITH-A-LONG-NAME"},
      {"2", "-35.000", "15.500", "0", "3", "RIG-A"},
      {"1", "120.000", "-3.000", "60.000", "4", "RIG-B"}};
  for (size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(wordsOf(lines[16 + k]), expected[k]) << lines[16 + k];
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

// At each limit a drift meets its class; 1 Pa past it, the next class (or
// none). A drift at a limit meets it also after the 32-bit trip through atm.
TEST_F(ZeroLoadTest, DriftClassAtAndJustPastEachLimit) {
  DriftLimits_read();
  for (int k = 1; k <= 4; ++k) {
    const std::string next = k == 4 ? "none" : std::to_string(k + 1);
    for (int c = 0; c < 3; ++c) {
      const float limit = kDefaultLimits[k][c];
      if (std::isinf(limit)) continue;
      for (const float sign : {1.0f, -1.0f}) {
        float at[3] = {0, 0, 0}, past[3] = {0, 0, 0}, viaAtm[3] = {0, 0, 0};
        at[c] = sign * limit;
        past[c] = sign * (limit + 0.001f);
        viaAtm[c] = sign * (limit / 101.325f) * 101.325f;
        EXPECT_EQ(DriftClass_of(at[0], at[1], at[2]), std::to_string(k)) << k << " " << c;
        EXPECT_EQ(DriftClass_of(viaAtm[0], viaAtm[1], viaAtm[2]), std::to_string(k)) << k << " " << c;
        EXPECT_EQ(DriftClass_of(past[0], past[1], past[2]), next) << k << " " << c;
      }
    }
  }
  EXPECT_EQ(DriftClass_of(500.0f, 50.0f, 1.0e6f), "4");  // class 4 sets no pore pressure limit
  EXPECT_EQ(DriftClass_of(1.0f, 1.0f, NullValue), "1");  // no filter: tip and sleeve alone
  EXPECT_EQ(DriftClass_of(NullValue, 1.0f, 1.0f), "unknown");
  EXPECT_EQ(DriftClass_of(1.0f, NullValue, 1.0f), "unknown");
}

TEST_F(ZeroLoadTest, DriftLimitsFileIsReadByItsHeaderAndNeverReplacedByFirstUse) {
  DriftLimits_read();
  for (int k = 1; k <= 4; ++k) {
    const DriftClassLimits& l = gZeroLoad.driftLimits[static_cast<size_t>(k)];
    EXPECT_EQ(std::vector<float>({l.tip, l.sleeve, l.porePressure}),
              std::vector<float>(kDefaultLimits[k], kDefaultLimits[k] + 3));
  }
  // A user's own file: columns in another order, "none" anywhere, kept by first use.
  const std::string mine =
      "my limits\r\n{SLEEVE_KPA},{CLASS},{PORE_PRESSURE_KPA},{TIP_KPA}\r\n\r\n4,4,none,none\r\n2,2,20,20\r\n"
      "1,1,10,10\r\n3,3,30,30\r\n";
  writeHostFile("Vurn/software/Vurn-Drift-Limits.txt", mine);
  installDataArea();
  EXPECT_EQ(readHostFile(dataArea() / "software" / "Vurn-Drift-Limits.txt"), mine);
  DriftLimits_read();
  const DriftClassLimits& l3 = gZeroLoad.driftLimits[3];
  EXPECT_EQ(std::vector<float>({l3.tip, l3.sleeve, l3.porePressure}), std::vector<float>({30, 3, 30}));
  EXPECT_EQ(gZeroLoad.driftLimits[4].tip, kInf);
  // A data area without the file gets it from first use.
  fs::remove(dataArea() / "software" / "Vurn-Drift-Limits.txt");
  installDataArea();
  EXPECT_EQ(readHostFile(dataArea() / "software" / "Vurn-Drift-Limits.txt"),
            readHostFile(fs::path(VURN_SOURCE_DIR) / "dist/Vurn/software/Vurn-Drift-Limits.txt"));
}

// ---- The report of the example project against its field data and Q1o tables ----

// A sounding's zero readings in atm, read from its field data file as the
// acquisition system wrote them: line 17 names the channels (names apart by
// two blanks or more), lines 18 and 19 give each channel's reference number
// and clean zero, line 20 its full scale and unit, in the same order; the last
// line is the closing zero row (depth, then the channels) when the push ended
// with end-of-push rows (sleeve -32768), otherwise there is none.
struct FileZeros {
  double tip[2], sleeve[2], u2[2];  // clean, dirty
  bool closing = false;
};

FileZeros zerosOf(const std::string& text) {
  const std::vector<std::string> lines = linesOf(text);
  std::vector<std::string> names;
  const std::string joined = std::regex_replace(std::regex_replace(lines[16], std::regex("^ +| +$"), ""),
                                                std::regex(" {2,}"), "|");
  std::istringstream in(joined);
  for (std::string name; std::getline(in, name, '|');) names.push_back(name);
  const auto reference = wordsOf(lines[17]), clean = wordsOf(lines[18]), scale = wordsOf(lines[19]);
  const auto last = wordsOf(lines.back());
  FileZeros z{};
  z.closing = text.find("-32768") != std::string::npos;
  for (size_t k = 0; k < names.size(); ++k) {
    double* zeros = names[k].find("TIP") != std::string::npos        ? z.tip
                    : names[k].find("FRICTION") != std::string::npos ? z.sleeve
                    : names[k].find("U2") != std::string::npos       ? z.u2
                                                                     : nullptr;
    if (zeros == nullptr) continue;
    // A count is 0.01044 tsf (psi for pore pressure) times full scale over
    // reference; 0.95 atm per tsf, 0.068046 atm per psi.
    const double perCount =
        std::stod(scale[2 * k]) / std::stod(reference[k]) * 0.01044 * (zeros == z.u2 ? 0.068046 : 0.95);
    zeros[0] = std::stod(clean[k]) * perCount;
    zeros[1] = z.closing ? std::stod(last[k + 1]) * perCount : zeros[0];
  }
  return z;
}

TEST_F(ZeroLoadTest, ExampleReportMatchesTheFieldDataZerosAndTheQ1oStrengths) {
  fs::remove_all(dataArea());
  installDataArea();
  General_setup();
  Main_run();
  ASSERT_EQ(gRun.soundingsProcessed, 6);
  const fs::path soundings = Host_resolve("C:\\Vurn\\Projects\\ExampleONE\\Soundings");
  const auto lines = reportLines("ExampleONE");
  ASSERT_GE(lines.size(), 8u);
  // The class table's sounding lines: sounding (15), drifts, class at 50.
  std::map<std::string, std::string> classOf;
  size_t t = 8;
  while (t < lines.size() && lines[t].rfind("sounding ", 0) != 0) ++t;
  for (t += 2; t < lines.size() && !lines[t].empty(); ++t) {
    classOf[wordsOf(lines[t].substr(0, 15))[0]] = wordsOf(lines[t].substr(50, 7))[0];
  }
  ASSERT_EQ(classOf.size(), 6u);
  int checkedStrengths = 0;
  for (size_t row = 2; row < 8; ++row) {
    const std::string& line = lines[row];
    const std::string cut = line.substr(13, 15);
    const std::string sounding = wordsOf(cut)[0];
    std::string name;
    for (const auto& entry : fs::directory_iterator(soundings)) {
      const std::string stem = entry.path().stem().string();
      if (entry.path().extension() == ".CPT" && stem.substr(0, 15) == sounding) name = stem;
    }
    ASSERT_FALSE(name.empty()) << sounding;
    SCOPED_TRACE(name);
    const std::vector<std::string> cells = wordsOf(line.substr(47));
    ASSERT_EQ(cells.size(), 16u);
    const auto at = [&](int k) { return std::stod(cells[static_cast<size_t>(k)]); };

    // Header zeros: cells are cut, not rounded, to 3 (tip) and 4 (sleeve) decimals.
    const FileZeros z = zerosOf(readHostFile(soundings / (name + ".CPT")));
    EXPECT_NEAR(at(0), z.tip[0], 0.001);
    EXPECT_NEAR(at(1), z.tip[1], 0.001);
    EXPECT_NEAR(at(2), z.tip[0] - z.tip[1], 0.001);
    EXPECT_NEAR(at(8), z.sleeve[0], 0.0001);
    EXPECT_NEAR(at(9), z.sleeve[1], 0.0001);

    // The class by the default limits, from the file's drifts in kPa.
    std::string expectedClass = "unknown";
    if (z.closing) {
      const double drift[3] = {(z.tip[0] - z.tip[1]) * 101.325, (z.sleeve[0] - z.sleeve[1]) * 101.325,
                               (z.u2[0] - z.u2[1]) * 101.325};
      expectedClass = "none";
      for (int k = 4; k >= 1; --k) {
        bool keeps = true;
        for (int c = 0; c < 3; ++c) keeps = keeps && std::fabs(drift[c]) <= kDefaultLimits[k][c] + 0.0005;
        if (keeps) expectedClass = std::to_string(k);
      }
    }
    EXPECT_EQ(classOf[sounding], expectedClass);

    // Strengths: the lowest readings below 2 ft in the Q1o table, the first of equals.
    Q1oTable table;
    std::string message;
    ASSERT_TRUE(Q1oFile_read("C:\\Vurn\\Projects\\ExampleONE\\Soundings\\" + name + "_Q1o.txt", table, message)) << message;
    const auto& depth = table.columns[0].values;
    const auto& strength = table.columns[static_cast<size_t>(Q1oTable_find(table, "S"))].values;
    for (const auto& [reading, lowest, strengthCell, percentCell] :
         {std::tuple{"Qc", 4, 5, 7}, std::tuple{"fs", 12, 13, 14}}) {
      const auto& values = table.columns[static_cast<size_t>(Q1oTable_find(table, reading))].values;
      size_t low = table.rows;
      for (size_t i = 0; i < table.rows; ++i) {
        if (depth[i] > 2.0f && !std::isnan(values[i]) && (low == table.rows || values[i] < values[low])) low = i;
      }
      ASSERT_LT(low, table.rows);
      EXPECT_NEAR(at(lowest), values[low], 0.001) << reading;
      if (std::isnan(strength[low])) {
        EXPECT_EQ(cells[static_cast<size_t>(strengthCell)], "-5435") << reading;
        EXPECT_EQ(cells[static_cast<size_t>(percentCell)], "-5435") << reading;
      } else {
        EXPECT_NEAR(at(strengthCell), strength[low], 1.0) << reading;
        ++checkedStrengths;
      }
    }
    // Zero drift changes no strength; a tip drift moves the tip's strength its own way.
    for (const auto& [drift, percent] : {std::pair{2, 7}, std::pair{10, 14}}) {
      if (at(drift) == 0 && cells[static_cast<size_t>(percent)] != "-5435") {
        EXPECT_EQ(at(percent), 0.0);
        if (percent == 7) {
          EXPECT_EQ(cells[6], cells[5]);
        }
      }
    }
    if (at(2) != 0 && cells[7] != "-5435") {
      EXPECT_EQ(at(7) > 0, at(2) > 0) << "tip drift and strength change";
    }
    if (name == "VOORNE-17_8") {
      EXPECT_GE(at(7), -5.0);  // re-normalising qc + drift: about -3 %
      EXPECT_LE(at(7), -1.0);
    }
  }
  EXPECT_GE(checkedStrengths, 8);
}

}  // namespace
