// SPDX-License-Identifier: MIT
// The hint: deal the cards the player cannot see to the other seats in ways
// that agree with everything the table has shown, play every legal choice of
// seat 0 out to the end of the deal with the computer rules, and advise the
// choice with the best average deal result.
#include "play/hint.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/rules.h"
#include "engine/rules_util.h"
#include "play/deal_loop.h"

namespace gub {

namespace {

// splitmix64: a small generator of its own, so the hint shares no state with
// the deal's random source and the same seed always deals the same way.
class Stream {
 public:
  explicit Stream(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // A value in [0, n).
  uint32_t Below(uint32_t n) {
    return static_cast<uint32_t>(((Next() >> 32) * static_cast<uint64_t>(n)) >> 32);
  }

 private:
  uint64_t state_;
};

// What seat 0 knows about the three hands it cannot see.
struct Knowledge {
  int32_t held[4] = {};        // cards in each hand (the backs are on show)
  int32_t forced[4][52] = {};  // copies a seat declared and has not played yet
  bool isVoid[4][4] = {};      // the seat failed to follow this suit
  int32_t pool[104] = {};      // the unseen cards not tied to a seat
  int32_t poolSize = 0;
  int32_t free[4] = {};          // room in each hand for cards of the pool
  int32_t allowedSuits[4] = {};  // bit per suit the seat may still hold
  bool anyVoid = false;
};

// The position of the winning play in a completed trick, found by resolving
// the trick again with seat k at position k: the record keeps the winner's
// seat but not the leader's, and this gives the leader as winner - position.
int32_t WinningPosition(GameState& scratch, const TrickRecord& record, bool twoDecks) {
  for (int32_t k = 0; k < 4; ++k) {
    scratch.currentTrick[k] = TrickPlay{k, record.cards[k], twoDecks ? record.seconds[k] : -1};
  }
  scratch.leadSuit = IsCard(record.cards[0]) ? CardSuit(record.cards[0]) : -1;
  scratch.trickNumber = 0;
  scratch.trickCount = 4;
  if (twoDecks) {
    ResolveTrickTwoDecks(scratch);
  } else {
    ResolveTrick(scratch);
  }
  return scratch.turnSeat;
}

// A play seen on the table: who played which card (and second card), and the
// suit led to that trick; `pairLed` when the trick was led with a pair.
template <class Visit>
void ForEachSeenPlay(const GameState& game, bool twoDecks, Visit&& visit) {
  const auto scratchCopy = std::make_unique<GameState>(game);  // large for a worker's stack
  GameState& scratch = *scratchCopy;
  const int32_t records = PlayedTricks(game);
  for (int32_t t = 0; t < records; ++t) {
    const TrickRecord& record = game.trickHistory[t];
    if (!IsSeat(record.winner) || !IsCard(record.cards[0])) continue;
    const int32_t leader = (record.winner - WinningPosition(scratch, record, twoDecks) + 4) % 4;
    const bool pairLed = twoDecks && IsCard(record.seconds[0]);
    for (int32_t k = 0; k < 4; ++k) {
      visit((leader + k) % 4, k, record.cards[k], twoDecks ? record.seconds[k] : -1,
            CardSuit(record.cards[0]), pairLed);
    }
  }
  const int32_t plays = std::clamp(game.trickCount, 0, 4);
  if (plays > 0 && IsCard(game.currentTrick[0].card)) {
    const int32_t lead = CardSuit(game.currentTrick[0].card);
    const bool pairLed = twoDecks && IsCard(game.currentTrick[0].second);
    for (int32_t k = 0; k < plays; ++k) {
      const TrickPlay& play = game.currentTrick[k];
      visit(play.seat & 3, k, play.card, twoDecks ? play.second : -1, lead, pairLed);
    }
  }
}

// Hall's condition for dealing what is left: every set of suits must find
// enough room in the hands that may hold some suit of the set.
bool CanComplete(const int32_t (&suitLeft)[4], const int32_t (&room)[4],
                 const int32_t (&allowed)[4]) {
  for (int32_t set = 1; set < 16; ++set) {
    int32_t cards = 0;
    for (int32_t suit = 0; suit < 4; ++suit)
      if (set & (1 << suit)) cards += suitLeft[suit];
    int32_t space = 0;
    for (int32_t seat = 1; seat < 4; ++seat)
      if (allowed[seat] & set) space += room[seat];
    if (cards > space) return false;
  }
  return true;
}

// Gathers what the table has shown. False when the record does not add up
// (then the hint gives up on simulation and advises the first legal play).
bool Gather(const GameState& game, bool twoDecks, Knowledge& known) {
  const int32_t size = twoDecks ? TwoDeckHandSize : OneDeckHandSize;
  const int32_t copies = twoDecks ? 2 : 1;
  int32_t unseen[52];
  std::fill(std::begin(unseen), std::end(unseen), copies);
  int32_t playedBy[4][52] = {};

  for (int32_t seat = 0; seat < 4; ++seat) {
    const int32_t* hand = twoDecks ? game.twoDeckHands[seat] : game.oneDeckHands[seat];
    for (int32_t i = 0; i < size; ++i) {
      if (!IsCard(hand[i])) continue;
      ++known.held[seat];
      if (seat == 0) --unseen[hand[i]];
    }
  }
  ForEachSeenPlay(game, twoDecks,
                  [&](int32_t seat, int32_t position, int32_t card, int32_t second, int32_t lead,
                      bool pairLed) {
                    int32_t ofLead = 0;
                    for (int32_t c : {card, second}) {
                      if (!IsCard(c)) continue;
                      --unseen[c];
                      ++playedBy[seat][c];
                      ofLead += CardSuit(c) == lead;
                    }
                    // A follower short of the led suit has none left: a single
                    // card must follow suit when it can, and a pair must be
                    // answered with two cards of the suit while two are held.
                    if (position > 0 && ofLead < (pairLed ? 2 : 1)) known.isVoid[seat][lead] = true;
                  });

  // A declared card stays in its declarer's hand until it is played.
  for (int32_t k = 0; k < 4; ++k) {
    for (const Declaration* d : {&game.declarations[k], &game.secondDeclarations[k]}) {
      if (d == &game.secondDeclarations[k] && !twoDecks) continue;
      if (IsCard(d->card) && d->seat >= 1 && d->seat <= 3) ++known.forced[d->seat][d->card];
    }
  }

  int32_t unseenTotal = 0;
  for (int32_t c = 0; c < 52; ++c) {
    if (unseen[c] < 0) return false;
    unseenTotal += unseen[c];
    int32_t tied = 0;
    for (int32_t seat = 1; seat < 4; ++seat) {
      int32_t& f = known.forced[seat][c];
      f = std::clamp(f - playedBy[seat][c], 0, unseen[c] - tied);
      tied += f;
      if (f > 0) known.isVoid[seat][CardSuit(c)] = false;  // the record wins over a guess
    }
    for (int32_t n = tied; n < unseen[c]; ++n) known.pool[known.poolSize++] = c;
  }
  if (unseenTotal != known.held[1] + known.held[2] + known.held[3]) return false;

  for (int32_t seat = 1; seat < 4; ++seat) {
    int32_t tied = 0;
    for (int32_t c = 0; c < 52; ++c) tied += known.forced[seat][c];
    known.free[seat] = known.held[seat] - tied;
    if (known.free[seat] < 0) return false;
    for (int32_t suit = 0; suit < 4; ++suit) {
      if (known.isVoid[seat][suit]) {
        known.anyVoid = true;
      } else {
        known.allowedSuits[seat] |= 1 << suit;
      }
    }
  }
  int32_t suitLeft[4] = {};
  for (int32_t i = 0; i < known.poolSize; ++i) ++suitLeft[CardSuit(known.pool[i])];
  if (known.anyVoid && !CanComplete(suitLeft, known.free, known.allowedSuits)) {
    // Voids that cannot all hold (a damaged record): deal as if none showed.
    known.anyVoid = false;
    for (int32_t seat = 1; seat < 4; ++seat) known.allowedSuits[seat] = 15;
  }
  return true;
}

// The 52 card numbers in hand order (highest suit, then highest rank, first).
struct HandOrder {
  int32_t card[52];
  HandOrder() {
    for (int32_t c = 0; c < 52; ++c) card[c] = c;
    std::sort(std::begin(card), std::end(card),
              [](int32_t a, int32_t b) { return CardSortKey(a) > CardSortKey(b); });
  }
};

// One deal of the unseen cards into the hidden hands of `game`. Cards go one
// by one, in a shuffled order, to a seat chosen in proportion to its room,
// among the seats that may hold the suit and leave the rest dealable.
void DealUnseen(const Knowledge& known, const HandOrder& order, bool twoDecks, Stream& stream,
                GameState& game) {
  int32_t pool[104];
  std::copy(known.pool, known.pool + known.poolSize, pool);
  for (int32_t i = known.poolSize - 1; i > 0; --i) {
    std::swap(pool[i], pool[stream.Below(static_cast<uint32_t>(i + 1))]);
  }
  int32_t count[4][52];
  std::copy(&known.forced[0][0], &known.forced[0][0] + 4 * 52, &count[0][0]);
  int32_t room[4] = {0, known.free[1], known.free[2], known.free[3]};
  int32_t suitLeft[4] = {};
  for (int32_t i = 0; i < known.poolSize; ++i) ++suitLeft[CardSuit(pool[i])];

  for (int32_t i = 0; i < known.poolSize; ++i) {
    const int32_t card = pool[i];
    const int32_t suit = CardSuit(card);
    --suitLeft[suit];
    int32_t weight[4] = {};
    int32_t total = 0;
    for (int32_t seat = 1; seat < 4; ++seat) {
      if (room[seat] == 0 || !(known.allowedSuits[seat] & (1 << suit))) continue;
      if (known.anyVoid) {
        --room[seat];
        const bool ok = CanComplete(suitLeft, room, known.allowedSuits);
        ++room[seat];
        if (!ok) continue;
      }
      weight[seat] = room[seat];
      total += room[seat];
    }
    int32_t seat = 1;
    if (total > 0) {
      int32_t pick = static_cast<int32_t>(stream.Below(static_cast<uint32_t>(total)));
      while (pick >= weight[seat]) pick -= weight[seat++];
    } else {
      while (seat < 3 && room[seat] == 0) ++seat;  // cannot happen once Gather agreed
    }
    ++count[seat][card];
    --room[seat];
  }

  const int32_t size = twoDecks ? TwoDeckHandSize : OneDeckHandSize;
  for (int32_t seat = 1; seat < 4; ++seat) {
    int32_t* hand = twoDecks ? game.twoDeckHands[seat] : game.oneDeckHands[seat];
    int32_t n = 0;
    for (int32_t card : order.card) {
      for (int32_t k = 0; k < count[seat][card] && n < size; ++k) hand[n++] = card;
    }
    while (n < size) hand[n++] = -1;
  }
}

struct Choice {
  int32_t slot;
  int32_t second;
};

// Every legal play of seat 0, one per distinct card or pair of cards (two
// copies of a card are the same play).
void ListChoices(const GameState& game, bool twoDecks, std::vector<Choice>& choices) {
  if (!twoDecks) {
    for (int32_t slot = 0; slot < OneDeckHandSize; ++slot)
      if (CanPlayOneDeck(game, slot)) choices.push_back({slot, -1});
    return;
  }
  const int32_t* hand = game.twoDeckHands[0];
  bool seen[52][53] = {};  // [first card][second card + 1]
  for (int32_t a = 0; a < TwoDeckHandSize && IsCard(hand[a]); ++a) {
    for (int32_t b = -1; b < TwoDeckHandSize; ++b) {
      if (b != -1 && (b <= a || !IsCard(hand[b]))) continue;
      const int32_t x = hand[a];
      const int32_t y = b == -1 ? -1 : hand[b];
      bool& done = seen[std::max(x, y)][(y == -1 ? -1 : std::min(x, y)) + 1];
      if (done || !CanPlayTwoDecks(game, a, b)) continue;
      done = true;
      choices.push_back({a, b});
    }
  }
}

// Two cards answering a pair the hand cannot follow give hundreds of plays.
// Only the cards worth weighing are kept: of each suit the highest and the
// lowest, and the cards that carry points or double them.
void TrimDiscards(const GameState& game, std::vector<Choice>& choices) {
  if (choices.size() <= 40) return;
  const int32_t* hand = game.twoDeckHands[0];
  bool keep[52] = {};
  for (int32_t i = 0; i < TwoDeckHandSize && IsCard(hand[i]); ++i) {
    const int32_t c = hand[i];
    const bool first = i == 0 || CardSuit(hand[i - 1]) != CardSuit(c);
    const bool last =
        i + 1 == TwoDeckHandSize || !IsCard(hand[i + 1]) || CardSuit(hand[i + 1]) != CardSuit(c);
    if (first || last || game.cards[c].value != 0 || c == CardDouble) keep[c] = true;
  }
  std::vector<Choice> kept;
  for (const Choice& choice : choices) {
    if (keep[hand[choice.slot]] && (choice.second == -1 || keep[hand[choice.second]])) {
      kept.push_back(choice);
    }
  }
  if (!kept.empty()) choices.swap(kept);
}

// Plays the choice and the rest of the deal with the computer rules for every
// seat, seat 0 included, and returns the deal result for seat 0's side.
int64_t PlayOut(GameState& game, const Settings& settings, bool twoDecks, const Choice& choice) {
  if (twoDecks) {
    AddPlayTwoDecks(game, 0, choice.slot, choice.second);
  } else {
    AddPlay(game, 0, choice.slot);
  }
  ++game.trickCount;
  ++game.turnSeat;
  for (int32_t guard = 0; guard < 4 * 27; ++guard) {
    if (game.trickCount < 4) {
      PlayComputerTurn(game, twoDecks);
      continue;
    }
    if (ResolveTrickAndCheckLast(game, twoDecks) || game.trickNumber >= 26) {
      FinishDeal(game, twoDecks);
      break;
    }
  }
  int64_t result = game.dealScore[0];
  if (settings.oppositeIsFriend) result += game.dealScore[2];
  return result;
}

HintAdvice AdviseFor(const GameState& game, const Settings& settings, uint64_t seed,
                     const HintBudget& budget, bool twoDecks) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  HintAdvice advice;
  if (game.phase != PhasePlaying || game.turnSeat < 0 || game.turnSeat % 4 != 0) return advice;
  if (game.trickCount < 0 || game.trickCount > 3) return advice;

  std::vector<Choice> choices;
  ListChoices(game, twoDecks, choices);
  if (choices.empty()) return advice;
  advice.slot = choices[0].slot;
  advice.secondSlot = choices[0].second;
  if (choices.size() == 1) return advice;

  auto known = std::make_unique<Knowledge>();
  if (!Gather(game, twoDecks, *known)) return advice;
  if (twoDecks) TrimDiscards(game, choices);

  // Every result is kept for the deal-by-deal comparisons, so the count is
  // bounded to keep that store small.
  const int32_t maxSamples = std::clamp(budget.samples, 1, 100'000);
  const size_t n = choices.size();
  // results[c * maxSamples + s]: choice c on deal s.
  std::vector<int32_t> results(n * static_cast<size_t>(maxSamples));
  std::vector<int64_t> sum(n, 0);
  std::vector<bool> alive(n, true);
  size_t aliveCount = n;
  const HandOrder order;
  Stream stream(seed);
  auto base = std::make_unique<GameState>(game);
  auto work = std::make_unique<GameState>(game);

  int32_t samples = 0;
  int32_t nextCheck = 8;
  while (samples < maxSamples) {
    DealUnseen(*known, order, twoDecks, stream, *base);
    for (size_t c = 0; c < n; ++c) {
      if (!alive[c]) continue;
      *work = *base;
      const int64_t r = PlayOut(*work, settings, twoDecks, choices[c]);
      results[c * maxSamples + samples] =
          static_cast<int32_t>(std::clamp<int64_t>(r, -1'000'000'000, 1'000'000'000));
      sum[c] += r;
    }
    ++samples;
    if (budget.timeLimitUs > 0 &&
        Clock::now() - start >= std::chrono::microseconds(budget.timeLimitUs)) {
      break;
    }
    if (aliveCount == 1) break;
    if (samples == nextCheck) {
      nextCheck *= 2;
      // Drop the choices clearly worse than the best so far, compared deal
      // by deal on the same deals, so the time left goes to the close ones.
      size_t best = n;
      for (size_t c = 0; c < n; ++c)
        if (alive[c] && (best == n || sum[c] > sum[best])) best = c;
      for (size_t c = 0; c < n; ++c) {
        if (!alive[c] || c == best) continue;
        double mean = 0;
        double squares = 0;
        for (int32_t s = 0; s < samples; ++s) {
          const double d =
              static_cast<double>(results[best * maxSamples + s]) - results[c * maxSamples + s];
          mean += d;
          squares += d * d;
        }
        mean /= samples;
        const double variance = std::max(0.0, squares / samples - mean * mean);
        const double error = std::sqrt(variance / samples);
        // Gone too, once many deals agree, when it cannot be better by even
        // a point: two cards that lead to the same result need not both be
        // played on.
        if ((mean > 0 && mean >= 2.5 * error) || (samples >= 128 && mean + 2.5 * error < 1.0)) {
          alive[c] = false;
          --aliveCount;
        }
      }
    }
  }

  size_t best = n;
  for (size_t c = 0; c < n; ++c)
    if (alive[c] && (best == n || sum[c] > sum[best])) best = c;
  advice.slot = choices[best].slot;
  advice.secondSlot = choices[best].second;
  advice.samples = samples;
  return advice;
}

}  // namespace

HintAdvice AdviseOneDeck(const GameState& game, const Settings& settings, uint64_t seed,
                         const HintBudget& budget) {
  return AdviseFor(game, settings, seed, budget, false);
}

HintAdvice AdviseTwoDecks(const GameState& game, const Settings& settings, uint64_t seed,
                          const HintBudget& budget) {
  return AdviseFor(game, settings, seed, budget, true);
}

HintAdvice Advise(const GameState& game, const Settings& settings, uint64_t seed,
                  const HintBudget& budget) {
  return AdviseFor(game, settings, seed, budget, settings.twoDecks != 0);
}

bool DealUnseenCards(const GameState& game, bool twoDecks, uint64_t seed, GameState& dealt) {
  auto known = std::make_unique<Knowledge>();
  if (!Gather(game, twoDecks, *known)) return false;
  dealt = game;
  Stream stream(seed);
  DealUnseen(*known, HandOrder(), twoDecks, stream, dealt);
  return true;
}

}  // namespace gub
