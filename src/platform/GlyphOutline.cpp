#include "platform/GlyphOutline.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>

namespace tessaly::platform {
namespace {

PointF Lerp(PointF a, PointF b, double t) { return {a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t}; }

PointF Midpoint(PointF a, PointF b) { return {(a.X + b.X) / 2, (a.Y + b.Y) / 2}; }

PointFx Fixed(PointF p) { return {ToFixed(p.X), ToFixed(p.Y)}; }

// The blossom of the cubic p at (u, v, w); (t, t, t) is the curve point at t,
// and (a, a, a), (a, a, b), (a, b, b), (b, b, b) are the controls of the
// piece between a and b.
PointF Blossom(const PointF p[4], double u, double v, double w) {
  PointF q[3] = {Lerp(p[0], p[1], u), Lerp(p[1], p[2], u), Lerp(p[2], p[3], u)};
  PointF r[2] = {Lerp(q[0], q[1], v), Lerp(q[1], q[2], v)};
  return Lerp(r[0], r[1], w);
}

enum class PointKind { On, Conic, Cubic };

PointKind KindOf(char tag) {
  switch (FT_CURVE_TAG(tag)) {
    case FT_CURVE_TAG_ON: return PointKind::On;
    case FT_CURVE_TAG_CUBIC: return PointKind::Cubic;
    default: return PointKind::Conic;
  }
}

// Builds one polygon from the points of one contour.
class TPolygonBuilder {
 public:
  explicit TPolygonBuilder(PointF start) : pen_(start) { polygon_.Start = Fixed(start); }

  void Line(PointF to) {
    Record(CurveKind::Line).Points.push_back(Fixed(to));
    pen_ = to;
  }

  // A conic run: controls c[0..n-1] with implied on-curve midpoints, ending
  // at the on-curve point to.
  void Spline(const std::vector<PointF>& controls, PointF to) {
    OutlineCurve curve{CurveKind::QSpline, {}};
    for (PointF c : controls) curve.Points.push_back(Fixed(c));
    curve.Points.push_back(Fixed(to));
    polygon_.Curves.push_back(std::move(curve));
    pen_ = to;
  }

  void Cubic(PointF c1, PointF c2, PointF to) {
    for (auto [control, end] : CubicToQuadratics(pen_, c1, c2, to, kCubicTolerance))
      polygon_.Curves.push_back({CurveKind::QSpline, {Fixed(control), Fixed(end)}});
    pen_ = to;
  }

  OutlinePolygon Take() { return std::move(polygon_); }

 private:
  // The open line record at the end, or a new one.
  OutlineCurve& Record(CurveKind kind) {
    if (polygon_.Curves.empty() || polygon_.Curves.back().Kind != kind)
      polygon_.Curves.push_back({kind, {}});
    return polygon_.Curves.back();
  }

  OutlinePolygon polygon_;
  PointF pen_;
};

OutlinePolygon ConvertContour(const FT_Outline& outline, int first, int last, double scale) {
  const int count = last - first + 1;
  auto point = [&](int i) {
    const FT_Vector& v = outline.points[first + (i % count)];
    return PointF{v.x * scale, v.y * scale};
  };
  auto kind = [&](int i) { return KindOf(outline.tags[first + (i % count)]); };

  // Start at an on-curve point: the first one, else the last one, else the
  // implied midpoint of the two (a contour of conic controls only).
  int begin = 0;
  PointF start;
  int steps = count;  // points to walk after the start
  if (kind(0) == PointKind::On) {
    start = point(0);
    begin = 1;
    steps = count - 1;
  } else if (kind(count - 1) == PointKind::On) {
    start = point(count - 1);
    begin = 0;
    steps = count - 1;
  } else {
    start = Midpoint(point(count - 1), point(0));
    begin = 0;
    steps = count;
  }

  TPolygonBuilder builder(start);
  std::vector<PointF> controls;
  // Walks the remaining points and finally the start again, which closes
  // curves that end there; a closing straight line is left implicit.
  for (int s = 0; s <= steps; ++s) {
    const bool closing = s == steps;
    const PointF p = closing ? start : point(begin + s);
    const PointKind k = closing ? PointKind::On : kind(begin + s);
    if (k == PointKind::Conic) {
      controls.push_back(p);
    } else if (k == PointKind::Cubic) {
      // Two cubic controls, then the end point (the start when it wraps).
      const PointF c2 = point(begin + s + 1);
      const bool endsAtStart = s + 2 >= steps;
      const PointF end = endsAtStart ? start : point(begin + s + 2);
      builder.Cubic(p, c2, end);
      s += endsAtStart ? steps - s : 2;
    } else if (!controls.empty()) {
      builder.Spline(controls, p);
      controls.clear();
    } else if (!closing) {
      builder.Line(p);
    }
  }
  return builder.Take();
}

}  // namespace

int32_t ToFixed(double units) { return RoundHalfEven(units * 65536.0); }

std::vector<std::pair<PointF, PointF>> CubicToQuadratics(PointF p0, PointF p1, PointF p2, PointF p3,
                                                         double tolerance) {
  const PointF p[4] = {p0, p1, p2, p3};
  // The quadratic with control (3 (p1 + p2) - p0 - p3) / 4 differs from the
  // cubic by at most sqrt(3) / 36 * |p3 - 3 p2 + 3 p1 - p0|; that third
  // difference shrinks with the cube of the piece length.
  const double dx = p3.X - 3 * p2.X + 3 * p1.X - p0.X;
  const double dy = p3.Y - 3 * p2.Y + 3 * p1.Y - p0.Y;
  const double error = std::sqrt(3.0) / 36.0 * std::hypot(dx, dy);
  const int pieces = std::clamp(static_cast<int>(std::ceil(std::cbrt(error / tolerance))), 1, 256);

  std::vector<std::pair<PointF, PointF>> result;
  result.reserve(pieces);
  for (int i = 0; i < pieces; ++i) {
    const double a = static_cast<double>(i) / pieces;
    const double b = static_cast<double>(i + 1) / pieces;
    const PointF q0 = Blossom(p, a, a, a);
    const PointF q1 = Blossom(p, a, a, b);
    const PointF q2 = Blossom(p, a, b, b);
    const PointF q3 = i + 1 == pieces ? p3 : Blossom(p, b, b, b);
    const PointF control{(3 * (q1.X + q2.X) - q0.X - q3.X) / 4, (3 * (q1.Y + q2.Y) - q0.Y - q3.Y) / 4};
    result.emplace_back(control, q3);
  }
  return result;
}

GlyphOutline ConvertOutline(const FT_Outline& outline, double scale) {
  GlyphOutline result;
  int first = 0;
  for (int c = 0; c < outline.n_contours; ++c) {
    const int last = outline.contours[c];
    if (last >= first && last < outline.n_points) result.push_back(ConvertContour(outline, first, last, scale));
    first = last + 1;
  }
  return result;
}

}  // namespace tessaly::platform
