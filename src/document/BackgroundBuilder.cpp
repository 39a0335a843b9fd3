#include "document/BackgroundBuilder.h"

#include "document/BuildFills.h"
#include "document/ItemBuilders.h"
#include "document/PictureFiles.h"
#include "platform/Rounding.h"
#include "swf/FlashObjects.h"

namespace tessaly::document {

namespace {

using platform::RoundHalfEven;

// The picture of a btImage background as a bitmap character, taken by its
// file name's extension; a GIF gives frame 0 when it has frames.
swf::TFlashImage* AddBackgroundImage(swf::TFlashMovie& movie, TBuildContext& context, const std::string& fileName) {
  const platform::TPicture& picture = context.Picture(fileName);
  return AddPictureImage(movie, picture, picture.Kind, 0, context.TemporaryFolder);
}

}  // namespace

TBorderInset BorderInsetFor(std::int32_t borderWidth) {
  const bool odd = borderWidth % 2 != 0;
  TBorderInset inset;
  inset.X0 = borderWidth / 2;
  inset.Y0 = inset.X0 + ((odd && inset.X0 > 3) ? 1 : 0);
  inset.E = (odd && inset.Y0 < 4) ? 1 : 0;
  return inset;
}

swf::TFlashShape* BuildBackgroundOutline(swf::TFlashMovie& movie, const TBuildContext& context, bool centred) {
  const TBannerSettings& settings = context.Document->BannerSettings;
  const std::int32_t w = context.BannerWidth;
  const std::int32_t h = context.BannerHeight;
  const TBorderInset inset = BorderInsetFor(settings.BorderWidth);
  const std::int32_t x0 = inset.X0;
  const std::int32_t y0 = inset.Y0;
  const std::int32_t e = inset.E;
  const std::int32_t cx = centred ? w / 2 : 0;
  const std::int32_t cy = centred ? h / 2 : 0;
  const std::int32_t m = h < w ? h / 2 : w / 2;

  const std::int32_t left = x0 - cx;
  const std::int32_t top = y0 - cy;
  const std::int32_t right = w - x0 - e - cx;
  const std::int32_t bottom = h - y0 - e - cy;
  switch (settings.BackgroundShape) {
    case bsRoundRect:
      return movie.AddRoundRect(left, top, right, bottom, w / 15);
    case bsEllipse:
      return movie.AddEllipse(left, top, right, bottom);
    case bsDiamond:
      return movie.AddDiamond(left, top, right, bottom);
    case bsHexagon:
      return movie.AddStar(w / 2 - cx, h / 2 - cy, m - x0, m - y0, 3, swf::seStraight);
    case bsOctagon:
      return movie.AddStar(w / 2 - cx, h / 2 - cy, m - x0, m - y0, 4, swf::seStraight);
    case bsStar:
      return movie.AddStar(w / 2 - cx, RoundHalfEven(h * 0.05) + h / 2 - cy, m - x0,
                           RoundHalfEven(m * 0.375) - y0, 5, swf::seStraight);
    case bsHalfCircle:
      return movie.AddEllipticPie(w / 2 - cx, h - x0 - e - cy, w / 2 - y0, h - 2 * x0, 180, 0);
    default:
      return movie.AddRectangle(left, top, right, bottom);
  }
}

void BuildBackground(swf::TFlashMovie& movie, TBuildContext& context, bool animate) {
  const TBannerSettings& settings = context.Document->BannerSettings;

  swf::TFlashImage* image = nullptr;
  if (settings.BackgroundType == TBackgroundType::btImage)
    image = AddBackgroundImage(movie, context, settings.BackgroundImage);

  swf::TFlashShape* shape = BuildBackgroundOutline(movie, context, animate);
  switch (settings.BackgroundType) {
    case TBackgroundType::btColor:
      shape->SetSolidFill(swf::ColorToRGBA(settings.BackgroundColor, 255));
      break;
    case TBackgroundType::btGradient:
      SetGradientByStyle(*shape, swf::ColorToRGBA(settings.BackgroundGradientStart, 255),
                         swf::ColorToRGBA(settings.BackgroundGradientEnd, 255), settings.BackgroundGradientStyle);
      break;
    case TBackgroundType::btImage:
      shape->SetImageFill(*image, swf::fmFit);
      break;
  }
  if (settings.BorderWidth > 0) shape->SetLineStyle(settings.BorderWidth, swf::ColorToRGBA(settings.BorderColor, 255));

  context.BackgroundCharacter = shape;
  const std::string name = std::string(BackgroundInstanceName) + std::to_string(context.Document->CurrentItemIndex);
  if (context.FileName.empty()) {
    movie.PlaceObject(shape, 0)->SetName(name);
    return;
  }
  swf::TFlashButton* button = AddShowingButton(movie, context, shape->CharacterID());
  context.BackgroundButton = button;
  movie.PlaceObject(button, 0)->SetName(name);
}

}  // namespace tessaly::document
