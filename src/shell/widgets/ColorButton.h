#pragma once
// A button that shows a colour and lets the user choose another with the
// colour dialog. Colours are COLORREF values (0x00BBGGRR), as the document
// keeps them.

#include <QPushButton>

#include <cstdint>

namespace tessaly::shell {

class TColorButton : public QPushButton {
  Q_OBJECT

 public:
  explicit TColorButton(const QString& caption, QWidget* parent = nullptr);

  std::uint32_t Color() const { return color_; }
  // Shows the colour without emitting ColorChosen.
  void SetColor(std::uint32_t colorRef);

 signals:
  // The user chose a colour in the dialog.
  void ColorChosen(std::uint32_t colorRef);

 private:
  void ChooseColor();
  void ShowSwatch();

  std::uint32_t color_ = 0;
};

// COLORREF to QColor and back.
QColor ColorOfRef(std::uint32_t colorRef);
std::uint32_t RefOfColor(const QColor& color);

}  // namespace tessaly::shell
