#include "platform/BmpWriter.h"

#include <gtest/gtest.h>

#include "platform/FileBytes.h"
#include "support/TestPictures.h"

namespace tessaly::platform {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(BmpWriter, WritesHeadersPaletteAndRowsBottomUp) {
  TBitmap bitmap = test::IndexedBitmap(3, 8, {{0, 1, 0}, {1, 1, 0}}, {{255, 0, 0}, {0, 0, 255}});
  const std::vector<std::uint8_t> bmp = EncodeBmp(bitmap);
  const std::uint32_t offset = 14 + 40 + 256 * 4;
  ASSERT_EQ(bmp.size(), offset + 2 * 4);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 10), offset);
  EXPECT_EQ(U32(bmp, 14), 40u);
  EXPECT_EQ(U32(bmp, 18), 3u);
  EXPECT_EQ(U32(bmp, 22), 2u);
  EXPECT_EQ(bmp[28], 8);
  EXPECT_EQ(U32(bmp, 30), 0u);
  EXPECT_EQ(U32(bmp, 34), 8u);
  EXPECT_EQ(U32(bmp, 46), 256u);
  // Palette entries blue, green, red, 0; the unused ones zero.
  EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54, bmp.begin() + 62),
            (std::vector<std::uint8_t>{0, 0, 255, 0, 255, 0, 0, 0}));
  EXPECT_EQ(U32(bmp, 62), 0u);
  // The bottom row comes first.
  EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + offset, bmp.end()),
            (std::vector<std::uint8_t>{1, 1, 0, 0, 0, 1, 0, 0}));
}

TEST(BmpWriter, DeepBitmapsHaveNoPalette) {
  const std::vector<std::uint8_t> bmp = EncodeBmp(test::PatternBitmap(5, 3, 24));
  EXPECT_EQ(U32(bmp, 10), 54u);
  EXPECT_EQ(U32(bmp, 46), 0u);
  EXPECT_EQ(bmp.size(), 54u + 3 * 16);
}

TEST(BmpWriter, WriteFailureNamesTheFileAndTheReason) {
  test::TTempDir dir;
  const std::string name = (dir.Path() / "missing" / "x.bmp").string();
  try {
    WriteBmpFile(test::PatternBitmap(1, 1, 24), name);
    FAIL();
  } catch (const TFileError& e) {
    EXPECT_EQ(std::string(e.what()), name + ": No such file or directory");
  }
  const std::string good = (dir.Path() / "x.bmp").string();
  WriteBmpFile(test::PatternBitmap(2, 2, 32), good);
  EXPECT_EQ(ReadFileBytes(good), EncodeBmp(test::PatternBitmap(2, 2, 32)));
}

}  // namespace
}  // namespace tessaly::platform
