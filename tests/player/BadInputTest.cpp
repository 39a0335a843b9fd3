#include "player/PlayerTestUtil.h"
#include "player/Renderer.h"
#include "player/SwfBitmapReader.h"
#include "player/SwfShapeReader.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <random>

namespace tessaly::player::test {
namespace {

// A movie with one of most kinds of record, for cutting and spoiling.
TBytes RichMovie() {
  TMovieBuilder m(50, 40);
  m.Background(0x808080);
  m.Tag(20, LosslessBody(1, 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000}, false));
  m.Tag(36, LosslessPaletteBody(2, 3, 1, {0xFF102030, 0x00000000}, {0, 1, 0}, true));
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(0xFF000080), s.LineStyle(40, 0x00FF00FF));
  s.Ellipse(500, 400, 300, 200);
  s.Style(-1, s.Gradient(true, 0.05, 0.05, 500, 400, {{0, 0xFFFFFFFF}, {255, 0x000000FF}}), -1);
  s.Rectangle(0, 0, 300, 300);
  s.Style(-1, s.BitmapFill(0x40, 1, 20, 20, 0, 0), -1);
  s.Rectangle(600, 0, 900, 300);
  m.Shape(3, s, 0, 1000, 0, 800);
  TBitWriter place;
  place.Byte(0x02);
  place.Word(1);
  place.Word(3);
  m.Tag(39, SpriteBody(4, 2, Join({TagBytes(26, place.Data()), TagBytes(1, {}), TagBytes(1, {})})));
  m.Place(1, 4, 100, 100, "sprite");
  m.Place(2, 3, -200, 0);
  m.DoAction(Join({ActionGotoFrame(0), ActionPlay()}));
  m.ShowFrame();
  m.Remove(2);
  m.ShowFrame();
  return m.Bytes();
}

// Loads and draws a frame or two; any failure must be a TSwfReadError.
void LoadAndDraw(const TBytes& bytes) {
  TFlashPlayer player;
  try {
    player.LoadMovie(bytes);
  } catch (const TSwfReadError&) {
    return;
  }
  player.RenderImage(50, 40);
  player.Tick();
  player.RenderImage(30, 60);
}

TEST(BadInput, EveryTruncationLoadsOrIsRefused) {
  for (bool compressed : {false, true}) {
    TBytes whole = RichMovie();
    if (compressed) {
      TBytes rest(whole.begin() + 8, whole.end());
      const TBytes z = Deflate(rest);
      whole.resize(8);
      whole[0] = 'C';
      whole.insert(whole.end(), z.begin(), z.end());
    }
    for (size_t n = 0; n <= whole.size(); ++n) LoadAndDraw(TBytes(whole.begin(), whole.begin() + n));
  }
}

TEST(BadInput, SpoiledBytesNeverCrash) {
  const TBytes movie = RichMovie();
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    TBytes spoiled = movie;
    const int changes = 1 + round % 4;
    for (int i = 0; i < changes; ++i) {
      const size_t at = 8 + random() % (spoiled.size() - 8);
      spoiled[at] = static_cast<uint8_t>(random());
    }
    LoadAndDraw(spoiled);
  }
}

TEST(BadInput, NotAMovieIsRefusedWithAReason) {
  struct Case {
    TBytes bytes;
    const char* reason;
  };
  const Case cases[] = {{{}, "too short"},
                        {{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, "signature"},
                        {{'F', 'W', 'S', 6, 9, 0, 0, 0}, "header is truncated"},
                        {{'C', 'W', 'S', 6, 100, 0, 0, 0, 1, 2, 3}, "corrupt"}};
  for (const Case& c : cases) {
    TFlashPlayer player;
    try {
      player.LoadMovie(c.bytes);
      ADD_FAILURE() << c.reason;
    } catch (const TSwfReadError& e) {
      EXPECT_THAT(e.what(), ::testing::HasSubstr(c.reason));
    }
  }
}

TEST(BadInput, ZlibBombsAndHugeSizesAreRefused) {
  // Declares a gigabyte.
  TBytes declared = {'C', 'W', 'S', 6, 0, 0, 0, 0x40};
  const TBytes z = Deflate(TBytes(100, 0));
  declared.insert(declared.end(), z.begin(), z.end());
  EXPECT_THROW(ReadMovie(declared), TSwfReadError);
  // Declares little but inflates past the limit.
  TBytes bomb = {'C', 'W', 'S', 6, 100, 0, 0, 0};
  const TBytes big = Deflate(TBytes(kMaxMovieBytes + 1000, 0), 1);
  bomb.insert(bomb.end(), big.begin(), big.end());
  try {
    ReadMovie(bomb);
    ADD_FAILURE() << "the bomb was read";
  } catch (const TSwfReadError& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("inflates to more than 64 MB"));
  }
  // A stage of 100000 x 100000 pixels.
  TMovieBuilder huge(100000, 100000);
  huge.ShowFrame();
  try {
    ReadMovie(huge.Bytes());
    ADD_FAILURE() << "the huge stage was read";
  } catch (const TSwfReadError& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("too large"));
  }
  // A bitmap of 60000 x 60000 pixels is left out with a warning.
  TMovieBuilder m(10, 10);
  TBitWriter bitmap;
  bitmap.Word(1);
  bitmap.Byte(5);
  bitmap.Word(60000);
  bitmap.Word(60000);
  bitmap.Append(Deflate(TBytes(1000, 0)));
  m.Tag(20, bitmap.Data());
  m.ShowFrame();
  const auto movie = ReadMovie(m.Bytes());
  EXPECT_EQ(movie->Find(1), nullptr);
  EXPECT_THAT(movie->warnings, ::testing::Contains(::testing::HasSubstr("refused")));
}

TEST(BadInput, SelfPlacingSpritesNestedDefinitionsAndDeepChainsAreBounded) {
  TMovieBuilder m(10, 10);
  auto placeBody = [](uint16_t id) {
    TBitWriter place;
    place.Byte(0x02);
    place.Word(1);
    place.Word(id);
    return TagBytes(26, place.Data());
  };
  // Sprite 1 holds a sprite definition and places itself.
  const TBytes nested = TagBytes(39, SpriteBody(2, 1, TagBytes(1, {})));
  m.Tag(39, SpriteBody(1, 1, Join({nested, placeBody(1), TagBytes(1, {})})));
  // Sprites 10 to 89 each place the one before: 80 levels.
  m.Tag(39, SpriteBody(10, 1, TagBytes(1, {})));
  for (uint16_t id = 11; id < 90; ++id) m.Tag(39, SpriteBody(id, 1, Join({placeBody(id - 1), TagBytes(1, {})})));
  m.Place(1, 1);
  m.Place(2, 89);
  m.ShowFrame();
  TFlashPlayer player;
  player.LoadMovie(m.Bytes());
  player.RenderImage(10, 10);
  player.Tick();
  EXPECT_EQ(player.Movie()->Find(2), nullptr);
  EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr("inside a sprite")));
  EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr("placed before it is defined")));
  EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr("nest deeper")));
}

TEST(BadInput, SelfShowingButtonsAndFanningSpritesAreBounded) {
  TMovieBuilder m(10, 10);
  // A button whose eight records all show the button itself.
  TBitWriter button;
  button.Word(1);
  button.Byte(0);
  button.Word(0);
  for (uint16_t i = 0; i < 8; ++i) {
    button.Byte(bsUp);
    button.Word(1);
    button.Word(i);
    button.Translate(0, 0);
    button.Byte(0);
  }
  button.Byte(0);
  m.Tag(34, button.Data());
  // Sprites 10 to 19 each place the one before eight times: 8^10 instances.
  m.Tag(39, SpriteBody(10, 1, TagBytes(1, {})));
  for (uint16_t id = 11; id < 20; ++id) {
    TBytes tags;
    for (uint16_t depth = 1; depth <= 8; ++depth) {
      TBitWriter place;
      place.Byte(0x02);
      place.Word(depth);
      place.Word(id - 1);
      tags = Join({tags, TagBytes(26, place.Data())});
    }
    m.Tag(39, SpriteBody(id, 1, Join({tags, TagBytes(1, {})})));
  }
  m.Place(1, 1);
  m.Place(2, 19);
  m.ShowFrame();
  TFlashPlayer player;
  player.LoadMovie(m.Bytes());
  player.RenderImage(10, 10);
  EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr("not defined before it")));
  EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr("in one frame")));
}

TEST(BadInput, UndefinedCharactersAreIgnoredWithAWarning) {
  TMovieBuilder m(10, 10);
  m.Place(1, 99);
  m.ShowFrame();
  TFlashPlayer player;
  player.LoadMovie(m.Bytes());
  EXPECT_TRUE(Near(Pixel(player.RenderImage(10, 10).convertToFormat(QImage::Format_RGB32), 5, 5), kWhite));
  EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr("undefined character 99")));
}

TEST(BadInput, LyingCountsAndLengthsEndTheirRecords) {
  TMovieBuilder m(10, 10);
  // A shape claiming 65535 fill styles with three bytes of data.
  m.Tag(32, {1, 0, 0, 0xFF, 0xFF, 0xFF, 0x00});
  // A tag whose length runs past the end.
  m.Tag(2, {2, 0});
  TBytes bytes = m.Bytes();
  bytes.insert(bytes.end() - 2, {0xBF, 0x00, 0xFF, 0xFF, 0xFF, 0x7F});
  TFlashPlayer player;
  player.LoadMovie(bytes);
  EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr("runs past the end")));
  player.RenderImage(10, 10);
}

// A DefineShape3 body with 65535 solid fill styles, all blue but 32767 (the
// highest that 15 index bits reach), red: a red square 10..50 px drawn with
// that style, then `edges` short edges back and forth drawn with the first.
TBytes ManyStylesShape(uint16_t id, int edges) {
  TBitWriter w;
  w.Word(id);
  w.Rect(0, 2000, 0, 2000);
  w.Byte(0xFF);
  w.Word(0xFFFF);
  for (int i = 1; i <= 0xFFFF; ++i) {
    w.Byte(0x00);
    w.Rgba(i == 0x7FFF ? 0xFF0000FF : 0x0000FFFF);
  }
  w.Byte(0);  // no line styles
  w.Bits(15, 4);
  w.Bits(0, 4);
  auto moveWithFill1 = [&](int32_t x, int32_t y, uint32_t fill1) {
    w.Bits(0, 1);
    w.Bits(0x05, 5);  // fill1 and move
    const unsigned n = SignedBits({x, y});
    w.Bits(n, 5);
    w.Signed(x, n);
    w.Signed(y, n);
    w.Bits(fill1, 15);
  };
  auto line = [&](int32_t dx, int32_t dy) {
    const unsigned n = std::max(2u, SignedBits({dx, dy}));
    w.Bits(3, 2);  // edge, straight
    w.Bits(n - 2, 4);
    w.Bits(0, 1);              // horizontal or vertical
    w.Bits(dx == 0 ? 1 : 0, 1);
    w.Signed(dx == 0 ? dy : dx, n);
  };
  moveWithFill1(200, 200, 0x7FFF);
  line(800, 0);
  line(0, 800);
  line(-800, 0);
  line(0, -800);
  moveWithFill1(1100, 100, 1);
  for (int i = 0; i < edges; ++i) line(i % 2 ? -2 : 2, 0);
  w.Bits(0, 6);
  w.Align();
  return w.Data();
}

TEST(BadInput, ManyFillStylesAndManyEdgesDoNotMultiply) {
  // Gathering each style's edges by scanning all edges would take
  // 65535 x 200000 steps here.
  TMovieBuilder m(60, 60);
  m.Tag(32, ManyStylesShape(1, 200000));
  m.Place(1, 1);
  m.ShowFrame();
  TFlashPlayer player;
  player.LoadMovie(m.Bytes());
  const QImage image = player.RenderImage(60, 60).convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(Near(Pixel(image, 30, 30), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(image, 5, 30), kWhite));
  EXPECT_THAT(player.Warnings(), ::testing::IsEmpty());
}

// A DefineText body placing glyph 0 of font 2 `count` times at 1024 units.
TBytes RepeatedGlyphText(uint16_t id, int count) {
  TBitWriter t;
  t.Word(id);
  t.Rect(0, 2000, 0, 2000);
  t.Translate(0, 0);
  t.Byte(1);  // glyph index bits
  t.Byte(1);  // advance bits
  for (int left = count, first = 1; left > 0; first = 0) {
    const int n = std::min(left, 255);
    t.Byte(first ? 0x8C : 0x80);  // a text record; the first sets font and colour
    if (first) {
      t.Word(2);
      t.Rgb(0x000000);
      t.Word(1024);
    }
    t.Byte(static_cast<uint8_t>(n));
    for (int k = 0; k < n; ++k) t.Bits(0, 2);
    t.Align();
    left -= n;
  }
  t.Byte(0);
  return t.Data();
}

TEST(BadInput, OutlinesPastTheirBudgetsAreLeftOutWithAWarning) {
  TMovieBuilder m(60, 60);
  // Shape 1: a red square, then more records than a shape may hold.
  TShapeBuilder shape;
  shape.Style(-1, shape.SolidFill(0xFF0000FF), -1);
  shape.Rectangle(200, 200, 1000, 1000);
  shape.Style(0, 0, -1);
  for (size_t i = 0; i <= kMaxShapeRecords; ++i) shape.LineTo(i % 2 ? 1100 : 1104, 100);
  m.Shape(1, shape, 0, 2000, 0, 2000);
  m.Place(1, 1);
  // Font 2: a staircase glyph of 1001 edges; the offsets of its 1200 glyphs
  // alternate between the glyph and its end, so 600 of them read the same
  // bytes: more records than a font may hold.
  TShapeBuilder glyph;
  glyph.Style(-1, 1, -1);
  glyph.MoveTo(0, 0);
  for (int i = 1; i <= 500; ++i) {
    glyph.LineTo(2 * i, 2 * (i - 1));
    glyph.LineTo(2 * i, 2 * i);
  }
  glyph.LineTo(0, 0);
  const TBytes glyphBytes = glyph.GlyphBytes();
  constexpr int kGlyphs = 1200;
  TBitWriter font;
  font.Word(2);
  for (int i = 0; i < kGlyphs; ++i) font.Word(static_cast<uint16_t>(2 * kGlyphs + (i % 2 ? glyphBytes.size() : 0)));
  font.Append(glyphBytes);
  m.Tag(10, font.Data());
  // Texts 3 and 4 repeat the glyph 900 times each: with the shape and the
  // font, more outline than a movie may hold.
  m.Tag(11, RepeatedGlyphText(3, 900));
  m.Tag(11, RepeatedGlyphText(4, 900));
  m.ShowFrame();
  TFlashPlayer player;
  player.LoadMovie(m.Bytes());
  for (const char* warning : {"shape 1 holds more edges", "font 2 holds more edges", "text 4 repeats more glyph"})
    EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr(warning)));
  EXPECT_TRUE(Near(Pixel(player.RenderImage(60, 60).convertToFormat(QImage::Format_RGB32), 30, 30), {255, 0, 0}));
  const auto* readFont = static_cast<const TFontDef*>(player.Movie()->Find(2));
  ASSERT_NE(readFont, nullptr);
  ASSERT_EQ(readFont->glyphs.size(), size_t{kGlyphs});
  EXPECT_FALSE(readFont->glyphs.front().isEmpty());
  EXPECT_TRUE(readFont->glyphs[kGlyphs - 2].isEmpty());
  const auto* text = static_cast<const TTextDef*>(player.Movie()->Find(3));
  ASSERT_NE(text, nullptr);
  ASSERT_EQ(text->runs.size(), 1u);
  EXPECT_EQ(text->runs[0].path.elementCount(), 900 * readFont->glyphs.front().elementCount());
}

TEST(BadInput, TintedCopiesOfALargeBitmapStayWithinTheirMemoryBound) {
  constexpr int kSide = 1024;  // 4 MB a copy
  constexpr int kTints = 20;   // 80 MB of copies in all
  TMovieBuilder m(50, 50);
  m.Tag(20, LosslessBody(1, kSide, kSide, std::vector<uint32_t>(kSide * kSide, 0xFF808080), false));
  TShapeBuilder s;
  s.Style(-1, s.BitmapFill(0x41, 1, 20, 20, 0, 0), -1);
  s.Rectangle(0, 0, 1000, 1000);
  m.Shape(2, s, 0, 1000, 0, 1000);
  for (int k = 0; k < kTints; ++k) {
    TBitWriter place;
    place.Byte(0x02 | 0x04 | 0x08);
    place.Word(static_cast<uint16_t>(k + 1));
    place.Word(2);
    place.Translate(0, 0);
    place.ColorTransform(256, 256, 256, 256, 5 * k, 0, 0, 0);
    m.Tag(26, place.Data());
  }
  m.ShowFrame();
  const auto movie = ReadMovie(m.Bytes());
  TDisplayList display(*movie);
  display.Start();
  TRenderer renderer(*movie);
  QImage image(50, 50, QImage::Format_ARGB32_Premultiplied);
  renderer.Render(display.Root(), image);
  EXPECT_GT(renderer.TintedBytes(), 0);
  EXPECT_LE(renderer.TintedBytes(), kMaxTintedBytes);
  // The topmost copy, made after older ones were let go, is the one shown.
  EXPECT_TRUE(Near(Pixel(image.convertToFormat(QImage::Format_RGB32), 25, 25), {128 + 5 * (kTints - 1), 128, 128}));
}

// Many large bitmaps, each allowed on its own, stop at the movie's budget:
// a small compressed movie cannot decode into gigabytes.
TEST(BadInput, BitmapsOfAMovieStopAtTheirPixelBudget) {
  constexpr int kSide = 4096;  // 16 M pixels, 64 MB decoded
  const TBytes body = LosslessBody(1, kSide, kSide, std::vector<uint32_t>(size_t{kSide} * kSide, 0xFF3060A0), false);
  TMovieBuilder m(50, 50);
  for (uint16_t id = 1; id <= 6; ++id) {
    TBytes tag = body;
    tag[0] = static_cast<uint8_t>(id);
    m.Tag(20, tag);
  }
  m.ShowFrame();
  const auto movie = ReadMovie(m.Bytes());
  const int64_t fits = kMaxMovieBitmapPixels / (int64_t{kSide} * kSide);
  for (uint16_t id = 1; id <= 6; ++id) EXPECT_EQ(movie->Find(id) != nullptr, id <= fits) << "bitmap " << id;
  EXPECT_THAT(movie->warnings, ::testing::Contains(::testing::HasSubstr("bitmap 5 is left out")));
}

}  // namespace
}  // namespace tessaly::player::test
