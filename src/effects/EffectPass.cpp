#include "effects/EffectPass.h"

#include <algorithm>

namespace tessaly::effects {

using document::ItemKind;

int StepsForSpeed(int speed) {
  const int n = RoundHalfEven((11 - speed) * 20.0);
  return n == 0 ? 1 : n;
}

int DelayFrameCount(int delay) { return std::max(0, RoundHalfEven(delay / 100.0) * 20); }

int EffectSpeed(const document::TBannerSettings& settings) { return std::clamp(settings.AnimationSpeed, 1, 10); }

TEffectPass::TEffectPass(swf::TFlashMovie& movie, const document::TBuildContext& context, std::int32_t centreX,
                         std::int32_t centreY, int loopIndex, int itemCount, TRandomGenerator& random,
                         const std::string& programFolder)
    : Movie(movie),
      Context(context),
      Settings(context.Document->BannerSettings),
      Random(random),
      ProgramFolder(programFolder),
      CentreX(centreX),
      CentreY(centreY),
      W(context.BannerWidth),
      H(context.BannerHeight),
      LoopIndex(loopIndex),
      ItemCount(std::clamp(itemCount, 0, document::TItemTable::Capacity)),
      Speed(EffectSpeed(Settings)),
      N(StepsForSpeed(Speed)) {
  CollectLayers();
}

void TEffectPass::CollectLayers() {
  if (Settings.AnimateBackground && Context.BackgroundCharacter != nullptr)
    layers_.push_back({Context.BackgroundCharacter, 0, std::string(document::BackgroundInstanceName),
                       {TLayerKind::lkBackground, 0}});
  const document::TItemTable& items = Context.Document->ItemTable;
  for (int i = 1; i <= ItemCount; ++i) {
    const document::TFlashObjects& item = items[i];
    const swf::TFlashButton* button = Context.ItemButtons[i];
    // Deleted items and blank texts have no button in this movie.
    if (item.Deleted || button == nullptr) continue;
    bool animated = false;
    switch (item.Kind) {
      case ItemKind::ikShape:
        animated = Settings.AnimateShapes;
        break;
      case ItemKind::ikImage:
        animated = Settings.AnimateImages;
        break;
      case ItemKind::ikText:
        animated = Settings.AnimateText;
        break;
    }
    if (!animated) continue;
    if (item.Kind == ItemKind::ikText && item.ShadowAltitude >= 1 && Context.ShadowButtons[i] != nullptr)
      layers_.push_back({Context.ShadowButtons[i], document::ShadowDepth(i), document::ShadowInstanceName(i),
                         {TLayerKind::lkShadow, i}});
    layers_.push_back({button, document::ItemDepth(i), document::ItemInstanceName(i), {TLayerKind::lkItem, i}});
  }
}

void TEffectPass::PlaceLayers(const TTransform& transform) {
  for (const TLayerPlacement& layer : layers_) {
    swf::TFlashPlaceObject* place = Movie.PlaceObject(layer.Character, layer.Depth);
    place->SetName(layer.Name);
    transform(*place, layer.Layer);
    place->SetMove(true);
  }
}

void TEffectPass::PlaceLayersAtRest() {
  PlaceLayers([this](swf::TFlashPlaceObject& place, const TLayer&) { place.SetTranslate(CentreX, CentreY); });
}

void TEffectPass::ShowFrames(int count) {
  for (int i = 0; i < count; ++i) Movie.ShowFrame(1);
}

void TEffectPass::Step(const TTransform& transform, bool delayStep) {
  PlaceLayers(transform);
  Movie.ShowFrame(1);
  if (delayStep && LoopIndex == 0 && !firstDelayDone_) {
    ShowFrames(DelayFrameCount(Settings.AnimationFirstFrame));
    firstDelayDone_ = true;
  }
}

void TEffectPass::EndSteps() { ShowFrames(DelayFrameCount(Settings.AnimationLastFrame)); }

}  // namespace tessaly::effects
