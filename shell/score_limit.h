// SPDX-License-Identifier: MIT
// The score-limit text of the options dialog: what is accepted and as what.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace gub {

// Only this many characters of the field are looked at.
inline constexpr int32_t ScoreLimitMaxChars = 31;
inline constexpr const char* ScoreLimitRejected = "Please enter a positive integer.";

// Parses the field's text (UTF-8). Blanks and tabs may surround one unsigned
// decimal number with an optional plus sign; a minus sign, anything else
// after the number, a number above 2147483647, or a text that yields 0 without
// starting with the digit 0 (an empty field, a lone "+") is refused.
std::optional<int32_t> parseScoreLimit(std::string_view text);

}  // namespace gub
