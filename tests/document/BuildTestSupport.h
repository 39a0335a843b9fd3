#pragma once
// What the builder tests share: a document with a pipeline and a memory
// host, and look-ups in the object model a build produces.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "document/BannerDocument.h"
#include "document/BuildPipeline.h"
#include "support/ReferenceBanner.h"
#include "support/TestPictures.h"
#include "swf/FlashObjects.h"

namespace tessaly::test {

struct TBuildFixture {
  TBuildFixture() { Pipeline.SetTemporaryFolder(Temp.Path()); }

  document::TBannerDocument Doc;
  TMemoryPreviewHost Host;
  document::TBuildPipeline Pipeline{Doc, Host};
  TTempDir Temp;

  document::TFlashObjects& Add(document::ItemKind kind) {
    document::TFlashObjects& item = Doc.ItemTable.Append();
    item.Kind = kind;
    return item;
  }
  document::TFlashObjects& AddRectangle(int x, int y, int w, int h) {
    document::TFlashObjects& item = Add(document::ItemKind::ikShape);
    item.ShapeType = document::stRectangle;
    item.X = x;
    item.Y = y;
    item.Width = w;
    item.Height = h;
    return item;
  }
  document::TFlashObjects& AddText(const std::string& text, int x = 234, int y = 10) {
    document::TFlashObjects& item = Add(document::ItemKind::ikText);
    item.Text = text;
    item.FontName = "Arial";
    item.FontSize = 14;
    item.X = x;
    item.Y = y;
    return item;
  }
  document::TFlashObjects& AddPicture(const std::string& file, int x, int y, int w, int h) {
    document::TFlashObjects& item = Add(document::ItemKind::ikImage);
    item.ImageFileName = file;
    item.ImageType = document::ImageTypeOf(file);
    item.GifFrame = -1;
    item.X = x;
    item.Y = y;
    item.Width = w;
    item.Height = h;
    return item;
  }
};

// The objects of a kind in ObjectList order.
template <class T>
std::vector<T*> ObjectsOf(swf::TFlashMovie& movie) {
  std::vector<T*> found;
  for (auto& o : movie.ObjectList())
    if (auto* t = dynamic_cast<T*>(o.get())) found.push_back(t);
  return found;
}

// The main timeline's placements at a depth, in order.
inline std::vector<swf::TFlashPlaceObject*> PlacementsAt(swf::TFlashMovie& movie, int depth) {
  std::vector<swf::TFlashPlaceObject*> found;
  for (auto* p : ObjectsOf<swf::TFlashPlaceObject>(movie))
    if (p->Depth() == depth) found.push_back(p);
  return found;
}

// One letter per object of ObjectList: S shape, I image, F font, T text,
// B button, P placement, A action list, other tags '.'.
std::string ObjectOrder(swf::TFlashMovie& movie);

// The action codes of a list.
std::vector<int> ActionCodes(const swf::TSWFActionList& list);

// The condition actions of a DefineButton2 for one transition (empty when
// it has none).
std::vector<int> ButtonActionCodes(swf::TFlashButton& button, swf::TSWFButtonCondition condition);
const swf::TSWFActionList* ButtonActions(swf::TFlashButton& button, swf::TSWFButtonCondition condition);

// Alphas of a shape's fill styles (solid colour, or each gradient record).
std::vector<int> FillAlphas(swf::TFlashShape& shape);

// The movie point (twips) where the shape's path starts.
struct TTwipsPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TTwipsPoint&, const TTwipsPoint&) = default;
};
TTwipsPoint FirstMove(swf::TFlashShape& shape);
// Shown by failed assertions as "(x, y)".
void PrintTo(const TTwipsPoint& point, std::ostream* out);

// The first edge after the first move, as its record type and deltas
// (a curve: control then anchor deltas); srEnd without deltas when the
// shape has no edge.
struct TFirstEdge {
  swf::TSWFShapeRecordType Type = swf::srEnd;
  std::vector<int> Deltas;
  friend bool operator==(const TFirstEdge&, const TFirstEdge&) = default;
};
TFirstEdge FirstEdge(swf::TFlashShape& shape);
// Shown by failed assertions as "curve {1, 2, 3, 4}".
void PrintTo(const TFirstEdge& edge, std::ostream* out);

// A shape's bounds in twips, and a box given in pixels in twips.
swf::TRect BoundsOf(swf::TFlashShape& shape);
inline swf::TRect Box(int l, int t, int r, int b) { return {l * 20, t * 20, r * 20, b * 20}; }

}  // namespace tessaly::test
