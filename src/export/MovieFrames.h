#pragma once
// The frames of a movie as our player draws them, one after the other at
// the movie's size: frame 1 is the picture after loading, frame n the one
// after n - 1 ticks of the main timeline. Encoders that go over the frames
// more than once (a target weight, the HTML5 package) get them from memory
// while they fit in a budget; otherwise the movie is played again.

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace tessaly::player {
class TFlashPlayer;
}

namespace tessaly::exports {

inline constexpr std::size_t DefaultFrameCacheBytes = std::size_t{256} << 20;

class TMovieFrames {
 public:
  // Throws TExportError when the movie cannot be read.
  explicit TMovieFrames(std::span<const std::uint8_t> swf, std::size_t cacheBytes = DefaultFrameCacheBytes);
  ~TMovieFrames();
  TMovieFrames(const TMovieFrames&) = delete;
  TMovieFrames& operator=(const TMovieFrames&) = delete;

  int Count() const { return count_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Frame index (1 .. Count()) as opaque RGBA bytes (Format_RGBA8888).
  // Valid until the next call.
  const QImage& Frame(int index);

 private:
  void Restart();

  std::vector<std::uint8_t> swf_;
  std::unique_ptr<player::TFlashPlayer> player_;
  int count_ = 0;
  int width_ = 0;
  int height_ = 0;
  int position_ = 0;  // the frame the player is at
  int shown_ = 0;     // the frame image_ holds; 0 for none
  QImage image_;
  bool caching_ = false;
  std::vector<QImage> cache_;
};

}  // namespace tessaly::exports
