#pragma once
// Drifting shape effects: the layers stay at rest while ten translucent
// shapes drift from left to right, each a sprite on its own line at its own
// speed; the main timeline gets one frame.

#include "effects/EffectPass.h"

namespace tessaly::effects {

enum class TDriftShape { dsCircle, dsSquare, dsStar };

// ParticleStep S of the drifting shapes: 1, 2, 3 for speeds 1-3, 4-7, 8-10.
int DriftParticleStep(int speed);

// Moving circles (15), moving squares (16), running stars (17).
void DriftingShapes(TEffectPass& pass, TDriftShape kind);

}  // namespace tessaly::effects
