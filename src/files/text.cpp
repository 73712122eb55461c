// Trimming and upper-casing of texts.
#include "files/text.h"

namespace {

char upperOf(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string_view TrimmedView(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string TrimBlanks(std::string_view text) { return std::string(TrimmedView(text)); }

std::string UpperCased(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upperOf(c);
  return out;
}

std::string TrimmedUpper(std::string_view text) { return UpperCased(TrimBlanks(text)); }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    if (upperOf(a[k]) != upperOf(b[k])) return false;
  }
  return true;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view upperWord) {
  if (upperWord.size() > text.size()) return false;
  for (size_t start = 0; start + upperWord.size() <= text.size(); ++start) {
    size_t k = 0;
    while (k < upperWord.size() && upperOf(text[start + k]) == upperWord[k]) ++k;
    if (k == upperWord.size()) return true;
  }
  return false;
}
