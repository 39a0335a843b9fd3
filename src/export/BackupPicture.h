#pragma once
// The backup picture that ad servers show where the animation cannot
// play: one frame of the movie as PNG or JPEG.

#include <cstdint>
#include <vector>

#include "export/MovieFrames.h"

namespace tessaly::exports {

enum class TPictureFormat { pfPng, pfJpeg };

struct TPictureOptions {
  TPictureFormat Format = TPictureFormat::pfPng;
  int Frame = 0;  // 1 .. frame count; 0 for the last, where the banner rests
  int JpegQuality = 90;
};

// Throws TExportError when the frame is not in the movie.
std::vector<std::uint8_t> EncodePicture(TMovieFrames& frames, const TPictureOptions& options);

}  // namespace tessaly::exports
