#include "shell/widgets/ColorButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace tessaly::shell {

QColor ColorOfRef(std::uint32_t colorRef) {
  return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                static_cast<int>((colorRef >> 16) & 0xFF));
}

std::uint32_t RefOfColor(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8) |
         (static_cast<std::uint32_t>(color.blue()) << 16);
}

TColorButton::TColorButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setAccessibleName(caption);
  connect(this, &QPushButton::clicked, this, &TColorButton::ChooseColor);
  ShowSwatch();
}

void TColorButton::SetColor(std::uint32_t colorRef) {
  color_ = colorRef & 0x00FFFFFF;
  ShowSwatch();
}

void TColorButton::ChooseColor() {
  const QColor chosen = QColorDialog::getColor(ColorOfRef(color_), this, text());
  if (!chosen.isValid()) return;
  SetColor(RefOfColor(chosen));
  emit ColorChosen(color_);
}

void TColorButton::ShowSwatch() {
  QPixmap swatch(24, 14);
  swatch.fill(ColorOfRef(color_));
  QPainter painter(&swatch);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
  setIcon(QIcon(swatch));
  setIconSize(swatch.size());
}

}  // namespace tessaly::shell
