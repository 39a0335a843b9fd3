#include "player/SwfRecords.h"

#include <algorithm>
#include <cmath>

namespace tessaly::player {

TSwfMatrix TSwfMatrix::operator*(const TSwfMatrix& m) const {
  TSwfMatrix r;
  r.sx = sx * m.sx + r1 * m.r0;
  r.r1 = sx * m.r1 + r1 * m.sy;
  r.r0 = r0 * m.sx + sy * m.r0;
  r.sy = r0 * m.r1 + sy * m.sy;
  r.tx = sx * m.tx + r1 * m.ty + tx;
  r.ty = r0 * m.tx + sy * m.ty + ty;
  return r;
}

bool TSwfMatrix::Invert(TSwfMatrix& out) const {
  const double det = sx * sy - r1 * r0;
  if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;
  out.sx = sy / det;
  out.r1 = -r1 / det;
  out.r0 = -r0 / det;
  out.sy = sx / det;
  out.tx = -(out.sx * tx + out.r1 * ty);
  out.ty = -(out.r0 * tx + out.sy * ty);
  return true;
}

void TSwfMatrix::Apply(double x, double y, double& ox, double& oy) const {
  ox = sx * x + r1 * y + tx;
  oy = r0 * x + sy * y + ty;
}

TColorTransform TColorTransform::operator*(const TColorTransform& in) const {
  TColorTransform r;
  r.mr = mr * in.mr;
  r.mg = mg * in.mg;
  r.mb = mb * in.mb;
  r.ma = ma * in.ma;
  r.ar = ar + mr * in.ar;
  r.ag = ag + mg * in.ag;
  r.ab = ab + mb * in.ab;
  r.aa = aa + ma * in.aa;
  return r;
}

namespace {
uint8_t ClampChannel(double v) {
  if (!(v > 0)) return 0;
  if (v >= 255) return 255;
  return static_cast<uint8_t>(v + 0.5);
}
}  // namespace

TRgba TColorTransform::Apply(TRgba c) const {
  return TRgba{ClampChannel(c.r * mr + ar), ClampChannel(c.g * mg + ag), ClampChannel(c.b * mb + ab),
               ClampChannel(c.a * ma + aa)};
}

const TCharacter* TMovieDef::Find(uint16_t id) const {
  const auto it = characters.find(id);
  return it == characters.end() ? nullptr : it->second.get();
}

}  // namespace tessaly::player
