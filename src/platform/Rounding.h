#pragma once
// Conversions of computed values to integers as the program rounds them:
// to the nearest integer with halves to the even neighbour, or toward zero.
// NaN gives 0; values beyond 32 bits are held at its ends.

#include <cstdint>

namespace tessaly::platform {

// A whole value held within 32 bits (NaN: 0).
std::int32_t ClampToInt32(double value);
// Nearest integer, halves to the even neighbour: 2.5 -> 2, 3.5 -> 4.
std::int32_t RoundHalfEven(double value);
// Toward zero.
std::int32_t TruncToInt32(double value);

}  // namespace tessaly::platform
