// Declaring the four special cards: the computer seats' automatic choice from
// their hands, and the human's click, one and two decks.
#include "engine/rules.h"
#include "engine/rules_util.h"

namespace gub {

namespace {

// Declarable cards by declaration index (gub card, heart ace, double, sheep).
constexpr int32_t DeclarableCard[4] = {CardGub, CardHeartAce, CardDouble, CardSheep};

// What the automatic declaration looks at in one hand.
struct HandCounts {
  int32_t suit[4] = {};
  int32_t copies[4] = {};  // by declaration index
  int32_t lowHearts = 0;   // hearts of rank 7 or lower
};

// Card numbers lay the suits out by n % 4 (clubs, diamonds, hearts, spades)
// and the ranks by n / 4 (ace first), so a hand is counted without looking
// anything up: suits by n % 4, single cards as bits of a 52-bit set (a second
// set holds the cards held twice in the two-deck game).
HandCounts CountHand(const int32_t* hand, int32_t size) {
  int32_t bySlot[4] = {};
  uint64_t once = 0;
  uint64_t twice = 0;
  for (int32_t i = 0; i < size; ++i) {
    const int32_t c = hand[i];
    if (!IsCard(c)) continue;
    ++bySlot[c & 3];
    const uint64_t bit = uint64_t{1} << c;
    twice |= once & bit;
    once |= bit;
  }
  auto copies = [&](int32_t c) {
    return static_cast<int32_t>(((once >> c) & 1) + ((twice >> c) & 1));
  };
  HandCounts counts;
  for (int32_t slot = 0; slot < 4; ++slot) counts.suit[CardSuit(slot)] = bySlot[slot];
  for (int32_t k = 0; k < 4; ++k) counts.copies[k] = copies(DeclarableCard[k]);
  for (int32_t c = CardHeartTwo; c < 28; c += 4) counts.lowHearts += copies(c);  // two to seven
  return counts;
}

}  // namespace

void DeclareForSeat(GameState& game, const Settings& settings, int32_t seat) {
  if (!IsSeat(seat)) return;
  const HandCounts n = CountHand(game.oneDeckHands[seat], OneDeckHandSize);
  const bool always = settings.declareExceptSheep != 0;
  const bool wants[4] = {
      n.suit[SuitSpades] >= 6 || n.suit[SuitSpades] == 1 || always, n.lowHearts >= 3 || always,
      n.suit[SuitClubs] >= 5 || always,
      seat != 0 && n.suit[SuitDiamonds] >= 5,  // the setting never declares a sheep
  };
  for (int32_t k = 0; k < 4; ++k) {
    if (n.copies[k] == 0 || !wants[k]) continue;
    game.declarations[k] = Declaration{seat, DeclarableCard[k]};
    Multiplier(game, k) = 2;
  }
}

void DeclareForSeatTwoDecks(GameState& game, const Settings& settings, int32_t seat) {
  if (!IsSeat(seat)) return;
  const HandCounts n = CountHand(game.twoDeckHands[seat], TwoDeckHandSize);
  const bool always = settings.declareExceptSheep != 0;
  const bool wants[4] = {
      n.suit[SuitSpades] >= 12 || always,
      n.suit[SuitHearts] >= 12 || always,
      n.suit[SuitClubs] >= 10 || always,
      seat != 0 && n.suit[SuitDiamonds] >= 10,
  };
  for (int32_t k = 0; k < 4; ++k) {
    if (n.copies[k] == 0 || !wants[k]) continue;
    Multiplier(game, k) = 2;
    const Declaration mine{seat, DeclarableCard[k]};
    if (game.declarations[k].card != -1) {
      game.secondDeclarations[k] = mine;  // another seat declared the first copy
    } else {
      game.declarations[k] = mine;
      if (n.copies[k] == 2) game.secondDeclarations[k] = mine;
    }
  }
}

bool DeclareHumanCard(GameState& game, int32_t slot) {
  if (slot < 0 || slot >= OneDeckHandSize) return false;
  const int32_t card = game.oneDeckHands[0][slot];
  const int32_t k = DeclarationOf(card);
  if (k < 0) return false;
  int32_t& mult = Multiplier(game, k);
  const bool changed = mult != 2;
  game.declarations[k] = Declaration{0, card};
  mult = 2;
  return changed;
}

bool DeclareHumanCardTwoDecks(GameState& game, int32_t slot) {
  if (slot < 0 || slot >= TwoDeckHandSize) return false;
  const int32_t* hand = game.twoDeckHands[0];
  const int32_t card = hand[slot];
  const int32_t k = DeclarationOf(card);
  if (k < 0) return false;
  Multiplier(game, k) = 2;
  const Declaration mine{0, card};
  if (game.declarations[k].card == -1) {
    game.declarations[k] = mine;
    int32_t copies = 0;
    for (int32_t i = 0; i < TwoDeckHandSize; ++i) copies += hand[i] == card;
    if (copies == 2) game.secondDeclarations[k] = mine;
    return true;
  }
  if (game.declarations[k].seat != 0 && game.secondDeclarations[k].card == -1) {
    game.secondDeclarations[k] = mine;
    return true;
  }
  return false;
}

}  // namespace gub
