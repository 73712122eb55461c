// Stress normalization and the depth-by-depth sequence of a sounding: the
// friction ratio, the normalised tip resistance and sleeve friction, and the
// normalization exponent found by iterating against the exponent chart from a
// high and a low start value.
#pragma once

// Computes gDepth.fr, qc1, fs1 and c from qt, fs and the given stress (atm),
// starting the exponent iteration at cStart.
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
