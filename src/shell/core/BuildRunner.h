#pragma once
// Long builds (an animated movie, a save) run off the window thread. The
// command hands the build to a runner; the window's runner starts a thread
// and shows a progress dialog with Cancel once the build has run for half a
// second, the inline runner (tests, tools) runs it on the spot.

#include <atomic>
#include <functional>

#include "document/BuildProgress.h"

namespace tessaly::shell {

// What a running build and its runner share.
struct TBuildProgress {
  // The build proper has begun (the dialogs before it are answered).
  std::atomic<bool> Started{false};
  // How far the build has come: percent of the whole build and its stage.
  std::atomic<int> Percent{0};
  std::atomic<document::TBuildPhase> Phase{document::TBuildPhase::bpEffects};
  // The user pressed Cancel: the build ends with document::TBuildCancelled
  // at its next progress report, and nothing changes.
  std::atomic<bool> Cancelled{false};
};

class TBuildRunner {
 public:
  virtual ~TBuildRunner() = default;
  // Runs build and returns when it has ended; an exception of the build
  // comes out of Run on the calling thread.
  virtual void Run(const std::function<void()>& build, TBuildProgress& progress) = 0;
};

class TInlineRunner : public TBuildRunner {
 public:
  void Run(const std::function<void()>& build, TBuildProgress&) override { build(); }
};

}  // namespace tessaly::shell
