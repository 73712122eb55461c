// Chart lookup: the extent, the bracketing of a point by two contour lines, the
// segment rules at a line's ends, and the methods that cannot be computed.
#include <bit>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "sld/chart_lookup.h"
#include "sld/chart_table.h"
#include "support/vurn_test.h"

namespace {

constexpr float kNull = -5435.0f;

class ChartLookupTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    ChartTable_reset();
    Chart_reset(1);
    SldChart& chart = SLD8a[1];
    chart.X_Min_8sng = 0.1f, chart.X_Max_8sng = 10.0f, chart.Y_Min_8sng = 1.0f, chart.Y_Max_8sng = 1000.0f;
    chart.LookupMethod_8str = "XYC";
    SldChartCount = 1;
  }

  static void addLine(float value, const std::vector<std::pair<float, float>>& points) {
    SldChart& chart = SLD8a[1];
    ContourLine& line = chart.Line8a[static_cast<std::size_t>(++chart.LinesNUMof)];
    line.LineValue_8sng = value;
    line.ptsNUMof = 0;
    for (const auto& [x, y] : points) {
      ++line.ptsNUMof;
      line.pt8a[static_cast<std::size_t>(line.ptsNUMof)] = {x, y};
    }
  }

  static float lookupC(float x, float y, const char* method = "XYC") {
    float c = 0.0f;
    Chart_lookup(x, y, c, 1, method);
    return c;
  }
};

TEST(SegmentBracketsTest, JointsBelongToTheSegmentEndingThere) {
  const struct { float t, p1, p2; int j, n; bool found; } cases[] = {
      {2, 1, 3, 3, 4, true},   {3, 1, 3, 3, 4, true},  {1, 1, 3, 3, 4, false},  // rising, inner
      {1, 1, 3, 2, 4, false},  {0, 1, 3, 2, 4, true},  {0, 1, 3, 3, 4, false},  // first point, before it
      {5, 1, 3, 4, 4, true},   {5, 1, 3, 3, 4, false},                          // beyond the last point
      {2, 3, 1, 3, 4, true},   {1, 3, 1, 3, 4, true},  {3, 3, 1, 3, 4, false},  // falling, inner
      {4, 3, 1, 2, 4, true},   {0, 3, 1, 4, 4, true},  {0, 3, 1, 3, 4, false},  // falling, beyond the ends
      {2, 2, 2, 3, 4, false},  {3, 2, 2, 2, 4, true},  {1, 2, 2, 4, 4, true},   // flat
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Segment_brackets(c.t, c.p1, c.p2, c.j, c.n), c.found)
        << "t=" << c.t << " p1=" << c.p1 << " p2=" << c.p2 << " j=" << c.j << " n=" << c.n;
  }
}

TEST(SegmentInterpolateTest, LinearOrLogarithmicOnEitherAxis) {
  const struct { float t, a1, a2, b1, b2; bool logA, logB; float expected; } cases[] = {
      {15, 10, 20, 1, 3, false, false, 2.0f}, {31.6227766f, 10, 100, 0.1f, 0.3f, true, false, 0.2f},
      {0.5f, 0, 1, 10, 1000, false, true, 100.0f}, {1, 1, 1, 0, 1, false, false, 0.0f},
      {2, 1, 1, 0, 1, false, false, 1e7f},  // a1 = a2: steep but finite
      {-1, 1, 10, 1, 10, true, true, kNull},  // a coordinate that has no log
  };
  for (const auto& c : cases) {
    float out = 0;
    Segment_interpolate(c.t, c.a1, c.a2, out, c.b1, c.b2, c.logA, c.logB);
    EXPECT_NEAR(out, c.expected, std::abs(c.expected) * 1e-5f) << c.t << " on " << c.a1 << ".." << c.a2;
  }
}

// Between the two lines around it a point takes log-interpolated values (here
// lines 0.1 at Q = 10, 0.3 at Q = 100: Q = 31.62 is 0.2, Q = 15 is 0.1 + 0.2
// log 1.5). A line of one point is skipped but keeps its position; a crossing
// that cannot be computed breaks the chain.
TEST_F(ChartLookupTest, APointBetweenTwoLinesTakesTheirValues) {
  using Line = std::pair<float, std::vector<std::pair<float, float>>>;
  const std::vector<Line> flatPair = {{0.1f, {{1, 10}, {10, 10}}}, {0.3f, {{1, 100}, {10, 100}}}};
  const std::vector<Line> three = {{1, {{0.5f, 2}, {10, 2}}}, {2, {{0.5f, 20}, {10, 20}}}, {4, {{0.5f, 200}, {10, 200}}}};
  const float rising = 20 * std::pow(1.25f, std::log10(6.0f) / std::log10(1.2f));  // (0.5, 20)-(0.6, 25) at F = 3
  const struct { const char* name; std::vector<Line> lines; float x, y, expected; } cases[] = {
      {"between", flatPair, 3, 31.6227766f, 0.2f}, {"between, log", flatPair, 3, 15, 0.1f + 0.2f * std::log10(1.5f)},
      {"below the lowest", flatPair, 3, 5, kNull}, {"above the highest", flatPair, 3, 500, kNull},
      {"on a crossing", flatPair, 3, 100, kNull}, {"a line's first point", flatPair, 1, 31.6227766f, kNull},
      {"before the first point", flatPair, 0.5f, 31.6227766f, 0.2f},
      {"single point line", {flatPair[0], {0.9f, {{3, 20}}}, flatPair[1]}, 3, 31.6227766f, 0.6f},
      {"lines two and three", three, 3, 63.2455532f, 3.0f}, {"lines one and two", three, 3, 6.32455532f, 1.5f},
      {"uncomputable crossing", {{0.1f, {{1, 10}, {2, 10}}}, {0.2f, {{0.5f, 20}, {0.6f, 0.0001f}}}, flatPair[1]},
       3, 31.6227766f, kNull},
      {"computable crossing", {{0.1f, {{1, 10}, {2, 10}}}, {0.2f, {{0.5f, 20}, {0.6f, 25}}}, flatPair[1]},
       3, 31.6227766f, 0.1f + 0.1f * 0.5f / std::log10(rising / 10)},
  };
  for (const auto& c : cases) {
    SLD8a[1].LinesNUMof = 0;
    for (const Line& line : c.lines) addLine(line.first, line.second);
    EXPECT_NEAR(lookupC(c.x, c.y), c.expected, std::abs(c.expected) * 1e-4f) << c.name;
  }
}

TEST_F(ChartLookupTest, SearchAlongYAndTheInverseLookup) {
  // Lines rising two decades of Q per decade of F. (Along Y: the default charts'
  // formulas and the plain walk.)
  addLine(1.0f, {{0.2f, 10}, {2, 1000}});
  addLine(2.0f, {{0.4f, 10}, {4, 1000}});
  float x = 0.894427f, y = 100, c = 1.75f;
  Chart_lookup(x, y, c, 1, "YCX");
  EXPECT_NEAR(x, 0.2f * std::pow(10.0f, 0.5f + 0.75f * std::log10(2.0f)), 1e-4f);
  EXPECT_EQ(c, 1.75f);
  x = 3;  // beyond both lines: no pair
  Chart_lookup(x, y, c, 1, "YCX");
  EXPECT_EQ(x, kNull);
}

// Inside the extent a method without a lookup, an empty method on a chart
// without one, or a slot without a chart stops; outside, the method's output is null.
TEST_F(ChartLookupTest, MethodsWithoutALookupAndSlotsWithoutAChart) {
  addLine(0.1f, {{1, 10}, {10, 10}});
  addLine(0.3f, {{1, 100}, {10, 100}});
  EXPECT_NEAR(lookupC(3, 31.6227766f, ""), 0.2f, 1e-5f);  // the chart's own method
  for (const char* method : {"XCY", "CXY", "CYX", "xyc", "ABC"}) EXPECT_FATAL_STOP(lookupC(3, 31.62f, method)) << method;
  for (const std::int16_t slot : {std::int16_t{0}, std::int16_t{2}, std::int16_t{41}}) {
    float x = 3, y = 31.62f, c = 0;
    EXPECT_FATAL_STOP(Chart_lookup(x, y, c, slot, "XYC")) << slot;
  }
  const struct { const char* method; float x, y, c; } outside[] = {
      {"XCY", 20, kNull, 0.2f}, {"CXY", 20, kNull, 0.2f}, {"CYX", kNull, 31.62f, 0.2f}, {"YCX", kNull, 31.62f, 0.2f},
      {"ABC", 20, 31.62f, 0.2f}};
  for (const auto& o : outside) {
    float x = 20, y = 31.62f, c = 0.2f;
    Chart_lookup(x, y, c, 1, o.method);
    EXPECT_TRUE(x == o.x && y == o.y && c == o.c) << o.method << " " << x << " " << y << " " << c;
  }
  SLD8a[1].LookupMethod_8str = "";
  EXPECT_FATAL_STOP(lookupC(3, 31.6227766f, ""));
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
  long compared = 0;
  for (std::int16_t slot = 1; slot <= charts; ++slot) {
    const std::int16_t plain = static_cast<std::int16_t>(charts + 1);
    SLD8a[static_cast<std::size_t>(plain)] = SLD8a[static_cast<std::size_t>(slot)];
    SldChart& copy = SLD8a[static_cast<std::size_t>(plain)];
    for (ContourLine& line : copy.Line8a) line.logsReady = false, line.xOrder = line.yOrder = 0;
    SldChartCount = plain;
    const SldChart& chart = SLD8a[static_cast<std::size_t>(slot)];
    std::vector<float> xs, ys;
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
        return std::pair{std::bit_cast<std::uint32_t>(x), std::bit_cast<std::uint32_t>(c)};
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
