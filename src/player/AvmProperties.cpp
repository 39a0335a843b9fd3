#include "player/AvmProperties.h"

#include <cctype>
#include <cmath>

namespace tessaly::player {

std::string LowerAscii(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

namespace {

constexpr const char* kPropertyNames[] = {"_x",        "_y",        "_xscale", "_yscale",      "_currentframe",
                                          "_totalframes", "_alpha",  "_visible", "_width",      "_height",
                                          "_rotation", "_target",   "_framesloaded", "_name"};

// The bounds (twips) of an object's content under matrix m, or an empty
// rectangle.
QRectF ContentBounds(const TDisplayObject& object, const TSwfMatrix& m, int nesting) {
  if (!object.character || nesting > kMaxNesting) return {};
  const QTransform t(m.sx, m.r0, m.r1, m.sy, m.tx, m.ty);
  auto mapped = [&](const TRectTw& r) {
    if (r.xmax <= r.xmin && r.ymax <= r.ymin) return QRectF();
    return t.mapRect(QRectF(QPointF(r.xmin, r.ymin), QPointF(r.xmax, r.ymax)));
  };
  switch (object.character->kind) {
    case TCharacterKind::ckShape:
      return mapped(static_cast<const TShapeDef&>(*object.character).bounds);
    case TCharacterKind::ckText:
      return mapped(static_cast<const TTextDef&>(*object.character).bounds);
    case TCharacterKind::ckSprite:
    case TCharacterKind::ckButton: {
      QRectF all;
      for (const auto& [depth, child] : object.children) {
        const QRectF r = ContentBounds(*child, m * child->matrix, nesting + 1);
        if (!r.isNull()) all = all.isNull() ? r : all.united(r);
      }
      return all;
    }
    default:
      return {};
  }
}

std::string SlashPath(const TDisplayObject& object) {
  if (!object.parent) return "/";
  const std::string up = SlashPath(*object.parent);
  return (up == "/" ? "/" : up + "/") + object.name;
}

double Scale(double a, double b) { return std::sqrt(a * a + b * b); }

// Rebuilds a matrix from scales (1.0 = 100 %) and a rotation in degrees.
void SetScaleRotation(TSwfMatrix& m, double xs, double ys, double degrees) {
  const double r = degrees * M_PI / 180;
  m.sx = xs * std::cos(r);
  m.r0 = xs * std::sin(r);
  m.r1 = -ys * std::sin(r);
  m.sy = ys * std::cos(r);
}

}  // namespace

int PropertyIndex(const std::string& name) {
  const std::string lower = LowerAscii(name);
  for (int i = 0; i < 14; ++i)
    if (lower == kPropertyNames[i]) return i;
  return -1;
}

TAvmValue GetProperty(const TDisplayObject& o, int index) {
  const TSwfMatrix& m = o.matrix;
  switch (index) {
    case 0:
      return TAvmValue::Number(m.tx / 20);
    case 1:
      return TAvmValue::Number(m.ty / 20);
    case 2:
      return TAvmValue::Number(Scale(m.sx, m.r0) * 100);
    case 3:
      return TAvmValue::Number(Scale(m.r1, m.sy) * 100);
    case 4:
      return TAvmValue::Number(o.IsClip() ? o.currentFrame + 1 : 1);
    case 5:
    case 12:
      return TAvmValue::Number(o.FrameCount());
    case 6:
      return TAvmValue::Number(o.colorTransform.ma * 100);
    case 7:
      return TAvmValue::Number(o.visible ? 1 : 0);
    case 8:
    case 9: {
      const QRectF r = ContentBounds(o, o.matrix, 0);
      return TAvmValue::Number((index == 8 ? r.width() : r.height()) / 20);
    }
    case 10:
      return TAvmValue::Number(std::atan2(m.r0, m.sx) * 180 / M_PI);
    case 11:
      return TAvmValue::String(SlashPath(o));
    case 13:
      return TAvmValue::String(o.name);
    default:
      return TAvmValue::Undefined();
  }
}

bool SetProperty(TDisplayObject& o, int index, const TAvmValue& value) {
  if (index == 13) {
    std::string name = value.ToString();
    if (name.size() > kMaxNameBytes) return false;
    o.name = std::move(name);
    return true;
  }
  const double v = value.ToNumber();
  if (!std::isfinite(v)) return false;
  TSwfMatrix& m = o.matrix;
  const double xs = Scale(m.sx, m.r0), ys = Scale(m.r1, m.sy), rotation = std::atan2(m.r0, m.sx) * 180 / M_PI;
  switch (index) {
    case 0:
      m.tx = std::round(v * 20);
      break;
    case 1:
      m.ty = std::round(v * 20);
      break;
    case 2:
      SetScaleRotation(m, v / 100, ys, rotation);
      break;
    case 3:
      SetScaleRotation(m, xs, v / 100, rotation);
      break;
    case 6:
      o.colorTransform.ma = v / 100;
      break;
    case 7:
      o.visible = v != 0;
      return true;
    case 8:
    case 9: {
      const QRectF r = ContentBounds(o, o.matrix, 0);
      const double current = (index == 8 ? r.width() : r.height()) / 20;
      if (current <= 0) return false;
      const double f = v / current;
      if (index == 8)
        SetScaleRotation(m, xs * f, ys, rotation);
      else
        SetScaleRotation(m, xs, ys * f, rotation);
      break;
    }
    case 10:
      SetScaleRotation(m, xs, ys, v);
      break;
    default:
      return false;
  }
  o.scriptControlled = true;
  return true;
}

}  // namespace tessaly::player
