#pragma once
// Draws the display tree with QPainter into an image, antialiased, the movie
// scaled to fit the image with its aspect kept ("ShowAll") and centred.

#include "player/DisplayList.h"

#include <QImage>

#include <map>
#include <tuple>

class QPainter;

namespace tessaly::player {

// Maps the movie's frame rectangle (twips) into a target of width x height
// pixels by the "ShowAll" rule.
TSwfMatrix ShowAllMatrix(const TMovieDef& movie, int width, int height);

class TRenderer {
 public:
  explicit TRenderer(const TMovieDef& movie) : movie_(movie) {}

  // Fills target with the background and draws root over it. target must
  // be a Format_ARGB32_Premultiplied (or RGB32) image.
  void Render(const TDisplayObject& root, QImage& target);

 private:
  void DrawObject(QPainter& p, const TDisplayObject& object, const TSwfMatrix& parent,
                  const TColorTransform& parentCx, int nesting);
  void DrawChildren(QPainter& p, const TDisplayObject& object, const TSwfMatrix& m, const TColorTransform& cx,
                    int nesting);
  void AddMaskArea(QPainterPath& area, const TDisplayObject& object, const TSwfMatrix& parent, int nesting) const;
  void DrawShape(QPainter& p, const TShapeDef& shape, const TSwfMatrix& m, const TColorTransform& cx);
  void DrawText(QPainter& p, const TTextDef& text, const TSwfMatrix& m, const TColorTransform& cx);
  void FillBitmap(QPainter& p, const QPainterPath& path, const TFillStyle& fill, const TColorTransform& cx);
  const QImage* Bitmap(uint16_t id, const TColorTransform& cx);
  bool Visible(const QRectF& bounds, const TSwfMatrix& m) const;

  const TMovieDef& movie_;
  QSize target_;
  // Colour-transformed copies of bitmaps, by bitmap and transform.
  std::map<std::tuple<uint16_t, double, double, double, double, double, double, double, double>, QImage> tinted_;
};

}  // namespace tessaly::player
