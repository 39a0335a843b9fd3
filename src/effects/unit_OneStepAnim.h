#pragma once
// The effect engine: appends one pass of the banner's animation effect to
// the movie of an animated build, choosing the effect by its index in the
// effect list.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/BuildContext.h"
#include "effects/DriftEffects.h"
#include "effects/EffectPass.h"
#include "effects/FadeEffects.h"
#include "effects/MotionEffects.h"
#include "effects/ParticleEffects.h"
#include "effects/RandomGenerator.h"
#include "effects/ZoomEffects.h"

namespace tessaly::effects {

inline constexpr int EffectCount = document::LastEffectIndex + 1;

// Appends one pass of an effect.
using TEffectFunction = void (*)(TEffectPass& pass);

// The effect list: index (AnimationType, also what project files store),
// caption, the function that adds a pass (none for "无动画"), main-timeline
// frames one pass adds before its delays as PerStep x N + Extra
// (N = StepsForSpeed), and whether the pass has the first-frame and
// last-frame delays.
struct TEffectEntry {
  std::string_view Caption;
  TEffectFunction Run;
  int PerStep;
  int Extra;
  bool HasDelays;
};

inline constexpr std::array<TEffectEntry, EffectCount> EffectTable = {{
    {"无动画", nullptr, 0, 0, false},
    {"360度顺时针旋转", RotateClockwise, 1, 1, true},
    {"360度逆时针旋转", RotateAnticlockwise, 1, 1, true},
    {"气球", Balloons, 10, 1, false},
    {"扩展", Expand, 1, 1, true},
    {"扩展后收缩", ExpandThenShrink, 10, 2, true},
    {"爆炸", Explode, 5, 1, true},
    {"淡入", FadeIn, 1, 1, true},
    {"淡入淡出", FadeInAndOut, 2, 2, true},
    {"淡出", FadeOut, 1, 1, true},
    {"落叶", FallingLeaves, 7, 1, false},
    {"向左滚动", [](TEffectPass& pass) { Scroll(pass, TMotion::mLeft); }, 2, 1, true},
    {"向右滚动", [](TEffectPass& pass) { Scroll(pass, TMotion::mRight); }, 2, 1, true},
    {"向上滚动", [](TEffectPass& pass) { Scroll(pass, TMotion::mUp); }, 2, 1, true},
    {"向下滚动", [](TEffectPass& pass) { Scroll(pass, TMotion::mDown); }, 2, 1, true},
    {"运动的圆形", [](TEffectPass& pass) { DriftingShapes(pass, TDriftShape::dsCircle); }, 0, 1, false},
    {"运动的方块", [](TEffectPass& pass) { DriftingShapes(pass, TDriftShape::dsSquare); }, 0, 1, false},
    {"运行的星星", [](TEffectPass& pass) { DriftingShapes(pass, TDriftShape::dsStar); }, 0, 1, false},
    {"随机颜色", RandomColours, 1, 1, true},
    {"随机移动", RandomMovement, 1, 1, true},
    {"向左卷动", [](TEffectPass& pass) { Roll(pass, TMotion::mLeft); }, 1, 1, true},
    {"向右卷动", [](TEffectPass& pass) { Roll(pass, TMotion::mRight); }, 1, 1, true},
    {"向上卷动", [](TEffectPass& pass) { Roll(pass, TMotion::mUp); }, 1, 1, true},
    {"向下卷动", [](TEffectPass& pass) { Roll(pass, TMotion::mDown); }, 1, 1, true},
    {"收缩", Shrink, 1, 1, true},
    {"下雪", Snow, 15, 1, false},
    {"旋转收缩", RotateAndShrink, 1, 1, true},
    {"旋转扩展", RotateAndExpand, 1, 1, true},
    {"旋转,收缩和扩展", RotateShrinkAndExpand, 2, 2, true},
    {"水平拉伸", HorizontalStretch, 1, 0, true},
    {"垂直拉伸", VerticalStretch, 1, 0, true},
}};

// The main-timeline frames that pass LoopIndex of the settings' effect
// adds, its delays included (the first-frame delay only in pass 0); 0 for
// index 0 and indexes outside 1 .. 30.
std::int64_t PassFrameCount(const document::TBannerSettings& settings, int loopIndex);
// Every pass of the animated build plus its closing Stop frame when
// AnimationLoop > 0.
std::int64_t AnimatedMovieFrameCount(const document::TBannerSettings& settings);

class TOneStepAnim : public document::TEffectGenerator {
 public:
  // Random is the program's generator and outlives the engine. The particle
  // pictures are read from ProgramFolder (the executable's folder, ending
  // in "/").
  TOneStepAnim(TRandomGenerator& random, std::string programFolder);

  void AddEffectFrames(swf::TFlashMovie& Movie, const document::TBuildContext& Context, std::int32_t CentreX,
                       std::int32_t CentreY, int LoopIndex, int ItemCount) override;
  std::int64_t AnimatedFrameCount(const document::TBannerSettings& Settings) const override;

  const std::string& ProgramFolder() const { return programFolder_; }

 private:
  TRandomGenerator& random_;
  std::string programFolder_;
};

}  // namespace tessaly::effects
