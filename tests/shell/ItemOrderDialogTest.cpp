#include "shell/dialogs/ItemOrderDialog.h"

#include <QListWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"

namespace tessaly::shell {
namespace {

using document::TBannerDocument;

void AddThree(TBannerDocument& document) {
  document.AddShapeItem({});
  document::TImageDefaults image;
  image.Width = 20;
  image.Height = 10;
  document.AddImageItem("/pics/a.gif", image);
  document.AddTextItem("Hello", {});
}

QStringList Rows(const QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
}

TEST(ItemOrderDialog, ShapeMovedToTheTopAndConfirmed) {
  TBannerDocument document;
  AddThree(document);
  ItemOrderDialog dialog(document);
  EXPECT_EQ(dialog.windowTitle(), "重新排列项目");
  QListWidget* list = Control<QListWidget>(dialog, "项目");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Rows(*list), (QStringList{"文字 - Hello", "图像 - /pics/a.gif", "外形 - Rectangle"}));
  EXPECT_TRUE(Control<QToolButton>(dialog, "上移")->autoRepeat());
  EXPECT_TRUE(Control<QToolButton>(dialog, "下移")->autoRepeat());

  list->setCurrentRow(2);
  Click(dialog, "上移");
  Click(dialog, "上移");
  EXPECT_EQ(Rows(*list), (QStringList{"外形 - Rectangle", "文字 - Hello", "图像 - /pics/a.gif"}));
  EXPECT_EQ(list->currentRow(), 0);
  Click(dialog, "上移");  // row 0 stays
  EXPECT_EQ(list->currentRow(), 0);
  Click(dialog, "确定");

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(document.ItemTable[1].ImageFileName, "/pics/a.gif");
  EXPECT_EQ(document.ItemTable[2].Text, "Hello");
  EXPECT_EQ(document.ItemTable[3].Kind, document::ItemKind::ikShape);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(document.ItemTable[i].Name, "but" + std::to_string(i));
  EXPECT_EQ(document.LastShapeItem, 3);
}

TEST(ItemOrderDialog, ArrowsAtTheEndsAndWithoutSelectionChangeNothing) {
  TBannerDocument document;
  AddThree(document);
  ItemOrderDialog dialog(document);
  QListWidget* list = Control<QListWidget>(dialog, "项目");
  const QStringList start = Rows(*list);
  Click(dialog, "上移");
  Click(dialog, "下移");
  EXPECT_EQ(Rows(*list), start);
  list->setCurrentRow(2);
  Click(dialog, "下移");
  EXPECT_EQ(Rows(*list), start);
  EXPECT_EQ(list->currentRow(), 2);
}

TEST(ItemOrderDialog, CancelLeavesTheTableUntouched) {
  TBannerDocument document;
  AddThree(document);
  document.ChangeMade = false;
  const document::TItemTable before = document.ItemTable;
  ItemOrderDialog dialog(document);
  Control<QListWidget>(dialog, "项目")->setCurrentRow(0);
  Click(dialog, "下移");
  Click(dialog, "取消");
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(document.ItemTable[i], before[i]);
  EXPECT_FALSE(document.ChangeMade);
}

TEST(ItemOrderDialog, ADeletedItemSurvivesAndComesBackWithUndelete) {
  TBannerDocument document;
  AddThree(document);
  document.SelectItem(3);
  document.DeleteCurrentItem();  // the text
  ItemOrderDialog dialog(document);
  QListWidget* list = Control<QListWidget>(dialog, "项目");
  EXPECT_EQ(Rows(*list), (QStringList{"图像 - /pics/a.gif", "外形 - Rectangle"}));
  list->setCurrentRow(1);
  Click(dialog, "上移");
  Click(dialog, "确定");

  EXPECT_EQ(document.ItemTable.Count(), 3);
  EXPECT_TRUE(document.ItemTable[1].Deleted);
  EXPECT_EQ(document.ItemTable[1].Text, "Hello");
  EXPECT_EQ(document.ItemTable[2].ImageFileName, "/pics/a.gif");
  EXPECT_EQ(document.ItemTable[3].Kind, document::ItemKind::ikShape);
  document.UndeleteLastItem();
  EXPECT_FALSE(document.ItemTable[1].Deleted);
  EXPECT_EQ(ItemOrderDialog(document).list()->count(), 3);
}

}  // namespace
}  // namespace tessaly::shell
