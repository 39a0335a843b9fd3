#include "shell/core/ItemCommands.h"

#include <algorithm>
#include <filesystem>

#include "document/BuildPipeline.h"
#include "platform/GifDecoder.h"
#include "shell/core/PictureChecks.h"

namespace tessaly::shell {
namespace {

using document::ItemKind;
using document::TFlashObjects;

// Moves a shape between the box and the centre meaning of X and Y so that it
// stays in place when its type changes class.
void ConvertShapePosition(TFlashObjects& shape, std::int32_t newType) {
  const bool wasBox = document::IsBoxShape(shape.ShapeType);
  const bool isBox = document::IsBoxShape(newType);
  if (wasBox && !isBox) {
    shape.X += shape.Width / 2;
    shape.Y += shape.Height / 2;
  } else if (!wasBox && isBox) {
    shape.X -= shape.Width / 2;
    shape.Y -= shape.Height / 2;
  }
}

// The gif frame to use for a picture file: the frame dialog's answer for an
// animated GIF, else -1.
std::int32_t GifFrameFor(const std::string& fileName, TItemDialogs& dialogs) {
  if (document::ImageTypeOf(fileName) != 1) return -1;
  const platform::TGifImage gif = platform::TGifImage::LoadFromFile(fileName);
  return IsAnimatedGif(gif) ? dialogs.ChooseGifFrame(gif.FrameCount()) : -1;
}

}  // namespace

std::string LimitedText(std::string_view text) {
  int characters = 0;
  size_t end = 0;
  for (; end < text.size(); ++end) {
    // A character starts at every byte that is not a UTF-8 continuation byte.
    if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && ++characters > MaxTextLength) break;
  }
  return std::string(text.substr(0, end));
}

bool IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

TItemCommands::TItemCommands(document::TBannerDocument& document, document::TBuildPipeline& pipeline)
    : document_(document), pipeline_(pipeline) {}

void TItemCommands::ResetForStartup() {
  shape_.ShapeType = document::stRectangle;
  shape_.Radius = 30;
  shape_.InnerRadius = 25;
  shape_.OuterRadius = 5;
  shape_.NumberOfPoints = 5;
  shape_.StartAngle = 180;
  shape_.EndAngle = 0;
  shape_.BorderWidth = 0;
  text_.FontName = "Arial";
  text_.Color = 0;
  ValuesChanged(ItemKind::ikShape);
  ValuesChanged(ItemKind::ikText);
}

void TItemCommands::ResetForNewDocument(std::int32_t fontSize) {
  picture_.Height = 0;
  picture_.Width = 0;
  picture_.KeepAspect = true;
  shape_.Height = 0;
  shape_.Width = 0;
  shape_.GradientStyle = 3;
  shape_.FillImage.clear();
  text_.FontSize = fontSize;
  text_.Text.clear();
  text_.Style = tsRegular;
  text_.FontName = "Arial";
  ValuesChanged(ItemKind::ikShape);
  ValuesChanged(ItemKind::ikImage);
  ValuesChanged(ItemKind::ikText);
}

std::int32_t& TItemCommands::FieldSlot(TItemField field) {
  switch (field) {
    case TItemField::ShapeHeight: return shape_.Height;
    case TItemField::ShapeWidth: return shape_.Width;
    case TItemField::ShapeTransparency: return shape_.Transparency;
    case TItemField::BorderWidth: return shape_.BorderWidth;
    case TItemField::Radius: return shape_.Radius;
    case TItemField::InnerRadius: return shape_.InnerRadius;
    case TItemField::OuterRadius: return shape_.OuterRadius;
    case TItemField::NumberOfPoints: return shape_.NumberOfPoints;
    case TItemField::StartAngle: return shape_.StartAngle;
    case TItemField::EndAngle: return shape_.EndAngle;
    case TItemField::PictureHeight: return picture_.Height;
    case TItemField::PictureWidth: return picture_.Width;
    case TItemField::PictureTransparency: return picture_.Transparency;
    case TItemField::FontSize: return text_.FontSize;
    case TItemField::ShadowAltitude: return text_.ShadowAltitude;
    case TItemField::CharSpacing: return text_.CharSpacing;
    case TItemField::TextTransparency: return text_.Transparency;
  }
  return shape_.Height;
}

std::int32_t TItemCommands::FieldValue(TItemField field) const {
  return const_cast<TItemCommands*>(this)->FieldSlot(field);
}

TFlashObjects* TItemCommands::Current(ItemKind kind) { return document_.CurrentItemOf(kind); }

void TItemCommands::Rebuild() {
  document_.ChangeMade = true;
  document_.RequestPreviewRebuild();
}

void TItemCommands::ValuesChanged(ItemKind kind) {
  if (onValuesChanged) onValuesChanged(kind);
}

void TItemCommands::StepField(TItemField field, std::int32_t value) {
  const TFieldRule rule = FieldRule(field);
  value = std::clamp(value, rule.ArrowMin, rule.ArrowMax);
  FieldSlot(field) = value;
  StoreField(field, value);
}

std::optional<std::string> TItemCommands::LeaveField(TItemField field, std::string_view text) {
  const TFieldRule rule = FieldRule(field);
  const std::optional<std::int32_t> value = ParseInteger(text);
  switch (JudgeLeaving(rule, value)) {
    case TLeaveVerdict::lvRefuse:
      return std::string(rule.Message);
    case TLeaveVerdict::lvStore:
      FieldSlot(field) = *value;
      StoreField(field, *value);
      break;
    case TLeaveVerdict::lvIgnore:
      // A number that is accepted but not stored is still what the field shows.
      if (value && *value >= rule.AcceptMin && *value <= rule.AcceptMax) FieldSlot(field) = *value;
      break;
  }
  return std::nullopt;
}

void TItemCommands::StoreField(TItemField field, std::int32_t value) {
  if (field == TItemField::PictureHeight || field == TItemField::PictureWidth) {
    if (Current(ItemKind::ikImage) == nullptr) return;
    if (field == TItemField::PictureHeight)
      document_.SetCurrentImageHeight(value);
    else
      document_.SetCurrentImageWidth(value);
    FillPictureValues(picture_, *Current(ItemKind::ikImage));
    ValuesChanged(ItemKind::ikImage);
    return;
  }
  TFlashObjects* item = Current(FieldRule(field).Kind);
  if (item == nullptr) return;
  switch (field) {
    case TItemField::ShapeHeight: item->Height = value; break;
    case TItemField::ShapeWidth: item->Width = value; break;
    case TItemField::BorderWidth: item->BorderWidth = value; break;
    case TItemField::Radius: item->Radius = value; break;
    case TItemField::InnerRadius: item->InnerRadius = value; break;
    case TItemField::OuterRadius: item->OuterRadius = value; break;
    case TItemField::NumberOfPoints: item->NumberOfPoints = value; break;
    case TItemField::StartAngle: item->StartAngle = value; break;
    case TItemField::EndAngle: item->EndAngle = value; break;
    case TItemField::ShapeTransparency:
    case TItemField::PictureTransparency:
    case TItemField::TextTransparency: item->Transparency = static_cast<std::uint8_t>(value); break;
    case TItemField::FontSize: item->FontSize = static_cast<std::uint8_t>(value); break;
    case TItemField::ShadowAltitude: item->ShadowAltitude = value; break;
    case TItemField::CharSpacing: item->CharSpacing = value; break;
    case TItemField::PictureHeight:
    case TItemField::PictureWidth: break;
  }
  Rebuild();
}

void TItemCommands::SetShapeType(std::int32_t shapeType) {
  shape_.ShapeType = shapeType;
  if (TFlashObjects* shape = Current(ItemKind::ikShape)) {
    ConvertShapePosition(*shape, shapeType);
    shape->ShapeType = shapeType;
    Rebuild();
  }
}

void TItemCommands::SetShapeColor(TColorRef color) {
  shape_.Color = color;
  shape_.GradientStartColor = color;
  ValuesChanged(ItemKind::ikShape);
  if (TFlashObjects* shape = Current(ItemKind::ikShape)) {
    shape->Color = color;
    Rebuild();
  }
}

void TItemCommands::SetBorderColor(TColorRef color) {
  shape_.BorderColor = color;
  if (TFlashObjects* shape = Current(ItemKind::ikShape)) {
    shape->BorderColor = color;
    Rebuild();
  }
}

void TItemCommands::SetFillType(std::uint8_t fillType) {
  shape_.FillType = fillType;
  TFlashObjects* shape = Current(ItemKind::ikShape);
  if (shape == nullptr) return;
  shape->FillType = fillType;
  switch (fillType) {
    case 0:
      shape->Color = shape_.Color;
      break;
    case 1:
      shape->GradientStartColor = shape_.Color;
      shape->GradientEndColor = shape_.GradientEndColor;
      shape->GradientStyle = shape_.GradientStyle;
      break;
    default:
      shape->FillImage = shape_.FillImage;
      break;
  }
  Rebuild();
}

void TItemCommands::ChooseFillImage(const std::string& fileName) {
  shape_.FillImage = fileName;
  shape_.FillType = 2;
  ValuesChanged(ItemKind::ikShape);
  if (TFlashObjects* shape = Current(ItemKind::ikShape)) {
    shape->FillType = 2;
    shape->FillImage = fileName;
    Rebuild();
  }
}

void TItemCommands::SetGradientStartColor(TColorRef color) {
  shape_.GradientStartColor = color;
  if (TFlashObjects* shape = Current(ItemKind::ikShape)) {
    shape->GradientStartColor = color;
    Rebuild();
  }
}

void TItemCommands::SetGradientEndColor(TColorRef color) {
  shape_.GradientEndColor = color;
  if (TFlashObjects* shape = Current(ItemKind::ikShape)) {
    shape->GradientEndColor = color;
    Rebuild();
  }
}

void TItemCommands::SetGradientStyle(std::int32_t style) {
  shape_.GradientStyle = style;
  if (TFlashObjects* shape = Current(ItemKind::ikShape)) {
    shape->GradientStyle = style;
    Rebuild();
  }
}

std::optional<std::string> TItemCommands::ApplyShape() {
  document_.ChangeMade = true;
  const document::TAddResult added = document_.AddShapeItem(ShapeDefaultsOf(shape_));
  if (!added.Added()) return added.Refusal;
  const TFlashObjects& shape = document_.ItemTable[added.Index];
  if (shape_.Height == 0) shape_.Height = document_.BannerSettings.BannerHeight / 2;
  if (shape_.Width == 0) shape_.Width = document_.BannerSettings.BannerWidth / 2;
  shape_.Radius = shape.Radius;
  shape_.InnerRadius = shape.InnerRadius;
  shape_.OuterRadius = shape.OuterRadius;
  shape_.FillType = 0;
  ValuesChanged(ItemKind::ikShape);
  return std::nullopt;
}

void TItemCommands::AddPicture(const std::string& fileName, TItemDialogs& dialogs) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) {
    dialogs.ShowMessage(PictureMissingMessage);
    return;
  }
  document::TImageDefaults defaults = ImageDefaultsOf(picture_, shape_.Color);
  try {
    const TPictureSize size = PictureSizeOf(fileName);
    defaults.Width = size.Width;
    defaults.Height = size.Height;
    defaults.GifFrame = GifFrameFor(fileName, dialogs);
  } catch (const std::exception& failure) {
    dialogs.ShowMessage(failure.what());
    return;
  }
  const document::TAddResult added = document_.AddImageItem(fileName, defaults);
  if (!added.Added()) {
    dialogs.ShowMessage(added.Refusal);
    return;
  }
  picture_.Width = defaults.Width;
  picture_.Height = defaults.Height;
  ValuesChanged(ItemKind::ikImage);
}

void TItemCommands::SetKeepAspect(bool keepAspect) {
  picture_.KeepAspect = keepAspect;
  if (TFlashObjects* picture = Current(ItemKind::ikImage)) {
    picture->KeepAspect = keepAspect;
    document_.ChangeMade = true;
  }
}

std::optional<std::string> TItemCommands::AddText(std::string_view text) {
  const document::TAddResult added = document_.AddTextItem(text, TextDefaultsOf(text_));
  if (!added.Added()) return added.Refusal;
  text_.Text = document_.ItemTable[added.Index].Text;
  ValuesChanged(ItemKind::ikText);
  return std::nullopt;
}

std::optional<std::string> TItemCommands::ChangeText(std::string_view typed) {
  const std::string text = LimitedText(typed);
  text_.Text = text;
  if (IsBlankText(text)) return std::nullopt;
  if (TFlashObjects* item = Current(ItemKind::ikText)) {
    item->Text = text;
    Rebuild();
    return std::nullopt;
  }
  return AddText(text);
}

void TItemCommands::LeaveText(std::string_view typed) {
  const std::string text = LimitedText(typed);
  TFlashObjects* item = Current(ItemKind::ikText);
  if (item == nullptr || IsBlankText(text)) return;
  item->Text = text;
  Rebuild();
}

std::optional<std::string> TItemCommands::NewText() {
  document_.ChangeMade = true;
  return AddText(NewTextCaption);
}

void TItemCommands::SetFontName(const std::string& fontName) {
  text_.FontName = fontName;
  if (TFlashObjects* item = Current(ItemKind::ikText)) {
    item->FontName = fontName;
    Rebuild();
  }
}

void TItemCommands::SetTextStyle(std::int32_t style) {
  text_.Style = style;
  if (TFlashObjects* item = Current(ItemKind::ikText)) {
    item->Italic = style == tsItalic || style == tsBoldItalic;
    item->Bold = style == tsBold || style == tsBoldItalic;
    Rebuild();
  }
}

void TItemCommands::SetTextColor(TColorRef color) {
  text_.Color = color;
  if (TFlashObjects* item = Current(ItemKind::ikText)) {
    item->Color = color;
    Rebuild();
  }
}

void TItemCommands::SetShadowColor(TColorRef color) {
  text_.ShadowColor = color;
  if (TFlashObjects* item = Current(ItemKind::ikText)) {
    item->ShadowColor = color;
    Rebuild();
  }
}

void TItemCommands::SetShadowAngle(std::int32_t angle) {
  text_.ShadowAngle = angle;
  if (TFlashObjects* item = Current(ItemKind::ikText)) {
    item->ShadowAngle = angle;
    Rebuild();
  }
}

void TItemCommands::SelectAndFill(int index) {
  document_.SelectItem(index);
  const TFlashObjects& item = document_.ItemTable[index];
  switch (item.Kind) {
    case ItemKind::ikShape: FillShapeValues(shape_, item); break;
    case ItemKind::ikImage: FillPictureValues(picture_, item); break;
    case ItemKind::ikText: FillTextValues(text_, item); break;
  }
  ValuesChanged(item.Kind);
}

void TItemCommands::ShowTab(ItemKind kind) {
  pipeline_.StopIfPlaying();
  const std::int32_t last = kind == ItemKind::ikShape   ? document_.LastShapeItem
                            : kind == ItemKind::ikImage ? document_.LastImageItem
                                                        : document_.LastTextItem;
  if (last > 0 && last <= document_.ItemTable.Count()) SelectAndFill(last);
}

void TItemCommands::DeleteWithoutUndo() {
  const std::int32_t index = document_.FindCurrentItem();
  if (index < 0) return;
  TFlashObjects& item = document_.ItemTable[index];
  item.Deleted = true;
  Rebuild();
  if (item.Kind == ItemKind::ikText) {
    text_.Text.clear();
    ValuesChanged(ItemKind::ikText);
  }
}

}  // namespace tessaly::shell
