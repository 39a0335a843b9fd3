#include "shell/main/ToolPanel.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/core/UiText.h"

namespace tessaly::shell {

namespace {

// Held arrows repeat after this delay, at this interval (milliseconds).
constexpr int RepeatDelay = 300;
constexpr int RepeatInterval = 50;

}  // namespace

TToolPanel::TToolPanel(QWidget* parent) : QGroupBox(Ui(text::ToolPanel), parent) {
  setAccessibleName(title());
  auto* layout = new QVBoxLayout(this);
  auto* arrows = new QGridLayout;
  arrows->addWidget(AddArrow(QStringLiteral("↑"), text::NudgeUp, 0, -1), 0, 1);
  arrows->addWidget(AddArrow(QStringLiteral("←"), text::NudgeLeft, -1, 0), 1, 0);
  arrows->addWidget(AddArrow(QStringLiteral("→"), text::NudgeRight, 1, 0), 1, 2);
  arrows->addWidget(AddArrow(QStringLiteral("↓"), text::NudgeDown, 0, 1), 2, 1);
  layout->addLayout(arrows);

  delete_ = AddButton(text::Delete);
  undelete_ = AddButton(text::Undelete);
  QPushButton* centreH = AddButton(text::CentreHorizontally);
  QPushButton* centreV = AddButton(text::CentreVertically);
  QPushButton* reorder = AddButton(text::Reorder);
  play_ = AddButton(text::Play);
  stop_ = AddButton(text::Stop);
  for (QPushButton* b : {delete_, undelete_, centreH, centreV, reorder, play_, stop_}) layout->addWidget(b);
  layout->addStretch();

  connect(delete_, &QPushButton::clicked, this, &TToolPanel::DeleteRequested);
  connect(undelete_, &QPushButton::clicked, this, &TToolPanel::UndeleteRequested);
  connect(centreH, &QPushButton::clicked, this, &TToolPanel::CentreHorizontallyRequested);
  connect(centreV, &QPushButton::clicked, this, &TToolPanel::CentreVerticallyRequested);
  connect(reorder, &QPushButton::clicked, this, &TToolPanel::ReorderRequested);
  connect(play_, &QPushButton::clicked, this, &TToolPanel::PlayRequested);
  connect(stop_, &QPushButton::clicked, this, &TToolPanel::StopRequested);
  SetCommandState(false, false);
}

QPushButton* TToolPanel::AddButton(const char* caption) {
  auto* button = new QPushButton(Ui(caption), this);
  button->setAccessibleName(button->text());
  return button;
}

QPushButton* TToolPanel::AddArrow(const QString& arrow, const char* name, int dx, int dy) {
  auto* button = new QPushButton(arrow, this);
  button->setAccessibleName(Ui(name));
  button->setToolTip(Ui(name));
  button->setAutoRepeat(true);
  button->setAutoRepeatDelay(RepeatDelay);
  button->setAutoRepeatInterval(RepeatInterval);
  button->setFixedWidth(button->sizeHint().height() + 4);
  connect(button, &QPushButton::clicked, this, [this, dx, dy] { emit NudgeRequested(dx, dy); });
  return button;
}

void TToolPanel::SetCommandState(bool deleteEnabled, bool undeleteEnabled) {
  delete_->setEnabled(deleteEnabled);
  undelete_->setEnabled(undeleteEnabled);
}

}  // namespace tessaly::shell
