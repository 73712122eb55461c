// Cyclic resistance by the UCD and UCB correlations, step by step.
//
// Expected values were worked by hand (calculator, double precision):
//   UCB, qc1 = 100, fr = 1:
//     ic    = sqrt((3.47 - 2)^2 + (0 + 1.22)^2)       = sqrt(3.6493)  = 1.91031
//     fc    = 80 x 1.91031 - 137                                        = 15.8251
//     delta = (11.9 + 100 / 14.6) x e^(1.63 - 9.7 / 17.8251 - (15.7 / 17.8251)^2)
//           = 18.7493 x e^(1.63 - 0.54418 - 0.77577) = 18.7493 x 1.36353  = 25.5646
//     qcs   = 125.5646
//     crr   = e^(1.11119 + 0.01577 - 0.72147 + 0.70563 - 2.8) = e^-1.68888 = 0.18473
//   UCB, qc1 = 20, fr = 0.5:
//     ic = sqrt(2.16897^2 + 0.91897^2) = 2.35562, fc = 51.4494,
//     delta = (11.9 + 1.36986) x e^(1.63 - 0.18148 - 0.08628) = 13.26986 x 3.90497 = 51.818,
//     qcs = 71.818, crr = e^(0.63556 + 0.00516 - 0.13567 + 0.07531 - 2.8) = e^-2.21876 = 0.10874
//   UCD, qc1 = 100, fr = 1 (q = 10):
//     S = 10^1.045 + 1.1 + 0.001 + 1.85 - 0.848 ln 7.5 - 0.002 ln 100 - 20.923 + 0.1632
//       = 11.09175 + 2.951 - 1.70862 - 0.00921 - 20.923 + 0.1632 = -8.43490
//     crr = e^(S / 7.177) = e^-1.17527 = 0.30874
#include "compute/crr.h"

#include <cmath>
#include <utility>

#include "support/vurn_test.h"

namespace {

constexpr float kMissing = -5435.0f;

TEST(CrrUcb, WorkedExamples) {
  struct Case {
    float qc1, fr;
    float ic, fc, delta, crr;
    float deltaTolerance;
  };
  for (const Case& c : {
           Case{100.0f, 1.0f, 1.91031f, 15.8251f, 25.5646f, 0.18473f, 0.005f},
           Case{20.0f, 0.5f, 2.35562f, 51.4494f, 51.818f, 0.10874f, 0.005f},
       }) {
    float ic = 0, fc = 0, delta = 0, crr = 0;
    EXPECT_TRUE(SoilIndex(c.qc1, c.fr, ic));
    EXPECT_NEAR(ic, c.ic, 2e-4f);
    EXPECT_TRUE(FinesFromIndex(ic, fc));
    EXPECT_NEAR(fc, c.fc, 0.02f);
    EXPECT_TRUE(CleanSandShift(fc, c.qc1, delta));
    EXPECT_NEAR(delta, c.delta, c.deltaTolerance);
    EXPECT_TRUE(CrrFromCleanSand(c.qc1 + delta, crr));
    EXPECT_NEAR(crr, c.crr, 2e-4f);

    float whole = 0;
    EXPECT_TRUE(CrrUcb(c.qc1, c.fr, whole)) << c.qc1;
    EXPECT_EQ(whole, crr) << "the result is step 5's crr";
  }
}

TEST(CrrUcb, ZeroFrictionGivesTheLimitingValue) {
  // log10(0) has no value: the index goes far beyond 12 (about 5434), the fines
  // take their upper value and the result is still a CRR inside 0.01 .. 0.9.
  float ic = 0, fc = 0, crr = 0;
  EXPECT_FALSE(SoilIndex(100.0f, 0.0f, ic));
  EXPECT_GT(ic, 5000.0f);
  EXPECT_TRUE(FinesFromIndex(ic, fc));
  EXPECT_FLOAT_EQ(fc, 99.99f);
  EXPECT_FALSE(CrrUcb(100.0f, 0.0f, crr));
  EXPECT_GE(crr, 0.01f);
  EXPECT_LE(crr, 0.9f);
}

TEST(CrrUcb, MissingInputsGiveMissing) {
  for (auto [qc1, fr] : {std::pair{kMissing, 1.0f}, std::pair{100.0f, kMissing}, std::pair{kMissing, kMissing}}) {
    float crr = 0;
    EXPECT_FALSE(CrrUcb(qc1, fr, crr));
    EXPECT_EQ(crr, kMissing);
    float ic = 0;
    EXPECT_FALSE(SoilIndex(qc1, fr, ic));
    EXPECT_EQ(ic, kMissing);
  }
  float out = 0;
  EXPECT_FALSE(FinesFromIndex(kMissing, out));
  EXPECT_EQ(out, kMissing);
  EXPECT_FALSE(CleanSandShift(kMissing, 100.0f, out));
  EXPECT_EQ(out, kMissing);
  EXPECT_FALSE(CrrFromCleanSand(kMissing, out));
  EXPECT_EQ(out, kMissing);
}

TEST(CrrUcb, FinesFromIndexBands) {
  struct Case {
    float ic, fc;
  };
  // Below 1.75: 0.01; 1.75 .. 2.9: 80 ic - 137 (3 at 1.75, 95 at 2.9); above: 99.99.
  for (const Case& c : {Case{0.5f, 0.01f}, Case{1.7499f, 0.01f}, Case{1.75f, 3.0f}, Case{2.0f, 23.0f},
                        Case{2.9f, 95.0f}, Case{2.9001f, 99.99f}, Case{11.0f, 99.99f}}) {
    float fc = 0;
    EXPECT_TRUE(FinesFromIndex(c.ic, fc)) << c.ic;
    EXPECT_NEAR(fc, c.fc, 1e-4f) << c.ic;
  }
}

TEST(CrrUcb, StepLimits) {
  // The shift stops at 500: qc1 = 100000 with fc = 100 gives
  // (11.9 + 6849.3) x e^(1.63 - 0.0951 - 0.0237) = 6861 x 4.53, far above.
  float delta = 0;
  EXPECT_TRUE(CleanSandShift(100.0f, 100000.0f, delta));
  EXPECT_EQ(delta, 500.0f);
  // Clean sand (fc = 0): e^(1.63 - 4.85 - 61.62) is about 6e-29; the shift is
  // that small and never negative.
  EXPECT_TRUE(CleanSandShift(0.0f, 100.0f, delta));
  EXPECT_GE(delta, 0.0f);
  EXPECT_LT(delta, 1e-20f);

  // qcs = 0: e^-2.8 = 0.06081, inside. qcs = 250: exponent
  // 2.21239 + 0.0625 - 5.69424 + 11.08845 - 2.8 = 4.8691, e^ = 130: held at 0.9.
  float crr = 0;
  EXPECT_TRUE(CrrFromCleanSand(0.0f, crr));
  EXPECT_NEAR(crr, 0.06081f, 1e-5f);
  EXPECT_FALSE(CrrFromCleanSand(250.0f, crr));
  EXPECT_EQ(crr, 0.9f);
  EXPECT_FALSE(CrrUcb(250.0f, 0.5f, crr)) << "a dense sand's CRR is held at 0.9";
  EXPECT_EQ(crr, 0.9f);
}

TEST(CrrUcd, WorkedExample) {
  float crr = 0;
  EXPECT_TRUE(CrrUcd(100.0f, 1.0f, crr));
  EXPECT_NEAR(crr, 0.30874f, 1e-4f);
  EXPECT_NEAR(std::log(crr) * 7.177f, -8.43490f, 2e-3f) << "S";
}

TEST(CrrUcd, MissingOrImpossibleInputsGiveMissing) {
  struct Case {
    float qc1, fr;
  };
  for (const Case& c : {Case{kMissing, 1.0f}, Case{100.0f, kMissing}, Case{-10.0f, 1.0f}}) {
    float crr = 0;
    EXPECT_FALSE(CrrUcd(c.qc1, c.fr, crr)) << c.qc1 << " " << c.fr;
    EXPECT_EQ(crr, kMissing);
  }
}

}  // namespace
