#include "player/SwfShapeReader.h"

#include <unordered_map>

namespace tessaly::player {

TSwfMatrix ReadMatrix(TSwfBitReader& in) {
  TSwfMatrix m;
  in.AlignByte();
  if (in.ReadBit()) {
    const unsigned n = in.ReadBits(5);
    m.sx = in.ReadSignedBits(n) / 65536.0;
    m.sy = in.ReadSignedBits(n) / 65536.0;
  }
  if (in.ReadBit()) {
    const unsigned n = in.ReadBits(5);
    m.r0 = in.ReadSignedBits(n) / 65536.0;
    m.r1 = in.ReadSignedBits(n) / 65536.0;
  }
  const unsigned n = in.ReadBits(5);
  m.tx = in.ReadSignedBits(n);
  m.ty = in.ReadSignedBits(n);
  in.AlignByte();
  return m;
}

TColorTransform ReadColorTransform(TSwfBitReader& in, bool withAlpha) {
  TColorTransform c;
  in.AlignByte();
  const bool hasAdd = in.ReadBit();
  const bool hasMult = in.ReadBit();
  const unsigned n = in.ReadBits(4);
  if (hasMult) {
    c.mr = in.ReadSignedBits(n) / 256.0;
    c.mg = in.ReadSignedBits(n) / 256.0;
    c.mb = in.ReadSignedBits(n) / 256.0;
    if (withAlpha) c.ma = in.ReadSignedBits(n) / 256.0;
  }
  if (hasAdd) {
    c.ar = in.ReadSignedBits(n);
    c.ag = in.ReadSignedBits(n);
    c.ab = in.ReadSignedBits(n);
    if (withAlpha) c.aa = in.ReadSignedBits(n);
  }
  in.AlignByte();
  return c;
}

TRectTw ReadRect(TSwfBitReader& in) {
  in.AlignByte();
  TRectTw r;
  const unsigned n = in.ReadBits(5);
  r.xmin = in.ReadSignedBits(n);
  r.xmax = in.ReadSignedBits(n);
  r.ymin = in.ReadSignedBits(n);
  r.ymax = in.ReadSignedBits(n);
  in.AlignByte();
  return r;
}

TRgba ReadRgb(TSwfBitReader& in) {
  TRgba c;
  c.r = in.ReadByte();
  c.g = in.ReadByte();
  c.b = in.ReadByte();
  return c;
}

TRgba ReadRgba(TSwfBitReader& in) {
  TRgba c = ReadRgb(in);
  c.a = in.ReadByte();
  return c;
}

namespace {

struct TEdge {
  int32_t x0, y0, cx, cy, x1, y1;
  bool curved;
  uint32_t fill0, fill1, line;
};

// Keeps accumulated positions of hostile records inside the int32 range.
int32_t Coord(int64_t v) {
  constexpr int64_t kLimit = int64_t{1} << 30;
  return static_cast<int32_t>(v < -kLimit ? -kLimit : (v > kLimit ? kLimit : v));
}

int64_t PointKey(int32_t x, int32_t y) {
  return (static_cast<int64_t>(x) << 32) ^ static_cast<int64_t>(static_cast<uint32_t>(y));
}

TEdge Reversed(const TEdge& e) {
  TEdge r = e;
  r.x0 = e.x1;
  r.y0 = e.y1;
  r.x1 = e.x0;
  r.y1 = e.y0;
  return r;
}

void AppendSegment(QPainterPath& path, const TEdge& e) {
  if (e.curved)
    path.quadTo(e.cx, e.cy, e.x1, e.y1);
  else
    path.lineTo(e.x1, e.y1);
}

// Joins edges into closed contours: from the end of each edge the walk goes
// on with an unused edge that starts there, until it comes back to the
// contour's start or finds no continuation.
QPainterPath LinkContours(const std::vector<TEdge>& edges) {
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  std::unordered_map<int64_t, std::vector<size_t>> byStart;
  byStart.reserve(edges.size());
  for (size_t i = edges.size(); i-- > 0;) byStart[PointKey(edges[i].x0, edges[i].y0)].push_back(i);
  std::vector<bool> used(edges.size(), false);
  for (size_t first = 0; first < edges.size(); ++first) {
    if (used[first]) continue;
    const TEdge& start = edges[first];
    path.moveTo(start.x0, start.y0);
    size_t current = first;
    while (true) {
      used[current] = true;
      const TEdge& e = edges[current];
      AppendSegment(path, e);
      if (e.x1 == start.x0 && e.y1 == start.y0) break;
      auto it = byStart.find(PointKey(e.x1, e.y1));
      size_t next = edges.size();
      if (it != byStart.end()) {
        auto& candidates = it->second;
        while (!candidates.empty() && used[candidates.back()]) candidates.pop_back();
        if (!candidates.empty()) {
          next = candidates.back();
          candidates.pop_back();
        }
      }
      if (next == edges.size()) break;
      current = next;
    }
    path.closeSubpath();
  }
  return path;
}

bool ReadFillStyles(TSwfBitReader& in, int shapeVersion, std::vector<TFillStyle>& fills) {
  unsigned count = in.ReadByte();
  if (count == swf::kStyleCountExtended && shapeVersion >= 2) count = in.ReadWord();
  for (unsigned i = 0; i < count && !in.Overrun(); ++i) {
    TFillStyle f;
    const uint8_t type = in.ReadByte();
    if (type == swf::fsSolid) {
      f.kind = TFillKind::fkSolid;
      f.color = shapeVersion >= 3 ? ReadRgba(in) : ReadRgb(in);
    } else if (swf::IsGradientFill(type)) {
      f.kind = type == swf::fsLinearGradient ? TFillKind::fkLinear : TFillKind::fkRadial;
      f.matrix = ReadMatrix(in);
      const unsigned stops = in.ReadByte() & 0x0F;
      for (unsigned s = 0; s < stops; ++s) {
        TGradientStop stop;
        stop.ratio = in.ReadByte();
        stop.color = shapeVersion >= 3 ? ReadRgba(in) : ReadRgb(in);
        f.stops.push_back(stop);
      }
    } else if (swf::IsBitmapFill(type)) {
      f.kind = TFillKind::fkBitmap;
      f.bitmapId = in.ReadWord();
      f.matrix = ReadMatrix(in);
      f.repeat = swf::IsRepeatingBitmap(type);
      f.smooth = swf::IsSmoothedBitmap(type);
    } else {
      return false;
    }
    fills.push_back(std::move(f));
  }
  return !in.Overrun();
}

bool ReadLineStyles(TSwfBitReader& in, int shapeVersion, std::vector<TLineStyle>& lines) {
  unsigned count = in.ReadByte();
  if (count == swf::kStyleCountExtended && shapeVersion >= 2) count = in.ReadWord();
  for (unsigned i = 0; i < count && !in.Overrun(); ++i) {
    TLineStyle l;
    l.width = in.ReadWord();
    l.color = shapeVersion >= 3 ? ReadRgba(in) : ReadRgb(in);
    lines.push_back(l);
  }
  return !in.Overrun();
}

// Reads shape records until the end record, each taken from the budget
// records. Edges collect in edges; each style change that brings new styles
// calls newStyles, which reads them and returns the new bit counts (or
// false to stop).
template <typename NewStyles>
TShapeRead ReadShapeRecords(TSwfBitReader& in, unsigned fillBits, unsigned lineBits, size_t& records,
                            std::vector<TEdge>& edges, NewStyles&& newStyles) {
  int32_t x = 0, y = 0;
  uint32_t fill0 = 0, fill1 = 0, line = 0;
  while (!in.Overrun()) {
    const bool edge = in.ReadBit();
    const unsigned flags = edge ? 0 : in.ReadBits(5);
    if (!edge && flags == 0) return TShapeRead::srComplete;
    if (records == 0) return TShapeRead::srTooLarge;
    --records;
    if (!edge) {
      if (flags & 0x01) {
        const unsigned n = in.ReadBits(5);
        x = Coord(in.ReadSignedBits(n));
        y = Coord(in.ReadSignedBits(n));
      }
      if (flags & 0x02) fill0 = in.ReadBits(fillBits);
      if (flags & 0x04) fill1 = in.ReadBits(fillBits);
      if (flags & 0x08) line = in.ReadBits(lineBits);
      if (flags & 0x10) {
        // The indexes of this record already refer to the new arrays.
        if (!newStyles(fillBits, lineBits)) return TShapeRead::srDamaged;
        if (!(flags & 0x02)) fill0 = 0;
        if (!(flags & 0x04)) fill1 = 0;
        if (!(flags & 0x08)) line = 0;
      }
      continue;
    }
    TEdge e{};
    e.x0 = x;
    e.y0 = y;
    e.fill0 = fill0;
    e.fill1 = fill1;
    e.line = line;
    const bool straight = in.ReadBit();
    const unsigned n = in.ReadBits(4) + 2;
    if (straight) {
      int32_t dx = 0, dy = 0;
      if (in.ReadBit()) {
        dx = in.ReadSignedBits(n);
        dy = in.ReadSignedBits(n);
      } else if (in.ReadBit()) {
        dy = in.ReadSignedBits(n);
      } else {
        dx = in.ReadSignedBits(n);
      }
      e.curved = false;
      e.x1 = Coord(int64_t{x} + dx);
      e.y1 = Coord(int64_t{y} + dy);
      e.cx = e.x1;
      e.cy = e.y1;
    } else {
      e.curved = true;
      e.cx = Coord(int64_t{x} + in.ReadSignedBits(n));
      e.cy = Coord(int64_t{y} + in.ReadSignedBits(n));
      e.x1 = Coord(int64_t{e.cx} + in.ReadSignedBits(n));
      e.y1 = Coord(int64_t{e.cy} + in.ReadSignedBits(n));
    }
    x = e.x1;
    y = e.y1;
    edges.push_back(e);
  }
  return TShapeRead::srDamaged;
}

// Gathers the edges of every style in one pass over them, so that the cost
// does not grow with styles times edges: each fill style takes its edges
// oriented with the fill on their right and joins them into contours; each
// line style draws its edges in file order, connected where they meet.
void BuildLayerPaths(TShapeLayer& layer, const std::vector<TEdge>& edges) {
  const size_t fills = layer.fills.size(), lines = layer.lines.size();
  std::vector<std::vector<TEdge>> fillEdges(fills);
  struct TPen {
    bool down = false;
    int32_t x = 0, y = 0;
  };
  std::vector<TPen> pens(lines);
  layer.linePaths.assign(lines, QPainterPath());
  for (const TEdge& e : edges) {
    if (e.fill1 >= 1 && e.fill1 <= fills) fillEdges[e.fill1 - 1].push_back(e);
    if (e.fill0 >= 1 && e.fill0 <= fills) fillEdges[e.fill0 - 1].push_back(Reversed(e));
    if (e.line >= 1 && e.line <= lines) {
      TPen& pen = pens[e.line - 1];
      QPainterPath& path = layer.linePaths[e.line - 1];
      if (!pen.down || e.x0 != pen.x || e.y0 != pen.y) path.moveTo(e.x0, e.y0);
      AppendSegment(path, e);
      pen = {true, e.x1, e.y1};
    }
  }
  layer.fillPaths.reserve(fills);
  for (const std::vector<TEdge>& bucket : fillEdges)
    layer.fillPaths.push_back(bucket.empty() ? QPainterPath() : LinkContours(bucket));
}

}  // namespace

TShapeRead ReadShapeBody(TSwfBitReader& in, int shapeVersion, TShapeDef& shape, size_t& records) {
  shape.bounds = ReadRect(in);
  TShapeLayer layer;
  if (!ReadFillStyles(in, shapeVersion, layer.fills) || !ReadLineStyles(in, shapeVersion, layer.lines))
    return TShapeRead::srDamaged;
  unsigned fillBits = in.ReadBits(4);
  unsigned lineBits = in.ReadBits(4);
  std::vector<TEdge> edges;
  auto newStyles = [&](unsigned& fb, unsigned& lb) {
    BuildLayerPaths(layer, edges);
    shape.layers.push_back(std::move(layer));
    layer = TShapeLayer{};
    edges.clear();
    in.AlignByte();
    if (!ReadFillStyles(in, shapeVersion, layer.fills) || !ReadLineStyles(in, shapeVersion, layer.lines))
      return false;
    fb = in.ReadBits(4);
    lb = in.ReadBits(4);
    return true;
  };
  const TShapeRead result = ReadShapeRecords(in, fillBits, lineBits, records, edges, newStyles);
  BuildLayerPaths(layer, edges);
  shape.layers.push_back(std::move(layer));
  for (const TShapeLayer& l : shape.layers) {
    for (const QPainterPath& path : l.fillPaths) shape.pathBounds |= path.boundingRect();
    for (size_t i = 0; i < l.linePaths.size(); ++i) {
      const double half = l.lines[i].width / 2.0 + 1;
      shape.pathBounds |= l.linePaths[i].boundingRect().adjusted(-half, -half, half, half);
    }
  }
  return result;
}

TShapeRead ReadGlyph(TSwfBitReader& in, size_t& records, QPainterPath& glyph) {
  const unsigned fillBits = in.ReadBits(4);
  const unsigned lineBits = in.ReadBits(4);
  std::vector<TEdge> edges;
  const TShapeRead result =
      ReadShapeRecords(in, fillBits, lineBits, records, edges, [](unsigned&, unsigned&) { return false; });
  std::vector<TEdge> filled;
  for (const TEdge& e : edges)
    if (e.fill0 != 0 || e.fill1 != 0) filled.push_back(e.fill1 != 0 ? e : Reversed(e));
  glyph = LinkContours(filled);
  return result;
}

}  // namespace tessaly::player
