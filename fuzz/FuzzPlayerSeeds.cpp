// Writes the seed movies of the player's fuzz target into <folder>: a few
// small movies with shapes, gradients, bitmaps, a font and text, a sprite,
// a button and frame actions, uncompressed and compressed.
#include <filesystem>
#include <fstream>
#include <string>

#include "player/ActionTestUtil.h"
#include "player/SwfTestBuilder.h"

namespace {

using namespace tessaly::player::test;

void Save(const std::filesystem::path& folder, const std::string& name, const TBytes& bytes) {
  std::filesystem::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TBytes ShapesMovie(bool compressed) {
  TMovieBuilder m(60, 40);
  m.Background(0x336699);
  m.Tag(20, LosslessBody(1, 2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000}, false));
  m.Tag(36, LosslessPaletteBody(2, 3, 1, {0xFF102030, 0x00000000}, {0, 1, 0}, true));
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(0xFF000080), s.LineStyle(40, 0x00FF00FF));
  s.Ellipse(500, 400, 300, 200);
  s.Style(-1, s.Gradient(true, 0.05, 0.05, 500, 400, {{0, 0xFFFFFFFF}, {255, 0x000000FF}}), -1);
  s.Rectangle(0, 0, 300, 300);
  s.Style(-1, s.BitmapFill(0x40, 1, 20, 20, 0, 0), -1);
  s.Rectangle(600, 0, 900, 300);
  s.Style(-1, s.BitmapFill(0x43, 2, 20, 20, 0, 0), -1);
  s.Rectangle(0, 400, 300, 700);
  m.Shape(3, s, 0, 1000, 0, 800);
  m.Place(1, 3, 100, 100, "shape");
  m.ShowFrame();
  return m.Bytes(compressed);
}

TBytes TimelineMovie() {
  TMovieBuilder m(40, 40);
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(0xFF0000FF), -1);
  s.Rectangle(0, 0, 200, 200);
  m.Shape(1, s, 0, 200, 0, 200);
  TBitWriter place;
  place.Byte(0x02 | 0x04);
  place.Word(1);
  place.Word(1);
  place.Translate(20, 20);
  m.Tag(39, SpriteBody(2, 2, Join({TagBytes(26, place.Data()), TagBytes(1, {}), TagBytes(28, {1, 0}),
                                   TagBytes(1, {})})));
  TBitWriter button;
  button.Word(3);
  button.Byte(0);
  button.Word(0);
  button.Byte(0x0F);
  button.Word(1);
  button.Word(1);
  button.Translate(0, 0);
  button.Byte(0);
  button.Byte(0);
  m.Tag(34, button.Data());
  m.Place(1, 2, 0, 0, "clip");
  m.Place(2, 3, 200, 200, "but1");
  m.DoAction(Join({ActionGotoFrame(1), ActionPlay(), ActionGetUrl("http://example.com/", "_blank")}));
  m.ShowFrame();
  m.Remove(1);
  m.DoAction(ActionStop());
  m.ShowFrame();
  return m.Bytes();
}

// The editing preview's button: pressing drags it and names it, releasing
// ends the drag; a frame script with jumps, a constant pool and a goto.
TBytes DragMovie() {
  TMovieBuilder m(60, 40, 35, 6);
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(0xFF0000FF), -1);
  s.Rectangle(200, 200, 1000, 600);
  m.Shape(1, s, 200, 1000, 200, 600);
  const TBytes press = Join({Push({PStr("but1")}), Action(0x1C), Push({PStr("CurrentObj"), PStr("but1")}),
                             Action(0x1D), Action(0x27)});
  m.Tag(34, Button2Body(2, {{0x0F, 1, 1}}, {{kOnPress, press}, {kOnRelease, Action(0x28)}}));
  m.Place(2, 2, 0, 0, "but1");
  m.DoAction(Join({ConstantPool({"x", "but1"}), Push({PConst(0), PInt(1)}), Action(0x1D), Push({PConst(1)}),
                   Action(0x1C), Action(0x12), If(5), Push({PInt(1)}), Action(0x9F, {0}), Jump(0), Action(0x07)}));
  m.ShowFrame();
  return m.Bytes();
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : "seeds";
  Save(folder, "shapes.swf", ShapesMovie(false));
  Save(folder, "shapes-cws.swf", ShapesMovie(true));
  Save(folder, "timeline.swf", TimelineMovie());
  Save(folder, "drag.swf", DragMovie());
  return 0;
}
