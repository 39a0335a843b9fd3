#pragma once
// What every effect shares during one pass: the settings it reads, the
// layers it places again, the frame schedule of its steps with the
// first-frame and last-frame delays, and the random source.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/BuildContext.h"
#include "effects/RandomGenerator.h"
#include "swf/FlashObjects.h"
#include "platform/Rounding.h"

namespace tessaly::effects {

// N, the number of steps of an effect: Round((11 - Speed) x 20), 1 when
// that is 0 (speed 10 gives 20, speed 1 gives 200).
int StepsForSpeed(int speed);
// Frames that hold a picture for a delay in 1/100 s: Round(Delay / 100) x 20,
// twenty frames a second whatever the frame rate; never below 0.
int DelayFrameCount(int delay);
// The speed the effects work with: the setting, taken into 1 .. 10.
int EffectSpeed(const document::TBannerSettings& settings);
using platform::RoundHalfEven;

// Which layer a placement belongs to; Index is the item (0 for the
// background).
enum class TLayerKind { lkBackground, lkShadow, lkItem };
struct TLayer {
  TLayerKind Kind = TLayerKind::lkItem;
  int Index = 0;
};

// The transform of one step, applied to every placement between SetName and
// SetMove in the order the effect gives.
using TTransform = std::function<void(swf::TFlashPlaceObject&, const TLayer&)>;

class TEffectPass {
 public:
  TEffectPass(swf::TFlashMovie& movie, const document::TBuildContext& context, std::int32_t centreX,
              std::int32_t centreY, int loopIndex, int itemCount, TRandomGenerator& random,
              const std::string& programFolder);

  swf::TFlashMovie& Movie;
  const document::TBuildContext& Context;
  const document::TBannerSettings& Settings;
  TRandomGenerator& Random;
  const std::string& ProgramFolder;
  const std::int32_t CentreX;
  const std::int32_t CentreY;
  // The banner's width and height in pixels.
  const std::int32_t W;
  const std::int32_t H;
  const int LoopIndex;
  const int ItemCount;
  const int Speed;
  const int N;

  // Places every animated layer again with Transform: the background at
  // depth 0 when AnimateBackground is on, then for each item that has a
  // button and whose layer is animated its text shadow (when it has one) and
  // its button. Each placement carries its name and the Move flag.
  void PlaceLayers(const TTransform& transform);
  // PlaceLayers with the translation (CentreX, CentreY) only.
  void PlaceLayersAtRest();
  // The layers placed again by PlaceLayers, in placement order.
  int LayerCount() const { return static_cast<int>(layers_.size()); }

  // One step of the frame schedule: PlaceLayers, one frame, and on the
  // effect's delay step of pass 0 the first-frame delay (once per pass).
  void Step(const TTransform& transform, bool delayStep);
  // After the last step: the last-frame delay.
  void EndSteps();

 private:
  struct TLayerPlacement {
    const swf::TFlashVisualObject* Character;
    std::uint16_t Depth;
    std::string Name;
    TLayer Layer;
  };
  void CollectLayers();
  void ShowFrames(int count);

  std::vector<TLayerPlacement> layers_;
  bool firstDelayDone_ = false;
};

}  // namespace tessaly::effects
