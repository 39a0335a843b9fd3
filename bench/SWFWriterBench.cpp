// Writing speed of the SWF writer: bit fields, shape tags, and whole movies
// of a banner's size written uncompressed and compressed.

#include <benchmark/benchmark.h>

#include <memory>

#include "swf/FlashObjects.h"

namespace {

using namespace tessaly::swf;

void BM_WriteBits(benchmark::State& state) {
  for (auto _ : state) {
    TMemoryStream out;
    TBitsEngine be(out);
    for (uint32_t i = 0; i < 10000; ++i) be.WriteBits(i & ((1u << (3 + i % 29)) - 1), 3 + i % 29);
    be.FlushBits(true);
    benchmark::DoNotOptimize(out.Data());
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_WriteBits);

// A DefineShape3 of a polygon with N edges, a gradient fill and a line.
std::unique_ptr<TSWFDefineShape3> Polygon(uint16_t id, int edges) {
  auto shape = std::make_unique<TSWFDefineShape3>();
  shape->ShapeId = id;
  shape->ShapeBounds.SetRect(0, 0, 2000, 2000);
  auto fill = std::make_unique<TSWFGradientFill>(fsRadialGradient);
  fill->GradientCount = 2;
  fill->GradientRecord(1).Color.SetRGBA(0x80FF0000);
  fill->GradientRecord(2).Ratio = 255;
  fill->GradientRecord(2).Color.SetRGBA(0xFF0000FF);
  shape->FillStyles().push_back(std::move(fill));
  shape->LineStyles().push_back(std::make_unique<TSWFLineStyle>(20, 0xFF000000));
  auto* start = shape->AddRecord<TSWFStyleChangeRecord>();
  start->SetMoveTo(1000, 0);
  start->SetFillStyle1(1);
  start->SetLineStyle(1);
  for (int i = 0; i < edges; ++i) {
    if (i % 2)
      shape->AddRecord<TSWFCurvedEdgeRecord>(30 - i % 61, 15, -(i % 37), 40);
    else
      shape->AddRecord<TSWFStraightEdgeRecord>(i % 50 - 25, 20);
  }
  return shape;
}

void BM_ShapeTag(benchmark::State& state) {
  auto shape = Polygon(1, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TMemoryStream out;
    TBitsEngine be(out);
    shape->WriteToStream(be);
    benchmark::DoNotOptimize(out.Data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ShapeTag)->Arg(100)->Arg(10000);

// A banner-like movie: 20 shapes, 200 frames each moving every shape once.
std::unique_ptr<TFlashMovie> Banner(bool compressed) {
  auto movie = std::make_unique<TFlashMovie>(0, 0, 468, 60, 35, muPixels);
  movie->SetVersion(6);
  movie->SetCompressed(compressed);
  for (uint16_t id = 1; id <= 20; ++id) movie->AddFlashObject(Polygon(id, 200));
  for (int frame = 0; frame < 200; ++frame) {
    for (uint16_t depth = 1; depth <= 20; ++depth) {
      auto place = std::make_unique<TSWFPlaceObject2>();
      place->SetDepth(depth);
      if (frame == 0)
        place->SetCharacterId(depth);
      else
        place->SetMove(true);
      place->Matrix().SetTranslate(frame * 40, depth * 50);
      place->Matrix().SetRotate(frame * 3.0);
      TSWFColorTransform& fade = place->ColorTransform();
      fade.SetMultR(256);
      fade.SetMultG(256);
      fade.SetMultB(256);
      fade.SetMultA(256 - frame);
      movie->AddFlashObject(std::move(place));
    }
    movie->FrameActions().SetVariable("CurrentObj", "but1");
    movie->ShowFrame();
  }
  return movie;
}

void BM_WriteAndSaveMovie(benchmark::State& state) {
  auto movie = Banner(state.range(0) != 0);
  size_t bytes = 0;
  for (auto _ : state) {
    movie->WriteObjects();
    TMemoryStream out;
    movie->SaveToStream(out);
    bytes = out.Size();
    benchmark::DoNotOptimize(out.Data());
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
  state.SetBytesProcessed(state.iterations() * movie->BodyStream().Size());
}
BENCHMARK(BM_WriteAndSaveMovie)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
