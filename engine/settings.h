// The six options of the game. Plain values; reading and writing the settings
// file is the shell's business, the engine only reads them.
#pragma once

#include <cstdint>

namespace gub {

struct Settings {
  int32_t maxScore = 1000;
  int32_t soundOn = 1;
  int32_t declareExceptSheep = 0;
  int32_t speedDelayMs = 1000;  // fast 1, normal 1000, slow 2000
  int32_t oppositeIsFriend = 0;
  int32_t twoDecks = 0;
};

}  // namespace gub
