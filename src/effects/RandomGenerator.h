#pragma once
// The program's one pseudo-random generator: a 32-bit linear congruential
// state that starts at 0 and is never reseeded, so every run draws the same
// sequence and the sequence goes on from build to build. The program makes
// one at start and hands it to the effect engine; tests make their own.

#include <cstdint>

namespace tessaly::effects {

class TRandomGenerator {
 public:
  explicit TRandomGenerator(std::uint32_t seed = 0) : RandomSeed(seed) {}

  // Advances the state (RandomSeed x 134775813 + 1, modulo 2^32) and returns
  // the high 32 bits of RandomSeed x N: 0 .. N - 1, and 0 when N is 0 or
  // less.
  std::int32_t Random(std::int32_t n);
  // Low when Low > High, else Low + Random(High - Low): High itself is never
  // returned.
  std::int32_t RandomBetween(std::int32_t low, std::int32_t high);

  std::uint32_t RandomSeed;
};

}  // namespace tessaly::effects
