#pragma once
// The about box: the program's name and version.

#include <QDialog>

namespace tessaly::shell {

// The program's version, as "--version" prints it.
QString ProgramVersion();

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace tessaly::shell
