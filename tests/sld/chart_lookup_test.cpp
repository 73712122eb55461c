// Chart lookup: the extent, the bracketing of a point by two contour lines, the
// segment rules at a line's ends, and the methods that cannot be computed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>
#include <initializer_list>
#include <utility>

#include "core/halt.h"
#include "sld/chart_lookup.h"
#include "sld/chart_table.h"
#include "support/vurn_test.h"

namespace {

constexpr float kNull = -5435.0f;

using Points = std::initializer_list<std::pair<float, float>>;

class ChartLookupTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    ChartTable_reset();
    Chart_reset(1);
    SldChart& chart = SLD8a[1];
    chart.X_Min_8sng = 0.1f;
    chart.X_Max_8sng = 10.0f;
    chart.Y_Min_8sng = 1.0f;
    chart.Y_Max_8sng = 1000.0f;
    chart.LookupMethod_8str = "XYC";
    SldChartCount = 1;
  }

  static void addLine(float value, Points points) {
    SldChart& chart = SLD8a[1];
    ContourLine& line = chart.Line8a[static_cast<std::size_t>(++chart.LinesNUMof)];
    line.LineValue_8sng = value;
    for (const auto& [x, y] : points) {
      ++line.ptsNUMof;
      line.pt8a[static_cast<std::size_t>(line.ptsNUMof)] = {x, y};
    }
  }

  // The two flat lines 0.1 along Q = 10 and 0.3 along Q = 100, F from 1 to 10.
  static void addFlatPair() {
    addLine(0.1f, {{1, 10}, {10, 10}});
    addLine(0.3f, {{1, 100}, {10, 100}});
  }

  static float lookupC(float x, float y, const char* method = "XYC") {
    float c = 0.0f;
    Chart_lookup(x, y, c, 1, method);
    return c;
  }
};

TEST(SegmentBracketsTest, JointsBelongToTheSegmentEndingThere) {
  struct Case {
    float t, p1, p2;
    int j, n;
    bool found;
  };
  const Case cases[] = {
      {2, 1, 3, 3, 4, true},   {3, 1, 3, 3, 4, true},  {1, 1, 3, 3, 4, false},  // rising, inner
      {1, 1, 3, 2, 4, false},  {0, 1, 3, 2, 4, true},  {0, 1, 3, 3, 4, false},  // first point, before it
      {5, 1, 3, 4, 4, true},   {5, 1, 3, 3, 4, false},                          // beyond the last point
      {2, 3, 1, 3, 4, true},   {1, 3, 1, 3, 4, true},  {3, 3, 1, 3, 4, false},  // falling, inner
      {4, 3, 1, 2, 4, true},   {0, 3, 1, 4, 4, true},  {0, 3, 1, 3, 4, false},  // falling, beyond the ends
      {2, 2, 2, 3, 4, false},  {3, 2, 2, 2, 4, true},  {1, 2, 2, 4, 4, true},   // flat
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Segment_brackets(c.t, c.p1, c.p2, c.j, c.n), c.found)
        << "t=" << c.t << " p1=" << c.p1 << " p2=" << c.p2 << " j=" << c.j << " n=" << c.n;
  }
}

TEST(SegmentInterpolateTest, LinearOrLogarithmicOnEitherAxis) {
  float out = 0;
  Segment_interpolate(15, 10, 20, out, 1, 3, false, false);
  EXPECT_FLOAT_EQ(out, 2.0f);
  Segment_interpolate(31.6227766f, 10, 100, out, 0.1f, 0.3f, true, false);
  EXPECT_NEAR(out, 0.2f, 1e-6f);
  Segment_interpolate(0.5f, 0, 1, out, 10, 1000, false, true);
  EXPECT_NEAR(out, 100.0f, 1e-3f);
  Segment_interpolate(1, 1, 1, out, 0, 1, false, false);  // a1 = a2: steep but finite
  EXPECT_FLOAT_EQ(out, 0.0f);
  Segment_interpolate(2, 1, 1, out, 0, 1, false, false);
  EXPECT_TRUE(std::isfinite(out));
  EXPECT_FLOAT_EQ(out, 1e7f);
  Segment_interpolate(-1, 1, 10, out, 1, 10, true, true);  // a coordinate that has no log
  EXPECT_EQ(out, kNull);
}

TEST_F(ChartLookupTest, TheExtentsBoundsAreInside) {
  addLine(1.0f, {{0.05f, 0.5f}, {20, 0.5f}});  // lines around the whole extent
  addLine(2.0f, {{0.05f, 2000}, {20, 2000}});
  struct Case {
    float x, y;
    bool inside;
  };
  const Case cases[] = {{10, 1, true}, {0.1f, 1000, true}, {10.01f, 31.62f, false}, {3, 0.99f, false},
                        {0.099f, 31.62f, false}, {3, 1000.5f, false}};
  for (const Case& c : cases) {
    const float before = 7.0f;
    float x = c.x, y = c.y, c3 = before;
    Chart_lookup(x, y, c3, 1, "XYC");
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
    if (c.inside) {
      EXPECT_GT(c3, 1.0f) << c.x << "," << c.y;
    } else {
      EXPECT_EQ(c3, kNull) << c.x << "," << c.y;
    }
  }
}

TEST_F(ChartLookupTest, APointBetweenTwoLinesTakesTheirValues) {
  addFlatPair();
  EXPECT_NEAR(lookupC(3, 31.6227766f), 0.2f, 1e-5f);
  EXPECT_NEAR(lookupC(3, 15), 0.1f + 0.2f * std::log10(1.5f), 1e-5f);
  EXPECT_EQ(lookupC(3, 5), kNull) << "below the lowest line";
  EXPECT_EQ(lookupC(3, 500), kNull) << "above the highest line";
  EXPECT_EQ(lookupC(3, 100), kNull) << "exactly on a crossing";
}

TEST_F(ChartLookupTest, ALinesFirstPointIsNotOnItsFirstSegment) {
  addFlatPair();
  EXPECT_EQ(lookupC(1, 31.6227766f), kNull);
  EXPECT_NEAR(lookupC(0.5f, 31.6227766f), 0.2f, 1e-5f) << "before the first point the end segment extrapolates";
}

TEST_F(ChartLookupTest, ASinglePointLineIsIgnoredButKeepsItsPosition) {
  addLine(0.1f, {{1, 10}, {10, 10}});
  addLine(0.9f, {{3, 20}});
  addLine(0.3f, {{1, 100}, {10, 100}});
  // The pair is found around lines 1 and 3, but the values are those of
  // positions 2 and 3.
  EXPECT_NEAR(lookupC(3, 31.6227766f), 0.6f, 1e-5f);
}

TEST_F(ChartLookupTest, AMiddlePointUsesLinesTwoAndThree) {
  addLine(1.0f, {{0.5f, 2}, {10, 2}});
  addLine(2.0f, {{0.5f, 20}, {10, 20}});
  addLine(4.0f, {{0.5f, 200}, {10, 200}});
  EXPECT_NEAR(lookupC(3, 63.2455532f), 3.0f, 1e-4f);
  EXPECT_NEAR(lookupC(3, 6.32455532f), 1.5f, 1e-4f);
}

TEST_F(ChartLookupTest, AnUncomputableCrossingBreaksTheChain) {
  addLine(0.1f, {{1, 10}, {2, 10}});
  addLine(0.2f, {{0.5f, 20}, {0.6f, 0.0001f}});  // beyond its end the crossing falls below 10^-5
  addLine(0.3f, {{1, 100}, {10, 100}});
  EXPECT_EQ(lookupC(3, 31.6227766f), kNull);
  SLD8a[1].Line8a[2].pt8a[2].y_8sng = 25;  // now line 2 rises and can be extrapolated
  EXPECT_NE(lookupC(3, 31.6227766f), kNull);
}

TEST_F(ChartLookupTest, SearchAlongYAndTheInverseLookup) {
  // Lines rising two decades of Q per decade of F.
  addLine(1.0f, {{0.2f, 10}, {2, 1000}});
  addLine(2.0f, {{0.4f, 10}, {4, 1000}});
  EXPECT_NEAR(lookupC(0.894427f, 100, "YXC"), 1.5f, 1e-4f);
  float x = 0.894427f, y = 100, c = 1.75f;
  Chart_lookup(x, y, c, 1, "YCX");
  EXPECT_NEAR(x, 0.2f * std::pow(10.0f, 0.5f + 0.75f * std::log10(2.0f)), 1e-4f);
  EXPECT_EQ(c, 1.75f);
  x = 3;  // beyond both lines: no pair
  Chart_lookup(x, y, c, 1, "YCX");
  EXPECT_EQ(x, kNull);
}

TEST_F(ChartLookupTest, MethodsWithoutALookupStopInsideAndGiveNullOutside) {
  addFlatPair();
  for (const char* method : {"XCY", "CXY", "CYX", "xyc", "ABC"}) {
    float x = 3, y = 31.62f, c = 0.2f;
    EXPECT_FATAL_STOP(Chart_lookup(x, y, c, 1, method)) << method;
  }
  struct Outside {
    const char* method;
    float x, y, c;
  };
  const Outside cases[] = {{"XCY", 20, kNull, 0.2f}, {"CXY", 20, kNull, 0.2f}, {"CYX", kNull, 31.62f, 0.2f},
                           {"YCX", kNull, 31.62f, 0.2f}, {"ABC", 20, 31.62f, 0.2f}};
  for (const Outside& o : cases) {
    float x = 20, y = 31.62f, c = 0.2f;
    Chart_lookup(x, y, c, 1, o.method);
    EXPECT_EQ(x, o.x) << o.method;
    EXPECT_EQ(y, o.y) << o.method;
    EXPECT_EQ(c, o.c) << o.method;
  }
}

TEST_F(ChartLookupTest, AnEmptyMethodTakesTheCharts) {
  addFlatPair();
  EXPECT_NEAR(lookupC(3, 31.6227766f, ""), 0.2f, 1e-5f);
  SLD8a[1].LookupMethod_8str = "";
  EXPECT_FATAL_STOP(lookupC(3, 31.6227766f, ""));
}

TEST_F(ChartLookupTest, ASlotWithoutAChartIsAFatalStop) {
  addFlatPair();
  float x = 3, y = 31.62f, c = 0;
  EXPECT_FATAL_STOP(Chart_lookup(x, y, c, 0, "XYC"));
  EXPECT_FATAL_STOP(Chart_lookup(x, y, c, 2, "XYC"));
  EXPECT_FATAL_STOP(Chart_lookup(x, y, c, 41, "XYC"));
}

// Lookups on charts as read (logs taken, ordered lines found by halving, most
// powers of ten skipped, crossings and results remembered within a depth) give
// the very bits of the plain walk: the same chart without its read-time logs
// and orders, nothing remembered, over a grid and every chart point's own
// coordinates (where ties decide the segment).
using ChartLookupSameBitsTest = VurnTest;

TEST_F(ChartLookupSameBitsTest, ReadChartsAgreeWithThePlainWalk) {
  loadBuiltInCharts();
  const std::int16_t charts = SldChartCount;
  ASSERT_GT(charts, 0);
  const auto bits = [](float v) {
    std::uint32_t b = 0;
    std::memcpy(&b, &v, sizeof b);
    return b;
  };
  long compared = 0;
  for (std::int16_t slot = 1; slot <= charts; ++slot) {
    const std::int16_t plain = static_cast<std::int16_t>(charts + 1);
    SLD8a[static_cast<std::size_t>(plain)] = SLD8a[static_cast<std::size_t>(slot)];
    SldChart& copy = SLD8a[static_cast<std::size_t>(plain)];
    for (ContourLine& line : copy.Line8a) {
      line.logsReady = false;
      line.xOrder = line.yOrder = 0;
    }
    SldChartCount = plain;
    const SldChart& chart = SLD8a[static_cast<std::size_t>(slot)];
    std::vector<float> xs;
    std::vector<float> ys;
    for (int k = 0; k <= 40; ++k) {
      const float t = static_cast<float>(k) / 40.0f;
      xs.push_back(chart.X_Min_8sng * std::pow(chart.X_Max_8sng / chart.X_Min_8sng, t));
      ys.push_back(chart.Y_Min_8sng * std::pow(chart.Y_Max_8sng / chart.Y_Min_8sng, t));
    }
    for (int k = 1; k <= chart.LinesNUMof; k += 3) {
      const ContourLine& line = chart.Line8a[static_cast<std::size_t>(k)];
      for (int j = 1; j <= line.ptsNUMof; j += 2) {
        xs.push_back(line.pt8a[static_cast<std::size_t>(j)].x_8sng);
        ys.push_back(line.pt8a[static_cast<std::size_t>(j)].y_8sng);
      }
    }
    // Along one coordinate, many values of the other: as a depth's stress
    // exponent iterations ask, with lookups remembered and without.
    const float c0 = 0.5f * (chart.C_Min_8sng + chart.C_Max_8sng);
    for (const char* method : {"XYC", "YXC", "YCX"}) {
      const bool alongY = std::string_view(method) != "XYC";
      const std::vector<float>& fixedValues = alongY ? ys : xs;
      const std::vector<float>& others = alongY ? xs : ys;
      const auto lookup = [&](std::int16_t on, float fixed, float other) {
        float x = alongY ? other : fixed, y = alongY ? fixed : other, c = c0;
        Chart_lookup(x, y, c, on, method);
        return std::pair{bits(x), bits(c)};
      };
      std::vector<std::pair<std::uint32_t, std::uint32_t>> expected;
      for (float fixed : fixedValues) {
        for (float other : others) expected.push_back(lookup(plain, fixed, other));
      }
      // Remembering spans the whole sweep, so remembered crossings of other
      // coordinates are around (and replaced) as they would be at a depth.
      for (bool remembered : {false, true}) {
        if (remembered) ChartLookupMemo_begin();
        std::size_t k = 0;
        for (float fixed : fixedValues) {
          for (float other : others) {
            ASSERT_EQ(lookup(slot, fixed, other), expected[k++])
                << chart.FileName_8str << " " << method << " at " << fixed << ", " << other;
            ++compared;
          }
        }
        ChartLookupMemo_end();
      }
    }
    SldChartCount = charts;
  }
  EXPECT_GT(compared, 100000);
}

}  // namespace
