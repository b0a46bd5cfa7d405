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

// Every card number once, in hand order: suit value descending, then rank
// descending. Cards arrive in the hands by walking this list, which gives
// exactly the hands that inserting each card in turn would give (equal
// numbers are indistinguishable) without the quadratic shifting.
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

// Deals the positions to the seats' hands: seat p % 4 holds the number at
// position p (modulo 52), each hand sorted. Every card number occurs once
// per deck, so recording its seat per copy is enough.
template <int32_t Count, int32_t HandSize>
void FillHands(const int32_t (&positions)[Count], int32_t (&hands)[4][HandSize]) {
  constexpr int32_t decks = Count / 52;
  int32_t seatOf[decks][52];
  for (int32_t p = 0; p < Count; ++p) {
    const int32_t n = positions[p];
    if constexpr (decks == 1) {
      seatOf[0][n] = p & 3;
    } else {
      const int32_t copy = n >= 52 ? 1 : 0;
      seatOf[copy][n - 52 * copy] = p & 3;
    }
  }
  int32_t filled[4] = {};
  for (int32_t c : kHandOrder.cards) {
    for (int32_t d = 0; d < decks; ++d) {
      const int32_t s = seatOf[d][c];
      hands[s][filled[s]++] = c;
    }
  }
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
  FillHands(positions, game.oneDeckHands);

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
  FillHands(positions, game.twoDeckHands);  // numbers 52..103 become second copies

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
