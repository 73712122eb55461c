// Property predictions of a depth: the standard chart sweep (unit weight, soil
// type index, cyclic resistance, shear-wave velocity, strength, blow count),
// which also re-decides the unit weight and writes the chart-direction line,
// and the value of every output column by its method (basic value, chart
// lookup with conversion, strength by cone factor Nk, cyclic resistance by
// formula).
//
// Errors (through Error_report, which does not return):
//   "RT321"  a property that is neither basic nor predicted;
//   "NK123"  an Nk method without "=" ("NK15");
//   "NK911"  an Nk that is not a number above 0 ("NK=0", "NK=x");
//   "ERD092" a chart lookup that gave no value at all;
//   "ER111"  a chart property without a conversion;
//   "NCV417" an N column whose method word is neither "C" nor "0.5";
//   "CRR418" a CRR column asked of a chart instead of UCD or UCB;
//   "MU334"  no loaded chart with the column's chart property and method;
//   "RE092"  a column the value computation cannot compute (validation).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "q1o/columns.h"

struct ChartPredictions {
  float icValue = -5435.0f;
  float uwt1Value = -5435.0f;
  float crreValue = -5435.0f;
  float vs1Value = -5435.0f;
  float s1Value = -5435.0f;
  float n1Value = -5435.0f;
};

extern ChartPredictions gPredictions;

// The standard sweep at (fr, qc1), in this order, each prediction read in its
// chart's own lookup mode and made missing outside its limits (bounds pass):
//   UWT1 -> uwt1Value  62.5435 .. 125.5435   (then EffectiveStress_step again)
//   IC   -> icValue    -1 .. 10
//   CRRE -> crreValue  0.05 .. 0.6
//   VS1  -> vs1Value   90 .. 9000
//   S1   -> s1Value    0.05 .. 10
//   N1   -> n1Value    1 .. 140
// A required chart that is not loaded (slot 0) gives a missing prediction.
// For the S1 chart, when writeDirectionLine is true, the chart-direction line
// goes to gRun.chartDirectionFile.
void Charts_sweep(float fr, float qc1, bool writeDirectionLine);

// The chart-direction line: fr "##.####", qc1 "###.###", the XYC value a
// "#####.####", the YXC value b "#####.###" and the difference in percent of a,
// (a - b) / a x 100, "#####" (missing when a or b is missing or a is 0),
// joined by ",  " and ended by ", %   Delta/xyc    S1 ".
std::string ChartDirection_line(float fr, float qc1, float a, float b);

// The value of one output column at the current depth, in its property's base
// unit (the Q1o writer applies the column's factor). The identifier is parsed
// again (gColumnId then describes this column) and the method chosen:
//   - a property BasicValue knows: that value;
//   - N1 N UWT1 UWT SUE1 SUE P200S1 P200S OCR1 OCR CC1E1 CC1E PERM1 PERM RD1 RD
//     VS1 VS: the chart of the property with "1" appended (when it does not end
//     in "1") and of the column's method, converted by ChartValue_convert;
//   - IC: the IC chart of the column's method;
//   - S1 S SU1 SU SUFV1 SUFV: with a method starting "NK" (capitals) qc1 / Nk,
//     Nk the number after the first "=", the normalised strength that the
//     strength chart gives, converted as a chart value is (S, SU, SUFV: times
//     the stress, in psf); otherwise a chart as above;
//   - CRRE CRR: method starting "UCD" CrrUcd, "UCB" CrrUcb, else the chart of
//     the property itself;
//   - CSR with the method LIQ: the cyclic stress ratio (Liquefaction_csrAtDepth);
//   - FS-LIQ, EV-LIQ: factor of safety and reconsolidation strain (%) against
//     liquefaction (Liquefaction_point) with the CRR7.5 of the method: "UCD"
//     CrrUcd, "UCB" CrrUcb, else the CRRe chart of the method ("tvk" for an
//     EV-LIQ without a method), and Ic of the standard sweep;
//   - any other property: "RT321".
// Any missing input gives the missing marker. The same as
// ColumnPlan_value(ColumnPlan_make(column)).
float ColumnValue(const ColumnDef& column);

// How one output column gets its value at every depth, decided once from its
// identifier by ColumnValue's rules: the method, the basic value's field, the
// chart and its conversion, or the cone factor Nk.
struct ColumnPlan {
  enum class Method { Basic, Sld, SuNk, CrrUcd, CrrUcb, CsrLiq, FsLiq, EvLiq, NotComputed };
  enum class Conversion { AsRead, NByExponent, NBySquareRoot, Strength, Velocity };
  Method method = Method::NotComputed;
  DepthField basicField = nullptr;       // Basic
  std::int16_t chartIndex = 0;           // Sld: the loaded chart's slot
  Conversion conversion = Conversion::AsRead;  // Sld, SuNk
  float nk = -5435.0f;                   // SuNk
  Method crr = Method::NotComputed;      // FsLiq, EvLiq: CrrUcd, CrrUcb or Sld (the CRRe chart in chartIndex)
  std::string columnId;                  // trimmed, for messages
  std::string property;                  // trimmed, for messages
};

// The plan of one column. Parses the identifier (gColumnId then describes the
// column) and raises what ColumnValue raises before it reads any value:
// "NK123", "NK911", "MU334", "ER111", "NCV417", "CRR418".
ColumnPlan ColumnPlan_make(const ColumnDef& column);

// The plans of gColumns' columns, in order (made once per sounding, so the
// depths do not parse identifiers again).
std::vector<ColumnPlan> ColumnPlans_make();

// The column's value at the current depth (see ColumnValue); raises "ERD092"
// and "RT321".
float ColumnPlan_value(const ColumnPlan& plan);

// The current depth's CSR, FS and strain with the CRR7.5 of a FsLiq or EvLiq
// plan (see ColumnValue).
struct LiquefactionPoint;
LiquefactionPoint ColumnPlan_liquefactionPoint(const ColumnPlan& plan);

// The first of gColumns' columns that asks for liquefaction (CSR_liq, FS-Liq_*,
// Ev-Liq_*), trimmed; "" when none does.
std::string LiquefactionColumn_first();

// The FS column whose CRR7.5 the liquefaction report uses: that of the first
// FS-Liq or Ev-Liq column ("FS-Liq_" + its method, "tvk" when it has none), or
// "FS-Liq_tvk" when only CSR_liq is asked.
std::string LiquefactionReport_column();

// Converts a chart value to the property of the column last analysed
// (gColumnId); F is gDepth.ves (atm), c is gDepth.c:
//   IC N1 SU1 SUFV1 S1 VS1 UWT1 UWT OCR OCR1 CCE CCE1 CC1E CC1E1 PERM PERM1
//   RD RD1 CRRE P200 P2001 P200S P200S1        v
//   N, method word "C"                          v x F^c
//   N, method word "0.5"                        v x F^0.5
//   S SU SUFV                                   v x F x PSF/ATM  (psf)
//   VS                                          v x F^0.25
// N with another method word is "NCV417", CRR is "CRR418", anything else
// "ER111". A missing v, F or c gives the missing marker.
float ChartValue_convert(float v);

// The loaded chart (slots 1..SldChartCount, in load order) whose property and
// method equal the given ones, compared upper-cased. When none matches both:
// "MU334", naming the first chart seen with the property alone as the best
// candidate; chartIndex is then kChartNotFound.
inline constexpr int kChartNotFound = 60101;
void ColumnChart_find(std::string_view property, std::string_view method, int& chartIndex);

// The run's check of the prepared columns, before any table is written: every
// column must be computable by ColumnValue's own rules. A basic property, a
// strength by Nk (its Nk checked: "NK123", "NK911") and a CRR by UCD or UCB
// need no chart, nor does CSR_liq; FS-Liq and Ev-Liq need the CRRe chart of
// their method unless it is UCD or UCB ("MU334"). A CSR of another method is
// "LQ104". Any other column needs a loaded chart of its chart property
// ("RE092" when there is none, or when the property is not predicted at all),
// with the column's method ("MU334"), and a conversion for its property
// ("ER111", "NCV417", "CRR418").
void Columns_validate();
