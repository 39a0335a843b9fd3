#pragma once
// The reference banner: one 468 x 60 design that uses every kind of
// background fill and item, defined once for the tests, tools and
// benchmarks of every layer. Its pictures are generated into a folder of
// its own.
//
//  background  horizontal gradient, light blue to white, 2-pixel navy border
//  item 1      red rectangle, 40 % transparent, 3-pixel black border
//  item 2      five-pointed star, radial yellow-orange gradient
//  item 3      green pie (upper half circle)
//  item 4      purple ring
//  item 5      rounded rectangle filled with a BMP picture, 1-pixel border
//  item 6      JPEG picture, 30 % transparent
//  item 7      GIF picture with a transparent colour
//  item 8      bold Latin text "Tessaly" with a grey shadow
//  item 9      Chinese text "横幅设计"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/BannerDocument.h"
#include "document/BuildContext.h"
#include "support/TestPictures.h"

namespace tessaly::test {

// A preview host that keeps the movie it was given last.
class TMemoryPreviewHost : public document::TPreviewHost {
 public:
  void SetSize(std::int32_t width, std::int32_t height) override {
    Width_ = width;
    Height_ = height;
  }
  std::int32_t Width() const override { return Width_; }
  std::int32_t Height() const override { return Height_; }
  void Stop() override { ++Stops; }
  void LoadMovie(std::span<const std::uint8_t> bytes) override {
    Movie.assign(bytes.begin(), bytes.end());
    ++Loads;
  }
  void Play() override { ++Plays; }

  std::vector<std::uint8_t> Movie;
  int Loads = 0;
  int Plays = 0;
  int Stops = 0;

 private:
  std::int32_t Width_ = 0;
  std::int32_t Height_ = 0;
};

class TReferenceBanner {
 public:
  // Writes the pictures and fills Document.
  TReferenceBanner();

  document::TBannerDocument Document;
  TTempDir Folder;
  std::string BmpFillPicture;  // 32 x 24, 24-bit
  std::string JpegPicture;     // 48 x 48 baseline
  std::string GifPicture;      // 40 x 40, palette index 0 transparent

  // Item indexes.
  static constexpr int TranslucentRectangle = 1;
  static constexpr int GradientStar = 2;
  static constexpr int Pie = 3;
  static constexpr int Ring = 4;
  static constexpr int PictureFilledRoundRect = 5;
  static constexpr int JpegItem = 6;
  static constexpr int GifItem = 7;
  static constexpr int LatinText = 8;
  static constexpr int ChineseText = 9;
  static constexpr int ItemCount = 9;
};

}  // namespace tessaly::test
