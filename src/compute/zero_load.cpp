// The zero-load analysis: zero readings and lowest readings per sounding, the
// drift limits file, and the report sorted by device, date and sounding with
// its drift class table.
#include "compute/zero_load.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

#include "compute/normalize.h"
#include "compute/predictions.h"
#include "compute/stress.h"
#include "core/depth_values.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "fielddata/hog_reader.h"
#include "files/paths.h"
#include "files/split.h"
#include "files/text.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"
#include "numeric/units.h"
#include "platform/text_file.h"
#include "project/sounding_db.h"

ZeroLoadState gZeroLoad;

namespace {

constexpr double kCountScale = 0.01044;

// A zero reading in atm, converted as the channel's readings are (unitFactor
// is "ATM/TSF" for tip and sleeve, "ATM/PSI" for pore pressure); missing when
// the file gave none (`read`), never because of the reading's value.
float zeroAtm(const HogChannel& channel, float reading, bool read, const char* unitFactor) {
  if (IsNull(channel.factor) || !read) return NullValue;
  return static_cast<float>(static_cast<double>(UnitFactor_get(unitFactor)) * static_cast<double>(channel.factor) *
                            static_cast<double>(reading) * kCountScale);
}

std::string fitted(const std::string& text, size_t width) {
  std::string t = text.substr(0, width);
  t.append(width - t.size(), ' ');
  return t;
}

std::string P(float value, const char* picture) { return Number_format(value, picture, false); }

float difference(float a, float b) { return AddOrNull(a, MultiplyOrNull(b, -1.0f)); }

// Strength in psf from a strength ratio (su / effective stress) and the stress in atm.
float strengthPsf(float ratio, float vesAtm) {
  return MultiplyOrNull(MultiplyOrNull(ratio, vesAtm), UnitFactor_get("PSF/ATM"));
}

// The strength ratio of the S1 chart at a point normalised as every reading
// is: tip qt and sleeve fs at the stress vesAtm, normalised from both start
// values, then swept. The point belongs to no depth of a sounding: the unit
// weight and stress step the sweep would repeat stays idle, and the depth
// record and predictions are left as they were.
float strengthRatioAt(float qt, float fs, float vesAtm) {
  if (IsNull(vesAtm) || vesAtm <= 0.0f) return NullValue;
  const DepthValues savedDepth = gDepth;
  const ChartPredictions savedPredictions = gPredictions;
  const StressSounding savedStress = gStressSounding;
  gStressSounding.active = false;
  gDepth.qc = gDepth.qt = qt;
  gDepth.fs = fs;
  Normalize_fromBothStarts(vesAtm);
  Charts_sweep(gDepth.fr, gDepth.qc1, false);
  const float ratio = gPredictions.s1Value;
  gDepth = savedDepth;
  gPredictions = savedPredictions;
  gStressSounding = savedStress;
  return ratio;
}

float percentChange(float from, float to) {
  return MultiplyOrNull(DivideOrNull(difference(to, from), from), 100.0f);
}

// Sets the status so that an issue the normalisation writes names the
// sounding and the depth of the point.
void showPoint(const ZeroLoadRecord& r, const ZeroLoadDepth& at) {
  Status_show("", "", r.sounding, "", "", "", Number_format(at.depth, "###.#", false) + " ft", "ZF347");
}

// --- the drift limits file ---

enum class DriftColumn { Class, Tip, Sleeve, PorePressure };

struct DriftHeader {
  const char* id;
  DriftColumn column;
};
constexpr DriftHeader kDriftHeaders[] = {{"CLASS", DriftColumn::Class},
                                         {"TIP_KPA", DriftColumn::Tip},
                                         {"SLEEVE_KPA", DriftColumn::Sleeve},
                                         {"PORE_PRESSURE_KPA", DriftColumn::PorePressure}};
constexpr std::int16_t kDriftCells = 16;

[[noreturn]] void limitsError(int line, const std::string& what, const char* id) {
  std::string where = "drift limits file " + gZeroLoad.driftLimitsPath;
  if (line > 0) where += " line " + std::to_string(line);
  Error_report(where + ": " + what, id);
}

// A line the splitter can take: balanced quotes and no more cells than the list holds.
void splitLimitsLine(const std::string& line, int n, FieldList& fields) {
  if (std::count(line.begin(), line.end(), '"') % 2 != 0 ||
      std::count(line.begin(), line.end(), ',') >= kDriftCells) {
    limitsError(n, "cannot be read as at most " + std::to_string(kDriftCells) + " comma-separated cells: " + line,
                "DLF404");
  }
  SplitDelimitedLine(line, false, false, false, fields);
}

float limitOf(const std::string& cell, int n, const char* name) {
  if (TrimmedUpper(cell) == "NONE") return std::numeric_limits<float>::infinity();
  const float value = NumberOrNull(cell);
  if (value == NullValue || value < 0.0f) {
    limitsError(n, std::string(name) + " limit \"" + cell + "\" is neither a number of 0 or more (kPa) nor \"none\"",
                "DLF405");
  }
  return value;
}

// A drift in kPa to the nearest Pa, as the class table prints it and judges
// it: the 32-bit conversions from zero readings leave noise far below that
// (a drift of 10 kPa comes out of the zero readings as 9.99999 kPa).
float nearestPa(float kpa) {
  if (IsNull(kpa)) return NullValue;
  return static_cast<float>(std::round(static_cast<double>(kpa) * 1000.0) / 1000.0);
}

bool keeps(float driftKpa, float limitKpa) { return std::fabs(nearestPa(driftKpa)) <= limitKpa; }

std::string limitText(float limitKpa) {
  return std::isinf(limitKpa) ? std::string("     none") : P(limitKpa, "#####.###");
}

}  // namespace

void ZeroLoad_reset() { gZeroLoad = ZeroLoadState{}; }

void DriftLimits_read() {
  ZeroLoadState& z = gZeroLoad;
  z.driftLimitsPath = PathOf("SOFTWARE") + kDriftLimitsFileName;
  z.driftLimits = {};
  TextReader file;
  if (!file.open(z.driftLimitsPath)) {
    limitsError(0, "cannot be read; first use (Prepare Vurn.exe for the FIRST USE, or vurn-batch --first-use) "
                   "installs the default one without touching any other file, or copy it from " +
                       gRun.programDrive + "\\Vurn\\software\\",
                "DLF401");
  }
  FieldList fields(kDriftCells);
  std::array<int, 4> columnOf{};  // by DriftColumn; 0 = not in the header
  int headerLine = 0;
  std::array<int, kDriftClasses + 1> lineOfClass{};
  std::string line;
  for (int n = 1; file.readLine(line); ++n) {
    if (TrimBlanks(line).empty()) continue;
    if (headerLine == 0) {
      if (TrimBlanks(line)[0] != '{') continue;  // a note line
      headerLine = n;
      splitLimitsLine(line, n, fields);
      for (std::int16_t k = 1; k <= fields.count; ++k) {
        bool endOfList = false;
        const std::string id = BraceIdentifier(fields[k], endOfList);
        if (endOfList) break;
        const DriftHeader* header = nullptr;
        for (const DriftHeader& h : kDriftHeaders) {
          if (id == h.id) header = &h;
        }
        if (header == nullptr) limitsError(n, "unknown column {" + id + "}", "DLF403");
        int& column = columnOf[static_cast<size_t>(header->column)];
        if (column != 0) limitsError(n, "column {" + id + "} named twice", "DLF403");
        column = k;
      }
      for (const DriftHeader& h : kDriftHeaders) {
        if (columnOf[static_cast<size_t>(h.column)] == 0) {
          limitsError(n, std::string("the header row lacks the column {") + h.id + "}", "DLF403");
        }
      }
      continue;
    }
    splitLimitsLine(line, n, fields);
    const int cellsNeeded = *std::max_element(columnOf.begin(), columnOf.end());
    if (fields.count < cellsNeeded) {
      limitsError(n, "has " + std::to_string(fields.count) + " cells, the header names " + std::to_string(cellsNeeded),
                  "DLF404");
    }
    auto cell = [&](DriftColumn c) { return fields[static_cast<std::int16_t>(columnOf[static_cast<size_t>(c)])]; };
    const std::string classText = TrimBlanks(cell(DriftColumn::Class));
    const float classNumber = NumberOrNull(classText);
    if (classNumber < 1.0f || classNumber > static_cast<float>(kDriftClasses) || classNumber != std::floor(classNumber)) {
      limitsError(n, "class \"" + classText + "\" is not 1 to " + std::to_string(kDriftClasses), "DLF404");
    }
    const int k = static_cast<int>(classNumber);
    if (lineOfClass[static_cast<size_t>(k)] != 0) {
      limitsError(n, "class " + std::to_string(k) + " already given on line " +
                         std::to_string(lineOfClass[static_cast<size_t>(k)]),
                  "DLF404");
    }
    lineOfClass[static_cast<size_t>(k)] = n;
    DriftClassLimits& limits = z.driftLimits[static_cast<size_t>(k)];
    limits.tip = limitOf(cell(DriftColumn::Tip), n, "tip");
    limits.sleeve = limitOf(cell(DriftColumn::Sleeve), n, "sleeve");
    limits.porePressure = limitOf(cell(DriftColumn::PorePressure), n, "pore pressure");
  }
  file.close();
  if (headerLine == 0) {
    limitsError(0, "has no header row {CLASS},{TIP_KPA},{SLEEVE_KPA},{PORE_PRESSURE_KPA}", "DLF402");
  }
  for (int k = 1; k <= kDriftClasses; ++k) {
    if (lineOfClass[static_cast<size_t>(k)] == 0) limitsError(0, "has no row for class " + std::to_string(k), "DLF406");
  }
  // A worse class never asks for a smaller drift: the classes nest.
  for (int k = 2; k <= kDriftClasses; ++k) {
    const DriftClassLimits& better = z.driftLimits[static_cast<size_t>(k - 1)];
    const DriftClassLimits& worse = z.driftLimits[static_cast<size_t>(k)];
    const struct { const char* name; float worse, better; } channels[] = {
        {"tip", worse.tip, better.tip},
        {"sleeve", worse.sleeve, better.sleeve},
        {"pore pressure", worse.porePressure, better.porePressure}};
    for (const auto& c : channels) {
      if (c.worse < c.better) {
        limitsError(lineOfClass[static_cast<size_t>(k)],
                    std::string(c.name) + " limit of class " + std::to_string(k) +
                        " is smaller than that of class " + std::to_string(k - 1),
                    "DLF407");
      }
    }
  }
}

std::string DriftClass_of(float tipKpa, float sleeveKpa, float porePressureKpa) {
  if (IsNull(tipKpa) || IsNull(sleeveKpa)) return "unknown";
  for (int k = 1; k <= kDriftClasses; ++k) {
    const DriftClassLimits& limits = gZeroLoad.driftLimits[static_cast<size_t>(k)];
    if (keeps(tipKpa, limits.tip) && keeps(sleeveKpa, limits.sleeve) &&
        (IsNull(porePressureKpa) || keeps(porePressureKpa, limits.porePressure))) {
      return std::to_string(k);
    }
  }
  return "none";
}

void ZeroLoad_start() {
  const std::string text = MainControl("Depth_lowest_WhenLookingForLowestQc_feet8txt").text;
  const float limit = NumberOrNull(text);
  if (limit == NullValue) {
    Error_report("setting depth to look for lowest Qc is not a number, i.e. " + text, "LFE543");
  }
  if (limit >= 10.0f) Error_report("setting depth to look for lowest Qc is TOO deep , i.e. " + text, "LFE178");
  if (limit <= 0.5f) Error_report("setting depth to look for lowest Qc is TOO Shallow , i.e. " + text, "LFE551");
  DriftLimits_read();
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
  const HogHeader& h = gHogHeader;
  r.qcZeroClean = zeroAtm(h.tip, h.tip.cleanZero, h.tip.cleanZeroRead, "ATM/TSF");
  r.qcZeroDirty = zeroAtm(h.tip, h.tip.dirtyZero, h.tip.dirtyZeroRead, "ATM/TSF");
  r.fsZeroClean = zeroAtm(h.friction, h.friction.cleanZero, h.friction.cleanZeroRead, "ATM/TSF");
  r.fsZeroDirty = zeroAtm(h.friction, h.friction.dirtyZero, h.friction.dirtyZeroRead, "ATM/TSF");
  r.u2ZeroClean = zeroAtm(h.u2, h.u2.cleanZero, h.u2.cleanZeroRead, "ATM/PSI");
  r.u2ZeroDirty = zeroAtm(h.u2, h.u2.dirtyZero, h.u2.dirtyZeroRead, "ATM/PSI");
  r.u2DriftC2D = difference(r.u2ZeroClean, r.u2ZeroDirty);
  r.closingZeroRead = h.dataMode != "FUGRO";
  if (k > gZeroLoad.count) gZeroLoad.count = k;
}

void ZeroLoad_trackDepth(int k) {
  if (k < 1 || k > gZeroLoad.count) return;
  ZeroLoadRecord& r = gZeroLoad.records[static_cast<size_t>(k)];
  const DepthValues& d = gDepth;
  const bool below = !IsNull(d.depth) && d.depth > gZeroLoad.lowestQcDepthLimit;
  if (!below) return;
  const ZeroLoadDepth here{d.depth, d.qc, d.fs, d.ves, d.fr, d.qc1, gPredictions.s1Value};
  if (!IsNull(d.qc) && d.qc < r.qcLowest) {
    r.qcLowest = d.qc;
    r.qcLowestAt = here;
  }
  if (!IsNull(d.fs) && d.fs < r.fsLowest) {
    r.fsLowest = d.fs;
    r.fsLowestAt = here;
  }
}

ZeroLoadStrengths ZeroLoad_strengths(const ZeroLoadRecord& r) {
  ZeroLoadStrengths s;
  const ZeroLoadDepth& tip = r.qcLowestAt;
  s.qcLowest = strengthPsf(tip.strength, tip.ves);
  if (!IsNull(s.qcLowest)) {
    showPoint(r, tip);
    s.qcCorrected = strengthPsf(strengthRatioAt(AddOrNull(tip.qc, r.qcDriftC2D), tip.fs, tip.ves), tip.ves);
    s.qcPercent = percentChange(s.qcLowest, s.qcCorrected);
  }
  const ZeroLoadDepth& sleeve = r.fsLowestAt;
  s.fsLowest = strengthPsf(sleeve.strength, sleeve.ves);
  if (!IsNull(s.fsLowest)) {
    showPoint(r, sleeve);
    const float corrected =
        strengthPsf(strengthRatioAt(sleeve.qc, AddOrNull(sleeve.fs, r.fsDriftC2D), sleeve.ves), sleeve.ves);
    s.fsPercent = percentChange(s.fsLowest, corrected);
  }
  return s;
}

namespace {

// The clean-to-dirty drifts of a record in kPa: tip, sleeve, pore pressure.
// All missing when the field data had no closing zero row.
std::array<float, 3> driftsKpa(const ZeroLoadRecord& r) {
  if (!r.closingZeroRead) return {NullValue, NullValue, NullValue};
  const float kpaPerAtm = UnitFactor_get("KPA/ATM");
  return {nearestPa(MultiplyOrNull(r.qcDriftC2D, kpaPerAtm)), nearestPa(MultiplyOrNull(r.fsDriftC2D, kpaPerAtm)),
          nearestPa(MultiplyOrNull(r.u2DriftC2D, kpaPerAtm))};
}

std::string driftCells(const std::array<float, 3>& kpa) {
  return P(kpa[0], "#####.###") + "  " + P(kpa[1], "#####.###") + "  " + P(kpa[2], "#####.###") + "  ";
}

// After the rows: the limits in use, the class of every sounding's drifts in
// report order, then per device its largest drifts and the class they meet.
void writeDriftClassTable(TextWriter& f, const std::vector<std::int16_t>& order, int n) {
  f.writeLine("");
  f.writeLine("Drift classes: the clean-to-dirty zero drifts against the limits of application classes 1 (best) "
              "to 4, from " + gZeroLoad.driftLimitsPath);
  f.writeLine("limits (kPa)       tip_C2D     fs_C2D     u2_C2D");
  for (int k = 1; k <= kDriftClasses; ++k) {
    const DriftClassLimits& limits = gZeroLoad.driftLimits[static_cast<size_t>(k)];
    f.writeLine(fitted("class " + std::to_string(k), 15) + "  " + limitText(limits.tip) + "  " +
                limitText(limits.sleeve) + "  " + limitText(limits.porePressure));
  }
  f.writeLine("");
  f.writeLine("sounding            tip_C2D     fs_C2D     u2_C2D  class    device");
  f.writeLine("---------------  ---kPa---  ---kPa---  ---kPa---  -------  ------");
  struct Device {
    std::string name;
    int soundings = 0, unknown = 0;
    std::array<float, 3> largest{NullValue, NullValue, NullValue};
  };
  std::vector<Device> devices;
  for (int row = 1; row <= n; ++row) {
    const ZeroLoadRecord& r = gZeroLoad.records[static_cast<size_t>(order[static_cast<size_t>(row)])];
    const std::array<float, 3> kpa = driftsKpa(r);
    const std::string driftClass = DriftClass_of(kpa[0], kpa[1], kpa[2]);
    f.writeLine(fitted(r.sounding, 15) + "  " + driftCells(kpa) + fitted(driftClass, 7) + "  " + r.device);
    if (devices.empty() || devices.back().name != r.device) devices.push_back(Device{r.device});
    Device& d = devices.back();
    ++d.soundings;
    if (driftClass == "unknown") ++d.unknown;
    for (size_t c = 0; c < kpa.size(); ++c) {
      if (!IsNull(kpa[c]) && (IsNull(d.largest[c]) || std::fabs(kpa[c]) > std::fabs(d.largest[c]))) {
        d.largest[c] = kpa[c];
      }
    }
  }
  f.writeLine("");
  f.writeLine("soundings           tip_C2D     fs_C2D     u2_C2D  class    device (largest drifts of its soundings)");
  f.writeLine("---------------  ---kPa---  ---kPa---  ---kPa---  -------  ------");
  for (const Device& d : devices) {
    std::string count = std::to_string(d.soundings);
    if (d.unknown > 0) count += " (" + std::to_string(d.unknown) + " unknown)";
    f.writeLine(fitted(count, 15) + "  " + driftCells(d.largest) +
                fitted(DriftClass_of(d.largest[0], d.largest[1], d.largest[2]), 7) + "  " + d.name);
  }
}

}  // namespace

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
    r.qcDriftC2C = difference(r.qcZeroClean, previousQcClean);
    r.fsDriftC2C = difference(r.fsZeroClean, previousFsClean);
    r.qcDriftC2D = difference(r.qcZeroClean, r.qcZeroDirty);
    r.fsDriftC2D = difference(r.fsZeroClean, r.fsZeroDirty);
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
  writeDriftClassTable(f, order, n);
  f.close();
}
