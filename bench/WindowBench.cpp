// The main window on real widgets (offscreen): one field change of the
// reference banner (the border width typed into the background tab and
// left) until the new preview is painted, and start-up (the window made and
// shown) until the first preview is painted. Each repetition is one change
// or one start-up, so the aggregates give the median and the 95th
// percentile.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "project/ProjectSaver.h"
#include "shell/WindowTestSupport.h"
#include "shell/core/BuildRunner.h"
#include "shell/main/MainWindow.h"
#include "shell/main/PreviewPanel.h"
#include "shell/main/tabs/BackgroundTab.h"
#include "support/ReferenceBanner.h"

namespace {

using namespace tessaly::shell;
using namespace tessaly::shell::test;

double Percentile95(const std::vector<double>& v) {
  std::vector<double> sorted = v;
  std::sort(sorted.begin(), sorted.end());
  return sorted[static_cast<std::size_t>(0.95 * static_cast<double>(sorted.size() - 1))];
}

// Runs the event loop until the preview has painted a newly loaded movie.
bool WaitForPaintedMovie(TPreviewPanel& preview) {
  bool painted = false;
  const QMetaObject::Connection connection =
      QObject::connect(&preview, &TPreviewPanel::MoviePainted, [&] { painted = true; });
  QElapsedTimer waited;
  waited.start();
  while (!painted && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 5);
  QObject::disconnect(connection);
  return painted;
}

struct TWindowBench {
  TWindowBench() : window(scratch.Folders, scratch.Preferences, {&dialogs, &runner, &opener, scratch.Store.get()}) {
    // The reference banner as a project the window opens.
    tessaly::project::TProjectFileSaver saver;
    saver.SaveProject(banner.Document, scratch.Path.string() + "/", scratch.File("reference.swf"));
    dialogs.OpenFileName = QString::fromStdString(scratch.File("reference.BWF"));
    window.show();
    window.App().Open();
    window.Tabs()->setCurrentIndex(wtBackground);
    WaitForPaintedMovie(*window.Preview());
  }
  tessaly::test::TReferenceBanner banner;
  TScratch scratch;
  TScriptedDialogs dialogs;
  TInlineRunner runner;
  TRecordingOpener opener;
  TMainWindow window;
};

// One window for every repetition, gone before the application.
std::unique_ptr<TWindowBench> fieldBench;

void BM_FieldChangeToPreviewPainted(benchmark::State& state) {
  if (!fieldBench) fieldBench = std::make_unique<TWindowBench>();
  TWindowBench& b = *fieldBench;
  QLineEdit* border = b.window.BackgroundPage()->BorderWidthField();
  // The reference banner's border is 2 pixels: every change is one.
  int width = b.window.App().Document().BannerSettings.BorderWidth;
  for (auto _ : state) {
    width = width == 1 ? 2 : 1;
    QElapsedTimer timer;
    timer.start();
    border->setText(QString::number(width));
    emit border->editingFinished();
    if (!WaitForPaintedMovie(*b.window.Preview())) state.SkipWithError("the preview was not painted");
    state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
  }
  state.counters["border"] = width;
}
BENCHMARK(BM_FieldChangeToPreviewPainted)
    ->Iterations(1)
    ->Repetitions(200)
    ->UseManualTime()
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("p95", Percentile95)
    ->Unit(benchmark::kMillisecond);

void BM_StartUpToFirstPreviewPainted(benchmark::State& state) {
  TScratch scratch;
  TScriptedDialogs dialogs;
  TInlineRunner runner;
  TRecordingOpener opener;
  for (auto _ : state) {
    QElapsedTimer timer;
    timer.start();
    TMainWindow window(scratch.Folders, scratch.Preferences, {&dialogs, &runner, &opener, scratch.Store.get()});
    window.show();
    if (!WaitForPaintedMovie(*window.Preview())) state.SkipWithError("the first preview was not painted");
    state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) * 1e-9);
  }
}
BENCHMARK(BM_StartUpToFirstPreviewPainted)
    ->Iterations(1)
    ->Repetitions(30)
    ->UseManualTime()
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("p95", Percentile95)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  fieldBench.reset();
  benchmark::Shutdown();
  return 0;
}
