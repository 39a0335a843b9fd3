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
