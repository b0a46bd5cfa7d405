// gub-sim: plays whole matches with all four seats on the computer rules and
// prints per-seat averages, declaration rates and the engine's throughput.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "tools/match_sim.h"

namespace {

struct Options {
  int64_t matches = 1000;
  uint64_t seed = 1;
  gub::Settings settings;
};

void Usage() {
  std::puts(
      "usage: gub-sim [--matches N] [--seed S] [--max-score N] [--two-decks]\n"
      "               [--declare-except-sheep] [--opposite-is-friend]\n"
      "Plays N whole matches (default 1000) with every seat on the computer rules.\n"
      "The same seed and options repeat the same matches card for card.");
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
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) return 2;

  static gub::GameState game;  // large; keep it off the stack
  gub::SeededRandom random(options.seed);
  gub::sim::NoHook hook;
  Stats stats;
  auto dealDone = [&stats](const gub::GameState& g) {
    ++stats.deals;
    for (int seat = 0; seat < 4; ++seat) stats.dealScore[seat] += g.dealScore[seat];
    for (int k = 0; k < 4; ++k)
      if (g.declarations[k].card != -1) ++stats.declared[k];
  };

  const auto start = std::chrono::steady_clock::now();
  for (int64_t m = 0; m < options.matches; ++m) {
    gub::sim::PlayMatch(game, options.settings, random, hook, dealDone);
    // The best total wins the match; equal best totals share the win.
    int32_t best = game.matchTotal[0];
    for (int s = 1; s < 4; ++s) best = game.matchTotal[s] > best ? game.matchTotal[s] : best;
    for (int s = 0; s < 4; ++s)
      if (game.matchTotal[s] == best) ++stats.wins[s];
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

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
  std::printf("throughput: %.0f deals/s\n", static_cast<double>(stats.deals) / seconds);
  return 0;
}
