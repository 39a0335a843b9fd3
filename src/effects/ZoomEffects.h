#pragma once
// Rotation, zoom and stretch effects: the layers scaled, rotated or both
// about the banner centre, step by step.

#include "effects/EffectPass.h"

namespace tessaly::effects {

void RotateClockwise(TEffectPass& pass);          // 1
void RotateAnticlockwise(TEffectPass& pass);      // 2
void Expand(TEffectPass& pass);                   // 4
void ExpandThenShrink(TEffectPass& pass);         // 5
void Explode(TEffectPass& pass);                  // 6
void Shrink(TEffectPass& pass);                   // 24
void RotateAndShrink(TEffectPass& pass);          // 26
void RotateAndExpand(TEffectPass& pass);          // 27
void RotateShrinkAndExpand(TEffectPass& pass);    // 28
void HorizontalStretch(TEffectPass& pass);        // 29
void VerticalStretch(TEffectPass& pass);          // 30

}  // namespace tessaly::effects
