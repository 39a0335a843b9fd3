#include "swf/SWFStreams.h"

#include <gtest/gtest.h>

#include "SWFTestUtil.h"
#include "swf/FlashObjects.h"

namespace tessaly::swf {
namespace {

using test::DWord;
using test::Hex;

// A 468 x 60 pixel banner at 35 frames per second with one empty frame.
std::unique_ptr<TFlashMovie> OneFrameBanner() {
  auto movie = std::make_unique<TFlashMovie>(0, 0, 468, 60, 35, muPixels);
  movie->ShowFrame(1);
  movie->WriteObjects();
  return movie;
}

std::vector<uint8_t> Saved(TBasedSWFStream& movie) {
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.Bytes();
}

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& packed, size_t size) {
  std::vector<uint8_t> out(size);
  uLongf len = size;
  EXPECT_EQ(uncompress(out.data(), &len, packed.data(), packed.size()), Z_OK);
  out.resize(len);
  return out;
}

TEST(MovieHeader, BannerHeaderIs21Bytes) {
  auto movie = OneFrameBanner();
  EXPECT_EQ(movie->FrameSize(), (TRect{0, 0, 9360, 1200}));
  EXPECT_EQ(movie->HeaderSize(), 21u);
  auto file = Saved(*movie);
  // FWS, version 5, length 25, RECT, rate 35, one frame; ShowFrame, End.
  EXPECT_EQ(Hex(file), "46 57 53 05 19 00 00 00 78 00 04 92 00 00 02 58 00 00 23 01 00 40 00 00 00");
  EXPECT_EQ(movie->Signature(), "FWS");
  EXPECT_EQ(movie->FileLength(), 25u);
}

TEST(MovieHeader, FrameRateWords) {
  struct Case {
    double fps;
    const char* bytes;
  };
  const Case cases[] = {{35, "00 23"}, {12.5, "80 0C"}, {1, "00 01"}, {24.25, "40 18"}};
  for (const Case& c : cases) {
    TFlashMovie movie(0, 0, 0, 0, c.fps);
    TMemoryStream out;
    movie.WriteHeader(out, 2);
    // RECT of zeros is one byte, then the rate, then the count.
    ASSERT_EQ(out.Size(), 5u);
    EXPECT_EQ(Hex({out.Bytes()[1], out.Bytes()[2]}), c.bytes) << c.fps;
  }
  TFlashMovie movie(0, 0, 0, 0, 12.5);
  EXPECT_DOUBLE_EQ(movie.FrameRate(), 12.5);
  EXPECT_EQ(movie.FrameRateWord(), 0x0C80);
}

TEST(MovieHeader, HeaderSizeFollowsTheRectWidth) {
  struct Case {
    TRect twips;
    uint32_t size;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, 13},         // n = 0: 5 bits
      {{0, 0, 1, 1}, 14},         // n = 2: 13 bits
      {{-1, 0, 0, 0}, 14},        // n = 2
      {{0, 0, 9360, 1200}, 21},   // n = 15: 65 bits
      {{0, 0, 16384, 0}, 21},     // n = 16: 69 bits
      {{0, 0, 1 << 29, 0}, 29},   // n = 31: 129 bits
  };
  for (const Case& c : cases) {
    TFlashMovie movie(c.twips.Left, c.twips.Top, c.twips.Right, c.twips.Bottom, 12);
    TMemoryStream out;
    movie.WriteHeader(out, 0);
    EXPECT_EQ(movie.HeaderSize(), c.size) << c.twips.Right;
    EXPECT_EQ(out.Size(), c.size) << c.twips.Right;
  }
}

TEST(MovieHeader, HeaderParts) {
  auto movie = OneFrameBanner();
  TMemoryStream first, rest, whole;
  movie->WriteHeader(first, 1);
  movie->WriteHeader(rest, 2);
  movie->WriteHeader(whole, 0);
  EXPECT_EQ(first.Size(), 8u);
  EXPECT_EQ(rest.Size(), 13u);
  std::vector<uint8_t> joined = first.Bytes();
  joined.insert(joined.end(), rest.Bytes().begin(), rest.Bytes().end());
  EXPECT_EQ(joined, whole.Bytes());
}

TEST(MovieVersion, CompressionNeedsVersionSix) {
  TFlashMovie a(0, 0, 10, 10, 12);
  EXPECT_EQ(a.Version(), 5);
  a.SetVersion(4);
  a.SetCompressed(true);
  EXPECT_EQ(a.Version(), 6);

  TFlashMovie b(0, 0, 10, 10, 12);
  b.SetCompressed(true);
  b.SetVersion(4);
  EXPECT_EQ(b.Version(), 6);
  b.SetVersion(8);
  EXPECT_EQ(b.Version(), 8);

  TFlashMovie c(0, 0, 10, 10, 12);
  c.SetVersion(4);
  c.SetCompressed(false);
  EXPECT_EQ(c.Version(), 4);
}

TEST(MovieVersion, ObjectsRaiseTheVersionOfAnUncompressedMovie) {
  TFlashMovie movie(0, 0, 10, 10, 12);
  movie.SetVersion(4);
  movie.FrameActions().Push(int32_t{7});  // an integer Push needs version 5
  movie.ShowFrame();
  movie.WriteObjects();
  EXPECT_EQ(movie.Version(), 5);
  EXPECT_EQ(Saved(movie)[3], 5);

  TFlashMovie low(0, 0, 10, 10, 12);
  low.SetVersion(4);
  low.FrameActions().Stop();
  low.ShowFrame();
  low.WriteObjects();
  EXPECT_EQ(low.Version(), 4);
}

TEST(MovieCompression, CwsKeepsTheUncompressedLength) {
  auto plain = std::make_unique<TFlashMovie>(0, 0, 468, 60, 35, muPixels);
  auto packed = std::make_unique<TFlashMovie>(0, 0, 468, 60, 35, muPixels);
  for (TFlashMovie* m : {plain.get(), packed.get()}) {
    m->SetVersion(6);
    for (int i = 0; i < 50; ++i) {
      m->FrameActions().SetVariable("CurrentObj", "but" + std::to_string(i));
      m->ShowFrame();
    }
  }
  packed->SetCompressed(true);
  plain->WriteObjects();
  packed->WriteObjects();
  auto fws = Saved(*plain);
  auto cws = Saved(*packed);

  EXPECT_EQ(Hex({cws[0], cws[1], cws[2], cws[3]}), "43 57 53 06");
  EXPECT_EQ(DWord(cws, 4), fws.size());
  EXPECT_EQ(DWord(fws, 4), fws.size());
  EXPECT_LT(cws.size(), fws.size());
  auto inflated = Inflate({cws.begin() + 8, cws.end()}, fws.size());
  EXPECT_EQ(inflated, std::vector<uint8_t>(fws.begin() + 8, fws.end()));
  EXPECT_EQ(packed->Signature(), "CWS");
}

TEST(MovieCompression, ProgressPhases) {
  TFlashMovie movie(0, 0, 10, 10, 12);
  movie.SetCompressed(true);
  movie.ShowFrame(4);
  std::vector<std::pair<int, int>> seen;
  movie.OnProgress = [&](TBasedSWFStream&, int percent, int phase) { seen.emplace_back(phase, percent); };
  movie.WriteObjects();
  Saved(movie);
  ASSERT_GE(seen.size(), 5u);
  EXPECT_EQ(seen[0], std::make_pair(1, 25));
  EXPECT_EQ(seen[3], std::make_pair(1, 100));
  EXPECT_EQ(seen.back(), std::make_pair(2, 100));
}

TEST(MovieOutput, SaveToFileAndErrors) {
  auto movie = OneFrameBanner();
  const std::string name = "swf-stream-test.swf";
  movie->SaveToFile(name);
  FILE* f = std::fopen(name.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::vector<uint8_t> back(100);
  back.resize(std::fread(back.data(), 1, back.size(), f));
  std::fclose(f);
  std::remove(name.c_str());
  EXPECT_EQ(back, Saved(*movie));
  EXPECT_THROW(movie->SaveToFile("/nonexistent-folder/x.swf"), EStreamError);
}

// A frame of 60,000,000 pixels a side (1.2e9 twips) needs a RECT width of
// 32 bits, which its 5-bit field cannot hold: the movie is refused before
// any byte is written, compressed or not.
TEST(MovieOutput, AFrameTooLargeForItsRectIsRefusedBeforeAnyByte) {
  for (bool compressed : {false, true}) {
    auto movie = std::make_unique<TFlashMovie>(0, 0, 60'000'000, 60'000'000, 35, muPixels);
    movie->SetCompressed(compressed);
    movie->ShowFrame();
    movie->WriteObjects();
    TMemoryStream out;
    try {
      movie->SaveToStream(out);
      ADD_FAILURE() << "saved, compressed " << compressed;
    } catch (const EFieldOverflow& e) {
      EXPECT_NE(std::string(e.what()).find("the movie header, RECT: the value 1200000000 needs 32 bits"),
                std::string::npos)
          << e.what();
    }
    EXPECT_EQ(out.Size(), 0u) << compressed;
  }
}

}  // namespace
}  // namespace tessaly::swf
