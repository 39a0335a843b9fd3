#pragma once
// A thin dashed outline around the current item, drawn over the player's
// picture by a transparent child of the player widget; the movie itself is
// never touched. Mouse events pass through to the player.

#include <QRectF>
#include <QWidget>

#include <functional>
#include <optional>

namespace tessaly::shell {

class TSelectionOverlay : public QWidget {
  Q_OBJECT

 public:
  // Covers player and follows its size.
  explicit TSelectionOverlay(QWidget* player);

  // The outline in the player widget's pixels at the time of painting;
  // nothing when no item is to be outlined.
  std::function<std::optional<QRectF>()> outline;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tessaly::shell
