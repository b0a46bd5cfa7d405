// SPDX-License-Identifier: MIT
// gub-sim: plays whole matches with all four seats on the computer rules and
// prints per-seat averages, declaration rates and the engine's throughput.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>
#include <vector>

#include "play/deal_loop.h"
#include "play/hint_match.h"

namespace {

struct Options {
  int64_t matches = 1000;
  uint64_t seed = 1;
  bool digest = false;
  gub::Settings settings;
  // --south: seat 0 on the computer rules or the hint; either way every match
  // then deals from its own seed, so the two runs meet the same deals.
  int south = 0;  // 0 not given, 1 computer, 2 hint
  gub::HintBudget hint{200, 0};
};

void Usage() {
  std::puts(
      "usage: gub-sim [--matches N] [--seed S] [--max-score N] [--two-decks]\n"
      "               [--declare-except-sheep] [--opposite-is-friend] [--digest]\n"
      "               [--south computer|hint] [--hint-samples N] [--hint-ms T]\n"
      "Plays N whole matches (default 1000) with every seat on the computer rules.\n"
      "The same seed and options repeat the same matches card for card; --digest\n"
      "prints one number that changes when any card of any trick changes.\n"
      "--south hint plays seat 0 by the hint (N deals of the unseen cards, default\n"
      "200, stopping after T ms when given), and prints the time per hint.");
}

bool ParseNumber(const char* text, int64_t& out) {
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0') return false;
  out = value;
  return true;
}

bool Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto number = [&](int64_t& out, int64_t low, int64_t high) {
      if (i + 1 >= argc || !ParseNumber(argv[i + 1], out) || out < low || out > high) {
        std::fprintf(stderr, "gub-sim: %s needs a number from %lld to %lld\n", argv[i],
                     static_cast<long long>(low), static_cast<long long>(high));
        return false;
      }
      ++i;
      return true;
    };
    int64_t value = 0;
    if (arg == "--matches") {
      if (!number(options.matches, 1, 1'000'000'000)) return false;
    } else if (arg == "--seed") {
      if (!number(value, 0, INT64_MAX)) return false;
      options.seed = static_cast<uint64_t>(value);
    } else if (arg == "--max-score") {
      // A limit of 0 or below could never be reached by a losing total alone,
      // but every deal scores 0 or more for someone, so matches still end;
      // keep it positive to keep matches of a sensible length.
      if (!number(value, 1, 1'000'000)) return false;
      options.settings.maxScore = static_cast<int32_t>(value);
    } else if (arg == "--two-decks") {
      options.settings.twoDecks = 1;
    } else if (arg == "--declare-except-sheep") {
      options.settings.declareExceptSheep = 1;
    } else if (arg == "--opposite-is-friend") {
      options.settings.oppositeIsFriend = 1;
    } else if (arg == "--south" && i + 1 < argc &&
               (argv[i + 1] == std::string_view("computer") ||
                argv[i + 1] == std::string_view("hint"))) {
      options.south = argv[++i] == std::string_view("hint") ? 2 : 1;
    } else if (arg == "--hint-samples") {
      if (!number(value, 1, 100'000)) return false;
      options.hint.samples = static_cast<int32_t>(value);
    } else if (arg == "--hint-ms") {
      if (!number(value, 0, 100'000)) return false;
      options.hint.timeLimitUs = value * 1000;
    } else if (arg == "--digest") {
      options.digest = true;
    } else if (arg == "--help" || arg == "-h") {
      Usage();
      std::exit(0);
    } else {
      std::fprintf(stderr, "gub-sim: unknown option %s\n", argv[i]);
      Usage();
      return false;
    }
  }
  options.settings.soundOn = 0;
  options.settings.speedDelayMs = 0;
  return true;
}

struct Stats {
  int64_t deals = 0;
  int64_t dealScore[4] = {};
  int64_t wins[4] = {};
  int64_t declared[4] = {};  // gub card, heart ace, double, sheep
  uint64_t digest = 14695981039346656037ull;
};

// FNV-1a over every played card, trick winner, deal score and declaration of
// a deal, so two runs that differ in a single card print different digests.
void AddToDigest(uint64_t& digest, const gub::GameState& g) {
  auto add = [&digest](int32_t v) {
    digest = (digest ^ static_cast<uint32_t>(v)) * 1099511628211ull;
  };
  for (int32_t t = 0; t < g.trickNumber && t < 26; ++t) {
    const gub::TrickRecord& trick = g.trickHistory[t];
    add(trick.winner);
    for (int k = 0; k < 4; ++k) {
      add(trick.cards[k]);
      add(trick.seconds[k]);
    }
  }
  for (int k = 0; k < 4; ++k) {
    add(g.dealScore[k]);
    add(g.declarations[k].seat);
    add(g.declarations[k].card);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) return 2;

  static gub::GameState game;  // large; keep it off the stack
  gub::SeededRandom random(options.seed);
  gub::sim::NoHook hook;
  Stats stats;
  auto dealDone = [&stats, &options](const gub::GameState& g) {
    ++stats.deals;
    if (options.digest) AddToDigest(stats.digest, g);
    for (int seat = 0; seat < 4; ++seat) stats.dealScore[seat] += g.dealScore[seat];
    for (int k = 0; k < 4; ++k)
      if (g.declarations[k].card != -1) ++stats.declared[k];
  };

  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  gub::sim::HintLog hintLog;
  hintLog.seed = options.seed;
  for (int64_t m = 0; m < options.matches; ++m) {
    if (options.south != 0) random.Seed(options.seed * 1'000'003 + static_cast<uint64_t>(m));
    if (options.south == 2) {
      gub::sim::PlayMatchWithHint(game, options.settings, random, options.hint, hintLog, dealDone);
    } else {
      gub::sim::PlayMatch(game, options.settings, random, hook, dealDone);
    }
    // The best total wins the match; equal best totals share the win.
    int32_t best = game.matchTotal[0];
    for (int s = 1; s < 4; ++s) best = game.matchTotal[s] > best ? game.matchTotal[s] : best;
    for (int s = 0; s < 4; ++s)
      if (game.matchTotal[s] == best) ++stats.wins[s];
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // CPU time is the fairer figure on a busy machine: it leaves out the time
  // other programs held the core.
  const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

  const gub::Settings& s = options.settings;
  std::printf(
      "%lld matches, %lld deals (%s, limit %d, declare except sheep %s, "
      "opposite is friend %s, seed %llu)\n",
      static_cast<long long>(options.matches), static_cast<long long>(stats.deals),
      s.twoDecks ? "two decks" : "one deck", s.maxScore, s.declareExceptSheep ? "on" : "off",
      s.oppositeIsFriend ? "on" : "off", static_cast<unsigned long long>(options.seed));
  static const char* const seatNames[4] = {"south", "east", "north", "west"};
  std::printf("seat        avg deal score   matches won\n");
  for (int seat = 0; seat < 4; ++seat) {
    std::printf(
        "%d %-8s %15.2f %12.1f%%\n", seat, seatNames[seat],
        static_cast<double>(stats.dealScore[seat]) / static_cast<double>(stats.deals),
        100.0 * static_cast<double>(stats.wins[seat]) / static_cast<double>(options.matches));
  }
  static const char* const cardNames[4] = {"gub card (Q spades)", "heart ace", "double (10 clubs)",
                                           "sheep (J diamonds)"};
  std::printf("declared in %% of deals:\n");
  for (int k = 0; k < 4; ++k) {
    std::printf("  %-20s %6.2f%%\n", cardNames[k],
                100.0 * static_cast<double>(stats.declared[k]) / static_cast<double>(stats.deals));
  }
  if (options.digest) {
    std::printf("digest: %016llx\n", static_cast<unsigned long long>(stats.digest));
  }
  if (!hintLog.milliseconds.empty()) {
    std::printf(
        "hints: %zu, %.1f deals tried per hint\n", hintLog.milliseconds.size(),
        static_cast<double>(hintLog.samples) / static_cast<double>(hintLog.milliseconds.size()));
    for (std::vector<double>* ms : {&hintLog.milliseconds, &hintLog.cpuMilliseconds}) {
      std::sort(ms->begin(), ms->end());
      std::printf("  time per hint, %s: median %.2f ms, 99%% %.2f ms, worst %.2f ms\n",
                  ms == &hintLog.milliseconds ? "wall clock" : "CPU time  ", (*ms)[ms->size() / 2],
                  (*ms)[ms->size() * 99 / 100], ms->back());
    }
  }
  const double deals = static_cast<double>(stats.deals);
  std::printf("throughput: %.0f deals/s wall clock, %.0f deals/s CPU time\n", deals / seconds,
              deals / cpuSeconds);
  return 0;
}
