#pragma once
// Glyph outlines as contours of straight lines and quadratic splines.
//
// The layout follows the native outline format that SWF font embedding was
// built around: each polygon has a start point and a list of curve records; a
// line record holds one or more points joined by straight lines, a spline
// record holds the control points P1..Pk of a quadratic B-spline whose on-curve
// points between two controls are the implied midpoints and whose last point
// Pk lies on the curve. Polygons are closed implicitly: after the last record
// the contour returns to its start point.
//
// Coordinates are 16.16 fixed point in units of an em of 1024, Y growing
// upward, the origin on the baseline at the glyph's pen position.

#include <cstdint>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace tessaly::platform {

// Units per em of every outline, advance and metric this layer delivers.
constexpr int kFontEm = 1024;

// A point in 16.16 fixed point.
struct PointFx {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const PointFx&) const = default;
};

enum class CurveKind { Line, QSpline };

struct OutlineCurve {
  CurveKind Kind = CurveKind::Line;
  std::vector<PointFx> Points;
};

struct OutlinePolygon {
  PointFx Start;
  std::vector<OutlineCurve> Curves;
};

using GlyphOutline = std::vector<OutlinePolygon>;

// Largest distance, in em-1024 units, between a cubic Bezier segment and the
// quadratic curves that replace it.
constexpr double kCubicTolerance = 0.25;

// A point in em-1024 units (floating point), used while converting.
struct PointF {
  double X = 0;
  double Y = 0;
};

// Converts a FreeType outline whose coordinates are in font units to the
// polygon form, multiplying every coordinate by scale (1024 / units per em).
// TrueType (conic) arcs become spline records of their control points; cubic
// arcs (CFF) are split into quadratic curves within kCubicTolerance, each
// written as a spline record of its control point and end point.
GlyphOutline ConvertOutline(const FT_Outline& outline, double scale);

// Replaces the cubic Bezier p0..p3 by quadratic curves whose distance from the
// cubic stays within tolerance at every parameter value. Returns the control
// and end point of each quadratic, in order (the start of the first is p0).
std::vector<std::pair<PointF, PointF>> CubicToQuadratics(PointF p0, PointF p1, PointF p2, PointF p3,
                                                         double tolerance);

// Converts a value in em-1024 units to 16.16 fixed point, rounding to the
// nearest step (halves to even).
int32_t ToFixed(double units);

}  // namespace tessaly::platform
