// Dealing: the shuffle into deal positions, the sorted hands, the per-deal
// reset, the automatic declarations and the first leader, one and two decks.
#include <bit>

#include "engine/card_set.h"
#include "engine/rules.h"

namespace gub {

namespace {

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
  uint64_t taken[2] = {0, 0};  // position p is bit p % 64 of word p / 64
  HandCards dealt[4];
  int32_t firstSpadeTwoSeat = 0;
  for (int32_t i = 0; i < count; ++i) {
    int32_t p = static_cast<int32_t>(drawn[i] % static_cast<uint32_t>(count));
    if ((taken[p >> 6] >> (p & 63)) & 1) {
      const int32_t word = taken[0] == ~uint64_t{0} ? 1 : 0;
      p = word * 64 + std::countr_one(taken[word]);
    }
    taken[p >> 6] |= uint64_t{1} << (p & 63);
    const int32_t card = i % 52;
    HandCards& hand = dealt[p & 3];
    if (hand.once.Holds(card)) {
      hand.twice.Add(card);
    } else {
      hand.once.Add(card);
    }
    if (i == CardSpadeTwo) firstSpadeTwoSeat = p & 3;
  }
  for (int32_t seat = 0; seat < 4; ++seat) {
    int32_t* hand = hands[seat];
    int32_t filled = 0;
    dealt[seat].once.ForEachInHandOrder([&](int32_t card) {
      hand[filled++] = card;
      if (dealt[seat].twice.Holds(card)) hand[filled++] = card;
    });
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
