#pragma once
// Falling particle effects: the layers stay at rest while particle sprites
// (leaves, balloons, snow flakes), each moving one picture down a column on
// its own timeline, are placed at random horizontal positions at fixed
// intervals.

#include <string>

#include "effects/EffectPass.h"

namespace tessaly::effects {

inline constexpr const char* LeafPicturePrefix = "leaf";        // leaf1.gif .. leaf5.gif
inline constexpr const char* BalloonPicturePrefix = "balloon";  // balloon1.gif .. balloon5.gif

// The particle picture k (1 .. 5) of a kind in the program folder.
std::string ParticlePicturePath(const std::string& programFolder, const char* prefix, int k);

// ParticleStep S: frames between spawns are multiples of it.
int LeafParticleStep(int speed);  // leaves and balloons: 5, 4, 3
int SnowParticleStep(int speed);  // snow: 5, 3, 1

// A picture that cannot be read ends the pass with the reader's error
// (platform::TFileError or platform::TImageError), which names the file.
void FallingLeaves(TEffectPass& pass);  // 10
void Balloons(TEffectPass& pass);       // 3
void Snow(TEffectPass& pass);           // 25

}  // namespace tessaly::effects
