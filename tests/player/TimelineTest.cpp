#include "player/PlayerTestUtil.h"

#include <gmock/gmock.h>

namespace tessaly::player::test {
namespace {

constexpr TRgb kRedPx{255, 0, 0};
constexpr TRgb kBluePx{0, 0, 255};

// Shape 1: a red 10 x 10 px square at the origin; shape 2: the same in blue.
void DefineSquares(TMovieBuilder& m) {
  TShapeBuilder red, blue;
  red.Style(-1, red.SolidFill(0xFF0000FF), -1);
  red.Rectangle(0, 0, 200, 200);
  blue.Style(-1, blue.SolidFill(0x0000FFFF), -1);
  blue.Rectangle(0, 0, 200, 200);
  m.Shape(1, red, 0, 200, 0, 200);
  m.Shape(2, blue, 0, 200, 0, 200);
}

// PlaceObject2 bodies: a move to a new translation, a character replaced.
TBytes MoveBody(uint16_t depth, int32_t tx, int32_t ty) {
  TBitWriter w;
  w.Byte(0x01 | 0x04);
  w.Word(depth);
  w.Translate(tx, ty);
  return w.Data();
}

TBytes ReplaceBody(uint16_t depth, uint16_t id) {
  TBitWriter w;
  w.Byte(0x01 | 0x02);
  w.Word(depth);
  w.Word(id);
  return w.Data();
}

// Three frames: the square at x = 0, 20 and 40 px.
TBytes MovingSquare(const TBytes& lastFrameActions = {}) {
  TMovieBuilder m(100, 20, 24);
  DefineSquares(m);
  m.Place(1, 1);
  m.ShowFrame();
  m.Tag(26, MoveBody(1, 400, 0));
  m.ShowFrame();
  m.Tag(26, MoveBody(1, 800, 0));
  if (!lastFrameActions.empty()) m.DoAction(lastFrameActions);
  m.ShowFrame();
  return m.Bytes();
}

int SquareX(TFlashPlayer& player) {
  const QImage image = player.RenderImage(100, 20).convertToFormat(QImage::Format_RGB32);
  for (int x = 0; x < 100; x += 10)
    if (Near(Pixel(image, x + 5, 5), kRedPx)) return x;
  return -1;
}

TEST(Timeline, FramesMoveTheSquareAndTheRateIsRead) {
  TFlashPlayer player;
  player.LoadMovie(MovingSquare());
  EXPECT_EQ(player.FrameCount(), 3);
  EXPECT_DOUBLE_EQ(player.FrameRate(), 24);
  EXPECT_EQ(player.CurrentFrame(), 1);
  EXPECT_EQ(SquareX(player), 0);
  player.Tick();
  EXPECT_EQ(SquareX(player), 20);
  player.Tick();
  EXPECT_EQ(SquareX(player), 40);
}

TEST(Timeline, MainTimelineLoopsOrStopsAtItsLastFrame) {
  struct Case {
    bool loop;
    int frameAfterFourTicks;
    bool playing;
  };
  for (const Case c : {Case{true, 2, true}, Case{false, 3, false}}) {
    TFlashPlayer player;
    player.SetLoop(c.loop);
    player.LoadMovie(MovingSquare());
    for (int i = 0; i < 4; ++i) player.Tick();
    EXPECT_EQ(player.CurrentFrame(), c.frameAfterFourTicks) << c.loop;
    EXPECT_EQ(player.IsPlaying(), c.playing) << c.loop;
    EXPECT_EQ(SquareX(player), (c.frameAfterFourTicks - 1) * 20) << c.loop;
  }
}

TEST(Timeline, StopActionStopsTheMainTimeline) {
  TFlashPlayer player;
  player.LoadMovie(MovingSquare(ActionStop()));
  for (int i = 0; i < 5; ++i) player.Tick();
  EXPECT_EQ(player.CurrentFrame(), 3);
  EXPECT_FALSE(player.IsPlaying());
  player.Play();
  player.Tick();
  EXPECT_EQ(player.CurrentFrame(), 1);
  EXPECT_EQ(SquareX(player), 0);
}

TEST(Timeline, GotoFrameBackwardsRebuildsTheDisplayList) {
  TFlashPlayer player;
  player.LoadMovie(MovingSquare());
  player.Tick();
  player.Tick();
  player.GotoFrame(2);
  EXPECT_EQ(player.CurrentFrame(), 2);
  EXPECT_EQ(SquareX(player), 20);
  player.GotoFrame(1);
  EXPECT_EQ(SquareX(player), 0);
}

TEST(Timeline, SpriteInstancesPlayTheirOwnLoopingTimeline) {
  TMovieBuilder m(20, 20);
  DefineSquares(m);
  // The sprite shows red, then blue (replacing the character), then loops.
  const TBytes place = [] {
    TBitWriter w;
    w.Byte(0x02);
    w.Word(1);
    w.Word(1);
    return TagBytes(26, w.Data());
  }();
  m.Tag(39, SpriteBody(3, 2, Join({place, TagBytes(1, {}), TagBytes(26, ReplaceBody(1, 2)), TagBytes(1, {})})));
  m.Place(1, 3);
  m.ShowFrame();
  TFlashPlayer player;
  player.SetLoop(false);
  player.LoadMovie(m.Bytes());
  const TRgb expected[] = {kRedPx, kBluePx, kRedPx, kBluePx};
  for (const TRgb& colour : expected) {
    const QImage image = player.RenderImage(20, 20).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(Near(Pixel(image, 5, 5), colour));
    player.Tick();
  }
  EXPECT_EQ(player.CurrentFrame(), 1);
}

TEST(Timeline, MoveKeepsTheInstanceAndReplaceKeepsItsMatrix) {
  TMovieBuilder m(100, 20);
  DefineSquares(m);
  m.Place(1, 1, 400, 0);
  m.ShowFrame();
  m.Tag(26, ReplaceBody(1, 2));
  m.ShowFrame();
  m.Remove(1);
  m.ShowFrame();
  TFlashPlayer player;
  player.LoadMovie(m.Bytes());
  player.Tick();
  QImage image = player.RenderImage(100, 20).convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(Near(Pixel(image, 25, 5), kBluePx));
  EXPECT_TRUE(Near(Pixel(image, 5, 5), kWhite));
  player.Tick();
  image = player.RenderImage(100, 20).convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(Near(Pixel(image, 25, 5), kWhite));
}

TEST(Timeline, ButtonShowsItsUpState) {
  TMovieBuilder m(20, 20);
  DefineSquares(m);
  TBitWriter b;
  b.Word(3);
  b.Byte(0);
  b.Word(0);  // no condition actions
  b.Byte(bsUp);
  b.Word(1);
  b.Word(1);
  b.Translate(0, 0);
  b.Byte(0);
  b.Byte(bsOver | bsDown | bsHitTest);
  b.Word(2);
  b.Word(2);
  b.Translate(0, 0);
  b.Byte(0);
  b.Byte(0);
  m.Tag(34, b.Data());
  m.Place(2, 3, 0, 0, "but1");
  m.ShowFrame();
  const QImage image = RenderBytes(m.Bytes(), 20, 20);
  EXPECT_TRUE(Near(Pixel(image, 5, 5), kRedPx));
}

TEST(Timeline, GetUrlInAFrameReachesTheHost) {
  TMovieBuilder m(20, 20);
  m.DoAction(ActionGetUrl("http://example.com/", "_blank"));
  m.ShowFrame();
  TFlashPlayer player;
  std::vector<std::pair<std::string, std::string>> calls;
  player.onGetUrl = [&](const std::string& url, const std::string& target) { calls.emplace_back(url, target); };
  player.LoadMovie(m.Bytes());
  EXPECT_THAT(calls, ::testing::ElementsAre(std::make_pair(std::string("http://example.com/"),
                                                           std::string("_blank"))));
}

}  // namespace
}  // namespace tessaly::player::test
