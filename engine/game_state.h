// SPDX-License-Identifier: MIT
// The one record of the game: card table, hands, tricks, scores and declarations.
// Plain 32-bit integers with -1 for "none", so the engine, the computer players,
// the drawing and the click handling all work on the same flat data.
#pragma once

#include <cstdint>

namespace gub {

// Suit values used by every comparison (not the n % 4 layout of card numbers).
inline constexpr int32_t SuitDiamonds = 0;
inline constexpr int32_t SuitClubs = 1;
inline constexpr int32_t SuitHearts = 2;
inline constexpr int32_t SuitSpades = 3;

// Card numbers with a role of their own.
inline constexpr int32_t CardHeartAce = 2;
inline constexpr int32_t CardHeartTwo = 6;
inline constexpr int32_t CardSpadeTwo = 7;
inline constexpr int32_t CardDouble = 36;  // ten of clubs
inline constexpr int32_t CardSheep = 41;   // jack of diamonds
inline constexpr int32_t CardGub = 47;     // queen of spades

inline constexpr int32_t PhaseDeclaring = 0;
inline constexpr int32_t PhasePlaying = 1;
inline constexpr int32_t PhaseDealOver = 2;
inline constexpr int32_t PhaseMatchOver = 3;

// Index of a declarable card in `declarations` and `secondDeclarations`.
inline constexpr int32_t DeclGub = 0;
inline constexpr int32_t DeclHeartAce = 1;
inline constexpr int32_t DeclDouble = 2;
inline constexpr int32_t DeclSheep = 3;

inline constexpr int32_t OneDeckHandSize = 13;
inline constexpr int32_t TwoDeckHandSize = 26;

struct Card {
  int32_t suit;
  int32_t rank;
  int32_t value;
};

struct TrickPlay {
  int32_t seat;
  int32_t card;
  int32_t second;
};

struct TrickRecord {
  int32_t winner;
  int32_t cards[4];
  int32_t seconds[4];
};

struct Declaration {
  int32_t seat;
  int32_t card;
};

struct GameState {
  Card cards[52];
  int32_t oneDeckHands[4][OneDeckHandSize];
  int32_t twoDeckHands[4][TwoDeckHandSize];
  int32_t raised[TwoDeckHandSize];
  TrickRecord trickHistory[26];
  int32_t turnSeat;
  int32_t trickCount;
  int32_t trickNumber;
  int32_t leadSuit;
  TrickPlay currentTrick[4];
  int32_t dealScore[4];
  int32_t matchTotal[4];
  int32_t phase;
  Declaration declarations[4];
  Declaration secondDeclarations[4];
  int32_t heartsMult;
  int32_t gubMult;
  int32_t sheepMult;
  int32_t doubleMult;
  int32_t gubTakerSeat;

  // Builds the card table and the start-of-program values (no deal yet).
  GameState();
};

// Card-number helpers that do not need the table (it never changes). The
// suit table lives outside the function so that no call copies it.
inline constexpr int32_t SuitOfSlot[4] = {SuitClubs, SuitDiamonds, SuitHearts, SuitSpades};
constexpr int32_t CardSuit(int32_t n) { return SuitOfSlot[n & 3]; }
constexpr int32_t CardRank(int32_t n) { return n / 4 == 0 ? 14 : n / 4 + 1; }
// What a card is worth to whoever takes it: the queen of spades -100, the
// hearts from the jack up -20 to -50, the hearts from five to ten -10 each,
// the jack of diamonds +100, every other card nothing.
constexpr int32_t CardValue(int32_t n) {
  if (n == CardSheep) return 100;
  if (n == CardGub) return -100;
  if (CardSuit(n) != SuitHearts) return 0;
  const int32_t rank = CardRank(n);
  if (rank >= 11) return -(rank - 9) * 10;
  return rank >= 5 ? -10 : 0;
}
// Hand order in one number: higher suit value first, then higher rank.
constexpr int32_t CardSortKey(int32_t n) { return CardSuit(n) * 16 + CardRank(n); }

// Hand removals write every slot in a loop of fixed length with no test that
// depends on the cards, which the compiler turns into a few vector moves: a
// slot either keeps its card or takes a later one, by a mask read from this
// ramp. RampFrom(slot)[i] is all ones when i >= slot.
inline constexpr struct HandRamp {
  int32_t bits[64];
  constexpr HandRamp() : bits{} {
    for (int32_t i = 32; i < 64; ++i) bits[i] = -1;
  }
} kHandRamp{};
inline constexpr int32_t HandRampSize = 32;  // longest hand the ramp serves
constexpr const int32_t* RampFrom(int32_t slot) { return kHandRamp.bits + 32 - slot; }
// `card`, or `later` where `take` is all ones.
constexpr int32_t TakeWhere(int32_t take, int32_t card, int32_t later) {
  return card ^ ((card ^ later) & take);
}

// The first `span` slots of a hand close over the card in `slot`: from it on
// each takes the card after it, the card in slot `span` included, which
// stays where it was too. Slot `span` must exist.
inline void CloseOverSlot(int32_t* hand, int32_t span, int32_t slot) {
  const int32_t* moves = RampFrom(slot);
  for (int32_t i = 0; i < span; ++i) hand[i] = TakeWhere(moves[i], hand[i], hand[i + 1]);
}

// The same over the cards in slots `first` and `second` (first < second) in
// one pass: the cards between them move down one slot, those after both two.
// Slot `span` + 1 must exist.
inline void CloseOverSlots(int32_t* hand, int32_t span, int32_t first, int32_t second) {
  const int32_t* movesOne = RampFrom(first);
  const int32_t* movesTwo = RampFrom(second - 1);
  for (int32_t i = 0; i < span; ++i) {
    const int32_t one = TakeWhere(movesOne[i], hand[i], hand[i + 1]);
    hand[i] = TakeWhere(movesTwo[i], one, hand[i + 2]);
  }
}

// Removes the card in `slot` of a hand of `size` slots: later cards move down
// one slot and the last slot becomes -1, so the hand stays sorted. Inline, so
// that a play's removal knows the hand's size.
inline void RemoveFromHand(int32_t* hand, int32_t size, int32_t slot) {
  if (slot < 0 || slot >= size) return;
  if (size > HandRampSize) {
    for (int32_t i = slot; i + 1 < size; ++i) hand[i] = hand[i + 1];
  } else {
    CloseOverSlot(hand, size - 1, slot);
  }
  hand[size - 1] = -1;
}

// Removes the cards in slots `first` and `second` (first < second) in one
// pass, as RemoveFromHand of each.
inline void RemoveTwoFromHand(int32_t* hand, int32_t size, int32_t first, int32_t second) {
  if (first < 0 || first >= second || second >= size) return;
  if (size > HandRampSize) {
    RemoveFromHand(hand, size, second);
    RemoveFromHand(hand, size, first);
    return;
  }
  CloseOverSlots(hand, size - 2, first, second);
  hand[size - 2] = -1;
  hand[size - 1] = -1;
}

// Inserts `card` behind the filled part of the hand and moves it towards slot 0
// while the card before it sorts lower (suit value, then rank). `count` is the
// number of cards already held; the hand must have room for one more.
void InsertSorted(int32_t* hand, int32_t count, int32_t card);

}  // namespace gub
