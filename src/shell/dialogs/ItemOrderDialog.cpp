#include "shell/dialogs/ItemOrderDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessaly::shell {

ItemOrderDialog::ItemOrderDialog(document::TBannerDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), rows_(ItemOrderRows(document.ItemTable)) {
  setWindowTitle(tr("重新排列项目"));

  auto* intro = new QLabel(tr("下面列出的项目是按照添加的顺序来排列的. 要想让某个项目先显示,"
                              "可以通过上移它来实现. 想让某个项目后显示,可以通过下移它来实现."));
  intro->setWordWrap(true);
  auto* hint = new QLabel(tr("点击 确定 按钮来保存重新排序后的项目列表."));
  hint->setWordWrap(true);

  list_ = new QListWidget;
  list_->setAccessibleName(tr("项目"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);

  up_ = new QToolButton;
  up_->setArrowType(Qt::UpArrow);
  up_->setAutoRepeat(true);
  up_->setAccessibleName(tr("上移"));
  up_->setToolTip(tr("上移"));
  down_ = new QToolButton;
  down_->setArrowType(Qt::DownArrow);
  down_->setAutoRepeat(true);
  down_->setAccessibleName(tr("下移"));
  down_->setToolTip(tr("下移"));
  connect(up_, &QToolButton::clicked, this, [this] { moveSelected(true); });
  connect(down_, &QToolButton::clicked, this, [this] { moveSelected(false); });

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
  ok->setAccessibleName(tr("确定"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
  cancel->setAccessibleName(tr("取消"));
  connect(buttons, &QDialogButtonBox::accepted, this, &ItemOrderDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ItemOrderDialog::reject);

  auto* arrows = new QVBoxLayout;
  arrows->addStretch();
  arrows->addWidget(up_);
  arrows->addWidget(down_);
  arrows->addStretch();
  auto* middle = new QHBoxLayout;
  middle->addWidget(list_, 1);
  middle->addLayout(arrows);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addLayout(middle, 1);
  layout->addWidget(hint);
  layout->addWidget(buttons);

  fillList(-1);
}

void ItemOrderDialog::fillList(int selectedRow) {
  list_->clear();
  for (const TItemOrderRow& row : rows_) list_->addItem(QString::fromStdString(row.Caption));
  if (selectedRow >= 0) list_->setCurrentRow(selectedRow);
}

void ItemOrderDialog::moveSelected(bool up) {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return;
  const int row = list_->row(selected.first());
  const int moved = MoveItemOrderRow(rows_, row, up);
  if (moved != row) fillList(moved);
}

void ItemOrderDialog::accept() {
  ApplyItemOrder(document_, rows_);
  QDialog::accept();
}

}  // namespace tessaly::shell
