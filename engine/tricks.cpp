// SPDX-License-Identifier: MIT
// The rules of one trick: opened suits, declared cards held back, the
// legality of the human's play, appending a play, and who wins the trick.
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

// Each card's suit, rank and value, by card number; entry 52 stands for "no
// card" (suit 4, which no lead has, rank 0, no value), so a trick is read
// without a test per play.
constexpr struct TrickFacts {
  int8_t suit[53];
  int8_t rank[53];
  int16_t value[53];
  constexpr TrickFacts() : suit{}, rank{}, value{} {
    for (int32_t n = 0; n < 52; ++n) {
      suit[n] = static_cast<int8_t>(CardSuit(n));
      rank[n] = static_cast<int8_t>(CardRank(n));
      value[n] = static_cast<int16_t>(CardValue(n));
    }
    suit[52] = 4;
  }
  static constexpr int32_t Entry(int32_t c) { return IsCard(c) ? c : 52; }
  constexpr int32_t Suit(int32_t c) const { return suit[Entry(c)]; }
  constexpr int32_t Rank(int32_t c) const { return rank[Entry(c)]; }
  constexpr int32_t Value(int32_t c) const { return value[Entry(c)]; }
} kFacts{};

// What each card of a suit is worth to its taker in this deal: doubled in
// the suits whose declared card doubles them (spades by the gub card, hearts
// by the heart ace, diamonds by the sheep; the double works on the taker's
// whole score instead).
struct SuitFactors {
  int32_t factor[5];
  explicit SuitFactors(const GameState& game)
      : factor{IsDeclared(game, CardSheep) ? 2 : 1, 1, IsDeclared(game, CardHeartAce) ? 2 : 1,
               IsDeclared(game, CardGub) ? 2 : 1, 0} {}
  int32_t Points(int32_t c) const { return kFacts.Value(c) * factor[kFacts.Suit(c)]; }
};

int32_t RankOf(const GameState& game, int32_t c) { return IsCard(c) ? game.cards[c].rank : 0; }

bool IsOfSuit(const GameState& game, int32_t c, int32_t suit) {
  return IsCard(c) && game.cards[c].suit == suit;
}

// Writes the trick into history, credits its points and readies the next
// trick, led by the winner.
template <bool withSeconds>
void CloseTrick(GameState& game, int32_t winner) {
  const SuitFactors factors(game);
  int64_t points = 0;
  for (const TrickPlay& play : game.currentTrick) {
    points += factors.Points(play.card);
    if constexpr (withSeconds) points += factors.Points(play.second);
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
    game.dealScore[winner] = SaturatingAdd(game.dealScore[winner], points);
  }
  game.turnSeat = winner;
  ++game.trickNumber;
  game.trickCount = 0;
  for (TrickPlay& play : game.currentTrick) {
    play.card = -1;
    if constexpr (withSeconds) play.second = -1;
  }
  game.leadSuit = -1;
}

// Single cards: the highest card of the led suit wins; of equal cards the one
// played first keeps the trick.
int32_t SingleWinner(const GameState& game) {
  int32_t winner = game.currentTrick[0].seat;
  int32_t best = kFacts.Rank(game.currentTrick[0].card);
  // Which card beats which is as good as random: masks rather than branches.
  for (int32_t k = 1; k < 4; ++k) {
    const TrickPlay& play = game.currentTrick[k];
    const int32_t ofLead = -static_cast<int32_t>(kFacts.Suit(play.card) == game.leadSuit);
    const int32_t rank = kFacts.Rank(play.card) & ofLead;
    const int32_t beats = -static_cast<int32_t>(rank > best);
    winner ^= (winner ^ play.seat) & beats;
    best ^= (best ^ rank) & beats;
  }
  return winner;
}

// A pair led: pairs beat lower pairs; the first answer of two different
// cards of the led suit takes the trick at once and from then on only such
// answers compete, card by card. Against diamonds only a higher pair wins.
int32_t PairWinner(const GameState& game) {
  const TrickPlay* plays = game.currentTrick;
  const int32_t lead = game.leadSuit;
  const bool diamonds = lead == SuitDiamonds;
  int32_t winner = plays[0].seat;
  int32_t best = RankOf(game, plays[0].card);
  bool pairsCompete = true;
  for (int32_t k = 1; k < 4; ++k) {
    const int32_t c1 = plays[k].card;
    const int32_t c2 = plays[k].second;
    if (!IsOfSuit(game, c1, lead) || !IsOfSuit(game, c2, lead)) continue;
    const int32_t r1 = game.cards[c1].rank;
    const int32_t r2 = game.cards[c2].rank;
    const int32_t high = r1 > r2 ? r1 : r2;
    if (pairsCompete && r1 == r2) {
      if (r1 > best) {
        winner = plays[k].seat;
        best = r1;
      }
    } else if (pairsCompete && !diamonds) {
      winner = plays[k].seat;
      best = high;
      pairsCompete = false;
    } else if (!pairsCompete && r1 != r2 && high > best) {
      winner = plays[k].seat;
      best = high;
    }
  }
  return winner;
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

namespace {

// Appends the seat's card in `slot` (and the one in `secondSlot`, -1 for
// none, both slots as they were before either left) to the trick and takes
// them out of the seat's hand of Size slots.
template <int32_t Size>
void AddPlayFrom(GameState& game, int32_t (&hands)[4][Size], int32_t seat, int32_t slot,
                 int32_t secondSlot) {
  if (!IsSeat(seat) || slot < 0 || slot >= Size) return;
  if (game.trickCount < 0 || game.trickCount >= 4) return;
  int32_t* hand = hands[seat];
  const int32_t card = hand[slot];
  if (!IsCard(card)) return;
  int32_t second = -1;
  if (secondSlot != -1) {
    if (secondSlot < 0 || secondSlot >= Size || secondSlot == slot) return;
    second = hand[secondSlot];
    if (!IsCard(second)) return;
  }
  game.currentTrick[game.trickCount] = TrickPlay{seat, card, second};
  RemoveFromHand(hand, Size, slot);
  if (second != -1) RemoveFromHand(hand, Size, secondSlot > slot ? secondSlot - 1 : secondSlot);
  if (game.leadSuit == -1) game.leadSuit = game.cards[card].suit;
}

}  // namespace

void AddPlay(GameState& game, int32_t seat, int32_t slot) {
  AddPlayFrom(game, game.oneDeckHands, seat, slot, -1);
}

void AddPlayTwoDecks(GameState& game, int32_t seat, int32_t slot, int32_t secondSlot) {
  AddPlayFrom(game, game.twoDeckHands, seat, slot, secondSlot);
}

void ResolveTrick(GameState& game) { CloseTrick<false>(game, SingleWinner(game)); }

void ResolveTrickTwoDecks(GameState& game) {
  const bool pairLed = game.currentTrick[0].second != -1;
  CloseTrick<true>(game, pairLed ? PairWinner(game) : SingleWinner(game));
}

}  // namespace gub
