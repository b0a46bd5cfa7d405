// Hand-built game states for the card-choice tests: cards by name ("QS",
// "10H", "JD"), hands placed in hand order, a trick in progress and the suits
// opened by earlier tricks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "engine/game_state.h"

namespace gub::test {

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

}  // namespace gub::test
