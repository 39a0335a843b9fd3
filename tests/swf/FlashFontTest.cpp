#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "SWFTestUtil.h"
#include "swf/FlashObjects.h"

namespace tessaly::swf {
namespace {

using test::Bits;
using test::Hex;
using test::TagOf;
using test::Word;

constexpr uint32_t kBlack = 0xFF000000;

struct TMovie {
  TFlashMovie movie{0, 0, 468, 60, 35, muPixels};

  TFlashFont* Font(const std::string& name = "Arial", uint16_t pixels = 24, bool bold = false, bool italic = false) {
    TFlashFont* font = movie.AddFont(TFontDescription{name, -pixels, bold, italic}, foEmbedded);
    font->SetHasLayout(true);
    font->SetSize(pixels);
    return font;
  }
};

// The tag body after the 2- or 6-byte header.
std::vector<uint8_t> BodyOfTag(TBasedSWFObject& object) {
  std::vector<uint8_t> bytes = TagOf(object);
  const size_t header = (Word(bytes, 0) & 63) == 63 ? 6 : 2;
  return std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(header), bytes.end());
}

uint16_t TagCode(TBasedSWFObject& object) { return Word(TagOf(object), 0) >> 6; }

// Bytes of a RECT in the file.
size_t RectBytes(const TRect& r) {
  uint8_t n = 0;
  for (int32_t v : {r.Left, r.Right, r.Top, r.Bottom}) n = std::max(n, GetSignedBitsCount(v));
  return (5 + 4 * n + 7) / 8;
}

// Where GlyphBits stands in a DefineText body: after the ID, the bounds and
// the identity matrix (one byte).
size_t GlyphBitsAt(TFlashText& text) { return 2 + RectBytes(text.TextBounds()) + 1; }

// "0101..." of Value in Count bits.
std::string BitsOf(int64_t value, unsigned count) {
  std::string s;
  for (unsigned i = count; i-- > 0;) s += (value >> i) & 1 ? '1' : '0';
  return s;
}

TEST(FlashFont, AddCharKeepsOneGlyphPerCodeInAscendingOrder) {
  TMovie m;
  TFlashFont* font = m.Font();
  EXPECT_TRUE(font->AddChar('B'));
  EXPECT_TRUE(font->AddChar('A'));
  EXPECT_FALSE(font->AddChar('A'));
  EXPECT_TRUE(font->AddChar('C'));
  ASSERT_EQ(font->Chars().size(), 3u);
  EXPECT_EQ(font->Chars()[0]->Code(), 'A');
  EXPECT_EQ(font->Chars()[1]->Code(), 'B');
  EXPECT_EQ(font->Chars()[2]->Code(), 'C');
  EXPECT_FALSE(font->IsWide());
  EXPECT_EQ(font->CharByCode('B'), font->Chars()[1].get());
  EXPECT_EQ(font->CharByCode('Z'), nullptr);
}

TEST(FlashFont, EightBitCodesAreConvertedFromTheCodePage) {
  TFlashChar euro(0x80, false);
  EXPECT_EQ(euro.WideCode(), 0x20AC);
  TFlashChar wide(0x80, true);
  EXPECT_EQ(wide.WideCode(), 0x80);
  TFlashChar high(0x6B22, false);
  EXPECT_EQ(high.WideCode(), 0x6B22);
}

TEST(FlashFont, CodeAbove255RaisesTheMovieToVersion6AndWritesWideCodes) {
  TMovie m;
  m.movie.SetVersion(5);
  TFlashFont* font = m.movie.AddFont(TFontDescription{"Arial", -24}, foEmbedded);
  font->SetFontCharset(platform::kAnsiCharset);
  font->AddChar('A');
  EXPECT_EQ(m.movie.Version(), 5);
  EXPECT_FALSE(font->IsWide());
  font->AddChar(0x6B22);
  EXPECT_EQ(m.movie.Version(), 6);
  EXPECT_TRUE(font->IsWide());
  EXPECT_TRUE(font->Chars().back()->Wide());
  const std::vector<uint8_t> body = BodyOfTag(*font);
  EXPECT_EQ(body.at(2) & 0x04, 0x04) << "wide codes flag";
  // The code table ends the body (no layout): 16-bit codes.
  EXPECT_EQ(Hex({body.end() - 4, body.end()}), "41 00 22 6B");
}

TEST(FlashFont, CharsetTableSetsLanguageCodeAndEncoding) {
  struct Case {
    uint8_t charset;
    uint8_t language;
    uint8_t encoding;
  };
  const Case cases[] = {
      {0, 0, feANSI},      {2, 0, feANSI},      {1, 0, feUnicode},   {128, 2, feShiftJIS},
      {129, 3, feANSI},    {134, 4, feANSI},    {136, 5, feANSI},    {161, 64, feUnicode},
  };
  for (const Case& c : cases) {
    TFlashFont font(nullptr, "Arial", false, false, 480, foEmbedded);
    font.SetFontCharset(c.charset);
    EXPECT_EQ(font.LanguageCode, c.language) << int(c.charset);
    EXPECT_EQ(font.Encoding, c.encoding) << int(c.charset);
  }
  TMovie m;
  EXPECT_EQ(m.movie.AddFont(TFontDescription{"Arial", -24}, foEmbedded)->Encoding, feUnicode)
      << "the default charset gives Unicode";
}

TEST(FlashFont, SizeAndScaleValue) {
  TMovie m;
  TFlashFont* font = m.Font("Arial", 24);
  EXPECT_EQ(font->Size, 480);
  EXPECT_EQ(font->ScaleValue(512), 240);
  EXPECT_EQ(font->ScaleValue(1024), 480);
  EXPECT_EQ(font->ScaleValue(32), 15);  // 15.0
  EXPECT_EQ(font->ScaleValue(48), 22);  // 22.5, half to even
  EXPECT_EQ(font->ScaleValue(-48), -22);
}

TEST(FlashFont, LayoutReadsArialMetricsAtEm1024) {
  TMovie m;
  TFlashFont* font = m.movie.AddFont(TFontDescription{"Arial", -24}, foEmbedded);
  EXPECT_EQ(font->Ascent, 0);
  font->SetHasLayout(true);
  EXPECT_EQ(font->Ascent, 927);
  EXPECT_EQ(font->Descent, 217);
  EXPECT_EQ(font->Leading, 120);
}

TEST(FlashFont, BlankGlyphHasNoEdgesButKeepsItsAdvance) {
  TMovie m;
  TFlashFont* font = m.Font();
  font->AddChar(' ');
  font->AddChar('I');
  font->LoadGlyphs();
  TFlashChar& space = *font->Chars()[0];
  EXPECT_TRUE(space.Loaded);
  EXPECT_EQ(space.Advance, 284);
  for (const auto& r : space.ShapeRecords()) {
    EXPECT_NE(r->ShapeRecordType(), srStraightEdge);
    EXPECT_NE(r->ShapeRecordType(), srCurvedEdge);
  }
  EXPECT_GT(font->Chars()[1]->ShapeRecords().size(), 2u);
}

// The pen path of a glyph's records: Y range in em units.
std::pair<int32_t, int32_t> YRange(TSWFShapeRecords& records) {
  int32_t y = 0, lo = 0, hi = 0;
  for (const auto& r : records) {
    switch (r->ShapeRecordType()) {
      case srStyleChange: {
        const auto& s = static_cast<const TSWFStyleChangeRecord&>(*r);
        if (s.StateMoveTo) y = s.DeltaY;
        break;
      }
      case srStraightEdge: y += static_cast<const TSWFStraightEdgeRecord&>(*r).DeltaY; break;
      case srCurvedEdge: {
        const auto& c = static_cast<const TSWFCurvedEdgeRecord&>(*r);
        y += c.ControlDeltaY + c.AnchorDeltaY;
        break;
      }
      case srEnd: break;
    }
    lo = std::min(lo, y);
    hi = std::max(hi, y);
  }
  return {lo, hi};
}

TEST(FlashFont, GlyphsAreMirroredSoThatTheyStandUpright) {
  TMovie m;
  TFlashFont* font = m.Font();
  font->AddChar('I');
  font->AddChar('p');
  font->LoadGlyphs();
  auto [top, bottom] = YRange(font->Chars()[0]->ShapeRecords());
  EXPECT_EQ(bottom, 0) << "I stands on the baseline";
  EXPECT_LT(top, -650) << "and rises above it (Y down)";
  auto [pTop, pBottom] = YRange(font->Chars()[1]->ShapeRecords());
  EXPECT_GT(pBottom, 150) << "the descender of p goes below the baseline";
  EXPECT_LT(pTop, 0);
}

TEST(FlashFont, FontWithoutGlyphsWritesNoGlyphsAndNoLayout) {
  TMovie m;
  TFlashFont* font = m.movie.AddFont(TFontDescription{"Arial", -24}, foEmbedded);
  font->SetHasLayout(true);
  const std::vector<uint8_t> body = BodyOfTag(*font);
  EXPECT_EQ(TagCode(*font), tagDefineFont2);
  EXPECT_EQ(Word(body, 0), font->CharacterID());
  EXPECT_EQ(body.at(2), 0x10 | 0x04) << "ANSI for no glyphs, wide codes for Unicode encoding";
  // language, name "Arial", NumGlyphs 0, the code-table offset 2
  EXPECT_EQ(Hex({body.begin() + 3, body.end()}), "00 05 41 72 69 61 6C 00 00 02 00");
}

TEST(FlashFont, DeviceFontLeavesItsGlyphsOutUnlessAStaticTextUsesIt) {
  TMovie m;
  TFlashFont* font = m.movie.AddFont(TFontDescription{"Arial", -24}, foDeviceFont);
  font->AddChars("AB");
  const std::vector<uint8_t> bare = BodyOfTag(*font);
  EXPECT_EQ(Word(bare, 10), 0) << "NumGlyphs";
  m.movie.AddText(u"AB", kBlack, font, 0, 0, taLeft);
  const std::vector<uint8_t> used = BodyOfTag(*font);
  EXPECT_EQ(Word(used, 10), 2);
}

TEST(FlashFont, ChineseNameIsUtf8InVersion6AndCodePageInVersion5) {
  for (uint8_t version : {5, 6}) {
    TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
    movie.SetVersion(version);
    TFlashFont* font = movie.AddFont(TFontDescription{"宋体", -12}, foEmbedded);
    font->SetFontCharset(platform::kGb2312Charset);
    font->AddChars("A");
    const std::vector<uint8_t> body = BodyOfTag(*font);
    EXPECT_EQ(body.at(3), 4) << "language code of GB2312";
    if (version == 6) {
      EXPECT_EQ(Hex({body.begin() + 4, body.begin() + 11}), "06 E5 AE 8B E4 BD 93");
    } else {
      EXPECT_EQ(Hex({body.begin() + 4, body.begin() + 9}), "04 CB CE CC E5");
    }
  }
}

TEST(FlashFont, NarrowFontWritesGlyphsInAscendingCodeOrder) {
  // 0x81 alone is no character ("?"), 0x80 is the euro sign: the list holds
  // them by UTF-16 key (? before the euro), the code table by code.
  TMovie m;
  TFlashFont* font = m.movie.AddFont(TFontDescription{"Arial", -24}, foEmbedded);
  font->SetFontCharset(platform::kAnsiCharset);
  font->AddChars("\x81\x80");
  ASSERT_EQ(font->Chars().size(), 2u);
  EXPECT_EQ(font->Chars()[0]->Code(), 0x81);
  const std::vector<TFlashChar*> written = font->WrittenChars();
  EXPECT_EQ(written[0]->Code(), 0x80);
  EXPECT_EQ(written[0]->WideCode(), 0x20AC);
  const std::vector<uint8_t> body = BodyOfTag(*font);
  EXPECT_EQ(Hex({body.end() - 2, body.end()}), "80 81");

  TFlashText* text = m.movie.AddText(u"", kBlack, font, 0, 0, taLeft);
  text->SetTextA("\x80");
  const std::vector<uint8_t> tag = BodyOfTag(*text);
  EXPECT_EQ(tag.at(GlyphBitsAt(*text)), 0) << "the euro sign is glyph 0";
}

TEST(FlashFont, FontOfAStaticTextCarriesAllItsGlyphs) {
  TMovie m;
  TFlashFont* font = m.Font();
  m.movie.AddText(u"Hi", kBlack, font, 0, 0, taLeft);
  // "Hi" as UTF-16 and as its code-page bytes: the same two glyphs.
  ASSERT_EQ(font->Chars().size(), 2u);
  EXPECT_EQ(font->UsedBy & fuStaticText, fuStaticText);
  const std::vector<uint8_t> body = BodyOfTag(*font);
  EXPECT_EQ(body.at(2), 0x80 | 0x04) << "layout and wide codes";
  EXPECT_EQ(Word(body, 10), 2) << "NumGlyphs after the name \"Arial\"";
}

TEST(FlashFont, TextUsesDefineTextWhenOpaqueAndDefineText2WithAlpha) {
  TMovie m;
  TFlashFont* font = m.Font();
  TFlashText* opaque = m.movie.AddText(u"A", 0xFF0000FF, font, 0, 0, taLeft);
  TFlashText* translucent = m.movie.AddText(u"A", 0x800000FF, font, 0, 0, taLeft);
  EXPECT_EQ(TagCode(*opaque), tagDefineText);
  EXPECT_EQ(TagCode(*translucent), tagDefineText2);
  EXPECT_EQ(opaque->MinVersion(), 3);
}

TEST(FlashFont, TextRecordHoldsFontColourHeightBaselineAndAdvances) {
  TMovie m;
  TFlashFont* font = m.Font("Arial", 24);
  TFlashText* text = m.movie.AddText(u"AB", 0xFF332211, font, 0, 0, taLeft);
  // Extent 1366 em -> 640 twips wide, 1144 em -> 536 twips high; ascent
  // 927 em -> 435 twips; each advance 683 em -> 320 twips.
  EXPECT_EQ(text->TextBounds(), (TRect{0, 0, 640, 536}));
  const std::vector<uint8_t> body = BodyOfTag(*text);
  const std::string rect = BitsOf(11, 5) + BitsOf(0, 11) + BitsOf(640, 11) + BitsOf(0, 11) + BitsOf(536, 11) + "0000000";
  const std::string matrix = "0" "0" "00000" "0";
  const std::string bits = BitsOf(1, 8) + BitsOf(10, 8);  // GlyphBits 1, AdvanceBits 10
  const std::string record = "1000" "1110"                // font, colour, Y offset; no X offset
                             + BitsOf(font->CharacterID(), 8) + BitsOf(0, 8)  // font id
                             + BitsOf(0x11, 8) + BitsOf(0x22, 8) + BitsOf(0x33, 8) +
                             BitsOf(435, 8) + BitsOf(435 >> 8, 8)  // Y offset 435
                             + BitsOf(480 & 255, 8) + BitsOf(480 >> 8, 8)  // height 480
                             + BitsOf(2, 8) + "0" + BitsOf(320, 10) + "1" + BitsOf(320, 10) + "00";
  const std::string all = rect + matrix + bits + record + BitsOf(0, 8);
  EXPECT_EQ(Word(body, 0), text->CharacterID());
  EXPECT_EQ(Bits({body.begin() + 2, body.end()}, all.size()), all);
  EXPECT_EQ(body.size(), 2 + all.size() / 8);
}

TEST(FlashFont, CharSpacingIsAddedToEveryAdvance) {
  TMovie m;
  TFlashFont* font = m.Font("Arial", 24);
  TFlashText* text = m.movie.AddText(u"AAA", kBlack, font, 0, 0, taLeft);
  text->SetCharSpacing(10);
  EXPECT_EQ(text->CharSpacing, 200);
  // 3 x 320 plus the spacing between the characters
  EXPECT_EQ(text->TextBounds().Right, 960 + 2 * 200);
  const std::vector<uint8_t> body = BodyOfTag(*text);
  const size_t counts = GlyphBitsAt(*text);
  EXPECT_EQ(body.at(counts), 0) << "one glyph: index 0 in 0 bits";
  EXPECT_EQ(body.at(counts + 1), 11) << "advances of 520 twips";
}

TEST(FlashFont, AdvanceOf512EmAt24PixelsIs240TwipsPlusSpacing) {
  TMovie m;
  TFlashFont* font = m.Font("Arial", 24);
  TFlashText* text = m.movie.AddText(u"cc", kBlack, font, 0, 0, taLeft);
  text->SetCharSpacing(10);
  font->LoadGlyphs();
  ASSERT_EQ(font->CharByCode('c')->Advance, 512);
  const std::vector<uint8_t> body = BodyOfTag(*text);
  const size_t counts = GlyphBitsAt(*text);
  EXPECT_EQ(body.at(counts), 0);
  EXPECT_EQ(body.at(counts + 1), 10);  // 440 twips
  const size_t entries = counts + 2 + 1 + 2 + 3 + 2 + 2 + 1;  // after the record's fields and count
  EXPECT_EQ(body.at(entries - 1), 2);
  EXPECT_EQ(Bits({body.begin() + entries, body.end()}, 20), BitsOf(240 + 200, 10) + BitsOf(440, 10));
}

TEST(FlashFont, AlignmentPlacesTheBoxAroundTheOrigin) {
  struct Case {
    uint8_t align;
    int32_t left;
  };
  // Extent of "AB" at 24 px: 640 twips; origin (100, 10) px = (2000, 200).
  const Case cases[] = {{taLeft, 2000}, {taRight, 2000 - 640}, {taCenter, 2000 - 320}, {taJustify, 2000 - 320}};
  for (const Case& c : cases) {
    TMovie m;
    TFlashText* text = m.movie.AddText(u"AB", kBlack, m.Font("Arial", 24), 100, 10, c.align);
    const TRect box = text->TextBounds();
    EXPECT_EQ(box.Left, c.left) << int(c.align);
    EXPECT_EQ(box.Right - box.Left, 640) << int(c.align);
    EXPECT_EQ(box.Top, 200);
    if (c.align == taRight) {
      EXPECT_EQ(box.Right, 2000) << "right-aligned text ends at the origin";
    }
  }
}

TEST(FlashFont, CentredTextWithOddWidthTruncatesTheHalf) {
  TMovie m;
  TFlashFont* font = m.Font("Arial", 25);
  TFlashText* text = m.movie.AddText(u"A", kBlack, font, 0, 0, taCenter);
  ASSERT_EQ(font->ScaleValue(683), 333);  // 333.496 twips
  EXPECT_EQ(text->TextBounds(), (TRect{-166, 0, 167, 559}));
}

TEST(FlashFont, LongTextIsSplitIntoRecordsOf255Glyphs) {
  struct Case {
    uint16_t pixels;
    int32_t advance;  // twips of "A"
    bool secondHasX;  // the end of the first run fits the 16-bit X offset
  };
  const Case cases[] = {{6, 80, true}, {12, 160, false}};
  for (const Case& c : cases) {
    TMovie m;
    TFlashFont* font = m.Font("Arial", c.pixels);
    TFlashText* t = m.movie.AddText(std::u16string(300, u'A'), kBlack, font, 10, 0, taLeft);
    ASSERT_EQ(font->ScaleValue(683), c.advance);
    const std::vector<uint8_t> body = BodyOfTag(*t);
    const size_t counts = GlyphBitsAt(*t);
    const uint8_t advanceBits = GetSignedBitsCount(c.advance);
    EXPECT_EQ(body.at(counts), 0);
    EXPECT_EQ(body.at(counts + 1), advanceBits);
    // First run: font, colour, X offset 200 (origin 10 px), Y offset, height.
    const size_t first = counts + 2;
    EXPECT_EQ(body.at(first), 0x8F) << c.pixels;
    EXPECT_EQ(Word(body, first + 6), 200);
    EXPECT_EQ(body.at(first + 12), 255);
    const size_t second = first + 13 + (255 * advanceBits + 7) / 8;
    const int32_t x = 200 + 255 * c.advance;
    size_t entries = second + 1;
    if (c.secondHasX) {
      EXPECT_EQ(body.at(second), 0x81) << "only the X offset where the first run ended";
      EXPECT_EQ(Word(body, second + 1), x);
      entries += 2;
    } else {
      EXPECT_GT(x, 32767);
      EXPECT_EQ(body.at(second), 0x80) << "the pen continues where the first run ended";
    }
    EXPECT_EQ(body.at(entries), 45);
    EXPECT_EQ(body.size(), entries + 1 + (45 * advanceBits + 7) / 8 + 1);
    EXPECT_EQ(body.back(), 0);
  }
}

TEST(FlashFont, ChineseTextInArialShowsGlyphsFromAChineseFace) {
  TMovie m;
  TFlashFont* font = m.Font("Arial", 24);
  m.movie.AddText(u"欢迎", kBlack, font, 0, 0, taLeft);
  font->LoadGlyphs();
  TFlashChar* huan = font->CharByCode(u'欢');
  ASSERT_NE(huan, nullptr);
  EXPECT_GT(huan->Advance, 0);
  EXPECT_GT(huan->ShapeRecords().size(), 10u);
}

TEST(FlashFont, GlyphsAreReadOnceAcrossBuilds) {
  platform::FontSource fonts;
  auto build = [&] {
    TMovie m;
    TFlashFont* font = m.Font("Arial", 24);
    font->SetFontSource(fonts);
    m.movie.AddText(u"Tessaly", kBlack, font, 0, 0, taLeft);
    m.movie.WriteObjects();
    return m.movie.BodyStream().Bytes();
  };
  const std::vector<uint8_t> first = build();
  const uint64_t loads = fonts.GlyphLoads();
  EXPECT_EQ(loads, 6u) << "T e s a l y";
  EXPECT_EQ(build(), first);
  EXPECT_EQ(fonts.GlyphLoads(), loads);
}

// Tag codes of a movie body, in order.
std::vector<uint16_t> TagCodes(const std::vector<uint8_t>& body) {
  std::vector<uint16_t> codes;
  size_t at = 0;
  while (at + 2 <= body.size()) {
    const uint16_t header = Word(body, at);
    size_t length = header & 63;
    at += 2;
    if (length == 63) {
      length = test::DWord(body, at);
      at += 4;
    }
    codes.push_back(header >> 6);
    at += length;
  }
  return codes;
}

// Lines of text in the styles of one face, a Chinese line, spaced and
// translucent text; written to tessaly-fonts-sample.swf in the temporary
// folder to look at.
TEST(FlashFont, SampleMovieOfStylesScriptsSpacingAndAlpha) {
  TFlashMovie movie(0, 0, 480, 300, 12, muPixels);
  movie.SetVersion(6);
  movie.SWFBackgroundColor().SetRGB(0xFFFFFF);
  struct Line {
    const char* face;
    bool bold, italic;
    std::u16string text;
    int32_t spacing;
    uint32_t color;
  };
  const Line lines[] = {
      {"Liberation Sans", false, false, u"Regular: The quick brown fox 0123", 0, 0xFF000000},
      {"Liberation Sans", true, false, u"Bold: The quick brown fox 0123", 0, 0xFF000000},
      {"Liberation Sans", false, true, u"Italic: The quick brown fox 0123", 0, 0xFF000000},
      {"Liberation Sans", true, true, u"Bold italic: The quick brown fox", 0, 0xFF000000},
      {"宋体", false, false, u"欢迎光临 Tessaly 横幅", 0, 0xFF8000C0},
      {"Arial", false, false, u"Spacing 10 px", 10, 0xFF006000},
      {"Arial", true, false, u"Alpha 50 % over the line", 0, 0x80FF0000},
  };
  // A red bar under the translucent line shows its alpha.
  TFlashShape* bar = movie.AddRectangle(20, 258, 460, 266);
  bar->SetSolidColor(255, 0, 0, 255);
  movie.PlaceObject(bar, 1);
  uint16_t depth = 2;
  int32_t y = 6;
  for (const Line& line : lines) {
    TFlashFont* font = movie.AddFont(TFontDescription{line.face, -26, line.bold, line.italic}, foEmbedded);
    font->SetHasLayout(true);
    font->SetSize(26);
    TFlashText* text = movie.AddText(line.text, line.color, font, 240, y, taCenter);
    text->SetCharSpacing(line.spacing);
    movie.PlaceObject(text, depth++);
    y += 40;
  }
  movie.ShowFrame();
  movie.WriteObjects();
  TFileStream file((std::filesystem::temp_directory_path() / "tessaly-fonts-sample.swf").string());
  movie.SaveToStream(file);
  file.Close();

  EXPECT_EQ(movie.Version(), 6);
  const std::vector<uint16_t> codes = TagCodes(movie.BodyStream().Bytes());
  EXPECT_EQ(std::count(codes.begin(), codes.end(), tagDefineFont2), 7);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), tagDefineText), 6);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), tagDefineText2), 1);
  EXPECT_EQ(codes.back(), tagEnd);
}

}  // namespace
}  // namespace tessaly::swf
