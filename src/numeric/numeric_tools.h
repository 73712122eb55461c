// Numeric tools shared by the whole system: the text-to-number rule,
// arithmetic that respects the missing-value marker, guarded logarithm and power
// of ten, rounding down to n decimals, two-point interpolation, and the
// column-width tool that pads headings to a common width.
//
// Every value is a 32-bit float; NullValue (-5435) means missing, and the
// missing-aware operations treat any operand of magnitude 5435 (+5435 as well)
// as missing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The text trimmed of blanks (spaces, tabs, CR, LF) as a 32-bit float, or
// NullValue when it is empty or not a number. A number is an optional sign, digits
// with at most one "." (at least one digit: "5", "+5", "-.5", "5."), and an
// optional exponent ("1e3", "2.5E-4"). Not numbers: thousands separators
// ("1,000"), inner blanks ("- 5"), "inf", "nan", hexadecimal ("0x10") and
// values beyond the 32-bit range ("1e39"); a magnitude too small for a 32-bit
// float reads as the nearest one (0 or a denormal) with its sign.
float NumberOrNull(std::string_view text);

// The same rule for a cell a user or an instrument wrote: true, with the number
// in `number`, when the text reads as a number; false, with NullValue in
// `number`, when it is blank or not a number. Readers decide from this whether a
// cell is missing, never from the value: a written 5435 or -5435 (a tip count,
// a contour value) is a number like any other, while NumberOrNull's result
// cannot tell it from a blank cell.
bool NumberCell_read(std::string_view text, float& number);

// True when |value| = 5435: the value is the missing marker (of either sign).
bool IsNull(float value);

// target = value, unless value is missing.
void AssignIfNotNull(float& target, float value);

// a + b, or NullValue when a or b is missing.
float AddOrNull(float a, float b);

// a * b, or NullValue when a or b is missing.
float MultiplyOrNull(float a, float b);

// a / b, or NullValue when a or b is missing or b = 0.
float DivideOrNull(float a, float b);

// value becomes NullValue when it is below low; then, when it is above high,
// it becomes NullValue. The bounds themselves pass.
void RangeGate(float& value, float low, float high);

// log10(v) for v > 0 (computed as ln v / ln 10 in double precision), else
// NullValue.
float Log10Checked(float v);

// 10^v, or NullValue when v is NullValue or |v| > 5; results lie between
// 0.00001 and 100000.
float Pow10Checked(float v);

// floor(x * 10^n) / 10^n, with x * 10^n taken as a 32-bit float first; n = 0
// gives the largest whole number not above x. Floor goes toward minus infinity.
float RoundDown(float x, std::int16_t n);

// out = y1 + (x - x1) * (y2 - y1) / (x2 - x1), or y1 when x2 = x1. No
// missing-value handling.
void Interpolate(float x1, float x, float x2, float y1, float& out, float y2);

// The width counter of ColumnWidth_tool, kept from call to call. Tests reach it
// here; ColumnWidth_tool(text, "RESET") or gColumnWidth = {} resets it.
struct ColumnWidthState {
  std::size_t width = 0;
};
extern ColumnWidthState gColumnWidth;

// The column-width tool, by command:
//   "RESET":    the counter becomes 0 (text is not used);
//   "FIND":     the counter becomes the larger of itself and text's length;
//   "SET_SIZE": text gets blanks in front until it is as long as the counter;
//               a text already longer is a fatal stop.
// Any other command is a fatal stop. Commands are matched exactly.
void ColumnWidth_tool(std::string& text, std::string_view command);
