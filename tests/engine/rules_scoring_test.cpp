// SPDX-License-Identifier: MIT
// Scoring: the taken-card lists, the all-hearts bonuses, the ten of clubs,
// the end of a deal, and the totals, score limit and sounds of CloseDeal.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "engine/rules.h"
#include "tests/support/table.h"

namespace gub {
namespace {

using namespace gub::testing;

struct Trick {
  int32_t leader;
  int32_t cards[4];
};

// Plays a whole one-deck deal trick by trick through the rules, checking
// that the tricks use every card exactly once.
void PlayDeal(GameState& game, const std::vector<Trick>& tricks) {
  ASSERT_EQ(tricks.size(), 13u);
  int32_t seen[52] = {};
  for (const Trick& t : tricks) {
    for (int32_t c : t.cards) ++seen[c];
    PlayTrick(game, t.leader, t.cards);
  }
  for (int32_t c = 0; c < 52; ++c) ASSERT_EQ(seen[c], 1) << c;
}

// Seat 0 leads the thirteen spades from the ace down; the other seats throw
// every other card: seat 0 takes all sixteen scoring cards.
std::vector<Trick> SeatZeroTakesEverything() {
  std::vector<int32_t> rest;
  for (int32_t c = 0; c < 52; ++c) {
    if (c % 4 != 3) rest.push_back(c);
  }
  std::vector<Trick> tricks;
  for (int32_t t = 0; t < 13; ++t) {
    tricks.push_back(Trick{0, {Spade(14 - t), rest[3 * t], rest[3 * t + 1], rest[3 * t + 2]}});
  }
  return tricks;
}

// Seat 0 takes the thirteen hearts (with three low clubs); seat 1 leads the
// high spades and takes everything else, the gub card, the ten of clubs and
// the sheep included.
std::vector<Trick> SeatZeroTakesAllHeartsOnly() {
  std::vector<Trick> tricks = {
      {0, {Heart(14), Heart(13), Heart(12), Heart(11)}},
      {0, {Heart(10), Heart(9), Heart(8), Heart(7)}},
      {0, {Heart(6), Heart(5), Heart(4), Heart(3)}},
      {0, {Heart(2), Club(2), Club(3), Club(4)}},
  };
  std::vector<int32_t> rest;
  for (int32_t r = 5; r >= 2; --r) rest.push_back(Spade(r));
  for (int32_t r = 5; r <= 14; ++r) rest.push_back(Club(r));
  for (int32_t r = 2; r <= 14; ++r) rest.push_back(Diamond(r));
  for (int32_t t = 0; t < 9; ++t) {
    tricks.push_back(Trick{1, {Spade(14 - t), rest[3 * t], rest[3 * t + 1], rest[3 * t + 2]}});
  }
  return tricks;
}

class OneDeckScoring : public ::testing::Test {
 protected:
  void SetUp() override { ResetForPlay(game); }
  void DeclareAll() { game.heartsMult = game.gubMult = game.sheepMult = game.doubleMult = 2; }
  GameState game;
};

TEST_F(OneDeckScoring, AllSixteenCardsMakeEightHundred) {
  PlayDeal(game, SeatZeroTakesEverything());
  EXPECT_EQ(game.dealScore[0], -200);  // hearts -200, gub card -100, sheep +100
  FinishDealOneDeck(game);
  EXPECT_EQ(game.dealScore[0], 800);  // +600 bonus, then doubled
  EXPECT_EQ(game.dealScore[1] + game.dealScore[2] + game.dealScore[3], 0);
  EXPECT_EQ(game.turnSeat, -1);
  EXPECT_EQ(game.phase, PhaseDealOver);
}

TEST_F(OneDeckScoring, AllSixteenCardsWithEveryCardDeclared) {
  DeclareAll();
  PlayDeal(game, SeatZeroTakesEverything());
  EXPECT_EQ(game.dealScore[0], -400);  // hearts -400, gub -200, sheep +200
  FinishDealOneDeck(game);
  EXPECT_EQ(game.dealScore[0], (-400 + 1200) * 4);
}

TEST_F(OneDeckScoring, AllHeartsWithoutTheGubCardTurnPositive) {
  PlayDeal(game, SeatZeroTakesAllHeartsOnly());
  FinishDealOneDeck(game);
  EXPECT_EQ(game.dealScore[0], 200);
  // Seat 1 took the gub card, the sheep and the ten: 0 doubled stays 0, and
  // with the gub card taken the ten is not worth 50.
  EXPECT_EQ(game.dealScore[1], 0);

  ResetForPlay(game);
  game.heartsMult = 2;
  PlayDeal(game, SeatZeroTakesAllHeartsOnly());
  FinishDealOneDeck(game);
  EXPECT_EQ(game.dealScore[0], 400);
}

TEST_F(OneDeckScoring, AllHeartsBehindTheGubCardStillCount) {
  // Fourteen cards, the gub card first: the hearts turn, the gub card not.
  SetRecord(game, 0, 2, {Heart(14), Heart(13), Heart(12), Heart(11)});
  SetRecord(game, 1, 2, {Heart(10), Heart(9), Heart(8), Heart(7)});
  SetRecord(game, 2, 2, {Heart(6), Heart(5), Heart(4), Heart(3)});
  SetRecord(game, 3, 2, {CardGub, Heart(2), Club(3), Club(4)});
  game.dealScore[2] = -300;
  ScoreDealBonuses(game);
  EXPECT_EQ(game.dealScore[2], 100);
}

TEST_F(OneDeckScoring, FifteenCardsNeedEveryHeartForTheBonus) {
  // Thirteen hearts, the ten and the sheep: the hearts bonus.
  SetRecord(game, 0, 3, {Heart(14), Heart(13), Heart(12), Heart(11)});
  SetRecord(game, 1, 3, {Heart(10), Heart(9), Heart(8), Heart(7)});
  SetRecord(game, 2, 3, {Heart(6), Heart(5), Heart(4), Heart(3)});
  SetRecord(game, 3, 3, {Heart(2), CardDouble, CardSheep, Club(4)});
  ScoreDealBonuses(game);
  EXPECT_EQ(game.dealScore[3], 400);

  // Twelve hearts, the gub card, the ten and the sheep: fifteen cards, but a
  // heart is missing, so no bonus.
  ResetForPlay(game);
  SetRecord(game, 0, 3, {Heart(14), Heart(13), Heart(12), Heart(11)});
  SetRecord(game, 1, 3, {Heart(10), Heart(9), Heart(8), Heart(7)});
  SetRecord(game, 2, 3, {Heart(6), Heart(5), Heart(4), Heart(3)});
  SetRecord(game, 3, 3, {CardGub, CardDouble, CardSheep, Club(4)});
  SetRecord(game, 4, 1, {Heart(2), Club(5), Club(6), Club(7)});
  ScoreDealBonuses(game);
  EXPECT_EQ(game.dealScore[3], 0);
  EXPECT_EQ(game.dealScore[1], 0);
}

TEST_F(OneDeckScoring, TenOfClubsAloneIsWorthFiftyOrAHundredDeclared) {
  SetRecord(game, 6, 1, {Club(2), CardDouble, Club(3), Diamond(4)});
  ApplyDouble(game);
  EXPECT_EQ(game.dealScore[1], 50);

  ResetForPlay(game);
  game.doubleMult = 2;
  SetRecord(game, 6, 1, {Club(2), CardDouble, Club(3), Diamond(4)});
  ApplyDouble(game);
  EXPECT_EQ(game.dealScore[1], 100);
}

TEST_F(OneDeckScoring, TenOfClubsDoublesItsTakersPoints) {
  SetRecord(game, 0, 2, {Diamond(2), CardSheep, Diamond(3), Diamond(4)});
  SetRecord(game, 1, 2, {Club(2), CardDouble, Club(3), Diamond(5)});
  game.dealScore[2] = 100;
  ApplyDouble(game);
  EXPECT_EQ(game.dealScore[2], 200);

  ResetForPlay(game);
  DeclareAll();
  SetRecord(game, 0, 2, {Diamond(2), CardSheep, Diamond(3), Diamond(4)});
  SetRecord(game, 1, 2, {Club(2), CardDouble, Club(3), Diamond(5)});
  game.dealScore[2] = 200;
  ApplyDouble(game);
  EXPECT_EQ(game.dealScore[2], 800);
}

// Records a real deal cannot make, holding a ten more often than the decks
// have it, still count every copy in record order.
TEST_F(OneDeckScoring, ExtraCopiesOfATenCountInRecordOrder) {
  SetRecord(game, 0, 1, {Club(2), CardDouble, Club(3), Diamond(5)});
  SetRecord(game, 1, 2, {Club(4), CardDouble, Club(5), Diamond(6)});
  game.dealScore[1] = 10;
  game.dealScore[2] = 10;
  ApplyDouble(game);
  EXPECT_EQ(game.dealScore[1], 20);  // only the first taker doubles
  EXPECT_EQ(game.dealScore[2], 10);

  ResetForPlay(game);
  SetRecord(game, 0, 2, {CardDouble, Club(3), Club(4), Club(5)}, {CardDouble, CardDouble, -1, -1});
  game.trickNumber = 1;
  game.dealScore[2] = -20;
  ApplyDoubleTwoDecks(game);
  EXPECT_EQ(game.dealScore[2], -160);  // three tens, three doublings
}

TEST_F(OneDeckScoring, TenOfClubsWithAZeroHeartKeepsZero) {
  SetRecord(game, 0, 0, {Club(2), CardDouble, Heart(2), Diamond(5)});
  ApplyDouble(game);
  EXPECT_EQ(game.dealScore[0], 0);
  // A negative score is doubled like any other.
  ResetForPlay(game);
  SetRecord(game, 0, 0, {Club(2), CardDouble, Heart(5), Diamond(5)});
  game.dealScore[0] = -10;
  ApplyDouble(game);
  EXPECT_EQ(game.dealScore[0], -20);
}

TEST_F(OneDeckScoring, TenOfClubsInAnUnplayedRecordIsIgnored) {
  SetRecord(game, 0, -1, {Club(2), CardDouble, Heart(2), Diamond(5)});
  ApplyDouble(game);
  for (int32_t s = 0; s < 4; ++s) EXPECT_EQ(game.dealScore[s], 0);
}

// --- Taken-card lists --------------------------------------------------------

TEST(TakenLists, HandOrderOnlyScoringCardsOnlyTheWinner) {
  GameState game;
  ResetForPlay(game);
  SetRecord(game, 0, 1, {CardSheep, Heart(3), Club(9), CardDouble});
  SetRecord(game, 1, 1, {Heart(14), Spade(13), CardGub, Heart(12)});
  SetRecord(game, 2, 2, {Heart(11), Spade(3), Spade(4), Spade(5)});
  SetRecord(game, 3, -1, {Heart(10), Spade(6), Spade(7), Spade(8)});  // not played
  SetRecord(game, 13, 1, {Heart(9), Heart(8), Heart(7), Heart(6)});   // beyond one deck
  TakenScoringCards taken;
  BuildTakenLists(game, taken);
  const int32_t expected[] = {CardGub, Heart(14), Heart(12), Heart(3), CardDouble, CardSheep};
  ASSERT_EQ(taken.count[1], 6);
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(taken.cards[1][i], expected[i]) << i;
  ASSERT_EQ(taken.count[2], 1);
  EXPECT_EQ(taken.cards[2][0], Heart(11));
  EXPECT_EQ(taken.count[0], 0);
  EXPECT_EQ(taken.count[3], 0);
}

TEST(TakenLists, OnlyTheDrawingsFormFollowsTheGubTaker) {
  GameState game;
  ResetForPlay(game);
  game.gubTakerSeat = 0;
  SetRecord(game, 0, 2, {Spade(2), CardGub, Heart(2), Club(5)});
  SetRecord(game, 1, 1, {Heart(14), Heart(3), Club(3), Club(4)});
  TakenScoringCards taken;
  BuildTakenLists(game, taken);
  EXPECT_EQ(game.gubTakerSeat, 0);
  BuildTakenListsAndGubTaker(game, taken);
  EXPECT_EQ(game.gubTakerSeat, 2);
  ResetForPlay(game);  // no gub card taken: the last taker stays
  BuildTakenListsAndGubTaker(game, taken);
  EXPECT_EQ(game.gubTakerSeat, 2);
}

TEST(TakenLists, TwoDecksReadSecondsAndAllRecordsHigherSeatWinsTheGubTaker) {
  GameState game;
  ResetForPlay(game);
  SetRecord(game, 0, 3, {Spade(2), Heart(2), Club(5), Club(6)},
            {Spade(3), CardGub, Heart(14), Club(7)});
  SetRecord(game, 20, 1, {CardGub, Club(3), Club(4), Club(8)}, {Spade(14), -1, -1, -1});
  SetRecord(game, 25, 1, {CardHeartAce, CardHeartAce, Club(3), Club(9)});
  TakenScoringCards taken;
  BuildTakenListsTwoDecks(game, taken);
  ASSERT_EQ(taken.count[3], 3);
  EXPECT_EQ(taken.cards[3][0], CardGub);
  EXPECT_EQ(taken.cards[3][1], Heart(14));
  EXPECT_EQ(taken.cards[3][2], Heart(2));
  ASSERT_EQ(taken.count[1], 3);
  EXPECT_EQ(taken.cards[1][1], CardHeartAce);
  EXPECT_EQ(game.gubTakerSeat, -1);
  BuildTakenListsTwoDecksAndGubTaker(game, taken);
  EXPECT_EQ(game.gubTakerSeat, 3);
}

// --- Two decks ---------------------------------------------------------------

class TwoDeckScoring : public ::testing::Test {
 protected:
  void SetUp() override { ResetForPlay(game); }
  // Gives `seat` the cards in tricks of up to four first cards each, from
  // record `first` on.
  int32_t Give(int32_t seat, const std::vector<int32_t>& cards, int32_t first) {
    int32_t t = first;
    for (size_t i = 0; i < cards.size(); i += 4, ++t) {
      int32_t four[4] = {-1, -1, -1, -1};
      for (size_t k = 0; k < 4 && i + k < cards.size(); ++k) four[k] = cards[i + k];
      SetRecord(game, t, seat, four);
    }
    game.trickNumber = t;
    return t;
  }
  static std::vector<int32_t> AllHearts() {
    std::vector<int32_t> hearts;
    for (int32_t r = 2; r <= 14; ++r) {
      hearts.push_back(Heart(r));
      hearts.push_back(Heart(r));
    }
    return hearts;
  }
  GameState game;
};

TEST_F(TwoDeckScoring, EveryScoringCardTurnsHeartsAndQueens) {
  std::vector<int32_t> cards = AllHearts();
  for (int32_t c : {CardGub, CardDouble, CardSheep}) cards.insert(cards.end(), {c, c});
  Give(2, cards, 0);
  game.heartsMult = 2;
  ScoreDealBonusesTwoDecks(game);
  EXPECT_EQ(game.dealScore[2], 400 * (2 * 2 + 1));
}

TEST_F(TwoDeckScoring, AllHeartsBehindNoneOneOrTwoQueens) {
  for (int32_t queens = 0; queens <= 2; ++queens) {
    for (bool withTen : {false, true}) {
      ResetForPlay(game);
      std::vector<int32_t> cards = AllHearts();
      for (int32_t q = 0; q < queens; ++q) cards.push_back(CardGub);
      if (withTen) cards.push_back(CardDouble);
      Give(1, cards, 0);
      ScoreDealBonusesTwoDecks(game);
      EXPECT_EQ(game.dealScore[1], 800) << queens << " queens, ten " << withTen;
    }
  }
  // Twenty-five hearts and a queen: twenty-six cards, but not all hearts.
  ResetForPlay(game);
  std::vector<int32_t> cards = AllHearts();
  cards.pop_back();
  cards.push_back(CardGub);
  Give(1, cards, 0);
  ScoreDealBonusesTwoDecks(game);
  EXPECT_EQ(game.dealScore[1], 0);
}

TEST_F(TwoDeckScoring, BothTensDoubleTwice) {
  SetRecord(game, 0, 2, {CardDouble, Heart(5), Club(3), Club(4)}, {CardDouble, Heart(6), -1, -1});
  game.trickNumber = 1;
  game.dealScore[2] = -20;
  ApplyDoubleTwoDecks(game);
  EXPECT_EQ(game.dealScore[2], -80);

  ResetForPlay(game);
  game.doubleMult = 2;
  SetRecord(game, 0, 2, {CardDouble, Heart(5), Club(3), Club(4)}, {CardDouble, Heart(6), -1, -1});
  game.trickNumber = 1;
  game.dealScore[2] = -20;
  ApplyDoubleTwoDecks(game);
  EXPECT_EQ(game.dealScore[2], -320);
}

TEST_F(TwoDeckScoring, TensAloneAreWorthFiftyEach) {
  SetRecord(game, 0, 0, {CardDouble, Club(2), Club(3), Club(4)});
  SetRecord(game, 1, 3, {Club(5), CardDouble, Club(6), Club(7)});
  SetRecord(game, 2, 3, {Club(8), CardDouble, Club(9), Club(10)});  // beyond the deal
  game.trickNumber = 2;
  ApplyDoubleTwoDecks(game);
  EXPECT_EQ(game.dealScore[0], 50);
  EXPECT_EQ(game.dealScore[3], 50);

  ResetForPlay(game);
  game.doubleMult = 2;
  SetRecord(game, 0, 0, {CardDouble, Club(2), Club(3), Club(4)}, {CardDouble, -1, -1, -1});
  game.trickNumber = 1;
  ApplyDoubleTwoDecks(game);
  EXPECT_EQ(game.dealScore[0], 2 * 2 * 50);
}

TEST_F(TwoDeckScoring, StaleRecordsBeyondTheDealAreNeverExamined) {
  // Seat 1 took one ten in this deal's thirteen tricks; records 13..25 still
  // hold an earlier deal's cards with a winner, a ten and a heart among them.
  SetRecord(game, 0, 1, {CardDouble, Club(2), Club(3), Club(4)});
  for (int32_t t = 1; t < 13; ++t) SetRecord(game, t, 2, {Club(5), Club(6), Club(7), Club(8)});
  SetRecord(game, 20, 1, {CardDouble, Heart(14), CardGub, Club(9)}, {CardDouble, -1, -1, -1});
  game.trickNumber = 13;
  game.dealScore[2] = 30;
  FinishDealTwoDecks(game);
  EXPECT_EQ(game.dealScore[1], 50);
  EXPECT_EQ(game.dealScore[2], 30);
  EXPECT_EQ(game.turnSeat, -1);
  EXPECT_EQ(game.phase, PhaseDealOver);
}

// --- Closing a deal ----------------------------------------------------------

class CloseDealTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetForPlay(game);
    game.phase = PhaseDealOver;
  }
  void Close(bool twoDeckDriver = false) { CloseDeal(game, settings, random, view, twoDeckDriver); }
  void SetDeal(int32_t a, int32_t b, int32_t c, int32_t d) {
    game.dealScore[0] = a;
    game.dealScore[1] = b;
    game.dealScore[2] = c;
    game.dealScore[3] = d;
  }
  GameState game;
  Settings settings;
  ScriptedRandom random{{3, 17, 40}};
  RecordingTable view;
};

TEST_F(CloseDealTest, EachSeatAddsItsOwnScoreThenANewDeal) {
  game.matchTotal[1] = -300;
  SetDeal(100, -200, 50, 0);
  Close();
  EXPECT_EQ(game.matchTotal[0], 100);
  EXPECT_EQ(game.matchTotal[1], -500);
  EXPECT_EQ(game.matchTotal[2], 50);
  EXPECT_EQ(game.matchTotal[3], 0);
  EXPECT_EQ(game.phase, PhaseDeclaring);
  EXPECT_EQ(random.beginDeals, 1);
  EXPECT_NE(game.oneDeckHands[0][12], -1);
  for (int32_t s = 0; s < 4; ++s) EXPECT_EQ(game.dealScore[s], 0);
  EXPECT_TRUE(view.calls.empty());  // the driver redraws
}

TEST_F(CloseDealTest, PartnersAddTheirSumAndStayEqual) {
  settings.oppositeIsFriend = 1;
  game.matchTotal[0] = game.matchTotal[2] = 40;
  SetDeal(100, -200, 50, -30);
  Close();
  EXPECT_EQ(game.matchTotal[0], 190);
  EXPECT_EQ(game.matchTotal[2], 190);
  EXPECT_EQ(game.matchTotal[1], -230);
  EXPECT_EQ(game.matchTotal[3], -230);
}

TEST_F(CloseDealTest, ExactlyMinusTheLimitEndsTheMatch) {
  SetDeal(0, -999, 0, 0);
  Close();
  EXPECT_EQ(game.phase, PhaseDeclaring);
  EXPECT_TRUE(view.calls.empty());

  game.phase = PhaseDealOver;
  SetDeal(0, -1, 0, 0);
  Close();
  EXPECT_EQ(game.matchTotal[1], -1000);
  EXPECT_EQ(game.phase, PhaseMatchOver);
  EXPECT_EQ(random.beginDeals, 1);  // no new deal
  EXPECT_EQ(view.calls, std::vector<std::string>{"effect win.wav"});
}

TEST_F(CloseDealTest, SoundFollowsTheHumansTotalAndTheSetting) {
  SetDeal(-1200, -1500, 0, 0);  // two seats past the limit: one sound
  Close();
  EXPECT_EQ(game.phase, PhaseMatchOver);
  EXPECT_EQ(view.calls, std::vector<std::string>{"effect lose.wav"});

  ResetForPlay(game);
  for (int32_t& total : game.matchTotal) total = 0;
  view.calls.clear();
  settings.soundOn = 0;
  SetDeal(-1200, 0, 0, 0);
  Close();
  EXPECT_EQ(game.phase, PhaseMatchOver);
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(CloseDealTest, PartnershipDecidesTheHumansSound) {
  settings.oppositeIsFriend = 1;
  settings.maxScore = 500;
  SetDeal(-300, 100, -300, 100);  // the human's side reaches -600
  Close();
  EXPECT_EQ(view.calls, std::vector<std::string>{"effect lose.wav"});

  ResetForPlay(game);
  for (int32_t& total : game.matchTotal) total = 0;
  view.calls.clear();
  SetDeal(100, -250, 0, -250);
  Close();
  EXPECT_EQ(game.matchTotal[1], -500);
  EXPECT_EQ(view.calls, std::vector<std::string>{"effect win.wav"});
}

TEST_F(CloseDealTest, NextDealFollowsTheDriverAndTheSetting) {
  settings.twoDecks = 1;
  Close(false);  // the one-deck driver always deals one deck
  EXPECT_NE(game.oneDeckHands[0][12], -1);
  EXPECT_EQ(game.twoDeckHands[0][25], 0);  // never dealt

  game.phase = PhaseDealOver;
  Close(true);
  EXPECT_NE(game.twoDeckHands[0][25], -1);
  EXPECT_EQ(game.oneDeckHands[0][0], -1);

  game.phase = PhaseDealOver;
  settings.twoDecks = 0;
  Close(true);
  EXPECT_NE(game.oneDeckHands[0][12], -1);
  EXPECT_EQ(random.beginDeals, 3);
}

TEST_F(CloseDealTest, TotalsSaturateInsteadOfWrapping) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  settings.maxScore = kMax;
  game.matchTotal[0] = kMax - 10;
  game.matchTotal[3] = -2'000'000'000;
  SetDeal(1000, 0, 0, -1'000'000'000);
  Close();
  EXPECT_EQ(game.matchTotal[0], kMax);
  EXPECT_EQ(game.matchTotal[3], kMin);  // at the floor, which ends the match
  EXPECT_EQ(game.phase, PhaseMatchOver);

  // Partners' sums are taken before clamping, so they stay equal.
  ResetForPlay(game);
  settings.oppositeIsFriend = 1;
  settings.maxScore = kMin;  // -maxScore does not fit in 32 bits
  game.matchTotal[1] = game.matchTotal[3] = kMax - 5;
  SetDeal(0, kMax, 0, kMax);
  Close();
  EXPECT_EQ(game.matchTotal[1], kMax);
  EXPECT_EQ(game.matchTotal[3], kMax);
  EXPECT_EQ(game.phase, PhaseMatchOver);  // every total is at most 2^31
}

TEST(ScoreLimits, DealScoresSaturateInsteadOfOverflowing) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  GameState game;
  ResetForPlay(game);
  game.doubleMult = 2;
  SetRecord(game, 0, 1, {CardDouble, Club(2), Club(3), Club(4)}, {CardDouble, -1, -1, -1});
  game.trickNumber = 1;
  game.dealScore[1] = kMax / 3;
  ApplyDoubleTwoDecks(game);
  EXPECT_EQ(game.dealScore[1], kMax);

  ResetForPlay(game);
  SetRecord(game, 0, 2, {CardDouble, Heart(5), Club(3), Club(4)});
  game.dealScore[2] = kMin + 1;
  ApplyDouble(game);
  EXPECT_EQ(game.dealScore[2], kMin);

  ResetForPlay(game);
  game.dealScore[0] = kMax - 5;
  PlayTrick(game, 0, {CardSheep, Diamond(2), Diamond(3), Diamond(4)});
  EXPECT_EQ(game.dealScore[0], kMax);
}

}  // namespace
}  // namespace gub
