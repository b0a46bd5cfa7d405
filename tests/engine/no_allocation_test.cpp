// SPDX-License-Identifier: MIT
// A whole match, from the first shuffle to the last score, allocates nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "play/deal_loop.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace gub {
namespace {

TEST(NoAllocation, MatchesOfBothVariantsAllocateNothing) {
  static GameState game;
  for (int twoDecks = 0; twoDecks < 2; ++twoDecks) {
    Settings settings;
    settings.twoDecks = twoDecks;
    SeededRandom random(5);
    sim::NoHook hook;
    int64_t deals = 0;
    const long before = allocations.load();
    for (int m = 0; m < 20; ++m)
      deals += sim::PlayMatch(game, settings, random, hook, [](const GameState&) {}).deals;
    EXPECT_EQ(allocations.load() - before, 0) << (twoDecks ? "two decks" : "one deck");
    EXPECT_GT(deals, 20);
  }
}

TEST(NoAllocation, TheCounterSeesAllocations) {
  const long before = allocations.load();
  int* volatile p = new int(3);
  delete p;
  EXPECT_EQ(allocations.load() - before, 1);
}

}  // namespace
}  // namespace gub
