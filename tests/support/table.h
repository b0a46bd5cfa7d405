// SPDX-License-Identifier: MIT
// The one fixture of the rules tests: game states built from card names
// ("QS", "10H", "JD") in the style Table().DeclareGub().Hand(1, "QS AH KH 2D"),
// card numbers by rank and suit, a scripted random source, a window that
// records what the click drivers ask of it, and small helpers to set hands
// and history records directly.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/rules.h"
#include "engine/table_view.h"
#include "engine/view_state.h"
#include "play/turn_driver.h"

namespace gub::testing {

// "QS" -> 47. Ranks 2..10, J, Q, K, A; suits S, H, C, D.
inline int32_t C(const std::string& name) {
  const std::string rankText = name.substr(0, name.size() - 1);
  const char suitChar = name.back();
  int32_t rank = 0;
  if (rankText == "A")
    rank = 14;
  else if (rankText == "K")
    rank = 13;
  else if (rankText == "Q")
    rank = 12;
  else if (rankText == "J")
    rank = 11;
  else
    rank = std::stoi(rankText);
  int32_t layout = suitChar == 'C' ? 0 : suitChar == 'D' ? 1 : suitChar == 'H' ? 2 : 3;
  int32_t n = (rank == 14 ? 0 : rank - 1) * 4 + layout;
  EXPECT_EQ(CardRank(n), rank) << name;
  return n;
}

struct Table {
  GameState game;

  // A deal in play with nothing declared, nothing opened and an empty trick.
  Table() {
    for (auto& hand : game.oneDeckHands)
      for (auto& slot : hand) slot = -1;
    for (auto& hand : game.twoDeckHands)
      for (auto& slot : hand) slot = -1;
    for (int32_t k = 0; k < 4; ++k) game.currentTrick[k] = TrickPlay{k, -1, -1};
    game.trickCount = 0;
    game.trickNumber = 0;
    game.leadSuit = -1;
    game.heartsMult = game.gubMult = game.sheepMult = game.doubleMult = 1;
    game.phase = PhasePlaying;
  }

  static void Place(int32_t* hand, int32_t size, const std::string& cards) {
    std::istringstream in(cards);
    std::string name;
    int32_t count = 0;
    while (in >> name) {
      ASSERT_LT(count, size);
      InsertSorted(hand, count++, C(name));
    }
  }

  // One-deck hand of a seat, e.g. Hand(1, "QS 5S KD").
  Table& Hand(int32_t seat, const std::string& cards) {
    Place(game.oneDeckHands[seat], OneDeckHandSize, cards);
    return *this;
  }
  Table& Hand2(int32_t seat, const std::string& cards) {
    Place(game.twoDeckHands[seat], TwoDeckHandSize, cards);
    return *this;
  }

  // The cards already in the current trick, in play order (single plays); the
  // first one sets the led suit.
  Table& Trick(const std::string& cards) {
    std::istringstream in(cards);
    std::string name;
    while (in >> name) {
      int32_t c = C(name);
      if (game.trickCount == 0) game.leadSuit = CardSuit(c);
      game.currentTrick[game.trickCount].card = c;
      game.currentTrick[game.trickCount].second = -1;
      ++game.trickCount;
    }
    return *this;
  }

  // A pair led into the current trick (two decks).
  Table& PairLed(const std::string& card) {
    int32_t c = C(card);
    game.leadSuit = CardSuit(c);
    game.currentTrick[0].card = c;
    game.currentTrick[0].second = c;
    game.trickCount = 1;
    return *this;
  }

  // A completed trick led with `card`, so its suit counts as opened.
  Table& Led(const std::string& card) {
    game.trickHistory[game.trickNumber].cards[0] = C(card);
    game.trickHistory[game.trickNumber].winner = 0;
    ++game.trickNumber;
    return *this;
  }

  Table& DeclareGub() {
    game.gubMult = 2;
    return *this;
  }
  Table& DeclareSheep() {
    game.sheepMult = 2;
    return *this;
  }
  Table& DeclareDouble() {
    game.doubleMult = 2;
    return *this;
  }

  int32_t OneDeckCard(int32_t seat, int32_t slot) const {
    return slot < 0 || slot >= OneDeckHandSize ? -1 : game.oneDeckHands[seat][slot];
  }
};

// Card number from rank (2..14) and suit value (0 diamonds, 1 clubs, 2 hearts,
// 3 spades).
constexpr int32_t CardOf(int32_t rank, int32_t suit) {
  constexpr int32_t slotOfSuit[4] = {1, 0, 2, 3};
  return (rank == 14 ? 0 : rank - 1) * 4 + slotOfSuit[suit];
}
constexpr int32_t Spade(int32_t rank) { return CardOf(rank, SuitSpades); }
constexpr int32_t Heart(int32_t rank) { return CardOf(rank, SuitHearts); }
constexpr int32_t Club(int32_t rank) { return CardOf(rank, SuitClubs); }
constexpr int32_t Diamond(int32_t rank) { return CardOf(rank, SuitDiamonds); }

static_assert(Spade(12) == CardGub && Heart(14) == CardHeartAce && Club(10) == CardDouble &&
              Diamond(11) == CardSheep && Spade(2) == CardSpadeTwo && Heart(2) == CardHeartTwo);

// Returns the given values in turn (the last one repeats) and counts calls.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<uint32_t> values) : values_(std::move(values)) {}
  void BeginDeal() override {
    ++beginDeals;
    next_ = 0;
  }
  uint32_t Next() override {
    ++nextCalls;
    uint32_t v = values_[next_ < values_.size() ? next_ : values_.size() - 1];
    ++next_;
    return v;
  }
  int32_t beginDeals = 0;
  int32_t nextCalls = 0;

 private:
  std::vector<uint32_t> values_;
  size_t next_ = 0;
};

// A script that deals exactly `hands`: hands[s][k] lands on position s + 4k.
// Every card number 0..count-1 must appear once (two decks: numbers 0..103).
inline std::vector<uint32_t> ScriptForPositions(const std::vector<std::vector<int32_t>>& hands,
                                                int32_t count) {
  std::vector<uint32_t> positionOf(count, 0);
  for (int32_t s = 0; s < 4; ++s) {
    for (size_t k = 0; k < hands[s].size(); ++k) positionOf[hands[s][k]] = s + 4 * k;
  }
  return positionOf;
}

// Puts the cards into the seat's hand in hand order, the rest of the slots -1.
inline void SetOneDeckHand(GameState& game, int32_t seat, std::initializer_list<int32_t> cards) {
  int32_t* hand = game.oneDeckHands[seat];
  for (int32_t i = 0; i < OneDeckHandSize; ++i) hand[i] = -1;
  int32_t n = 0;
  for (int32_t c : cards) InsertSorted(hand, n++, c);
}

inline void SetTwoDeckHand(GameState& game, int32_t seat, std::initializer_list<int32_t> cards) {
  int32_t* hand = game.twoDeckHands[seat];
  for (int32_t i = 0; i < TwoDeckHandSize; ++i) hand[i] = -1;
  int32_t n = 0;
  for (int32_t c : cards) InsertSorted(hand, n++, c);
}

inline int32_t SlotOf(const int32_t* hand, int32_t size, int32_t card) {
  for (int32_t i = 0; i < size; ++i) {
    if (hand[i] == card) return i;
  }
  return -1;
}

// A state as a deal leaves it: nothing declared, nothing played.
inline void ResetForPlay(GameState& game) {
  game.heartsMult = game.gubMult = game.sheepMult = game.doubleMult = 1;
  game.trickCount = 0;
  game.trickNumber = 0;
  game.leadSuit = -1;
  game.phase = PhasePlaying;
  for (auto& record : game.trickHistory) {
    record.winner = -1;
    for (int32_t k = 0; k < 4; ++k) record.cards[k] = record.seconds[k] = -1;
  }
  for (int32_t s = 0; s < 4; ++s) {
    game.currentTrick[s] = TrickPlay{s, -1, -1};
    game.dealScore[s] = 0;
    game.declarations[s].card = -1;
    game.secondDeclarations[s].card = -1;
  }
}

// Plays one complete one-deck trick: seat `leader` plays cards[0], the next
// seats the others, then the trick is resolved by the rules.
inline void PlayTrick(GameState& game, int32_t leader, const int32_t (&cards)[4]) {
  for (int32_t k = 0; k < 4; ++k) game.currentTrick[k] = TrickPlay{(leader + k) % 4, cards[k], -1};
  game.leadSuit = game.cards[cards[0]].suit;
  game.trickCount = 4;
  ResolveTrick(game);
}

// Writes a completed history record without playing it.
inline void SetRecord(GameState& game, int32_t t, int32_t winner, const int32_t (&cards)[4],
                      const int32_t (&seconds)[4] = {-1, -1, -1, -1}) {
  TrickRecord& record = game.trickHistory[t];
  record.winner = winner;
  for (int32_t k = 0; k < 4; ++k) {
    record.cards[k] = cards[k];
    record.seconds[k] = seconds[k];
  }
}

class RecordingTable : public TableView {
 public:
  void redrawNow() override { calls.push_back("redraw"); }
  void showTrickAndPause(int32_t delayMs) override {
    calls.push_back("pause " + std::to_string(delayMs));
  }
  void playEffect(const char* fileName) override {
    calls.push_back(std::string("effect ") + fileName);
  }
  void leaveForTitle() override { calls.push_back("title"); }

  std::vector<std::string> calls;
};

// A pixel inside the drawn card of `slot` (0..slots-1) of seat 0's row, found
// by asking the hit test itself along a line through the middle of the row.
inline bool FindClickPoint(const ViewState& view, int32_t slots, int32_t slot, int32_t& x,
                           int32_t& y) {
  int32_t full[26];
  for (int32_t i = 0; i < 26; ++i) full[i] = i;  // any cards: only occupancy matters
  int32_t top = -1;
  int32_t bottom = -1;
  const int32_t probeX = view.clientWidth / 2;
  for (int32_t py = 0; py < view.clientHeight; ++py) {
    if (HandHitTest(view, full, slots, probeX, py) != -1) {
      if (top == -1) top = py;
      bottom = py;
    }
  }
  if (top == -1) return false;
  y = (top + bottom) / 2;
  int32_t first = -1;
  int32_t last = -1;
  for (int32_t px = 0; px < view.clientWidth; ++px) {
    if (HandHitTest(view, full, slots, px, y) == slot) {
      if (first == -1) first = px;
      last = px;
    }
  }
  if (first == -1) return false;
  x = (first + last) / 2;
  return true;
}

}  // namespace gub::testing
