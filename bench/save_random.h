// The random source of the save generator: SplitMix64 over a fixed seed, so a
// generated file is byte for byte the same on every platform and compiler.
// Only integer arithmetic is used; fractions are made as whole thousandths.
#pragma once

#include <cstdint>

class SaveRandom {
 public:
  explicit SaveRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A whole number in [0, n); n must be positive.
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }

  // A whole number in [low, high].
  int64_t Between(int64_t low, int64_t high) {
    return low + static_cast<int64_t>(Next() % static_cast<uint64_t>(high - low + 1));
  }

  // True in percent out of 100 calls, on average.
  bool Chance(uint32_t percent) { return Below(100) < percent; }

 private:
  uint64_t state_;
};
