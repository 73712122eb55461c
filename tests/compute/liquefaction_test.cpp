// Liquefaction formulas and indices against values worked by hand from the
// published formulas (Robertson & Wride 1998, Youd et al. 2001, Zhang et al.
// 2002, Iwasaki et al. 1978, Maurer et al. 2015, van Ballegooy et al. 2014),
// e.g. CSR at z 7 m, sv/s'v 130/90, amax 0.2: 0.65 x 0.2 x 1.4444 x
// (1 - 0.00765 x 7) = 0.17773; Ev at FS 0.87, qc1Ncs 120: 1690 x 120^-1.46 =
// 1.5553 and 1430 x 120^-1.48 = 1.1970, 0.7 of the way: 1.3045.
#include "compute/liquefaction.h"

#include <cmath>
#include <functional>

#include "compute/liquefaction_run.h"
#include "core/depth_values.h"
#include "support/vurn_test.h"

namespace {

constexpr float kMissing = -5435.0f;
constexpr double kFtPerM = 1.0 / 0.3048;

float feet(double metres) { return static_cast<float>(metres * kFtPerM); }

// One or two points of each branch of each formula; the formulas over a whole sounding are checked by
// LiquefactionExampleTest.CellsAndReportAgreeWithAnIndependentCalculation.
TEST(Liquefaction, WorkedValues) {
  struct Case { const char* what; float got, expected, tolerance; };
  const Case cases[] = {
      {"rd 7 m", Liquefaction_rd(7.0f), 0.94645f, 1e-5f},
      {"rd 9.15 m", Liquefaction_rd(9.15f), 0.93000f, 1e-5f},
      {"rd 20 m", Liquefaction_rd(20.0f), 0.64000f, 1e-5f},
      {"rd 23.5 m", Liquefaction_rd(23.5f), 0.55600f, 1e-5f},
      {"rd 31 m", Liquefaction_rd(31.0f), 0.5f, 0.0f},
      {"CSR 7 m", Liquefaction_csrSimplified(0.2f, 1.30f, 0.90f, feet(7)), 0.17773f, 5e-5f},
      {"MSF 6.5", Liquefaction_msf(6.5f), 1.44192f, 1e-4f},
      {"MSF 7.5", Liquefaction_msf(7.5f), 1.0f, 0.0f},
      {"Ksigma .8 atm", Liquefaction_kSigma(0.8f), 1.0f, 0.0f},
      {"Ksigma 2 atm", Liquefaction_kSigma(2.0f), 0.81225f, 1e-5f},
      {"Kc 1.5", Liquefaction_kc(1.5f), 1.0f, 0.0f},
      {"Kc 2.6", Liquefaction_kc(2.6f), 3.327f, 1e-3f},
      {"qc1Ncs low limit", Liquefaction_qc1ncs(1.5f, 10.0f), 33.0f, 0.0f},
      {"qc1Ncs high limit", Liquefaction_qc1ncs(2.6f, 100.0f), 200.0f, 0.0f},
      {"FS example", Liquefaction_fs(0.14780f, Liquefaction_msf(6.5f), 1.0f, 0.25512f), 0.8353f, 2e-4f},
      {"FS cap", Liquefaction_fs(0.5f, 1.0f, 1.0f, 0.1f), 2.0f, 0.0f},
      {"FS no load", Liquefaction_fs(0.2f, 1.0f, 1.0f, 0.0f), 2.0f, 0.0f},
      {"Ev .686 89.667", Liquefaction_strain(0.686f, 89.667f), 2.5553f, 1e-3f},
      {"Ev .5 35", Liquefaction_strain(0.5f, 35.0f), 5.527f, 2e-3f},
      {"Ev .3 90", Liquefaction_strain(0.3f, 90.0f), 2.5470f, 1e-3f},
      {"Ev .8 90", Liquefaction_strain(0.8f, 90.0f), 2.3687f, 1e-3f},
      {"Ev .87 120", Liquefaction_strain(0.87f, 120.0f), 1.3045f, 1e-3f},
      {"Ev 1.65 100", Liquefaction_strain(1.65f, 100.0f), 0.14447f, 1e-4f},
      {"Ev 2", Liquefaction_strain(2.0f, 90.0f), 0.0f, 0.0f},
      {"Ev .5 q limited", Liquefaction_strain(0.5f, 10.0f), 5.8008f, 2e-3f},
  };
  for (const Case& c : cases) EXPECT_NEAR(c.got, c.expected, c.tolerance) << c.what;
  for (float v : {Liquefaction_rd(kMissing), Liquefaction_csrSimplified(kMissing, 1, 1, 1),
                  Liquefaction_csrSimplified(0.2f, 1, 0, 1), Liquefaction_msf(0.0f), Liquefaction_kSigma(kMissing),
                  Liquefaction_fs(0.2f, 1, 1, kMissing), Liquefaction_strain(kMissing, 90), Liquefaction_kc(kMissing)}) {
    EXPECT_EQ(v, kMissing);
  }
}

// A profile of readings every 0.02 m to `bottomM`, FS and strain by depth (m).
struct Profile {
  std::vector<float> depths, fs, strain;
};
Profile profileOf(double bottomM, const std::function<std::pair<float, float>(double)>& at) {
  Profile p;
  for (int k = 1; k * 0.02 <= bottomM + 1e-9; ++k) {
    const auto [f, e] = at(k * 0.02);
    p.depths.push_back(feet(k * 0.02));
    p.fs.push_back(f);
    p.strain.push_back(e);
  }
  return p;
}

TEST(Liquefaction, IndicesOfWorkedProfiles) {
  struct Case {
    const char* what;
    double fromM, toM;
    float fs, strain;
    float lpi, lpiIsh, lsn, settlementM;
  };
  // 4-7 m at FS 0.8, qc1Ncs 90: LPI 0.2 x (30 - 0.25 x 33) = 4.35, LSN 10 x 2.3687 x ln(7/4) = 13.255,
  // S = 3 x 0.023687 m; LPI_ISH 0 since H1 m(FS) = 4 x (e^(5 / 5.112) - 1) = 6.6 > 3.
  // 1-3 m at FS 0.5: LPI 0.5 x (20 - 0.25 x 8) = 9, LPI_ISH 0.5 x 25.56 x ln 3 = 14.040 (H1 m = 0.479 <= 3).
  // 18-22 m at FS 0.5: only 18-20 m counts for LPI (0.5 x (20 - 19) = 0.5) and LSN; the settlement counts all
  // 4 m; LPI_ISH 0 under a crust of 18 m (H1 m = 8.6 > 3).
  const Case cases[] = {
      {"4-7 m", 4, 7, 0.8f, 2.3687f, 4.35f, 0.0f, 13.255f, 0.071061f},
      {"1-3 m", 1, 3, 0.5f, 5.0f, 9.0f, 14.040f, 10 * 5 * std::log(3.0f), 0.1f},
      {"18-22 m", 18, 22, 0.5f, 1.0f, 0.5f, 0.0f, 10 * std::log(20.0f / 18.0f), 0.04f},
  };
  for (const Case& c : cases) {
    const Profile p = profileOf(25.0, [&](double z) {
      const bool in = z > c.fromM + 1e-9 && z <= c.toM + 1e-9;
      return std::pair{in ? c.fs : 2.0f, in ? c.strain : 0.0f};
    });
    const LiquefactionIndices x = Liquefaction_indices(p.depths, p.fs, p.strain);
    EXPECT_NEAR(x.lpi, c.lpi, 0.01f) << c.what;
    EXPECT_NEAR(x.lpiIsh, c.lpiIsh, 0.01f) << c.what;
    EXPECT_NEAR(x.lsn, c.lsn, 0.01f) << c.what;
    EXPECT_NEAR(x.settlementFt * 0.3048f, c.settlementM, 1e-4f) << c.what;
    EXPECT_NEAR(x.liquefiesTopFt, feet(c.fromM), 1e-3f) << c.what;
    EXPECT_NEAR(x.liquefiesBottomFt, feet(c.toM), 1e-3f) << c.what;
    const std::vector<float> below = Liquefaction_settlementProfile(p.depths, p.strain);
    EXPECT_NEAR(below.front() + p.strain.front() / 100 * p.depths.front(), x.settlementFt, 1e-5f) << c.what;
    EXPECT_EQ(below.back(), 0.0f) << c.what;
  }
}

}  // namespace
