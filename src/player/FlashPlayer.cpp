#include "player/FlashPlayer.h"

#include "player/SwfBitReader.h"

namespace tessaly::player {

TFlashPlayer::TFlashPlayer() = default;
TFlashPlayer::~TFlashPlayer() = default;

void TFlashPlayer::LoadMovie(std::span<const uint8_t> bytes) {
  auto movie = ReadMovie(bytes);
  renderer_.reset();
  display_.reset();
  movie_ = std::move(movie);
  display_ = std::make_unique<TDisplayList>(*movie_);
  renderer_ = std::make_unique<TRenderer>(*movie_);
  display_->Start();
  RunQueuedActions();
}

void TFlashPlayer::Play() {
  if (display_) display_->Root().playing = true;
}

void TFlashPlayer::Stop() {
  if (display_) display_->Root().playing = false;
}

bool TFlashPlayer::IsPlaying() const { return display_ && display_->Root().playing; }

void TFlashPlayer::Tick() {
  if (!display_) return;
  display_->Tick(loop_);
  RunQueuedActions();
}

void TFlashPlayer::GotoFrame(int frame) {
  if (!display_) return;
  display_->GotoFrame(display_->Root(), frame - 1);
  RunQueuedActions();
}

int TFlashPlayer::CurrentFrame() const { return display_ ? display_->Root().currentFrame + 1 : 0; }

int TFlashPlayer::FrameCount() const { return movie_ ? static_cast<int>(movie_->timeline.frames.size()) : 0; }

double TFlashPlayer::FrameRate() const { return movie_ ? movie_->frameRate : 0; }

int TFlashPlayer::Width() const { return movie_ ? movie_->WidthPixels() : 0; }

int TFlashPlayer::Height() const { return movie_ ? movie_->HeightPixels() : 0; }

void TFlashPlayer::Render(QImage& target) {
  if (!display_) {
    target.fill(Qt::white);
    return;
  }
  renderer_->Render(display_->Root(), target);
}

QImage TFlashPlayer::RenderImage(int width, int height) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
  Render(image);
  return image;
}

std::vector<std::string> TFlashPlayer::Warnings() const {
  std::vector<std::string> all;
  if (movie_) all = movie_->warnings;
  if (display_) all.insert(all.end(), display_->Warnings().begin(), display_->Warnings().end());
  return all;
}

void TFlashPlayer::RunQueuedActions() {
  auto& queue = display_->Queue();
  // Actions may queue more (a goto enters a frame); the count bounds a
  // movie whose frames keep jumping into each other.
  constexpr size_t kMaxBlocksPerTick = 10000;
  size_t ran = 0;
  while (!queue.empty() && ran < kMaxBlocksPerTick) {
    std::vector<TQueuedActions> batch;
    batch.swap(queue);
    for (const TQueuedActions& q : batch) {
      if (auto target = q.target.lock()) RunActions(*target, *q.actions);
      ++ran;
    }
  }
  queue.clear();
}

void TFlashPlayer::RunActions(TDisplayObject& target, const TActionList& actions) {
  for (const TActionRecord& a : actions) {
    TSwfBitReader in(a.data);
    switch (a.code) {
      case 0x04:  // NextFrame
        display_->GotoFrame(target, target.currentFrame + 1);
        break;
      case 0x05:  // PreviousFrame
        display_->GotoFrame(target, target.currentFrame - 1);
        break;
      case 0x06:  // Play
        target.playing = true;
        break;
      case 0x07:  // Stop
        target.playing = false;
        break;
      case 0x81:  // GotoFrame
        display_->GotoFrame(target, in.ReadWord());
        break;
      case 0x83: {  // GetURL
        const std::string url = in.ReadString();
        const std::string window = in.ReadString();
        if (onGetUrl) onGetUrl(url, window);
        break;
      }
      default:
        break;
    }
  }
}

}  // namespace tessaly::player
