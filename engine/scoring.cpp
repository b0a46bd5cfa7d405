// SPDX-License-Identifier: MIT
// Scoring: the taken-card lists, the all-hearts bonuses, the double, the end
// of a deal and the click that adds the deal into the match totals.
#include "engine/card_set.h"
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

// Reads every slot of the records 0..records-1 won in this deal, empty ones
// (-1) included, into the winner's entry of `perSeat`: add(entry, number)
// for each slot, the entry held in a local while its record is read. Returns
// every slot's number plus one, or-ed together: below 64 when every slot
// holds a card or is empty. The end of a deal reads the records through this
// one walk, slot by slot without a test, and only a made-up record with a
// strange number sends it to the card-by-card walk (ForEachTakenCard).
template <bool WithSeconds, class Entry, class Add>
uint32_t ReadWonSlots(const GameState& game, int32_t records, Entry (&perSeat)[4], Add&& add) {
  uint32_t slotNumbers = 0;
  for (int32_t t = 0; t < records; ++t) {
    const TrickRecord& record = game.trickHistory[t];
    if (!IsSeat(record.winner)) continue;
    Entry entry = perSeat[record.winner];
    const auto read = [&](int32_t c) {
      slotNumbers |= static_cast<uint32_t>(c) + 1u;
      add(entry, c);
    };
    for (int32_t k = 0; k < 4; ++k) {
      read(record.cards[k]);
      if constexpr (WithSeconds) read(record.seconds[k]);
    }
    perSeat[record.winner] = entry;
  }
  return slotNumbers;
}

// The cards each seat took in history records 0..records-1 as card sets
// (`twice`: the cards it took both copies of), gathered in one walk over the
// records: whether a seat took every heart is a question of these sets.
struct TakenCards {
  HandCards seat[4];
  // Cards some seat took more often than the two decks have them.
  CardSet beyondTwice;
  // Every slot's number plus one, or-ed together: below 64 when every slot
  // holds a card or is empty.
  uint32_t slotNumbers = 0;

  // Whether the sets hold every taken card as often as the records do: no
  // strange number in a slot, no card more often than the decks have it.
  // Only a made-up record can fail this, and then the records are read card
  // by card instead.
  template <int32_t Copies>
  bool Faithful() const {
    if (slotNumbers >= 64) return false;
    if constexpr (Copies == 1) {
      const CardSet all = seat[0].once | seat[1].once | seat[2].once | seat[3].once;
      const int32_t held =
          seat[0].once.Count() + seat[1].once.Count() + seat[2].once.Count() + seat[3].once.Count();
      const CardSet twice = seat[0].twice | seat[1].twice | seat[2].twice | seat[3].twice;
      return twice.Empty() && all.Count() == held;
    } else {
      return beyondTwice.Empty();
    }
  }
  int32_t CountOf(int32_t s, CardSet of) const {
    return (seat[s].once & of).Count() + (seat[s].twice & of).Count();
  }
};

template <bool WithSeconds>
TakenCards ReadTaken(const GameState& game, int32_t records) {
  TakenCards taken;
  taken.slotNumbers =
      ReadWonSlots<WithSeconds>(game, records, taken.seat, [&](HandCards& seat, int32_t c) {
        // An empty slot's -1 reads as no card.
        const CardSet card = CardSet::InSlot(c);
        if constexpr (WithSeconds) {
          taken.beyondTwice = taken.beyondTwice | (seat.twice & card);
        }
        seat.twice = seat.twice | (seat.once & card);
        seat.once = seat.once | card;
      });
  return taken;
}

// Whether no record from `records` on was won in this deal: reading them all
// then gives what reading the first `records` gives.
bool NoneWonFrom(const GameState& game, int32_t records) {
  bool none = true;
  for (int32_t t = records; t < 26; ++t) none &= !IsSeat(game.trickHistory[t].winner);
  return none;
}

// What the end of a deal asks of each seat's taken cards in most deals: how
// many scoring cards, tens of clubs, and hearts or gub cards it took. Each
// count is one byte of a word per seat, so a card adds to all three in one
// step (a seat takes at most 26 records of 8 cards, under a byte's 256).
struct TakenTally {
  uint32_t seat[4] = {};
  // Every slot's number plus one, or-ed together: below 64 when every slot
  // holds a card or is empty.
  uint32_t slotNumbers = 0;

  // False only for a made-up record with a strange number in a slot; the
  // records are then read card by card.
  bool Plain() const { return slotNumbers < 64; }
  int32_t Scoring(int32_t s) const { return static_cast<int32_t>(seat[s] & 0xff); }
  int32_t Tens(int32_t s) const { return static_cast<int32_t>((seat[s] >> 8) & 0xff); }
  bool TookHeartOrGub(int32_t s) const { return (seat[s] >> 16) != 0; }
};

// A card's three counts by its number (read as number & 63: the empty
// slot's -1 and the numbers past the cards count nothing).
constexpr struct CardTally {
  uint32_t of[64];
  constexpr CardTally() : of{} {
    for (int32_t c = 0; c < 52; ++c) {
      const bool heartOrGub = CardSuit(c) == SuitHearts || c == CardGub;
      const bool scoring = heartOrGub || c == CardDouble || c == CardSheep;
      of[c] = static_cast<uint32_t>(scoring) | static_cast<uint32_t>(c == CardDouble) << 8 |
              static_cast<uint32_t>(heartOrGub) << 16;
    }
  }
} kCardTally{};

template <bool WithSeconds>
TakenTally TallyTaken(const GameState& game, int32_t records) {
  TakenTally tally;
  tally.slotNumbers = ReadWonSlots<WithSeconds>(
      game, records, tally.seat, [](uint32_t& seat, int32_t c) { seat += kCardTally.of[c & 63]; });
  return tally;
}

constexpr CardSet kHearts = CardSet::WholeSuit(SuitHearts);
constexpr CardSet kScoringCards =
    kHearts | CardSet::Of(CardGub) | CardSet::Of(CardDouble) | CardSet::Of(CardSheep);

// The all-hearts bonuses of a deal of Copies decks: every scoring card, or
// every heart (behind at most Copies queens of spades, the only scoring cards
// that sort before hearts), taken by one seat. From the sorted card lists,
// which also hold a made-up record's extra copies.
template <int32_t Copies>
void ScoreBonusesFromLists(GameState& game) {
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

template <int32_t Copies>
void ScoreBonusesFromSets(GameState& game, const TakenCards& taken) {
  constexpr int32_t records = 13 * Copies;
  constexpr int32_t hearts = 13 * Copies;
  constexpr int32_t scoringCards = 16 * Copies;
  if (!taken.Faithful<Copies>()) {
    ScoreBonusesFromLists<Copies>(game);
    return;
  }
  static_assert(records == hearts);
  // Held at most Copies times each, the sorted list starts with the queens of
  // spades and then the hearts, so it has every heart behind its queens
  // exactly when the seat took every heart.
  for (int32_t s = 0; s < 4; ++s) {
    const int32_t n = taken.CountOf(s, kScoringCards);
    if (n < hearts) continue;  // most deals: no seat is near a bonus
    int64_t bonus = 0;
    if (n == scoringCards) {
      bonus = 200 * Copies * (2 * static_cast<int64_t>(game.heartsMult) + game.gubMult);
    } else if (taken.CountOf(s, kHearts) == hearts) {
      bonus = 400 * Copies * static_cast<int64_t>(game.heartsMult);
    }
    game.dealScore[s] = SaturatingAdd(game.dealScore[s], bonus);
  }
}

// The bonuses with the tally of the same records: in most deals no seat
// took as many scoring cards as there are hearts, and none can have a bonus.
template <int32_t Copies>
void ScoreBonuses(GameState& game, const TakenTally& tally) {
  if (!tally.Plain()) {
    ScoreBonusesFromLists<Copies>(game);
    return;
  }
  constexpr int32_t hearts = 13 * Copies;
  bool nearBonus = false;
  for (int32_t s = 0; s < 4; ++s) nearBonus |= tally.Scoring(s) >= hearts;
  if (nearBonus) ScoreBonusesFromSets<Copies>(game, ReadTaken<Copies == 2>(game, 13 * Copies));
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

namespace {

// The ten of clubs, read from the records one by one: a made-up record may
// hold it more often than the decks do.
void ApplyDoubleFromRecords(GameState& game) {
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

void ApplyDoubleTwoDecksFromRecords(GameState& game) {
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

// The ten of clubs doubles its taker's score; a taker left at zero who took
// no heart and not the gub card scores fifty (times its declaration) instead.
void ApplyDouble(GameState& game, const TakenTally& tally) {
  int32_t tens = 0;
  for (int32_t s = 0; s < 4; ++s) tens += tally.Tens(s);
  if (tally.Plain() && tens == 0) return;
  // A made-up record may hold it more than once: the first taker counts.
  if (!tally.Plain() || tens > 1) {
    ApplyDoubleFromRecords(game);
    return;
  }
  // Which seat took it is as good as random, so it is counted up rather than
  // branched to.
  int32_t w = 0;
  for (int32_t s = 0; s < 4; ++s) w += s * tally.Tens(s);
  game.dealScore[w] = SaturatingMul(game.dealScore[w], DoubleFactor(game));
  if (game.dealScore[w] == 0 && !tally.TookHeartOrGub(w)) {
    game.dealScore[w] = SaturatingMul(game.doubleMult, 50);
  }
}

// The same with two tens: each doubles its taker's score, and one taker
// left at zero scores fifty for each ten it took.
void ApplyDoubleTwoDecks(GameState& game, const TakenTally& tally) {
  if (!tally.Plain()) {
    ApplyDoubleTwoDecksFromRecords(game);
    return;
  }
  for (int32_t s = 0; s < 4; ++s) {
    const int32_t tens = tally.Tens(s);
    if (tens == 0) continue;
    for (int32_t ten = 0; ten < tens; ++ten) {
      game.dealScore[s] = SaturatingMul(game.dealScore[s], DoubleFactor(game));
    }
    if (game.dealScore[s] != 0 || tally.TookHeartOrGub(s)) continue;
    game.dealScore[s] = SaturatingMul(SaturatingMul(tens, game.doubleMult), 50);
  }
}

}  // namespace

GUB_COUNTING_ENTRY void ScoreDealBonuses(GameState& game) {
  ScoreBonuses<1>(game, TallyTaken<false>(game, OneDeckHandSize));
}

GUB_COUNTING_ENTRY void ScoreDealBonusesTwoDecks(GameState& game) {
  ScoreBonuses<2>(game, TallyTaken<true>(game, 26));
}

GUB_COUNTING_ENTRY void ApplyDouble(GameState& game) {
  ApplyDouble(game, TallyTaken<false>(game, OneDeckHandSize));
}

GUB_COUNTING_ENTRY void ApplyDoubleTwoDecks(GameState& game) {
  // Only this deal's tricks: later records still hold cards of earlier deals.
  ApplyDoubleTwoDecks(game, TallyTaken<true>(game, PlayedTricks(game)));
}

// The records are walked once for both the bonuses and the ten of clubs.
GUB_COUNTING_ENTRY void FinishDealOneDeck(GameState& game) {
  const TakenTally tally = TallyTaken<false>(game, OneDeckHandSize);
  ScoreBonuses<1>(game, tally);
  game.turnSeat = -1;
  ApplyDouble(game, tally);
  game.phase = PhaseDealOver;
}

GUB_COUNTING_ENTRY void FinishDealTwoDecks(GameState& game) {
  // The bonuses look at every record, the ten of clubs only at this deal's
  // tricks; the records after those are unplayed in every deal, but a
  // made-up one may differ.
  const int32_t played = PlayedTricks(game);
  const TakenTally tally = TallyTaken<true>(game, played);
  if (NoneWonFrom(game, played)) {
    ScoreBonuses<2>(game, tally);
  } else {
    ScoreBonuses<2>(game, TallyTaken<true>(game, 26));
  }
  game.turnSeat = -1;
  ApplyDoubleTwoDecks(game, tally);
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
