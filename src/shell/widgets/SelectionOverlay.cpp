#include "shell/widgets/SelectionOverlay.h"

#include <QEvent>
#include <QPainter>

namespace tessaly::shell {

TSelectionOverlay::TSelectionOverlay(QWidget* player) : QWidget(player) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(player->rect());
  player->installEventFilter(this);
}

bool TSelectionOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
  return QWidget::eventFilter(watched, event);
}

void TSelectionOverlay::paintEvent(QPaintEvent*) {
  const std::optional<QRectF> box = outline ? outline() : std::nullopt;
  if (!box) return;
  QPainter painter(this);
  // Black dashes over white ones: visible on light and dark movies alike.
  const QRectF r = box->adjusted(-1.5, -1.5, 1.5, 1.5);
  painter.setPen(QPen(Qt::white, 1));
  painter.drawRect(r);
  QPen dashes(Qt::black, 1, Qt::DashLine);
  painter.setPen(dashes);
  painter.drawRect(r);
}

}  // namespace tessaly::shell
