#pragma once
// Font and static text tags: DefineFont, DefineFont2, text records,
// DefineText, DefineText2, DefineFontInfo, DefineFontInfo2, DefineEditText.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "swf/SWFObjects/Shapes.h"
#include "swf/SWFObjects/Tags.h"

namespace tessaly::swf {

// A kerning pair of DefineFont2's layout.
struct TSWFKerningRecord {
  int16_t Adjustment = 0;
  uint16_t Code1 = 0;
  uint16_t Code2 = 0;
};

// DefineFont: glyph outlines only, standard layout (offset table of 16-bit
// offsets, then the glyph shapes).
class TSWFDefineFont : public TSWFObject {
 public:
  TSWFDefineFont() : TSWFObject(tagDefineFont) {}

  void WriteTagBody(TBitsEngine& be) override;

  uint16_t FontId = 0;
  // The shape records of each glyph.
  std::vector<TSWFShapeRecords> GlyphShapeTable;

 protected:
  explicit TSWFDefineFont(uint16_t tagID) : TSWFObject(tagID) {}
};

// DefineFont2: glyphs, code table and optional layout. The offsets are
// written in 32 bits with WideOffsets, and also when the glyph shapes reach
// beyond what 16-bit offsets address (65535 bytes from the offset table).
class TSWFDefineFont2 : public TSWFDefineFont {
 public:
  TSWFDefineFont2() : TSWFDefineFont(tagDefineFont2) {}
  uint8_t MinVersion() const override { return 3; }

  // Created on first access.
  std::vector<TSWFKerningRecord>& KerningTable();
  bool HasKerningTable() const { return kerningTable_ != nullptr; }

  void WriteTagBody(TBitsEngine& be) override;

  std::vector<uint16_t> CodeTable;
  std::vector<int16_t> AdvanceTable;
  uint16_t FontAscent = 0;
  std::vector<std::unique_ptr<TSWFRect>> BoundsTable;
  uint16_t FontDescent = 0;
  bool ANSI = false;
  bool Bold = false;
  bool HasLayout = false;
  bool Italic = false;
  bool ShiftJIS = false;
  bool SmallText = false;
  bool WideCodes = false;
  bool WideOffsets = false;
  int16_t FontLeading = 0;
  std::string FontName;  // UTF-8; written in UTF-8 from version 6, else in the system code page
  uint8_t LanguageCode = 0;
  // The movie's version when the font is written; decides the name encoding.
  uint8_t SWFVersion = 6;

 private:
  std::unique_ptr<std::vector<TSWFKerningRecord>> kerningTable_;
};

struct TSWFGlyphEntry {
  int32_t GlyphAdvance = 0;  // twips
  uint16_t GlyphIndex = 0;   // into the font's glyphs
};

// A run of glyphs of one font, colour and height. At most 255 entries.
class TSWFTextRecord {
 public:
  uint16_t FontId() const { return fontId_; }
  uint16_t TextHeight() const { return textHeight_; }
  int32_t XOffset() const { return xOffset_; }
  int32_t YOffset() const { return yOffset_; }
  // Each sets its presence flag (FontId and TextHeight: HasFont).
  void SetFontId(uint16_t id) { fontId_ = id; HasFont = true; }
  void SetTextHeight(uint16_t height) { textHeight_ = height; HasFont = true; }
  void SetXOffset(int32_t x) { xOffset_ = x; HasXOffset = true; }
  void SetYOffset(int32_t y) { yOffset_ = y; HasYOffset = true; }
  // Created on first access, which sets HasColor.
  TSWFRGBA& Color();

  // Entries use GlyphBits and AdvanceBits bits; the colour is RGBA when
  // HasAlpha is set (by the text tag), else RGB. Throws std::length_error
  // for more than 255 entries, which the count byte cannot hold.
  void WriteToStream(TBitsEngine& be, uint8_t glyphBits, uint8_t advanceBits);

  std::vector<std::unique_ptr<TSWFGlyphEntry>> GlyphEntries;
  bool HasColor = false;
  bool HasFont = false;
  bool HasXOffset = false;
  bool HasYOffset = false;
  bool HasAlpha = false;

 private:
  uint16_t fontId_ = 0;
  std::unique_ptr<TSWFRGBA> color_;
  uint16_t textHeight_ = 0;
  int32_t xOffset_ = 0;
  int32_t yOffset_ = 0;
};

// DefineText: static text of text records.
class TSWFDefineText : public TSWFObject {
 public:
  TSWFDefineText() : TSWFDefineText(tagDefineText, false) {}

  void WriteTagBody(TBitsEngine& be) override;

  uint8_t AdvanceBits = 0;
  uint16_t CharacterId = 0;
  uint8_t GlyphBits = 0;
  bool HasAlpha;
  TSWFRect TextBounds;
  TSWFMatrix TextMatrix;
  std::vector<std::unique_ptr<TSWFTextRecord>> TextRecords;

 protected:
  TSWFDefineText(uint16_t tagID, bool hasAlpha) : TSWFObject(tagID), HasAlpha(hasAlpha) {}
};

// DefineText2: the same with RGBA colours.
class TSWFDefineText2 : public TSWFDefineText {
 public:
  TSWFDefineText2() : TSWFDefineText(tagDefineText2, true) {}
  uint8_t MinVersion() const override { return 3; }
};

// DefineFontInfo: name, style flags and code table of a DefineFont.
class TSWFDefineFontInfo : public TSWFObject {
 public:
  TSWFDefineFontInfo() : TSWFObject(tagDefineFontInfo) {}

  void WriteTagBody(TBitsEngine& be) override;

  uint16_t FontId = 0;
  std::string FontName;  // UTF-8; written in UTF-8 from version 6, else in the system code page
  bool ANSI = false;
  bool Bold = false;
  bool Italic = false;
  bool ShiftJIS = false;
  bool SmallText = false;
  bool WideCodes = false;
  std::vector<uint16_t> CodeTable;
  uint8_t SWFVersion = 6;

 protected:
  explicit TSWFDefineFontInfo(uint16_t tagID) : TSWFObject(tagID) {}
  // Name, then the flags byte with WideCodes as given.
  void WriteNameAndFlags(TBitsEngine& be, bool wideCodes);
};

// DefineFontInfo2: the same with a language code; codes are always 16-bit.
class TSWFDefineFontInfo2 : public TSWFDefineFontInfo {
 public:
  TSWFDefineFontInfo2() : TSWFDefineFontInfo(tagDefineFontInfo2) {}
  uint8_t MinVersion() const override { return 6; }

  void WriteTagBody(TBitsEngine& be) override;

  uint8_t LanguageCode = 0;
};

// DefineEditText: a dynamic or input text field.
class TSWFDefineEditText : public TSWFObject {
 public:
  TSWFDefineEditText() : TSWFObject(tagDefineEditText) {}
  uint8_t MinVersion() const override { return 4; }

  uint16_t FontId() const { return fontId_; }
  uint16_t FontHeight() const { return fontHeight_; }
  uint16_t MaxLength() const { return maxLength_; }
  const std::string& InitialText() const { return initialText_; }
  // FontId and FontHeight set HasFont, MaxLength HasMaxLength, the text
  // HasText.
  void SetFontId(uint16_t id) { fontId_ = id; HasFont = true; }
  void SetFontHeight(uint16_t height) { fontHeight_ = height; HasFont = true; }
  void SetMaxLength(uint16_t length) { maxLength_ = length; HasMaxLength = true; }
  void SetInitialText(std::string text) { initialText_ = std::move(text); HasText = true; }
  // Created on first access, which sets HasTextColor.
  TSWFRGBA& TextColor();

  void WriteTagBody(TBitsEngine& be) override;

  uint16_t CharacterId = 0;
  TSWFRect Bounds;
  bool HasText = false;
  bool WordWrap = false;
  bool Multiline = false;
  bool Password = false;
  bool ReadOnly = false;
  bool HasTextColor = false;
  bool HasMaxLength = false;
  bool HasFont = false;
  bool AutoSize = false;
  bool HasLayout = false;
  bool NoSelect = false;
  bool Border = false;
  bool HTML = false;
  bool UseOutlines = false;
  // Layout, written with HasLayout.
  uint8_t Align = 0;  // 0 left, 1 right, 2 centre, 3 justify
  uint16_t LeftMargin = 0;
  uint16_t RightMargin = 0;
  uint16_t Indent = 0;
  int16_t Leading = 0;
  std::string VariableName;  // UTF-8, like the initial text written in UTF-8 from version 6
  uint8_t SWFVersion = 6;

 private:
  uint16_t fontId_ = 0;
  uint16_t fontHeight_ = 0;
  uint16_t maxLength_ = 0;
  std::unique_ptr<TSWFRGBA> textColor_;
  std::string initialText_;
};

}  // namespace tessaly::swf
