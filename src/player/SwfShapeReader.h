#pragma once
// Shape records to painter paths, by the SWF edge model: every edge carries
// the fill on its left (fill0) and on its right (fill1); the edges of one
// fill style are oriented alike and joined into closed contours, which are
// then filled even-odd, so holes come out of the geometry itself.

#include "player/SwfBitReader.h"
#include "player/SwfRecords.h"

namespace tessaly::player {

// Reads MATRIX, CXFORM (withAlpha false) or CXFORMWITHALPHA, RECT, RGB(A).
TSwfMatrix ReadMatrix(TSwfBitReader& in);
TColorTransform ReadColorTransform(TSwfBitReader& in, bool withAlpha);
TRectTw ReadRect(TSwfBitReader& in);
TRgba ReadRgb(TSwfBitReader& in);
TRgba ReadRgba(TSwfBitReader& in);

// Shape records (edges and style changes) that one shape, or all the glyphs
// of one font, may hold; more would cost time and memory beyond any banner.
inline constexpr size_t kMaxShapeRecords = 500'000;

// How far the records of a shape or glyph were read; what was read is kept.
enum class TShapeRead {
  srComplete,
  srDamaged,   // the records end early or hold an unknown fill type
  srTooLarge,  // the record budget ran out; the rest is left out
};

// The body of DefineShape (shapeVersion 1), DefineShape2 (2) or
// DefineShape3 (3) after the character ID. records is the budget of shape
// records left; the records read are taken from it.
TShapeRead ReadShapeBody(TSwfBitReader& in, int shapeVersion, TShapeDef& shape, size_t& records);

// One glyph of a font: the records after the byte of bit counts; any edge
// that has a fill on either side belongs to the glyph. records as above.
TShapeRead ReadGlyph(TSwfBitReader& in, size_t& records, QPainterPath& glyph);

}  // namespace tessaly::player
