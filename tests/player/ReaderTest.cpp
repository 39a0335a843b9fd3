#include "player/PlayerTestUtil.h"
#include "player/SwfBitReader.h"
#include "player/SwfBitmapReader.h"
#include "player/SwfMovieReader.h"

#include <QBuffer>

#include <gmock/gmock.h>

namespace tessaly::player::test {
namespace {

TEST(SwfBitReader, ReadsFieldsAcrossBytesAndSignExtends) {
  const uint8_t data[] = {0b10110011, 0b01000000, 0x34, 0x12};
  TSwfBitReader in(data);
  EXPECT_EQ(in.ReadBits(3), 0b101u);
  EXPECT_EQ(in.ReadSignedBits(7), -51);  // 1001101 as 7 signed bits
  in.AlignByte();
  EXPECT_EQ(in.ReadWord(), 0x1234);
  EXPECT_FALSE(in.Overrun());
  EXPECT_EQ(in.ReadByte(), 0);
  EXPECT_TRUE(in.Overrun());
}

TEST(SwfBitReader, ReadingPastTheEndYieldsZerosAndFlags) {
  const uint8_t data[] = {0xFF};
  TSwfBitReader in(data);
  EXPECT_EQ(in.ReadBits(12), 0xFF0u);
  EXPECT_TRUE(in.Overrun());
  EXPECT_EQ(in.ReadString(), "");
  EXPECT_TRUE(in.ReadBytes(5).empty());
}

TEST(MovieReader, HeaderValuesComeBackAsWritten) {
  struct Case {
    int width, height;
    double rate;
    int frames;
    bool compressed;
  };
  const Case cases[] = {{468, 60, 35, 3, false}, {728, 90, 12.5, 1, true}, {1, 1, 1, 7, false}};
  for (const Case& c : cases) {
    TMovieBuilder m(c.width, c.height, c.rate, 6);
    for (int i = 0; i < c.frames; ++i) m.ShowFrame();
    const TBytes bytes = m.Bytes(c.compressed);
    const auto movie = ReadMovie(bytes);
    EXPECT_EQ(movie->WidthPixels(), c.width);
    EXPECT_EQ(movie->HeightPixels(), c.height);
    EXPECT_DOUBLE_EQ(movie->frameRate, c.rate);
    EXPECT_EQ(movie->declaredFrameCount, c.frames);
    EXPECT_EQ(static_cast<int>(movie->timeline.frames.size()), c.frames);
    EXPECT_EQ(movie->compressed, c.compressed);
    EXPECT_EQ(movie->version, 6);
    EXPECT_THAT(movie->warnings, ::testing::IsEmpty());
  }
}

TEST(MovieReader, UnknownTagsAreSkippedByTheirLength) {
  TMovieBuilder m(10, 10);
  m.Tag(200, TBytes(70, 0xAB));
  m.Tag(77, TBytes(5, 0xFF));
  m.Background(0x102030);
  m.ShowFrame();
  const auto movie = ReadMovie(m.Bytes());
  EXPECT_EQ(movie->background, (TRgba{0x10, 0x20, 0x30, 255}));
  EXPECT_EQ(movie->timeline.frames.size(), 1u);
}

TEST(MovieReader, FrameLabelsAndPlacementsBelongToTheirFrames) {
  TMovieBuilder m(10, 10);
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(0xFF0000FF), -1);
  s.Rectangle(0, 0, 100, 100);
  m.Shape(1, s, 0, 100, 0, 100);
  m.Place(1, 1, 0, 0, "box");
  TBitWriter label;
  label.String("start");
  m.Tag(43, label.Data());
  m.ShowFrame();
  m.Remove(1);
  m.ShowFrame();
  const auto movie = ReadMovie(m.Bytes());
  ASSERT_EQ(movie->timeline.frames.size(), 2u);
  const TFrame& first = movie->timeline.frames[0];
  EXPECT_EQ(first.label, "start");
  ASSERT_EQ(first.commands.size(), 1u);
  EXPECT_EQ(first.commands[0].place.name, "box");
  EXPECT_EQ(movie->timeline.frames[1].commands[0].kind, TDisplayCommand::dcRemove);
}

TEST(JpegMarkers, StrayStartAndEndMarkersAreTakenOut) {
  // SOI, an APP0-like segment of 4 bytes, then SOS and data.
  const TBytes plain = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x01, 0x02, 0xFF, 0xDA, 0x11, 0xFF, 0xD9};
  struct Case {
    const char* what;
    TBytes input;
  };
  TBytes doubled = {0xFF, 0xD8};
  doubled.insert(doubled.end(), plain.begin(), plain.end());
  doubled.insert(doubled.end(), {0xFF, 0xD9});
  TBytes erroneous = {0xFF, 0xD9, 0xFF, 0xD8};
  erroneous.insert(erroneous.end(), plain.begin(), plain.end());
  TBytes tablesThenImage = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x01, 0x02, 0xFF, 0xD9, 0xFF, 0xD8,
                            0xFF, 0xDA, 0x11, 0xFF, 0xD9};
  // Our writer puts an empty image before the file's bytes.
  TBytes emptyFirst = {0xFF, 0xD8, 0xFF, 0xD9};
  emptyFirst.insert(emptyFirst.end(), plain.begin(), plain.end());
  const Case cases[] = {{"plain", plain}, {"doubled", doubled}, {"erroneous header", erroneous},
                        {"empty image first", emptyFirst},
                        {"tables then image", tablesThenImage}};
  for (const Case& c : cases) {
    TBytes cleaned = CleanJpegMarkers(c.input);
    // A trailing extra EOI may stay: decoders stop at the first one.
    while (cleaned.size() > plain.size() && cleaned[cleaned.size() - 2] == 0xFF && cleaned.back() == 0xD9 &&
           cleaned[cleaned.size() - 4] == 0xFF && cleaned[cleaned.size() - 3] == 0xD9)
      cleaned.resize(cleaned.size() - 2);
    EXPECT_EQ(cleaned, plain) << c.what;
  }
}

TEST(Lossless, FormatsThreeFourAndFiveDecodeToTheirColours) {
  std::string error;
  // Format 5 without alpha: 0, R, G, B.
  TBitWriter w5;
  w5.Append(Deflate({0, 255, 0, 0, 0, 0, 0, 255}));
  QImage five = DecodeLossless(5, 2, 1, w5.Data(), false, error);
  ASSERT_FALSE(five.isNull()) << error;
  EXPECT_EQ(five.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(five.pixel(1, 0), qRgb(0, 0, 255));
  // Format 4: one 15-bit pixel of pure green, high byte first, row padded.
  QImage four = DecodeLossless(4, 1, 1, Deflate({0x03, 0xE0, 0, 0}), false, error);
  ASSERT_FALSE(four.isNull()) << error;
  EXPECT_EQ(four.pixel(0, 0), qRgb(0, 255, 0));
  // Format 3 with an alpha table: entry 1 is transparent.
  TBytes raw = {10, 20, 30, 255, 0, 0, 0, 0, 0, 1, 0, 0};
  TBytes data = {1};
  const TBytes z = Deflate(raw);
  data.insert(data.end(), z.begin(), z.end());
  QImage three = DecodeLossless(3, 2, 1, data, true, error);
  ASSERT_FALSE(three.isNull()) << error;
  EXPECT_EQ(three.pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(qAlpha(three.pixel(1, 0)), 0);
}

TEST(Lossless, HugeOrUnknownBitmapsAreRefused) {
  std::string error;
  EXPECT_TRUE(DecodeLossless(5, 16000, 16000, Deflate({0}), false, error).isNull());
  EXPECT_THAT(error, ::testing::HasSubstr("refused"));
  EXPECT_TRUE(DecodeLossless(7, 2, 2, Deflate({0}), false, error).isNull());
  EXPECT_THAT(error, ::testing::HasSubstr("format 7"));
  // 4000 x 4000 pixels declared, 16 bytes of data.
  EXPECT_TRUE(DecodeLossless(5, 4000, 4000, Deflate(TBytes(16, 1)), false, error).isNull());
  EXPECT_THAT(error, ::testing::HasSubstr("shorter"));
  EXPECT_TRUE(DecodeLossless(5, 2, 2, TBytes{1, 2, 3, 4, 5}, false, error).isNull());
  EXPECT_THAT(error, ::testing::HasSubstr("corrupt"));
}

TEST(Inflate, StopsAtTheLimit) {
  const TBytes big(100000, 0);
  std::vector<uint8_t> out;
  EXPECT_FALSE(InflateBounded(Deflate(big), 1000, out));
  EXPECT_EQ(out.size(), 1000u);
  EXPECT_TRUE(InflateBounded(Deflate(big), 100000, out));
  EXPECT_EQ(out.size(), 100000u);
}

}  // namespace
}  // namespace tessaly::player::test
