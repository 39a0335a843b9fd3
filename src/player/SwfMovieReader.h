#pragma once
// Reads a whole SWF movie (FWS or CWS) into a TMovieDef: the header, every
// character the writer can produce, and the main and sprite timelines. Any
// bytes are safe input: damaged parts are skipped with a warning, and what
// cannot be a movie at all (or would need too much memory) is refused with
// a TSwfReadError.

#include "player/SwfRecords.h"

#include <memory>
#include <span>
#include <stdexcept>

namespace tessaly::player {

// The uncompressed size of a movie (header included) must stay within this.
inline constexpr size_t kMaxMovieBytes = size_t{64} * 1024 * 1024;
// The stage may be at most this many pixels wide or high, and this large.
inline constexpr int kMaxStageSide = 16384;
inline constexpr int64_t kMaxStagePixels = int64_t{64} * 1024 * 1024;

class TSwfReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::unique_ptr<TMovieDef> ReadMovie(std::span<const uint8_t> file);

}  // namespace tessaly::player
