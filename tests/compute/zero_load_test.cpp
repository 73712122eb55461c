// The zero-load analysis: depth limit, lowest readings, the strengths at one
// depth and at its zero-corrected point, the drift limits file and class
// table, and the report of the example project checked against its field data
// files and Q1o tables.
#include "compute/zero_load.h"

#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "app/run.h"
#include "app/startup.h"
#include "compute/predictions.h"
#include "fielddata/hog_reader.h"
#include "core/depth_values.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "files/text.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"
#include "q1o/q1o_reader.h"
#include "sld/chart_lookup.h"
#include "sld/chart_table.h"
#include "support/test_charts.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
// The default limits (kPa) by class: the ISO 22476-1:2012 application classes 1 to 4.
constexpr float kDefaultLimits[5][3] = {{}, {35, 5, 10}, {100, 15, 25}, {200, 25, 50}, {500, 50, kInf}};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
  return lines;
}

std::vector<std::string> wordsOf(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

class ZeroLoadTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    useProject("P1");
    fs::create_directories(dataArea() / "software");
    fs::copy_file(bundledLimits(), dataArea() / "software" / "Vurn-Drift-Limits.txt");
  }
  static fs::path bundledLimits() { return fs::path(VURN_SOURCE_DIR) / "dist/Vurn/software/Vurn-Drift-Limits.txt"; }
  static void start(const std::string& limit) {
    MainControl("Depth_lowest_WhenLookingForLowestQc_feet8txt").text = limit;
    ZeroLoad_start();
  }
  // A record with clean zeros (atm) and clean-to-dirty drifts (kPa).
  static void addRecord(int k, const std::string& device, const std::string& date, const std::string& sounding,
                        float qcClean, float tipKpa = 25, float sleeveKpa = 0, float u2Kpa = 0) {
    ZeroLoadRecord& r = gZeroLoad.records[static_cast<size_t>(k)];
    r = ZeroLoadRecord{};
    r.device = device;
    r.dateTime = date;
    r.sounding = sounding;
    r.qcZeroClean = qcClean;
    r.qcZeroDirty = qcClean - tipKpa / 101.325f;
    r.fsZeroClean = 0.1f;
    r.fsZeroDirty = 0.1f - sleeveKpa / 101.325f;
    r.u2DriftC2D = u2Kpa / 101.325f;
    gZeroLoad.count = std::max(gZeroLoad.count, k);
  }
  std::vector<std::string> reportLines(const std::string& project = "P1") {
    return linesOf(readHostFile(dataArea() / "Projects" / project / ("Vurn---Output---Zero_Load_Data---" + project + ".txt")));
  }
};

TEST_F(ZeroLoadTest, DepthLimitAndCapacityErrors) {
  const struct { const char* text; const char* id; } bad[] = {{"abc", "LFE543"}, {"", "LFE543"}, {"10", "LFE178"}, {"0.5", "LFE551"}, {"-1", "LFE551"}};
  for (const auto& c : bad) {
    gRun.errorReported = false;
    EXPECT_ERROR_REPORT(start(c.text), c.id);
  }
  gRun.errorReported = false;
  start("3");
  EXPECT_ERROR_REPORT(ZeroLoad_beginSounding(2001), "ZLR201");
  gRun.errorReported = false;
  for (int k = 1; k <= 21; ++k) addRecord(k, "DEV" + std::to_string(k), "d", "s", 0.1f);
  EXPECT_ERROR_REPORT(ZeroLoad_writeReport(), "ZLR203");
  gRun.errorReported = false;
  gZeroLoad.count = 1;
  TextWriter_failOpensOf("Zero_Load_Data");
  EXPECT_ERROR_REPORT(ZeroLoad_writeReport(), "ZLR204");
}

// A zero reading of 5435 counts is a reading (only one the file did not give
// is missing), converted as the readings are: 0.95 atm/tsf x factor x 0.01044.
TEST_F(ZeroLoadTest, ZeroReadingsOfTheMissingMarkersValueAreReadings) {
  start("2");
  HogChannel& tip = gHogHeader.tip;
  tip.factor = 2.0f;
  for (const float reading : {5435.0f, -5435.0f}) {
    std::tie(tip.cleanZero, tip.cleanZeroRead, tip.dirtyZero, tip.dirtyZeroRead) = std::tuple{reading, true, NullValue, false};
    ZeroLoad_beginSounding(1);
    EXPECT_NEAR(gZeroLoad.records[1].qcZeroClean, reading * 0.95 * 2.0 * 0.01044, 1e-3) << reading;
    EXPECT_EQ(gZeroLoad.records[1].qcZeroDirty, NullValue);
  }
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
    std::tie(gDepth.depth, gDepth.qc, gDepth.fs, gDepth.ves, gDepth.fr, gDepth.qc1) = std::tuple{d.depth, d.qc, d.fs, d.depth / 10, d.depth, d.qc * 2};
    gPredictions.s1Value = d.s1;
    ZeroLoad_trackDepth(1);
  }
  const ZeroLoadRecord& r = gZeroLoad.records[1];
  const ZeroLoadDepth& q = r.qcLowestAt;
  const ZeroLoadDepth& f = r.fsLowestAt;
  EXPECT_EQ(std::vector<float>({r.qcLowest, q.depth, q.qc, q.fs, q.fr, q.qc1, q.strength}),
            std::vector<float>({15.0f, 4.0f, 15.0f, 0.30f, 4.0f, 30.0f, NullValue}));
  EXPECT_EQ(std::vector<float>({r.fsLowest, f.depth, f.qc, f.fr, f.qc1, f.strength}),
            std::vector<float>({0.10f, 4.5f, 15.0f, 4.5f, 30.0f, 0.6f}));
  EXPECT_FLOAT_EQ(q.ves, 0.4f);
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
  UseFlatChart(RequiredChartIndex[kChartCQC1], {{0.5f, 0.5f}, {0.5f, 2000.0f}});
  const auto s1At = [](double qt, double fs, double ves) {
    float x = static_cast<float>(fs * 100 / qt), y = static_cast<float>(qt / std::pow(ves, 0.4953125)), v = NullValue;
    Chart_lookup(x, y, v, RequiredChartIndex[kChartS1], "");
    return static_cast<double>(v);
  };
  ZeroLoadRecord r;
  r.qcDriftC2D = 1.5f;
  r.qcLowestAt = {20.0f, 6.0f, 0.12f, 0.5f, 2.0f, 8.5f, static_cast<float>(s1At(6.0, 0.12, 0.5))};
  r.fsDriftC2D = 0.04f;
  r.fsLowestAt = {22.0f, 8.0f, 0.1f, 0.6f, 1.25f, 10.0f, static_cast<float>(s1At(8.0, 0.1, 0.6))};
  gDepth.depth = 12.5f;

  const ZeroLoadStrengths s = ZeroLoad_strengths(r);
  EXPECT_NEAR(s.qcLowest, r.qcLowestAt.strength * 0.5 * 2116.22, 0.05);  // su = su/sigma'v x sigma'v, psf
  const double corrected = s1At(7.5, 0.12, 0.5) * 0.5 * 2116.22;
  EXPECT_NEAR(s.qcCorrected, corrected, 1e-4 * corrected);
  EXPECT_NEAR(s.qcPercent, (corrected / s.qcLowest - 1) * 100, 0.01);
  EXPECT_NEAR(s.fsPercent, (s1At(8.0, 0.14, 0.6) / r.fsLowestAt.strength - 1) * 100, 0.01);
  EXPECT_EQ(gDepth.depth, 12.5f);  // the depth being processed is left as it was
}

// Several soundings of one device, which the example project lacks (its report's layout is held by the example's
// checksum): by device, then date; the clean-to-clean drift within a device; the device's line of the class table.
TEST_F(ZeroLoadTest, ReportIsSortedWithDriftsWithinEachDeviceThenTheClassTable) {
  loadBuiltInCharts();
  start("2");
  addRecord(1, "RIG-B", "20070305~090000-local", "CPT-3", 0.40f, 120.0f, -3.0f, 60.0f);
  addRecord(2, "RIG-A", "20070307~140509-local", "CPT-2", 0.62f, -35.0f, 15.5f);
  addRecord(3, "RIG-A", "20070306~100000-local", "CPT-1", 0.50f);
  ZeroLoad_writeReport();
  const auto lines = reportLines();
  ASSERT_EQ(lines.size(), 23u);  // by device first: RIG-B is the earliest
  EXPECT_EQ(lines[2].substr(0, 28), "RIG-A        CPT-1          ");
  EXPECT_EQ(lines[3].substr(0, 28), "RIG-A        CPT-2          ");
  EXPECT_EQ(lines[4].substr(0, 28), "RIG-B        CPT-3          ");
  EXPECT_EQ(lines[3].substr(28 + 19 + 29, 9), "  0.120  ");      // 0.62 - 0.50 within RIG-A
  EXPECT_EQ(lines[4].substr(28 + 19 + 29, 9), "  -5435  ");      // RIG-B: first of its device
  const std::vector<std::string> expected = {"2 -35.000 15.500 0 3 RIG-A", "1 120.000 -3.000 60.000 4 RIG-B"};
  for (size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(wordsOf(lines[21 + k]), wordsOf(expected[k]));
}

// At each limit of the bundled file a drift meets its class, also after the
// 32-bit trip through atm; 1 Pa past it, the next class (or none).
TEST_F(ZeroLoadTest, DriftClassAtAndJustPastEachLimit) {
  DriftLimits_read();
  for (int k = 1; k <= 4; ++k) {
    for (size_t c = 0; c < 3; ++c) {
      const float limit = kDefaultLimits[k][c];
      for (const float sign : {1.0f, -1.0f}) {
        for (const auto& [drift, expected] : {std::pair{limit, std::to_string(k)},
                                              std::pair{limit / 101.325f * 101.325f, std::to_string(k)},
                                              std::pair{limit + 0.001f, k == 4 ? "none" : std::to_string(k + 1)}}) {
          float d[3] = {0, 0, 0};
          d[c] = sign * drift;
          EXPECT_EQ(DriftClass_of(d[0], d[1], d[2]), std::isinf(limit) ? "4" : expected) << d[0] << " " << d[1] << " " << d[2];
        }
      }
    }
  }
  EXPECT_EQ(DriftClass_of(1.0f, 1.0f, NullValue), "1");  // no filter: tip and sleeve alone
  EXPECT_EQ(DriftClass_of(NullValue, 1.0f, 1.0f), "unknown");
  EXPECT_EQ(DriftClass_of(1.0f, NullValue, 1.0f), "unknown");
}

TEST_F(ZeroLoadTest, DriftLimitsFileIsReadByItsHeaderAndNeverReplacedByFirstUse) {
  // The bundled defaults are checked limit by limit above. A user's own file, columns in another order and a limit
  // equal in two classes (only a shrinking one is refused), is kept by first use.
  const std::string mine = "my limits\r\n{SLEEVE_KPA},{CLASS},{PORE_PRESSURE_KPA},{TIP_KPA}\r\n\r\n4,4,none,none\r\n"
                           "2,2,20,20\r\n1,1,10,10\r\n3,3,20,30\r\n";  // classes 2 and 3 share a pore pressure limit
  writeHostFile("Vurn/software/Vurn-Drift-Limits.txt", mine);
  installDataArea();
  EXPECT_EQ(readHostFile(dataArea() / "software" / "Vurn-Drift-Limits.txt"), mine);
  DriftLimits_read();
  const DriftClassLimits& l3 = gZeroLoad.driftLimits[3];
  EXPECT_EQ(std::vector<float>({l3.tip, l3.sleeve, l3.porePressure, gZeroLoad.driftLimits[4].tip}),
            std::vector<float>({30, 3, 20, kInf}));
  // (A data area without the file gets it from first use, or the example run after first use could not start.)
}

// A sounding's zero readings in atm (clean, dirty), read from its field data
// file as the acquisition system wrote them: line 17 names the channels (apart
// by two blanks or more), lines 18 to 20 give in the same order each one's
// reference number, clean zero, and full scale with its unit; the last line is
// the closing zero row (depth, then the channels) when the push ended with
// end-of-push rows (sleeve -32768), otherwise the dirty zeros are unknown.
std::map<std::string, std::pair<double, double>> zerosOf(const std::string& text) {
  const std::vector<std::string> lines = linesOf(text);
  std::istringstream names(std::regex_replace(std::regex_replace(lines[16], std::regex("^ +"), ""), std::regex(" {2,}"), "|"));
  const auto reference = wordsOf(lines[17]), clean = wordsOf(lines[18]), scale = wordsOf(lines[19]);
  const auto last = wordsOf(lines.back());
  const bool closing = text.find("-32768") != std::string::npos;
  std::map<std::string, std::pair<double, double>> zeros;
  size_t k = 0;
  for (std::string name; std::getline(names, name, '|'); ++k) {
    for (const char* channel : {"TIP", "FRICTION", "U2"}) {
      if (name.find(channel) == std::string::npos) continue;
      // A count is 0.01044 tsf (psi for pore pressure) x full scale / reference; 0.95 atm per tsf, 0.068046 per psi.
      const double perCount = std::stod(scale[2 * k]) / std::stod(reference[k]) * 0.01044 * (name.find("U2") != std::string::npos ? 0.068046 : 0.95);
      zeros[channel] = {std::stod(clean[k]) * perCount, closing ? std::stod(last[k + 1]) * perCount : NAN};
    }
  }
  return zeros;
}

TEST_F(ZeroLoadTest, ExampleReportMatchesTheFieldDataZerosAndTheQ1oStrengths) {
  fs::remove_all(dataArea());
  installDataArea();
  General_setup();
  Main_run();
  ASSERT_EQ(gRun.soundingsProcessed, 9);
  const auto lines = reportLines("ExampleONE");
  // The class table's sounding lines: sounding (15 characters), three drifts, the class.
  std::map<std::string, std::vector<std::string>> classLine;
  size_t t = 11;
  while (t < lines.size() && lines[t].rfind("sounding ", 0) != 0) ++t;
  for (t += 2; t < lines.size() && !lines[t].empty(); ++t) classLine[TrimBlanks(lines[t].substr(0, 15))] = wordsOf(lines[t].substr(17, 40));
  ASSERT_EQ(classLine.size(), 9u);

  // The HOG soundings, whose header zeros this test reads itself; the other
  // formats' rows are held to their HOG conversions by the readers' run tests.
  int strengthsChecked = 0, hogRows = 0;
  for (size_t row = 2; row < 11; ++row) {
    const std::string cut = TrimBlanks(lines[row].substr(13, 15));
    std::string name;
    for (const auto& entry : fs::directory_iterator(Host_resolve("C:\\Vurn\\Projects\\ExampleONE\\Soundings"))) {
      if (entry.path().extension() == ".CPT" && entry.path().stem().string().substr(0, 15) == cut) name = entry.path().stem().string();
    }
    if (name.empty()) continue;
    ++hogRows;
    SCOPED_TRACE(name);
    const std::vector<std::string> cells = wordsOf(lines[row].substr(47));
    ASSERT_EQ(cells.size(), 16u);
    const auto at = [&](size_t k) { return std::stod(cells[k]); };

    // Zeros and drifts as the file holds them (cells cut to 3 and 4 decimals); without
    // a closing zero row the report takes the clean zeros again and the class is unknown.
    auto zeros = zerosOf(readHostFile(Host_resolve("C:\\Vurn\\Projects\\ExampleONE\\Soundings\\" + name + ".CPT")));
    const bool closing = !std::isnan(zeros["TIP"].second);
    for (auto& [channel, z] : zeros) z.second = closing ? z.second : z.first;
    EXPECT_NEAR(at(0), zeros["TIP"].first, 0.001);
    EXPECT_NEAR(at(1), zeros["TIP"].second, 0.001);
    EXPECT_NEAR(at(8), zeros["FRICTION"].first, 0.0001);
    EXPECT_NEAR(at(9), zeros["FRICTION"].second, 0.0001);
    const std::vector<std::string>& drifts = classLine[cut];
    double kpa[3];
    for (size_t c = 0; c < 3; ++c) {
      const auto& z = zeros[std::array{"TIP", "FRICTION", "U2"}[c]];
      kpa[c] = (z.first - z.second) * 101.325;
      EXPECT_TRUE(!closing || std::fabs(std::stod(drifts[c]) - kpa[c]) < 0.0011) << drifts[c] << " kPa, file " << kpa[c];
    }
    std::string expectedClass = closing ? "none" : "unknown";
    for (size_t k = 4; closing && k >= 1; --k) {
      const auto& limit = kDefaultLimits[k];
      if (std::fabs(kpa[0]) <= limit[0] + 5e-4 && std::fabs(kpa[1]) <= limit[1] + 5e-4 && std::fabs(kpa[2]) <= limit[2] + 5e-4) {
        expectedClass = std::to_string(k);
      }
    }
    EXPECT_EQ(drifts.back(), expectedClass);

    // Strengths: the lowest readings below 2 ft in the Q1o table, the first of equals.
    Q1oTable table;
    std::string message;
    ASSERT_TRUE(Q1oFile_read("C:\\Vurn\\Projects\\ExampleONE\\Soundings\\" + name + "_Q1o.txt", table, message)) << message;
    const auto& depth = table.columns[0].values;
    const auto& strength = table.columns[static_cast<size_t>(Q1oTable_find(table, "S"))].values;
    for (const auto& [reading, lowest, strengthCell] : {std::tuple{"Qc", 4u, 5u}, std::tuple{"fs", 12u, 13u}}) {
      const auto& values = table.columns[static_cast<size_t>(Q1oTable_find(table, reading))].values;
      size_t low = table.rows;
      for (size_t i = 0; i < table.rows; ++i) {
        if (depth[i] > 2.0f && !std::isnan(values[i]) && (low == table.rows || values[i] < values[low])) low = i;
      }
      ASSERT_LT(low, table.rows);
      EXPECT_NEAR(at(lowest), values[low], 0.001) << reading;
      const bool none = std::isnan(strength[low]);
      EXPECT_EQ(cells[strengthCell] == "-5435", none) << reading;
      EXPECT_EQ(cells[strengthCell + (reading[0] == 'Q' ? 2 : 1)] == "-5435", none) << reading;  // its percent
      if (!none) {
        EXPECT_NEAR(at(strengthCell), strength[low], 1.0) << reading;
        ++strengthsChecked;
      }
    }
    // (The strengths at the zero-corrected points: CorrectedPointIsNormalisedAsTheReading.)
  }
  EXPECT_EQ(hogRows, 6);
  EXPECT_GE(strengthsChecked, 8);
}

}  // namespace
