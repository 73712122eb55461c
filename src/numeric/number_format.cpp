// The picture formatter and the plain number text. Both work in fixed char
// buffers and build their result string once, at its final length, so the only
// heap allocation is the result itself.
#include "numeric/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "core/null_value.h"

bool gNumberFormat_quickDigits = true;

namespace {

// The significant decimal digits of a non-negative magnitude: digits[0..count)
// with the first digit standing for 10^exponent, trailing zeros removed; count
// is 0 when nothing is left (the magnitude is zero or rounds away).
struct DecimalDigits {
  char digits[7];
  int count;
  int exponent;
};

// Drops the trailing zeros of d's digits.
void trailingZeros_drop(DecimalDigits& d) {
  while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
}

// Powers of ten that a double holds exactly.
constexpr double kExactTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The quick way to the seven digits of magnitudes from 1e-15 to 1e15, in
// double arithmetic: the magnitude scaled by an exact power of ten to
// [1e6, 1e7) carries a relative error below 2^-52 (one rounding), far below
// the distance to the next half unit unless the value lies within 1e-8 of a
// tie, which is left to the exact way (false).
bool SevenDigits_quick(float magnitude, DecimalDigits& d) {
  const double m = magnitude;
  if (!(m >= 1e-15 && m < 1e15)) return false;
  // 1.0 / kExactTens[k], each the double nearest 10^-k as its literal is.
  static constexpr double kInverseTens[] = {1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                            1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                                            1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};
  int exponent = 0;
  if (m >= 1.0) {
    while (exponent < 22 && m >= kExactTens[exponent + 1]) ++exponent;
  } else {
    exponent = -1;
    while (exponent > -22 && m < kInverseTens[-exponent]) --exponent;
    if (m < kInverseTens[-exponent]) return false;
  }
  const int shift = 6 - exponent;
  if (shift > 22 || shift < -22) return false;
  const double scaled = shift >= 0 ? m * kExactTens[shift] : m / kExactTens[-shift];
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) < 1e-8) return false;
  long long digits = static_cast<long long>(whole) + (fraction > 0.5 ? 1 : 0);
  // Outside [1e6, 1e7] the exponent search missed; take the exact way.
  if (digits < 1000000 || digits > 10000000) return false;
  if (digits == 10000000) {  // rounded up to the next power of ten
    digits /= 10;
    ++exponent;
  }
  for (int i = 6; i >= 0; --i) {
    d.digits[i] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  d.count = 7;
  d.exponent = exponent;
  return true;
}

// The seven-significant-digit rendering of a finite magnitude >= 0. With
// capAt18Decimals, digits below 10^-18 are not kept: the magnitude is then
// rounded at the 18th decimal instead of at the seventh digit.
DecimalDigits SevenDigits_of(float magnitude, bool capAt18Decimals) {
  DecimalDigits d{{}, 0, 0};
  if (magnitude == 0.0f) return d;
  if (gNumberFormat_quickDigits && (!capAt18Decimals || magnitude >= 1e-12f) && SevenDigits_quick(magnitude, d)) {
    trailingZeros_drop(d);
    return d;
  }
  char buffer[48];
  // "d.dddddde+XX", rounded once from the exact binary value.
  const auto sci = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 6);
  const char* p = buffer;
  d.digits[0] = *p;
  p += 2;  // the digit and the point
  for (int i = 1; i < 7; ++i) d.digits[i] = *p++;
  ++p;  // 'e'
  const bool negativeExponent = *p++ == '-';
  int exponent = 0;
  for (; p < sci.ptr; ++p) exponent = exponent * 10 + (*p - '0');
  d.exponent = negativeExponent ? -exponent : exponent;
  d.count = 7;

  if (capAt18Decimals && d.exponent < -12) {
    // Fewer than seven digits reach the 18th decimal: round there instead, once
    // from the exact value ("0.000000000000012346").
    const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 18);
    const char* first = buffer + 2;  // after "0."
    while (first < fixed.ptr && *first == '0') ++first;
    d.count = 0;
    d.exponent = -static_cast<int>(first - (buffer + 2)) - 1;
    for (const char* q = first; q < fixed.ptr && d.count < 7; ++q) d.digits[d.count++] = *q;
  }
  trailingZeros_drop(d);
  return d;
}

// Writes the positional text of d after an optional "-": the integer digits
// (none when below one), ".", the decimals. "5.", ".25", "-.5"; "0." when no
// digit is left. Returns the number of characters written (at most 42).
std::size_t PositionalText_write(char* out, bool negative, const DecimalDigits& d) {
  char* p = out;
  if (d.count == 0) {
    *p++ = '0';
    *p++ = '.';
    return static_cast<std::size_t>(p - out);
  }
  if (negative) *p++ = '-';
  if (d.exponent >= 0) {
    for (int i = 0; i <= d.exponent; ++i) *p++ = i < d.count ? d.digits[i] : '0';
    *p++ = '.';
    for (int i = d.exponent + 1; i < d.count; ++i) *p++ = d.digits[i];
  } else {
    *p++ = '.';
    for (int i = 0; i < -d.exponent - 1; ++i) *p++ = '0';
    for (int i = 0; i < d.count; ++i) *p++ = d.digits[i];
  }
  return static_cast<std::size_t>(p - out);
}

// The text of a value that is not finite, with the sign's place as asked.
std::string_view NonFinite_text(float value, bool blankForPositive) {
  if (std::isnan(value)) return blankForPositive ? " NaN" : "NaN";
  if (value < 0.0f) return "-Inf";
  return blankForPositive ? " Inf" : "Inf";
}

// The parts of a picture that matter.
struct PictureParts {
  std::size_t lead;       // leading blanks
  std::size_t trail;      // trailing blanks
  std::string_view body;  // between them, without the final ","
  bool comma;             // the body ended with ","
  std::size_t point;      // position of "." in body, counted from 1; 0 if none
};

PictureParts Picture_analyse(std::string_view picture) {
  PictureParts parts{0, 0, {}, false, 0};
  const std::size_t first = picture.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    parts.lead = picture.size();
    return parts;
  }
  const std::size_t last = picture.find_last_not_of(' ');
  parts.lead = first;
  parts.trail = picture.size() - last - 1;
  parts.body = picture.substr(first, last - first + 1);
  if (parts.body.back() == ',') {
    parts.comma = true;
    parts.body.remove_suffix(1);
  }
  const std::size_t point = parts.body.find('.');
  parts.point = point == std::string_view::npos ? 0 : point + 1;
  return parts;
}

// Fills a string of fixed length from left to right; characters beyond its
// length are dropped, so a text can be built and cut in one pass.
struct FieldWriter {
  std::string& out;
  std::size_t at = 0;
  void put(char c, std::size_t times = 1) {
    for (; times > 0 && at < out.size(); --times) out[at++] = c;
  }
  void put(std::string_view text) {
    for (char c : text) put(c);
  }
};

// W blanks with "0" at W / 2 counted from 1, halves to the even position.
std::string CentredZero_text(std::size_t width) {
  if (width == 0) return "0";
  const std::size_t half = width / 2;
  std::size_t position = half;
  if (width % 2 == 1 && half % 2 == 1) position = half + 1;
  if (position == 0) position = 1;
  std::string result(width, ' ');
  result[position - 1] = '0';
  return result;
}

// The missing value written as "-5435", placed by the body's length and the
// position of its ".".
std::string NullValue_text(const PictureParts& pic, std::size_t width) {
  const std::size_t length = pic.body.size();
  if (length <= 5) {
    const std::size_t textLength = NullText.size() + (pic.comma ? 1 : 0);
    std::string result(std::max(width, textLength), ' ');
    FieldWriter w{result, result.size() - textLength};
    w.put(NullText);
    if (pic.comma) w.put(',');
    return result;
  }
  std::size_t before = 0;
  std::size_t after = 0;
  if (pic.point < 6) {
    before = length - 5;
  } else {
    before = pic.point > 7 ? pic.point - 7 : 0;
    const std::size_t rest = length - 6;
    if (rest >= 8) {
      after = rest - 7;
    } else if (rest >= 1) {
      after = 5;
    }
  }
  const std::size_t full = pic.lead + before + NullText.size() + after + (pic.comma ? 1 : 0) + pic.trail;
  std::string result(std::min(full, width), ' ');
  FieldWriter w{result};
  w.put(' ', pic.lead + before);
  w.put(NullText);
  w.put(' ', after);
  if (pic.comma) w.put(',');
  w.put(' ', pic.trail);
  return result;
}

// The value's plain decimal text as the formatter reads it: a "." always
// present, at most 18 decimals, no zero before the point.
std::size_t FormatterText_write(char* out, float value) {
  const DecimalDigits d = SevenDigits_of(std::fabs(value), true);
  return PositionalText_write(out, value < 0.0f, d);
}

// Aligns the number text t (of a value within the aligned range) under the
// picture: integer part right-aligned, decimals cut or padded with zeros.
std::string Aligned_text(const char* t, std::size_t tLength, const PictureParts& pic) {
  // "0" before a bare point: ".25" reads "0.25", "-.5" reads "-0.5".
  char fixed[64];
  std::size_t n = 0;
  for (std::size_t i = 0; i < tLength; ++i) {
    if (t[i] == '.' && (i == 0 || (i == 1 && t[0] == '-'))) fixed[n++] = '0';
    fixed[n++] = t[i];
  }
  const std::size_t textInteger = static_cast<std::size_t>(std::find(fixed, fixed + n, '.') - fixed);
  const std::size_t textDecimals = n - textInteger - 1;
  const bool bodyPoint = pic.point != 0;
  const std::size_t bodyInteger = bodyPoint ? pic.point - 1 : pic.body.size();
  const std::size_t bodyDecimals = bodyPoint ? pic.body.size() - pic.point : 0;

  const std::size_t blanks = bodyInteger > textInteger ? bodyInteger - textInteger : 0;
  const std::size_t kept = std::min(textDecimals, bodyDecimals);
  const std::size_t zeros = bodyDecimals - kept;
  const std::size_t total = pic.lead + blanks + textInteger + (bodyPoint ? 1 + kept + zeros : 0) +
                            (pic.comma ? 1 : 0) + pic.trail;

  std::string result(total, ' ');
  FieldWriter w{result, pic.lead + blanks};
  w.put(std::string_view(fixed, textInteger));
  if (bodyPoint) {
    w.put('.');
    w.put(std::string_view(fixed + textInteger + 1, kept));
    w.put('0', zeros);
  }
  if (pic.comma) w.put(',');
  return result;
}

}  // namespace

std::string Number_format(float value, std::string_view picture, bool nullAsUnderscores) {
  const std::size_t width = picture.size();
  if (nullAsUnderscores && value == NullValue) return std::string(width, '_');
  if (value == 0.0f) return CentredZero_text(width);

  const PictureParts pic = Picture_analyse(picture);
  if (value == NullValue) return NullValue_text(pic, width);

  constexpr float lowest = 1e-14f;
  constexpr float highest = 1e11f;
  const float magnitude = std::fabs(value);
  if (magnitude >= lowest && magnitude <= highest) {
    char t[64];
    const std::size_t tLength = FormatterText_write(t, value);
    return Aligned_text(t, tLength, pic);
  }

  // Outside the aligned range: the text as it is, with the picture's comma.
  char t[64];
  std::size_t tLength = 0;
  if (std::isfinite(value)) {
    tLength = FormatterText_write(t, value);
  } else {
    const std::string_view text = NonFinite_text(value, false);
    tLength = text.copy(t, text.size());
  }
  if (pic.comma) t[tLength++] = ',';
  return std::string(t, tLength);
}

std::string PlainNumber_text(float value) {
  if (!std::isfinite(value)) return std::string(NonFinite_text(value, true));
  char text[64];
  char* p = text;
  *p++ = value < 0.0f ? '-' : ' ';
  const DecimalDigits d = SevenDigits_of(std::fabs(value), false);
  if (d.count == 0) {
    *p++ = '0';
  } else if (d.exponent >= -4 && d.exponent < 7) {
    p += PositionalText_write(p, false, d);
    if (p[-1] == '.') --p;  // a whole number has no point
  } else {
    *p++ = d.digits[0];
    if (d.count > 1) {
      *p++ = '.';
      for (int i = 1; i < d.count; ++i) *p++ = d.digits[i];
    }
    *p++ = 'E';
    *p++ = d.exponent < 0 ? '-' : '+';
    const int exponent = d.exponent < 0 ? -d.exponent : d.exponent;
    if (exponent < 10) *p++ = '0';
    p = std::to_chars(p, text + sizeof text, exponent).ptr;
  }
  return std::string(text, p);
}

std::string PlainInteger_text(long long value) {
  char text[24];
  char* p = text;
  if (value >= 0) *p++ = ' ';
  p = std::to_chars(p, text + sizeof text, value).ptr;
  return std::string(text, p);
}
