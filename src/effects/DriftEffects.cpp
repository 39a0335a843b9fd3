#include "effects/DriftEffects.h"

#include <array>

namespace tessaly::effects {

namespace {

constexpr int ShapeCount = 10;
// Pixels per sprite frame of shape j, in units of ParticleStep.
constexpr std::array<int, ShapeCount> SpacingMultiples = {13, 4, 5, 7, 6, 3, 14, 9, 10, 12};

swf::TFlashShape* AddDriftShape(TEffectPass& pass, TDriftShape kind) {
  switch (kind) {
    case TDriftShape::dsCircle: {
      const std::int32_t r = pass.Random.RandomBetween(10, pass.W / 5);
      swf::TFlashShape* shape = pass.Movie.AddCircle(0, 0, r);
      shape->SetSolidColor(0, 0, 255, static_cast<std::uint8_t>(pass.Random.RandomBetween(77, 130)));
      return shape;
    }
    case TDriftShape::dsSquare: {
      const std::int32_t a = pass.Random.RandomBetween(10, pass.W / 3);
      const std::int32_t b = pass.Random.RandomBetween(10, pass.H / 3);
      swf::TFlashShape* shape = pass.Movie.AddRectangle(0, -10, a, b);
      shape->SetSolidColor(255, 0, 0, static_cast<std::uint8_t>(pass.Random.RandomBetween(77, 130)));
      return shape;
    }
    case TDriftShape::dsStar: {
      const std::int32_t m = pass.H < pass.W ? pass.H / 10 : pass.W / 10;
      const std::int32_t r = pass.Random.RandomBetween(10, m);
      swf::TFlashShape* shape = pass.Movie.AddStar(0, -10, r, 2 * r, 5, swf::seStraight);
      shape->SetSolidColor(255, 255, 0, static_cast<std::uint8_t>(pass.Random.RandomBetween(77, 130)));
      return shape;
    }
  }
  return nullptr;
}

}  // namespace

int DriftParticleStep(int speed) { return speed <= 3 ? 1 : speed <= 7 ? 2 : 3; }

void DriftingShapes(TEffectPass& pass, TDriftShape kind) {
  std::array<swf::TFlashShape*, ShapeCount> shapes{};
  std::array<swf::TFlashSprite*, ShapeCount> sprites{};
  std::array<std::int32_t, ShapeCount> heights{};
  for (int j = 0; j < ShapeCount; ++j) {
    shapes[j] = AddDriftShape(pass, kind);
    sprites[j] = pass.Movie.AddSprite();
    heights[j] = pass.Random.RandomBetween(0, pass.H);
  }
  const bool turning = kind == TDriftShape::dsStar;
  int angle = turning ? pass.Random.Random(360) : 0;

  const int s = DriftParticleStep(pass.Speed);
  int c = 0;
  for (std::int32_t x = -(pass.W / 2); x <= 2 * pass.W; ++x) {
    ++c;
    --angle;
    for (int j = 0; j < ShapeCount; ++j) {
      const int e = SpacingMultiples[j] * s;
      if (x % e != 0) continue;
      swf::TFlashSprite& sprite = *sprites[j];
      if (c > e) sprite.RemoveObject(static_cast<std::uint16_t>(c - e));
      swf::TFlashPlaceObject* place = sprite.PlaceObject(shapes[j], static_cast<std::uint16_t>(c));
      place->SetTranslate(x, heights[j]);
      if (turning) place->SetRotate(static_cast<float>(angle));
      sprite.ShowFrame(1);
    }
  }

  pass.PlaceLayersAtRest();
  for (int j = 0; j < ShapeCount; ++j)
    pass.Movie.PlaceObject(sprites[j], static_cast<std::uint16_t>(2 * pass.ItemCount + j + 1))->SetTranslate(0, 0);
  pass.Movie.ShowFrame(1);
}

}  // namespace tessaly::effects
