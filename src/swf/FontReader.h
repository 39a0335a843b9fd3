#pragma once
// Reads what font embedding needs from the installed fonts: text metrics,
// glyph outlines as pen steps, advances and text extents, all at an em of
// 1024 units, which is the em square of DefineFont2 glyphs.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FontSource.h"

namespace tessaly::swf {

enum TGlyphStepKind { gsMoveTo, gsLineTo, gsCurveTo, gsCloseShape };

// One pen step of a glyph outline in em-1024 units, Y growing upward as the
// outline is read. gsMoveTo and gsLineTo use X, Y; gsCurveTo has the control
// point in X, Y and the anchor in AnchorX, AnchorY (all absolute).
struct TGlyphStep {
  TGlyphStepKind Kind = gsMoveTo;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t AnchorX = 0;
  int32_t AnchorY = 0;
  bool operator==(const TGlyphStep&) const = default;
};

// Walks an outline into pen steps: per polygon a move to its start, one line
// per point of a line record, for a spline record P1..Pk a curve with control
// Pj and anchor midway between Pj and Pj+1 for j < k-1 and Pk for the last,
// then a close. Coordinates and midpoints are rounded to integers, halves to
// even.
std::vector<TGlyphStep> ReadGlyphSteps(const platform::GlyphOutline& outline);

// Replays steps onto an edge builder (MoveTo, LineTo, CurveTo, CloseShape,
// Mirror), then mirrors the Y axis: outline Y grows upward, SWF Y downward.
template <class TEdges>
void DrawGlyphSteps(const std::vector<TGlyphStep>& steps, TEdges& edges) {
  for (const TGlyphStep& s : steps) {
    switch (s.Kind) {
      case gsMoveTo: edges.MoveTo(s.X, s.Y); break;
      case gsLineTo: edges.LineTo(s.X, s.Y); break;
      case gsCurveTo: edges.CurveTo(s.X, s.Y, s.AnchorX, s.AnchorY); break;
      case gsCloseShape: edges.CloseShape(); break;
    }
  }
  edges.Mirror(false, true);
}

struct TFontGlyph {
  std::vector<TGlyphStep> Steps;  // empty for a blank glyph (a space)
  int32_t Advance = 0;            // A + B + C of the ABC widths
};

// The font of one description (face name, bold, italic, Windows charset) as
// the font source renders it.
class TFontReader {
 public:
  TFontReader(const std::string& faceName, bool bold, bool italic,
              uint8_t charset = platform::kDefaultCharset,
              platform::FontSource& source = platform::FontSource::System());

  // Ascent, descent and internal leading at em 1024.
  platform::FontTextMetrics TextMetrics();
  // The outline and advance of the UTF-16 unit wideCode.
  TFontGlyph ReadGlyph(char16_t wideCode);
  // Width (sum of advances) and height of a wide string, em 1024.
  platform::TextSize TextExtentW(std::u16string_view text);
  // The same for a string in the system code page.
  platform::TextSize TextExtent(std::string_view ansi);

  platform::FontHandle Handle() const { return font_; }

 private:
  platform::FontSource& source_;
  platform::FontHandle font_;
};

}  // namespace tessaly::swf
