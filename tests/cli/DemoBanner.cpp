#include "cli/DemoBanner.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessaly::test {

namespace {

using document::ItemKind;
using document::TFlashObjects;

std::uint8_t Mix(double a, double b, double t) {
  return static_cast<std::uint8_t>(std::lround(a + (b - a) * std::clamp(t, 0.0, 1.0)));
}

TFlashObjects& Append(document::TBannerDocument& doc, ItemKind kind) {
  TFlashObjects& item = doc.ItemTable.Append();
  item.Kind = kind;
  return item;
}

TFlashObjects& AddText(document::TBannerDocument& doc, const std::string& text, const std::string& font,
                       std::uint8_t size, std::int32_t x, std::int32_t y, document::TColorRef color) {
  TFlashObjects& item = Append(doc, ItemKind::ikText);
  item.Text = text;
  item.FontName = font;
  item.FontSize = size;
  item.X = x;
  item.Y = y;
  item.Color = color;
  item.ShadowAltitude = 2;
  item.ShadowAngle = 3;  // down and to the right
  item.ShadowColor = 0x402000;
  return item;
}

}  // namespace

platform::TBitmap DemoPicture() {
  constexpr int Side = 48;
  platform::TBitmap bitmap(Side, Side, 24);
  const double centre = (Side - 1) / 2.0;
  for (int y = 0; y < Side; ++y) {
    std::span<std::uint8_t> row = bitmap.Row(y);
    for (int x = 0; x < Side; ++x) {
      const double dx = x - centre, dy = y - centre;
      const double r = std::hypot(dx, dy);
      const double angle = std::atan2(dy, dx);
      // Sky from light at the top to deeper blue at the bottom.
      const double sky = static_cast<double>(y) / (Side - 1);
      double red = Mix(150, 40, sky), green = Mix(210, 110, sky), blue = Mix(255, 220, sky);
      const bool ray = r > 15 && r < 22 && std::cos(8 * angle) > 0.6;
      if (r <= 13) {
        // The disc: yellow in the middle, orange at its rim.
        const double t = r / 13;
        red = 255;
        green = Mix(235, 150, t);
        blue = Mix(90, 20, t);
      } else if (ray) {
        red = 255;
        green = 200;
        blue = 40;
      }
      row[3 * x] = static_cast<std::uint8_t>(blue);
      row[3 * x + 1] = static_cast<std::uint8_t>(green);
      row[3 * x + 2] = static_cast<std::uint8_t>(red);
    }
  }
  return bitmap;
}

document::TBannerDocument DemoDocument() {
  document::TBannerDocument doc;
  document::TBannerSettings& s = doc.BannerSettings;
  s.BannerWidth = 468;
  s.BannerHeight = 60;
  s.URL = "http://www.example.com/";
  s.TargetChoice = document::tcNewWindow;
  s.Compress = true;
  s.FlashVersion = 6;
  s.BackgroundType = document::TBackgroundType::btGradient;
  s.BackgroundGradientStart = 0x7A2A10;  // deep blue
  s.BackgroundGradientEnd = 0xF0C070;    // sky blue
  s.BackgroundGradientStyle = 3;
  s.BackgroundShape = 0;
  s.BorderColor = 0xFFFFFF;
  s.BorderWidth = 2;
  s.AnimationType = 10;  // "落叶": leaves fall over the banner at rest
  s.AnimationSpeed = 10;
  s.AnimationLoop = 0;  // the movie repeats
  s.AnimationFirstFrame = 10;
  s.AnimationLastFrame = 20;
  s.AnimateBackground = false;
  s.AnimateShapes = true;
  s.AnimateImages = true;
  s.AnimateText = true;

  TFlashObjects& glow = Append(doc, ItemKind::ikShape);
  glow.ShapeType = document::stEllipse;
  glow.X = 236;
  glow.Y = 6;
  glow.Width = 150;
  glow.Height = 48;
  glow.Color = 0xFFFFFF;
  glow.Transparency = 75;

  TFlashObjects& star = Append(doc, ItemKind::ikShape);
  star.ShapeType = document::stStar;
  star.X = 430;
  star.Y = 30;
  star.InnerRadius = 24;
  star.OuterRadius = 10;
  star.NumberOfPoints = 5;
  star.FillType = 1;
  star.GradientStartColor = 0x00FFFF;  // yellow
  star.GradientEndColor = 0x0080FF;    // orange
  star.GradientStyle = 2;
  star.BorderWidth = 1;
  star.BorderColor = 0xFFFFFF;

  TFlashObjects& latin = AddText(doc, "Tessaly banners", "Arial", 22, 145, 16, 0xFFFFFF);
  latin.Bold = true;

  TFlashObjects& picture = Append(doc, ItemKind::ikImage);
  picture.ImageFileName = DemoPictureName;
  picture.ImageType = document::ImageTypeOf(DemoPictureName);
  picture.GifFrame = -1;
  picture.X = 8;
  picture.Y = 6;
  picture.Width = 48;
  picture.Height = 48;
  picture.KeepAspect = true;
  picture.AspectRatio = document::AspectOf(48, 48);

  AddText(doc, "横幅设计,一键发布", "WenQuanYi Zen Hei", 18, 311, 18, 0x00D7FF);
  return doc;
}

}  // namespace tessaly::test
