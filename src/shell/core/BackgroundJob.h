#pragma once
// One piece of slow work (an upload, a request to the web site) on its own
// thread, so the window thread never waits for the network. The work looks
// at a cancel flag and may report progress; its end is signalled on the
// thread that owns the job.

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace tessaly::shell {

enum class TJobOutcome { Done, Cancelled, Failed };

struct TJobResult {
  TJobOutcome Outcome = TJobOutcome::Failed;
  std::string Message;  // what to tell the user
};

// Bytes done of the total; called on the job's thread.
using TJobProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
using TJobWork = std::function<TJobResult(const std::atomic<bool>& cancel, const TJobProgress&)>;

class TBackgroundJob : public QObject {
  Q_OBJECT

 public:
  explicit TBackgroundJob(QObject* parent = nullptr) : QObject(parent) {}
  // Cancels running work and waits for it.
  ~TBackgroundJob() override;

  // Starts the work on a new thread; false (nothing started) while earlier
  // work still runs.
  bool Start(TJobWork work);
  // Asks the running work to end at once.
  void Cancel() { cancel_ = true; }
  bool Running() const { return running_; }

 signals:
  // From the job's thread, at most every 50 ms and once at the total.
  void Progress(qulonglong done, qulonglong total);
  // On the owner's thread, once per Start.
  void Finished(tessaly::shell::TJobOutcome outcome, const QString& message);

 private:
  void Run(const TJobWork& work);

  std::thread thread_;
  std::atomic<bool> cancel_ = false;
  bool running_ = false;
};

}  // namespace tessaly::shell
