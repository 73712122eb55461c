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
        fsLowestQc1 = -5435.0f;
};

inline constexpr int kZeroLoadRecords = 2000;

struct ZeroLoadState {
  std::array<ZeroLoadRecord, kZeroLoadRecords + 1> records{};  // 1-based
  int count = 0;
  float lowestQcDepthLimit = -5435.0f;  // ft
  std::string reportPath;
};

extern ZeroLoadState gZeroLoad;

// Back to a program that has not started a run.
void ZeroLoad_reset();

// Once per run: checks the depth limit ("LFE543", "LFE178", "LFE551") and opens
// the report file.
void ZeroLoad_start();

// Fills record k from the sounding's field data head.
void ZeroLoad_beginSounding(int k);

// Tracks the lowest readings of sounding k at the current depth.
void ZeroLoad_trackDepth(int k);

// Writes the sorted report and closes it.
void ZeroLoad_writeReport();
