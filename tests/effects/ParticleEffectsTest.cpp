// Falling particles (leaves, balloons, snow) and drifting shapes (circles,
// squares, stars): pictures, sprites, spawning and depths.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
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

std::unique_ptr<TRun> RunEffect(int effect, int speed = 10, int items = 3, int loops = 0) {
  auto run = std::make_unique<TRun>();
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
  // Indexes (x + y) mod 3: the bottom-left pixel of a 6 x 6 picture has
  // index 5 mod 3 = 2.
  const std::vector<platform::TRgb> colours = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {0, 0, 0}};
  for (int k = 1; k <= 5; ++k) folder.Write("leaf" + std::to_string(k) + ".gif", test::SimpleGif(6, 6, colours, -1));
  TEffectBanner banner;
  banner.Settings().AnimationType = 10;
  TRandomGenerator random;
  TOneStepAnim engine(random, folder.Path().string() + "/");
  banner.RunPass(engine, 0);
  for (auto* image : banner.Added<swf::TFlashImage>()) EXPECT_TRUE(image->HasAlpha());
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
    }
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
