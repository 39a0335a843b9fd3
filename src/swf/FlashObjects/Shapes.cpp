#include "swf/FlashObjects/Shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/Rounding.h"
#include "swf/FlashObjects/Movie.h"

namespace tessaly::swf {

namespace {

// Geometry is computed in floating point and only then made integer; values
// beyond 32 bits (never reached by sane input) are clamped instead of
// overflowing.
using platform::ClampToInt32;
using platform::RoundHalfEven;
using platform::TruncToInt32;

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

uint8_t AlphaOf(uint32_t rgba) { return static_cast<uint8_t>(rgba >> 24); }

}  // namespace

TFlashEdges::TFlashEdges(TSWFShapeRecords& records, TFlashMovie* owner) : records_(records), owner_(owner) {
  auto first = std::make_unique<TSWFStyleChangeRecord>();
  first->SetFillStyle1(0);
  records_.push_back(std::move(first));
}

int64_t TFlashEdges::Factor() const { return absolute_ || !owner_ ? 1 : owner_->UnitsFactor(); }

TSWFStyleChangeRecord& TFlashEdges::CurrentStyleChange() {
  if (!records_.empty() && records_.back()->ShapeRecordType() == srStyleChange)
    return static_cast<TSWFStyleChangeRecord&>(*records_.back());
  auto record = std::make_unique<TSWFStyleChangeRecord>();
  TSWFStyleChangeRecord& r = *record;
  records_.push_back(std::move(record));
  return r;
}

void TFlashEdges::MoveToTwips(int64_t x, int64_t y) {
  if (x == penX_ && y == penY_ && records_.size() <= 1) return;
  penX_ = static_cast<int32_t>(x);
  penY_ = static_cast<int32_t>(y);
  CurrentStyleChange().SetMoveTo(penX_, penY_);
  lastMoveX_ = penX_;
  lastMoveY_ = penY_;
}

void TFlashEdges::MoveTo(int32_t x, int32_t y) { MoveToTwips(x * Factor(), y * Factor()); }

void TFlashEdges::MoveDelta(int32_t dx, int32_t dy) {
  if (dx == 0 && dy == 0) return;
  MoveToTwips(penX_ + dx * Factor(), penY_ + dy * Factor());
}

void TFlashEdges::LineDeltaTwips(int64_t dx, int64_t dy) {
  if (dx == 0 && dy == 0) return;
  constexpr int64_t kMaxDelta = 65535;
  const int64_t n = std::max((std::llabs(dx) + kMaxDelta - 1) / kMaxDelta, (std::llabs(dy) + kMaxDelta - 1) / kMaxDelta);
  const double fx = static_cast<double>(dx), fy = static_cast<double>(dy), fn = static_cast<double>(n);
  for (int64_t g = 1; g <= n; ++g) {
    const int32_t rx = RoundHalfEven(fx * g / fn) - RoundHalfEven(fx * (g - 1) / fn);
    const int32_t ry = RoundHalfEven(fy * g / fn) - RoundHalfEven(fy * (g - 1) / fn);
    records_.push_back(std::make_unique<TSWFStraightEdgeRecord>(rx, ry));
  }
  penX_ = static_cast<int32_t>(penX_ + dx);
  penY_ = static_cast<int32_t>(penY_ + dy);
}

void TFlashEdges::LineTo(int32_t x, int32_t y) { LineDeltaTwips(x * Factor() - penX_, y * Factor() - penY_); }

void TFlashEdges::LineDelta(int32_t dx, int32_t dy) { LineDeltaTwips(dx * Factor(), dy * Factor()); }

void TFlashEdges::CurveDeltaTwips(int64_t controlDX, int64_t controlDY, int64_t anchorDX, int64_t anchorDY) {
  if (controlDX == 0 && controlDY == 0) return LineDeltaTwips(anchorDX, anchorDY);
  if (anchorDX == 0 && anchorDY == 0) return LineDeltaTwips(controlDX, controlDY);
  if (controlDY == 0 && anchorDY == 0) return LineDeltaTwips(controlDX + anchorDX, 0);
  if (controlDX == 0 && anchorDX == 0) return LineDeltaTwips(0, controlDY + anchorDY);
  records_.push_back(std::make_unique<TSWFCurvedEdgeRecord>(
      static_cast<int32_t>(controlDX), static_cast<int32_t>(controlDY), static_cast<int32_t>(anchorDX),
      static_cast<int32_t>(anchorDY)));
  penX_ = static_cast<int32_t>(penX_ + controlDX + anchorDX);
  penY_ = static_cast<int32_t>(penY_ + controlDY + anchorDY);
}

void TFlashEdges::CurveToTwips(int64_t controlX, int64_t controlY, int64_t anchorX, int64_t anchorY) {
  if (anchorX == penX_ && anchorY == penY_) return;
  CurveDeltaTwips(controlX - penX_, controlY - penY_, anchorX - controlX, anchorY - controlY);
}

void TFlashEdges::CurveTo(int32_t controlX, int32_t controlY, int32_t anchorX, int32_t anchorY) {
  const int64_t u = Factor();
  CurveToTwips(controlX * u, controlY * u, anchorX * u, anchorY * u);
}

void TFlashEdges::CurveDelta(int32_t controlDX, int32_t controlDY, int32_t anchorDX, int32_t anchorDY) {
  const int64_t u = Factor();
  CurveDeltaTwips(controlDX * u, controlDY * u, anchorDX * u, anchorDY * u);
}

void TFlashEdges::CloseShape() {
  LineDeltaTwips(int64_t{lastMoveX_} - penX_, int64_t{lastMoveY_} - penY_);
}

void TFlashEdges::EndShape() { records_.push_back(std::make_unique<TSWFEndShapeRecord>()); }

void TFlashEdges::Mirror(bool mirrorX, bool mirrorY) {
  const int32_t sx = mirrorX ? -1 : 1, sy = mirrorY ? -1 : 1;
  for (auto& record : records_) {
    switch (record->ShapeRecordType()) {
      case srStyleChange: {
        auto& r = static_cast<TSWFStyleChangeRecord&>(*record);
        if (r.StateMoveTo) {
          r.DeltaX *= sx;
          r.DeltaY *= sy;
        }
        break;
      }
      case srStraightEdge: {
        auto& r = static_cast<TSWFStraightEdgeRecord&>(*record);
        r.DeltaX *= sx;
        r.DeltaY *= sy;
        break;
      }
      case srCurvedEdge: {
        auto& r = static_cast<TSWFCurvedEdgeRecord&>(*record);
        r.ControlDeltaX *= sx;
        r.ControlDeltaY *= sy;
        r.AnchorDeltaX *= sx;
        r.AnchorDeltaY *= sy;
        break;
      }
      case srEnd:
        break;
    }
  }
  penX_ *= sx;
  penY_ *= sy;
  lastMoveX_ *= sx;
  lastMoveY_ *= sy;
}

void TFlashEdges::EllipseCurve(int i, int32_t w, int32_t h) {
  // Signs of control dx, control dy, anchor dx, anchor dy; the curves run
  // clockwise from the middle of the right side.
  static constexpr int kSigns[8][4] = {{0, 1, -1, 1},  {-1, 1, -1, 0}, {-1, 0, -1, -1}, {-1, -1, 0, -1},
                                       {0, -1, 1, -1}, {1, -1, 1, 0},  {1, 0, 1, 1},    {1, 1, 0, 1}};
  constexpr double a = 0.207, b = 0.1465;
  const double control = i % 2 == 0 ? a : b;
  const double anchor = i % 2 == 0 ? b : a;
  const int* s = kSigns[i];
  CurveDeltaTwips(TruncToInt32(s[0] * control * w), TruncToInt32(s[1] * control * h), TruncToInt32(s[2] * anchor * w),
                  TruncToInt32(s[3] * anchor * h));
}

void TFlashEdges::MakeEllipse(int32_t w, int32_t h) {
  if (w != 0 || h / 2 != 0) MoveToTwips(int64_t{penX_} + w, int64_t{penY_} + h / 2);
  for (int i = 0; i < 8; ++i) EllipseCurve(i, w, h);
}

void TFlashEdges::MakeRoundRect(int32_t w, int32_t h, int32_t radius) {
  if (w != 0 || radius != 0) MoveToTwips(int64_t{penX_} + w, int64_t{penY_} + radius);
  const int64_t sideX = int64_t{w} - 2 * int64_t{radius};
  const int64_t sideY = int64_t{h} - 2 * int64_t{radius};
  for (int i = 0; i < 8; ++i) {
    if (i == 0) LineDeltaTwips(0, sideY);
    if (i == 2) LineDeltaTwips(-sideX, 0);
    if (i == 4) LineDeltaTwips(0, -sideY);
    if (i == 6) LineDeltaTwips(sideX, 0);
    EllipseCurve(i, 2 * radius, 2 * radius);
  }
}

void TFlashEdges::MakeArc(int32_t radiusX, int32_t radiusY, float startAngle, float endAngle) {
  const float a = startAngle;
  float b = endAngle;
  if (b < a) b += 360;
  // The number of 45-degree pieces is held in a byte.
  uint8_t n = static_cast<uint8_t>(ClampToInt32(std::ceil(static_cast<double>(b - a) / 45)));
  if (n == 0) n = 1;
  const float step = (b - a) / n;
  const double half = Radians(step / 2.0);
  const double stretchedX = radiusX / std::cos(half);
  const double stretchedY = radiusY / std::cos(half);
  int32_t px = 0, py = 0;
  for (int i = 0; i <= n; ++i) {
    const double t = Radians(static_cast<double>(a) + i * static_cast<double>(step));
    const int32_t x = TruncToInt32(std::cos(t) * radiusX);
    const int32_t y = TruncToInt32(std::sin(t) * radiusY);
    if (i == 0) {
      LineDeltaTwips(x, y);
    } else {
      const int32_t cx = TruncToInt32(std::cos(t - half) * stretchedX);
      const int32_t cy = TruncToInt32(std::sin(t - half) * stretchedY);
      CurveDeltaTwips(int64_t{cx} - px, int64_t{cy} - py, int64_t{x} - cx, int64_t{y} - cy);
    }
    px = x;
    py = y;
  }
  LineDeltaTwips(-int64_t{px}, -int64_t{py});
}

void TFlashEdges::MakeStar(int32_t x, int32_t y, int32_t outerRadius, int32_t innerRadius, uint16_t points,
                           TStarEdges edges) {
  const int n = std::clamp<int>(points, 2, 360);
  double h = -std::numbers::pi / 2;
  const double step = 2 * std::numbers::pi / n;
  auto at = [&](double angle, int32_t radius, int64_t& px, int64_t& py) {
    px = int64_t{x} + RoundHalfEven(std::cos(angle) * radius);
    py = int64_t{y} + RoundHalfEven(std::sin(angle) * radius);
  };
  int64_t ox, oy, ix, iy;
  at(h, outerRadius, ox, oy);
  MoveToTwips(ox, oy);
  for (int k = 0; k < n; ++k) {
    at(h + step / 2, innerRadius, ix, iy);
    h += step;
    at(h, outerRadius, ox, oy);
    if (edges == seCurved) {
      CurveToTwips(ix, iy, ox, oy);
    } else {
      LineDeltaTwips(ix - penX_, iy - penY_);
      LineDeltaTwips(ox - penX_, oy - penY_);
    }
  }
}

TFlashShape::TFlashShape(TFlashMovie* owner)
    : TFlashVisualObject(owner), edges_(definition_.ShapeRecords(), owner) {}

void TFlashShape::OwnerChanged() { edges_.SetOwner(IgnoreMovieUnits() ? nullptr : Owner()); }

void TFlashShape::SetCharacterID(uint16_t id) {
  TFlashVisualObject::SetCharacterID(id);
  definition_.ShapeId = id;
}

void TFlashShape::SetBounds(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const int32_t u = UnitsFactor();
  bounds_.SetRect(left * u, top * u, right * u, bottom * u);
}

int32_t TFlashShape::Width(TSizeUnits units) const {
  return units == suTwips ? bounds_.Width() : bounds_.Width() / UnitsFactor();
}

int32_t TFlashShape::Height(TSizeUnits units) const {
  return units == suTwips ? bounds_.Height() : bounds_.Height() / UnitsFactor();
}

TSWFStyleChangeRecord* TFlashShape::FirstStyleChange() {
  TSWFShapeRecords& records = definition_.ShapeRecords();
  if (records.empty() || records.front()->ShapeRecordType() != srStyleChange) return nullptr;
  return static_cast<TSWFStyleChangeRecord*>(records.front().get());
}

void TFlashShape::SelectFillStyle0(uint16_t index) {
  TSWFStyleChangeRecord* first = FirstStyleChange();
  fillStyle0_ = first ? index : 0;
  if (first) first->SetFillStyle0(index);
}

void TFlashShape::SelectFillStyle1(uint16_t index) {
  TSWFStyleChangeRecord* first = FirstStyleChange();
  fillStyle1_ = first ? index : 0;
  if (first) first->SetFillStyle1(index);
}

void TFlashShape::SelectLineStyle(uint16_t index) {
  TSWFStyleChangeRecord* first = FirstStyleChange();
  lineStyle_ = first ? index : 0;
  if (first) first->SetLineStyle(index);
}

TSWFFillStyle* TFlashShape::AddFillStyle(std::unique_ptr<TSWFFillStyle> style) {
  TSWFFillStyles& fills = definition_.FillStyles();
  TSWFFillStyle* p = style.get();
  fills.push_back(std::move(style));
  SelectFillStyle1(static_cast<uint16_t>(fills.size()));
  return p;
}

TSWFLineStyle* TFlashShape::AddLineStyle(std::unique_ptr<TSWFLineStyle> style) {
  if (!style) style = std::make_unique<TSWFLineStyle>();
  TSWFLineStyles& lines = definition_.LineStyles();
  TSWFLineStyle* p = style.get();
  lines.push_back(std::move(style));
  SelectLineStyle(static_cast<uint16_t>(lines.size()));
  return p;
}

void TFlashShape::NoteAlpha(uint32_t color) {
  if (AlphaOf(color) < 255) hasAlpha_ = true;
}

void TFlashShape::SetSolidColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { SetSolidFill(MakeRGBA(r, g, b, a)); }

void TFlashShape::SetSolidFill(uint32_t color) {
  NoteAlpha(color);
  AddFillStyle(std::make_unique<TSWFColorFill>(color));
}

std::unique_ptr<TSWFGradientFill> TFlashShape::MakeGradient(TSWFFillStyleType type, const std::vector<uint32_t>& colors) {
  auto fill = std::make_unique<TSWFGradientFill>(type);
  // A gradient holds at most 8 colours; further ones are left out.
  const size_t k = std::min<size_t>(colors.size(), TSWFGradientFill::kMaxRecords);
  fill->GradientCount = static_cast<uint8_t>(k);
  for (size_t i = 0; i < k; ++i) {
    TSWFGradientRec& rec = fill->GradientRecord(static_cast<int>(i) + 1);
    rec.Ratio = k > 1 ? static_cast<uint8_t>(RoundHalfEven(static_cast<double>(i) / static_cast<double>(k - 1) * 255)) : 0;
    rec.Color.SetRGBA(colors[i]);
    NoteAlpha(colors[i]);
  }
  return fill;
}

void TFlashShape::SetLinearGradient(uint32_t color1, uint32_t color2, float angle) {
  SetLinearGradientN({color1, color2}, angle);
}

void TFlashShape::SetLinearGradientN(const std::vector<uint32_t>& colors, float angle) {
  auto fill = MakeGradient(fsLinearGradient, colors);
  const double a = Radians(angle);
  const double w = bounds_.Width(), h = bounds_.Height();
  fill->GradientMatrix.SetScale(std::cos(a) * w / 32768, std::cos(a) * h / 32768);
  fill->GradientMatrix.SetSkew(std::sin(a) * w / 32768, -std::sin(a) * h / 32768);
  fill->GradientMatrix.SetTranslate(bounds_.Xmin() + bounds_.Width() / 2, bounds_.Ymin() + bounds_.Height() / 2);
  AddFillStyle(std::move(fill));
}

void TFlashShape::SetRadialGradient(uint32_t color1, uint32_t color2, int32_t centerXPercent,
                                    int32_t centerYPercent) {
  SetRadialGradientN({color1, color2}, centerXPercent, centerYPercent);
}

void TFlashShape::SetRadialGradientN(const std::vector<uint32_t>& colors, int32_t centerXPercent,
                                     int32_t centerYPercent) {
  auto fill = MakeGradient(fsRadialGradient, colors);
  const double w = bounds_.Width(), h = bounds_.Height();
  fill->GradientMatrix.SetScale(w / 32768, h / 32768);
  fill->GradientMatrix.SetTranslate(bounds_.Xmin() + RoundHalfEven(w / 100 * centerXPercent),
                                    bounds_.Ymin() + RoundHalfEven(h / 100 * centerYPercent));
  AddFillStyle(std::move(fill));
}

void TFlashShape::SetLineStyle(int32_t width, uint32_t color) {
  NoteAlpha(color);
  AddLineStyle(std::make_unique<TSWFLineStyle>(static_cast<uint16_t>(width * UnitsFactor()), color));
}

void TFlashShape::WriteToStream(TBitsEngine& be) {
  definition_.SetTagID(hasAlpha_ ? tagDefineShape3 : tagDefineShape2);
  definition_.HasAlpha = hasAlpha_;
  uint16_t widest = 0;
  for (const auto& line : definition_.LineStyles()) widest = std::max(widest, line->Width);
  const int32_t half = widest / 2;
  definition_.ShapeBounds.SetRect(bounds_.Xmin() - half, bounds_.Ymin() - half, bounds_.Xmax() + half,
                                  bounds_.Ymax() + half);
  definition_.ShapeId = CharacterID();
  definition_.WriteToStream(be);
}

void TFlashShape::SetImageFill(const TFlashImage& image, TImageFillMode mode, double scaleX, double scaleY) {
  auto fill = std::make_unique<TSWFImageFill>(mode == fmRepeating ? fsRepeatingBitmap : fsClippedBitmap);
  fill->BitmapId = image.CharacterID();
  switch (mode) {
    case fmClipped:
    case fmRepeating:
      fill->BitmapMatrix.SetScale(scaleX * 20, scaleY * 20);
      break;
    case fmFit: {
      // An empty image counts as one pixel wide and high.
      const double w = std::max<int>(image.Width(), 1), h = std::max<int>(image.Height(), 1);
      fill->BitmapMatrix.SetScale(Width(suTwips) / w + 0.003662109375, Height(suTwips) / h + 0.003662109375);
      break;
    }
  }
  fill->BitmapMatrix.SetTranslate(Bounds().Xmin() - 5, Bounds().Ymin() - 5);
  AddFillStyle(std::move(fill));
  if (Owner() != nullptr) Owner()->MoveInFront(&image, this);
}

}  // namespace tessaly::swf
