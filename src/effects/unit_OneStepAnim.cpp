#include "effects/unit_OneStepAnim.h"

namespace tessaly::effects {

std::int64_t PassFrameCount(const document::TBannerSettings& settings, int loopIndex) {
  if (!document::IsEffectIndex(settings.AnimationType)) return 0;
  const TEffectEntry& entry = EffectTable[static_cast<std::size_t>(settings.AnimationType)];
  std::int64_t frames = static_cast<std::int64_t>(entry.PerStep) * StepsForSpeed(EffectSpeed(settings)) + entry.Extra;
  if (entry.HasDelays) {
    if (loopIndex == 0) frames += DelayFrameCount(settings.AnimationFirstFrame);
    frames += DelayFrameCount(settings.AnimationLastFrame);
  }
  return frames;
}

std::int64_t AnimatedMovieFrameCount(const document::TBannerSettings& settings) {
  const int passes = settings.AnimationLoop > 0 ? settings.AnimationLoop : 1;
  std::int64_t frames = 0;
  for (int loopIndex = 0; loopIndex < passes; ++loopIndex) frames += PassFrameCount(settings, loopIndex);
  if (settings.AnimationLoop > 0) ++frames;
  return frames;
}

TOneStepAnim::TOneStepAnim(TRandomGenerator& random, std::string programFolder)
    : random_(random), programFolder_(std::move(programFolder)) {}

void TOneStepAnim::AddEffectFrames(swf::TFlashMovie& Movie, const document::TBuildContext& Context,
                                   std::int32_t CentreX, std::int32_t CentreY, int LoopIndex, int ItemCount) {
  if (Context.Document == nullptr) return;
  const int index = Context.Document->BannerSettings.AnimationType;
  if (!document::IsEffectIndex(index)) return;
  TEffectPass pass(Movie, Context, CentreX, CentreY, LoopIndex, ItemCount, random_, programFolder_);
  EffectTable[static_cast<std::size_t>(index)].Run(pass);
}

std::int64_t TOneStepAnim::AnimatedFrameCount(const document::TBannerSettings& Settings) const {
  return AnimatedMovieFrameCount(Settings);
}

}  // namespace tessaly::effects
