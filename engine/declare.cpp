// SPDX-License-Identifier: MIT
// Declaring the four special cards: the computer seats' automatic choice from
// their hands, and the human's click, one and two decks.
#include "engine/card_set.h"
#include "engine/declare_dealt.h"
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

// A hand counted from its card sets; in the two-deck game the second set
// holds the cards held twice (a one-deck hand has none).
template <bool TwoDecks>
HandCounts CountHand(const HandCards& cards) {
  const auto count = [&](CardSet of) {
    if constexpr (TwoDecks) return (cards.once & of).Count() + (cards.twice & of).Count();
    return (cards.once & of).Count();
  };
  HandCounts counts;
  for (int32_t suit = SuitDiamonds; suit <= SuitSpades; ++suit)
    counts.suit[suit] = count(CardSet::WholeSuit(suit));
  for (int32_t k = 0; k < 4; ++k) counts.copies[k] = count(CardSet::Of(DeclarableCard[k]));
  counts.lowHearts = count(CardSet::SuitBelow(SuitHearts, 8));
  return counts;
}

// `chosen` when `pick`, otherwise `kept`. Which cards a declaring seat
// declares is as good as random, and the compiler turns a plain choice of a
// record field into a branch that is mispredicted as often as not: a mask
// costs less.
constexpr int32_t PickIf(bool pick, int32_t chosen, int32_t kept) {
  return kept ^ ((chosen ^ kept) & -static_cast<int32_t>(pick));
}

// The cards a seat declares: those it holds and its hand calls for.
struct Declares {
  bool card[4];
  bool any = false;
  Declares(const HandCounts& n, const bool (&wants)[4]) {
    for (int32_t k = 0; k < 4; ++k) {
      card[k] = (n.copies[k] != 0) & wants[k];
      any |= card[k];
    }
  }
};

void DeclareOneDeck(GameState& game, const Settings& settings, int32_t seat,
                    const HandCards& cards) {
  const HandCounts n = CountHand<false>(cards);
  const bool always = settings.declareExceptSheep != 0;
  const bool spades = n.suit[SuitSpades] >= 6 || n.suit[SuitSpades] == 1;
  const bool wants[4] = {
      spades || always, n.lowHearts >= 3 || always, n.suit[SuitClubs] >= 5 || always,
      seat != 0 && n.suit[SuitDiamonds] >= 5,  // the setting never declares a sheep
  };
  const Declares declares(n, wants);
  // About four hands in five declare nothing: skipping them costs fewer
  // mispredictions than updating every record costs instructions.
  if (!declares.any) return;
  for (int32_t k = 0; k < 4; ++k) {
    Declaration& declaration = game.declarations[k];
    declaration.seat = PickIf(declares.card[k], seat, declaration.seat);
    declaration.card = PickIf(declares.card[k], DeclarableCard[k], declaration.card);
    int32_t& multiplier = Multiplier(game, k);
    multiplier = PickIf(declares.card[k], 2, multiplier);
  }
}

void DeclareTwoDecks(GameState& game, const Settings& settings, int32_t seat,
                     const HandCards& cards) {
  const HandCounts n = CountHand<true>(cards);
  const bool always = settings.declareExceptSheep != 0;
  const bool wants[4] = {
      n.suit[SuitSpades] >= 12 || always,
      n.suit[SuitHearts] >= 12 || always,
      n.suit[SuitClubs] >= 10 || always,
      seat != 0 && n.suit[SuitDiamonds] >= 10,
  };
  const Declares declares(n, wants);
  // Twenty-six cards rarely hold that long a suit: most hands declare
  // nothing (and under the house rule most declare something), so this
  // branch is well predicted and spares the records' updates.
  if (!declares.any) return;
  for (int32_t k = 0; k < 4; ++k) {
    // The first record goes to the first seat to declare; the second to a
    // later seat, or to the first one when it holds both copies.
    Declaration& first = game.declarations[k];
    Declaration& second = game.secondDeclarations[k];
    const bool firstTaken = first.card != -1;
    const bool takesFirst = declares.card[k] & !firstTaken;
    const bool takesSecond = declares.card[k] & (firstTaken | (n.copies[k] == 2));
    first.seat = PickIf(takesFirst, seat, first.seat);
    first.card = PickIf(takesFirst, DeclarableCard[k], first.card);
    second.seat = PickIf(takesSecond, seat, second.seat);
    second.card = PickIf(takesSecond, DeclarableCard[k], second.card);
    int32_t& multiplier = Multiplier(game, k);
    multiplier = PickIf(declares.card[k], 2, multiplier);
  }
}

}  // namespace

GUB_COUNTING_ENTRY void DeclareForSeat(GameState& game, const Settings& settings, int32_t seat) {
  if (!IsSeat(seat)) return;
  DeclareOneDeck(game, settings, seat, ReadHand<OneDeckHandSize>(game.oneDeckHands[seat]));
}

GUB_COUNTING_ENTRY void DeclareForSeatTwoDecks(GameState& game, const Settings& settings,
                                               int32_t seat) {
  if (!IsSeat(seat)) return;
  DeclareTwoDecks(game, settings, seat, ReadHand<TwoDeckHandSize>(game.twoDeckHands[seat]));
}

GUB_COUNTING_ENTRY void DeclareDealtHands(GameState& game, const Settings& settings,
                                          const HandCards (&dealt)[4]) {
  for (int32_t seat = 1; seat < 4; ++seat) DeclareOneDeck(game, settings, seat, dealt[seat]);
  if (settings.declareExceptSheep) DeclareOneDeck(game, settings, 0, dealt[0]);
}

GUB_COUNTING_ENTRY void DeclareDealtHandsTwoDecks(GameState& game, const Settings& settings,
                                                  const HandCards (&dealt)[4]) {
  for (int32_t seat = 1; seat < 4; ++seat) DeclareTwoDecks(game, settings, seat, dealt[seat]);
  if (settings.declareExceptSheep) DeclareTwoDecks(game, settings, 0, dealt[0]);
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
