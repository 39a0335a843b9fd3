#include "platform/Bitmap.h"

#include <gtest/gtest.h>

namespace tessaly::platform {
namespace {

TEST(Bitmap, RowStrideIsRoundedUpToFourBytes) {
  struct Case {
    int width, bitCount;
    std::size_t stride;
  };
  const Case cases[] = {{1, 1, 4},  {33, 1, 8}, {7, 4, 4},   {9, 4, 8},  {3, 8, 4},
                        {10, 8, 12}, {3, 16, 8}, {2, 24, 8}, {5, 32, 20}, {0, 24, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(RowStride(c.width, c.bitCount), c.stride) << c.width << " x " << c.bitCount;
    EXPECT_EQ(TBitmap(c.width, 2, c.bitCount).Stride(), c.stride);
  }
}

TEST(Bitmap, PackedIndexesUseTheHighBitsFirst) {
  TBitmap mono(10, 1, 1);
  mono.SetIndex(0, 0, 1);
  mono.SetIndex(9, 0, 1);
  EXPECT_EQ(mono.Row(0)[0], 0x80);
  EXPECT_EQ(mono.Row(0)[1], 0x40);
  EXPECT_EQ(mono.Index(9, 0), 1u);
  EXPECT_EQ(mono.Index(8, 0), 0u);

  TBitmap nibbles(3, 1, 4);
  nibbles.SetIndex(0, 0, 0xA);
  nibbles.SetIndex(1, 0, 0x5);
  nibbles.SetIndex(2, 0, 0xF);
  EXPECT_EQ(nibbles.Row(0)[0], 0xA5);
  EXPECT_EQ(nibbles.Row(0)[1], 0xF0);
  EXPECT_EQ(nibbles.Index(1, 0), 0x5u);

  for (int bitCount : {1, 4, 8}) {
    TBitmap filled(5, 2, bitCount);
    filled.FillIndex(1);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(filled.Index(x, 1), 1u) << bitCount;
  }
}

TEST(Bitmap, PixelColorReadsEveryLayout) {
  TBitmap word(1, 1, 16);
  word.Row(0)[0] = 0x1F;  // 5-5-5: blue 31
  word.Row(0)[1] = 0x7C;  // red 31
  EXPECT_EQ(word.PixelColor(0, 0), (TRgb{255, 0, 255}));

  TBitmap bgr(1, 1, 24);
  bgr.Row(0)[0] = 1;
  bgr.Row(0)[1] = 2;
  bgr.Row(0)[2] = 3;
  EXPECT_EQ(bgr.PixelColor(0, 0), (TRgb{3, 2, 1}));

  TBitmap indexed(2, 1, 8);
  indexed.Palette() = {{10, 20, 30, 255}};
  indexed.SetIndex(1, 0, 7);
  EXPECT_EQ(indexed.PixelColor(0, 0), (TRgb{30, 20, 10}));
  EXPECT_EQ(indexed.PixelColor(1, 0), (TRgb{})) << "index outside the palette";
}

TEST(Bitmap, RefusesBadBitCountsAndForgedSizes) {
  EXPECT_THROW(TBitmap(1, 1, 2), TImageError);
  EXPECT_THROW(TBitmap(1, 1, 0), TImageError);
  EXPECT_THROW(TBitmap(-1, 1, 8), TImageError);
  EXPECT_THROW(TBitmap(kMaxBitmapSide + 1, 1, 8), TImageError);
  EXPECT_THROW(TBitmap(30000, 30000, 8), TImageError);
  EXPECT_NO_THROW(CheckBitmapSize(kMaxBitmapSide, kMaxBitmapPixels / kMaxBitmapSide, "x"));
  try {
    CheckBitmapSize(40000, 2, "pic.bmp");
    FAIL();
  } catch (const TImageError& e) {
    EXPECT_STREQ(e.what(), "pic.bmp: picture of 40000 x 2 pixels is too large");
  }
}

}  // namespace
}  // namespace tessaly::platform
