// SPDX-License-Identifier: MIT
// Scoring: the taken-card lists, the all-hearts bonuses, the double, the end
// of a deal and the click that adds the deal into the match totals.
#include "engine/rules.h"
#include "engine/rules_util.h"
#include "engine/table_view.h"

namespace gub {

namespace {

constexpr int32_t TakenCapacity = 104;

bool IsScoringCard(const GameState& game, int32_t c) {
  return game.cards[c].suit == SuitHearts || c == CardGub || c == CardDouble || c == CardSheep;
}

// The scoring cards as a 52-bit mask, for the quick count below.
constexpr uint64_t ScoringMask() {
  uint64_t mask =
      (uint64_t{1} << CardGub) | (uint64_t{1} << CardDouble) | (uint64_t{1} << CardSheep);
  for (int32_t c = 0; c < 52; ++c) {
    if (CardSuit(c) == SuitHearts) mask |= uint64_t{1} << c;
  }
  return mask;
}

// True when some seat took at least `needed` scoring cards in the first
// `records` records. Only such a seat can earn a bonus, and in most deals
// none has, so the sorted lists are built only when one does.
bool SomeSeatTookAtLeast(const GameState& game, int32_t records, bool withSeconds, int32_t needed) {
  constexpr uint64_t scoring = ScoringMask();
  int32_t count[4] = {};
  ForEachTakenCard(game, records, withSeconds,
                   [&](int32_t seat, int32_t c) { count[seat] += (scoring >> c) & 1; });
  return count[0] >= needed || count[1] >= needed || count[2] >= needed || count[3] >= needed;
}

// Records 0..records-1, each scoring card inserted in hand order as it comes
// (the same order as appending them all and sorting the list afterwards).
void BuildLists(const GameState& game, TakenScoringCards& taken, int32_t records,
                bool withSeconds) {
  for (int32_t& count : taken.count) count = 0;
  ForEachTakenCard(game, records, withSeconds, [&](int32_t seat, int32_t c) {
    int32_t& count = taken.count[seat];
    if (!IsScoringCard(game, c) || count >= TakenCapacity) return;
    InsertSorted(taken.cards[seat], count, c);
    ++count;
  });
}

void FollowGubTaker(GameState& game, const TakenScoringCards& taken) {
  for (int32_t s = 0; s < 4; ++s) {
    if (taken.count[s] > 0 && taken.cards[s][0] == CardGub) game.gubTakerSeat = s;
  }
}

// True when `seat` took a heart or the gub card in records 0..records-1.
bool TookHeartOrGub(const GameState& game, int32_t seat, int32_t records, bool withSeconds) {
  bool took = false;
  ForEachTakenCard(game, records, withSeconds, [&](int32_t taker, int32_t c) {
    took |= taker == seat && (c == CardGub || game.cards[c].suit == SuitHearts);
  });
  return took;
}

// The all-hearts bonuses of a deal of Copies decks: every scoring card, or
// every heart (behind at most Copies queens of spades, the only scoring cards
// that sort before hearts), taken by one seat.
template <int32_t Copies>
void ScoreBonuses(GameState& game) {
  constexpr int32_t records = 13 * Copies;
  constexpr int32_t hearts = 13 * Copies;
  constexpr int32_t scoringCards = 16 * Copies;
  if (!SomeSeatTookAtLeast(game, records, Copies == 2, hearts)) return;
  TakenScoringCards taken;
  BuildLists(game, taken, records, Copies == 2);
  for (int32_t s = 0; s < 4; ++s) {
    const int32_t n = taken.count[s];
    const int32_t* list = taken.cards[s];
    int64_t bonus = 0;
    if (n == scoringCards) {
      // Every scoring card: the hearts and the gub card count positive.
      bonus = 200 * Copies * (2 * static_cast<int64_t>(game.heartsMult) + game.gubMult);
    } else if (n >= hearts && n < scoringCards) {
      bool allHearts = false;
      for (int32_t queens = 0; queens <= Copies && !allHearts; ++queens) {
        if (queens + hearts - 1 >= n) break;
        bool queensFirst = true;
        for (int32_t i = 0; i < queens; ++i) queensFirst = queensFirst && list[i] == CardGub;
        allHearts = queensFirst && list[queens] == CardHeartAce &&
                    list[queens + hearts - 1] == CardHeartTwo;
      }
      if (allHearts) bonus = 400 * Copies * static_cast<int64_t>(game.heartsMult);
    }
    game.dealScore[s] = SaturatingAdd(game.dealScore[s], bonus);
  }
}

// The factor the ten of clubs applies to its taker's score.
int32_t DoubleFactor(const GameState& game) { return SaturatingMul(game.doubleMult, 2); }

}  // namespace

void BuildTakenLists(const GameState& game, TakenScoringCards& taken) {
  BuildLists(game, taken, OneDeckHandSize, false);
}

void BuildTakenListsTwoDecks(const GameState& game, TakenScoringCards& taken) {
  BuildLists(game, taken, 26, true);
}

void BuildTakenListsAndGubTaker(GameState& game, TakenScoringCards& taken) {
  BuildTakenLists(game, taken);
  FollowGubTaker(game, taken);
}

void BuildTakenListsTwoDecksAndGubTaker(GameState& game, TakenScoringCards& taken) {
  BuildTakenListsTwoDecks(game, taken);
  FollowGubTaker(game, taken);
}

void ScoreDealBonuses(GameState& game) { ScoreBonuses<1>(game); }

void ScoreDealBonusesTwoDecks(GameState& game) { ScoreBonuses<2>(game); }

void ApplyDouble(GameState& game) {
  int32_t w = -1;
  ForEachTakenCard(game, OneDeckHandSize, false, [&](int32_t seat, int32_t c) {
    if (c == CardDouble && w < 0) w = seat;
  });
  if (w < 0) return;
  game.dealScore[w] = SaturatingMul(game.dealScore[w], DoubleFactor(game));
  if (game.dealScore[w] == 0 && !TookHeartOrGub(game, w, OneDeckHandSize, false)) {
    game.dealScore[w] = SaturatingMul(game.doubleMult, 50);
  }
}

void ApplyDoubleTwoDecks(GameState& game) {
  // Only this deal's tricks: later records still hold cards of earlier deals.
  const int32_t played = PlayedTricks(game);
  const int32_t factor = DoubleFactor(game);
  int32_t tens[4] = {};
  ForEachTakenCard(game, played, true, [&](int32_t seat, int32_t c) {
    if (c != CardDouble) return;
    game.dealScore[seat] = SaturatingMul(game.dealScore[seat], factor);
    ++tens[seat];
  });
  for (int32_t s = 0; s < 4; ++s) {
    if (tens[s] == 0 || game.dealScore[s] != 0) continue;
    if (TookHeartOrGub(game, s, played, true)) continue;
    game.dealScore[s] = SaturatingMul(SaturatingMul(tens[s], game.doubleMult), 50);
  }
}

void FinishDealOneDeck(GameState& game) {
  ScoreDealBonuses(game);
  game.turnSeat = -1;
  ApplyDouble(game);
  game.phase = PhaseDealOver;
}

void FinishDealTwoDecks(GameState& game) {
  ScoreDealBonusesTwoDecks(game);
  game.turnSeat = -1;
  ApplyDoubleTwoDecks(game);
  game.phase = PhaseDealOver;
}

void CloseDeal(GameState& game, const Settings& settings, RandomSource& random, TableView& view,
               bool twoDeckDriver) {
  // Sums are taken in 64 bits and clamped, so an absurd score limit cannot
  // make a total wrap round to a large positive number.
  const int32_t* deal = game.dealScore;
  if (settings.oppositeIsFriend) {
    const int64_t even = static_cast<int64_t>(deal[0]) + deal[2];
    const int64_t odd = static_cast<int64_t>(deal[1]) + deal[3];
    for (int32_t s = 0; s < 4; ++s) {
      game.matchTotal[s] = SaturatingAdd(game.matchTotal[s], s % 2 == 0 ? even : odd);
    }
  } else {
    for (int32_t s = 0; s < 4; ++s) game.matchTotal[s] = SaturatingAdd(game.matchTotal[s], deal[s]);
  }

  const int64_t limit = -static_cast<int64_t>(settings.maxScore);
  for (int32_t s = 0; s < 4; ++s) {
    if (game.matchTotal[s] > limit) continue;
    game.phase = PhaseMatchOver;
    if (settings.soundOn) view.playEffect(game.matchTotal[0] > limit ? "win.wav" : "lose.wav");
    return;
  }

  if (twoDeckDriver && settings.twoDecks) {
    DealTwoDecks(game, settings, random);
  } else {
    DealOneDeck(game, settings, random);
  }
}

}  // namespace gub
