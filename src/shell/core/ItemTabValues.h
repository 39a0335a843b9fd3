#pragma once
// What the shape, picture and text tabs show. The values are the defaults
// of the next new item of their kind and are filled from an item when it
// becomes current.

#include <cstdint>
#include <string>

#include "document/BannerDocument.h"

namespace tessaly::shell {

using document::TColorRef;

struct TShapeTabValues {
  std::int32_t Height = 0;
  std::int32_t Width = 0;
  std::int32_t Transparency = 0;
  std::int32_t BorderWidth = 0;
  std::int32_t Radius = 30;
  std::int32_t InnerRadius = 25;
  std::int32_t OuterRadius = 5;
  std::int32_t NumberOfPoints = 5;
  std::int32_t StartAngle = 180;
  std::int32_t EndAngle = 0;
  std::int32_t ShapeType = document::stRectangle;
  TColorRef Color = 0x0000FF;  // the shape colour chooser (red)
  TColorRef BorderColor = 0;
  std::uint8_t FillType = 0;  // the ticked fill box: 0 colour, 1 gradient, 2 picture
  std::string FillImage;      // the fill picture last chosen
  TColorRef GradientStartColor = 0x0000FF;
  TColorRef GradientEndColor = 0xFFFFFF;
  std::int32_t GradientStyle = 3;

  bool operator==(const TShapeTabValues&) const = default;
};

struct TPictureTabValues {
  std::int32_t Height = 0;
  std::int32_t Width = 0;
  std::int32_t Transparency = 0;
  bool KeepAspect = true;

  bool operator==(const TPictureTabValues&) const = default;
};

// Text styles of the style list.
enum TTextStyle : std::int32_t { tsRegular = 0, tsItalic = 1, tsBold = 2, tsBoldItalic = 3 };

struct TTextTabValues {
  std::int32_t FontSize = 14;
  std::int32_t ShadowAltitude = 0;
  std::int32_t CharSpacing = 0;
  std::int32_t Transparency = 0;
  std::string Text;
  std::string FontName = "Arial";
  std::int32_t Style = tsRegular;
  TColorRef Color = 0;
  TColorRef ShadowColor = 0xC0C0C0;  // silver
  std::int32_t ShadowAngle = 3;      // "135"

  bool operator==(const TTextTabValues&) const = default;
};

document::TShapeDefaults ShapeDefaultsOf(const TShapeTabValues& values);
document::TTextDefaults TextDefaultsOf(const TTextTabValues& values);
document::TImageDefaults ImageDefaultsOf(const TPictureTabValues& values, TColorRef shapeColor);

std::int32_t TextStyleOf(bool bold, bool italic);

// Filling a tab from an item.
void FillShapeValues(TShapeTabValues& values, const document::TFlashObjects& item);
void FillPictureValues(TPictureTabValues& values, const document::TFlashObjects& item);
void FillTextValues(TTextTabValues& values, const document::TFlashObjects& item);

}  // namespace tessaly::shell
