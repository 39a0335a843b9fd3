#pragma once
// Keeping the recovery file up to date without blocking the window: when to
// write (TRecoverySchedule) and the writing itself on a thread of its own
// (TRecoveryWriter). The window thread takes the snapshot (a copy of the
// document's state) and hands it over; formatting and writing happen on the
// writer's thread.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "shell/core/DocumentState.h"

namespace tessaly::shell {

// A write follows the last change by RecoveryDelay, and follows the write
// before it by at least RecoveryInterval.
inline constexpr std::chrono::milliseconds RecoveryDelay{2000};
inline constexpr std::chrono::milliseconds RecoveryInterval{5000};

class TRecoverySchedule {
 public:
  using TTime = std::chrono::steady_clock::time_point;

  // The document changed at now and has unsaved changes.
  void Changed(TTime now);
  // Nothing to keep any more (saved, new, opened).
  void Cleared() { pending_ = false; }
  // When the next write is due; nothing when no change waits.
  std::optional<TTime> Due() const;
  // A snapshot was taken at now for writing.
  void Written(TTime now);

 private:
  bool pending_ = false;
  TTime lastChange_{};
  std::optional<TTime> lastWrite_;
};

class TRecoveryWriter {
 public:
  // Writes to path (the program's own recovery file).
  explicit TRecoveryWriter(std::string path);
  // Finishes the work handed over, then ends the thread.
  ~TRecoveryWriter();
  TRecoveryWriter(const TRecoveryWriter&) = delete;
  TRecoveryWriter& operator=(const TRecoveryWriter&) = delete;

  const std::string& Path() const { return path_; }

  // Writes the snapshot; a snapshot still waiting is replaced by it.
  void Write(TDocumentState snapshot);
  // Removes the file once the work before is done; a snapshot still waiting
  // is dropped.
  void Remove();
  // Returns when all work handed over is done.
  void Wait();
  // The text of the last failed write; empty after a good one.
  std::string LastError() const;

 private:
  void Run();

  std::string path_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::optional<TDocumentState> waiting_;
  bool removeWaiting_ = false;
  bool busy_ = false;
  bool stopping_ = false;
  std::string lastError_;
  std::thread thread_;
};

}  // namespace tessaly::shell
