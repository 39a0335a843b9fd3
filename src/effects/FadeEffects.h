#pragma once
// Fade and colour effects: the layers stay in place and change their
// colour transform step by step.

#include "effects/EffectPass.h"

namespace tessaly::effects {

void FadeIn(TEffectPass& pass);        // 7
void FadeInAndOut(TEffectPass& pass);  // 8
void FadeOut(TEffectPass& pass);       // 9
void RandomColours(TEffectPass& pass); // 18

}  // namespace tessaly::effects
