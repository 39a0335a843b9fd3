#pragma once
// Draws the display tree with QPainter into an image, antialiased, the movie
// scaled to fit the image with its aspect kept ("ShowAll") and centred.

#include "player/DisplayList.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <map>
#include <tuple>

class QPainter;

namespace tessaly::player {

// The colour-transformed copies of bitmaps a renderer keeps hold at most
// this many bytes, or a single copy of a larger bitmap.
inline constexpr int64_t kMaxTintedBytes = int64_t{64} * 1024 * 1024;

// Maps the movie's frame rectangle (twips) into a target of width x height
// pixels by the "ShowAll" rule.
TSwfMatrix ShowAllMatrix(const TMovieDef& movie, int width, int height);

class TRenderer {
 public:
  explicit TRenderer(const TMovieDef& movie) : movie_(movie) {}

  // Fills target with the background and draws root over it. target must
  // be a Format_ARGB32_Premultiplied (or RGB32) image.
  void Render(const TDisplayObject& root, QImage& target);
  // The bytes held by colour-transformed copies of bitmaps.
  int64_t TintedBytes() const { return tintedBytes_; }

 private:
  // One leaf drawn once at one scale and rotation, kept as an image: drawn
  // again wherever the same matrix (up to whole-pixel moves) and colour
  // transform come back, which is the common case of a banner's frames.
  struct TCachedLeaf {
    QImage image;
    int dx = 0, dy = 0;  // image origin minus the whole pixels of the translation
  };
  using TLeafKey = std::pair<const TCharacter*, std::array<double, 14>>;

  void DrawObject(QPainter& p, const TDisplayObject& object, const TSwfMatrix& parent,
                  const TColorTransform& parentCx, int nesting);
  void DrawChildren(QPainter& p, const TDisplayObject& object, const TSwfMatrix& m, const TColorTransform& cx,
                    int nesting);
  void AddMaskArea(QPainterPath& area, const TDisplayObject& object, const TSwfMatrix& parent, int nesting) const;
  void DrawLeaf(QPainter& p, const TCharacter& c, const TSwfMatrix& m, const TColorTransform& cx,
                const QRectF& device);
  void DrawLeafDirect(QPainter& p, const TCharacter& c, const TSwfMatrix& m, const TColorTransform& cx);
  void DrawShape(QPainter& p, const TShapeDef& shape, const TSwfMatrix& m, const TColorTransform& cx);
  void DrawText(QPainter& p, const TTextDef& text, const TSwfMatrix& m, const TColorTransform& cx);
  void FillBitmap(QPainter& p, const QPainterPath& path, const TFillStyle& fill, const TColorTransform& cx);
  const QImage* Bitmap(uint16_t id, const TColorTransform& cx);
  // Whether bounds under m reach the target; device gets them in pixels.
  bool Visible(const QRectF& bounds, const TSwfMatrix& m, QRectF* device = nullptr) const;

  const TMovieDef& movie_;
  QSize target_;
  // Colour-transformed copies of bitmaps, by bitmap and transform.
  std::map<std::tuple<uint16_t, double, double, double, double, double, double, double, double>, QImage> tinted_;
  int64_t tintedBytes_ = 0;
  std::map<TLeafKey, TCachedLeaf> leaves_;
  int64_t leafPixels_ = 0;
};

}  // namespace tessaly::player
