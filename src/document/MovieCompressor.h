#pragma once
// Compression of built movies with one zlib stream kept for the life of
// the pipeline. A "CWS" file is the "FWS" file with the signature's first
// letter changed and everything after the first 8 bytes zlib-compressed
// (default level); the output equals what the SWF writer's own compressed
// SaveToStream produces. Keeping the stream's state between builds spares
// the allocator the quarter megabyte zlib needs, which would otherwise be
// returned to the system and faulted in again on every preview rebuild.

#include <zlib.h>

#include <cstdint>
#include <span>
#include <vector>

namespace tessaly::document {

class TMovieCompressor {
 public:
  TMovieCompressor();
  ~TMovieCompressor();
  TMovieCompressor(const TMovieCompressor&) = delete;
  TMovieCompressor& operator=(const TMovieCompressor&) = delete;

  // The "CWS" form of a whole "FWS" movie.
  std::vector<std::uint8_t> Compress(std::span<const std::uint8_t> fws);

 private:
  z_stream stream_{};
};

}  // namespace tessaly::document
