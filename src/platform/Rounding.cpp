#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessaly::platform {

std::int32_t ClampToInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lowest = std::numeric_limits<std::int32_t>::min();
  constexpr double highest = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(value, lowest, highest));
}

// nearbyint rounds in the current rounding mode, which the program never
// changes from its default, to nearest with halves to even.
std::int32_t RoundHalfEven(double value) { return ClampToInt32(std::nearbyint(value)); }

std::int32_t TruncToInt32(double value) { return ClampToInt32(std::trunc(value)); }

}  // namespace tessaly::platform
