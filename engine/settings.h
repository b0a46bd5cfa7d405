// SPDX-License-Identifier: MIT
// The six options of the game. Plain values; reading and writing the settings
// file is the shell's business (and the asset tool's, which writes the first
// one), the engine only reads them. The file's layout is here so that both
// take it from one table.
#pragma once

#include <cstdint>

namespace gub {

// The defaults are these initial values, and nowhere else.
struct Settings {
  int32_t maxScore = 1000;
  int32_t soundOn = 1;
  int32_t declareExceptSheep = 0;
  int32_t speedDelayMs = 1000;  // fast 1, normal 1000, slow 2000
  int32_t oppositeIsFriend = 0;
  int32_t twoDecks = 0;
};

// The options in the order of the settings file: each one's name, its field
// and the byte offset of its little-endian 32-bit value in the file. Offset
// 0 is reserved: the game never reads or writes it, so whatever an earlier
// version stored there survives.
struct SettingField {
  const char* name;
  int32_t Settings::*field;
  int32_t fileOffset;

  constexpr int32_t DefaultValue() const { return Settings{}.*field; }
};

inline constexpr SettingField SettingFields[] = {
    {"maxScore", &Settings::maxScore, 4},
    {"soundOn", &Settings::soundOn, 8},
    {"declareExceptSheep", &Settings::declareExceptSheep, 12},
    {"speedDelayMs", &Settings::speedDelayMs, 16},
    {"oppositeIsFriend", &Settings::oppositeIsFriend, 20},
    {"twoDecks", &Settings::twoDecks, 24},
};

// The file offset of a field, for the code that rewrites one option.
constexpr int32_t FileOffsetOf(int32_t Settings::*field) {
  for (const SettingField& f : SettingFields)
    if (f.field == field) return f.fileOffset;
  return -1;
}

}  // namespace gub
