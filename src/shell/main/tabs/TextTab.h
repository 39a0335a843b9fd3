#pragma once
// "文字": text items. Shows the text values and reports what the user did.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/core/ItemTabValues.h"
#include "shell/main/tabs/ItemTabPage.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tessaly::shell {

class TColorButton;
class TFontList;

class TTextTab : public TItemTabPage {
  Q_OBJECT

 public:
  explicit TTextTab(QWidget* parent = nullptr);

  // The font list: every installed face, each in its own face when
  // showFontStyle is set.
  void FillFonts(const std::vector<std::string>& faceNames, bool showFontStyle);
  void ShowValues(const TTextTabValues& values);

  QLineEdit* TextBox() const { return text_; }
  TFontList* Fonts() const { return fonts_; }
  QPushButton* NewTextButton() const { return newText_; }

 signals:
  // The user changed the text box / left it.
  void TextEdited(const QString& text);
  void TextLeft(const QString& text);
  void NewTextClicked();
  void FontChosen(const QString& faceName);
  void StyleChosen(int style);
  void TextColorChosen(std::uint32_t color);
  void ShadowColorChosen(std::uint32_t color);
  void ShadowAngleChosen(int angle);

 private:
  QWidget* CreateTextBox();
  QWidget* CreateShadowBox();

  QLineEdit* text_;
  QPushButton* newText_;
  TFontList* fonts_;
  QComboBox* style_;
  TColorButton* color_;
  TColorButton* shadowColor_;
  QButtonGroup* angles_;
};

}  // namespace tessaly::shell
