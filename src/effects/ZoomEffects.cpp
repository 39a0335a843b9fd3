#include "effects/ZoomEffects.h"

namespace tessaly::effects {

namespace {

// Scales and angles reach the placement as 32-bit floats.
void Scale(swf::TFlashPlaceObject& place, double scaleX, double scaleY) {
  place.SetScale(static_cast<float>(scaleX), static_cast<float>(scaleY));
}
void Rotate(swf::TFlashPlaceObject& place, double angle) { place.SetRotate(static_cast<float>(angle)); }

// Rotation only: SetRotate, then SetTranslate.
void RotationStep(TEffectPass& pass, double angle, bool delayStep) {
  pass.Step(
      [&](swf::TFlashPlaceObject& place, const TLayer&) {
        Rotate(place, angle);
        place.SetTranslate(pass.CentreX, pass.CentreY);
      },
      delayStep);
}

// Scale only: SetTranslate, then SetScale.
void ZoomStep(TEffectPass& pass, double scale, bool delayStep) {
  pass.Step(
      [&](swf::TFlashPlaceObject& place, const TLayer&) {
        place.SetTranslate(pass.CentreX, pass.CentreY);
        Scale(place, scale, scale);
      },
      delayStep);
}

// Scale and rotation: SetTranslate, SetScale, then SetRotate, which
// composes with the scale.
void SpinStep(TEffectPass& pass, double scale, double angle, bool delayStep) {
  pass.Step(
      [&](swf::TFlashPlaceObject& place, const TLayer&) {
        place.SetTranslate(pass.CentreX, pass.CentreY);
        Scale(place, scale, scale);
        Rotate(place, angle);
      },
      delayStep);
}

double Growing(const TEffectPass& pass, int s) { return (1.0 / pass.N) * s; }
double Shrinking(const TEffectPass& pass, int s) { return static_cast<double>(pass.N - s) / pass.N; }
double Turned(const TEffectPass& pass, int s) { return 360.0 * s / pass.N; }

}  // namespace

void RotateClockwise(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) RotationStep(pass, 360.0 - Turned(pass, s), s == 0);
  pass.EndSteps();
}

void RotateAnticlockwise(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) RotationStep(pass, Turned(pass, s), s == 0);
  pass.EndSteps();
}

void Expand(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) ZoomStep(pass, Growing(pass, s), s == 0);
  pass.EndSteps();
}

void Shrink(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) ZoomStep(pass, Shrinking(pass, s), s == 0);
  pass.EndSteps();
}

void Explode(TEffectPass& pass) {
  for (int s = 0; s <= 5 * pass.N; ++s) ZoomStep(pass, Growing(pass, s), s == 0);
  pass.EndSteps();
}

void ExpandThenShrink(TEffectPass& pass) {
  for (int s = 0; s <= 5 * pass.N; ++s) ZoomStep(pass, Growing(pass, s), s == 0);
  for (int s = 5 * pass.N; s >= 0; --s) ZoomStep(pass, Growing(pass, s), false);
  pass.EndSteps();
}

void RotateAndShrink(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) SpinStep(pass, Shrinking(pass, s), Turned(pass, s), s == 0);
  pass.EndSteps();
}

void RotateAndExpand(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) SpinStep(pass, Growing(pass, s), Turned(pass, s), s == 0);
  pass.EndSteps();
}

void RotateShrinkAndExpand(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) SpinStep(pass, Shrinking(pass, s), Turned(pass, s), false);
  for (int s = 0; s <= pass.N; ++s) SpinStep(pass, Growing(pass, s), Turned(pass, s), s == 0);
  pass.EndSteps();
}

void HorizontalStretch(TEffectPass& pass) {
  pass.Movie.SetFrameRate(15 + 2 * pass.Speed);
  for (int s = 1; s <= pass.N; ++s)
    pass.Step(
        [&](swf::TFlashPlaceObject& place, const TLayer& layer) {
          place.SetTranslate(pass.CentreX, pass.CentreY);
          if (layer.Kind == TLayerKind::lkBackground)
            Scale(place, 0.1 * s, 1);
          else
            Scale(place, 0.05 * s, 1);
        },
        s == 1);
  pass.EndSteps();
}

void VerticalStretch(TEffectPass& pass) {
  pass.Movie.SetFrameRate(15 + 2 * pass.Speed);
  for (int s = 1; s <= pass.N; ++s)
    pass.Step(
        [&](swf::TFlashPlaceObject& place, const TLayer&) {
          place.SetTranslate(pass.CentreX, pass.CentreY);
          Scale(place, 1, 0.05 * s);
        },
        s == 1);
  pass.EndSteps();
}

}  // namespace tessaly::effects
