#pragma once
// The player as a Qt widget for the preview: shows the movie scaled
// "ShowAll" into the widget, plays it at its frame rate, passes the mouse
// on, and shows a pointing hand over buttons. The host talks to it as to
// the system's Flash control: load from bytes, play, stop, loop, the
// scripting calls, and callbacks for GetURL and for mouse releases.

#include "player/FlashPlayer.h"

#include <QTimer>
#include <QWidget>

namespace tessaly::shell {

class TFlashPlayerControl : public QWidget {
 public:
  explicit TFlashPlayerControl(QWidget* parent = nullptr);

  // Throws TSwfReadError; the previous movie stays shown then.
  void LoadMovie(std::span<const uint8_t> bytes);
  void Play() { player_.Play(); }
  void Stop() { player_.Stop(); }
  void SetLoop(bool loop) { player_.SetLoop(loop); }

  std::optional<std::string> GetVariable(const std::string& name) { return player_.GetVariable(name); }
  std::optional<std::string> TGetProperty(const std::string& target, int index) {
    return player_.TGetProperty(target, index);
  }
  bool TSetProperty(const std::string& target, int index, const std::string& value);

  // The core, for what the widget does not pass on itself.
  player::TFlashPlayer& Player() { return player_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void OnFrame();
  void UpdateCursor();
  // Hands a mouse event to the player in movie pixels, then follows what it
  // did with the cursor and the picture.
  void PassMouse(const QMouseEvent& event, void (player::TFlashPlayer::*handler)(double, double));

  player::TFlashPlayer player_;
  QTimer timer_;
  QImage frame_;
};

}  // namespace tessaly::shell
