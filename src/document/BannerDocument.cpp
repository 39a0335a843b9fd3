#include "document/BannerDocument.h"
#include "platform/Picture.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <stdexcept>

namespace tessaly::document {
namespace {

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

}  // namespace

TFlashObjects& TItemTable::operator[](int index) {
  if (index < 1 || index > Capacity) throw std::out_of_range("item index out of range");
  return records_[static_cast<size_t>(index - 1)];
}

const TFlashObjects& TItemTable::operator[](int index) const {
  if (index < 1 || index > Capacity) throw std::out_of_range("item index out of range");
  return records_[static_cast<size_t>(index - 1)];
}

TFlashObjects& TItemTable::Append() {
  if (Full()) throw std::length_error("the item table is full");
  ++count_;
  TFlashObjects& item = (*this)[count_];
  item = TFlashObjects{};
  item.Name = "but" + std::to_string(count_);
  return item;
}

void TItemTable::Clear() {
  records_.fill(TFlashObjects{});
  count_ = 0;
}

std::string TBannerSettings::TargetWindow() const {
  switch (TargetChoice) {
    case tcNewWindow:
      return "_blank";
    case tcSameWindow:
      return "_self";
    default:
      return TargetWindowName;
  }
}

std::uint8_t ImageTypeOf(std::string_view fileName) {
  return static_cast<std::uint8_t>(platform::PictureKindOf(fileName));
}

double AspectOf(std::int32_t width, std::int32_t height) {
  return height == 0 ? 0.0 : static_cast<double>(width) / height;
}

std::int32_t TBannerDocument::FindCurrentItem() {
  CurrentItemIndex = -1;
  if (CurrentItemName.empty()) return -1;
  for (int i = 1; i <= ItemTable.Count(); ++i) {
    const TFlashObjects& item = ItemTable[i];
    if (!item.Deleted && item.Name == CurrentItemName) {
      CurrentItemIndex = i;
      break;
    }
  }
  return CurrentItemIndex;
}

TFlashObjects* TBannerDocument::CurrentItemOf(ItemKind kind) {
  const std::int32_t index = FindCurrentItem();
  if (index < 0 || ItemTable[index].Kind != kind) return nullptr;
  return &ItemTable[index];
}

void TBannerDocument::SelectItem(int index) {
  const TFlashObjects& item = ItemTable[index];
  CurrentItemName = item.Name;
  CurrentItemIndex = index;
  switch (item.Kind) {
    case ItemKind::ikShape:
      LastShapeItem = index;
      break;
    case ItemKind::ikImage:
      LastImageItem = index;
      break;
    case ItemKind::ikText:
      LastTextItem = index;
      break;
  }
}

void TBannerDocument::NewDocument(const TNewDocumentDefaults& defaults) {
  PreviewEnabled = false;
  BannerSettings.BackgroundShape = 0;
  BannerSettings.BackgroundType = TBackgroundType::btColor;
  BannerSettings.BackgroundColor = 0xFFFFFF;
  BannerSettings.BannerWidth = defaults.BannerWidth;
  BannerSettings.BannerHeight = defaults.BannerHeight;
  ItemTable.Clear();
  LastDeletedItem = -1;
  SetCommandState(false, false);
  LastShapeItem = -1;
  LastImageItem = -1;
  LastTextItem = -1;
  BannerSettings.AnimateBackground = defaults.AnimateBackground;
  BannerSettings.AnimateShapes = defaults.AnimateShapes;
  BannerSettings.AnimateImages = defaults.AnimateImages;
  BannerSettings.AnimateText = defaults.AnimateText;
  BannerSettings.AnimationLoop = defaults.AnimationLoop;
  BannerSettings.AnimationFirstFrame = defaults.AnimationFirstFrame;
  BannerSettings.AnimationLastFrame = defaults.AnimationLastFrame;
  ChangeMade = false;
  PreviewEnabled = true;
  RequestPreviewRebuild();
}

TAddResult TBannerDocument::RefuseWhenFull() const {
  TAddResult refused;
  refused.Refusal = TooManyItemsMessage;
  return refused;
}

TAddResult TBannerDocument::AddShapeItem(const TShapeDefaults& defaults) {
  if (ItemTable.Full()) return RefuseWhenFull();
  const std::int32_t w = BannerSettings.BannerWidth;
  const std::int32_t h = BannerSettings.BannerHeight;
  TFlashObjects& item = ItemTable.Append();
  item.Kind = ItemKind::ikShape;
  item.Width = w / 2;
  item.Height = h / 2;
  item.ShapeType = defaults.ShapeType;
  if (IsBoxShape(item.ShapeType)) {
    item.X = (w - item.Width) / 2;
    item.Y = (h - item.Height) / 2;
  } else {
    item.X = w / 2;
    item.Y = h / 2;
  }
  item.Radius = std::min(item.X, item.Y);
  item.InnerRadius = platform::RoundHalfEven(item.Radius / 1.5);
  item.OuterRadius = item.Radius / 3;
  item.Color = defaults.Color;
  item.NumberOfPoints = defaults.NumberOfPoints;
  item.StartAngle = defaults.StartAngle;
  item.EndAngle = defaults.EndAngle;
  item.FillType = 0;
  item.Transparency = defaults.Transparency;
  const int index = ItemTable.Count();
  SelectItem(index);
  SetCommandState(true, undeleteEnabled_);
  FinishEdit();
  return {index, {}};
}

TAddResult TBannerDocument::AddTextItem(std::string_view text, const TTextDefaults& defaults) {
  if (ItemTable.Full()) return RefuseWhenFull();
  const std::int32_t w = BannerSettings.BannerWidth;
  const std::int32_t h = BannerSettings.BannerHeight;
  TFlashObjects& item = ItemTable.Append();
  item.Kind = ItemKind::ikText;
  item.X = w / 2;
  item.Y = h / 2;
  item.DragBaseX = w / 2;
  item.DragBaseY = h / 2;
  item.Color = defaults.Color;
  item.FontSize = defaults.FontSize;
  item.CharSpacing = defaults.CharSpacing;
  item.Transparency = defaults.Transparency;
  item.Italic = defaults.Style == 1 || defaults.Style == 3;
  item.Bold = defaults.Style == 2 || defaults.Style == 3;
  item.Text = IsBlank(text) ? std::string("New Text") : std::string(text);
  item.FontName = defaults.FontName.empty() ? std::string("Arial") : defaults.FontName;
  item.ShadowAltitude = defaults.ShadowAltitude;
  item.ShadowColor = defaults.ShadowColor;
  item.ShadowAngle = defaults.ShadowAngle;
  const int index = ItemTable.Count();
  SelectItem(index);
  SetCommandState(true, undeleteEnabled_);
  FinishEdit();
  return {index, {}};
}

TAddResult TBannerDocument::AddImageItem(std::string_view fileName,
                                         const TImageDefaults& defaults) {
  if (ItemTable.Full()) return RefuseWhenFull();
  TFlashObjects& item = ItemTable.Append();
  item.Width = defaults.Width;
  item.Height = defaults.Height;
  item.AspectRatio = AspectOf(item.Width, item.Height);
  item.Kind = ItemKind::ikImage;
  item.X = 0;
  item.Y = 0;
  item.ImageFileName = fileName;
  item.Color = defaults.ShapeColor;
  item.GifFrame = defaults.GifFrame;
  item.KeepAspect = defaults.KeepAspect;
  item.Transparency = defaults.Transparency;
  item.ImageType = ImageTypeOf(fileName);
  const int index = ItemTable.Count();
  SelectItem(index);
  SetCommandState(true, undeleteEnabled_);
  FinishEdit();
  return {index, {}};
}

void TBannerDocument::DeleteCurrentItem() {
  const std::int32_t index = FindCurrentItem();
  if (index < 0) return;
  ItemTable[index].Deleted = true;
  FinishEdit();
  LastDeletedItem = index;
  SetCommandState(deleteEnabled_, true);
}

void TBannerDocument::UndeleteLastItem() {
  if (LastDeletedItem < 0) return;
  ItemTable[LastDeletedItem].Deleted = false;
  FinishEdit();
  LastDeletedItem = -1;
  SetCommandState(deleteEnabled_, false);
}

void TBannerDocument::SetCurrentImageHeight(std::int32_t height) {
  TFlashObjects* item = CurrentItemOf(ItemKind::ikImage);
  if (item == nullptr) return;
  item->Height = height;
  if (item->KeepAspect && item->AspectRatio > 0)
    item->Width = platform::RoundHalfEven(height * item->AspectRatio);
  else
    item->AspectRatio = AspectOf(item->Width, height);
  FinishEdit();
}

void TBannerDocument::SetCurrentImageWidth(std::int32_t width) {
  TFlashObjects* item = CurrentItemOf(ItemKind::ikImage);
  if (item == nullptr) return;
  item->Width = width;
  if (item->KeepAspect && item->AspectRatio > 0)
    item->Height = platform::RoundHalfEven(width / item->AspectRatio);
  else
    item->AspectRatio = AspectOf(width, item->Height);
  FinishEdit();
}

void TBannerDocument::RequestPreviewRebuild() {
  if (listener_ != nullptr) listener_->PreviewRebuildRequested();
}

void TBannerDocument::SetCommandState(bool deleteEnabled, bool undeleteEnabled) {
  deleteEnabled_ = deleteEnabled;
  undeleteEnabled_ = undeleteEnabled;
  if (listener_ != nullptr) listener_->CommandsChanged(deleteEnabled_, undeleteEnabled_);
}

void TBannerDocument::FinishEdit() {
  ChangeMade = true;
  RequestPreviewRebuild();
}

}  // namespace tessaly::document
