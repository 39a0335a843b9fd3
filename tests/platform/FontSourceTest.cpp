#include "platform/FontSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tessaly::platform {
namespace {

FontSource& Fonts() { return FontSource::System(); }

FontHandle Font(const std::string& name, bool bold = false, bool italic = false, uint8_t charset = kDefaultCharset) {
  return Fonts().Match(FontDescription{name, bold, italic, charset});
}

// Twice the signed area of a polygon through its start and on-curve points.
double OnCurveArea(const OutlinePolygon& polygon) {
  std::vector<PointFx> points{polygon.Start};
  for (const OutlineCurve& c : polygon.Curves) {
    if (c.Kind == CurveKind::Line)
      points.insert(points.end(), c.Points.begin(), c.Points.end());
    else
      points.push_back(c.Points.back());
  }
  double area = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const PointFx& a = points[i];
    const PointFx& b = points[(i + 1) % points.size()];
    area += static_cast<double>(a.X) * b.Y - static_cast<double>(b.X) * a.Y;
  }
  return area / 65536.0 / 65536.0;
}

TEST(FontSource, FaceNamesAreSortedUniqueAndInstalled) {
  const std::vector<std::string>& names = Fonts().FaceNames();
  ASSERT_FALSE(names.empty());
  EXPECT_TRUE(std::adjacent_find(names.begin(), names.end()) == names.end());
  EXPECT_TRUE(std::find(names.begin(), names.end(), "Liberation Sans") != names.end());
  for (const std::string& name : names) EXPECT_TRUE(Fonts().IsInstalled(name)) << name;
  EXPECT_FALSE(Fonts().IsInstalled("Arial"));
  // A face with a Chinese family name is listed under it, as a Chinese
  // system lists it, and found under every one of its names.
  EXPECT_TRUE(std::find(names.begin(), names.end(), "文泉驿正黑") != names.end());
  EXPECT_TRUE(std::find(names.begin(), names.end(), "WenQuanYi Zen Hei") == names.end());
  EXPECT_TRUE(Fonts().IsInstalled("WenQuanYi Zen Hei"));
  EXPECT_TRUE(Fonts().IsInstalled("liberation sans"));
  EXPECT_EQ(Fonts().Describe(Font("文泉驿正黑")).Family, "WenQuanYi Zen Hei");
  FontSource second;
  EXPECT_EQ(second.FaceNames(), names) << "the order is the same on every run";
}

constexpr std::u16string_view kSample = u"AgQ8.";

// Holds for whatever faces are installed, symbol and dingbat faces with
// cells of their own among them: metrics are read and every glyph of the
// sample is read into well-formed outlines.
TEST(FontSource, EveryInstalledFaceDeliversMetricsAndOutlines) {
  for (const std::string& name : Fonts().FaceNames()) {
    for (bool bold : {false, true}) {
      const FontHandle font = Font(name, bold);
      const FontTextMetrics m = Fonts().TextMetrics(font);
      EXPECT_GT(m.Ascent, 0) << name;
      EXPECT_GE(m.Descent, 0) << name;
      for (char16_t code : kSample) {
        const GlyphInfo& g = Fonts().Glyph(font, code);
        EXPECT_GT(g.Abc.Advance(), 0) << name << " " << static_cast<int>(code);
        ASSERT_FALSE(g.Outline.empty()) << name << " " << static_cast<int>(code);
        for (const OutlinePolygon& p : g.Outline) {
          ASSERT_FALSE(p.Curves.empty()) << name;
          for (const OutlineCurve& c : p.Curves) {
            ASSERT_FALSE(c.Points.empty()) << name;
            if (c.Kind == CurveKind::QSpline) {
              EXPECT_GE(c.Points.size(), 2u) << name;
            }
          }
        }
      }
    }
  }
}

// The text faces the program relies on: their cell holds the em, and the
// ink of every glyph lies within its ABC black box and within the cell.
TEST(FontSource, NamedTextFacesKeepTheirInkWithinTheCell) {
  for (const char* name : {"Liberation Sans", "Liberation Serif", "Liberation Mono", "文泉驿正黑"}) {
    ASSERT_TRUE(Fonts().IsInstalled(name)) << name;
    for (bool bold : {false, true}) {
      const FontHandle font = Font(name, bold);
      const FontTextMetrics m = Fonts().TextMetrics(font);
      EXPECT_GE(m.Ascent + m.Descent, kFontEm - 1) << name << ": the cell holds the em";
      for (char16_t code : kSample) {
        const GlyphInfo& g = Fonts().Glyph(font, code);
        double area = 0;
        for (const OutlinePolygon& p : g.Outline) area += OnCurveArea(p);
        EXPECT_GT(std::abs(area), 100.0) << name << " " << static_cast<int>(code) << ": contours enclose ink";
        // On-curve points lie within the black box of the ABC widths, and
        // the ink within the cell from the descent below the baseline to the
        // ascent above it (Y upwards; a little room for synthetic bold).
        const double left = g.Abc.A - 1, right = g.Abc.A + g.Abc.B + 1;
        const double slack = kFontEm / 50.0;
        for (const OutlinePolygon& p : g.Outline) {
          EXPECT_GE(p.Start.X / 65536.0, left) << name;
          EXPECT_LE(p.Start.X / 65536.0, right) << name;
          for (const OutlineCurve& c : p.Curves)
            for (const PointFx& point : c.Points) {
              EXPECT_LE(point.Y / 65536.0, m.Ascent + slack) << name << " " << static_cast<int>(code);
              EXPECT_GE(point.Y / 65536.0, -m.Descent - slack) << name << " " << static_cast<int>(code);
            }
        }
      }
    }
  }
}

TEST(FontSource, MetricsOfLiberationSansMatchArialAtEm1024) {
  const FontHandle arial = Font("Arial");
  const FontTextMetrics m = Fonts().TextMetrics(arial);
  EXPECT_EQ(m.Ascent, 927);  // usWinAscent 1854 of 2048
  EXPECT_EQ(m.Descent, 217);  // usWinDescent 434
  EXPECT_EQ(m.InternalLeading, 120);
  EXPECT_EQ(Fonts().Glyph(arial, u'A').Abc.Advance(), 683);  // 1366 of 2048
  const GlyphInfo& space = Fonts().Glyph(arial, u' ');
  EXPECT_TRUE(space.Outline.empty());
  EXPECT_EQ(space.Abc.Advance(), 284);  // 569 / 2, half to even
  const TextSize size = Fonts().TextExtent(arial, u"A A");
  EXPECT_EQ(size.Width, 683 + 284 + 683);
  EXPECT_EQ(size.Height, 927 + 217);
  EXPECT_EQ(Fonts().TextExtent(arial, u"").Width, 0);
}

TEST(FontSource, WindowsFaceNamesMapToTheirMetricTwins) {
  struct Case {
    const char* name;
    bool bold, italic;
    const char* family;
    const char* style;
  };
  const Case cases[] = {
      {"Arial", false, false, "Liberation Sans", "Regular"},
      {"arial", true, false, "Liberation Sans", "Bold"},
      {"Arial", false, true, "Liberation Sans", "Italic"},
      {"Arial", true, true, "Liberation Sans", "Bold Italic"},
      {"Times New Roman", false, false, "Liberation Serif", "Regular"},
      {"Courier New", false, false, "Liberation Mono", "Regular"},
      {"Liberation Sans", true, false, "Liberation Sans", "Bold"},
  };
  for (const Case& c : cases) {
    const MatchedFace face = Fonts().Describe(Font(c.name, c.bold, c.italic));
    EXPECT_EQ(face.Family, c.family) << c.name;
    EXPECT_EQ(face.Style, c.style) << c.name;
    EXPECT_FALSE(face.SyntheticBold) << c.name;
    EXPECT_FALSE(face.SyntheticItalic) << c.name;
  }
}

TEST(FontSource, ChineseFaceNamesMapToAChineseFace) {
  struct Case {
    const char* name;
    uint8_t charset;
  };
  const Case cases[] = {
      {"宋体", kDefaultCharset},      {"SimSun", kDefaultCharset}, {"黑体", kDefaultCharset},
      {"Microsoft YaHei", kDefaultCharset}, {"NoSuchFace", kGb2312Charset},
  };
  for (const Case& c : cases) {
    const FontHandle font = Font(c.name, false, false, c.charset);
    const GlyphInfo& g = Fonts().Glyph(font, u'宋');
    EXPECT_FALSE(g.Missing) << c.name;
    EXPECT_EQ(g.Source, font) << c.name << ": the face itself has the character, got "
                              << Fonts().Describe(g.Source).Family;
  }
}

TEST(FontSource, MissingStylesAreSynthesised) {
  const FontHandle regular = Font("WenQuanYi Zen Hei");
  const FontHandle bold = Font("WenQuanYi Zen Hei", true);
  const FontHandle italic = Font("WenQuanYi Zen Hei", false, true);
  EXPECT_TRUE(Fonts().Describe(bold).SyntheticBold);
  EXPECT_FALSE(Fonts().Describe(bold).SyntheticItalic);
  EXPECT_TRUE(Fonts().Describe(italic).SyntheticItalic);
  EXPECT_EQ(Fonts().Describe(bold).File, Fonts().Describe(regular).File);

  const GlyphInfo& r = Fonts().Glyph(regular, u'I');
  const GlyphInfo& b = Fonts().Glyph(bold, u'I');
  const GlyphInfo& i = Fonts().Glyph(italic, u'I');
  EXPECT_GT(b.Abc.Advance(), r.Abc.Advance());
  EXPECT_GT(b.Abc.B, r.Abc.B) << "the emboldened stem is wider";
  EXPECT_EQ(i.Abc.Advance(), r.Abc.Advance());
  EXPECT_GT(i.Abc.B, r.Abc.B) << "the slanted stem leans right";
}

TEST(FontSource, CharactersTheFaceLacksComeFromAnotherFace) {
  const FontHandle arial = Font("Arial");
  const GlyphInfo& g = Fonts().Glyph(arial, u'欢');
  EXPECT_FALSE(g.Missing);
  EXPECT_NE(g.Source, arial);
  EXPECT_FALSE(g.Outline.empty());
  EXPECT_GT(g.Abc.Advance(), 0);
  const FontHandle cjk = Font("NoSuchFace", false, false, kGb2312Charset);
  EXPECT_EQ(Fonts().Describe(g.Source).Family, Fonts().Describe(cjk).Family);
  EXPECT_EQ(Fonts().TextExtent(arial, u"A欢").Width, 683 + g.Abc.Advance());

  // The bold request carries over to the face that supplies the glyph.
  const GlyphInfo& bold = Fonts().Glyph(Font("Arial", true), u'欢');
  EXPECT_TRUE(Fonts().Describe(bold.Source).SyntheticBold);
}

TEST(FontSource, CodeThatNoFaceHasGetsTheMissingGlyph) {
  const FontHandle arial = Font("Arial");
  const GlyphInfo& a = Fonts().Glyph(arial, 0xD800);  // a lone surrogate maps to no glyph
  const GlyphInfo& b = Fonts().Glyph(arial, 0xFFFF);
  EXPECT_TRUE(a.Missing);
  EXPECT_TRUE(b.Missing);
  EXPECT_EQ(a.Source, arial);
  EXPECT_GT(a.Abc.Advance(), 0);
  EXPECT_EQ(a.Abc.Advance(), b.Abc.Advance());
  EXPECT_EQ(a.Outline.size(), b.Outline.size());
}

TEST(FontSource, GlyphsAndMatchesAreReadOnce) {
  FontSource fonts;
  const FontHandle font = fonts.Match({"Arial", false, false, kDefaultCharset});
  EXPECT_EQ(fonts.Match({"ARIAL", false, false, kDefaultCharset}), font);
  EXPECT_NE(fonts.Match({"Arial", true, false, kDefaultCharset}), font);
  EXPECT_EQ(fonts.GlyphLoads(), 0u);
  const GlyphInfo* first = &fonts.Glyph(font, u'W');
  EXPECT_EQ(fonts.GlyphLoads(), 1u);
  EXPECT_EQ(&fonts.Glyph(font, u'W'), first);
  fonts.TextExtent(font, u"WWW");
  EXPECT_EQ(fonts.GlyphLoads(), 1u);
  fonts.TextExtent(font, u"WV");
  EXPECT_EQ(fonts.GlyphLoads(), 2u);
}

TEST(FontSource, UnknownHandleIsRefused) {
  FontSource fonts;
  EXPECT_THROW(fonts.TextMetrics(FontHandle{12345}), std::out_of_range);
}

}  // namespace
}  // namespace tessaly::platform
