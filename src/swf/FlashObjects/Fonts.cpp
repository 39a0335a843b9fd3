#include "swf/FlashObjects/Fonts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>

#include "platform/CodePage.h"
#include "platform/Rounding.h"
#include "swf/FlashObjects/Movie.h"

namespace tessaly::swf {

using platform::RoundHalfEven;


namespace {

// The code-page byte as a UTF-16 unit ("?" when it is no character alone).
uint16_t AnsiByteToWide(uint8_t byte) {
  const std::u16string wide = platform::Utf8ToUtf16(platform::AnsiToUtf8(std::string(1, static_cast<char>(byte))));
  return wide.empty() ? u'?' : wide.front();
}

// The Windows charset that matches a DefineFont2 language code, as a hint
// for finding a face.
uint8_t CharsetOfLanguage(uint8_t languageCode) {
  switch (languageCode) {
    case 2: return platform::kShiftJisCharset;
    case 3: return platform::kHangeulCharset;
    case 4: return platform::kGb2312Charset;
    case 5: return platform::kChineseBig5Charset;
    default: return platform::kDefaultCharset;
  }
}

// A copy of the records of a glyph outline (moves, straight and curved
// edges, end) for the font tag, which owns its glyph shapes.
TSWFShapeRecords CopyGlyphRecords(const TSWFShapeRecords& records) {
  TSWFShapeRecords copy;
  for (const auto& record : records) {
    switch (record->ShapeRecordType()) {
      case srStyleChange: {
        const auto& r = static_cast<const TSWFStyleChangeRecord&>(*record);
        auto c = std::make_unique<TSWFStyleChangeRecord>();
        c->SetFillStyle0(r.FillStyle0());
        c->SetFillStyle1(r.FillStyle1());
        c->SetLineStyle(r.LineStyle());
        c->DeltaX = r.DeltaX;
        c->DeltaY = r.DeltaY;
        c->StateFillStyle0 = r.StateFillStyle0;
        c->StateFillStyle1 = r.StateFillStyle1;
        c->StateLineStyle = r.StateLineStyle;
        c->StateMoveTo = r.StateMoveTo;
        copy.push_back(std::move(c));
        break;
      }
      case srStraightEdge: {
        const auto& r = static_cast<const TSWFStraightEdgeRecord&>(*record);
        copy.push_back(std::make_unique<TSWFStraightEdgeRecord>(r.DeltaX, r.DeltaY));
        break;
      }
      case srCurvedEdge: {
        const auto& r = static_cast<const TSWFCurvedEdgeRecord&>(*record);
        copy.push_back(
            std::make_unique<TSWFCurvedEdgeRecord>(r.ControlDeltaX, r.ControlDeltaY, r.AnchorDeltaX, r.AnchorDeltaY));
        break;
      }
      case srEnd: copy.push_back(std::make_unique<TSWFEndShapeRecord>()); break;
    }
  }
  return copy;
}

constexpr size_t kMaxRecordGlyphs = 255;

}  // namespace

TFlashChar::TFlashChar(uint16_t code, bool wide)
    : code_(code),
      wideCode_(wide || code > 255 ? code : AnsiByteToWide(static_cast<uint8_t>(code))),
      wide_(wide),
      edges_(records_) {}

TFlashFont::TFlashFont(TFlashMovie* owner, std::string fontName, bool bold, bool italic, uint16_t size,
                       TFontOutlines outlines)
    : TFlashIDObject(owner),
      FontName(std::move(fontName)),
      Bold(bold),
      Italic(italic),
      Size(size),
      DeviceFont(outlines == foDeviceFont) {}

void TFlashFont::SetSize(uint16_t size) { Size = static_cast<uint16_t>(size * UnitsFactor()); }

void TFlashFont::SetHasLayout(bool value) {
  if (value && !hasLayout_) ReadTextMetrics();
  hasLayout_ = value;
}

void TFlashFont::SetFontCharset(uint8_t charset) {
  switch (charset) {
    case platform::kAnsiCharset:
    case 2:  // symbol
      LanguageCode = 0;
      Encoding = feANSI;
      break;
    case platform::kDefaultCharset:
      LanguageCode = 0;
      Encoding = feUnicode;
      break;
    case platform::kShiftJisCharset:
      LanguageCode = 2;
      Encoding = feShiftJIS;
      break;
    case platform::kHangeulCharset: LanguageCode = 3; break;
    case platform::kGb2312Charset: LanguageCode = 4; break;
    case platform::kChineseBig5Charset: LanguageCode = 5; break;
    default:
      LanguageCode = 64;
      Encoding = feUnicode;
      break;
  }
}

bool TFlashFont::AddChar(uint16_t code) {
  if (code >= 256) IsWideFlag = true;
  const uint16_t key = IsWideFlag ? code : AnsiByteToWide(static_cast<uint8_t>(code));
  auto at = chars_.end();
  for (auto it = chars_.begin(); it != chars_.end(); ++it) {
    const uint16_t value = code >= 128 ? (*it)->WideCode() : (*it)->Code();
    if (value == key) return false;
    if (key < value) {
      at = it;
      break;
    }
  }
  chars_.insert(at, std::make_unique<TFlashChar>(code, IsWideFlag));
  if (IsWideFlag && Owner() && Owner()->Version() < 6) Owner()->SetVersion(6);
  return true;
}

void TFlashFont::AddChars(std::string_view ansi) {
  for (char c : ansi) AddChar(static_cast<uint8_t>(c));
}

void TFlashFont::AddCharsW(std::u16string_view text) {
  if (text.empty()) return;
  IsWideFlag = true;
  for (char16_t unit : text) AddChar(unit);
}

TFlashChar* TFlashFont::CharByCode(uint16_t code) const {
  for (const auto& c : chars_)
    if (c->Code() == code) return c.get();
  return nullptr;
}

std::vector<TFlashChar*> TFlashFont::WrittenChars() const {
  std::vector<TFlashChar*> written;
  for (const auto& c : chars_)
    if (c->Used) written.push_back(c.get());
  if (!WideCodes())
    std::stable_sort(written.begin(), written.end(),
                     [](const TFlashChar* a, const TFlashChar* b) { return a->Code() < b->Code(); });
  return written;
}

int32_t TFlashFont::ScaleValue(int32_t v) const { return RoundHalfEven(v / 1024.0 * Size); }

TFontReader TFlashFont::Reader() {
  return TFontReader(FontName, Bold, Italic, CharsetOfLanguage(LanguageCode),
                     source_ ? *source_ : platform::FontSource::System());
}

platform::TextSize TFlashFont::TextExtent(std::string_view ansi) {
  const platform::TextSize em = Reader().TextExtent(ansi);
  return {ScaleValue(em.Width), ScaleValue(em.Height)};
}

platform::TextSize TFlashFont::TextExtentW(std::u16string_view text) {
  const platform::TextSize em = Reader().TextExtentW(text);
  return {ScaleValue(em.Width), ScaleValue(em.Height)};
}

bool TFlashFont::IsWide() const {
  if (IsWideFlag) return true;
  if (DeviceFont) return false;
  return std::any_of(chars_.begin(), chars_.end(), [](const auto& c) { return c->Wide(); });
}

void TFlashFont::ReadTextMetrics() {
  const platform::FontTextMetrics m = Reader().TextMetrics();
  Ascent = static_cast<uint16_t>(m.Ascent);
  Descent = static_cast<uint16_t>(m.Descent);
  Leading = static_cast<int16_t>(m.InternalLeading);
}

void TFlashFont::LoadGlyphs() {
  TFontReader reader = Reader();
  const platform::FontTextMetrics m = reader.TextMetrics();
  Ascent = static_cast<uint16_t>(m.Ascent);
  Descent = static_cast<uint16_t>(m.Descent);
  Leading = static_cast<int16_t>(m.InternalLeading);
  for (const auto& c : chars_) {
    if (!c->Used || c->Loaded) continue;
    c->Loaded = true;
    const TFontGlyph glyph = reader.ReadGlyph(c->WideCode());
    DrawGlyphSteps(glyph.Steps, c->Edges());
    c->Advance = glyph.Advance;
  }
}

void TFlashFont::WriteToStream(TBitsEngine& be) {
  TSWFDefineFont2 tag;
  tag.FontId = CharacterID();
  tag.SWFVersion = Owner() ? Owner()->Version() : 6;
  const bool layout = hasLayout_ || (UsedBy & fuEditText);
  tag.HasLayout = layout;
  tag.ShiftJIS = Encoding == feShiftJIS;
  tag.SmallText = SmallText;
  tag.ANSI = Encoding == feANSI;
  tag.WideOffsets = false;
  tag.WideCodes = WideCodes();
  tag.Italic = Italic;
  tag.Bold = Bold;
  tag.LanguageCode = LanguageCode;
  tag.FontName = FontName;
  if ((layout || !chars_.empty()) && Ascent == 0 && Descent == 0 && Leading == 0) ReadTextMetrics();
  if (!DeviceFont || (UsedBy & fuStaticText)) {
    LoadGlyphs();
    for (TFlashChar* c : WrittenChars()) {
      tag.GlyphShapeTable.push_back(CopyGlyphRecords(c->ShapeRecords()));
      tag.CodeTable.push_back(tag.WideCodes ? c->WideCode() : c->Code());
      if (layout) {
        tag.AdvanceTable.push_back(static_cast<int16_t>(c->Advance));
        tag.BoundsTable.push_back(std::make_unique<TSWFRect>());
      }
    }
  }
  tag.FontAscent = Ascent;
  tag.FontDescent = Descent;
  tag.FontLeading = Leading;
  tag.WriteToStream(be);
}

TFlashText::TFlashText(TFlashMovie* owner) : TFlashVisualObject(owner) {}

void TFlashText::SetFont(TFlashFont* font) {
  font_ = font;
  if (!font_) return;
  font_->UsedBy |= fuStaticText;
  if (!text_.empty()) font_->AddCharsW(text_);
  if (!textA_.empty()) font_->AddChars(textA_);
}

void TFlashText::SetText(std::u16string_view text) {
  if (text != text_) {
    text_ = text;
    if (font_) font_->AddCharsW(text_);
  }
  SetTextA(platform::Utf8ToAnsi(platform::Utf16ToUtf8(text_)));
}

void TFlashText::SetTextA(std::string_view ansi) {
  if (ansi == textA_) return;
  textA_ = ansi;
  if (font_) font_->AddChars(textA_);
}

void TFlashText::SetCharSpacing(int32_t spacing) { CharSpacing = spacing * UnitsFactor(); }

TSWFMatrix& TFlashText::Matrix() {
  if (!matrix_) matrix_ = std::make_unique<TSWFMatrix>();
  return *matrix_;
}

std::vector<uint16_t> TFlashText::Codes() const {
  if (!text_.empty()) return std::vector<uint16_t>(text_.begin(), text_.end());
  std::vector<uint16_t> codes;
  for (char c : textA_) codes.push_back(static_cast<uint8_t>(c));
  return codes;
}

TRect TFlashText::TextBounds() {
  if (!AutoSize) return Box;
  platform::TextSize extent;
  if (font_) extent = text_.empty() ? font_->TextExtent(textA_) : font_->TextExtentW(text_);
  int32_t cx = extent.Width;
  // The spacing follows every character but the last, as the advances of
  // the glyph entries place them.
  const size_t count = Codes().size();
  if (count > 1) cx += static_cast<int32_t>(count - 1) * CharSpacing;
  TRect box{OriginX, OriginY, OriginX + cx, OriginY + extent.Height};
  int32_t shift = 0;
  if (Align == taRight)
    shift = cx;
  else if (Align == taCenter || Align == taJustify)
    shift = cx / 2;
  box.Left -= shift;
  box.Right -= shift;
  return box;
}

void TFlashText::WriteToStream(TBitsEngine& be) {
  std::unique_ptr<TSWFDefineText> tag;
  if ((Color >> 24) == 255)
    tag = std::make_unique<TSWFDefineText>();
  else
    tag = std::make_unique<TSWFDefineText2>();
  tag->CharacterId = CharacterID();
  if (font_) font_->LoadGlyphs();
  const TRect box = TextBounds();
  tag->TextBounds.SetRect(box);
  if (matrix_) tag->TextMatrix = *matrix_;

  const std::vector<uint16_t> codes = Codes();
  // Code -> index among the written glyphs, and the glyph (the first of
  // that code).
  std::unordered_map<uint16_t, std::pair<uint16_t, const TFlashChar*>> glyphs;
  if (font_) {
    const std::vector<TFlashChar*> written = font_->WrittenChars();
    for (size_t i = 0; i < written.size(); ++i)
      glyphs.try_emplace(written[i]->Code(), static_cast<uint16_t>(i), written[i]);
  }
  uint8_t glyphBits = 0;
  uint8_t advanceBits = 0;
  int32_t x = box.Left;
  // Runs of at most 255 glyphs. A run after the first carries the X offset
  // where the previous one ended (the pen stands there anyway), as long as
  // it fits the 16-bit field.
  for (size_t start = 0; start < codes.size() && font_; start += kMaxRecordGlyphs) {
    auto record = std::make_unique<TSWFTextRecord>();
    if (start == 0) {
      record->SetFontId(font_->CharacterID());
      record->Color().SetRGBA(Color);
      record->SetTextHeight(font_->Size);
      record->SetYOffset(font_->ScaleValue(font_->Ascent) + box.Top);
      if (box.Left != 0) record->SetXOffset(box.Left);
    } else if (x >= std::numeric_limits<int16_t>::min() && x <= std::numeric_limits<int16_t>::max()) {
      record->SetXOffset(x);
    }
    const size_t end = std::min(codes.size(), start + kMaxRecordGlyphs);
    for (size_t i = start; i < end; ++i) {
      auto entry = std::make_unique<TSWFGlyphEntry>();
      if (auto it = glyphs.find(codes[i]); it != glyphs.end()) {
        entry->GlyphIndex = it->second.first;
        entry->GlyphAdvance = font_->ScaleValue(it->second.second->Advance);
      }
      entry->GlyphAdvance += CharSpacing;
      glyphBits = std::max(glyphBits, GetBitsCount(entry->GlyphIndex));
      advanceBits = std::max(advanceBits, GetSignedBitsCount(entry->GlyphAdvance));
      x += entry->GlyphAdvance;
      record->GlyphEntries.push_back(std::move(entry));
    }
    tag->TextRecords.push_back(std::move(record));
  }
  tag->GlyphBits = glyphBits;
  tag->AdvanceBits = advanceBits;
  tag->WriteToStream(be);
}

}  // namespace tessaly::swf
