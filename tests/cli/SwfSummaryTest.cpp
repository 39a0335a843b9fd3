#include "cli/SwfSummary.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

namespace tessaly::cli {
namespace {

using TBytes = std::vector<std::uint8_t>;

// A header: signature, version, a file length, then the body (frame size
// record, frame rate, frame count), deflated for "CWS".
TBytes Movie(char first, std::uint8_t version, const TBytes& body) {
  TBytes file = {static_cast<std::uint8_t>(first), 'W', 'S', version, 0, 0, 0, 0};
  const std::uint32_t length = static_cast<std::uint32_t>(8 + body.size());
  for (int i = 0; i < 4; ++i) file[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
  if (first == 'C') {
    uLongf size = compressBound(body.size());
    TBytes packed(size);
    compress(packed.data(), &size, body.data(), body.size());
    file.insert(file.end(), packed.begin(), packed.begin() + size);
  } else {
    file.insert(file.end(), body.begin(), body.end());
  }
  return file;
}

// A frame size record with Nbits 0 (one byte) or 31 (17 bytes), then the
// 8.8 rate and the frame count.
TBytes Body(bool wideRect, std::uint8_t rateFraction, std::uint8_t rateWhole, std::uint16_t frames) {
  TBytes body = wideRect ? TBytes(17, 0xFF) : TBytes{0x00};
  body.insert(body.end(), {rateFraction, rateWhole, static_cast<std::uint8_t>(frames & 0xFF),
                           static_cast<std::uint8_t>(frames >> 8)});
  return body;
}

TEST(SwfSummary, ReadsTheHeaderFields) {
  struct TCase {
    const char* name;
    TBytes file;
    int version;
    bool compressed;
    double rate;
    int frames;
  };
  const TCase cases[] = {
      {"uncompressed, empty frame size", Movie('F', 6, Body(false, 0, 35, 5)), 6, false, 35, 5},
      {"compressed", Movie('C', 7, Body(false, 0, 35, 214)), 7, true, 35, 214},
      {"widest frame size", Movie('F', 4, Body(true, 0, 12, 0x1234)), 4, false, 12, 0x1234},
      {"compressed, widest, fraction", Movie('C', 6, Body(true, 0x80, 17, 65535)), 6, true, 17.5, 65535},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TSwfSummary s = ReadSwfSummary(c.file);
    EXPECT_EQ(s.Version, c.version);
    EXPECT_EQ(s.Compressed, c.compressed);
    EXPECT_DOUBLE_EQ(s.FrameRate, c.rate);
    EXPECT_EQ(s.FrameCount, c.frames);
    EXPECT_EQ(s.Size, c.file.size());
  }
}

TEST(SwfSummary, RefusesWhatIsNoCompleteHeader) {
  TBytes cut = Movie('F', 6, Body(true, 0, 35, 1));
  cut.resize(cut.size() - 1);
  TBytes damaged = Movie('C', 6, Body(false, 0, 35, 1));
  for (std::size_t i = 8; i < damaged.size(); ++i) damaged[i] ^= 0x5A;
  const TBytes cases[] = {{}, {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0}, {'F', 'W', 'S', 6, 9, 0, 0, 0}, cut, damaged};
  for (const TBytes& bytes : cases) EXPECT_THROW(ReadSwfSummary(bytes), TSwfHeaderError);
}

TEST(SwfSummary, DescribesTheMovieInOneLine) {
  TSwfSummary s{6, true, 35, 214, 10483};
  EXPECT_EQ(DescribeSwf(s), "SWF version 6, compressed, 214 frames, 35 fps, 10483 bytes");
  s = {5, false, 17.5, 1, 90};
  EXPECT_EQ(DescribeSwf(s), "SWF version 5, uncompressed, 1 frame, 17.5 fps, 90 bytes");
}

}  // namespace
}  // namespace tessaly::cli
