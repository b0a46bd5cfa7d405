// Card-choice rules the one-deck and the two-deck computer seats share: the
// led-suit follow rules, the discard order and the suit scores of a lead,
// written once over a hand of Size slots (13 or 26). Internal to players/.
#pragma once

#include <bit>
#include <cstdint>

#include "engine/game_state.h"

namespace gub::choice {

// True when a completed trick of this deal was led with `suit`. Our own
// reading of the trick history, so the players do not depend on the engine's
// trick code.
inline bool IsOpened(const GameState& game, int32_t suit) {
  int32_t count = game.trickNumber;
  if (count > 26) count = 26;
  for (int32_t t = 0; t < count; ++t) {
    int32_t first = game.trickHistory[t].cards[0];
    if (first >= 0 && first < 52 && game.cards[first].suit == suit) return true;
  }
  return false;
}

// A declared special card stays restricted until its suit has led a trick.
// `mult` is the card's multiplier (2 once declared).
inline bool IsReleased(const GameState& game, int32_t mult, int32_t suit) {
  return mult != 2 || IsOpened(game, suit);
}

// Suit and rank by card number, with suit -1 and rank 0 for an empty slot
// (-1 & 63 is 63), so the loops below can count over a hand without a branch
// on each card.
inline constexpr auto kSlotCard = [] {
  struct Table {
    int8_t suit[64];
    int8_t rank[64];
  } table{};
  for (int32_t n = 0; n < 64; ++n) {
    table.suit[n] = static_cast<int8_t>(n < 52 ? CardSuit(n) : -1);
    table.rank[n] = static_cast<int8_t>(n < 52 ? CardRank(n) : 0);
  }
  return table;
}();

inline int32_t SlotSuit(int32_t card) { return kSlotCard.suit[card & 63]; }
inline int32_t SlotRank(int32_t card) { return kSlotCard.rank[card & 63]; }

// How many slots of a hand to read. In one deck every seat holds
// 13 - trickNumber cards whenever it is asked (it has not yet played to the
// current trick, and neither has any hand when a trick is led), so reading
// stops there; a hand that holds more, as a hand-built state may, is read on
// to its end. Two-deck hands have no such count: their loops stop at the first
// empty slot instead (`StopAt`). The loops read empty slots harmlessly.
template <int32_t Size>
int32_t SlotsToRead(const GameState& game, const int32_t* hand) {
  if constexpr (Size != OneDeckHandSize) return Size;
  int32_t n = Size - game.trickNumber;
  n = n < 0 ? 0 : (n > Size ? Size : n);
  while (n < Size && hand[n] >= 0) ++n;
  return n;
}

template <int32_t Size>
bool StopAt(int32_t card) {
  return Size != OneDeckHandSize && card < 0;
}

// The costliest card to give away: lowest value, then higher rank, then first
// in hand order. `skipSlot` leaves one slot out (the first card of a pair
// answer). Returns -1 when no card qualifies.
template <int32_t Size>
int32_t LowestValueSlot(const GameState& game, const int32_t* hand, int32_t skipSlot) {
  // One key orders value (lower first) then rank (higher first); ties keep the
  // earlier slot. Values lie in -100..100, ranks below 16. The start key is
  // the value 300 with rank 0, below every card; empty slots rank lower still.
  int32_t best = -1;
  int32_t bestKey = (200 - 300) * 16;
  const int32_t slots = SlotsToRead<Size>(game, hand);
  for (int32_t i = 0; i < slots; ++i) {
    const int32_t c = hand[i];
    if (StopAt<Size>(c)) break;
    const Card& card = game.cards[c < 0 ? 0 : c];
    const int32_t key = c < 0 ? -100000 : (200 - card.value) * 16 + card.rank;
    const bool better = key > bestKey && i != skipSlot;
    best = better ? i : best;
    bestKey = better ? key : bestKey;
  }
  return best;
}

// The slots of one suit in a hand: hands are sorted by suit, so they are one
// run after the cards of the higher suits.
struct SuitRun {
  int32_t first;
  int32_t count;
};

template <int32_t Size>
SuitRun FindSuitRun(const GameState& game, const int32_t* hand, int32_t suit) {
  SuitRun run{0, 0};
  const int32_t slots = SlotsToRead<Size>(game, hand);
  for (int32_t i = 0; i < slots; ++i) {
    if (StopAt<Size>(hand[i])) break;
    const int32_t s = SlotSuit(hand[i]);
    run.first += s > suit;
    run.count += s == suit;
  }
  return run;
}

// First slot of the lowest pair within a run (the last pair in hand order;
// twins sit side by side), or -1.
inline int32_t LowestPairSlot(const int32_t* hand, SuitRun run) {
  for (int32_t i = run.first + run.count - 1; i > run.first; --i)
    if (hand[i] == hand[i - 1]) return i - 1;
  return -1;
}

// The slot of a non-leading seat's single card: discard when void, the only
// card of the led suit, or the rules of the led suit. `lowSpadesWithGub` is the
// two-deck difference: a gub holder that does not drop the gub card on a king
// or ace plays its lowest spades instead of its highest.
template <int32_t Size>
int32_t FollowSlot(const GameState& game, const int32_t* hand, bool lowSpadesWithGub) {
  const int32_t led = game.leadSuit;
  if (led < 0 || led > 3) return LowestValueSlot<Size>(game, hand, -1);
  const SuitRun run = FindSuitRun<Size>(game, hand, led);
  const int32_t f1 = run.first;
  const int32_t n = run.count;
  // F1 ... Fn are the slots f1 ... f1 + n - 1.
  if (n == 0) return LowestValueSlot<Size>(game, hand, -1);
  if (n == 1) return f1;

  const int32_t plays = game.trickCount;
  int32_t top = 0;  // H: 0 when no card of the led suit lies in the trick
  bool gubInTrick = false;
  bool sheepInTrick = false;
  for (int32_t k = 0; k < 3; ++k) {
    const int32_t c = k < plays ? game.currentTrick[k].card : -1;
    gubInTrick |= c == CardGub;
    sheepInTrick |= c == CardSheep;
    const int32_t rank = SlotSuit(c) == led ? SlotRank(c) : 0;
    top = rank > top ? rank : top;
  }
  const bool last = game.trickCount == 3;

  // k counts from 0: slot(0) is F1, slot(n - 1) is Fn.
  auto slot = [&](int32_t k) { return f1 + k; };
  auto card = [&](int32_t k) { return hand[f1 + k]; };
  auto rank = [&](int32_t k) { return game.cards[hand[f1 + k]].rank; };
  auto first = [&](int32_t special) {
    for (int32_t k = 0; k < n; ++k)
      if (card(k) == special) return k;
    return -1;
  };
  // Highest card strictly under the trick top; an equal rank cannot duck.
  auto duck = [&]() {
    int32_t k = 0;
    while (rank(k) >= top) ++k;
    return k;
  };
  auto neighbour = [&](int32_t k) { return k < n - 1 ? k + 1 : n - 2; };
  const bool lowestBelowTop = rank(n - 1) < top;
  auto standard = [&]() {
    if (!lowestBelowTop) return last ? slot(0) : slot(n - 1);
    return slot(duck());
  };

  switch (led) {
    case SuitSpades: {
      const bool released = IsReleased(game, game.gubMult, SuitSpades);
      int32_t gub = first(CardGub);
      if (gub >= 0) {
        if (top >= 13 && released) return slot(gub);
        if (lowSpadesWithGub) return card(n - 1) == CardGub ? slot(n - 2) : slot(n - 1);
        return card(0) == CardGub ? slot(1) : slot(0);
      }
      if (gubInTrick) return standard();
      if (!released) return slot(0);
      if (last && rank(0) >= 13) return slot(0);
      return standard();
    }
    case SuitHearts: {
      if (lowestBelowTop) return slot(duck());
      if (!last) return slot(n - 1);
      for (int32_t k = 0; k < n; ++k)
        if (rank(k) <= 10) return slot(k);
      return slot(n - 1);
    }
    case SuitClubs: {
      const bool released = IsReleased(game, game.doubleMult, SuitClubs);
      if (!released && card(0) != CardDouble) return slot(0);
      int32_t dbl = first(CardDouble);
      if (dbl < 0) return standard();
      if (top >= 11 && released) return slot(dbl);
      if (!lowestBelowTop) {
        if (last) return card(0) == CardDouble ? slot(1) : slot(0);
        return card(n - 1) == CardDouble && !released ? slot(n - 2) : slot(n - 1);
      }
      int32_t k = duck();
      if (card(k) == CardDouble && !released) k = neighbour(k);
      return slot(k);
    }
    default: {  // diamonds
      const bool released = IsReleased(game, game.sheepMult, SuitDiamonds);
      int32_t sheep = first(CardSheep);
      if (sheep >= 0) {
        if (last && top <= 10 && released) return slot(sheep);
        if (!lowestBelowTop) {
          if (last) return slot(0);
          return card(n - 1) == CardSheep && !released ? slot(n - 2) : slot(n - 1);
        }
        int32_t k = duck();
        if (card(k) == CardSheep) k = neighbour(k);  // keep the sheep, released or not
        return slot(k);
      }
      if (sheepInTrick) return slot(0);
      if (lowestBelowTop) return slot(duck());
      if (last) {
        for (int32_t k = 0; k < n; ++k)
          if (rank(k) <= 11) return slot(k);
        return slot(n - 1);
      }
      return slot(n - 2);
    }
  }
}

// --- Leading ---------------------------------------------------------------
// A lead looks at whole suits, so the hands are read once into sets of
// (suit, rank) bits, bit 16 * suit + rank. Descending bit order is hand order,
// so slots and counts come from bit arithmetic instead of further scans.

inline constexpr auto kOrderBit = [] {
  struct Table {
    uint8_t bit[64];  // card numbers 52..63 stand for an empty slot: bit 0
  } table{};
  for (int32_t n = 0; n < 52; ++n)
    table.bit[n] = static_cast<uint8_t>(16 * CardSuit(n) + CardRank(n));
  return table;
}();

struct LeadView {
  uint64_t own;          // ranks the seat holds
  uint64_t ownTwice;     // ranks it holds twice, its pairs (two decks)
  uint64_t others;       // ranks the other three seats hold at least once
  uint64_t othersTwice;  // ranks they hold twice (two decks)
  int32_t count[4];      // cards the seat holds in each suit, copies included
  int32_t start[4];      // slot of the seat's first (highest) card of each suit
};

// The number of set bits of each 16-bit field, in the low byte of the field.
inline uint64_t FieldCounts(uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ull);
  x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
  x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0full;
  return (x + (x >> 8)) & 0x00ff00ff00ff00ffull;
}

inline int32_t Field(uint64_t packed, int32_t suit) {
  return static_cast<int32_t>((packed >> (16 * suit)) & 0xffff);
}

template <int32_t Size>
LeadView ReadHands(const GameState& game, const int32_t (*hands)[Size], int32_t seat) {
  constexpr bool twoDecks = Size > OneDeckHandSize;
  uint64_t own = 0;
  uint64_t ownTwice = 0;
  uint64_t others = 0;
  uint64_t othersTwice = 0;
  for (int32_t h = 0; h < 4; ++h) {
    const int32_t* hand = hands[h];
    uint64_t once = 0;
    uint64_t twice = 0;
    if constexpr (twoDecks) {
      for (int32_t i = 0; i < Size && hand[i] >= 0; ++i) {
        const uint64_t bit = uint64_t{1} << kOrderBit.bit[hand[i]];
        twice |= once & bit;
        once |= bit;
      }
    } else {
      // Read by the trick count rather than up to the first empty slot; an
      // empty slot read on the way sets bit 0, which no card uses.
      const int32_t slots = SlotsToRead<Size>(game, hand);
      for (int32_t i = 0; i < slots; ++i) once |= uint64_t{1} << kOrderBit.bit[hand[i] & 63];
    }
    if (h == seat) {
      own = once;
      ownTwice = twice;
    } else {
      othersTwice |= twice | (others & once);
      others |= once;
    }
  }
  constexpr uint64_t cards = ~uint64_t{1};
  own &= cards;
  LeadView view{own, ownTwice & cards, others & cards, othersTwice & cards, {}, {}};
  const uint64_t counts = FieldCounts(own) + FieldCounts(ownTwice);
  int32_t start = 0;
  for (int32_t suit = SuitSpades; suit >= SuitDiamonds; --suit) {
    view.count[suit] = Field(counts, suit);
    view.start[suit] = start;
    start += view.count[suit];
  }
  return view;
}

// Scores of leading each suit, lower is better, and the slot of the card the
// seat would lead there (-1, score 0, when it holds none). `highSpadeScore`
// applies while the seat holds the queen, king or ace of spades;
// `noneAboveBase` + suit when no other hand holds a card above the led one.
struct SuitScores {
  int32_t score[4];
  int32_t slot[4];
};

inline void ScoreSuits(const GameState& game, const LeadView& view, int32_t highSpadeScore,
                       int32_t noneAboveBase, SuitScores& out) {
  // Per suit, the ranks strictly below and strictly above the seat's lowest
  // card; its own rank (the other copy in two decks) is in neither.
  uint64_t belowSets = 0;
  uint64_t aboveSets = 0;
  int32_t lowRank[4] = {0, 0, 0, 0};
  for (int32_t suit = 0; suit < 4; ++suit) {
    const uint32_t ranks = static_cast<uint32_t>(Field(view.own, suit));
    if (ranks == 0) continue;
    lowRank[suit] = std::countr_zero(ranks);
    belowSets |= static_cast<uint64_t>((1u << lowRank[suit]) - 1) << (16 * suit);
    aboveSets |= static_cast<uint64_t>(0xffffu & ~((2u << lowRank[suit]) - 1)) << (16 * suit);
  }
  const uint64_t below =
      FieldCounts(view.others & belowSets) + FieldCounts(view.othersTwice & belowSets);
  const uint64_t above =
      FieldCounts(view.others & aboveSets) + FieldCounts(view.othersTwice & aboveSets);

  for (int32_t suit = 0; suit < 4; ++suit) {
    if (view.count[suit] == 0) {
      out.score[suit] = 0;
      out.slot[suit] = -1;
      continue;
    }
    const int32_t highRank = std::bit_width(static_cast<uint32_t>(Field(view.own, suit))) - 1;
    int32_t score = Field(below, suit);
    if (suit == SuitSpades && highRank >= 12) score = highSpadeScore;
    if (Field(above, suit) == 0) score = noneAboveBase + suit;
    out.score[suit] = score;
    out.slot[suit] = view.start[suit] + view.count[suit] - 1;
    // A declared double that is still restricted should not be the card left
    // to lead clubs later: lead the highest club unless that is the double.
    if (suit == SuitClubs && highRank != 10 && !IsReleased(game, game.doubleMult, SuitClubs))
      out.slot[suit] = view.start[suit];
  }
}

// The suit to lead: the lowest score below `startScore`, spades, hearts,
// clubs, diamonds in that order, so ties go to the suit looked at first.
inline int32_t BestLeadSlot(const SuitScores& scores, int32_t startScore) {
  int32_t best = startScore;
  int32_t slot = -1;
  for (int32_t suit = SuitSpades; suit >= SuitDiamonds; --suit) {
    if (scores.slot[suit] >= 0 && scores.score[suit] < best) {
      best = scores.score[suit];
      slot = scores.slot[suit];
    }
  }
  return slot;
}

}  // namespace gub::choice
