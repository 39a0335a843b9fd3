#include "shell/core/EditSteps.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tessaly::shell {
namespace {

using document::ItemKind;
using document::TFlashObjects;

// The names of the item actions, by item kind (shape, picture, text).
struct TItemActionNames {
  TEditAction Action;
  std::array<const char*, 3> Names;
};

constexpr std::array<TItemActionNames, 6> ItemActionNames = {{
    {TEditAction::eaAdd,
     {QT_TRANSLATE_NOOP("Tessaly", "添加外形"), QT_TRANSLATE_NOOP("Tessaly", "添加图像"),
      QT_TRANSLATE_NOOP("Tessaly", "添加文字")}},
    {TEditAction::eaDelete,
     {QT_TRANSLATE_NOOP("Tessaly", "删除外形"), QT_TRANSLATE_NOOP("Tessaly", "删除图像"),
      QT_TRANSLATE_NOOP("Tessaly", "删除文字")}},
    {TEditAction::eaUndelete,
     {QT_TRANSLATE_NOOP("Tessaly", "恢复删除的外形"), QT_TRANSLATE_NOOP("Tessaly", "恢复删除的图像"),
      QT_TRANSLATE_NOOP("Tessaly", "恢复删除的文字")}},
    {TEditAction::eaMove,
     {QT_TRANSLATE_NOOP("Tessaly", "移动外形"), QT_TRANSLATE_NOOP("Tessaly", "移动图像"),
      QT_TRANSLATE_NOOP("Tessaly", "移动文字")}},
    {TEditAction::eaNudge,
     {QT_TRANSLATE_NOOP("Tessaly", "微移外形"), QT_TRANSLATE_NOOP("Tessaly", "微移图像"),
      QT_TRANSLATE_NOOP("Tessaly", "微移文字")}},
    {TEditAction::eaEditItem,
     {QT_TRANSLATE_NOOP("Tessaly", "修改外形"), QT_TRANSLATE_NOOP("Tessaly", "修改图像"),
      QT_TRANSLATE_NOOP("Tessaly", "修改文字")}},
}};

struct TBannerActionName {
  TEditAction Action;
  const char* Name;
};

constexpr std::array<TBannerActionName, 6> BannerActionNames = {{
    {TEditAction::eaReorder, QT_TRANSLATE_NOOP("Tessaly", "重新排序")},
    {TEditAction::eaSize, QT_TRANSLATE_NOOP("Tessaly", "修改横幅大小")},
    {TEditAction::eaBackground, QT_TRANSLATE_NOOP("Tessaly", "修改背景")},
    {TEditAction::eaAnimation, QT_TRANSLATE_NOOP("Tessaly", "修改动画")},
    {TEditAction::eaMovie, QT_TRANSLATE_NOOP("Tessaly", "修改影片设置")},
    {TEditAction::eaBanner, QT_TRANSLATE_NOOP("Tessaly", "修改横幅")},
}};

// The settings fields by the action that changes them; the rest belong to
// the background.
TEditAction SettingsAction(const std::string& key) {
  if (key == "BannerWidth" || key == "BannerHeight") return TEditAction::eaSize;
  if (key == "URL" || key == "TargetChoice" || key == "TargetWindowName" || key == "Compress" ||
      key == "FlashVersion" || key == "UseClickTag")
    return TEditAction::eaMovie;
  if (key.starts_with("Animat")) return TEditAction::eaAnimation;
  return TEditAction::eaBackground;
}

TEdit SettingsEdit(const TDocumentState& before, const TDocumentState& after) {
  TEdit edit;
  edit.Fields = ChangedKeys(SettingsFieldLines(before.BannerSettings), SettingsFieldLines(after.BannerSettings));
  edit.Action = edit.Fields.empty() ? TEditAction::eaBanner : SettingsAction(edit.Fields.front());
  for (const std::string& key : edit.Fields)
    if (SettingsAction(key) != edit.Action) edit.Action = TEditAction::eaBanner;
  return edit;
}

TEditAction ItemAction(const TFlashObjects& before, const TFlashObjects& after,
                       const std::vector<std::string>& fields) {
  if (!before.Deleted && after.Deleted) return TEditAction::eaDelete;
  if (before.Deleted && !after.Deleted) return TEditAction::eaUndelete;
  const bool positionOnly = std::all_of(fields.begin(), fields.end(),
                                        [](const std::string& key) { return key == "X" || key == "Y"; });
  if (!positionOnly) return TEditAction::eaEditItem;
  const std::int64_t distance = std::llabs(std::int64_t{after.X} - before.X) + std::llabs(std::int64_t{after.Y} - before.Y);
  return distance == 1 ? TEditAction::eaNudge : TEditAction::eaMove;
}

// The records without their names, sorted: equal for two orders of the
// same items.
std::vector<TFieldLines> ItemsAnyOrder(const document::TItemTable& table) {
  std::vector<TFieldLines> items;
  for (int i = 1; i <= table.Count(); ++i) {
    TFlashObjects design = DesignOf(table[i]);
    design.Name.clear();
    items.push_back(ItemFieldLines(design));
  }
  std::sort(items.begin(), items.end());
  return items;
}

TEdit TableEdit(const TDocumentState& before, const TDocumentState& after) {
  const document::TItemTable& was = before.ItemTable;
  const document::TItemTable& is = after.ItemTable;
  TEdit edit;
  if (is.Count() > was.Count()) {
    edit.Action = TEditAction::eaAdd;
    edit.Item = is.Count();
    return edit;
  }
  if (is.Count() < was.Count()) return edit;
  std::vector<int> changed;
  for (int i = 1; i <= is.Count(); ++i)
    if (!(DesignOf(was[i]) == DesignOf(is[i]))) changed.push_back(i);
  if (changed.size() == 1) {
    edit.Item = changed.front();
    edit.Fields = ChangedKeys(ItemFieldLines(DesignOf(was[edit.Item])), ItemFieldLines(DesignOf(is[edit.Item])));
    edit.Action = ItemAction(was[edit.Item], is[edit.Item], edit.Fields);
  } else if (changed.size() > 1 && ItemsAnyOrder(was) == ItemsAnyOrder(is)) {
    edit.Action = TEditAction::eaReorder;
  }
  return edit;
}

}  // namespace

TEdit EditBetween(const TDocumentState& before, const TDocumentState& after) {
  const bool settingsChanged = !(before.BannerSettings == after.BannerSettings);
  bool itemsChanged = before.ItemTable.Count() != after.ItemTable.Count();
  for (int i = 1; !itemsChanged && i <= after.ItemTable.Count(); ++i)
    itemsChanged = !(DesignOf(before.ItemTable[i]) == DesignOf(after.ItemTable[i]));

  TEdit edit;
  if (settingsChanged && !itemsChanged) edit = SettingsEdit(before, after);
  if (itemsChanged && !settingsChanged) edit = TableEdit(before, after);
  const ItemKind kind = edit.Item > 0 ? after.ItemTable[edit.Item].Kind : ItemKind::ikShape;
  edit.Name = EditName(edit.Action, kind);
  return edit;
}

const char* EditName(TEditAction action, ItemKind kind) {
  for (const TItemActionNames& names : ItemActionNames)
    if (names.Action == action) return names.Names[static_cast<size_t>(kind)];
  for (const TBannerActionName& name : BannerActionNames)
    if (name.Action == action) return name.Name;
  return BannerActionNames.back().Name;
}

bool MergingAction(TEditAction action) {
  return action != TEditAction::eaAdd && action != TEditAction::eaDelete && action != TEditAction::eaUndelete &&
         action != TEditAction::eaMove && action != TEditAction::eaReorder && action != TEditAction::eaBanner;
}

}  // namespace tessaly::shell
