// Normalisation of the date-and-time texts of field data files.
#include "numeric/date_time.h"
#include "files/text.h"

#include <array>
#include <cstddef>

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// At most `count` characters from `start` (0-based); empty beyond the end.
std::string_view piece(std::string_view text, std::size_t start, std::size_t count) {
  if (start >= text.size()) return {};
  return text.substr(start, count);
}

// A one-character part gets a leading "0"; others are kept as they are.
std::string twoDigits(std::string_view part) {
  if (part.size() == 1) return "0" + std::string(part);
  return std::string(part);
}

// The month-name form: year + month + day + "~000000", or "" when the text
// names no month.
std::string MonthNameForm(std::string_view text) {
  static constexpr std::array<std::string_view, 12> names = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                             "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  std::size_t position = std::string_view::npos;
  std::size_t month = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::size_t found = text.find(names[i]);
    if (found != std::string_view::npos) {
      position = found;
      month = i + 1;
    }
  }
  if (month == 0) return {};
  const std::string_view year = piece(text, position + 4, 4);
  const std::string day = position >= 3 ? std::string(piece(text, position - 3, 2)) : std::string("--");
  const char monthText[2] = {static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10)};
  return std::string(year) + std::string(monthText, 2) + day + "~000000";
}

// The hour on a 24-hour clock, two digits: "PM" adds 12 to hours 1 to 11,
// "AM" turns 12 into 0. An hour that is not a number gives "--".
std::string Hour24_text(std::string_view hour, std::string_view time) {
  if (hour.empty() || hour.size() > 4) return "--";
  int value = 0;
  for (char c : hour) {
    if (c < '0' || c > '9') return "--";
    value = value * 10 + (c - '0');
  }
  if (time.find("PM") != std::string_view::npos) {
    if (value >= 1 && value <= 11) value += 12;
  } else if (time.find("AM") != std::string_view::npos) {
    if (value == 12) value = 0;
  }
  return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

}  // namespace

std::string DateTime_normalize(std::string_view text) {
  const std::string upper = UpperCased(trimmed(text));
  const std::string_view t = upper;

  std::string named = MonthNameForm(t);
  if (!named.empty()) return named;

  std::string_view date = "--";
  std::string_view time = "--";
  const std::size_t blank = t.find(' ');
  if (blank != std::string_view::npos) {
    date = trimmed(t.substr(0, blank));
    time = trimmed(t.substr(blank + 1));
  }

  std::string month = "--";
  std::string day = "--";
  std::string year;
  const std::size_t s1 = date.find('/');
  const std::size_t s2 = s1 == std::string_view::npos ? s1 : date.find('/', s1 + 1);
  if (s2 != std::string_view::npos) {
    month = twoDigits(trimmed(date.substr(0, s1)));
    day = twoDigits(trimmed(date.substr(s1 + 1, s2 - s1 - 1)));
    year = std::string(trimmed(date.substr(s2 + 1)));
  }

  std::string hour = "--";
  std::string minutes = "--";
  std::string seconds;
  const std::size_t c1 = time.find(':');
  const std::size_t c2 = c1 == std::string_view::npos ? c1 : time.find(':', c1 + 1);
  if (c2 != std::string_view::npos) {
    hour = Hour24_text(trimmed(time.substr(0, c1)), time);
    minutes = twoDigits(trimmed(time.substr(c1 + 1, c2 - c1 - 1)));
    seconds = twoDigits(trimmed(piece(time, c2 + 1, 2)));
  }

  return year + month + day + "~" + hour + minutes + seconds + "-local";
}
