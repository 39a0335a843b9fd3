#include "support/ReferenceBanner.h"

namespace tessaly::test {

namespace {

using document::ItemKind;
using document::TFlashObjects;

TFlashObjects& AddItem(document::TBannerDocument& doc, ItemKind kind) {
  TFlashObjects& item = doc.ItemTable.Append();
  item.Kind = kind;
  return item;
}

TFlashObjects& AddShape(document::TBannerDocument& doc, std::int32_t shapeType, std::int32_t x, std::int32_t y,
                        document::TColorRef color) {
  TFlashObjects& item = AddItem(doc, ItemKind::ikShape);
  item.ShapeType = shapeType;
  item.X = x;
  item.Y = y;
  item.Color = color;
  return item;
}

TFlashObjects& AddPicture(document::TBannerDocument& doc, const std::string& file, std::int32_t x, std::int32_t y,
                          std::int32_t w, std::int32_t h) {
  TFlashObjects& item = AddItem(doc, ItemKind::ikImage);
  item.ImageFileName = file;
  item.ImageType = document::ImageTypeOf(file);
  item.GifFrame = -1;
  item.X = x;
  item.Y = y;
  item.Width = w;
  item.Height = h;
  item.KeepAspect = true;
  item.AspectRatio = document::AspectOf(w, h);
  return item;
}

TFlashObjects& AddText(document::TBannerDocument& doc, const std::string& text, const std::string& font,
                       std::uint8_t size, std::int32_t x, std::int32_t y, document::TColorRef color) {
  TFlashObjects& item = AddItem(doc, ItemKind::ikText);
  item.Text = text;
  item.FontName = font;
  item.FontSize = size;
  item.X = x;
  item.Y = y;
  item.DragBaseX = x;
  item.DragBaseY = y;
  item.Color = color;
  return item;
}

}  // namespace

TReferenceBanner::TReferenceBanner() {
  BmpFillPicture = Folder.Write("fill.bmp", MakeBmp(PatternBitmap(32, 24, 24)));
  JpegPicture = Folder.Write("photo.jpg", MakeJpeg(PatternBitmap(48, 48, 24), false));
  GifPicture = Folder.Write("badge.gif", SimpleGif(40, 40,
                                                   {{255, 255, 255}, {200, 30, 30}, {30, 30, 200}, {250, 200, 0}},
                                                   0));

  document::TBannerSettings& s = Document.BannerSettings;
  s.BannerWidth = 468;
  s.BannerHeight = 60;
  s.URL = "https://banner.example/landing";
  s.BackgroundType = document::TBackgroundType::btGradient;
  s.BackgroundGradientStart = 0xFFD8A0;  // light blue
  s.BackgroundGradientEnd = 0xFFFFFF;
  s.BackgroundGradientStyle = 3;
  s.BorderWidth = 2;
  s.BorderColor = 0x800000;  // navy

  TFlashObjects& rect = AddShape(Document, document::stRectangle, 8, 8, 0x0000FF);
  rect.Width = 70;
  rect.Height = 44;
  rect.Transparency = 40;
  rect.BorderWidth = 3;
  rect.BorderColor = 0x000000;

  TFlashObjects& star = AddShape(Document, document::stStar, 112, 31, 0x00FFFF);
  star.InnerRadius = 26;  // the first corner, straight up
  star.OuterRadius = 11;
  star.NumberOfPoints = 5;
  star.FillType = 1;
  star.GradientStartColor = 0x00FFFF;  // yellow
  star.GradientEndColor = 0x0080FF;    // orange
  star.GradientStyle = 2;

  TFlashObjects& pie = AddShape(Document, document::stPie, 165, 48, 0x00A000);
  pie.Radius = 26;
  pie.StartAngle = 180;
  pie.EndAngle = 0;

  TFlashObjects& ring = AddShape(Document, document::stRing, 212, 30, 0x800080);
  ring.InnerRadius = 12;
  ring.OuterRadius = 22;

  TFlashObjects& round = AddShape(Document, document::stRoundRect, 240, 8, 0xC0C0C0);
  round.Width = 56;
  round.Height = 44;
  round.Radius = 10;
  round.FillType = 2;
  round.FillImage = BmpFillPicture;
  round.BorderWidth = 1;
  round.BorderColor = 0x404040;

  TFlashObjects& jpeg = AddPicture(Document, JpegPicture, 302, 6, 48, 48);
  jpeg.Transparency = 30;

  AddPicture(Document, GifPicture, 354, 10, 40, 40);

  TFlashObjects& latin = AddText(Document, "Tessaly", "Arial", 20, 428, 4, 0x602000);
  latin.Bold = true;
  latin.ShadowAltitude = 2;
  latin.ShadowAngle = 3;
  latin.ShadowColor = 0xA0A0A0;

  AddText(Document, "横幅设计", "WenQuanYi Zen Hei", 16, 428, 34, 0x0000C0);
}

}  // namespace tessaly::test
