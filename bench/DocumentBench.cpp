// Building the reference banner's editing preview, as after every edit:
// compose the object model, write the tags (glyph outlines, compressed
// bitmap data), compress the movie and hand it to the host. Fonts and
// pictures are warm: one build runs before the timing. Each repetition is
// one build, so the aggregates give the median and the 95th percentile of
// single builds.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "document/BuildPipeline.h"
#include "support/ReferenceBanner.h"
#include "swf/FlashObjects.h"

namespace {

using tessaly::test::TMemoryPreviewHost;
using tessaly::test::TReferenceBanner;

double Percentile95(const std::vector<double>& v) {
  std::vector<double> sorted = v;
  std::sort(sorted.begin(), sorted.end());
  return sorted[static_cast<std::size_t>(0.95 * static_cast<double>(sorted.size() - 1))];
}

struct TBench {
  explicit TBench(bool compress) {
    banner.Document.BannerSettings.Compress = compress;
    pipeline.SetTemporaryFolder(banner.Folder.Path());
    pipeline.BuildPreviewMovie();
  }
  TReferenceBanner banner;
  TMemoryPreviewHost host;
  tessaly::document::TBuildPipeline pipeline{banner.Document, host};
};

void BM_BuildPreviewMovie(benchmark::State& state) {
  TBench b(true);
  for (auto _ : state) b.pipeline.BuildPreviewMovie();
  state.counters["bytes"] = static_cast<double>(b.host.Movie.size());
}

void BM_BuildPreviewMovieUncompressed(benchmark::State& state) {
  TBench b(false);
  for (auto _ : state) b.pipeline.BuildPreviewMovie();
  state.counters["bytes"] = static_cast<double>(b.host.Movie.size());
}

// The object model only: shapes, images (JPEG bytes read, BMP and GIF
// decoded), fonts and texts, buttons and placements.
void BM_ComposePreviewMovie(benchmark::State& state) {
  TBench b(true);
  for (auto _ : state) benchmark::DoNotOptimize(b.pipeline.ComposePreviewMovie(""));
}

// The object model and the tag stream, without the file's compression.
void BM_ComposeAndWriteObjects(benchmark::State& state) {
  TBench b(true);
  for (auto _ : state) {
    auto movie = b.pipeline.ComposePreviewMovie("");
    movie->WriteObjects();
    benchmark::DoNotOptimize(movie->BodyStream().Size());
  }
}

void Samples(benchmark::internal::Benchmark* b) {
  b->Iterations(1)->Repetitions(300)->ReportAggregatesOnly(true)->ComputeStatistics("p95", Percentile95)
      ->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_BuildPreviewMovie)->Apply(Samples);
BENCHMARK(BM_BuildPreviewMovieUncompressed)->Apply(Samples);
BENCHMARK(BM_ComposePreviewMovie)->Apply(Samples);
BENCHMARK(BM_ComposeAndWriteObjects)->Apply(Samples);

}  // namespace
