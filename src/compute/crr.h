// Cyclic resistance ratio (CRR) by two closed-form correlations of the
// normalised tip resistance and friction ratio: "UCD" and "UCB".
#pragma once

bool CrrUcd(float qc1, float fr, float& crr);
bool CrrUcb(float qc1, float fr, float& crr);

// The steps of CrrUcb, each with its success flag.
bool SoilIndex(float qc1, float fr, float& ic);
bool FinesFromIndex(float ic, float& fc);
bool CleanSandShift(float fc, float qc1, float& delta);
bool CrrFromCleanSand(float qcs, float& crr);
