#include "shell/core/DeferredHost.h"

namespace tessaly::shell {

void TDeferredHost::Defer(TBuildProgress& progress) {
  Discard();
  progress_ = &progress;
  width_ = target_.Width();
  height_ = target_.Height();
}

void TDeferredHost::Replay() {
  progress_ = nullptr;
  if (sized_) target_.SetSize(width_, height_);
  if (stopped_) target_.Stop();
  if (movie_) target_.LoadMovie(*movie_);
  if (played_) target_.Play();
  Discard();
}

void TDeferredHost::Discard() {
  progress_ = nullptr;
  sized_ = stopped_ = played_ = false;
  movie_.reset();
}

void TDeferredHost::SetSize(std::int32_t Width, std::int32_t Height) {
  if (progress_ == nullptr) return target_.SetSize(Width, Height);
  progress_->Started = true;
  width_ = Width;
  height_ = Height;
  sized_ = true;
}

std::int32_t TDeferredHost::Width() const { return progress_ == nullptr ? target_.Width() : width_; }

std::int32_t TDeferredHost::Height() const { return progress_ == nullptr ? target_.Height() : height_; }

void TDeferredHost::Stop() {
  if (progress_ == nullptr) return target_.Stop();
  stopped_ = true;
}

void TDeferredHost::LoadMovie(std::span<const std::uint8_t> Bytes) {
  if (progress_ == nullptr) return target_.LoadMovie(Bytes);
  if (progress_->Cancelled) throw document::TBuildCancelled();
  movie_.emplace(Bytes.begin(), Bytes.end());
}

void TDeferredHost::Play() {
  if (progress_ == nullptr) return target_.Play();
  played_ = true;
}

}  // namespace tessaly::shell
