// The player on a banner-like movie: loading plus the first frame, and
// frames per second at the two common banner sizes. The movie is what the
// banner program makes: a gradient background with a border, a few shapes,
// a line of text in an embedded font, a picture, items wrapped in buttons,
// and a sprite that moves. Then the same on the reference banner as our
// pipeline builds it: its editing preview loaded and drawn, and its
// rotate-and-shrink movie played.

#include "document/BuildPipeline.h"
#include "effects/unit_OneStepAnim.h"
#include "player/FlashPlayer.h"
#include "player/SwfTestBuilder.h"
#include "support/ReferenceBanner.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace tessaly::player;
using namespace tessaly::player::test;

// A font of ten glyphs: rings and bars with curves, about as busy as
// letters.
TBytes FontBody() {
  std::vector<TBytes> glyphs;
  for (int g = 0; g < 10; ++g) {
    TShapeBuilder s;
    s.Style(-1, 1, -1);
    s.Ellipse(400, -400, 300 + 10 * g, 350);
    s.Ellipse(400, -400, 150, 200 - 5 * g);
    s.Rectangle(700, -900, 800, 0);
    glyphs.push_back(s.GlyphBytes());
  }
  TBitWriter w;
  w.Word(10);
  w.Byte(0x04);  // wide codes
  w.Byte(0);
  w.Byte(5);
  for (char c : std::string("Bench")) w.Byte(static_cast<uint8_t>(c));
  w.Word(static_cast<uint16_t>(glyphs.size()));
  uint16_t offset = static_cast<uint16_t>(2 * (glyphs.size() + 1));
  for (const TBytes& g : glyphs) {
    w.Word(offset);
    offset = static_cast<uint16_t>(offset + g.size());
  }
  w.Word(offset);
  for (const TBytes& g : glyphs) w.Append(g);
  for (int g = 0; g < 10; ++g) w.Word(static_cast<uint16_t>('0' + g));
  return w.Data();
}

TBytes TextBody(uint16_t id, int glyphCount) {
  TBitWriter w;
  w.Word(id);
  w.Rect(0, 6000, -800, 200);
  w.Translate(0, 0);
  w.Byte(4);
  w.Byte(12);
  w.Byte(0x80 | 0x08 | 0x04 | 0x02 | 0x01);
  w.Word(10);
  w.Rgb(0xFFFFFF);
  w.Word(0);
  w.Word(0);
  w.Word(600);
  w.Byte(static_cast<uint8_t>(glyphCount));
  for (int i = 0; i < glyphCount; ++i) {
    w.Bits(static_cast<uint32_t>(i % 10), 4);
    w.Signed(500, 12);
  }
  w.Align();
  w.Byte(0);
  return w.Data();
}

TBytes ButtonBody(uint16_t id, uint16_t shape) {
  TBitWriter w;
  w.Word(id);
  w.Byte(0);
  w.Word(0);
  w.Byte(0x0F);
  w.Word(shape);
  w.Word(1);
  w.Translate(0, 0);
  w.Byte(0);
  w.Byte(0);
  return w.Data();
}

// With zooming, every item is drawn at a new scale in every frame (the
// worst case for the player: nothing drawn before can be reused).
TBytes BannerMovie(int width, int height, bool zooming = false) {
  const int32_t w = width * 20, h = height * 20;
  TMovieBuilder m(width, height, 35, 6);
  TShapeBuilder back;
  back.Style(-1, back.Gradient(false, w / 32768.0, 1, w / 2, h / 2, {{0, 0x2040A0FF}, {255, 0x80C0FFFF}}),
             back.LineStyle(40, 0x000000FF));
  back.Rectangle(0, 0, w, h);
  m.Shape(1, back, 0, w, 0, h);
  std::vector<uint32_t> pixels(32 * 32);
  for (int i = 0; i < 32 * 32; ++i) pixels[static_cast<size_t>(i)] = 0xFF000000u | static_cast<uint32_t>(i * 997);
  m.Tag(20, LosslessBody(2, 32, 32, pixels, false));
  TShapeBuilder picture;
  picture.Style(-1, picture.BitmapFill(0x41, 2, h * 0.6 / 32, h * 0.6 / 32, w - h, h / 5), -1);
  picture.Rectangle(w - h, h / 5, w - h + h * 6 / 10, h * 4 / 5);
  m.Shape(3, picture, w - h, w - h + h * 6 / 10, h / 5, h * 4 / 5);
  TShapeBuilder star;
  star.Style(-1, star.SolidFill(0xFFD000C0), star.LineStyle(20, 0x804000FF));
  for (int i = 0; i <= 10; ++i) {
    const double r = (i % 2 == 0 ? 0.45 : 0.2) * h;
    const double a = -M_PI / 2 + i * M_PI / 5;
    const int32_t x = h / 2 + static_cast<int32_t>(r * std::cos(a)), y = h / 2 + static_cast<int32_t>(r * std::sin(a));
    if (i == 0)
      star.MoveTo(x, y);
    else
      star.LineTo(x, y);
  }
  m.Shape(4, star, 0, h, 0, h);
  TShapeBuilder ring;
  ring.Style(-1, ring.Gradient(true, h / 32768.0, h / 32768.0, h / 2, h / 2, {{0, 0xFFFFFFFF}, {255, 0xFF0000FF}}),
             -1);
  ring.Ellipse(h / 2, h / 2, h * 4 / 10, h * 4 / 10);
  ring.Ellipse(h / 2, h / 2, h * 2 / 10, h * 2 / 10);
  m.Shape(5, ring, 0, h, 0, h);
  m.Tag(48, FontBody());
  m.Tag(11, TextBody(6, 24));
  m.Tag(34, ButtonBody(7, 4));
  m.Tag(34, ButtonBody(8, 6));
  TBitWriter place;
  place.Byte(0x02 | 0x04);
  place.Word(1);
  place.Word(5);
  place.Translate(0, 0);
  TBytes spriteTags = TagBytes(26, place.Data());
  for (int f = 0; f < 10; ++f) {
    TBitWriter move;
    move.Byte(0x01 | 0x04);
    move.Word(1);
    move.Translate(f * 40, 0);
    spriteTags = Join({spriteTags, TagBytes(26, move.Data()), TagBytes(1, {})});
  }
  m.Tag(39, SpriteBody(9, 10, spriteTags));
  if (!zooming) {
    m.Place(1, 1, 0, 0, "backshape");
    m.Place(2, 3, 0, 0, "but1");
    m.Place(4, 7, h / 4, 0, "but2");
    m.Place(6, 8, 2 * h, h * 3 / 4, "but3");
    m.Place(8, 9, w / 2, 0, "particles");
    m.ShowFrame();
    for (int f = 0; f < 34; ++f) m.ShowFrame();
    return m.Bytes(true);
  }
  const uint16_t ids[] = {1, 3, 7, 8, 9};
  for (int f = 0; f < 200; ++f) {
    const double scale = 0.9 + f * 0.0005;
    for (uint16_t d = 0; d < 5; ++d) {
      TBitWriter place;
      place.Byte(static_cast<uint8_t>((f == 0 ? 0x02 : 0x01) | 0x04));
      place.Word(static_cast<uint16_t>(2 * d + 1));
      if (f == 0) place.Word(ids[d]);
      place.Matrix(scale, scale, 0, 0, d * 300 + f, 0);
      m.Tag(26, place.Data());
    }
    m.ShowFrame();
  }
  return m.Bytes(true);
}

void BM_LoadAndFirstFrame(benchmark::State& state) {
  const TBytes movie = BannerMovie(468, 60);
  for (auto _ : state) {
    TFlashPlayer player;
    player.LoadMovie(movie);
    QImage image = player.RenderImage(468, 60);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_LoadAndFirstFrame)->Unit(benchmark::kMillisecond);

// Frames per second (items per second): one tick and one picture each;
// zooming: every item at a new scale in every frame.
void PlayFrames(benchmark::State& state, bool zooming) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  TFlashPlayer player;
  player.LoadMovie(BannerMovie(width, height, zooming));
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    player.Tick();
    player.Render(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_PlayFrames(benchmark::State& state) { PlayFrames(state, false); }
BENCHMARK(BM_PlayFrames)->Args({468, 60})->Args({728, 90})->Unit(benchmark::kMicrosecond);

void BM_PlayZoomingFrames(benchmark::State& state) { PlayFrames(state, true); }
BENCHMARK(BM_PlayZoomingFrames)->Args({468, 60})->Args({728, 90})->Unit(benchmark::kMicrosecond);

// The reference banner's movie as the pipeline hands it to the preview:
// the editing preview, or the animated build of an effect (by caption).
TBytes ReferenceMovie(std::string_view effect = {}) {
  tessaly::test::TReferenceBanner banner;
  tessaly::test::TMemoryPreviewHost host;
  tessaly::effects::TRandomGenerator random;
  tessaly::effects::TOneStepAnim engine(random, "");
  tessaly::document::TBuildPipeline pipeline(banner.Document, host, &engine);
  pipeline.SetTemporaryFolder(banner.Folder.Path());
  if (effect.empty()) {
    pipeline.BuildPreviewMovie();
  } else {
    for (size_t i = 0; i < tessaly::effects::EffectTable.size(); ++i)
      if (tessaly::effects::EffectTable[i].Caption == effect)
        banner.Document.BannerSettings.AnimationType = static_cast<int32_t>(i);
    pipeline.BuildAnimatedMovie();
  }
  return host.Movie;
}

// What the preview does after every edit once the movie is built: load it
// and draw its first frame at the banner's size.
void BM_ReferencePreviewLoadAndFirstFrame(benchmark::State& state) {
  const TBytes movie = ReferenceMovie();
  for (auto _ : state) {
    TFlashPlayer player;
    player.SetLoop(false);
    player.LoadMovie(movie);
    QImage image = player.RenderImage(468, 60);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_ReferencePreviewLoadAndFirstFrame)->Unit(benchmark::kMillisecond);

// Frames per second (items per second) of the reference banner turning and
// shrinking (21 frames), drawn at 468 x 60 and (scaled) at 728 x 90. On the
// first pass every frame is drawn for the first time, as in the editing
// preview, which plays the movie once; looped, as in a browser, the
// renderer finds again the shapes it drew in the pass before.
void BM_ReferenceRotateAndShrink(benchmark::State& state, bool firstPass) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const TBytes movie = ReferenceMovie("旋转收缩");
  TFlashPlayer player;
  player.SetLoop(!firstPass);
  player.LoadMovie(movie);
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    if (firstPass && player.CurrentFrame() == player.FrameCount()) {
      state.PauseTiming();
      player.LoadMovie(movie);
      state.ResumeTiming();
    } else {
      player.Tick();
    }
    player.Render(image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_ReferenceRotateAndShrink, first_pass, true)
    ->Args({468, 60})
    ->Args({728, 90})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReferenceRotateAndShrink, looped, false)
    ->Args({468, 60})
    ->Args({728, 90})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
