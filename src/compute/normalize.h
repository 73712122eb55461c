// Stress normalization and the depth-by-depth sequence of a sounding: the
// friction ratio, the normalised tip resistance and sleeve friction, and the
// normalization exponent found by iterating against the exponent chart from a
// high and a low start value.
#pragma once

// How a normalization ended.
enum class NormalizeEnd {
  Closed,        // c, qc1 (and fs1 where fr is kept) hold the closed values
  NoReadings,    // qt or fs not positive: fr, qc1, fs1, c missing
  NoStress,      // stress zero or missing (a reading at the surface): fr kept, qc1, fs1, c missing
  NoChartValue,  // closed where the exponent chart has no value: fr kept, qc1, fs1, c missing
  NoClosure,     // no closure in 250 iterations (an issue line): fr kept, qc1, fs1, c missing
};

// Computes gDepth.fr, qc1, fs1 and c from qt, fs and the given stress (atm),
// starting the exponent iteration at cStart. A negative stress is "VES932";
// a stress term of 0 is "VES342". Returns how it ended.
NormalizeEnd Normalize_run(float cStart, float vesAtm);

// Normalize_run without its result.
void Normalize(float cStart, float vesAtm);

// Normalises the current depth as every reading is: from the high start value
// of the exponent (1.5), then from the low one (0.2), whose results stay in
// gDepth. Returns the high start's exponent, for the stability check.
float Normalize_fromBothStarts(float vesAtm);

// Runs every row of the current sounding's field data through unit weight and
// stress, normalization, the chart sweep, the Q1o row and the zero-load
// tracking. At the last row it adds that row's depth to totalDepth and closes
// the Q1o file.
void Depths_process(int soundingIndex, float& totalDepth);
