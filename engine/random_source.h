// SPDX-License-Identifier: MIT
// The shuffle's random source, injected so that tests and the simulator can
// reproduce a deal card for card while the game seeds from the clock.
#pragma once

#include <cstdint>

namespace gub {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Called once at the start of every deal, before the first Next().
  virtual void BeginDeal() {}
  // The next value; the deal takes it modulo the number of positions.
  virtual uint32_t Next() = 0;
  // The next `count` values at once: the deal draws all of its values in one
  // call. The same values as `count` calls of Next().
  virtual void Draw(uint32_t* values, int32_t count) {
    for (int32_t i = 0; i < count; ++i) values[i] = Next();
  }
};

// PCG32: small, fast, and well mixed in every bit, so "value modulo 52" is
// not biased towards the low bits as a plain linear congruential generator is.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(uint64_t seed) { Seed(seed); }
  void Seed(uint64_t seed) {
    state_ = 0;
    Next();
    state_ += seed;
    Next();
  }
  uint32_t Next() override { return Step(); }
  void Draw(uint32_t* values, int32_t count) override {
    for (int32_t i = 0; i < count; ++i) values[i] = Step();
  }

 private:
  uint32_t Step() {
    uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
    uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    uint32_t rot = static_cast<uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((-rot) & 31u));
  }

  uint64_t state_ = 0;
};

// The game's source: reseeds at every deal from the clock in seconds, mixed
// with a running deal counter so that two deals made within the same second
// still differ (New game pressed twice quickly must not repeat the hands).
class ClockRandom final : public RandomSource {
 public:
  // `clockSeconds` is read at every deal; the shell passes the real clock.
  explicit ClockRandom(uint64_t (*clockSeconds)()) : clockSeconds_(clockSeconds) {}
  void BeginDeal() override {
    ++dealCounter_;
    uint64_t z = clockSeconds_() + dealCounter_ * 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    generator_.Seed(z ^ (z >> 31));
  }
  uint32_t Next() override { return generator_.Next(); }
  void Draw(uint32_t* values, int32_t count) override { generator_.Draw(values, count); }

 private:
  uint64_t (*clockSeconds_)();
  uint64_t dealCounter_ = 0;
  SeededRandom generator_{0};
};

}  // namespace gub
