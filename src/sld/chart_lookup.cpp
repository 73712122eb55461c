// Chart lookup by contour-line interpolation in log10 coordinates.
#include "sld/chart_lookup.h"

#include <string>

#include "core/halt.h"
#include "core/null_value.h"
#include "numeric/numeric_tools.h"
#include "sld/chart_table.h"

namespace {

enum class Axis { X, Y };

float coordinateOf(const ChartPoint& point, Axis axis) { return axis == Axis::X ? point.x_8sng : point.y_8sng; }

// The straight line through (a1, b1) and (a2, b2) at t, all already in the
// scale the interpolation works in; the result raised to 10^r when logB.
float interpolateAt(float t, float a1, float a2, float b1, float b2, bool logB) {
  float dA = a2 - a1;
  if (dA == 0.0f) dA = 0.0000001f;
  float dB = b2 - b1;
  if (dB == 0.0f) dB = 0.0000001f;
  const float slope = dB / dA;
  const float offset = t - a1;
  const float rise = offset * slope;
  const float r = rise + b1;
  return logB ? Pow10Checked(r) : r;
}

// The crossing of `line` with the search coordinate s (on axis `search`;
// sLog its log10): the other coordinate there, or NullValue; found is false
// when the line has no segment that takes s.
float crossingOf(const ContourLine& line, float s, float sLog, Axis search, bool& found) {
  const Axis other = search == Axis::X ? Axis::Y : Axis::X;
  const int n = line.ptsNUMof;
  for (int j = 2; j <= n; ++j) {
    const ChartPoint& p1 = line.pt8a[static_cast<std::size_t>(j - 1)];
    const ChartPoint& p2 = line.pt8a[static_cast<std::size_t>(j)];
    if (!Segment_brackets(s, coordinateOf(p1, search), coordinateOf(p2, search), j, n)) continue;
    found = true;
    if (line.logsReady) {
      const ChartPoint& l1 = line.log8a[static_cast<std::size_t>(j - 1)];
      const ChartPoint& l2 = line.log8a[static_cast<std::size_t>(j)];
      return interpolateAt(sLog, coordinateOf(l1, search), coordinateOf(l2, search), coordinateOf(l1, other),
                           coordinateOf(l2, other), true);
    }
    float out = NullValue;
    Segment_interpolate(s, coordinateOf(p1, search), coordinateOf(p2, search), out, coordinateOf(p1, other),
                        coordinateOf(p2, other), true, true);
    return out;
  }
  found = false;
  return NullValue;
}

}  // namespace

bool Segment_brackets(float t, float p1, float p2, int j, int n) {
  if (p2 > p1) {
    if (p1 < t && t <= p2) return true;
    if (j == 2 && t < p1) return true;
    if (j == n && t > p2) return true;
    return false;
  }
  if (p2 <= t && t < p1) return true;
  if (j == 2 && t > p1) return true;
  if (j == n && t < p2) return true;
  return false;
}

void Segment_interpolate(float t, float a1, float a2, float& out, float b1, float b2, bool logA, bool logB) {
  if (logA) {
    t = Log10Checked(t);
    a1 = Log10Checked(a1);
    a2 = Log10Checked(a2);
  }
  if (logB) {
    b1 = Log10Checked(b1);
    b2 = Log10Checked(b2);
  }
  out = interpolateAt(t, a1, a2, b1, b2, logB);
}

void Chart_lookup(float& x, float& y, float& c, std::int16_t chartNumber, std::string_view method) {
  if (chartNumber < 1 || chartNumber > SldChartCount) {
    Fatal_stop("chart lookup on slot " + std::to_string(chartNumber) + ", which holds no chart");
  }
  const SldChart& chart = SLD8a[static_cast<std::size_t>(chartNumber)];
  if (method.empty()) method = chart.LookupMethod_8str;

  if (x > chart.X_Max_8sng || x < chart.X_Min_8sng || y > chart.Y_Max_8sng || y < chart.Y_Min_8sng) {
    if (method == "XYC" || method == "YXC") c = NullValue;
    if (method == "XCY" || method == "CXY") y = NullValue;
    if (method == "CYX" || method == "YCX") x = NullValue;
    return;
  }

  Axis search = Axis::X;
  float bracketed = 0.0f;
  if (method == "XYC") {
    search = Axis::X;
    bracketed = y;
  } else if (method == "YXC" || method == "YCX") {
    search = Axis::Y;
    bracketed = x;
  } else {
    Fatal_stop("chart lookup method " + std::string(method) + " is not computed inside the chart " +
               chart.FileName_8str);
  }
  const float s = search == Axis::X ? x : y;
  const float sLog = Log10Checked(s);

  float prev = NullValue;
  float cur = NullValue;
  int found = 0;
  for (int k = 1; k <= chart.LinesNUMof; ++k) {
    const ContourLine& line = chart.Line8a[static_cast<std::size_t>(k)];
    if (line.ptsNUMof < 2) continue;
    bool crosses = false;
    cur = crossingOf(line, s, sLog, search, crosses);
    if (!crosses) continue;
    if (prev == NullValue || cur == NullValue) {
      prev = cur;
      continue;
    }
    if ((prev < bracketed && bracketed < cur) || (prev > bracketed && bracketed > cur)) {
      found = k;
      break;
    }
    prev = cur;
  }

  if (found == 0) {
    if (method == "YCX") {
      x = NullValue;
    } else {
      c = NullValue;
    }
    return;
  }
  const float lowerValue = chart.Line8a[static_cast<std::size_t>(found - 1)].LineValue_8sng;
  const float upperValue = chart.Line8a[static_cast<std::size_t>(found)].LineValue_8sng;
  if (method == "XYC") {
    Segment_interpolate(y, prev, cur, c, lowerValue, upperValue, true, false);
  } else if (method == "YXC") {
    Segment_interpolate(x, prev, cur, c, lowerValue, upperValue, true, false);
  } else {
    Segment_interpolate(c, lowerValue, upperValue, x, prev, cur, false, true);
  }
}
