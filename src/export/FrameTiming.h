#pragma once
// The timing of a movie at 35 frames per second in the units of the
// animation formats. 35 does not divide 100 or 1000, so a frame's end is
// rounded from the exact time and never from the sum of rounded delays: the
// remainder carries from frame to frame and the whole run keeps its time.

#include <cstdint>

namespace tessaly::exports {

inline constexpr int ExportFrameRate = 35;

// When frame `frames` ends (frames counted from 1; 0 gives 0), rounded to
// the nearest hundredth / thousandth of a second.
std::int64_t FrameEndCentiseconds(std::int64_t frames);
std::int64_t FrameEndMilliseconds(std::int64_t frames);

// The length of a run of frames in seconds.
double RunSeconds(std::int64_t frames);

}  // namespace tessaly::exports
