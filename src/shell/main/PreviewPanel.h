#pragma once
// The preview area: the player sized exactly to the banner, centred in the
// panel but never less than 52 pixels from its left edge, with the preview
// picture (tiled) or colour behind it. It is the pipeline's preview host:
// the movie it receives plays looping, as a browser plays it.

#include <QPixmap>
#include <QWidget>

#include "document/BuildPipeline.h"
#include "shell/widgets/FlashPlayerControl.h"

namespace tessaly::shell {

class TPreviewPanel : public QWidget, public document::TPreviewHost {
  Q_OBJECT

 public:
  static constexpr int MinimumPlayerLeft = 52;

  explicit TPreviewPanel(QWidget* parent = nullptr);

  // What is shown behind the player: the picture at imagePath, or color
  // (COLORREF) when imagePath is empty. Returns false when the picture
  // cannot be loaded; the area is then grey.
  bool SetBackdrop(const QString& imagePath, std::uint32_t colorRef);

  TFlashPlayerControl& Player() { return *player_; }
  // Where the player stands in the panel.
  QPoint PlayerPosition() const { return player_->pos(); }
  // The panel never takes less than its player and the player's left margin.
  QSize minimumSizeHint() const override;

  // TPreviewHost.
  void SetSize(std::int32_t Width, std::int32_t Height) override;
  std::int32_t Width() const override { return player_->width(); }
  std::int32_t Height() const override { return player_->height(); }
  void Stop() override { player_->Stop(); }
  void LoadMovie(std::span<const std::uint8_t> Bytes) override;
  void Play() override { player_->Play(); }

 signals:
  // The left button went down on the player.
  void PlayerPressed();
  // The movie handled a mouse release (the item selection follows it).
  void PlayerReleased();
  // A painted frame of a newly loaded movie reached the screen.
  void MoviePainted();
  void ContextMenuRequested(const QPoint& globalPosition);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlacePlayer();

  TFlashPlayerControl* player_;
  QPixmap backdrop_;
  QColor backdropColor_;
  bool moviePending_ = false;
};

}  // namespace tessaly::shell
