#pragma once
// Writes the frames of a movie as an animated GIF with giflib: colours
// quantized per frame, and, with frame differencing, each frame only as the
// rectangle that changed, its unchanged pixels transparent over the frame
// before (which stays in place). Frames that change nothing lengthen the
// one before. Delays keep the movie's timing over the whole run.

#include <cstdint>
#include <vector>

#include "export/ExportProgress.h"
#include "export/MovieFrames.h"

namespace tessaly::exports {

struct TGifOptions {
  int MaxColors = 256;  // per frame, 2 .. 256
  bool Dither = false;
  // 0 forever, else how often the file plays; a file that plays once stays
  // on its last frame.
  int PlayCount = 0;
  // Off: every frame written whole, as a plain encoder does.
  bool FrameDifferencing = true;
};

std::vector<std::uint8_t> EncodeGif(TMovieFrames& frames, const TGifOptions& options,
                                    const TExportProgress& progress = {});

}  // namespace tessaly::exports
