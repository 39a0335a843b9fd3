#pragma once
// Shape characters and their edge builder: paths, fills and line styles.

#include <cstdint>
#include <memory>
#include <vector>

#include "swf/FlashObjects/Objects.h"

namespace tessaly::swf {

// How a bitmap fill lies on its shape.
enum TImageFillMode : uint8_t {
  fmClipped = 0,    // clipped, scaled by the given factors
  fmFit = 1,        // clipped and stretched over the shape's bounds with a slight overlap
  fmRepeating = 2,  // repeating, scaled by the given factors
};

// The edges of a star: straight through the inner points, or curves with
// the inner points as controls.
enum TStarEdges : uint8_t { seStraight, seCurved };

// A size in the movie's units (pixels in a pixel movie) or in twips.
enum TSizeUnits : uint8_t { suMovieUnits, suTwips };

// Builds the records of a shape or glyph outline: moves, straight edges
// (split so that no record exceeds 65,535 twips per axis) and quadratic
// curves, keeping the pen position. Coordinates are movie units, multiplied
// by the owner's UnitsFactor, unless Absolute is set (or there is no owner);
// the Make* path builders always take twips.
class TFlashEdges {
 public:
  // Appends the first style-change record (with the FillStyle1 flag set) to
  // Records, which it does not own.
  explicit TFlashEdges(TSWFShapeRecords& records, TFlashMovie* owner = nullptr);

  TSWFShapeRecords& Records() { return records_; }
  TFlashMovie* Owner() const { return owner_; }
  void SetOwner(TFlashMovie* owner) { owner_ = owner; }
  bool Absolute() const { return absolute_; }
  void SetAbsolute(bool absolute) { absolute_ = absolute; }
  // Pen position in twips.
  int32_t PenX() const { return penX_; }
  int32_t PenY() const { return penY_; }

  // The last record when it is a style change, else a new one appended.
  TSWFStyleChangeRecord& CurrentStyleChange();

  // Skipped when the point is where the pen stands and nothing but the
  // first record has been written.
  void MoveTo(int32_t x, int32_t y);
  void MoveDelta(int32_t dx, int32_t dy);
  void LineTo(int32_t x, int32_t y);
  void LineDelta(int32_t dx, int32_t dy);
  // Absolute control and anchor points; nothing when the anchor is the pen.
  void CurveTo(int32_t controlX, int32_t controlY, int32_t anchorX, int32_t anchorY);
  // Control relative to the pen, anchor relative to the control point. A
  // curve that is in fact straight becomes a straight edge.
  void CurveDelta(int32_t controlDX, int32_t controlDY, int32_t anchorDX, int32_t anchorDY);
  // Straight edge back to where the current sub-path started.
  void CloseShape();
  void EndShape();
  // Negates X and/or Y of every move and edge written so far.
  void Mirror(bool mirrorX, bool mirrorY);

  // Path builders, in twips. An ellipse or rounded rectangle of W x H
  // starts from the pen at the top-left corner of its box and runs
  // clockwise from the middle of the right side.
  void MakeEllipse(int32_t w, int32_t h);
  void MakeRoundRect(int32_t w, int32_t h, int32_t radius);
  // A pie from the pen at the centre: radius, arc from StartAngle to
  // EndAngle (degrees, clockwise on screen), radius back.
  void MakeArc(int32_t radiusX, int32_t radiusY, float startAngle, float endAngle);
  // A star of Points (2..360) points around (X, Y), first point at the top.
  void MakeStar(int32_t x, int32_t y, int32_t outerRadius, int32_t innerRadius, uint16_t points, TStarEdges edges);

 private:
  int64_t Factor() const;
  void MoveToTwips(int64_t x, int64_t y);
  void LineDeltaTwips(int64_t dx, int64_t dy);
  void CurveDeltaTwips(int64_t controlDX, int64_t controlDY, int64_t anchorDX, int64_t anchorDY);
  void CurveToTwips(int64_t controlX, int64_t controlY, int64_t anchorX, int64_t anchorY);
  // Curve I (0..7) of an ellipse of W x H, each spanning 45 degrees.
  void EllipseCurve(int i, int32_t w, int32_t h);

  TSWFShapeRecords& records_;
  TFlashMovie* owner_;
  bool absolute_ = false;
  int32_t penX_ = 0;
  int32_t penY_ = 0;
  int32_t lastMoveX_ = 0;
  int32_t lastMoveY_ = 0;
};

// A shape character: bounds, fill and line styles and the path its edge
// builder draws. Written as DefineShape2, or DefineShape3 as soon as any
// colour given to it has alpha below 255.
class TFlashShape : public TFlashVisualObject {
 public:
  explicit TFlashShape(TFlashMovie* owner = nullptr);

  TSWFDefineShape3& Definition() { return definition_; }
  TFlashEdges& Edges() { return edges_; }
  const TSWFRect& Bounds() const { return bounds_; }
  // Movie units.
  void SetBounds(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // Of Bounds.
  int32_t Width(TSizeUnits units = suMovieUnits) const;
  int32_t Height(TSizeUnits units = suMovieUnits) const;
  bool HasAlpha() const { return hasAlpha_; }

  // Appends the style and selects it (1-based) as FillStyle1 / LineStyle.
  TSWFFillStyle* AddFillStyle(std::unique_ptr<TSWFFillStyle> style);
  // Null: a new default line style.
  TSWFLineStyle* AddLineStyle(std::unique_ptr<TSWFLineStyle> style = nullptr);
  // Store the index in the first style-change record and set its flag.
  void SelectFillStyle0(uint16_t index);
  void SelectFillStyle1(uint16_t index);
  void SelectLineStyle(uint16_t index);
  uint16_t FillStyle0() const { return fillStyle0_; }
  uint16_t FillStyle1() const { return fillStyle1_; }
  uint16_t LineStyle() const { return lineStyle_; }

  void SetSolidColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
  // RGBA value.
  void SetSolidFill(uint32_t color);
  // Colours as RGBA values, angle in degrees: 0 runs left to right, 90
  // bottom to top, 270 top to bottom, the first colour at the start.
  void SetLinearGradient(uint32_t color1, uint32_t color2, float angle);
  void SetLinearGradientN(const std::vector<uint32_t>& colors, float angle);
  // The gradient circle fills the box, centred at the given percentages of
  // its width and height.
  void SetRadialGradient(uint32_t color1, uint32_t color2, int32_t centerXPercent, int32_t centerYPercent);
  void SetRadialGradientN(const std::vector<uint32_t>& colors, int32_t centerXPercent, int32_t centerYPercent);
  // A solid line Width movie units wide.
  void SetLineStyle(int32_t width, uint32_t color);
  // A bitmap fill of Image, its matrix translated to the top-left corner
  // of Bounds less 5 twips; ScaleX and ScaleY (pixels) serve fmClipped and
  // fmRepeating. The image is moved in front of the shape in the movie's
  // ObjectList when it stands behind it.
  void SetImageFill(const TFlashImage& image, TImageFillMode mode, double scaleX = 1, double scaleY = 1);

  // 2, or 3 with alpha.
  uint8_t MinVersion() const override { return hasAlpha_ ? 3 : 2; }
  void SetCharacterID(uint16_t id) override;
  void OwnerChanged() override;
  // The tag's bounds are Bounds widened by half the widest line.
  void WriteToStream(TBitsEngine& be) override;

 private:
  void NoteAlpha(uint32_t color);
  std::unique_ptr<TSWFGradientFill> MakeGradient(TSWFFillStyleType type, const std::vector<uint32_t>& colors);
  TSWFStyleChangeRecord* FirstStyleChange();

  TSWFDefineShape3 definition_;
  TSWFRect bounds_;
  TFlashEdges edges_;
  uint16_t fillStyle0_ = 0;
  uint16_t fillStyle1_ = 0;
  uint16_t lineStyle_ = 0;
  bool hasAlpha_ = false;
};

}  // namespace tessaly::swf
