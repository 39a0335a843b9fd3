#include <gtest/gtest.h>

#include "swf/SWFObjects.h"
#include "SWFTestUtil.h"

namespace tessaly::swf {
namespace {

using test::BodyOf;
using test::Bits;
using test::Hex;
using test::TagOf;
using test::Word;

std::vector<uint8_t> Tail(const std::vector<uint8_t>& bytes, size_t from) {
  return std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end());
}

TEST(FontTags, FontWithoutGlyphsIsAnsiWithOneOffsetAndNoLayout) {
  TSWFDefineFont2 font;
  font.FontId = 1;
  font.FontName = "A";
  font.HasLayout = true;
  EXPECT_EQ(Hex(BodyOf(font)), "01 00 10 00 01 41 00 00 02 00");
  EXPECT_EQ(font.TagID(), tagDefineFont2);
  EXPECT_EQ(font.MinVersion(), 3);
}

TEST(FontTags, FlagsByteRunsFromLayoutDownToBold) {
  struct Case {
    const char* name;
    void (*set)(TSWFDefineFont2&);
    uint8_t flags;
  };
  const Case cases[] = {
      {"layout", [](TSWFDefineFont2& f) { f.HasLayout = true; }, 0x80},
      {"shift-jis", [](TSWFDefineFont2& f) { f.ShiftJIS = true; }, 0x40},
      {"small text", [](TSWFDefineFont2& f) { f.SmallText = true; }, 0x20},
      {"ansi", [](TSWFDefineFont2& f) { f.ANSI = true; }, 0x10},
      {"wide offsets", [](TSWFDefineFont2& f) { f.WideOffsets = true; }, 0x08},
      {"wide codes", [](TSWFDefineFont2& f) { f.WideCodes = true; }, 0x04},
      {"italic", [](TSWFDefineFont2& f) { f.Italic = true; }, 0x02},
      {"bold", [](TSWFDefineFont2& f) { f.Bold = true; }, 0x01},
  };
  for (const Case& c : cases) {
    TSWFDefineFont2 font;
    font.CodeTable = {65};
    font.GlyphShapeTable.resize(1);
    c.set(font);
    EXPECT_EQ(BodyOf(font).at(2), c.flags) << c.name;
  }
}

TEST(FontTags, ChineseNameIsUtf8FromVersion6AndCodePageBelow) {
  TSWFDefineFont2 font;
  font.FontName = "宋体";
  font.SWFVersion = 6;
  std::vector<uint8_t> v6 = BodyOf(font);
  EXPECT_EQ(Hex({v6.begin() + 4, v6.begin() + 11}), "06 E5 AE 8B E4 BD 93");
  font.SWFVersion = 5;
  std::vector<uint8_t> v5 = BodyOf(font);
  EXPECT_EQ(Hex({v5.begin() + 4, v5.begin() + 9}), "04 CB CE CC E5");
}

TEST(FontTags, OverlongNameIsCutAtACharacterWithinTheLengthByte) {
  TSWFDefineFont2 font;
  for (int i = 0; i < 100; ++i) font.FontName += "宋";  // 300 bytes in UTF-8, 200 in code page 936
  font.SWFVersion = 6;
  EXPECT_EQ(BodyOf(font).at(4), 255);  // 85 characters of 3 bytes
  font.SWFVersion = 5;
  EXPECT_EQ(BodyOf(font).at(4), 200);
  font.FontName = std::string(254, 'a') + "宋";
  EXPECT_EQ(BodyOf(font).at(4), 254) << "a double-byte character is not split";
}

TEST(FontTags, ThreeEmptyGlyphsStartAfterFourOffsetSlots) {
  TSWFDefineFont2 font;
  font.FontId = 3;
  font.CodeTable = {'A', 'B', 'C'};
  font.GlyphShapeTable.resize(3);
  const std::vector<uint8_t> body = BodyOf(font);
  // id, flags, language, empty name, NumGlyphs 3
  EXPECT_EQ(Hex({body.begin(), body.begin() + 7}), "03 00 00 00 00 03 00");
  const size_t table = 7;
  EXPECT_EQ(Word(body, table), 8);
  EXPECT_EQ(Word(body, table + 2), 10);
  EXPECT_EQ(Word(body, table + 4), 12);
  EXPECT_EQ(Word(body, table + 6), 14);  // code table
  // Each glyph: NumFillBits 1 / NumLineBits 0, then the end record, padded.
  EXPECT_EQ(Hex(Tail(body, table + 8)), "10 00 10 00 10 00 41 42 43");
}

TEST(FontTags, WideOffsetsAndWideCodes) {
  TSWFDefineFont2 font;
  font.CodeTable = {0x6B22};
  font.GlyphShapeTable.resize(1);
  font.WideOffsets = true;
  font.WideCodes = true;
  const std::vector<uint8_t> body = BodyOf(font);
  EXPECT_EQ(Hex(Tail(body, 7)), "08 00 00 00 0A 00 00 00 10 00 22 6B");
}

TEST(FontTags, GlyphsBeyond16BitOffsetsGetWideOffsets) {
  TSWFDefineFont2 font;
  font.CodeTable = {'A', 'B'};
  font.GlyphShapeTable.resize(2);
  // 44,000 edges of 12 bits: 66,000 bytes for the first glyph.
  for (int i = 0; i < 44000; ++i) font.GlyphShapeTable[0].push_back(std::make_unique<TSWFStraightEdgeRecord>(5, 0));
  const std::vector<uint8_t> body = BodyOf(font);
  EXPECT_EQ(body.at(2) & 0x08, 0x08) << "wide offsets flag";
  EXPECT_EQ(test::DWord(body, 7), 12u);  // three 4-byte slots
  const uint32_t second = test::DWord(body, 11);
  EXPECT_GT(second, 0xFFFFu);
  EXPECT_EQ(test::DWord(body, 15), second + 2);  // the second glyph is "10 00"
  EXPECT_EQ(Hex(Tail(body, 7 + second)), "10 00 41 42");
}

TEST(FontTags, FirstStyleChangeWithoutFillSelectsFillStyleOne) {
  struct Case {
    const char* name;
    void (*select)(TSWFStyleChangeRecord&);
  };
  const Case cases[] = {
      {"no fill flag", [](TSWFStyleChangeRecord&) {}},
      {"fill style 1 of index 0", [](TSWFStyleChangeRecord& r) { r.SetFillStyle1(0); }},
      {"fill style 0 and 1 of index 0", [](TSWFStyleChangeRecord& r) {
         r.SetFillStyle0(0);
         r.SetFillStyle1(0);
       }},
  };
  for (const Case& c : cases) {
    TSWFDefineFont2 font;
    font.CodeTable = {'I'};
    font.GlyphShapeTable.resize(1);
    auto first = std::make_unique<TSWFStyleChangeRecord>();
    first->SetMoveTo(10, 20);
    c.select(*first);
    font.GlyphShapeTable[0].push_back(std::move(first));
    font.GlyphShapeTable[0].push_back(std::make_unique<TSWFStraightEdgeRecord>(5, 0));
    const std::vector<uint8_t> body = BodyOf(font);
    const std::vector<uint8_t> glyph(body.begin() + 11, body.end() - 1);  // after the two offsets, before the code
    EXPECT_EQ(Bits(glyph, 8), "00010000") << c.name;
    // style change: line style and fill style 1 flags with a move to
    // (10, 20) in 6 bits, fill index 1 in 1 bit, no line index bits; a
    // horizontal edge of 5; the end record; padding.
    EXPECT_EQ(Bits(glyph, glyph.size() * 8).substr(8),
              "001101" "00110" "001010" "010100" "1" "11" "0010" "0" "0" "0101" "000000" "000000")
        << c.name;
  }
}

TEST(FontTags, FirstStyleChangeWithAFillIsLeftAlone) {
  TSWFDefineFont2 font;
  font.CodeTable = {'I'};
  font.GlyphShapeTable.resize(1);
  auto first = std::make_unique<TSWFStyleChangeRecord>();
  first->SetFillStyle0(1);
  first->SetMoveTo(1, 1);
  font.GlyphShapeTable[0].push_back(std::move(first));
  const std::vector<uint8_t> body = BodyOf(font);
  // fill style 0 flag with a move to (1, 1) in 2 bits, index 1; end record
  EXPECT_EQ(Bits({body.begin() + 12, body.end() - 1}, 24), "000011" "00010" "01" "01" "1" "000000" "00");
}

TEST(FontTags, LayoutFollowsTheCodeTable) {
  TSWFDefineFont2 font;
  font.CodeTable = {'A'};
  font.GlyphShapeTable.resize(1);
  font.HasLayout = true;
  font.FontAscent = 927;
  font.FontDescent = 217;
  font.FontLeading = 120;
  font.AdvanceTable = {683};
  font.BoundsTable.push_back(std::make_unique<TSWFRect>());
  font.KerningTable().push_back({-40, 'A', 'V'});
  const std::vector<uint8_t> body = BodyOf(font);
  // offsets, glyph, code, ascent, descent, leading, advance, empty RECT,
  // kerning count and the pair
  EXPECT_EQ(Hex(Tail(body, 7)), "04 00 06 00 10 00 41 9F 03 D9 00 78 00 AB 02 00 01 00 41 56 D8 FF");
}

TEST(FontTags, DefineFontWritesOffsetsThenShapes) {
  TSWFDefineFont font;
  font.FontId = 2;
  font.GlyphShapeTable.resize(2);
  EXPECT_EQ(Hex(BodyOf(font)), "02 00 04 00 06 00 10 00 10 00");
  EXPECT_EQ(font.TagID(), tagDefineFont);
}

std::unique_ptr<TSWFTextRecord> RecordOf(size_t glyphs, int32_t advance) {
  auto record = std::make_unique<TSWFTextRecord>();
  for (size_t i = 0; i < glyphs; ++i)
    record->GlyphEntries.push_back(std::make_unique<TSWFGlyphEntry>(TSWFGlyphEntry{advance, uint16_t(i)}));
  return record;
}

TEST(FontTags, TenGlyphEntriesOfFourteenBitsPadToEighteenBytes) {
  auto record = RecordOf(10, 500);
  const std::vector<uint8_t> bytes = test::Written([&](TBitsEngine& be) { record->WriteToStream(be, 4, 10); });
  ASSERT_EQ(bytes.size(), 2u + 18u);
  EXPECT_EQ(bytes[0], 0x80);
  EXPECT_EQ(bytes[1], 10);
  EXPECT_EQ(Bits({bytes.begin() + 2, bytes.end()}, 28), "0000" "0111110100" "0001" "0111110100");
}

TEST(FontTags, TextRecordFieldsFollowTheirFlags) {
  TSWFTextRecord record;
  record.SetFontId(7);
  record.Color().SetRGBA(0x80332211);
  record.SetYOffset(-20);
  record.SetTextHeight(480);
  const auto rgb = test::Written([&](TBitsEngine& be) { record.WriteToStream(be, 1, 1); });
  EXPECT_EQ(Hex(rgb), "8E 07 00 11 22 33 EC FF E0 01 00") << "no X offset field";
  record.HasAlpha = true;
  record.SetXOffset(-100);
  const auto rgba = test::Written([&](TBitsEngine& be) { record.WriteToStream(be, 1, 1); });
  EXPECT_EQ(Hex(rgba), "8F 07 00 11 22 33 80 9C FF EC FF E0 01 00");
}

TEST(FontTags, TextRecordRefusesMoreGlyphsThanItsCountByteHolds) {
  auto record = RecordOf(256, 1);
  EXPECT_THROW(test::Written([&](TBitsEngine& be) { record->WriteToStream(be, 8, 2); }), std::length_error);
  auto full = RecordOf(255, 1);
  EXPECT_EQ(test::Written([&](TBitsEngine& be) { full->WriteToStream(be, 8, 2); }).at(1), 255);
}

TEST(FontTags, DefineTextAndDefineText2) {
  for (bool alpha : {false, true}) {
    std::unique_ptr<TSWFDefineText> text =
        alpha ? std::make_unique<TSWFDefineText2>() : std::make_unique<TSWFDefineText>();
    text->CharacterId = 5;
    text->TextBounds.SetRect(0, 0, 100, 40);
    text->GlyphBits = 1;
    text->AdvanceBits = 8;
    auto record = RecordOf(1, 100);
    record->Color().SetRGBA(0x7F0000FF);
    text->TextRecords.push_back(std::move(record));
    const std::vector<uint8_t> body = BodyOf(*text);
    // id; RECT of 8-bit values: 01000 00000000 01100100 00000000 00101000,
    // padded; identity matrix; the bit counts; the record; the end byte
    const std::string head = "05 00 40 03 20 01 40 00 01 08";
    if (alpha) {
      EXPECT_EQ(text->TagID(), tagDefineText2);
      EXPECT_EQ(text->MinVersion(), 3);
      EXPECT_EQ(Hex(body), head + " 84 FF 00 00 7F 01 32 00 00");
    } else {
      EXPECT_EQ(text->TagID(), tagDefineText);
      EXPECT_EQ(text->MinVersion(), 1);
      EXPECT_EQ(Hex(body), head + " 84 FF 00 00 01 32 00 00");
    }
  }
}

TEST(FontTags, DefineFontInfoCarriesNameFlagsAndCodes) {
  TSWFDefineFontInfo info;
  info.FontId = 1;
  info.FontName = "Arial";
  info.ANSI = true;
  info.Bold = true;
  info.CodeTable = {'A', 'B'};
  EXPECT_EQ(Hex(BodyOf(info)), "01 00 05 41 72 69 61 6C 0A 41 42");
  info.WideCodes = true;
  info.SmallText = true;
  info.ANSI = false;
  EXPECT_EQ(Hex(BodyOf(info)), "01 00 05 41 72 69 61 6C 23 41 00 42 00");
  EXPECT_EQ(info.TagID(), tagDefineFontInfo);
  EXPECT_EQ(info.MinVersion(), 1);
}

TEST(FontTags, DefineFontInfo2HasALanguageCodeAndWideCodes) {
  TSWFDefineFontInfo2 info;
  info.FontId = 2;
  info.FontName = "宋体";
  info.SWFVersion = 5;
  info.Italic = true;
  info.LanguageCode = 4;
  info.CodeTable = {0x6B22};
  EXPECT_EQ(Hex(BodyOf(info)), "02 00 04 CB CE CC E5 05 04 22 6B");
  EXPECT_EQ(info.TagID(), tagDefineFontInfo2);
  EXPECT_EQ(info.MinVersion(), 6);
}

TEST(FontTags, DefineEditTextWritesTheFieldsItsFlagsAnnounce) {
  TSWFDefineEditText bare;
  bare.CharacterId = 3;
  bare.VariableName = "v";
  EXPECT_EQ(Hex(BodyOf(bare)), "03 00 00 00 00 76 00");
  EXPECT_EQ(bare.TagID(), tagDefineEditText);
  EXPECT_EQ(bare.MinVersion(), 4);

  TSWFDefineEditText full;
  full.CharacterId = 3;
  full.SetInitialText("hi");
  full.ReadOnly = true;
  full.TextColor().SetRGBA(0x80332211);
  full.SetMaxLength(10);
  full.SetFontId(1);
  full.SetFontHeight(240);
  full.AutoSize = true;
  full.HasLayout = true;
  full.Border = true;
  full.UseOutlines = true;
  full.Align = 2;
  full.LeftMargin = 1;
  full.RightMargin = 2;
  full.Indent = 3;
  full.Leading = -4;
  full.VariableName = "v";
  EXPECT_EQ(Hex(BodyOf(full)), "03 00 00 8F 69 01 00 F0 00 11 22 33 80 0A 00 02 01 00 02 00 03 00 FC FF 76 00 68 69 00");
}

TEST(FontTags, TagsAreFramedWithTheirCodes) {
  TSWFDefineFont2 font;
  EXPECT_EQ(Hex(TagOf(font)), "09 0C 00 00 10 00 00 00 00 02 00");
}

}  // namespace
}  // namespace tessaly::swf
