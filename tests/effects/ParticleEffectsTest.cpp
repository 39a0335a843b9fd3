// Falling particles (leaves, balloons, snow) and drifting shapes (circles,
// squares, stars): pictures, sprites, spawning and depths.

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "EffectTestSupport.h"
#include "effects/DriftEffects.h"
#include "effects/ParticleEffects.h"
#include "platform/FileBytes.h"
#include "platform/GifDecoder.h"

namespace tessaly::effects {
namespace {

using test::MatrixOf;
using test::TEffectBanner;
using test::TEffectFrame;

struct TRun {
  explicit TRun(int width = 468, int height = 60) : Banner(width, height) {}
  TEffectBanner Banner;
  TRandomGenerator Random;
  test::TParticleFolder Pictures;
  std::vector<TEffectFrame> Frames;
};

std::unique_ptr<TRun> RunEffect(int effect, int speed = 10, int items = 3, int loops = 0, int width = 468,
                                int height = 60) {
  auto run = std::make_unique<TRun>(width, height);
  for (int i = 0; i < items; ++i) run->Banner.AddShape();
  auto& s = run->Banner.Settings();
  s.AnimationType = effect;
  s.AnimationSpeed = speed;
  s.AnimationLoop = loops;
  TOneStepAnim engine(run->Random, run->Pictures.Path());
  run->Banner.Run(engine);
  run->Frames = run->Banner.Frames();
  return run;
}

// The particles of each frame: placements of sprites on the main timeline.
std::vector<std::vector<swf::TFlashPlaceObject*>> Particles(const std::vector<TEffectFrame>& frames) {
  std::vector<std::vector<swf::TFlashPlaceObject*>> out;
  for (const auto& f : frames) {
    out.emplace_back();
    for (auto* p : f.Places)
      if (dynamic_cast<const swf::TFlashSprite*>(p->PlacedObject())) out.back().push_back(p);
  }
  return out;
}

std::vector<int> SpawnFrames(const std::vector<TEffectFrame>& frames) {
  std::vector<int> out;
  const auto particles = Particles(frames);
  for (std::size_t t = 0; t < particles.size(); ++t)
    for (std::size_t k = 0; k < particles[t].size(); ++k) out.push_back(static_cast<int>(t));
  return out;
}

int LayerPlacements(const TEffectFrame& frame) {
  int n = 0;
  for (auto* p : frame.Places)
    if (!dynamic_cast<const swf::TFlashSprite*>(p->PlacedObject())) ++n;
  return n;
}

// The placements on a sprite's own timeline, in order.
std::vector<swf::TFlashPlaceObject*> PlacesIn(swf::TFlashSprite& sprite) {
  std::vector<swf::TFlashPlaceObject*> places;
  for (const auto& tag : sprite.ControlTags())
    if (auto* p = dynamic_cast<swf::TFlashPlaceObject*>(tag.get())) places.push_back(p);
  return places;
}

void ExpectPlacement(swf::TFlashPlaceObject& place, const swf::TSWFMatrix& expected, const std::string& where) {
  const swf::TSWFMatrix actual = MatrixOf(place);
  EXPECT_TRUE(test::SameMatrix(actual, expected))
      << where << ": " << test::Describe(actual) << " expected " << test::Describe(expected);
}

// Replays the column draws of the particle sprites: for every pixel of the
// column y = -(H div 2) .. 2H a jitter draw Random(17) and, when it gives 5,
// the twitch 1 - Random(2); then each sprite whose divisor divides y shows
// its shape at (dx, y), turned by A1 (sprites 1 and 2) or A2 (the others)
// when start angles are given. A1 falls and A2 rises by one every pixel.
void ExpectColumnsReplayed(TRandomGenerator& replay, const std::vector<swf::TFlashSprite*>& sprites,
                           const std::vector<const swf::TFlashShape*>& shapes, int height,
                           const std::vector<int>& divisors, std::optional<std::pair<int, int>> angles) {
  ASSERT_EQ(sprites.size(), divisors.size());
  std::vector<std::vector<swf::TFlashPlaceObject*>> places;
  for (auto* sprite : sprites) places.push_back(PlacesIn(*sprite));
  std::vector<std::size_t> next(sprites.size(), 0);
  int a1 = angles ? angles->first : 0, a2 = angles ? angles->second : 0;
  int twitches = 0;
  for (int y = -(height / 2); y <= 2 * height; ++y) {
    --a1;
    ++a2;
    int dx = 0;
    if (replay.Random(17) == 5) dx = 1 - replay.Random(2);
    twitches += dx;
    for (std::size_t k = 0; k < sprites.size(); ++k) {
      if (y % divisors[k] != 0) continue;
      ASSERT_LT(next[k], places[k].size()) << "sprite " << k << " y " << y;
      swf::TFlashPlaceObject& place = *places[k][next[k]++];
      EXPECT_EQ(place.PlacedObject(), shapes[k]) << "sprite " << k << " y " << y;
      std::optional<float> angle;
      if (angles) angle = static_cast<float>(k < 2 ? a1 : a2);
      ExpectPlacement(place, test::ExpectedMatrix(dx, y, std::nullopt, angle),
                      "sprite " + std::to_string(k) + " y " + std::to_string(y));
    }
  }
  for (std::size_t k = 0; k < sprites.size(); ++k) EXPECT_EQ(next[k], places[k].size()) << "sprite " << k;
  // The column is long enough for the twitch to show.
  EXPECT_GT(twitches, 0);
}

TEST(FallingLeaves, SpawnsEighteenLeavesAtSpeedTen) {
  auto run = RunEffect(10);
  ASSERT_EQ(run->Frames.size(), 141u);
  EXPECT_DOUBLE_EQ(run->Banner.Movie->FrameRate(), 10);
  EXPECT_EQ(SpawnFrames(run->Frames), (std::vector<int>{0, 0, 0, 21, 27, 33, 42, 54, 63, 66, 81, 84, 99, 105, 108,
                                                        126, 132, 135}));
  // The layers are placed at rest once, in the first frame.
  EXPECT_EQ(LayerPlacements(run->Frames[0]), 3);
  for (std::size_t t = 1; t < run->Frames.size(); ++t) EXPECT_EQ(LayerPlacements(run->Frames[t]), 0);
}

TEST(FallingLeaves, ParticlesStandAboveEveryItemAndComeFromTheFiveSprites) {
  auto run = RunEffect(10);
  const auto sprites = run->Banner.Added<swf::TFlashSprite>();
  ASSERT_EQ(sprites.size(), 5u);
  int depth = 7;
  std::set<const swf::TFlashObject*> used;
  for (const auto& frame : Particles(run->Frames))
    for (auto* p : frame) {
      EXPECT_EQ(p->Depth(), depth++);
      EXPECT_FALSE(p->PlaceObject2().Move());
      EXPECT_EQ(MatrixOf(*p).TranslateY(), 0);
      EXPECT_LT(MatrixOf(*p).TranslateX(), 468 * 20);
      used.insert(p->PlacedObject());
    }
  for (const auto* s : used) EXPECT_NE(std::find(sprites.begin(), sprites.end(), s), sprites.end());
  EXPECT_GT(used.size(), 1u);
}

TEST(FallingLeaves, LeafSpritesFollowTheirColumns) {
  auto run = RunEffect(10);
  const auto sprites = run->Banner.Added<swf::TFlashSprite>();
  ASSERT_EQ(sprites.size(), 5u);
  const int frames[] = {51, 38, 31, 22, 26};
  const int divisors[] = {3, 4, 5, 7, 6};
  // The first multiple of the divisor from y = -30.
  const int firstY[] = {-30, -28, -30, -28, -30};
  for (int k = 0; k < 5; ++k) {
    swf::TFlashSprite& sprite = *sprites[k];
    EXPECT_EQ(sprite.FrameCount(), frames[k]) << k;
    std::vector<swf::TFlashPlaceObject*> places;
    std::vector<int> removed;
    for (const auto& tag : sprite.ControlTags()) {
      if (auto* p = dynamic_cast<swf::TFlashPlaceObject*>(tag.get())) places.push_back(p);
      if (auto* r = dynamic_cast<swf::TSWFRemoveObject2*>(tag.get())) removed.push_back(r->Depth);
    }
    ASSERT_EQ(static_cast<int>(places.size()), frames[k]);
    ASSERT_EQ(removed.size(), places.size() - 1);
    double previousAngle = 0;
    for (std::size_t f = 0; f < places.size(); ++f) {
      const auto m = MatrixOf(*places[f]);
      const int y = m.TranslateY() / 20;
      EXPECT_EQ(y % divisors[k], 0);
      EXPECT_LE(std::abs(m.TranslateX()), 20);
      if (f > 0) {
        EXPECT_EQ(y - MatrixOf(*places[f - 1]).TranslateY() / 20, divisors[k]);
        EXPECT_EQ(removed[f - 1], places[f - 1]->Depth());
        EXPECT_EQ(places[f]->Depth() - places[f - 1]->Depth(), divisors[k]);
      }
      // Sprites 1 and 2 turn one way, 3 to 5 the other, one degree a pixel.
      const double angle = std::atan2(m.RotateSkew1Value(), m.ScaleXValue()) * 180 / 3.141592653589793;
      if (f > 0) {
        const double turn = std::remainder(angle - previousAngle, 360.0);
        EXPECT_NEAR(turn, k < 2 ? -divisors[k] : divisors[k], 0.01) << k << " frame " << f;
      }
      previousAngle = angle;
    }
    EXPECT_EQ(MatrixOf(*places.front()).TranslateY() / 20, firstY[k]) << k;
  }
}

TEST(FallingLeaves, PicturesAreTransparentSquaresOfThirtyPixels) {
  auto run = RunEffect(10);
  const auto images = run->Banner.Added<swf::TFlashImage>();
  ASSERT_EQ(images.size(), 5u);
  for (auto* image : images) {
    EXPECT_TRUE(image->HasAlpha());
    EXPECT_EQ(image->Width(), 12);
  }
  const auto shapes = run->Banner.Added<swf::TFlashShape>();
  ASSERT_EQ(shapes.size(), 5u);
  for (auto* shape : shapes) {
    EXPECT_EQ(shape->Width(), 30);
    EXPECT_EQ(shape->Height(), 30);
  }
}

TEST(FallingLeaves, SpeedOneSpawnsEvery35_45And55Frames) {
  auto run = RunEffect(10, 1, 0);
  ASSERT_EQ(run->Frames.size(), 1401u);
  const auto spawns = SpawnFrames(run->Frames);
  for (int t : spawns) EXPECT_TRUE(t % 35 == 0 || t % 45 == 0 || t % 55 == 0) << t;
  EXPECT_EQ(spawns.size(), 41u + 32u + 26u);
}

TEST(FallingLeaves, LoopsDefineFreshSpritesAndCountDepthsAgain) {
  auto run = RunEffect(10, 10, 3, 2);
  EXPECT_EQ(run->Banner.Added<swf::TFlashImage>().size(), 10u);
  EXPECT_EQ(run->Banner.Added<swf::TFlashSprite>().size(), 10u);
  const auto particles = Particles(run->Frames);
  ASSERT_EQ(particles.size(), 141u * 2 + 1);
  EXPECT_EQ(particles[0][0]->Depth(), 7);
  EXPECT_EQ(particles[141][0]->Depth(), 7);
  EXPECT_NE(particles[141][0]->PlacedObject(), particles[0][0]->PlacedObject());
}

TEST(Balloons, SpawnsFortyEightBalloonsAndPlacesTheLayersInEveryFrame) {
  auto run = RunEffect(3);
  ASSERT_EQ(run->Frames.size(), 201u);
  EXPECT_DOUBLE_EQ(run->Banner.Movie->FrameRate(), 10);
  const auto spawns = SpawnFrames(run->Frames);
  EXPECT_EQ(spawns.size(), 48u);
  std::map<int, int> perFrame;
  for (int t : spawns) ++perFrame[t];
  // t = 0: one of the first three rules, then 27 and 33.
  EXPECT_EQ(perFrame[0], 3);
  EXPECT_EQ(perFrame[12], 1);
  EXPECT_EQ(perFrame[60], 1);
  EXPECT_EQ(perFrame[27], 1);
  for (const auto& f : run->Frames) EXPECT_EQ(LayerPlacements(f), 3);
  EXPECT_EQ(Particles(run->Frames)[0][0]->Depth(), 7);
  for (auto* shape : run->Banner.Added<swf::TFlashShape>()) EXPECT_EQ(shape->Width(), 60);
  // No rotation in the balloon sprites.
  for (auto* sprite : run->Banner.Added<swf::TFlashSprite>())
    for (const auto& tag : sprite->ControlTags())
      if (auto* p = dynamic_cast<swf::TFlashPlaceObject*>(tag.get())) {
        EXPECT_FALSE(MatrixOf(*p).HasRotate());
      }
}

TEST(Snow, OneFlakeAtMostPerFrameWithItsScale) {
  auto run = RunEffect(25);
  ASSERT_EQ(run->Frames.size(), 301u);
  EXPECT_DOUBLE_EQ(run->Banner.Movie->FrameRate(), 15);
  EXPECT_TRUE(run->Banner.Added<swf::TFlashImage>().empty());
  ASSERT_EQ(run->Banner.Added<swf::TFlashShape>().size(), 1u);
  const auto sprites = run->Banner.Added<swf::TFlashSprite>();
  ASSERT_EQ(sprites.size(), 3u);
  EXPECT_EQ(sprites[0]->FrameCount(), 51);
  EXPECT_EQ(sprites[1]->FrameCount(), 38);
  EXPECT_EQ(sprites[2]->FrameCount(), 31);
  const auto particles = Particles(run->Frames);
  int flakes = 0;
  for (int t = 0; t <= 300; ++t) {
    const bool expected = t % 4 == 0 || t % 5 == 0 || t % 7 == 0;
    ASSERT_EQ(particles[t].size(), expected ? 1u : 0u) << t;
    EXPECT_EQ(LayerPlacements(run->Frames[t]), 3);
    if (!expected) continue;
    ++flakes;
    const int kind = t % 4 == 0 ? 0 : t % 5 == 0 ? 1 : 2;
    auto* p = particles[t][0];
    EXPECT_EQ(p->PlacedObject(), sprites[kind]) << t;
    const auto m = MatrixOf(*p);
    EXPECT_EQ(m.TranslateY(), 30 * 20);
    const std::vector<std::vector<float>> scales = {{1.1f, 1.2f}, {1.3f, 1.4f}, {1.8f, 2.0f}};
    EXPECT_TRUE(m.ScaleX() == swf::FloatToFixed16(scales[kind][0]) || m.ScaleX() == swf::FloatToFixed16(scales[kind][1]))
        << t;
    EXPECT_EQ(m.ScaleX(), m.ScaleY());
  }
  EXPECT_EQ(particles[0][0]->Depth(), 7);
  EXPECT_EQ(particles.back().empty() ? 0 : 1, 300 % 4 == 0 ? 1 : 0);
  EXPECT_GT(flakes, 100);
}

TEST(ParticleDraws, LeavesAndBalloonsReplayTheGenerator) {
  // Leaves draw their two start angles first; balloons draw none. Each
  // particle draws its sprite (Random(5)) before its position (Random(W)).
  struct TCase {
    int Effect;
    bool Turning;
    std::size_t Frames;
    std::function<int(int)> Spawns;  // particles in main frame t at speed 10 (S = 3)
  };
  const std::vector<TCase> cases = {
      {10, true, 141, [](int t) { return (t % 21 == 0) + (t % 27 == 0) + (t % 33 == 0); }},
      {3, false, 201,
       [](int t) { return (t % 12 == 0 || t % 15 == 0 || t % 21 == 0) + (t % 27 == 0) + (t % 33 == 0); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Effect);
    auto run = RunEffect(c.Effect);
    TRandomGenerator replay;
    std::optional<std::pair<int, int>> angles;
    if (c.Turning) {
      const int a1 = replay.Random(360);
      const int a2 = replay.Random(360);
      angles = {a1, a2};
    }
    const auto sprites = run->Banner.Added<swf::TFlashSprite>();
    const auto shapes = run->Banner.Added<swf::TFlashShape>();
    ASSERT_EQ(sprites.size(), 5u);
    ASSERT_EQ(shapes.size(), 5u);
    ExpectColumnsReplayed(replay, sprites, {shapes.begin(), shapes.end()}, 60, {3, 4, 5, 7, 6}, angles);

    const auto particles = Particles(run->Frames);
    ASSERT_EQ(particles.size(), c.Frames);
    std::set<int> picked;
    for (int t = 0; t < static_cast<int>(c.Frames); ++t) {
      ASSERT_EQ(static_cast<int>(particles[t].size()), c.Spawns(t)) << t;
      for (auto* p : particles[t]) {
        const int sprite = replay.Random(5);
        const int x = replay.Random(468);
        picked.insert(sprite);
        EXPECT_EQ(p->PlacedObject(), sprites[sprite]) << t;
        ExpectPlacement(*p, test::ExpectedMatrix(x, 0, std::nullopt, std::nullopt), "frame " + std::to_string(t));
      }
    }
    EXPECT_EQ(picked.size(), 5u);
    EXPECT_EQ(replay.RandomSeed, run->Random.RandomSeed);
  }
}

TEST(ParticleDraws, SnowDrawsItsScaleFirstInEveryFrame) {
  auto run = RunEffect(25);
  TRandomGenerator replay;
  const auto sprites = run->Banner.Added<swf::TFlashSprite>();
  const auto flakes = run->Banner.Added<swf::TFlashShape>();
  ASSERT_EQ(flakes.size(), 1u);
  ExpectColumnsReplayed(replay, sprites, {flakes[0], flakes[0], flakes[0]}, 60, {3, 4, 5}, std::nullopt);

  // Speed 10: S = 1. The first of t mod 4, 5, 7 = 0 that holds picks the
  // sprite; r, drawn at the start of every frame, picks its scale.
  const float scales[3][2] = {{1.1f, 1.2f}, {1.3f, 1.4f}, {1.8f, 2.0f}};
  const auto particles = Particles(run->Frames);
  ASSERT_EQ(particles.size(), 301u);
  int large = 0;
  for (int t = 0; t <= 300; ++t) {
    const int r = replay.Random(2);
    const int kind = t % 4 == 0 ? 0 : t % 5 == 0 ? 1 : t % 7 == 0 ? 2 : -1;
    ASSERT_EQ(particles[t].size(), kind < 0 ? 0u : 1u) << t;
    if (kind < 0) continue;
    const int x = replay.Random(468);
    large += r;
    EXPECT_EQ(particles[t][0]->PlacedObject(), sprites[kind]) << t;
    const float scale = scales[kind][r];
    ExpectPlacement(*particles[t][0], test::ExpectedMatrix(x, 30, std::make_pair(scale, scale), std::nullopt),
                    "frame " + std::to_string(t));
  }
  EXPECT_GT(large, 0);
  EXPECT_EQ(replay.RandomSeed, run->Random.RandomSeed);
}

TEST(ParticlePictures, AMissingOrBrokenPictureEndsTheBuildNamingTheFile) {
  for (int effect : {10, 3}) {
    test::TTempDir empty;
    TEffectBanner banner;
    banner.Settings().AnimationType = effect;
    TRandomGenerator random;
    TOneStepAnim engine(random, empty.Path().string() + "/");
    const std::string name = effect == 10 ? "leaf1.gif" : "balloon1.gif";
    try {
      banner.RunPass(engine, 0);
      ADD_FAILURE() << "no error for " << name;
    } catch (const platform::TFileError& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
    const std::vector<std::uint8_t> notGif = {'B', 'M', 0, 0, 0, 0};
    for (int k = 1; k <= 5; ++k)
      empty.Write(std::string(effect == 10 ? "leaf" : "balloon") + std::to_string(k) + ".gif",
                  k == 4 ? notGif : test::SimpleGif(8, 8, {{255, 255, 255}, {0, 0, 0}}, -1));
    try {
      banner.RunPass(engine, 0);
      ADD_FAILURE() << "no error for a broken picture";
    } catch (const platform::TImageError& e) {
      EXPECT_NE(std::string(e.what()).find(effect == 10 ? "leaf4.gif" : "balloon4.gif"), std::string::npos)
          << e.what();
    }
  }
}

TEST(ParticlePictures, PicturesWithoutATransparentColourLoseTheirBottomLeftColour) {
  test::TTempDir folder;
  // Indexes (x + y) mod 4: the bottom-left pixel of a 6 x 6 picture has
  // index 5 mod 4 = 1, colour (40, 50, 60).
  const std::vector<platform::TRgb> colours = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {0, 0, 0}};
  for (int k = 1; k <= 5; ++k) folder.Write("leaf" + std::to_string(k) + ".gif", test::SimpleGif(6, 6, colours, -1));
  TEffectBanner banner;
  banner.Settings().AnimationType = 10;
  TRandomGenerator random;
  TOneStepAnim engine(random, folder.Path().string() + "/");
  banner.RunPass(engine, 0);
  const std::vector<std::uint8_t> movie = banner.Bytes();
  const auto images = banner.Added<swf::TFlashImage>();
  ASSERT_EQ(images.size(), 5u);
  for (auto* image : images) {
    EXPECT_TRUE(image->HasAlpha());
    ASSERT_EQ(image->BitmapFormat(), 3);
    ASSERT_EQ(image->ColorCount(), 4u);
    // The lossless data as written: RGBA colour table, then rows of indexes
    // from the top, each padded to a multiple of four.
    const auto& data = image->ImageData();
    EXPECT_NE(std::search(movie.begin(), movie.end(), data.begin(), data.end()), movie.end());
    std::vector<std::uint8_t> pixels(4 * 4 + 8 * 6);
    uLongf size = pixels.size();
    ASSERT_EQ(uncompress(pixels.data(), &size, data.data(), data.size()), Z_OK);
    ASSERT_EQ(size, pixels.size());
    for (std::size_t i = 0; i < 4; ++i) {
      const std::uint8_t* entry = &pixels[4 * i];
      if (i == 1) {
        EXPECT_EQ(std::vector<std::uint8_t>(entry, entry + 4), (std::vector<std::uint8_t>{0, 0, 0, 0}));
      } else {
        EXPECT_EQ(std::vector<std::uint8_t>(entry, entry + 4),
                  (std::vector<std::uint8_t>{colours[i].Red, colours[i].Green, colours[i].Blue, 255}))
            << i;
      }
    }
    EXPECT_EQ(pixels[16 + 8 * 5], 1);  // bottom-left
    EXPECT_EQ(pixels[16], 0);          // top-left stays opaque
  }
}

TEST(ParticlePictures, TheShippedPicturesAreDistinctGifs) {
  // The build copies assets/ beside the executables.
  std::set<std::vector<std::uint8_t>> distinct;
  for (const char* prefix : {LeafPicturePrefix, BalloonPicturePrefix})
    for (int k = 1; k <= 5; ++k) {
      const std::string path = ParticlePicturePath("bin/", prefix, k);
      const auto gif = platform::TGifImage::LoadFromFile(path);
      EXPECT_GE(gif.ScreenWidth(), 24) << path;
      EXPECT_EQ(gif.ScreenWidth(), gif.ScreenHeight()) << path;
      EXPECT_TRUE(gif.HasTransparentColor()) << path;
      distinct.insert(platform::ReadFileBytes(path));
    }
  EXPECT_EQ(distinct.size(), 10u);
}

TEST(DriftingShapes, OneMainFrameAndTenSpritesAboveTheItems) {
  for (int effect : {15, 16, 17}) {
    auto run = RunEffect(effect);
    ASSERT_EQ(run->Frames.size(), 1u) << effect;
    EXPECT_DOUBLE_EQ(run->Banner.Movie->FrameRate(), 35);
    const auto particles = Particles(run->Frames)[0];
    ASSERT_EQ(particles.size(), 10u);
    const auto sprites = run->Banner.Added<swf::TFlashSprite>();
    for (int j = 0; j < 10; ++j) {
      EXPECT_EQ(particles[j]->Depth(), 7 + j);
      EXPECT_EQ(particles[j]->PlacedObject(), sprites[j]);
      EXPECT_FALSE(particles[j]->PlaceObject2().HasMatrix());
    }
    EXPECT_EQ(LayerPlacements(run->Frames[0]), 3);
  }
}

TEST(DriftingShapes, SizesColoursAndHeightsFromTheirDraws) {
  struct TCase {
    int Effect;
    int MinW, MaxW, MinH, MaxH;
    std::uint32_t Rgb;
  };
  // On 468 x 60: circles of radius 10 to 92, boxes 10 to 155 wide and 20 to
  // 29 high, stars of outer radius 10 and inner radius 20.
  for (const TCase& c : std::vector<TCase>{{15, 20, 184, 20, 184, 0x0000FF},
                                           {16, 10, 155, 20, 29, 0xFF0000},
                                           {17, 40, 40, 40, 40, 0xFFFF00}}) {
    auto run = RunEffect(c.Effect);
    const auto shapes = run->Banner.Added<swf::TFlashShape>();
    ASSERT_EQ(shapes.size(), 10u);
    for (auto* shape : shapes) {
      EXPECT_GE(shape->Width(), c.MinW) << c.Effect;
      EXPECT_LE(shape->Width(), c.MaxW) << c.Effect;
      EXPECT_GE(shape->Height(), c.MinH) << c.Effect;
      EXPECT_LE(shape->Height(), c.MaxH) << c.Effect;
      EXPECT_TRUE(shape->HasAlpha());
      const auto* fill = dynamic_cast<const swf::TSWFColorFill*>(shape->Definition().FillStyles().at(0).get());
      ASSERT_NE(fill, nullptr);
      const std::uint32_t rgb = fill->Color.R() << 16 | fill->Color.G() << 8 | fill->Color.B();
      EXPECT_EQ(rgb, c.Rgb) << c.Effect;
      EXPECT_GE(fill->Color.Alpha(), 77);
      EXPECT_LE(fill->Color.Alpha(), 129);
    }
  }
}

TEST(DriftingShapes, ShapesHeightsAndPathsReplayTheGenerator) {
  // Per shape j in order: its size draws, its alpha RandomBetween(77, 130),
  // its height RandomBetween(0, H); running stars then draw their start
  // angle. Stars are tried on banners where the height and where the width
  // bounds the radius (M = 30 and 25).
  struct TCase {
    int Effect;
    int Width, Height;
    std::uint8_t R, G, B;
  };
  const std::vector<TCase> cases = {{15, 468, 60, 0, 0, 255},
                                    {16, 468, 60, 255, 0, 0},
                                    {17, 468, 300, 255, 255, 0},
                                    {17, 250, 468, 255, 255, 0}};
  const int multiples[10] = {13, 4, 5, 7, 6, 3, 14, 9, 10, 12};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Effect) + " on " + std::to_string(c.Width) + " x " + std::to_string(c.Height));
    auto run = RunEffect(c.Effect, 10, 3, 0, c.Width, c.Height);
    const auto shapes = run->Banner.Added<swf::TFlashShape>();
    const auto sprites = run->Banner.Added<swf::TFlashSprite>();
    ASSERT_EQ(shapes.size(), 10u);
    ASSERT_EQ(sprites.size(), 10u);
    TRandomGenerator replay;
    std::vector<int> heights;
    std::set<int> sizes;
    for (int j = 0; j < 10; ++j) {
      swf::TSWFRect bounds;
      if (c.Effect == 15) {
        const int r = replay.RandomBetween(10, c.Width / 5);
        bounds.SetRect(-r, -r, r, r);
        sizes.insert(r);
      } else if (c.Effect == 16) {
        const int a = replay.RandomBetween(10, c.Width / 3);
        const int b = replay.RandomBetween(10, c.Height / 3);
        bounds.SetRect(0, -10, a, b);
        sizes.insert(a);
      } else {
        const int m = c.Height < c.Width ? c.Height / 10 : c.Width / 10;
        const int r = replay.RandomBetween(10, m);
        // The inner radius 2R is the larger one.
        bounds.SetRect(-2 * r, -10 - 2 * r, 2 * r, -10 + 2 * r);
        sizes.insert(r);
      }
      const auto& actual = shapes[j]->Bounds();
      EXPECT_EQ(actual.Xmin(), bounds.Xmin() * 20) << j;
      EXPECT_EQ(actual.Ymin(), bounds.Ymin() * 20) << j;
      EXPECT_EQ(actual.Xmax(), bounds.Xmax() * 20) << j;
      EXPECT_EQ(actual.Ymax(), bounds.Ymax() * 20) << j;
      const int alpha = replay.RandomBetween(77, 130);
      const auto& fills = shapes[j]->Definition().FillStyles();
      ASSERT_EQ(fills.size(), 1u);
      const auto* fill = dynamic_cast<const swf::TSWFColorFill*>(fills[0].get());
      ASSERT_NE(fill, nullptr);
      EXPECT_EQ(fill->Color.R(), c.R);
      EXPECT_EQ(fill->Color.G(), c.G);
      EXPECT_EQ(fill->Color.B(), c.B);
      EXPECT_EQ(fill->Color.Alpha(), alpha) << j;
      heights.push_back(replay.RandomBetween(0, c.Height));
    }
    EXPECT_GT(sizes.size(), 1u);
    int angle = c.Effect == 17 ? replay.Random(360) : 0;
    std::vector<std::vector<swf::TFlashPlaceObject*>> places;
    for (auto* sprite : sprites) places.push_back(PlacesIn(*sprite));
    std::vector<std::size_t> next(10, 0);
    for (int x = -(c.Width / 2); x <= 2 * c.Width; ++x) {
      --angle;
      for (int j = 0; j < 10; ++j) {
        if (x % (multiples[j] * 3) != 0) continue;
        ASSERT_LT(next[j], places[j].size()) << j << " x " << x;
        swf::TFlashPlaceObject& place = *places[j][next[j]++];
        EXPECT_EQ(place.PlacedObject(), shapes[j]);
        std::optional<float> turn;
        if (c.Effect == 17) turn = static_cast<float>(angle);
        ExpectPlacement(place, test::ExpectedMatrix(x, heights[j], std::nullopt, turn),
                        "shape " + std::to_string(j) + " x " + std::to_string(x));
      }
    }
    for (int j = 0; j < 10; ++j) EXPECT_EQ(next[j], places[j].size()) << j;
    EXPECT_EQ(replay.RandomSeed, run->Random.RandomSeed);
  }
}

TEST(DriftingShapes, SpritesMoveByTheirSpacing) {
  for (auto [speed, six, seven] : std::vector<std::tuple<int, int, int>>{{1, 3, 14}, {10, 9, 42}, {5, 6, 28}}) {
    auto run = RunEffect(15, speed);
    const auto sprites = run->Banner.Added<swf::TFlashSprite>();
    for (auto [j, step] : std::vector<std::pair<int, int>>{{5, six}, {6, seven}}) {
      std::vector<int> xs;
      for (const auto& tag : sprites[j]->ControlTags())
        if (auto* p = dynamic_cast<swf::TFlashPlaceObject*>(tag.get())) xs.push_back(MatrixOf(*p).TranslateX() / 20);
      ASSERT_GT(xs.size(), 2u);
      for (std::size_t k = 1; k < xs.size(); ++k) EXPECT_EQ(xs[k] - xs[k - 1], step) << speed << " " << j;
      EXPECT_EQ(sprites[j]->FrameCount(), static_cast<int>(xs.size()));
      EXPECT_GE(xs.front(), -234);
      EXPECT_LE(xs.back(), 936);
    }
  }
}

TEST(DriftingShapes, RunningStarsTurnTogether) {
  auto run = RunEffect(17);
  const auto sprites = run->Banner.Added<swf::TFlashSprite>();
  // Sprite 6 (spacing 9 at speed 10) turns 9 degrees a frame, sprite 1 39.
  for (auto [j, turn] : std::vector<std::pair<int, int>>{{5, 9}, {0, 39}}) {
    std::vector<double> angles;
    for (const auto& tag : sprites[j]->ControlTags())
      if (auto* p = dynamic_cast<swf::TFlashPlaceObject*>(tag.get())) {
        const auto m = MatrixOf(*p);
        angles.push_back(std::atan2(m.RotateSkew1Value(), m.ScaleXValue()) * 180 / 3.141592653589793);
      }
    for (std::size_t k = 1; k < angles.size(); ++k)
      EXPECT_NEAR(std::remainder(angles[k] - angles[k - 1], 360.0), -turn, 0.01);
  }
}

TEST(DriftingShapes, LoopsDefineFreshShapesAtTheSameDepths) {
  auto run = RunEffect(16, 10, 3, 2);
  ASSERT_EQ(run->Frames.size(), 3u);
  EXPECT_EQ(run->Banner.Added<swf::TFlashSprite>().size(), 20u);
  const auto particles = Particles(run->Frames);
  for (int j = 0; j < 10; ++j) {
    EXPECT_EQ(particles[1][j]->Depth(), particles[0][j]->Depth());
    EXPECT_NE(particles[1][j]->PlacedObject(), particles[0][j]->PlacedObject());
  }
}

}  // namespace
}  // namespace tessaly::effects
