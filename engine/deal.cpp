// SPDX-License-Identifier: MIT
// Dealing: the shuffle into deal positions, the sorted hands, the per-deal
// reset, the automatic declarations and the first leader, one and two decks.
#include <bit>

#include "engine/card_set.h"
#include "engine/rules.h"

namespace gub {

namespace {

// The card-set bit of each shuffled number (both copies of a card).
constexpr struct NumberBits {
  uint8_t bit[104];
  constexpr NumberBits() : bit{} {
    for (int32_t i = 0; i < 104; ++i) bit[i] = static_cast<uint8_t>(CardSet::Bit(i % 52));
  }
} kNumberBits{};

// Writes a seat's cards into its hand slots in hand order, twins side by
// side: each card goes into the next two slots and the count moves by its
// copies, so a single card's second write is overwritten by the next card.
template <int32_t HandSize>
void WriteHand(const HandCards& dealt, int32_t* hand) {
  int32_t filled = 0;
  dealt.once.ForEachInHandOrder([&](int32_t card) {
    hand[filled] = card;
    if constexpr (HandSize == TwoDeckHandSize) {
      hand[filled + 1 < HandSize ? filled + 1 : HandSize - 1] = card;
      filled += dealt.twice.Holds(card);
    }
    ++filled;
  });
}

// Shuffles Decks x 52 numbers into as many deal positions and deals them:
// number i takes the drawn position when it is free, otherwise the lowest
// free one, and position p belongs to seat p % 4. Number i >= 52 is the second
// copy of card i - 52. Returns the seat of number 7, the first two of spades.
//
// The taken positions are bits of a set, so the lowest free one is found in a
// step. Each seat's cards are gathered as card sets and written out in hand
// order, which gives exactly the hands that inserting each card as it arrives
// would give (equal numbers are indistinguishable, so twins end up side by
// side) without the shifting.
template <int32_t Decks, int32_t HandSize>
int32_t ShuffleAndDeal(RandomSource& random, int32_t (&hands)[4][HandSize]) {
  constexpr int32_t count = Decks * 52;
  uint32_t drawn[count];
  random.Draw(drawn, count);
  // Position p is taken when bit p of the low word (p < 64) or bit p - 64 of
  // the high word is set.
  uint64_t takenLow = 0;
  uint64_t takenHigh = 0;
  // The number at each position: only stores in the loop, so the next
  // number's placement never waits for a seat's cards to be updated.
  uint8_t numberAt[count];
  for (int32_t i = 0; i < count; ++i) {
    // Masks rather than branches: whether a position is taken, and which
    // word it is in, are as good as random, and a mispredicted branch costs
    // more than both sides (the compiler turns plain choices here into
    // branches).
    const int32_t drawnPosition = static_cast<int32_t>(drawn[i] % static_cast<uint32_t>(count));
    const int32_t lowestFree =
        takenLow == ~uint64_t{0} ? 64 + std::countr_one(takenHigh) : std::countr_one(takenLow);
    const uint64_t drawnInLow = 0 - static_cast<uint64_t>(drawnPosition < 64);
    const uint64_t word = (takenLow & drawnInLow) | (takenHigh & ~drawnInLow);
    const int32_t isTaken = -static_cast<int32_t>((word >> (drawnPosition & 63)) & 1);
    const int32_t p = drawnPosition ^ ((drawnPosition ^ lowestFree) & isTaken);
    const uint64_t bit = uint64_t{1} << (p & 63);
    const uint64_t inLow = 0 - static_cast<uint64_t>(p < 64);
    takenLow |= bit & inLow;
    takenHigh |= bit & ~inLow;
    numberAt[p] = static_cast<uint8_t>(i);
  }
  int32_t firstSpadeTwoSeat = 0;
  for (int32_t seat = 0; seat < 4; ++seat) {
    HandCards dealt;
    for (int32_t p = seat; p < count; p += 4) {
      const int32_t number = numberAt[p];
      const CardSet card = CardSet::FromBits(uint64_t{1} << kNumberBits.bit[number]);
      dealt.twice = dealt.twice | (dealt.once & card);
      dealt.once = dealt.once | card;
      firstSpadeTwoSeat = number == CardSpadeTwo ? seat : firstSpadeTwoSeat;
    }
    WriteHand<HandSize>(dealt, hands[seat]);
  }
  return firstSpadeTwoSeat;
}

// The per-deal fields both deals reset; `records` is how many history records
// the deal can fill (their cards stay, only the winner marks them unplayed).
void ResetDealFields(GameState& game, int32_t records) {
  game.trickCount = 0;
  game.trickNumber = 0;
  game.leadSuit = -1;
  game.phase = PhaseDeclaring;
  for (Declaration& d : game.declarations) d.card = -1;
  for (int32_t t = 0; t < records; ++t) game.trickHistory[t].winner = -1;
  game.heartsMult = 1;
  game.gubMult = 1;
  game.sheepMult = 1;
  game.doubleMult = 1;
}

}  // namespace

void DealOneDeck(GameState& game, const Settings& settings, RandomSource& random) {
  for (int32_t s = 0; s < 4; ++s) {
    game.dealScore[s] = 0;
    for (int32_t& slot : game.oneDeckHands[s]) slot = -1;
  }
  for (TrickPlay& play : game.currentTrick) play.card = -1;

  random.BeginDeal();
  game.turnSeat = ShuffleAndDeal<1>(random, game.oneDeckHands);

  ResetDealFields(game, OneDeckHandSize);
  for (int32_t seat = 1; seat < 4; ++seat) DeclareForSeat(game, settings, seat);
  if (settings.declareExceptSheep) DeclareForSeat(game, settings, 0);

  if (game.gubTakerSeat != -1) game.turnSeat = game.gubTakerSeat;
}

void DealTwoDecks(GameState& game, const Settings& settings, RandomSource& random) {
  for (int32_t s = 0; s < 4; ++s) {
    game.dealScore[s] = 0;
    for (int32_t& slot : game.twoDeckHands[s]) slot = -1;
    // Nothing of an abandoned one-deck deal may linger in the other hands.
    for (int32_t& slot : game.oneDeckHands[s]) slot = -1;
  }
  for (TrickPlay& play : game.currentTrick) {
    play.card = -1;
    play.second = -1;
  }

  random.BeginDeal();
  game.turnSeat = ShuffleAndDeal<2>(random, game.twoDeckHands);

  ResetDealFields(game, 26);
  for (Declaration& d : game.secondDeclarations) d.card = -1;
  for (int32_t seat = 1; seat < 4; ++seat) DeclareForSeatTwoDecks(game, settings, seat);
  if (settings.declareExceptSheep) DeclareForSeatTwoDecks(game, settings, 0);

  if (game.gubTakerSeat != -1) game.turnSeat = game.gubTakerSeat;
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
