// Text items: font, colour, origin and spacing, the shadow with its depth
// and offset, and the measured size written back to the item.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/BuildTestSupport.h"
#include "document/SwfTestReader.h"
#include "document/TextItemBuilder.h"

namespace tessaly::test {
namespace {

using document::ShadowOffsetFor;
using document::TShadowOffset;

constexpr std::uint16_t kDefineText = 11, kDefineText2 = 33, kDefineFont2 = 48;

TEST(TextShadow, OffsetByDirectionClockwiseFromStraightUp) {
  const TShadowOffset expected[] = {{0, -3}, {3, -3}, {3, 0}, {3, 3}, {0, 3}, {-3, 3}, {-3, 0}, {-3, -3}};
  for (int angle = 0; angle < 8; ++angle) EXPECT_EQ(ShadowOffsetFor(angle, 3), expected[angle]) << angle;
  EXPECT_EQ(ShadowOffsetFor(8, 3), (TShadowOffset{0, 0}));
  EXPECT_EQ(ShadowOffsetFor(-1, 3), (TShadowOffset{0, 0}));
}

TEST(TextItems, FontSize24IsWrittenAt480Twips) {
  TBuildFixture f;
  f.Doc.BannerSettings.Compress = false;
  auto& item = f.AddText("Hello");
  item.FontSize = 24;
  item.Bold = true;
  {
    auto movie = f.Pipeline.ComposePreviewMovie("");
    auto fonts = ObjectsOf<swf::TFlashFont>(*movie);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0]->Size, 480);
    EXPECT_TRUE(fonts[0]->Bold);
    EXPECT_FALSE(fonts[0]->Italic);
    EXPECT_TRUE(fonts[0]->HasLayout());
    EXPECT_EQ(fonts[0]->Encoding, swf::feUnicode) << "the default charset";
    EXPECT_EQ(fonts[0]->FontName, "Arial");
  }
  f.Pipeline.BuildPreviewMovie();
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  ASSERT_EQ(swf.CountOf(kDefineFont2), 1u);
  ASSERT_EQ(swf.CountOf(kDefineText), 1u) << "opaque text";
  EXPECT_EQ(FirstTextRecord(*swf.TagsWith(kDefineText)[0]).Height, 480);
}

TEST(TextItems, ColourOriginCentreAlignmentAndSpacing) {
  TBuildFixture f;
  auto& item = f.AddText("Hi", 100, 20);
  item.Color = 0x00FF80;  // red 0x80, green 0xFF
  item.Transparency = 20;
  item.CharSpacing = -3;
  auto movie = f.Pipeline.ComposePreviewMovie("");
  swf::TFlashText* text = f.Pipeline.Context().ItemTexts[1];
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Color, 0xCC00FF80u);
  EXPECT_EQ(text->OriginX, 2000);
  EXPECT_EQ(text->OriginY, 400);
  EXPECT_EQ(text->Align, swf::taCenter);
  EXPECT_EQ(text->CharSpacing, -60);
  EXPECT_TRUE(text->AutoSize);
  EXPECT_EQ(text->Text(), u"Hi");
  EXPECT_EQ(f.Pipeline.Context().ItemButtons[1]->Button2()->ButtonRecords()[0]->CharacterId, text->CharacterID());
  EXPECT_FALSE(PlacementsAt(*movie, 2)[0]->PlaceObject2().HasMatrix());
  EXPECT_EQ(ObjectOrder(*movie), "SPFTBP.");
}

TEST(TextItems, WidthAndHeightReceiveTheMeasuredSize) {
  TBuildFixture f;
  f.Doc.BannerSettings.Compress = false;
  auto& shortText = f.AddText("ab");
  auto& longText = f.AddText("abcdefgh");
  auto& chinese = f.AddText("横幅设计", 100, 30);
  chinese.FontSize = 30;
  chinese.CharSpacing = 8;
  f.Pipeline.BuildPreviewMovie();
  EXPECT_GT(shortText.Width, 0);
  EXPECT_GT(shortText.Height, 10) << "about the line height of a 14-pixel font";
  EXPECT_LT(shortText.Height, 25);
  EXPECT_GT(longText.Width, 3 * shortText.Width);
  EXPECT_EQ(longText.Height, shortText.Height);

  // Each size is the written text's bounds in pixels, rounded.
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  const auto texts = swf.TagsWith(kDefineText);
  ASSERT_EQ(texts.size(), 3u);
  const document::TFlashObjects* items[] = {&shortText, &longText, &chinese};
  for (size_t i = 0; i < texts.size(); ++i) {
    const TTwipsRect bounds = TextBoundsOf(*texts[i]);
    EXPECT_NEAR(items[i]->Width, (bounds.Xmax - bounds.Xmin) / 20.0, 0.5) << items[i]->Text;
    EXPECT_NEAR(items[i]->Height, (bounds.Ymax - bounds.Ymin) / 20.0, 0.5) << items[i]->Text;
  }
}

TEST(TextItems, AnimatedTextIsCentredButNeverTranslated) {
  TBuildFixture f;
  f.Doc.BannerSettings.AnimationType = 1;
  f.AddText("Go", 234, 10);
  auto movie = f.Pipeline.ComposeAnimatedMovie("");
  swf::TFlashText* text = f.Pipeline.Context().ItemTexts[1];
  EXPECT_EQ(text->OriginX, 0);
  EXPECT_EQ(text->OriginY, -400);
  EXPECT_FALSE(PlacementsAt(*movie, 2)[0]->PlaceObject2().HasMatrix());
}

TEST(TextItems, ShadowComesFirstWithItsOwnFontButtonAndDepth) {
  TBuildFixture f;
  auto& item = f.AddText("Sale", 200, 20);
  item.ShadowAltitude = 3;
  item.ShadowAngle = 3;
  item.ShadowColor = 0x808080;
  auto movie = f.Pipeline.ComposePreviewMovie("");
  EXPECT_EQ(ObjectOrder(*movie), "SPFTBPFTBP.");
  const auto& ctx = f.Pipeline.Context();
  swf::TFlashText* shadow = ctx.ShadowTexts[1];
  swf::TFlashText* text = ctx.ItemTexts[1];
  ASSERT_NE(shadow, nullptr);
  EXPECT_NE(shadow->Font(), text->Font());
  EXPECT_EQ(shadow->OriginX, text->OriginX + 60);
  EXPECT_EQ(shadow->OriginY, text->OriginY + 60);
  EXPECT_EQ(shadow->Color, 0xFF808080u);
  auto placements = PlacementsAt(*movie, 1);
  ASSERT_EQ(placements.size(), 1u);
  EXPECT_EQ(placements[0]->PlaceObject2().Name(), "butshadow1");
  EXPECT_EQ(placements[0]->PlacedObject(), ctx.ShadowButtons[1]);
  EXPECT_EQ(ctx.ShadowButton, ctx.ShadowButtons[1]);
  EXPECT_EQ(ctx.ShadowText, shadow);
  // The shadow is not dragged: pressing it does nothing in the preview.
  EXPECT_EQ(ButtonActionCodes(*ctx.ShadowButtons[1], swf::bcOverUpToOverDown), std::vector<int>{});
  EXPECT_EQ(ButtonActionCodes(*ctx.ShadowButtons[1], swf::bcOverDownToOverUp), std::vector<int>{});

  auto saved = f.Pipeline.ComposePreviewMovie("/tmp/s.swf");
  EXPECT_EQ(ButtonActionCodes(*f.Pipeline.Context().ShadowButtons[1], swf::bcOverDownToOverUp),
            std::vector<int>{0x83});
}

TEST(TextItems, ShadowDepthsAndEveryTextKeepsItsOwnShadowButton) {
  TBuildFixture f;
  for (int i = 0; i < 4; ++i) f.AddText("T" + std::to_string(i)).ShadowAltitude = 1;
  f.Doc.BannerSettings.Compress = false;
  auto movie = f.Pipeline.ComposePreviewMovie("");
  const auto& ctx = f.Pipeline.Context();
  const int depths[] = {1, 3, 3, 5};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(document::ShadowDepth(i), depths[i - 1]);
    ASSERT_NE(ctx.ShadowButtons[i], nullptr);
    bool found = false;
    for (auto* p : PlacementsAt(*movie, depths[i - 1]))
      found = found || (p->PlacedObject() == ctx.ShadowButtons[i] && p->PlaceObject2().Name() == "butshadow" + std::to_string(i));
    EXPECT_TRUE(found) << i;
  }
  EXPECT_EQ(PlacementsAt(*movie, 3).size(), 2u);
  for (auto* p : PlacementsAt(*movie, 3)) EXPECT_FALSE(p->PlaceObject2().Move());
  EXPECT_NE(ctx.ShadowButtons[2], ctx.ShadowButtons[3]);
  EXPECT_EQ(ctx.ShadowButton, ctx.ShadowButtons[4]);
}

TEST(TextItems, FullyTransparentTextAndShadowAreDefineText2WithAlpha0) {
  TBuildFixture f;
  f.Doc.BannerSettings.Compress = false;
  auto& item = f.AddText("Ghost");
  item.Transparency = 100;
  item.ShadowAltitude = 2;
  f.Pipeline.BuildPreviewMovie();
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  EXPECT_EQ(swf.CountOf(kDefineText), 0u);
  ASSERT_EQ(swf.CountOf(kDefineText2), 2u);
  for (const TSwfTag* t : swf.TagsWith(kDefineText2)) EXPECT_EQ(FirstTextRecord(*t).Color >> 24, 0u);
}

TEST(TextItems, TextOutsideTheCodePageKeepsItsCharacters) {
  // Hangul: code page 936 holds none of it, the movie's Unicode font does.
  TBuildFixture f;
  f.AddText("한글").FontName = "WenQuanYi Zen Hei";
  {
    auto movie = f.Pipeline.ComposePreviewMovie("");
    swf::TFlashFont* font = f.Pipeline.Context().ItemTexts[1]->Font();
    for (char16_t code : {u'\xD55C', u'\xAE00'}) EXPECT_NE(font->CharByCode(code), nullptr) << static_cast<int>(code);
  }
  f.Doc.BannerSettings.Compress = false;
  f.Pipeline.BuildPreviewMovie();
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  ASSERT_EQ(swf.CountOf(kDefineFont2), 1u);
  EXPECT_THAT(FontCodes(*swf.TagsWith(kDefineFont2)[0]), testing::IsSupersetOf({0xAE00, 0xD55C}));
  EXPECT_EQ(TextGlyphCount(*swf.TagsWith(kDefineText)[0]), 2u);
}

TEST(TextItems, LongestTextOfTheEditBoxIsWritten) {
  TBuildFixture f;
  f.Doc.BannerSettings.Compress = false;
  std::string text;
  for (int i = 0; i < 256; ++i) text += static_cast<char>('a' + i % 26);
  f.AddText(text);
  f.Pipeline.BuildPreviewMovie();
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  ASSERT_EQ(swf.CountOf(kDefineText), 1u);
  // Every one of the 26 letters once in the font, and 256 glyph entries in
  // the text's records.
  ASSERT_EQ(swf.CountOf(kDefineFont2), 1u);
  std::vector<std::uint16_t> letters(26);
  for (int i = 0; i < 26; ++i) letters[i] = static_cast<std::uint16_t>('a' + i);
  EXPECT_EQ(FontCodes(*swf.TagsWith(kDefineFont2)[0]), letters);
  EXPECT_EQ(TextGlyphCount(*swf.TagsWith(kDefineText)[0]), 256u);
}

}  // namespace
}  // namespace tessaly::test
