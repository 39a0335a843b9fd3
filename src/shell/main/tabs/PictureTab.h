#pragma once
// "图像": picture items. Shows the picture values and reports what the user
// did.

#include "shell/core/ItemTabValues.h"
#include "shell/main/tabs/ItemTabPage.h"

class QCheckBox;
class QPushButton;

namespace tessaly::shell {

class TPictureTab : public TItemTabPage {
  Q_OBJECT

 public:
  explicit TPictureTab(QWidget* parent = nullptr);

  void ShowValues(const TPictureTabValues& values);

  QPushButton* AddButton() const { return add_; }
  QCheckBox* KeepAspectBox() const { return keepAspect_; }

 signals:
  // "添加图像": the picture dialog is wanted.
  void AddPictureRequested();
  void KeepAspectToggled(bool keepAspect);

 private:
  QPushButton* add_;
  QCheckBox* keepAspect_;
};

}  // namespace tessaly::shell
