#include "shell/dialogs/AboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/core/UiText.h"

namespace tessaly::shell {

QString ProgramVersion() { return QStringLiteral(TESSALY_VERSION); }

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Ui(text::AboutTitle));
  auto* layout = new QVBoxLayout(this);
  auto* name = new QLabel(QStringLiteral("<h2>%1</h2>").arg(Ui(text::ProgramName)), this);
  auto* version = new QLabel(Ui(text::AboutVersion).arg(ProgramVersion()), this);
  auto* about = new QLabel(Ui(text::AboutText), this);
  about->setWordWrap(true);
  for (QLabel* label : {name, version, about}) {
    label->setAccessibleName(label->text());
    layout->addWidget(label);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setText(Ui(text::Ok));
  buttons->button(QDialogButtonBox::Ok)->setAccessibleName(Ui(text::Ok));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace tessaly::shell
