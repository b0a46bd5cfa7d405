// SPDX-License-Identifier: MIT
// Parsing of the score-limit field.
#include "shell/score_limit.h"

namespace gub {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The first `count` characters of a UTF-8 text, counted as code points.
std::string_view firstCharacters(std::string_view text, int32_t count) {
  size_t i = 0;
  int32_t seen = 0;
  while (i < text.size()) {
    // Continuation bytes (10xxxxxx) belong to the character before them.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (seen == count) break;
      ++seen;
    }
    ++i;
  }
  return text.substr(0, i);
}

}  // namespace

std::optional<int32_t> parseScoreLimit(std::string_view text) {
  text = firstCharacters(text, ScoreLimitMaxChars);
  size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  const size_t start = i;
  if (i < text.size() && text[i] == '-') return std::nullopt;
  if (i < text.size() && text[i] == '+') ++i;

  // Saturating: a run of digits too long for 32 bits is still one number,
  // and far too large for a limit.
  uint64_t value = 0;
  while (i < text.size() && isDigit(text[i])) {
    value = value * 10 + static_cast<uint64_t>(text[i] - '0');
    if (value > UINT32_MAX) value = UINT32_MAX;
    ++i;
  }
  while (i < text.size() && isBlank(text[i])) ++i;
  if (i != text.size()) return std::nullopt;
  if (value == 0 && (start == text.size() || text[start] != '0')) return std::nullopt;
  // The limit is a signed setting and the match ends at -maxScore: anything
  // that would not survive the negation is refused like any other bad text.
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace gub
