#pragma once
// Writes the frames of a movie as an animated WebP with libwebp's animation
// encoder, lossy or lossless, with the timing and the play count of the
// GIF export.

#include <cstdint>
#include <vector>

#include "export/ExportProgress.h"
#include "export/MovieFrames.h"

namespace tessaly::exports {

// Lossless is exact and, for banners of flat colours, gradients and items
// moving over them, mostly lighter than lossy; near-lossless lets pixels
// change a little to weigh less.
struct TWebpOptions {
  bool Lossless = true;
  int NearLossless = 100;  // lossless: 100 exact .. 0 most changed
  int Quality = 90;        // lossy: 0 .. 100
  int PlayCount = 0;       // 0 forever
  // Off: every frame a key frame, written whole.
  bool FrameDifferencing = true;
};

std::vector<std::uint8_t> EncodeWebp(TMovieFrames& frames, const TWebpOptions& options,
                                     const TExportProgress& progress = {});

}  // namespace tessaly::exports
