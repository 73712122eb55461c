// Property predictions: the standard chart sweep, the value of each output
// column by its method, and the run's check that every column can be computed.
#include "compute/predictions.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "compute/crr.h"
#include "compute/liquefaction_run.h"
#include "compute/stress.h"
#include "core/depth_values.h"
#include "core/null_value.h"
#include "core/report.h"
#include "core/run_state.h"
#include "files/text.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"
#include "numeric/units.h"
#include "q1o/column_id.h"
#include "sld/chart_lookup.h"
#include "sld/chart_table.h"

ChartPredictions gPredictions;

namespace {

// A value no lookup ever gives: a lookup that leaves it in place computed
// nothing.
constexpr float kLookupSentinel = -5435.34f;

struct SweepChart {
  RequiredChart chart;
  float ChartPredictions::*prediction;
  float low;
  float high;
};

constexpr std::array<SweepChart, 6> kSweep{{
    {kChartUWT1, &ChartPredictions::uwt1Value, 62.5435f, 125.5435f},
    {kChartIC, &ChartPredictions::icValue, -1.0f, 10.0f},
    {kChartCRRE, &ChartPredictions::crreValue, 0.05f, 0.6f},
    {kChartVS1, &ChartPredictions::vs1Value, 90.0f, 9000.0f},
    {kChartS1, &ChartPredictions::s1Value, 0.05f, 10.0f},
    {kChartN1, &ChartPredictions::n1Value, 1.0f, 140.0f},
}};

bool isOneOf(std::string_view word, std::initializer_list<std::string_view> list) {
  for (std::string_view entry : list) {
    if (entry == word) return true;
  }
  return false;
}

// base^exponent, missing when either is missing or the power has no value
// (a negative base).
float PowerOrNull(float base, float exponent) {
  if (IsNull(base) || IsNull(exponent) || base < 0.0f) return NullValue;
  return std::pow(base, exponent);
}

// The value of a chart at (fr, qc1) in the given mode; missing when the mode
// computes no C value there, or when no chart is loaded in the slot.
float ChartAt(std::int16_t slot, float fr, float qc1, std::string_view mode) {
  if (slot < 1 || slot > SldChartCount) return NullValue;
  float x = fr;
  float y = qc1;
  float v = NullValue;
  Chart_lookup(x, y, v, slot, mode);
  return v;
}

using Conversion = ColumnPlan::Conversion;
using Method = ColumnPlan::Method;

struct MethodChoice {
  Method method = Method::NotComputed;
  float basicValue = NullValue;
  std::string chartProperty;
  std::string chartMethod;  // the chart's method when it is not the column's own
  float nk = NullValue;
  Method crr = Method::NotComputed;
};

bool isLiquefactionProperty(const std::string& upperProperty, const std::string& method) {
  return (upperProperty == "CSR" && UpperCased(method) == "LIQ") || upperProperty == "FS-LIQ" ||
         upperProperty == "EV-LIQ";
}

std::string withOne(const std::string& property) {
  if (!property.empty() && property.back() == '1') return property;
  return property + "1";
}

// The method of the column last analysed (gColumnId after ColumnDefaults_set),
// with its chart property or its Nk. Raises "NK123" and "NK911".
MethodChoice MethodOfColumn() {
  MethodChoice choice;
  bool found = false;
  BasicValue(gColumnId.property, choice.basicValue, found);
  if (found) {
    choice.method = Method::Basic;
    return choice;
  }
  const std::string property = TrimBlanks(gColumnId.property);
  const std::string p = UpperCased(property);
  const std::string& method = gColumnId.method;
  if (isOneOf(p, {"N1", "N", "UWT1", "UWT", "SUE1", "SUE", "P200S1", "P200S", "OCR1", "OCR", "CC1E1", "CC1E",
                  "PERM1", "PERM", "RD1", "RD", "VS1", "VS"})) {
    choice.method = Method::Sld;
    choice.chartProperty = withOne(property);
  } else if (p == "IC") {
    choice.method = Method::Sld;
    choice.chartProperty = property;
  } else if (isOneOf(p, {"S1", "S", "SU1", "SU", "SUFV1", "SUFV"})) {
    choice.chartProperty = withOne(property);
    // Only the capitals "NK" name the cone factor method; "Nk=15" is a chart
    // method word like any other.
    if (method.rfind("NK", 0) == 0) {
      choice.method = Method::SuNk;
      const std::size_t equals = method.find('=');
      if (equals == std::string::npos) Error_report("SU Nk method must have the form of Nk=17", "NK123");
      choice.nk = NumberOrNull(std::string_view(method).substr(equals + 1));
      // Nk = 0 would divide by zero; a missing Nk is below 0 as well.
      if (choice.nk <= 0.0f) Error_report("Su Nk=xx must have a number, e.g. Nk=16", "NK911");
    } else {
      choice.method = Method::Sld;
    }
  } else if (p == "CRRE" || p == "CRR") {
    const std::string_view start = std::string_view(method).substr(0, 3);
    if (start == "UCD") {
      choice.method = Method::CrrUcd;
    } else if (start == "UCB") {
      choice.method = Method::CrrUcb;
    } else {
      choice.method = Method::Sld;
      choice.chartProperty = property;
    }
  } else if (p == "CSR" && UpperCased(method) == "LIQ") {
    choice.method = Method::CsrLiq;
  } else if (p == "FS-LIQ" || p == "EV-LIQ") {
    choice.method = p == "FS-LIQ" ? Method::FsLiq : Method::EvLiq;
    // The method names the CRR7.5 as the CRR columns do.
    const std::string crrMethod = method.empty() ? std::string("tvk") : method;
    const std::string_view start = std::string_view(crrMethod).substr(0, 3);
    if (start == "UCD") {
      choice.crr = Method::CrrUcd;
    } else if (start == "UCB") {
      choice.crr = Method::CrrUcb;
    } else {
      choice.crr = Method::Sld;
      choice.chartProperty = "CRRe";
      choice.chartMethod = crrMethod;
    }
  }
  return choice;
}

// The conversion of a chart value to the property of the column last analysed.
// Raises "NCV417", "CRR418" and "ER111".
Conversion ConversionOfColumn() {
  const std::string p = TrimmedUpper(gColumnId.property);
  // P200S/P200S1 are the fines chart's own property, CC1E/CC1E1 the
  // compression chart's: their values are used as read, like P200/P2001 and
  // CCE/CCE1.
  if (isOneOf(p, {"IC", "N1", "SU1", "SUFV1", "S1", "VS1", "UWT1", "UWT", "OCR", "OCR1", "CCE", "CCE1", "CC1E",
                  "CC1E1", "PERM", "PERM1", "RD", "RD1", "CRRE", "P200", "P2001", "P200S", "P200S1"})) {
    return Conversion::AsRead;
  }
  const std::string columnId = TrimBlanks(gColumnId.fullId);
  if (p == "N") {
    if (gColumnId.method == "C") return Conversion::NByExponent;
    if (gColumnId.method == "0.5") return Conversion::NBySquareRoot;
    Error_report("Q1o column " + columnId + ": N needs the method word C (N1 x VES^c) or 0.5 (N1 x VES^0.5), not " +
                     gColumnId.method,
                 "NCV417");
  }
  if (p == "SU" || p == "SUFV" || p == "S") return Conversion::Strength;
  if (p == "VS") return Conversion::Velocity;
  if (p == "CRR") {
    Error_report("Q1o column " + columnId + ": CRR is not read from a chart; use the method UCD or UCB, or CRRe",
                 "CRR418");
  }
  Error_report("bad property", "ER111");
}

bool AnyChartHasProperty(const std::string& property) {
  const std::string wanted = UpperCased(property);
  for (std::int16_t slot = 1; slot <= SldChartCount; ++slot) {
    if (UpperCased(SLD8a[static_cast<std::size_t>(slot)].Property_ID_8str) == wanted) return true;
  }
  return false;
}

}  // namespace

std::string ChartDirection_line(float fr, float qc1, float a, float b) {
  const float diff = AddOrNull(a, -b);
  const float ratio = DivideOrNull(diff, a);
  const float pct = MultiplyOrNull(ratio, 100.0f);
  return Number_format(fr, "##.####", false) + ",  " + Number_format(qc1, "###.###", false) + ",  " +
         Number_format(a, "#####.####", false) + ",  " + Number_format(b, "#####.###", false) + ",  " +
         Number_format(pct, "#####", false) + ", %   Delta/xyc    S1 ";
}

void Charts_sweep(float fr, float qc1, bool writeDirectionLine) {
  for (const SweepChart& entry : kSweep) {
    const std::int16_t slot = RequiredChartIndex[static_cast<std::size_t>(entry.chart)];
    if (entry.chart == kChartS1 && writeDirectionLine) {
      const float a = ChartAt(slot, fr, qc1, "XYC");
      const float b = ChartAt(slot, fr, qc1, "YXC");
      gRun.chartDirectionFile.writeLine(ChartDirection_line(fr, qc1, a, b));
    }
    float value = ChartAt(slot, fr, qc1, "");
    RangeGate(value, entry.low, entry.high);
    gPredictions.*entry.prediction = value;
    if (entry.chart == kChartUWT1) EffectiveStress_step();
  }
}

namespace {

float convertBy(ColumnPlan::Conversion conversion, float v) {
  const DepthValues& d = gDepth;
  switch (conversion) {
    case Conversion::AsRead:
      return v;
    case Conversion::NByExponent:
      return MultiplyOrNull(v, PowerOrNull(d.ves, d.c));
    case Conversion::NBySquareRoot:
      return MultiplyOrNull(v, PowerOrNull(d.ves, 0.5f));
    case Conversion::Strength:
      // v x F is a strength in atm; the column's base unit is psf.
      return MultiplyOrNull(MultiplyOrNull(v, d.ves), UnitFactor_get("PSF/ATM"));
    case Conversion::Velocity:
      return MultiplyOrNull(v, PowerOrNull(d.ves, 0.25f));
  }
  return NullValue;
}

// The plan of the column last analysed (gColumnId after ColumnDefaults_set),
// whose method is `choice`: the chart found once, the conversion decided once.
ColumnPlan planOf(const ColumnDef& column, const MethodChoice& choice) {
  ColumnPlan plan;
  plan.method = choice.method;
  plan.columnId = TrimBlanks(column.id);
  plan.property = TrimBlanks(gColumnId.property);
  plan.nk = choice.nk;
  plan.crr = choice.crr;
  if (choice.method == Method::Basic) plan.basicField = BasicValue_field(gColumnId.property);
  if (choice.crr == Method::Sld) {
    int chartIndex = kChartNotFound;
    ColumnChart_find(choice.chartProperty, choice.chartMethod, chartIndex);
    plan.chartIndex = static_cast<std::int16_t>(chartIndex);
  }
  if (choice.method == Method::Sld) {
    int chartIndex = kChartNotFound;
    ColumnChart_find(choice.chartProperty, gColumnId.method, chartIndex);
    plan.chartIndex = static_cast<std::int16_t>(chartIndex);
    plan.conversion = ConversionOfColumn();
  }
  // qc1 / Nk is the normalised strength, as the strength chart's value is: a
  // strength column (S, SU, SUFV) takes it times the stress, in psf.
  if (choice.method == Method::SuNk) plan.conversion = ConversionOfColumn();
  return plan;
}

}  // namespace

float ChartValue_convert(float v) { return convertBy(ConversionOfColumn(), v); }

ColumnPlan ColumnPlan_make(const ColumnDef& column) {
  ColumnId_parse(column.id);
  ColumnDefaults_set();
  return planOf(column, MethodOfColumn());
}

std::vector<ColumnPlan> ColumnPlans_make() {
  std::vector<ColumnPlan> plans;
  plans.reserve(gColumns.columns.size());
  for (const ColumnDef& column : gColumns.columns) plans.push_back(ColumnPlan_make(column));
  return plans;
}

float ColumnPlan_value(const ColumnPlan& plan) {
  const DepthValues& d = gDepth;
  float crr = NullValue;
  switch (plan.method) {
    case Method::Basic:
      return d.*plan.basicField;
    case Method::SuNk:
      return convertBy(plan.conversion, DivideOrNull(d.qc1, plan.nk));
    case Method::CrrUcd:
      CrrUcd(d.qc1, d.fr, crr);
      return crr;
    case Method::CrrUcb:
      CrrUcb(d.qc1, d.fr, crr);
      return crr;
    case Method::Sld: {
      float x = d.fr;
      float y = d.qc1;
      float v = kLookupSentinel;
      Chart_lookup(x, y, v, plan.chartIndex, "");
      if (v == kLookupSentinel) Error_report("no calculation for " + plan.columnId, "ERD092");
      return convertBy(plan.conversion, v);
    }
    case Method::CsrLiq:
      return Liquefaction_csrAtDepth();
    case Method::FsLiq:
      return ColumnPlan_liquefactionPoint(plan).fs;
    case Method::EvLiq:
      return ColumnPlan_liquefactionPoint(plan).strainPct;
    case Method::NotComputed:
      break;
  }
  Error_report("bad property, not found -->" + plan.property, "RT321");
}

LiquefactionPoint ColumnPlan_liquefactionPoint(const ColumnPlan& plan) {
  const DepthValues& d = gDepth;
  float crr = NullValue;
  if (plan.crr == Method::CrrUcd) {
    CrrUcd(d.qc1, d.fr, crr);
  } else if (plan.crr == Method::CrrUcb) {
    CrrUcb(d.qc1, d.fr, crr);
  } else if (plan.crr == Method::Sld) {
    crr = ChartAt(plan.chartIndex, d.fr, d.qc1, "");
  }
  return Liquefaction_point(crr, gPredictions.icValue);
}

std::string LiquefactionColumn_first() {
  for (const ColumnDef& column : gColumns.columns) {
    ColumnId_parse(column.id);
    if (isLiquefactionProperty(TrimmedUpper(gColumnId.property), gColumnId.method)) return TrimBlanks(column.id);
  }
  return "";
}

std::string LiquefactionReport_column() {
  for (const ColumnDef& column : gColumns.columns) {
    ColumnId_parse(column.id);
    const std::string p = TrimmedUpper(gColumnId.property);
    if (p == "FS-LIQ" || p == "EV-LIQ") {
      return "FS-Liq_" + (gColumnId.method.empty() ? std::string("tvk") : gColumnId.method);
    }
  }
  return "FS-Liq_tvk";
}

float ColumnValue(const ColumnDef& column) { return ColumnPlan_value(ColumnPlan_make(column)); }

void ColumnChart_find(std::string_view property, std::string_view method, int& chartIndex) {
  const std::string wantedProperty = UpperCased(property);
  const std::string wantedMethod = UpperCased(method);
  bool candidateSeen = false;
  std::string candidateProperty;
  std::string candidateMethod;
  for (std::int16_t slot = 1; slot <= SldChartCount; ++slot) {
    const SldChart& chart = SLD8a[static_cast<std::size_t>(slot)];
    if (UpperCased(chart.Property_ID_8str) != wantedProperty) continue;
    if (!candidateSeen) {
      candidateSeen = true;
      candidateProperty = chart.Property_ID_8str;
      candidateMethod = chart.Property_Method_8str;
    }
    if (UpperCased(chart.Property_Method_8str) == wantedMethod) {
      chartIndex = slot;
      return;
    }
  }
  chartIndex = kChartNotFound;
  std::string text = "A required printout Column ID does not match any SLD IDs Column ID=" + std::string(property) +
                     " and column method=" + std::string(method) + "  ";
  if (candidateSeen) {
    text += " >>> best possible SLD column= " + candidateProperty + " >>> best possible SLD method= " + candidateMethod;
  }
  Error_report(text, "MU334");
}

void Columns_validate() {
  for (const ColumnDef& column : gColumns.columns) {
    ColumnId_parse(column.id);
    ColumnDefaults_set();
    const MethodChoice choice = MethodOfColumn();
    if (choice.crr == Method::Sld) {
      int chartIndex = kChartNotFound;
      ColumnChart_find(choice.chartProperty, choice.chartMethod, chartIndex);
    } else if (choice.method == Method::NotComputed && TrimmedUpper(gColumnId.property) == "CSR") {
      Error_report("Q1o column " + TrimBlanks(gColumnId.fullId) +
                       ": the cyclic stress ratio of an earthquake is the column CSR_liq",
                   "LQ104");
    } else if (choice.method == Method::Sld && AnyChartHasProperty(choice.chartProperty)) {
      int chartIndex = kChartNotFound;
      ColumnChart_find(choice.chartProperty, gColumnId.method, chartIndex);
      ConversionOfColumn();
    } else if (choice.method == Method::Sld || choice.method == Method::NotComputed) {
      Error_report("Q1o column parameter of " + TrimBlanks(gColumnId.property) +
                       " is not a basic property (e.g. depth) nor from a SLD file",
                   "RE092");
    }
  }
}
