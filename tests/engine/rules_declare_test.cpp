// SPDX-License-Identifier: MIT
// Declaring: the automatic conditions at their boundaries, the house rule, the
// human's clicks, and the first/second records of the two-deck game.
#include <gtest/gtest.h>

#include <vector>

#include "engine/rules.h"
#include "tests/support/table.h"

namespace gub {
namespace {

using namespace gub::testing;

// A one-deck hand of the special card plus `extra` other cards of its suit,
// padded with the given filler.
void SetHandWith(GameState& game, int32_t seat, int32_t special, std::vector<int32_t> others) {
  int32_t* hand = game.oneDeckHands[seat];
  for (int32_t i = 0; i < 13; ++i) hand[i] = -1;
  int32_t n = 0;
  InsertSorted(hand, n++, special);
  for (int32_t c : others) InsertSorted(hand, n++, c);
}

class DeclareOneDeck : public ::testing::Test {
 protected:
  void SetUp() override { ResetForPlay(game); }
  GameState game;
  Settings settings;
};

TEST_F(DeclareOneDeck, GubCardWithOneOrSixSpadesButNotTwoToFive) {
  const std::vector<int32_t> otherSpades = {Spade(14), Spade(3), Spade(4), Spade(5), Spade(6)};
  for (size_t extra = 0; extra <= otherSpades.size(); ++extra) {
    ResetForPlay(game);
    std::vector<int32_t> others(otherSpades.begin(), otherSpades.begin() + extra);
    others.push_back(Heart(9));  // another suit does not count
    SetHandWith(game, 1, CardGub, others);
    DeclareForSeat(game, settings, 1);
    const bool declares = extra == 0 || extra == 5;
    EXPECT_EQ(game.gubMult, declares ? 2 : 1) << extra + 1 << " spades";
    EXPECT_EQ(game.declarations[DeclGub].card, declares ? CardGub : -1);
    if (declares) {
      EXPECT_EQ(game.declarations[DeclGub].seat, 1);
    }
  }
  // The house rule declares it whatever the count.
  ResetForPlay(game);
  settings.declareExceptSheep = 1;
  SetHandWith(game, 2, CardGub, {Spade(3), Spade(4)});
  DeclareForSeat(game, settings, 2);
  EXPECT_EQ(game.gubMult, 2);
  EXPECT_EQ(game.declarations[DeclGub].seat, 2);
}

TEST_F(DeclareOneDeck, HeartAceNeedsThreeHeartsOfRankSevenOrLower) {
  // Two low hearts and an eight: not enough (the eight is not low).
  SetHandWith(game, 3, CardHeartAce, {Heart(2), Heart(7), Heart(8), Heart(13)});
  DeclareForSeat(game, settings, 3);
  EXPECT_EQ(game.heartsMult, 1);
  EXPECT_EQ(game.declarations[DeclHeartAce].card, -1);

  SetHandWith(game, 3, CardHeartAce, {Heart(2), Heart(7), Heart(6)});
  DeclareForSeat(game, settings, 3);
  EXPECT_EQ(game.heartsMult, 2);
  EXPECT_EQ(game.declarations[DeclHeartAce].seat, 3);
  EXPECT_EQ(game.declarations[DeclHeartAce].card, CardHeartAce);

  ResetForPlay(game);
  settings.declareExceptSheep = 1;
  SetHandWith(game, 3, CardHeartAce, {Heart(2)});
  DeclareForSeat(game, settings, 3);
  EXPECT_EQ(game.heartsMult, 2);
}

TEST_F(DeclareOneDeck, DoubleNeedsFiveClubs) {
  SetHandWith(game, 1, CardDouble, {Club(2), Club(3), Club(14), Diamond(5), Diamond(6)});
  DeclareForSeat(game, settings, 1);
  EXPECT_EQ(game.doubleMult, 1);
  SetHandWith(game, 1, CardDouble, {Club(2), Club(3), Club(14), Club(4)});
  DeclareForSeat(game, settings, 1);
  EXPECT_EQ(game.doubleMult, 2);
  EXPECT_EQ(game.declarations[DeclDouble].seat, 1);
  EXPECT_EQ(game.declarations[DeclDouble].card, CardDouble);
}

TEST_F(DeclareOneDeck, SheepNeedsFiveDiamondsAndIsNeverTheHumansAutomatically) {
  SetHandWith(game, 2, CardSheep, {Diamond(2), Diamond(3), Diamond(14), Club(5)});
  DeclareForSeat(game, settings, 2);
  EXPECT_EQ(game.sheepMult, 1);
  SetHandWith(game, 2, CardSheep, {Diamond(2), Diamond(3), Diamond(14), Diamond(4)});
  DeclareForSeat(game, settings, 2);
  EXPECT_EQ(game.sheepMult, 2);
  EXPECT_EQ(game.declarations[DeclSheep].seat, 2);

  // The house rule leaves the sheep alone, for the human and for the others.
  ResetForPlay(game);
  settings.declareExceptSheep = 1;
  SetHandWith(game, 0, CardSheep,
              {Diamond(2), Diamond(3), Diamond(14), Diamond(4), Diamond(5), CardGub, CardHeartAce,
               CardDouble});
  DeclareForSeat(game, settings, 0);
  EXPECT_EQ(game.sheepMult, 1);
  EXPECT_EQ(game.declarations[DeclSheep].card, -1);
  EXPECT_EQ(game.gubMult, 2);
  EXPECT_EQ(game.heartsMult, 2);
  EXPECT_EQ(game.doubleMult, 2);
  EXPECT_EQ(game.declarations[DeclGub].seat, 0);
  ResetForPlay(game);
  SetHandWith(game, 3, CardSheep, {Diamond(2)});
  DeclareForSeat(game, settings, 3);
  EXPECT_EQ(game.sheepMult, 1);
}

TEST_F(DeclareOneDeck, HumanClicksDeclareOnceAndOnlySpecialCards) {
  SetOneDeckHand(game, 0, {CardGub, Spade(14), CardSheep, Club(4)});
  const int32_t gubSlot = SlotOf(game.oneDeckHands[0], 13, CardGub);
  const int32_t sheepSlot = SlotOf(game.oneDeckHands[0], 13, CardSheep);

  EXPECT_FALSE(DeclareHumanCard(game, SlotOf(game.oneDeckHands[0], 13, Spade(14))));
  EXPECT_FALSE(DeclareHumanCard(game, 8));   // empty slot
  EXPECT_FALSE(DeclareHumanCard(game, -1));  // off the hand
  EXPECT_FALSE(DeclareHumanCard(game, 13));
  EXPECT_EQ(game.gubMult + game.heartsMult + game.sheepMult + game.doubleMult, 4);

  EXPECT_TRUE(DeclareHumanCard(game, gubSlot));
  EXPECT_EQ(game.gubMult, 2);
  EXPECT_EQ(game.declarations[DeclGub].seat, 0);
  EXPECT_EQ(game.declarations[DeclGub].card, CardGub);
  EXPECT_FALSE(DeclareHumanCard(game, gubSlot));  // already declared

  // The human may declare the sheep by hand.
  EXPECT_TRUE(DeclareHumanCard(game, sheepSlot));
  EXPECT_EQ(game.sheepMult, 2);
  EXPECT_EQ(game.declarations[DeclSheep].seat, 0);
  EXPECT_EQ(game.heartsMult, 1);
  EXPECT_EQ(game.doubleMult, 1);
}

// --- Two decks ---------------------------------------------------------------

// A 26-card hand: `special` `copies` times, then cards of its suit until the
// suit count is `suitCount`, then filler of the other suits.
void SetTwoDeckHandWith(GameState& game, int32_t seat, int32_t special, int32_t copies,
                        int32_t suitCount) {
  int32_t* hand = game.twoDeckHands[seat];
  for (int32_t i = 0; i < 26; ++i) hand[i] = -1;
  int32_t n = 0;
  const int32_t suit = game.cards[special].suit;
  for (int32_t i = 0; i < copies; ++i) InsertSorted(hand, n++, special);
  int32_t inSuit = copies;
  for (int32_t c = 0; c < 104 && n < 26; ++c) {
    const int32_t card = c % 52;
    if (card == special) continue;
    const bool same = game.cards[card].suit == suit;
    if (same && inSuit >= suitCount) continue;
    if (!same && n - inSuit >= 26 - suitCount) continue;
    InsertSorted(hand, n++, card);
    if (same) ++inSuit;
  }
}

struct TwoDeckCondition {
  int32_t k;
  int32_t card;
  int32_t needed;  // suit count at which a computer seat declares
};

class DeclareTwoDecksBoundary : public ::testing::TestWithParam<TwoDeckCondition> {};

TEST_P(DeclareTwoDecksBoundary, OneBelowTheCountDoesNotDeclare) {
  const TwoDeckCondition c = GetParam();
  Settings settings;
  GameState game;
  ResetForPlay(game);
  SetTwoDeckHandWith(game, 1, c.card, 1, c.needed - 1);
  DeclareForSeatTwoDecks(game, settings, 1);
  EXPECT_EQ(game.declarations[c.k].card, -1);

  SetTwoDeckHandWith(game, 1, c.card, 1, c.needed);
  DeclareForSeatTwoDecks(game, settings, 1);
  EXPECT_EQ(game.declarations[c.k].seat, 1);
  EXPECT_EQ(game.declarations[c.k].card, c.card);
  EXPECT_EQ(game.secondDeclarations[c.k].card, -1);  // one copy only
  const int32_t mults[4] = {game.gubMult, game.heartsMult, game.doubleMult, game.sheepMult};
  EXPECT_EQ(mults[c.k], 2);
}

INSTANTIATE_TEST_SUITE_P(EachCard, DeclareTwoDecksBoundary,
                         ::testing::Values(TwoDeckCondition{DeclGub, CardGub, 12},
                                           TwoDeckCondition{DeclHeartAce, CardHeartAce, 12},
                                           TwoDeckCondition{DeclDouble, CardDouble, 10},
                                           TwoDeckCondition{DeclSheep, CardSheep, 10}));

TEST(DeclareTwoDecks, HouseRuleDeclaresAllButTheHumansSheep) {
  Settings settings;
  settings.declareExceptSheep = 1;
  GameState game;
  ResetForPlay(game);
  SetTwoDeckHand(
      game, 0,
      {CardGub, CardHeartAce, CardDouble, CardSheep, CardSheep, Diamond(2), Diamond(3), Diamond(4),
       Diamond(5), Diamond(6), Diamond(7), Diamond(8), Diamond(9), Diamond(10)});
  DeclareForSeatTwoDecks(game, settings, 0);
  EXPECT_EQ(game.gubMult, 2);
  EXPECT_EQ(game.heartsMult, 2);
  EXPECT_EQ(game.doubleMult, 2);
  EXPECT_EQ(game.sheepMult, 1);
  EXPECT_EQ(game.declarations[DeclSheep].card, -1);
  EXPECT_EQ(game.declarations[DeclDouble].seat, 0);
}

TEST(DeclareTwoDecks, SecondCopyOfAnotherSeatGoesToTheSecondRecord) {
  Settings settings;
  settings.declareExceptSheep = 1;
  GameState game;
  ResetForPlay(game);
  SetTwoDeckHand(game, 1, {CardGub, Spade(3)});
  SetTwoDeckHand(game, 3, {CardGub, Heart(3)});
  DeclareForSeatTwoDecks(game, settings, 1);
  EXPECT_EQ(game.gubMult, 2);
  DeclareForSeatTwoDecks(game, settings, 3);
  EXPECT_EQ(game.gubMult, 2);
  EXPECT_EQ(game.declarations[DeclGub].seat, 1);
  EXPECT_EQ(game.declarations[DeclGub].card, CardGub);
  EXPECT_EQ(game.secondDeclarations[DeclGub].seat, 3);
  EXPECT_EQ(game.secondDeclarations[DeclGub].card, CardGub);
}

TEST(DeclareTwoDecks, BothCopiesInOneHandFillBothRecords) {
  Settings settings;
  GameState game;
  ResetForPlay(game);
  SetTwoDeckHandWith(game, 2, CardDouble, 2, 10);
  DeclareForSeatTwoDecks(game, settings, 2);
  EXPECT_EQ(game.declarations[DeclDouble].seat, 2);
  EXPECT_EQ(game.secondDeclarations[DeclDouble].seat, 2);
  EXPECT_EQ(game.secondDeclarations[DeclDouble].card, CardDouble);
  EXPECT_EQ(game.doubleMult, 2);
}

class HumanDeclaresTwoDecks : public ::testing::Test {
 protected:
  void SetUp() override { ResetForPlay(game); }
  int32_t Slot(int32_t card) { return SlotOf(game.twoDeckHands[0], 26, card); }
  GameState game;
};

TEST_F(HumanDeclaresTwoDecks, OneCopyFillsTheFirstRecordOnly) {
  SetTwoDeckHand(game, 0, {CardHeartAce, Heart(3), Club(5)});
  EXPECT_FALSE(DeclareHumanCardTwoDecks(game, Slot(Club(5))));
  EXPECT_FALSE(DeclareHumanCardTwoDecks(game, 10));  // empty slot
  EXPECT_FALSE(DeclareHumanCardTwoDecks(game, 26));  // off the hand
  EXPECT_EQ(game.heartsMult, 1);
  EXPECT_TRUE(DeclareHumanCardTwoDecks(game, Slot(CardHeartAce)));
  EXPECT_EQ(game.heartsMult, 2);
  EXPECT_EQ(game.declarations[DeclHeartAce].seat, 0);
  EXPECT_EQ(game.declarations[DeclHeartAce].card, CardHeartAce);
  EXPECT_EQ(game.secondDeclarations[DeclHeartAce].card, -1);
  EXPECT_FALSE(DeclareHumanCardTwoDecks(game, Slot(CardHeartAce)));  // the human's already
}

TEST_F(HumanDeclaresTwoDecks, BothCopiesFillBothRecords) {
  SetTwoDeckHand(game, 0, {CardSheep, Diamond(2), CardSheep});
  EXPECT_TRUE(DeclareHumanCardTwoDecks(game, Slot(CardSheep) + 1));
  EXPECT_EQ(game.sheepMult, 2);
  EXPECT_EQ(game.declarations[DeclSheep].seat, 0);
  EXPECT_EQ(game.secondDeclarations[DeclSheep].seat, 0);
  EXPECT_EQ(game.secondDeclarations[DeclSheep].card, CardSheep);
  EXPECT_FALSE(DeclareHumanCardTwoDecks(game, Slot(CardSheep)));
}

TEST_F(HumanDeclaresTwoDecks, SecondCopyAfterAComputerSeat) {
  game.declarations[DeclGub] = Declaration{2, CardGub};
  game.gubMult = 2;
  SetTwoDeckHand(game, 0, {CardGub});
  EXPECT_TRUE(DeclareHumanCardTwoDecks(game, 0));
  EXPECT_EQ(game.declarations[DeclGub].seat, 2);
  EXPECT_EQ(game.secondDeclarations[DeclGub].seat, 0);
  EXPECT_EQ(game.secondDeclarations[DeclGub].card, CardGub);
  // Both copies declared: nothing more to record.
  EXPECT_FALSE(DeclareHumanCardTwoDecks(game, 0));
  EXPECT_EQ(game.secondDeclarations[DeclGub].seat, 0);
}

TEST_F(HumanDeclaresTwoDecks, BothCopiesAlreadyDeclaredByOthersChangeNothing) {
  game.declarations[DeclDouble] = Declaration{1, CardDouble};
  game.secondDeclarations[DeclDouble] = Declaration{3, CardDouble};
  game.doubleMult = 2;
  SetTwoDeckHand(game, 0, {CardDouble});
  EXPECT_FALSE(DeclareHumanCardTwoDecks(game, 0));
  EXPECT_EQ(game.declarations[DeclDouble].seat, 1);
  EXPECT_EQ(game.secondDeclarations[DeclDouble].seat, 3);
}

}  // namespace
}  // namespace gub
