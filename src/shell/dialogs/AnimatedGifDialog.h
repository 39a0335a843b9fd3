#pragma once
// "添加动态图像": asks which frame of an animated GIF a new picture item
// shows.

#include <QDialog>

#include <cstdint>

class QLabel;
class QPushButton;

namespace tessaly::shell {

class TNumberField;

class TAnimatedGifDialog : public QDialog {
  Q_OBJECT

 public:
  TAnimatedGifDialog(int frameCount, QWidget* parent = nullptr);

  // After OK: the frame field, -1 when it is not a number; -1 otherwise.
  std::int32_t GifFrame() const { return gifFrame_; }
  TNumberField* FrameField() const { return frame_; }
  QPushButton* OkButton() const { return ok_; }

  // Shows the dialog: the chosen frame, -1 when cancelled.
  static std::int32_t ChooseFrame(int frameCount, QWidget* parent);

  void accept() override;

 private:
  QLabel* count_;
  TNumberField* frame_;
  QPushButton* ok_;
  std::int32_t gifFrame_ = -1;
};

}  // namespace tessaly::shell
