// SPDX-License-Identifier: MIT
// Thousands of seeded deals on the computer rules, with the invariants of the
// game checked after every single play.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/rules.h"
#include "play/deal_loop.h"

namespace gub {
namespace {

class InvariantHook {
 public:
  explicit InvariantHook(bool twoDecks) : twoDecks_(twoDecks), copies_(twoDecks ? 2 : 1) {}

  void afterDeal(const GameState& game) {
    EXPECT_EQ(game.phase, PhaseDeclaring);
    CheckCards(game);
  }

  void beforePlay(const GameState& game, int32_t seat) {
    // No seat may ever be left without a legal play.
    EXPECT_TRUE(twoDecks_ ? HasLegalPlayTwoDecks(game, seat) : HasLegalPlay(game, seat))
        << "seat " << seat << " has no legal play";
    leadSuit_ = game.leadSuit;
    pairLed_ = game.trickCount > 0 && game.currentTrick[0].second != -1;
    heldOfLead_ = 0;
    if (leadSuit_ != -1) {
      const int32_t* hand = Hand(game, seat);
      for (int32_t i = 0; i < Slots() && hand[i] != -1; ++i)
        if (game.cards[hand[i]].suit == leadSuit_) ++heldOfLead_;
    }
  }

  void afterPlay(const GameState& game, int32_t seat, const DealCards& deal) {
    ++plays_;
    // The card sets the loop keeps play by play are the record's cards.
    EXPECT_EQ(deal, twoDecks_ ? ReadDealCards<TwoDeckHandSize>(game)
                              : ReadDealCards<OneDeckHandSize>(game));
    const TrickPlay& play = game.currentTrick[game.trickCount - 1];
    ASSERT_EQ(play.seat, seat);
    if (leadSuit_ == -1) {
      EXPECT_EQ(game.leadSuit, game.cards[play.card].suit);
    } else {
      EXPECT_EQ(game.leadSuit, leadSuit_);
      int32_t ofLead = game.cards[play.card].suit == leadSuit_;
      if (pairLed_) {
        // A pair is answered with two of the seat's own cards.
        ASSERT_NE(play.second, -1);
        ofLead += game.cards[play.second].suit == leadSuit_;
        EXPECT_EQ(ofLead, heldOfLead_ < 2 ? heldOfLead_ : 2) << "seat " << seat;
      } else {
        EXPECT_EQ(play.second, -1);
        if (heldOfLead_ > 0) {
          EXPECT_EQ(ofLead, 1) << "seat " << seat << " did not follow suit";
        }
      }
    }
    CheckCards(game);
  }

  void beforeFinish(const GameState& game) {
    ++deals_;
    if (twoDecks_) {
      EXPECT_GE(game.trickNumber, 13);
      EXPECT_LE(game.trickNumber, 26);
      for (int s = 0; s < 4; ++s) EXPECT_EQ(game.twoDeckHands[s][0], -1);
    } else {
      EXPECT_EQ(game.trickNumber, 13);
    }
    // The trick points are exactly the taken cards' values, doubled where declared.
    TakenScoringCards taken;
    if (twoDecks_) {
      BuildTakenListsTwoDecks(game, taken);
    } else {
      BuildTakenLists(game, taken);
    }
    int32_t total = 0;
    int32_t listed = 0;
    for (int s = 0; s < 4; ++s) {
      int32_t expected = 0;
      for (int32_t i = 0; i < taken.count[s]; ++i) {
        const int32_t card = taken.cards[s][i];
        int32_t mult = 1;
        if (game.cards[card].suit == SuitHearts) mult = game.heartsMult;
        if (card == CardGub) mult = game.gubMult;
        if (card == CardSheep) mult = game.sheepMult;
        expected += game.cards[card].value * mult;
      }
      EXPECT_EQ(game.dealScore[s], expected) << "seat " << s;
      total += game.dealScore[s];
      listed += taken.count[s];
    }
    EXPECT_EQ(listed, 16 * copies_);
    EXPECT_EQ(total,
              copies_ * (-200 * game.heartsMult - 100 * game.gubMult + 100 * game.sheepMult));
  }

  int64_t plays() const { return plays_; }
  int64_t deals() const { return deals_; }

 private:
  int32_t Slots() const { return twoDecks_ ? TwoDeckHandSize : OneDeckHandSize; }
  const int32_t* Hand(const GameState& game, int32_t seat) const {
    return twoDecks_ ? game.twoDeckHands[seat] : game.oneDeckHands[seat];
  }

  // Every card number exactly once (twice with two decks) over the hands, the
  // current trick and the completed tricks; every hand sorted, gaps at the end.
  void CheckCards(const GameState& game) {
    int32_t seen[52] = {};
    for (int s = 0; s < 4; ++s) {
      const int32_t* hand = Hand(game, s);
      bool ended = false;
      for (int32_t i = 0; i < Slots(); ++i) {
        if (hand[i] == -1) {
          ended = true;
          continue;
        }
        ASSERT_FALSE(ended) << "card after an empty slot in seat " << s;
        ++seen[hand[i]];
        if (i > 0) {
          const Card& a = game.cards[hand[i - 1]];
          const Card& b = game.cards[hand[i]];
          ASSERT_TRUE(a.suit > b.suit || (a.suit == b.suit && a.rank >= b.rank))
              << "seat " << s << " unsorted at slot " << i;
        }
      }
    }
    for (int32_t k = 0; k < game.trickCount; ++k) {
      ++seen[game.currentTrick[k].card];
      if (game.currentTrick[k].second != -1) ++seen[game.currentTrick[k].second];
    }
    for (int32_t t = 0; t < game.trickNumber; ++t) {
      for (int k = 0; k < 4; ++k) {
        ++seen[game.trickHistory[t].cards[k]];
        if (twoDecks_ && game.trickHistory[t].seconds[k] != -1)
          ++seen[game.trickHistory[t].seconds[k]];
      }
    }
    for (int32_t n = 0; n < 52; ++n) ASSERT_EQ(seen[n], copies_) << "card " << n;
  }

  bool twoDecks_;
  int32_t copies_;
  int32_t leadSuit_ = -1;
  bool pairLed_ = false;
  int32_t heldOfLead_ = 0;
  int64_t plays_ = 0;
  int64_t deals_ = 0;
};

struct Variant {
  bool twoDecks;
  bool declareExceptSheep;
  bool oppositeIsFriend;
  int32_t deals;
};

class RandomisedDeals : public ::testing::TestWithParam<Variant> {};

TEST_P(RandomisedDeals, InvariantsHoldAfterEveryPlay) {
  const Variant v = GetParam();
  Settings settings;
  settings.soundOn = 0;
  settings.twoDecks = v.twoDecks;
  settings.declareExceptSheep = v.declareExceptSheep;
  settings.oppositeIsFriend = v.oppositeIsFriend;
  static GameState game;
  SeededRandom random(20261208 + v.twoDecks * 2 + v.declareExceptSheep);
  InvariantHook hook(v.twoDecks);
  int64_t matches = 0;
  while (hook.deals() < v.deals && !::testing::Test::HasFatalFailure()) {
    sim::PlayMatch(game, settings, random, hook, [](const GameState&) {});
    ++matches;
    // The match ended at the limit, and only then.
    bool reached = false;
    for (int s = 0; s < 4; ++s) reached |= game.matchTotal[s] <= -settings.maxScore;
    EXPECT_TRUE(reached);
    if (v.oppositeIsFriend) {
      EXPECT_EQ(game.matchTotal[0], game.matchTotal[2]);
      EXPECT_EQ(game.matchTotal[1], game.matchTotal[3]);
    }
  }
  EXPECT_GE(hook.deals(), v.deals);
  EXPECT_GT(matches, 10);
  EXPECT_GE(hook.plays(), hook.deals() * (v.twoDecks ? 52 : 52));
}

INSTANTIATE_TEST_SUITE_P(Variants, RandomisedDeals,
                         ::testing::Values(Variant{false, false, false, 10000},
                                           Variant{false, true, true, 3000},
                                           Variant{true, false, false, 10000},
                                           Variant{true, true, true, 3000}));

TEST(SeededDeals, SameSeedSameDealsAndConsecutiveClockDealsDiffer) {
  Settings settings;
  GameState a;
  GameState b;
  SeededRandom ra(99);
  SeededRandom rb(99);
  DealOneDeck(a, settings, ra);
  DealOneDeck(b, settings, rb);
  EXPECT_EQ(std::memcmp(a.oneDeckHands, b.oneDeckHands, sizeof(a.oneDeckHands)), 0);

  // Two deals within the same clock second must still differ.
  ClockRandom clock([]() -> uint64_t { return 1700000000; });
  DealOneDeck(a, settings, clock);
  DealOneDeck(b, settings, clock);
  EXPECT_NE(std::memcmp(a.oneDeckHands, b.oneDeckHands, sizeof(a.oneDeckHands)), 0);
}

// The shuffle takes its values in one Draw; whatever the count, they are the
// values Next() gives one by one, and the values after them follow on.
TEST(SeededDeals, DrawGivesTheValuesOfNextInTurn) {
  for (int32_t count : {0, 1, 2, 3, 52, 53, 104}) {
    SeededRandom drawing(7);
    SeededRandom stepping(7);
    uint32_t drawn[104];
    drawing.Draw(drawn, count);
    for (int32_t i = 0; i < count; ++i) ASSERT_EQ(drawn[i], stepping.Next()) << count << " " << i;
    EXPECT_EQ(drawing.Next(), stepping.Next()) << count;
  }
}

}  // namespace
}  // namespace gub
