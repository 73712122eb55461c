// Unit conversion factors by name, and the words the input files use for true
// and false.
//
// A factor name has the form "A/B": the number of A per B, so a value in B
// multiplied by the factor is the value in A ("FT/M" is 3.28084). Names are
// compared upper-cased. Every factor is a 32-bit float; quotients such as
// 1 / 62.4 are taken in double precision and then stored as a float.
#pragma once

#include <string_view>

// The factor of the name (upper-cased before the lookup):
//   "FT/M", "FPS/MPS"                    3.28084
//   "M/FT", "MPS/FPS"                    1 / 3.28084
//   "ATM/TSF" 0.95          "TSF/ATM"    1 / 0.95
//   "ATM/MPA" 9.86923       "MPA/ATM"    0.101325
//   "ATM/KPA" 1 / 101.325   "KPA/ATM"    101.325
//   "ATM/PSI" 0.068046      "PSI/ATM"    1 / 0.068046
//   "ATM/PSF" 1 / 2116.22   "PSF/ATM"    2116.22
//   "MPA/PSF" 0.101325 / 2116.22         "KPA/PSF"  101.325 / 2116.22
//   "FT/SEC_FOR_WATERC", "FPS/VCW" 4859  "M/SEC_FOR_WATERC" 1481
//   "W1/PCF", "WATER1/PCF", "HWATERFEET/PSF"   1 / 62.4
//   "HWATERFEET/ATM"                     2116.22 / 62.4 (feet of water per atm)
// Any other name is a fatal stop of the program (Fatal_stop, no error record).
float UnitFactor_get(std::string_view name);

// The flag a word stands for, after trimming blanks and upper-casing: "TRUE"
// and "YES" are true, "FALSE" and "NO" are false, the empty text is
// defaultValue. Any other word is error "TF321" "bad true/false".
bool TrueFalse_read(std::string_view text, bool defaultValue);
