#include "platform/GlyphOutline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace tessaly::platform {
namespace {

constexpr char kOn = FT_CURVE_TAG_ON;
constexpr char kConic = FT_CURVE_TAG_CONIC;
constexpr char kCubic = FT_CURVE_TAG_CUBIC;

struct TPoint {
  long X, Y;
  char Tag;
};

// A FreeType outline over arrays owned by the fixture.
class TOutline {
 public:
  TOutline(std::initializer_list<std::initializer_list<TPoint>> contours) {
    for (const auto& contour : contours) {
      for (const TPoint& p : contour) {
        points_.push_back({p.X, p.Y});
        tags_.push_back(p.Tag);
      }
      ends_.push_back(static_cast<short>(points_.size() - 1));
    }
    outline_.n_contours = static_cast<short>(ends_.size());
    outline_.n_points = static_cast<short>(points_.size());
    outline_.points = points_.data();
    outline_.tags = tags_.data();
    outline_.contours = ends_.data();
  }
  const FT_Outline& Get() const { return outline_; }

 private:
  std::vector<FT_Vector> points_;
  std::vector<char> tags_;
  std::vector<short> ends_;
  FT_Outline outline_{};
};

PointFx Fx(double x, double y) { return {ToFixed(x), ToFixed(y)}; }

TEST(GlyphOutline, ToFixedRoundsHalvesToEven) {
  EXPECT_EQ(ToFixed(1.0), 65536);
  EXPECT_EQ(ToFixed(-2.5), -163840);
  EXPECT_EQ(ToFixed(0.5 / 65536), 0);
  EXPECT_EQ(ToFixed(1.5 / 65536), 2);
  EXPECT_EQ(ToFixed(-1.5 / 65536), -2);
}

TEST(GlyphOutline, StraightContourIsOneLineRecordClosedImplicitly) {
  TOutline square({{{0, 0, kOn}, {100, 0, kOn}, {100, 200, kOn}, {0, 200, kOn}}});
  GlyphOutline out = ConvertOutline(square.Get(), 0.5);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].Start, Fx(0, 0));
  ASSERT_EQ(out[0].Curves.size(), 1u);
  EXPECT_EQ(out[0].Curves[0].Kind, CurveKind::Line);
  EXPECT_EQ(out[0].Curves[0].Points, (std::vector<PointFx>{Fx(50, 0), Fx(50, 100), Fx(0, 100)}));
}

TEST(GlyphOutline, ConicRunsBecomeSplineRecordsEndingOnCurve) {
  // on, off, off, on, on, off, (back to start)
  TOutline shape({{{0, 0, kOn},
                   {10, 20, kConic},
                   {30, 20, kConic},
                   {40, 0, kOn},
                   {40, -10, kOn},
                   {20, -30, kConic}}});
  GlyphOutline out = ConvertOutline(shape.Get(), 1.0);
  ASSERT_EQ(out.size(), 1u);
  const auto& c = out[0].Curves;
  ASSERT_EQ(c.size(), 3u);
  EXPECT_EQ(c[0].Kind, CurveKind::QSpline);
  EXPECT_EQ(c[0].Points, (std::vector<PointFx>{Fx(10, 20), Fx(30, 20), Fx(40, 0)}));
  EXPECT_EQ(c[1].Kind, CurveKind::Line);
  EXPECT_EQ(c[1].Points, (std::vector<PointFx>{Fx(40, -10)}));
  EXPECT_EQ(c[2].Kind, CurveKind::QSpline);
  EXPECT_EQ(c[2].Points, (std::vector<PointFx>{Fx(20, -30), Fx(0, 0)}));
}

TEST(GlyphOutline, ContourStartsAtAnOnCurvePoint) {
  struct Case {
    const char* name;
    TOutline outline;
    PointFx start;
    size_t lastPoints;  // points in the final spline record
  };
  Case cases[] = {
      {"first point off, last on", TOutline({{{10, 10, kConic}, {20, 0, kOn}, {10, -10, kConic}, {0, 0, kOn}}}),
       Fx(0, 0), 2},
      {"all points off", TOutline({{{0, 10, kConic}, {10, 0, kConic}, {0, -10, kConic}, {-10, 0, kConic}}}),
       Fx(-5, 5), 5},
  };
  for (Case& c : cases) {
    GlyphOutline out = ConvertOutline(c.outline.Get(), 1.0);
    ASSERT_EQ(out.size(), 1u) << c.name;
    EXPECT_EQ(out[0].Start, c.start) << c.name;
    ASSERT_FALSE(out[0].Curves.empty()) << c.name;
    const OutlineCurve& last = out[0].Curves.back();
    EXPECT_EQ(last.Kind, CurveKind::QSpline) << c.name;
    EXPECT_EQ(last.Points.size(), c.lastPoints) << c.name;
    EXPECT_EQ(last.Points.back(), c.start) << c.name << ": the contour closes on its start";
  }
}

TEST(GlyphOutline, SeveralContoursGiveSeveralPolygons) {
  TOutline two({{{0, 0, kOn}, {10, 0, kOn}, {10, 10, kOn}}, {{20, 0, kOn}, {30, 0, kOn}, {30, 10, kOn}}});
  GlyphOutline out = ConvertOutline(two.Get(), 1.0);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[1].Start, Fx(20, 0));
}

double Distance(PointF a, PointF b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

PointF CubicAt(const PointF p[4], double t) {
  const double u = 1 - t;
  return {u * u * u * p[0].X + 3 * u * u * t * p[1].X + 3 * u * t * t * p[2].X + t * t * t * p[3].X,
          u * u * u * p[0].Y + 3 * u * u * t * p[1].Y + 3 * u * t * t * p[2].Y + t * t * t * p[3].Y};
}

PointF QuadAt(PointF a, PointF c, PointF b, double t) {
  const double u = 1 - t;
  return {u * u * a.X + 2 * u * t * c.X + t * t * b.X, u * u * a.Y + 2 * u * t * c.Y + t * t * b.Y};
}

TEST(GlyphOutline, CubicsSplitIntoQuadraticsWithinAQuarterUnit) {
  struct Case {
    const char* name;
    PointF p[4];
    size_t minPieces;
    size_t maxPieces;
  };
  const Case cases[] = {
      {"straight", {{0, 0}, {10, 0}, {20, 0}, {30, 0}}, 1, 1},
      {"exact quadratic", {{0, 0}, {20, 40}, {40, 40}, {60, 0}}, 1, 1},
      {"bowl of a glyph", {{0, 0}, {0, 300}, {400, 300}, {400, 0}}, 2, 8},
      {"s-curve", {{0, 0}, {600, 0}, {-200, 700}, {400, 700}}, 3, 16},
  };
  for (const Case& c : cases) {
    auto pieces = CubicToQuadratics(c.p[0], c.p[1], c.p[2], c.p[3], kCubicTolerance);
    EXPECT_GE(pieces.size(), c.minPieces) << c.name;
    EXPECT_LE(pieces.size(), c.maxPieces) << c.name;
    PointF from = c.p[0];
    const size_t n = pieces.size();
    double worst = 0;
    for (size_t i = 0; i < n; ++i) {
      for (int s = 0; s <= 64; ++s) {
        const double local = s / 64.0;
        const double t = (i + local) / n;
        worst = std::max(worst, Distance(CubicAt(c.p, t), QuadAt(from, pieces[i].first, pieces[i].second, local)));
      }
      from = pieces[i].second;
    }
    EXPECT_LE(worst, kCubicTolerance) << c.name;
    EXPECT_EQ(pieces.back().second.X, c.p[3].X) << c.name;
    EXPECT_EQ(pieces.back().second.Y, c.p[3].Y) << c.name;
  }
}

TEST(GlyphOutline, CubicContourBecomesSplineRecordsOfControlAndEnd) {
  // A CFF-style contour: on, cubic, cubic, on, cubic, cubic (back to start).
  TOutline cff({{{0, 0, kOn},
                 {0, 600, kCubic},
                 {800, 600, kCubic},
                 {800, 0, kOn},
                 {800, -600, kCubic},
                 {0, -600, kCubic}}});
  GlyphOutline out = ConvertOutline(cff.Get(), 0.5);
  ASSERT_EQ(out.size(), 1u);
  const auto& curves = out[0].Curves;
  ASSERT_GE(curves.size(), 4u);
  for (const OutlineCurve& c : curves) {
    EXPECT_EQ(c.Kind, CurveKind::QSpline);
    EXPECT_EQ(c.Points.size(), 2u);
  }
  bool passesRightPoint = false;
  for (const OutlineCurve& c : curves) passesRightPoint |= c.Points.back() == Fx(400, 0);
  EXPECT_TRUE(passesRightPoint);
  EXPECT_EQ(curves.back().Points.back(), Fx(0, 0));
}

}  // namespace
}  // namespace tessaly::platform
