#include "export/ExportProgress.h"

namespace tessaly::exports {

void TExportProgress::Step(int done, int total) const {
  if (cancel_ != nullptr && cancel_->load()) throw TExportCancelled();
  if (onStep_) onStep_(done, total);
}

TExportProgress TExportProgress::Part(int offset, int total) const {
  std::function<void(int, int)> parent = onStep_;
  return TExportProgress(
      [parent, offset, total](int done, int) {
        if (parent) parent(offset + done, total);
      },
      cancel_);
}

}  // namespace tessaly::exports
