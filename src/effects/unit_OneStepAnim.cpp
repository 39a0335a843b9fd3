#include "effects/unit_OneStepAnim.h"

#include "effects/DriftEffects.h"
#include "effects/EffectPass.h"
#include "effects/FadeEffects.h"
#include "effects/MotionEffects.h"
#include "effects/ParticleEffects.h"
#include "effects/ZoomEffects.h"

namespace tessaly::effects {

namespace {

bool IsEffect(int index) { return document::IsEffectIndex(index); }

void RunEffect(TEffectPass& pass, int index) {
  switch (index) {
    case 1: RotateClockwise(pass); break;
    case 2: RotateAnticlockwise(pass); break;
    case 3: Balloons(pass); break;
    case 4: Expand(pass); break;
    case 5: ExpandThenShrink(pass); break;
    case 6: Explode(pass); break;
    case 7: FadeIn(pass); break;
    case 8: FadeInAndOut(pass); break;
    case 9: FadeOut(pass); break;
    case 10: FallingLeaves(pass); break;
    case 11: Scroll(pass, TMotion::mLeft); break;
    case 12: Scroll(pass, TMotion::mRight); break;
    case 13: Scroll(pass, TMotion::mUp); break;
    case 14: Scroll(pass, TMotion::mDown); break;
    case 15: DriftingShapes(pass, TDriftShape::dsCircle); break;
    case 16: DriftingShapes(pass, TDriftShape::dsSquare); break;
    case 17: DriftingShapes(pass, TDriftShape::dsStar); break;
    case 18: RandomColours(pass); break;
    case 19: RandomMovement(pass); break;
    case 20: Roll(pass, TMotion::mLeft); break;
    case 21: Roll(pass, TMotion::mRight); break;
    case 22: Roll(pass, TMotion::mUp); break;
    case 23: Roll(pass, TMotion::mDown); break;
    case 24: Shrink(pass); break;
    case 25: Snow(pass); break;
    case 26: RotateAndShrink(pass); break;
    case 27: RotateAndExpand(pass); break;
    case 28: RotateShrinkAndExpand(pass); break;
    case 29: HorizontalStretch(pass); break;
    case 30: VerticalStretch(pass); break;
    default: break;
  }
}

}  // namespace

std::int64_t PassFrameCount(const document::TBannerSettings& settings, int loopIndex) {
  if (!IsEffect(settings.AnimationType)) return 0;
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
  if (!IsEffect(index)) return;
  TEffectPass pass(Movie, Context, CentreX, CentreY, LoopIndex, ItemCount, random_, programFolder_);
  RunEffect(pass, index);
}

std::int64_t TOneStepAnim::AnimatedFrameCount(const document::TBannerSettings& Settings) const {
  return AnimatedMovieFrameCount(Settings);
}

}  // namespace tessaly::effects
