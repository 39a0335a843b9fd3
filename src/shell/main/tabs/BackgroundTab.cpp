#include "shell/main/tabs/BackgroundTab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "shell/core/UiText.h"
#include "shell/widgets/ColorButton.h"

namespace tessaly::shell {

namespace {

const char* const GradientStyles[] = {
    text::GradientBottomLeft, text::GradientBottomRight,      text::GradientElliptic,
    text::GradientHorizontal, text::GradientTopLeft,          text::GradientTopLeftDiagonal,
    text::GradientTopRight,   text::GradientTopRightDiagonal, text::GradientVertical,
};

const char* const OutlineNames[] = {
    text::OutlineRectangle, text::OutlineCircle, text::OutlineEllipse, text::OutlineDiamond,
    text::OutlineHexagon,   text::OutlineOctagon, text::OutlineStar,   text::OutlineHalfCircle,
};

QComboBox* CaptionList(QWidget* parent, const char* caption, const char* const* items, int count) {
  auto* list = new QComboBox(parent);
  for (int i = 0; i < count; ++i) list->addItem(Ui(items[i]));
  list->setAccessibleName(Ui(caption));
  return list;
}

QCheckBox* Box(QWidget* parent, const char* caption) {
  auto* box = new QCheckBox(Ui(caption), parent);
  box->setAccessibleName(box->text());
  return box;
}

}  // namespace

TBackgroundTab::TBackgroundTab(QWidget* parent)
    : QWidget(parent),
      boxes_(new QButtonGroup(this)),
      colorBox_(Box(this, text::BackgroundColorBox)),
      gradientBox_(Box(this, text::BackgroundGradientBox)),
      pictureBox_(Box(this, text::BackgroundImageBox)),
      color_(new TColorButton(Ui(text::ChooseColor), this)),
      gradientStart_(new TColorButton(Ui(text::GradientStart), this)),
      gradientEnd_(new TColorButton(Ui(text::GradientEnd), this)),
      gradientStyle_(CaptionList(this, text::GradientStyle, GradientStyles, 9)),
      list_(new QListWidget(this)),
      showAll_(new QRadioButton(Ui(text::ShowAllBackgrounds), this)),
      matching_(new QRadioButton(Ui(text::MatchingBackgrounds), this)),
      addImage_(new QPushButton(Ui(text::AddBackgroundImage), this)),
      outline_(CaptionList(this, text::Outline, OutlineNames, 8)),
      borderWidth_(new QLineEdit(this)),
      borderColor_(new TColorButton(Ui(text::BorderColor), this)) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(FillBox());
  layout->addWidget(PictureList(), 1);
  layout->addWidget(OutlineBox());

  // Ticking one box unticks the others.
  boxes_->setExclusive(true);
  boxes_->addButton(colorBox_);
  boxes_->addButton(gradientBox_);
  boxes_->addButton(pictureBox_);
  connect(colorBox_, &QCheckBox::clicked, this, &TBackgroundTab::ColorBoxTicked);
  connect(gradientBox_, &QCheckBox::clicked, this, &TBackgroundTab::GradientChanged);
  connect(pictureBox_, &QCheckBox::clicked, this, &TBackgroundTab::PictureBoxTicked);
  connect(color_, &TColorButton::ColorChosen, this, [this](std::uint32_t c) {
    gradientStart_->SetColor(c);
    emit BackgroundColorChosen(c);
  });
  // The gradient's first colour is the background colour chooser's.
  connect(gradientStart_, &TColorButton::ColorChosen, this, [this](std::uint32_t c) {
    color_->SetColor(c);
    emit GradientChanged();
  });
  connect(gradientEnd_, &TColorButton::ColorChosen, this, &TBackgroundTab::GradientChanged);
  connect(gradientStyle_, &QComboBox::activated, this, &TBackgroundTab::GradientChanged);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row > 0) emit BuiltInChosen(ChosenBackground());
  });
  connect(showAll_, &QRadioButton::clicked, this, &TBackgroundTab::ListFilterChanged);
  connect(matching_, &QRadioButton::clicked, this, &TBackgroundTab::ListFilterChanged);
  connect(addImage_, &QPushButton::clicked, this, &TBackgroundTab::AddImageClicked);
  connect(outline_, &QComboBox::activated, this, &TBackgroundTab::OutlineChosen);
  connect(borderWidth_, &QLineEdit::editingFinished, this, [this] { emit BorderWidthLeft(borderWidth_->text()); });
  connect(borderColor_, &TColorButton::ColorChosen, this, &TBackgroundTab::BorderColorChosen);
}

QWidget* TBackgroundTab::FillBox() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->addWidget(colorBox_, 0, 0);
  grid->addWidget(color_, 0, 1);
  grid->addWidget(gradientBox_, 1, 0);
  grid->addWidget(gradientStart_, 1, 1);
  grid->addWidget(gradientEnd_, 2, 1);
  grid->addWidget(gradientStyle_, 3, 1);
  grid->addWidget(pictureBox_, 4, 0);
  grid->setRowStretch(5, 1);
  return box;
}

QWidget* TBackgroundTab::PictureList() {
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  list_->setAccessibleName(Ui(text::BackgroundImageBox));
  layout->addWidget(list_, 1);
  // The add button under the two filters keeps the tab narrow enough for
  // the window's width of a 468-pixel banner.
  auto* filter = new QHBoxLayout;
  for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{showAll_, matching_, addImage_})
    b->setAccessibleName(b->text());
  filter->addWidget(showAll_);
  filter->addWidget(matching_);
  showAll_->setChecked(true);
  layout->addLayout(filter);
  layout->addWidget(addImage_, 0, Qt::AlignLeft);
  return box;
}

QWidget* TBackgroundTab::OutlineBox() {
  auto* box = new QWidget(this);
  auto* form = new QFormLayout(box);
  form->addRow(Ui(text::Outline), outline_);
  borderWidth_->setValidator(new QIntValidator(-999, 999, borderWidth_));
  borderWidth_->setAccessibleName(Ui(text::BorderWidth));
  borderWidth_->setMaximumWidth(60);
  form->addRow(Ui(text::BorderWidth), borderWidth_);
  form->addRow(borderColor_);
  return box;
}

void TBackgroundTab::TickBox(document::TBackgroundType type) {
  const QSignalBlocker block(boxes_);
  switch (type) {
    case document::TBackgroundType::btColor:
      colorBox_->setChecked(true);
      break;
    case document::TBackgroundType::btGradient:
      gradientBox_->setChecked(true);
      break;
    case document::TBackgroundType::btImage:
      pictureBox_->setChecked(true);
      break;
  }
}

void TBackgroundTab::ShowSettings(const document::TBannerSettings& s) {
  TickBox(s.BackgroundType);
  color_->SetColor(s.BackgroundChooserColor());
  gradientStart_->SetColor(color_->Color());
  gradientEnd_->SetColor(s.BackgroundGradientEnd);
  const QSignalBlocker blockStyle(gradientStyle_);
  gradientStyle_->setCurrentIndex(s.BackgroundGradientStyle);
  const QSignalBlocker blockOutline(outline_);
  outline_->setCurrentIndex(s.BackgroundShape);
  borderWidth_->setText(QString::number(s.BorderWidth));
  borderColor_->SetColor(s.BorderColor);
}

void TBackgroundTab::ShowBackgrounds(const std::vector<std::string>& names, const std::string& selected) {
  const QSignalBlocker block(list_);
  list_->clear();
  list_->addItem(Ui(text::NoBackground));
  int row = 0;
  for (const std::string& name : names) {
    list_->addItem(QString::fromStdString(name));
    if (name == selected) row = list_->count() - 1;
  }
  list_->setCurrentRow(row);
}

std::string TBackgroundTab::ChosenBackground() const {
  const int row = list_->currentRow();
  return row > 0 ? list_->item(row)->text().toStdString() : std::string();
}

bool TBackgroundTab::MatchingOnly() const { return matching_->isChecked(); }

void TBackgroundTab::FocusBorderWidth() { borderWidth_->setFocus(); }

std::uint32_t TBackgroundTab::BackgroundColor() const { return color_->Color(); }

std::uint32_t TBackgroundTab::GradientEndColor() const { return gradientEnd_->Color(); }

std::int32_t TBackgroundTab::GradientStyle() const { return gradientStyle_->currentIndex(); }

}  // namespace tessaly::shell
