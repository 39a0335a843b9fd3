#include "player/Renderer.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace tessaly::player {

namespace {

QTransform ToQt(const TSwfMatrix& m) { return QTransform(m.sx, m.r0, m.r1, m.sy, m.tx, m.ty); }

QColor ToQColor(TRgba c) { return QColor(c.r, c.g, c.b, c.a); }

bool Finite(const TSwfMatrix& m) {
  return std::isfinite(m.sx) && std::isfinite(m.sy) && std::isfinite(m.r0) && std::isfinite(m.r1) &&
         std::isfinite(m.tx) && std::isfinite(m.ty);
}

// Coordinates beyond this many pixels are not drawn: nothing of them could
// show, and the rasteriser would spend its time on them.
constexpr double kMaxDeviceExtent = 1e6;

QGradientStops GradientStops(const TFillStyle& fill, const TColorTransform& cx) {
  QGradientStops stops;
  double last = -1;
  for (const TGradientStop& s : fill.stops) {
    double at = s.ratio / 255.0;
    if (at <= last) at = std::min(1.0, last + 1e-6);  // QGradient wants rising positions
    last = at;
    stops.append({at, ToQColor(cx.Apply(s.color))});
  }
  return stops;
}

// Draws image at the origin of the painter's space, and over the rest of area
// its edge pixels stretched outward, as clipped bitmap fills extend them.
void DrawClamped(QPainter& p, const QImage& image, const QRectF& area) {
  const double w = image.width(), h = image.height();
  const double left = std::min(0.0, area.left()), top = std::min(0.0, area.top());
  const double right = std::max(w, area.right()), bottom = std::max(h, area.bottom());
  // Columns: left margin, the picture, right margin; rows likewise.
  const double xs[] = {left, 0, w, right}, ys[] = {top, 0, h, bottom};
  const double sx[] = {0, 0, w - 1, w}, sy[] = {0, 0, h - 1, h};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const QRectF target(QPointF(xs[col], ys[row]), QPointF(xs[col + 1], ys[row + 1]));
      if (target.width() <= 0 || target.height() <= 0) continue;
      const QRectF source(QPointF(col == 1 ? 0 : sx[col], row == 1 ? 0 : sy[row]),
                          QPointF(col == 1 ? w : sx[col] + 1, row == 1 ? h : sy[row] + 1));
      p.drawImage(target, image, source);
    }
  }
}

}  // namespace

TSwfMatrix ShowAllMatrix(const TMovieDef& movie, int width, int height) {
  const double movieW = std::max(1.0, (double(movie.frameSize.xmax) - movie.frameSize.xmin) / 20.0);
  const double movieH = std::max(1.0, (double(movie.frameSize.ymax) - movie.frameSize.ymin) / 20.0);
  const double scale = std::min(width / movieW, height / movieH);
  TSwfMatrix m;
  m.sx = m.sy = scale / 20.0;
  m.tx = (width - movieW * scale) / 2.0 - movie.frameSize.xmin * m.sx;
  m.ty = (height - movieH * scale) / 2.0 - movie.frameSize.ymin * m.sy;
  return m;
}

void TRenderer::Render(const TDisplayObject& root, QImage& target) {
  const TRgba bg = movie_.background;
  target.fill(QColor(bg.r, bg.g, bg.b));
  target_ = target.size();
  QPainter p(&target);
  p.setRenderHint(QPainter::Antialiasing, true);
  DrawChildren(p, root, ShowAllMatrix(movie_, target.width(), target.height()), TColorTransform{}, 0);
}

bool TRenderer::Visible(const QRectF& r, const TSwfMatrix& m, QRectF* device) const {
  if (!Finite(m) || r.isNull()) return false;
  double xs[4], ys[4];
  m.Apply(r.left(), r.top(), xs[0], ys[0]);
  m.Apply(r.right(), r.top(), xs[1], ys[1]);
  m.Apply(r.left(), r.bottom(), xs[2], ys[2]);
  m.Apply(r.right(), r.bottom(), xs[3], ys[3]);
  const double x0 = std::min({xs[0], xs[1], xs[2], xs[3]}), x1 = std::max({xs[0], xs[1], xs[2], xs[3]});
  const double y0 = std::min({ys[0], ys[1], ys[2], ys[3]}), y1 = std::max({ys[0], ys[1], ys[2], ys[3]});
  // Lines are at least one pixel wide, whatever the scale.
  const double margin = 2;
  if (x1 < -margin || y1 < -margin || x0 > target_.width() + margin || y0 > target_.height() + margin) return false;
  if (!(x1 - x0 < kMaxDeviceExtent && y1 - y0 < kMaxDeviceExtent && std::fabs(x0) < kMaxDeviceExtent &&
        std::fabs(y0) < kMaxDeviceExtent))
    return false;
  if (device) *device = QRectF(QPointF(x0 - margin, y0 - margin), QPointF(x1 + margin, y1 + margin));
  return true;
}

void TRenderer::DrawChildren(QPainter& p, const TDisplayObject& object, const TSwfMatrix& m,
                             const TColorTransform& cx, int nesting) {
  // A child with a clip depth is a mask: not drawn itself, it clips the
  // children above it up to that depth.
  struct TMask {
    uint16_t clipDepth;
    QPainterPath area;  // device pixels, already cut by the masks below
  };
  std::vector<TMask> masks;
  for (const auto& [depth, child] : object.children) {
    while (!masks.empty() && depth > masks.back().clipDepth) masks.pop_back();
    if (child->clipDepth > 0) {
      QPainterPath area;
      AddMaskArea(area, *child, m, nesting + 1);
      if (!masks.empty()) area = area.intersected(masks.back().area);
      masks.push_back({child->clipDepth, area});
      continue;
    }
    if (masks.empty()) {
      DrawObject(p, *child, m, cx, nesting + 1);
      continue;
    }
    p.save();
    p.setTransform(QTransform());
    p.setClipPath(masks.back().area);
    DrawObject(p, *child, m, cx, nesting + 1);
    p.restore();
  }
}

void TRenderer::AddMaskArea(QPainterPath& area, const TDisplayObject& object, const TSwfMatrix& parent,
                            int nesting) const {
  if (nesting > kMaxNesting || !object.character) return;
  const TSwfMatrix m = parent * object.matrix;
  if (!Finite(m)) return;
  switch (object.character->kind) {
    case TCharacterKind::ckShape: {
      const auto& shape = static_cast<const TShapeDef&>(*object.character);
      if (shape.pathBounds.isNull() || !Visible(shape.pathBounds, m)) return;
      for (const TShapeLayer& layer : shape.layers)
        for (const QPainterPath& path : layer.fillPaths)
          if (!path.isEmpty()) area = area.isEmpty() ? ToQt(m).map(path) : area.united(ToQt(m).map(path));
      break;
    }
    case TCharacterKind::ckText: {
      const auto& text = static_cast<const TTextDef&>(*object.character);
      for (const TTextRun& run : text.runs) {
        const QPainterPath mapped = ToQt(m * text.matrix).map(run.path);
        area = area.isEmpty() ? mapped : area.united(mapped);
      }
      break;
    }
    case TCharacterKind::ckSprite:
    case TCharacterKind::ckButton:
      for (const auto& [depth, child] : object.children) AddMaskArea(area, *child, m, nesting + 1);
      break;
    default:
      break;
  }
}

void TRenderer::DrawObject(QPainter& p, const TDisplayObject& object, const TSwfMatrix& parent,
                           const TColorTransform& parentCx, int nesting) {
  if (!object.visible || nesting > kMaxNesting || !object.character) return;
  const TSwfMatrix m = parent * object.matrix;
  const TColorTransform cx = parentCx * object.colorTransform;
  if (!Finite(m)) return;
  QRectF device;
  switch (object.character->kind) {
    case TCharacterKind::ckShape:
      if (Visible(static_cast<const TShapeDef&>(*object.character).pathBounds, m, &device))
        DrawLeaf(p, *object.character, m, cx, device);
      break;
    case TCharacterKind::ckText:
      if (Visible(static_cast<const TTextDef&>(*object.character).pathBounds, m, &device))
        DrawLeaf(p, *object.character, m, cx, device);
      break;
    case TCharacterKind::ckSprite:
    case TCharacterKind::ckButton:
      DrawChildren(p, object, m, cx, nesting);
      break;
    default:
      break;
  }
}

namespace {
// Leaves larger than this are drawn straight into the target; the cache
// holds at most kMaxCachePixels pixels in all.
constexpr double kMaxLeafPixels = 1024.0 * 1024.0;
constexpr int64_t kMaxCachePixels = int64_t{8} * 1024 * 1024;
constexpr size_t kMaxCacheEntries = 4096;
}  // namespace

void TRenderer::DrawLeafDirect(QPainter& p, const TCharacter& c, const TSwfMatrix& m, const TColorTransform& cx) {
  if (c.kind == TCharacterKind::ckShape)
    DrawShape(p, static_cast<const TShapeDef&>(c), m, cx);
  else
    DrawText(p, static_cast<const TTextDef&>(c), m, cx);
}

void TRenderer::DrawLeaf(QPainter& p, const TCharacter& c, const TSwfMatrix& m, const TColorTransform& cx,
                         const QRectF& device) {
  if (device.width() * device.height() > kMaxLeafPixels) {
    DrawLeafDirect(p, c, m, cx);
    return;
  }
  // Whole-pixel moves reuse the image; the fraction is part of the key.
  const double wholeX = std::floor(m.tx), wholeY = std::floor(m.ty);
  const TLeafKey key{&c,
                     {m.sx, m.r0, m.r1, m.sy, std::round((m.tx - wholeX) * 64), std::round((m.ty - wholeY) * 64), cx.mr,
                      cx.mg, cx.mb, cx.ma, cx.ar, cx.ag, cx.ab, cx.aa}};
  auto it = leaves_.find(key);
  if (it == leaves_.end()) {
    // The first time a leaf is only noted: what changes every frame is
    // drawn straight away and never copied.
    if (leaves_.size() >= kMaxCacheEntries) {
      leaves_.clear();
      leafPixels_ = 0;
    }
    leaves_.emplace(key, TCachedLeaf{});
    DrawLeafDirect(p, c, m, cx);
    return;
  }
  if (it->second.image.isNull()) {
    const int ox = static_cast<int>(std::floor(device.left())), oy = static_cast<int>(std::floor(device.top()));
    const int w = static_cast<int>(std::ceil(device.right())) - ox, h = static_cast<int>(std::ceil(device.bottom())) - oy;
    if (w <= 0 || h <= 0) return;
    if (leafPixels_ + int64_t{w} * h > kMaxCachePixels) {
      leaves_.clear();
      leafPixels_ = 0;
    }
    leaves_.erase(key);
    TCachedLeaf leaf;
    leaf.image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    if (leaf.image.isNull()) {
      DrawLeafDirect(p, c, m, cx);
      return;
    }
    leaf.image.fill(Qt::transparent);
    leaf.dx = ox - static_cast<int>(wholeX);
    leaf.dy = oy - static_cast<int>(wholeY);
    TSwfMatrix local = m;
    local.tx -= ox;
    local.ty -= oy;
    QPainter q(&leaf.image);
    q.setRenderHint(QPainter::Antialiasing, true);
    DrawLeafDirect(q, c, local, cx);
    q.end();
    leafPixels_ += int64_t{w} * h;
    it = leaves_.emplace(key, std::move(leaf)).first;
  }
  p.setTransform(QTransform());
  p.drawImage(QPoint(static_cast<int>(wholeX) + it->second.dx, static_cast<int>(wholeY) + it->second.dy),
              it->second.image);
}

void TRenderer::DrawShape(QPainter& p, const TShapeDef& shape, const TSwfMatrix& m, const TColorTransform& cx) {
  p.setTransform(ToQt(m));
  const double pixelsPerTwip = std::sqrt(std::fabs(m.sx * m.sy - m.r0 * m.r1));
  for (const TShapeLayer& layer : shape.layers) {
    for (size_t i = 0; i < layer.fills.size(); ++i) {
      const QPainterPath& path = layer.fillPaths[i];
      if (path.isEmpty()) continue;
      const TFillStyle& fill = layer.fills[i];
      switch (fill.kind) {
        case TFillKind::fkSolid:
          p.fillPath(path, ToQColor(cx.Apply(fill.color)));
          break;
        case TFillKind::fkLinear: {
          QLinearGradient g(-16384, 0, 16384, 0);
          g.setStops(GradientStops(fill, cx));
          g.setSpread(QGradient::PadSpread);
          // Stops blend channel by channel, alpha apart from colour.
          g.setInterpolationMode(QGradient::ComponentInterpolation);
          QBrush brush(g);
          brush.setTransform(ToQt(fill.matrix));
          p.fillPath(path, brush);
          break;
        }
        case TFillKind::fkRadial: {
          QRadialGradient g(0, 0, 16384);
          g.setStops(GradientStops(fill, cx));
          g.setSpread(QGradient::PadSpread);
          // Stops blend channel by channel, alpha apart from colour.
          g.setInterpolationMode(QGradient::ComponentInterpolation);
          QBrush brush(g);
          brush.setTransform(ToQt(fill.matrix));
          p.fillPath(path, brush);
          break;
        }
        case TFillKind::fkBitmap:
          FillBitmap(p, path, fill, cx);
          break;
      }
    }
    for (size_t i = 0; i < layer.lines.size(); ++i) {
      const QPainterPath& path = layer.linePaths[i];
      if (path.isEmpty()) continue;
      const TLineStyle& line = layer.lines[i];
      QPen pen(ToQColor(cx.Apply(line.color)));
      pen.setCosmetic(true);
      pen.setWidthF(std::max(1.0, line.width * pixelsPerTwip));
      pen.setCapStyle(Qt::RoundCap);
      pen.setJoinStyle(Qt::RoundJoin);
      p.strokePath(path, pen);
    }
  }
}

const QImage* TRenderer::Bitmap(uint16_t id, const TColorTransform& cx) {
  const TCharacter* c = movie_.Find(id);
  if (!c || c->kind != TCharacterKind::ckBitmap) return nullptr;
  const QImage& image = static_cast<const TBitmapDef*>(c)->image;
  if (cx.IsIdentity()) return &image;
  const auto key = std::make_tuple(id, cx.mr, cx.mg, cx.mb, cx.ma, cx.ar, cx.ag, cx.ab, cx.aa);
  auto it = tinted_.find(key);
  if (it != tinted_.end()) return &it->second;
  const int64_t bytes = int64_t{image.width()} * image.height() * 4;
  if (tintedBytes_ + bytes > kMaxTintedBytes) {
    tinted_.clear();
    tintedBytes_ = 0;
  }
  QImage tinted(image.size(), QImage::Format_ARGB32_Premultiplied);
  if (tinted.isNull()) return nullptr;
  for (int y = 0; y < image.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    auto* dst = reinterpret_cast<QRgb*>(tinted.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb px = qUnpremultiply(src[x]);
      const TRgba t = cx.Apply(TRgba{uint8_t(qRed(px)), uint8_t(qGreen(px)), uint8_t(qBlue(px)), uint8_t(qAlpha(px))});
      dst[x] = qPremultiply(qRgba(t.r, t.g, t.b, t.a));
    }
  }
  tintedBytes_ += bytes;
  return &tinted_.emplace(key, std::move(tinted)).first->second;
}

void TRenderer::FillBitmap(QPainter& p, const QPainterPath& path, const TFillStyle& fill,
                           const TColorTransform& cx) {
  const QImage* image = Bitmap(fill.bitmapId, cx);
  if (!image || image->isNull()) return;
  // Players smooth bitmap fills only in movies of version 8 and later;
  // older movies show a magnified picture with hard pixel edges.
  p.setRenderHint(QPainter::SmoothPixmapTransform, fill.smooth && movie_.version >= 8);
  if (fill.repeat) {
    QBrush brush(*image);
    brush.setTransform(ToQt(fill.matrix));
    p.fillPath(path, brush);
    return;
  }
  const QTransform world = p.transform();
  const QTransform toBitmap = ToQt(fill.matrix);
  bool invertible = false;
  const QRectF area = toBitmap.inverted(&invertible).mapRect(path.boundingRect());
  if (!invertible) return;
  p.save();
  p.setClipPath(path, Qt::IntersectClip);
  p.setTransform(toBitmap * world);
  DrawClamped(p, *image, area);
  p.restore();
}

void TRenderer::DrawText(QPainter& p, const TTextDef& text, const TSwfMatrix& m, const TColorTransform& cx) {
  const TSwfMatrix full = m * text.matrix;
  p.setTransform(ToQt(full));
  for (const TTextRun& run : text.runs)
    if (!run.path.isEmpty()) p.fillPath(run.path, ToQColor(cx.Apply(run.color)));
}

}  // namespace tessaly::player
