#include "effects/ParticleEffects.h"

#include <array>
#include <span>
#include <vector>

#include "platform/GifDecoder.h"

namespace tessaly::effects {

namespace {

constexpr std::array<int, 5> PictureDivisors = {3, 4, 5, 7, 6};
constexpr std::array<int, 3> SnowDivisors = {3, 4, 5};

// The five pictures of a kind, each made transparent in the colour that
// particle pictures lose: the declared transparent colour, else white for a
// monochrome picture, else the colour of its bottom-left pixel.
std::array<swf::TFlashImage*, 5> LoadParticlePictures(TEffectPass& pass, const char* prefix) {
  std::array<swf::TFlashImage*, 5> images{};
  for (int k = 1; k <= 5; ++k) {
    const platform::TGifImage gif =
        platform::TGifImage::LoadFromFile(ParticlePicturePath(pass.ProgramFolder, prefix, k));
    swf::TFlashImage* image = pass.Movie.AddImage();
    image->LoadFromHandle(gif.ComposedBitmap());
    const platform::TRgb colour = gif.ComposedTransparentColor();
    image->SetTransparentColor(swf::MakeRGBA(colour.Red, colour.Green, colour.Blue, 0));
    images[k - 1] = image;
  }
  return images;
}

// Squares of Side pixels standing on the x axis, each filled with its
// picture.
std::vector<const swf::TFlashShape*> PictureSquares(TEffectPass& pass, const std::array<swf::TFlashImage*, 5>& images,
                                                    std::int32_t side) {
  std::vector<const swf::TFlashShape*> shapes;
  for (swf::TFlashImage* image : images) {
    swf::TFlashShape* shape = pass.Movie.AddRectangle(0, -side, side, 0);
    shape->SetImageFill(*image, swf::fmFit);
    shapes.push_back(shape);
  }
  return shapes;
}

std::vector<swf::TFlashSprite*> AddSprites(TEffectPass& pass, std::size_t count) {
  std::vector<swf::TFlashSprite*> sprites;
  for (std::size_t k = 0; k < count; ++k) sprites.push_back(pass.Movie.AddSprite());
  return sprites;
}

// The sprites' timelines: sprite k shows its shape every d_k pixels of the
// column from y = -(H div 2) to 2 x H, with an occasional one-pixel sideways
// twitch; with Turning, sprites 1 and 2 turn one degree per pixel one way
// (from A1), the others the other way (from A2).
void FillColumns(TEffectPass& pass, const std::vector<swf::TFlashSprite*>& sprites,
                 const std::vector<const swf::TFlashShape*>& shapes, std::span<const int> divisors, bool turning,
                 int a1, int a2) {
  int c = 0;
  for (std::int32_t y = -(pass.H / 2); y <= 2 * pass.H; ++y) {
    --a1;
    ++a2;
    ++c;
    std::int32_t dx = 0;
    if (pass.Random.Random(17) == 5) dx = 1 - pass.Random.Random(2);
    for (std::size_t k = 0; k < sprites.size(); ++k) {
      const int d = divisors[k];
      if (y % d != 0) continue;
      swf::TFlashSprite& sprite = *sprites[k];
      if (c > d) sprite.RemoveObject(static_cast<std::uint16_t>(c - d));
      swf::TFlashPlaceObject* place = sprite.PlaceObject(shapes[k], static_cast<std::uint16_t>(c));
      place->SetTranslate(dx, y);
      if (turning) place->SetRotate(static_cast<float>(k < 2 ? a1 : a2));
      sprite.ShowFrame(1);
    }
  }
}

// One more particle above the ones before: a random sprite of the five at
// a random horizontal position.
void SpawnParticle(TEffectPass& pass, const std::vector<swf::TFlashSprite*>& sprites, int& depth) {
  ++depth;
  const swf::TFlashSprite* sprite = sprites[static_cast<std::size_t>(pass.Random.Random(5))];
  swf::TFlashPlaceObject* place = pass.Movie.PlaceObject(sprite, static_cast<std::uint16_t>(depth));
  place->SetTranslate(pass.Random.Random(pass.W), 0);
}

}  // namespace

std::string ParticlePicturePath(const std::string& programFolder, const char* prefix, int k) {
  return programFolder + prefix + std::to_string(k) + ".gif";
}

int LeafParticleStep(int speed) { return speed <= 3 ? 5 : speed <= 7 ? 4 : 3; }

int SnowParticleStep(int speed) { return speed <= 3 ? 5 : speed <= 7 ? 3 : 1; }

void FallingLeaves(TEffectPass& pass) {
  const int a1 = pass.Random.Random(360);
  const int a2 = pass.Random.Random(360);
  const auto images = LoadParticlePictures(pass, LeafPicturePrefix);
  const auto shapes = PictureSquares(pass, images, 30);
  const auto sprites = AddSprites(pass, 5);
  FillColumns(pass, sprites, shapes, PictureDivisors, true, a1, a2);

  pass.Movie.SetFrameRate(10);
  pass.PlaceLayersAtRest();
  const int s = LeafParticleStep(pass.Speed);
  int depth = 2 * pass.ItemCount;
  for (int t = 0; t <= 7 * pass.N; ++t) {
    if (t % (7 * s) == 0) SpawnParticle(pass, sprites, depth);
    if (t % (9 * s) == 0) SpawnParticle(pass, sprites, depth);
    if (t % (11 * s) == 0) SpawnParticle(pass, sprites, depth);
    pass.Movie.ShowFrame(1);
  }
}

void Balloons(TEffectPass& pass) {
  const auto images = LoadParticlePictures(pass, BalloonPicturePrefix);
  const auto shapes = PictureSquares(pass, images, 60);
  const auto sprites = AddSprites(pass, 5);
  FillColumns(pass, sprites, shapes, PictureDivisors, false, 0, 0);

  const int s = LeafParticleStep(pass.Speed);
  int depth = 2 * pass.ItemCount;
  for (int t = 0; t <= 10 * pass.N; ++t) {
    pass.Movie.SetFrameRate(10);
    pass.PlaceLayersAtRest();
    if (t % (4 * s) == 0 || t % (5 * s) == 0 || t % (7 * s) == 0) SpawnParticle(pass, sprites, depth);
    if (t % (9 * s) == 0) SpawnParticle(pass, sprites, depth);
    if (t % (11 * s) == 0) SpawnParticle(pass, sprites, depth);
    pass.Movie.ShowFrame(1);
  }
}

void Snow(TEffectPass& pass) {
  swf::TFlashShape* flake = pass.Movie.AddStar(-1, -1, 2, -2, 4, swf::seStraight);
  flake->SetSolidColor(255, 255, 255, 255);
  const std::vector<const swf::TFlashShape*> shapes(3, flake);
  const auto sprites = AddSprites(pass, 3);
  FillColumns(pass, sprites, shapes, SnowDivisors, false, 0, 0);

  // Each flake sprite with its two scales, chosen by a draw per frame.
  struct TFlakeKind {
    int Multiple;
    double Scales[2];
  };
  static constexpr TFlakeKind Kinds[3] = {{4, {1.1, 1.2}}, {5, {1.3, 1.4}}, {7, {1.8, 2.0}}};
  const int s = SnowParticleStep(pass.Speed);
  int depth = 2 * pass.ItemCount;
  for (int t = 0; t <= 15 * pass.N; ++t) {
    const int r = pass.Random.Random(2);
    pass.Movie.SetFrameRate(15);
    pass.PlaceLayersAtRest();
    for (std::size_t k = 0; k < 3; ++k) {
      if (t % (Kinds[k].Multiple * s) != 0) continue;
      ++depth;
      swf::TFlashPlaceObject* place = pass.Movie.PlaceObject(sprites[k], static_cast<std::uint16_t>(depth));
      place->SetTranslate(pass.Random.Random(pass.W), pass.CentreY);
      const float scale = static_cast<float>(Kinds[k].Scales[r]);
      place->SetScale(scale, scale);
      break;
    }
    pass.Movie.ShowFrame(1);
  }
}

}  // namespace tessaly::effects
