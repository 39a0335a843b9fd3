#pragma once
// Runs a build on its own thread while the window thread goes on drawing;
// after half a second of building a progress dialog appears with the build's
// percent and stage, and Cancel.

#include <QWidget>

#include "shell/core/BuildRunner.h"

namespace tessaly::shell {

class TThreadRunner : public TBuildRunner {
 public:
  // Builds longer than this show the progress dialog (milliseconds).
  static constexpr int ProgressDelay = 500;

  explicit TThreadRunner(QWidget* window) : window_(window) {}
  void Run(const std::function<void()>& build, TBuildProgress& progress) override;

 private:
  QWidget* window_;
};

}  // namespace tessaly::shell
