#include "shell/core/BackgroundJob.h"

#include <QElapsedTimer>
#include <QMetaObject>

#include <exception>

namespace tessaly::shell {

TBackgroundJob::~TBackgroundJob() {
  cancel_ = true;
  if (thread_.joinable()) thread_.join();
}

bool TBackgroundJob::Start(TJobWork work) {
  if (running_) return false;
  if (thread_.joinable()) thread_.join();
  cancel_ = false;
  running_ = true;
  thread_ = std::thread([this, work = std::move(work)] { Run(work); });
  return true;
}

void TBackgroundJob::Run(const TJobWork& work) {
  QElapsedTimer sinceReport;
  sinceReport.start();
  const TJobProgress progress = [&](std::uint64_t done, std::uint64_t total) {
    if (done < total && sinceReport.elapsed() < 50) return;
    sinceReport.restart();
    emit Progress(done, total);
  };
  TJobResult result;
  try {
    result = work(cancel_, progress);
  } catch (const std::exception& error) {
    result = {TJobOutcome::Failed, error.what()};
  }
  // The end is reported on the owner's thread; a job destroyed meanwhile
  // drops the call.
  QMetaObject::invokeMethod(
      this,
      [this, result] {
        if (thread_.joinable()) thread_.join();
        running_ = false;
        emit Finished(result.Outcome, QString::fromStdString(result.Message));
      },
      Qt::QueuedConnection);
}

}  // namespace tessaly::shell
