// SPDX-License-Identifier: MIT
// The hint: which card (two decks: card or pair) the player in seat 0 would
// do best to play now. It looks only at what the player can see (the own
// hand, the cards played so far, the declarations and the voids the play has
// shown), deals the unseen cards to the other seats many times in every way
// consistent with that, plays each legal choice out to the end of the deal
// with the computer rules, and advises the one with the best average result
// for the player (for the partnership under "opposite is friend").
//
// Pure: it reads a copy of the record and writes nothing else, keeps no state
// between calls and allocates nothing, so a worker thread can run it on its
// own copy of the game while the window goes on drawing the real one.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/settings.h"

namespace gub {

struct HintBudget {
  // Deals of the unseen cards to try; every choice is played out on the same
  // deals, so the comparison is fair between them.
  int32_t samples = 1000;
  // Stop dealing after this much time (microseconds) and advise on the deals
  // tried so far; 0 for no limit, which makes the advice depend on the seed
  // alone.
  int64_t timeLimitUs = 100'000;
};

struct HintAdvice {
  int32_t slot = -1;        // the slot of seat 0's hand to play; -1: no advice
  int32_t secondSlot = -1;  // two decks: the second card of a pair, else -1
  int32_t samples = 0;      // deals of the unseen cards actually tried
};

// No advice (slot -1) unless a deal is being played and seat 0 is to play.
// The advice is always a play the rules allow. `seed` drives the dealing of
// the unseen cards: the same position, seed and sample count give the same
// advice.
HintAdvice AdviseOneDeck(const GameState& game, const Settings& settings, uint64_t seed,
                         const HintBudget& budget);
HintAdvice AdviseTwoDecks(const GameState& game, const Settings& settings, uint64_t seed,
                          const HintBudget& budget);
// By the deck variant of the settings, as the click drivers choose.
HintAdvice Advise(const GameState& game, const Settings& settings, uint64_t seed,
                  const HintBudget& budget);

// One of the deals the hint tries: `dealt` becomes the position with the
// hidden hands dealt afresh from the unseen cards, as `seed` falls. False
// (and `dealt` untouched) when the record does not add up.
bool DealUnseenCards(const GameState& game, bool twoDecks, uint64_t seed, GameState& dealt);

}  // namespace gub
