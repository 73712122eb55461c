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
