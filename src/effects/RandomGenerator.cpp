#include "effects/RandomGenerator.h"

namespace tessaly::effects {

std::int32_t TRandomGenerator::Random(std::int32_t n) {
  RandomSeed = RandomSeed * 134775813u + 1u;
  if (n <= 0) return 0;
  return static_cast<std::int32_t>((static_cast<std::uint64_t>(RandomSeed) * static_cast<std::uint32_t>(n)) >> 32);
}

std::int32_t TRandomGenerator::RandomBetween(std::int32_t low, std::int32_t high) {
  if (low > high) return low;
  return low + Random(high - low);
}

}  // namespace tessaly::effects
