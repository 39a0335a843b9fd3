// The preview widget with a real (offscreen) application: it shows the
// movie "ShowAll", turns widget mouse events into movie coordinates and
// plays at the movie's rate.
#include "player/ActionTestUtil.h"
#include "shell/widgets/FlashPlayerControl.h"
#include "player/PlayerTestUtil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <gmock/gmock.h>

namespace tessaly::player::test {
namespace {

using shell::TFlashPlayerControl;

// The application lives from before the first test to after the last, and
// is gone before static destruction (Qt cannot end later than main).
class TApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[20] = "test_player_widget";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// gtest owns the environments it is given.
::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(std::make_unique<TApplicationEnvironment>().release());

TBytes DragMovie() {
  TMovieBuilder m(100, 50, 35, 6);
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(0xFF0000FF), -1);
  s.Rectangle(400, 400, 800, 800);
  m.Shape(1, s, 400, 800, 400, 800);
  const TBytes press = Join({Push({PStr("but1")}), Action(0x1C), Push({PStr("CurrentObj"), PStr("but1")}),
                             Action(0x1D), Action(0x27)});
  m.Tag(34, Button2Body(2, {{0x0F, 1, 1}}, {{kOnPress, press}, {kOnRelease, Action(0x28)}}));
  m.Place(2, 2, 0, 0, "but1");
  m.ShowFrame();
  m.ShowFrame();
  return m.Bytes();
}

void Send(QWidget& w, QEvent::Type type, QPointF at) {
  QMouseEvent e(type, at, w.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

TEST(Control, ShowsTheMovieScaledAndDragsInMovieCoordinates) {
  TFlashPlayerControl control;
  control.resize(200, 100);  // twice the movie
  control.LoadMovie(DragMovie());
  int releases = 0;
  control.Player().onMouseReleased = [&] { ++releases; };
  const QImage shown = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(Near(Pixel(shown, 60, 60), {255, 0, 0}));
  EXPECT_TRUE(Near(Pixel(shown, 30, 30), kWhite));
  Send(control, QEvent::MouseButtonPress, {60, 60});
  Send(control, QEvent::MouseMove, {100, 70});
  Send(control, QEvent::MouseButtonRelease, {100, 70});
  EXPECT_EQ(releases, 1);
  EXPECT_EQ(control.GetVariable("CurrentObj"), std::optional<std::string>("but1"));
  EXPECT_EQ(control.TGetProperty("but1", 0), std::optional<std::string>("20"));
  EXPECT_EQ(control.TGetProperty("but1", 1), std::optional<std::string>("5"));
}

TEST(Control, ShowsAPointingHandOverButtonsAndTheArrowElsewhere) {
  TFlashPlayerControl control;
  control.resize(200, 100);
  control.LoadMovie(DragMovie());
  EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);
  Send(control, QEvent::MouseMove, {60, 60});
  EXPECT_EQ(control.cursor().shape(), Qt::PointingHandCursor);
  Send(control, QEvent::MouseMove, {20, 20});
  EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);
}

TEST(Control, PlaysAtTheMovieRate) {
  TFlashPlayerControl control;
  control.resize(100, 50);
  control.SetLoop(false);
  control.LoadMovie(DragMovie());
  QElapsedTimer clock;
  clock.start();
  while (control.Player().CurrentFrame() < 2 && clock.elapsed() < 2000) QApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(control.Player().CurrentFrame(), 2);
}

}  // namespace
}  // namespace tessaly::player::test
