// The zero-load analysis: for every sounding of a run the clean and dirty zero
// readings of tip and sleeve, and the lowest tip resistance and sleeve friction
// met below a chosen depth; one report per run, sorted by device, date and
// sounding, with the drifts between neighbouring soundings of a device.
#pragma once

#include <array>
#include <string>

struct ZeroLoadRecord {
  std::string projectName, sounding, device, dateTime, sortKey;
  float qcZeroClean = -5435.0f, qcZeroDirty = -5435.0f, qcDriftC2D = -5435.0f, qcDriftC2C = -5435.0f;
  float qcLowest = 100000.0f, qcLowestDepth = -5435.0f, qcLowestStrength = -5435.0f, qcLowestVes = -5435.0f,
        qcLowestFr = -5435.0f;
  float fsZeroClean = -5435.0f, fsZeroDirty = -5435.0f, fsDriftC2D = -5435.0f, fsDriftC2C = -5435.0f;
  float fsLowest = 100000.0f, fsLowestDepth = -5435.0f, fsLowestStrength = -5435.0f, fsLowestVes = -5435.0f,
        fsLowestQc1 = -5435.0f, fsLowestFr = -5435.0f;
};

// The strength columns of one report row (psf and percent).
struct ZeroLoadStrengths {
  float qcLowest = -5435.0f;     // S_QcL: strength at the lowest tip reading
  float qcCorrected = -5435.0f;  // S_QcL+ZE: the same with the tip's clean-to-dirty drift added
  float qcPercent = -5435.0f;    // S_QcLow%
  float fsLowest = -5435.0f;     // S_fsLowest: strength at the lowest sleeve reading
  float fsPercent = -5435.0f;    // S_fsLow_%: change when the sleeve's drift moves FR there
};

inline constexpr int kZeroLoadRecords = 2000;
inline constexpr int kZeroLoadReportRows = 1000;
inline constexpr int kZeroLoadDevices = 20;

struct ZeroLoadState {
  std::array<ZeroLoadRecord, kZeroLoadRecords + 1> records{};  // 1-based
  int count = 0;
  float lowestQcDepthLimit = -5435.0f;  // ft
  std::string reportPath;
};

extern ZeroLoadState gZeroLoad;

// Back to a program that has not started a run.
void ZeroLoad_reset();

// Once per run: checks the depth limit ("LFE543", "LFE178", "LFE551") and names
// the report ("Vurn---Output---Zero_Load_Data---" + project + ".txt" in the
// project folder). The report is written, replacing the previous one, only
// when the run has processed all its soundings, so a run that stops early
// leaves the previous report intact.
void ZeroLoad_start();

// Fills record k from the sounding's field data head: device, date and the
// zero readings in atm. "ZLR201" beyond 2000 soundings.
void ZeroLoad_beginSounding(int k);

// Tracks the lowest tip and sleeve readings of sounding k below the depth
// limit, with the depth's stress, friction ratio, normalised tip resistance and
// strength prediction.
void ZeroLoad_trackDepth(int k);

// The strength columns of record r (its drifts already computed). Runs the
// chart sweep at the zero-corrected points; the depth record is left as it was.
ZeroLoadStrengths ZeroLoad_strengths(const ZeroLoadRecord& r);

// The key the report sorts its rows by: device, date and sounding.
std::string ZeroLoad_sortKey(const ZeroLoadRecord& r);

// Writes the report: title and unit rows, then one row per sounding sorted by
// device, date and sounding, with the drifts within each device. "ZLR202"
// beyond 1000 rows, "ZLR203" beyond 20 devices, "ZLR204" when the file cannot
// be written.
void ZeroLoad_writeReport();
