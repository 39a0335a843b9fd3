#include "swf/FontReader.h"

#include "platform/CodePage.h"

namespace tessaly::swf {
namespace {

// num / den rounded to the nearest integer, halves to even (den > 0).
int32_t RoundRatio(int64_t num, int64_t den) {
  int64_t q = num / den;
  int64_t r = num % den;
  if (r < 0) {
    r += den;
    --q;
  }
  if (2 * r > den || (2 * r == den && (q & 1) != 0)) ++q;
  return static_cast<int32_t>(q);
}

int32_t FixedToInt(int32_t v) { return RoundRatio(v, 65536); }

int32_t MidpointToInt(int32_t a, int32_t b) { return RoundRatio(static_cast<int64_t>(a) + b, 2 * 65536); }

TGlyphStep Step(TGlyphStepKind kind, platform::PointFx p) {
  TGlyphStep s;
  s.Kind = kind;
  s.X = FixedToInt(p.X);
  s.Y = FixedToInt(p.Y);
  return s;
}

void AddSpline(const std::vector<platform::PointFx>& points, std::vector<TGlyphStep>& steps) {
  const size_t k = points.size();
  for (size_t j = 0; j + 1 < k; ++j) {
    TGlyphStep s = Step(gsCurveTo, points[j]);
    if (j + 2 == k) {
      s.AnchorX = FixedToInt(points[j + 1].X);
      s.AnchorY = FixedToInt(points[j + 1].Y);
    } else {
      s.AnchorX = MidpointToInt(points[j].X, points[j + 1].X);
      s.AnchorY = MidpointToInt(points[j].Y, points[j + 1].Y);
    }
    steps.push_back(s);
  }
}

}  // namespace

std::vector<TGlyphStep> ReadGlyphSteps(const platform::GlyphOutline& outline) {
  std::vector<TGlyphStep> steps;
  for (const platform::OutlinePolygon& polygon : outline) {
    steps.push_back(Step(gsMoveTo, polygon.Start));
    for (const platform::OutlineCurve& curve : polygon.Curves) {
      if (curve.Kind == platform::CurveKind::Line) {
        for (const platform::PointFx& p : curve.Points) steps.push_back(Step(gsLineTo, p));
      } else {
        AddSpline(curve.Points, steps);
      }
    }
    steps.push_back(TGlyphStep{gsCloseShape});
  }
  return steps;
}

TFontReader::TFontReader(const std::string& faceName, bool bold, bool italic, uint8_t charset,
                         platform::FontSource& source)
    : source_(source), font_(source.Match(platform::FontDescription{faceName, bold, italic, charset})) {}

platform::FontTextMetrics TFontReader::TextMetrics() { return source_.TextMetrics(font_); }

TFontGlyph TFontReader::ReadGlyph(char16_t wideCode) {
  const platform::GlyphInfo& info = source_.Glyph(font_, wideCode);
  TFontGlyph glyph;
  glyph.Steps = ReadGlyphSteps(info.Outline);
  glyph.Advance = info.Abc.Advance();
  return glyph;
}

platform::TextSize TFontReader::TextExtentW(std::u16string_view text) { return source_.TextExtent(font_, text); }

platform::TextSize TFontReader::TextExtent(std::string_view ansi) {
  return TextExtentW(platform::Utf8ToUtf16(platform::AnsiToUtf8(ansi)));
}

}  // namespace tessaly::swf
