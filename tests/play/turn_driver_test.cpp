// SPDX-License-Identifier: MIT
// The click drivers of both games, driven with a recording window.
#include "play/turn_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "engine/rules.h"
#include "players/players.h"
#include "tests/support/table.h"

namespace gub {
namespace {

using testing::FindClickPoint;
using testing::RecordingTable;

struct Point {
  int32_t x;
  int32_t y;
};

class DriverTest : public ::testing::Test {
 protected:
  DriverTest() : random(7), context{game, settings, view, table, random} {
    settings.speedDelayMs = 5;
  }

  Point SlotPoint(int32_t slot, int32_t slots = OneDeckHandSize) {
    Point p{};
    EXPECT_TRUE(FindClickPoint(view, slots, slot, p.x, p.y)) << slot;
    return p;
  }
  Point StartButton() const { return {view.clientWidth / 2, view.clientHeight / 2}; }

  void ClickOne(Point p) { TurnDriverOneDeck(context, p.x, p.y); }
  void ClickTwo(Point p) { TurnDriverTwoDecks(context, p.x, p.y); }

  // Deals with the shuffle until `accept` likes the deal.
  template <class Accept>
  void DealUntil(bool twoDecks, Accept accept) {
    for (int attempt = 0; attempt < 10000; ++attempt) {
      if (twoDecks) {
        DealTwoDecks(game, settings, random);
      } else {
        DealOneDeck(game, settings, random);
      }
      if (accept(game)) return;
    }
    FAIL() << "no suitable deal found";
  }

  // The first slot of seat 0 that the rules accept, or -1.
  int32_t FirstLegalSlot() const {
    for (int32_t s = 0; s < OneDeckHandSize; ++s)
      if (game.oneDeckHands[0][s] != -1 && CanPlayOneDeck(game, s)) return s;
    return -1;
  }
  int32_t FirstIllegalSlot() const {
    for (int32_t s = 0; s < OneDeckHandSize; ++s)
      if (game.oneDeckHands[0][s] != -1 && !CanPlayOneDeck(game, s)) return s;
    return -1;
  }

  GameState game;
  Settings settings;
  ViewState view;
  RecordingTable table;
  SeededRandom random;
  DriverContext context;
};

bool SameGame(const GameState& a, const GameState& b) {
  return std::memcmp(&a, &b, sizeof(GameState)) == 0;
}

TEST_F(DriverTest, DeclaringClicksDeclareOnlySpecialCardsAndRedrawOnlyOnChange) {
  DealUntil(false, [](const GameState& g) {
    return std::find(g.oneDeckHands[0], g.oneDeckHands[0] + 13, CardSheep) !=
           g.oneDeckHands[0] + 13;
  });
  const int32_t sheepSlot = static_cast<int32_t>(
      std::find(game.oneDeckHands[0], game.oneDeckHands[0] + 13, CardSheep) - game.oneDeckHands[0]);
  const int32_t plainSlot = sheepSlot == 0 ? 1 : 0;

  const GameState before = game;
  ClickOne(SlotPoint(plainSlot));
  EXPECT_TRUE(SameGame(before, game));
  EXPECT_TRUE(table.calls.empty());

  ClickOne(SlotPoint(sheepSlot));
  EXPECT_EQ(game.sheepMult, 2);
  EXPECT_EQ(game.declarations[DeclSheep].seat, 0);
  EXPECT_EQ(table.calls, std::vector<std::string>{"redraw"});

  ClickOne(SlotPoint(sheepSlot));  // declared already: nothing to redraw
  EXPECT_EQ(table.calls.size(), 1u);
  EXPECT_EQ(game.phase, PhaseDeclaring);
}

TEST_F(DriverTest, StartButtonLetsComputersPlayUpToThePlayer) {
  DealUntil(false, [](const GameState& g) { return g.turnSeat == 2; });
  ClickOne(StartButton());
  EXPECT_EQ(game.phase, PhasePlaying);
  EXPECT_EQ(game.trickCount, 2);
  EXPECT_EQ(game.turnSeat % 4, 0);
  EXPECT_EQ(game.currentTrick[0].seat, 2);
  EXPECT_EQ(game.currentTrick[1].seat, 3);
  EXPECT_EQ(table.calls, std::vector<std::string>{"redraw"});

  // The player's card is the third of the trick (seat 2 led, seat 3 followed);
  // seat 1 plays the fourth, then the trick is shown, paused and resolved.
  const int32_t slot = FirstLegalSlot();
  ASSERT_NE(slot, -1);
  const int32_t card = game.oneDeckHands[0][slot];
  table.calls.clear();
  ClickOne(SlotPoint(slot));
  EXPECT_EQ(game.trickHistory[0].cards[2], card);
  EXPECT_EQ(game.trickNumber, 1);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(game.currentTrick[k].card == -1, k >= game.trickCount);
  ASSERT_EQ(table.calls.size(), 2u);
  EXPECT_EQ(table.calls[0], "pause 5");
  EXPECT_EQ(table.calls[1], "redraw");
  EXPECT_EQ(game.turnSeat % 4, 0);
  // The winner led; if that was a computer its lead is already on the table.
  const int32_t winner = game.trickHistory[0].winner;
  EXPECT_EQ(game.trickCount, winner == 0 ? 0 : 4 - winner);
}

TEST_F(DriverTest, RefusedCardChangesNothing) {
  // Find a state where the player must follow suit and holds another suit too.
  for (int attempt = 0; attempt < 200; ++attempt) {
    DealUntil(false, [](const GameState& g) { return g.turnSeat != 0; });
    ClickOne(StartButton());
    if (FirstIllegalSlot() != -1) break;
  }
  const int32_t slot = FirstIllegalSlot();
  ASSERT_NE(slot, -1);
  const GameState before = game;
  table.calls.clear();
  ClickOne(SlotPoint(slot));
  EXPECT_TRUE(SameGame(before, game));
  EXPECT_TRUE(table.calls.empty());
}

TEST_F(DriverTest, NegativePauseFromDamagedSettingsMeansNoPause) {
  settings.speedDelayMs = -40;
  DealOneDeck(game, settings, random);
  ClickOne(StartButton());
  table.calls.clear();
  ClickOne(SlotPoint(FirstLegalSlot()));
  ASSERT_FALSE(table.calls.empty());
  EXPECT_EQ(table.calls[0], "pause 0");
}

TEST_F(DriverTest, WholeDealThenCloseThenNextDealThenMatchOverToTitle) {
  settings.maxScore = 1000000;
  DealOneDeck(game, settings, random);
  ClickOne(StartButton());
  for (int trick = 0; trick < 13; ++trick) {
    ASSERT_EQ(game.phase, PhasePlaying);
    ClickOne(SlotPoint(FirstLegalSlot()));
  }
  EXPECT_EQ(game.phase, PhaseDealOver);
  EXPECT_EQ(game.turnSeat, -1);
  int32_t scores[4];
  std::copy(game.dealScore, game.dealScore + 4, scores);

  // Nothing is dealt until the next click, which adds the totals.
  table.calls.clear();
  ClickOne({5, 5});
  EXPECT_EQ(game.phase, PhaseDeclaring);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(game.matchTotal[s], scores[s]);
  EXPECT_EQ(table.calls, std::vector<std::string>{"redraw"});

  // Play the next deal to its end with a limit that any loss reaches.
  settings.maxScore = 0;
  settings.soundOn = 1;
  ClickOne(StartButton());
  while (game.phase == PhasePlaying) ClickOne(SlotPoint(FirstLegalSlot()));
  table.calls.clear();
  ClickOne({5, 5});
  EXPECT_EQ(game.phase, PhaseMatchOver);
  ASSERT_EQ(table.calls.size(), 2u);
  EXPECT_TRUE(table.calls[0] == "effect win.wav" || table.calls[0] == "effect lose.wav");
  table.calls.clear();
  ClickOne({5, 5});
  EXPECT_EQ(table.calls, std::vector<std::string>{"title"});
}

// A hand the declared-card rule would leave without a legal play plays as if
// nothing were declared, so the deal goes on.
TEST_F(DriverTest, LeadHoldingOnlyARestrictedCardIsAllowed) {
  testing::Table t;
  t.DeclareDouble().Hand(0, "10C").Hand(1, "2C").Hand(2, "3H").Hand(3, "4D");
  for (int trick = 0; trick < 12; ++trick) t.Led(trick % 2 ? "2S" : "2H");
  game = t.game;
  game.turnSeat = 0;
  ASSERT_TRUE(IsRestrictedPlay(game, game.oneDeckHands[0], OneDeckHandSize, 0));
  EXPECT_TRUE(HasLegalPlay(game, 0));

  ClickOne(SlotPoint(0));
  EXPECT_EQ(game.trickHistory[12].cards[0], CardDouble);
  EXPECT_EQ(game.phase, PhaseDealOver);

  // With another card to lead the declared one stays held back.
  testing::Table held;
  held.DeclareDouble().Hand(0, "10C 5H").Hand(1, "2C 6H").Hand(2, "3H 7H").Hand(3, "4D 8H");
  game = held.game;
  game.turnSeat = 0;
  const GameState before = game;
  ClickOne(SlotPoint(1));  // the ten of clubs sorts below the five of hearts
  EXPECT_TRUE(SameGame(before, game));
}

TEST_F(DriverTest, ClicksOffTheHandDoNothingWhilePlaying) {
  DealOneDeck(game, settings, random);
  ClickOne(StartButton());
  const GameState before = game;
  table.calls.clear();
  ClickOne({view.clientWidth / 2, 5});
  ClickOne({view.clientWidth / 2, view.clientHeight - 1});
  EXPECT_TRUE(SameGame(before, game));
  EXPECT_TRUE(table.calls.empty());
}

// --- Two decks --------------------------------------------------------------

class TwoDeckDriverTest : public DriverTest {
 protected:
  TwoDeckDriverTest() { settings.twoDecks = 1; }
  Point Slot26(int32_t slot) { return SlotPoint(slot, TwoDeckHandSize); }
  int32_t RaisedCount() const {
    return static_cast<int32_t>(std::count(game.raised, game.raised + 26, 1));
  }
  // Starts play and returns a slot whose single card may be played now.
  int32_t StartAndFindSingle() {
    ClickTwo(StartButton());
    for (int32_t s = 0; s < 26 && game.twoDeckHands[0][s] != -1; ++s)
      if (CanPlayTwoDecks(game, s, -1)) return s;
    return -1;
  }
};

TEST_F(TwoDeckDriverTest, ClickRaisesSecondClickPlays) {
  DealUntil(true, [](const GameState& g) { return g.turnSeat % 4 == 0; });
  const int32_t slot = StartAndFindSingle();
  ASSERT_NE(slot, -1);
  const int32_t card = game.twoDeckHands[0][slot];

  table.calls.clear();
  ClickTwo(Slot26(slot));
  EXPECT_EQ(game.raised[slot], 1);
  EXPECT_EQ(game.trickNumber, 0);
  EXPECT_EQ(table.calls, std::vector<std::string>{"redraw"});

  table.calls.clear();
  ClickTwo(Slot26(slot));
  EXPECT_EQ(game.trickNumber, 1);
  EXPECT_EQ(game.trickHistory[0].cards[0], card);
  EXPECT_EQ(game.trickHistory[0].seconds[0], -1);
  EXPECT_EQ(RaisedCount(), 0);
  ASSERT_EQ(table.calls.size(), 2u);
  EXPECT_EQ(table.calls[0], "pause 5");
}

TEST_F(TwoDeckDriverTest, RefusedSecondClickLowersOnlyThatCard) {
  DealUntil(true, [](const GameState& g) { return g.turnSeat % 4 == 0; });
  ClickTwo(StartButton());
  // Two different cards cannot be led together.
  int32_t a = 0;
  int32_t b = 1;
  while (game.twoDeckHands[0][b] == game.twoDeckHands[0][a]) ++b;
  ClickTwo(Slot26(a));
  ClickTwo(Slot26(b));
  ASSERT_EQ(RaisedCount(), 2);
  const GameState before = game;
  ClickTwo(Slot26(b));
  EXPECT_EQ(game.raised[a], 1);
  EXPECT_EQ(game.raised[b], 0);
  EXPECT_EQ(game.trickNumber, before.trickNumber);
  EXPECT_EQ(std::memcmp(game.twoDeckHands, before.twoDeckHands, sizeof(game.twoDeckHands)), 0);

  // A refused play through the right button changes nothing at all.
  ClickTwo(Slot26(b));
  ASSERT_EQ(RaisedCount(), 2);
  const GameState raisedTwo = game;
  EXPECT_FALSE(PlayRaisedCards(context));
  EXPECT_TRUE(SameGame(raisedTwo, game));
}

TEST_F(TwoDeckDriverTest, ThreeRaisedCardsAreNeverPlayed) {
  DealUntil(true, [](const GameState& g) { return g.turnSeat % 4 == 0; });
  ClickTwo(StartButton());
  ClickTwo(Slot26(0));
  ClickTwo(Slot26(1));
  ClickTwo(Slot26(2));
  const GameState before = game;
  EXPECT_FALSE(PlayRaisedCards(context));
  EXPECT_TRUE(SameGame(before, game));
}

TEST_F(TwoDeckDriverTest, PairLeadThroughTheRightButton) {
  DealUntil(true, [](const GameState& g) {
    if (g.turnSeat % 4 != 0) return false;
    for (int32_t s = 0; s + 1 < 26; ++s)
      if (g.twoDeckHands[0][s] == g.twoDeckHands[0][s + 1] && g.twoDeckHands[0][s] != -1 &&
          g.twoDeckHands[0][s] != CardGub && g.twoDeckHands[0][s] != CardSheep &&
          g.twoDeckHands[0][s] != CardDouble && g.twoDeckHands[0][s] != CardHeartAce)
        return true;
    return false;
  });
  ClickTwo(StartButton());
  int32_t pair = 0;
  while (game.twoDeckHands[0][pair] != game.twoDeckHands[0][pair + 1] ||
         game.twoDeckHands[0][pair] == CardGub || game.twoDeckHands[0][pair] == CardSheep ||
         game.twoDeckHands[0][pair] == CardDouble || game.twoDeckHands[0][pair] == CardHeartAce)
    ++pair;
  const int32_t card = game.twoDeckHands[0][pair];
  ClickTwo(Slot26(pair));
  ClickTwo(Slot26(pair + 1));
  EXPECT_TRUE(PlayRaisedCards(context));
  EXPECT_EQ(game.trickHistory[0].cards[0], card);
  EXPECT_EQ(game.trickHistory[0].seconds[0], card);
  // Every computer seat answered a pair with two of its own cards.
  for (int k = 1; k < 4; ++k) EXPECT_NE(game.trickHistory[0].seconds[k], -1);
}

TEST_F(TwoDeckDriverTest, RaisedCardsOnlyPlayWhilePlaying) {
  DealTwoDecks(game, settings, random);
  game.raised[0] = 1;
  const GameState before = game;
  EXPECT_FALSE(PlayRaisedCards(context));  // still declaring
  EXPECT_TRUE(SameGame(before, game));
}

TEST_F(TwoDeckDriverTest, WholeDealEndsWhenHandsAreEmpty) {
  settings.maxScore = 1000000;
  DealTwoDecks(game, settings, random);
  ClickTwo(StartButton());
  int guard = 0;
  while (game.phase == PhasePlaying && ++guard < 100) {
    int32_t slot = 0;
    for (int32_t s = 0; s < 26 && game.twoDeckHands[0][s] != -1; ++s) {
      if (CanPlayTwoDecks(game, s, -1)) {
        slot = s;
        break;
      }
    }
    if (game.currentTrick[0].second != -1 && game.trickCount > 0) {
      // Answer a pair: the first two cards the rules accept.
      bool played = false;
      for (int32_t a = 0; a < 26 && !played && game.twoDeckHands[0][a] != -1; ++a)
        for (int32_t b = a + 1; b < 26 && !played && game.twoDeckHands[0][b] != -1; ++b)
          if (CanPlayTwoDecks(game, a, b)) {
            std::fill(game.raised, game.raised + 26, 0);
            game.raised[a] = game.raised[b] = 1;
            played = PlayRaisedCards(context);
          }
      ASSERT_TRUE(played);
      continue;
    }
    ClickTwo(Slot26(slot));
    ClickTwo(Slot26(slot));
  }
  EXPECT_EQ(game.phase, PhaseDealOver);
  EXPECT_GE(game.trickNumber, 13);
  EXPECT_LE(game.trickNumber, 26);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(game.twoDeckHands[s][0], -1);

  // The next deal follows the setting: one deck when it was switched off.
  settings.twoDecks = 0;
  ClickTwo({5, 5});
  EXPECT_EQ(game.phase, PhaseDeclaring);
  EXPECT_NE(game.oneDeckHands[0][12], -1);
}

TEST_F(TwoDeckDriverTest, BothDeclaredGubCardsFollowASpadeWhenNothingElseMay) {
  testing::Table t;
  t.DeclareGub().Hand2(0, "QS QS 5H 3D").Hand2(1, "6H 7H 8H").Hand2(2, "6D 7D 8D");
  t.Hand2(3, "6C 7C 8C").Trick("5S 9S 4S");
  for (int32_t k = 0; k < 3; ++k) t.game.currentTrick[k].seat = k + 1;
  game = t.game;
  game.turnSeat = 4;
  ASSERT_NE(IsRestrictedPlayTwoDecks(game, game.twoDeckHands[0], 0), 0);
  EXPECT_TRUE(HasLegalPlayTwoDecks(game, 0));
  EXPECT_FALSE(CanPlayTwoDecks(game, 2, -1));  // following suit still comes first

  ClickTwo(Slot26(0));
  ClickTwo(Slot26(0));
  EXPECT_EQ(game.trickNumber, 1);
  EXPECT_EQ(game.trickHistory[0].cards[3], CardGub);
  EXPECT_EQ(game.twoDeckHands[0][0], CardGub);
}

}  // namespace
}  // namespace gub
