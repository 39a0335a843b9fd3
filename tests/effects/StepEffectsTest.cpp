// Transforms of the step effects: rotations, zooms, stretches, fades,
// random colours, scrolls, rolls and random movement.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "EffectTestSupport.h"

namespace tessaly::effects {
namespace {

using test::ExpectedMatrix;
using test::MatrixOf;
using test::TEffectBanner;
using test::TEffectFrame;

struct TRun {
  TEffectBanner Banner;
  TRandomGenerator Random;
  std::vector<TEffectFrame> Frames;
};

// A banner with a shape and a shadowed text, run through one effect.
std::unique_ptr<TRun> RunEffect(int effect, int speed = 10, bool background = false, int firstDelay = 0,
                                int lastDelay = 0) {
  auto run = std::make_unique<TRun>();
  run->Banner.AddShape();
  run->Banner.AddText(true);
  auto& s = run->Banner.Settings();
  s.AnimationType = effect;
  s.AnimationSpeed = speed;
  s.AnimateBackground = background;
  s.AnimationFirstFrame = firstDelay;
  s.AnimationLastFrame = lastDelay;
  TOneStepAnim engine(run->Random, "");
  run->Banner.Run(engine);
  run->Frames = run->Banner.Frames();
  return run;
}

using TScale = std::optional<std::pair<float, float>>;

void ExpectEveryPlacement(const TEffectFrame& frame, const swf::TSWFMatrix& expected, const std::string& where) {
  ASSERT_FALSE(frame.Places.empty()) << where;
  for (auto* place : frame.Places) {
    const swf::TSWFMatrix actual = MatrixOf(*place);
    EXPECT_TRUE(test::SameMatrix(actual, expected))
        << where << " depth " << place->Depth() << ": " << test::Describe(actual) << " expected "
        << test::Describe(expected);
  }
}

TEST(RotationEffects, ClockwiseAnglesRunFrom360DownTo0) {
  auto run = RunEffect(1);
  ASSERT_EQ(run->Frames.size(), 21u);
  for (int s = 0; s <= 20; ++s)
    ExpectEveryPlacement(run->Frames[s], ExpectedMatrix(234, 30, std::nullopt, static_cast<float>(360 - 18 * s)),
                         "step " + std::to_string(s));
}

TEST(RotationEffects, AnticlockwiseAnglesRunFrom0UpTo360) {
  auto run = RunEffect(2);
  ASSERT_EQ(run->Frames.size(), 21u);
  for (int s = 0; s <= 20; ++s)
    ExpectEveryPlacement(run->Frames[s], ExpectedMatrix(234, 30, std::nullopt, static_cast<float>(18 * s)),
                         "step " + std::to_string(s));
}

// Effects that only scale: the scale of every step.
struct TZoomCase {
  int Effect;
  std::vector<double> Scales;
};

std::vector<double> Range(int from, int to, double factor) {
  std::vector<double> out;
  for (int s = from; from <= to ? s <= to : s >= to; s += from <= to ? 1 : -1) out.push_back(factor * s);
  return out;
}

std::vector<double> Concat(std::vector<double> a, const std::vector<double>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ZoomEffects, ScalesOfEveryStep) {
  const std::vector<TZoomCase> cases = {
      {4, Range(0, 20, 1.0 / 20)},
      {24, Range(20, 0, 1.0 / 20)},
      {6, Range(0, 100, 1.0 / 20)},
      {5, Concat(Range(0, 100, 1.0 / 20), Range(100, 0, 1.0 / 20))},
  };
  for (const TZoomCase& c : cases) {
    auto run = RunEffect(c.Effect);
    ASSERT_EQ(run->Frames.size(), c.Scales.size()) << c.Effect;
    for (std::size_t s = 0; s < c.Scales.size(); ++s) {
      const float k = static_cast<float>(c.Scales[s]);
      ExpectEveryPlacement(run->Frames[s], ExpectedMatrix(234, 30, std::make_pair(k, k), std::nullopt),
                           "effect " + std::to_string(c.Effect) + " step " + std::to_string(s));
    }
  }
}

TEST(ZoomEffects, ExpandThenShrinkShowsScaleFiveTwiceAndEndsAtZero) {
  auto run = RunEffect(5);
  ASSERT_EQ(run->Frames.size(), 202u);
  const int five = 5 * 65536;
  EXPECT_EQ(MatrixOf(*run->Frames[100].Places[0]).ScaleX(), five);
  EXPECT_EQ(MatrixOf(*run->Frames[101].Places[0]).ScaleX(), five);
  EXPECT_EQ(MatrixOf(*run->Frames[201].Places[0]).ScaleX(), 0);
  EXPECT_EQ(MatrixOf(*run->Frames[99].Places[0]).ScaleX(), MatrixOf(*run->Frames[102].Places[0]).ScaleX());
}

TEST(ZoomEffects, ScaleThenRotate) {
  struct TCase {
    int Effect;
    std::vector<std::pair<double, double>> Steps;  // scale, angle
  };
  std::vector<std::pair<double, double>> shrink, grow;
  for (int s = 0; s <= 20; ++s) {
    shrink.push_back({(20.0 - s) / 20, 18.0 * s});
    grow.push_back({s / 20.0, 18.0 * s});
  }
  std::vector<std::pair<double, double>> both = shrink;
  both.insert(both.end(), grow.begin(), grow.end());
  for (const TCase& c : std::vector<TCase>{{26, shrink}, {27, grow}, {28, both}}) {
    auto run = RunEffect(c.Effect);
    ASSERT_EQ(run->Frames.size(), c.Steps.size());
    for (std::size_t s = 0; s < c.Steps.size(); ++s) {
      const float k = static_cast<float>(c.Steps[s].first);
      ExpectEveryPlacement(run->Frames[s],
                           ExpectedMatrix(234, 30, std::make_pair(k, k), static_cast<float>(c.Steps[s].second)),
                           "effect " + std::to_string(c.Effect) + " step " + std::to_string(s));
    }
  }
}

TEST(ZoomEffects, RotateShrinkAndExpandHoldsTheEmptyPictureBetweenItsPhases) {
  auto run = RunEffect(28, 10, false, 100, 0);
  ASSERT_EQ(run->Frames.size(), 42u + 20u);
  for (int k = 0; k < 20; ++k) EXPECT_TRUE(run->Frames[22 + k].Places.empty()) << k;
  EXPECT_EQ(MatrixOf(*run->Frames[21].Places[0]).ScaleX(), 0);
  EXPECT_FALSE(run->Frames[42].Places.empty());
}

TEST(StretchEffects, HorizontalStretchScalesTheBackgroundTwiceAsFast) {
  for (int speed : {10, 1}) {
    auto run = RunEffect(29, speed, true);
    const int n = speed == 10 ? 20 : 200;
    ASSERT_EQ(static_cast<int>(run->Frames.size()), n);
    EXPECT_DOUBLE_EQ(run->Banner.Movie->FrameRate(), 15 + 2 * speed);
    for (int s = 1; s <= n; ++s) {
      const TEffectFrame& frame = run->Frames[s - 1];
      ASSERT_EQ(frame.Places.size(), 4u);
      const float background = static_cast<float>(0.1 * s), items = static_cast<float>(0.05 * s);
      EXPECT_TRUE(test::SameMatrix(MatrixOf(*frame.AtDepth(0)),
                                   ExpectedMatrix(234, 30, std::make_pair(background, 1.0f), std::nullopt)))
          << s;
      for (int depth : {2, 3, 4})
        EXPECT_TRUE(test::SameMatrix(MatrixOf(*frame.AtDepth(depth)),
                                     ExpectedMatrix(234, 30, std::make_pair(items, 1.0f), std::nullopt)))
            << s << " depth " << depth;
    }
    // The zero-width state is never shown; the last frame is 2 and 1 (speed
    // 10) or 20 and 10 times as wide.
    EXPECT_EQ(MatrixOf(*run->Frames[0].AtDepth(0)).ScaleX(), swf::FloatToFixed16(0.1f));
    EXPECT_NEAR(MatrixOf(*run->Frames.back().AtDepth(0)).ScaleXValue(), n / 10.0, 1e-4);
  }
}

TEST(StretchEffects, VerticalStretchScalesEveryLayerAlike) {
  auto run = RunEffect(30, 10, true);
  ASSERT_EQ(run->Frames.size(), 20u);
  for (int s = 1; s <= 20; ++s)
    ExpectEveryPlacement(run->Frames[s - 1],
                         ExpectedMatrix(234, 30, std::make_pair(1.0f, static_cast<float>(0.05 * s)), std::nullopt),
                         "step " + std::to_string(s));
}

TEST(StretchEffects, LoopsKeepTheStretchFrameRate) {
  TEffectBanner banner;
  banner.AddShape();
  banner.Settings().AnimationType = 30;
  banner.Settings().AnimationSpeed = 4;
  banner.Settings().AnimationLoop = 3;
  TRandomGenerator random;
  TOneStepAnim engine(random, "");
  banner.Run(engine);
  EXPECT_DOUBLE_EQ(banner.Movie->FrameRate(), 23);
}

std::vector<int> AlphaTerms(const std::vector<TEffectFrame>& frames) {
  std::vector<int> out;
  for (const auto& f : frames) {
    if (f.Places.empty()) continue;
    auto& place = *f.Places[0];
    EXPECT_TRUE(place.PlaceObject2().HasColorTransform());
    const auto& ct = place.ColorTransform();
    EXPECT_TRUE(ct.HasAdd());
    EXPECT_FALSE(ct.HasMult());
    EXPECT_EQ(ct.AddR() | ct.AddG() | ct.AddB(), 0);
    out.push_back(ct.AddA());
  }
  return out;
}

TEST(FadeEffects, AlphaAddTerms) {
  const std::vector<int> fadeIn = {-255, -242, -230, -217, -204, -191, -178, -166, -153, -140, -128,
                                   -115, -102, -89,  -76,  -64,  -51,  -38,  -26,  -13,  0};
  const std::vector<int> fadeOut(fadeIn.rbegin(), fadeIn.rend());
  std::vector<int> inAndOut = fadeIn;
  inAndOut.insert(inAndOut.end(), fadeOut.begin(), fadeOut.end());
  auto in = RunEffect(7);
  EXPECT_EQ(AlphaTerms(in->Frames), fadeIn);
  EXPECT_EQ(AlphaTerms(RunEffect(9)->Frames), fadeOut);
  EXPECT_EQ(AlphaTerms(RunEffect(8)->Frames), inAndOut);
  // The text and its shadow get the same term; the placements keep their
  // places.
  for (auto* place : in->Frames[1].Places) {
    EXPECT_EQ(place->ColorTransform().AddA(), -242);
    EXPECT_TRUE(test::SameMatrix(MatrixOf(*place), ExpectedMatrix(234, 30, std::nullopt, std::nullopt)));
  }
}

TEST(FadeEffects, DelaysHoldTheInvisibleAndTheVisiblePictures) {
  // Fade in: the first-frame delay holds the empty picture.
  auto in = RunEffect(7, 10, false, 100, 100);
  ASSERT_EQ(in->Frames.size(), 61u);
  EXPECT_EQ(in->Frames[0].Places[0]->ColorTransform().AddA(), -255);
  for (int k = 1; k <= 20; ++k) EXPECT_TRUE(in->Frames[k].Places.empty());
  // Fade in and out: frames 21 and 22 are fully visible and the first-frame
  // delay comes between them; the last-frame delay holds the faded banner.
  auto both = RunEffect(8, 10, false, 100, 100);
  ASSERT_EQ(both->Frames.size(), 82u);
  EXPECT_EQ(both->Frames[20].Places[0]->ColorTransform().AddA(), 0);
  EXPECT_EQ(both->Frames[21].Places[0]->ColorTransform().AddA(), 0);
  for (int k = 22; k < 42; ++k) EXPECT_TRUE(both->Frames[k].Places.empty()) << k;
  EXPECT_EQ(both->Frames[61].Places[0]->ColorTransform().AddA(), -255);
  for (int k = 62; k < 82; ++k) EXPECT_TRUE(both->Frames[k].Places.empty()) << k;
}

TEST(ColourEffects, RandomColoursDrawEightTermsPerPlacement) {
  auto run = RunEffect(18);
  ASSERT_EQ(run->Frames.size(), 21u);
  EXPECT_DOUBLE_EQ(run->Banner.Movie->FrameRate(), 5);
  // Replay the draws: per placement AddR, AddG, AddB, MultR, MultG, MultB,
  // MultA, AddA.
  TRandomGenerator replay;
  for (const auto& frame : run->Frames) {
    ASSERT_EQ(frame.Places.size(), 3u);
    for (auto* place : frame.Places) {
      const auto& ct = place->ColorTransform();
      const int addR = replay.Random(255), addG = replay.Random(255), addB = replay.Random(255);
      const int multR = replay.Random(255), multG = replay.Random(255), multB = replay.Random(255);
      const int multA = replay.Random(255), addA = replay.Random(255);
      EXPECT_EQ(ct.AddR(), addR);
      EXPECT_EQ(ct.AddG(), addG);
      EXPECT_EQ(ct.AddB(), addB);
      EXPECT_EQ(ct.MultR(), multR);
      EXPECT_EQ(ct.MultG(), multG);
      EXPECT_EQ(ct.MultB(), multB);
      EXPECT_EQ(ct.MultA(), multA);
      EXPECT_EQ(ct.AddA(), addA);
      EXPECT_TRUE(test::SameMatrix(MatrixOf(*place), ExpectedMatrix(234, 30, std::nullopt, std::nullopt)));
    }
  }
  EXPECT_EQ(replay.RandomSeed, run->Random.RandomSeed);
  EXPECT_DOUBLE_EQ(RunEffect(18, 1)->Banner.Movie->FrameRate(), 0.5);
}

TEST(ColourEffects, TheSecondPassDrawsOtherColours) {
  TEffectBanner banner;
  banner.AddShape();
  banner.Settings().AnimationType = 18;
  banner.Settings().AnimationLoop = 2;
  TRandomGenerator random;
  TOneStepAnim engine(random, "");
  banner.Run(engine);
  const auto frames = banner.Frames();
  ASSERT_EQ(frames.size(), 21u * 2 + 1);
  int same = 0;
  for (int s = 0; s < 21; ++s) {
    const auto& a = frames[s].Places[0]->ColorTransform();
    const auto& b = frames[21 + s].Places[0]->ColorTransform();
    if (a.AddR() == b.AddR() && a.MultR() == b.MultR() && a.AddA() == b.AddA()) ++same;
  }
  EXPECT_EQ(same, 0);
  EXPECT_DOUBLE_EQ(banner.Movie->FrameRate(), 5);
}

std::vector<std::pair<int, int>> Translations(const std::vector<TEffectFrame>& frames) {
  std::vector<std::pair<int, int>> out;
  for (const auto& f : frames)
    if (!f.Places.empty()) {
      const auto m = MatrixOf(*f.Places[0]);
      EXPECT_FALSE(m.HasScale());
      EXPECT_FALSE(m.HasRotate());
      out.push_back({m.TranslateX() / 20, m.TranslateY() / 20});
    }
  return out;
}

TEST(MotionEffects, ScrollLeftOffsets) {
  auto run = RunEffect(11);
  const auto t = Translations(run->Frames);
  ASSERT_EQ(t.size(), 41u);
  const int offsets[] = {468, 445, 421, 398, 374, 351};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(t[k], std::make_pair(234 + offsets[k], 30)) << k;
    EXPECT_EQ(t[40 - k], std::make_pair(234 - offsets[k], 30)) << k;
  }
  EXPECT_EQ(t[20], std::make_pair(234, 30));
}

TEST(MotionEffects, DirectionsOfScrollsAndRollsTravelByTheWidth) {
  struct TCase {
    int Effect;
    std::pair<int, int> First, Last;
    std::size_t Frames;
  };
  const std::vector<TCase> cases = {
      {12, {234 - 468, 30}, {234 + 468, 30}, 41}, {13, {234, 30 + 468}, {234, 30 - 468}, 41},
      {14, {234, 30 - 468}, {234, 30 + 468}, 41}, {20, {234 + 468, 30}, {234, 30}, 21},
      {21, {234 - 468, 30}, {234, 30}, 21},       {22, {234, 30 + 468}, {234, 30}, 21},
      {23, {234, 30 - 468}, {234, 30}, 21},
  };
  for (const TCase& c : cases) {
    const auto t = Translations(RunEffect(c.Effect)->Frames);
    ASSERT_EQ(t.size(), c.Frames) << c.Effect;
    EXPECT_EQ(t.front(), c.First) << c.Effect;
    EXPECT_EQ(t.back(), c.Last) << c.Effect;
  }
  // Scroll up moves 23 or 24 pixels a frame.
  const auto up = Translations(RunEffect(13)->Frames);
  for (std::size_t k = 1; k < up.size(); ++k) {
    const int step = up[k - 1].second - up[k].second;
    EXPECT_TRUE(step == 23 || step == 24) << k;
  }
}

TEST(MotionEffects, ScrollPausesHalfwayWithTheFirstFrameDelay) {
  auto run = RunEffect(11, 10, false, 100, 0);
  ASSERT_EQ(run->Frames.size(), 61u);
  EXPECT_EQ(Translations({run->Frames[20]}).front(), std::make_pair(234, 30));
  for (int k = 21; k <= 40; ++k) EXPECT_TRUE(run->Frames[k].Places.empty()) << k;
}

TEST(MotionEffects, RollsHoldTheArrivedBannerWithBothDelays) {
  auto run = RunEffect(20, 10, false, 100, 150);
  ASSERT_EQ(run->Frames.size(), 21u + 20u + 40u);
  EXPECT_EQ(Translations({run->Frames[20]}).front(), std::make_pair(234, 30));
  for (std::size_t k = 21; k < run->Frames.size(); ++k) EXPECT_TRUE(run->Frames[k].Places.empty()) << k;
}

TEST(MotionEffects, RandomMovementEndsAtTheDesignedPlace) {
  auto run = RunEffect(19, 10, true);
  ASSERT_EQ(run->Frames.size(), 21u);
  EXPECT_DOUBLE_EQ(run->Banner.Movie->FrameRate(), 5);
  TRandomGenerator replay;
  for (int s = 0; s <= 20; ++s) {
    const TEffectFrame& frame = run->Frames[s];
    ASSERT_EQ(frame.Places.size(), 4u);
    auto at = [&](int depth) {
      const auto m = MatrixOf(*frame.AtDepth(depth));
      return std::make_pair(m.TranslateX() / 20, m.TranslateY() / 20);
    };
    // The background stays where it was designed.
    EXPECT_EQ(at(0), std::make_pair(234, 30)) << s;
    if (s == 20) {
      for (int depth : {2, 3, 4}) EXPECT_EQ(at(depth), std::make_pair(234, 30));
      continue;
    }
    const int shapeX = replay.Random(468), shapeY = replay.Random(60);
    const int textX = replay.Random(468), textY = replay.Random(60);
    EXPECT_EQ(at(2), std::make_pair(shapeX, shapeY)) << s;
    // A text and its shadow share their point.
    EXPECT_EQ(at(3), std::make_pair(textX, textY)) << s;
    EXPECT_EQ(at(4), std::make_pair(textX, textY)) << s;
  }
  EXPECT_EQ(replay.RandomSeed, run->Random.RandomSeed);
}

}  // namespace
}  // namespace tessaly::effects
