// Dealing: the shuffle into deal positions, the sorted hands, the per-deal
// reset, the automatic declarations and the first leader, one and two decks.
#include "engine/rules.h"

namespace gub {

namespace {

// Places the numbers 0..Count-1 into deal positions: each takes the drawn
// position when it is free, otherwise the lowest free one. Returns where
// number 7 (the first two of spades) went. Positions never become free again,
// so the lowest free one only moves forward and the whole shuffle is linear.
template <int32_t Count>
int32_t Shuffle(RandomSource& random, int32_t (&positions)[Count]) {
  for (int32_t& p : positions) p = -1;
  int32_t lowestFree = 0;
  int32_t spadeTwoPosition = 0;
  for (int32_t i = 0; i < Count; ++i) {
    int32_t p = static_cast<int32_t>(random.Next() % static_cast<uint32_t>(Count));
    if (positions[p] != -1) {
      while (positions[lowestFree] != -1) ++lowestFree;
      p = lowestFree;
    }
    positions[p] = i;
    if (i == CardSpadeTwo) spadeTwoPosition = p;
  }
  return spadeTwoPosition;
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
  int32_t positions[52];
  game.turnSeat = Shuffle(random, positions) % 4;
  for (int32_t s = 0; s < 4; ++s) {
    int32_t* hand = game.oneDeckHands[s];
    for (int32_t k = 0; k < OneDeckHandSize; ++k) InsertSorted(game, hand, k, positions[s + 4 * k]);
  }

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
  int32_t positions[104];
  game.turnSeat = Shuffle(random, positions) % 4;
  for (int32_t& p : positions) p %= 52;  // two copies of every card number
  for (int32_t s = 0; s < 4; ++s) {
    int32_t* hand = game.twoDeckHands[s];
    for (int32_t k = 0; k < TwoDeckHandSize; ++k) InsertSorted(game, hand, k, positions[s + 4 * k]);
  }

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
