// tessaly-sample: writes a small 468 x 60 sample banner through the SWF
// writer's tag classes, once uncompressed and once compressed.
//
//   tessaly-sample OUTDIR
//
// Writes OUTDIR/tessaly-sample.swf ("FWS") and OUTDIR/tessaly-sample-cws.swf
// ("CWS"): a gradient background with an outline, a translucent box that
// moves over three frames, a pulsing circle in a sprite and a button that
// opens a web page when clicked.

#include <cmath>
#include <filesystem>
#include <iostream>
#include <optional>
#include <memory>
#include <numbers>
#include <string>

#include "cli/ToolInfo.h"
#include "swf/FlashObjects.h"

namespace {

using namespace tessaly::swf;

constexpr int32_t kTwips = 20;
constexpr int32_t kWidth = 468;
constexpr int32_t kHeight = 60;
constexpr const char* kClickUrl = "http://www.example.com/";

uint16_t TakeID(TFlashMovie& movie) {
  uint16_t id = movie.NextCharacterID();
  movie.SetNextCharacterID(id + 1);
  return id;
}

// Outline of a rectangle in twips, clockwise from its top-left corner, with
// fill style 1 and line style LineStyle (0 = none).
void AddRectangle(TSWFDefineShape& shape, int32_t x, int32_t y, int32_t w, int32_t h, uint16_t lineStyle) {
  auto* start = shape.AddRecord<TSWFStyleChangeRecord>();
  start->SetMoveTo(x, y);
  start->SetFillStyle1(1);
  if (lineStyle) start->SetLineStyle(lineStyle);
  shape.AddRecord<TSWFStraightEdgeRecord>(w, 0);
  shape.AddRecord<TSWFStraightEdgeRecord>(0, h);
  shape.AddRecord<TSWFStraightEdgeRecord>(-w, 0);
  shape.AddRecord<TSWFStraightEdgeRecord>(0, -h);
}

// A circle of radius R twips around (0, 0) from eight quadratic curves; the
// deltas come from rounded absolute points so that the outline closes.
void AddCircle(TSWFDefineShape& shape, int32_t r) {
  auto* start = shape.AddRecord<TSWFStyleChangeRecord>();
  start->SetMoveTo(r, 0);
  start->SetFillStyle1(1);
  const double step = std::numbers::pi / 4;
  const double controlRadius = r / std::cos(step / 2);
  int32_t px = r, py = 0;
  for (int i = 1; i <= 8; ++i) {
    double mid = (i - 0.5) * step, end = i * step;
    int32_t cx = static_cast<int32_t>(std::lround(controlRadius * std::cos(mid)));
    int32_t cy = static_cast<int32_t>(std::lround(controlRadius * std::sin(mid)));
    int32_t ax = static_cast<int32_t>(std::lround(r * std::cos(end)));
    int32_t ay = static_cast<int32_t>(std::lround(r * std::sin(end)));
    shape.AddRecord<TSWFCurvedEdgeRecord>(cx - px, cy - py, ax - cx, ay - cy);
    px = ax;
    py = ay;
  }
}

std::unique_ptr<TSWFGradientFill> TwoColorGradient(TSWFFillStyleType type, uint32_t from, uint32_t to) {
  auto fill = std::make_unique<TSWFGradientFill>(type);
  fill->GradientCount = 2;
  fill->GradientRecord(1).Ratio = 0;
  fill->GradientRecord(1).Color.SetRGBA(from);
  fill->GradientRecord(2).Ratio = 255;
  fill->GradientRecord(2).Color.SetRGBA(to);
  return fill;
}

// Background: a left-to-right gradient over the whole banner with a thin
// light outline.
std::unique_ptr<TSWFDefineShape3> BackgroundShape(uint16_t id) {
  const int32_t w = kWidth * kTwips, h = kHeight * kTwips;
  auto shape = std::make_unique<TSWFDefineShape3>();
  shape->ShapeId = id;
  shape->ShapeBounds.SetRect(-20, -20, w + 20, h + 20);
  auto fill = TwoColorGradient(fsLinearGradient, MakeRGBA(0x10, 0x2A, 0x6B, 255),
                               MakeRGBA(0x4F, 0xA8, 0xE8, 255));
  fill->GradientMatrix.SetScale(w / 32768.0, h / 32768.0);
  fill->GradientMatrix.SetTranslate(w / 2, h / 2);
  shape->FillStyles().push_back(std::move(fill));
  shape->LineStyles().push_back(std::make_unique<TSWFLineStyle>(40, MakeRGBA(0xFF, 0xFF, 0xFF, 255)));
  AddRectangle(*shape, 0, 0, w, h, 1);
  return shape;
}

// A circle with a radial gradient from white to orange.
std::unique_ptr<TSWFDefineShape3> CircleShape(uint16_t id, int32_t r) {
  auto shape = std::make_unique<TSWFDefineShape3>();
  shape->ShapeId = id;
  shape->ShapeBounds.SetRect(-r, -r, r, r);
  auto fill = TwoColorGradient(fsRadialGradient, MakeRGBA(0xFF, 0xFF, 0xFF, 255),
                               MakeRGBA(0xFF, 0x80, 0x00, 255));
  fill->GradientMatrix.SetScale(2.0 * r / 32768.0, 2.0 * r / 32768.0);
  shape->FillStyles().push_back(std::move(fill));
  AddCircle(*shape, r);
  return shape;
}

// A solid box with an outline, its top-left corner at (0, 0).
std::unique_ptr<TSWFDefineShape3> BoxShape(uint16_t id, int32_t w, int32_t h, uint32_t fill, uint32_t line) {
  auto shape = std::make_unique<TSWFDefineShape3>();
  shape->ShapeId = id;
  shape->ShapeBounds.SetRect(-20, -20, w + 20, h + 20);
  shape->FillStyles().push_back(std::make_unique<TSWFColorFill>(fill));
  shape->LineStyles().push_back(std::make_unique<TSWFLineStyle>(40, line));
  AddRectangle(*shape, 0, 0, w, h, 1);
  return shape;
}

std::unique_ptr<TSWFPlaceObject2> Place(uint16_t characterId, uint16_t depth, int32_t x, int32_t y) {
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->SetDepth(depth);
  if (characterId) place->SetCharacterId(characterId);
  place->Matrix().SetTranslate(x, y);
  return place;
}

std::unique_ptr<TSWFPlaceObject2> Move(uint16_t depth, int32_t x, int32_t y) {
  auto place = Place(0, depth, x, y);
  place->SetMove(true);
  return place;
}

// A sprite in which the circle grows and shrinks over four frames.
std::unique_ptr<TSWFDefineSprite> PulseSprite(uint16_t id, uint16_t circleId) {
  auto sprite = std::make_unique<TSWFDefineSprite>();
  sprite->SpriteID = id;
  const double scales[] = {1.0, 1.15, 1.3, 1.15};
  for (size_t i = 0; i < std::size(scales); ++i) {
    auto place = i == 0 ? Place(circleId, 1, 0, 0) : Move(1, 0, 0);
    place->Matrix().SetScale(scales[i], scales[i]);
    sprite->AddControlTag(std::move(place));
    sprite->AddControlTag(std::make_unique<TSWFShowFrame>());
  }
  sprite->FrameCount = static_cast<uint16_t>(std::size(scales));
  return sprite;
}

// A button that shows an orange box, lighter under the mouse, and opens
// the click-through page in a new window when released.
std::unique_ptr<TSWFDefineButton2> LinkButton(uint16_t id, uint16_t upShape, uint16_t overShape) {
  auto button = std::make_unique<TSWFDefineButton2>();
  button->ButtonId = id;
  button->AddRecord(upShape, bsUp | bsHitTest, 1);
  button->AddRecord(overShape, bsOver | bsDown, 1);
  button->AddCondAction(1 << bcOverDownToOverUp).Actions().Add<TSWFActionGetUrl>(kClickUrl, "_blank");
  return button;
}

std::unique_ptr<TFlashMovie> BuildSample(bool compressed) {
  auto movie = std::make_unique<TFlashMovie>(0, 0, kWidth, kHeight, 12, muPixels);
  movie->SetVersion(6);
  movie->SetCompressed(compressed);
  movie->SWFBackgroundColor().SetRGB(MakeRGBA(0xFF, 0xFF, 0xFF, 0));

  const uint16_t background = TakeID(*movie);
  movie->AddFlashObject(BackgroundShape(background));
  const uint16_t circle = TakeID(*movie);
  movie->AddFlashObject(CircleShape(circle, 18 * kTwips));
  const uint16_t box = TakeID(*movie);
  movie->AddFlashObject(BoxShape(box, 110 * kTwips, 30 * kTwips, MakeRGBA(0x30, 0xD0, 0x50, 0x80),
                                 MakeRGBA(0x00, 0x40, 0x10, 0xC0)));
  const uint16_t buttonUp = TakeID(*movie);
  movie->AddFlashObject(BoxShape(buttonUp, 90 * kTwips, 34 * kTwips, MakeRGBA(0xF0, 0x80, 0x10, 255),
                                 MakeRGBA(0x80, 0x30, 0x00, 255)));
  const uint16_t buttonOver = TakeID(*movie);
  movie->AddFlashObject(BoxShape(buttonOver, 90 * kTwips, 34 * kTwips, MakeRGBA(0xFF, 0xC0, 0x60, 255),
                                 MakeRGBA(0x80, 0x30, 0x00, 255)));
  const uint16_t button = TakeID(*movie);
  movie->AddFlashObject(LinkButton(button, buttonUp, buttonOver));
  const uint16_t sprite = TakeID(*movie);
  movie->AddFlashObject(PulseSprite(sprite, circle));

  // Frame 1: everything placed; the box starts on the left.
  movie->AddFlashObject(Place(background, 1, 0, 0));
  auto pulse = Place(sprite, 2, 40 * kTwips, 30 * kTwips);
  pulse->SetName("pulse");
  movie->AddFlashObject(std::move(pulse));
  movie->AddFlashObject(Place(box, 3, 80 * kTwips, 15 * kTwips));
  movie->AddFlashObject(Place(button, 4, 366 * kTwips, 13 * kTwips));
  movie->ShowFrame();
  // Frame 2: the box moves right.
  movie->AddFlashObject(Move(3, 160 * kTwips, 15 * kTwips));
  movie->ShowFrame();
  // Frame 3: further right and fainter; the main timeline stops here.
  auto last = Move(3, 240 * kTwips, 15 * kTwips);
  TSWFColorTransform& fade = last->ColorTransform();
  fade.SetMultR(256);
  fade.SetMultG(256);
  fade.SetMultB(256);
  fade.SetMultA(160);
  movie->AddFlashObject(std::move(last));
  movie->FrameActions().Stop();
  movie->ShowFrame();

  movie->WriteObjects();
  return movie;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr const char* Usage =
      "usage: tessaly-sample OUTDIR\n"
      "Writes tessaly-sample.swf (FWS) and tessaly-sample-cws.swf (CWS) into OUTDIR.\n";
  if (const std::optional<int> exit = tessaly::cli::AnswerForOnePath(argc, argv, "tessaly-sample", Usage))
    return *exit;
  const std::filesystem::path dir = argv[1];
  try {
    std::filesystem::create_directories(dir);
    const std::filesystem::path plain = dir / "tessaly-sample.swf";
    const std::filesystem::path packed = dir / "tessaly-sample-cws.swf";
    BuildSample(false)->SaveToFile(plain.string());
    BuildSample(true)->SaveToFile(packed.string());
    std::cout << plain.string() << "\n" << packed.string() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "tessaly-sample: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
