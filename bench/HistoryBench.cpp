// What every edit costs the undo history and the recovery file on a full
// banner (99 items): noticing the document (a copy and a comparison), and
// formatting and writing the recovery file (on the writer's thread).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "shell/core/EditRecorder.h"
#include "shell/core/RecoveryFile.h"

namespace {

using tessaly::document::TBannerDocument;

TBannerDocument FullBanner() {
  TBannerDocument doc;
  doc.NewDocument({});
  for (int i = 0; i < 33; ++i) {
    doc.AddShapeItem({.ShapeType = i % 7});
    doc.AddTextItem("欢迎光临 Tessaly 한국어 " + std::to_string(i), {.FontName = "宋体"});
    doc.AddImageItem("/home/user/图片/picture-" + std::to_string(i) + ".png", {.Width = 120, .Height = 60});
  }
  return doc;
}

// One nudge of an item and the notice that records it.
void BM_NoticeEdit(benchmark::State& state) {
  TBannerDocument doc = FullBanner();
  tessaly::shell::TEditRecorder recorder(doc);
  int step = 0;
  for (auto _ : state) {
    doc.ItemTable[50].X = ++step;
    recorder.Notice();
  }
}
BENCHMARK(BM_NoticeEdit);

void BM_RecoveryBytes(benchmark::State& state) {
  const tessaly::shell::TDocumentState snapshot = tessaly::shell::StateOf(FullBanner());
  for (auto _ : state) benchmark::DoNotOptimize(tessaly::shell::RecoveryBytes(snapshot));
}
BENCHMARK(BM_RecoveryBytes);

// Formatting and the atomic write with its two flushes to disk.
void BM_WriteRecoveryFile(benchmark::State& state) {
  const std::string dir =
      (std::filesystem::temp_directory_path() / ("tessaly-bench-history-" + std::to_string(::getpid()))).string();
  const tessaly::shell::TDocumentState snapshot = tessaly::shell::StateOf(FullBanner());
  for (auto _ : state)
    tessaly::shell::WriteRecoveryFile(dir + "/recovery-1.bwf", tessaly::shell::RecoveryBytes(snapshot));
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_WriteRecoveryFile)->Unit(benchmark::kMillisecond);

}  // namespace
