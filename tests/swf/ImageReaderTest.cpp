#include "swf/ImageReader.h"

#include <gtest/gtest.h>

#include "platform/FileBytes.h"
#include "platform/GifDecoder.h"
#include "support/TestPictures.h"

namespace tessaly::swf {
namespace {

using platform::TBitmap;
using platform::TRgb;
using test::TBytes;

TBMPReader Read(const TBytes& bytes) {
  TBMPReader reader;
  reader.LoadFromBytes(bytes, "test.bmp");
  return reader;
}

std::vector<uint8_t> Bytes(std::span<const uint8_t> s) { return {s.begin(), s.end()}; }

// Every row as displayed, top first.
void ExpectSameRows(const TBMPReader& reader, const TBitmap& bitmap) {
  ASSERT_EQ(reader.Width(), bitmap.Width());
  ASSERT_EQ(reader.Height(), bitmap.Height());
  ASSERT_EQ(reader.BitCount(), bitmap.BitCount());
  ASSERT_EQ(reader.Stride(), bitmap.Stride());
  for (int y = 0; y < bitmap.Height(); ++y) EXPECT_EQ(Bytes(reader.ScanLine(y)), Bytes(bitmap.Row(y))) << "row " << y;
}

std::vector<unsigned> Indexes(const TBMPReader& reader) {
  std::vector<unsigned> out;
  for (int y = 0; y < reader.Height(); ++y)
    for (int x = 0; x < reader.Width(); ++x) out.push_back(reader.PixelIndex(reader.ScanLine(y), x));
  return out;
}

TEST(ImageReader, ReadsEveryBitCountAndHeaderKind) {
  struct Case {
    int bitCount;
    uint32_t headerSize;
    bool topDown;
  };
  const Case cases[] = {{1, 40, false},  {4, 40, false},  {8, 40, false},  {16, 40, false}, {24, 40, false},
                        {32, 40, false}, {1, 12, false},  {4, 12, false},  {8, 12, false},  {24, 12, false},
                        {8, 40, true},   {24, 40, true},  {8, 124, false}, {32, 108, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bitCount << " bits, header " << c.headerSize << (c.topDown ? ", top down" : ""));
    const TBitmap bitmap = test::PatternBitmap(7, 3, c.bitCount);
    test::TBmpOptions options;
    options.HeaderSize = c.headerSize;
    options.TopDown = c.topDown;
    const TBMPReader reader = Read(test::MakeBmp(bitmap, options));
    ExpectSameRows(reader, bitmap);
    EXPECT_EQ(reader.TopDown(), c.topDown);
    EXPECT_EQ(reader.InfoHeader().Compression, 0u);
    if (c.bitCount <= 8) {
      for (size_t i = 0; i < bitmap.Palette().size(); ++i) EXPECT_EQ(reader.Palette()[i], bitmap.Palette()[i]) << i;
    }
  }
}

TEST(ImageReader, StrideAndPadding) {
  struct Case {
    int width, bitCount;
    size_t stride, padding;
  };
  const Case cases[] = {{3, 8, 4, 1}, {10, 8, 12, 2}, {3, 16, 8, 2}, {2, 24, 8, 2}, {9, 1, 4, 2}, {5, 4, 4, 1}, {3, 32, 12, 0}};
  for (const Case& c : cases) {
    const TBMPReader reader = Read(test::MakeBmp(test::PatternBitmap(c.width, 2, c.bitCount)));
    EXPECT_EQ(reader.Stride(), c.stride) << c.width << " x " << c.bitCount;
    EXPECT_EQ(reader.Padding(), c.padding) << c.width << " x " << c.bitCount;
  }
}

TEST(ImageReader, PaletteReductionMovesUsedEntriesFirstAndRenumbers) {
  // 3 x 2 pixels of 8 bits using entries 5 and 9 of a 16-colour palette.
  std::vector<TRgb> colors(16);
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = {static_cast<uint8_t>(10 * i), 1, 2};
  TBMPReader reader = Read(test::MakeBmp(test::IndexedBitmap(3, 8, {{9, 5, 9}, {5, 5, 9}}, colors)));
  EXPECT_EQ(reader.CountColors(), 2);
  EXPECT_EQ(reader.Palette()[0], (TRGBQuad{2, 1, 50, 255}));
  EXPECT_EQ(reader.Palette()[1], (TRGBQuad{2, 1, 90, 255}));
  EXPECT_EQ(reader.Palette()[2], (TRGBQuad{2, 1, 0, 255})) << "unused entries follow in order";
  EXPECT_EQ(reader.Palette()[3], (TRGBQuad{2, 1, 10, 255}));
  EXPECT_EQ(Indexes(reader), (std::vector<unsigned>{1, 0, 1, 0, 0, 1}));
  EXPECT_EQ(reader.ScanLine(0)[3], 0) << "padding untouched";
  EXPECT_EQ(reader.CountColors(), 2) << "a second count changes nothing";
  EXPECT_EQ(Indexes(reader), (std::vector<unsigned>{1, 0, 1, 0, 0, 1}));

  // Packed pixels: 4 bits using entries 3 and 1; 1 bit using entry 1 only.
  TBMPReader nibbles = Read(test::MakeBmp(test::IndexedBitmap(3, 4, {{3, 1, 3}}, colors)));
  EXPECT_EQ(nibbles.CountColors(), 2);
  EXPECT_EQ(nibbles.Palette()[0].Red, 10);
  EXPECT_EQ(nibbles.Palette()[1].Red, 30);
  EXPECT_EQ(nibbles.Palette()[2].Red, 0);
  EXPECT_EQ(nibbles.Palette()[3].Red, 20);
  EXPECT_EQ(Indexes(nibbles), (std::vector<unsigned>{1, 0, 1}));
  TBMPReader mono = Read(test::MakeBmp(test::IndexedBitmap(9, 1, {{1, 1, 1, 1, 1, 1, 1, 1, 1}}, {{0, 0, 0}, {255, 255, 255}})));
  EXPECT_EQ(mono.CountColors(), 1);
  EXPECT_EQ(mono.Palette()[0], (TRGBQuad{255, 255, 255, 255}));
  EXPECT_EQ(mono.Palette()[1], (TRGBQuad{0, 0, 0, 255}));
  EXPECT_EQ(Indexes(mono), std::vector<unsigned>(9, 0));
}

TEST(ImageReader, CountsDistinctColoursOfDeepPictures) {
  for (int bitCount : {16, 24, 32}) {
    TBitmap bitmap(4, 2, bitCount);  // all black
    const TRgb white{255, 255, 255};
    for (int x : {1, 3}) {
      auto row = bitmap.Row(0);
      if (bitCount == 16) {
        row[2 * x] = 0xFF;
        row[2 * x + 1] = 0x7F;
      } else {
        for (int i = 0; i < 3; ++i) row[bitCount / 8 * x + i] = white.Red;
      }
    }
    bitmap.Row(1)[0] = 0x10;  // a third colour
    TBMPReader reader = Read(test::MakeBmp(bitmap));
    EXPECT_EQ(reader.CountColors(), 3) << bitCount;
  }
}

TEST(ImageReader, PaletteOfColorsUsedAndAlpha) {
  test::TBmpOptions options;
  options.ColorsUsed = 2;
  const TBMPReader reader = Read(test::MakeBmp(test::IndexedBitmap(2, 8, {{0, 1}}, {{1, 2, 3}, {4, 5, 6}}), options));
  EXPECT_EQ(reader.Palette()[1], (TRGBQuad{6, 5, 4, 255}));
  EXPECT_EQ(reader.Palette()[2], (TRGBQuad{0, 0, 0, 255}));
  EXPECT_EQ(reader.Palette()[255].Alpha, 255);
  const TBMPReader four = Read(test::MakeBmp(test::PatternBitmap(2, 1, 4)));
  EXPECT_EQ(four.Palette()[15].Alpha, 255);
  EXPECT_EQ(four.Palette()[16], TRGBQuad{}) << "beyond 2^BitCount entries";
}

TEST(ImageReader, ThirtyTwoBitPixelsKeepTheirFourthByte) {
  TBitmap bitmap = test::PatternBitmap(3, 2, 32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) bitmap.Row(y)[4 * x + 3] = 0;
  ExpectSameRows(Read(test::MakeBmp(bitmap)), bitmap);
}

TEST(ImageReader, BitFieldsAreConvertedToTheUsualLayouts) {
  const TBitmap words = test::PatternBitmap(5, 3, 16);
  test::TBmpOptions rgb565;
  rgb565.Compression = 3;
  rgb565.RedMask = 0xF800;
  rgb565.GreenMask = 0x07E0;
  rgb565.BlueMask = 0x001F;
  const TBMPReader fromWords = Read(test::MakeBmp(words, rgb565));
  ExpectSameRows(fromWords, words);
  EXPECT_EQ(fromWords.FileCompression(), 3u);
  EXPECT_EQ(fromWords.InfoHeader().RedMask, 0x7C00u);
  EXPECT_EQ(fromWords.InfoHeader().GreenMask, 0x03E0u);

  TBitmap quads = test::PatternBitmap(3, 2, 32);
  quads.Row(1)[3] = 0x40;
  test::TBmpOptions usual;
  usual.Compression = 3;
  usual.RedMask = 0x00FF0000;
  usual.GreenMask = 0x0000FF00;
  usual.BlueMask = 0x000000FF;
  usual.AlphaMask = 0xFF000000;  // not written in a 40-byte header: alpha comes from the fourth byte
  ExpectSameRows(Read(test::MakeBmp(quads, usual)), quads);

  test::TBmpOptions reversed;
  reversed.HeaderSize = 124;
  reversed.Compression = 3;
  reversed.RedMask = 0x000000FF;
  reversed.GreenMask = 0x0000FF00;
  reversed.BlueMask = 0x00FF0000;
  reversed.AlphaMask = 0xFF000000;
  ExpectSameRows(Read(test::MakeBmp(quads, reversed)), quads);
}

TEST(ImageReader, RunLengthEightBits) {
  // 6 x 3, rows stored bottom first.
  const TBytes rle = {
      3, 5,  0, 3, 1, 2, 3, 0,  // run of three 5s; absolute run 1 2 3, padded to 4 bytes
      0, 0,                     // end of line
      2, 7,  0, 2, 1, 1,        // two 7s; delta one column right, one row up
      4, 9,                     // four 9s from column 3: the last one is cut off
      0, 1,                     // end of bitmap
      8, 8,                     // never reached
  };
  const TBMPReader reader = Read(test::MakeRleBmp(6, 3, 8, {{0, 0, 0}}, rle));
  EXPECT_EQ(reader.FileCompression(), 1u);
  EXPECT_EQ(reader.BitCount(), 8);
  EXPECT_EQ(Indexes(reader), (std::vector<unsigned>{0, 0, 0, 9, 9, 9,  //
                                                     7, 7, 0, 0, 0, 0,  //
                                                     5, 5, 5, 1, 2, 3}));
}

TEST(ImageReader, RunLengthFourBits) {
  // 5 x 2: a run of alternating nibbles, then an absolute run of 3 pixels.
  const TBytes rle = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1};
  const TBMPReader reader = Read(test::MakeRleBmp(5, 2, 4, {}, rle));
  EXPECT_EQ(reader.BitCount(), 4);
  EXPECT_EQ(Indexes(reader), (std::vector<unsigned>{3, 4, 5, 0, 0,  //
                                                     1, 2, 1, 2, 1}));
  // An absolute run of 5 pixels takes 3 bytes, padded to 4.
  const TBytes odd = {0, 5, 0x12, 0x34, 0x50, 0xEE, 2, 0x77, 0, 1};
  EXPECT_EQ(Indexes(Read(test::MakeRleBmp(8, 1, 4, {}, odd))), (std::vector<unsigned>{1, 2, 3, 4, 5, 7, 7, 0}));
}

TEST(ImageReader, DamagedRunLengthDataStaysInsideTheBitmap) {
  const TBytes cases[] = {
      {0, 2, 200, 200, 5, 1},       // delta far outside
      {0, 200, 1, 2},               // absolute run longer than the data
      {255, 3, 255, 3, 255, 3},     // runs much wider than the row
      {0, 0, 0, 0, 0, 0, 0, 0, 1},  // more lines than the bitmap has
      {0, 2, 1},                    // delta cut short
      {7},                          // half a pair
  };
  for (const TBytes& rle : cases) {
    EXPECT_NO_THROW(Read(test::MakeRleBmp(4, 2, 8, {}, rle)));
    EXPECT_NO_THROW(Read(test::MakeRleBmp(4, 2, 4, {}, rle)));
  }
}

TEST(ImageReader, TruncatedFilesYieldThePixelsThatAreThere) {
  const TBitmap bitmap = test::PatternBitmap(4, 3, 24);
  TBytes bytes = test::MakeBmp(bitmap);
  bytes.resize(bytes.size() - 12 - 2);  // top row and two bytes of the middle row missing
  const TBMPReader reader = Read(bytes);
  EXPECT_EQ(Bytes(reader.ScanLine(2)), Bytes(bitmap.Row(2)));
  EXPECT_EQ(Bytes(reader.ScanLine(0)), std::vector<uint8_t>(12, 0));
  EXPECT_EQ(reader.ScanLine(1)[9], bitmap.Row(1)[9]);
  EXPECT_EQ(reader.ScanLine(1)[10], 0);

  // Pixel offset past the end of the file.
  TBytes noPixels = test::MakeBmp(bitmap);
  noPixels.resize(54);
  EXPECT_EQ(Bytes(Read(noPixels).ScanLine(0)), std::vector<uint8_t>(12, 0));
}

TEST(ImageReader, ImageSizeFieldLimitsTheRead) {
  const TBitmap bitmap = test::PatternBitmap(4, 2, 24);
  test::TBmpOptions zero;
  zero.SizeImage = 0;  // allowed for uncompressed pictures: the whole bitmap is read
  ExpectSameRows(Read(test::MakeBmp(bitmap, zero)), bitmap);
  test::TBmpOptions huge;
  huge.SizeImage = 0xFFFFFFF0u;
  ExpectSameRows(Read(test::MakeBmp(bitmap, huge)), bitmap);
  test::TBmpOptions oneRow;
  oneRow.SizeImage = 12;  // the bottom row only
  const TBMPReader reader = Read(test::MakeBmp(bitmap, oneRow));
  EXPECT_EQ(Bytes(reader.ScanLine(1)), Bytes(bitmap.Row(1)));
  EXPECT_EQ(Bytes(reader.ScanLine(0)), std::vector<uint8_t>(12, 0));
}

TEST(ImageReader, RefusesWhatItCannotRead) {
  const TBytes good = test::MakeBmp(test::PatternBitmap(2, 2, 8));
  auto patched = [&](size_t at, std::vector<uint8_t> values) {
    TBytes b = good;
    for (size_t i = 0; i < values.size(); ++i) b[at + i] = values[i];
    return b;
  };
  struct Case {
    const char* what;
    TBytes bytes;
    const char* message;
  };
  const Case cases[] = {
      {"empty", {}, "test.bmp: not a BMP picture"},
      {"no signature", patched(0, {'G', 'I'}), "test.bmp: not a BMP picture"},
      {"header only", TBytes(good.begin(), good.begin() + 20), nullptr},
      {"header size", patched(14, {20, 0, 0, 0}), "test.bmp: unsupported BMP header of 20 bytes"},
      {"bit count 2", patched(28, {2, 0}), "test.bmp: unsupported bit count 2"},
      {"RLE4 at 8 bits", patched(30, {2, 0, 0, 0}), "test.bmp: unsupported compression 2 at 8 bits"},
      {"JPEG compression", patched(30, {4, 0, 0, 0}), "test.bmp: unsupported compression 4 at 8 bits"},
      {"width 0", patched(18, {0, 0, 0, 0}), "test.bmp: invalid picture size 0 x 2"},
      {"negative width", patched(18, {0xFF, 0xFF, 0xFF, 0xFF}), "test.bmp: invalid picture size -1 x 2"},
      {"height 0", patched(22, {0, 0, 0, 0}), "test.bmp: invalid picture size 2 x 0"},
      {"forged size", patched(18, {0xA0, 0x86, 1, 0, 0xA0, 0x86, 1, 0}),
       "test.bmp: picture of 100000 x 100000 pixels is too large"},
      {"most negative height", patched(22, {0, 0, 0, 0x80}), nullptr},
  };
  for (const Case& c : cases) {
    try {
      Read(c.bytes);
      ADD_FAILURE() << c.what;
    } catch (const platform::TImageError& e) {
      if (c.message) {
        EXPECT_STREQ(e.what(), c.message) << c.what;
      }
    }
  }
}

TEST(ImageReader, FileErrorsNameTheFileAndTheReason) {
  test::TTempDir dir;
  struct Case {
    std::string name;
    std::string reason;
  };
  const Case cases[] = {{(dir.Path() / "none.bmp").string(), "No such file or directory"},
                        {dir.Path().string(), "Is a directory"}};
  for (const Case& c : cases) {
    TBMPReader reader;
    try {
      reader.LoadFromFile(c.name);
      ADD_FAILURE() << c.name;
    } catch (const platform::TFileError& e) {
      EXPECT_EQ(std::string(e.what()), c.name + ": " + c.reason);
    }
  }
  const TBitmap bitmap = test::PatternBitmap(3, 2, 4);
  TBMPReader reader;
  reader.LoadFromFile(dir.Write("ok.bmp", test::MakeBmp(bitmap)));
  ExpectSameRows(reader, bitmap);
}

TEST(ImageReader, LoadsFromABitmapHandle) {
  const TBitmap bitmap = test::IndexedBitmap(3, 8, {{0, 1, 2}, {2, 2, 2}}, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  TBMPReader reader;
  reader.LoadFromHandle(bitmap);
  ExpectSameRows(reader, bitmap);
  EXPECT_FALSE(reader.TopDown());
  EXPECT_EQ(Bytes(reader.StoredRow(0)), Bytes(bitmap.Row(1))) << "bottom row stored first";
  EXPECT_EQ(reader.Palette()[2], (TRGBQuad{9, 8, 7, 255}));
  EXPECT_EQ(reader.Palette()[3], (TRGBQuad{0, 0, 0, 255}));
  EXPECT_EQ(reader.CountColors(), 3);

  for (int bitCount : {16, 24, 32}) {
    const TBitmap deep = test::PatternBitmap(5, 4, bitCount);
    reader.LoadFromHandle(deep);
    ExpectSameRows(reader, deep);
  }

  // A GIF frame, as the builders hand it over.
  const platform::TGifImage gif = platform::TGifImage::LoadFromBytes(
      test::SimpleGif(6, 2, {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}}, 1), "t.gif");
  reader.LoadFromHandle(gif.FrameBitmap(0));
  EXPECT_EQ(reader.BitCount(), 4);
  EXPECT_EQ(reader.CountColors(), 4);
}

}  // namespace
}  // namespace tessaly::swf
