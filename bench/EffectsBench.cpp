// The animated build end to end (effect frames, tag writing, compression,
// the bytes handed to the preview host): the reference banner with falling
// leaves and with rotate and shrink at speed 1, the cost per placement as
// frames x placed layers grow 1x, 4x and 16x, and a stress case of 99 items
// with loops filling close to 65,535 frames; and falling leaves on a tall
// banner, whose sprites hold thousands of frames.
//
// Counters: Placements (PlaceObject2 tags on the main timeline), Frames,
// Bytes (the compressed movie), PlacementsPerSecond, PeakBytesPerPlacement
// (the largest heap in use during one build above what was in use before
// it, per placement).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "document/BuildPipeline.h"
#include "effects/unit_OneStepAnim.h"
#include "support/ReferenceBanner.h"
#include "swf/FlashObjects.h"

namespace {

std::atomic<std::int64_t> heapInUse{0};
std::atomic<std::int64_t> heapPeak{0};

void NoteAllocation(void* p) {
  const std::int64_t now = heapInUse += static_cast<std::int64_t>(malloc_usable_size(p));
  std::int64_t peak = heapPeak.load();
  while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
  }
}

}  // namespace

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  NoteAllocation(p);
  return p;
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  heapInUse -= static_cast<std::int64_t>(malloc_usable_size(p));
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

using namespace tessaly;

struct TBuild {
  explicit TBuild(document::TBannerDocument& document) : Pipeline(document, Host, &Engine) {}
  test::TMemoryPreviewHost Host;
  effects::TRandomGenerator Random;
  // The shipped particle pictures, copied beside the executables.
  effects::TOneStepAnim Engine{Random, "bin/"};
  document::TBuildPipeline Pipeline;
};

int CountPlacements(document::TBuildPipeline& pipeline) {
  auto movie = pipeline.ComposeAnimatedMovie("");
  int placements = 0;
  for (const auto& object : movie->ObjectList())
    if (dynamic_cast<const swf::TFlashPlaceObject*>(object.get())) ++placements;
  return placements;
}

void RunBuilds(benchmark::State& state, document::TBannerDocument& document) {
  TBuild build(document);
  const int placements = CountPlacements(build.Pipeline);
  std::int64_t peak = 0;
  for (auto _ : state) {
    build.Host.Movie.clear();
    build.Host.Movie.shrink_to_fit();
    const std::int64_t before = heapInUse.load();
    heapPeak = before;
    build.Pipeline.BuildAnimatedMovie();
    peak = std::max(peak, heapPeak.load() - before);
    benchmark::DoNotOptimize(build.Host.Movie.data());
  }
  const auto& settings = document.BannerSettings;
  state.counters["Frames"] = static_cast<double>(build.Engine.AnimatedFrameCount(settings));
  state.counters["Placements"] = placements;
  state.counters["Bytes"] = static_cast<double>(build.Host.Movie.size());
  state.counters["PlacementsPerSecond"] =
      benchmark::Counter(static_cast<double>(placements), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["PeakBytesPerPlacement"] = static_cast<double>(peak) / placements;
}

void BM_ReferenceBanner(benchmark::State& state) {
  test::TReferenceBanner banner;
  auto& s = banner.Document.BannerSettings;
  s.AnimationType = static_cast<int>(state.range(0));
  s.AnimationSpeed = 1;
  RunBuilds(state, banner.Document);
}
// 10 falling leaves, 26 rotate and shrink.
BENCHMARK(BM_ReferenceBanner)->Arg(10)->Arg(26)->Unit(benchmark::kMillisecond);

// Rectangles in a grid, every one a shape item of the animated layer.
void AddShapes(document::TBannerDocument& document, int count) {
  for (int i = 0; i < count; ++i) {
    document::TFlashObjects& item = document.ItemTable.Append();
    item.Kind = document::ItemKind::ikShape;
    item.ShapeType = document::stRectangle;
    item.X = (i % 33) * 14;
    item.Y = (i / 33) * 20;
    item.Width = 12;
    item.Height = 18;
    item.Color = 0x0000FF;
  }
}

// Scroll left at speed 1 (401 frames a pass): items x loops of 6 x 1,
// 24 x 1 and 6 x 4 (4x), 24 x 4 and 6 x 16 (16x).
void BM_ScrollScaling(benchmark::State& state) {
  document::TBannerDocument document;
  AddShapes(document, static_cast<int>(state.range(0)));
  auto& s = document.BannerSettings;
  s.AnimationType = 11;
  s.AnimationSpeed = 1;
  s.AnimationLoop = static_cast<int>(state.range(1));
  RunBuilds(state, document);
}
BENCHMARK(BM_ScrollScaling)
    ->Args({6, 1})
    ->Args({24, 1})
    ->Args({6, 4})
    ->Args({24, 4})
    ->Args({6, 16})
    ->Unit(benchmark::kMillisecond);

// Falling leaves on a 468 x 2000 banner at speed 1: over 5,000 sprite frames
// a pass, so the cost of filling sprites in a long movie shows; loops 1, 4
// and 16.
void BM_TallBannerLeaves(benchmark::State& state) {
  document::TBannerDocument document;
  AddShapes(document, 6);
  auto& s = document.BannerSettings;
  s.BannerHeight = 2000;
  s.AnimationType = 10;
  s.AnimationSpeed = 1;
  s.AnimationLoop = static_cast<int>(state.range(0));
  RunBuilds(state, document);
}
BENCHMARK(BM_TallBannerLeaves)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

// 99 items, expand then shrink at speed 1 (2,002 frames a pass), 32 loops:
// 64,065 frames and over six million placements.
void BM_Stress99Items(benchmark::State& state) {
  document::TBannerDocument document;
  AddShapes(document, 99);
  auto& s = document.BannerSettings;
  s.AnimationType = 5;
  s.AnimationSpeed = 1;
  s.AnimationLoop = 32;
  RunBuilds(state, document);
}
BENCHMARK(BM_Stress99Items)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
