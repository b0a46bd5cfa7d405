// Dealing: the shuffle into deal positions, the sorted hands, the per-deal
// reset, the automatic declarations and the first leader, one and two decks.
#include <bit>

#include "engine/rules.h"

namespace gub {

namespace {

// Every card number once, in hand order: suit value descending, then rank
// descending.
struct HandOrder {
  int32_t cards[52];
  constexpr HandOrder() : cards{} {
    int32_t n = 0;
    for (int32_t suit = SuitSpades; suit >= SuitDiamonds; --suit) {
      for (int32_t rank = 14; rank >= 2; --rank) {
        for (int32_t c = 0; c < 52; ++c) {
          if (CardSuit(c) == suit && CardRank(c) == rank) cards[n++] = c;
        }
      }
    }
  }
};
constexpr HandOrder kHandOrder;

// Shuffles Decks x 52 numbers into as many deal positions and deals them:
// number i takes the drawn position when it is free, otherwise the lowest
// free one, and position p belongs to seat p % 4. Number i >= 52 is the second
// copy of card i - 52. Returns the seat of number 7, the first two of spades.
//
// Positions never become free again, so the lowest free one only moves
// forward; the taken positions are bits of a set, so it is found in a step or
// two. The hands are then filled by walking
// the cards in hand order, which gives exactly the hands that inserting each
// card as it arrives would give (equal numbers are indistinguishable, so
// twins still end up side by side) without the shifting.
template <int32_t Decks, int32_t HandSize>
int32_t ShuffleAndDeal(RandomSource& random, int32_t (&hands)[4][HandSize]) {
  constexpr int32_t count = Decks * 52;
  uint32_t drawn[count];
  random.Draw(drawn, count);
  uint64_t taken[2] = {0, 0};  // position p is bit p % 64 of word p / 64
  int32_t word = 0;            // the first word with a free position
  int32_t seatOf[Decks][52];
  for (int32_t i = 0; i < count; ++i) {
    int32_t p = static_cast<int32_t>(drawn[i] % static_cast<uint32_t>(count));
    if ((taken[p >> 6] >> (p & 63)) & 1) {
      while (taken[word] == ~uint64_t{0}) ++word;
      p = word * 64 + std::countr_one(taken[word]);
    }
    taken[p >> 6] |= uint64_t{1} << (p & 63);
    seatOf[i / 52][i % 52] = p & 3;
  }
  int32_t filled[4] = {};
  for (int32_t c : kHandOrder.cards) {
    for (int32_t d = 0; d < Decks; ++d) {
      const int32_t s = seatOf[d][c];
      hands[s][filled[s]++] = c;
    }
  }
  return seatOf[0][CardSpadeTwo];
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
