#pragma once
// Embedded fonts, their glyphs and static texts.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "swf/FlashObjects/Objects.h"
#include "swf/FlashObjects/Shapes.h"
#include "swf/FontReader.h"

namespace tessaly::swf {

// A font whose outlines go into the movie, or a device font, whose
// outlines are left out unless a static text uses it.
enum TFontOutlines : uint8_t { foEmbedded, foDeviceFont };

// A system font as callers describe it. Only the face, bold, italic and the
// charset reach the movie; the font's size is |Height| (movie units).
struct TFontDescription {
  std::string Name;  // face name, UTF-8
  int32_t Height = 0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  uint8_t Charset = platform::kDefaultCharset;
};

enum TFontEncoding : uint8_t { feANSI = 0, feShiftJIS = 1, feUnicode = 2 };

// Bits of TFlashFont::UsedBy.
enum TFontUsage : uint8_t { fuStaticText = 1, fuEditText = 2 };

enum TTextAlign : uint8_t { taLeft = 0, taRight = 1, taCenter = 2, taJustify = 3 };

// One glyph of an embedded font: its code, outline (edge records in em-1024
// units, Y down) and advance.
class TFlashChar {
 public:
  // WideCode is the code itself for a wide character or a code above 255,
  // else the code-page byte converted to UTF-16.
  TFlashChar(uint16_t code, bool wide);
  TFlashChar(const TFlashChar&) = delete;
  TFlashChar& operator=(const TFlashChar&) = delete;

  uint16_t Code() const { return code_; }
  uint16_t WideCode() const { return wideCode_; }
  bool Wide() const { return wide_; }
  TSWFShapeRecords& ShapeRecords() { return records_; }
  TFlashEdges& Edges() { return edges_; }

  int32_t Advance = 0;  // em-1024 units
  bool Used = true;
  bool Loaded = false;  // outline and advance read

 private:
  uint16_t code_;
  uint16_t wideCode_;
  bool wide_;
  TSWFShapeRecords records_;
  TFlashEdges edges_;
};

// An embedded font, written as DefineFont2. Glyphs are collected with
// AddChar and read from the installed fonts (at an em of 1024) when the
// font or a text using it is written.
class TFlashFont : public TFlashIDObject {
 public:
  using TChars = std::vector<std::unique_ptr<TFlashChar>>;

  TFlashFont(TFlashMovie* owner, std::string fontName, bool bold, bool italic, uint16_t size, TFontOutlines outlines);

  // Size := size x UnitsFactor (twips).
  void SetSize(uint16_t size);
  bool HasLayout() const { return hasLayout_; }
  // Turning layout on reads the text metrics at once.
  void SetHasLayout(bool value);
  // LanguageCode and Encoding by the Windows charset.
  void SetFontCharset(uint8_t charset);
  // Where glyphs and metrics come from; the system's font source unless set.
  void SetFontSource(platform::FontSource& source) { source_ = &source; }

  // Adds the glyph of Code in ascending order; false when it is there
  // already. A code above 255 makes the font wide and raises the owner
  // movie to version 6.
  bool AddChar(uint16_t code);
  // AddChar for every byte.
  void AddChars(std::string_view ansi);
  // Makes the font wide (when Text is not empty), then AddChar for every
  // UTF-16 unit.
  void AddCharsW(std::u16string_view text);
  // The first glyph of that Code, or null.
  TFlashChar* CharByCode(uint16_t code) const;
  const TChars& Chars() const { return chars_; }
  // The used glyphs in the order they are written: list order with wide
  // codes, else ascending code, so that the code table is ascending and
  // each code stays with its outline. Glyph entries index this order.
  std::vector<TFlashChar*> WrittenChars() const;

  // round(V / 1024 x Size), halves to even: em-1024 units to twips.
  int32_t ScaleValue(int32_t v) const;
  // The text extent at the font's size (twips).
  platform::TextSize TextExtent(std::string_view ansi);
  platform::TextSize TextExtentW(std::u16string_view text);
  bool IsWide() const;
  bool WideCodes() const { return Encoding == feUnicode || IsWide(); }

  // Ascent, Descent and Leading from the installed font.
  void ReadTextMetrics();
  // The metrics, then outline and advance of every used glyph not loaded yet.
  void LoadGlyphs();

  uint8_t MinVersion() const override { return 3; }
  void WriteToStream(TBitsEngine& be) override;

  std::string FontName;  // UTF-8
  bool Bold;
  bool Italic;
  uint16_t Size;  // twips
  bool DeviceFont;
  bool SmallText = false;
  uint8_t Encoding = feANSI;
  uint8_t LanguageCode = 0;
  uint16_t Ascent = 0;
  uint16_t Descent = 0;
  int16_t Leading = 0;  // internal leading
  bool IsWideFlag = false;
  uint8_t UsedBy = 0;  // TFontUsage bits

 private:
  TFontReader Reader();

  bool hasLayout_ = false;
  TChars chars_;
  platform::FontSource* source_ = nullptr;
};

// A static text: one line in one font and colour, written as DefineText
// (opaque colour) or DefineText2, laid out from the font's advances.
class TFlashText : public TFlashVisualObject {
 public:
  explicit TFlashText(TFlashMovie* owner = nullptr);

  TFlashFont* Font() const { return font_; }
  // Marks the font as used by a static text; a text already set adds its
  // characters to it.
  void SetFont(TFlashFont* font);
  const std::u16string& Text() const { return text_; }
  const std::string& TextA() const { return textA_; }
  // Stores the text and its code-page form and adds the characters of both
  // to the font; a step whose value is unchanged is skipped.
  void SetText(std::u16string_view text);
  // An 8-bit text in the system code page.
  void SetTextA(std::string_view ansi);
  // CharSpacing := spacing x UnitsFactor.
  void SetCharSpacing(int32_t spacing);
  // Created (as the identity) on first access.
  TSWFMatrix& Matrix();
  bool HasMatrix() const { return matrix_ != nullptr; }

  // The text bounds in twips: with AutoSize the extent of the text at the
  // font's size (advances plus the spacing between characters) placed at
  // the origin by the alignment, else Box.
  TRect TextBounds();

  uint8_t MinVersion() const override { return 3; }
  void WriteToStream(TBitsEngine& be) override;

  uint32_t Color = 0xFF000000;  // RGBA
  uint8_t Align = taLeft;
  int32_t OriginX = 0;  // twips
  int32_t OriginY = 0;
  int32_t CharSpacing = 0;  // twips
  bool AutoSize = false;
  TRect Box;  // twips; used when AutoSize is off

 private:
  // The codes the glyph entries stand for: the UTF-16 units of Text, or the
  // bytes of TextA when Text is empty.
  std::vector<uint16_t> Codes() const;

  TFlashFont* font_ = nullptr;
  std::u16string text_;
  std::string textA_;
  std::unique_ptr<TSWFMatrix> matrix_;
};

}  // namespace tessaly::swf
