// SPDX-License-Identifier: MIT
#include "engine/game_state.h"

#include <gtest/gtest.h>

namespace gub {
namespace {

TEST(CardTable, SpecialCardsAndValues) {
  GameState game;
  auto expect = [&](int32_t n, int32_t suit, int32_t rank, int32_t value) {
    EXPECT_EQ(game.cards[n].suit, suit) << n;
    EXPECT_EQ(game.cards[n].rank, rank) << n;
    EXPECT_EQ(game.cards[n].value, value) << n;
  };
  expect(CardGub, SuitSpades, 12, -100);
  expect(CardSheep, SuitDiamonds, 11, 100);
  expect(CardDouble, SuitClubs, 10, 0);
  expect(CardHeartAce, SuitHearts, 14, -50);
  expect(CardSpadeTwo, SuitSpades, 2, 0);
  expect(0, SuitClubs, 14, 0);

  int32_t hearts = 0;
  for (int32_t n = 0; n < 52; ++n) {
    if (game.cards[n].suit == SuitHearts) {
      hearts += game.cards[n].value;
    } else if (n != CardGub && n != CardSheep) {
      EXPECT_EQ(game.cards[n].value, 0) << n;
    }
  }
  EXPECT_EQ(hearts, -200);
  EXPECT_EQ(game.cards[CardHeartTwo].value, 0);
  EXPECT_EQ(game.cards[4 * 4 + 2].value, -10);  // five of hearts
  EXPECT_EQ(game.cards[3 * 4 + 2].value, 0);    // four of hearts
}

TEST(CardTable, CreationValues) {
  GameState game;
  EXPECT_EQ(game.turnSeat, -1);
  EXPECT_EQ(game.gubTakerSeat, -1);
  for (int32_t s = 0; s < 4; ++s) {
    EXPECT_EQ(game.matchTotal[s], 0);
    for (int32_t slot : game.oneDeckHands[s]) EXPECT_EQ(slot, -1);
    EXPECT_EQ(game.declarations[s].card, -1);
    EXPECT_EQ(game.secondDeclarations[s].card, -1);
  }
}

TEST(Hand, RemoveLastOccupiedSlotKeepsTheRest) {
  int32_t hand[13] = {51, 47, 2, 40, 41, -1, -1, -1, -1, -1, -1, -1, -1};
  RemoveFromHand(hand, 13, 4);
  const int32_t expected[13] = {51, 47, 2, 40, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  for (int32_t i = 0; i < 13; ++i) EXPECT_EQ(hand[i], expected[i]) << i;
  RemoveFromHand(hand, 13, 0);
  EXPECT_EQ(hand[0], 47);
  EXPECT_EQ(hand[2], 40);
  EXPECT_EQ(hand[3], -1);
}

// Every slot of a full two-deck hand, alone and with every later slot: the
// other cards keep their order and the freed slots at the end become -1.
TEST(Hand, RemovingAnySlotOrTwoOfAFullHandKeepsTheOthersInOrder) {
  auto check = [](int32_t first, int32_t second) {
    int32_t hand[26];
    for (int32_t i = 0; i < 26; ++i) hand[i] = i;
    if (second == -1) {
      RemoveFromHand(hand, 26, first);
    } else {
      RemoveTwoFromHand(hand, 26, first, second);
    }
    int32_t next = 0;
    for (int32_t card = 0; card < 26; ++card) {
      if (card == first || card == second) continue;
      EXPECT_EQ(hand[next++], card) << first << " " << second;
    }
    while (next < 26) EXPECT_EQ(hand[next++], -1) << first << " " << second;
  };
  for (int32_t first = 0; first < 26; ++first) {
    check(first, -1);
    for (int32_t second = first + 1; second < 26; ++second) check(first, second);
  }
}

TEST(Hand, InsertionSortGivesHandOrderAndKeepsTwinsAdjacent) {
  GameState game;
  // King of diamonds, ace of clubs, two of hearts, queen of spades, ace of spades.
  const int32_t dealt[] = {12 * 4 + 1, 0, CardHeartTwo, CardGub, 3, CardSheep, CardSheep};
  int32_t hand[26];
  for (int32_t& s : hand) s = -1;
  int32_t count = 0;
  for (int32_t card : dealt) InsertSorted(hand, count++, card);
  const int32_t expected[] = {3, CardGub, CardHeartTwo, 0, 12 * 4 + 1, CardSheep, CardSheep};
  for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(hand[i], expected[i]) << i;
  EXPECT_EQ(hand[7], -1);
}

}  // namespace
}  // namespace gub
