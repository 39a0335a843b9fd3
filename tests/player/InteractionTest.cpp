#include "player/ActionTestUtil.h"
#include "player/PlayerTestUtil.h"

#include <gmock/gmock.h>

namespace tessaly::player::test {
namespace {

using ::testing::Optional;

// A 100 x 50 movie with one button "but1" at depth 2: its up state a red
// square 20..40 px, its down state the same square in blue.
TBytes ButtonMovie(const std::vector<TCondActions>& conds, const TBytes& frameActions = {}) {
  TMovieBuilder m(100, 50, 12, 6);
  TShapeBuilder red, blue;
  red.Style(-1, red.SolidFill(0xFF0000FF), -1);
  red.Rectangle(400, 400, 800, 800);
  blue.Style(-1, blue.SolidFill(0x0000FFFF), -1);
  blue.Rectangle(400, 400, 800, 800);
  m.Shape(1, red, 400, 800, 400, 800);
  m.Shape(2, blue, 400, 800, 400, 800);
  m.Tag(34, Button2Body(3, {{bsUp | bsOver | bsHitTest, 1, 1}, {bsDown, 2, 1}}, conds));
  m.Place(2, 3, 0, 0, "but1");
  if (!frameActions.empty()) m.DoAction(frameActions);
  m.ShowFrame();
  return m.Bytes();
}

// What the editing preview attaches to every item: pressing starts a drag
// and names the item in "CurrentObj", releasing ends the drag.
const TBytes kPressActions = Join({Push({PStr("but1")}), Action(0x1C), Push({PStr("CurrentObj"), PStr("but1")}),
                                   Action(0x1D), Action(0x27)});
const TBytes kReleaseActions = Action(0x28);

TRgb At(TFlashPlayer& player, int x, int y) {
  return Pixel(player.RenderImage(100, 50).convertToFormat(QImage::Format_RGB32), x, y);
}

TEST(Interaction, PressAndReleaseRunConditionActionsAndShowStates) {
  TFlashPlayer player;
  player.LoadMovie(ButtonMovie({{kOnPress, SetVar("pressed", PInt(1))},
                                {kOnRelease, ActionGetUrl("http://example.com/", "_blank")}}));
  std::vector<std::string> urls;
  player.onGetUrl = [&](const std::string& url, const std::string&) { urls.push_back(url); };
  // At each release, how many URLs the movie had asked for: it handles the
  // release before the host hears of it.
  std::vector<size_t> urlsAtRelease;
  player.onMouseReleased = [&] { urlsAtRelease.push_back(urls.size()); };
  EXPECT_TRUE(Near(At(player, 30, 30), {255, 0, 0}));
  player.MouseDown(5, 5);  // outside
  player.MouseUp(5, 5);
  EXPECT_EQ(player.GetVariable("pressed"), std::nullopt);
  player.MouseDown(30, 30);
  EXPECT_THAT(player.GetVariable("pressed"), Optional(std::string("1")));
  EXPECT_TRUE(Near(At(player, 30, 30), {0, 0, 255}));
  player.MouseUp(30, 30);
  EXPECT_THAT(urls, ::testing::ElementsAre("http://example.com/"));
  EXPECT_TRUE(Near(At(player, 30, 30), {255, 0, 0}));
  EXPECT_THAT(urlsAtRelease, ::testing::ElementsAre(0u, 1u));
}

TEST(Interaction, RollOverRollOutAndReleaseOutside) {
  TFlashPlayer player;
  player.LoadMovie(ButtonMovie({{kOnRollOver, Join({Push({PStr("over"), PStr("over")}), Action(0x1C), Action(0x50),
                                                    Action(0x1D)})},
                                {kOnRollOut, SetVar("out", PInt(1))},
                                {kOnReleaseOutside, SetVar("outside", PInt(1))},
                                {kOnRelease, Join({Push({PStr("released"), PStr("released")}), Action(0x1C),
                                                   Action(0x50), Action(0x1D)})}}));
  player.MouseMove(30, 30);
  EXPECT_THAT(player.GetVariable("over"), Optional(std::string("1")));
  player.MouseDown(30, 30);
  player.MouseUp(30, 30);
  EXPECT_THAT(player.GetVariable("over"), Optional(std::string("1"))) << "no second roll-over after a click";
  EXPECT_THAT(player.GetVariable("released"), Optional(std::string("1")));
  player.MouseMove(80, 30);
  EXPECT_TRUE(player.GetVariable("out").has_value());
  player.MouseDown(30, 30);
  player.MouseMove(80, 30);
  player.MouseUp(80, 30);
  EXPECT_TRUE(player.GetVariable("outside").has_value());
  EXPECT_THAT(player.GetVariable("released"), Optional(std::string("1")));
}

TEST(Interaction, OverButtonAnswersForButtonsThatFollowTheMouse) {
  TFlashPlayer player;
  player.LoadMovie(ButtonMovie({{kOnRollOver, Join({Push({PStr("over"), PStr("over")}), Action(0x1C), Action(0x50),
                                                    Action(0x1D)})}}));
  EXPECT_FALSE(player.OverButton());
  struct Step {
    const char* what;
    char mouse;  // 'm' move, 'd' down, 'u' up
    double x, y;
    bool overButton;
    const char* rollOvers;  // checked when set
  };
  const Step steps[] = {
      {"on the background", 'm', 5, 5, false, nullptr},
      {"onto the button", 'm', 30, 30, true, "1"},
      {"off it", 'm', 80, 30, false, "1"},
      {"pressed on the background", 'd', 5, 5, false, "1"},
      {"held onto the button", 'm', 30, 30, false, "1"},
      {"released on it", 'u', 30, 30, true, nullptr},
      {"pressed on the button", 'd', 30, 30, true, nullptr},
      {"held off it", 'm', 80, 30, false, nullptr},
      {"held back onto it", 'm', 30, 30, true, nullptr},
      {"released", 'u', 30, 30, true, nullptr},
  };
  for (const Step& step : steps) {
    if (step.mouse == 'm')
      player.MouseMove(step.x, step.y);
    else if (step.mouse == 'd')
      player.MouseDown(step.x, step.y);
    else
      player.MouseUp(step.x, step.y);
    EXPECT_EQ(player.OverButton(), step.overButton) << step.what;
    if (step.rollOvers) {
      EXPECT_THAT(player.GetVariable("over"), Optional(std::string(step.rollOvers))) << step.what;
    }
  }
}

TEST(Interaction, LinesAreHitAlongTheirStrokeWithOrWithoutFills) {
  // Shapes in twips on a 100 x 100 movie; their button has them as every
  // state, hit area included, and is placed at the origin scaled.
  TShapeBuilder diagonal;
  diagonal.Style(-1, -1, diagonal.LineStyle(40, 0x000000FF));
  diagonal.MoveTo(400, 400);
  diagonal.LineTo(1600, 1600);
  TShapeBuilder bordered;  // fill 20..40 px, border 10 px wide
  bordered.Style(-1, bordered.SolidFill(0xFF0000FF), bordered.LineStyle(200, 0x000000FF));
  bordered.Rectangle(400, 400, 800, 800);
  TShapeBuilder hairline;  // drawn, and hit, one pixel wide
  hairline.Style(-1, -1, hairline.LineStyle(0, 0x000000FF));
  hairline.MoveTo(400, 1200);
  hairline.LineTo(1600, 1200);
  TShapeBuilder curve;  // from (20, 80) bent towards (20, 20) to (80, 20) px
  curve.Style(-1, -1, curve.LineStyle(40, 0x000000FF));
  curve.MoveTo(400, 1600);
  curve.CurveTo(400, 400, 1600, 400);
  struct Case {
    const char* what;
    const TShapeBuilder& shape;
    double scale;
    double x, y;
    bool hit;
  };
  const Case cases[] = {
      {"diagonal, on the line", diagonal, 1, 50, 50, true},
      {"diagonal, beside it within half its width", diagonal, 1, 50.6, 50, true},
      {"diagonal, a corner of its box", diagonal, 1, 25, 75, false},
      {"diagonal, the other corner", diagonal, 1, 78, 22, false},
      {"bordered, the fill", bordered, 1, 30, 30, true},
      {"bordered, the outer half of the border", bordered, 1, 43, 30, true},
      {"bordered, beyond the border", bordered, 1, 47, 30, false},
      {"hairline, on it", hairline, 1, 50, 60.3, true},
      {"hairline, a pixel off", hairline, 1, 50, 61, false},
      {"hairline shrunk to a quarter, still a pixel wide", hairline, 0.25, 12, 15.4, true},
      {"hairline shrunk to a quarter, a pixel off", hairline, 0.25, 12, 16, false},
      {"curve, its middle", curve, 1, 35, 35, true},
      {"curve, near its end", curve, 1, 79, 20, true},
      {"curve, its control point", curve, 1, 20, 20, false},
      {"curve, inside its bend", curve, 1, 50, 50, false},
  };
  for (const Case& c : cases) {
    TMovieBuilder m(100, 100, 12, 6);
    m.Shape(1, c.shape, 0, 2000, 0, 2000);
    m.Tag(34, Button2Body(2, {{bsUp | bsOver | bsDown | bsHitTest, 1, 1}}, {}));
    TBitWriter place;
    place.Byte(0x02 | 0x04);
    place.Word(1);
    place.Word(2);
    place.Matrix(c.scale, c.scale, 0, 0, 0, 0);
    m.Tag(26, place.Data());
    m.ShowFrame();
    TFlashPlayer player;
    player.LoadMovie(m.Bytes());
    player.MouseMove(c.x, c.y);
    EXPECT_EQ(player.OverButton(), c.hit) << c.what;
  }
}

TEST(Interaction, EditingPreviewDragMovesTheInstanceAndNamesIt) {
  TFlashPlayer player;
  player.SetLoop(false);
  player.LoadMovie(ButtonMovie({{kOnPress, kPressActions}, {kOnRelease, kReleaseActions}}, ActionStop()));
  std::optional<std::string> nameAtRelease;
  player.onMouseReleased = [&] { nameAtRelease = player.GetVariable("CurrentObj"); };
  player.MouseDown(30, 30);
  player.MouseMove(50, 32);
  player.MouseMove(70, 35);
  player.MouseUp(70, 35);
  EXPECT_THAT(nameAtRelease, Optional(std::string("but1")));
  EXPECT_THAT(player.TGetProperty("but1", 0), Optional(std::string("40")));
  EXPECT_THAT(player.TGetProperty("but1", 1), Optional(std::string("5")));
  EXPECT_TRUE(Near(At(player, 70, 35), {255, 0, 0}));
  EXPECT_TRUE(Near(At(player, 30, 30), kWhite));
  // After the release the instance no longer follows the mouse.
  player.MouseMove(10, 10);
  player.Tick();
  EXPECT_THAT(player.TGetProperty("but1", 0), Optional(std::string("40")));
}

TEST(Interaction, StartDragWithLockedCentreAndConstraint) {
  // In frame 1: startDrag("but1", true, 0, 0, 30, 20).
  TFlashPlayer player;
  player.LoadMovie(ButtonMovie({}, Join({Push({PInt(0), PInt(0), PInt(30), PInt(20), PBool(true), PBool(true),
                                               PStr("but1")}),
                                         Action(0x27)})));
  player.MouseMove(12, 7);
  EXPECT_THAT(player.TGetProperty("but1", 0), Optional(std::string("12")));
  EXPECT_THAT(player.TGetProperty("but1", 1), Optional(std::string("7")));
  player.MouseMove(90, 45);
  EXPECT_THAT(player.TGetProperty("but1", 0), Optional(std::string("30")));
  EXPECT_THAT(player.TGetProperty("but1", 1), Optional(std::string("20")));
}

TEST(Interaction, PropertiesAsTextAndSettingThem) {
  TFlashPlayer player;
  player.LoadMovie(ButtonMovie({}));
  struct Case {
    int index;
    std::string text;
  };
  const Case cases[] = {{0, "0"},   {1, "0"},   {2, "100"}, {3, "100"},     {4, "1"},     {5, "1"},     {6, "100"},
                        {7, "1"},   {8, "20"},  {9, "20"},  {10, "0"},      {11, "/but1"}, {12, "1"},    {13, "but1"}};
  for (const Case& c : cases) EXPECT_THAT(player.TGetProperty("but1", c.index), Optional(c.text)) << c.index;
  EXPECT_TRUE(player.TSetProperty("but1", 0, "40.05"));
  EXPECT_TRUE(player.TSetProperty("but1", 1, "-3.5"));
  EXPECT_THAT(player.TGetProperty("but1", 0), Optional(std::string("40.05")));
  EXPECT_THAT(player.TGetProperty("but1", 1), Optional(std::string("-3.5")));
  EXPECT_TRUE(Near(At(player, 65, 20), {255, 0, 0}));
  EXPECT_TRUE(player.TSetProperty("but1", 2, "200"));
  EXPECT_THAT(player.TGetProperty("but1", 8), Optional(std::string("40")));
  EXPECT_EQ(player.TGetProperty("nothing", 0), std::nullopt);
  EXPECT_EQ(player.TGetProperty("but1", 99), std::nullopt);
  EXPECT_FALSE(player.TSetProperty("nothing", 0, "1"));
  EXPECT_FALSE(player.TSetProperty("but1", 0, "abc"));
  EXPECT_FALSE(player.TSetProperty("but1", 11, "x"));
  EXPECT_FALSE(player.TSetProperty("but1", 13, std::string(kMaxNameBytes + 1, 'n')));
}

TEST(Interaction, ViewPointsMapToMovieCoordinates) {
  TFlashPlayer player;
  player.LoadMovie(ButtonMovie({}));
  double x, y;
  player.ToMovie(300, 100, 150, 50, x, y);  // twice as large, centred with 50 px margins
  EXPECT_DOUBLE_EQ(x, 50);
  EXPECT_DOUBLE_EQ(y, 25);
}

}  // namespace
}  // namespace tessaly::player::test
