#include "document/MovieCompressor.h"

#include <stdexcept>

namespace tessaly::document {

namespace {
constexpr std::size_t kHeaderBytes = 8;  // signature, version, file length
}

TMovieCompressor::TMovieCompressor() {
  if (deflateInit(&stream_, Z_DEFAULT_COMPRESSION) != Z_OK) throw std::runtime_error("zlib: cannot start compression");
}

TMovieCompressor::~TMovieCompressor() { deflateEnd(&stream_); }

std::vector<std::uint8_t> TMovieCompressor::Compress(std::span<const std::uint8_t> fws) {
  if (fws.size() < kHeaderBytes) throw std::invalid_argument("not a whole movie");
  if (deflateReset(&stream_) != Z_OK) throw std::runtime_error("zlib: cannot restart compression");
  const std::span<const std::uint8_t> body = fws.subspan(kHeaderBytes);
  std::vector<std::uint8_t> cws(kHeaderBytes + deflateBound(&stream_, static_cast<uLong>(body.size())));
  std::copy(fws.begin(), fws.begin() + kHeaderBytes, cws.begin());
  cws[0] = 'C';
  stream_.next_in = const_cast<Bytef*>(body.data());
  stream_.avail_in = static_cast<uInt>(body.size());
  stream_.next_out = cws.data() + kHeaderBytes;
  stream_.avail_out = static_cast<uInt>(cws.size() - kHeaderBytes);
  if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("zlib: compression failed");
  cws.resize(kHeaderBytes + stream_.total_out);
  return cws;
}

}  // namespace tessaly::document
