#pragma once
// The records of a movie as the player keeps them after reading: matrices,
// colour transforms, colours, and the character definitions with their
// timelines. Shapes and glyphs keep ready-made painter paths, so that a
// frame is drawn without looking at the file again.

#include <QImage>
#include <QPainterPath>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "swf/SWFFormat.h"

namespace tessaly::player {

struct TRgba {
  uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const TRgba&) const = default;
};

// MATRIX: x' = sx * x + r1 * y + tx; y' = r0 * x + sy * y + ty (twips).
struct TSwfMatrix {
  double sx = 1, r0 = 0, r1 = 0, sy = 1, tx = 0, ty = 0;

  // this after inner: a point goes through inner first.
  TSwfMatrix operator*(const TSwfMatrix& inner) const;
  bool Invert(TSwfMatrix& out) const;
  void Apply(double x, double y, double& ox, double& oy) const;
  bool operator==(const TSwfMatrix&) const = default;
};

// CXFORMWITHALPHA with the multiply terms as factors (1.0 = unchanged) and
// the add terms in colour units.
struct TColorTransform {
  double mr = 1, mg = 1, mb = 1, ma = 1;
  double ar = 0, ag = 0, ab = 0, aa = 0;

  TColorTransform operator*(const TColorTransform& inner) const;
  TRgba Apply(TRgba c) const;
  bool IsIdentity() const { return *this == TColorTransform{}; }
  bool operator==(const TColorTransform&) const = default;
};

struct TRectTw {
  int32_t xmin = 0, xmax = 0, ymin = 0, ymax = 0;
};

struct TGradientStop {
  uint8_t ratio = 0;
  TRgba color;
};

enum class TFillKind { fkSolid, fkLinear, fkRadial, fkBitmap };

struct TFillStyle {
  TFillKind kind = TFillKind::fkSolid;
  TRgba color;
  TSwfMatrix matrix;  // gradient square or bitmap pixels to shape twips
  std::vector<TGradientStop> stops;
  uint16_t bitmapId = 0;
  bool repeat = false;
  bool smooth = true;
};

struct TLineStyle {
  uint16_t width = 0;  // twips
  TRgba color;
};

// One style array of a shape with the figures drawn with it: a closed path
// per fill style (filled even-odd) and an open path per line style.
struct TShapeLayer {
  std::vector<TFillStyle> fills;
  std::vector<QPainterPath> fillPaths;
  std::vector<TLineStyle> lines;
  std::vector<QPainterPath> linePaths;
};

enum class TCharacterKind { ckShape, ckBitmap, ckFont, ckText, ckButton, ckSprite };

struct TCharacter {
  explicit TCharacter(TCharacterKind k) : kind(k) {}
  virtual ~TCharacter() = default;
  TCharacterKind kind;
  uint16_t id = 0;
  uint32_t definedAt = 0;  // index of its tag in the file
};

struct TShapeDef : TCharacter {
  TShapeDef() : TCharacter(TCharacterKind::ckShape) {}
  TRectTw bounds;
  QRectF pathBounds;  // of the figures actually drawn, lines included
  std::vector<TShapeLayer> layers;
};

struct TBitmapDef : TCharacter {
  TBitmapDef() : TCharacter(TCharacterKind::ckBitmap) {}
  QImage image;  // ARGB32 premultiplied
};

struct TFontDef : TCharacter {
  TFontDef() : TCharacter(TCharacterKind::ckFont) {}
  std::string name;
  std::vector<QPainterPath> glyphs;  // em square of 1024 units
  std::vector<uint16_t> codes;
};

// One run of a static text: glyph outlines already scaled and placed in the
// text's own space, drawn in one colour.
struct TTextRun {
  QPainterPath path;
  TRgba color;
};

struct TTextDef : TCharacter {
  TTextDef() : TCharacter(TCharacterKind::ckText) {}
  TRectTw bounds;
  TSwfMatrix matrix;
  std::vector<TTextRun> runs;
  QRectF pathBounds;  // of the glyphs, in the character's space (matrix applied)
};

// One action record: its code and the bytes of its body.
struct TActionRecord {
  uint8_t code = 0;
  std::vector<uint8_t> data;
};
using TActionList = std::vector<TActionRecord>;

struct TPlaceCommand {
  uint32_t tagIndex = 0;  // a character defined by a later tag is not known here
  uint16_t depth = 0;
  bool move = false;
  bool hasCharacter = false;
  uint16_t characterId = 0;
  bool hasMatrix = false;
  TSwfMatrix matrix;
  bool hasColorTransform = false;
  TColorTransform colorTransform;
  bool hasRatio = false;
  uint16_t ratio = 0;
  bool hasName = false;
  std::string name;
  bool hasClipDepth = false;
  uint16_t clipDepth = 0;
};

struct TDisplayCommand {
  enum TKind { dcPlace, dcRemove } kind = dcPlace;
  TPlaceCommand place;  // dcRemove uses only depth
};

struct TFrame {
  std::vector<TDisplayCommand> commands;
  std::vector<TActionList> actions;  // DoAction tags in file order
  std::string label;
};

struct TTimeline {
  std::vector<TFrame> frames;  // never empty once read
};

// A button record's states are the file's state bits.
using swf::TSWFButtonState;
using swf::bsUp;
using swf::bsOver;
using swf::bsDown;
using swf::bsHitTest;

struct TButtonRecord {
  uint8_t states = 0;
  uint16_t characterId = 0;
  uint16_t depth = 0;
  TSwfMatrix matrix;
  TColorTransform colorTransform;
};

struct TButtonCondAction {
  uint16_t conditions = 0;  // bit 0 idle to over-up ... bit 8 over-down to idle
  uint8_t keyCode = 0;
  TActionList actions;
};

struct TButtonDef : TCharacter {
  TButtonDef() : TCharacter(TCharacterKind::ckButton) {}
  bool trackAsMenu = false;
  std::vector<TButtonRecord> records;
  std::vector<TButtonCondAction> condActions;
};

struct TSpriteDef : TCharacter {
  TSpriteDef() : TCharacter(TCharacterKind::ckSprite) {}
  TTimeline timeline;
};

// Everything read from one movie file.
struct TMovieDef {
  uint8_t version = 0;
  bool compressed = false;
  uint32_t declaredLength = 0;
  TRectTw frameSize;
  double frameRate = 12;
  uint16_t declaredFrameCount = 0;
  TRgba background{255, 255, 255, 255};
  std::map<uint16_t, std::unique_ptr<TCharacter>> characters;
  TTimeline timeline;
  std::vector<std::string> warnings;

  const TCharacter* Find(uint16_t id) const;
  int WidthPixels() const { return (frameSize.xmax - frameSize.xmin) / 20; }
  int HeightPixels() const { return (frameSize.ymax - frameSize.ymin) / 20; }
};

}  // namespace tessaly::player
