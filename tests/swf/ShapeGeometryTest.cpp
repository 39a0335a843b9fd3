#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SWFTestUtil.h"
#include "swf/FlashObjects.h"

namespace tessaly::swf {
namespace {

using test::Hex;
using test::TagOf;

// "M(x,y)" for a move, "L(dx,dy)" for a straight edge, "C(cdx,cdy,adx,ady)"
// for a curve, "S" for a style change without a move, "E" for the end.
std::vector<std::string> Path(TFlashShape& shape) {
  std::vector<std::string> out;
  for (auto& record : shape.Definition().ShapeRecords()) {
    switch (record->ShapeRecordType()) {
      case srStyleChange: {
        auto& r = static_cast<TSWFStyleChangeRecord&>(*record);
        out.push_back(r.StateMoveTo ? "M(" + std::to_string(r.DeltaX) + "," + std::to_string(r.DeltaY) + ")" : "S");
        break;
      }
      case srStraightEdge: {
        auto& r = static_cast<TSWFStraightEdgeRecord&>(*record);
        out.push_back("L(" + std::to_string(r.DeltaX) + "," + std::to_string(r.DeltaY) + ")");
        break;
      }
      case srCurvedEdge: {
        auto& r = static_cast<TSWFCurvedEdgeRecord&>(*record);
        out.push_back("C(" + std::to_string(r.ControlDeltaX) + "," + std::to_string(r.ControlDeltaY) + "," +
                      std::to_string(r.AnchorDeltaX) + "," + std::to_string(r.AnchorDeltaY) + ")");
        break;
      }
      case srEnd:
        out.push_back("E");
        break;
    }
  }
  return out;
}

int CountOf(const std::vector<std::string>& path, char kind) {
  int n = 0;
  for (const auto& s : path) n += s[0] == kind;
  return n;
}

// Where the pen ends after the moves and edges, and whether every
// sub-path closes on its start.
struct TWalk {
  int64_t x = 0, y = 0;
  bool closed = true;
  std::vector<std::pair<int64_t, int64_t>> anchors;
};

TWalk Walk(TFlashShape& shape) {
  TWalk w;
  int64_t startX = 0, startY = 0;
  bool open = false;
  for (auto& record : shape.Definition().ShapeRecords()) {
    switch (record->ShapeRecordType()) {
      case srStyleChange: {
        auto& r = static_cast<TSWFStyleChangeRecord&>(*record);
        if (!r.StateMoveTo) break;
        if (open && (w.x != startX || w.y != startY)) w.closed = false;
        w.x = startX = r.DeltaX;
        w.y = startY = r.DeltaY;
        open = false;
        break;
      }
      case srStraightEdge: {
        auto& r = static_cast<TSWFStraightEdgeRecord&>(*record);
        w.x += r.DeltaX;
        w.y += r.DeltaY;
        open = true;
        break;
      }
      case srCurvedEdge: {
        auto& r = static_cast<TSWFCurvedEdgeRecord&>(*record);
        w.x += r.ControlDeltaX + r.AnchorDeltaX;
        w.y += r.ControlDeltaY + r.AnchorDeltaY;
        w.anchors.emplace_back(w.x, w.y);
        open = true;
        break;
      }
      case srEnd:
        break;
    }
  }
  if (open && (w.x != startX || w.y != startY)) w.closed = false;
  return w;
}

using P = std::vector<std::string>;

TEST(ShapeMakers, RectangleInPixels) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashShape* r = movie.AddRectangle(0, 0, 10, 10);
  EXPECT_EQ(r->Bounds().Rect(), (TRect{0, 0, 200, 200}));
  // The move to the corner (0, 0) where the pen already stands is left out.
  EXPECT_EQ(Path(*r), (P{"S", "L(200,0)", "L(0,200)", "L(-200,0)", "L(0,-200)", "E"}));
  EXPECT_EQ(r->Width(), 10);
  EXPECT_EQ(r->Width(suTwips), 200);
  EXPECT_EQ(r->Height(suTwips), 200);

  TFlashShape* moved = movie.AddRectangle(5, 6, 15, 26);
  EXPECT_EQ(Path(*moved), (P{"M(100,120)", "L(200,0)", "L(0,400)", "L(-200,0)", "L(0,-400)", "E"}));
}

TEST(ShapeMakers, RectangleWithSolidFillIsDefineShape2ByteForByte) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashShape* r = movie.AddRectangle(0, 0, 10, 10);
  r->SetSolidColor(255, 0, 0, 255);
  EXPECT_EQ(r->MinVersion(), 2);
  EXPECT_EQ(Hex(TagOf(*r)),
            "9A 05 01 00 48 01 90 00 64 00 01 00 FF 00 00 00 10 13 B8 C8 DD 64 6E 4E 37 67 00 00");
}

TEST(ShapeMakers, EllipseStartsAtTheRightSideWithTheTableCurves) {
  TFlashMovie movie(0, 0, 200, 200, 12, muPixels);
  TFlashShape* e = movie.AddEllipse(10, 20, 115, 80);
  const P path = Path(*e);
  ASSERT_EQ(path.size(), 10u);
  // Box corner (200, 400) + (2100, 600).
  EXPECT_EQ(path[0], "M(2300,1000)");
  EXPECT_EQ(path[1], "C(0,248,-307,175)");
  // Curve 1 uses b for the control and a for the anchor.
  EXPECT_EQ(path[2], "C(-307,175,-434,0)");
  EXPECT_EQ(path[9], "E");
  EXPECT_EQ(CountOf(path, 'C'), 8);
  // Truncation leaves the ellipse a few twips short of its start.
  TWalk w = Walk(*e);
  EXPECT_NEAR(w.x, 2300, 8);
  EXPECT_NEAR(w.y, 1000, 8);
}

TEST(ShapeMakers, ZeroHeightEllipseDegradesToStraightEdges) {
  TFlashMovie movie(0, 0, 200, 200, 12, muPixels);
  TFlashShape* e = movie.AddEllipse(0, 50, 100, 50);
  const P path = Path(*e);
  EXPECT_EQ(CountOf(path, 'C'), 0);
  EXPECT_EQ(path.front(), "M(2000,1000)");
  EXPECT_EQ(path[1], "L(-293,0)");
  EXPECT_EQ(CountOf(path, 'L'), 8);
  e->SetSolidColor(0, 0, 0, 255);
  EXPECT_FALSE(TagOf(*e).empty());

  // An empty box writes no edge at all.
  TFlashShape* dot = movie.AddEllipse(5, 5, 5, 5);
  EXPECT_EQ(Path(*dot), (P{"M(100,100)", "E"}));
}

TEST(ShapeMakers, CircleIsTheEllipseOfItsBox) {
  TFlashMovie movie(0, 0, 200, 200, 12, muPixels);
  TFlashShape* c = movie.AddCircle(50, 50, 10);
  TFlashShape* e = movie.AddEllipse(40, 40, 60, 60);
  EXPECT_EQ(c->Bounds().Rect(), e->Bounds().Rect());
  EXPECT_EQ(Path(*c), Path(*e));
}

TEST(ShapeMakers, RoundRectRunsDownTheRightSideFirst) {
  TFlashMovie movie(0, 0, 200, 200, 12, muPixels);
  TFlashShape* r = movie.AddRoundRect(0, 0, 100, 50, 10);
  const P path = Path(*r);
  // W = 2000, H = 1000, R = 200: curves of a 400 x 400 ellipse.
  EXPECT_EQ(path[0], "M(2000,200)");
  EXPECT_EQ(path[1], "L(0,600)");
  EXPECT_EQ(path[2], "C(0,82,-58,58)");
  EXPECT_EQ(path[3], "C(-58,58,-82,0)");
  EXPECT_EQ(path[4], "L(-1600,0)");
  EXPECT_EQ(path[7], "L(0,-600)");
  EXPECT_EQ(path[10], "L(1600,0)");
  EXPECT_EQ(CountOf(path, 'C'), 8);
  EXPECT_EQ(path.back(), "E");
}

TEST(ShapeMakers, DiamondStartsAtTheTopMiddle) {
  TFlashMovie movie(0, 0, 200, 200, 12, muPixels);
  TFlashShape* d = movie.AddDiamond(10, 10, 30, 50);
  EXPECT_EQ(Path(*d), (P{"M(400,200)", "L(200,400)", "L(-200,400)", "L(-200,-400)", "L(200,-400)", "E"}));
  // Odd halves are truncated and the path still closes.
  TFlashMovie twips(0, 0, 200, 200, 12);
  TFlashShape* odd = twips.AddDiamond(0, 0, 5, 7);
  EXPECT_EQ(Path(*odd), (P{"M(2,0)", "L(2,3)", "L(-2,3)", "L(-2,-3)", "L(2,-3)", "E"}));
  // In pixels the start is halved before scaling: 463 / 2 = 231 pixels, while
  // the edges halve the twips (9260 / 2 = 4630).
  TFlashMovie pixels(0, 0, 600, 100, 12, muPixels);
  TFlashShape* wide = pixels.AddDiamond(5, 5, 468, 55);
  EXPECT_EQ(Path(*wide), (P{"M(4720,100)", "L(4630,500)", "L(-4630,500)", "L(-4630,-500)", "L(4630,-500)", "E"}));
}

TEST(ShapeMakers, PieFrom180To0SweepsOverTheTop) {
  TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
  TFlashShape* pie = movie.AddPie(100, 100, 50, 180, 0);
  EXPECT_EQ(pie->Bounds().Rect(), (TRect{1000, 1000, 3000, 3000}));
  const P path = Path(*pie);
  ASSERT_EQ(path.size(), 8u);
  EXPECT_EQ(path[0], "M(2000,2000)");
  EXPECT_EQ(path[1], "L(-1000,0)");
  EXPECT_EQ(CountOf(path, 'C'), 4);
  EXPECT_EQ(path[6], "L(-1000,0)");
  TWalk w = Walk(*pie);
  ASSERT_EQ(w.anchors.size(), 4u);
  EXPECT_EQ(w.anchors[0], (std::pair<int64_t, int64_t>{2000 - 707, 2000 - 707}));
  EXPECT_EQ(w.anchors[1], (std::pair<int64_t, int64_t>{2000, 1000}));
  EXPECT_EQ(w.anchors[2], (std::pair<int64_t, int64_t>{2000 + 707, 2000 - 707}));
  EXPECT_EQ(w.anchors[3], (std::pair<int64_t, int64_t>{3000, 2000}));
  EXPECT_TRUE(w.closed);
}

TEST(ShapeMakers, ArcPieceCounts) {
  struct Case {
    float start, end;
    int curves;
  };
  // An empty sweep is one piece whose curve has no length.
  const Case cases[] = {{0, 90, 2}, {0, 100, 3}, {30, 30, 0}, {350, 10, 1}, {0, 360, 8}, {-90, 0, 2}};
  TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
  for (const Case& c : cases) {
    TFlashShape* pie = movie.AddPie(100, 100, 50, c.start, c.end);
    EXPECT_EQ(CountOf(Path(*pie), 'C'), c.curves) << c.start << " to " << c.end;
    EXPECT_TRUE(Walk(*pie).closed) << c.start << " to " << c.end;
  }
}

TEST(ShapeMakers, EllipticPieStretchesTheRadii) {
  TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
  TFlashShape* pie = movie.AddEllipticPie(100, 100, 50, 25, 0, 90);
  EXPECT_EQ(pie->Bounds().Rect(), (TRect{1000, 1500, 3000, 2500}));
  TWalk w = Walk(*pie);
  ASSERT_EQ(w.anchors.size(), 2u);
  EXPECT_EQ(w.anchors[1], (std::pair<int64_t, int64_t>{2000, 2500}));
}

TEST(ShapeMakers, RingHasTwoSubPathsOfTheOuterAndInnerCircle) {
  TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
  TFlashShape* ring = movie.AddRing(100, 100, 20, 50);
  EXPECT_EQ(ring->Bounds().Rect(), (TRect{1000, 1000, 3000, 3000}));
  const P path = Path(*ring);
  ASSERT_EQ(path.size(), 19u);
  EXPECT_EQ(path[0], "M(3000,2000)");
  EXPECT_EQ(path[9], "M(2400,2000)");
  EXPECT_EQ(CountOf(path, 'C'), 16);
  // Radii in either order give the same ring.
  EXPECT_EQ(Path(*movie.AddRing(100, 100, 50, 20)), path);
}

TEST(ShapeMakers, StarPointsAreClamped) {
  struct Case {
    uint16_t points;
    int drawn;
  };
  const Case cases[] = {{0, 2}, {1, 2}, {2, 2}, {5, 5}, {360, 360}, {500, 360}};
  TFlashMovie movie(0, 0, 4000, 4000, 12, muPixels);
  for (const Case& c : cases) {
    TFlashShape* straight = movie.AddStar(1000, 1000, 1000, 500, c.points, seStraight);
    const P path = Path(*straight);
    EXPECT_EQ(CountOf(path, 'L'), 2 * c.drawn) << c.points;
    EXPECT_TRUE(Walk(*straight).closed) << c.points;
    TFlashShape* curved = movie.AddStar(1000, 1000, 1000, 500, c.points, seCurved);
    EXPECT_EQ(CountOf(Path(*curved), 'C'), c.drawn) << c.points;
  }
}

TEST(ShapeMakers, StarGeometry) {
  TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
  TFlashShape* star = movie.AddStar(100, 100, 50, 20, 4, seStraight);
  EXPECT_EQ(star->Bounds().Rect(), (TRect{1000, 1000, 3000, 3000}));
  // Top point, then the inner point at -45 degrees and the right point.
  const P path = Path(*star);
  EXPECT_EQ(path[0], "M(2000,1000)");
  EXPECT_EQ(path[1], "L(283,717)");
  EXPECT_EQ(path[2], "L(717,283)");
  // The bounds use the larger radius even when it is the inner one.
  TFlashShape* inverted = movie.AddStar(0, -10, 10, 20, 5, seStraight);
  EXPECT_EQ(inverted->Bounds().Rect(), (TRect{-400, -600, 400, 200}));
}

TEST(ShapeMakers, MakersTakeTwipsInATwipsMovieAndWithIgnoreMovieUnits) {
  TFlashMovie twips(0, 0, 400, 400, 12);
  TFlashShape* r = twips.AddRectangle(0, 0, 10, 10);
  EXPECT_EQ(Path(*r), (P{"S", "L(10,0)", "L(0,10)", "L(-10,0)", "L(0,-10)", "E"}));

  TFlashMovie pixels(0, 0, 400, 400, 12, muPixels);
  auto own = std::make_unique<TFlashShape>(&pixels);
  own->SetIgnoreMovieUnits(true);
  TFlashShape* s = pixels.AddShape(std::move(own));
  s->SetBounds(0, 0, 10, 10);
  s->Edges().LineTo(10, 0);
  EXPECT_EQ(s->Bounds().Rect(), (TRect{0, 0, 10, 10}));
  EXPECT_EQ(Path(*s), (P{"S", "L(10,0)"}));
  EXPECT_EQ(s->Width(), 10);
}

// ---- edges ----

TEST(FlashEdges, PrimitivesScaleByTheUnitsFactor) {
  TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
  TFlashShape* s = movie.AddShape();
  TFlashEdges& e = s->Edges();
  e.MoveTo(0, 0);
  e.MoveTo(1, 2);
  e.LineTo(3, 2);
  e.LineDelta(0, 1);
  e.LineDelta(0, 0);
  e.CurveTo(4, 3, 4, 4);
  e.CurveTo(9, 9, 4, 4);
  e.CurveDelta(1, 0, 0, 1);
  e.MoveDelta(0, 0);
  e.CloseShape();
  e.MoveDelta(1, 1);
  e.CloseShape();
  e.EndShape();
  EXPECT_EQ(Path(*s), (P{"M(20,40)", "L(40,0)", "L(0,20)", "C(20,0,0,20)", "C(20,0,0,20)", "L(-80,-60)",
                         "M(40,60)", "E"}));
  EXPECT_EQ(e.PenX(), 40);
  EXPECT_EQ(e.PenY(), 60);
  // A move right after the first record is only skipped where the pen
  // stands: (2, 2) in pixels is (40, 40) twips, not the pen's (20, 40).
  TFlashShape* t = movie.AddShape();
  t->Edges().MoveTo(1, 2);
  t->Edges().MoveTo(20, 40);
  EXPECT_EQ(Path(*t), (P{"M(400,800)"}));
}

TEST(FlashEdges, AbsoluteTakesTwips) {
  TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
  TFlashEdges& e = movie.AddShape()->Edges();
  e.SetAbsolute(true);
  e.LineTo(7, 0);
  e.SetAbsolute(false);
  e.LineDelta(1, 0);
  EXPECT_EQ(e.PenX(), 27);
}

TEST(FlashEdges, DegenerateCurvesBecomeStraightEdges) {
  struct Case {
    int32_t cdx, cdy, adx, ady;
    const char* record;
  };
  const Case cases[] = {
      {0, 0, 5, 7, "L(5,7)"},  {5, 7, 0, 0, "L(5,7)"},   {3, 0, 4, 0, "L(7,0)"},
      {0, 3, 0, -5, "L(0,-2)"}, {2, 3, 4, 5, "C(2,3,4,5)"}, {3, 0, -3, 0, ""},
  };
  for (const Case& c : cases) {
    TFlashMovie movie(0, 0, 400, 400, 12);
    TFlashShape* s = movie.AddShape();
    s->Edges().CurveDelta(c.cdx, c.cdy, c.adx, c.ady);
    const P path = Path(*s);
    if (*c.record) {
      ASSERT_EQ(path.size(), 2u);
      EXPECT_EQ(path[1], c.record);
    } else {
      EXPECT_EQ(path.size(), 1u);
    }
    EXPECT_EQ(s->Edges().PenX(), c.cdx + c.adx);
    EXPECT_EQ(s->Edges().PenY(), c.cdy + c.ady);
  }
}

TEST(FlashEdges, LongStraightEdgesAreSplitWithRoundingHalfToEven) {
  struct Case {
    int32_t dx, dy;
    P records;
  };
  const Case cases[] = {
      {70000, 0, {"L(35000,0)", "L(35000,0)"}},
      {65535, -65535, {"L(65535,-65535)"}},
      {65537, 10, {"L(32768,5)", "L(32769,5)"}},
      {-65537, 3, {"L(-32768,2)", "L(-32769,1)"}},
      {131071, 0, {"L(43690,0)", "L(43691,0)", "L(43690,0)"}},
      {100, 200000, {"L(25,50000)", "L(25,50000)", "L(25,50000)", "L(25,50000)"}},
  };
  for (const Case& c : cases) {
    TFlashMovie movie(0, 0, 400, 400, 12);
    TFlashShape* s = movie.AddShape();
    s->Edges().LineDelta(c.dx, c.dy);
    P path = Path(*s);
    path.erase(path.begin());
    EXPECT_EQ(path, c.records) << c.dx << "," << c.dy;
    EXPECT_EQ(s->Edges().PenX(), c.dx);
    EXPECT_EQ(s->Edges().PenY(), c.dy);
  }
}

TEST(FlashEdges, SplitEdgesWriteAsRecordsOfAtMost65535) {
  TFlashMovie movie(0, 0, 400, 400, 12);
  TFlashShape* s = movie.AddShape();
  s->Edges().LineDelta(70000, 0);
  s->Edges().EndShape();
  const std::vector<uint8_t> tag = TagOf(*s);
  // Header, ID, an all-zero RECT, no styles, bit counts 0: records from
  // byte 8.
  EXPECT_EQ(Hex(std::vector<uint8_t>(tag.begin() + 4, tag.begin() + 8)), "00 00 00 00");
  const std::string bits = test::Bits(std::vector<uint8_t>(tag.begin() + 8, tag.end()), 67);
  // The first record has nothing to select and moves to (0, 0); each edge
  // of 35000 takes 17 bits (NumBits 15).
  const std::string edge = "11" "1111" "0" "0" "01000100010111000";
  EXPECT_EQ(bits, "000001" "00000" + edge + edge + "000000");
}

TEST(FlashEdges, MirrorNegatesMovesAndEdges) {
  TFlashMovie movie(0, 0, 400, 400, 12);
  TFlashShape* s = movie.AddShape();
  TFlashEdges& e = s->Edges();
  e.MoveTo(10, 20);
  e.LineDelta(5, -6);
  e.CurveDelta(1, 2, 3, 4);
  e.CloseShape();
  e.Mirror(false, true);
  EXPECT_EQ(Path(*s), (P{"M(10,-20)", "L(5,6)", "C(1,-2,3,-4)", "L(-9,0)"}));
  e.Mirror(true, false);
  EXPECT_EQ(Path(*s), (P{"M(-10,-20)", "L(-5,6)", "C(-1,-2,-3,-4)", "L(9,0)"}));
  EXPECT_EQ(e.PenX(), -10);
  EXPECT_EQ(e.PenY(), -20);
}

// ---- styles ----

TEST(ShapeStyles, FillAndLineSelectionGoesIntoTheFirstRecord) {
  TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
  TFlashShape* s = movie.AddRectangle(0, 0, 10, 10);
  auto& first = static_cast<TSWFStyleChangeRecord&>(*s->Definition().ShapeRecords().front());
  EXPECT_TRUE(first.StateFillStyle1);
  EXPECT_EQ(first.FillStyle1(), 0);
  s->SetSolidFill(0xFF00FF00);
  s->SetSolidColor(1, 2, 3, 255);
  EXPECT_EQ(s->Definition().FillStyles().size(), 2u);
  EXPECT_EQ(s->FillStyle1(), 2);
  EXPECT_EQ(first.FillStyle1(), 2);
  EXPECT_FALSE(first.StateLineStyle);
  s->SetLineStyle(2, 0xFF0000FF);
  EXPECT_EQ(s->LineStyle(), 1);
  EXPECT_TRUE(first.StateLineStyle);
  EXPECT_EQ(s->Definition().LineStyles()[0]->Width, 40);
  EXPECT_EQ(s->Definition().LineStyles()[0]->Color.RGBA(), 0xFF0000FFu);
  TSWFLineStyle* plain = s->AddLineStyle();
  EXPECT_EQ(plain->Width, 0);
  EXPECT_EQ(s->LineStyle(), 2);
  s->SelectFillStyle0(1);
  EXPECT_TRUE(first.StateFillStyle0);
  EXPECT_EQ(first.FillStyle0(), 1);
  EXPECT_FALSE(s->HasAlpha());

  // Without a style-change record first, the index is stored as 0.
  s->Definition().ShapeRecords().insert(s->Definition().ShapeRecords().begin(),
                                        std::make_unique<TSWFStraightEdgeRecord>(1, 1));
  s->SelectFillStyle1(2);
  EXPECT_EQ(s->FillStyle1(), 0);
}

TEST(ShapeStyles, AnyColourWithAlphaMakesDefineShape3) {
  struct Case {
    const char* name;
    void (*apply)(TFlashShape&);
    uint16_t tag;
  };
  const Case cases[] = {
      {"opaque solid", [](TFlashShape& s) { s.SetSolidColor(1, 2, 3, 255); }, tagDefineShape2},
      {"solid alpha", [](TFlashShape& s) { s.SetSolidColor(1, 2, 3, 254); }, tagDefineShape3},
      {"gradient alpha 128",
       [](TFlashShape& s) { s.SetLinearGradient(0xFF0000FF, MakeRGBA(0, 255, 0, 128), 0); }, tagDefineShape3},
      {"opaque radial", [](TFlashShape& s) { s.SetRadialGradient(0xFF0000FF, 0xFF00FF00, 50, 50); },
       tagDefineShape2},
      {"line alpha", [](TFlashShape& s) { s.SetLineStyle(1, MakeRGBA(0, 0, 0, 0)); }, tagDefineShape3},
  };
  for (const Case& c : cases) {
    TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
    TFlashShape* s = movie.AddRectangle(0, 0, 10, 10);
    c.apply(*s);
    const std::vector<uint8_t> tag = TagOf(*s);
    EXPECT_EQ(test::Word(tag, 0) >> 6, c.tag) << c.name;
    EXPECT_EQ(s->MinVersion(), c.tag == tagDefineShape3 ? 3 : 2) << c.name;
    EXPECT_EQ(s->Definition().HasAlpha, c.tag == tagDefineShape3) << c.name;
  }
}

TEST(ShapeStyles, BoundsAreWidenedByHalfTheWidestLine) {
  TFlashMovie movie(0, 0, 400, 400, 12);
  TFlashShape* s = movie.AddRectangle(100, 100, 200, 150);
  s->SetLineStyle(6, 0xFF000000);
  s->SetLineStyle(3, 0xFF000000);
  TagOf(*s);
  EXPECT_EQ(s->Definition().ShapeBounds.Rect(), (TRect{97, 97, 203, 153}));
  EXPECT_EQ(s->Bounds().Rect(), (TRect{100, 100, 200, 150}));
  // Writing again does not widen twice; a 7-twip line widens by 3.
  s->SetLineStyle(7, 0xFF000000);
  TagOf(*s);
  EXPECT_EQ(s->Definition().ShapeBounds.Rect(), (TRect{97, 97, 203, 153}));
}

TEST(ShapeStyles, LinearGradientMatrixAndRatios) {
  struct Case {
    float angle;
    int32_t scaleX, scaleY, skew1, skew0;
  };
  // A 100 x 50 pixel box: W/32768 = 4000 and H/32768 = 2000 in 16.16.
  const Case cases[] = {
      {0, 4000, 2000, 0, 0},       {90, 0, 0, 4000, -2000},   {270, 0, 0, -4000, 2000},
      {45, 2828, 1414, 2828, -1414}, {180, -4000, -2000, 0, 0},
  };
  for (const Case& c : cases) {
    TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
    TFlashShape* s = movie.AddRectangle(10, 20, 110, 70);
    s->SetLinearGradient(0xFF0000FF, 0xFFFF0000, c.angle);
    auto& fill = static_cast<TSWFGradientFill&>(*s->Definition().FillStyles().at(0));
    EXPECT_EQ(fill.FillStyleType(), 0x10);
    const TSWFMatrix& m = fill.GradientMatrix;
    EXPECT_EQ(m.ScaleX(), c.scaleX) << c.angle;
    EXPECT_EQ(m.ScaleY(), c.scaleY) << c.angle;
    EXPECT_EQ(m.RotateSkew1(), c.skew1) << c.angle;
    EXPECT_EQ(m.RotateSkew0(), c.skew0) << c.angle;
    EXPECT_EQ(m.TranslateX(), 200 + 1000);
    EXPECT_EQ(m.TranslateY(), 400 + 500);
    EXPECT_EQ(fill.GradientCount, 2);
    EXPECT_EQ(fill.GradientRecord(1).Ratio, 0);
    EXPECT_EQ(fill.GradientRecord(2).Ratio, 255);
    EXPECT_EQ(fill.GradientRecord(2).Color.RGBA(), 0xFFFF0000u);
  }
}

TEST(ShapeStyles, GradientRatiosRoundHalfToEvenAndStopAtEightColours) {
  TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
  TFlashShape* s = movie.AddRectangle(0, 0, 10, 10);
  s->SetLinearGradientN({0xFF000000, 0xFF111111, 0xFF222222}, 0);
  auto& three = static_cast<TSWFGradientFill&>(*s->Definition().FillStyles().at(0));
  EXPECT_EQ(three.GradientRecord(2).Ratio, 128);
  EXPECT_EQ(three.GradientRecord(3).Ratio, 255);

  std::vector<uint32_t> nine(9, 0xFF000000);
  s->SetRadialGradientN(nine, 50, 50);
  auto& radial = static_cast<TSWFGradientFill&>(*s->Definition().FillStyles().at(1));
  EXPECT_EQ(radial.GradientCount, 8);
  EXPECT_EQ(radial.GradientRecord(8).Ratio, 255);
  EXPECT_EQ(radial.GradientRecord(2).Ratio, 36);

  s->SetLinearGradientN({0xFF123456}, 0);
  auto& single = static_cast<TSWFGradientFill&>(*s->Definition().FillStyles().at(2));
  EXPECT_EQ(single.GradientCount, 1);
  EXPECT_EQ(single.GradientRecord(1).Ratio, 0);
}

TEST(ShapeStyles, RadialGradientCentres) {
  struct Case {
    int32_t cx, cy, tx, ty;
  };
  // Box 10..110 x 20..70 pixels: W = 2000, H = 1000 twips.
  const Case cases[] = {{50, 50, 1200, 900}, {5, 5, 300, 450}, {95, 5, 2100, 450}};
  for (const Case& c : cases) {
    TFlashMovie movie(0, 0, 400, 400, 12, muPixels);
    TFlashShape* s = movie.AddRectangle(10, 20, 110, 70);
    s->SetRadialGradient(0xFFFFFFFF, 0xFF000000, c.cx, c.cy);
    auto& fill = static_cast<TSWFGradientFill&>(*s->Definition().FillStyles().at(0));
    EXPECT_EQ(fill.FillStyleType(), 0x12);
    EXPECT_FALSE(fill.GradientMatrix.HasRotate());
    EXPECT_EQ(fill.GradientMatrix.ScaleX(), 4000);
    EXPECT_EQ(fill.GradientMatrix.ScaleY(), 2000);
    EXPECT_EQ(fill.GradientMatrix.TranslateX(), c.tx);
    EXPECT_EQ(fill.GradientMatrix.TranslateY(), c.ty);
  }
  // Half a twip rounds to the even neighbour: W = 10 twips at 25 % is 2.5.
  TFlashMovie twips(0, 0, 400, 400, 12);
  TFlashShape* s = twips.AddRectangle(0, 0, 10, 10);
  s->SetRadialGradient(0xFFFFFFFF, 0xFF000000, 25, 35);
  auto& fill = static_cast<TSWFGradientFill&>(*s->Definition().FillStyles().at(0));
  EXPECT_EQ(fill.GradientMatrix.TranslateX(), 2);
  EXPECT_EQ(fill.GradientMatrix.TranslateY(), 4);
}

}  // namespace
}  // namespace tessaly::swf
