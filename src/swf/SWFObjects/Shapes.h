#pragma once
// Shape definition tags with their fill and line styles and the four kinds
// of shape record.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "swf/SWFObjects/Tags.h"

namespace tessaly::swf {

class TSWFFillStyle {
 public:
  virtual ~TSWFFillStyle() = default;
  TSWFFillStyleType FillStyleType() const { return fillStyleType_; }
  void SetFillStyleType(TSWFFillStyleType type) { fillStyleType_ = type; }
  // Colours as RGBA; set by the owning shape before writing.
  bool HasAlpha = false;
  virtual void WriteToStream(TBitsEngine& be) = 0;

 protected:
  explicit TSWFFillStyle(TSWFFillStyleType type) : fillStyleType_(type) {}

 private:
  TSWFFillStyleType fillStyleType_;
};

class TSWFColorFill : public TSWFFillStyle {
 public:
  TSWFColorFill() : TSWFFillStyle(fsSolid) {}
  explicit TSWFColorFill(uint32_t rgba) : TSWFFillStyle(fsSolid) { Color.SetRGBA(rgba); }
  void WriteToStream(TBitsEngine& be) override;

  TSWFRGBA Color;
};

struct TSWFGradientRec {
  uint8_t Ratio = 0;
  TSWFRGBA Color;
};

// Linear or radial gradient of up to 8 records.
class TSWFGradientFill : public TSWFFillStyle {
 public:
  static constexpr int kMaxRecords = 8;

  explicit TSWFGradientFill(TSWFFillStyleType type = fsLinearGradient) : TSWFFillStyle(type) {}
  // Records are numbered 1..8.
  TSWFGradientRec& GradientRecord(int index) { return records_.at(index - 1); }
  uint8_t GradientCount = 0;
  TSWFMatrix GradientMatrix;

  void WriteToStream(TBitsEngine& be) override;

 private:
  std::array<TSWFGradientRec, kMaxRecords> records_;
};

// Bitmap fill: repeating or clipped, smoothed or not.
class TSWFImageFill : public TSWFFillStyle {
 public:
  explicit TSWFImageFill(TSWFFillStyleType type = fsClippedBitmap) : TSWFFillStyle(type) {}
  void WriteToStream(TBitsEngine& be) override;

  uint16_t BitmapId = 0;
  TSWFMatrix BitmapMatrix;
};

class TSWFLineStyle {
 public:
  TSWFLineStyle() = default;
  TSWFLineStyle(uint16_t width, uint32_t rgba) : Width(width) { Color.SetRGBA(rgba); }
  // Width, then the colour as RGBA when the colour has alpha, else RGB.
  void WriteToStream(TBitsEngine& be) const;

  TSWFRGBA Color;
  uint16_t Width = 0;
};

using TSWFFillStyles = std::vector<std::unique_ptr<TSWFFillStyle>>;
using TSWFLineStyles = std::vector<std::unique_ptr<TSWFLineStyle>>;

// Style arrays: the count (one byte up to 254, else 0xFF and a UI16), then
// every style with its alpha flag taken from HasAlpha.
void WriteFillStyles(TBitsEngine& be, TSWFFillStyles& styles, bool hasAlpha);
void WriteLineStyles(TBitsEngine& be, TSWFLineStyles& styles, bool hasAlpha);

enum TSWFShapeRecordType : uint8_t { srEnd = 0, srStyleChange = 1, srStraightEdge = 2, srCurvedEdge = 3 };

class TSWFShapeRecord {
 public:
  virtual ~TSWFShapeRecord() = default;
  TSWFShapeRecordType ShapeRecordType() const { return type_; }
  virtual void WriteToStream(TBitsEngine& be) = 0;

 protected:
  explicit TSWFShapeRecord(TSWFShapeRecordType type) : type_(type) {}

 private:
  TSWFShapeRecordType type_;
};

// Six zero bits.
class TSWFEndShapeRecord : public TSWFShapeRecord {
 public:
  TSWFEndShapeRecord() : TSWFShapeRecord(srEnd) {}
  void WriteToStream(TBitsEngine& be) override;
};

// A straight edge; both deltas 0 write nothing.
class TSWFStraightEdgeRecord : public TSWFShapeRecord {
 public:
  TSWFStraightEdgeRecord(int32_t dx = 0, int32_t dy = 0) : TSWFShapeRecord(srStraightEdge), DeltaX(dx), DeltaY(dy) {}
  void WriteToStream(TBitsEngine& be) override;

  int32_t DeltaX;
  int32_t DeltaY;

 protected:
  explicit TSWFStraightEdgeRecord(TSWFShapeRecordType type) : TSWFShapeRecord(type), DeltaX(0), DeltaY(0) {}
};

// Style change: DeltaX and DeltaY hold the move-to point.
class TSWFStyleChangeRecord : public TSWFStraightEdgeRecord {
 public:
  TSWFStyleChangeRecord() : TSWFStraightEdgeRecord(srStyleChange) {}

  uint16_t FillStyle0() const { return fillStyle0_; }
  uint16_t FillStyle1() const { return fillStyle1_; }
  uint16_t LineStyle() const { return lineStyle_; }
  // 1-based style indexes, 0 = none; each sets its state flag.
  void SetFillStyle0(uint16_t index) { fillStyle0_ = index; StateFillStyle0 = true; }
  void SetFillStyle1(uint16_t index) { fillStyle1_ = index; StateFillStyle1 = true; }
  void SetLineStyle(uint16_t index) { lineStyle_ = index; StateLineStyle = true; }
  // Sets the point and StateMoveTo.
  void SetMoveTo(int32_t x, int32_t y) { DeltaX = x; DeltaY = y; StateMoveTo = true; }
  // Created on first access; the first access sets StateNewStyles.
  TSWFFillStyles& NewFillStyles();
  TSWFLineStyles& NewLineStyles();

  // Written with the bit counts in force before this record; with new
  // styles they become the counts of the new arrays.
  void WriteToStream(TBitsEngine& be) override;

  uint8_t NumFillBits = 0;
  uint8_t NumLineBits = 0;
  bool StateFillStyle0 = false;
  bool StateFillStyle1 = false;
  bool StateLineStyle = false;
  bool StateMoveTo = false;
  bool StateNewStyles = false;
  // Alpha of the new styles, set by the shape writer.
  bool StylesHasAlpha = false;

 private:
  uint16_t fillStyle0_ = 0;
  uint16_t fillStyle1_ = 0;
  uint16_t lineStyle_ = 0;
  std::unique_ptr<TSWFFillStyles> newFillStyles_;
  std::unique_ptr<TSWFLineStyles> newLineStyles_;
};

// A quadratic curve; all four deltas 0 write nothing.
class TSWFCurvedEdgeRecord : public TSWFShapeRecord {
 public:
  TSWFCurvedEdgeRecord(int32_t controlDX = 0, int32_t controlDY = 0, int32_t anchorDX = 0, int32_t anchorDY = 0)
      : TSWFShapeRecord(srCurvedEdge),
        AnchorDeltaX(anchorDX),
        AnchorDeltaY(anchorDY),
        ControlDeltaX(controlDX),
        ControlDeltaY(controlDY) {}
  void WriteToStream(TBitsEngine& be) override;

  int32_t AnchorDeltaX;
  int32_t AnchorDeltaY;
  int32_t ControlDeltaX;
  int32_t ControlDeltaY;
};

using TSWFShapeRecords = std::vector<std::unique_ptr<TSWFShapeRecord>>;

// Writes shape records with the given starting bit counts: style changes
// receive the counts and alpha, end records are written only as the last
// record, and an end record follows when the list does not end with one.
// Leaves the engine unaligned (the caller pads).
void WriteShapeRecords(TBitsEngine& be, TSWFShapeRecords& records, uint8_t numFillBits, uint8_t numLineBits,
                       bool hasAlpha);

class TSWFDefineShape : public TSWFObject {
 public:
  TSWFDefineShape() : TSWFDefineShape(tagDefineShape, false) {}

  TSWFShapeRecords& ShapeRecords() { return shapeRecords_; }
  TSWFFillStyles& FillStyles() { return fillStyles_; }
  TSWFLineStyles& LineStyles() { return lineStyles_; }
  template <class T, class... Args>
  T* AddRecord(Args&&... args) {
    auto r = std::make_unique<T>(std::forward<Args>(args)...);
    T* p = r.get();
    shapeRecords_.push_back(std::move(r));
    return p;
  }

  // Follows the tag code, which the shape object may switch between
  // DefineShape2 and DefineShape3: 1, 2 or 3.
  uint8_t MinVersion() const override;
  void WriteTagBody(TBitsEngine& be) override;

  bool HasAlpha;
  TSWFRect ShapeBounds;
  uint16_t ShapeId = 0;

 protected:
  TSWFDefineShape(uint16_t tagID, bool hasAlpha) : TSWFObject(tagID), HasAlpha(hasAlpha) {}

 private:
  TSWFShapeRecords shapeRecords_;
  TSWFFillStyles fillStyles_;
  TSWFLineStyles lineStyles_;
};

class TSWFDefineShape2 : public TSWFDefineShape {
 public:
  TSWFDefineShape2() : TSWFDefineShape(tagDefineShape2, false) {}
};

class TSWFDefineShape3 : public TSWFDefineShape {
 public:
  TSWFDefineShape3() : TSWFDefineShape(tagDefineShape3, true) {}
};

}  // namespace tessaly::swf
