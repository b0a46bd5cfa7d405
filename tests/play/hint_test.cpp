// SPDX-License-Identifier: MIT
// The hint: always a legal play, blind to the hidden hands, and still an
// answer when the declared cards leave no ordinary play.
#include "play/hint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/rules.h"
#include "play/deal_loop.h"

namespace gub {
namespace {

// Fixed sample count and no clock: the advice then depends on the position
// and the seed alone.
constexpr HintBudget kBudget{48, 0};

// A deal played by the computer rules up to one of seat 0's turns, with the
// suits each seat has been seen not to follow.
struct Position {
  GameState game;
  Settings settings;
  bool shownVoid[4][4] = {};
};

std::unique_ptr<Position> MakePosition(bool twoDecks, bool declareMore, uint64_t seed) {
  auto p = std::make_unique<Position>();
  p->settings.twoDecks = twoDecks;
  p->settings.declareExceptSheep = declareMore;
  p->settings.oppositeIsFriend = seed % 3 == 0;
  SeededRandom random(seed);
  StartNewMatch(p->game, p->settings, random);
  sim::DeclareForSeatZero(p->game, p->settings);
  GameState& g = p->game;
  g.phase = PhasePlaying;
  const uint32_t stopAt = random.Next() % 13;
  for (uint32_t turns = 0;;) {
    if (g.turnSeat % 4 == 0 && turns++ == stopAt) return p;
    PlayComputerTurn(g, twoDecks);
    const TrickPlay& play = g.currentTrick[g.trickCount - 1];
    const bool pairLed = twoDecks && g.currentTrick[0].second != -1;
    const int32_t ofLead = (CardSuit(play.card) == g.leadSuit) +
                           (pairLed && play.second != -1 && CardSuit(play.second) == g.leadSuit);
    if (g.trickCount > 1 && ofLead < (pairLed ? 2 : 1)) p->shownVoid[play.seat][g.leadSuit] = true;
    if (g.trickCount == 4 && ResolveTrickAndCheckLast(g, twoDecks)) {
      ADD_FAILURE() << "the deal ended before seat 0's turn " << stopAt;
      return p;
    }
  }
}

int32_t* HandOf(GameState& g, bool twoDecks, int32_t seat) {
  return twoDecks ? g.twoDeckHands[seat] : g.oneDeckHands[seat];
}

// Swaps cards between the hidden hands in every way the table allows: a
// declared card not yet played stays with its declarer, and no seat gets a
// suit it has been seen not to follow. Returns how many cards moved.
int32_t ShuffleHiddenHands(Position& p, bool twoDecks, uint64_t seed) {
  GameState& g = p.game;
  const int32_t size = twoDecks ? TwoDeckHandSize : OneDeckHandSize;
  std::vector<int32_t> cards[4];
  std::vector<bool> fixed[4];
  for (int32_t seat = 1; seat < 4; ++seat) {
    int32_t* hand = HandOf(g, twoDecks, seat);
    for (int32_t i = 0; i < size && hand[i] != -1; ++i) {
      cards[seat].push_back(hand[i]);
      fixed[seat].push_back(false);
    }
    for (const Declaration* d : {g.declarations, g.secondDeclarations}) {
      for (int32_t k = 0; k < 4; ++k) {
        if (d[k].seat != seat || d[k].card == -1 || (!twoDecks && d == g.secondDeclarations)) {
          continue;
        }
        for (size_t i = 0; i < cards[seat].size(); ++i) {
          if (cards[seat][i] == d[k].card && !fixed[seat][i]) {
            fixed[seat][i] = true;
            break;
          }
        }
      }
    }
  }
  SeededRandom random(seed);
  for (int32_t step = 0; step < 3000; ++step) {
    const int32_t s = 1 + random.Next() % 3;
    const int32_t t = 1 + (s + random.Next() % 2) % 3;
    if (cards[s].empty() || cards[t].empty()) continue;
    const size_t i = random.Next() % cards[s].size();
    const size_t j = random.Next() % cards[t].size();
    const int32_t x = cards[s][i];
    const int32_t y = cards[t][j];
    if (fixed[s][i] || fixed[t][j]) continue;
    if (p.shownVoid[t][CardSuit(x)] || p.shownVoid[s][CardSuit(y)]) continue;
    std::swap(cards[s][i], cards[t][j]);
  }
  int32_t moved = 0;
  for (int32_t seat = 1; seat < 4; ++seat) {
    int32_t* hand = HandOf(g, twoDecks, seat);
    std::sort(cards[seat].begin(), cards[seat].end(),
              [](int32_t a, int32_t b) { return CardSortKey(a) > CardSortKey(b); });
    for (size_t i = 0; i < cards[seat].size(); ++i) {
      moved += hand[i] != cards[seat][i];
      hand[i] = cards[seat][i];
    }
  }
  return moved;
}

bool IsLegal(const GameState& g, bool twoDecks, const HintAdvice& a) {
  return twoDecks ? CanPlayTwoDecks(g, a.slot, a.secondSlot)
                  : a.secondSlot == -1 && CanPlayOneDeck(g, a.slot);
}

class HintTest : public ::testing::TestWithParam<bool> {};

TEST_P(HintTest, AdvisesOnlyLegalPlays) {
  const bool twoDecks = GetParam();
  for (uint64_t seed = 1; seed <= 120; ++seed) {
    const auto p = MakePosition(twoDecks, seed % 2 == 0, seed);
    const HintAdvice advice = Advise(p->game, p->settings, seed, kBudget);
    EXPECT_TRUE(IsLegal(p->game, twoDecks, advice))
        << "seed " << seed << " slot " << advice.slot << " second " << advice.secondSlot;
  }
}

TEST_P(HintTest, AdviceDoesNotDependOnTheHiddenHands) {
  const bool twoDecks = GetParam();
  int32_t moved = 0;
  int32_t simulated = 0;
  for (uint64_t seed = 200; seed < 260; ++seed) {
    const auto p = MakePosition(twoDecks, seed % 2 == 0, seed);
    const HintAdvice before = Advise(p->game, p->settings, seed, kBudget);
    moved += ShuffleHiddenHands(*p, twoDecks, seed);
    const HintAdvice after = Advise(p->game, p->settings, seed, kBudget);
    simulated += before.samples > 0;
    EXPECT_EQ(before.slot, after.slot) << "seed " << seed;
    EXPECT_EQ(before.secondSlot, after.secondSlot) << "seed " << seed;
    EXPECT_EQ(before.samples, after.samples) << "seed " << seed;
  }
  // The check means something only if hands really changed and the hint
  // really weighed several plays.
  EXPECT_GT(moved, 200);
  EXPECT_GT(simulated, 30);
}

// The deals the hint plays on keep what the table has shown: seat 0's hand,
// the size of every hand, the unseen cards as a whole, each declared card
// not yet played in its declarer's hand, and no suit where a seat showed none.
TEST_P(HintTest, DealsOfTheUnseenCardsAgreeWithTheTable) {
  const bool twoDecks = GetParam();
  const int32_t size = twoDecks ? TwoDeckHandSize : OneDeckHandSize;
  auto dealt = std::make_unique<GameState>();
  int32_t voids = 0;
  for (uint64_t seed = 300; seed < 340; ++seed) {
    auto p = MakePosition(twoDecks, true, seed);
    ASSERT_TRUE(DealUnseenCards(p->game, twoDecks, seed, *dealt)) << seed;
    int32_t unseen[52] = {};
    for (int32_t seat = 0; seat < 4; ++seat) {
      const int32_t* before = HandOf(p->game, twoDecks, seat);
      const int32_t* after = HandOf(*dealt, twoDecks, seat);
      EXPECT_EQ(std::count(before, before + size, -1), std::count(after, after + size, -1));
      EXPECT_TRUE(
          std::is_sorted(after, std::find(after, after + size, -1),
                         [](int32_t a, int32_t b) { return CardSortKey(a) > CardSortKey(b); }));
      for (int32_t i = 0; i < size && after[i] != -1; ++i) {
        if (seat == 0) {
          EXPECT_EQ(after[i], before[i]);
          continue;
        }
        ++unseen[after[i]];
        if (before[i] != -1) --unseen[before[i]];
        EXPECT_FALSE(p->shownVoid[seat][CardSuit(after[i])]) << seed << " seat " << seat;
      }
      for (int32_t suit = 0; suit < 4; ++suit) voids += seat > 0 && p->shownVoid[seat][suit];
    }
    EXPECT_EQ(std::count(unseen, unseen + 52, 0), 52) << seed;
    for (const Declaration* d : {p->game.declarations, p->game.secondDeclarations}) {
      for (int32_t k = 0; k < 4 && (twoDecks || d == p->game.declarations); ++k) {
        if (d[k].card == -1 || d[k].seat < 1) continue;
        const int32_t* before = HandOf(p->game, twoDecks, d[k].seat);
        const int32_t* after = HandOf(*dealt, twoDecks, d[k].seat);
        if (std::find(before, before + size, d[k].card) != before + size) {
          EXPECT_NE(std::find(after, after + size, d[k].card), after + size) << seed;
        }
      }
    }
  }
  EXPECT_GT(voids, 10);  // the positions did show voids to respect
}

TEST_P(HintTest, NoAdviceOutsideSeatZerosTurn) {
  const bool twoDecks = GetParam();
  auto p = MakePosition(twoDecks, false, 5);
  p->game.phase = PhaseDeclaring;
  EXPECT_EQ(Advise(p->game, p->settings, 1, kBudget).slot, -1);
  p->game.phase = PhasePlaying;
  ++p->game.turnSeat;
  EXPECT_EQ(Advise(p->game, p->settings, 1, kBudget).slot, -1);
}

// Late in a deal seat 0 holds only the declared gub card and heart ace and
// must lead, spades and hearts never led: neither may lead by the declared-card
// rule, so the rule gives way and the hint must still name one of them.
TEST_P(HintTest, AdvisesWhenDeclaredCardsLeaveNoOrdinaryPlay) {
  const bool twoDecks = GetParam();
  const int32_t copies = twoDecks ? 2 : 1;
  auto game = std::make_unique<GameState>();
  GameState& g = *game;
  Settings settings;
  settings.twoDecks = twoDecks;
  std::vector<int32_t> leads;  // clubs and diamonds lead every earlier trick
  std::vector<int32_t> rest;
  std::vector<int32_t> hidden;
  for (int32_t c = 0; c < 52; ++c) {
    for (int32_t k = 0; k < copies; ++k) {
      if ((c == CardGub || c == CardHeartAce) && k == 0) continue;
      const int32_t suit = CardSuit(c);
      // The hidden seats keep two spades or hearts each, so that no follow
      // below contradicts them.
      if ((suit == SuitSpades || suit == SuitHearts) && hidden.size() < 6 && c != CardGub) {
        hidden.push_back(c);
      } else if (suit == SuitClubs || suit == SuitDiamonds) {
        leads.push_back(c);
      } else {
        rest.push_back(c);
      }
    }
  }
  // Each trick: seat 0 leads its highest club or diamond left, the others
  // follow with whatever is next; seat 0 wins them all.
  std::sort(leads.begin(), leads.end(),
            [](int32_t a, int32_t b) { return CardSortKey(a) > CardSortKey(b); });
  std::vector<int32_t> pile = leads;
  pile.insert(pile.end(), rest.begin(), rest.end());
  const int32_t tricks = static_cast<int32_t>(pile.size()) / 4;
  for (int32_t t = 0; t < tricks; ++t) {
    TrickRecord& r = g.trickHistory[t];
    r.winner = 0;
    for (int32_t k = 0; k < 4; ++k) {
      r.cards[k] = pile[static_cast<size_t>(k * tricks + t)];
      r.seconds[k] = -1;
    }
  }
  g.trickNumber = tricks;
  g.phase = PhasePlaying;
  g.turnSeat = 4 * tricks;
  g.trickCount = 0;
  g.leadSuit = -1;
  for (TrickPlay& play : g.currentTrick) play = {0, -1, -1};
  std::fill(&g.twoDeckHands[0][0], &g.twoDeckHands[0][0] + 4 * TwoDeckHandSize, -1);
  int32_t* own = HandOf(g, twoDecks, 0);
  own[0] = CardGub;
  own[1] = CardHeartAce;
  for (int32_t seat = 1; seat < 4; ++seat) {
    int32_t* hand = HandOf(g, twoDecks, seat);
    InsertSorted(hand, 0, hidden[static_cast<size_t>(2 * seat - 2)]);
    InsertSorted(hand, 1, hidden[static_cast<size_t>(2 * seat - 1)]);
  }
  g.declarations[DeclGub] = {0, CardGub};
  g.declarations[DeclHeartAce] = {0, CardHeartAce};
  g.gubMult = 2;
  g.heartsMult = 2;
  ASSERT_FALSE(IsSuitOpened(g, SuitSpades));
  ASSERT_FALSE(IsSuitOpened(g, SuitHearts));

  for (uint64_t seed = 1; seed <= 4; ++seed) {
    const HintAdvice advice = Advise(g, settings, seed, kBudget);
    EXPECT_TRUE(advice.slot == 0 || advice.slot == 1) << advice.slot;
    EXPECT_EQ(advice.secondSlot, -1);
    EXPECT_TRUE(IsLegal(g, twoDecks, advice));
    EXPECT_GT(advice.samples, 0);  // both were weighed, not just the first taken
  }
}

INSTANTIATE_TEST_SUITE_P(Decks, HintTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "TwoDecks" : "OneDeck";
                         });

}  // namespace
}  // namespace gub
