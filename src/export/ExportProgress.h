#pragma once
// How a long export reports how far it is and learns that it should stop:
// the window runs exports off its thread, shows the progress and offers
// Cancel.

#include <atomic>
#include <functional>
#include <stdexcept>

namespace tessaly::exports {

// An export that cannot be done: the banner cannot be played, an encoder
// is missing or fails. The text says why.
class TExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The export was cancelled through its cancel flag.
class TExportCancelled : public std::runtime_error {
 public:
  TExportCancelled() : std::runtime_error("the export was cancelled") {}
};

class TExportProgress {
 public:
  TExportProgress() = default;
  // onStep hears (done, total) work units; cancel, when given, is read at
  // every step and outlives the export.
  TExportProgress(std::function<void(int done, int total)> onStep, const std::atomic<bool>* cancel)
      : onStep_(std::move(onStep)), cancel_(cancel) {}

  // Reports a step; throws TExportCancelled when the cancel flag is set.
  void Step(int done, int total) const;
  // The progress of one part of a longer export: its steps count from
  // offset within total.
  TExportProgress Part(int offset, int total) const;

 private:
  std::function<void(int, int)> onStep_;
  const std::atomic<bool>* cancel_ = nullptr;
};

}  // namespace tessaly::exports
