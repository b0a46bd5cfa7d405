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
  // The same values as Next(), two at a time: the even and the odd values
  // each follow their own state two steps at once, so the next value never
  // waits for the multiply of the one before (the shuffle's draw is a long
  // chain of them).
  void Draw(uint32_t* values, int32_t count) override {
    int32_t i = 0;
    if (count >= 2) {
      uint64_t even = state_;
      uint64_t odd = Advance(even);
      for (; i + 1 < count; i += 2) {
        values[i] = Output(even);
        values[i + 1] = Output(odd);
        even = even * kTwoStepsMultiplier + kTwoStepsIncrement;
        odd = odd * kTwoStepsMultiplier + kTwoStepsIncrement;
      }
      state_ = even;
    }
    for (; i < count; ++i) values[i] = Step();
  }

 private:
  static constexpr uint64_t kMultiplier = 6364136223846793005ULL;
  static constexpr uint64_t kIncrement = 1442695040888963407ULL;
  // One step applied twice, folded into one (arithmetic modulo 2^64).
  static constexpr uint64_t kTwoStepsMultiplier = kMultiplier * kMultiplier;
  static constexpr uint64_t kTwoStepsIncrement = kMultiplier * kIncrement + kIncrement;

  static constexpr uint64_t Advance(uint64_t state) { return state * kMultiplier + kIncrement; }
  static constexpr uint32_t Output(uint64_t old) {
    const uint32_t xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    const uint32_t rot = static_cast<uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((-rot) & 31u));
  }
  uint32_t Step() {
    const uint64_t old = state_;
    state_ = Advance(old);
    return Output(old);
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
