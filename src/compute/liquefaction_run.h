// Liquefaction over a run: the earthquake inputs checked once per run (peak
// ground acceleration amax, magnitude, CSR earthquake file), the cyclic stress
// ratio, factor of safety and strain of the current depth, each sounding's
// indices, and the project's liquefaction report
// "Vurn---Output---Liquefaction---<project>.txt" (one row per sounding, sorted
// as the zero-load report: device, date, sounding).
//
// Nothing happens unless the run's columns ask for liquefaction (CSR_liq,
// FS-Liq_*, Ev-Liq_*): then Liquefaction_start checks the inputs, the sounding
// loop tracks every depth, and the closing writes the report.
//
// Errors (through Error_report, which does not return):
//   "LQ101"  a liquefaction column without amax and without a readable CSR file;
//   "LQ102"  an amax that is not a number above 0 up to 2 g;
//   "LQ103"  a magnitude that is not a number above 0 up to 10;
//   "LQR204" the report cannot be written or did not reach the disk;
//   and the CSR file's own errors (compute/csr_file.h).
#pragma once

#include <string>
#include <vector>

#include "compute/csr_file.h"
#include "compute/liquefaction.h"

struct LiquefactionInputs {
  bool wanted = false;               // the run's columns ask for liquefaction
  std::string firstColumn;           // the first liquefaction column, for messages
  std::string reportColumn;          // the FS column the indices come from ("FS-Liq_tvk")
  float amax = -5435.0f;             // g; missing when not given
  float magnitude = -5435.0f;
  std::string magnitudeSource;       // "window" or "CSR earthquake file"
  float msf = -5435.0f;
  bool csrFileUsed = false;          // csrFile holds a table read this run
  CsrFileTable csrFile;
};

// One sounding's row of the report.
struct LiquefactionSoundingRow {
  std::string sounding, device, dateTime;
  float waterTableFt = -5435.0f;
  float endFt = -5435.0f;  // deepest reading with a depth
  LiquefactionIndices indices;
};

// The current depth's liquefaction values.
struct LiquefactionPoint {
  float csr = -5435.0f;
  float fs = -5435.0f;
  float strainPct = -5435.0f;
};

struct LiquefactionState {
  LiquefactionInputs inputs;
  std::vector<LiquefactionSoundingRow> rows;  // row k - 1 for sounding k of the run
  // The sounding being processed.
  int sounding = 0;
  bool outsideFileNoted = false;
  std::vector<float> depthsFt, fs, strainPct;
  std::string reportPath;
};

extern LiquefactionState gLiquefaction;

// Back to a program that has not started a run.
void Liquefaction_reset();

// Once per run, after the columns are checked. `firstColumn` is the first
// liquefaction column's identifier ("" when none asks for it: nothing more is
// done) and `reportColumn` the FS column the report's indices use. Takes amax
// (gRun.earthquakeAmaxText) and the magnitude (gRun.earthquakeMagnitude) from
// the run's options, reads the CSR earthquake file (gRun.earthquakeCsrFile; a
// name without a folder is looked for in the project folder) and computes MSF.
// A named CSR file that cannot be read, while amax is given, is an issue line
// (amax then serves every depth); without amax it is "LQ101".
void Liquefaction_start(const std::string& firstColumn, const std::string& reportColumn);

// The cyclic stress ratio of the current depth (gDepth): from the CSR file
// within its depths, else the simplified CSR from amax (missing without amax).
// The first depth of a sounding outside the file's depths writes one log line.
float Liquefaction_csrAtDepth();

// CSR, FS and strain of the current depth for a CRR7.5 `crr` and soil type
// index `ic`. FS and strain are missing above the water table (depth not
// below WATERTABLE_DEPTH_FEET), where Ic is above 2.6 or missing, and where
// CRR, CSR or the effective stress is missing.
LiquefactionPoint Liquefaction_point(float crr, float ic);

// The sounding loop: begin sounding k, track each depth's point (a depth
// without a depth value is left out), end the sounding (its indices).
void Liquefaction_beginSounding(int k);
void Liquefaction_trackDepth(const LiquefactionPoint& point);
void Liquefaction_endSounding();

// Writes the report when the run asked for liquefaction, replacing the last
// one; the sounding order comes from the zero-load records of the run.
void Liquefaction_writeReport();
