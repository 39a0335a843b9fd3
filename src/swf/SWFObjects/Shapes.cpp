#include "swf/SWFObjects/Shapes.h"

namespace tessaly::swf {

void TSWFColorFill::WriteToStream(TBitsEngine& be) {
  be.WriteByte(FillStyleType());
  WriteRGBOrRGBA(be, Color, HasAlpha);
}

void TSWFGradientFill::WriteToStream(TBitsEngine& be) {
  be.WriteByte(FillStyleType());
  be.WriteMatrix(GradientMatrix);
  be.WriteByte(GradientCount);
  for (int i = 0; i < GradientCount && i < kMaxRecords; ++i) {
    be.WriteByte(records_[i].Ratio);
    WriteRGBOrRGBA(be, records_[i].Color, HasAlpha);
  }
}

void TSWFImageFill::WriteToStream(TBitsEngine& be) {
  be.WriteByte(FillStyleType());
  be.WriteWord(BitmapId);
  be.WriteMatrix(BitmapMatrix);
}

void TSWFLineStyle::WriteToStream(TBitsEngine& be) const {
  be.WriteWord(Width);
  WriteRGBOrRGBA(be, Color, Color.HasAlpha());
}

namespace {

void WriteStyleCount(TBitsEngine& be, size_t count) {
  if (count <= 254) {
    be.WriteByte(static_cast<uint8_t>(count));
  } else {
    be.WriteByte(kStyleCountExtended);
    WriteUI16(be, count, "the style count");
  }
}

}  // namespace

void WriteFillStyles(TBitsEngine& be, TSWFFillStyles& styles, bool hasAlpha) {
  WriteStyleCount(be, styles.size());
  for (auto& s : styles) {
    s->HasAlpha = hasAlpha;
    s->WriteToStream(be);
  }
}

void WriteLineStyles(TBitsEngine& be, TSWFLineStyles& styles, bool hasAlpha) {
  WriteStyleCount(be, styles.size());
  for (auto& s : styles) {
    s->Color.SetHasAlpha(hasAlpha);
    s->WriteToStream(be);
  }
}

void TSWFEndShapeRecord::WriteToStream(TBitsEngine& be) { be.WriteBits(0, 6); }

void TSWFStraightEdgeRecord::WriteToStream(TBitsEngine& be) {
  if (DeltaX == 0 && DeltaY == 0) return;
  TBitsEngine::TRecordScope scope(be, "straight edge");
  be.WriteBit(true);
  be.WriteBit(true);
  const uint32_t largest = LargestMagnitude({DeltaX, DeltaY});
  const uint8_t n = SignedBitsOfMagnitude(largest);
  be.WriteFieldWidth(n, 4, largest, 2);
  if (DeltaX != 0 && DeltaY != 0) {
    be.WriteBit(true);
    be.WriteSBits(DeltaX, n);
    be.WriteSBits(DeltaY, n);
  } else {
    be.WriteBit(false);
    be.WriteBit(DeltaX == 0);
    be.WriteSBits(DeltaX != 0 ? DeltaX : DeltaY, n);
  }
}

TSWFFillStyles& TSWFStyleChangeRecord::NewFillStyles() {
  if (!newFillStyles_) newFillStyles_ = std::make_unique<TSWFFillStyles>();
  StateNewStyles = true;
  return *newFillStyles_;
}

TSWFLineStyles& TSWFStyleChangeRecord::NewLineStyles() {
  if (!newLineStyles_) newLineStyles_ = std::make_unique<TSWFLineStyles>();
  StateNewStyles = true;
  return *newLineStyles_;
}

void TSWFStyleChangeRecord::WriteToStream(TBitsEngine& be) {
  TBitsEngine::TRecordScope scope(be, "style change");
  bool anyStyle = StateFillStyle0 || StateFillStyle1 || StateLineStyle;
  // Without any style flag the move bit is forced on, so the record can
  // never read as an end record.
  bool moveTo = anyStyle ? StateMoveTo : true;
  be.WriteBit(false);
  be.WriteBit(StateNewStyles);
  be.WriteBit(StateLineStyle);
  be.WriteBit(StateFillStyle1);
  be.WriteBit(StateFillStyle0);
  be.WriteBit(moveTo);
  if (moveTo) {
    const uint32_t largest = LargestMagnitude({DeltaX, DeltaY});
    const uint8_t n = SignedBitsOfMagnitude(largest);
    be.WriteFieldWidth(n, 5, largest);
    be.WriteSBits(DeltaX, n);
    be.WriteSBits(DeltaY, n);
  }
  if (StateFillStyle0) be.WriteBits(fillStyle0_, NumFillBits);
  if (StateFillStyle1) be.WriteBits(fillStyle1_, NumFillBits);
  if (StateLineStyle) be.WriteBits(lineStyle_, NumLineBits);
  if (StateNewStyles) {
    be.FlushBits(true);
    TSWFFillStyles& fills = NewFillStyles();
    TSWFLineStyles& lines = NewLineStyles();
    WriteFillStyles(be, fills, StylesHasAlpha);
    WriteLineStyles(be, lines, StylesHasAlpha);
    NumFillBits = GetBitsCount(static_cast<uint32_t>(fills.size()));
    NumLineBits = GetBitsCount(static_cast<uint32_t>(lines.size()));
    be.WriteBits(NumFillBits, 4);
    be.WriteBits(NumLineBits, 4);
  }
}

void TSWFCurvedEdgeRecord::WriteToStream(TBitsEngine& be) {
  if (AnchorDeltaX == 0 && AnchorDeltaY == 0 && ControlDeltaX == 0 && ControlDeltaY == 0) return;
  TBitsEngine::TRecordScope scope(be, "curved edge");
  be.WriteBit(true);
  be.WriteBit(false);
  const uint32_t largest = LargestMagnitude({AnchorDeltaX, AnchorDeltaY, ControlDeltaX, ControlDeltaY});
  const uint8_t n = SignedBitsOfMagnitude(largest);
  be.WriteFieldWidth(n, 4, largest, 2);
  be.WriteSBits(ControlDeltaX, n);
  be.WriteSBits(ControlDeltaY, n);
  be.WriteSBits(AnchorDeltaX, n);
  be.WriteSBits(AnchorDeltaY, n);
}

void WriteShapeRecords(TBitsEngine& be, TSWFShapeRecords& records, uint8_t numFillBits, uint8_t numLineBits,
                       bool hasAlpha) {
  for (size_t i = 0; i < records.size(); ++i) {
    TSWFShapeRecord& r = *records[i];
    switch (r.ShapeRecordType()) {
      case srStyleChange: {
        auto& sc = static_cast<TSWFStyleChangeRecord&>(r);
        sc.NumFillBits = numFillBits;
        sc.NumLineBits = numLineBits;
        sc.StylesHasAlpha = hasAlpha;
        if (!sc.StateNewStyles) {
          if (numFillBits == 0) sc.StateFillStyle0 = sc.StateFillStyle1 = false;
          if (numLineBits == 0) sc.StateLineStyle = false;
        }
        sc.WriteToStream(be);
        if (sc.StateNewStyles) {
          numFillBits = sc.NumFillBits;
          numLineBits = sc.NumLineBits;
        }
        break;
      }
      case srEnd:
        if (i + 1 == records.size()) r.WriteToStream(be);
        break;
      case srStraightEdge:
      case srCurvedEdge:
        r.WriteToStream(be);
        break;
    }
  }
  if (records.empty() || records.back()->ShapeRecordType() != srEnd) TSWFEndShapeRecord().WriteToStream(be);
}

uint8_t TSWFDefineShape::MinVersion() const {
  switch (TagID()) {
    case tagDefineShape3:
      return 3;
    case tagDefineShape2:
      return 2;
    default:
      return 1;
  }
}

void TSWFDefineShape::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(ShapeId);
  be.WriteRect(ShapeBounds);
  WriteFillStyles(be, fillStyles_, HasAlpha);
  WriteLineStyles(be, lineStyles_, HasAlpha);
  uint8_t numFillBits = GetBitsCount(static_cast<uint32_t>(fillStyles_.size()));
  uint8_t numLineBits = GetBitsCount(static_cast<uint32_t>(lineStyles_.size()));
  be.WriteBits(numFillBits, 4);
  be.WriteBits(numLineBits, 4);
  WriteShapeRecords(be, shapeRecords_, numFillBits, numLineBits, HasAlpha);
  be.FlushBits(true);
}

}  // namespace tessaly::swf
