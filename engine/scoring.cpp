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
  for (int32_t t = 0; t < records; ++t) {
    const TrickRecord& record = game.trickHistory[t];
    if (static_cast<uint32_t>(record.winner) >= 4u) continue;
    for (int32_t k = 0; k < 4; ++k) {
      const int32_t c = record.cards[k];
      count[record.winner] += IsCard(c) && ((scoring >> c) & 1);
      if (withSeconds) {
        const int32_t d = record.seconds[k];
        count[record.winner] += IsCard(d) && ((scoring >> d) & 1);
      }
    }
  }
  return count[0] >= needed || count[1] >= needed || count[2] >= needed || count[3] >= needed;
}

void Take(const GameState& game, TakenScoringCards& taken, int32_t seat, int32_t c) {
  if (!IsCard(c) || !IsScoringCard(game, c)) return;
  int32_t& count = taken.count[seat];
  if (count >= TakenCapacity) return;
  // Inserting each card as it arrives gives the same order as appending them
  // all and insertion-sorting the list afterwards.
  InsertSorted(taken.cards[seat], count, c);
  ++count;
}

// Records 0..records-1; a record whose winner is not a seat was not played in
// this deal and is skipped.
void BuildLists(const GameState& game, TakenScoringCards& taken, int32_t records,
                bool withSeconds) {
  for (int32_t& count : taken.count) count = 0;
  for (int32_t t = 0; t < records; ++t) {
    const TrickRecord& record = game.trickHistory[t];
    const int32_t w = record.winner;
    if (static_cast<uint32_t>(w) >= 4u) continue;
    for (int32_t k = 0; k < 4; ++k) {
      Take(game, taken, w, record.cards[k]);
      if (withSeconds) Take(game, taken, w, record.seconds[k]);
    }
  }
}

void FollowGubTaker(GameState& game, const TakenScoringCards& taken) {
  for (int32_t s = 0; s < 4; ++s) {
    if (taken.count[s] > 0 && taken.cards[s][0] == CardGub) game.gubTakerSeat = s;
  }
}

// True when `seat` took a heart or the gub card in records 0..records-1.
bool TookHeartOrGub(const GameState& game, int32_t seat, int32_t records, bool withSeconds) {
  for (int32_t t = 0; t < records; ++t) {
    const TrickRecord& record = game.trickHistory[t];
    if (record.winner != seat) continue;
    for (int32_t k = 0; k < 4; ++k) {
      const int32_t play[2] = {record.cards[k], withSeconds ? record.seconds[k] : -1};
      for (int32_t c : play) {
        if (IsCard(c) && (c == CardGub || game.cards[c].suit == SuitHearts)) return true;
      }
    }
  }
  return false;
}

int32_t PlayedTricks(const GameState& game) {
  const int32_t n = game.trickNumber;
  return n < 0 ? 0 : (n > 26 ? 26 : n);
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

void ScoreDealBonuses(GameState& game) {
  if (!SomeSeatTookAtLeast(game, OneDeckHandSize, false, 13)) return;
  TakenScoringCards taken;
  BuildTakenLists(game, taken);
  for (int32_t s = 0; s < 4; ++s) {
    const int32_t n = taken.count[s];
    const int32_t* list = taken.cards[s];
    int64_t bonus = 0;
    if (n == 16) {
      // Every scoring card: the hearts and the gub card count positive.
      bonus = 200 * (2 * static_cast<int64_t>(game.heartsMult) + game.gubMult);
    } else if (n >= 13 && n < 16) {
      const bool allHearts = (list[0] == CardHeartAce && list[12] == CardHeartTwo) ||
                             (n > 13 && list[1] == CardHeartAce && list[13] == CardHeartTwo);
      if (allHearts) bonus = 400 * static_cast<int64_t>(game.heartsMult);
    }
    game.dealScore[s] = SaturatingAdd(game.dealScore[s], bonus);
  }
}

void ScoreDealBonusesTwoDecks(GameState& game) {
  if (!SomeSeatTookAtLeast(game, 26, true, 26)) return;
  TakenScoringCards taken;
  BuildTakenListsTwoDecks(game, taken);
  for (int32_t s = 0; s < 4; ++s) {
    const int32_t n = taken.count[s];
    const int32_t* list = taken.cards[s];
    int64_t bonus = 0;
    if (n == 32) {
      bonus = 400 * (2 * static_cast<int64_t>(game.heartsMult) + game.gubMult);
    } else if (n >= 26 && n < 32) {
      // The hearts run from the first ace to the last two, behind at most two
      // queens of spades (the only scoring cards that sort before hearts).
      bool allHearts = false;
      for (int32_t start = 0; start < 3 && !allHearts; ++start) {
        if (start + 25 >= n) break;
        bool queensFirst = true;
        for (int32_t i = 0; i < start; ++i) queensFirst = queensFirst && list[i] == CardGub;
        allHearts = queensFirst && list[start] == CardHeartAce && list[start + 25] == CardHeartTwo;
      }
      if (allHearts) bonus = 800 * static_cast<int64_t>(game.heartsMult);
    }
    game.dealScore[s] = SaturatingAdd(game.dealScore[s], bonus);
  }
}

void ApplyDouble(GameState& game) {
  int32_t w = -1;
  for (int32_t t = 0; t < OneDeckHandSize && w < 0; ++t) {
    const TrickRecord& record = game.trickHistory[t];
    if (static_cast<uint32_t>(record.winner) >= 4u) continue;
    for (int32_t c : record.cards) {
      if (c == CardDouble) {
        w = record.winner;
        break;
      }
    }
  }
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
  for (int32_t t = 0; t < played; ++t) {
    const TrickRecord& record = game.trickHistory[t];
    const int32_t w = record.winner;
    if (static_cast<uint32_t>(w) >= 4u) continue;
    for (int32_t k = 0; k < 4; ++k) {
      const int32_t play[2] = {record.cards[k], record.seconds[k]};
      for (int32_t c : play) {
        if (c != CardDouble) continue;
        game.dealScore[w] = SaturatingMul(game.dealScore[w], factor);
        ++tens[w];
      }
    }
  }
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
