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

// The body of DefineShape (shapeVersion 1), DefineShape2 (2) or
// DefineShape3 (3) after the character ID. Returns false when the records
// end early or hold an unknown fill type; what was read is kept.
bool ReadShapeBody(TSwfBitReader& in, int shapeVersion, TShapeDef& shape);

// One glyph of a font: the records after the byte of bit counts; any edge
// that has a fill on either side belongs to the glyph.
QPainterPath ReadGlyph(TSwfBitReader& in);

}  // namespace tessaly::player
