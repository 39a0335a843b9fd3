// Writes the seed corpus of the fuzz targets: <folder>/gif, <folder>/jpeg and
// <folder>/bmp, each with small valid pictures of the variants the decoders
// handle.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/TestPictures.h"

namespace {

using namespace tessaly;

void Save(const std::filesystem::path& folder, const std::string& name, const test::TBytes& bytes) {
  std::filesystem::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void GifSeeds(const std::filesystem::path& folder) {
  const std::vector<platform::TRgb> colors = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}};
  Save(folder, "simple.gif", test::SimpleGif(8, 5, colors, -1));
  Save(folder, "transparent.gif", test::SimpleGif(4, 4, colors, 1));
  test::TGifSpec spec;
  spec.ScreenWidth = 6;
  spec.ScreenHeight = 9;
  spec.GlobalColors = colors;
  for (int k = 0; k < 3; ++k) {
    test::TGifFrameSpec frame;
    frame.Left = k;
    frame.Top = k;
    frame.Width = 3;
    frame.Height = 9 - 2 * k;
    frame.Indexes.assign(static_cast<size_t>(frame.Width * frame.Height), static_cast<uint8_t>(k));
    frame.Interlaced = k == 1;
    frame.Looping = k == 0;
    frame.Comment = k == 2 ? "seed" : "";
    frame.TransparentIndex = k == 0 ? 3 : -1;
    if (k == 2) frame.LocalColors = {{9, 9, 9}, {1, 1, 1}};
    spec.Frames.push_back(frame);
  }
  Save(folder, "animated.gif", test::MakeGif(spec));
}

void JpegSeeds(const std::filesystem::path& folder) {
  const platform::TBitmap picture = test::PatternBitmap(16, 12, 24);
  Save(folder, "baseline.jpg", test::MakeJpeg(picture, false, 50));
  Save(folder, "progressive.jpg", test::MakeJpeg(picture, true, 50));
  Save(folder, "grey.jpg", test::MakeJpeg(picture, false, 50, true));
}

void BmpSeeds(const std::filesystem::path& folder) {
  for (int bitCount : {1, 4, 8, 16, 24, 32})
    Save(folder, "depth" + std::to_string(bitCount) + ".bmp", test::MakeBmp(test::PatternBitmap(5, 3, bitCount)));
  test::TBmpOptions os2;
  os2.HeaderSize = 12;
  Save(folder, "os2.bmp", test::MakeBmp(test::PatternBitmap(5, 3, 8), os2));
  test::TBmpOptions fields;
  fields.Compression = 3;
  fields.RedMask = 0xF800;
  fields.GreenMask = 0x07E0;
  fields.BlueMask = 0x001F;
  Save(folder, "rgb565.bmp", test::MakeBmp(test::PatternBitmap(5, 3, 16), fields));
  fields.HeaderSize = 124;
  fields.RedMask = 0x000000FF;
  fields.GreenMask = 0x0000FF00;
  fields.BlueMask = 0x00FF0000;
  fields.AlphaMask = 0xFF000000;
  Save(folder, "v5.bmp", test::MakeBmp(test::PatternBitmap(5, 3, 32), fields));
  Save(folder, "rle8.bmp", test::MakeRleBmp(6, 3, 8, {}, {3, 5, 0, 3, 1, 2, 3, 0, 0, 0, 2, 7, 0, 2, 1, 1, 4, 9, 0, 1}));
  Save(folder, "rle4.bmp", test::MakeRleBmp(5, 2, 4, {}, {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1}));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  GifSeeds(folder / "gif");
  JpegSeeds(folder / "jpeg");
  BmpSeeds(folder / "bmp");
  return 0;
}
