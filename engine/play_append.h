// SPDX-License-Identifier: MIT
// Appending a play to the current trick and taking its cards out of the hand.
// Inline, so that a computer seat's play (PlayCard, PlayCardTwoDecks) appends
// its card in the same step as the choice, with no call in between; AddPlay
// and AddPlayTwoDecks are the same steps for every other caller.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/game_state.h"
#include "engine/rules_util.h"

namespace gub::play_append {

// Two-deck hands shrink as the deal goes on, and the empty slots at their end
// need no closing up: when a hand holds no more cards than this, a play
// closes up only this many slots.
inline constexpr int32_t ShortHand = 16;

// True when the hand is empty from slot ShortHand on, and `last`, the last
// slot played, lies before it: both numbers negative, tested in one step.
inline bool IsShortHand(const int32_t* hand, int32_t last) {
  return (hand[ShortHand] & (last - ShortHand)) < 0;
}

// The card in `slot`, or the cards in `first` and `second` (first < second),
// leave a two-deck hand. A single card and a pair take paths of their own
// from the first check on, so that neither asks again which it is.
inline void CloseUpTwoDeckHand(int32_t* hand, int32_t slot) {
  if (IsShortHand(hand, slot)) {
    CloseOverSlot(hand, ShortHand, slot);
  } else {
    RemoveFromHand(hand, TwoDeckHandSize, slot);
  }
}
inline void CloseUpTwoDeckHand(int32_t* hand, int32_t first, int32_t second) {
  if (IsShortHand(hand, second)) {
    CloseOverSlots(hand, ShortHand, first, second);
  } else {
    RemoveTwoFromHand(hand, TwoDeckHandSize, first, second);
  }
}

// Appends the seat's card in `slot` to the trick and takes it out of the
// seat's one-deck hand; the play appended, null when it was refused.
inline const TrickPlay* AddPlayOneDeck(GameState& game, int32_t seat, int32_t slot) {
  if (!IsSeat(seat) || slot < 0 || slot >= OneDeckHandSize) return nullptr;
  if (game.trickCount < 0 || game.trickCount >= 4) return nullptr;
  int32_t* hand = game.oneDeckHands[seat];
  const int32_t card = hand[slot];
  if (!IsCard(card)) return nullptr;
  TrickPlay& play = game.currentTrick[game.trickCount];
  play = TrickPlay{seat, card, -1};
  RemoveFromHand(hand, OneDeckHandSize, slot);
  if (game.leadSuit == -1) game.leadSuit = game.cards[card].suit;
  return &play;
}

// Appends the seat's card in `slot` (and the one in `secondSlot`, -1 for
// none, both slots as they were before either left) to the trick and takes
// them out of the seat's two-deck hand; the play appended, null when it was
// refused.
inline const TrickPlay* AddPlayOfTwoDecks(GameState& game, int32_t seat, int32_t slot,
                                          int32_t secondSlot) {
  constexpr int32_t Size = TwoDeckHandSize;
  if (!IsSeat(seat) || slot < 0 || slot >= Size) return nullptr;
  if (game.trickCount < 0 || game.trickCount >= 4) return nullptr;
  int32_t* hand = game.twoDeckHands[seat];
  const int32_t card = hand[slot];
  if (!IsCard(card)) return nullptr;
  TrickPlay& play = game.currentTrick[game.trickCount];
  if (secondSlot == -1) {
    play = TrickPlay{seat, card, -1};
    CloseUpTwoDeckHand(hand, slot);
  } else {
    if (secondSlot < 0 || secondSlot >= Size || secondSlot == slot) return nullptr;
    const int32_t second = hand[secondSlot];
    if (!IsCard(second)) return nullptr;
    play = TrickPlay{seat, card, second};
    CloseUpTwoDeckHand(hand, std::min(slot, secondSlot), std::max(slot, secondSlot));
  }
  if (game.leadSuit == -1) game.leadSuit = game.cards[card].suit;
  return &play;
}

}  // namespace gub::play_append
