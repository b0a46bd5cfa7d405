// SPDX-License-Identifier: MIT
// Dealing: placement of the shuffle, hand order, resets, declarations made by
// the deal and the first leader, one and two decks.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "engine/rules.h"
#include "tests/support/table.h"

namespace gub {
namespace {

using namespace gub::testing;

// Every hand holds `size` cards in descending (suit, rank) order, followed by
// nothing; `copies` is how often each card number appears over all hands.
template <int32_t Size>
void ExpectCompleteSortedDeal(const GameState& game, const int32_t (&hands)[4][Size],
                              int32_t copies) {
  int32_t seen[52] = {};
  for (int32_t s = 0; s < 4; ++s) {
    for (int32_t i = 0; i < Size; ++i) {
      const int32_t c = hands[s][i];
      ASSERT_GE(c, 0) << "seat " << s << " slot " << i;
      ASSERT_LT(c, 52);
      ++seen[c];
      if (i == 0) continue;
      const Card& before = game.cards[hands[s][i - 1]];
      const Card& now = game.cards[c];
      EXPECT_TRUE(before.suit > now.suit || (before.suit == now.suit && before.rank >= now.rank))
          << "seat " << s << " slot " << i;
    }
  }
  for (int32_t c = 0; c < 52; ++c) EXPECT_EQ(seen[c], copies) << "card " << c;
}

// Seat s gets every rank once (twice with two decks), its suit turning with
// the rank: no seat holds enough of a suit to declare anything.
std::vector<uint32_t> ScriptWithoutDeclarations(bool twoDecks) {
  std::vector<std::vector<int32_t>> hands(4);
  for (int32_t s = 0; s < 4; ++s) {
    for (int32_t k = 0; k < 13; ++k) {
      hands[s].push_back(4 * k + (k + s) % 4);
      if (twoDecks) hands[s].push_back(52 + 4 * k + (k + s) % 4);
    }
  }
  return ScriptForPositions(hands, twoDecks ? 104 : 52);
}

TEST(DealOneDeck, ConstantGeneratorFillsLowestFreePositions) {
  // Card 0 takes position 5; cards 1..5 find it taken and fill 0..4; from
  // card 6 on each card's own position is the lowest free one.
  GameState game;
  Settings settings;
  ScriptedRandom random({5});
  DealOneDeck(game, settings, random);
  EXPECT_EQ(random.beginDeals, 1);
  EXPECT_EQ(random.nextCalls, 52);
  ExpectCompleteSortedDeal(game, game.oneDeckHands, 1);

  // Position -> card: 0:1 1:2 2:3 3:4 4:5 5:0, then p:p.
  int32_t atPosition[52];
  std::iota(atPosition, atPosition + 52, 0);
  const int32_t first[6] = {1, 2, 3, 4, 5, 0};
  std::copy(first, first + 6, atPosition);
  for (int32_t s = 0; s < 4; ++s) {
    std::vector<int32_t> expected;
    for (int32_t k = 0; k < 13; ++k) expected.push_back(atPosition[s + 4 * k]);
    std::vector<int32_t> got(game.oneDeckHands[s], game.oneDeckHands[s] + 13);
    std::sort(expected.begin(), expected.end());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, expected) << "seat " << s;
  }
  EXPECT_EQ(game.turnSeat, 3);  // card 7 at position 7
}

TEST(DealOneDeck, LeaderIsWhereTheTwoOfSpadesActuallyWent) {
  // With every draw 7, card 7 finds position 7 taken by card 0 and goes to 6:
  // seat 2 leads, not seat 3 of the drawn position.
  GameState game;
  Settings settings;
  ScriptedRandom random({7});
  DealOneDeck(game, settings, random);
  EXPECT_EQ(game.turnSeat, 2);
  EXPECT_NE(SlotOf(game.oneDeckHands[2], 13, CardSpadeTwo), -1);
}

TEST(DealOneDeck, HandOrderIsSuitThenRankWhateverTheArrivalOrder) {
  std::vector<std::vector<int32_t>> hands(4);
  hands[0] = {Diamond(13), Club(14),  Heart(2), Spade(12),  Spade(14), Diamond(14), Club(2),
              Spade(13),   Heart(14), Club(11), Diamond(3), Spade(2),  Heart(12)};
  std::vector<bool> used(52, false);
  for (int32_t c : hands[0]) used[c] = true;
  int32_t seat = 1;
  for (int32_t c = 0; c < 52; ++c) {
    if (used[c]) continue;
    hands[seat].push_back(c);
    if (hands[seat].size() == 13) ++seat;
  }
  GameState game;
  Settings settings;
  ScriptedRandom random(ScriptForPositions(hands, 52));
  DealOneDeck(game, settings, random);

  const int32_t expected[13] = {Spade(14),   Spade(13),   Spade(12), Spade(2), Heart(14),
                                Heart(12),   Heart(2),    Club(14),  Club(11), Club(2),
                                Diamond(14), Diamond(13), Diamond(3)};
  for (int32_t i = 0; i < 13; ++i) EXPECT_EQ(game.oneDeckHands[0][i], expected[i]) << i;
  EXPECT_EQ(game.turnSeat, 0);  // seat 0 holds the two of spades
  ExpectCompleteSortedDeal(game, game.oneDeckHands, 1);
}

TEST(DealOneDeck, ResetsTheDealButKeepsTotalsRaisedAndOldCards) {
  GameState game;
  Settings settings;
  for (int32_t s = 0; s < 4; ++s) {
    game.dealScore[s] = 123;
    game.matchTotal[s] = -40 * s;
    game.currentTrick[s] = TrickPlay{(s + 2) % 4, 9, 10};
  }
  for (int32_t t = 0; t < 26; ++t) SetRecord(game, t, 1, {t, t, t, t});
  game.raised[3] = 1;
  game.trickCount = 3;
  game.trickNumber = 9;
  game.leadSuit = SuitHearts;
  game.phase = PhaseDealOver;

  ScriptedRandom random(ScriptWithoutDeclarations(false));
  DealOneDeck(game, settings, random);

  for (int32_t s = 0; s < 4; ++s) {
    EXPECT_EQ(game.dealScore[s], 0);
    EXPECT_EQ(game.matchTotal[s], -40 * s);
    EXPECT_EQ(game.currentTrick[s].card, -1);
    EXPECT_EQ(game.currentTrick[s].seat, (s + 2) % 4);  // seats are left alone
    EXPECT_EQ(game.declarations[s].card, -1);
  }
  for (int32_t t = 0; t < 13; ++t) {
    EXPECT_EQ(game.trickHistory[t].winner, -1) << t;
    EXPECT_EQ(game.trickHistory[t].cards[0], t) << t;
  }
  EXPECT_EQ(game.trickHistory[13].winner, 1);
  EXPECT_EQ(game.raised[3], 1);
  EXPECT_EQ(game.trickCount, 0);
  EXPECT_EQ(game.trickNumber, 0);
  EXPECT_EQ(game.leadSuit, -1);
  EXPECT_EQ(game.phase, PhaseDeclaring);
  EXPECT_EQ(game.heartsMult, 1);
  EXPECT_EQ(game.gubMult, 1);
  EXPECT_EQ(game.sheepMult, 1);
  EXPECT_EQ(game.doubleMult, 1);
  ExpectCompleteSortedDeal(game, game.oneDeckHands, 1);
}

TEST(DealOneDeck, ComputerSeatsDeclareAndTheHumanOnlyUnderTheHouseRule) {
  // Drawing 0 every time deals by suit: seat 0 all clubs, 1 all diamonds,
  // 2 all hearts, 3 all spades.
  GameState game;
  Settings settings;
  ScriptedRandom random({0});
  DealOneDeck(game, settings, random);
  EXPECT_EQ(game.oneDeckHands[1][0], Diamond(14));
  EXPECT_EQ(game.declarations[DeclGub].seat, 3);
  EXPECT_EQ(game.declarations[DeclGub].card, CardGub);
  EXPECT_EQ(game.declarations[DeclHeartAce].seat, 2);
  EXPECT_EQ(game.declarations[DeclSheep].seat, 1);
  EXPECT_EQ(game.declarations[DeclDouble].card, -1);  // the human's ten of clubs
  EXPECT_EQ(game.doubleMult, 1);
  EXPECT_EQ(game.gubMult * game.heartsMult * game.sheepMult, 8);

  settings.declareExceptSheep = 1;
  DealOneDeck(game, settings, random);
  EXPECT_EQ(game.declarations[DeclDouble].seat, 0);
  EXPECT_EQ(game.declarations[DeclDouble].card, CardDouble);
  EXPECT_EQ(game.doubleMult, 2);
}

TEST(DealOneDeck, EarlierGubTakerLeads) {
  GameState game;
  Settings settings;
  game.gubTakerSeat = 2;
  ScriptedRandom random({0});  // the two of spades goes to seat 3
  DealOneDeck(game, settings, random);
  EXPECT_EQ(game.turnSeat, 2);
  DealTwoDecks(game, settings, random);
  EXPECT_EQ(game.turnSeat, 2);
}

TEST(DealOneDeck, SeededDealsAreCompleteAndReproducible) {
  Settings settings;
  for (uint64_t seed = 1; seed <= 50; ++seed) {
    GameState a;
    GameState b;
    SeededRandom ra(seed);
    SeededRandom rb(seed);
    DealOneDeck(a, settings, ra);
    DealOneDeck(b, settings, rb);
    ExpectCompleteSortedDeal(a, a.oneDeckHands, 1);
    for (int32_t s = 0; s < 4; ++s) {
      for (int32_t i = 0; i < 13; ++i) ASSERT_EQ(a.oneDeckHands[s][i], b.oneDeckHands[s][i]);
    }
    // The leader holds the two of spades.
    ASSERT_GE(a.turnSeat, 0);
    EXPECT_NE(SlotOf(a.oneDeckHands[a.turnSeat], 13, CardSpadeTwo), -1) << seed;
  }
}

TEST(DealTwoDecks, EveryNumberTwiceTwentySixPerSeatTwinsAdjacent) {
  Settings settings;
  for (uint64_t seed = 1; seed <= 50; ++seed) {
    GameState game;
    SeededRandom random(seed);
    DealTwoDecks(game, settings, random);
    ExpectCompleteSortedDeal(game, game.twoDeckHands, 2);
    for (int32_t s = 0; s < 4; ++s) {
      const int32_t* hand = game.twoDeckHands[s];
      for (int32_t c = 0; c < 52; ++c) {
        const int32_t first = SlotOf(hand, 26, c);
        if (first == -1) continue;
        for (int32_t i = first + 2; i < 26; ++i) EXPECT_NE(hand[i], c) << "seat " << s;
      }
    }
  }
}

TEST(DealTwoDecks, ConstantGeneratorAndTheFirstTwoOfSpades) {
  // Drawing 10 every time: number 0 takes position 10, numbers 1..10 fill
  // 0..9, the rest keep their own. Number 7 goes to 6 (seat 2); its twin 59
  // goes to 59 (seat 3), which must not decide the leader.
  GameState game;
  Settings settings;
  ScriptedRandom random({10});
  DealTwoDecks(game, settings, random);
  EXPECT_EQ(random.beginDeals, 1);
  EXPECT_EQ(random.nextCalls, 104);
  ExpectCompleteSortedDeal(game, game.twoDeckHands, 2);
  EXPECT_EQ(game.turnSeat, 2);
  EXPECT_NE(SlotOf(game.twoDeckHands[3], 26, CardSpadeTwo), -1);

  // Drawing 0: position p holds p % 52, so seat 3 has both copies of every
  // spade, the two aces first.
  ScriptedRandom identity({0});
  DealTwoDecks(game, settings, identity);
  EXPECT_EQ(game.twoDeckHands[3][0], Spade(14));
  EXPECT_EQ(game.twoDeckHands[3][1], Spade(14));
  EXPECT_EQ(game.twoDeckHands[3][25], Spade(2));
  EXPECT_EQ(game.twoDeckHands[1][2], Diamond(13));
  EXPECT_EQ(game.turnSeat, 3);
}

TEST(DealTwoDecks, ResetsEverythingOfEarlierDeals) {
  GameState game;
  Settings settings;
  ScriptedRandom oneDeck({5});
  DealOneDeck(game, settings, oneDeck);
  for (int32_t t = 0; t < 26; ++t) SetRecord(game, t, 2, {36, 36, 36, 36}, {2, 2, 2, 2});
  for (int32_t s = 0; s < 4; ++s) {
    game.currentTrick[s] = TrickPlay{s, 4, 5};
    game.secondDeclarations[s] = Declaration{1, 47};
    game.dealScore[s] = 99;
  }
  for (int32_t& flag : game.raised) flag = 1;

  ScriptedRandom random(ScriptWithoutDeclarations(true));
  DealTwoDecks(game, settings, random);

  for (int32_t s = 0; s < 4; ++s) {
    for (int32_t slot : game.oneDeckHands[s]) EXPECT_EQ(slot, -1);
    EXPECT_EQ(game.currentTrick[s].card, -1);
    EXPECT_EQ(game.currentTrick[s].second, -1);
    EXPECT_EQ(game.declarations[s].card, -1);
    EXPECT_EQ(game.secondDeclarations[s].card, -1);
    EXPECT_EQ(game.dealScore[s], 0);
  }
  for (int32_t t = 0; t < 26; ++t) EXPECT_EQ(game.trickHistory[t].winner, -1) << t;
  for (int32_t flag : game.raised) EXPECT_EQ(flag, 0);
  EXPECT_EQ(game.phase, PhaseDeclaring);
  EXPECT_EQ(game.leadSuit, -1);
  EXPECT_EQ(game.trickNumber, 0);
  EXPECT_EQ(game.gubMult + game.heartsMult + game.sheepMult + game.doubleMult, 4);
}

TEST(DealTwoDecks, DeclaresBothCopiesOfAOneSuitHand) {
  // Drawing 0: seat 3 holds 26 spades (both queens), seat 2 26 hearts, seat 1
  // 26 diamonds; seat 0's 26 clubs wait for the house rule.
  GameState game;
  Settings settings;
  ScriptedRandom random({0});
  DealTwoDecks(game, settings, random);
  EXPECT_EQ(game.declarations[DeclGub].seat, 3);
  EXPECT_EQ(game.secondDeclarations[DeclGub].seat, 3);
  EXPECT_EQ(game.secondDeclarations[DeclGub].card, CardGub);
  EXPECT_EQ(game.declarations[DeclHeartAce].seat, 2);
  EXPECT_EQ(game.secondDeclarations[DeclSheep].seat, 1);
  EXPECT_EQ(game.declarations[DeclDouble].card, -1);
  EXPECT_EQ(game.doubleMult, 1);

  settings.declareExceptSheep = 1;
  DealTwoDecks(game, settings, random);
  EXPECT_EQ(game.declarations[DeclDouble].seat, 0);
  EXPECT_EQ(game.secondDeclarations[DeclDouble].seat, 0);
  EXPECT_EQ(game.doubleMult, 2);
}

TEST(StartNewMatch, ClearsTotalsAndDealsByTheSetting) {
  GameState game;
  Settings settings;
  for (int32_t& total : game.matchTotal) total = -500;
  ScriptedRandom random({0});
  StartNewMatch(game, settings, random);
  for (int32_t total : game.matchTotal) EXPECT_EQ(total, 0);
  EXPECT_EQ(game.oneDeckHands[0][12], Club(2));
  EXPECT_EQ(game.phase, PhaseDeclaring);

  settings.twoDecks = 1;
  for (int32_t& total : game.matchTotal) total = -500;
  StartNewMatch(game, settings, random);
  for (int32_t total : game.matchTotal) EXPECT_EQ(total, 0);
  EXPECT_EQ(game.twoDeckHands[0][25], Club(2));
  EXPECT_EQ(game.oneDeckHands[0][0], -1);
  EXPECT_EQ(random.beginDeals, 2);
}

}  // namespace
}  // namespace gub
