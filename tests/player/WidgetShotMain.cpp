// tessaly-widget-shot OUT.png: the preview widget in a real window. It
// builds the reference banner's editing preview, drags item 1 forty pixels
// to the right with mouse events that enter through the window system as
// the platform's input does, reads the item's place back through the host
// calls, and saves the window's picture as the screen shows it.
//
// It needs a display: xvfb-run -a tessaly-widget-shot OUT.png
// Exit status 0 when the item moved and the picture shows it there, 1
// otherwise, 2 for wrong arguments.

#include "document/BuildPipeline.h"
#include "shell/widgets/FlashPlayerControl.h"
#include "support/ReferenceBanner.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <iostream>

namespace {

using tessaly::shell::TFlashPlayerControl;

// The preview host as the main window has it: the widget at the banner's
// size, playing once.
class TWidgetHost : public tessaly::document::TPreviewHost {
 public:
  explicit TWidgetHost(TFlashPlayerControl& control) : control_(control) {}
  void SetSize(std::int32_t width, std::int32_t height) override { control_.setFixedSize(width, height); }
  std::int32_t Width() const override { return control_.width(); }
  std::int32_t Height() const override { return control_.height(); }
  void Stop() override { control_.Stop(); }
  void LoadMovie(std::span<const std::uint8_t> bytes) override {
    control_.SetLoop(false);
    control_.LoadMovie(bytes);
  }
  void Play() override { control_.Play(); }

 private:
  TFlashPlayerControl& control_;
};

// Item 1's translucent red over the light background.
bool Reddish(QRgb c) { return qRed(c) > qGreen(c) + 80 && qRed(c) > qBlue(c) + 80; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tessaly-widget-shot OUT.png\n";
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QApplication app(argc, argv);

  tessaly::test::TReferenceBanner banner;
  TFlashPlayerControl control;
  TWidgetHost host(control);
  tessaly::document::TBuildPipeline pipeline(banner.Document, host);
  pipeline.SetTemporaryFolder(banner.Folder.Path());
  pipeline.BuildPreviewMovie();
  control.setWindowTitle("Tessaly preview");
  control.show();
  if (!QTest::qWaitForWindowExposed(&control)) {
    std::cerr << "tessaly-widget-shot: the window was not shown\n";
    return 1;
  }

  int releases = 0;
  std::string current;
  control.Player().onMouseReleased = [&] {
    ++releases;
    current = control.GetVariable("CurrentObj").value_or("");
  };
  const std::string before = control.TGetProperty("but1", 0).value_or("?");
  // The translucent rectangle stands at 8, 8, 70 x 44 pixels.
  QWindow* window = control.windowHandle();
  const QPoint from(40, 30);
  QTest::mouseMove(window, from);
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, from);
  for (int step = 1; step <= 4; ++step) QTest::mouseMove(window, from + QPoint(10 * step, 0));
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, from + QPoint(40, 0));
  const std::string x = control.TGetProperty("but1", 0).value_or("?");
  const std::string y = control.TGetProperty("but1", 1).value_or("?");

  // Let the window repaint, then take what the display shows.
  QTest::qWait(200);
  QImage shot = control.screen()->grabWindow(control.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  if (shot.size() != control.size()) {
    std::cerr << "tessaly-widget-shot: the screen gave no picture of the window\n";
    return 1;
  }
  if (!shot.save(out, "PNG")) {
    std::cerr << "tessaly-widget-shot: " << out.toStdString() << " could not be written\n";
    return 1;
  }
  // The rectangle now spans 48 .. 118 (under the star from 86 on): red at
  // 84, 14, the background at 20, 30.
  const bool shown = Reddish(shot.pixel(84, 14)) && !Reddish(shot.pixel(20, 30));
  std::cout << "but1 _x " << before << " -> " << x << ", _y " << y << "; CurrentObj " << current << " after "
            << releases << " release(s); picture " << shot.width() << " x " << shot.height()
            << (shown ? " shows" : " does not show") << " the rectangle moved; " << out.toStdString() << "\n";
  return x == "40" && y == "0" && current == "but1" && releases == 1 && shown ? 0 : 1;
}
