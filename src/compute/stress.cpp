// Unit weight and effective stress.
#include "compute/stress.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "core/depth_values.h"
#include "core/null_value.h"
#include "core/report.h"
#include "files/paths.h"
#include "files/split.h"
#include "numeric/numeric_tools.h"
#include "numeric/number_format.h"
#include "numeric/units.h"
#include "platform/text_file.h"
#include "project/sounding_db.h"
#include "sld/chart_lookup.h"
#include "sld/chart_table.h"

UwtTable gUwtTable;
StressSounding gStressSounding;

namespace {

constexpr float kWaterUnitWeight = 62.4f;  // pcf
constexpr float kLowestUnitWeight = 63.0f;  // pcf, also the smallest a UWT file may hold
constexpr float kHighestUnitWeight = 155.0f;
constexpr float kDefaultUnitWeight = 120.0f;  // pcf, stand-in when the sounding gives none

std::string TrimmedUpper(std::string_view text) {
  const auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return out;
}

bool IsChartMethod(const std::string& method) {
  return method == "SLD_TVK" || method == "VURN" || method == "SLD";
}

bool WithinUnitWeightRange(float w) { return !IsNull(w) && w >= kLowestUnitWeight && w <= kHighestUnitWeight; }

// The unit weight a layer takes when the depth's own is missing.
float StandInUnitWeight(float depth, float waterTable) {
  if (!IsNull(gStressSounding.lastValidUnitWeight)) return gStressSounding.lastValidUnitWeight;
  const float given = SoundingField_single(depth <= waterTable ? "UWT_ABOVE_WT_PCF" : "UWT_BELOW_WT_PCF");
  return WithinUnitWeightRange(given) ? given : kDefaultUnitWeight;
}

void CountStandIn(float w) {
  StressSounding& s = gStressSounding;
  if (s.filledDepths == 0) {
    s.filledLow = s.filledHigh = w;
  } else {
    s.filledLow = std::min(s.filledLow, w);
    s.filledHigh = std::max(s.filledHigh, w);
  }
  ++s.filledDepths;
}

// The unit weight chart at (fr, qc1), kept within the chart's C range.
float ChartUnitWeight(float fr, float qc1) {
  const std::int16_t slot = RequiredChartIndex[kChartUWT1];
  if (IsNull(fr) || IsNull(qc1)) return NullValue;
  float x = fr;
  float y = qc1;
  float c = NullValue;
  Chart_lookup(x, y, c, slot, "");
  const SldChart& chart = SLD8a[static_cast<std::size_t>(slot)];
  RangeGate(c, chart.C_Min_8sng, chart.C_Max_8sng);
  return c;
}

// Reads the items after line 4 (separated by commas or line ends; lines without
// any field are passed over) into `items`.
void ReadUwtItems(TextReader& file, std::vector<std::string>& items) {
  FieldList fields(2 * kUwtPairs + 4);
  std::string line;
  while (file.readLine(line)) {
    SplitDelimitedLine(line, false, false, false, fields, file.path() + ", line " + std::to_string(file.lineNumber()));
    for (std::int16_t k = 1; k <= fields.count; ++k) items.push_back(fields[k]);
  }
}

void UwtFile_read(const std::string& name) {
  Status_show("", "", "reading UWT file", "UWT file = " + name, " ", " ", " ", "TR332");
  const std::string path = PathOf("PROJECT") + name;
  TextReader file;
  if (!file.open(path)) Error_report("can't read UWT file " + path, "UWF301");
  std::string line;
  bool eoh = false;
  for (int n = 1; n <= 4; ++n) {
    if (!file.readLine(line)) break;
    if (n == 4) eoh = line.find("EOH") != std::string::npos;
  }
  if (!eoh) Error_report("EOH not at 4th line of UTW file=" + name, "WI323");
  std::vector<std::string> items;
  ReadUwtItems(file, items);
  file.close();
  if (items.empty()) Error_report("no data in UTW file=" + name, "DX333");

  UwtTable table;
  std::size_t next = 0;
  for (std::int16_t k = 1; next < items.size(); ++k) {
    if (k > kUwtPairs) {
      Error_report("more than " + std::to_string(kUwtPairs) + " depth and unit weight pairs in UWT file=" + name +
                       "; the table holds " + std::to_string(kUwtPairs),
                   "UWF302");
    }
    float depth = NullValue;
    if (!NumberCell_read(items[next++], depth)) {
      Error_report("depth of pair " + std::to_string(k) + " is not a number (" + items[next - 1] + ") in UWT file=" + name,
                   "UWF303");
    }
    if (next >= items.size()) {
      Error_report("bad ENDing of data in UTW file, e.g. depth, density ; pair " + std::to_string(k) +
                       " has no unit weight in UWT file=" + name,
                   "DX733");
    }
    float unitWeight = NullValue;
    if (!NumberCell_read(items[next++], unitWeight) || unitWeight < kLowestUnitWeight) {
      Error_report(std::string("bad ORDERING of data in UTW file ") + "e.g. depth, density ; unit weight " +
                       items[next - 1] + " of pair " + std::to_string(k) + " in UWT file=" + name,
                   "DX739");
    }
    table.depths[static_cast<std::size_t>(k)] = depth;
    table.unitWeights[static_cast<std::size_t>(k)] = unitWeight;
    table.count = k;
  }
  if (table.count < 2) {
    Error_report("UWT file=" + name + " holds one depth; it needs at least two to interpolate between", "UWF304");
  }
  Status_show("", "done with UWT input file", " ", "", " ", "", " ", "TR399");
  ContextLine_write("Done with UWT file", "TASK");
  table.fileName = name;
  gUwtTable = table;
}

}  // namespace

void UwtTable_reset() { gUwtTable = UwtTable{}; }

void StressSounding_reset() { gStressSounding = StressSounding{}; }

void StressSounding_begin() {
  StressSounding_reset();
  gStressSounding.active = true;
  // Without a water table every depth counts as below it: say so, once.
  if (IsNull(SoundingField_single("WATERTABLE_DEPTH_FEET"))) {
    ContextLine_write("water table depth (WATERTABLE_DEPTH_FEET) missing: every depth is taken as below the "
                      "water table",
                      "ISSUE");
  }
}

void StressSounding_depthDone() {
  gStressSounding.aboveFr = gDepth.fr;
  gStressSounding.aboveQc1 = gDepth.qc1;
  ++gStressSounding.depthsDone;
}

void StressSounding_end() {
  StressSounding& s = gStressSounding;
  s.active = false;
  if (s.filledDepths == 0) return;
  std::string value = PlainNumber_text(s.filledLow);
  if (s.filledHigh != s.filledLow) value += " to" + PlainNumber_text(s.filledHigh);
  ContextLine_write("unit weight missing at " + std::to_string(s.filledDepths) +
                        " depth(s); the stress sums advanced there with" + value + " pcf",
                    "ISSUE");
}

void UwtFile_lookup() {
  const std::string& name = SoundingField_text("UWT_FILE_NAME");
  // No table is held under an empty name: without this check an empty name
  // matched the empty name of the table before the first read.
  if (TrimmedUpper(name).empty() || name == NullText) {
    Error_report("the unit weight file name (UWT_FILE_NAME) of sounding " + SoundingField_text("SOUNDING_NAME") +
                     " is empty; its unit weight method FILE needs the name of a UWT file in the project folder",
                 "UWF305");
  }
  if (name != gUwtTable.fileName) {
    PathName_checkSafe("UWT_FILE_NAME", name);
    UwtFile_read(name);
  }
  const UwtTable& t = gUwtTable;
  const float depth = gDepth.depth;
  for (std::size_t k = 2; k <= static_cast<std::size_t>(t.count); ++k) {
    if (t.depths[k - 1] <= depth && depth <= t.depths[k]) {
      Interpolate(t.depths[k - 1], depth, t.depths[k], t.unitWeights[k - 1], gDepth.fileUnitWeight,
                  t.unitWeights[k]);
      return;
    }
  }
  Error_report("CPT depth below is UWT file depth range - make UWT file depth deeper (depth " +
                   PlainNumber_text(depth) + " ft, UWT file=" + name + " covers" + PlainNumber_text(t.depths[1]) +
                   " to" + PlainNumber_text(t.depths[static_cast<std::size_t>(t.count)]) + " ft)",
               "GP342");
}

void UnitWeight_compute() {
  const std::string method = TrimmedUpper(SoundingField_text("UWT_METHOD"));
  if (IsChartMethod(method)) {
    const bool fromAbove = gStressSounding.firstDecision;
    gDepth.unitWeight = fromAbove ? ChartUnitWeight(gStressSounding.aboveFr, gStressSounding.aboveQc1)
                                  : ChartUnitWeight(gDepth.fr, gDepth.qc1);
    return;
  }
  if (method == "WT") {
    const float waterTable = SoundingField_single("WATERTABLE_DEPTH_FEET");
    gDepth.unitWeight = SoundingField_single(gDepth.depth <= waterTable ? "UWT_ABOVE_WT_PCF" : "UWT_BELOW_WT_PCF");
  } else if (method == "FILE") {
    UwtFile_lookup();
    gDepth.unitWeight = gDepth.fileUnitWeight;
  } else {
    Error_report("Norm CPT --- bad Unit weight total method", "UTGM724");
  }
  RangeGate(gDepth.unitWeight, kLowestUnitWeight, kHighestUnitWeight);
}

void EffectiveStress_step() {
  DepthValues& d = gDepth;
  if (!gStressSounding.active) return;
  if (IsNull(d.depth)) {
    // A row without a depth has no place in the column of soil above.
    d.unitWeight = NullValue;
    d.ves = NullValue;
    d.vts = NullValue;
    return;
  }
  UnitWeight_compute();
  StressSounding& s = gStressSounding;
  const float waterTable = SoundingField_single("WATERTABLE_DEPTH_FEET");
  const float layer = d.depth - d.previousDepth;
  d.previousDepth = d.depth;

  float unitWeight = d.unitWeight;
  if (IsNull(unitWeight)) {
    unitWeight = StandInUnitWeight(d.depth, waterTable);
    // The first depth of a sounding waits for its second decision by design.
    const bool waiting = s.firstDecision && s.depthsDone == 0 &&
                         IsChartMethod(TrimmedUpper(SoundingField_text("UWT_METHOD")));
    if (layer != 0.0f && !waiting) CountStandIn(unitWeight);
  } else {
    s.lastValidUnitWeight = unitWeight;
  }
  const float effective = d.depth > waterTable ? unitWeight - kWaterUnitWeight : unitWeight;
  d.vesSumPsf = d.vesSumPsf + layer * effective;
  d.vtsSumPsf = d.vtsSumPsf + layer * unitWeight;
  if (d.vesSumPsf < 0.0f) Error_report("negative calculated VES", "VES002");
  const float atmPerPsf = UnitFactor_get("atm/psf");
  d.ves = d.vesSumPsf * atmPerPsf;
  d.vts = d.vtsSumPsf * atmPerPsf;
}
