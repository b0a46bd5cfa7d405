// SPDX-License-Identifier: MIT
// Whole matches with seat 0 played by the hint and the other seats by the
// computer rules, for the simulator: the hint's strength measured over many
// matches, and what each hint cost in time.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <vector>

#include "play/deal_loop.h"
#include "play/hint.h"

namespace gub::sim {

struct HintLog {
  std::vector<double> milliseconds;     // wall-clock time of every hint
  std::vector<double> cpuMilliseconds;  // and the time it held the processor
  int64_t samples = 0;                  // deals of the unseen cards tried, over all hints
  uint64_t seed = 0;                    // each hint's seed comes from this and a counter
  uint64_t hints = 0;
};

// Seat 0's turn by the hint's advice; the turn passes on.
inline void PlayHintTurn(GameState& game, const Settings& settings, const HintBudget& budget,
                         HintLog& log) {
  const bool twoDecks = settings.twoDecks != 0;
  // The processor time of this thread leaves out what other programs took
  // on a busy machine; the wall clock is what a player waits.
  timespec cpuStart{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuStart);
  const auto start = std::chrono::steady_clock::now();
  const HintAdvice advice =
      Advise(game, settings, log.seed ^ (++log.hints * 0x9E3779B97F4A7C15ULL), budget);
  log.milliseconds.push_back(
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  timespec cpuEnd{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuEnd);
  log.cpuMilliseconds.push_back(static_cast<double>(cpuEnd.tv_sec - cpuStart.tv_sec) * 1e3 +
                                static_cast<double>(cpuEnd.tv_nsec - cpuStart.tv_nsec) / 1e6);
  log.samples += advice.samples;
  if (twoDecks) {
    AddPlayTwoDecks(game, 0, advice.slot, advice.secondSlot);
  } else {
    AddPlay(game, 0, advice.slot);
  }
  ++game.trickCount;
  ++game.turnSeat;
}

// As PlayMatch, with seat 0 on the hint.
template <class DealDone>
MatchResult PlayMatchWithHint(GameState& game, const Settings& settings, RandomSource& random,
                              const HintBudget& budget, HintLog& log, DealDone&& dealDone) {
  auto playDeal = [&](GameState& g, bool twoDecks) {
    g.phase = PhasePlaying;
    for (;;) {
      if (g.turnSeat % 4 == 0) {
        PlayHintTurn(g, settings, budget, log);
      } else {
        PlayComputerTurn(g, twoDecks);
      }
      if (g.trickCount < 4) continue;
      if (ResolveTrickAndCheckLast(g, twoDecks)) {
        FinishDeal(g, twoDecks);
        return;
      }
    }
  };
  return PlayMatchBy(game, settings, random, playDeal, dealDone);
}

}  // namespace gub::sim
