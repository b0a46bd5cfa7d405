// Card-choice rules the one-deck and the two-deck computer seats share: the
// led-suit follow rules, the discard order and the suit scores of a lead,
// written once over a hand of Size slots (13 or 26). Internal to players/.
#pragma once

#include <cstdint>

#include "engine/game_state.h"

namespace gub::choice {

inline constexpr uint32_t SuitBit(int32_t suit) { return 1u << suit; }

// Suits that led a completed trick of this deal. Our own reading of the trick
// history, so the players do not depend on the engine's trick code.
inline uint32_t OpenedSuits(const GameState& game) {
  int32_t count = game.trickNumber;
  if (count > 26) count = 26;
  uint32_t mask = 0;
  for (int32_t t = 0; t < count; ++t) {
    int32_t first = game.trickHistory[t].cards[0];
    if (first >= 0 && first < 52) mask |= SuitBit(game.cards[first].suit);
  }
  return mask;
}

// A declared special card stays restricted until its suit has led a trick.
struct Released {
  bool gub;
  bool sheep;
  bool doubleCard;
};

inline Released ReleasedCards(const GameState& game, uint32_t opened) {
  return Released{game.gubMult != 2 || (opened & SuitBit(SuitSpades)) != 0,
                  game.sheepMult != 2 || (opened & SuitBit(SuitDiamonds)) != 0,
                  game.doubleMult != 2 || (opened & SuitBit(SuitClubs)) != 0};
}

// The costliest card to give away: lowest value, then higher rank, then first
// in hand order. `skipSlot` leaves one slot out (the first card of a pair
// answer). Returns -1 when no card qualifies.
template <int32_t Size>
int32_t LowestValueSlot(const GameState& game, const int32_t* hand, int32_t skipSlot) {
  int32_t best = -1;
  int32_t bestValue = 300;
  int32_t bestRank = 0;
  for (int32_t i = 0; i < Size; ++i) {
    int32_t c = hand[i];
    if (c < 0) break;  // hands are closed up: the rest is empty
    if (i == skipSlot) continue;
    const Card& card = game.cards[c];
    if (card.value < bestValue || (card.value == bestValue && card.rank > bestRank)) {
      best = i;
      bestValue = card.value;
      bestRank = card.rank;
    }
  }
  return best;
}

// The slot of a non-leading seat's single card: discard when void, the only
// card of the led suit, or the rules of the led suit. `lowSpadesWithGub` is the
// two-deck difference: a gub holder that does not drop the gub card on a king
// or ace plays its lowest spades instead of its highest.
template <int32_t Size>
int32_t FollowSlot(const GameState& game, const int32_t* hand, bool lowSpadesWithGub) {
  const int32_t led = game.leadSuit;
  int32_t slots[Size];  // F1 ... Fn
  int32_t ranks[Size];
  int32_t n = 0;
  for (int32_t i = 0; i < Size; ++i) {
    int32_t c = hand[i];
    if (c < 0) break;
    if (game.cards[c].suit == led) {
      slots[n] = i;
      ranks[n] = game.cards[c].rank;
      ++n;
    }
  }
  if (n == 0) return LowestValueSlot<Size>(game, hand, -1);
  if (n == 1) return slots[0];

  int32_t plays = game.trickCount;
  if (plays > 4) plays = 4;
  int32_t top = 0;  // H: 0 when no card of the led suit lies in the trick
  bool gubInTrick = false;
  bool sheepInTrick = false;
  for (int32_t k = 0; k < plays; ++k) {
    int32_t c = game.currentTrick[k].card;
    if (c < 0) continue;
    if (c == CardGub) gubInTrick = true;
    if (c == CardSheep) sheepInTrick = true;
    if (game.cards[c].suit == led && game.cards[c].rank > top) top = game.cards[c].rank;
  }
  const bool last = game.trickCount == 3;
  const Released released = ReleasedCards(game, OpenedSuits(game));

  auto card = [&](int32_t k) { return hand[slots[k]]; };
  auto first = [&](int32_t special) {
    for (int32_t k = 0; k < n; ++k)
      if (card(k) == special) return k;
    return -1;
  };
  // Highest card strictly under the trick top; an equal rank cannot duck.
  auto duck = [&]() {
    int32_t k = 0;
    while (ranks[k] >= top) ++k;
    return k;
  };
  auto neighbour = [&](int32_t k) { return k < n - 1 ? k + 1 : n - 2; };
  auto standard = [&]() {
    if (ranks[n - 1] >= top) return last ? slots[0] : slots[n - 1];
    return slots[duck()];
  };

  switch (led) {
    case SuitSpades: {
      int32_t gub = first(CardGub);
      if (gub >= 0) {
        if (top >= 13 && released.gub) return slots[gub];
        if (lowSpadesWithGub) return card(n - 1) == CardGub ? slots[n - 2] : slots[n - 1];
        return card(0) == CardGub ? slots[1] : slots[0];
      }
      if (gubInTrick) return standard();
      if (!released.gub) return slots[0];
      if (last && ranks[0] >= 13) return slots[0];
      return standard();
    }
    case SuitHearts: {
      if (ranks[n - 1] < top) return slots[duck()];
      if (!last) return slots[n - 1];
      for (int32_t k = 0; k < n; ++k)
        if (ranks[k] <= 10) return slots[k];
      return slots[n - 1];
    }
    case SuitClubs: {
      if (!released.doubleCard && card(0) != CardDouble) return slots[0];
      int32_t dbl = first(CardDouble);
      if (dbl < 0) return standard();
      if (top >= 11 && released.doubleCard) return slots[dbl];
      if (ranks[n - 1] >= top) {
        if (last) return card(0) == CardDouble ? slots[1] : slots[0];
        return card(n - 1) == CardDouble && !released.doubleCard ? slots[n - 2] : slots[n - 1];
      }
      int32_t k = duck();
      if (card(k) == CardDouble && !released.doubleCard) k = neighbour(k);
      return slots[k];
    }
    default: {  // diamonds
      int32_t sheep = first(CardSheep);
      if (sheep >= 0) {
        if (last && top <= 10 && released.sheep) return slots[sheep];
        if (ranks[n - 1] >= top) {
          if (last) return slots[0];
          return card(n - 1) == CardSheep && !released.sheep ? slots[n - 2] : slots[n - 1];
        }
        int32_t k = duck();
        if (card(k) == CardSheep) k = neighbour(k);  // keep the sheep, released or not
        return slots[k];
      }
      if (sheepInTrick) return slots[0];
      if (ranks[n - 1] < top) return slots[duck()];
      if (last) {
        for (int32_t k = 0; k < n; ++k)
          if (ranks[k] <= 11) return slots[k];
        return slots[n - 1];
      }
      return slots[n - 2];
    }
  }
}

// Scores of leading each suit, lower is better. `slot` is the card the seat
// would lead in that suit, -1 (and score 0) when it holds none.
struct SuitScores {
  int32_t score[4];
  int32_t slot[4];
};

// One pass over the seat's hand and one over the other hands serves all four
// suits. `highSpadeScore` applies while the seat holds the queen, king or ace
// of spades; `noneAboveBase` + suit when no other hand can beat the led card.
template <int32_t Size>
void ScoreSuits(const GameState& game, const int32_t (*hands)[Size], int32_t seat,
                int32_t highSpadeScore, int32_t noneAboveBase, SuitScores& out) {
  int32_t lowest[4] = {-1, -1, -1, -1};
  int32_t highest[4] = {-1, -1, -1, -1};
  bool highSpade = false;
  const int32_t* own = hands[seat];
  for (int32_t i = 0; i < Size; ++i) {
    int32_t c = own[i];
    if (c < 0) break;
    int32_t suit = game.cards[c].suit;
    if (highest[suit] < 0) highest[suit] = i;
    lowest[suit] = i;
    if (suit == SuitSpades && game.cards[c].rank >= 12) highSpade = true;
  }
  int32_t lowRank[4];
  for (int32_t s = 0; s < 4; ++s) lowRank[s] = lowest[s] < 0 ? 0 : game.cards[own[lowest[s]]].rank;

  int32_t below[4] = {0, 0, 0, 0};
  int32_t above[4] = {0, 0, 0, 0};
  for (int32_t other = 0; other < 4; ++other) {
    if (other == seat) continue;
    const int32_t* hand = hands[other];
    for (int32_t i = 0; i < Size; ++i) {
      int32_t c = hand[i];
      if (c < 0) break;
      const Card& card = game.cards[c];
      if (lowest[card.suit] < 0) continue;
      // An equal rank (the other copy in two decks) is neither below nor above.
      if (card.rank < lowRank[card.suit]) ++below[card.suit];
      if (card.rank > lowRank[card.suit]) ++above[card.suit];
    }
  }

  const bool clubsClosedDouble =
      game.doubleMult == 2 && (OpenedSuits(game) & SuitBit(SuitClubs)) == 0;
  for (int32_t s = 0; s < 4; ++s) {
    out.slot[s] = lowest[s];
    if (lowest[s] < 0) {
      out.score[s] = 0;
      continue;
    }
    int32_t score = below[s];
    if (s == SuitSpades && highSpade) score = highSpadeScore;
    if (above[s] == 0) score = noneAboveBase + s;
    out.score[s] = score;
    // A declared double that is still restricted should not be the card left
    // to lead clubs later: lead the highest club unless that is the double.
    if (s == SuitClubs && clubsClosedDouble && own[highest[s]] != CardDouble)
      out.slot[s] = highest[s];
  }
}

// The suit to lead: the lowest score below `startScore`, spades, hearts,
// clubs, diamonds in that order, so ties go to the suit looked at first.
inline int32_t BestLeadSlot(const SuitScores& scores, int32_t startScore) {
  int32_t best = startScore;
  int32_t slot = -1;
  for (int32_t s = SuitSpades; s >= SuitDiamonds; --s) {
    if (scores.slot[s] >= 0 && scores.score[s] < best) {
      best = scores.score[s];
      slot = scores.slot[s];
    }
  }
  return slot;
}

}  // namespace gub::choice
