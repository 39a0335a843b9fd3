#include "shell/core/RecoveryWriter.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "shell/core/RecoveryFile.h"

namespace tessaly::shell {

void TRecoverySchedule::Changed(TTime now) {
  pending_ = true;
  lastChange_ = now;
}

std::optional<TRecoverySchedule::TTime> TRecoverySchedule::Due() const {
  if (!pending_) return std::nullopt;
  const TTime afterChange = lastChange_ + RecoveryDelay;
  return lastWrite_ ? std::max(afterChange, *lastWrite_ + RecoveryInterval) : afterChange;
}

void TRecoverySchedule::Written(TTime now) {
  pending_ = false;
  lastWrite_ = now;
}

TRecoveryWriter::TRecoveryWriter(std::string path) : path_(std::move(path)), thread_([this] { Run(); }) {}

TRecoveryWriter::~TRecoveryWriter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void TRecoveryWriter::Write(TDocumentState snapshot) {
  {
    std::lock_guard lock(mutex_);
    waiting_ = std::move(snapshot);
    removeWaiting_ = false;
  }
  wake_.notify_one();
}

void TRecoveryWriter::Remove() {
  {
    std::lock_guard lock(mutex_);
    waiting_.reset();
    removeWaiting_ = true;
  }
  wake_.notify_one();
}

void TRecoveryWriter::Wait() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !busy_ && !waiting_ && !removeWaiting_; });
}

std::string TRecoveryWriter::LastError() const {
  std::lock_guard lock(mutex_);
  return lastError_;
}

void TRecoveryWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || waiting_ || removeWaiting_; });
    if (!waiting_ && !removeWaiting_) return;  // stopping with nothing left
    std::optional<TDocumentState> snapshot = std::move(waiting_);
    waiting_.reset();
    removeWaiting_ = false;
    busy_ = true;
    lock.unlock();
    std::string error;
    if (snapshot) {
      try {
        WriteRecoveryFile(path_, RecoveryBytes(*snapshot));
      } catch (const std::exception& e) {
        error = e.what();
      }
    } else if (::unlink(path_.c_str()) != 0 && errno != ENOENT) {
      error = std::system_error(errno, std::generic_category(), "Cannot remove \"" + path_ + "\"").what();
    }
    lock.lock();
    busy_ = false;
    lastError_ = error;
    idle_.notify_all();
  }
}

}  // namespace tessaly::shell
