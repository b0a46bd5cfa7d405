// Shared helpers of the rules tests: a scripted random source, a recording
// table view, hand set-up and card names that read like the table.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/rules.h"
#include "engine/table_view.h"
#include "tests/support/test_table.h"

namespace gub::testing {

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

using RecordingView = RecordingTable;

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

}  // namespace gub::testing
