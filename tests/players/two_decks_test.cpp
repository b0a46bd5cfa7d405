// SPDX-License-Identifier: MIT
// Two-deck card choice: pair leads, single leads by suit scores, answers to a
// led pair, single follows, and how the play is written into the trick.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "players/players.h"
#include "tests/support/table.h"

namespace gub {
namespace {

using testing::C;
using testing::Table;

int32_t CardsHeld(const GameState& game, int32_t seat) {
  int32_t n = 0;
  while (n < TwoDeckHandSize && game.twoDeckHands[seat][n] >= 0) ++n;
  for (int32_t i = n; i < TwoDeckHandSize; ++i) EXPECT_EQ(game.twoDeckHands[seat][i], -1) << i;
  return n;
}

// The seat's hand as it stands, in slot order.
std::vector<int32_t> HandOf(const GameState& game, int32_t seat) {
  const int32_t* hand = game.twoDeckHands[seat];
  return std::vector<int32_t>(hand, hand + CardsHeld(game, seat));
}

// The hand with one copy of each named card gone, the rest in order.
std::vector<int32_t> Without(std::vector<int32_t> hand, std::initializer_list<int32_t> cards) {
  for (int32_t card : cards) {
    const auto at = std::find(hand.begin(), hand.end(), card);
    EXPECT_NE(at, hand.end());
    if (at != hand.end()) hand.erase(at);
  }
  return hand;
}

void ExpectPlay(const GameState& game, int32_t index, int32_t seat, int32_t card, int32_t second) {
  EXPECT_EQ(game.currentTrick[index].seat, seat);
  EXPECT_EQ(game.currentTrick[index].card, card);
  EXPECT_EQ(game.currentTrick[index].second, second);
}

// The slot seat 1 plays to a single lead: the returned slot must be the slot
// the card left, the trick entry must hold it and the hand must close up.
int32_t SingleFollow(Table& t, int32_t seat = 1) {
  GameState before = t.game;
  int32_t index = t.game.trickCount;
  int32_t slot = PlayCardTwoDecks(t.game, seat);
  EXPECT_GE(slot, 0);
  if (slot < 0) return -1;
  int32_t card = before.twoDeckHands[seat][slot];
  ExpectPlay(t.game, index, seat, card, -1);
  EXPECT_EQ(t.game.trickCount, before.trickCount);
  EXPECT_EQ(t.game.turnSeat, before.turnSeat);
  EXPECT_EQ(t.game.leadSuit, before.leadSuit);
  for (int32_t i = 0; i < TwoDeckHandSize; ++i) {
    int32_t expected = i < slot                  ? before.twoDeckHands[seat][i]
                       : i < TwoDeckHandSize - 1 ? before.twoDeckHands[seat][i + 1]
                                                 : -1;
    EXPECT_EQ(t.game.twoDeckHands[seat][i], expected) << i;
  }
  return slot;
}

// One rule per case: seat 1 leads `card`, with its twin when `pair`. The
// lead sets the led suit, leaves the trick count to the caller and takes the
// cards out of the hand.
struct LeadCase {
  const char* rule;
  Table table;
  const char* card;
  bool pair;
};

void ExpectLeads(const std::vector<LeadCase>& cases) {
  for (const LeadCase& c : cases) {
    SCOPED_TRACE(c.rule);
    Table viaPlay = c.table;
    EXPECT_EQ(PlayCardTwoDecks(viaPlay.game, 1), -2);
    Table t = c.table;
    const int32_t card = C(c.card);
    const std::vector<int32_t> left =
        c.pair ? Without(HandOf(t.game, 1), {card, card}) : Without(HandOf(t.game, 1), {card});
    EXPECT_EQ(LeadTwoDecks(t.game, 1), c.pair ? -2 : -1);
    ExpectPlay(t.game, 0, 1, card, c.pair ? card : -1);
    EXPECT_EQ(t.game.leadSuit, CardSuit(card));
    EXPECT_EQ(t.game.trickCount, 0);
    EXPECT_EQ(HandOf(t.game, 1), left);
  }
}

TEST(TwoDeckLead, LeadsByTheRule) {
  ExpectLeads({
      {"lowest spade pair before heart pairs", Table().Hand2(1, "9H 9H 7S 7S 3S 3S 2D"), "3S",
       true},
      {"heart pair before club pair", Table().Hand2(1, "9H 9H 4C 4C 5S"), "9H", true},
      {"club pair", Table().Hand2(1, "KD KD 4C 4C 5S"), "4C", true},
      {"diamond pair never led: spades score 0, hearts 32, diamonds 30",
       Table().Hand2(1, "KD KD 5S 7H").Hand2(0, "9S 2H 3H"), "5S", false},
      {"score tie (hearts and clubs 1) goes to hearts",
       Table().Hand2(1, "KH 6H 9C 4C").Hand2(2, "2H AH 2C AC"), "6H", false},
      {"unbeatable card still led: spades score 33, above the one-deck start of 30",
       Table().Hand2(1, "AS").Hand2(0, "2S"), "AS", false},
  });
}

TEST(TwoDeckLead, StaleOneDeckHandsDoNotSteerTheLead) {
  Table t;
  // One-deck hands left over from an abandoned deal would make the spade
  // rule lead the 9S.
  t.Hand(1, "9S 2D").Hand(0, "QS 2S 3D AD");
  ASSERT_EQ(GubLeadCard(t.game, 1), 0);
  t.Hand2(1, "9S 4H").Hand2(0, "QS 2S 3S 5S 5H");
  EXPECT_EQ(PlayCardTwoDecks(t.game, 1), -2);
  ExpectPlay(t.game, 0, 1, C("4H"), -1);
}

TEST(SuitLeadScoreTwoDecks, Constants) {
  int32_t slot = -1;
  Table queen;
  queen.Hand2(1, "QS 3S").Hand2(0, "2S 4S");
  EXPECT_EQ(SuitLeadScoreTwoDecks(queen.game, 1, SuitSpades, slot), 26);
  EXPECT_EQ(slot, 1);

  Table spades;
  spades.Hand2(1, "AS 3S").Hand2(0, "2S 3S");
  EXPECT_EQ(SuitLeadScoreTwoDecks(spades.game, 1, SuitSpades, slot), 33);

  Table hearts;
  hearts.Hand2(1, "AH 5H").Hand2(0, "5H 2H");
  EXPECT_EQ(SuitLeadScoreTwoDecks(hearts.game, 1, SuitHearts, slot), 32);
  EXPECT_EQ(slot, 1);
  EXPECT_EQ(SuitLeadScoreTwoDecks(hearts.game, 1, SuitDiamonds, slot), 0);
  EXPECT_EQ(slot, -1);
}

TEST(SuitLeadScoreTwoDecks, OtherCopyCountsNeitherBelowNorAbove) {
  Table t;
  t.Hand2(1, "9C 5C").Hand2(0, "5C KC").Hand2(3, "2C");
  int32_t slot = -1;
  EXPECT_EQ(SuitLeadScoreTwoDecks(t.game, 1, SuitClubs, slot), 1);
  EXPECT_EQ(slot, 1);

  Table spread;  // one copy in each of two other hands counts twice
  spread.Hand2(1, "9C 5C").Hand2(0, "2C KC").Hand2(2, "2C");
  EXPECT_EQ(SuitLeadScoreTwoDecks(spread.game, 1, SuitClubs, slot), 2);

  Table onlyCopy;  // the twin alone is not above: unbeatable, 31
  onlyCopy.Hand2(1, "5C").Hand2(0, "5C 2C");
  EXPECT_EQ(SuitLeadScoreTwoDecks(onlyCopy.game, 1, SuitClubs, slot), 31);
}

TEST(SuitLeadScoreTwoDecks, EitherDoubleKeepsTheLowClub) {
  int32_t slot = -1;
  Table doubles;
  doubles.DeclareDouble().Hand2(1, "10C 10C 4C").Hand2(0, "2C AC");
  EXPECT_EQ(SuitLeadScoreTwoDecks(doubles.game, 1, SuitClubs, slot), 1);
  EXPECT_EQ(slot, 2);

  Table king;
  king.DeclareDouble().Hand2(1, "KC 10C 10C 4C").Hand2(0, "2C AC");
  SuitLeadScoreTwoDecks(king.game, 1, SuitClubs, slot);
  EXPECT_EQ(slot, 0);
}

// One rule per case: seat 1 answers the led pair with `first` and `second`,
// both taken out of its hand.
struct AnswerCase {
  const char* rule;
  Table table;
  const char* first;
  const char* second;
};

void ExpectAnswers(const std::vector<AnswerCase>& cases) {
  for (const AnswerCase& c : cases) {
    SCOPED_TRACE(c.rule);
    Table viaPlay = c.table;
    EXPECT_EQ(PlayCardTwoDecks(viaPlay.game, 1), -2);
    Table t = c.table;
    const std::vector<int32_t> left = Without(HandOf(t.game, 1), {C(c.first), C(c.second)});
    EXPECT_EQ(AnswerPair(t.game, 1), -1);
    ExpectPlay(t.game, 1, 1, C(c.first), C(c.second));
    EXPECT_EQ(HandOf(t.game, 1), left);
  }
}

TEST(TwoDeckAnswer, AnswersByTheRule) {
  ExpectAnswers({
      {"lowest pair of the led suit", Table().Hand2(1, "9H 9H 5H 2D").PairLed("JH"), "9H", "9H"},
      {"lowest of two pairs", Table().Hand2(1, "KH KH 9H 9H 5H 7S 7S").PairLed("JH"), "9H", "9H"},
      {"no ducking and no special-card rule: a pair of declared sheep goes too",
       Table().DeclareSheep().Hand2(1, "JD JD 3D").PairLed("5D"), "JD", "JD"},
      {"two lowest of three", Table().Hand2(1, "AC 8C 4C 2D").PairLed("QC"), "8C", "4C"},
      {"both of two", Table().Hand2(1, "AS KC 4C 2D").PairLed("9C"), "KC", "4C"},
      {"single of the led suit with the costliest other card (the gub card lies before it)",
       Table().Hand2(1, "QS 8S 7H 2D").PairLed("5H"), "7H", "QS"},
      {"void: the two costliest cards, both gub cards",
       Table().Hand2(1, "AS QS QS AH 3C").PairLed("5D"), "QS", "QS"},
      {"void, zero values only: the higher rank, then the first in hand order; the second may "
       "lie before the first",
       Table().Hand2(1, "4S 4D AD 3C").PairLed("5H"), "AD", "4S"},
      {"void: both copies of the costliest heart", Table().Hand2(1, "AS 9H 9H 5H").PairLed("5C"),
       "9H", "9H"},
  });
}

// One rule per case: seat 1 follows the single lead with `card`; `copy` 1
// means the second of two equal cards.
struct FollowCase {
  const char* rule;
  Table table;
  const char* card;
  int32_t copy = 0;
};

void ExpectFollows(const std::vector<FollowCase>& cases) {
  for (const FollowCase& c : cases) {
    SCOPED_TRACE(c.rule);
    Table t = c.table;
    const int32_t* hand = t.game.twoDeckHands[1];
    const int32_t slot = testing::SlotOf(hand, TwoDeckHandSize, C(c.card)) + c.copy;
    EXPECT_EQ(hand[slot], C(c.card));
    EXPECT_EQ(SingleFollow(t), slot);
  }
}

TEST(TwoDeckFollow, FollowsByTheRule) {
  ExpectFollows({
      {"gub holder plays low spades", Table().Hand2(1, "KS QS 4S").Trick("9S"), "4S"},
      {"gub holder: the lowest spade is a gub card, so the next up, the other",
       Table().Hand2(1, "KS QS QS 2H").Trick("9S"), "QS"},
      {"gub holder: the second copy of the lowest spade", Table().Hand2(1, "QS 5S 5S").Trick("9S"),
       "5S", 1},
      {"gub holder keeps a restricted gub", Table().DeclareGub().Hand2(1, "QS 5S").Trick("KS"),
       "5S"},
      {"either gub dropped on a king when released", Table().Hand2(1, "QS QS 3H").Trick("KS"),
       "QS"},
      {"either gub dropped once spades are opened",
       Table().DeclareGub().Led("2S").Hand2(1, "AS QS QS").Trick("KS 2S"), "QS"},
      {"the other gub lies in the trick: standard follow",
       Table().Hand2(1, "AS 10S 5S").Trick("9S QS"), "10S"},
      {"equal rank is not a duck card", Table().Hand2(1, "KH 9H 4H").Trick("9H"), "4H"},
      {"the twin of the top is not below it", Table().Hand2(1, "KH 9H").Trick("9H"), "9H"},
      {"equal rank, spades", Table().Hand2(1, "AS 10S 10S 3S").Trick("10S 2S"), "3S"},
      {"both the highest and the lowest club are restricted doubles",
       Table().DeclareDouble().Hand2(1, "10C 10C").Trick("5C"), "10C"},
      {"released doubles", Table().Hand2(1, "10C 10C").Trick("5C"), "10C", 1},
      {"last: the highest club is a double, so the next one, the other copy",
       Table().Hand2(1, "10C 10C 4C").Trick("3C 2C 2C"), "10C", 1},
      {"the duck card is a sheep: its neighbour, the other sheep",
       Table().Hand2(1, "JD JD 5D").Trick("QD"), "JD", 1},
      {"sheep in the trick: the highest diamond", Table().Hand2(1, "KD 5D").Trick("8D JD"), "KD"},
      {"void: the cheapest card, the first gub card",
       Table().Hand2(1, "AS QS QS AH JD").Trick("5C"), "QS"},
      {"only card of the led suit even when restricted",
       Table().DeclareSheep().Hand2(1, "AS JD").Trick("3D"), "JD"},
      {"a full hand closes up over its last slot",
       Table()
           .Hand2(1,
                  "AS AS KS KS QS QS JS JS 10S 10S 9S 9S 8S 8S 7S 7S 6S 6S 5S 5S 4S 4S 3S 3S "
                  "5C 3C")
           .Trick("2C"),
       "3C"},
  });
}

TEST(TwoDeckFollow, WritesAtTheTrickCount) {
  Table t;
  t.Hand2(3, "KH QH").Trick("5H 6H 7H");
  t.game.turnSeat = 7;
  EXPECT_EQ(PlayCardTwoDecks(t.game, 3), 1);  // last, no heart up to ten: the lowest
  ExpectPlay(t.game, 3, 3, C("QH"), -1);
  EXPECT_EQ(t.game.trickCount, 3);
  EXPECT_EQ(t.game.turnSeat, 7);
}

}  // namespace
}  // namespace gub
