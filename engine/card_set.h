// SPDX-License-Identifier: MIT
// A set of cards as one 64-bit number, in the order of a hand: the card of
// suit s and rank r is bit 16 * s + r, so each suit is one 16-bit field,
// ranks 2..14 inside it, and a higher bit comes earlier in a sorted hand.
// The computer rules and the trick rules ask their questions of it in the
// game's words: the cards of a suit, the highest below a card, how many.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>

#include "engine/game_state.h"
#include "engine/per_processor.h"
#include "engine/rules_util.h"

// Counting cards is the commonest step of the computer rules and the
// automatic declarations. Their entry points are built for x86-64-v3 (popcnt,
// and the wide vector moves a computer seat's play uses to close up its
// hand), for popcnt alone and for any x86-64, and the program picks one when
// it starts. Everything they call is inlined into each copy.
#define GUB_COUNTING_ENTRY GUB_PER_PROCESSOR_FLAT("arch=x86-64-v3", "popcnt")
// A part of such an entry point kept out of line, built the same two ways:
// each copy of the entry calls its own copy of the part directly. A part
// saves only the registers it uses itself, where inlined into the entry every
// call would pay for the registers of its largest path.
#define GUB_COUNTING_PART GUB_COUNTING_ENTRY __attribute__((noinline))

namespace gub {

inline constexpr struct CardBits {
  uint8_t bit[52];
  constexpr CardBits() : bit{} {
    for (int32_t n = 0; n < 52; ++n) bit[n] = static_cast<uint8_t>(16 * CardSuit(n) + CardRank(n));
  }
} kCardBits{};

// One card's set by the number in a hand slot, read as (number & 63): the
// entries past the 52 cards, where an empty slot's -1 lands, are empty sets,
// so a hand is read slot by slot without a test.
inline constexpr struct SlotSets {
  uint64_t bits[64];
  constexpr SlotSets() : bits{} {
    for (int32_t n = 0; n < 52; ++n) bits[n] = uint64_t{1} << kCardBits.bit[n];
  }
} kSlotSets{};

inline constexpr int32_t SlotOfSuit[4] = {1, 0, 2, 3};  // the inverse of SuitOfSlot

class CardSet {
 public:
  constexpr CardSet() = default;
  static constexpr CardSet FromBits(uint64_t bits) { return CardSet(bits); }
  static constexpr CardSet Of(int32_t card) { return CardSet(uint64_t{1} << Bit(card)); }
  // The card in a hand slot, or nothing for an empty slot.
  static constexpr CardSet InSlot(int32_t slot) { return CardSet(kSlotSets.bits[slot & 63]); }
  static constexpr CardSet WholeSuit(int32_t suit) {
    return CardSet(uint64_t{0x7ffc} << 16 * suit);
  }
  // Every card of the suits above `suit`, which come before it in a hand.
  static constexpr CardSet SuitsAbove(int32_t suit) {
    // Two shifts, so that spades (a shift by the whole width) give nothing.
    return CardSet(~uint64_t{0} << 15 << (16 * suit + 1));
  }
  // The cards of `suit` ranked strictly below or above `rank`.
  static constexpr CardSet SuitBelow(int32_t suit, int32_t rank) {
    return CardSet(((uint64_t{1} << rank) - 1) << 16 * suit) & WholeSuit(suit);
  }
  static constexpr CardSet SuitAbove(int32_t suit, int32_t rank) {
    return CardSet(uint64_t{0x7ffc} >> (rank + 1) << (rank + 1) << 16 * suit);
  }

  constexpr uint64_t bits() const { return bits_; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool Holds(int32_t card) const { return (bits_ >> Bit(card)) & 1; }
  constexpr int32_t Count() const { return std::popcount(bits_); }

  constexpr CardSet OfSuit(int32_t suit) const { return *this & WholeSuit(suit); }
  // Rank of the highest or lowest card of the suit held, 0 when none. The
  // bits below rank 2 and above the ace are never cards: marks set there
  // give the 0 of an empty suit without a test.
  constexpr int32_t HighestRank(int32_t suit) const { return std::bit_width(Field(suit) | 1) - 1; }
  constexpr int32_t LowestRank(int32_t suit) const {
    return std::countr_zero(Field(suit) | 0x10000u) & 15;
  }
  // The highest card of the set, of equal ranks the one of the higher suit
  // (the first in hand order), as a set of its own, empty for an empty set:
  // a slot is then counted from it without turning it into a card number and
  // back. The ranks of the four suits folded into one field give the highest
  // rank; then the highest suit holding that rank.
  constexpr CardSet HighestCardAlone() const {
    const uint64_t folded = bits_ | bits_ >> 16 | bits_ >> 32 | bits_ >> 48;
    const int32_t rank = std::bit_width((folded & 0xffffu) | 1) - 1;
    const uint64_t ofRank = bits_ & (uint64_t{0x0001000100010001} << rank);
    return CardSet((uint64_t{1} << (std::bit_width(ofRank | 1) - 1)) & bits_);
  }
  // The cards before `card` in a sorted hand: higher suits, and higher ranks
  // of its own suit.
  constexpr CardSet Before(int32_t card) const {
    return CardSet(bits_ & ~((uint64_t{2} << Bit(card)) - 1));
  }
  // The same for a card given as a set of its own (nothing for an empty set).
  constexpr CardSet Before(CardSet card) const { return CardSet(bits_ & ~((card.bits_ << 1) - 1)); }

  constexpr CardSet operator|(CardSet other) const { return CardSet(bits_ | other.bits_); }
  constexpr CardSet operator&(CardSet other) const { return CardSet(bits_ & other.bits_); }
  constexpr CardSet Without(CardSet other) const { return CardSet(bits_ & ~other.bits_); }
  constexpr bool operator==(const CardSet&) const = default;

  // The set's bit of a card number, and the card number of a suit and rank.
  static constexpr int32_t Bit(int32_t card) { return kCardBits.bit[card]; }
  static constexpr int32_t CardAt(int32_t suit, int32_t rank) {
    return (rank - 1 - 13 * (rank == 14)) * 4 + SlotOfSuit[suit];
  }

 private:
  constexpr explicit CardSet(uint64_t bits) : bits_(bits) {}
  constexpr uint32_t Field(int32_t suit) const {
    return static_cast<uint32_t>(bits_ >> 16 * suit) & 0xffffu;
  }

  uint64_t bits_ = 0;
};

// The cards of a hand of `size` slots (-1 marks an empty slot), as the cards
// held and the cards held twice (two decks).
struct HandCards {
  CardSet once;
  CardSet twice;

  // The slot of the first copy of `card` in the sorted hand.
  int32_t SlotOf(int32_t card) const {
    return once.Before(card).Count() + twice.Before(card).Count();
  }
  // One copy of `card` leaves the hand (nothing for -1): the second copy
  // when there are two.
  void RemoveOne(int32_t card) {
    const CardSet leaving = CardSet::InSlot(card);
    const CardSet secondCopy = twice & leaving;
    twice = twice.Without(secondCopy);
    once = once.Without(leaving.Without(secondCopy));
  }
  // `card` leaves a hand that holds no card twice (one deck).
  void RemoveOnlyCopy(int32_t card) { once = once.Without(CardSet::InSlot(card)); }
  // `first` and `second` leave the hand together (`second` -1 for none):
  // the same as RemoveOne of each, in one step. A pair, the same card twice,
  // takes both copies.
  void RemoveTwo(int32_t first, int32_t second) {
    const CardSet one = CardSet::InSlot(first);
    const CardSet two = CardSet::InSlot(second);
    const CardSet leaving = one | two;
    const CardSet bothCopies = one & two;
    once = once.Without(leaving.Without(twice) | bothCopies);
    twice = twice.Without(leaving);
  }
  bool operator==(const HandCards&) const = default;
};

// Every slot is read, empty or not, in a loop of fixed length, unrolled: an
// empty slot adds nothing, and a loop that stopped at the first one (or
// tested its count at every slot) would end at a mispredicted branch.
// Two-deck hands also gather the cards held twice.
template <int32_t Size>
HandCards ReadHand(const int32_t* hand) {
  HandCards cards;
#pragma GCC unroll 26
  for (int32_t i = 0; i < Size; ++i) {
    const CardSet card = CardSet::InSlot(hand[i]);
    if constexpr (Size != OneDeckHandSize) cards.twice = cards.twice | (cards.once & card);
    cards.once = cards.once | card;
  }
  return cards;
}

// The cards each seat still holds, the cards played to the current trick so
// far and the declared cards still held back (their suit has not led a
// completed trick of this deal): what the computer rules ask at every
// decision. The whole-deal loop keeps them up to date play by play; a single
// decision reads them from the record (ReadDealCards).
struct DealCards {
  HandCards hands[4];
  CardSet trick;     // both cards of a pair; a card played twice is in once
  CardSet heldBack;  // only shrinks: every declaration comes before the first trick

  // The seat played `card`, and `second` (-1 for none) with it.
  void Played(int32_t seat, int32_t card, int32_t second) {
    hands[seat & 3].RemoveTwo(card, second);
    trick = trick | CardSet::InSlot(card) | CardSet::InSlot(second);
  }
  // One deck: the seat played `card`.
  void PlayedOneDeck(int32_t seat, int32_t card) {
    hands[seat & 3].RemoveOnlyCopy(card);
    trick = trick | CardSet::InSlot(card);
  }
  // A trick led with `leadCard` is complete: the declared cards of its suit
  // are free from now on.
  void CloseTrick(int32_t leadCard) {
    if (IsCard(leadCard)) heldBack = heldBack.Without(CardSet::WholeSuit(CardSuit(leadCard)));
    trick = CardSet();
  }
  bool operator==(const DealCards&) const = default;
};

template <int32_t Size>
DealCards ReadDealCards(const GameState& game) {
  DealCards deal;
  for (int32_t seat = 0; seat < 4; ++seat) {
    if constexpr (Size == OneDeckHandSize) {
      deal.hands[seat] = ReadHand<Size>(game.oneDeckHands[seat]);
    } else {
      deal.hands[seat] = ReadHand<Size>(game.twoDeckHands[seat]);
    }
  }
  for (int32_t card : {CardGub, CardHeartAce, CardDouble, CardSheep}) {
    if (IsDeclared(game, card)) deal.heldBack = deal.heldBack | CardSet::Of(card);
  }
  const int32_t played = PlayedTricks(game);
  for (int32_t t = 0; t < played; ++t) deal.CloseTrick(game.trickHistory[t].cards[0]);
  for (int32_t k = 0; k < 4 && k < game.trickCount; ++k) {
    deal.trick = deal.trick | CardSet::InSlot(game.currentTrick[k].card) |
                 CardSet::InSlot(game.currentTrick[k].second);
  }
  return deal;
}

}  // namespace gub
