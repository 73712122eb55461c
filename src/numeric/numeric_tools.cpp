// Text-to-number rule and the missing-aware numeric tools.
#include "numeric/numeric_tools.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/null_value.h"

float NumberOrNull(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return NullValue;
  const size_t last = text.find_last_not_of(' ');
  const std::string trimmed(text.substr(first, last - first + 1));
  for (char c : trimmed) {
    const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!allowed) return NullValue;
  }
  errno = 0;
  char* end = nullptr;
  const double value = std::strtod(trimmed.c_str(), &end);
  if (end == trimmed.c_str() || *end != '\0' || errno == ERANGE) return NullValue;
  if (std::fabs(value) > std::numeric_limits<float>::max()) return NullValue;
  return static_cast<float>(value);
}

float RoundDown(float x, std::int16_t n) {
  if (n == 0) return std::floor(x);
  const float scale = static_cast<float>(std::pow(10.0, n));
  const float scaled = x * scale;
  return std::floor(scaled) / scale;
}
