#include "cli/SwfSummary.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace tessaly::cli {

namespace {

constexpr std::size_t SignatureSize = 8;
// The frame size record takes at most 5 + 4 x 31 bits (17 bytes); the frame
// rate and count follow it.
constexpr std::size_t MaxRestOfHeader = 17 + 4;

std::vector<std::uint8_t> InflatedStart(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> out(MaxRestOfHeader);
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw TSwfHeaderError("cannot start zlib");
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_SYNC_FLUSH);
  out.resize(out.size() - z.avail_out);
  inflateEnd(&z);
  if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
    throw TSwfHeaderError("compressed SWF data is damaged");
  return out;
}

}  // namespace

TSwfSummary ReadSwfSummary(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < SignatureSize || bytes[1] != 'W' || bytes[2] != 'S' ||
      (bytes[0] != 'F' && bytes[0] != 'C'))
    throw TSwfHeaderError("not an SWF file");
  TSwfSummary summary;
  summary.Compressed = bytes[0] == 'C';
  summary.Version = bytes[3];
  summary.Size = bytes.size();

  const std::span<const std::uint8_t> body = bytes.subspan(SignatureSize);
  const std::vector<std::uint8_t> rest =
      summary.Compressed ? InflatedStart(body)
                         : std::vector<std::uint8_t>(body.begin(), body.begin() + std::min(body.size(), MaxRestOfHeader));
  if (rest.empty()) throw TSwfHeaderError("SWF header is cut short");
  const unsigned bits = rest[0] >> 3;
  const std::size_t rectBytes = (5 + 4 * bits + 7) / 8;
  if (rest.size() < rectBytes + 4) throw TSwfHeaderError("SWF header is cut short");
  const std::uint8_t* after = rest.data() + rectBytes;
  summary.FrameRate = after[1] + after[0] / 256.0;
  summary.FrameCount = after[2] | (after[3] << 8);
  return summary;
}

std::string DescribeSwf(const TSwfSummary& summary) {
  std::array<char, 160> text{};
  std::snprintf(text.data(), text.size(), "SWF version %d, %s, %d %s, %g fps, %zu bytes", summary.Version,
                summary.Compressed ? "compressed" : "uncompressed", summary.FrameCount,
                summary.FrameCount == 1 ? "frame" : "frames", summary.FrameRate, summary.Size);
  return text.data();
}

}  // namespace tessaly::cli
