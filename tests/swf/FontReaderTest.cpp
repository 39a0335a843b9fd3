#include "swf/FontReader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tessaly::swf {
namespace {

using platform::CurveKind;
using platform::GlyphOutline;
using platform::PointFx;

constexpr int32_t kUnit = 65536;

TGlyphStep Move(int32_t x, int32_t y) { return {gsMoveTo, x, y, 0, 0}; }
TGlyphStep Line(int32_t x, int32_t y) { return {gsLineTo, x, y, 0, 0}; }
TGlyphStep Curve(int32_t cx, int32_t cy, int32_t ax, int32_t ay) { return {gsCurveTo, cx, cy, ax, ay}; }
TGlyphStep Close() { return {gsCloseShape, 0, 0, 0, 0}; }

PointFx P(int32_t x, int32_t y) { return {x * kUnit, y * kUnit}; }

TEST(FontReader, WalksPolygonsIntoMovesLinesCurvesAndCloses) {
  GlyphOutline outline = {
      {P(0, 0), {{CurveKind::Line, {P(10, 0), P(10, 10)}}, {CurveKind::QSpline, {P(20, 20), P(0, 20)}}}},
      {P(30, 0), {{CurveKind::QSpline, {P(40, 0), P(50, 10), P(40, 20)}}}},
  };
  const std::vector<TGlyphStep> expected = {
      Move(0, 0),  Line(10, 0), Line(10, 10), Curve(20, 20, 0, 20), Close(),
      Move(30, 0), Curve(40, 0, 45, 5),       Curve(50, 10, 40, 20), Close(),
  };
  EXPECT_EQ(ReadGlyphSteps(outline), expected);
  EXPECT_TRUE(ReadGlyphSteps({}).empty());
}

TEST(FontReader, RoundsCoordinatesAndMidpointsHalvesToEven) {
  const int32_t half = kUnit / 2;
  GlyphOutline outline = {
      {{half, 3 * half},  // 0.5 -> 0, 1.5 -> 2
       {{CurveKind::Line, {{-half, -3 * half}, {5 * half + 1, 7 * half - 1}}},  // -0.5 -> 0, -1.5 -> -2
        // midpoints 0.5 and 1.5 (-> 0 and 2), then 3 + 1/131072 (-> 3)
        {CurveKind::QSpline, {P(0, 1), P(1, 2), {5 * kUnit + 1, 0}, P(0, 0)}}}},
  };
  const std::vector<TGlyphStep> expected = {
      Move(0, 2),         Line(0, -2),        Line(3, 3),  // 2.5 + tiny -> 3, 3.5 - tiny -> 3
      Curve(0, 1, 0, 2),  Curve(1, 2, 3, 1),  Curve(5, 0, 0, 0), Close(),
  };
  EXPECT_EQ(ReadGlyphSteps(outline), expected);
}

// Records the calls an edge builder receives.
struct TRecordingEdges {
  std::ostringstream log;
  void MoveTo(int32_t x, int32_t y) { log << "M" << x << "," << y << " "; }
  void LineTo(int32_t x, int32_t y) { log << "L" << x << "," << y << " "; }
  void CurveTo(int32_t cx, int32_t cy, int32_t ax, int32_t ay) {
    log << "C" << cx << "," << cy << "," << ax << "," << ay << " ";
  }
  void CloseShape() { log << "Z "; }
  void Mirror(bool x, bool y) { log << "mirror" << x << y; }
};

TEST(FontReader, DrawsStepsThenMirrorsTheYAxis) {
  TRecordingEdges edges;
  DrawGlyphSteps({Move(1, 2), Line(3, 4), Curve(5, 6, 7, 8), Close()}, edges);
  EXPECT_EQ(edges.log.str(), "M1,2 L3,4 C5,6,7,8 Z mirror01");
}

TEST(FontReader, ReadsGlyphsAndExtentsFromTheSystemFonts) {
  TFontReader arial("Arial", false, false);
  const platform::FontTextMetrics m = arial.TextMetrics();
  EXPECT_EQ(m.Ascent, 927);
  EXPECT_EQ(m.Descent, 217);
  EXPECT_EQ(m.InternalLeading, 120);

  const TFontGlyph space = arial.ReadGlyph(u' ');
  EXPECT_TRUE(space.Steps.empty());
  EXPECT_EQ(space.Advance, 284);

  const TFontGlyph a = arial.ReadGlyph(u'A');
  EXPECT_EQ(a.Advance, 683);
  ASSERT_FALSE(a.Steps.empty());
  EXPECT_EQ(a.Steps.front().Kind, gsMoveTo);
  EXPECT_EQ(a.Steps.back().Kind, gsCloseShape);
  for (const TGlyphStep& s : a.Steps) {
    EXPECT_GE(s.Y, -1) << "A sits on the baseline, Y up";
    EXPECT_LE(s.Y, 927);
  }

  EXPECT_GT(arial.ReadGlyph(u'欢').Advance, 0) << "from a face that has it";
  const platform::TextSize wide = arial.TextExtentW(u"A欢");
  EXPECT_EQ(arial.TextExtent("A\xBB\xB6"), wide) << "the code page form measures alike";
  EXPECT_EQ(wide.Height, 927 + 217);
}

}  // namespace
}  // namespace tessaly::swf
