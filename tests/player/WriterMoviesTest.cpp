// Movies written by our own SWF writer, played back: what geometry fixes
// must come out in the pixels.
#include "platform/Picture.h"
#include "player/PlayerTestUtil.h"
#include "support/TestPictures.h"
#include "swf/FlashObjects.h"

#include <QDir>
#include <QImage>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

namespace tessaly::player::test {
namespace {

using swf::TFlashMovie;
using swf::TFlashShape;

constexpr uint32_t Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  return uint32_t{r} | uint32_t{g} << 8 | uint32_t{b} << 16 | uint32_t{a} << 24;
}

// A 100 x 100 pixel movie at 35 fps; build adds and places shapes.
TBytes WriterMovie(const std::function<void(TFlashMovie&)>& build, bool compressed = false, int frames = 1) {
  TFlashMovie movie(0, 0, 100, 100, 35, swf::muPixels);
  movie.SetVersion(6);
  movie.SetCompressed(compressed);
  build(movie);
  movie.ShowFrame(static_cast<uint16_t>(frames));
  movie.WriteObjects();
  swf::TMemoryStream out;
  movie.SaveToStream(out);
  return out.Bytes();
}

QImage Play(const TBytes& bytes) { return RenderBytes(bytes, 100, 100); }

int Brightness(const TRgb& c) { return c.r + c.g + c.b; }

TEST(WriterMovies, RectangleInsideAndOutside) {
  const QImage image = Play(WriterMovie([](TFlashMovie& m) {
    TFlashShape* s = m.AddRectangle(20, 30, 70, 60);
    s->SetSolidFill(Rgba(255, 0, 0));
    m.PlaceObject(s, 1);
  }));
  EXPECT_TRUE(Near(Pixel(image, 45, 45), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 21, 31), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 69, 59), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 18, 45), kWhite));
  EXPECT_TRUE(Near(Pixel(image, 45, 62), kWhite));
  EXPECT_TRUE(Near(Pixel(image, 72, 45), kWhite));
}

TEST(WriterMovies, RingHasAnEmptyHole) {
  const QImage image = Play(WriterMovie([](TFlashMovie& m) {
    TFlashShape* s = m.AddRing(50, 50, 40, 20);
    s->SetSolidFill(Rgba(0, 0, 255));
    m.PlaceObject(s, 1);
  }));
  EXPECT_TRUE(Near(Pixel(image, 50, 50), kWhite));
  EXPECT_TRUE(Near(Pixel(image, 60, 50), kWhite));
  EXPECT_TRUE(Near(Pixel(image, 80, 50), {0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(image, 50, 20), {0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(image, 95, 95), kWhite));
}

TEST(WriterMovies, RadialGradientIsLighterAtItsCentre) {
  const QImage image = Play(WriterMovie([](TFlashMovie& m) {
    TFlashShape* s = m.AddRectangle(0, 0, 100, 100);
    s->SetRadialGradient(Rgba(255, 255, 255), Rgba(0, 0, 0), 50, 50);
    m.PlaceObject(s, 1);
  }));
  const int centre = Brightness(Pixel(image, 50, 50));
  const int half = Brightness(Pixel(image, 70, 50));
  const int edge = Brightness(Pixel(image, 95, 50));
  EXPECT_GT(centre, 700);
  EXPECT_GT(centre, half);
  EXPECT_GT(half, edge);
}

TEST(WriterMovies, LinearGradientGrowsFromLeftToRight) {
  const QImage image = Play(WriterMovie([](TFlashMovie& m) {
    TFlashShape* s = m.AddRectangle(0, 0, 100, 100);
    s->SetLinearGradient(Rgba(0, 0, 0), Rgba(255, 255, 255), 0);
    m.PlaceObject(s, 1);
  }));
  int previous = -1;
  for (int x = 5; x <= 95; x += 10) {
    const int b = Brightness(Pixel(image, x, 50));
    EXPECT_GT(b, previous) << x;
    previous = b;
  }
  EXPECT_LT(Brightness(Pixel(image, 2, 50)), 60);
  EXPECT_GT(Brightness(Pixel(image, 97, 50)), 700);
}

TEST(WriterMovies, StarLeavesItsNotchesEmpty) {
  const QImage image = Play(WriterMovie([](TFlashMovie& m) {
    TFlashShape* s = m.AddStar(50, 50, 45, 18, 5, swf::seStraight);
    s->SetSolidFill(Rgba(0, 128, 0));
    m.PlaceObject(s, 1);
  }));
  EXPECT_TRUE(Near(Pixel(image, 50, 50), {0, 128, 0}));
  // Between two neighbouring points at radius 35 px there is no ink,
  // wherever the first point lies: at least one of the probes around the
  // circle falls into a notch and one onto a point.
  int white = 0, green = 0;
  for (int i = 0; i < 40; ++i) {
    const double a = i * 2 * M_PI / 40;
    const TRgb c = Pixel(image, 50 + static_cast<int>(std::lround(35 * std::cos(a))),
                         50 + static_cast<int>(std::lround(35 * std::sin(a))));
    white += Near(c, kWhite) ? 1 : 0;
    green += Near(c, {0, 128, 0}) ? 1 : 0;
  }
  EXPECT_GE(white, 10);
  EXPECT_GE(green, 5);
}

TEST(WriterMovies, TranslucentShapeBlendsHalfAndHalf) {
  const QImage image = Play(WriterMovie([](TFlashMovie& m) {
    TFlashShape* under = m.AddRectangle(0, 0, 100, 100);
    under->SetSolidFill(Rgba(255, 0, 0));
    m.PlaceObject(under, 1);
    TFlashShape* over = m.AddRectangle(0, 0, 100, 50);
    over->SetSolidFill(Rgba(0, 0, 255, 128));
    m.PlaceObject(over, 2);
  }));
  EXPECT_TRUE(Near(Pixel(image, 50, 25), {127, 0, 128}, 2));
  EXPECT_TRUE(Near(Pixel(image, 50, 75), {255, 0, 0}));
}

// The mean colour of a box of an image.
TRgb Mean(const QImage& image, int x0, int y0, int x1, int y1) {
  long r = 0, g = 0, b = 0, n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x, ++n) {
      const TRgb c = Pixel(image, x, y);
      r += c.r;
      g += c.g;
      b += c.b;
    }
  return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

TEST(WriterMovies, JpegPictureShowsItsMeanColourAndItsAlpha) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "tessaly-player-test.jpg";
  QImage picture(40, 40, QImage::Format_RGB32);
  picture.fill(QColor(200, 60, 40));
  ASSERT_TRUE(picture.save(QString::fromStdString(file.string()), "JPG", 95));
  for (int alpha : {255, 128}) {
    const QImage image = Play(WriterMovie([&](TFlashMovie& m) {
      swf::TFlashImage* jpeg = m.AddImage(file.string());
      if (alpha < 255) jpeg->FillAlpha(static_cast<uint8_t>(alpha));
      TFlashShape* s = m.AddRectangle(10, 10, 50, 50);
      s->SetImageFill(*jpeg, swf::fmClipped);
      m.PlaceObject(s, 1);
    }));
    const double a = alpha / 255.0;
    const TRgb expected{static_cast<int>(200 * a + 255 * (1 - a)), static_cast<int>(60 * a + 255 * (1 - a)),
                        static_cast<int>(40 * a + 255 * (1 - a))};
    EXPECT_TRUE(Near(Mean(image, 15, 15, 45, 45), expected, 6)) << alpha;
    EXPECT_TRUE(Near(Mean(image, 60, 60, 90, 90), kWhite)) << alpha;
  }
  std::filesystem::remove(file);
}

TEST(WriterMovies, GifTransparentColourShowsWhatLiesBeneath) {
  tessaly::test::TTempDir folder;
  const std::filesystem::path file = folder.Path() / "check.gif";
  // 2 x 2 pixels: index (x + y) mod 2, index 1 (white) transparent.
  const auto gif = tessaly::test::SimpleGif(2, 2, {{255, 0, 0}, {255, 255, 255}}, 1);
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(gif.data()), static_cast<std::streamsize>(gif.size()));
  const QImage image = Play(WriterMovie([&](TFlashMovie& m) {
    TFlashShape* under = m.AddRectangle(0, 0, 100, 100);
    under->SetSolidFill(Rgba(0, 0, 255));
    m.PlaceObject(under, 1);
    swf::TFlashImage* picture = m.AddImage();
    swf::LoadGifIntoImage(*picture, platform::ReadPicture(file.string()));
    TFlashShape* s = m.AddRectangle(0, 0, 40, 40);
    s->SetImageFill(*picture, swf::fmFit);
    m.PlaceObject(s, 2);
  }));
  // The picture is smoothed while stretched: block centres are near, not exact.
  EXPECT_TRUE(Near(Pixel(image, 10, 10), {255, 0, 0}, 24));
  EXPECT_TRUE(Near(Pixel(image, 30, 30), {255, 0, 0}, 24));
  EXPECT_TRUE(Near(Pixel(image, 30, 10), {0, 0, 255}, 24));
  EXPECT_TRUE(Near(Pixel(image, 10, 30), {0, 0, 255}, 24));
}

TEST(WriterMovies, TextLeavesInkInsideItsBoxOnly) {
  const QImage image = Play(WriterMovie([](TFlashMovie& m) {
    swf::TFlashFont* font = m.AddFont(swf::TFontDescription{"Arial", -480}, swf::foEmbedded);
    swf::TFlashText* text = m.AddText(u"Hello", Rgba(0, 0, 0), font, 10, 30, swf::taLeft);
    m.PlaceObject(text, 1);
  }));
  int inkInside = 0, inkOutside = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      if (Brightness(Pixel(image, x, y)) >= 300) continue;
      const bool inBox = x >= 8 && x < 95 && y >= 25 && y < 65;
      ++(inBox ? inkInside : inkOutside);
    }
  EXPECT_GT(inkInside, 100);
  EXPECT_EQ(inkOutside, 0);
}

TEST(WriterMovies, FrameCountAndRateReadBackAsWritten) {
  for (bool compressed : {false, true}) {
    TFlashPlayer player;
    player.LoadMovie(WriterMovie([](TFlashMovie&) {}, compressed, 4));
    EXPECT_EQ(player.FrameCount(), 4) << compressed;
    EXPECT_DOUBLE_EQ(player.FrameRate(), 35) << compressed;
    EXPECT_EQ(player.Width(), 100);
    EXPECT_EQ(player.Height(), 100);
    EXPECT_EQ(player.Movie()->compressed, compressed);
    EXPECT_TRUE(player.Warnings().empty()) << compressed << ": " << player.Warnings().front();
  }
}

}  // namespace
}  // namespace tessaly::player::test
