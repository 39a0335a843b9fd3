#include "shell/core/PlacementCommands.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "document/BuildPipeline.h"
#include "shell/core/ItemCommands.h"

namespace tessaly::shell {
namespace {

using document::ItemKind;
using document::TFlashObjects;

constexpr int PropertyX = 0;
constexpr int PropertyY = 1;
constexpr int PropertyWidth = 8;
constexpr int PropertyHeight = 9;

std::optional<std::int32_t> RoundedNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
  constexpr double lowest = std::numeric_limits<std::int32_t>::min();
  constexpr double highest = std::numeric_limits<std::int32_t>::max();
  if (value < lowest || value > highest) return std::nullopt;
  return static_cast<std::int32_t>(std::lround(value));
}

}  // namespace

std::int32_t PropertyPosition(const std::string& text) { return RoundedNumber(text).value_or(100); }

std::int32_t PropertySize(const std::string& text) { return RoundedNumber(text).value_or(0); }

TOutline OutlineOf(const TFlashObjects& item) {
  switch (item.Kind) {
    case ItemKind::ikImage:
      return {item.X, item.Y, item.Width, item.Height};
    case ItemKind::ikText:
      return {item.X - item.Width / 2, item.Y, item.Width, item.Height};
    case ItemKind::ikShape:
      break;
  }
  TOutline box{item.X, item.Y, item.Width, item.Height};
  if (!document::IsBoxShape(item.ShapeType)) {
    const std::int32_t r = item.ShapeType == document::stPie ? item.Radius : std::max(item.InnerRadius, item.OuterRadius);
    box = {item.X - r, item.Y - r, 2 * r, 2 * r};
  }
  const std::int32_t edge = std::max(item.BorderWidth, 0) / 2;
  return {box.Left - edge, box.Top - edge, box.Width + 2 * edge, box.Height + 2 * edge};
}

TPlacementCommands::TPlacementCommands(document::TBannerDocument& document, document::TBuildPipeline& pipeline,
                                       TPreviewScripting& scripting, TItemCommands& items)
    : document_(document), pipeline_(pipeline), scripting_(scripting), items_(items) {}

int TPlacementCommands::NamedCurrentItem() const {
  const std::string& name = document_.CurrentItemName;
  if (name.empty()) return 0;
  for (int i = 1; i <= document_.ItemTable.Count(); ++i)
    if (document_.ItemTable[i].Name == name) return i;
  return 0;
}

std::optional<std::int32_t> TPlacementCommands::Property(const std::string& name, int index) {
  const std::optional<std::string> text = scripting_.TGetProperty(name, index);
  if (!text) return std::nullopt;
  return index == PropertyWidth || index == PropertyHeight ? PropertySize(*text) : PropertyPosition(*text);
}

int TPlacementCommands::ReleaseInPreview() {
  if (document_.Playing) {
    pipeline_.StopAnimation();
    return 0;
  }
  return SelectByRelease();
}

int TPlacementCommands::SelectByRelease() {
  if (const std::optional<std::string> pressed = scripting_.GetVariable("CurrentObj")) {
    document_.CurrentItemName = *pressed;
  }
  const int index = NamedCurrentItem();
  if (index == 0) return 0;
  TFlashObjects& item = document_.ItemTable[index];
  // An instance the movie does not hold has not moved.
  const std::int32_t px = Property(item.Name, PropertyX).value_or(0);
  const std::int32_t py = Property(item.Name, PropertyY).value_or(0);
  if (!item.Moved) {
    item.DragBaseX = item.X;
    item.DragBaseY = item.Y;
    item.X += px;
    item.Y += py;
  } else if (item.Kind == ItemKind::ikText) {
    item.X = px + item.DragBaseX + Property(item.Name, PropertyWidth).value_or(0) / 2;
    item.Y = py + item.DragBaseY + Property(item.Name, PropertyHeight).value_or(0) / 2;
    item.DragBaseX = item.X;
    item.DragBaseY = item.Y;
  } else {
    item.X = px + item.DragBaseX;
    item.Y = py + item.DragBaseY;
  }
  if (px != 0 || py != 0) document_.ChangeMade = true;
  item.Moved = true;
  items_.SelectAndFill(index);
  document_.RequestPreviewRebuild();
  return index;
}

void TPlacementCommands::Nudge(TNudge direction, int steps) {
  const int index = NamedCurrentItem();
  if (index == 0) return;
  TFlashObjects& item = document_.ItemTable[index];
  const bool vertical = direction == TNudge::nUp || direction == TNudge::nDown;
  const int axis = vertical ? PropertyY : PropertyX;
  const int delta = (direction == TNudge::nUp || direction == TNudge::nLeft ? -1 : 1) * steps;
  const std::optional<std::int32_t> position = Property(item.Name, axis);
  if (!position) return;
  const std::int32_t moved = *position + delta;
  scripting_.TSetProperty(item.Name, axis, std::to_string(moved));
  std::int32_t& coordinate = vertical ? item.Y : item.X;
  std::int32_t& base = vertical ? item.DragBaseY : item.DragBaseX;
  if (item.Moved) {
    coordinate = moved + base;
  } else {
    base = coordinate;
    coordinate += moved;
    item.Moved = true;
  }
  document_.ChangeMade = true;
  document_.RequestPreviewRebuild();
}

void TPlacementCommands::CentreHorizontally() {
  const int index = NamedCurrentItem();
  if (index == 0) return;
  TFlashObjects& item = document_.ItemTable[index];
  const std::int32_t w = document_.BannerSettings.BannerWidth;
  if (item.Kind == ItemKind::ikImage) return;
  if (item.Kind == ItemKind::ikShape && document::IsBoxShape(item.ShapeType))
    item.X = w / 2 - item.Width / 2;
  else
    item.X = w / 2;
  document_.ChangeMade = true;
  document_.RequestPreviewRebuild();
}

void TPlacementCommands::CentreVertically() {
  const int index = NamedCurrentItem();
  if (index == 0) return;
  TFlashObjects& item = document_.ItemTable[index];
  const std::int32_t h = document_.BannerSettings.BannerHeight;
  switch (item.Kind) {
    case ItemKind::ikText: {
      const std::optional<std::int32_t> rendered = Property(item.Name, PropertyHeight);
      if (!rendered) return;
      item.Y = (h - *rendered) / 2;
      break;
    }
    case ItemKind::ikShape:
      item.Y = document::IsBoxShape(item.ShapeType) ? h / 2 - item.Height / 2 : h / 2;
      break;
    case ItemKind::ikImage:
      // Rebuilt like the others, so the preview never shows the picture
      // away from its new place.
      item.Y = (h - item.Height) / 2;
      break;
  }
  document_.ChangeMade = true;
  document_.RequestPreviewRebuild();
}

void TPlacementCommands::Delete() { document_.DeleteCurrentItem(); }

void TPlacementCommands::Undelete() { document_.UndeleteLastItem(); }

}  // namespace tessaly::shell
