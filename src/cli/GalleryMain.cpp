// tessaly-gallery: writes a one-page gallery of the movie object model in
// pixel units: every shape maker, solid fills with and without alpha, the
// linear gradients at the angles the background builder uses, the radial
// gradients at its three centres, line styles, a button and a sprite that
// moves a shape.
//
//   tessaly-gallery OUT.swf
//
// The movie is 800 x 500 pixels. Each exhibit stands in a 100 x 100 cell
// (column c, row r from 0: left 100 c, top 100 r); the program prints one
// legend line per cell, since the movie itself carries no text.

#include <cstdint>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "cli/ToolInfo.h"
#include "swf/FlashObjects.h"

namespace {

using namespace tessaly::swf;

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 500;
constexpr int32_t kCell = 100;
constexpr int32_t kMargin = 10;

constexpr uint32_t kRed = 0xFF0000FF;
constexpr uint32_t kBlue = 0xFFFF0000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kNavy = 0xFF602000;
constexpr uint32_t kBlack = 0xFF000000;

struct TCell {
  int32_t left, top, right, bottom, cx, cy;
};

TCell Cell(int col, int row) {
  const int32_t left = col * kCell + kMargin, top = row * kCell + kMargin;
  const int32_t right = (col + 1) * kCell - kMargin, bottom = (row + 1) * kCell - kMargin;
  return {left, top, right, bottom, (left + right) / 2, (top + bottom) / 2};
}

class TGallery {
 public:
  TGallery() : movie_(0, 0, kWidth, kHeight, 12, muPixels) {}

  void Build() {
    Background();
    Makers();
    FillsAndLines();
    LinearGradients();
    RadialGradients();
    ButtonAndSprite();
    movie_.ShowFrame();
  }

  TFlashMovie& Movie() { return movie_; }

 private:
  void Place(TFlashVisualObject* obj) { movie_.PlaceObject(obj, ++depth_); }

  void Legend(int col, int row, const std::string& text) {
    std::cout << "cell " << col << "," << row << ": " << text << "\n";
  }

  void Background() {
    TFlashShape* back = movie_.AddRectangle(0, 0, kWidth, kHeight);
    back->SetSolidColor(236, 236, 236, 255);
    Place(back);
    // Dark stripes behind row 1, so that holes and alpha show.
    for (int i = 0; i < 8; ++i) {
      TFlashShape* stripe = movie_.AddRectangle(i * kCell, kCell + 40, i * kCell + kCell, kCell + 60);
      stripe->SetSolidColor(40, 40, 40, 255);
      Place(stripe);
    }
  }

  TFlashShape* Solid(TFlashShape* shape, uint32_t color) {
    shape->SetSolidFill(color);
    Place(shape);
    return shape;
  }

  void Makers() {
    TCell c = Cell(0, 0);
    Solid(movie_.AddRectangle(c.left, c.top, c.right, c.bottom), kRed);
    Legend(0, 0, "AddRectangle, red");
    c = Cell(1, 0);
    Solid(movie_.AddRoundRect(c.left, c.top, c.right, c.bottom, 15), kBlue);
    Legend(1, 0, "AddRoundRect radius 15, blue");
    c = Cell(2, 0);
    Solid(movie_.AddEllipse(c.left, c.top + 15, c.right, c.bottom - 15), MakeRGBA(0, 160, 0, 255));
    Legend(2, 0, "AddEllipse 80 x 50, green");
    c = Cell(3, 0);
    Solid(movie_.AddCircle(c.cx, c.cy, 40), MakeRGBA(255, 160, 0, 255));
    Legend(3, 0, "AddCircle radius 40, orange");
    c = Cell(4, 0);
    Solid(movie_.AddDiamond(c.left, c.top, c.right, c.bottom), MakeRGBA(160, 0, 160, 255));
    Legend(4, 0, "AddDiamond, purple");
    c = Cell(5, 0);
    Solid(movie_.AddStar(c.cx, c.cy, 40, 16, 5, seStraight), MakeRGBA(230, 200, 0, 255));
    Legend(5, 0, "AddStar 5 points straight, yellow");
    c = Cell(6, 0);
    Solid(movie_.AddStar(c.cx, c.cy, 40, 16, 5, seCurved), MakeRGBA(230, 200, 0, 255));
    Legend(6, 0, "AddStar 5 points curved, yellow");
    c = Cell(7, 0);
    Solid(movie_.AddStar(c.cx, c.cy, 40, 40, 3, seStraight), MakeRGBA(0, 160, 160, 255));
    Legend(7, 0, "AddStar 3 points, equal radii: hexagon, teal");
  }

  void FillsAndLines() {
    TCell c = Cell(0, 1);
    Solid(movie_.AddPie(c.cx, c.cy, 40, 180, 0), kRed);
    Legend(0, 1, "AddPie 180 to 0: upper half disc, red");
    c = Cell(1, 1);
    Solid(movie_.AddPie(c.cx, c.cy, 40, 30, 300), kBlue);
    Legend(1, 1, "AddPie 30 to 300: disc missing the wedge from -60 to 30 degrees (upper right), blue");
    c = Cell(2, 1);
    Solid(movie_.AddEllipticPie(c.cx, c.cy, 40, 20, 0, 270), MakeRGBA(0, 160, 0, 255));
    Legend(2, 1, "AddEllipticPie 40 x 20, 0 to 270: ellipse missing its upper right quarter, green");
    c = Cell(3, 1);
    Solid(movie_.AddRing(c.cx, c.cy, 20, 40), MakeRGBA(255, 160, 0, 255));
    Legend(3, 1, "AddRing 40 / 20: orange ring, the dark stripe shows through the hole");
    c = Cell(4, 1);
    Solid(movie_.AddRectangle(c.left, c.top, c.right, c.bottom), MakeRGBA(0, 0, 255, 128));
    Legend(4, 1, "solid blue with alpha 128: the stripe shows through");
    c = Cell(5, 1);
    TFlashShape* outlined = movie_.AddRoundRect(c.left + 5, c.top + 5, c.right - 5, c.bottom - 5, 10);
    outlined->SetSolidFill(kWhite);
    outlined->SetLineStyle(5, kRed);
    Place(outlined);
    Legend(5, 1, "white round rectangle, red line 5 px");
    c = Cell(6, 1);
    TFlashShape* thin = movie_.AddDiamond(c.left + 5, c.top + 5, c.right - 5, c.bottom - 5);
    thin->SetSolidColor(255, 255, 0, 255);
    thin->SetLineStyle(1, kBlack);
    Place(thin);
    Legend(6, 1, "yellow diamond, black line 1 px");
    c = Cell(7, 1);
    TFlashShape* frame = movie_.AddCircle(c.cx, c.cy, 35);
    frame->SetLineStyle(8, MakeRGBA(0, 160, 0, 128));
    Place(frame);
    Legend(7, 1, "circle without fill, green line 8 px with alpha 128");
  }

  void LinearGradients() {
    struct Angle {
      float degrees;
      const char* caption;
    };
    const Angle angles[] = {{0, "水平 (horizontal): red left, blue right"},
                            {45, "左下 (lower left): red bottom-left, blue top-right"},
                            {90, "red bottom, blue top"},
                            {135, "右下 (lower right): red bottom-right, blue top-left"},
                            {225, "右上对角线 (upper-right diagonal): red top-right, blue bottom-left"},
                            {270, "垂直 (vertical): red top, blue bottom"},
                            {315, "左上对角线 (upper-left diagonal): red top-left, blue bottom-right"}};
    int col = 0;
    for (const Angle& a : angles) {
      TCell c = Cell(col, 2);
      TFlashShape* shape = movie_.AddRectangle(c.left, c.top, c.right, c.bottom);
      shape->SetLinearGradient(kRed, kBlue, a.degrees);
      Place(shape);
      Legend(col, 2, "linear gradient " + std::to_string(static_cast<int>(a.degrees)) + " degrees, " + a.caption);
      ++col;
    }
    TCell c = Cell(7, 2);
    TFlashShape* translucent = movie_.AddEllipse(c.left, c.top, c.right, c.bottom);
    translucent->SetLinearGradient(kRed, MakeRGBA(0, 0, 255, 0), 0);
    Place(translucent);
    Legend(7, 2, "ellipse, linear gradient 0 degrees from opaque red to transparent blue (DefineShape3)");
  }

  void RadialGradients() {
    struct Centre {
      int32_t x, y;
      const char* caption;
    };
    const Centre centres[] = {{50, 50, "椭圆 (ellipse): white centre"},
                              {5, 5, "左上 (upper left): white at the top-left corner"},
                              {95, 5, "右上 (upper right): white at the top-right corner"}};
    int col = 0;
    for (const Centre& ct : centres) {
      TCell c = Cell(col, 3);
      TFlashShape* shape = movie_.AddRectangle(c.left, c.top, c.right, c.bottom);
      shape->SetRadialGradient(kWhite, kNavy, ct.x, ct.y);
      Place(shape);
      Legend(col, 3, "radial gradient at " + std::to_string(ct.x) + " %, " + std::to_string(ct.y) + " %, " +
                         ct.caption);
      ++col;
    }
    TCell c = Cell(3, 3);
    TFlashShape* ball = movie_.AddCircle(c.cx, c.cy, 40);
    ball->SetRadialGradientN({kWhite, MakeRGBA(255, 200, 0, 255), kRed, MakeRGBA(80, 0, 0, 255)}, 35, 35);
    Place(ball);
    Legend(3, 3, "circle, radial gradient of four colours centred at 35 %, 35 %");
  }

  void ButtonAndSprite() {
    TCell c = Cell(4, 3);
    TFlashShape* face = movie_.AddRoundRect(c.left, c.top + 20, c.right, c.bottom - 20, 10);
    face->SetLinearGradient(MakeRGBA(0, 120, 0, 255), MakeRGBA(120, 230, 120, 255), 90);
    face->SetLineStyle(2, MakeRGBA(0, 80, 0, 255));
    TFlashButton* button = movie_.AddButton();
    button->AddRecord(*face, bsUp | bsOver | bsDown | bsHitTest, 1);
    button->OnRelease().GetUrl("http://www.example.com/gallery", "_blank");
    movie_.PlaceObject(button, ++depth_)->SetName("but1");
    Legend(4, 3, "button (green gradient, bottom dark to top light): click opens http://www.example.com/gallery");

    // Row 4: a red square that a sprite moves to the right, 60 px a frame
    // over 12 frames.
    TFlashShape* square = movie_.AddRectangle(0, 0, 40, 40);
    square->SetSolidColor(200, 0, 0, 255);
    TFlashSprite* sprite = movie_.AddSprite();
    for (uint16_t frame = 0; frame < 12; ++frame) {
      if (frame > 0) sprite->RemoveObject(frame);
      sprite->PlaceObject(square, frame + 1)->SetTranslate(frame * 60, 0);
      sprite->ShowFrame();
    }
    movie_.PlaceObject(sprite, ++depth_)->SetTranslate(kMargin, 4 * kCell + 30);
    Legend(0, 4, "sprite: red 40 x 40 square stepping right 60 px a frame across row 4, 12 frames");
  }

  TFlashMovie movie_;
  uint16_t depth_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  constexpr const char* Usage =
      "usage: tessaly-gallery OUT.swf\n"
      "Writes a gallery of every shape maker and fill and prints what each cell shows.\n";
  if (const std::optional<int> exit = tessaly::cli::AnswerForOnePath(argc, argv, "tessaly-gallery", Usage))
    return *exit;
  try {
    TGallery gallery;
    gallery.Build();
    gallery.Movie().WriteObjects();
    gallery.Movie().SaveToFile(argv[1]);
    std::cout << argv[1] << ": version " << int(gallery.Movie().Version()) << ", "
              << gallery.Movie().FrameCount() << " frame(s), " << gallery.Movie().ObjectList().size() << " objects\n";
  } catch (const std::exception& e) {
    std::cerr << "tessaly-gallery: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
