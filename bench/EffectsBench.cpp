// The animated build end to end (effect frames, tag writing, compression,
// the bytes handed to the preview host): the reference banner with falling
// leaves and with rotate and shrink at speed 1, the cost per placement as
// frames x placed layers grow 1x, 4x and 16x, and a stress case of 99 items
// with loops filling close to 65,535 frames; and falling leaves on a tall
// banner, whose sprites hold thousands of frames.
//
// Counters: Placements (PlaceObject2 tags on the main timeline),
// SpritePlacements (those inside the particle and drifting-shape sprites),
// Frames, Bytes (the compressed movie), PlacementsPerSecond,
// PeakBytesPerPlacement (the largest heap in use during one build above what
// was in use before it, per main-timeline placement). The heap is counted in
// one build before the timed ones, so the timings do not pay for counting.
// The followed builds add ReportsPerBuild, the progress events of one build.
// Times are wall-clock: a large movie is deflated on a second thread.

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

std::atomic<bool> countingHeap{false};
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
  if (countingHeap.load(std::memory_order_relaxed)) NoteAllocation(p);
  return p;
}
// Kept out of line: inlined, GCC takes the free() of a block from this
// operator new for a mismatched pair.
[[gnu::noinline]] void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  if (countingHeap.load(std::memory_order_relaxed)) heapInUse -= static_cast<std::int64_t>(malloc_usable_size(p));
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

struct TPlacementCount {
  int Main = 0;
  int InSprites = 0;
};

TPlacementCount CountPlacements(document::TBuildPipeline& pipeline) {
  auto movie = pipeline.ComposeAnimatedMovie("");
  TPlacementCount count;
  for (const auto& object : movie->ObjectList()) {
    if (dynamic_cast<const swf::TFlashPlaceObject*>(object.get())) ++count.Main;
    if (auto* sprite = dynamic_cast<swf::TFlashSprite*>(object.get()))
      for (const auto& tag : sprite->ControlTags())
        if (dynamic_cast<const swf::TFlashPlaceObject*>(tag.get())) ++count.InSprites;
  }
  return count;
}

// The heap one build needs above what was in use before it. Blocks that
// were allocated before and freed during the build make it count a little
// low; the host's previous movie, the largest of them, is dropped first.
std::int64_t PeakHeapOfBuild(TBuild& build) {
  build.Host.Movie.clear();
  build.Host.Movie.shrink_to_fit();
  heapInUse = 0;
  heapPeak = 0;
  countingHeap = true;
  build.Pipeline.BuildAnimatedMovie();
  countingHeap = false;
  return heapPeak.load();
}

// With followProgress the builds report their progress to an event that
// only looks, as the window's build thread does.
void RunBuilds(benchmark::State& state, document::TBannerDocument& document, bool followProgress = false) {
  TBuild build(document);
  std::int64_t reports = 0;
  if (followProgress) build.Pipeline.SetProgressEvent([&reports](int, document::TBuildPhase) { ++reports; });
  const TPlacementCount count = CountPlacements(build.Pipeline);
  const int placements = count.Main;
  const std::int64_t peak = PeakHeapOfBuild(build);
  reports = 0;
  for (auto _ : state) {
    build.Host.Movie.clear();
    build.Host.Movie.shrink_to_fit();
    build.Pipeline.BuildAnimatedMovie();
    benchmark::DoNotOptimize(build.Host.Movie.data());
  }
  const auto& settings = document.BannerSettings;
  state.counters["Frames"] = static_cast<double>(build.Engine.AnimatedFrameCount(settings));
  state.counters["Placements"] = placements;
  state.counters["SpritePlacements"] = count.InSprites;
  state.counters["Bytes"] = static_cast<double>(build.Host.Movie.size());
  state.counters["PlacementsPerSecond"] =
      benchmark::Counter(static_cast<double>(placements), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["PeakBytesPerPlacement"] = static_cast<double>(peak) / placements;
  if (followProgress)
    state.counters["ReportsPerBuild"] =
        benchmark::Counter(static_cast<double>(reports), benchmark::Counter::kAvgIterations);
}

void BM_ReferenceBanner(benchmark::State& state) {
  test::TReferenceBanner banner;
  auto& s = banner.Document.BannerSettings;
  s.AnimationType = static_cast<int>(state.range(0));
  s.AnimationSpeed = 1;
  RunBuilds(state, banner.Document);
}
// 10 falling leaves, 26 rotate and shrink.
BENCHMARK(BM_ReferenceBanner)->Arg(10)->Arg(26)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same builds followed by a progress event: what the reports cost (one
// look per frame, object and compressed slice; an event only when the
// percent moves).
void BM_ReferenceBannerFollowed(benchmark::State& state) {
  test::TReferenceBanner banner;
  auto& s = banner.Document.BannerSettings;
  s.AnimationType = static_cast<int>(state.range(0));
  s.AnimationSpeed = 1;
  RunBuilds(state, banner.Document, true);
}
BENCHMARK(BM_ReferenceBannerFollowed)->Arg(10)->Arg(26)->Unit(benchmark::kMillisecond)->UseRealTime();

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
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
BENCHMARK(BM_TallBannerLeaves)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();

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
BENCHMARK(BM_Stress99Items)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
