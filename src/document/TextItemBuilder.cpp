#include "document/TextItemBuilder.h"

#include <cmath>

#include "document/BuildFills.h"
#include "document/ItemBuilders.h"
#include "platform/CodePage.h"
#include "platform/FontSource.h"
#include "swf/FlashObjects.h"
#include "platform/Rounding.h"

namespace tessaly::document {

namespace {

// What a text item puts into the movie: its text in UTF-16 and its font's
// name, both made safe for the movie once per item.
struct TItemStrings {
  std::u16string Text;
  std::string FontName;
};

TItemStrings ItemStringsOf(const TBuildContext& context, const TFlashObjects& item) {
  return {platform::Utf8ToUtf16(context.MovieString(item.Text, "文字")), context.MovieString(item.FontName, "字体名称")};
}

// Every text and every shadow gets a font character of its own.
swf::TFlashFont* AddItemFont(swf::TFlashMovie& movie, const TFlashObjects& item, const std::string& fontName) {
  swf::TFontDescription description;
  description.Name = fontName;
  description.Height = item.FontSize;
  description.Bold = item.Bold;
  description.Italic = item.Italic;
  description.Underline = item.Underline;
  description.StrikeOut = item.Strikeout;
  description.Charset = platform::kDefaultCharset;
  swf::TFlashFont* font = movie.AddFont(description, swf::foEmbedded);
  font->SetHasLayout(true);
  // The size in points is used as pixels.
  font->SetSize(item.FontSize);
  return font;
}

swf::TFlashText* AddItemText(swf::TFlashMovie& movie, const TFlashObjects& item, const std::u16string& text,
                             std::uint32_t rgba, swf::TFlashFont* font, std::int32_t x, std::int32_t y) {
  swf::TFlashText* t = movie.AddText(text, rgba, font, x, y, swf::taCenter);
  t->SetCharSpacing(item.CharSpacing);
  return t;
}

void BuildTextShadow(swf::TFlashMovie& movie, TBuildContext& context, int index, const TItemStrings& strings) {
  const TFlashObjects& item = context.Document->ItemTable[index];
  const TShadowOffset offset = ShadowOffsetFor(item.ShadowAngle, item.ShadowAltitude);
  swf::TFlashFont* font = AddItemFont(movie, item, strings.FontName);
  swf::TFlashText* shadow =
      AddItemText(movie, item, strings.Text, swf::ColorToRGBA(item.ShadowColor, TransparencyAlpha(item.Transparency)), font,
                  item.X + offset.DX - context.CentreOffsetX(index), item.Y + offset.DY - context.CentreOffsetY(index));

  swf::TFlashButton* button = AddShowingButton(movie, context, shadow->CharacterID());
  movie.PlaceObject(button, ShadowDepth(index))->SetName(ShadowInstanceName(index));

  context.ShadowTexts[index] = shadow;
  context.ShadowButtons[index] = button;
  context.ShadowText = shadow;
  context.ShadowButton = button;
}

std::int32_t TwipsToPixels(std::int32_t twips) { return platform::RoundHalfEven(twips / 20.0); }

}  // namespace

TShadowOffset ShadowOffsetFor(std::int32_t shadowAngle, std::int32_t altitude) {
  const std::int32_t a = altitude;
  switch (shadowAngle) {
    case 0: return {0, -a};
    case 1: return {a, -a};
    case 2: return {a, 0};
    case 3: return {a, a};
    case 4: return {0, a};
    case 5: return {-a, a};
    case 6: return {-a, 0};
    case 7: return {-a, -a};
    default: return {0, 0};
  }
}

void BuildTextItem(swf::TFlashMovie& movie, TBuildContext& context, int index) {
  TFlashObjects& item = context.Document->ItemTable[index];
  const TItemStrings strings = ItemStringsOf(context, item);
  if (item.ShadowAltitude >= 1) BuildTextShadow(movie, context, index, strings);

  swf::TFlashFont* font = AddItemFont(movie, item, strings.FontName);
  swf::TFlashText* t = AddItemText(movie, item, strings.Text, swf::ColorToRGBA(item.Color, TransparencyAlpha(item.Transparency)),
                                   font, item.X - context.CentreOffsetX(index), item.Y - context.CentreOffsetY(index));
  context.ItemTexts[index] = t;
  WrapItem(movie, context, index, t->CharacterID(), false);

  // The size of the text's box as the movie stores it, in pixels.
  const swf::TRect bounds = t->TextBounds();
  item.Width = TwipsToPixels(bounds.Right - bounds.Left);
  item.Height = TwipsToPixels(bounds.Bottom - bounds.Top);
}

}  // namespace tessaly::document
