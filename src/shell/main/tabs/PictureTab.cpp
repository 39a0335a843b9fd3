#include "shell/main/tabs/PictureTab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace tessaly::shell {

TPictureTab::TPictureTab(QWidget* parent)
    : TItemTabPage(parent), add_(new QPushButton(tr("添加图像"), this)), keepAspect_(new QCheckBox(tr("保持宽高比"), this)) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(add_, 0, 0, 1, 2);
  AddField(grid, 1, 0, TItemField::PictureHeight, tr("高度:"));
  AddField(grid, 2, 0, TItemField::PictureWidth, tr("宽度:"));
  grid->addWidget(keepAspect_, 3, 1);
  AddField(grid, 4, 0, TItemField::PictureTransparency, tr("透明度"));
  grid->addWidget(new QLabel(tr("(0 - 100)"), this), 4, 2);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(5, 1);
  connect(add_, &QPushButton::clicked, this, &TPictureTab::AddPictureRequested);
  connect(keepAspect_, &QCheckBox::clicked, this, &TPictureTab::KeepAspectToggled);
  ShowValues(TPictureTabValues{});
}

void TPictureTab::ShowValues(const TPictureTabValues& values) {
  ShowField(TItemField::PictureHeight, values.Height);
  ShowField(TItemField::PictureWidth, values.Width);
  ShowField(TItemField::PictureTransparency, values.Transparency);
  keepAspect_->setChecked(values.KeepAspect);
}

}  // namespace tessaly::shell
