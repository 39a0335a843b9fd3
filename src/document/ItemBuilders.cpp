#include "document/ItemBuilders.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "document/BuildFills.h"
#include "document/ImageItemBuilder.h"
#include "document/TextItemBuilder.h"
#include "platform/Picture.h"
#include "swf/FlashObjects.h"

namespace tessaly::document {

namespace {

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// Runs the loop over the item table; returns the number of items placed.
int BuildItems(swf::TFlashMovie& movie, TBuildContext& context) {
  TItemTable& items = context.Document->ItemTable;
  int placed = 0;
  for (int i = 1; i <= items.Count(); ++i) {
    const TFlashObjects& item = items[i];
    if (!ItemIsBuilt(item)) continue;
    switch (item.Kind) {
      case ItemKind::ikShape: BuildShapeItem(movie, context, i); break;
      case ItemKind::ikText: BuildTextItem(movie, context, i); break;
      case ItemKind::ikImage: BuildImageItem(movie, context, i); break;
    }
    ++placed;
  }
  return placed;
}

swf::TFlashShape* AddShapeGeometry(swf::TFlashMovie& movie, const TFlashObjects& item, std::int32_t cx,
                                   std::int32_t cy) {
  const std::int32_t x = item.X - cx;
  const std::int32_t y = item.Y - cy;
  switch (item.ShapeType) {
    case stRoundRect:
      return movie.AddRoundRect(x, y, x + item.Width, y + item.Height, item.Radius);
    case stEllipse:
      return movie.AddEllipse(x, y, x + item.Width, y + item.Height);
    case stDiamond:
      return movie.AddDiamond(x, y, x + item.Width, y + item.Height);
    case stStar:
      // InnerRadius is the radius of the first corner, straight up.
      return movie.AddStar(x, y, item.InnerRadius, item.OuterRadius,
                           static_cast<std::uint16_t>(std::clamp(item.NumberOfPoints, 0, 0xFFFF)), swf::seStraight);
    case stPie:
      return movie.AddPie(x, y, item.Radius, static_cast<float>(item.StartAngle), static_cast<float>(item.EndAngle));
    case stRing:
      return movie.AddRing(x, y, item.InnerRadius, item.OuterRadius);
    default:
      return movie.AddRectangle(x, y, x + item.Width, y + item.Height);
  }
}

void SetPictureFill(swf::TFlashMovie& movie, TBuildContext& context, swf::TFlashShape& shape,
                    const TFlashObjects& item) {
  std::error_code ec;
  if (item.FillImage.empty() || !std::filesystem::is_regular_file(item.FillImage, ec)) return;
  const platform::TPicture& picture = context.Picture(item.FillImage);
  swf::TFlashImage* image = movie.AddImage(picture);
  swf::LoadGifIntoImage(*image, picture);
  shape.SetImageFill(*image, swf::fmFit);
  if (item.Transparency >= 1 && image->IsJPEG()) image->FillAlpha(TransparencyAlpha(item.Transparency));
}

// The click action with clickTAG: the address the page passes in the root
// variable clickTAG when it starts with "http" (so that no "javascript:"
// address is opened), else the banner's address; both in the banner's
// target. The path reads the root variable in every version from 4 on.
void AddClickTagRelease(swf::TFlashActionScript& release, const TBuildContext& context) {
  constexpr const char* clickTag = "/:clickTAG";
  auto toClickTag = std::make_unique<swf::TSWFOffsetMarker>();
  auto end = std::make_unique<swf::TSWFOffsetMarker>();
  swf::TSWFActionList& actions = release.Actions();
  release.GetVariable(clickTag);
  release.Push(1.0f);
  release.Push(4.0f);
  actions.Add<swf::TSWFActionStringExtract>();
  release.Push("http");
  actions.Add<swf::TSWFActionStringEquals>();
  actions.Add<swf::TSWFActionIf>(toClickTag.get());
  release.GetUrl(context.ClickURL, context.ClickTarget);
  actions.Add<swf::TSWFActionJump>(end.get());
  actions.Add(std::move(toClickTag));
  release.GetVariable(clickTag);
  release.Push(context.ClickTarget);
  actions.Add<swf::TSWFActionGetUrl2>();
  actions.Add(std::move(end));
}

}  // namespace

bool ItemIsBuilt(const TFlashObjects& item) {
  if (item.Deleted) return false;
  return item.Kind != ItemKind::ikText || !IsBlank(item.Text);
}

void BuildPreviewItems(swf::TFlashMovie& movie, TBuildContext& context) {
  context.Kind = TBuildKind::bkPreview;
  if (BuildItems(movie, context) == 0) context.Document->SetCommandState(false, context.Document->UndeleteEnabled());
}

void BuildAnimatedItems(swf::TFlashMovie& movie, TBuildContext& context) {
  context.Kind = TBuildKind::bkAnimated;
  BuildItems(movie, context);
}

swf::TFlashButton* AddShowingButton(swf::TFlashMovie& movie, const TBuildContext& context,
                                    std::uint16_t characterID) {
  swf::TFlashButton* button = movie.AddButton();
  button->AddRecordByID(characterID, kAllButtonStates, 1);
  if (context.FileName.empty()) return button;
  if (context.Document->BannerSettings.UseClickTag)
    AddClickTagRelease(button->OnRelease(), context);
  else
    button->OnRelease().GetUrl(context.ClickURL, context.ClickTarget);
  return button;
}

swf::TFlashButton* WrapItem(swf::TFlashMovie& movie, TBuildContext& context, int index, std::uint16_t characterID,
                            bool translate) {
  TFlashObjects& item = context.Document->ItemTable[index];
  const std::string name = ItemInstanceName(index);

  swf::TFlashButton* button = AddShowingButton(movie, context, characterID);
  context.ItemButtons[index] = button;
  if (context.FileName.empty() && context.Kind == TBuildKind::bkPreview) {
    swf::TFlashActionScript& press = button->OnPress();
    press.GetVariable(name);
    press.SetVariable("CurrentObj", name.c_str());
    press.StartDrag();
    button->OnRelease().EndDrag();
  }

  swf::TFlashPlaceObject* place = movie.PlaceObject(button, ItemDepth(index));
  place->SetName(name);
  if (translate) place->SetTranslate(item.X, item.Y);

  item.InPreview = true;
  if (context.Kind == TBuildKind::bkPreview) item.Moved = false;
  return button;
}

void BuildShapeItem(swf::TFlashMovie& movie, TBuildContext& context, int index) {
  const TFlashObjects& item = context.Document->ItemTable[index];
  const std::uint8_t alpha = TransparencyAlpha(item.Transparency);

  swf::TFlashShape* shape =
      AddShapeGeometry(movie, item, context.CentreOffsetX(index), context.CentreOffsetY(index));
  context.ItemShapes[index] = shape;
  if (item.BorderWidth > 0) shape->SetLineStyle(item.BorderWidth, swf::ColorToRGBA(item.BorderColor, alpha));
  switch (item.FillType) {
    case 2:
      SetPictureFill(movie, context, *shape, item);
      break;
    case 1:
      SetGradientByStyle(*shape, swf::ColorToRGBA(item.GradientStartColor, alpha), swf::ColorToRGBA(item.GradientEndColor, alpha),
                         item.GradientStyle);
      break;
    default:
      shape->SetSolidFill(swf::ColorToRGBA(item.Color, alpha));
      break;
  }
  WrapItem(movie, context, index, shape->CharacterID(), context.AnimatesItem(index));
}

}  // namespace tessaly::document
