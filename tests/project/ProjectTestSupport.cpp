#include "project/ProjectTestSupport.h"

#include <ostream>
#include <string>

#include "project/ProjectValues.h"

namespace tessaly::document {

void PrintTo(const TFlashObjects& o, std::ostream* os) {
  *os << "{Kind " << int(o.Kind) << " X " << o.X << " Y " << o.Y << " W " << o.Width << " H "
      << o.Height << " Color " << o.Color << " Name " << o.Name << " Deleted " << o.Deleted
      << " T " << int(o.Transparency) << " Image " << o.ImageFileName << " Type "
      << int(o.ImageType) << " Gif " << o.GifFrame << " Keep " << o.KeepAspect << " Ratio "
      << o.AspectRatio << " Size " << int(o.FontSize) << " Text " << o.Text << " Font "
      << o.FontName << " B " << o.Bold << " I " << o.Italic << " U " << o.Underline << " S "
      << o.Strikeout << " Spacing " << o.CharSpacing << " Shadow " << o.ShadowAltitude << "/"
      << o.ShadowColor << "/" << o.ShadowAngle << " Shape " << o.ShapeType << " R " << o.Radius
      << "/" << o.InnerRadius << "/" << o.OuterRadius << " Points " << o.NumberOfPoints
      << " Angles " << o.StartAngle << "/" << o.EndAngle << " Border " << o.BorderColor << "/"
      << o.BorderWidth << " Fill " << int(o.FillType) << " " << o.FillImage << " Gradient "
      << o.GradientStartColor << "/" << o.GradientEndColor << "/" << o.GradientStyle
      << " DragBase " << o.DragBaseX << "/" << o.DragBaseY << " Preview " << o.InPreview << "/"
      << o.Moved << "}";
}

}  // namespace tessaly::document

namespace tessaly::project {

using document::ItemKind;
using document::TFlashObjects;

std::vector<TFlashObjects> ReloadedItems(const document::TBannerDocument& doc,
                                         const TProjectReadContext& context) {
  std::vector<TFlashObjects> items;
  const auto& table = doc.ItemTable;
  for (int i = 1; i <= table.Count(); ++i) {
    if (table[i].Deleted) continue;
    if (table[i].Kind == ItemKind::ikText && Trim(table[i].Text).empty()) continue;
    TFlashObjects item = table[i];
    item.Name = "but" + std::to_string(items.size() + 1);
    item.DragBaseX = item.DragBaseY = 0;
    item.InPreview = item.Moved = false;
    if (item.Kind == ItemKind::ikImage) {
      item.Color = context.ShapeColor;
      item.KeepAspect = context.KeepAspect;
      item.GifFrame = -1;
      item.AspectRatio = document::AspectOf(item.Width, item.Height);
      item.ImageType = document::ImageTypeOf(item.ImageFileName);
    }
    if (item.Kind == ItemKind::ikText) {
      // Every build measures a text again; the file does not hold its size
      // nor the underline and strike-out flags.
      item.Width = item.Height = 0;
      item.Underline = item.Strikeout = false;
      if (item.ShadowAltitude < 1) {
        item.ShadowAngle = 0;
        item.ShadowColor = 0x808080;
      }
    }
    items.push_back(item);
  }
  return items;
}

document::TBannerSettings ReloadedSettings(const document::TBannerSettings& s) {
  document::TBannerSettings want;
  want.BannerWidth = s.BannerWidth;
  want.BannerHeight = s.BannerHeight;
  want.URL = s.URL;
  want.TargetChoice = s.TargetChoice;
  want.TargetWindowName = s.TargetChoice == document::tcNamedWindow ? s.TargetWindowName : "";
  want.Compress = s.Compress;
  want.FlashVersion = s.FlashVersion;
  want.UseClickTag = s.UseClickTag;
  want.BackgroundType = s.BackgroundType;
  switch (s.BackgroundType) {
    case document::TBackgroundType::btColor:
      want.BackgroundColor = s.BackgroundColor;
      break;
    case document::TBackgroundType::btGradient:
      want.BackgroundGradientStart = s.BackgroundGradientStart;
      want.BackgroundGradientEnd = s.BackgroundGradientEnd;
      want.BackgroundGradientStyle = s.BackgroundGradientStyle;
      break;
    case document::TBackgroundType::btImage:
      want.BackgroundImage = s.BackgroundImage;
      break;
  }
  want.BackgroundShape = s.BackgroundShape;
  want.BorderColor = s.BorderColor;
  want.BorderWidth = s.BorderWidth;
  want.AnimationType = s.AnimationType;
  want.AnimationSpeed = s.AnimationSpeed;
  want.AnimationLoop = s.AnimationLoop;
  want.AnimationFirstFrame = s.AnimationFirstFrame;
  want.AnimationLastFrame = s.AnimationLastFrame;
  want.AnimateBackground = s.AnimateBackground;
  want.AnimateShapes = s.AnimateShapes;
  want.AnimateImages = s.AnimateImages;
  want.AnimateText = s.AnimateText;
  return want;
}

}  // namespace tessaly::project
