#include "player/PlayerTestUtil.h"

#include <gmock/gmock.h>

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

}  // namespace
}  // namespace tessaly::player::test
