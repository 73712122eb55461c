// The example project's tables checked against independent calculations: every
// printed exponent c against the exponent chart and Ic against its closed
// formula on every row; and liquefaction, checked from the tables it writes:
// every CSR_liq and FS-Liq_tvk cell against CSR and FS recomputed from the
// table's own Depth, VTS, VES, Ic and CRRe cells, every Ev-Liq cell against the
// published strain curves at the table's FS, Ic and Qc1, and the report's LPI
// and settlement against the table's FS and strain columns. Cells are cut (not
// rounded) to their picture's decimals, so each check takes the range of values
// a cut cell stands for.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

#include "app/program.h"
#include "app/run.h"
#include "app/startup.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "q1o/q1o_reader.h"
#include "sld/chart_lookup.h"
#include "sld/chart_table.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class LiquefactionRunTest : public VurnTest {
 protected:
  void runExample(const std::string& amax, const std::string& csrFile, const std::string& magnitude = "") {
    installDataArea();
    writeHostFile("Vurn/Projects/ExampleONE/Vurn_Q1o_Output_Columns---ExampleONE.csv",
                  "Depth_ft,VTS_atm,VES_atm,Qc1_atm,Ic_tvk,CRRe_tvk,CSR_liq,FS-Liq_tvk,Ev-Liq_%,Fr_%,cQc_tvk\r\n");
    General_setup();
    MainControl("EQ_amax_8txt").text = amax;
    MainControl("EQ_CSR_file_8txt").text = csrFile;
    if (!magnitude.empty()) MainControl("EQ_Mb_8txt").text = magnitude;
    Main_run();
  }
};

double rd(double zM) {
  return zM <= 9.15 ? 1 - 0.00765 * zM : zM <= 23 ? 1.174 - 0.0267 * zM : zM <= 30 ? 0.744 - 0.008 * zM : 0.5;
}
// Soil behaviour type index by its closed formula.
double icFormula(double qc1, double fr) { return std::hypot(3.47 - std::log10(qc1), std::log10(fr) + 1.22); }
double kSigma(double ves) { return ves <= 1 ? 1 : std::pow(ves, -0.3); }
double kcCurve(double ic) {
  return -0.403 * std::pow(ic, 4) + 5.581 * std::pow(ic, 3) - 21.63 * ic * ic + 33.75 * ic - 17.88;
}
double kc(double ic) { return ic <= 1.64 ? 1 : kcCurve(ic); }
// Zhang, Robertson & Brachman 2002: the curve of FS f at qc1Ncs q.
double curve(double f, double q) {
  const double limiting = 102 * std::pow(q, -0.82);
  struct C { double fs, from, a, b; };
  for (const C& c : {C{0.6, 147, 2411, -1.45}, C{0.7, 110, 1701, -1.42}, C{0.8, 80, 1690, -1.46}, C{0.9, 60, 1430, -1.48},
                     C{1.0, 0, 64, -0.93}, C{1.1, 0, 11, -0.65}, C{1.2, 0, 9.7, -0.69}, C{1.3, 0, 7.6, -0.71}}) {
    if (std::abs(f - c.fs) < 1e-9) return q <= c.from ? limiting : c.a * std::pow(q, c.b);
  }
  return f <= 0.5 ? limiting : 0.0;
}
double strain(double f, double q) {
  q = std::clamp(q, 33.0, 200.0);
  if (f <= 0.5) return curve(0.5, q);
  if (f >= 2) return 0;
  const double grid[] = {0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1, 1.2, 1.3, 2.0};
  int k = 1;
  while (f > grid[k]) ++k;
  const double t = (f - grid[k - 1]) / (grid[k] - grid[k - 1]);
  return curve(grid[k - 1], q) + t * (curve(grid[k], q) - curve(grid[k - 1], q));
}

// A cut cell c stands for [c, c + step); it agrees with a value known to lie
// in [low, high] when the two ranges meet.
bool meets(float cell, double step, double low, double high) { return cell <= high + 1e-6 && cell + step >= low - 1e-6; }

// The example's CSR earthquake file: depth (ft) and the mean of its motions.
std::vector<std::pair<double, double>> exampleCsrFile(const std::string& text) {
  std::vector<std::pair<double, double>> rows;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    double z = 0, a = 0, b = 0, c = 0;
    if (std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf", &z, &a, &b, &c) == 4) rows.emplace_back(z / 0.3048, (a + b + c) / 3);
  }
  return rows;
}
double interpolated(const std::vector<std::pair<double, double>>& rows, double z) {
  for (size_t k = 1; k < rows.size(); ++k) {
    if (z <= rows[k].first) {
      const double t = (z - rows[k - 1].first) / (rows[k].first - rows[k - 1].first);
      return rows[k - 1].second + t * (rows[k].second - rows[k - 1].second);
    }
  }
  return rows.back().second;
}

// With --eq-amax 0.25 and the CSR file blanked: the simplified CSR everywhere (M 7.5, MSF 1). With the
// window's default CSR file (the example's, 1 to 20 m, M 7.0 in its head): the file's mean CSR within its
// depths, the simplified CSR outside, MSF 10^2.24 / 7^2.56.
class LiquefactionExampleTest : public LiquefactionRunTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LiquefactionExampleTest, CellsAndReportAgreeWithAnIndependentCalculation) {
  const bool withFile = GetParam();
  runExample("0.25", withFile ? "c:\\Vurn\\projects\\exampleone\\CSR-FF-4liq.csv" : "");
  ASSERT_EQ(gRun.soundingsProcessed, 9);
  const fs::path project = dataArea() / "Projects" / "ExampleONE";
  const auto csrFile = exampleCsrFile(readHostFile(project / "CSR-FF-4liq.csv"));
  ASSERT_EQ(csrFile.size(), 13u);
  const double msf = withFile ? std::pow(10, 2.24) / std::pow(7.0, 2.56) : 1.0;
  std::map<std::string, std::pair<double, double>> fromTables;  // sounding -> LPI, settlement (in)
  int rated = 0, exponents = 0, icChecked = 0;
  for (const auto& entry : fs::directory_iterator(project / "Soundings")) {
    const std::string file = entry.path().filename().string();
    if (!file.ends_with("_Q1o.txt")) continue;
    const std::string sounding = file.substr(0, file.size() - 8);
    Q1oTable t;
    std::string message;
    ASSERT_TRUE(Q1oFile_read("C:\\Vurn\\Projects\\ExampleONE\\Soundings\\" + file, t, message)) << message;
    const double water =
        SoundingDatabase_waterTableFeet("C:\\Vurn\\Projects\\ExampleONE\\Vurn_SoundingS---ExampleONE.csv", sounding);
    ASSERT_EQ(t.columns.size(), 11u);
    auto col = [&](int c) -> const std::vector<float>& { return t.columns[static_cast<size_t>(c)].values; };
    const auto &depth = col(0), &vts = col(1), &ves = col(2), &qc1 = col(3), &ic = col(4), &crr = col(5),
               &csr = col(6), &fsCell = col(7), &ev = col(8), &fr = col(9), &c = col(10);
    std::vector<double> z, f, e;
    for (size_t r = 0; r < t.rows; ++r) {
      SCOPED_TRACE(sounding + " row " + std::to_string(r + 1));
      // A printed exponent c is the exponent chart's value at the printed Fr and Qc1 (rows whose iteration ends
      // where the chart has no value print no c and no Qc1); Ic is near its closed formula (the default Ic chart is
      // off it by at most 0.05) wherever Fr and Qc1 lie inside the normalization's limits.
      float frAt = fr[r], qc1At = qc1[r], chart = -5435.0f;
      const bool known = !std::isnan(frAt) && !std::isnan(qc1At);
      if (!std::isnan(c[r])) {
        if (known) Chart_lookup(frAt, qc1At, chart, RequiredChartIndex[kChartCQC1], "");
        EXPECT_NEAR(chart, c[r], 0.01) << "c at Fr " << frAt << ", Qc1 " << qc1At;
        ++exponents;
      }
      if (known && frAt > 0.1f && frAt < 10.0f && qc1At > 1.0f && qc1At < 1000.0f) {
        EXPECT_NEAR(ic[r], icFormula(qc1At, frAt), 0.06) << "Ic at Fr " << frAt << ", Qc1 " << qc1At;
        ++icChecked;
      }
      const double d = depth[r];
      if (std::isnan(d) || (!z.empty() && d <= z.back())) continue;
      z.push_back(d);
      f.push_back(fsCell[r]);
      e.push_back(ev[r]);
      if (std::isnan(vts[r]) || std::isnan(ves[r]) || ves[r] <= 0) {  // no stress at the surface: no CSR
        EXPECT_TRUE(std::isnan(csr[r]) && std::isnan(fsCell[r]));
        continue;
      }
      // CSR = 0.65 x 0.25 x VTS / VES x rd: smallest at the cut VTS, largest VES and depth; largest the other way.
      const double rdHigh = rd(d * 0.3048), rdLow = rd((d + 0.01) * 0.3048);
      double csrLow = 0.1625 * vts[r] / (ves[r] + 0.001) * rdLow;
      double csrHigh = 0.1625 * (vts[r] + 0.001) / ves[r] * rdHigh;
      if (withFile) {
        const double top = csrFile.front().first, bottom = csrFile.back().first;
        if ((d < top && d + 0.01 >= top) || (d <= bottom && d + 0.01 > bottom)) continue;  // at a cut edge
        if (d >= top && d <= bottom) {
          std::tie(csrLow, csrHigh) =
              std::minmax(interpolated(csrFile, d), interpolated(csrFile, std::min(d + 0.01, bottom)));
        }
      }
      ASSERT_FALSE(std::isnan(csr[r]));
      EXPECT_TRUE(meets(csr[r], 0.001, csrLow, csrHigh)) << csr[r] << " not in " << csrLow << " .. " << csrHigh;

      // FS: none above the water table, where Ic > 2.6 or CRRe is missing (cells at a cut edge are skipped).
      const bool above = d + 0.01 <= water, below = d > water;
      if (std::isnan(ic[r]) || std::isnan(crr[r]) || above || ic[r] > 2.6001f) {
        EXPECT_TRUE(std::isnan(fsCell[r]) && std::isnan(ev[r]));
      } else if (below && ic[r] <= 2.599f) {
        ASSERT_FALSE(std::isnan(fsCell[r]));
        const double fsLow = std::min(2.0, crr[r] * msf * kSigma(ves[r] + 0.001) / csrHigh);
        const double fsHigh = std::min(2.0, (crr[r] + 0.001) * msf * kSigma(ves[r]) / csrLow);
        EXPECT_TRUE(meets(fsCell[r], 0.001, fsLow, fsHigh)) << fsCell[r] << " not in " << fsLow << " .. " << fsHigh;
        // Ev at the cell's FS, Ic and Qc1: largest at the lowest FS and qc1Ncs.
        // (Kc steps down from 1 to 0.996 just above Ic 1.64, so both ends of the cut Ic are taken.)
        const auto [kcLow, kcHigh] = std::minmax({kc(ic[r]), kcCurve(ic[r]), kc(ic[r] + 0.001)});
        const double qLow = kcLow * qc1[r], qHigh = kcHigh * (qc1[r] + 0.001);
        // The curves step down where one branch takes over from the limiting strain (qc1Ncs 60, 80, 110, 147),
        // so the range is taken over both ends and both sides of any step between them.
        std::vector<double> evs;
        for (const double q : {qLow, qHigh, 60.0, 60 + 1e-9, 80.0, 80 + 1e-9, 110.0, 110 + 1e-9, 147.0, 147 + 1e-9}) {
          if (q < qLow || q > qHigh) continue;
          for (const double fsEnd : {double(fsCell[r]), fsCell[r] + 0.001}) evs.push_back(strain(fsEnd, q));
        }
        const double evLow = *std::min_element(evs.begin(), evs.end()), evHigh = *std::max_element(evs.begin(), evs.end());
        EXPECT_TRUE(meets(ev[r], 0.001, evLow, evHigh)) << ev[r] << " not in " << evLow << " .. " << evHigh;
        ++rated;
      }
    }
    // Each reading stands for the layer from the reading above (the first: one step above itself) down to it.
    double lpi = 0, settlementFt = 0;
    for (size_t i = 0; i < z.size(); ++i) {
      const double top = i > 0 ? z[i - 1] : std::max(0.0, 2 * z[0] - (z.size() > 1 ? z[1] : z[0]));
      if (!std::isnan(e[i])) settlementFt += e[i] / 100 * (z[i] - top);
      const double a = top * 0.3048, b = std::min(z[i] * 0.3048, 20.0);
      if (!std::isnan(f[i]) && f[i] < 1 && a < b) lpi += (1 - f[i]) * (10 - 0.25 * (a + b)) * (b - a);
    }
    fromTables[sounding] = {lpi, settlementFt * 12};
  }
  EXPECT_GT(rated, 500) << "the real sand soundings have rated depths";
  EXPECT_GT(exponents, 1000);  // the checks must not pass by finding nothing to check
  EXPECT_GT(icChecked, 1000);

  // The report: one row per sounding, in the zero-load report's order.
  const std::string reportText = readHostFile(project / "Vurn---Output---Liquefaction---ExampleONE.txt");
  EXPECT_EQ(reportText.find("Earthquake magnitude M = 7 (CSR earthquake file)") != std::string::npos, withFile);
  EXPECT_NE(reportText.find("\r\nPeak ground acceleration amax = 0.25 g\r\n"), std::string::npos);
  std::istringstream report(reportText);
  std::istringstream zeroLoad(readHostFile(project / "Vurn---Output---Zero_Load_Data---ExampleONE.txt"));
  std::string line;
  std::vector<std::string> zeroOrder, reportOrder;
  // The zero-load rows run from line 3 to the blank line before the drift class table.
  for (int n = 0; std::getline(zeroLoad, line) && line != "\r" && !line.empty(); ++n) {
    if (n >= 2) zeroOrder.push_back(line.substr(13, 15));
  }
  // The report's rows follow its line "sounding ...": LPI and settlement (in) are the 8th and 5th cells from the end.
  while (std::getline(report, line) && line.rfind("sounding ", 0) != 0) {}
  while (std::getline(report, line)) {
    std::istringstream cells(line);
    const std::vector<std::string> words{std::istream_iterator<std::string>(cells), std::istream_iterator<std::string>()};
    ASSERT_GE(words.size(), 12u) << line;
    const std::string& sounding = words.front();
    reportOrder.push_back((sounding + std::string(15, ' ')).substr(0, 15));
    ASSERT_TRUE(fromTables.count(sounding)) << sounding;
    const auto [lpi, inches] = fromTables[sounding];
    EXPECT_NEAR(std::stod(words[words.size() - 8]), lpi, 0.01 + 0.005 * lpi) << sounding;
    EXPECT_NEAR(std::stod(words[words.size() - 5]), inches, 0.01 + 0.005 * inches) << sounding;
  }
  EXPECT_EQ(reportOrder, zeroOrder);
  EXPECT_GT(fromTables["OYSAND-OYSC19"].first, 5.0) << "the loose Oysand sand liquefies under amax 0.25";
}

INSTANTIATE_TEST_SUITE_P(AmaxAlone, LiquefactionExampleTest, ::testing::Values(false));
INSTANTIATE_TEST_SUITE_P(AmaxAndTheExampleCsrFile, LiquefactionExampleTest, ::testing::Values(true));

// The earthquake inputs are checked before any table is written: amax above 0 up to 2 g or a readable CSR file,
// and a magnitude above 0 up to 10; the error names the window field and the batch option.
TEST_F(LiquefactionRunTest, WithoutAmaxOrAReadableCsrFileTheRunSaysWhichInputIsMissing) {
  const std::string noFile = "C:\\Vurn\\Projects\\ExampleONE\\no-such-file.csv";
  const struct { std::string amax, csr, magnitude, error, told; } cases[] = {
      {"", "", "", "LQ101", "amax is not given and no CSR earthquake file is named"},
      {"", noFile, "", "LQ101", "the CSR earthquake file " + noFile + " cannot be read"},
      {"0", "", "", "LQ102", "amax (g) = 0 is not a number above 0 up to 2 g"},
      {"2.001", "", "", "LQ102", "--eq-amax"},
      {"0.2g", "", "", "LQ102", "--eq-amax"},
      {"0.25", "", "0", "LQ103", "--eq-mb"},
      {"0.25", "", "10.01", "LQ103", "--eq-mb"},
      {"2", "", "10", "", ""},  // both largest values are taken
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("amax '" + c.amax + "', CSR file '" + c.csr + "', magnitude '" + c.magnitude + "'");
    const ProgramOutcome outcome = Program_guard([&] { runExample(c.amax, c.csr, c.magnitude); });
    EXPECT_EQ(outcome.identifier, c.error) << outcome.description;
    EXPECT_NE(outcome.description.find(c.told), std::string::npos) << outcome.description;
    if (c.error == "LQ101") {
      for (const std::string word : {"CSR_liq", "amax", "--eq-amax", "--eq-csr"}) {
        EXPECT_NE(outcome.description.find(word), std::string::npos) << outcome.description;
      }
    }
    EXPECT_EQ(fs::exists(dataArea() / "Projects" / "ExampleONE" / "Soundings" / "VOORNE-17_8_Q1o.txt"), c.error.empty())
        << "no table is written before the inputs are checked";
  }
}

}  // namespace
