#include "document/BuildProgress.h"

#include <algorithm>
#include <cmath>

namespace tessaly::document {

namespace {

// Shares of the stages in the time of a long animated build, as measured on
// release builds of banners with 20 items and thousands of frames: making
// the effect frames, writing the objects as tags, compressing the file
// (which takes longest when the frames are large).
constexpr double EffectsWeight = 30;
constexpr double ObjectsWeight = 40;
constexpr double CompressWeight = 30;

std::size_t StageIndex(TBuildPhase phase) { return static_cast<std::size_t>(phase); }

}  // namespace

void TBuildProgressMeter::Start(TBuildProgressEvent event, bool animated, bool compressed) {
  event_ = std::move(event);
  const double effects = animated ? EffectsWeight : 0;
  const double file = compressed ? CompressWeight : 0;
  const double total = effects + ObjectsWeight + file;
  shares_ = {100 * effects / total, 100 * ObjectsWeight / total, 100 * file / total};
  percent_ = -1;
  Report(animated ? TBuildPhase::bpEffects : TBuildPhase::bpObjects, 0);
}

void TBuildProgressMeter::Report(TBuildPhase phase, double fraction) {
  if (!event_) return;
  double before = 0;
  for (std::size_t i = 0; i < StageIndex(phase); ++i) before += shares_[i];
  const double done = before + shares_[StageIndex(phase)] * std::clamp(fraction, 0.0, 1.0);
  const int percent = std::max(percent_, static_cast<int>(std::lround(done)));
  if (percent == percent_ && phase == phase_) return;
  percent_ = percent;
  phase_ = phase;
  event_(percent, phase);
}

}  // namespace tessaly::document
