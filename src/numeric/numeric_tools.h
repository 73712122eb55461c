// Numeric tools shared by the whole system: the text-to-number rule,
// arithmetic that respects the missing-value marker, guarded logarithm and power
// of ten, rounding down to n decimals, two-point interpolation, and the
// column-width tool that pads headings to a common width.
//
// Every value is a 32-bit float; NullValue (-5435) means missing, and the
// missing-aware operations treat any operand of magnitude 5435 as missing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The trimmed text as a 32-bit float, or NullValue when it is empty or not a
// number.
float NumberOrNull(std::string_view text);

// floor(x * 10^n) / 10^n, with x * 10^n taken as a 32-bit float first; n = 0
// gives the largest whole number not above x. Floor goes toward minus infinity.
float RoundDown(float x, std::int16_t n);
