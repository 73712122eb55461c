// Golden tests: a crafted sounding (tests/golden/data, see GOLDEN-1.source.txt) run end to end with the built-in
// charts, every hand-workable number of its Q1o table re-derived here in double precision. (The example project's
// Ic and exponents are checked on every row in tests/app/liquefaction_run_test.cpp; the layout of the bytes is held
// by the example's checksum.)
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/run.h"
#include "app/startup.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "platform/host_env.h"
#include "q1o/q1o_reader.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

// The crafted sounding: depth in metres, readings as the file's counts. A tip count above the clean zero of 10 is
// 0.01 atm, a friction count above 5 is 0.001 atm, a u2 count above -3 is 0.001 atm.
struct CraftedRow { double metres; int tip, friction, u2; };
constexpr CraftedRow kCrafted[] = {
    {0.5, 3010, 155, -3},    {1.0, 8010, 405, -3},    {1.5, 10010, 1005, -3}, {2.0, 6010, 905, -3},
    {2.5, 2010, 405, 7},     {3.0, 1010, 305, 17},    {3.5, 1210, 485, 147},  {4.0, 1510, 455, 197},
    {4.5, 4010, 605, 117},   {5.0, 12010, 1205, 87},  {5.5, 15010, 1055, 107}, {6.0, 20010, 1005, 127},
};  // the file's 13th row (6.5 m) is its last and is not stored
constexpr size_t kCraftedRows = std::size(kCrafted);

// Calibration of the crafted file: reference, clean zero, full scale of each channel.
constexpr double kTipReference = 99.18, kTipZero = 10, kTipFullScale = 100;
constexpr double kFrictionReference = 99.18, kFrictionZero = 5, kFrictionFullScale = 10;
constexpr double kU2Reference = 71.040024, kU2Zero = -3, kU2FullScale = 100;
// The sounding database: water table at 10 ft, 115 pcf above, 122 pcf below.
constexpr double kWaterTableFt = 10.0, kAbovePcf = 115.0, kBelowPcf = 122.0;
// Physical constants, written out here rather than taken from the program; the count scale is the HOG
// acquisition unit's.
constexpr double kFeetPerMetre = 3.28084, kPsfPerAtm = 2116.22, kWaterPcf = 62.4, kAtmPerTsf = 0.95;
constexpr double kAtmPerPsi = 0.068046, kCountScale = 0.01044;
// The printed c and the exponent Qc1 was computed with differ by less than the closure criterion; the built-in
// Ic chart is off its formula by at most kIcChartAccuracy.
constexpr double kClosure = 0.008, kIcChartAccuracy = 0.05;

// One column of a Q1o table as the program's reader gives it back (a missing cell is NaN), by identifier.
const std::vector<float>& column(const Q1oTable& t, const std::string& id) {
  for (const Q1oColumn& c : t.columns) if (c.id == id) return c.values;
  ADD_FAILURE() << "no column " << id;
  return t.columns.at(0).values;
}

// Pictures cut decimals, so a cell whose true value lies within [low, high] is printed within [low - step, high]
// (low = high when the value is known); `slack` covers 32-bit against double arithmetic. A NaN cell fails.
void expectWithin(double printed, double low, double high, double step, const std::string& what) {
  const double slack = 2e-6 * std::max(1.0, std::fabs(high));
  EXPECT_TRUE(printed + step + slack > low && printed <= high + slack)
      << what << ": printed " << printed << ", range " << low << " .. " << high;
}
void expectTruncationOf(double truth, double printed, double step, const std::string& what) {
  expectWithin(printed, truth, truth, step, what);
}

// The closed formulas, written from their published form. Soil behaviour type index:
double icFormula(double qc1, double fr) { return std::hypot(3.47 - std::log10(qc1), std::log10(fr) + 1.22); }

// "UCB" CRR: fines from Ic, clean-sand shift held to 0..500, CRR held to 0.01..0.9.
double crrUcbFormula(double qc1, double fr) {
  const double ic = icFormula(qc1, fr);
  const double f = (ic < 1.75 ? 0.01 : ic > 2.9 ? 99.99 : std::clamp(80.0 * ic - 137.0, 0.0, 100.0)) + 2.0;
  const double delta = std::clamp((11.9 + qc1 / 14.6) * std::exp(1.63 - 9.7 / f - (15.7 / f) * (15.7 / f)), 0.0, 500.0);
  const double q = qc1 + delta;
  const double crr = std::exp(q / 113.0 + std::pow(q / 1000.0, 2) - std::pow(q / 140.0, 3) + std::pow(q / 137.0, 4) - 2.8);
  return std::clamp(crr, 0.01, 0.9);
}

// "UCD" CRR with c = 1, M = 7.5, stress 1 atm, probability 0.1; no limits.
double crrUcdFormula(double qc1, double fr) {
  const double q = qc1 / 10.0;
  const double s = std::pow(q, 1.045) + 0.11 * fr * q + 0.001 * fr + 1.0 * (1.0 + 0.85 * fr) - 0.848 * std::log(7.5) -
                   0.002 * std::log(100.0 * 1.0) - 20.923 + 1.632 * 0.1;
  return std::exp(s / 7.177);
}

// Per-depth values worked out from the file's counts: (reading - clean zero) x 0.01044 x full scale / reference,
// then tsf (tip, sleeve) or psi (u2) to atm; Fr from qt = qc (no pore pressure correction).
struct Expected { double depthFt, qc, fs, u2, fr; };
Expected expectedOf(const CraftedRow& r) {
  const double qc = kAtmPerTsf * (r.tip - kTipZero) * kCountScale * (kTipFullScale / kTipReference);
  const double fs = kAtmPerTsf * (r.friction - kFrictionZero) * kCountScale * (kFrictionFullScale / kFrictionReference);
  return {r.metres * kFeetPerMetre, qc, fs, kAtmPerPsi * (r.u2 - kU2Zero) * kCountScale * (kU2FullScale / kU2Reference),
          fs * 100.0 / qc};
}

class GoldenTest : public VurnTest {
 protected:
  // Adds `project` with the crafted files to the data area, runs it with the built-in charts, returns its Q1o table.
  Q1oTable runCraftedProject(const std::string& project) {
    installDataArea();
    const fs::path data = fs::path(VURN_SOURCE_DIR) / "tests" / "golden" / "data";
    const std::string list = readHostFile(dataArea() / "Projects" / "Vurn_ProjectS---Vurn.csv");
    writeHostFile("Vurn/Projects/Vurn_ProjectS---Vurn.csv",
                  list + project + ",\"crafted golden test project\",GT1,\"crafted golden test\",2024-04-01,,-74.5,40.5,"
                                   "\"crafted\"\r\n");
    for (const std::string& name : {"Vurn_SoundingS---" + project + ".csv", "Vurn_Q1o_Output_Columns---" + project + ".csv",
                                   std::string("GOLDEN-1.CPT")}) {
      writeHostFile("Vurn/Projects/" + project + (name.ends_with(".CPT") ? "/Soundings/" : "/") + name,
                    readHostFile(data / name));
    }
    HostClock_setFixed(2024, 4, 1, 36000.0);
    General_setup();
    Command_pickProject(project);
    MainControl("SLD_data_location_Internal_8opb").value = 1;
    MainControl("SLD_data_location_File_8opb").value = 0;
    MainControl("Columns_Q1o_File_8opb").value = 1;
    MainControl("Columns_Q1o_Internal_8opb").value = 0;
    Main_run();
    EXPECT_EQ(gRun.soundingsProcessed, 1);
    EXPECT_EQ(gRun.chartDataSource, "INTERNAL");
    Q1oTable table;
    std::string message;
    EXPECT_TRUE(Q1oFile_read("C:\\Vurn\\Projects\\" + project + "\\Soundings\\GOLDEN-1_Q1o.txt", table, message)) << message;
    return table;
  }

  // Checks shared by both tables: readings from the counts, Qc1 from qt, VES, VTS and c, Ic and CRR by their
  // formulas. The true VES of depth i lies within ves[i].first .. ves[i].second, its VTS within vts[i].
  using Ranges = std::vector<std::pair<double, double>>;
  static void checkCommonColumns(const Q1oTable& t, const Ranges& ves, const Ranges& vts, const std::string& crrColumn,
                                 double (*crrFormula)(double, double)) {
    ASSERT_EQ(t.rows, kCraftedRows);
    const auto &depth = column(t, "Depth_ft"), &qc = column(t, "Qc_atm"), &fs = column(t, "fs_atm"),
               &u2 = column(t, "u2_atm"), &frs = column(t, "Fr_%"), &vess = column(t, "VES_atm"),
               &vtss = column(t, "VTS_atm"), &qc1s = column(t, "Qc1_atm"), &cs = column(t, "cQc_tvk"),
               &ics = column(t, "Ic_tvk"), &crr = column(t, crrColumn);
    for (size_t i = 0; i < kCraftedRows; ++i) {
      const Expected e = expectedOf(kCrafted[i]);
      const std::string at = "row " + std::to_string(i + 1) + " ";
      expectTruncationOf(e.depthFt, depth[i], 0.01, at + "Depth_ft");
      expectTruncationOf(e.qc, qc[i], 0.001, at + "Qc_atm");
      expectTruncationOf(e.fs, fs[i], 0.001, at + "fs_atm");
      expectTruncationOf(e.u2, u2[i], 0.001, at + "u2_atm");
      expectTruncationOf(e.fr, frs[i], 0.001, at + "Fr_%");
      const auto [vLow, vHigh] = ves[i];
      expectWithin(vess[i], vLow, vHigh, 0.001, at + "VES_atm");
      expectWithin(vtss[i], vts[i].first, vts[i].second, 0.001, at + "VTS_atm");

      // Qc1 = qt / VES^c over the range of c (cut, and within the closure) and of VES.
      const double c = cs[i], qc1 = qc1s[i], fr = frs[i];
      EXPECT_TRUE(c >= 0.01 && c <= 1.5) << at << "c " << c;
      double qc1Low = 1e300, qc1High = -1e300;
      for (double v : {vLow, vHigh}) {
        for (double exponent : {c - kClosure, c + 0.001 + kClosure}) {
          qc1Low = std::min(qc1Low, e.qc / std::pow(v, exponent));
          qc1High = std::max(qc1High, e.qc / std::pow(v, exponent));
        }
      }
      expectWithin(qc1, qc1Low, qc1High, 0.001, at + "Qc1_atm");
      EXPECT_TRUE(qc1 > 1.0 && qc1 < 1000.0) << at << "no crafted depth reaches a limit of the normalization";

      // Ic by its formula at the printed Fr and Qc1; CRR by its formula over the cut cell [qc1, qc1 + 0.001] x
      // [fr, fr + 0.001], from its corners (monotone there).
      EXPECT_NEAR(ics[i], icFormula(qc1, fr), kIcChartAccuracy + 0.002) << at << "Ic_tvk";
      const auto corners = {crrFormula(qc1, fr), crrFormula(qc1 + 0.001, fr), crrFormula(qc1, fr + 0.001),
                            crrFormula(qc1 + 0.001, fr + 0.001)};
      expectWithin(crr[i], std::min(corners), std::max(corners), 0.001, at + crrColumn);
    }
  }
};

// Unit weight by the water table; columns in layout A (one line). (A column the table lacks fails in column().)
TEST_F(GoldenTest, WaterTableMethodTableMatchesHandWorkedNumbers) {
  const Q1oTable t = runCraftedProject("GoldenWT");

  // Each layer takes the unit weight at its bottom depth, less water's below the water table.
  Ranges ves, vts;
  double vesPsf = 0.0, vtsPsf = 0.0, above = 0.0;
  for (const CraftedRow& r : kCrafted) {
    const double depth = r.metres * kFeetPerMetre;
    const bool below = depth > kWaterTableFt;
    vesPsf += (depth - above) * (below ? kBelowPcf - kWaterPcf : kAbovePcf);
    vtsPsf += (depth - above) * (below ? kBelowPcf : kAbovePcf);
    above = depth;
    ves.emplace_back(vesPsf / kPsfPerAtm, vesPsf / kPsfPerAtm);
    vts.emplace_back(vtsPsf / kPsfPerAtm, vtsPsf / kPsfPerAtm);
  }
  // By hand: 1.64042 ft x 115 pcf; at 3.5 m, 9.84252 ft x 115 + 1.64042 ft x (122 - 62.4) or x 122.
  EXPECT_NEAR(ves[6].first, 0.58106, 1e-5);
  EXPECT_NEAR(vts[6].first, 0.62943, 1e-5);
  checkCommonColumns(t, ves, vts, "CRRe_UCB", crrUcbFormula);

  // The head names the built-in charts.
  EXPECT_NE(readHostFile(dataArea() / "Projects" / "GoldenWT" / "Soundings" / "GOLDEN-1_Q1o.txt")
                .find("\r\nSLD_file=2   ID_full=Ic_tvk         Units=^blank^   Version_date=2026 December 6   "
                      "Method=tvk   Author_short=VurnDefault   =^blank^   Description=Soil behaviour type index Ic   "
                      "                      \r\n"),
            std::string::npos);
}

// Unit weight from the chart; columns in layout B (one per item), some in other units.
TEST_F(GoldenTest, ChartMethodAndLayoutBTableMatchesHandWorkedNumbers) {
  const Q1oTable t = runCraftedProject("GoldenChart");
  ASSERT_EQ(t.rows, kCraftedRows);
  const auto &metres = column(t, "Depth_m"), &tsf = column(t, "Qc_tsf"), &hwft = column(t, "u2_hwft"),
             &vesCells = column(t, "VES_atm"), &uwt = column(t, "UWT1_tvk_pcf"), &s1 = column(t, "S1_tvk"),
             &s = column(t, "S_tvk_psf");

  // A layer takes the chart's unit weight at the depth above (the previous row's cut UWT1 cell); the first 115 pcf.
  double vesLow = 0.0, vesHigh = 0.0, vtsLow = 0.0, vtsHigh = 0.0, above = 0.0;
  Ranges ves, vts;
  for (size_t i = 0; i < kCraftedRows; ++i) {
    const double depth = kCrafted[i].metres * kFeetPerMetre, layer = depth - above;
    const double water = depth > kWaterTableFt ? kWaterPcf : 0.0;
    const double uwtLow = i == 0 ? kAbovePcf : uwt[i - 1], uwtHigh = i == 0 ? kAbovePcf : uwtLow + 0.1;
    EXPECT_TRUE(uwtLow >= 63.0 && uwtHigh <= 155.1) << uwtLow;
    vesLow += layer * (uwtLow - water);
    vesHigh += layer * (uwtHigh - water);
    vtsLow += layer * uwtLow;
    vtsHigh += layer * uwtHigh;
    above = depth;
    ves.emplace_back(vesLow / kPsfPerAtm, vesHigh / kPsfPerAtm);
    vts.emplace_back(vtsLow / kPsfPerAtm, vtsHigh / kPsfPerAtm);

    const std::string at = "row " + std::to_string(i + 1) + " ";
    const Expected e = expectedOf(kCrafted[i]);
    expectTruncationOf(kCrafted[i].metres, metres[i], 0.001, at + "Depth_m");
    expectTruncationOf(e.qc / kAtmPerTsf, tsf[i], 0.001, at + "Qc_tsf");
    expectTruncationOf(e.u2 * kPsfPerAtm / kWaterPcf, hwft[i], 0.1, at + "u2_hwft");
    // S = S1 x VES in psf, from the printed (cut) S1 and VES.
    expectWithin(s[i], s1[i] * vesCells[i] * kPsfPerAtm, (s1[i] + 0.001) * (vesCells[i] + 0.001) * kPsfPerAtm, 1.0,
                 at + "S_tvk_psf");
  }
  // By hand, second depth: 188.648 psf + 1.64042 ft x 117.9 .. 118.0 pcf = 0.1805 atm.
  EXPECT_FLOAT_EQ(uwt[0], 117.9f);
  EXPECT_FLOAT_EQ(vesCells[1], 0.180f);
  checkCommonColumns(t, ves, vts, "CRRe_UCD", crrUcdFormula);
}

// The oracle formulas against the correlations' published values.
TEST_F(GoldenTest, ClosedFormulasOfTheChecksGiveThePublishedValues) {
  EXPECT_NEAR(icFormula(100.0, 1.0), 1.910, 0.001);
  EXPECT_NEAR(crrUcbFormula(100.0, 1.0), 0.185, 0.001);
  EXPECT_NEAR(crrUcbFormula(20.0, 0.5), 0.109, 0.001);
  EXPECT_NEAR(crrUcdFormula(100.0, 1.0), 0.3087, 0.0001);
}

}  // namespace
