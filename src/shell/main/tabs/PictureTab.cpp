#include "shell/main/tabs/PictureTab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "shell/widgets/NumberField.h"

namespace tessaly::shell {

TPictureTab::TPictureTab(QWidget* parent)
    : TItemTabPage(parent), add_(new QPushButton(tr("添加图像"), this)), keepAspect_(new QCheckBox(tr("保持宽高比"), this)) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(add_, 0, 0, 1, 2);
  const auto addRow = [&](int row, TItemField field, const QString& caption) {
    TNumberField* edit = MakeField(field, caption);
    grid->addWidget(LabelOf(field), row, 0);
    grid->addWidget(edit, row, 1);
  };
  addRow(1, TItemField::PictureHeight, tr("高度:"));
  addRow(2, TItemField::PictureWidth, tr("宽度:"));
  grid->addWidget(keepAspect_, 3, 1);
  addRow(4, TItemField::PictureTransparency, tr("透明度"));
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
