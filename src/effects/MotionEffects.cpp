#include "effects/MotionEffects.h"

namespace tessaly::effects {

namespace {

// The step of travel s (N .. -N): its translation. Vertical motion too
// travels by the banner's width.
void MotionStep(TEffectPass& pass, TMotion motion, int s, bool delayStep) {
  const std::int32_t offset = RoundHalfEven(static_cast<double>(s) / pass.N * pass.W);
  std::int32_t x = pass.CentreX, y = pass.CentreY;
  switch (motion) {
    case TMotion::mLeft:
      x += offset;
      break;
    case TMotion::mRight:
      x -= offset;
      break;
    case TMotion::mUp:
      y += offset;
      break;
    case TMotion::mDown:
      y -= offset;
      break;
  }
  pass.Step([x, y](swf::TFlashPlaceObject& place, const TLayer&) { place.SetTranslate(x, y); }, delayStep);
}

}  // namespace

void Scroll(TEffectPass& pass, TMotion motion) {
  for (int s = pass.N; s >= -pass.N; --s) MotionStep(pass, motion, s, s == 0);
  pass.EndSteps();
}

void Roll(TEffectPass& pass, TMotion motion) {
  for (int s = pass.N; s >= 0; --s) MotionStep(pass, motion, s, s == 0);
  pass.EndSteps();
}

void RandomMovement(TEffectPass& pass) {
  pass.Movie.SetFrameRate(pass.Speed / 2.0);
  for (int s = 0; s <= pass.N; ++s) {
    const bool last = s == pass.N;
    // A text's shadow is placed just before its text and draws the point
    // that the text then takes as well.
    int shadowOf = 0;
    std::int32_t shadowX = 0, shadowY = 0;
    pass.Step(
        [&](swf::TFlashPlaceObject& place, const TLayer& layer) {
          if (last || layer.Kind == TLayerKind::lkBackground) {
            // The background stays where it was designed; the last step
            // brings every item back to its place.
            place.SetTranslate(pass.CentreX, pass.CentreY);
            return;
          }
          if (layer.Kind == TLayerKind::lkItem && layer.Index == shadowOf) {
            place.SetTranslate(shadowX, shadowY);
            return;
          }
          const std::int32_t x = pass.Random.Random(pass.W);
          const std::int32_t y = pass.Random.Random(pass.H);
          if (layer.Kind == TLayerKind::lkShadow) {
            shadowOf = layer.Index;
            shadowX = x;
            shadowY = y;
          }
          place.SetTranslate(x, y);
        },
        s == 0);
  }
  pass.EndSteps();
}

}  // namespace tessaly::effects
