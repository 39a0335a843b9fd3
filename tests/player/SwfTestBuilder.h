#pragma once
// A small SWF byte builder for the player's tests and benchmarks: tag
// framing and the records the tests need, written straight from the file
// format so that tests do not depend on the movie writer.

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::player::test {

// zlib's default level, without including zlib.h here.
inline constexpr int kDefaultCompression = -1;

using TBytes = std::vector<uint8_t>;

class TBitWriter {
 public:
  void Bits(uint32_t value, unsigned count);
  void Signed(int32_t value, unsigned count) { Bits(static_cast<uint32_t>(value), count); }
  void Align();
  void Byte(uint8_t b);
  void Word(uint16_t w);
  void DWord(uint32_t d);
  void String(const std::string& s);  // zero-terminated
  void Append(const TBytes& bytes);
  void Rgb(uint32_t rgb);    // 0xRRGGBB
  void Rgba(uint32_t rgba);  // 0xRRGGBBAA
  void Rect(int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax);
  // Scale (1.0 = none), rotate-skew terms and translation in twips.
  void Matrix(double sx, double sy, double r0, double r1, int32_t tx, int32_t ty);
  void Translate(int32_t tx, int32_t ty) { Matrix(1, 1, 0, 0, tx, ty); }
  // CXFORMWITHALPHA with multiply terms in 1/256 and add terms.
  void ColorTransform(int mr, int mg, int mb, int ma, int ar, int ag, int ab, int aa);
  const TBytes& Data() const { return data_; }

 private:
  TBytes data_;
  uint8_t buffer_ = 0;
  unsigned pending_ = 0;
};

unsigned SignedBits(int32_t v);
unsigned SignedBits(std::initializer_list<int32_t> values);

// Shape records in twips for one style array (no new styles).
class TShapeBuilder {
 public:
  explicit TShapeBuilder(int version = 3) : version_(version) {}
  int SolidFill(uint32_t rgba);
  // Stops as (ratio, rgba) pairs; radial when radial is true.
  int Gradient(bool radial, double sx, double sy, int32_t tx, int32_t ty,
               std::vector<std::pair<uint8_t, uint32_t>> stops);
  int BitmapFill(uint8_t type, uint16_t bitmapId, double sx, double sy, int32_t tx, int32_t ty);
  int LineStyle(uint16_t width, uint32_t rgba);
  void Style(int fill0, int fill1, int line);  // -1 leaves one unchanged
  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);  // absolute
  void CurveTo(int32_t cx, int32_t cy, int32_t x, int32_t y);
  void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1);  // clockwise on screen
  void Ellipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry);    // clockwise on screen
  // The DefineShape body for the given character ID.
  TBytes Body(uint16_t id, int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax) const;
  uint16_t TagCode() const { return version_ == 1 ? 2 : version_ == 2 ? 22 : 32; }
  // The records alone, as a glyph (fill bits 1, line bits 0).
  TBytes GlyphBytes() const;

 private:
  struct TRecord {
    int kind;  // 0 style, 1 line, 2 curve
    int fill0, fill1, line;
    bool move;
    int32_t a, b, c, d;
  };
  void WriteRecords(TBitWriter& w, unsigned fillBits, unsigned lineBits) const;

  int version_;
  TBitWriter fills_, lines_;
  int fillCount_ = 0, lineCount_ = 0;
  std::vector<TRecord> records_;
  int32_t x_ = 0, y_ = 0;
};

class TMovieBuilder {
 public:
  TMovieBuilder(int widthPx, int heightPx, double rate = 35, int version = 6);
  void Tag(uint16_t code, const TBytes& body, bool forceLong = false);
  void ShowFrame() { Tag(1, {}); }
  void Background(uint32_t rgb);
  void Shape(uint16_t id, const TShapeBuilder& shape, int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax);
  // PlaceObject2 with a character, a translation (twips) and optional name.
  void Place(uint16_t depth, uint16_t id, int32_t tx = 0, int32_t ty = 0, const std::string& name = {});
  void Remove(uint16_t depth);
  void DoAction(const TBytes& actions);  // the records; the end byte is added
  TBytes Bytes(bool compressed = false) const;
  const TBytes& Body() const { return body_.Data(); }

 private:
  int width_, height_, version_;
  uint16_t rate_;
  int frames_ = 0;
  TBitWriter body_;
};

// Action records.
TBytes ActionStop();
TBytes ActionPlay();
TBytes ActionGetUrl(const std::string& url, const std::string& target);
TBytes ActionGotoFrame(uint16_t frame);

// A DefineSprite body: its ID, frame count and control tags (End added).
TBytes SpriteBody(uint16_t id, uint16_t frames, const TBytes& tags);
// Tag framing alone, for sprite bodies.
TBytes TagBytes(uint16_t code, const TBytes& body);

// A DefineBitsLossless(2) body of format 5 from ARGB pixels, rows top first.
TBytes LosslessBody(uint16_t id, int width, int height, const std::vector<uint32_t>& argb, bool withAlpha);
// A DefineBitsLossless(2) body of format 3 from palette indexes.
TBytes LosslessPaletteBody(uint16_t id, int width, int height, const std::vector<uint32_t>& paletteArgb,
                           const std::vector<uint8_t>& indexes, bool withAlpha);
TBytes Deflate(const TBytes& data, int level = kDefaultCompression);
TBytes Join(std::initializer_list<TBytes> parts);

}  // namespace tessaly::player::test
