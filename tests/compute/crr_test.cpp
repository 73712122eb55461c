// Cyclic resistance by the UCB correlation: the limits of each step (fines bands, the clean-sand shift, the CRR
// hold). Values inside the limits are checked against the correlations' closed formulas in
// PredictionsTest.ColumnsAreConvertedToTheirProperty and on every row of the golden tables.
#include "compute/crr.h"

#include <cmath>
#include <utility>

#include "support/vurn_test.h"

namespace {

TEST(CrrUcb, FinesFromIndexBands) {
  // Below 1.75: 0.01; 1.75 .. 2.9: 80 ic - 137; above: 99.99.
  for (auto [ic, expected] : {std::pair{0.5f, 0.01f}, {1.7499f, 0.01f}, {1.75f, 3.0f}, {2.0f, 23.0f}, {2.9f, 95.0f},
                              {2.9001f, 99.99f}, {11.0f, 99.99f}}) {
    float fc = 0;
    EXPECT_TRUE(FinesFromIndex(ic, fc)) << ic;
    EXPECT_NEAR(fc, expected, 1e-4f) << ic;
  }
}

TEST(CrrUcb, StepLimits) {
  // The shift is held at 500 (qc1 100000, fc 100) and never negative (clean sand: about 6e-29).
  float delta = 0, crr = 0;
  EXPECT_TRUE(CleanSandShift(100.0f, 100000.0f, delta));
  EXPECT_EQ(delta, 500.0f);
  EXPECT_TRUE(CleanSandShift(0.0f, 100.0f, delta));
  EXPECT_GE(delta, 0.0f);
  EXPECT_LT(delta, 1e-20f);
  // qcs 0: e^-2.8 = 0.06081; the published clean-sand curve at qc1Ncs 45 and 62.1: 0.0888, 0.101;
  // qcs 250: e^4.8691 = 130, held at 0.9.
  for (auto [qcs, expected] : {std::pair{0.0f, 0.06081f}, {45.0f, 0.08880f}, {62.1f, 0.10108f}}) {
    EXPECT_TRUE(CrrFromCleanSand(qcs, crr));
    EXPECT_NEAR(crr, expected, 1e-4f) << qcs;
  }
  EXPECT_FALSE(CrrFromCleanSand(250.0f, crr));
  EXPECT_EQ(crr, 0.9f);
  EXPECT_FALSE(CrrUcb(250.0f, 0.5f, crr)) << "a dense sand's CRR is held at 0.9";
  EXPECT_EQ(crr, 0.9f);
}

}  // namespace
