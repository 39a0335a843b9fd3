#pragma once
// "重新排列项目": moves items up and down the stacking order; OK permutes
// the item table.

#include <QDialog>

#include <vector>

#include "document/BannerDocument.h"
#include "shell/core/ItemOrder.h"

class QListWidget;
class QToolButton;

namespace tessaly::shell {

class ItemOrderDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ItemOrderDialog(document::TBannerDocument& document, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 public slots:
  void accept() override;

 private:
  void moveSelected(bool up);
  void fillList(int selectedRow);

  document::TBannerDocument& document_;
  std::vector<TItemOrderRow> rows_;
  QListWidget* list_ = nullptr;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

}  // namespace tessaly::shell
