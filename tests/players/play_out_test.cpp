// SPDX-License-Identifier: MIT
// Whole deals played by the computer rules alone from seeded shuffles: every
// choice must be a card of the seat's hand, follow suit when it can, and leave
// the hand sorted and closed up.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "players/players.h"
#include "tests/support/table.h"

namespace gub {
namespace {

using testing::Table;

void Deal(Table& t, std::mt19937& random, bool twoDecks) {
  int32_t deck[104];
  const int32_t total = twoDecks ? 104 : 52;
  for (int32_t i = 0; i < total; ++i) deck[i] = i % 52;
  std::shuffle(deck, deck + total, random);
  const int32_t perSeat = total / 4;
  for (int32_t seat = 0; seat < 4; ++seat) {
    int32_t* hand = twoDecks ? t.game.twoDeckHands[seat] : t.game.oneDeckHands[seat];
    for (int32_t k = 0; k < perSeat; ++k) InsertSorted(hand, k, deck[seat * perSeat + k]);
  }
  // Declarations at random, so restricted cards turn up in every rule.
  t.game.gubMult = 1 + static_cast<int32_t>(random() % 2);
  t.game.sheepMult = 1 + static_cast<int32_t>(random() % 2);
  t.game.doubleMult = 1 + static_cast<int32_t>(random() % 2);
}

bool HoldsSuit(const GameState& game, const int32_t* hand, int32_t size, int32_t suit) {
  for (int32_t i = 0; i < size && hand[i] >= 0; ++i)
    if (game.cards[hand[i]].suit == suit) return true;
  return false;
}

// `after` must be `before` with the played cards taken out, in hand order.
void ExpectRemoved(const int32_t* before, const int32_t* after, int32_t size, int32_t card,
                   int32_t second) {
  int32_t expected[TwoDeckHandSize];
  std::copy(before, before + size, expected);
  for (int32_t played : {card, second}) {
    if (played < 0) continue;
    int32_t* at = std::find(expected, expected + size, played);
    ASSERT_NE(at, expected + size) << "card " << played << " was not in the hand";
    RemoveFromHand(expected, size, static_cast<int32_t>(at - expected));
  }
  for (int32_t i = 0; i < size; ++i) ASSERT_EQ(after[i], expected[i]) << "slot " << i;
}

// Closes the trick: the highest card of the led suit wins (the earlier of two
// equal ones), and the leading card goes into the history.
void CloseTrick(GameState& game) {
  int32_t winner = 0;
  for (int32_t k = 1; k < 4; ++k) {
    const Card& c = game.cards[game.currentTrick[k].card];
    if (c.suit == game.leadSuit && c.rank > game.cards[game.currentTrick[winner].card].rank)
      winner = k;
  }
  TrickRecord& record = game.trickHistory[game.trickNumber];
  for (int32_t k = 0; k < 4; ++k) {
    record.cards[k] = game.currentTrick[k].card;
    record.seconds[k] = game.currentTrick[k].second;
    game.currentTrick[k].card = game.currentTrick[k].second = -1;
  }
  record.winner = game.currentTrick[winner].seat;
  game.turnSeat = record.winner;
  ++game.trickNumber;
  game.trickCount = 0;
  game.leadSuit = -1;
}

TEST(PlayOut, OneDeckDealsFollowSuitAndEmptyTheHands) {
  std::mt19937 random(20240611);
  for (int32_t deal = 0; deal < 300; ++deal) {
    Table t;
    Deal(t, random, false);
    GameState& game = t.game;
    game.turnSeat = static_cast<int32_t>(random() % 4);
    for (int32_t trick = 0; trick < 13; ++trick) {
      for (int32_t k = 0; k < 4; ++k) {
        const int32_t seat = game.turnSeat % 4;
        int32_t before[OneDeckHandSize];
        std::copy(game.oneDeckHands[seat], game.oneDeckHands[seat] + OneDeckHandSize, before);
        const int32_t ledBefore = game.leadSuit;
        const int32_t slot = ChooseCard(game, seat);
        ASSERT_GE(slot, 0);
        ASSERT_LT(slot, 13 - trick);
        const int32_t card = before[slot];
        if (ledBefore == -1) {
          EXPECT_EQ(game.leadSuit, game.cards[card].suit);
        } else {
          EXPECT_EQ(game.leadSuit, ledBefore);
          if (HoldsSuit(game, before, OneDeckHandSize, ledBefore)) {
            ASSERT_EQ(game.cards[card].suit, ledBefore) << "deal " << deal << " seat " << seat;
          }
        }
        // What the one-deck driver does with the slot.
        game.currentTrick[game.trickCount] = TrickPlay{seat, card, -1};
        RemoveFromHand(game.oneDeckHands[seat], OneDeckHandSize, slot);
        ++game.trickCount;
        ++game.turnSeat;
      }
      CloseTrick(game);
    }
    for (int32_t seat = 0; seat < 4; ++seat) EXPECT_EQ(game.oneDeckHands[seat][0], -1);
  }
}

TEST(PlayOut, TwoDeckDealsWritePlaysFromTheHand) {
  std::mt19937 random(777);
  int32_t pairLeads = 0;
  for (int32_t deal = 0; deal < 200; ++deal) {
    Table t;
    Deal(t, random, true);
    GameState& game = t.game;
    game.turnSeat = static_cast<int32_t>(random() % 4);
    while (game.twoDeckHands[0][0] >= 0) {
      ASSERT_LT(game.trickNumber, 26);
      for (int32_t k = 0; k < 4; ++k) {
        const int32_t seat = game.turnSeat % 4;
        int32_t before[TwoDeckHandSize];
        std::copy(game.twoDeckHands[seat], game.twoDeckHands[seat] + TwoDeckHandSize, before);
        const int32_t ledBefore = game.leadSuit;
        const int32_t result = PlayCardTwoDecks(game, seat);
        const TrickPlay& play = game.currentTrick[game.trickCount];
        ASSERT_EQ(play.seat, seat);
        ASSERT_GE(play.card, 0);
        ExpectRemoved(before, game.twoDeckHands[seat], TwoDeckHandSize, play.card, play.second);
        if (ledBefore == -1) {
          EXPECT_EQ(result, -2);
          EXPECT_EQ(game.leadSuit, game.cards[play.card].suit);
          if (play.second >= 0) {
            ++pairLeads;
            EXPECT_EQ(play.second, play.card);
            EXPECT_NE(game.leadSuit, SuitDiamonds);
          }
        } else if (game.currentTrick[0].second >= 0) {
          EXPECT_EQ(result, -2);
          ASSERT_GE(play.second, 0);
        } else {
          ASSERT_GE(result, 0);
          EXPECT_EQ(before[result], play.card);
          EXPECT_EQ(play.second, -1);
          if (HoldsSuit(game, before, TwoDeckHandSize, ledBefore)) {
            ASSERT_EQ(game.cards[play.card].suit, ledBefore) << "deal " << deal;
          }
        }
        ++game.trickCount;
        ++game.turnSeat;
      }
      CloseTrick(game);
    }
    for (int32_t seat = 0; seat < 4; ++seat) EXPECT_EQ(game.twoDeckHands[seat][0], -1) << seat;
  }
  EXPECT_GT(pairLeads, 0);
}

}  // namespace
}  // namespace gub
