// The window-growth rule of the size tab: the preview panel's size for a
// banner, and how the window grows (never shrinks, never beyond the
// screen) to hold it.

#include "shell/core/WindowGrowth.h"

#include <gtest/gtest.h>

namespace tessaly::shell {
namespace {

constexpr TScreenSize Screen{1280, 1024};
constexpr int Left = 52;
constexpr QSize ScreenRoom{1280, 1024};

TEST(WindowGrowth, PanelHoldsTheBannerWithItsSpares) {
  struct Case {
    QSize banner;
    int playerLeft;
    QSize panel;
  };
  const Case cases[] = {
      {{468, 60}, Left, {550, 153}},    // lower than 98: the 153 floor
      {{88, 31}, Left, {170, 153}},
      {{120, 97}, Left, {202, 153}},
      {{120, 98}, Left, {202, 153}},    // 98 + 55
      {{120, 99}, Left, {202, 154}},
      {{160, 600}, Left, {242, 655}},
      {{728, 90}, 60, {818, 153}},      // the player's left counts
      {{1297, 250}, Left, {1379, 305}},
      {{1298, 250}, Left, {1380, 305}},  // the widest banner: screen width + 100
      {{1380, 250}, Left, {1380, 305}},  // capped
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.banner.width() << "x" << c.banner.height());
    EXPECT_EQ(PreviewPanelSize(c.banner, c.playerLeft, Screen), c.panel);
  }
  EXPECT_EQ(WidestBanner(Screen), 1380);
}

TEST(WindowGrowth, WindowGrowsOnlyWhereTheBannerDoesNotFit) {
  const QSize surround{130, 320};
  struct Case {
    const char* what;
    QSize banner;
    QSize surround;
    QSize window;
    QSize grown;
    QSize room = ScreenRoom;
  };
  const Case cases[] = {
      {"468 wide, too narrow: 704", {468, 60}, surround, {600, 400}, {704, 473}},
      {"468 wide, fits: kept", {468, 60}, surround, {800, 600}, {800, 600}},
      {"468 wide, more space around than 704 leaves", {468, 60}, {200, 320}, {600, 473}, {750, 473}},
      {"468 wide, only too low", {468, 60}, surround, {704, 300}, {704, 473}},
      {"728 x 90", {728, 90}, surround, {704, 473}, {940, 473}},
      {"160 x 600: only the height", {160, 600}, surround, {940, 473}, {940, 975}},
      {"300 x 250 fits: nothing shrinks", {300, 250}, surround, {940, 975}, {940, 975}},
      {"exactly fitting", {300, 250}, surround, {512, 625}, {512, 625}},
      {"one pixel short each way", {300, 250}, surround, {511, 624}, {512, 625}},
      {"wider than the screen: the window stops at the screen", {1380, 60}, surround, {704, 473}, {1280, 473}},
      {"wider than the screen, roomier screen: the capped panel", {1380, 60}, surround, {704, 473}, {1510, 473},
       {1600, 1200}},
      {"160 x 600, higher than the screen: the window stops at the screen", {160, 600}, {130, 437}, {940, 473},
       {940, 1024}},
      {"160 x 600 on a smaller room", {160, 600}, {130, 437}, {940, 473}, {940, 700}, {1000, 700}},
      {"exactly the screen's height", {160, 532}, {130, 437}, {940, 473}, {940, 1024}},
      {"one pixel more than the screen's height", {160, 533}, {130, 437}, {940, 473}, {940, 1024}},
      {"a window already beyond the screen is not shrunk", {160, 600}, {130, 437}, {1400, 1100}, {1400, 1100}},
      {"a 468 banner on a screen narrower than 704", {468, 60}, surround, {600, 473}, {640, 473}, {640, 480}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QSize panel = PreviewPanelSize(c.banner, Left, Screen);
    EXPECT_EQ(GrownWindowSize(panel, c.banner.width(), c.surround, c.window, c.room), c.grown);
  }
}

// The panel still asks for the whole banner when the window cannot hold it:
// the difference scrolls.
TEST(WindowGrowth, PanelAsksForTheWholeBannerBeyondTheScreen) {
  const QSize panel = PreviewPanelSize({160, 600}, Left, Screen);
  EXPECT_EQ(panel, QSize(242, 655));
  const QSize window = GrownWindowSize(panel, 160, {130, 437}, {940, 473}, ScreenRoom);
  EXPECT_LT(window.height() - 437, panel.height());
}

TEST(WindowGrowth, FrameKeptOnScreen) {
  const QRect available(0, 30, 1280, 994);  // a bar of 30 at the top
  struct Case {
    const char* what;
    QRect frame;
    QPoint kept;
  };
  const Case cases[] = {
      {"inside: stays", {100, 100, 800, 600}, {100, 100}},
      {"bottom beyond: moved up", {100, 500, 800, 600}, {100, 424}},
      {"right beyond: moved left", {700, 100, 800, 600}, {480, 100}},
      {"above the bar: moved down", {100, 0, 800, 600}, {100, 30}},
      {"exactly the available area", {0, 30, 1280, 994}, {0, 30}},
      {"larger than the area: its top left corner shows", {50, 50, 1400, 1100}, {0, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FrameKeptOnScreen(c.frame, available), c.kept);
  }
}

}  // namespace
}  // namespace tessaly::shell
