// Two-deck card choice: pair leads, single leads by suit scores, answers to a
// led pair, single follows, and how the play is written into the trick.
#include <gtest/gtest.h>

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

void ExpectPlay(const GameState& game, int32_t index, int32_t seat, int32_t card, int32_t second) {
  EXPECT_EQ(game.currentTrick[index].seat, seat);
  EXPECT_EQ(game.currentTrick[index].card, card);
  EXPECT_EQ(game.currentTrick[index].second, second);
}

// The card seat 1 plays to a single lead: the returned slot must be the slot
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
  return card;
}

TEST(TwoDeckLead, LowestSpadePairBeforeHeartPairs) {
  Table t;
  t.Hand2(1, "9H 9H 7S 7S 3S 3S 2D");
  EXPECT_EQ(PlayCardTwoDecks(t.game, 1), -2);
  ExpectPlay(t.game, 0, 1, C("3S"), C("3S"));
  EXPECT_EQ(t.game.leadSuit, SuitSpades);
  EXPECT_EQ(t.game.trickCount, 0);
  EXPECT_EQ(CardsHeld(t.game, 1), 5);
  EXPECT_EQ(t.game.twoDeckHands[1][1], C("7S"));
  EXPECT_EQ(t.game.twoDeckHands[1][4], C("2D"));
}

TEST(TwoDeckLead, HeartPairThenClubPair) {
  Table hearts;
  hearts.Hand2(1, "9H 9H 4C 4C 5S");
  EXPECT_EQ(LeadTwoDecks(hearts.game, 1), -2);
  ExpectPlay(hearts.game, 0, 1, C("9H"), C("9H"));
  EXPECT_EQ(hearts.game.leadSuit, SuitHearts);

  Table clubs;
  clubs.Hand2(1, "KD KD 4C 4C 5S");
  EXPECT_EQ(LeadTwoDecks(clubs.game, 1), -2);
  ExpectPlay(clubs.game, 0, 1, C("4C"), C("4C"));
  EXPECT_EQ(clubs.game.leadSuit, SuitClubs);
}

TEST(TwoDeckLead, DiamondPairIsNeverLed) {
  Table t;  // spades 0, hearts 32, diamonds 30
  t.Hand2(1, "KD KD 5S 7H").Hand2(0, "9S 2H 3H");
  EXPECT_EQ(LeadTwoDecks(t.game, 1), -1);
  ExpectPlay(t.game, 0, 1, C("5S"), -1);
  EXPECT_EQ(t.game.leadSuit, SuitSpades);
  EXPECT_EQ(CardsHeld(t.game, 1), 3);

  Table viaPlay;
  viaPlay.Hand2(1, "KD KD 5S 7H").Hand2(0, "9S 2H 3H");
  EXPECT_EQ(PlayCardTwoDecks(viaPlay.game, 1), -2);
}

TEST(TwoDeckLead, ScoreTieGoesToHearts) {
  Table t;  // hearts and clubs both score 1
  t.Hand2(1, "KH 6H 9C 4C").Hand2(2, "2H AH 2C AC");
  EXPECT_EQ(PlayCardTwoDecks(t.game, 1), -2);
  ExpectPlay(t.game, 0, 1, C("6H"), -1);
  EXPECT_EQ(t.game.leadSuit, SuitHearts);
}

TEST(TwoDeckLead, UnbeatableCardIsStillLed) {
  Table t;  // spades score 33, above the one-deck start of 30
  t.Hand2(1, "AS").Hand2(0, "2S");
  EXPECT_EQ(LeadTwoDecks(t.game, 1), -1);
  ExpectPlay(t.game, 0, 1, C("AS"), -1);
  EXPECT_EQ(CardsHeld(t.game, 1), 0);
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

TEST(TwoDeckAnswer, LowestPairOfLedSuit) {
  Table t;
  t.Hand2(1, "9H 9H 5H 2D").PairLed("JH");
  EXPECT_EQ(PlayCardTwoDecks(t.game, 1), -2);
  ExpectPlay(t.game, 1, 1, C("9H"), C("9H"));
  EXPECT_EQ(CardsHeld(t.game, 1), 2);
  EXPECT_EQ(t.game.twoDeckHands[1][0], C("5H"));

  Table two;
  two.Hand2(1, "KH KH 9H 9H 5H 7S 7S").PairLed("JH");
  EXPECT_EQ(AnswerPair(two.game, 1), -1);
  ExpectPlay(two.game, 1, 1, C("9H"), C("9H"));

  // No ducking and no special-card rule: a pair of declared sheep goes too.
  Table sheep;
  sheep.DeclareSheep().Hand2(1, "JD JD 3D").PairLed("5D");
  AnswerPair(sheep.game, 1);
  ExpectPlay(sheep.game, 1, 1, C("JD"), C("JD"));
}

TEST(TwoDeckAnswer, TwoLowestOrBothOfLedSuit) {
  Table three;
  three.Hand2(1, "AC 8C 4C 2D").PairLed("QC");
  EXPECT_EQ(AnswerPair(three.game, 1), -1);
  ExpectPlay(three.game, 1, 1, C("8C"), C("4C"));
  EXPECT_EQ(CardsHeld(three.game, 1), 2);
  EXPECT_EQ(three.game.twoDeckHands[1][0], C("AC"));
  EXPECT_EQ(three.game.twoDeckHands[1][1], C("2D"));

  Table two;
  two.Hand2(1, "AS KC 4C 2D").PairLed("9C");
  AnswerPair(two.game, 1);
  ExpectPlay(two.game, 1, 1, C("KC"), C("4C"));
}

TEST(TwoDeckAnswer, SingleOfLedSuitWithCostliestOtherCard) {
  Table t;  // the gub card lies before the heart in the hand
  t.Hand2(1, "QS 8S 7H 2D").PairLed("5H");
  EXPECT_EQ(PlayCardTwoDecks(t.game, 1), -2);
  ExpectPlay(t.game, 1, 1, C("7H"), C("QS"));
  EXPECT_EQ(CardsHeld(t.game, 1), 2);
  EXPECT_EQ(t.game.twoDeckHands[1][0], C("8S"));
  EXPECT_EQ(t.game.twoDeckHands[1][1], C("2D"));
}

TEST(TwoDeckAnswer, VoidThrowsTwoCostliestCards) {
  Table gubs;
  gubs.Hand2(1, "AS QS QS AH 3C").PairLed("5D");
  AnswerPair(gubs.game, 1);
  ExpectPlay(gubs.game, 1, 1, C("QS"), C("QS"));
  EXPECT_EQ(CardsHeld(gubs.game, 1), 3);
  EXPECT_EQ(gubs.game.twoDeckHands[1][0], C("AS"));
  EXPECT_EQ(gubs.game.twoDeckHands[1][1], C("AH"));

  // Zero values only: the higher rank, then the first in hand order; the
  // second card may lie before the first.
  Table zero;
  zero.Hand2(1, "4S 4D AD 3C").PairLed("5H");
  AnswerPair(zero.game, 1);
  ExpectPlay(zero.game, 1, 1, C("AD"), C("4S"));
  EXPECT_EQ(CardsHeld(zero.game, 1), 2);
  EXPECT_EQ(zero.game.twoDeckHands[1][0], C("3C"));
  EXPECT_EQ(zero.game.twoDeckHands[1][1], C("4D"));

  Table twins;  // both copies of the costliest heart
  twins.Hand2(1, "AS 9H 9H 5H").PairLed("5C");
  AnswerPair(twins.game, 1);
  ExpectPlay(twins.game, 1, 1, C("9H"), C("9H"));
  EXPECT_EQ(twins.game.twoDeckHands[1][1], C("5H"));
}

TEST(TwoDeckFollow, GubHolderPlaysLowSpadesUnlessDroppingTheGub) {
  Table t;
  t.Hand2(1, "KS QS 4S").Trick("9S");
  EXPECT_EQ(SingleFollow(t), C("4S"));

  Table lowestIsGub;  // the lowest spade is a gub card: the next up, the other
  lowestIsGub.Hand2(1, "KS QS QS 2H").Trick("9S");
  EXPECT_EQ(PlayCardTwoDecks(lowestIsGub.game, 1), 1);

  Table twins;  // the second copy of the lowest spade
  twins.Hand2(1, "QS 5S 5S").Trick("9S");
  EXPECT_EQ(PlayCardTwoDecks(twins.game, 1), 2);

  Table restricted;
  restricted.DeclareGub().Hand2(1, "QS 5S").Trick("KS");
  EXPECT_EQ(SingleFollow(restricted), C("5S"));
}

TEST(TwoDeckFollow, EitherGubIsDroppedOnKingWhenReleased) {
  Table t;
  t.Hand2(1, "QS QS 3H").Trick("KS");
  EXPECT_EQ(PlayCardTwoDecks(t.game, 1), 0);
  ExpectPlay(t.game, 1, 1, C("QS"), -1);
  EXPECT_EQ(t.game.twoDeckHands[1][0], C("QS"));

  Table opened;
  opened.DeclareGub().Led("2S").Hand2(1, "AS QS QS").Trick("KS 2S");
  EXPECT_EQ(PlayCardTwoDecks(opened.game, 1), 1);

  Table gubInTrick;  // the other copy lies in the trick: standard follow
  gubInTrick.Hand2(1, "AS 10S 5S").Trick("9S QS");
  EXPECT_EQ(SingleFollow(gubInTrick), C("10S"));
}

TEST(TwoDeckFollow, EqualRankIsNotADuckCard) {
  Table t;
  t.Hand2(1, "KH 9H 4H").Trick("9H");
  EXPECT_EQ(SingleFollow(t), C("4H"));

  Table notBelow;  // the twin of the top is not below it
  notBelow.Hand2(1, "KH 9H").Trick("9H");
  EXPECT_EQ(SingleFollow(notBelow), C("9H"));

  Table spades;
  spades.Hand2(1, "AS 10S 10S 3S").Trick("10S 2S");
  EXPECT_EQ(SingleFollow(spades), C("3S"));
}

TEST(TwoDeckFollow, EitherDoubleAndSheep) {
  Table doubles;  // both the highest and the lowest club are doubles
  doubles.DeclareDouble().Hand2(1, "10C 10C").Trick("5C");
  EXPECT_EQ(PlayCardTwoDecks(doubles.game, 1), 0);

  Table released;
  released.Hand2(1, "10C 10C").Trick("5C");
  EXPECT_EQ(PlayCardTwoDecks(released.game, 1), 1);

  Table lastDoubles;  // last: the highest club is a double, so the next one, the other copy
  lastDoubles.Hand2(1, "10C 10C 4C").Trick("3C 2C 2C");
  EXPECT_EQ(PlayCardTwoDecks(lastDoubles.game, 1), 1);

  Table sheep;  // the duck card is a sheep: its neighbour, the other sheep
  sheep.Hand2(1, "JD JD 5D").Trick("QD");
  EXPECT_EQ(PlayCardTwoDecks(sheep.game, 1), 1);

  Table sheepInTrick;
  sheepInTrick.Hand2(1, "KD 5D").Trick("8D JD");
  EXPECT_EQ(SingleFollow(sheepInTrick), C("KD"));
}

TEST(TwoDeckFollow, DiscardAndOnlyCard) {
  Table gub;
  gub.Hand2(1, "AS QS QS AH JD").Trick("5C");
  EXPECT_EQ(PlayCardTwoDecks(gub.game, 1), 1);

  Table only;
  only.DeclareSheep().Hand2(1, "AS JD").Trick("3D");
  EXPECT_EQ(SingleFollow(only), C("JD"));
}

TEST(TwoDeckFollow, FullHandLastSlotIsClosed) {
  Table t;
  t.Hand2(1, "AS AS KS KS QS QS JS JS 10S 10S 9S 9S 8S 8S 7S 7S 6S 6S 5S 5S 4S 4S 3S 3S 5C 3C")
      .Trick("2C");
  EXPECT_EQ(CardsHeld(t.game, 1), 26);
  EXPECT_EQ(SingleFollow(t), C("3C"));
  EXPECT_EQ(t.game.twoDeckHands[1][24], C("5C"));
  EXPECT_EQ(t.game.twoDeckHands[1][25], -1);
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
