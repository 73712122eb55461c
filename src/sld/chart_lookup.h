// Chart lookup: the value of a chart's property C at a point (FR, QC1), or the
// FR at which C is reached, by interpolating between the two contour lines
// around the point.
//
// Coordinates are always worked in log10, whatever the chart's UseLog flags
// say. Every intermediate is a 32-bit float. NullValue (-5435) marks a result
// that cannot be given; no lookup ever reports an error, but a method that
// cannot be computed inside the chart is a fatal stop.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "sld/chart_table.h"

// True when the coordinate t lies on segment j (points j - 1 and j, with
// coordinates p1 and p2) of a contour line of n points:
//   rising (p2 > p1):        p1 < t <= p2; on the first segment (j = 2) also
//                            t < p1, on the last (j = n) also t > p2;
//   falling or flat:         p2 <= t < p1; on the first segment also t > p1,
//                            on the last also t < p2.
// A joint belongs to the segment ending there; a value equal to a line's first
// point is not on its first segment; values beyond either end are taken by the
// end segment.
bool Segment_brackets(float t, float p1, float p2, int j, int n);

// out = linear interpolation of the b axis at t along the a axis:
// r = (t - a1) * ((b2 - b1) / (a2 - a1)) + b1, with a zero difference replaced
// by 0.0000001. logA takes log10 (Log10Checked) of t, a1 and a2; logB takes
// log10 of b1 and b2 and gives Pow10Checked(r).
void Segment_interpolate(float t, float a1, float a2, float& out, float b1, float b2, bool logA, bool logB);

// The slope the interpolation uses between (a1, b1) and (a2, b2):
// (b2 - b1) / (a2 - a1), with a zero difference replaced by 0.0000001.
float Segment_slope(float a1, float a2, float b1, float b2);

// Looks up chart `chartNumber` (a loaded slot) by `method`, "" meaning the
// chart's LookupMethod_8str:
//   "XYC": c from x and y (contours searched along X, bracketed on Y);
//   "YXC": c from y and x (searched along Y, bracketed on X);
//   "YCX": x from y and c (the line pair around x found as for "YXC").
// A point outside the chart's extent (bounds inside) gives the method's output
// -5435 ("XCY" and "CXY": y; "CYX": x) and returns. Inside the extent, any method
// other than the three is a fatal stop. Lines with fewer than two points or no
// crossing are skipped; a crossing that cannot be computed (-5435) breaks the
// chain of lines. Without two consecutive crossings strictly around the point,
// the output is -5435. Inputs come back unchanged. A slot outside
// 1..SldChartCount is a fatal stop. Allocates nothing.
void Chart_lookup(float& x, float& y, float& c, std::int16_t chartNumber, std::string_view method);

// The lookups of one depth, remembered: the standard chart sweep, the stress
// exponent's iterations, the unit weight and the output columns ask the same
// chart at the same point several times per depth. While remembering is on,
// an "XYC" or "YXC" lookup (given or the chart's own) that was made before
// with the same slot, method and the same bits of x and y gives the value it
// gave then, and a lookup along the same coordinate of the same chart reuses
// the lines' crossings. Loading or clearing any chart forgets everything.
// Where one contour line crosses the search coordinate of a lookup: the other
// coordinate there, known first as its log10 (r) and raised to a power of ten
// only when needed (value, exact).
struct ChartCrossing {
  float r = 0.0f;
  float value = 0.0f;
  bool exact = false;
  bool crosses = false;     // the line has a segment that takes the coordinate
  float logValue = 0.0f;    // Log10Checked(value), once logKnown
  bool logKnown = false;
};

// The crossings of a chart's lines with one search coordinate, lines 1..known
// worked out. The crossings do not depend on the other coordinate, so the
// stress exponent's iterations at one depth (same FR, new Qc1 each time) walk
// them again without working them out.
struct ChartCrossings {
  std::int16_t slot = 0;
  bool searchY = false;
  std::uint32_t sBits = 0;
  int known = 0;
  std::array<ChartCrossing, kSldLineLimit + 1> lines{};
};

struct ChartLookupMemo {
  struct Entry {
    bool searchY;  // "YXC"
    std::uint32_t xBits;
    std::uint32_t yBits;
    float c;
  };
  // The last results of each slot, replaced in turn.
  struct SlotResults {
    int count = 0;
    int next = 0;
    std::array<Entry, 4> entries{};
  };
  bool active = false;
  std::array<SlotResults, kSldChartSlots + 1> results{};
  int crossingsCount = 0;  // entries of `crossings` in use; then replaced in turn
  int crossingsNext = 0;
  std::array<ChartCrossings, 8> crossings{};
  ChartCrossings scratch;  // the crossings of a lookup made while not remembering
};

extern ChartLookupMemo gChartLookupMemo;

// Starts remembering afresh (the run calls it at every depth).
void ChartLookupMemo_begin();

// Stops remembering and forgets.
void ChartLookupMemo_end();

// Forgets what was remembered (remembering stays on or off).
void ChartLookupMemo_forget();
