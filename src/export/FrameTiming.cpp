#include "export/FrameTiming.h"

namespace tessaly::exports {

namespace {

std::int64_t RoundedEnd(std::int64_t frames, std::int64_t unitsPerSecond) {
  return (frames * unitsPerSecond + ExportFrameRate / 2) / ExportFrameRate;
}

}  // namespace

std::int64_t FrameEndCentiseconds(std::int64_t frames) { return RoundedEnd(frames, 100); }

std::int64_t FrameEndMilliseconds(std::int64_t frames) { return RoundedEnd(frames, 1000); }

double RunSeconds(std::int64_t frames) { return static_cast<double>(frames) / ExportFrameRate; }

}  // namespace tessaly::exports
