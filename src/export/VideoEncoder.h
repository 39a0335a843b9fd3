#pragma once
// Writes the frames of a movie as a video with FFmpeg's libraries: MP4
// with H.264 (libx264) or WebM with VP9 (libvpx), at 35 frames per second
// in 4:2:0 colour. An odd width or height gains one column or row that
// repeats the edge. The movie plays a chosen number of times in a row.

#include <cstdint>
#include <string>
#include <vector>

#include "export/ExportProgress.h"
#include "export/MovieFrames.h"

namespace tessaly::exports {

enum class TVideoFormat { vfMp4, vfWebm };

inline constexpr int MaxVideoLoops = 1000;

struct TVideoOptions {
  TVideoFormat Format = TVideoFormat::vfMp4;
  int Loops = 1;  // 1 .. MaxVideoLoops
};

// The encoder a format needs, and whether this system's libavcodec has it.
std::string VideoEncoderName(TVideoFormat format);
bool HasVideoEncoder(TVideoFormat format);

// The loops a video takes for a requested count: 1 .. MaxVideoLoops.
int VideoLoopCount(int requested);

// The size of the video of a width x height movie: both even.
int EvenSize(int size);

// Throws TExportError naming the missing encoder when libavcodec lacks it.
std::vector<std::uint8_t> EncodeVideo(TMovieFrames& frames, const TVideoOptions& options,
                                      const TExportProgress& progress = {});

}  // namespace tessaly::exports
