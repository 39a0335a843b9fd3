// GIF and WebP exports of the reference banner decoded again and laid over
// the frames our player draws: pictures, timing over the whole run, play
// count, frame differencing, target weights, cancelling.

#include <gtest/gtest.h>

#include <atomic>
#include <iostream>

#include "export/BannerExport.h"
#include "export/ExportTestSupport.h"
#include "export/FrameTiming.h"
#include "export/GifEncoder.h"
#include "export/MovieFrames.h"
#include "export/WebpEncoder.h"
#include "player/SwfTestBuilder.h"

namespace tessaly::exports::test {
namespace {

// Speed 10 gives a pass of 21 frames.
constexpr int FastSpeed = 10;

struct TLoopCase {
  const char* name;
  int bannerLoop;  // AnimationLoop
  int frames;      // of the movie
  std::optional<int> gifLoop;
  int webpLoop;
};

// Forever: one pass, repeated by the viewer. Twice: both passes and the
// closing Stop frame in the file, played once, resting on the last frame.
const TLoopCase LoopCases[] = {
    {"forever", 0, 21, 0, 0},
    {"twice", 2, 43, std::nullopt, 1},
};

void Report(const std::string& what, const TChannelDifference& d) {
  std::cout << "[ difference ] " << what << ": " << d.Text() << "\n";
}

TEST(GifExport, EveryFrameMatchesThePlayerAndTheRunKeepsItsTimeAndLoop) {
  for (const TLoopCase& c : LoopCases)
    for (const bool dither : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (dither ? " dithered" : ""));
      TBannerFixture banner;
      banner.ChooseEffect(FastSpeed, c.bannerLoop);
      const TBannerMovie movie = banner.Movie();
      const std::vector<QImage> frames = PlayerFrames(movie);
      ASSERT_EQ(int(frames.size()), c.frames);

      TExportOptions options;
      options.Kind = TExportKind::ekGif;
      options.Dither = dither;
      const TExportResult result = ExportBanner(movie, options);
      EXPECT_EQ(result.Frames, c.frames);
      EXPECT_DOUBLE_EQ(result.Seconds, c.frames / 35.0);

      const TDecodedAnimation gif = DecodeGif(result.Bytes);
      EXPECT_EQ(gif.Width, 468);
      EXPECT_EQ(gif.Height, 60);
      EXPECT_EQ(gif.Loop, c.gifLoop);
      // The delays add up to the movie's time, rounded once.
      EXPECT_EQ(gif.Ends.back(), FrameEndCentiseconds(c.frames));
      EXPECT_NEAR(double(gif.Ends.back()), c.frames * 100.0 / 35, 100.0 / 35);

      const TChannelDifference d = CompareAnimation(gif, frames, 100);
      Report(std::string("GIF ") + c.name + (dither ? " dithered" : ""), d);
      // Dithering spreads the error over neighbours: a pixel may stray
      // further while areas keep their colour.
      const int worst = dither ? 128 : 64;
      for (int ch = 0; ch < 3; ++ch) {
        EXPECT_LT(d.Mean[ch], 1.5) << d.Text();
        EXPECT_LE(d.Worst[ch], worst) << d.Text();
      }
    }
}

TEST(WebpExport, EveryFrameMatchesThePlayerAndTheRunKeepsItsTimeAndLoop) {
  for (const TLoopCase& c : LoopCases)
    for (const bool lossless : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (lossless ? " lossless" : " lossy"));
      TBannerFixture banner;
      banner.ChooseEffect(FastSpeed, c.bannerLoop);
      const TBannerMovie movie = banner.Movie();
      const std::vector<QImage> frames = PlayerFrames(movie);

      TMovieFrames source(movie.Swf);
      const std::vector<std::uint8_t> bytes = EncodeWebp(source, {lossless, 100, 90, movie.PlayCount, true});
      const TDecodedAnimation webp = DecodeWebp(bytes);
      EXPECT_EQ(webp.Width, 468);
      EXPECT_EQ(webp.Height, 60);
      EXPECT_EQ(webp.Loop, c.webpLoop);
      EXPECT_EQ(webp.Ends.back(), FrameEndMilliseconds(c.frames));
      EXPECT_NEAR(double(webp.Ends.back()), c.frames * 1000.0 / 35, 1000.0 / 35);

      const TChannelDifference d = CompareAnimation(webp, frames, 1000);
      Report(std::string("WebP ") + c.name + (lossless ? " lossless" : " lossy"), d);
      for (int ch = 0; ch < 3; ++ch) {
        if (lossless) {
          EXPECT_EQ(d.Worst[ch], 0) << d.Text();
        } else {
          EXPECT_LT(d.Mean[ch], 3.0) << d.Text();
        }
      }
    }
}

TEST(AnimationExport, PlainEncodingShowsTheSameFramesHeavier) {
  TBannerFixture banner;
  banner.ChooseEffect(FastSpeed, 0);
  const TBannerMovie movie = banner.Movie();
  const std::vector<QImage> frames = PlayerFrames(movie);
  TMovieFrames source(movie.Swf);
  TGifOptions gif;
  const std::vector<std::uint8_t> differenced = EncodeGif(source, gif);
  gif.FrameDifferencing = false;
  const std::vector<std::uint8_t> plain = EncodeGif(source, gif);
  EXPECT_LT(differenced.size(), plain.size());
  const TDecodedAnimation decoded = DecodeGif(plain);
  EXPECT_EQ(decoded.Canvases.size(), frames.size());
  EXPECT_LT(CompareAnimation(decoded, frames, 100).Mean[0], 2.0);
}

TEST(AnimationExport, BannerWithoutEffectIsOneFrameShownOnce) {
  TBannerFixture banner;
  const TBannerMovie movie = banner.Movie();
  EXPECT_FALSE(movie.Animated);
  EXPECT_EQ(movie.PlayCount, 1);
  TExportOptions options;
  const TExportResult result = ExportBanner(movie, options);
  EXPECT_EQ(result.Frames, 1);
  const TDecodedAnimation gif = DecodeGif(result.Bytes);
  EXPECT_EQ(gif.Canvases.size(), 1u);
  EXPECT_EQ(gif.Loop, std::nullopt);
  // One full palette for the gradient, the pictures and the text.
  const TChannelDifference d = CompareAnimation(gif, PlayerFrames(movie), 100);
  Report("GIF one frame", d);
  for (int ch = 0; ch < 3; ++ch) EXPECT_LT(d.Mean[ch], 3.0) << d.Text();
}

TEST(GifExport, StillLongerThanOneDelayGoesOnInEmptyImages) {
  // 23000 frames of one picture: 657.14 s, past the 655.35 s one GIF delay holds.
  player::test::TMovieBuilder builder(2, 2);
  builder.Background(0x336699);
  constexpr int Frames = 23000;
  for (int f = 0; f < Frames; ++f) builder.ShowFrame();
  TMovieFrames frames(builder.Bytes());
  ASSERT_EQ(frames.Count(), Frames);
  TGifOptions options;
  options.PlayCount = 1;
  const TDecodedAnimation gif = DecodeGif(EncodeGif(frames, options));
  ASSERT_EQ(gif.Canvases.size(), 2u);
  EXPECT_EQ(gif.Ends[0], 65535);
  EXPECT_EQ(gif.Ends[1], FrameEndCentiseconds(Frames));
  EXPECT_EQ(gif.Canvases[1], gif.Canvases[0]);
  EXPECT_EQ(gif.Canvases[0].pixel(1, 1), qRgba(0x33, 0x66, 0x99, 255));
}

TEST(AnimationExport, TargetWeightStepsQualityDownOrSaysItCannot) {
  TBannerFixture banner;
  banner.ChooseEffect(FastSpeed, 0);
  const TBannerMovie movie = banner.Movie();
  for (const TExportKind kind : {TExportKind::ekGif, TExportKind::ekWebp, TExportKind::ekHtml5}) {
    SCOPED_TRACE(int(kind));
    TExportOptions options;
    options.Kind = kind;
    const TExportResult best = ExportBanner(movie, options);
    EXPECT_TRUE(best.FitsTarget);

    options.MaxBytes = best.Bytes.size() * 3 / 4;
    const TExportResult fitted = ExportBanner(movie, options);
    EXPECT_TRUE(fitted.FitsTarget) << fitted.Quality;
    EXPECT_LE(fitted.Bytes.size(), options.MaxBytes);
    EXPECT_NE(fitted.Quality, best.Quality);

    options.MaxBytes = 1024;
    const TExportResult tooSmall = ExportBanner(movie, options);
    EXPECT_FALSE(tooSmall.FitsTarget);
    EXPECT_GT(tooSmall.Bytes.size(), options.MaxBytes);
  }
}

TEST(AnimationExport, ReportsProgressAndStopsWhenCancelled) {
  TBannerFixture banner;
  banner.ChooseEffect(FastSpeed, 0);
  const TBannerMovie movie = banner.Movie();
  for (const TExportKind kind : {TExportKind::ekGif, TExportKind::ekWebp, TExportKind::ekHtml5, TExportKind::ekMp4}) {
    SCOPED_TRACE(int(kind));
    TExportOptions options;
    options.Kind = kind;
    std::atomic<bool> cancel = false;
    int lastDone = -1, lastTotal = 0;
    bool forward = true;
    const TExportProgress progress(
        [&](int done, int total) {
          forward = forward && done >= lastDone;
          lastDone = done;
          lastTotal = total;
        },
        &cancel);
    ExportBanner(movie, options, progress);
    EXPECT_TRUE(forward);
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_GE(lastTotal, 21);

    const TExportProgress cancelAtFive([&](int done, int) { cancel = done >= 5; }, &cancel);
    cancel = false;
    EXPECT_THROW(ExportBanner(movie, options, cancelAtFive), TExportCancelled);
  }
}

TEST(FrameTiming, FrameEndsCarryTheRemainder) {
  struct TCase {
    std::int64_t frames, centiseconds, milliseconds;
  };
  // 100 / 35 cs a frame: delays 3 3 3 2 3 3 3, exactly 20 cs per 7 frames.
  const TCase cases[] = {{0, 0, 0},   {1, 3, 29},     {2, 6, 57},       {3, 9, 86},
                         {4, 11, 114}, {7, 20, 200},  {35, 100, 1000},  {101, 289, 2886},
                         {65535, 187243, 1872429}};
  for (const TCase& c : cases) {
    EXPECT_EQ(FrameEndCentiseconds(c.frames), c.centiseconds) << c.frames;
    EXPECT_EQ(FrameEndMilliseconds(c.frames), c.milliseconds) << c.frames;
  }
}

TEST(AnimationExport, WeightWarningAbove150KB) {
  EXPECT_EQ(WeightWarning(150 * 1024), std::nullopt);
  EXPECT_EQ(WeightWarning(150 * 1024 + 1),
            std::optional<std::string>("it weighs 151 KB, more than the 150 KB that display ads commonly allow"));
}

}  // namespace
}  // namespace tessaly::exports::test
