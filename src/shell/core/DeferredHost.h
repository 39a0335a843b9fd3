#pragma once
// The preview host the pipeline talks to. Normally it passes every call on
// to the window's player. While a build runs off the window thread it keeps
// the calls instead (size, stop, the movie's bytes, play) and the window
// thread makes them afterwards with Replay, or drops them when the build was
// cancelled. A cancelled build is stopped when its movie arrives, before
// anything is written to a file.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "document/BuildContext.h"
#include "shell/core/BuildRunner.h"

namespace tessaly::shell {

class TDeferredHost : public document::TPreviewHost {
 public:
  explicit TDeferredHost(document::TPreviewHost& target) : target_(target) {}

  // From now on the calls are kept; progress tells when the build starts
  // and whether it was cancelled.
  void Defer(TBuildProgress& progress);
  // Makes the kept calls on the target and passes calls on again.
  void Replay();
  // Drops the kept calls and passes calls on again.
  void Discard();

  void SetSize(std::int32_t Width, std::int32_t Height) override;
  std::int32_t Width() const override;
  std::int32_t Height() const override;
  void Stop() override;
  // Throws document::TBuildCancelled when the deferred build was cancelled.
  void LoadMovie(std::span<const std::uint8_t> Bytes) override;
  void Play() override;

 private:
  document::TPreviewHost& target_;
  TBuildProgress* progress_ = nullptr;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  bool sized_ = false;
  bool stopped_ = false;
  std::optional<std::vector<std::uint8_t>> movie_;
  bool played_ = false;
};

}  // namespace tessaly::shell
