#pragma once
// The five labelled fields of an FTP site, shared by the properties and the
// selection dialogs.

#include <QString>

class QFormLayout;
class QLineEdit;

namespace tessaly::shell {

// A line edit with `caption` as its label and accessible name, added to `form`.
QLineEdit* AddSiteField(QFormLayout* form, const QString& caption);

// Masks a password field with "*".
void MaskWithStars(QLineEdit* field);

}  // namespace tessaly::shell
