// SPDX-License-Identifier: MIT
// Dealing: the shuffle into deal positions, the sorted hands, the per-deal
// reset, the automatic declarations and the first leader, one and two decks.
#include <bit>

#include "engine/card_set.h"
#include "engine/declare_dealt.h"
#include "engine/per_processor.h"
#include "engine/rules.h"

namespace gub {

namespace {

// The card number of each card-set bit (the bits that are no card give 0;
// a hand never holds them).
constexpr struct BitCards {
  uint8_t card[64];
  constexpr BitCards() : card{} {
    for (int32_t suit = 0; suit < 4; ++suit) {
      for (int32_t rank = 2; rank <= 14; ++rank) {
        card[16 * suit + rank] = static_cast<uint8_t>(CardSet::CardAt(suit, rank));
      }
    }
  }
} kBitCards{};

constexpr uint64_t kNoCardBit = uint64_t{1} << 63;

// Writes each seat's cards into its hand slots in hand order, twins side by
// side, filling from the last slot: the lowest card first. A hand always has
// all its cards when dealt, so the loop runs a fixed number of times and its
// end is never mispredicted. Each step takes the lowest card left, the copy
// held twice first. The four seats go step by step together: each hand is a
// chain of steps that each wait for the one before, and four chains side by
// side keep the processor busy where one would leave it waiting.
template <int32_t HandSize>
void WriteHands(const HandCards (&dealt)[4], int32_t (&hands)[4][HandSize]) {
  uint64_t once[4];
  uint64_t twice[4];
  for (int32_t seat = 0; seat < 4; ++seat) {
    once[seat] = dealt[seat].once.bits();
    twice[seat] = dealt[seat].twice.bits();
  }
  for (int32_t slot = HandSize - 1; slot >= 0; --slot) {
#pragma GCC unroll 4
    for (int32_t seat = 0; seat < 4; ++seat) {
      const uint64_t lowest = once[seat] & (0 - once[seat]);
      // The top bit is no card; set, it tells the compiler the set is never
      // empty, which spares a test on every card.
      hands[seat][slot] = kBitCards.card[std::countr_zero(once[seat] | kNoCardBit)];
      if constexpr (HandSize == TwoDeckHandSize) {
        // Whether the card is a twin is as good as random: no branch.
        const uint64_t secondCopy = twice[seat] & lowest;
        twice[seat] ^= secondCopy;
        once[seat] ^= lowest ^ secondCopy;
      } else {
        once[seat] ^= lowest;
      }
    }
  }
}

// The deal positions already given a number. Position p is taken when bit
// p % 64 of word p / 64 is set; the lowest free position is found in a step.
// Bit 63 of the last word is a position past the last one: always free, it
// tells the compiler the free positions are never none, which spares a test
// on every number.
template <int32_t Count>
class TakenPositions {
 public:
  // Takes `drawn` when free, otherwise the lowest free position; returns the
  // position taken.
  uint32_t Take(uint32_t drawn) {
    if constexpr (Count <= 64) {
      // Masks rather than a choice: whether a position is taken is as good as
      // random, and the compiler turns a plain choice here into a branch.
      const uint64_t free = ~words_[0];
      const uint32_t lowestFree = std::countr_zero(free | kPastTheLast);
      const uint32_t isTaken = static_cast<uint32_t>((free >> drawn) & 1) - 1;
      const uint32_t p = drawn ^ ((drawn ^ lowestFree) & isTaken);
      words_[0] |= uint64_t{1} << p;
      return p;
    } else {
      // The low word fills in the course of the deal, so which word holds
      // the lowest free position is a well-predicted branch; which word
      // holds the drawn one is as good as random: picked and written by
      // masks, so that both words stay in registers from number to number.
      const uint32_t lowestFree = words_[0] == ~uint64_t{0}
                                      ? 64 + std::countr_zero(~words_[1] | kPastTheLast)
                                      : std::countr_one(words_[0]);
      const uint64_t drawnHigh = 0 - static_cast<uint64_t>(drawn >> 6);
      const uint64_t word = (words_[0] & ~drawnHigh) | (words_[1] & drawnHigh);
      const uint32_t isTaken = 0 - static_cast<uint32_t>((word >> (drawn & 63)) & 1);
      const uint32_t p = drawn ^ ((drawn ^ lowestFree) & isTaken);
      const uint64_t bit = uint64_t{1} << (p & 63);
      const uint64_t high = 0 - static_cast<uint64_t>(p >> 6);
      words_[0] |= bit & ~high;
      words_[1] |= bit & high;
      return p;
    }
  }

 private:
  static_assert(Count % 64 != 0);
  static constexpr uint64_t kPastTheLast = uint64_t{1} << 63;
  uint64_t words_[(Count + 63) / 64] = {};
};

// Shuffles Decks x 52 numbers into as many deal positions and deals them:
// number i takes the drawn position when it is free, otherwise the lowest
// free one, and position p belongs to seat p % 4. Number i >= 52 is the second
// copy of card i - 52. Returns the seat of number 7, the first two of spades.
//
// Each number goes straight into its seat's cards, one set per copy of the
// deck; a card is held twice when both copies are in the seat's sets. The
// sets written out in hand order give exactly the hands that inserting each
// card as it arrives would give (equal numbers are indistinguishable, so
// twins end up side by side) without the shifting.
template <int32_t Decks, int32_t HandSize>
int32_t ShuffleAndDeal(RandomSource& random, int32_t (&hands)[4][HandSize], HandCards (&cards)[4]) {
  constexpr int32_t count = Decks * 52;
  uint32_t drawn[count];
  random.Draw(drawn, count);
  // Reduced to positions in a loop of their own, which the compiler runs
  // several values a step.
  for (uint32_t& value : drawn) value %= count;
  TakenPositions<count> taken;
  uint64_t dealt[Decks][4] = {};
  for (int32_t copy = 0; copy < Decks; ++copy) {
    // Left as a loop: unrolled, it ran fewer instructions but the deal took
    // longer, 52 copies of the same steps met once a deal each.
    for (int32_t card = 0; card < 52; ++card) {
      const uint32_t p = taken.Take(drawn[52 * copy + card]);
      dealt[copy][p & 3] |= CardSet::InSlot(card).bits();
    }
  }
  int32_t firstSpadeTwoSeat = 0;
  for (int32_t seat = 0; seat < 4; ++seat) {
    HandCards& seatCards = cards[seat];
    seatCards.once = CardSet::FromBits(dealt[0][seat]);
    seatCards.twice = CardSet();
    if constexpr (Decks == 2) {
      const CardSet second = CardSet::FromBits(dealt[1][seat]);
      seatCards.twice = seatCards.once & second;
      seatCards.once = seatCards.once | second;
    }
    // Exactly one seat holds it; which one is as good as random, so it is
    // counted up rather than branched to.
    firstSpadeTwoSeat += seat * CardSet::FromBits(dealt[0][seat]).Holds(CardSpadeTwo);
  }
  WriteHands<HandSize>(cards, hands);
  return firstSpadeTwoSeat;
}

// The per-deal fields both deals reset; `Records` is how many history records
// the deal can fill (their cards stay, only the winner marks them unplayed).
// A count known when compiling lets the loops below unroll.
template <int32_t Records>
void ResetDealFields(GameState& game) {
  game.trickCount = 0;
  game.trickNumber = 0;
  game.leadSuit = -1;
  game.phase = PhaseDeclaring;
  for (Declaration& d : game.declarations) d.card = -1;
#pragma GCC unroll 26
  for (int32_t t = 0; t < Records; ++t) game.trickHistory[t].winner = -1;
  game.heartsMult = 1;
  game.gubMult = 1;
  game.sheepMult = 1;
  game.doubleMult = 1;
}

}  // namespace

// A deal is a chain of bit scans, lowest-bit steps and shifts by a variable
// count. Built twice, with and without the x86-64-v3 instructions (which do
// each of those in one instruction and leave the shift count free), it runs
// the shorter copy where the processor has them and still runs on any
// x86-64: the copy is picked when the program starts. Everything the deal
// calls is inlined into both copies.
#define GUB_BIT_SCAN_ENTRY GUB_PER_PROCESSOR_FLAT("arch=x86-64-v3")

GUB_BIT_SCAN_ENTRY void DealOneDeck(GameState& game, const Settings& settings,
                                    RandomSource& random) {
  // The deal writes every slot of the hands.
  for (int32_t& score : game.dealScore) score = 0;
  for (TrickPlay& play : game.currentTrick) play.card = -1;

  random.BeginDeal();
  HandCards dealt[4];
  game.turnSeat = ShuffleAndDeal<1>(random, game.oneDeckHands, dealt);

  ResetDealFields<OneDeckHandSize>(game);
  DeclareDealtHands(game, settings, dealt);

  if (game.gubTakerSeat != -1) game.turnSeat = game.gubTakerSeat;
}

GUB_BIT_SCAN_ENTRY void DealTwoDecks(GameState& game, const Settings& settings,
                                     RandomSource& random) {
  // The deal writes every slot of the two-deck hands; nothing of an
  // abandoned one-deck deal may linger in the other hands.
  for (int32_t s = 0; s < 4; ++s) {
    game.dealScore[s] = 0;
    for (int32_t& slot : game.oneDeckHands[s]) slot = -1;
  }
  for (TrickPlay& play : game.currentTrick) {
    play.card = -1;
    play.second = -1;
  }

  random.BeginDeal();
  HandCards dealt[4];
  game.turnSeat = ShuffleAndDeal<2>(random, game.twoDeckHands, dealt);

  ResetDealFields<TwoDeckHandSize>(game);
  for (Declaration& d : game.secondDeclarations) d.card = -1;
  DeclareDealtHandsTwoDecks(game, settings, dealt);

  if (game.gubTakerSeat != -1) game.turnSeat = game.gubTakerSeat;
#pragma GCC unroll 26
  for (int32_t& flag : game.raised) flag = 0;
}

void StartNewMatch(GameState& game, const Settings& settings, RandomSource& random) {
  for (int32_t& total : game.matchTotal) total = 0;
  if (settings.twoDecks) {
    DealTwoDecks(game, settings, random);
  } else {
    DealOneDeck(game, settings, random);
  }
}

}  // namespace gub
