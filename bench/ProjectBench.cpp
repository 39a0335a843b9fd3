// Writing and reading a full project (99 items: shapes, texts, pictures).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "project/ProjectReader.h"
#include "project/ProjectWriter.h"
#include "platform/SafeFile.h"

namespace {

using tessaly::document::TBannerDocument;

TBannerDocument FullBanner(const std::string& picture) {
  TBannerDocument doc;
  doc.NewDocument({});
  for (int i = 0; i < 33; ++i) {
    doc.AddShapeItem({.ShapeType = i % 7});
    doc.AddTextItem("欢迎光临 Tessaly " + std::to_string(i), {.FontName = "宋体"});
    doc.AddImageItem(picture, {.Width = 120, .Height = 60});
  }
  return doc;
}

struct TFixture {
  std::string dir;
  std::string picture;
  TFixture() {
    dir = (std::filesystem::temp_directory_path() / ("tessaly-bench-" + std::to_string(::getpid())))
              .string() + "/";
    std::filesystem::create_directories(dir);
    picture = dir + "p.jpg";
    tessaly::platform::ReplaceFileContents(picture, "x");
  }
  ~TFixture() { std::filesystem::remove_all(dir); }
};

void BM_WriteFullProject(benchmark::State& state) {
  TFixture fixture;
  const TBannerDocument doc = FullBanner(fixture.picture);
  for (auto _ : state) {
    std::string bytes = tessaly::project::ProjectFileBytes(
        tessaly::project::ProjectLines(doc, "/m/banner.swf"));
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_WriteFullProject);

void BM_LoadFullProject(benchmark::State& state) {
  TFixture fixture;
  const std::string path =
      tessaly::project::SaveProject(FullBanner(fixture.picture), fixture.dir, "banner.swf");
  std::ostringstream warnings;
  tessaly::project::TWarningLoadHost host(warnings);
  tessaly::project::TProjectReadContext context;
  for (auto _ : state) {
    TBannerDocument doc;
    benchmark::DoNotOptimize(tessaly::project::LoadProject(doc, path, context, host));
  }
}
BENCHMARK(BM_LoadFullProject);

}  // namespace
