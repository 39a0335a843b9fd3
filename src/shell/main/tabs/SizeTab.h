#pragma once
// The size tab ("大小"): the common banner sizes and the width and height
// fields. The preset list follows the fields on every change; a field
// reports its text when the user leaves it (or presses Enter).

#include <QWidget>

class QComboBox;
class QSpinBox;

namespace tessaly::shell {

class TSizeTab : public QWidget {
  Q_OBJECT

 public:
  explicit TSizeTab(QWidget* parent = nullptr);

  // Shows a size in the fields (the preset list follows) without reporting it.
  void ShowSize(int width, int height);
  QString WidthText() const;
  QString HeightText() const;
  void FocusWidth();
  void FocusHeight();

  QComboBox* Presets() const { return presets_; }
  QSpinBox* WidthField() const { return width_; }
  QSpinBox* HeightField() const { return height_; }

 signals:
  void PresetChosen(int preset);
  void WidthLeft(const QString& text);
  void HeightLeft(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SyncPreset();

  QComboBox* presets_;
  QSpinBox* width_;
  QSpinBox* height_;
};

}  // namespace tessaly::shell
