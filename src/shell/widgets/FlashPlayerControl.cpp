#include "shell/widgets/FlashPlayerControl.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace tessaly::shell {

TFlashPlayerControl::TFlashPlayerControl(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { OnFrame(); });
}

void TFlashPlayerControl::LoadMovie(std::span<const uint8_t> bytes) {
  player_.LoadMovie(bytes);
  // The rate's 8.8 value may be 0; such a movie is shown at 12 frames per second.
  const double rate = player_.FrameRate() > 0 ? player_.FrameRate() : 12;
  timer_.start(static_cast<int>(std::lround(1000.0 / std::min(rate, 120.0))));
  UpdateCursor();
  update();
}

bool TFlashPlayerControl::TSetProperty(const std::string& target, int index, const std::string& value) {
  const bool done = player_.TSetProperty(target, index, value);
  update();
  return done;
}

void TFlashPlayerControl::OnFrame() {
  player_.Tick();
  UpdateCursor();
  update();
}

void TFlashPlayerControl::UpdateCursor() {
  const Qt::CursorShape shape = player_.OverButton() ? Qt::PointingHandCursor : Qt::ArrowCursor;
  if (cursor().shape() != shape) setCursor(shape);
}

void TFlashPlayerControl::paintEvent(QPaintEvent*) {
  if (frame_.size() != size()) frame_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
  if (frame_.isNull()) return;
  player_.Render(frame_);
  QPainter painter(this);
  painter.drawImage(0, 0, frame_);
}

void TFlashPlayerControl::PassMouse(const QMouseEvent& event, void (player::TFlashPlayer::*handler)(double, double)) {
  double x, y;
  player_.ToMovie(width(), height(), event.position().x(), event.position().y(), x, y);
  (player_.*handler)(x, y);
  UpdateCursor();
  update();
}

void TFlashPlayerControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PassMouse(*event, &player::TFlashPlayer::MouseDown);
}

void TFlashPlayerControl::mouseMoveEvent(QMouseEvent* event) { PassMouse(*event, &player::TFlashPlayer::MouseMove); }

void TFlashPlayerControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PassMouse(*event, &player::TFlashPlayer::MouseUp);
}

}  // namespace tessaly::shell
