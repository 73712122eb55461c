// Stress normalization and the depth sequence.
#include "compute/normalize.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "compute/liquefaction_run.h"
#include "compute/predictions.h"
#include "compute/stress.h"
#include "compute/zero_load.h"
#include "core/depth_values.h"
#include "core/null_value.h"
#include "core/phase_times.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "fielddata/hog_reader.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"
#include "project/sounding_db.h"
#include "q1o/columns.h"
#include "q1o/q1o_writer.h"
#include "sld/chart_lookup.h"
#include "sld/chart_table.h"

namespace {

constexpr float kClosure = 0.008f;
constexpr int kMostIterations = 250;
constexpr float kStressExponentLow = 0.005f;
constexpr float kStressExponentHigh = 1.6f;
constexpr float kChartExponentLow = 0.01f;
constexpr float kChartExponentHigh = 1.5f;
constexpr float kQc1Low = 1.0f;
constexpr float kQc1High = 1000.0f;
constexpr float kFrLow = 0.1f;
constexpr float kFrHigh = 10.0f;
constexpr float kHighStart = 1.5f;
constexpr float kLowStart = 0.2f;
constexpr float kStability = 0.03f;

// The exponent chart at (fr, qc1) in its own lookup mode.
float ChartExponent(float fr, float qc1) {
  float x = fr;
  float y = qc1;
  float c = NullValue;
  Chart_lookup(x, y, c, RequiredChartIndex[kChartCQC1], "");
  return c;
}

// The instability issue of a depth whose two runs disagree. A run that failed
// to close leaves a missing exponent; when both failed the difference is
// reported as the marker's size.
void Stability_check(float cHigh, float cLow) {
  const bool eitherMissing = IsNull(cHigh) || IsNull(cLow);
  const float difference = IsNull(cHigh) && IsNull(cLow) ? -NullValue : std::fabs(cHigh - cLow);
  if (!eitherMissing && difference <= kStability) return;
  TaskLine_write(6,
                 "At depth=" + PlainNumber_text(gDepth.depth) + " ft,  " + "c(low)=" + PlainNumber_text(cLow) +
                     " & c(high)=" + PlainNumber_text(cHigh) + ", Calculatd c is unstable i.e. delta=" +
                     PlainNumber_text(difference) + "which is >" + PlainNumber_text(kStability),
                 "ISSUE");
}

// One issue line per sounding for the depths whose normalised values are
// missing for one reason: "<sounding>: <what> at depth(s) d1, d2, ... ft:
// <consequence>", the first ten depths named.
void DepthsIssue_write(const std::vector<float>& depths, const std::string& what, const std::string& consequence) {
  if (depths.empty()) return;
  constexpr std::size_t kNamed = 10;
  std::string text;
  for (std::size_t k = 0; k < depths.size() && k < kNamed; ++k) {
    text += (k == 0 ? "" : ",") + PlainNumber_text(depths[k]);
  }
  if (depths.size() > kNamed) text += " and " + std::to_string(depths.size() - kNamed) + " more";
  ContextLine_write(SoundingField_text("SOUNDING_NAME") + ": " + what + " at depth(s)" + text + " ft: " + consequence,
                    "ISSUE");
}

}  // namespace

void Normalize(float cStart, float vesAtm) { Normalize_run(cStart, vesAtm); }

NormalizeEnd Normalize_run(float cStart, float vesAtm) {
  DepthValues& d = gDepth;
  d.fr = d.qc1 = d.fs1 = d.c = NullValue;
  if (d.qt <= 0.0f || d.fs <= 0.0f) return NormalizeEnd::NoReadings;
  if (IsNull(vesAtm) || vesAtm == 0.0f) {
    // No stress to normalise by (a reading at the surface): the friction ratio
    // needs none; the normalised values stay missing.
    d.fr = d.fs * 100.0f / d.qt;
    RangeGate(d.fr, kFrLow, kFrHigh);
    return NormalizeEnd::NoStress;
  }
  if (vesAtm < 0.0f) Error_report("VES <= 0 in Normalization", "VES932");
  d.fr = d.fs * 100.0f / d.qt;

  float cUsed = cStart;
  float cChart = cStart;
  float qc1 = NullValue;
  // Whether the chart gave a value in the last iteration: the limits below
  // turn "no value" into 0.01, which is no exponent.
  bool chartHadValue = false;
  for (int k = 1; k <= kMostIterations; ++k) {
    cUsed = (cUsed + cChart) / 2.0f;
    cUsed = std::clamp(cUsed, kStressExponentLow, kStressExponentHigh);
    const float s = std::pow(vesAtm, cUsed);
    if (s == 0.0f) Error_report("VES^c = 0 in Normalization", "VES342");
    qc1 = std::clamp(d.qt / s, kQc1Low, kQc1High);
    const float read = ChartExponent(d.fr, qc1);
    chartHadValue = !IsNull(read);
    cChart = std::clamp(read, kChartExponentLow, kChartExponentHigh);
    const float delta = std::fabs(cChart - cUsed);
    if (delta < kClosure) break;
    if (k == kMostIterations) {
      ContextLine_write("  poor c calculation closure because at max# of tries ---" +
                            std::string("  DeltaC_criteria = ") + PlainNumber_text(kClosure) +
                            "  DeltaC_chart = " + PlainNumber_text(delta),
                        "ISSUE");
      return NormalizeEnd::NoClosure;
    }
  }
  RangeGate(d.fr, kFrLow, kFrHigh);
  // Closed on a point where the chart has no value: no exponent, so no Qc1.
  if (!chartHadValue) return NormalizeEnd::NoChartValue;
  d.c = cChart;
  RangeGate(d.c, kChartExponentLow, kChartExponentHigh);
  d.qc1 = qc1;
  RangeGate(d.qc1, kQc1Low, kQc1High);
  d.fs1 = MultiplyOrNull(DivideOrNull(d.fr, 100.0f), d.qc1);
  return NormalizeEnd::Closed;
}

float Normalize_fromBothStarts(float vesAtm) {
  Normalize(kHighStart, vesAtm);
  const float cHigh = gDepth.c;
  Normalize(kLowStart, vesAtm);
  return cHigh;
}

void Depths_process(int soundingIndex, float& totalDepth) {
  const int rows = std::max<int>(0, gFieldData.rowCount);
  StressSounding_begin();
  if (rows == 0) {
    ContextLine_write("no depth rows in the field data; the Q1o table has none", "ISSUE");
    StressSounding_end();
    gRun.q1oFile.close();
    return;
  }
  // Each column's identifier is worked out once per sounding, not per depth.
  const std::vector<ColumnPlan> plans = ColumnPlans_make();
  const bool liquefaction = gLiquefaction.inputs.wanted;
  ColumnPlan liquefactionPlan;
  if (liquefaction) {
    ColumnDef reportColumn;
    reportColumn.id = LiquefactionReport_column();
    liquefactionPlan = ColumnPlan_make(reportColumn);
  }
  std::vector<float> values(plans.size());
  std::string rowText;
  // Depths with readings but no normalised values, for the sounding's issue lines.
  std::vector<float> unstressed;
  std::vector<float> noChartValue;
  const bool timed = gPhaseTimes.enabled;
  double clock = timed ? PhaseClock_now() : 0.0;
  for (int i = 1; i <= rows; ++i) {
    const auto row = static_cast<std::size_t>(i);
    Window_processEvents();
    ChartLookupMemo_begin();
    DepthValues_resetDepth();
    DepthValues& d = gDepth;
    d.depth = gFieldData.depth[row];
    d.qc = gFieldData.qc[row];
    d.fs = gFieldData.fs[row];
    d.u2 = gFieldData.u2[row];
    d.inclX = gFieldData.inclX[row];
    d.inclY = gFieldData.inclY[row];
    Status_show("", "", "", "", "", PlainInteger_text(i), Number_format(d.depth, "###.#", false) + " ft",
                "QD111");
    d.qt = d.qc;
    const bool placed = !IsNull(d.depth);
    if (placed) {
      gStressSounding.firstDecision = true;
      EffectiveStress_step();
      gStressSounding.firstDecision = false;
      const NormalizeEnd high = Normalize_run(kHighStart, d.ves);
      const float cHigh = d.c;
      const NormalizeEnd low = Normalize_run(kLowStart, d.ves);
      const float cLow = d.c;
      // Without a tip or sleeve reading, or without stress, nothing was
      // normalised, so there is nothing to compare; nor when both starts
      // ended where the chart has no exponent.
      if (low == NormalizeEnd::NoStress) {
        unstressed.push_back(d.depth);
      } else if (high == NormalizeEnd::NoChartValue && low == NormalizeEnd::NoChartValue) {
        noChartValue.push_back(d.depth);
      } else if (low != NormalizeEnd::NoReadings) {
        Stability_check(cHigh, cLow);
      }
    } else {
      // No depth: no stress, so no normalization; the row is still written.
      EffectiveStress_step();
    }
    Charts_sweep(d.fr, d.qc1, true);
    if (placed) StressSounding_depthDone();
    for (std::size_t k = 0; k < plans.size(); ++k) values[k] = ColumnPlan_value(plans[k]);
    if (liquefaction && placed) Liquefaction_trackDepth(ColumnPlan_liquefactionPoint(liquefactionPlan));
    ZeroLoad_trackDepth(soundingIndex);
    if (timed) clock = PhaseTimes_add(RunPhase::Compute, clock);
    Q1o_writeValueRow(values, rowText);
    ChartLookupMemo_end();
    if (timed) clock = PhaseTimes_add(RunPhase::Write, clock);
    if (i == rows) {
      // A last row without a depth: the sounding ends at its deepest known depth.
      totalDepth += placed ? d.depth : d.previousDepth;
      DepthsIssue_write(unstressed, "effective stress not positive",
                        "no normalised values and no predictions there");
      DepthsIssue_write(noChartValue, "the exponent chart (CQC1) has no value where the normalization ends",
                        "c, Qc1 and fs1 missing there");
      StressSounding_end();
      gRun.q1oFile.close();
    }
  }
}
