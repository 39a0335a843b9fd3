#include "shell/core/ItemOrder.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace tessaly::shell {
namespace {

using document::ItemKind;
using document::TBannerDocument;

class TRebuildCounter : public document::TDocumentListener {
 public:
  void PreviewRebuildRequested() override { ++Rebuilds; }
  void CommandsChanged(bool, bool) override {}
  int Rebuilds = 0;
};

// A shape (ellipse), a picture and a text, added in that order.
void AddThree(TBannerDocument& document) {
  document::TShapeDefaults shape;
  shape.ShapeType = document::stEllipse;
  document.AddShapeItem(shape);
  document::TImageDefaults image;
  image.Width = 20;
  image.Height = 10;
  document.AddImageItem("/pics/a.gif", image);
  document.AddTextItem("Hello", {});
}

TEST(ItemOrder, CaptionsByKindAndShapeNames) {
  document::TFlashObjects item;
  const std::pair<int, std::string> shapes[] = {
      {0, "外形 - Rectangle"}, {1, "外形 - Rounded Rectangle"}, {2, "外形 - Ellipse"},
      {3, "外形 - Diamond"},   {4, "外形 - Star"},              {5, "外形 - Pie"},
      {6, "外形 - Ring"},      {7, "外形 - Rectangle"},         {-1, "外形 - Rectangle"},
  };
  for (const auto& [type, caption] : shapes) {
    item.ShapeType = type;
    EXPECT_EQ(ItemOrderCaption(item), caption) << type;
  }
  item.Kind = ItemKind::ikImage;
  item.ImageFileName = "/home/ann/横幅.gif";
  EXPECT_EQ(ItemOrderCaption(item), "图像 - /home/ann/横幅.gif");
  item.Kind = ItemKind::ikText;
  item.Text = "Buy now";
  EXPECT_EQ(ItemOrderCaption(item), "文字 - Buy now");
}

TEST(ItemOrder, RowsListTheTopmostFirstAndLeaveOutDeletedItems) {
  TBannerDocument document;
  AddThree(document);
  EXPECT_EQ(ItemOrderRows(document.ItemTable),
            (std::vector<TItemOrderRow>{
                {"文字 - Hello", 3}, {"图像 - /pics/a.gif", 2}, {"外形 - Ellipse", 1}}));
  document.SelectItem(2);
  document.DeleteCurrentItem();
  EXPECT_EQ(ItemOrderRows(document.ItemTable),
            (std::vector<TItemOrderRow>{{"文字 - Hello", 3}, {"外形 - Ellipse", 1}}));
}

TEST(ItemOrder, MovingRowsStopsAtTheEnds) {
  const std::vector<TItemOrderRow> start = {{"a", 3}, {"b", 2}, {"c", 1}};
  struct TCase {
    int row;
    bool up;
    int selected;
    std::vector<int> indexes;
  };
  const TCase cases[] = {
      {0, true, 0, {3, 2, 1}},  {2, false, 2, {3, 2, 1}}, {-1, true, -1, {3, 2, 1}},
      {-1, false, -1, {3, 2, 1}}, {2, true, 1, {3, 1, 2}}, {0, false, 1, {2, 3, 1}},
      {5, true, 5, {3, 2, 1}},
  };
  for (const TCase& c : cases) {
    std::vector<TItemOrderRow> rows = start;
    EXPECT_EQ(MoveItemOrderRow(rows, c.row, c.up), c.selected) << c.row << c.up;
    std::vector<int> indexes;
    for (const TItemOrderRow& row : rows) indexes.push_back(row.Index);
    EXPECT_EQ(indexes, c.indexes) << c.row << c.up;
  }
}

TEST(ItemOrder, ShapeMovedToTheTopBecomesTheLastRecord) {
  TBannerDocument document;
  TRebuildCounter listener;
  AddThree(document);
  document.SelectItem(1);  // the shape is current
  document.ChangeMade = false;
  document.SetListener(&listener);
  const document::TFlashObjects shape = document.ItemTable[1];
  const document::TFlashObjects picture = document.ItemTable[2];
  const document::TFlashObjects text = document.ItemTable[3];

  std::vector<TItemOrderRow> rows = ItemOrderRows(document.ItemTable);
  int row = MoveItemOrderRow(rows, 2, true);
  row = MoveItemOrderRow(rows, row, true);
  ASSERT_EQ(row, 0);
  ApplyItemOrder(document, rows);

  const document::TFlashObjects* expected[] = {&picture, &text, &shape};
  for (int position = 1; position <= 3; ++position) {
    document::TFlashObjects record = *expected[position - 1];
    record.Name = "but" + std::to_string(position);
    EXPECT_EQ(document.ItemTable[position], record) << position;
  }
  EXPECT_EQ(document.ItemTable.Count(), 3);
  EXPECT_EQ(document.LastShapeItem, 3);
  EXPECT_EQ(document.LastImageItem, 1);
  EXPECT_EQ(document.LastTextItem, 2);
  EXPECT_EQ(document.CurrentItemIndex, 3);
  EXPECT_EQ(document.CurrentItemName, "but3");
  EXPECT_TRUE(document.ChangeMade);
  EXPECT_EQ(listener.Rebuilds, 1);
  document.SetListener(nullptr);
}

TEST(ItemOrder, DeletedItemsGoBelowTheOthersAndComeBackWithUndelete) {
  TBannerDocument document;
  AddThree(document);
  document.AddShapeItem({});  // a rectangle, 4
  document.SelectItem(2);
  document.DeleteCurrentItem();  // the picture
  document.SelectItem(3);        // the text is current
  ASSERT_EQ(document.LastDeletedItem, 2);
  const document::TFlashObjects picture = document.ItemTable[2];

  // Rows: rectangle (4), text (3), ellipse (1); the ellipse goes to the top.
  std::vector<TItemOrderRow> rows = ItemOrderRows(document.ItemTable);
  ASSERT_EQ(rows.size(), 3u);
  MoveItemOrderRow(rows, MoveItemOrderRow(rows, 2, true), true);
  ApplyItemOrder(document, rows);

  document::TFlashObjects deleted = picture;
  deleted.Name = "but1";
  EXPECT_EQ(document.ItemTable[1], deleted);
  EXPECT_EQ(document.ItemTable[2].Text, "Hello");
  EXPECT_EQ(document.ItemTable[2].Name, "but2");
  EXPECT_EQ(document.ItemTable[3].ShapeType, document::stRectangle);
  EXPECT_EQ(document.ItemTable[4].ShapeType, document::stEllipse);
  EXPECT_EQ(document.LastDeletedItem, 1);
  EXPECT_EQ(document.CurrentItemIndex, 2);
  EXPECT_EQ(document.CurrentItemName, "but2");
  EXPECT_EQ(document.LastImageItem, -1);
  EXPECT_EQ(document.LastShapeItem, 4);

  document.UndeleteLastItem();
  EXPECT_FALSE(document.ItemTable[1].Deleted);
  EXPECT_EQ(document.ItemTable[1].ImageFileName, "/pics/a.gif");
}

TEST(ItemOrder, AnOrderThatDoesNotNameEveryVisibleItemIsRefused) {
  TBannerDocument document;
  AddThree(document);
  const document::TItemTable before = document.ItemTable;
  const std::vector<TItemOrderRow> wrong[] = {
      {{"", 3}, {"", 2}},
      {{"", 3}, {"", 3}, {"", 1}},
      {{"", 3}, {"", 2}, {"", 1}, {"", 4}},
  };
  for (const auto& rows : wrong) {
    EXPECT_THROW(ApplyItemOrder(document, rows), std::invalid_argument);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(document.ItemTable[i], before[i]);
  }
}

}  // namespace
}  // namespace tessaly::shell
