// The zero-load analysis: for every sounding of a run the clean and dirty zero
// readings of tip, sleeve and pore pressure, and the lowest tip resistance and
// sleeve friction met below a chosen depth; one report per run, sorted by
// device, date and sounding, with the drifts between neighbouring soundings of
// a device, the strengths at the lowest readings, and after the rows the drift
// class table: the application class (1 to 4) that each sounding's and each
// device's clean-to-dirty drifts meet, by the limits of the drift limits file.
#pragma once

#include <array>
#include <string>

#include "core/null_value.h"

// The values of one depth, kept together when it holds a new lowest reading,
// so every strength of a report row belongs to that one depth.
struct ZeroLoadDepth {
  float depth = NullValue;     // ft
  float qc = NullValue;        // atm, tip resistance
  float fs = NullValue;        // atm, sleeve friction
  float ves = NullValue;       // atm, the effective stress the depth was normalised with
  float fr = NullValue;        // %
  float qc1 = NullValue;       // normalised tip resistance
  float strength = NullValue;  // su / sigma'v of the S1 chart there; missing when the depth has none
};

struct ZeroLoadRecord {
  std::string projectName, sounding, device, dateTime, sortKey;
  float qcZeroClean = NullValue, qcZeroDirty = NullValue, qcDriftC2D = NullValue, qcDriftC2C = NullValue;
  float qcLowest = 100000.0f;  // atm
  ZeroLoadDepth qcLowestAt;    // the depth of qcLowest
  float fsZeroClean = NullValue, fsZeroDirty = NullValue, fsDriftC2D = NullValue, fsDriftC2C = NullValue;
  float fsLowest = 100000.0f;  // atm
  ZeroLoadDepth fsLowestAt;    // the depth of fsLowest
  float u2ZeroClean = NullValue, u2ZeroDirty = NullValue, u2DriftC2D = NullValue;  // atm
  // False when the field data ended without a closing zero row, so the dirty
  // zeros are only the clean ones again and the drift during the push is unknown.
  bool closingZeroRead = true;
};

// The strength columns of one report row (psf and percent).
struct ZeroLoadStrengths {
  float qcLowest = NullValue;     // S_QcL: strength at the depth of the lowest tip reading
  float qcCorrected = NullValue;  // S_QcL+ZE: the same depth normalised again with the tip's drift added
  float qcPercent = NullValue;    // S_QcLow%
  float fsLowest = NullValue;     // S_fsLowest: strength at the depth of the lowest sleeve reading
  float fsPercent = NullValue;    // S_fsLow_%: change when that depth is normalised again with the sleeve's drift added
};

// The largest absolute clean-to-dirty drift (kPa) of each channel that meets
// one application class; infinity where the class sets no limit.
struct DriftClassLimits {
  float tip = NullValue;
  float sleeve = NullValue;
  float porePressure = NullValue;
};

inline constexpr int kZeroLoadRecords = 2000;
inline constexpr int kZeroLoadReportRows = 1000;
inline constexpr int kZeroLoadDevices = 20;
inline constexpr int kDriftClasses = 4;
inline constexpr const char* kDriftLimitsFileName = "Vurn-Drift-Limits.txt";

struct ZeroLoadState {
  std::array<ZeroLoadRecord, kZeroLoadRecords + 1> records{};  // 1-based
  int count = 0;
  float lowestQcDepthLimit = NullValue;  // ft
  std::string reportPath;
  std::array<DriftClassLimits, kDriftClasses + 1> driftLimits{};  // 1-based: class 1 to 4
  std::string driftLimitsPath;
};

extern ZeroLoadState gZeroLoad;

// Back to a program that has not started a run.
void ZeroLoad_reset();

// Once per run: checks the depth limit ("LFE543", "LFE178", "LFE551"), reads
// the drift limits file (DriftLimits_read) and names the report
// ("Vurn---Output---Zero_Load_Data---" + project + ".txt" in the project
// folder). The report is written, replacing the previous one, only when the
// run has processed all its soundings, so a run that stops early leaves the
// previous report intact.
void ZeroLoad_start();

// Reads the drift limits file kDriftLimitsFileName of the software folder into
// gZeroLoad.driftLimits. The file: free note lines, then a header row of
// identifiers in braces in any order, {CLASS}, {TIP_KPA}, {SLEEVE_KPA},
// {PORE_PRESSURE_KPA}, then one row per class 1 to 4, each limit a number of
// 0 or more (kPa) or "none" for no limit; blank lines are skipped. Errors, each
// naming the file and, where there is one, the line:
//   "DLF401" the file cannot be read (first use installs the default one);
//   "DLF402" no header row;
//   "DLF403" a header identifier unknown or repeated, or one missing;
//   "DLF404" a class that is not 1 to 4, or repeated; a row with too few cells;
//   "DLF405" a limit that is neither a number of 0 or more nor "none";
//   "DLF406" a class without a row;
//   "DLF407" a limit smaller than the same channel's limit of a better class.
void DriftLimits_read();

// The application class that clean-to-dirty drifts (kPa, either sign) meet:
// "1" to "4", the best class whose three limits they all keep (a drift keeps a
// limit when its size, to the nearest Pa, is at most the limit), "none" when
// they keep no class, "unknown" when the tip or sleeve drift is missing. A
// missing pore pressure drift (a cone without a filter) is judged on tip and
// sleeve alone.
std::string DriftClass_of(float tipKpa, float sleeveKpa, float porePressureKpa);

// Fills record k from the sounding's field data head: device, date and the
// zero readings in atm (converted as the readings are). "ZLR201" beyond 2000
// soundings.
void ZeroLoad_beginSounding(int k);

// Tracks the lowest tip and sleeve readings of sounding k below the depth
// limit; a new lowest takes the values of its own depth, strength included
// (missing when the depth has none).
void ZeroLoad_trackDepth(int k);

// The strength columns of record r (its drifts already computed). Each
// strength is su / sigma'v of the S1 chart times the depth's effective stress.
// The zero-corrected point is the lowest reading's depth with the drift added
// to the tip (or sleeve) reading, normalised from both start values as every
// reading is, then read on the S1 chart; zero drift gives 0 % exactly. When
// the lowest reading has no strength, every strength column of its side is
// missing. The depth record and predictions are left as they were.
ZeroLoadStrengths ZeroLoad_strengths(const ZeroLoadRecord& r);

// The key the report sorts its rows by: device, date and sounding.
std::string ZeroLoad_sortKey(const ZeroLoadRecord& r);

// Writes the report: title and unit rows, then one row per sounding sorted by
// device, date and sounding, with the drifts within each device; then the
// drift class table (the limits in use, one line per sounding, one line per
// device with its largest drifts). "ZLR202" beyond 1000 rows, "ZLR203" beyond
// 20 devices, "ZLR204" when the file cannot be written.
void ZeroLoad_writeReport();
