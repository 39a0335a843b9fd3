#include "shell/dialogs/FtpSiteFields.h"

#include <QFormLayout>
#include <QLineEdit>

namespace tessaly::shell {

QLineEdit* AddSiteField(QFormLayout* form, const QString& caption) {
  auto* field = new QLineEdit;
  QString name = caption;
  if (name.endsWith(':')) name.chop(1);
  field->setAccessibleName(name);
  form->addRow(caption, field);
  return field;
}

void MaskWithStars(QLineEdit* field) {
  field->setEchoMode(QLineEdit::Password);
  field->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}

}  // namespace tessaly::shell
