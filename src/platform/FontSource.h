#pragma once
// The installed fonts, as the SWF font embedding needs them: a list of face
// names, matching of a font description to an installed face, text metrics,
// advances and unhinted glyph outlines at an em of 1024 (kFontEm).
//
// Faces are found with fontconfig and read with FreeType. A face name that is
// not installed maps to the closest installed face (fontconfig's metric
// aliases, e.g. "Arial" to Liberation Sans; Chinese, Japanese and Korean face
// names to a face of that language). A character the chosen face lacks is
// taken from another installed face that has it; a character no installed
// face has gets the chosen face's missing-glyph shape. Bold and italic are
// synthesised (emboldened, slanted outline) when the family has no such face.
//
// Glyphs are read from FreeType once per face, style and character and kept
// for the life of the FontSource. Not thread-safe: use it from one thread.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/GlyphOutline.h"

namespace tessaly::platform {

// Windows charsets that hint at a language when a face name is not installed.
constexpr uint8_t kAnsiCharset = 0;
constexpr uint8_t kDefaultCharset = 1;
constexpr uint8_t kShiftJisCharset = 128;
constexpr uint8_t kHangeulCharset = 129;
constexpr uint8_t kGb2312Charset = 134;
constexpr uint8_t kChineseBig5Charset = 136;

struct FontDescription {
  std::string FaceName;  // UTF-8
  bool Bold = false;
  bool Italic = false;
  uint8_t Charset = kDefaultCharset;
};

// A matched face and style; valid for the life of its FontSource.
struct FontHandle {
  uint32_t Id = 0;
  bool operator==(const FontHandle&) const = default;
};

// What a handle stands for.
struct MatchedFace {
  std::string Family;  // the face's family name (its English one when it has several)
  std::string Style;   // the face's style name, e.g. "Bold Italic"
  std::string File;
  int Index = 0;  // face index within the file
  bool SyntheticBold = false;
  bool SyntheticItalic = false;
};

// Text metrics as reported for a character height of 1024 (em 1024):
// ascent + descent = cell height, internal leading = cell height - 1024.
struct FontTextMetrics {
  int32_t Ascent = 0;
  int32_t Descent = 0;
  int32_t InternalLeading = 0;
};

// Left side bearing A, black box width B, right side bearing C; A + B + C is
// the advance.
struct AbcWidth {
  int32_t A = 0;
  int32_t B = 0;
  int32_t C = 0;
  int32_t Advance() const { return A + B + C; }
};

struct GlyphInfo {
  GlyphOutline Outline;  // empty for a blank glyph such as a space
  AbcWidth Abc;
  FontHandle Source;     // the face that supplied the glyph (a fallback face when the font lacks it)
  bool Missing = false;  // no installed face has the character: the missing-glyph shape
};

struct TextSize {
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const TextSize&) const = default;
};

class FontSource {
 public:
  // Reads the list of installed faces from fontconfig.
  FontSource();
  ~FontSource();
  FontSource(const FontSource&) = delete;
  FontSource& operator=(const FontSource&) = delete;

  // The program's one font source, created on first use.
  static FontSource& System();

  // The installed face names, sorted, each once: a face's English family
  // names, or its Chinese (zh-cn) family name when it has one.
  const std::vector<std::string>& FaceNames() const;

  // True when some installed face carries the name (any of its family names,
  // compared without regard to ASCII case).
  bool IsInstalled(std::string_view faceName) const;

  // The face and style that render the description. Throws std::runtime_error
  // when no scalable font is installed at all.
  FontHandle Match(const FontDescription& description);
  MatchedFace Describe(FontHandle font) const;

  FontTextMetrics TextMetrics(FontHandle font);

  // Outline and widths of the UTF-16 unit code (cached).
  const GlyphInfo& Glyph(FontHandle font, char16_t code);

  // Width = sum of the advances of the units of text, Height = ascent + descent.
  TextSize TextExtent(FontHandle font, std::u16string_view text);

  // How many glyphs have been read from FreeType so far (cache misses).
  uint64_t GlyphLoads() const;

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

}  // namespace tessaly::platform
