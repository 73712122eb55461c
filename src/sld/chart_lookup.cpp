// Chart lookup by contour-line interpolation in log10 coordinates.
#include "sld/chart_lookup.h"

#include <cmath>
#include <cstring>
#include <string>

#include "core/halt.h"
#include "core/phase_times.h"
#include "core/null_value.h"
#include "numeric/numeric_tools.h"
#include "sld/chart_table.h"

ChartLookupMemo gChartLookupMemo;

namespace {

enum class Axis { X, Y };

std::uint32_t bitsOf(float v) {
  std::uint32_t b = 0;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

// The remembered entry for the lookup, or nullptr.
const ChartLookupMemo::Entry* rememberedLookup(std::int16_t slot, bool searchY, float x, float y) {
  const ChartLookupMemo::SlotResults& results = gChartLookupMemo.results[static_cast<std::size_t>(slot)];
  const std::uint32_t xBits = bitsOf(x);
  const std::uint32_t yBits = bitsOf(y);
  for (int k = 0; k < results.count; ++k) {
    const ChartLookupMemo::Entry& e = results.entries[static_cast<std::size_t>(k)];
    if (e.xBits == xBits && e.yBits == yBits && e.searchY == searchY) return &e;
  }
  return nullptr;
}

void rememberLookup(std::int16_t slot, bool searchY, float x, float y, float c) {
  ChartLookupMemo::SlotResults& results = gChartLookupMemo.results[static_cast<std::size_t>(slot)];
  const int size = static_cast<int>(results.entries.size());
  int at = results.count;
  if (at < size) {
    ++results.count;
  } else {
    at = results.next;
    results.next = (results.next + 1) % size;
  }
  results.entries[static_cast<std::size_t>(at)] = {searchY, bitsOf(x), bitsOf(y), c};
}

void lookupOnChart(float& x, float& y, float& c, std::int16_t slot, std::string_view method);

float coordinateOf(const ChartPoint& point, Axis axis) { return axis == Axis::X ? point.x_8sng : point.y_8sng; }

// The straight line through (a1, b1) and (a2, b2) at t, all already in the
// scale the interpolation works in; the result before any power of ten.
float lineAt(float t, float a1, float a2, float b1, float b2) {
  const float slope = Segment_slope(a1, a2, b1, b2);
  const float offset = t - a1;
  const float rise = offset * slope;
  return rise + b1;
}

float interpolateAt(float t, float a1, float a2, float b1, float b2, bool logB) {
  const float r = lineAt(t, a1, a2, b1, b2);
  return logB ? Pow10Checked(r) : r;
}

// The first segment j (2..n) of the line that takes s on axis `search`
// (Segment_brackets), or 0. A line whose points are strictly ordered on that
// axis has at most one such segment, found by halving; any other line, and a
// candidate that does not hold, is walked from its start.
int segmentOf(const ContourLine& line, float s, Axis search) {
  const int n = line.ptsNUMof;
  const std::int8_t order = search == Axis::X ? line.xOrder : line.yOrder;
  const auto at = [&line, search](int i) { return coordinateOf(line.pt8a[static_cast<std::size_t>(i)], search); };
  if (order != 0) {
    // The first point i at or past s in the line's direction (n + 1 if none).
    int low = 1;
    int high = n + 1;
    while (low < high) {
      const int mid = (low + high) / 2;
      const bool reached = order > 0 ? at(mid) >= s : at(mid) <= s;
      if (reached) {
        high = mid;
      } else {
        low = mid + 1;
      }
    }
    const int j = low <= 1 ? 2 : (low > n ? n : low);
    if (Segment_brackets(s, at(j - 1), at(j), j, n)) return j;
  }
  for (int j = 2; j <= n; ++j) {
    if (Segment_brackets(s, at(j - 1), at(j), j, n)) return j;
  }
  return 0;
}

using Crossing = ChartCrossing;

float exactValue(Crossing& crossing) {
  if (!crossing.exact) {
    crossing.value = Pow10Checked(crossing.r);
    crossing.exact = true;
  }
  return crossing.value;
}

float logOfValue(Crossing& crossing) {
  if (!crossing.logKnown) {
    crossing.logValue = Log10Checked(exactValue(crossing));
    crossing.logKnown = true;
  }
  return crossing.logValue;
}

// Pow10Checked(r) is the missing marker exactly when r is or |r| > 5.
bool isMissing(const Crossing& crossing) {
  if (crossing.exact) return crossing.value == NullValue;
  return crossing.r == NullValue || std::fabs(crossing.r) > 5.0f;
}

// The sign of (crossing - b): -1, 1, or 0 when equal or not comparable. When
// log10 of b is known (logB = Log10Checked(b), within half a unit of its last
// place, below 4.8e-7 for |logB| < 8), an r clearly below or above it decides
// without the power: a margin of 1e-6 leaves at least 5.2e-7 in log10, a
// factor of 1 - 1.2e-6, far beyond the rounding of the power to 32 bits.
int compareTo(Crossing& crossing, float b, float logB, bool logKnown) {
  if (!crossing.exact && logKnown) {
    if (crossing.r < logB - 1e-6f) return -1;
    if (crossing.r > logB + 1e-6f) return 1;
  }
  const float v = exactValue(crossing);
  if (v < b) return -1;
  if (v > b) return 1;
  return 0;
}

// The crossing of `line` with the search coordinate s (on axis `search`;
// sLog its log10).
Crossing crossingOf(const ContourLine& line, float s, float sLog, Axis search) {
  Crossing crossing;
  const int j = segmentOf(line, s, search);
  crossing.crosses = j != 0;
  if (!crossing.crosses) return crossing;
  const Axis other = search == Axis::X ? Axis::Y : Axis::X;
  if (line.logsReady) {
    // lineAt with the segment's slope taken when the line was read.
    const ChartPoint& l1 = line.log8a[static_cast<std::size_t>(j - 1)];
    const float slope = coordinateOf(line.slope8a[static_cast<std::size_t>(j)], search);
    const float offset = sLog - coordinateOf(l1, search);
    const float rise = offset * slope;
    crossing.r = rise + coordinateOf(l1, other);
    return crossing;
  }
  const ChartPoint& p1 = line.pt8a[static_cast<std::size_t>(j - 1)];
  const ChartPoint& p2 = line.pt8a[static_cast<std::size_t>(j)];
  Segment_interpolate(s, coordinateOf(p1, search), coordinateOf(p2, search), crossing.value, coordinateOf(p1, other),
                      coordinateOf(p2, other), true, true);
  crossing.exact = true;
  return crossing;
}

// The remembered crossings of the slot's lines with s on the search axis,
// made empty when new; nullptr when nothing is being remembered.
ChartCrossings* rememberedCrossings(std::int16_t slot, bool searchY, float s) {
  ChartLookupMemo& memo = gChartLookupMemo;
  if (!memo.active) return nullptr;
  const std::uint32_t sBits = bitsOf(s);
  for (int k = 0; k < memo.crossingsCount; ++k) {
    ChartCrossings& c = memo.crossings[static_cast<std::size_t>(k)];
    if (c.sBits == sBits && c.slot == slot && c.searchY == searchY) return &c;
  }
  const int size = static_cast<int>(memo.crossings.size());
  int at = memo.crossingsCount;
  if (at < size) {
    ++memo.crossingsCount;
  } else {
    at = memo.crossingsNext;
    memo.crossingsNext = (memo.crossingsNext + 1) % size;
  }
  ChartCrossings& c = memo.crossings[static_cast<std::size_t>(at)];
  c.slot = slot;
  c.searchY = searchY;
  c.sBits = sBits;
  c.known = 0;
  return &c;
}

}  // namespace

float Segment_slope(float a1, float a2, float b1, float b2) {
  float dA = a2 - a1;
  if (dA == 0.0f) dA = 0.0000001f;
  float dB = b2 - b1;
  if (dB == 0.0f) dB = 0.0000001f;
  return dB / dA;
}

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

void ChartLookupMemo_forget() {
  for (ChartLookupMemo::SlotResults& results : gChartLookupMemo.results) results.count = results.next = 0;
  gChartLookupMemo.crossingsCount = 0;
  gChartLookupMemo.crossingsNext = 0;
}

void ChartLookupMemo_begin() {
  ChartLookupMemo_forget();
  gChartLookupMemo.active = true;
}

void ChartLookupMemo_end() {
  ChartLookupMemo_forget();
  gChartLookupMemo.active = false;
}

void Chart_lookup(float& x, float& y, float& c, std::int16_t chartNumber, std::string_view method) {
  PhaseScope lookupTime(RunPhase::ChartLookup);
  if (chartNumber < 1 || chartNumber > SldChartCount) {
    Fatal_stop("chart lookup on slot " + std::to_string(chartNumber) + ", which holds no chart");
  }
  const SldChart& chart = SLD8a[static_cast<std::size_t>(chartNumber)];
  if (method.empty()) method = chart.LookupMethod_8str;
  // "XYC" and "YXC" give only c, from x and y alone: those can be remembered.
  const bool remembered = gChartLookupMemo.active && (method == "XYC" || method == "YXC");
  const bool searchY = method == "YXC";
  const float xIn = x;
  const float yIn = y;
  if (remembered) {
    if (const ChartLookupMemo::Entry* e = rememberedLookup(chartNumber, searchY, xIn, yIn)) {
      c = e->c;
      return;
    }
  }
  lookupOnChart(x, y, c, chartNumber, method);
  if (remembered) rememberLookup(chartNumber, searchY, xIn, yIn, c);
}

namespace {

// The lookup itself, on the chart in its slot, the method given.
void lookupOnChart(float& x, float& y, float& c, std::int16_t slot, std::string_view method) {
  const SldChart& chart = SLD8a[static_cast<std::size_t>(slot)];
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
  const float logBracketed = Log10Checked(bracketed);
  const bool logKnown = logBracketed != NullValue && std::fabs(logBracketed) < 8.0f;
  float sLog = NullValue;
  bool sLogKnown = false;

  // The lines' crossings with s: remembered for the depth, or worked out here.
  ChartCrossings* crossings = rememberedCrossings(slot, search == Axis::Y, s);
  if (crossings == nullptr) {
    crossings = &gChartLookupMemo.scratch;
    crossings->known = 0;
  }

  // Walk the lines in order until two consecutive crossings lie strictly
  // around the bracketed coordinate; a missing crossing breaks the chain.
  Crossing before;
  before.value = NullValue;
  before.exact = true;
  Crossing* prev = &before;
  Crossing* cur = nullptr;
  int prevSide = 0;  // compareTo of prev, once known
  bool prevSideKnown = false;
  int found = 0;
  for (int k = 1; k <= chart.LinesNUMof; ++k) {
    const ContourLine& line = chart.Line8a[static_cast<std::size_t>(k)];
    if (line.ptsNUMof < 2) continue;
    cur = &crossings->lines[static_cast<std::size_t>(k)];
    if (k > crossings->known) {
      if (!sLogKnown) {
        sLog = Log10Checked(s);
        sLogKnown = true;
      }
      *cur = crossingOf(line, s, sLog, search);
      crossings->known = k;
    }
    if (!cur->crosses) continue;
    if (isMissing(*prev) || isMissing(*cur)) {
      prev = cur;
      prevSideKnown = false;
      continue;
    }
    const int below = prevSideKnown ? prevSide : compareTo(*prev, bracketed, logBracketed, logKnown);
    const int above = compareTo(*cur, bracketed, logBracketed, logKnown);
    if ((below < 0 && above > 0) || (below > 0 && above < 0)) {
      found = k;
      break;
    }
    prev = cur;
    prevSide = above;
    prevSideKnown = true;
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
  // Segment_interpolate with the logs it would take: of the bracketed
  // coordinate (y for "XYC", x for "YXC") and of the two crossings.
  if (method == "XYC" || method == "YXC") {
    c = interpolateAt(logBracketed, logOfValue(*prev), logOfValue(*cur), lowerValue, upperValue, false);
  } else {
    x = interpolateAt(c, lowerValue, upperValue, logOfValue(*prev), logOfValue(*cur), true);
  }
}

}  // namespace
