#include "player/SwfTestBuilder.h"

#include <zlib.h>

#include <cmath>
#include <cstdlib>

namespace tessaly::player::test {

void TBitWriter::Bits(uint32_t value, unsigned count) {
  for (unsigned i = count; i-- > 0;) {
    buffer_ = static_cast<uint8_t>((buffer_ << 1) | ((value >> i) & 1u));
    if (++pending_ == 8) {
      data_.push_back(buffer_);
      buffer_ = 0;
      pending_ = 0;
    }
  }
}

void TBitWriter::Align() {
  if (pending_ > 0) Bits(0, 8 - pending_);
}

void TBitWriter::Byte(uint8_t b) {
  Align();
  data_.push_back(b);
}

void TBitWriter::Word(uint16_t w) {
  Byte(w & 0xFF);
  Byte(w >> 8);
}

void TBitWriter::DWord(uint32_t d) {
  Word(d & 0xFFFF);
  Word(d >> 16);
}

void TBitWriter::String(const std::string& s) {
  for (char c : s) Byte(static_cast<uint8_t>(c));
  Byte(0);
}

void TBitWriter::Append(const TBytes& bytes) {
  Align();
  data_.insert(data_.end(), bytes.begin(), bytes.end());
}

void TBitWriter::Rgb(uint32_t rgb) {
  Byte(rgb >> 16);
  Byte(rgb >> 8);
  Byte(rgb);
}

void TBitWriter::Rgba(uint32_t rgba) {
  Rgb(rgba >> 8);
  Byte(rgba & 0xFF);
}

unsigned SignedBits(int32_t v) {
  if (v == 0) return 0;
  uint32_t m = static_cast<uint32_t>(std::abs(v));
  unsigned n = 0;
  while (m) {
    ++n;
    m >>= 1;
  }
  return n + 1;
}

unsigned SignedBits(std::initializer_list<int32_t> values) {
  unsigned n = 0;
  for (int32_t v : values) n = std::max(n, SignedBits(v));
  return n;
}

void TBitWriter::Rect(int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax) {
  Align();
  const unsigned n = SignedBits({xmin, xmax, ymin, ymax});
  Bits(n, 5);
  Signed(xmin, n);
  Signed(xmax, n);
  Signed(ymin, n);
  Signed(ymax, n);
  Align();
}

void TBitWriter::Matrix(double sx, double sy, double r0, double r1, int32_t tx, int32_t ty) {
  Align();
  const bool scale = sx != 1 || sy != 1;
  Bits(scale, 1);
  if (scale) {
    const int32_t a = static_cast<int32_t>(sx * 65536), d = static_cast<int32_t>(sy * 65536);
    const unsigned n = SignedBits({a, d});
    Bits(n, 5);
    Signed(a, n);
    Signed(d, n);
  }
  const bool rotate = r0 != 0 || r1 != 0;
  Bits(rotate, 1);
  if (rotate) {
    const int32_t b = static_cast<int32_t>(r0 * 65536), c = static_cast<int32_t>(r1 * 65536);
    const unsigned n = SignedBits({b, c});
    Bits(n, 5);
    Signed(b, n);
    Signed(c, n);
  }
  const unsigned n = SignedBits({tx, ty});
  Bits(n, 5);
  Signed(tx, n);
  Signed(ty, n);
  Align();
}

void TBitWriter::ColorTransform(int mr, int mg, int mb, int ma, int ar, int ag, int ab, int aa) {
  Align();
  Bits(1, 1);
  Bits(1, 1);
  const unsigned n = SignedBits({mr, mg, mb, ma, ar, ag, ab, aa});
  Bits(n, 4);
  for (int v : {mr, mg, mb, ma, ar, ag, ab, aa}) Signed(v, n);
  Align();
}

int TShapeBuilder::SolidFill(uint32_t rgba) {
  fills_.Byte(0x00);
  if (version_ >= 3)
    fills_.Rgba(rgba);
  else
    fills_.Rgb(rgba >> 8);
  return ++fillCount_;
}

int TShapeBuilder::Gradient(bool radial, double sx, double sy, int32_t tx, int32_t ty,
                            std::vector<std::pair<uint8_t, uint32_t>> stops) {
  fills_.Byte(radial ? 0x12 : 0x10);
  fills_.Matrix(sx, sy, 0, 0, tx, ty);
  fills_.Byte(static_cast<uint8_t>(stops.size()));
  for (const auto& [ratio, rgba] : stops) {
    fills_.Byte(ratio);
    if (version_ >= 3)
      fills_.Rgba(rgba);
    else
      fills_.Rgb(rgba >> 8);
  }
  return ++fillCount_;
}

int TShapeBuilder::BitmapFill(uint8_t type, uint16_t bitmapId, double sx, double sy, int32_t tx, int32_t ty) {
  fills_.Byte(type);
  fills_.Word(bitmapId);
  fills_.Matrix(sx, sy, 0, 0, tx, ty);
  return ++fillCount_;
}

int TShapeBuilder::LineStyle(uint16_t width, uint32_t rgba) {
  lines_.Word(width);
  if (version_ >= 3)
    lines_.Rgba(rgba);
  else
    lines_.Rgb(rgba >> 8);
  return ++lineCount_;
}

void TShapeBuilder::Style(int fill0, int fill1, int line) {
  records_.push_back({0, fill0, fill1, line, false, 0, 0, 0, 0});
}

void TShapeBuilder::MoveTo(int32_t x, int32_t y) {
  records_.push_back({0, -1, -1, -1, true, x, y, 0, 0});
  x_ = x;
  y_ = y;
}

void TShapeBuilder::LineTo(int32_t x, int32_t y) {
  records_.push_back({1, 0, 0, 0, false, x - x_, y - y_, 0, 0});
  x_ = x;
  y_ = y;
}

void TShapeBuilder::CurveTo(int32_t cx, int32_t cy, int32_t x, int32_t y) {
  records_.push_back({2, 0, 0, 0, false, cx - x_, cy - y_, x - cx, y - cy});
  x_ = x;
  y_ = y;
}

void TShapeBuilder::Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  MoveTo(x0, y0);
  LineTo(x1, y0);
  LineTo(x1, y1);
  LineTo(x0, y1);
  LineTo(x0, y0);
}

void TShapeBuilder::Ellipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry) {
  // Eight quadratic segments; the control points lie at radius / cos(22.5°).
  const double k = 1.0 / std::cos(M_PI / 8);
  MoveTo(cx + rx, cy);
  for (int i = 1; i <= 8; ++i) {
    const double mid = (i - 0.5) * M_PI / 4, end = i * M_PI / 4;
    CurveTo(cx + static_cast<int32_t>(std::lround(rx * k * std::cos(mid))),
            cy + static_cast<int32_t>(std::lround(ry * k * std::sin(mid))),
            cx + static_cast<int32_t>(std::lround(rx * std::cos(end))),
            cy + static_cast<int32_t>(std::lround(ry * std::sin(end))));
  }
}

namespace {
unsigned BitsCount(unsigned v) {
  unsigned n = 0;
  while (v) {
    ++n;
    v >>= 1;
  }
  return n;
}
}  // namespace

void TShapeBuilder::WriteRecords(TBitWriter& w, unsigned fillBits, unsigned lineBits) const {
  for (const TRecord& r : records_) {
    if (r.kind == 0) {
      w.Bits(0, 1);
      w.Bits(0, 1);  // no new styles
      w.Bits(r.line >= 0, 1);
      w.Bits(r.fill1 >= 0, 1);
      w.Bits(r.fill0 >= 0, 1);
      w.Bits(r.move || (r.line < 0 && r.fill0 < 0 && r.fill1 < 0), 1);
      if (r.move || (r.line < 0 && r.fill0 < 0 && r.fill1 < 0)) {
        const unsigned n = SignedBits({r.a, r.b});
        w.Bits(n, 5);
        w.Signed(r.a, n);
        w.Signed(r.b, n);
      }
      if (r.fill0 >= 0) w.Bits(r.fill0, fillBits);
      if (r.fill1 >= 0) w.Bits(r.fill1, fillBits);
      if (r.line >= 0) w.Bits(r.line, lineBits);
    } else if (r.kind == 1) {
      if (r.a == 0 && r.b == 0) continue;
      w.Bits(1, 1);
      w.Bits(1, 1);
      const unsigned n = std::max(2u, SignedBits({r.a, r.b}));
      w.Bits(n - 2, 4);
      if (r.a != 0 && r.b != 0) {
        w.Bits(1, 1);
        w.Signed(r.a, n);
        w.Signed(r.b, n);
      } else {
        w.Bits(0, 1);
        w.Bits(r.a == 0, 1);
        w.Signed(r.a == 0 ? r.b : r.a, n);
      }
    } else {
      w.Bits(1, 1);
      w.Bits(0, 1);
      const unsigned n = std::max(2u, SignedBits({r.a, r.b, r.c, r.d}));
      w.Bits(n - 2, 4);
      w.Signed(r.a, n);
      w.Signed(r.b, n);
      w.Signed(r.c, n);
      w.Signed(r.d, n);
    }
  }
  w.Bits(0, 6);
  w.Align();
}

TBytes TShapeBuilder::Body(uint16_t id, int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax) const {
  TBitWriter w;
  w.Word(id);
  w.Rect(xmin, xmax, ymin, ymax);
  w.Byte(static_cast<uint8_t>(fillCount_));
  w.Append(fills_.Data());
  w.Byte(static_cast<uint8_t>(lineCount_));
  w.Append(lines_.Data());
  const unsigned fb = BitsCount(fillCount_), lb = BitsCount(lineCount_);
  w.Bits(fb, 4);
  w.Bits(lb, 4);
  WriteRecords(w, fb, lb);
  return w.Data();
}

TBytes TShapeBuilder::GlyphBytes() const {
  TBitWriter w;
  w.Bits(1, 4);
  w.Bits(0, 4);
  WriteRecords(w, 1, 0);
  return w.Data();
}

TMovieBuilder::TMovieBuilder(int widthPx, int heightPx, double rate, int version)
    : width_(widthPx), height_(heightPx), version_(version) {
  const int whole = static_cast<int>(rate);
  rate_ = static_cast<uint16_t>((whole << 8) | static_cast<int>(std::lround((rate - whole) * 256)));
}

TBytes TagBytes(uint16_t code, const TBytes& body) {
  TBitWriter w;
  if (body.size() >= 63) {
    w.Word(static_cast<uint16_t>(code << 6 | 0x3F));
    w.DWord(static_cast<uint32_t>(body.size()));
  } else {
    w.Word(static_cast<uint16_t>(code << 6 | body.size()));
  }
  w.Append(body);
  return w.Data();
}

void TMovieBuilder::Tag(uint16_t code, const TBytes& body, bool forceLong) {
  if (code == 1) ++frames_;
  if (forceLong && body.size() < 63) {
    body_.Word(static_cast<uint16_t>(code << 6 | 0x3F));
    body_.DWord(static_cast<uint32_t>(body.size()));
    body_.Append(body);
    return;
  }
  body_.Append(TagBytes(code, body));
}

void TMovieBuilder::Background(uint32_t rgb) {
  TBitWriter w;
  w.Rgb(rgb);
  Tag(9, w.Data());
}

void TMovieBuilder::Shape(uint16_t id, const TShapeBuilder& shape, int32_t xmin, int32_t xmax, int32_t ymin,
                          int32_t ymax) {
  Tag(shape.TagCode(), shape.Body(id, xmin, xmax, ymin, ymax));
}

void TMovieBuilder::Place(uint16_t depth, uint16_t id, int32_t tx, int32_t ty, const std::string& name) {
  TBitWriter w;
  w.Byte(static_cast<uint8_t>(0x02 | 0x04 | (name.empty() ? 0 : 0x20)));
  w.Word(depth);
  w.Word(id);
  w.Translate(tx, ty);
  if (!name.empty()) w.String(name);
  Tag(26, w.Data());
}

void TMovieBuilder::Remove(uint16_t depth) {
  TBitWriter w;
  w.Word(depth);
  Tag(28, w.Data());
}

void TMovieBuilder::DoAction(const TBytes& actions) {
  TBytes body = actions;
  body.push_back(0);
  Tag(12, body);
}

TBytes TMovieBuilder::Bytes(bool compressed) const {
  TBitWriter rest;
  rest.Rect(0, width_ * 20, 0, height_ * 20);
  rest.Word(rate_);
  rest.Word(static_cast<uint16_t>(frames_));
  rest.Append(body_.Data());
  rest.Word(0);  // End
  TBitWriter file;
  file.Byte(compressed ? 'C' : 'F');
  file.Byte('W');
  file.Byte('S');
  file.Byte(static_cast<uint8_t>(version_));
  file.DWord(static_cast<uint32_t>(8 + rest.Data().size()));
  file.Append(compressed ? Deflate(rest.Data()) : rest.Data());
  return file.Data();
}

TBytes ActionStop() { return {0x07}; }
TBytes ActionPlay() { return {0x06}; }

TBytes ActionGetUrl(const std::string& url, const std::string& target) {
  TBitWriter body;
  body.String(url);
  body.String(target);
  TBitWriter w;
  w.Byte(0x83);
  w.Word(static_cast<uint16_t>(body.Data().size()));
  w.Append(body.Data());
  return w.Data();
}

TBytes ActionGotoFrame(uint16_t frame) {
  TBitWriter w;
  w.Byte(0x81);
  w.Word(2);
  w.Word(frame);
  return w.Data();
}

TBytes SpriteBody(uint16_t id, uint16_t frames, const TBytes& tags) {
  TBitWriter w;
  w.Word(id);
  w.Word(frames);
  w.Append(tags);
  w.Word(0);
  return w.Data();
}

TBytes Join(std::initializer_list<TBytes> parts) {
  TBytes all;
  for (const TBytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TBytes Deflate(const TBytes& data, int level) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  TBytes out(size);
  compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), level);
  out.resize(size);
  return out;
}

TBytes LosslessBody(uint16_t id, int width, int height, const std::vector<uint32_t>& argb, bool withAlpha) {
  TBytes pixels;
  for (uint32_t p : argb) {
    pixels.push_back(withAlpha ? static_cast<uint8_t>(p >> 24) : 0);
    pixels.push_back(static_cast<uint8_t>(p >> 16));
    pixels.push_back(static_cast<uint8_t>(p >> 8));
    pixels.push_back(static_cast<uint8_t>(p));
  }
  TBitWriter w;
  w.Word(id);
  w.Byte(5);
  w.Word(static_cast<uint16_t>(width));
  w.Word(static_cast<uint16_t>(height));
  w.Append(Deflate(pixels));
  return w.Data();
}

TBytes LosslessPaletteBody(uint16_t id, int width, int height, const std::vector<uint32_t>& paletteArgb,
                           const std::vector<uint8_t>& indexes, bool withAlpha) {
  TBytes raw;
  for (uint32_t p : paletteArgb) {
    raw.push_back(static_cast<uint8_t>(p >> 16));
    raw.push_back(static_cast<uint8_t>(p >> 8));
    raw.push_back(static_cast<uint8_t>(p));
    if (withAlpha) raw.push_back(static_cast<uint8_t>(p >> 24));
  }
  const int stride = (width + 3) & ~3;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < stride; ++x) raw.push_back(x < width ? indexes[static_cast<size_t>(y * width + x)] : 0);
  TBitWriter w;
  w.Word(id);
  w.Byte(3);
  w.Word(static_cast<uint16_t>(width));
  w.Word(static_cast<uint16_t>(height));
  w.Byte(static_cast<uint8_t>(paletteArgb.size() - 1));
  w.Append(Deflate(raw));
  return w.Data();
}

}  // namespace tessaly::player::test
