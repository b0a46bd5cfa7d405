// SPDX-License-Identifier: MIT
// Trick play: declared cards held back until their suit is opened, following
// suit, the two-deck raised selections, appending plays and trick winners.
#include <gtest/gtest.h>

#include "engine/rules.h"
#include "engine/rules_util.h"
#include "tests/support/table.h"

namespace gub {
namespace {

using namespace gub::testing;

// --- The restriction rule, one case per declarable card ----------------------

struct Declared {
  int32_t card;
  int32_t reason;     // what the two-deck form reports
  int32_t sameSuit;   // another card of its suit
  int32_t otherSuit;  // a card of another suit, to lead from
};

void Declare(GameState& game, int32_t card) { Multiplier(game, DeclarationOf(card)) = 2; }

class Restriction : public ::testing::TestWithParam<Declared> {
 protected:
  void SetUp() override { ResetForPlay(game); }
  bool Refused(int32_t card) {
    const int32_t slot = SlotOf(game.oneDeckHands[0], 13, card);
    EXPECT_NE(slot, -1);
    const bool restricted = IsRestrictedPlay(game, game.oneDeckHands[0], 13, slot);
    // The two-deck form agrees and names the card.
    SetTwoDeckHand(game, 0, {});
    for (int32_t i = 0; i < 13; ++i) game.twoDeckHands[0][i] = game.oneDeckHands[0][i];
    const int32_t reason = IsRestrictedPlayTwoDecks(game, game.twoDeckHands[0], slot);
    EXPECT_EQ(reason, restricted ? GetParam().reason : 0);
    return restricted;
  }
  // A completed trick of this deal led with `card`.
  void CompleteTrickLedBy(int32_t card) {
    SetRecord(game, game.trickNumber, 1, {card, -1, -1, -1});
    ++game.trickNumber;
  }
  GameState game;
};

TEST_P(Restriction, DeclaredCardMayNotLeadUntilItsSuitIsOpened) {
  const Declared d = GetParam();
  SetOneDeckHand(game, 0, {d.card, d.sameSuit, d.otherSuit});
  EXPECT_FALSE(Refused(d.card));  // not declared: anything may lead
  EXPECT_TRUE(CanPlayOneDeck(game, SlotOf(game.oneDeckHands[0], 13, d.card)));

  Declare(game, d.card);
  EXPECT_TRUE(Refused(d.card));
  EXPECT_FALSE(CanPlayOneDeck(game, SlotOf(game.oneDeckHands[0], 13, d.card)));
  EXPECT_TRUE(CanPlayOneDeck(game, SlotOf(game.oneDeckHands[0], 13, d.sameSuit)));

  // A trick led in another suit, or a record of an earlier deal beyond this
  // deal's tricks, does not open the suit.
  SetRecord(game, 5, 2, {d.sameSuit, -1, -1, -1});
  CompleteTrickLedBy(d.otherSuit);
  EXPECT_TRUE(Refused(d.card));
  game.trickHistory[0].cards[2] = d.sameSuit;  // played in it, but not led
  EXPECT_TRUE(Refused(d.card));

  CompleteTrickLedBy(d.sameSuit);
  EXPECT_TRUE(IsSuitOpened(game, game.cards[d.card].suit));
  EXPECT_FALSE(Refused(d.card));
  EXPECT_TRUE(CanPlayOneDeck(game, SlotOf(game.oneDeckHands[0], 13, d.card)));
}

TEST_P(Restriction, OwnSuitLedWithOtherCardsOfItRefusesHeldAloneAllows) {
  const Declared d = GetParam();
  Declare(game, d.card);
  game.leadSuit = game.cards[d.card].suit;
  game.trickCount = 1;
  SetOneDeckHand(game, 0, {d.card, d.sameSuit, d.otherSuit});
  EXPECT_TRUE(Refused(d.card));
  EXPECT_FALSE(CanPlayOneDeck(game, SlotOf(game.oneDeckHands[0], 13, d.card)));

  SetOneDeckHand(game, 0, {d.card, d.otherSuit});
  EXPECT_FALSE(Refused(d.card));
  EXPECT_TRUE(CanPlayOneDeck(game, SlotOf(game.oneDeckHands[0], 13, d.card)));
}

TEST_P(Restriction, AnotherSuitLedAllowsItWhenVoid) {
  const Declared d = GetParam();
  Declare(game, d.card);
  game.leadSuit = game.cards[d.otherSuit].suit;
  game.trickCount = 1;
  SetOneDeckHand(game, 0, {d.card, d.sameSuit});
  EXPECT_FALSE(Refused(d.card));
  EXPECT_TRUE(CanPlayOneDeck(game, SlotOf(game.oneDeckHands[0], 13, d.card)));
  // Holding the led suit, following suit comes first.
  SetOneDeckHand(game, 0, {d.card, d.sameSuit, d.otherSuit});
  EXPECT_FALSE(CanPlayOneDeck(game, SlotOf(game.oneDeckHands[0], 13, d.card)));
}

INSTANTIATE_TEST_SUITE_P(EachCard, Restriction,
                         ::testing::Values(Declared{CardGub, 1, Spade(3), Heart(5)},
                                           Declared{CardHeartAce, 2, Heart(3), Club(5)},
                                           Declared{CardDouble, 3, Club(3), Diamond(5)},
                                           Declared{CardSheep, 4, Diamond(3), Spade(5)}));

TEST(RestrictionOneDeck, GubCardCannotLeadEvenFromAnAllSpadeHand) {
  GameState game;
  ResetForPlay(game);
  game.gubMult = 2;
  SetOneDeckHand(game, 0, {CardGub, Spade(14), Spade(3)});
  EXPECT_FALSE(CanPlayOneDeck(game, 1));
  // Another seat leads a spade: the trick in progress does not open spades.
  game.leadSuit = SuitSpades;
  game.trickCount = 1;
  game.currentTrick[0] = TrickPlay{3, Spade(5), -1};
  EXPECT_FALSE(CanPlayOneDeck(game, 1));
  PlayTrick(game, 3, {Spade(5), Spade(14), Spade(6), Spade(7)});
  EXPECT_TRUE(CanPlayOneDeck(game, 1));  // now it may lead
}

TEST(FollowSuitOneDeck, MustFollowWhenAbleAnythingWhenVoid) {
  GameState game;
  ResetForPlay(game);
  SetOneDeckHand(game, 0, {Spade(9), Heart(4), Club(13)});  // slots: S9 H4 CK
  EXPECT_TRUE(CanPlayOneDeck(game, 0));
  EXPECT_TRUE(CanPlayOneDeck(game, 2));   // leading anything
  EXPECT_FALSE(CanPlayOneDeck(game, 3));  // empty slot
  EXPECT_FALSE(CanPlayOneDeck(game, -1));
  EXPECT_FALSE(CanPlayOneDeck(game, 13));
  game.leadSuit = SuitHearts;
  game.trickCount = 1;
  EXPECT_FALSE(CanPlayOneDeck(game, 0));
  EXPECT_TRUE(CanPlayOneDeck(game, 1));
  EXPECT_FALSE(CanPlayOneDeck(game, 2));
  game.leadSuit = SuitDiamonds;
  EXPECT_TRUE(CanPlayOneDeck(game, 0));
  EXPECT_TRUE(CanPlayOneDeck(game, 1));
  EXPECT_TRUE(CanPlayOneDeck(game, 2));
}

// --- Two decks: the raised selection -----------------------------------------

class RaisedTwoDecks : public ::testing::Test {
 protected:
  void SetUp() override { ResetForPlay(game); }
  int32_t Slot(int32_t card) { return SlotOf(game.twoDeckHands[0], 26, card); }
  void SingleLed(int32_t card) {
    game.currentTrick[0] = TrickPlay{3, card, -1};
    game.trickCount = 1;
    game.leadSuit = game.cards[card].suit;
  }
  void PairLed(int32_t card) {
    game.currentTrick[0] = TrickPlay{3, card, card};
    game.trickCount = 1;
    game.leadSuit = game.cards[card].suit;
  }
  GameState game;
};

TEST_F(RaisedTwoDecks, LeadingSingleOrPairNeverTwoDifferent) {
  SetTwoDeckHand(game, 0, {Heart(9), Heart(9), Heart(8), Club(3)});
  EXPECT_TRUE(CanPlayTwoDecks(game, 0, -1));
  EXPECT_TRUE(CanPlayTwoDecks(game, 0, 1));   // the pair of nines
  EXPECT_FALSE(CanPlayTwoDecks(game, 1, 2));  // nine and eight
  EXPECT_FALSE(CanPlayTwoDecks(game, 2, 3));
  EXPECT_FALSE(CanPlayTwoDecks(game, 0, 0));   // the same slot twice
  EXPECT_FALSE(CanPlayTwoDecks(game, 4, -1));  // empty slot
  EXPECT_FALSE(CanPlayTwoDecks(game, 0, 4));
  EXPECT_FALSE(CanPlayTwoDecks(game, -1, -1));
  EXPECT_FALSE(CanPlayTwoDecks(game, 26, -1));
}

TEST_F(RaisedTwoDecks, DeclaredPairMayNotLeadBeforeItsSuitIsOpened) {
  game.gubMult = 2;
  SetTwoDeckHand(game, 0, {CardGub, CardGub, Heart(2)});
  EXPECT_FALSE(CanPlayTwoDecks(game, 0, 1));
  EXPECT_FALSE(CanPlayTwoDecks(game, 0, -1));
  EXPECT_TRUE(CanPlayTwoDecks(game, 2, -1));
  SetRecord(game, 0, 2, {Spade(4), Spade(5), Spade(6), Spade(7)});
  game.trickNumber = 1;
  EXPECT_TRUE(CanPlayTwoDecks(game, 0, 1));
}

TEST_F(RaisedTwoDecks, FollowingASingleTakesOneCardOfTheLedSuit) {
  SetTwoDeckHand(game, 0, {Heart(9), Heart(9), Club(3), CardDouble});
  SingleLed(Heart(5));
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(Heart(9)), -1));
  EXPECT_FALSE(CanPlayTwoDecks(game, 0, 1));  // a pair on a single
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(Club(3)), -1));
  SingleLed(Diamond(5));
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(Club(3)), -1));
  game.doubleMult = 2;
  SingleLed(Club(5));  // clubs led, the declared ten held with another club
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(CardDouble), -1));
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(Club(3)), -1));
}

TEST_F(RaisedTwoDecks, PairLedWithAPairInHandMustAnswerWithALedPair) {
  SetTwoDeckHand(game, 0, {Heart(9), Heart(9), Heart(8), Heart(7), Club(3), Club(3)});
  PairLed(Heart(5));
  const int32_t nine = Slot(Heart(9));
  EXPECT_TRUE(CanPlayTwoDecks(game, nine, nine + 1));
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(Heart(8)), Slot(Heart(7))));
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(Club(3)), Slot(Club(3)) + 1));  // pair of clubs
  EXPECT_FALSE(CanPlayTwoDecks(game, nine, -1));                          // one card on a pair
}

TEST_F(RaisedTwoDecks, PairLedThreeOrMoreOfTheSuitWithoutPairs) {
  game.heartsMult = 2;
  SetTwoDeckHand(game, 0, {CardHeartAce, Heart(9), Heart(8), Club(3), Club(4)});
  PairLed(Heart(5));
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(Heart(9)), Slot(Heart(8))));
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(Heart(9)), Slot(Club(3))));
  // The declared heart ace is held back on the first heart trick, first or second.
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(CardHeartAce), Slot(Heart(8))));
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(Heart(9)), Slot(CardHeartAce)));
  game.heartsMult = 1;
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(CardHeartAce), Slot(Heart(8))));
}

TEST_F(RaisedTwoDecks, PairLedTwoOneOrNoneOfTheSuit) {
  PairLed(Spade(5));
  SetTwoDeckHand(game, 0, {Spade(9), Spade(8), Club(3), Club(4)});  // j = 2
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(Spade(9)), Slot(Spade(8))));
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(Spade(9)), Slot(Club(3))));

  SetTwoDeckHand(game, 0, {Spade(9), Club(3), Club(4), Diamond(6)});  // j = 1
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(Spade(9)), Slot(Club(3))));
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(Club(4)), Slot(Spade(9))));
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(Club(3)), Slot(Club(4))));

  SetTwoDeckHand(game, 0, {Heart(9), Club(3), Club(4), Diamond(6)});  // j = 0
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(Heart(9)), Slot(Diamond(6))));
  EXPECT_TRUE(CanPlayTwoDecks(game, Slot(Club(3)), Slot(Club(4))));
  EXPECT_FALSE(CanPlayTwoDecks(game, Slot(Club(3)), -1));
}

// --- Appending plays ---------------------------------------------------------

TEST(AddPlay, OneDeckRemovesTheCardAndSetsTheLeadOnlyOnALead) {
  GameState game;
  ResetForPlay(game);
  SetOneDeckHand(game, 2, {Spade(9), Heart(4), Club(13)});
  game.turnSeat = 2;
  AddPlay(game, 2, 1);
  EXPECT_EQ(game.currentTrick[0].seat, 2);
  EXPECT_EQ(game.currentTrick[0].card, Heart(4));
  EXPECT_EQ(game.currentTrick[0].second, -1);
  EXPECT_EQ(game.leadSuit, SuitHearts);
  EXPECT_EQ(game.oneDeckHands[2][0], Spade(9));
  EXPECT_EQ(game.oneDeckHands[2][1], Club(13));
  EXPECT_EQ(game.oneDeckHands[2][2], -1);
  EXPECT_EQ(game.trickCount, 0);  // the caller advances
  EXPECT_EQ(game.turnSeat, 2);

  game.trickCount = 1;
  AddPlay(game, 3, 0);  // seat 3's hand is empty: nothing happens
  EXPECT_EQ(game.currentTrick[1].card, -1);
  SetOneDeckHand(game, 3, {Club(5)});
  AddPlay(game, 3, 0);
  EXPECT_EQ(game.currentTrick[1].card, Club(5));
  EXPECT_EQ(game.leadSuit, SuitHearts);  // unchanged by a follower
  game.trickCount = 4;
  SetOneDeckHand(game, 0, {Club(6)});
  AddPlay(game, 0, 0);  // no room in the trick
  EXPECT_EQ(game.oneDeckHands[0][0], Club(6));
}

TEST(AddPlay, TwoDecksRemovesBothCardsWhicheverOrderTheSlotsCome) {
  GameState game;
  ResetForPlay(game);
  SetTwoDeckHand(game, 1, {Spade(9), Heart(4), Heart(4), Club(13), Club(2)});
  AddPlayTwoDecks(game, 1, 1, 2);
  EXPECT_EQ(game.currentTrick[0].card, Heart(4));
  EXPECT_EQ(game.currentTrick[0].second, Heart(4));
  EXPECT_EQ(game.leadSuit, SuitHearts);
  EXPECT_EQ(game.twoDeckHands[1][0], Spade(9));
  EXPECT_EQ(game.twoDeckHands[1][1], Club(13));
  EXPECT_EQ(game.twoDeckHands[1][2], Club(2));
  EXPECT_EQ(game.twoDeckHands[1][3], -1);

  // Second slot before the first: it does not move.
  game.trickCount = 1;
  AddPlayTwoDecks(game, 1, 2, 0);
  EXPECT_EQ(game.currentTrick[1].card, Club(2));
  EXPECT_EQ(game.currentTrick[1].second, Spade(9));
  EXPECT_EQ(game.twoDeckHands[1][0], Club(13));
  EXPECT_EQ(game.twoDeckHands[1][1], -1);

  game.trickCount = 2;
  AddPlayTwoDecks(game, 1, 0, -1);
  EXPECT_EQ(game.currentTrick[2].card, Club(13));
  EXPECT_EQ(game.currentTrick[2].second, -1);
  EXPECT_EQ(game.twoDeckHands[1][0], -1);
}

// --- Trick winners -----------------------------------------------------------

TEST(ResolveTrick, OnlyTheLedSuitWinsAndPointsGoToTheWinner) {
  GameState game;
  ResetForPlay(game);
  game.trickNumber = 4;
  // Seat 2 leads the five of hearts; seat 3 the ace of spades, seat 0 the
  // king of hearts, seat 1 the two of hearts.
  PlayTrick(game, 2, {Heart(5), Spade(14), Heart(13), Heart(2)});
  EXPECT_EQ(game.turnSeat, 0);
  EXPECT_EQ(game.dealScore[0], -50);
  EXPECT_EQ(game.dealScore[2] + game.dealScore[3] + game.dealScore[1], 0);
  const TrickRecord& record = game.trickHistory[4];
  EXPECT_EQ(record.winner, 0);
  EXPECT_EQ(record.cards[0], Heart(5));
  EXPECT_EQ(record.cards[3], Heart(2));
  EXPECT_EQ(game.trickNumber, 5);
  EXPECT_EQ(game.trickCount, 0);
  EXPECT_EQ(game.leadSuit, -1);
  for (int32_t k = 0; k < 4; ++k) {
    EXPECT_EQ(game.currentTrick[k].card, -1);
    EXPECT_EQ(game.currentTrick[k].seat, (2 + k) % 4);
  }
}

TEST(ResolveTrick, LeaderKeepsTheTrickWhenNobodyFollowsHigher) {
  GameState game;
  ResetForPlay(game);
  PlayTrick(game, 1, {Club(3), Club(2), Diamond(14), Spade(14)});
  EXPECT_EQ(game.turnSeat, 1);
  EXPECT_EQ(game.trickHistory[0].winner, 1);
}

TEST(ResolveTrick, DeclaredCardsCountTwice) {
  GameState game;
  ResetForPlay(game);
  game.gubMult = game.heartsMult = game.sheepMult = game.doubleMult = 2;
  // Queen of spades -100, jack of hearts -20, sheep +100, ten of clubs 0.
  PlayTrick(game, 0, {Spade(13), CardGub, Heart(11), CardSheep});
  EXPECT_EQ(game.dealScore[0], 2 * (-100 - 20 + 100));
  game.gubMult = game.heartsMult = game.sheepMult = 1;
  PlayTrick(game, 3, {CardSheep - 4, CardDouble, Heart(12), Spade(12) - 4});
  EXPECT_EQ(game.dealScore[3], -30);
}

TEST(ResolveTrickTwoDecks, EqualSinglesStayWithTheEarlierPlayer) {
  GameState game;
  ResetForPlay(game);
  game.currentTrick[0] = TrickPlay{1, Spade(13), -1};
  game.currentTrick[1] = TrickPlay{2, Spade(13), -1};
  game.currentTrick[2] = TrickPlay{3, Spade(3), -1};
  game.currentTrick[3] = TrickPlay{0, Heart(14), -1};
  game.leadSuit = SuitSpades;
  ResolveTrickTwoDecks(game);
  EXPECT_EQ(game.turnSeat, 1);
  EXPECT_EQ(game.dealScore[1], -50);
}

class PairTrick : public ::testing::Test {
 protected:
  void SetUp() override { ResetForPlay(game); }
  // Seat 0 leads the first pair; seats 1, 2, 3 answer.
  int32_t Winner(const int32_t (&plays)[4][2]) {
    for (int32_t k = 0; k < 4; ++k) game.currentTrick[k] = TrickPlay{k, plays[k][0], plays[k][1]};
    game.leadSuit = game.cards[plays[0][0]].suit;
    game.trickCount = 4;
    ResolveTrickTwoDecks(game);
    return game.trickHistory[game.trickNumber - 1].winner;
  }
  GameState game;
};

TEST_F(PairTrick, HigherPairWinsLowerPairAndOffSuitDoNot) {
  EXPECT_EQ(Winner({{Spade(9), Spade(9)},
                    {Spade(8), Spade(8)},
                    {Spade(13), Spade(13)},
                    {Heart(14), Heart(14)}}),
            2);
  EXPECT_EQ(Winner({{Spade(9), Spade(9)},
                    {Spade(14), Heart(14)},  // one off-suit card never counts
                    {Spade(8), Spade(8)},
                    {Club(14), Club(14)}}),
            0);
}

TEST_F(PairTrick, TwoDifferentCardsOfTheLedSuitTakeItAndPairsNoLongerCount) {
  // Two lower hearts take the trick from the led pair at once; the later
  // pair of aces no longer wins, but a later higher single heart does.
  EXPECT_EQ(
      Winner(
          {{Heart(9), Heart(9)}, {Heart(4), Heart(3)}, {Heart(14), Heart(14)}, {Club(2), Club(3)}}),
      1);
  EXPECT_EQ(Winner({{Heart(9), Heart(9)},
                    {Heart(4), Heart(3)},
                    {Heart(14), Heart(14)},
                    {Heart(2), Heart(5)}}),
            3);
  // The best rank is the higher of the two different cards: a later play
  // that only equals it does not take the trick.
  EXPECT_EQ(Winner({{Heart(9), Heart(9)},
                    {Heart(4), Heart(3)},
                    {Heart(12), Heart(12)},
                    {Heart(4), Heart(2)}}),
            1);
}

TEST_F(PairTrick, DiamondsOnlyAHigherPairWins) {
  EXPECT_EQ(Winner({{Diamond(9), Diamond(9)},
                    {Diamond(14), Diamond(13)},
                    {Diamond(5), Diamond(5)},
                    {Diamond(12), Diamond(12)}}),
            3);
  EXPECT_EQ(Winner({{Diamond(9), Diamond(9)},
                    {Diamond(14), Diamond(13)},
                    {Diamond(12), Diamond(10)},
                    {Diamond(5), Diamond(5)}}),
            0);
}

TEST_F(PairTrick, PointsCountBothCardsAndTheRecordKeepsTheSeconds) {
  game.trickNumber = 2;
  game.sheepMult = 2;
  EXPECT_EQ(Winner({{CardSheep, CardSheep},
                    {Diamond(14), Diamond(14)},
                    {Heart(13), Heart(2)},
                    {CardGub, Club(3)}}),
            1);
  EXPECT_EQ(game.dealScore[1], 2 * 200 - 40 - 100);
  const TrickRecord& record = game.trickHistory[2];
  EXPECT_EQ(record.cards[2], Heart(13));
  EXPECT_EQ(record.seconds[2], Heart(2));
  EXPECT_EQ(record.seconds[3], Club(3));
  for (const TrickPlay& play : game.currentTrick) {
    EXPECT_EQ(play.card, -1);
    EXPECT_EQ(play.second, -1);
  }
  EXPECT_EQ(game.leadSuit, -1);
  EXPECT_EQ(game.trickNumber, 3);
  EXPECT_EQ(game.turnSeat, 1);
}

// Out-of-range values never reach an array: the call does nothing harmful.
TEST(TrickInputs, OutOfRangeValuesAreRefusedWithoutTouchingMemory) {
  GameState game;
  ResetForPlay(game);
  SetTwoDeckHand(game, 1, {Spade(9), Heart(4)});
  AddPlayTwoDecks(game, 1, 0, 0);   // the same slot twice
  AddPlayTwoDecks(game, 1, 0, 5);   // an empty second slot
  AddPlayTwoDecks(game, 1, 0, 26);  // off the hand
  AddPlayTwoDecks(game, 4, 0, -1);  // no such seat
  AddPlay(game, -1, 0);
  EXPECT_EQ(game.twoDeckHands[1][0], Spade(9));
  EXPECT_EQ(game.twoDeckHands[1][1], Heart(4));
  EXPECT_EQ(game.currentTrick[0].card, -1);
  EXPECT_EQ(game.leadSuit, -1);

  DeclareForSeat(game, Settings{}, 4);
  DeclareForSeatTwoDecks(game, Settings{}, -1);
  EXPECT_EQ(game.gubMult + game.heartsMult + game.sheepMult + game.doubleMult, 4);

  // A history that claims more tricks than it holds is read only up to its end.
  game.trickNumber = 40;
  EXPECT_FALSE(IsSuitOpened(game, SuitHearts));
  game.trickNumber = -3;
  EXPECT_FALSE(IsSuitOpened(game, SuitHearts));

  // A 27th trick has no record to go into; the points are still counted.
  game.trickNumber = 26;
  PlayTrick(game, 0, {Heart(14), Heart(13), Club(2), Club(3)});
  EXPECT_EQ(game.trickNumber, 27);
  EXPECT_EQ(game.dealScore[0], -90);
}

}  // namespace
}  // namespace gub
