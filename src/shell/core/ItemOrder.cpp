#include "shell/core/ItemOrder.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace tessaly::shell {

using document::ItemKind;
using document::TBannerDocument;
using document::TFlashObjects;
using document::TItemTable;

std::string ShapeTypeName(int shapeType) {
  static const std::array<const char*, 7> names = {
      "Rectangle", "Rounded Rectangle", "Ellipse", "Diamond", "Star", "Pie", "Ring"};
  if (shapeType < 0 || shapeType >= static_cast<int>(names.size())) return names[0];
  return names[static_cast<std::size_t>(shapeType)];
}

std::string ItemOrderCaption(const TFlashObjects& item) {
  switch (item.Kind) {
    case ItemKind::ikImage: return "图像 - " + item.ImageFileName;
    case ItemKind::ikText: return "文字 - " + item.Text;
    case ItemKind::ikShape: break;
  }
  return "外形 - " + ShapeTypeName(item.ShapeType);
}

std::vector<TItemOrderRow> ItemOrderRows(const TItemTable& table) {
  std::vector<TItemOrderRow> rows;
  for (int i = table.Count(); i >= 1; --i)
    if (!table[i].Deleted) rows.push_back({ItemOrderCaption(table[i]), i});
  return rows;
}

int MoveItemOrderRow(std::vector<TItemOrderRow>& rows, int row, bool up) {
  const int target = up ? row - 1 : row + 1;
  if (row < 0 || row >= static_cast<int>(rows.size()) || target < 0 ||
      target >= static_cast<int>(rows.size()))
    return row;
  std::swap(rows[static_cast<std::size_t>(row)], rows[static_cast<std::size_t>(target)]);
  return target;
}

namespace {

// The old index of the record at each new position (element 0 is position
// 1): the deleted records in their order, then the rows from the bottom up.
std::vector<int> NewOrder(const TItemTable& table, const std::vector<TItemOrderRow>& rows) {
  std::vector<int> order;
  std::vector<int> visible;
  for (int i = 1; i <= table.Count(); ++i) {
    if (table[i].Deleted)
      order.push_back(i);
    else
      visible.push_back(i);
  }
  std::vector<int> named;
  for (const TItemOrderRow& row : rows) named.push_back(row.Index);
  std::sort(named.begin(), named.end());
  if (named != visible)
    throw std::invalid_argument("the order does not name every visible item once");
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) order.push_back(row->Index);
  return order;
}

// The highest position of a visible item of `kind`; -1 when there is none.
int LastItemOf(const TItemTable& table, ItemKind kind) {
  for (int i = table.Count(); i >= 1; --i)
    if (!table[i].Deleted && table[i].Kind == kind) return i;
  return -1;
}

}  // namespace

void ApplyItemOrder(TBannerDocument& document, const std::vector<TItemOrderRow>& rows) {
  TItemTable& table = document.ItemTable;
  const std::vector<int> order = NewOrder(table, rows);

  std::vector<TFlashObjects> records;
  records.reserve(order.size());
  for (int oldIndex : order) records.push_back(table[oldIndex]);

  int currentIndex = document.CurrentItemIndex;
  int lastDeleted = document.LastDeletedItem;
  for (std::size_t p = 0; p < order.size(); ++p) {
    const int position = static_cast<int>(p) + 1;
    TFlashObjects& record = table[position];
    record = std::move(records[p]);
    record.Name = "but" + std::to_string(position);
    if (order[p] == document.CurrentItemIndex) {
      currentIndex = position;
      document.CurrentItemName = record.Name;
    }
    if (order[p] == document.LastDeletedItem) lastDeleted = position;
  }
  document.CurrentItemIndex = currentIndex;
  document.LastDeletedItem = lastDeleted;
  document.LastShapeItem = LastItemOf(table, ItemKind::ikShape);
  document.LastImageItem = LastItemOf(table, ItemKind::ikImage);
  document.LastTextItem = LastItemOf(table, ItemKind::ikText);
  document.ChangeMade = true;
  document.RequestPreviewRebuild();
}

}  // namespace tessaly::shell
