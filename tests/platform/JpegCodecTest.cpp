#include "platform/JpegCodec.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/FileBytes.h"
#include "support/TestPictures.h"

namespace tessaly::platform {
namespace {

using test::TBytes;

TBitmap Uniform(int width, int height, TRgb color) {
  TBitmap bitmap(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bitmap.Row(y)[3 * x] = color.Blue;
      bitmap.Row(y)[3 * x + 1] = color.Green;
      bitmap.Row(y)[3 * x + 2] = color.Red;
    }
  return bitmap;
}

void ExpectNear(TRgb actual, TRgb expected) {
  EXPECT_NEAR(actual.Red, expected.Red, 4);
  EXPECT_NEAR(actual.Green, expected.Green, 4);
  EXPECT_NEAR(actual.Blue, expected.Blue, 4);
}

TEST(JpegCodec, ProbeReadsTheBaselineFrameAndNotTheProgressiveOne) {
  const TBitmap picture = test::PatternBitmap(37, 21, 24);
  EXPECT_EQ(ProbeJpegSize(test::MakeJpeg(picture, false)), (TJpegSize{37, 21}));
  EXPECT_EQ(ProbeJpegSize(test::MakeJpeg(picture, false, 75, true)), (TJpegSize{37, 21}));
  EXPECT_EQ(ProbeJpegSize(test::MakeJpeg(picture, true)), (TJpegSize{0, 0}));
}

TEST(JpegCodec, ProbeWalksMarkersAndStopsAtTheEnd) {
  struct Case {
    const char* what;
    TBytes bytes;
    TJpegSize size;
  };
  const Case cases[] = {
      {"SOF0", {0xFF, 0xD8, 0xFF, 0xC0, 0, 17, 8, 0, 60, 1, 0xEA, 3}, {490, 60}},
      {"SOF1", {0xFF, 0xD8, 0xFF, 0xC1, 0, 17, 8, 0, 2, 0, 3}, {3, 2}},
      {"APP0 segment skipped",
       {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0xAA, 0xBB, 0xFF, 0xC0, 0, 17, 8, 0, 5, 0, 6},
       {6, 5}},
      {"fill bytes and standalone markers",
       {0xFF, 0xD8, 0xFF, 0xFF, 0xD0, 0xFF, 0x01, 0xFF, 0xD8, 0xFF, 0xC0, 0, 17, 8, 0, 1, 0, 2},
       {2, 1}},
      {"progressive frame", {0xFF, 0xD8, 0xFF, 0xC2, 0, 17, 8, 0, 5, 0, 6}, {0, 0}},
      {"no start marker", {0xFF, 0xC0, 0, 17, 8, 0, 5, 0, 6}, {0, 0}},
      {"byte that is not a marker", {0xFF, 0xD8, 0x00, 0xFF, 0xC0, 0, 17, 8, 0, 5, 0, 6}, {0, 0}},
      {"truncated frame header", {0xFF, 0xD8, 0xFF, 0xC0, 0, 17, 8, 0, 5, 0}, {0, 0}},
      {"segment longer than the data", {0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 1, 2}, {0, 0}},
      {"segment length below 2", {0xFF, 0xD8, 0xFF, 0xE1, 0, 1, 0xFF, 0xC0, 0, 17, 8, 0, 5, 0, 6}, {0, 0}},
      {"empty", {}, {0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(ProbeJpegSize(c.bytes), c.size) << c.what;
}

TEST(JpegCodec, TellsProgressiveFromBaseline) {
  const TBitmap picture = test::PatternBitmap(16, 9, 24);
  const TJpegInfo baseline = ReadJpegInfo(test::MakeJpeg(picture, false), "a.jpg");
  EXPECT_FALSE(baseline.Progressive);
  EXPECT_EQ(baseline.Width, 16);
  EXPECT_EQ(baseline.Height, 9);
  EXPECT_EQ(baseline.Components, 3);
  EXPECT_TRUE(ReadJpegInfo(test::MakeJpeg(picture, true), "b.jpg").Progressive);
}

TEST(JpegCodec, DecodesProgressivePicturesTo24Bits) {
  const TBitmap decoded = DecodeJpeg(test::MakeJpeg(Uniform(19, 7, {200, 40, 90}), true), "p.jpg");
  EXPECT_EQ(decoded.Width(), 19);
  EXPECT_EQ(decoded.Height(), 7);
  EXPECT_EQ(decoded.BitCount(), 24);
  ExpectNear(decoded.PixelColor(0, 0), {200, 40, 90});
  ExpectNear(decoded.PixelColor(18, 6), {200, 40, 90});

  const TBitmap grey = DecodeJpeg(test::MakeJpeg(Uniform(8, 8, {0, 100, 0}), false, 95, true), "g.jpg");
  ExpectNear(grey.PixelColor(3, 3), {100, 100, 100});
}

TEST(JpegCodec, DamagedPicturesThrowAndTruncatedOnesDecode) {
  const TBytes jpeg = test::MakeJpeg(test::PatternBitmap(64, 64, 24), true);
  const TBitmap truncated = DecodeJpeg(TBytes(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 2)), "t.jpg");
  EXPECT_EQ(truncated.Width(), 64);

  const TBytes notJpeg[] = {{}, {0xFF, 0xD8}, {'B', 'M', 1, 2, 3}, TBytes(jpeg.begin(), jpeg.begin() + 30)};
  for (const TBytes& bytes : notJpeg) {
    EXPECT_THROW(DecodeJpeg(bytes, "x.jpg"), TImageError) << bytes.size();
    EXPECT_THROW(ReadJpegInfo(bytes, "x.jpg"), TImageError) << bytes.size();
  }
  try {
    ReadJpegInfo(TBytes{'B', 'M', 0, 0}, "pic.jpg");
    FAIL();
  } catch (const TImageError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("pic.jpg: not a readable JPEG picture (", 0), 0u) << e.what();
  }
}

TEST(JpegCodec, RefusesForgedSizesBeforeDecoding) {
  TBytes jpeg = test::MakeJpeg(test::PatternBitmap(8, 8, 24), false);
  // Height and width of the SOF0 segment: 40000 x 40000.
  std::size_t sof = 2;
  while (!(jpeg[sof] == 0xFF && jpeg[sof + 1] == 0xC0)) sof += 2 + (jpeg[sof + 2] << 8 | jpeg[sof + 3]);
  jpeg[sof + 5] = 0x9C;
  jpeg[sof + 6] = 0x40;
  jpeg[sof + 7] = 0x9C;
  jpeg[sof + 8] = 0x40;
  EXPECT_EQ(ProbeJpegSize(jpeg), (TJpegSize{40000, 40000}));
  EXPECT_THROW(DecodeJpeg(jpeg, "big.jpg"), TImageError);
}

TEST(JpegCodec, EncodesBaselinePicturesFromAnyBitCount) {
  const TBytes fromColour = EncodeJpeg(Uniform(11, 6, {30, 160, 220}));
  EXPECT_EQ(ProbeJpegSize(fromColour), (TJpegSize{11, 6}));
  EXPECT_FALSE(ReadJpegInfo(fromColour, "e.jpg").Progressive);
  ExpectNear(DecodeJpeg(fromColour, "e.jpg").PixelColor(5, 3), {30, 160, 220});

  TBitmap indexed(4, 4, 4);
  indexed.Palette() = {{0, 0, 0, 255}, {0, 0, 200, 255}};
  indexed.FillIndex(1);
  ExpectNear(DecodeJpeg(EncodeJpeg(indexed), "i.jpg").PixelColor(0, 0), {200, 0, 0});
  EXPECT_THROW(EncodeJpeg(TBitmap()), TImageError);
}

TEST(JpegCodec, FilesAreReadOrReportedByName) {
  test::TTempDir dir;
  const std::string name = dir.Write("p.jpg", test::MakeJpeg(test::PatternBitmap(4, 3, 24), true));
  EXPECT_EQ(ReadJpegInfoOfFile(name).Height, 3);
  EXPECT_TRUE(ReadJpegInfoOfFile(name).Progressive);
  try {
    ReadJpegInfoOfFile(dir.Path().string() + "/none.jpg");
    FAIL();
  } catch (const TFileError& e) {
    EXPECT_EQ(std::string(e.what()), dir.Path().string() + "/none.jpg: No such file or directory");
  }
}

}  // namespace
}  // namespace tessaly::platform
