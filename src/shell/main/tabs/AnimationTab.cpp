#include "shell/main/tabs/AnimationTab.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "effects/unit_OneStepAnim.h"
#include "shell/core/UiText.h"

namespace tessaly::shell {

namespace {

constexpr int DelayMaximum = 1000;
constexpr int DelayStep = 50;

QSpinBox* NumberField(QWidget* parent, const char* caption, int maximum, int step) {
  auto* field = new QSpinBox(parent);
  field->setRange(0, maximum);
  field->setSingleStep(step);
  field->setAccessibleName(Ui(caption));
  return field;
}

// A field with a note after it.
QWidget* WithNote(QWidget* field, const char* note) {
  auto* row = new QWidget(field->parentWidget());
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(field);
  layout->addWidget(new QLabel(Ui(note), row));
  layout->addStretch();
  return row;
}

}  // namespace

TAnimationTab::TAnimationTab(QWidget* parent)
    : QWidget(parent),
      effects_(new QListWidget(this)),
      speed_(new QSlider(Qt::Horizontal, this)),
      loops_(NumberField(this, text::AnimationLoops, 99, 1)),
      firstDelay_(NumberField(this, text::AnimationFirstDelay, DelayMaximum, DelayStep)),
      lastDelay_(NumberField(this, text::AnimationLastDelay, DelayMaximum, DelayStep)),
      play_(new QPushButton(Ui(text::Play), this)) {
  for (const effects::TEffectEntry& effect : effects::EffectTable) effects_->addItem(Ui(effect.Caption));
  effects_->setAccessibleName(Ui(text::AnimationEffect));
  speed_->setRange(1, 10);
  speed_->setAccessibleName(Ui(text::AnimationSpeed));
  play_->setAccessibleName(play_->text());
  const char* const layerCaptions[4] = {text::AnimateBackground, text::AnimateShapes, text::AnimateImages,
                                        text::AnimateText};
  for (int i = 0; i < 4; ++i) {
    layers_[i] = new QCheckBox(Ui(layerCaptions[i]), this);
    layers_[i]->setAccessibleName(layers_[i]->text());
    connect(layers_[i], &QCheckBox::clicked, this, &TAnimationTab::ReportLayers);
  }

  auto* form = new QFormLayout;
  auto* speedRow = new QWidget(this);
  auto* speedLayout = new QVBoxLayout(speedRow);
  speedLayout->setContentsMargins(0, 0, 0, 0);
  speedLayout->addWidget(speed_);
  speedLayout->addWidget(new QLabel(Ui(text::AnimationSpeedScale), speedRow));
  form->addRow(Ui(text::AnimationSpeed), speedRow);
  form->addRow(Ui(text::AnimationLoops), WithNote(loops_, text::AnimationLoopsForever));
  form->addRow(Ui(text::AnimationFirstDelay), firstDelay_);
  form->addRow(Ui(text::AnimationLastDelay), WithNote(lastDelay_, text::AnimationDelayUnit));
  auto* boxes = new QVBoxLayout;
  for (QCheckBox* box : layers_) boxes->addWidget(box);
  boxes->addWidget(play_);
  boxes->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(effects_, 1);
  layout->addLayout(form, 1);
  layout->addLayout(boxes);

  connect(effects_, &QListWidget::currentRowChanged, this, &TAnimationTab::EffectChosen);
  connect(speed_, &QSlider::valueChanged, this, &TAnimationTab::SpeedChanged);
  connect(loops_, &QSpinBox::valueChanged, this, &TAnimationTab::LoopsChanged);
  const auto delays = [this] { emit DelaysChanged(firstDelay_->value(), lastDelay_->value()); };
  connect(firstDelay_, &QSpinBox::valueChanged, this, delays);
  connect(lastDelay_, &QSpinBox::valueChanged, this, delays);
  connect(play_, &QPushButton::clicked, this, &TAnimationTab::PlayClicked);
}

void TAnimationTab::ShowSettings(const document::TBannerSettings& s) {
  const QSignalBlocker b1(effects_), b2(speed_), b3(loops_), b4(firstDelay_), b5(lastDelay_);
  effects_->setCurrentRow(s.AnimationType);
  speed_->setValue(s.AnimationSpeed);
  loops_->setValue(s.AnimationLoop);
  firstDelay_->setValue(s.AnimationFirstFrame);
  lastDelay_->setValue(s.AnimationLastFrame);
  const bool flags[4] = {s.AnimateBackground, s.AnimateShapes, s.AnimateImages, s.AnimateText};
  for (int i = 0; i < 4; ++i) layers_[i]->setChecked(flags[i]);
}

void TAnimationTab::ReportLayers() {
  emit LayersChanged(layers_[0]->isChecked(), layers_[1]->isChecked(), layers_[2]->isChecked(),
                     layers_[3]->isChecked());
}

}  // namespace tessaly::shell
