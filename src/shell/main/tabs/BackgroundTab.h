#pragma once
// The background tab ("背景"): the three exclusive boxes (colour, gradient,
// picture) with their colour choosers, the nine gradient styles, the
// built-in background list, the banner's outline and its border.

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

#include "document/BannerDocument.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tessaly::shell {

class TColorButton;

class TBackgroundTab : public QWidget {
  Q_OBJECT

 public:
  explicit TBackgroundTab(QWidget* parent = nullptr);

  // Shows the settings without reporting them.
  void ShowSettings(const document::TBannerSettings& settings);
  // The built-in list: "没有选择背景" and names; the entry named selected
  // is chosen (the first when none).
  void ShowBackgrounds(const std::vector<std::string>& names, const std::string& selected);
  // The entry chosen in the built-in list; empty for "没有选择背景".
  std::string ChosenBackground() const;
  bool MatchingOnly() const;
  void FocusBorderWidth();
  void TickBox(document::TBackgroundType type);

  std::uint32_t BackgroundColor() const;
  std::uint32_t GradientEndColor() const;
  std::int32_t GradientStyle() const;

  QCheckBox* ColorBox() const { return colorBox_; }
  QCheckBox* GradientBox() const { return gradientBox_; }
  QCheckBox* PictureBox() const { return pictureBox_; }
  QListWidget* Backgrounds() const { return list_; }
  QComboBox* Outlines() const { return outline_; }
  QLineEdit* BorderWidthField() const { return borderWidth_; }
  QPushButton* AddImageButton() const { return addImage_; }

 signals:
  void ColorBoxTicked();
  // The gradient box was ticked, or one of its colours or its style changed.
  void GradientChanged();
  // The picture box was ticked.
  void PictureBoxTicked();
  void BackgroundColorChosen(std::uint32_t color);
  void BuiltInChosen(const std::string& name);
  void ListFilterChanged();
  void AddImageClicked();
  void OutlineChosen(int outline);
  void BorderWidthLeft(const QString& text);
  void BorderColorChosen(std::uint32_t color);

 private:
  QWidget* FillBox();
  QWidget* PictureList();
  QWidget* OutlineBox();

  QButtonGroup* boxes_;
  QCheckBox* colorBox_;
  QCheckBox* gradientBox_;
  QCheckBox* pictureBox_;
  TColorButton* color_;
  TColorButton* gradientStart_;
  TColorButton* gradientEnd_;
  QComboBox* gradientStyle_;
  QListWidget* list_;
  QRadioButton* showAll_;
  QRadioButton* matching_;
  QPushButton* addImage_;
  QComboBox* outline_;
  QLineEdit* borderWidth_;
  TColorButton* borderColor_;
};

}  // namespace tessaly::shell
