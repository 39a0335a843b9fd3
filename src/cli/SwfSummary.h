#pragma once
// What the header of an SWF file tells about the movie: signature, version,
// frame rate and frame count. The frame size record and the fields after it
// are compressed in a "CWS" file, so they are inflated first.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace tessaly::cli {

class TSwfHeaderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TSwfSummary {
  int Version = 0;
  bool Compressed = false;  // "CWS"
  double FrameRate = 0;     // frames per second, from the 8.8 field
  int FrameCount = 0;
  std::size_t Size = 0;  // bytes of the file
};

// Throws TSwfHeaderError when bytes do not start with a complete SWF header.
TSwfSummary ReadSwfSummary(std::span<const std::uint8_t> bytes);

// "SWF version 6, compressed, 12 frames, 35 fps, 4711 bytes".
std::string DescribeSwf(const TSwfSummary& summary);

}  // namespace tessaly::cli
