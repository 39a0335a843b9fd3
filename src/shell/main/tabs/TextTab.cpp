#include "shell/main/tabs/TextTab.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/core/ItemCommands.h"
#include "shell/widgets/ColorButton.h"
#include "shell/widgets/FontList.h"

namespace tessaly::shell {

TTextTab::TTextTab(QWidget* parent)
    : TItemTabPage(parent),
      text_(new QLineEdit(this)),
      newText_(new QPushButton(tr("新建文字"), this)),
      fonts_(new TFontList(this)),
      style_(new QComboBox(this)),
      color_(new TColorButton(tr("字体颜色"), this)),
      shadowColor_(new TColorButton(tr("阴影颜色"), this)),
      angles_(new QButtonGroup(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(CreateTextBox(), 1);
  auto* fontColumn = new QVBoxLayout;
  auto* fontLabel = new QLabel(tr("字体"), this);
  fontLabel->setBuddy(fonts_);
  fonts_->setAccessibleName(fontLabel->text());
  fontColumn->addWidget(fontLabel);
  fontColumn->addWidget(fonts_);
  layout->addLayout(fontColumn, 1);
  layout->addWidget(CreateShadowBox());

  connect(text_, &QLineEdit::textEdited, this, &TTextTab::TextEdited);
  connect(text_, &QLineEdit::editingFinished, this, [this] { emit TextLeft(text_->text()); });
  connect(newText_, &QPushButton::clicked, this, &TTextTab::NewTextClicked);
  connect(fonts_, &TFontList::FontChosen, this, &TTextTab::FontChosen);
  connect(style_, &QComboBox::activated, this, &TTextTab::StyleChosen);
  connect(color_, &TColorButton::ColorChosen, this, &TTextTab::TextColorChosen);
  connect(shadowColor_, &TColorButton::ColorChosen, this, &TTextTab::ShadowColorChosen);
  connect(angles_, &QButtonGroup::idClicked, this, &TTextTab::ShadowAngleChosen);
  ShowValues(TTextTabValues{});
}

QWidget* TTextTab::CreateTextBox() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  text_->setMaxLength(MaxTextLength);
  text_->setAccessibleName(tr("文字"));
  grid->addWidget(text_, 0, 0, 1, 2);
  grid->addWidget(newText_, 1, 0);
  grid->addWidget(color_, 1, 1);
  AddField(grid, 2, 0, TItemField::FontSize, tr("大小"));
  AddField(grid, 3, 0, TItemField::CharSpacing, tr("字符间隔"));
  AddField(grid, 4, 0, TItemField::TextTransparency, tr("透明度"));
  auto* styleLabel = new QLabel(tr("文字式样"), box);
  styleLabel->setBuddy(style_);
  style_->addItems({tr("常规"), tr("斜体"), tr("粗体"), tr("粗斜体")});
  style_->setAccessibleName(styleLabel->text());
  grid->addWidget(styleLabel, 5, 0);
  grid->addWidget(style_, 5, 1);
  grid->setRowStretch(6, 1);
  return box;
}

QWidget* TTextTab::CreateShadowBox() {
  auto* box = new QGroupBox(tr("阴影"), this);
  auto* grid = new QGridLayout(box);
  AddField(grid, 0, 0, TItemField::ShadowAltitude, tr("高度"));
  grid->addWidget(shadowColor_, 1, 0, 1, 2);
  auto* angleBox = new QGroupBox(tr("阴影角度"), box);
  auto* angleGrid = new QGridLayout(angleBox);
  for (int angle = 0; angle < 8; ++angle) {
    auto* button = new QRadioButton(QString::number(angle * 45), angleBox);
    angles_->addButton(button, angle);
    angleGrid->addWidget(button, angle / 2, angle % 2);
  }
  grid->addWidget(angleBox, 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
  return box;
}

void TTextTab::FillFonts(const std::vector<std::string>& faceNames, bool showFontStyle) {
  fonts_->Fill(faceNames, showFontStyle);
}

void TTextTab::ShowValues(const TTextTabValues& values) {
  ShowField(TItemField::FontSize, values.FontSize);
  ShowField(TItemField::ShadowAltitude, values.ShadowAltitude);
  ShowField(TItemField::CharSpacing, values.CharSpacing);
  ShowField(TItemField::TextTransparency, values.Transparency);
  const QString text = QString::fromStdString(values.Text);
  if (text_->text() != text) text_->setText(text);
  fonts_->SelectFont(QString::fromStdString(values.FontName));
  style_->setCurrentIndex(values.Style);
  color_->SetColor(values.Color);
  shadowColor_->SetColor(values.ShadowColor);
  if (QAbstractButton* angle = angles_->button(values.ShadowAngle)) angle->setChecked(true);
}

}  // namespace tessaly::shell
