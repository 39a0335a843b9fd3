#pragma once
// Motion effects: the layers cross the banner (scrolls), come in and stop at
// their places (rolls) or jump about (random movement).

#include "effects/EffectPass.h"

namespace tessaly::effects {

// The direction a scroll or roll moves the layers.
enum class TMotion { mLeft, mRight, mUp, mDown };

// Scrolls (11 to 14): from W pixels on one side to W pixels on the other.
void Scroll(TEffectPass& pass, TMotion motion);
// Rolls (20 to 23): from W pixels outside to the designed place.
void Roll(TEffectPass& pass, TMotion motion);
// Random movement (19).
void RandomMovement(TEffectPass& pass);

}  // namespace tessaly::effects
