// Export of the reference banner turning and shrinking for about three
// seconds (101 frames at 35 fps) to GIF, WebP and the HTML5 package, from
// the document to the bytes: the movie built, played by our player and
// encoded. The target is under one second each. The same frames written
// by a plain encoder (every frame whole) show what frame differencing
// saves; the counters give the weights.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "effects/RandomGenerator.h"
#include "effects/unit_OneStepAnim.h"
#include "export/BannerExport.h"
#include "export/BannerMovie.h"
#include "export/GifEncoder.h"
#include "export/MovieFrames.h"
#include "export/WebpEncoder.h"
#include "platform/ProgramFolder.h"
#include "support/ReferenceBanner.h"

namespace {

using namespace tessaly;
using namespace tessaly::exports;

constexpr int RotateAndShrink = 26;
constexpr int ThreeSecondSpeed = 6;  // a pass of 101 frames

struct TBench {
  TBench() {
    Banner.Document.BannerSettings.AnimationType = RotateAndShrink;
    Banner.Document.BannerSettings.AnimationSpeed = ThreeSecondSpeed;
  }
  TBannerMovie Movie() {
    Random.RandomSeed = 0;
    return BuildBannerMovie(Banner.Document, &Engine, Banner.Folder.Path());
  }
  tessaly::test::TReferenceBanner Banner;
  effects::TRandomGenerator Random;
  effects::TOneStepAnim Engine{Random, platform::ProgramFolder()};
};

void SetCounters(benchmark::State& state, std::size_t bytes, int frames) {
  state.counters["bytes"] = double(bytes);
  state.counters["frames"] = frames;
}

void BM_Export(benchmark::State& state, TExportKind kind) {
  TBench bench;
  TExportOptions options;
  options.Kind = kind;
  TExportResult result;
  for (auto _ : state) {
    result = ExportBanner(bench.Movie(), options);
    benchmark::DoNotOptimize(result.Bytes.data());
  }
  SetCounters(state, result.Bytes.size(), result.Frames);
}
BENCHMARK_CAPTURE(BM_Export, gif, TExportKind::ekGif)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Export, webp, TExportKind::ekWebp)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Export, html5, TExportKind::ekHtml5)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same frames, each written whole.
void BM_PlainGif(benchmark::State& state) {
  TBench bench;
  TGifOptions options;
  options.FrameDifferencing = false;
  std::vector<std::uint8_t> bytes;
  int frames = 0;
  for (auto _ : state) {
    TMovieFrames source(bench.Movie().Swf);
    bytes = EncodeGif(source, options);
    frames = source.Count();
  }
  SetCounters(state, bytes.size(), frames);
}
BENCHMARK(BM_PlainGif)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlainWebp(benchmark::State& state) {
  TBench bench;
  TWebpOptions options;
  options.FrameDifferencing = false;
  std::vector<std::uint8_t> bytes;
  int frames = 0;
  for (auto _ : state) {
    TMovieFrames source(bench.Movie().Swf);
    bytes = EncodeWebp(source, options);
    frames = source.Count();
  }
  SetCounters(state, bytes.size(), frames);
}
BENCHMARK(BM_PlainWebp)->Unit(benchmark::kMillisecond)->Iterations(3);

// Playing and drawing alone: what every export spends before encoding.
void BM_PlayFrames(benchmark::State& state) {
  TBench bench;
  const TBannerMovie movie = bench.Movie();
  int frames = 0;
  for (auto _ : state) {
    TMovieFrames source(movie.Swf);
    for (int f = 1; f <= source.Count(); ++f) benchmark::DoNotOptimize(source.Frame(f).constBits());
    frames = source.Count();
  }
  state.counters["frames"] = frames;
}
BENCHMARK(BM_PlayFrames)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
