#pragma once
// One export of a banner's movie: the format, its options and a target
// weight, and what came out: the bytes and what they hold. The weight is
// what ad servers judge a banner by; 150 KB is the common limit of display
// ads.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/BannerMovie.h"
#include "export/ExportProgress.h"

namespace tessaly::exports {

enum class TExportKind { ekGif, ekWebp, ekMp4, ekWebm, ekPng, ekJpeg, ekHtml5 };

inline constexpr std::size_t AdWeightLimit = 150 * 1024;

struct TExportOptions {
  TExportKind Kind = TExportKind::ekGif;
  // GIF, WebP and the HTML5 package: the most bytes the file may weigh
  // (0: no target). Quality steps down until it fits.
  std::size_t MaxBytes = 0;
  // GIF, WebP and the HTML5 package: how often the animation plays, 0
  // forever; by default as the banner plays.
  std::optional<int> PlayCount;
  int VideoLoops = 1;     // how often the video shows the movie, 1 .. 1000
  bool Dither = false;    // GIF
  bool LossyWebp = false;  // WebP (and the package's WebP) lossy from the start
  int Frame = 0;          // backup picture: 1 .. frames, 0 for the last
};

struct TExportResult {
  std::vector<std::uint8_t> Bytes;
  int Width = 0;
  int Height = 0;
  int Frames = 0;  // frames shown in one play (the video: every loop)
  double Seconds = 0;
  // False when the target weight could not be reached; Bytes then hold
  // the lightest file that was tried.
  bool FitsTarget = true;
  std::string Quality;  // the setting used, e.g. "64 colours, WebP quality 60"
};

// Plays the movie and encodes it. Throws TExportError when the movie
// cannot be played or the encoder fails or is missing, TExportCancelled
// when cancelled.
TExportResult ExportBanner(const TBannerMovie& movie, const TExportOptions& options,
                           const TExportProgress& progress = {});

// The warning for a file heavier than AdWeightLimit; nothing below it.
std::optional<std::string> WeightWarning(std::size_t bytes);

}  // namespace tessaly::exports
