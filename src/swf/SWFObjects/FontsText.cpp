#include "swf/SWFObjects/FontsText.h"

#include <stdexcept>

#include "platform/CodePage.h"

namespace tessaly::swf {

namespace {

// The font name as DefineFont2 stores it: UTF-8 from version 6, else the
// system code page; cut to the 255 bytes its length byte can count, at a
// character boundary.
std::string EncodedFontName(std::string_view name, uint8_t swfVersion) {
  const bool utf8 = swfVersion >= 6;
  name = name.substr(0, name.find('\0'));
  std::string bytes = utf8 ? std::string(name) : platform::Utf8ToAnsi(name);
  if (bytes.size() <= 255) return bytes;
  size_t end = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    const auto lead = static_cast<uint8_t>(bytes[pos]);
    size_t len = 1;
    if (utf8)
      len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    else if (lead >= 0x81 && lead <= 0xFE)
      len = 2;
    if (pos + len > 255) break;
    pos += len;
    end = pos;
  }
  bytes.resize(end);
  return bytes;
}

// One glyph: NumFillBits 1 and NumLineBits 0, its records, an end record,
// padded to a byte. A first record that selects no fill is made to select
// fill style 1, so that the glyph is filled.
void WriteGlyphShape(TBitsEngine& be, TSWFShapeRecords& records) {
  be.WriteByte(0x10);
  if (!records.empty() && records.front()->ShapeRecordType() == srStyleChange) {
    auto& first = static_cast<TSWFStyleChangeRecord&>(*records.front());
    const bool noFill = !first.StateFillStyle0 && !first.StateFillStyle1;
    if (noFill || (first.StateFillStyle1 && first.FillStyle1() == 0)) {
      first.SetFillStyle1(1);
      first.StateFillStyle0 = false;
      first.StateLineStyle = true;
    }
  }
  for (size_t i = 0; i < records.size(); ++i) {
    TSWFShapeRecord& r = *records[i];
    if (r.ShapeRecordType() == srStyleChange) {
      auto& sc = static_cast<TSWFStyleChangeRecord&>(r);
      sc.NumFillBits = 1;
      sc.NumLineBits = 0;
      sc.StylesHasAlpha = false;
    }
    if (r.ShapeRecordType() != srEnd || i + 1 == records.size()) r.WriteToStream(be);
  }
  if (records.empty() || records.back()->ShapeRecordType() != srEnd) TSWFEndShapeRecord().WriteToStream(be);
  be.FlushBits(true);
}

// The glyph shapes one after another; Offsets receives where each starts.
TMemoryStream GlyphShapes(const TBitsEngine& be, std::vector<TSWFShapeRecords>& table, size_t count,
                          std::vector<size_t>& offsets) {
  TMemoryStream shapes;
  TBitsEngine engine(shapes, be);
  TSWFShapeRecords none;
  for (size_t i = 0; i < count; ++i) {
    offsets.push_back(static_cast<size_t>(shapes.Size()));
    WriteGlyphShape(engine, i < table.size() ? table[i] : none);
  }
  return shapes;
}

void WriteCode(TBitsEngine& be, uint16_t code, bool wide) {
  if (wide)
    be.WriteWord(code);
  else
    be.WriteByte(static_cast<uint8_t>(code));
}

}  // namespace

void TSWFDefineFont::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(FontId);
  std::vector<size_t> offsets;
  TMemoryStream shapes = GlyphShapes(be, GlyphShapeTable, GlyphShapeTable.size(), offsets);
  const size_t tableSize = 2 * GlyphShapeTable.size();
  for (size_t offset : offsets) WriteUI16(be, tableSize + offset, "the glyph offset");
  be.WriteBuffer(shapes.Data(), shapes.Size());
}

std::vector<TSWFKerningRecord>& TSWFDefineFont2::KerningTable() {
  if (!kerningTable_) kerningTable_ = std::make_unique<std::vector<TSWFKerningRecord>>();
  return *kerningTable_;
}

void TSWFDefineFont2::WriteTagBody(TBitsEngine& be) {
  const size_t numGlyphs = CodeTable.size();
  const bool layout = HasLayout && numGlyphs > 0;
  // Offsets count from the first byte of the offset table. When the code
  // table would start beyond what 16 bits can address, the offsets are
  // written in 32 bits instead of wrapping around.
  std::vector<size_t> offsets;
  TMemoryStream shapes = GlyphShapes(be, GlyphShapeTable, numGlyphs, offsets);
  const bool wideOffsets = WideOffsets || (numGlyphs + 1) * 2 + shapes.Size() > 0xFFFF;
  const size_t tableSize = (numGlyphs + 1) * (wideOffsets ? 4 : 2);
  offsets.push_back(static_cast<size_t>(shapes.Size()));  // the code table follows the shapes

  be.WriteWord(FontId);
  be.WriteBit(layout);
  be.WriteBit(ShiftJIS);
  be.WriteBit(SmallText);
  be.WriteBit(ANSI || numGlyphs == 0);
  be.WriteBit(wideOffsets);
  be.WriteBit(WideCodes);
  be.WriteBit(Italic);
  be.WriteBit(Bold);
  be.WriteByte(LanguageCode);
  const std::string name = EncodedFontName(FontName, SWFVersion);
  be.WriteByte(static_cast<uint8_t>(name.size()));
  be.WriteBuffer(name.data(), name.size());
  WriteUI16(be, numGlyphs, "the glyph count");
  for (size_t offset : offsets) {
    if (wideOffsets)
      be.WriteDWord(static_cast<uint32_t>(tableSize + offset));
    else
      be.WriteWord(static_cast<uint16_t>(tableSize + offset));
  }
  be.WriteBuffer(shapes.Data(), shapes.Size());
  for (uint16_t code : CodeTable) WriteCode(be, code, WideCodes);

  if (!layout) return;
  be.WriteWord(FontAscent);
  be.WriteWord(FontDescent);
  be.WriteWord(static_cast<uint16_t>(FontLeading));
  for (size_t i = 0; i < numGlyphs; ++i)
    be.WriteWord(static_cast<uint16_t>(i < AdvanceTable.size() ? AdvanceTable[i] : 0));
  for (size_t i = 0; i < numGlyphs; ++i)
    be.WriteRect(i < BoundsTable.size() && BoundsTable[i] ? *BoundsTable[i] : TSWFRect());
  const size_t kerningCount = kerningTable_ ? kerningTable_->size() : 0;
  WriteUI16(be, kerningCount, "the kerning count");
  for (size_t i = 0; i < kerningCount; ++i) {
    const TSWFKerningRecord& k = (*kerningTable_)[i];
    WriteCode(be, k.Code1, WideCodes);
    WriteCode(be, k.Code2, WideCodes);
    be.WriteWord(static_cast<uint16_t>(k.Adjustment));
  }
}

TSWFRGBA& TSWFTextRecord::Color() {
  if (!color_) color_ = std::make_unique<TSWFRGBA>();
  HasColor = true;
  return *color_;
}

void TSWFTextRecord::WriteToStream(TBitsEngine& be, uint8_t glyphBits, uint8_t advanceBits) {
  if (GlyphEntries.size() > 255) throw std::length_error("a text record holds at most 255 glyphs");
  TBitsEngine::TRecordScope scope(be, "TEXTRECORD");
  be.WriteBit(true);
  be.WriteBits(0, 3);
  be.WriteBit(HasFont);
  be.WriteBit(HasColor);
  be.WriteBit(HasYOffset);
  be.WriteBit(HasXOffset);
  if (HasFont) be.WriteWord(fontId_);
  if (HasColor) {
    if (HasAlpha)
      be.WriteColorA(Color().RGBA());
    else
      be.WriteColor(Color().RGB());
  }
  if (HasXOffset) be.WriteWord(static_cast<uint16_t>(xOffset_));
  if (HasYOffset) be.WriteWord(static_cast<uint16_t>(yOffset_));
  if (HasFont) be.WriteWord(textHeight_);
  be.WriteByte(static_cast<uint8_t>(GlyphEntries.size()));
  for (const auto& entry : GlyphEntries) {
    be.WriteBits(entry->GlyphIndex, glyphBits);
    be.WriteSBits(entry->GlyphAdvance, advanceBits);
  }
  be.FlushBits(true);
}

void TSWFDefineText::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  be.WriteRect(TextBounds);
  be.WriteMatrix(TextMatrix);
  be.WriteByte(GlyphBits);
  be.WriteByte(AdvanceBits);
  for (const auto& record : TextRecords) {
    record->HasAlpha = HasAlpha;
    record->WriteToStream(be, GlyphBits, AdvanceBits);
  }
  be.WriteByte(0);
}

void TSWFDefineFontInfo::WriteNameAndFlags(TBitsEngine& be, bool wideCodes) {
  const std::string name = EncodedFontName(FontName, SWFVersion);
  be.WriteByte(static_cast<uint8_t>(name.size()));
  be.WriteBuffer(name.data(), name.size());
  be.WriteBits(0, 2);
  be.WriteBit(SmallText);
  be.WriteBit(ShiftJIS);
  be.WriteBit(ANSI);
  be.WriteBit(Italic);
  be.WriteBit(Bold);
  be.WriteBit(wideCodes);
}

void TSWFDefineFontInfo::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(FontId);
  WriteNameAndFlags(be, WideCodes);
  for (uint16_t code : CodeTable) WriteCode(be, code, WideCodes);
}

void TSWFDefineFontInfo2::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(FontId);
  WriteNameAndFlags(be, true);
  be.WriteByte(LanguageCode);
  for (uint16_t code : CodeTable) be.WriteWord(code);
}

TSWFRGBA& TSWFDefineEditText::TextColor() {
  if (!textColor_) textColor_ = std::make_unique<TSWFRGBA>(true);
  HasTextColor = true;
  return *textColor_;
}

void TSWFDefineEditText::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  be.WriteRect(Bounds);
  be.WriteBit(HasText);
  be.WriteBit(WordWrap);
  be.WriteBit(Multiline);
  be.WriteBit(Password);
  be.WriteBit(ReadOnly);
  be.WriteBit(HasTextColor);
  be.WriteBit(HasMaxLength);
  be.WriteBit(HasFont);
  be.WriteBit(false);  // font class
  be.WriteBit(AutoSize);
  be.WriteBit(HasLayout);
  be.WriteBit(NoSelect);
  be.WriteBit(Border);
  be.WriteBit(false);  // was static
  be.WriteBit(HTML);
  be.WriteBit(UseOutlines);
  if (HasFont) be.WriteWord(fontId_);
  if (HasFont) be.WriteWord(fontHeight_);
  if (HasTextColor) be.WriteColorA(TextColor().RGBA());
  if (HasMaxLength) be.WriteWord(maxLength_);
  if (HasLayout) {
    be.WriteByte(Align);
    be.WriteWord(LeftMargin);
    be.WriteWord(RightMargin);
    be.WriteWord(Indent);
    be.WriteWord(static_cast<uint16_t>(Leading));
  }
  const bool utf8 = SWFVersion >= 6;
  be.WriteString(VariableName, true, utf8);
  if (HasText) be.WriteString(initialText_, true, utf8);
}

}  // namespace tessaly::swf
