// Text-to-number rule and the missing-aware numeric tools.
#include "numeric/numeric_tools.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "core/halt.h"
#include "core/null_value.h"

ColumnWidthState gColumnWidth;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Checks that text is [sign] digits [. digits] [e|E [sign] digits] with at
// least one mantissa digit; sets `decimalExponent` to the power of ten of its
// leading nonzero digit (approximately: enough to tell overflow from underflow).
bool numberSyntax_check(std::string_view text, long long& decimalExponent) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  long long leadingPower = 0;
  bool seenNonzero = false;
  bool seenPoint = false;
  long long integerDigits = 0;  // digits before the point, after leading zeros
  long long zerosAfterPoint = 0;
  for (; i < n; ++i) {
    const char c = text[i];
    if (c == '.') {
      if (seenPoint) return false;
      seenPoint = true;
    } else if (isDigit(c)) {
      ++digits;
      if (c != '0') seenNonzero = true;
      if (!seenPoint && seenNonzero) ++integerDigits;
      if (seenPoint && !seenNonzero) ++zerosAfterPoint;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  leadingPower = integerDigits > 0 ? integerDigits - 1 : -zerosAfterPoint - 1;
  long long exponent = 0;
  if (i < n) {
    if (text[i] != 'e' && text[i] != 'E') return false;
    ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == n) return false;
    for (; i < n; ++i) {
      if (!isDigit(text[i])) return false;
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  decimalExponent = leadingPower + exponent;
  return true;
}

}  // namespace

bool NumberCell_read(std::string_view text, float& number) {
  number = NullValue;
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  long long decimalExponent = 0;
  if (text.empty() || !numberSyntax_check(text, decimalExponent)) return false;

  const bool negative = text.front() == '-';
  if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
  float value = 0.0f;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large for a 32-bit float is not a usable number; too small is zero.
    if (decimalExponent > 0) return false;
    value = 0.0f;
  } else if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    return false;
  }
  number = negative ? -value : value;
  return true;
}

float NumberOrNull(std::string_view text) {
  float number = NullValue;
  NumberCell_read(text, number);
  return number;
}

bool IsNull(float value) { return std::fabs(value) == -NullValue; }

void AssignIfNotNull(float& target, float value) {
  if (!IsNull(value)) target = value;
}

float AddOrNull(float a, float b) { return IsNull(a) || IsNull(b) ? NullValue : a + b; }

float MultiplyOrNull(float a, float b) { return IsNull(a) || IsNull(b) ? NullValue : a * b; }

float DivideOrNull(float a, float b) { return IsNull(a) || IsNull(b) || b == 0.0f ? NullValue : a / b; }

void RangeGate(float& value, float low, float high) {
  if (value < low) value = NullValue;
  if (value > high) value = NullValue;
}

float Log10Checked(float v) {
  if (!(v > 0.0f)) return NullValue;
  static const double naturalLogOf10 = std::log(10.0);
  return static_cast<float>(std::log(static_cast<double>(v)) / naturalLogOf10);
}

float Pow10Checked(float v) {
  if (v == NullValue || std::fabs(v) > 5.0f) return NullValue;
  return static_cast<float>(std::pow(10.0, static_cast<double>(v)));
}

float RoundDown(float x, std::int16_t n) {
  if (n == 0) return std::floor(x);
  const float scale = static_cast<float>(std::pow(10.0, n));
  const float scaled = x * scale;
  return std::floor(scaled) / scale;
}

void Interpolate(float x1, float x, float x2, float y1, float& out, float y2) {
  if (x2 == x1) {
    out = y1;
    return;
  }
  out = y1 + (x - x1) * (y2 - y1) / (x2 - x1);
}

void ColumnWidth_tool(std::string& text, std::string_view command) {
  if (command == "RESET") {
    gColumnWidth.width = 0;
  } else if (command == "FIND") {
    if (text.size() > gColumnWidth.width) gColumnWidth.width = text.size();
  } else if (command == "SET_SIZE") {
    if (text.size() > gColumnWidth.width) {
      Fatal_stop("Column width tool: the text \"" + text + "\" is longer than the column width " +
                 std::to_string(gColumnWidth.width));
    }
    text.insert(0, gColumnWidth.width - text.size(), ' ');
  } else {
    Fatal_stop("Column width tool: unknown command \"" + std::string(command) + "\"");
  }
}
