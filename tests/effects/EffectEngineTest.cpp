// The effect engine: random source, step and delay counts, the frame
// schedule, the layers placed again, the dispatch and the frame counts.

#include <gtest/gtest.h>

#include <set>

#include "EffectTestSupport.h"
#include "effects/EffectPass.h"

namespace tessaly::effects {
namespace {

using test::TEffectBanner;
using test::TEffectFrame;

TEST(RandomGenerator, DrawsTheSequenceOfSeedZero) {
  TRandomGenerator random;
  const std::vector<std::pair<int, int>> draws = {{100, 0}, {100, 3}, {100, 86}, {360, 72}, {360, 98},
                                                  {17, 11}, {5, 1},   {468, 75}, {60, 22},  {255, 108}};
  for (auto [n, expected] : draws) EXPECT_EQ(random.Random(n), expected) << "Random(" << n << ")";
  EXPECT_EQ(random.RandomSeed, 1828254910u);
}

TEST(RandomGenerator, ZeroRangeAdvancesAndGivesZero) {
  TRandomGenerator random;
  EXPECT_EQ(random.Random(0), 0);
  EXPECT_EQ(random.RandomSeed, 1u);
}

TEST(RandomGenerator, RandomBetweenNeverReturnsHigh) {
  TRandomGenerator random;
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) seen.insert(random.RandomBetween(77, 130));
  EXPECT_EQ(*seen.begin(), 77);
  EXPECT_EQ(*seen.rbegin(), 129);
  EXPECT_EQ(seen.size(), 53u);
}

TEST(RandomGenerator, RandomBetweenEdgeCases) {
  TRandomGenerator random;
  // Low > High: Low, without a draw.
  EXPECT_EQ(random.RandomBetween(10, 6), 10);
  EXPECT_EQ(random.RandomSeed, 0u);
  // Low = High: Low, after a draw.
  EXPECT_EQ(random.RandomBetween(5, 5), 5);
  EXPECT_EQ(random.RandomSeed, 1u);
}

TEST(EffectEngine, StepsForSpeed) {
  const int expected[] = {200, 180, 160, 140, 120, 100, 80, 60, 40, 20};
  for (int speed = 1; speed <= 10; ++speed) EXPECT_EQ(StepsForSpeed(speed), expected[speed - 1]) << speed;
  EXPECT_EQ(StepsForSpeed(11), 1);
}

TEST(EffectEngine, DelayFrameCountForEverySpinBoxStep) {
  const std::vector<std::pair<int, int>> cases = {
      {0, 0},     {50, 0},    {100, 20},  {150, 40},  {200, 40},  {250, 40},  {300, 60},
      {350, 80},  {400, 80},  {450, 80},  {500, 100}, {550, 120}, {600, 120}, {650, 120},
      {700, 140}, {750, 160}, {800, 160}, {850, 160}, {900, 180}, {950, 200}, {1000, 200}};
  for (auto [delay, frames] : cases) EXPECT_EQ(DelayFrameCount(delay), frames) << delay;
  EXPECT_EQ(DelayFrameCount(-300), 0);
}

TEST(EffectEngine, RoundSendsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
}

TEST(EffectEngine, CaptionsInListOrder) {
  EXPECT_EQ(EffectTable[0].Caption, "无动画");
  EXPECT_EQ(EffectTable[1].Caption, "360度顺时针旋转");
  EXPECT_EQ(EffectTable[10].Caption, "落叶");
  EXPECT_EQ(EffectTable[17].Caption, "运行的星星");
  EXPECT_EQ(EffectTable[25].Caption, "下雪");
  EXPECT_EQ(EffectTable[28].Caption, "旋转,收缩和扩展");
  EXPECT_EQ(EffectTable[30].Caption, "垂直拉伸");
  // Every entry after "无动画" adds its pass through its own function.
  EXPECT_EQ(EffectTable[0].Run, nullptr);
  for (int i = 1; i < EffectCount; ++i) {
    EXPECT_NE(EffectTable[static_cast<std::size_t>(i)].Run, nullptr) << i;
    for (int j = 1; j < i; ++j)
      EXPECT_NE(EffectTable[static_cast<std::size_t>(i)].Run, EffectTable[static_cast<std::size_t>(j)].Run) << i << " " << j;
  }
}

// Main-timeline frames of one pass without delays, from the effect table,
// at speed 10 (N = 20) and speed 1 (N = 200), with the frame rate the pass
// leaves.
struct TFrameCase {
  int Effect;
  int FramesAt10;
  int FramesAt1;
  double RateAt10;
  double RateAt1;
};
const TFrameCase FrameCases[] = {
    {1, 21, 201, 35, 35},    {2, 21, 201, 35, 35},    {3, 201, 2001, 10, 10},  {4, 21, 201, 35, 35},
    {5, 202, 2002, 35, 35},  {6, 101, 1001, 35, 35},  {7, 21, 201, 35, 35},    {8, 42, 402, 35, 35},
    {9, 21, 201, 35, 35},    {10, 141, 1401, 10, 10}, {11, 41, 401, 35, 35},   {12, 41, 401, 35, 35},
    {13, 41, 401, 35, 35},   {14, 41, 401, 35, 35},   {15, 1, 1, 35, 35},      {16, 1, 1, 35, 35},
    {17, 1, 1, 35, 35},      {18, 21, 201, 5, 0.5},   {19, 21, 201, 5, 0.5},   {20, 21, 201, 35, 35},
    {21, 21, 201, 35, 35},   {22, 21, 201, 35, 35},   {23, 21, 201, 35, 35},   {24, 21, 201, 35, 35},
    {25, 301, 3001, 15, 15}, {26, 21, 201, 35, 35},   {27, 21, 201, 35, 35},   {28, 42, 402, 35, 35},
    {29, 20, 200, 35, 17},   {30, 20, 200, 35, 17},
};

class EffectFrames : public ::testing::TestWithParam<TFrameCase> {};

TEST_P(EffectFrames, OnePassAtSpeedTenAndOne) {
  const TFrameCase& c = GetParam();
  test::TParticleFolder pictures;
  for (int speed : {10, 1}) {
    TEffectBanner banner;
    banner.AddShape();
    banner.AddText(true);
    banner.Settings().AnimationType = c.Effect;
    banner.Settings().AnimationSpeed = speed;
    TRandomGenerator random;
    TOneStepAnim engine(random, pictures.Path());
    banner.Run(engine);
    const int expected = speed == 10 ? c.FramesAt10 : c.FramesAt1;
    EXPECT_EQ(static_cast<int>(banner.Frames().size()), expected) << "speed " << speed;
    EXPECT_EQ(banner.Movie->FrameCount(), expected) << "speed " << speed;
    EXPECT_EQ(PassFrameCount(banner.Settings(), 0), expected) << "speed " << speed;
    EXPECT_DOUBLE_EQ(banner.Movie->FrameRate(), speed == 10 ? c.RateAt10 : c.RateAt1) << "speed " << speed;
  }
}

// With delays and three passes the frames counted ahead match those written.
TEST_P(EffectFrames, CountedAheadWithDelaysAndLoops) {
  const TFrameCase& c = GetParam();
  test::TParticleFolder pictures;
  TEffectBanner banner;
  banner.AddShape();
  banner.Settings().AnimationType = c.Effect;
  banner.Settings().AnimationSpeed = 10;
  banner.Settings().AnimationFirstFrame = 150;
  banner.Settings().AnimationLastFrame = 300;
  banner.Settings().AnimationLoop = 3;
  TRandomGenerator random;
  TOneStepAnim engine(random, pictures.Path());
  banner.Run(engine);
  EXPECT_EQ(banner.Movie->FrameCount(), engine.AnimatedFrameCount(banner.Settings()));
  const bool delays = !(c.Effect == 3 || c.Effect == 10 || c.Effect == 25 || (c.Effect >= 15 && c.Effect <= 17));
  EXPECT_EQ(banner.Movie->FrameCount(), 3 * c.FramesAt10 + 1 + (delays ? 40 + 3 * 60 : 0));
}

INSTANTIATE_TEST_SUITE_P(AllEffects, EffectFrames, ::testing::ValuesIn(FrameCases),
                         [](const auto& info) { return "Effect" + std::to_string(info.param.Effect); });

TEST(EffectEngine, IndexZeroAndIndexesOutsideTheTableAddNothing) {
  for (int effect : {0, -1, 31, 1000}) {
    TEffectBanner banner;
    banner.AddShape();
    const std::size_t before = banner.Movie->ObjectList().size();
    banner.Settings().AnimationType = effect;
    TRandomGenerator random;
    TOneStepAnim engine(random, "/nonexistent/");
    banner.RunPass(engine, 0);
    EXPECT_EQ(banner.Movie->ObjectList().size(), before) << effect;
    EXPECT_EQ(random.RandomSeed, 0u);
    EXPECT_EQ(PassFrameCount(banner.Settings(), 0), 0);
  }
}

// Which frames of a pass carry placements ('P') and which only hold the
// picture ('.').
std::string Schedule(const std::vector<TEffectFrame>& frames) {
  std::string out;
  for (const auto& f : frames) out += f.Places.empty() ? '.' : 'P';
  return out;
}

std::string Repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

TEST(EffectEngine, FirstFrameDelays) {
  for (auto [delay, frames] : std::vector<std::pair<int, int>>{{50, 0}, {150, 40}, {250, 40}}) {
    TEffectBanner banner;
    banner.AddShape();
    banner.Settings().AnimationType = 1;
    banner.Settings().AnimationFirstFrame = delay;
    TRandomGenerator random;
    TOneStepAnim engine(random, "");
    banner.Run(engine);
    EXPECT_EQ(Schedule(banner.Frames()), "P" + Repeat('.', frames) + Repeat('P', 20)) << delay;
  }
}

TEST(EffectEngine, LoopsHoldTheFirstFrameOnlyInPassZeroAndEndEveryPassWithTheLastFrameDelay) {
  TEffectBanner banner;
  banner.AddShape();
  banner.Settings().AnimationType = 24;
  banner.Settings().AnimationLoop = 3;
  banner.Settings().AnimationFirstFrame = 100;
  banner.Settings().AnimationLastFrame = 50 + 50;
  TRandomGenerator random;
  TOneStepAnim engine(random, "");
  banner.Run(engine);
  const std::string pass0 = "P" + Repeat('.', 20) + Repeat('P', 20) + Repeat('.', 20);
  const std::string later = Repeat('P', 21) + Repeat('.', 20);
  // The closing Stop frame of the build places nothing.
  EXPECT_EQ(Schedule(banner.Frames()), pass0 + later + later + ".");
  EXPECT_EQ(engine.AnimatedFrameCount(banner.Settings()), 61 + 41 + 41 + 1);
}

TEST(EffectEngine, PlacesEveryAnimatedLayerWithNameDepthAndMove) {
  TEffectBanner banner;
  const int shape = banner.AddShape();
  const int deleted = banner.AddDeleted();
  const int text1 = banner.AddText(true);
  const int blank = banner.AddBlankText();
  const int image = banner.AddImage();
  const int text2 = banner.AddText(true);
  banner.Settings().AnimationType = 7;
  banner.Settings().AnimateBackground = true;
  TRandomGenerator random;
  TOneStepAnim engine(random, "");
  banner.Run(engine);

  struct TExpected {
    int Depth;
    std::string Name;
    const swf::TFlashObject* Character;
  };
  const std::vector<TExpected> expected = {
      {0, "backshape", banner.Context.BackgroundCharacter},
      {2 * shape, "but1", banner.Context.ItemButtons[shape]},
      {3, "butshadow3", banner.Context.ShadowButtons[text1]},
      {2 * text1, "but3", banner.Context.ItemButtons[text1]},
      {2 * image, "but5", banner.Context.ItemButtons[image]},
      // Item 6's own shadow, not the one made last for every text.
      {7, "butshadow6", banner.Context.ShadowButtons[text2]},
      {2 * text2, "but6", banner.Context.ItemButtons[text2]},
  };
  ASSERT_NE(banner.Context.ShadowButtons[text1], banner.Context.ShadowButtons[text2]);
  for (const TEffectFrame& frame : banner.Frames()) {
    ASSERT_EQ(frame.Places.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
      swf::TFlashPlaceObject& place = *frame.Places[k];
      EXPECT_EQ(place.Depth(), expected[k].Depth);
      EXPECT_EQ(place.PlaceObject2().Name(), expected[k].Name);
      EXPECT_EQ(place.PlacedObject(), expected[k].Character);
      EXPECT_TRUE(place.PlaceObject2().Move());
      EXPECT_TRUE(place.PlaceObject2().HasCharacter());
    }
    EXPECT_EQ(frame.AtDepth(2 * deleted), nullptr);
    EXPECT_EQ(frame.AtDepth(2 * blank), nullptr);
  }
}

TEST(EffectEngine, LayerFlagsChooseWhatMoves) {
  struct TCase {
    bool Background, Shapes, Images, Text;
    std::vector<int> Depths;
  };
  const std::vector<TCase> cases = {
      {false, true, true, true, {2, 3, 4, 6}},
      {true, false, false, false, {0}},
      {false, true, false, false, {2}},
      {false, false, true, false, {6}},
      {false, false, false, true, {3, 4}},
  };
  for (const TCase& c : cases) {
    TEffectBanner banner;
    banner.AddShape();
    banner.AddText(true);
    banner.AddImage();
    auto& s = banner.Settings();
    s.AnimationType = 11;
    s.AnimateBackground = c.Background;
    s.AnimateShapes = c.Shapes;
    s.AnimateImages = c.Images;
    s.AnimateText = c.Text;
    TRandomGenerator random;
    TOneStepAnim engine(random, "");
    banner.Run(engine);
    const auto frames = banner.Frames();
    ASSERT_EQ(frames.size(), 41u);
    std::vector<int> depths;
    for (auto* p : frames[0].Places) depths.push_back(p->Depth());
    EXPECT_EQ(depths, c.Depths);
  }
}

TEST(EffectEngine, EveryLayerFlagOffStillWritesTheFrames) {
  for (int effect : {1, 8, 11, 19, 28, 29}) {
    TEffectBanner banner;
    banner.AddShape();
    auto& s = banner.Settings();
    s.AnimationType = effect;
    s.AnimateShapes = s.AnimateImages = s.AnimateText = s.AnimateBackground = false;
    TRandomGenerator random;
    TOneStepAnim engine(random, "");
    banner.Run(engine);
    const auto frames = banner.Frames();
    EXPECT_EQ(static_cast<std::int64_t>(frames.size()), PassFrameCount(s, 0)) << effect;
    EXPECT_GT(frames.size(), 1u);
    for (const auto& f : frames) EXPECT_TRUE(f.Places.empty()) << effect;
  }
}

TEST(EffectEngine, AnimatedBackgroundWithoutItemsMovesAlone) {
  TEffectBanner banner;
  banner.Settings().AnimationType = 26;
  banner.Settings().AnimateBackground = true;
  TRandomGenerator random;
  TOneStepAnim engine(random, "");
  banner.Run(engine);
  const auto frames = banner.Frames();
  ASSERT_EQ(frames.size(), 21u);
  for (const auto& f : frames) {
    ASSERT_EQ(f.Places.size(), 1u);
    EXPECT_EQ(f.Places[0]->Depth(), 0);
    EXPECT_EQ(f.Places[0]->PlaceObject2().Name(), "backshape");
  }
}

TEST(EffectEngine, FirstBuildIsTheSameInEveryRunAndLaterBuildsDiffer) {
  test::TParticleFolder pictures;
  for (int effect : {10, 15, 18, 19}) {
    auto build = [&](TRandomGenerator& random) {
      TEffectBanner banner;
      banner.AddShape();
      banner.Settings().AnimationType = effect;
      TOneStepAnim engine(random, pictures.Path());
      banner.Run(engine);
      return banner.Bytes();
    };
    TRandomGenerator run1, run2;
    const auto first = build(run1);
    EXPECT_EQ(build(run2), first) << effect;
    EXPECT_NE(build(run1), first) << effect;
  }
}

TEST(EffectEngine, FrameLimitIsCountedBeforeBuilding) {
  document::TBannerSettings s;
  s.AnimationType = 3;
  s.AnimationSpeed = 1;
  s.AnimationLoop = 99;
  TRandomGenerator random;
  TOneStepAnim engine(random, "");
  EXPECT_EQ(engine.AnimatedFrameCount(s), 2001 * 99 + 1);
  EXPECT_GT(engine.AnimatedFrameCount(s), document::MaxMovieFrames);
  const document::TFrameLimitError error(engine.AnimatedFrameCount(s));
  EXPECT_NE(std::string(error.what()).find("198100"), std::string::npos);
  EXPECT_NE(std::string(error.what()).find("65535"), std::string::npos);

  // The largest loop count of falling leaves at speed 1 that fits.
  s.AnimationType = 10;
  s.AnimationLoop = 46;
  EXPECT_EQ(engine.AnimatedFrameCount(s), 1401 * 46 + 1);
  EXPECT_LE(engine.AnimatedFrameCount(s), document::MaxMovieFrames);
  s.AnimationLoop = 47;
  EXPECT_GT(engine.AnimatedFrameCount(s), document::MaxMovieFrames);
  // No effect: the animated build has no effect frames.
  s.AnimationType = 0;
  EXPECT_EQ(engine.AnimatedFrameCount(s), 47 * 0 + 1);
}

}  // namespace
}  // namespace tessaly::effects
