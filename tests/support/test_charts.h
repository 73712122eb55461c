// Small charts with known answers for the compute tests: flat contour lines
// across FR 0.05 to 20 %, so a lookup gives the line value between two QC1
// levels; and the relative comparison of a 32-bit result with a value worked
// in double precision.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "sld/chart_table.h"

// Replaces the lines of `chart` by flat lines (value, QC1); ranges and method stay.
inline void SetFlatLines(SldChart& chart, std::initializer_list<std::pair<float, float>> lines) {
  chart.LinesNUMof = 0;
  for (const auto& [value, qc1] : lines) {
    ContourLine& line = chart.Line8a[static_cast<std::size_t>(++chart.LinesNUMof)];
    line = ContourLine{};
    line.LineValue_8sng = value;
    line.ptsNUMof = 2;
    line.pt8a[1] = {0.05f, qc1};
    line.pt8a[2] = {20.0f, qc1};
  }
}

// Makes `slot` a fresh "XYC" chart over FR 0.1 to 10 %, QC1 1 to 1000, of flat lines (value, QC1).
inline SldChart& UseFlatChart(std::int16_t slot, std::initializer_list<std::pair<float, float>> lines) {
  Chart_reset(slot);
  SldChart& chart = SLD8a[static_cast<std::size_t>(slot)];
  chart.X_Min_8sng = 0.1f;
  chart.X_Max_8sng = 10.0f;
  chart.Y_Min_8sng = 1.0f;
  chart.Y_Max_8sng = 1000.0f;
  chart.LookupMethod_8str = "XYC";
  SetFlatLines(chart, lines);
  if (SldChartCount < slot) SldChartCount = slot;
  return chart;
}

inline ::testing::AssertionResult NearRelative(double expected, float actual, double tolerance = 1e-6) {
  if (std::fabs(static_cast<double>(actual) - expected) <= tolerance * std::fabs(expected) + 1e-9) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "expected " << expected << ", got " << actual;
}

// The number of `lines` that contain `part`.
inline int CountContaining(const std::vector<std::string>& lines, const std::string& part) {
  int n = 0;
  for (const std::string& line : lines) n += line.find(part) != std::string::npos ? 1 : 0;
  return n;
}
