// Small text tools shared by every reader: trimming blanks and upper-casing,
// the way the system compares keys, identifiers and names (blanks are space
// characters only; letters are ASCII).
#pragma once

#include <string>
#include <string_view>

// The text without its leading and trailing blanks.
std::string TrimBlanks(std::string_view text);

// The text with a-z turned into A-Z.
std::string UpperCased(std::string_view text);

// UpperCased(TrimBlanks(text)): how keys and identifiers are compared.
std::string TrimmedUpper(std::string_view text);

// The text without its leading and trailing blanks, as a view into `text`.
std::string_view TrimmedView(std::string_view text);

// True when the texts are equal once a-z are taken as A-Z: the comparison of
// UpperCased(a) == UpperCased(b), without making either.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// True when UpperCased(text) contains `upperWord` (given in capitals).
bool ContainsIgnoringCase(std::string_view text, std::string_view upperWord);
