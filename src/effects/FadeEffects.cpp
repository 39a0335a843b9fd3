#include "effects/FadeEffects.h"

namespace tessaly::effects {

namespace {

// The layers at rest with only the alpha add term of their colour
// transform set.
void FadeStep(TEffectPass& pass, std::int32_t addA, bool delayStep) {
  pass.Step(
      [&](swf::TFlashPlaceObject& place, const TLayer&) {
        place.SetTranslate(pass.CentreX, pass.CentreY);
        place.ColorTransform().SetAddA(addA);
      },
      delayStep);
}

std::int32_t FadingIn(const TEffectPass& pass, int s) {
  return -RoundHalfEven(static_cast<double>(pass.N - s) / pass.N * 255);
}
std::int32_t FadingOut(const TEffectPass& pass, int s) {
  return -RoundHalfEven(static_cast<double>(s) / pass.N * 255);
}

}  // namespace

void FadeIn(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) FadeStep(pass, FadingIn(pass, s), s == 0);
  pass.EndSteps();
}

void FadeOut(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) FadeStep(pass, FadingOut(pass, s), s == 0);
  pass.EndSteps();
}

void FadeInAndOut(TEffectPass& pass) {
  for (int s = 0; s <= pass.N; ++s) FadeStep(pass, FadingIn(pass, s), false);
  for (int s = 0; s <= pass.N; ++s) FadeStep(pass, FadingOut(pass, s), s == 0);
  pass.EndSteps();
}

void RandomColours(TEffectPass& pass) {
  pass.Movie.SetFrameRate(pass.Speed / 2.0);
  for (int s = 0; s <= pass.N; ++s)
    pass.Step(
        [&](swf::TFlashPlaceObject& place, const TLayer&) {
          place.SetTranslate(pass.CentreX, pass.CentreY);
          swf::TSWFColorTransform& colour = place.ColorTransform();
          colour.SetAddR(pass.Random.Random(255));
          colour.SetAddG(pass.Random.Random(255));
          colour.SetAddB(pass.Random.Random(255));
          colour.SetMultR(pass.Random.Random(255));
          colour.SetMultG(pass.Random.Random(255));
          colour.SetMultB(pass.Random.Random(255));
          colour.SetMultA(pass.Random.Random(255));
          colour.SetAddA(pass.Random.Random(255));
        },
        s == 0);
  pass.EndSteps();
}

}  // namespace tessaly::effects
