#include "shell/core/ItemTabValues.h"

namespace tessaly::shell {

document::TShapeDefaults ShapeDefaultsOf(const TShapeTabValues& values) {
  document::TShapeDefaults defaults;
  defaults.ShapeType = values.ShapeType;
  defaults.Color = values.Color;
  defaults.NumberOfPoints = values.NumberOfPoints;
  defaults.StartAngle = values.StartAngle;
  defaults.EndAngle = values.EndAngle;
  defaults.Transparency = static_cast<std::uint8_t>(values.Transparency);
  return defaults;
}

document::TTextDefaults TextDefaultsOf(const TTextTabValues& values) {
  document::TTextDefaults defaults;
  defaults.Color = values.Color;
  defaults.FontSize = static_cast<std::uint8_t>(values.FontSize);
  defaults.CharSpacing = values.CharSpacing;
  defaults.Transparency = static_cast<std::uint8_t>(values.Transparency);
  defaults.Style = values.Style;
  defaults.FontName = values.FontName;
  defaults.ShadowAltitude = values.ShadowAltitude;
  defaults.ShadowColor = values.ShadowColor;
  defaults.ShadowAngle = values.ShadowAngle;
  return defaults;
}

document::TImageDefaults ImageDefaultsOf(const TPictureTabValues& values, TColorRef shapeColor) {
  document::TImageDefaults defaults;
  defaults.ShapeColor = shapeColor;
  defaults.KeepAspect = values.KeepAspect;
  defaults.Transparency = static_cast<std::uint8_t>(values.Transparency);
  return defaults;
}

std::int32_t TextStyleOf(bool bold, bool italic) {
  if (bold && italic) return tsBoldItalic;
  if (bold) return tsBold;
  return italic ? tsItalic : tsRegular;
}

void FillShapeValues(TShapeTabValues& values, const document::TFlashObjects& item) {
  values.Height = item.Height;
  values.Width = item.Width;
  values.Transparency = item.Transparency;
  values.ShapeType = item.ShapeType;
  values.BorderWidth = item.BorderWidth;
  values.BorderColor = item.BorderColor;
  values.Radius = item.Radius;
  values.InnerRadius = item.InnerRadius;
  values.OuterRadius = item.OuterRadius;
  values.NumberOfPoints = item.NumberOfPoints;
  values.StartAngle = item.StartAngle;
  values.EndAngle = item.EndAngle;
  values.Color = item.Color;
  values.GradientStartColor = item.GradientStartColor;
  values.GradientEndColor = item.GradientEndColor;
  values.GradientStyle = item.GradientStyle;
  values.FillImage = item.FillImage;
  values.FillType = item.FillType;
}

void FillPictureValues(TPictureTabValues& values, const document::TFlashObjects& item) {
  values.Height = item.Height;
  values.Width = item.Width;
  values.KeepAspect = item.KeepAspect;
  values.Transparency = item.Transparency;
}

void FillTextValues(TTextTabValues& values, const document::TFlashObjects& item) {
  values.Color = item.Color;
  values.FontSize = item.FontSize;
  values.Transparency = item.Transparency;
  values.Text = item.Text;
  values.FontName = item.FontName;
  values.Style = TextStyleOf(item.Bold, item.Italic);
  values.ShadowColor = item.ShadowColor;
  values.ShadowAltitude = item.ShadowAltitude;
  values.ShadowAngle = item.ShadowAngle;
  // The spacing arrows store their position at once, so they start from the
  // item's own spacing.
  values.CharSpacing = item.CharSpacing;
}

}  // namespace tessaly::shell
