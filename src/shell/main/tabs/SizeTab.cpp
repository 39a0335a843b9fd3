#include "shell/main/tabs/SizeTab.h"

#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include "shell/core/SizePresets.h"
#include "shell/core/UiText.h"

namespace tessaly::shell {

namespace {

QSpinBox* SizeField(QWidget* parent, const QString& caption) {
  auto* field = new QSpinBox(parent);
  field->setRange(SizeFieldMinimum, SizeFieldMaximum);
  field->setAccessibleName(caption);
  field->setKeyboardTracking(true);
  return field;
}

}  // namespace

TSizeTab::TSizeTab(QWidget* parent)
    : QWidget(parent),
      presets_(new QComboBox(this)),
      width_(SizeField(this, Ui(text::SizeWidth))),
      height_(SizeField(this, Ui(text::SizeHeight))) {
  for (int i = 0; i <= CustomSizePreset; ++i) presets_->addItem(PresetCaption(i));
  presets_->setAccessibleName(Ui(text::SizePresets));
  auto* layout = new QFormLayout(this);
  layout->addRow(Ui(text::SizePresets), presets_);
  layout->addRow(Ui(text::SizeWidth), width_);
  layout->addRow(Ui(text::SizeHeight), height_);

  connect(presets_, &QComboBox::activated, this, [this](int index) {
    if (index < CustomSizePreset) emit PresetChosen(index);
  });
  connect(width_, &QSpinBox::textChanged, this, &TSizeTab::SyncPreset);
  connect(height_, &QSpinBox::textChanged, this, &TSizeTab::SyncPreset);
  connect(width_, &QSpinBox::editingFinished, this, [this] { emit WidthLeft(WidthText()); });
  connect(height_, &QSpinBox::editingFinished, this, [this] { emit HeightLeft(HeightText()); });
  width_->installEventFilter(this);
}

void TSizeTab::ShowSize(int width, int height) {
  const QSignalBlocker blockWidth(width_);
  const QSignalBlocker blockHeight(height_);
  width_->setValue(width);
  height_->setValue(height);
  SyncPreset();
}

QString TSizeTab::WidthText() const { return width_->cleanText(); }

QString TSizeTab::HeightText() const { return height_->cleanText(); }

void TSizeTab::FocusWidth() {
  width_->setFocus();
  width_->selectAll();
}

void TSizeTab::FocusHeight() {
  height_->setFocus();
  height_->selectAll();
}

void TSizeTab::SyncPreset() {
  const QSignalBlocker block(presets_);
  presets_->setCurrentIndex(MatchingPreset(WidthText(), HeightText()));
}

bool TSizeTab::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the width field moves on to the height field.
  if (watched == width_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      FocusHeight();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tessaly::shell
