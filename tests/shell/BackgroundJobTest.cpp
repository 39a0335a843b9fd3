#include "shell/core/BackgroundJob.h"

#include <QSignalSpy>
#include <QThread>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace tessaly::shell {
namespace {

// Work that reports `steps` steps of progress, 1 ms apart, until cancelled.
TJobWork Counting(int steps, std::atomic<int>* ranOn = nullptr) {
  return [steps, ranOn](const std::atomic<bool>& cancel, const TJobProgress& progress) {
    if (ranOn) *ranOn = 1;
    for (int i = 1; i <= steps; ++i) {
      if (cancel) return TJobResult{TJobOutcome::Cancelled, "cancelled"};
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      progress(static_cast<std::uint64_t>(i), static_cast<std::uint64_t>(steps));
    }
    return TJobResult{TJobOutcome::Done, "done"};
  };
}

TEST(BackgroundJob, ReportsThrottledProgressAndEndsOnTheOwnersThread) {
  TBackgroundJob job;
  QSignalSpy progress(&job, &TBackgroundJob::Progress);
  QSignalSpy finished(&job, &TBackgroundJob::Finished);
  Qt::HANDLE finishedOn = nullptr;
  QObject::connect(&job, &TBackgroundJob::Finished, [&] { finishedOn = QThread::currentThreadId(); });
  ASSERT_TRUE(job.Start(Counting(300)));
  EXPECT_TRUE(job.Running());
  EXPECT_FALSE(job.Start(Counting(1)));
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_EQ(finishedOn, QThread::currentThreadId());
  EXPECT_FALSE(job.Running());
  EXPECT_EQ(finished.at(0).at(0).value<TJobOutcome>(), TJobOutcome::Done);
  EXPECT_EQ(finished.at(0).at(1).toString(), "done");
  // About one report per 50 ms of the ~300 ms, and always the last one.
  ASSERT_GE(progress.count(), 1);
  EXPECT_LT(progress.count(), 40);
  EXPECT_EQ(progress.last().at(0).toULongLong(), 300u);

  ASSERT_TRUE(job.Start(Counting(1)));  // again once the first has ended
  ASSERT_TRUE(finished.wait(10000));
}

TEST(BackgroundJob, CancelEndsTheWorkAndAThrowingWorkFails) {
  TBackgroundJob job;
  QSignalSpy finished(&job, &TBackgroundJob::Finished);
  ASSERT_TRUE(job.Start(Counting(100000)));
  job.Cancel();
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_EQ(finished.at(0).at(0).value<TJobOutcome>(), TJobOutcome::Cancelled);

  ASSERT_TRUE(job.Start([](const std::atomic<bool>&, const TJobProgress&) -> TJobResult {
    throw std::runtime_error("no connection");
  }));
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_EQ(finished.at(1).at(0).value<TJobOutcome>(), TJobOutcome::Failed);
  EXPECT_EQ(finished.at(1).at(1).toString(), "no connection");
}

TEST(BackgroundJob, DestroyedWhileRunningCancelsAndWaits) {
  std::atomic<int> ran = 0;
  {
    TBackgroundJob job;
    ASSERT_TRUE(job.Start(Counting(100000, &ran)));
    while (ran == 0) std::this_thread::yield();
  }
  QCoreApplication::processEvents();
  SUCCEED();
}

}  // namespace
}  // namespace tessaly::shell
