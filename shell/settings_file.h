// SPDX-License-Identifier: MIT
// The settings file "gub.cfg": seven little-endian 32-bit fields, read once at
// start-up and rewritten one field at a time when an option changes.
#pragma once

#include <cstdint>

#include "engine/settings.h"

namespace gub {

inline constexpr const char* SettingsFileName = "gub.cfg";

// Byte offsets of the fields, from the one table of the options.
inline constexpr int32_t OffsetMaxScore = FileOffsetOf(&Settings::maxScore);
inline constexpr int32_t OffsetSoundOn = FileOffsetOf(&Settings::soundOn);
inline constexpr int32_t OffsetDeclareExceptSheep = FileOffsetOf(&Settings::declareExceptSheep);
inline constexpr int32_t OffsetSpeedDelayMs = FileOffsetOf(&Settings::speedDelayMs);
inline constexpr int32_t OffsetOppositeIsFriend = FileOffsetOf(&Settings::oppositeIsFriend);
inline constexpr int32_t OffsetTwoDecks = FileOffsetOf(&Settings::twoDecks);

// Defaults first, then every whole field the file holds, taken as it stands.
// A missing or unreadable file leaves the defaults, silently.
void loadSettings(Settings& settings, const char* path = SettingsFileName);

// Rewrites the 4 bytes at `offset` in place. The file is never created: when it
// is missing the new value lives in memory for this run only.
void writeSetting(int32_t offset, int32_t value, const char* path = SettingsFileName);

// The pause after a shown trick for the speed read from the file. Values are
// used as read, with two bounds: a negative one gives no pause, and none lasts
// longer than 10 s (five times the slow setting), since no press is answered
// during the pause and a stray value could otherwise freeze the game for weeks.
inline constexpr int32_t LongestPauseMs = 10000;
constexpr int32_t pauseAfterTrickMs(int32_t speedDelayMs) {
  return speedDelayMs < 0 ? 0 : (speedDelayMs > LongestPauseMs ? LongestPauseMs : speedDelayMs);
}

// The check boxes' rule: 0 becomes 1, anything else becomes 0.
constexpr int32_t toggledSetting(int32_t value) { return value == 0 ? 1 : 0; }

}  // namespace gub
