#include "shell/widgets/FontList.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace tessaly::shell {
namespace {

// The face name an entry stands for.
constexpr int FaceRole = Qt::UserRole;
constexpr int EntryPointSize = 10;

QString FaceOf(const QTreeWidgetItem* item) { return item ? item->data(0, FaceRole).toString() : QString(); }

}  // namespace

TFontList::TFontList(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setUniformRowHeights(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    reported_ = FaceOf(item);
    emit FontChosen(reported_);
  });
}

void TFontList::Fill(const std::vector<std::string>& faceNames, bool showFontStyle) {
  clear();
  missing_ = nullptr;
  for (const std::string& name : faceNames) {
    const QString face = QString::fromStdString(name);
    auto* item = new QTreeWidgetItem(this, QStringList(face));
    item->setData(0, FaceRole, face);
    QFont font = showFontStyle ? QFont(face) : this->font();
    font.setPointSize(EntryPointSize);
    item->setFont(0, font);
  }
}

void TFontList::RemoveMissingEntry() {
  delete missing_;
  missing_ = nullptr;
}

void TFontList::SelectFont(const QString& faceName) {
  QTreeWidgetItem* found = nullptr;
  clearSelection();
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = topLevelItem(i);
    if (item != missing_ && FaceOf(item) == faceName) {
      item->setSelected(true);
      if (!found) found = item;
    }
  }
  if (found) {
    RemoveMissingEntry();
  } else if (!faceName.isEmpty()) {
    if (!missing_ || FaceOf(missing_) != faceName) {
      RemoveMissingEntry();
      missing_ = new QTreeWidgetItem(QStringList(faceName + tr(" (未安装)")));
      missing_->setData(0, FaceRole, faceName);
      QFont font = this->font();
      font.setPointSize(EntryPointSize);
      font.setItalic(true);
      missing_->setFont(0, font);
      insertTopLevelItem(0, missing_);
    }
    found = missing_;
    found->setSelected(true);
  }
  if (found) {
    setCurrentItem(found, 0, QItemSelectionModel::NoUpdate);
    scrollToItem(found);
  }
  reported_ = faceName;
}

QString TFontList::SelectedFont() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? QString() : FaceOf(selected.first());
}

void TFontList::keyReleaseEvent(QKeyEvent* event) {
  QTreeWidget::keyReleaseEvent(event);
  const QString face = FaceOf(currentItem());
  if (!face.isEmpty() && face != reported_) {
    reported_ = face;
    emit FontChosen(face);
  }
}

}  // namespace tessaly::shell
