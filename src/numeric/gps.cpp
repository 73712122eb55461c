// GGA sentence conversion. Positions below are counted from 1, as in the layout
// of the sentence's fields; every search and cut is checked against the text so
// a short or malformed sentence is reported, never read past.
#include "numeric/gps.h"

#include <charconv>
#include <cstddef>
#include <string>
#include <system_error>

#include "core/null_value.h"
#include "core/report.h"
#include "numeric/numeric_tools.h"

namespace {

constexpr std::string_view BadSentenceMessage = "GPS GAA convertion -- bad or no info";

// A sentence that cannot be read, met anywhere while it is read; reported by
// GpsGga_convert, which knows where the sentence came from.
struct BadSentence {};

[[noreturn]] void badSentence() { throw BadSentence{}; }

// The position (from 1) of the first `what` at or after position `start`, or 0.
std::ptrdiff_t findFrom(std::string_view text, std::ptrdiff_t start, std::string_view what) {
  if (start < 1) badSentence();
  const std::size_t found = text.find(what, static_cast<std::size_t>(start - 1));
  return found == std::string_view::npos ? 0 : static_cast<std::ptrdiff_t>(found) + 1;
}

// The `count` characters from position `start` (fewer at the text's end). A
// start before the text or a negative count means the sentence is malformed.
std::string_view charactersFrom(std::string_view text, std::ptrdiff_t start, std::ptrdiff_t count) {
  if (start < 1 || count < 0) badSentence();
  const std::size_t from = static_cast<std::size_t>(start - 1);
  if (from >= text.size()) return {};
  return text.substr(from, static_cast<std::size_t>(count));
}

// A degree or minute field as a number: optional sign, digits with at most one
// ".", blanks around; anything else is a malformed sentence.
double fieldNumber(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  bool negative = false;
  if (!field.empty() && (field.front() == '-' || field.front() == '+')) {
    negative = field.front() == '-';
    field.remove_prefix(1);
  }
  if (field.empty() || !(field.front() == '.' || (field.front() >= '0' && field.front() <= '9'))) badSentence();
  double value = 0.0;
  const auto result = std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
  if (result.ec != std::errc() || result.ptr != field.data() + field.size()) badSentence();
  return negative ? -value : value;
}

// degrees + minutes / 60 from the field whose "." is at `point`, between the
// comma at `comma` and the hemisphere comma at `end`.
double DegreesMinutes_read(std::string_view text, std::ptrdiff_t comma, std::ptrdiff_t point, std::ptrdiff_t end) {
  if (comma == 0 || point == 0) badSentence();
  const double degrees = fieldNumber(charactersFrom(text, comma + 1, point - comma - 3));
  const double minutes = fieldNumber(charactersFrom(text, point - 2, end - point + 2));
  return minutes / 60.0 + degrees;
}

// The field between the eighth and the ninth comma, as a number.
float NinthField_read(std::string_view text) {
  std::size_t start = 0;
  for (int comma = 0; comma < 8; ++comma) {
    const std::size_t found = text.find(',', start);
    if (found == std::string_view::npos) return NullValue;
    start = found + 1;
  }
  const std::size_t stop = text.find(',', start);
  return NumberOrNull(text.substr(start, stop == std::string_view::npos ? std::string_view::npos : stop - start));
}

}  // namespace

namespace {

void convertSentence(std::string_view text, double& latitude, double& longitude, float& third,
                     const std::string& where) {
  if (text.find_first_not_of(' ') == std::string_view::npos || text.find("GGA") == std::string_view::npos) {
    badSentence();
  }

  // Latitude hemisphere: ",S" wins over ",N".
  double latitudeSign = 0.0;
  std::ptrdiff_t h = 0;
  if (const std::ptrdiff_t north = findFrom(text, 1, ",N"); north > 1) {
    latitudeSign = 1.0;
    h = north;
  }
  if (const std::ptrdiff_t south = findFrom(text, 1, ",S"); south > 1) {
    latitudeSign = -1.0;
    h = south;
  }
  if (h == 0) Error_report("GPS GAA -- no N or S" + where, "GPS334");

  const std::ptrdiff_t c1 = findFrom(text, 1, ",");
  const std::ptrdiff_t c2 = findFrom(text, c1 + 1, ",");
  const std::ptrdiff_t d = c2 == 0 ? 0 : findFrom(text, c2, ".");
  const double lat = DegreesMinutes_read(text, c2, d, h) * latitudeSign;

  // Longitude hemisphere, after the latitude's.
  double longitudeSign = -1.0;
  std::ptrdiff_t w = findFrom(text, h + 1, ",W,");
  if (w == 0) {
    longitudeSign = 1.0;
    w = findFrom(text, h + 1, ",E,");
  }
  if (w == 0) badSentence();

  const std::ptrdiff_t c3 = findFrom(text, h + 1, ",");
  // The longitude's "." is looked for from ten characters before its hemisphere
  // (from the text's start when the sentence is shorter than that).
  const std::ptrdiff_t e = findFrom(text, w > 10 ? w - 10 : 1, ".");
  const double lon = DegreesMinutes_read(text, c3, e, w) * longitudeSign;

  latitude = lat;
  longitude = lon;
  third = NinthField_read(text);
}

}  // namespace

void GpsGga_convert(std::string_view text, double& latitude, double& longitude, float& third,
                    std::string_view place) {
  const std::string where = place.empty() ? std::string() : " --- in " + std::string(place) + ": " + std::string(text);
  try {
    convertSentence(text, latitude, longitude, third, where);
  } catch (const BadSentence&) {
    Error_report(std::string(BadSentenceMessage) + where, "GPS323");
  }
}
