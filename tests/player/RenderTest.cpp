#include "player/PlayerTestUtil.h"

#include <QBuffer>

#include <cmath>

namespace tessaly::player::test {
namespace {

constexpr uint32_t kRed = 0xFF0000FF;

int Brightness(const TRgb& c) { return c.r + c.g + c.b; }

TEST(Render, RectangleInsideIsFilledAndOutsideIsBackground) {
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(kRed), -1);
  s.Rectangle(400, 400, 1200, 1000);  // 20..60 x 20..50 px
  const QImage image = RenderBytes(OneShapeMovie(s), 100, 100);
  struct Case {
    int x, y;
    TRgb expected;
  };
  const Case cases[] = {{40, 35, {255, 0, 0}}, {21, 21, {255, 0, 0}}, {58, 48, {255, 0, 0}},
                        {10, 10, kWhite},      {70, 35, kWhite},      {40, 55, kWhite}};
  for (const Case& c : cases) EXPECT_TRUE(Near(Pixel(image, c.x, c.y), c.expected)) << c.x << "," << c.y;
}

TEST(Render, ShowAllScalesAndCentresTheMovie) {
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(kRed), -1);
  s.Rectangle(0, 0, 1000, 1000);  // the top-left quarter
  const TBytes movie = OneShapeMovie(s);
  // Twice as wide as high: the movie is 100 px high and centred.
  const QImage wide = RenderBytes(movie, 200, 100);
  EXPECT_TRUE(Near(Pixel(wide, 75, 25), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(wide, 25, 25), kWhite));
  EXPECT_TRUE(Near(Pixel(wide, 125, 25), kWhite));
  // Scaled up twice.
  const QImage big = RenderBytes(movie, 200, 200);
  EXPECT_TRUE(Near(Pixel(big, 95, 95), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(big, 105, 105), kWhite));
}

TEST(Render, RingOfTwoSameDirectionEllipsesHasAnEmptyHole) {
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(kRed), -1);
  s.Ellipse(1000, 1000, 800, 800);
  s.Ellipse(1000, 1000, 400, 400);
  const QImage image = RenderBytes(OneShapeMovie(s), 100, 100);
  EXPECT_TRUE(Near(Pixel(image, 50, 50), kWhite));
  EXPECT_TRUE(Near(Pixel(image, 80, 50), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 50, 20), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 95, 50), kWhite));
}

TEST(Render, StarLeavesItsNotchesEmpty) {
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(kRed), -1);
  // Five points at radius 45 px, inner corners at 18 px, first point up.
  for (int i = 0; i <= 10; ++i) {
    const double r = (i % 2 == 0 ? 45 : 18) * 20.0;
    const double a = -M_PI / 2 + i * M_PI / 5;
    const int32_t x = 1000 + static_cast<int32_t>(std::lround(r * std::cos(a)));
    const int32_t y = 1000 + static_cast<int32_t>(std::lround(r * std::sin(a)));
    if (i == 0)
      s.MoveTo(x, y);
    else
      s.LineTo(x, y);
  }
  const QImage image = RenderBytes(OneShapeMovie(s), 100, 100);
  EXPECT_TRUE(Near(Pixel(image, 50, 50), {255, 0, 0}));  // centre
  EXPECT_TRUE(Near(Pixel(image, 50, 10), {255, 0, 0}));  // the top point
  // Between the top point and the next one, at radius 35 px: a notch.
  const double a = -M_PI / 2 + M_PI / 5;
  EXPECT_TRUE(Near(Pixel(image, 50 + int(35 * std::cos(a)), 50 + int(35 * std::sin(a))), kWhite));
}

TEST(Render, RadialGradientIsLighterAtItsCentre) {
  TShapeBuilder s;
  const double scale = 1600.0 / 32768;
  s.Style(-1, s.Gradient(true, scale, scale, 1000, 1000, {{0, 0xFFFFFFFF}, {255, 0x000000FF}}), -1);
  s.Rectangle(0, 0, 2000, 2000);
  const QImage image = RenderBytes(OneShapeMovie(s), 100, 100);
  const int centre = Brightness(Pixel(image, 50, 50));
  const int half = Brightness(Pixel(image, 70, 50));
  const int edge = Brightness(Pixel(image, 89, 50));
  EXPECT_GT(centre, 700);
  EXPECT_GT(centre, half);
  EXPECT_GT(half, edge);
  // Padded beyond the last stop: the corners take its colour.
  EXPECT_TRUE(Near(Pixel(image, 2, 2), {0, 0, 0}));
}

TEST(Render, LinearGradientGrowsFromLeftToRight) {
  TShapeBuilder s;
  s.Style(-1, s.Gradient(false, 1600.0 / 32768, 1, 1000, 1000, {{0, 0x000000FF}, {255, 0xFFFFFFFF}}), -1);
  s.Rectangle(0, 0, 2000, 2000);
  const QImage image = RenderBytes(OneShapeMovie(s), 100, 100);
  int previous = -1;
  for (int x = 10; x <= 90; x += 10) {
    const int b = Brightness(Pixel(image, x, 50));
    EXPECT_GT(b, previous) << x;
    previous = b;
  }
  EXPECT_TRUE(Near(Pixel(image, 3, 50), {0, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 97, 50), {255, 255, 255}));
  EXPECT_TRUE(Near(Pixel(image, 50, 50), {128, 128, 128}, 4));
}

TEST(Render, TranslucentShapeBlendsHalfAndHalf) {
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(0x0000FF80), -1);
  s.Rectangle(0, 0, 2000, 2000);
  const QImage image = RenderBytes(OneShapeMovie(s), 100, 100);
  EXPECT_TRUE(Near(Pixel(image, 50, 50), {127, 127, 255}, 2));
}

TEST(Render, LinesHaveTheirWidthAndAtLeastOnePixel) {
  TShapeBuilder s;
  const int wide = s.LineStyle(100, 0x000000FF);  // 5 px
  const int thin = s.LineStyle(1, 0x000000FF);    // 1 twip
  s.Style(-1, -1, wide);
  s.MoveTo(200, 600);
  s.LineTo(1800, 600);
  s.Style(-1, -1, thin);
  s.MoveTo(200, 1400);
  s.LineTo(1800, 1400);
  const QImage image = RenderBytes(OneShapeMovie(s), 100, 100);
  // 5 px around y = 30: rows 28 to 31 fully covered.
  EXPECT_TRUE(Near(Pixel(image, 50, 28), {0, 0, 0}, 10));
  EXPECT_TRUE(Near(Pixel(image, 50, 31), {0, 0, 0}, 10));
  EXPECT_TRUE(Near(Pixel(image, 50, 36), kWhite));
  EXPECT_LT(Brightness(Pixel(image, 50, 70)) + Brightness(Pixel(image, 50, 69)), 2 * 765 - 200);
  EXPECT_TRUE(Near(Pixel(image, 50, 75), kWhite));
}

TBytes BitmapMovie(uint8_t fillType, int32_t rectRight, int32_t rectBottom, int version = 6) {
  TMovieBuilder m(100, 100, 35, version);
  // 2 x 2 pixels: red, green / blue, black.
  m.Tag(20, LosslessBody(1, 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000}, false));
  TShapeBuilder s;
  // One bitmap pixel = 20 px.
  s.Style(-1, s.BitmapFill(fillType, 1, 400, 400, 0, 0), -1);
  s.Rectangle(0, 0, rectRight, rectBottom);
  m.Shape(2, s, 0, rectRight, 0, rectBottom);
  m.Place(1, 2);
  m.ShowFrame();
  return m.Bytes();
}

TEST(Render, ClippedBitmapFillMapsPixelsByItsMatrix) {
  const QImage image = RenderBytes(BitmapMovie(0x43, 800, 800), 100, 100);
  EXPECT_TRUE(Near(Pixel(image, 10, 10), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 30, 10), {0, 255, 0}));
  EXPECT_TRUE(Near(Pixel(image, 10, 30), {0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(image, 30, 30), {0, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 60, 60), kWhite));
}

TEST(Render, RepeatingBitmapFillTiles) {
  const QImage image = RenderBytes(BitmapMovie(0x42, 2000, 2000), 100, 100);
  EXPECT_TRUE(Near(Pixel(image, 50, 50), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 70, 50), {0, 255, 0}));
  EXPECT_TRUE(Near(Pixel(image, 70, 70), {0, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 90, 90), {255, 0, 0}));
}

// Players smooth the fills 0x40 and 0x41 from version 8 on; before it, and
// for 0x42 and 0x43 always, a magnified bitmap keeps hard pixel edges.
TEST(Render, BitmapSmoothingFollowsTheFillTypeAndTheVersion) {
  struct TCase {
    uint8_t fillType;
    int version;
    bool smoothed;
  };
  const TCase cases[] = {{0x41, 6, false}, {0x41, 7, false}, {0x41, 8, true},
                         {0x43, 8, false}, {0x40, 8, true},  {0x42, 9, false}};
  for (const TCase& c : cases) {
    const QImage image = RenderBytes(BitmapMovie(c.fillType, 800, 800, c.version), 100, 100);
    // Two pixels left of the border between the red and the green bitmap
    // pixel: pure red unless smoothed into the green.
    const TRgb near = Pixel(image, 18, 10);
    EXPECT_EQ(!Near(near, {255, 0, 0}, 8), c.smoothed)
        << "fill 0x" << std::hex << int(c.fillType) << std::dec << " version " << c.version;
  }
}

TEST(Render, ColorTransformsComposeThroughSprites) {
  TMovieBuilder m(100, 100);
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(0xFFFFFFFF), -1);
  s.Rectangle(0, 0, 2000, 2000);
  m.Shape(1, s, 0, 2000, 0, 2000);
  // Inside the sprite the shape keeps only its red (green and blue times 0).
  TBitWriter inner;
  inner.Byte(0x02 | 0x08);
  inner.Word(1);
  inner.Word(1);
  inner.ColorTransform(256, 0, 0, 256, 0, 0, 0, 0);
  m.Tag(39, SpriteBody(2, 1, Join({TagBytes(26, inner.Data()), TagBytes(1, {})})));
  // The sprite itself at half alpha.
  TBitWriter outer;
  outer.Byte(0x02 | 0x08);
  outer.Word(1);
  outer.Word(2);
  outer.ColorTransform(256, 256, 256, 128, 0, 0, 0, 0);
  m.Tag(26, outer.Data());
  m.ShowFrame();
  const QImage image = RenderBytes(m.Bytes(), 100, 100);
  EXPECT_TRUE(Near(Pixel(image, 50, 50), {255, 127, 127}, 2));
}

TBytes FontAndTextMovie(uint32_t textRgb, bool withAlpha) {
  TMovieBuilder m(100, 100);
  // A font of one glyph: a square filling the em above the baseline.
  TShapeBuilder glyph;
  glyph.Style(-1, 1, -1);
  glyph.Rectangle(0, -1024, 1024, 0);
  const TBytes glyphBytes = glyph.GlyphBytes();
  TBitWriter font;
  font.Word(1);
  font.Byte(0);  // no layout, 16-bit offsets, 8-bit codes
  font.Byte(0);
  font.Byte(4);
  for (char c : std::string("Test")) font.Byte(static_cast<uint8_t>(c));
  font.Word(1);
  font.Word(4);  // glyph offset: two 2-byte slots
  font.Word(static_cast<uint16_t>(4 + glyphBytes.size()));
  font.Append(glyphBytes);
  font.Byte('A');
  m.Tag(48, font.Data());
  // Two glyphs of 20 px at (10 px, 50 px), the second 30 px further on.
  TBitWriter text;
  text.Word(2);
  text.Rect(0, 2000, 0, 2000);
  text.Translate(0, 0);
  text.Byte(1);   // glyph bits
  text.Byte(12);  // advance bits
  text.Byte(0x80 | 0x08 | 0x04 | 0x02 | 0x01);
  text.Word(1);
  if (withAlpha)
    text.Rgba(textRgb << 8 | 0xFF);
  else
    text.Rgb(textRgb);
  text.Word(200);
  text.Word(1000);
  text.Word(400);
  text.Byte(2);
  text.Bits(0, 1);
  text.Signed(600, 12);
  text.Bits(0, 1);
  text.Signed(600, 12);
  text.Align();
  text.Byte(0);
  m.Tag(withAlpha ? 33 : 11, text.Data());
  m.Place(1, 2);
  m.ShowFrame();
  return m.Bytes();
}

TEST(Render, StaticTextDrawsGlyphsScaledByHeightAtTheirAdvances) {
  for (bool withAlpha : {false, true}) {
    const QImage image = RenderBytes(FontAndTextMovie(0x00A000, withAlpha), 100, 100);
    EXPECT_TRUE(Near(Pixel(image, 20, 40), {0, 160, 0})) << withAlpha;  // first glyph
    EXPECT_TRUE(Near(Pixel(image, 50, 40), {0, 160, 0})) << withAlpha;  // second glyph
    EXPECT_TRUE(Near(Pixel(image, 35, 40), kWhite)) << withAlpha;       // between them
    EXPECT_TRUE(Near(Pixel(image, 20, 55), kWhite)) << withAlpha;       // below the baseline
    EXPECT_TRUE(Near(Pixel(image, 20, 25), kWhite)) << withAlpha;       // above the em
  }
}

TBytes JpegFile(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(picture.save(&buffer, "JPG", 95));
  return TBytes(bytes.begin(), bytes.end());
}

TEST(Render, JpegBitmapsWithDoubledOrErroneousMarkersAndAlpha) {
  QImage picture(20, 20, QImage::Format_RGB32);
  picture.fill(QColor(200, 40, 40));
  const TBytes jpeg = JpegFile(picture);
  ASSERT_GT(jpeg.size(), 4u);
  struct Case {
    const char* what;
    uint16_t code;
    TBytes prefix, suffix;
    bool alpha;
  };
  const Case cases[] = {{"JPEG2 doubled", 21, {0xFF, 0xD8}, {0xFF, 0xD9}, false},
                        {"JPEG2 erroneous header", 21, {0xFF, 0xD9, 0xFF, 0xD8}, {}, false},
                        {"JPEG3 with alpha", 35, {0xFF, 0xD8}, {0xFF, 0xD9}, true}};
  for (const Case& c : cases) {
    TMovieBuilder m(100, 100);
    TBitWriter body;
    body.Word(1);
    TBytes data = c.prefix;
    data.insert(data.end(), jpeg.begin(), jpeg.end());
    data.insert(data.end(), c.suffix.begin(), c.suffix.end());
    if (c.code == 35) body.DWord(static_cast<uint32_t>(data.size()));
    body.Append(data);
    if (c.alpha) body.Append(Deflate(TBytes(20 * 20, 128)));
    m.Tag(c.code, body.Data());
    TShapeBuilder s;
    s.Style(-1, s.BitmapFill(0x41, 1, 20, 20, 0, 0), -1);
    s.Rectangle(0, 0, 400, 400);
    m.Shape(2, s, 0, 400, 0, 400);
    m.Place(1, 2);
    m.ShowFrame();
    TFlashPlayer player;
    player.LoadMovie(m.Bytes());
    EXPECT_TRUE(player.Warnings().empty()) << c.what << ": " << player.Warnings().front();
    const QImage image = player.RenderImage(100, 100).convertToFormat(QImage::Format_RGB32);
    const TRgb expected = c.alpha ? TRgb{227, 147, 147} : TRgb{200, 40, 40};
    EXPECT_TRUE(Near(Pixel(image, 10, 10), expected, 6)) << c.what;
    EXPECT_TRUE(Near(Pixel(image, 30, 30), kWhite)) << c.what;
  }
}

TEST(Render, BackgroundColourComesFromSetBackgroundColor) {
  TMovieBuilder m(10, 10);
  m.Background(0x336699);
  m.ShowFrame();
  EXPECT_TRUE(Near(Pixel(RenderBytes(m.Bytes(), 10, 10), 5, 5), {0x33, 0x66, 0x99}));
  TMovieBuilder plain(10, 10);
  plain.ShowFrame();
  EXPECT_TRUE(Near(Pixel(RenderBytes(plain.Bytes(), 10, 10), 5, 5), kWhite));
}

}  // namespace
}  // namespace tessaly::player::test
