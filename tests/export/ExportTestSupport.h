#pragma once
// What the export tests share: the reference banner built with an effect,
// the frames our player draws of a movie, and the exported files decoded
// again with the formats' own libraries.

#include <QImage>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "effects/RandomGenerator.h"
#include "effects/unit_OneStepAnim.h"
#include "export/BannerMovie.h"
#include "support/ReferenceBanner.h"

namespace tessaly::exports::test {

// The reference banner and the effect engine; every movie starts the
// random source afresh.
struct TBannerFixture {
  TBannerFixture();
  document::TBannerSettings& Settings() { return Banner.Document.BannerSettings; }
  // The rotate-and-shrink effect at a speed, looping as given.
  void ChooseEffect(int speed, int loop);
  TBannerMovie Movie();

  tessaly::test::TReferenceBanner Banner;
  effects::TRandomGenerator Random;
  effects::TOneStepAnim Engine;
};

// Every frame of the movie as our player draws it, RGBA8888.
std::vector<QImage> PlayerFrames(const TBannerMovie& movie);

// An animation decoded again: the canvas after each image and when each
// image ends (centiseconds for GIF, milliseconds for WebP).
struct TDecodedAnimation {
  int Width = 0, Height = 0;
  std::vector<QImage> Canvases;
  std::vector<std::int64_t> Ends;
  // GIF: the NETSCAPE2.0 repeat count, nothing without the extension.
  // WebP: the loop count.
  std::optional<int> Loop;
};
TDecodedAnimation DecodeGif(const std::vector<std::uint8_t>& bytes);
TDecodedAnimation DecodeWebp(const std::vector<std::uint8_t>& bytes);

// How far the pictures of an animation stray from the player's frames:
// per channel R, G, B the mean over every pixel of every frame and the
// worst single difference. Frame f is compared with the image that shows
// when f starts (unitsPerSecond: 100 or 1000).
struct TChannelDifference {
  double Mean[3] = {0, 0, 0};
  int Worst[3] = {0, 0, 0};
  std::string Text() const;
};
TChannelDifference CompareAnimation(const TDecodedAnimation& animation, const std::vector<QImage>& frames,
                                    int unitsPerSecond);
TChannelDifference ComparePictures(const QImage& a, const QImage& b);

// A video decoded again with FFmpeg's libraries.
struct TDecodedVideo {
  int Width = 0, Height = 0;
  int Frames = 0;
  double Seconds = 0;  // the end of the last frame
  std::string Codec;
  std::vector<QImage> Pictures;  // RGBA8888, every frame
};
TDecodedVideo DecodeVideo(const std::vector<std::uint8_t>& bytes, const std::string& extension);

// The files of a zip archive by name.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> UnzipEntries(const std::vector<std::uint8_t>& zip);

}  // namespace tessaly::exports::test
