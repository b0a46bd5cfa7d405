// SPDX-License-Identifier: MIT
// The automatic declarations of a fresh deal, made from the hands' card sets
// as the shuffle builds them rather than read back from the hand slots.
#pragma once

#include "engine/card_set.h"
#include "engine/settings.h"

namespace gub {

// The computer seats 1 to 3 in turn, then seat 0 when the setting declares
// for it: what DeclareForSeat / DeclareForSeatTwoDecks do seat by seat.
void DeclareDealtHands(GameState& game, const Settings& settings, const HandCards (&dealt)[4]);
void DeclareDealtHandsTwoDecks(GameState& game, const Settings& settings,
                               const HandCards (&dealt)[4]);

}  // namespace gub
