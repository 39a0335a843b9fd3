#include "export/MovieFrames.h"

#include <algorithm>
#include <stdexcept>

#include "export/ExportProgress.h"
#include "player/FlashPlayer.h"

namespace tessaly::exports {

TMovieFrames::TMovieFrames(std::span<const std::uint8_t> swf, std::size_t cacheBytes)
    : swf_(swf.begin(), swf.end()) {
  Restart();
  count_ = std::max(1, player_->FrameCount());
  width_ = std::max(1, player_->Width());
  height_ = std::max(1, player_->Height());
  const std::size_t frameBytes = std::size_t(width_) * std::size_t(height_) * 4;
  caching_ = frameBytes * std::size_t(count_) <= cacheBytes;
}

TMovieFrames::~TMovieFrames() = default;

void TMovieFrames::Restart() {
  player_ = std::make_unique<player::TFlashPlayer>();
  try {
    player_->LoadMovie(swf_);
  } catch (const std::exception& e) {
    throw TExportError(std::string("the banner's movie cannot be played: ") + e.what());
  }
  // The export plays the movie through once; frames past the last are never asked for.
  player_->SetLoop(false);
  player_->Play();
  position_ = 1;
  shown_ = 0;
}

const QImage& TMovieFrames::Frame(int index) {
  if (index < 1 || index > count_) throw std::out_of_range("no frame " + std::to_string(index));
  if (caching_ && std::size_t(index) <= cache_.size()) return cache_[std::size_t(index) - 1];
  if (index == shown_) return image_;
  if (index < position_) Restart();
  for (; position_ < index; ++position_) player_->Tick();
  image_ = player_->RenderImage(width_, height_).convertToFormat(QImage::Format_RGBA8888);
  shown_ = index;
  if (caching_ && std::size_t(index) == cache_.size() + 1) cache_.push_back(image_);
  return image_;
}

}  // namespace tessaly::exports
