#pragma once
// "外形": shape items. Shows the shape values and reports what the user did.

#include <cstdint>

#include "shell/core/ItemTabValues.h"
#include "shell/main/tabs/ItemTabPage.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;

namespace tessaly::shell {

class TColorButton;

class TShapeTab : public TItemTabPage {
  Q_OBJECT

 public:
  explicit TShapeTab(QWidget* parent = nullptr);

  // Shows the values; the type enables the fields it is drawn from.
  void ShowValues(const TShapeTabValues& values);

  QPushButton* ApplyButton() const { return apply_; }

 signals:
  void ShapeTypeChosen(int shapeType);
  void ShapeColorChosen(std::uint32_t color);
  void BorderColorChosen(std::uint32_t color);
  void FillTypeChosen(int fillType);
  // "文件名(&N):": the fill picture dialog is wanted.
  void FillPictureRequested();
  void GradientStartChosen(std::uint32_t color);
  void GradientEndChosen(std::uint32_t color);
  void GradientStyleChosen(int style);
  void ApplyShapeClicked();

 private:
  QWidget* CreateTypeBox();
  QWidget* CreateSizeBox();
  QWidget* CreateFillBox();
  void EnableFieldsOf(int shapeType);

  QButtonGroup* types_;
  QButtonGroup* fills_;
  TColorButton* shapeColor_;
  TColorButton* borderColor_;
  TColorButton* gradientStart_;
  TColorButton* gradientEnd_;
  QComboBox* gradientStyle_;
  QLabel* fillFile_;
  QPushButton* apply_;
};

// The nine gradient styles in list order.
QStringList GradientStyleNames();

}  // namespace tessaly::shell
