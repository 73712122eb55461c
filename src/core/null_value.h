// The missing-value markers shared by every subsystem.
//
// NullValue (-5435 as a 32-bit float, "-5435" as text) means "there is no
// value": records are reset to it before they are filled, unreadable numeric
// input becomes it, and a computation that cannot be made yields it. The second
// marker "-5434" is the start value of two option fields of the run state.
#pragma once

#include <string_view>

inline constexpr float NullValue = -5435.0f;
inline constexpr std::string_view NullText = "-5435";
inline constexpr std::string_view UnsetText = "-5434";
