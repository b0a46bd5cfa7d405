// Small helpers shared by the rule files: score arithmetic that clamps at the
// 32-bit limits instead of overflowing (a huge score limit lets the running
// totals grow without bound), and the "is this a card" test.
#pragma once

#include <cstdint>
#include <limits>

namespace gub {

constexpr int32_t ClampToInt32(int64_t v) {
  constexpr int64_t lo = std::numeric_limits<int32_t>::min();
  constexpr int64_t hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

// `b` is 64-bit so that callers can pass a sum of two 32-bit values.
constexpr int32_t SaturatingAdd(int32_t a, int64_t b) {
  return ClampToInt32(static_cast<int64_t>(a) + b);
}

constexpr int32_t SaturatingMul(int32_t a, int32_t b) {
  return ClampToInt32(static_cast<int64_t>(a) * static_cast<int64_t>(b));
}

// True for a card number 0..51 (hands and tricks use -1 for "none").
constexpr bool IsCard(int32_t n) { return static_cast<uint32_t>(n) < 52u; }

}  // namespace gub
