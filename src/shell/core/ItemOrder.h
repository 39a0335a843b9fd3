#pragma once
// The item order dialog without its widgets: the rows it lists, moving a row
// up or down, and permuting the item table when the user confirms.

#include <string>
#include <vector>

#include "document/BannerDocument.h"

namespace tessaly::shell {

// One row of the dialog: the caption shown and the table index it stands for.
struct TItemOrderRow {
  std::string Caption;
  int Index = 0;

  bool operator==(const TItemOrderRow&) const = default;
};

// "Rectangle", "Rounded Rectangle", ... by ShapeType ("Rectangle" for any
// unknown value).
std::string ShapeTypeName(int shapeType);

// "外形 - " + the shape's name, "图像 - " + the picture's path, or
// "文字 - " + the text.
std::string ItemOrderCaption(const document::TFlashObjects& item);

// The visible items, topmost (highest index) first.
std::vector<TItemOrderRow> ItemOrderRows(const document::TItemTable& table);

// Swaps row `row` with the one above (up) or below (down) and returns the
// row now holding the moved item; at either end, or with no row selected
// (-1), nothing moves and `row` is returned.
int MoveItemOrderRow(std::vector<TItemOrderRow>& rows, int row, bool up);

// Applies the order of `rows` (topmost first) to the document: the rows'
// items take positions Count down to the number of deleted items + 1; the
// deleted items keep their old order below them, from position 1, and
// LastDeletedItem follows its record. Every record is renamed "but" + its
// position, the current item and the last-item indexes follow their
// records, ChangeMade is set and a preview rebuild is requested. `rows` must
// name every visible item once; std::invalid_argument otherwise (the table
// is untouched then).
void ApplyItemOrder(document::TBannerDocument& document, const std::vector<TItemOrderRow>& rows);

}  // namespace tessaly::shell
