// SPDX-License-Identifier: MIT
// The rules of one trick: opened suits, declared cards held back, the
// legality of the human's play, appending a play, and who wins the trick.
#include <algorithm>

#include "engine/per_processor.h"
#include "engine/play_append.h"
#include "engine/rules.h"
#include "engine/rules_util.h"

namespace gub {

namespace {

bool HoldsSuit(const GameState& game, const int32_t* hand, int32_t size, int32_t suit) {
  for (int32_t i = 0; i < size; ++i) {
    if (IsCard(hand[i]) && game.cards[hand[i]].suit == suit) return true;
  }
  return false;
}

// 0 when the card in `slot` may be played now, else which declared card holds
// it back: 1 gub card, 2 heart ace, 3 double, 4 sheep. A declared card whose
// suit has not been led yet may not lead, nor follow its own suit while the
// hand still has another card of that suit.
int32_t Restriction(const GameState& game, const int32_t* hand, int32_t size, int32_t slot) {
  if (slot < 0 || slot >= size) return 0;
  const int32_t card = hand[slot];
  if (!IsDeclared(game, card)) return 0;
  const int32_t reason = DeclarationOf(card) + 1;
  const int32_t suit = game.cards[card].suit;
  if (IsSuitOpened(game, suit)) return 0;
  if (game.leadSuit == -1) return reason;
  if (game.leadSuit != suit) return 0;
  int32_t held = 0;
  for (int32_t i = 0; i < size; ++i) held += IsCard(hand[i]) && game.cards[hand[i]].suit == suit;
  return held >= 2 ? reason : 0;
}

bool IsOfSuit(const GameState& game, int32_t c, int32_t suit) {
  return IsCard(c) && game.cards[c].suit == suit;
}

// Resolving a trick reads every card through small constant tables by card
// number. A trick holds card numbers and -1 for "none": read as (number &
// 63), "none" lands on an entry past the 52 cards, which holds nothing, so a
// trick is read without a test per play.
constexpr int32_t TrickEntry(int32_t c) { return c & 63; }

// Which declarations that double a suit's points are in force, as the row of
// the points table: the sheep doubles diamonds, the heart ace hearts, the gub
// card spades (the double works on the taker's whole score instead).
constexpr int32_t DoubledSuits(const GameState& game) {
  return static_cast<int32_t>(IsDeclared(game, CardSheep)) |
         static_cast<int32_t>(IsDeclared(game, CardHeartAce)) << 1 |
         static_cast<int32_t>(IsDeclared(game, CardGub)) << 2;
}

constexpr struct TrickTables {
  int8_t rank[64];
  // The rank of a card when it is of the suit of the row, else 0; row 4
  // stands for no led suit and holds nothing.
  int8_t rankInSuit[5][64];
  // What a card is worth to its taker, by the row of DoubledSuits.
  int16_t points[8][64];
  // The rank a two-deck play claims with, by the ranks of its two cards in
  // the led suit (0 for a card of another suit): a pair its rank; two
  // different cards of the led suit, where such answers count (row 1), 16
  // above the higher one, which beats every pair; anything else nothing.
  int8_t claimRank[2][15][15];
  constexpr TrickTables() : rank{}, rankInSuit{}, points{}, claimRank{} {
    for (int32_t n = 0; n < 52; ++n) {
      const int32_t suit = CardSuit(n);
      rank[n] = static_cast<int8_t>(CardRank(n));
      rankInSuit[suit][n] = rank[n];
      for (int32_t doubled = 0; doubled < 8; ++doubled) {
        const bool twice = (suit == SuitDiamonds && (doubled & 1)) ||
                           (suit == SuitHearts && (doubled & 2)) ||
                           (suit == SuitSpades && (doubled & 4));
        points[doubled][n] = static_cast<int16_t>(CardValue(n) * (twice ? 2 : 1));
      }
    }
    for (int32_t unpairedCount = 0; unpairedCount < 2; ++unpairedCount) {
      for (int32_t r1 = 0; r1 < 15; ++r1) {
        for (int32_t r2 = 0; r2 < 15; ++r2) {
          int32_t claimed = 0;
          if (r1 == r2) {
            claimed = r1;
          } else if (unpairedCount && r1 != 0 && r2 != 0) {
            claimed = 16 + std::max(r1, r2);
          }
          claimRank[unpairedCount][r1][r2] = static_cast<int8_t>(claimed);
        }
      }
    }
  }
  constexpr const int8_t* OfLead(int32_t leadSuit) const {
    return rankInSuit[std::min(static_cast<uint32_t>(leadSuit), uint32_t{4})];
  }
} kTrick{};

// Writes the trick into history, credits its points and readies the next
// trick, led by the winner.
template <bool withSeconds>
void CloseTrick(GameState& game, int32_t winner) {
  const int16_t* points = kTrick.points[DoubledSuits(game)];
  int32_t total = 0;  // eight cards of at most 200 points each
  for (int32_t k = 0; k < 4; ++k) {
    total += points[TrickEntry(game.currentTrick[k].card)];
    if constexpr (withSeconds) total += points[TrickEntry(game.currentTrick[k].second)];
  }
  if (game.trickNumber >= 0 && game.trickNumber < 26) {
    TrickRecord& record = game.trickHistory[game.trickNumber];
    for (int32_t k = 0; k < 4; ++k) {
      record.cards[k] = game.currentTrick[k].card;
      if constexpr (withSeconds) record.seconds[k] = game.currentTrick[k].second;
    }
    record.winner = winner;
  }
  if (IsSeat(winner)) {
    game.dealScore[winner] = SaturatingAdd(game.dealScore[winner], total);
  }
  game.turnSeat = winner;
  ++game.trickNumber;
  game.trickCount = 0;
  for (int32_t k = 0; k < 4; ++k) {
    game.currentTrick[k].card = -1;
    if constexpr (withSeconds) game.currentTrick[k].second = -1;
  }
  game.leadSuit = -1;
}

// Each play's claim on the trick, as one number: a higher rank claims more
// and, of equal ranks, the earlier play (k is its place in the trick). The
// highest claim takes the trick. Which card beats which is as good as random,
// so the winner is the largest of four numbers rather than the outcome of
// branches the processor would mispredict.
constexpr int32_t Claim(int32_t rank, int32_t k) { return rank * 4 + 3 - k; }
constexpr int32_t PlaceOfClaim(int32_t claim) { return 3 - (claim & 3); }

// Single cards: the highest card of the led suit wins; of equal cards the one
// played first keeps the trick.
int32_t SingleWinner(const GameState& game) {
  const TrickPlay* plays = game.currentTrick;
  const int8_t* ofLead = kTrick.OfLead(game.leadSuit);
  int32_t best = Claim(kTrick.rank[TrickEntry(plays[0].card)], 0);
  for (int32_t k = 1; k < 4; ++k)
    best = std::max(best, Claim(ofLead[TrickEntry(plays[k].card)], k));
  return plays[PlaceOfClaim(best)].seat;
}

// Two decks. A single card led: as with one deck, whatever else comes with a
// play. A pair led: pairs beat lower pairs; the first answer of two
// different cards of the led suit takes the trick at once and from then on
// only such answers compete, the higher card of each counting. Against
// diamonds only a higher pair wins.
int32_t TwoDeckWinner(const GameState& game) {
  const TrickPlay* plays = game.currentTrick;
  const int8_t* ofLead = kTrick.OfLead(game.leadSuit);
  const bool pairLed = plays[0].second != -1;
  const bool unpairedCount = pairLed && game.leadSuit != SuitDiamonds;
  const auto& claimRank = kTrick.claimRank[unpairedCount];
  int32_t best = Claim(kTrick.rank[TrickEntry(plays[0].card)], 0);
  for (int32_t k = 1; k < 4; ++k) {
    // After a single card, each play is read as its first card twice.
    const int32_t second = pairLed ? plays[k].second : plays[k].card;
    // A claim of rank 0 (two cards off the led suit, or two different
    // cards where they do not count) is below the lead's.
    const int32_t claimed =
        claimRank[ofLead[TrickEntry(plays[k].card)]][ofLead[TrickEntry(second)]];
    best = std::max(best, Claim(claimed, k));
  }
  return plays[PlaceOfClaim(best)].seat;
}

}  // namespace

bool IsSuitOpened(const GameState& game, int32_t suit) {
  const int32_t played = PlayedTricks(game);
  for (int32_t t = 0; t < played; ++t) {
    if (IsOfSuit(game, game.trickHistory[t].cards[0], suit)) return true;
  }
  return false;
}

bool IsRestrictedPlay(const GameState& game, const int32_t* hand, int32_t handSize, int32_t slot) {
  return Restriction(game, hand, handSize, slot) != 0;
}

int32_t IsRestrictedPlayTwoDecks(const GameState& game, const int32_t* hand, int32_t slot) {
  return Restriction(game, hand, TwoDeckHandSize, slot);
}

namespace {

// One deck: the card in `slot` follows suit and, when `restricted`, is not
// held back by a declaration.
bool IsLegalSingle(const GameState& game, const int32_t* hand, int32_t slot, bool restricted) {
  constexpr int32_t size = OneDeckHandSize;
  if (slot < 0 || slot >= size) return false;
  const int32_t card = hand[slot];
  if (!IsCard(card)) return false;
  if (restricted && Restriction(game, hand, size, slot) != 0) return false;
  return game.leadSuit == -1 || game.cards[card].suit == game.leadSuit ||
         !HoldsSuit(game, hand, size, game.leadSuit);
}

// Two decks: the selection of `first` and `second` (-1 for a single card)
// answers the trick as it stands; `restricted` as above.
bool IsLegalSelection(const GameState& game, const int32_t* hand, int32_t first, int32_t second,
                      bool restricted) {
  constexpr int32_t size = TwoDeckHandSize;
  if (first < 0 || first >= size || !IsCard(hand[first])) return false;
  if (second != -1 && (second < 0 || second >= size || second == first || !IsCard(hand[second]))) {
    return false;
  }
  const int32_t a = hand[first];
  const int32_t b = second == -1 ? -1 : hand[second];
  const int32_t lead = game.leadSuit;
  auto free = [&](int32_t slot) { return !restricted || Restriction(game, hand, size, slot) == 0; };

  if (lead == -1) {
    if (b != -1 && a != b) return false;  // two cards may lead only as a pair
    return free(first);
  }

  if (game.currentTrick[0].second == -1) {  // a single card was led
    if (b != -1) return false;
    if (!free(first)) return false;
    return game.cards[a].suit == lead || !HoldsSuit(game, hand, size, lead);
  }

  // A pair was led: two cards must answer it.
  if (b == -1) return false;
  int32_t pairs = 0;
  int32_t held = 0;
  for (int32_t i = 0; i < size; ++i) {
    if (!IsOfSuit(game, hand[i], lead)) continue;
    ++held;
    if (i + 1 < size && hand[i + 1] == hand[i]) ++pairs;
  }
  const bool aLead = game.cards[a].suit == lead;
  const bool bLead = game.cards[b].suit == lead;
  if (pairs > 0) return a == b && aLead;
  if (held >= 3) return aLead && bLead && free(first) && free(second);
  if (held == 2) return aLead && bLead;
  if (held == 1) return aLead || bLead;
  return true;
}

bool AnyLegalSingle(const GameState& game, const int32_t* hand, bool restricted) {
  for (int32_t slot = 0; slot < OneDeckHandSize; ++slot)
    if (IsLegalSingle(game, hand, slot, restricted)) return true;
  return false;
}

bool AnyLegalSelection(const GameState& game, const int32_t* hand, bool restricted) {
  for (int32_t first = 0; first < TwoDeckHandSize && IsCard(hand[first]); ++first) {
    if (IsLegalSelection(game, hand, first, -1, restricted)) return true;
    for (int32_t second = first + 1; second < TwoDeckHandSize && IsCard(hand[second]); ++second)
      if (IsLegalSelection(game, hand, first, second, restricted)) return true;
  }
  return false;
}

// A hand the declared-card rule would leave without any legal play plays as
// if nothing were declared, for this play only; otherwise the deal could not
// go on.
bool CanPlaySingle(const GameState& game, const int32_t* hand, int32_t slot) {
  if (IsLegalSingle(game, hand, slot, true)) return true;
  return IsLegalSingle(game, hand, slot, false) && !AnyLegalSingle(game, hand, true);
}

bool CanPlaySelection(const GameState& game, const int32_t* hand, int32_t first, int32_t second) {
  if (IsLegalSelection(game, hand, first, second, true)) return true;
  return IsLegalSelection(game, hand, first, second, false) && !AnyLegalSelection(game, hand, true);
}

}  // namespace

bool CanPlayOneDeck(const GameState& game, int32_t slot) {
  return CanPlaySingle(game, game.oneDeckHands[0], slot);
}

bool CanPlayTwoDecks(const GameState& game, int32_t first, int32_t second) {
  return CanPlaySelection(game, game.twoDeckHands[0], first, second);
}

bool HasLegalPlay(const GameState& game, int32_t seat) {
  if (!IsSeat(seat)) return false;
  return AnyLegalSingle(game, game.oneDeckHands[seat], false);
}

bool HasLegalPlayTwoDecks(const GameState& game, int32_t seat) {
  if (!IsSeat(seat)) return false;
  return AnyLegalSelection(game, game.twoDeckHands[seat], false);
}

// A play closes up its hand (13 or 26 slots) with vector moves. Built twice,
// with and without the x86-64 AVX2 instructions, it moves eight slots a step
// rather than four where the processor has them, and the program still runs
// on any x86-64: the copy is picked when the program starts.
#define GUB_WIDE_MOVES_ENTRY GUB_PER_PROCESSOR("avx2")

GUB_WIDE_MOVES_ENTRY void AddPlay(GameState& game, int32_t seat, int32_t slot) {
  play_append::AddPlayOneDeck(game, seat, slot);
}

GUB_WIDE_MOVES_ENTRY void AddPlayTwoDecks(GameState& game, int32_t seat, int32_t slot,
                                          int32_t secondSlot) {
  play_append::AddPlayOfTwoDecks(game, seat, slot, secondSlot);
}

void ResolveTrick(GameState& game) { CloseTrick<false>(game, SingleWinner(game)); }

void ResolveTrickTwoDecks(GameState& game) { CloseTrick<true>(game, TwoDeckWinner(game)); }

}  // namespace gub
