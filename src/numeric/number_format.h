// The picture formatter that lays out every number written to a text output,
// and the plain number text used where a message or head line shows a number
// without a picture.
//
// Both write the digits of the 32-bit value as a seven-significant-digit
// decimal rendering of it (rounded to nearest, ties to even, on the exact
// binary value) with trailing zeros removed: 0.1f is ".1", 1.0f / 3 is
// ".3333333", 16777215 is "16777220". The decimal separator is always ".".
#pragma once

#include <string>
#include <string_view>

// Lays `value` out in the fixed-width field described by `picture`: optional
// leading blanks, a body of "#" with at most one ".", an optional final ",",
// optional trailing blanks. Only the picture's length, the place of its ".",
// its leading and trailing blanks and its final "," matter.
//
//   - NullValue with nullAsUnderscores: as many "_" as the picture is long.
//   - Zero: blanks with one "0" at position W / 2 (W the picture's length,
//     halves to the even position, counted from 1; position 1 for W < 2).
//   - 1e-14 <= |value| <= 1e11 (bounds as 32-bit floats): the integer part
//     right-aligned under the body's integer part (never cut when longer), the
//     decimals cut (toward zero, not rounded) or padded with zeros to the
//     body's count, "0" before a bare ".", the point dropped when the body has
//     none; then the ",", the leading and the trailing blanks.
//   - Beyond that range: the plain decimal text (at most 18 decimals, a "."
//     always present, no zero before it) and the "," if any, not aligned.
//     Infinities and NaN come out as "Inf", "-Inf" and "NaN" the same way.
//   - NullValue as text: "-5435" placed in the field by the body's length and
//     the place of its "." and cut to the picture's length (the field may be
//     wider than the picture only when the body has at most five characters
//     and the picture is shorter than the text).
//
// Pure; allocates nothing but its result. Most values take a quick way to
// their seven digits that gives the same digits as the exact rounding (values
// near a tie always take the exact way).
std::string Number_format(float value, std::string_view picture, bool nullAsUnderscores);

// The plain text of a number: a blank for a value that is not negative, "-"
// otherwise, then the shortest text with up to seven significant digits and no
// zero before the point (" .5", "-2.25", " 60", " 0"). Magnitudes from 1e-4 up
// to (not including) 1e7 after rounding to seven digits are written in
// positional form; others in exponent form with at least two exponent digits
// (" 1.234568E+07", "-2.5E-05"). Infinities and NaN give " Inf", "-Inf", " NaN".
std::string PlainNumber_text(float value);

// An integer that is a number of the computation: its digits after a blank when
// it is not negative, after "-" otherwise (" 12", "-3"). Where a plain integer
// is called for, without the blank, use std::to_string.
std::string PlainInteger_text(long long value);

// Test hook: false makes every value take the exact way to its digits, so a
// test can compare the two. True unless a test sets it.
extern bool gNumberFormat_quickDigits;
