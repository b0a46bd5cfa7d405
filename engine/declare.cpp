// SPDX-License-Identifier: MIT
// Declaring the four special cards: the computer seats' automatic choice from
// their hands, and the human's click, one and two decks.
#include "engine/card_set.h"
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

// A hand of `Size` slots counted from its card sets (the second set holds the
// cards held twice in the two-deck game).
template <int32_t Size>
HandCounts CountHand(const int32_t* hand) {
  const HandCards cards = ReadHand<Size>(hand);
  HandCounts counts;
  for (int32_t suit = SuitDiamonds; suit <= SuitSpades; ++suit)
    counts.suit[suit] = cards.once.CountOf(suit) + cards.twice.CountOf(suit);
  for (int32_t k = 0; k < 4; ++k) counts.copies[k] = cards.Copies(DeclarableCard[k]);
  const CardSet twoToSeven = CardSet::SuitBelow(SuitHearts, 8);
  counts.lowHearts = (cards.once & twoToSeven).Count() + (cards.twice & twoToSeven).Count();
  return counts;
}

}  // namespace

GUB_COUNTING_ENTRY void DeclareForSeat(GameState& game, const Settings& settings, int32_t seat) {
  if (!IsSeat(seat)) return;
  const HandCounts n = CountHand<OneDeckHandSize>(game.oneDeckHands[seat]);
  const bool always = settings.declareExceptSheep != 0;
  const bool wants[4] = {
      n.suit[SuitSpades] >= 6 || n.suit[SuitSpades] == 1 || always, n.lowHearts >= 3 || always,
      n.suit[SuitClubs] >= 5 || always,
      seat != 0 && n.suit[SuitDiamonds] >= 5,  // the setting never declares a sheep
  };
  // Whether a seat declares is as good as random: written either way, the
  // old values where it does not.
  for (int32_t k = 0; k < 4; ++k) {
    const bool declares = (n.copies[k] != 0) & wants[k];
    const Declaration kept = game.declarations[k];
    game.declarations[k] = declares ? Declaration{seat, DeclarableCard[k]} : kept;
    int32_t& multiplier = Multiplier(game, k);
    multiplier = declares ? 2 : multiplier;
  }
}

GUB_COUNTING_ENTRY void DeclareForSeatTwoDecks(GameState& game, const Settings& settings,
                                               int32_t seat) {
  if (!IsSeat(seat)) return;
  const HandCounts n = CountHand<TwoDeckHandSize>(game.twoDeckHands[seat]);
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
