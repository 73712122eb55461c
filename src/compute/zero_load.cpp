// The zero-load analysis: zero readings and lowest readings per sounding, and
// the report sorted by device, date and sounding.
#include "compute/zero_load.h"

#include <cstdint>
#include <set>
#include <vector>

#include "compute/predictions.h"
#include "compute/stress.h"
#include "core/depth_values.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "fielddata/hog_reader.h"
#include "files/paths.h"
#include "files/split.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"
#include "numeric/units.h"
#include "project/sounding_db.h"

ZeroLoadState gZeroLoad;

namespace {

constexpr double kCountScale = 0.01044;

// A zero reading in atm, converted as the readings themselves are.
float zeroAtm(const HogChannel& channel, float reading) {
  if (IsNull(channel.factor) || IsNull(reading)) return NullValue;
  return static_cast<float>(static_cast<double>(UnitFactor_get("ATM/TSF")) * static_cast<double>(channel.factor) *
                            static_cast<double>(reading) * kCountScale);
}

std::string fitted(const std::string& text, size_t width) {
  std::string t = text.substr(0, width);
  t.append(width - t.size(), ' ');
  return t;
}

std::string P(float value, const char* picture) { return Number_format(value, picture, false); }

// Strength in psf from a strength ratio (su / effective stress) and the stress in atm.
float strengthPsf(float ratio, float vesAtm) {
  return MultiplyOrNull(MultiplyOrNull(ratio, vesAtm), UnitFactor_get("PSF/ATM"));
}

// The strength ratio the chart sweep predicts at (fr, qc1). The sweep belongs
// to no depth of a sounding here: the unit weight and stress step it would
// repeat stays idle, and the depth record and predictions are left as they were.
float sweptStrength(float fr, float qc1) {
  const DepthValues savedDepth = gDepth;
  const ChartPredictions savedPredictions = gPredictions;
  const StressSounding savedStress = gStressSounding;
  gStressSounding.active = false;
  Charts_sweep(fr, qc1, false);
  const float strength = gPredictions.s1Value;
  gDepth = savedDepth;
  gPredictions = savedPredictions;
  gStressSounding = savedStress;
  return strength;
}

float percentChange(float from, float to) {
  return MultiplyOrNull(DivideOrNull(AddOrNull(to, MultiplyOrNull(from, -1.0f)), from), 100.0f);
}

}  // namespace

void ZeroLoad_reset() { gZeroLoad = ZeroLoadState{}; }

void ZeroLoad_start() {
  const std::string text = MainControl("Depth_lowest_WhenLookingForLowestQc_feet8txt").text;
  const float limit = NumberOrNull(text);
  if (limit == NullValue) {
    Error_report("setting depth to look for lowest Qc is not a number, i.e. " + text, "LFE543");
  }
  if (limit >= 10.0f) Error_report("setting depth to look for lowest Qc is TOO deep , i.e. " + text, "LFE178");
  if (limit <= 0.5f) Error_report("setting depth to look for lowest Qc is TOO Shallow , i.e. " + text, "LFE551");
  gZeroLoad.lowestQcDepthLimit = limit;
  gZeroLoad.count = 0;
  gZeroLoad.reportPath = PathOf("PROJECT") + "Vurn---Output---Zero_Load_Data---" + gRun.projectName + ".txt";
  gRun.zeroLoadFileName = gZeroLoad.reportPath;
}

void ZeroLoad_beginSounding(int k) {
  if (k < 1 || k > kZeroLoadRecords) {
    Error_report("Zero load data, more than " + std::to_string(kZeroLoadRecords) + " soundings in one run", "ZLR201");
  }
  ZeroLoadRecord& r = gZeroLoad.records[static_cast<size_t>(k)];
  r = ZeroLoadRecord{};
  r.projectName = gRun.projectName;
  r.sounding = SoundingField_text("SOUNDING_NAME");
  r.device = gHogHeader.device;
  r.dateTime = gHogHeader.dateTime;
  r.qcZeroClean = zeroAtm(gHogHeader.tip, gHogHeader.tip.cleanZero);
  r.qcZeroDirty = zeroAtm(gHogHeader.tip, gHogHeader.tip.dirtyZero);
  r.fsZeroClean = zeroAtm(gHogHeader.friction, gHogHeader.friction.cleanZero);
  r.fsZeroDirty = zeroAtm(gHogHeader.friction, gHogHeader.friction.dirtyZero);
  if (k > gZeroLoad.count) gZeroLoad.count = k;
}

void ZeroLoad_trackDepth(int k) {
  if (k < 1 || k > gZeroLoad.count) return;
  ZeroLoadRecord& r = gZeroLoad.records[static_cast<size_t>(k)];
  const DepthValues& d = gDepth;
  const float strength = gPredictions.s1Value;
  const bool below = !IsNull(d.depth) && d.depth > gZeroLoad.lowestQcDepthLimit;
  if (below && !IsNull(d.qc) && d.qc < r.qcLowest) {
    r.qcLowest = d.qc;
    r.qcLowestDepth = d.depth;
    r.qcLowestVes = d.ves;
    r.qcLowestFr = d.fr;
    if (!IsNull(strength)) r.qcLowestStrength = strength;
  }
  if (below && !IsNull(d.fs) && d.fs < r.fsLowest) {
    r.fsLowest = d.fs;
    r.fsLowestDepth = d.depth;
    r.fsLowestVes = d.ves;
    r.fsLowestQc1 = d.qc1;
    r.fsLowestFr = d.fr;
    if (!IsNull(strength)) r.fsLowestStrength = strength;
  }
}

ZeroLoadStrengths ZeroLoad_strengths(const ZeroLoadRecord& r) {
  ZeroLoadStrengths s;
  s.qcLowest = strengthPsf(r.qcLowestStrength, r.qcLowestVes);
  const float correctedQc1 = DivideOrNull(AddOrNull(r.qcLowest, r.qcDriftC2D), r.qcLowestVes);
  s.qcCorrected = strengthPsf(sweptStrength(r.qcLowestFr, correctedQc1), r.qcLowestVes);
  s.qcPercent = percentChange(s.qcLowest, s.qcCorrected);

  // At the sleeve's lowest point the zero correction moves the friction ratio
  // in proportion to the corrected sleeve reading.
  s.fsLowest = strengthPsf(r.fsLowestStrength, r.fsLowestVes);
  const float correctedFr = MultiplyOrNull(r.fsLowestFr, DivideOrNull(AddOrNull(r.fsLowest, r.fsDriftC2D), r.fsLowest));
  const float fsCorrected = strengthPsf(sweptStrength(correctedFr, r.fsLowestQc1), r.fsLowestVes);
  s.fsPercent = percentChange(s.fsLowest, fsCorrected);
  return s;
}

std::string ZeroLoad_sortKey(const ZeroLoadRecord& r) {
  return "Device=" + r.device + "...Datetime=" + r.dateTime + "...CPT=" + r.sounding;
}

void ZeroLoad_writeReport() {
  Status_show("Zero file output", "", "", "", "", "", "", "ZF112");
  const int n = gZeroLoad.count;
  if (n > kZeroLoadReportRows) {
    Error_report("Zero load report, " + std::to_string(n) + " soundings, at most " +
                     std::to_string(kZeroLoadReportRows) + " rows",
                 "ZLR202");
  }
  std::vector<std::string> keys(static_cast<size_t>(n) + 1);
  std::set<std::string> devices;
  for (int k = 1; k <= n; ++k) {
    ZeroLoadRecord& r = gZeroLoad.records[static_cast<size_t>(k)];
    r.sortKey = ZeroLoad_sortKey(r);
    keys[static_cast<size_t>(k)] = r.sortKey;
    devices.insert(r.device);
  }
  if (devices.size() > static_cast<size_t>(kZeroLoadDevices)) {
    Error_report("Zero load report, " + std::to_string(devices.size()) + " devices, at most " +
                     std::to_string(kZeroLoadDevices),
                 "ZLR203");
  }
  std::vector<std::int16_t> order;
  SortTextOrder(keys, static_cast<std::int16_t>(n), order);

  TextWriter& f = gRun.zeroLoadReport;
  if (!f.open(gZeroLoad.reportPath, TextWriter::Mode::Replace)) {
    Error_report("can't write zero load report " + gZeroLoad.reportPath + ", maybe open by another program?",
                 "ZLR204");
  }
  std::string title;
  for (const char* piece : {"device       ", "sounding       ", "Date               ", "Qc_zClean ", "Qc_zDirty ",
                            "Qc_d_C2D ", "Qc_d_C2C ", "QcLowest ", "S_QcL  ", "S_QcL+ZE ", "S_QcLow% ", "fs_zClean ",
                            "fs_zDirty ", "fs_d_C2D ", "fs_d_C2C ", "fsLowest ", "S_fsLowest ", "S_fsLow_% "}) {
    title += piece;
  }
  f.writeLine(title);
  std::string units;
  for (const char* piece : {"------------ ", "-------------  ", "---------------    ", "--atm---  ", "--atm---  ",
                            "--atm--  ", "--atm--  ", "--atm--  ", "--psf- ", "--psf--- ", "---%---- ", "--atm---  ",
                            "--atm---  ", "--atm--  ", "--atm--  ", "--psf--  ", "--psf----  ", "--%---- ."}) {
    units += piece;
  }
  f.writeLine(units);
  Status_show("sorted file writing", "", "", "", "", "", "", "ZF182");

  std::string device;
  bool firstRow = true;
  float previousQcClean = NullValue;
  float previousFsClean = NullValue;
  for (int row = 1; row <= n; ++row) {
    ZeroLoadRecord& r = gZeroLoad.records[static_cast<size_t>(order[static_cast<size_t>(row)])];
    if (firstRow || r.device != device) {
      device = r.device;
      previousQcClean = NullValue;
      previousFsClean = NullValue;
      firstRow = false;
    }
    Status_show("", "", "", "", "", "r=" + PlainNumber_text(static_cast<float>(row)), "", "ZF346");
    r.qcDriftC2C = AddOrNull(r.qcZeroClean, MultiplyOrNull(previousQcClean, -1.0f));
    r.fsDriftC2C = AddOrNull(r.fsZeroClean, MultiplyOrNull(previousFsClean, -1.0f));
    r.qcDriftC2D = AddOrNull(r.qcZeroClean, MultiplyOrNull(r.qcZeroDirty, -1.0f));
    r.fsDriftC2D = AddOrNull(r.fsZeroClean, MultiplyOrNull(r.fsZeroDirty, -1.0f));
    previousQcClean = r.qcZeroClean;
    previousFsClean = r.fsZeroClean;
    const ZeroLoadStrengths s = ZeroLoad_strengths(r);

    std::string line = fitted(r.device, 12) + " " + fitted(r.sounding, 15) + fitted(r.dateTime, 15) + "    ";
    line += P(r.qcZeroClean, "###.###") + "   " + P(r.qcZeroDirty, "###.###") + "   " + P(r.qcDriftC2D, "###.###") +
            "  " + P(r.qcDriftC2C, "###.###") + "  " + P(r.qcLowest, "###.####") + " ";
    line += P(s.qcLowest, "####") + "   " + P(s.qcCorrected, "#####") + "    " + P(s.qcPercent, "####") + "     ";
    line += P(r.fsZeroClean, "###.####") + "  " + P(r.fsZeroDirty, "###.####") + "  " + P(r.fsDriftC2D, "##.####") +
            "  " + P(r.fsDriftC2C, "##.####") + "  " + P(r.fsLowest, "##.###") + "   ";
    line += P(s.fsLowest, "#####") + "      " + P(s.fsPercent, "####.#") + "   /";
    f.writeLine(line);
  }
  f.close();
}
