#include "shell/main/PreviewPanel.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "shell/widgets/ColorButton.h"

namespace tessaly::shell {

namespace {

const QColor MissingPictureGrey(0x80, 0x80, 0x80);

}  // namespace

TPreviewPanel::TPreviewPanel(QWidget* parent) : QWidget(parent), player_(new TFlashPlayerControl(this)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  player_->SetLoop(true);
  player_->installEventFilter(this);
  player_->Player().onMouseReleased = [this] { emit PlayerReleased(); };
  player_->setFixedSize(document::FallbackBannerWidth, document::FallbackBannerHeight);
}

bool TPreviewPanel::SetBackdrop(const QString& imagePath, std::uint32_t colorRef) {
  backdrop_ = QPixmap();
  backdropColor_ = ColorOfRef(colorRef);
  bool loaded = true;
  if (!imagePath.isEmpty()) {
    loaded = backdrop_.load(imagePath);
    if (!loaded) backdropColor_ = MissingPictureGrey;
  }
  update();
  return loaded;
}

void TPreviewPanel::SetSize(std::int32_t Width, std::int32_t Height) {
  if (player_->width() == Width && player_->height() == Height) return;
  player_->setFixedSize(Width, Height);
  updateGeometry();
  PlacePlayer();
}

QSize TPreviewPanel::minimumSizeHint() const {
  return {player_->width() + MinimumPlayerLeft, player_->height()};
}

void TPreviewPanel::LoadMovie(std::span<const std::uint8_t> Bytes) {
  player_->SetLoop(true);
  player_->LoadMovie(Bytes);
  moviePending_ = true;
}

void TPreviewPanel::PlacePlayer() {
  const int left = std::max(MinimumPlayerLeft, (width() - player_->width()) / 2);
  const int top = std::max(0, (height() - player_->height()) / 2);
  player_->move(left, top);
}

void TPreviewPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (backdrop_.isNull())
    painter.fillRect(rect(), backdropColor_);
  else
    painter.drawTiledPixmap(rect(), backdrop_);
}

void TPreviewPanel::resizeEvent(QResizeEvent*) { PlacePlayer(); }

void TPreviewPanel::contextMenuEvent(QContextMenuEvent* event) { emit ContextMenuRequested(event->globalPos()); }

bool TPreviewPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == player_) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
      emit PlayerPressed();
    if (event->type() == QEvent::ContextMenu) {
      emit ContextMenuRequested(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    }
    if (event->type() == QEvent::Paint && moviePending_) {
      moviePending_ = false;
      QMetaObject::invokeMethod(this, &TPreviewPanel::MoviePainted, Qt::QueuedConnection);
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tessaly::shell
