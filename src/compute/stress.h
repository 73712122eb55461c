// Unit weight and vertical effective stress, depth by depth: the unit weight of
// the soil at each depth (from the unit weight chart, from the water table, or
// from the project's unit weight file), the running effective stress sum in psf
// and the stress in atm that the normalization uses. Also owns the unit weight
// file table (UWT file: depth and unit weight pairs).
//
// Unit weight methods (UWT_METHOD, trimmed, upper-cased):
//   "SLD_TVK", "VURN", "SLD"  the UWT1 chart at (fr, qc1), kept within the
//                             chart's C range, else missing;
//   "WT"                      UWT_ABOVE_WT_PCF down to and at the water table,
//                             UWT_BELOW_WT_PCF below it;
//   "FILE"                    interpolated from the sounding's UWT file;
//   any other word            error "UTGM724".
// A "WT" or "FILE" unit weight outside 63 to 155 pcf is missing.
//
// The stress step of a depth advances the effective stress sum by
// (depth - previous depth) x (unit weight, less 62.4 below the water table) and
// the total stress sum by the same layer x unit weight; ves and vts are the sums
// in atm. A negative effective sum is error "VES002".
//
// Missing values in the sums:
//   - A depth whose unit weight is missing advances both sums with a stand-in:
//     the most recent valid unit weight of the sounding; before any, the
//     sounding's UWT_ABOVE_WT_PCF (down to the water table) or UWT_BELOW_WT_PCF
//     (below it) when it lies within 63 to 155 pcf, else 120 pcf. The depths
//     where this happened are counted and StressSounding_end writes one "ISSUE"
//     line for the sounding.
//   - A row whose depth is missing is left out of the sums: unit weight, ves and
//     vts of the row are missing and previousDepth stays at the last known
//     depth, so the next depth's layer runs from there.
//
// Chart method and the two decisions of a depth: the depth loop sets
// gStressSounding.firstDecision around the first stress step of a depth. That
// decision comes before the depth is normalised, so it reads the chart at the fr
// and qc1 of the depth above (StressSounding_depthDone keeps them). At the first
// depth of a sounding there is no depth above; its layer from the surface takes
// the stand-in unit weight and is not counted as missing (the unit weight of
// that depth is decided by its second decision, after the predictions).
//
// UWT file errors: "WI323" line 4 lacks "EOH"; "DX333" no pairs after line 4;
// "DX733" a depth without its unit weight; "DX739" a unit weight below 63 (or
// not a number); "GP342" a depth outside the file's depth range; and of our
// own: "UWF301" the file cannot be opened, "UWF302" more than 30 pairs,
// "UWF303" a depth that is not a number, "UWF304" fewer than two pairs. The
// name is checked with PathName_checkSafe ("PN901").
#pragma once

#include <array>
#include <cstdint>
#include <string>

inline constexpr std::int16_t kUwtPairs = 30;

struct UwtTable {
  std::string fileName;                       // "" until the first read
  std::array<float, kUwtPairs + 1> depths{};  // 1-based, ft
  std::array<float, kUwtPairs + 1> unitWeights{};  // 1-based, pcf
  std::int16_t count = 0;
};

extern UwtTable gUwtTable;

// Back to a program that has read no unit weight file.
void UwtTable_reset();

// The per-sounding state of the stress step.
struct StressSounding {
  bool active = true;              // false between the end of a sounding and the next
  bool firstDecision = false;      // the next unit weight decision is the first of its depth
  int depthsDone = 0;              // depths of the sounding finished (with a known depth)
  float aboveFr = -5435.0f;        // fr and qc1 of the depth above
  float aboveQc1 = -5435.0f;
  float lastValidUnitWeight = -5435.0f;  // pcf, most recent valid unit weight
  int filledDepths = 0;            // depths whose layer took a stand-in unit weight
  float filledLow = -5435.0f;      // pcf, smallest and largest stand-in used
  float filledHigh = -5435.0f;
};

extern StressSounding gStressSounding;

// Back to the state before the first sounding (also what a sounding starts with).
void StressSounding_reset();

// At the first row of a sounding: the per-sounding state starts anew and the
// stress step is active. A sounding without a water table depth gets one issue
// line (every depth then counts as below the water table).
void StressSounding_begin();

// At the end of a depth with a known depth: keeps its fr and qc1 for the first
// unit weight decision of the next depth.
void StressSounding_depthDone();

// At the end of a sounding: when some depth took a stand-in unit weight, writes
// one context line of kind "ISSUE" naming how many depths and the value(s); the
// stress step is inactive until the next sounding begins.
void StressSounding_end();

// Sets gDepth.unitWeight for the current depth from the sounding's UWT_METHOD.
void UnitWeight_compute();

// UnitWeight_compute, then advances the stress sums and sets gDepth.ves (and vts).
// Between StressSounding_end and the next StressSounding_begin it does nothing:
// the zero-load report sweeps the charts once every sounding is done, when the
// sounding record is no longer theirs.
void EffectiveStress_step();

// Reads the sounding's unit weight file into gUwtTable unless it is the table
// already held, then sets gDepth.fileUnitWeight for the current depth. The
// file's name is kept only once the whole file has been read, so a file that
// ended a run with an error is read again by the next run.
void UwtFile_lookup();
