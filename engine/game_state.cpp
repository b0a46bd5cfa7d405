// SPDX-License-Identifier: MIT
// Creation of the game record and the two hand operations everything shares.
#include "engine/game_state.h"

namespace gub {

GameState::GameState()
    : cards{},
      oneDeckHands{},
      twoDeckHands{},
      raised{},
      trickHistory{},
      turnSeat(-1),
      trickCount(0),
      trickNumber(0),
      leadSuit(0),
      currentTrick{},
      dealScore{},
      matchTotal{},
      phase(PhaseDeclaring),
      declarations{},
      secondDeclarations{},
      heartsMult(0),
      gubMult(0),
      sheepMult(0),
      doubleMult(0),
      gubTakerSeat(-1) {
  for (int32_t n = 0; n < 52; ++n) cards[n] = Card{CardSuit(n), CardRank(n), CardValue(n)};
  for (auto& hand : oneDeckHands)
    for (auto& slot : hand) slot = -1;
  for (int32_t k = 0; k < 4; ++k) {
    declarations[k].card = -1;
    secondDeclarations[k].card = -1;
  }
}

void InsertSorted(int32_t* hand, int32_t count, int32_t card) {
  // The card table never changes, so the sort key comes from a constant table
  // rather than two loads per comparison; this runs 52 or 104 times a deal.
  static constexpr auto keys = [] {
    struct Keys {
      int32_t key[52];
    } k{};
    for (int32_t n = 0; n < 52; ++n) k.key[n] = CardSortKey(n);
    return k;
  }();
  const int32_t key = keys.key[card];
  int32_t i = count;
  while (i > 0 && keys.key[hand[i - 1]] < key) {
    hand[i] = hand[i - 1];
    --i;
  }
  hand[i] = card;
}

}  // namespace gub
