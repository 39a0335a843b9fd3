#include "shell/dialogs/AnimatedGifDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/core/ItemFields.h"
#include "shell/core/PictureChecks.h"
#include "shell/widgets/NumberField.h"

namespace tessaly::shell {
TAnimatedGifDialog::TAnimatedGifDialog(int frameCount, QWidget* parent)
    : QDialog(parent),
      count_(new QLabel(ItemText(FrameCountCaption) + QString::number(frameCount), this)),
      frame_(new TNumberField(this)),
      ok_(new QPushButton(tr("确定(&K)"), this)) {
  setWindowTitle(ItemText(FrameDialogTitle));
  auto* text = new QLabel(ItemText(FrameDialogText), this);
  text->setWordWrap(true);
  frame_->SetArrowRange(1, frameCount);
  frame_->SetValue(1);
  auto* fieldLabel = new QLabel(ItemText(FrameFieldCaption), this);
  fieldLabel->setBuddy(frame_);
  frame_->setAccessibleName(fieldLabel->text());
  count_->setAccessibleName(count_->text());
  auto* cancel = new QPushButton(tr("取消(&C)"), this);
  ok_->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &TAnimatedGifDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TAnimatedGifDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(count_);
  form->addRow(fieldLabel, frame_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void TAnimatedGifDialog::accept() {
  const TFrameChoice choice =
      CheckFrameChoice(count_->text().toStdString(), frame_->text().toStdString());
  if (!choice.Accepted) {
    QMessageBox::warning(this, windowTitle(), ItemText(choice.Message));
    frame_->setFocus();
    return;
  }
  gifFrame_ = choice.GifFrame;
  QDialog::accept();
}

std::int32_t TAnimatedGifDialog::ChooseFrame(int frameCount, QWidget* parent) {
  TAnimatedGifDialog dialog(frameCount, parent);
  return dialog.exec() == QDialog::Accepted ? dialog.GifFrame() : -1;
}

}  // namespace tessaly::shell
