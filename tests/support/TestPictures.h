#pragma once
// Picture files generated in code for the tests of every layer: BMP files in
// every bit depth and header kind, GIFs written with giflib, baseline and
// progressive JPEGs written with libjpeg, and a scratch folder for them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace tessaly::test {

using TBytes = std::vector<std::uint8_t>;

// A bitmap with a deterministic pattern: palette bitmaps get a palette of
// 2^bitCount distinct grey-blue colours and the index (x + 2y) mod 2^bitCount;
// deeper bitmaps get the colour (40x mod 256, 30y mod 256, 7(x+y) mod 256),
// 16-bit pixels as 5-5-5 words and 32-bit pixels with alpha 255.
platform::TBitmap PatternBitmap(int width, int height, int bitCount);

// A palette bitmap of the given indexes (rows from the top) and colours.
platform::TBitmap IndexedBitmap(int width, int bitCount, const std::vector<std::vector<unsigned>>& rows,
                                const std::vector<platform::TRgb>& colors);

struct TBmpOptions {
  // 40 (Windows), 12 (OS/2 core) or any larger Windows header size (108, 124).
  std::uint32_t HeaderSize = 40;
  // Negative height: rows stored from the top.
  bool TopDown = false;
  // 0 (BI_RGB) or 3 (BI_BITFIELDS, 16 and 32 bits; the pixel words are packed
  // from the bitmap's own layout into the masks below).
  std::uint32_t Compression = 0;
  std::uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0, AlphaMask = 0;
  // Overrides of the header fields; absent means the correct value.
  std::optional<std::uint32_t> SizeImage;
  std::optional<std::uint32_t> ColorsUsed;
};

// A BMP file of the bitmap; for bit fields the pixels are repacked into the
// masks (channels scaled from 8 or 5 bits to the mask widths).
TBytes MakeBmp(const platform::TBitmap& bitmap, const TBmpOptions& options = {});

// A run-length BMP (bitCount 8: RLE8, 4: RLE4) with the given encoded bytes.
TBytes MakeRleBmp(int width, int height, int bitCount, const std::vector<platform::TRgb>& colors,
                  const TBytes& encoded);

struct TGifFrameSpec {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::vector<std::uint8_t> Indexes;  // Width x Height, rows from the top
  std::vector<platform::TRgb> LocalColors;  // empty: the global table
  int TransparentIndex = -1;  // a graphic control extension when >= 0
  bool Interlaced = false;
  bool Looping = false;  // a NETSCAPE2.0 extension before the frame
  std::string Comment;  // a comment extension before the frame when not empty
};

struct TGifSpec {
  int ScreenWidth = 0, ScreenHeight = 0;
  int BackgroundIndex = 0;
  std::vector<platform::TRgb> GlobalColors;  // a power of two, 2 .. 256 entries
  std::vector<TGifFrameSpec> Frames;
};

TBytes MakeGif(const TGifSpec& spec);

// A GIF of one full-screen frame with a global table; the frame's indexes are
// (x + y) mod colours.size(); transparentIndex -1 for none.
TBytes SimpleGif(int width, int height, const std::vector<platform::TRgb>& colors, int transparentIndex);

// A JPEG of a 24-bit bitmap (grey: one component from the green channel).
TBytes MakeJpeg(const platform::TBitmap& bitmap, bool progressive, int quality = 90, bool grey = false);

// A fresh folder under the system's temporary folder, removed with the object.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Writes the bytes to the named file in the folder and returns its path.
  std::string Write(const std::string& name, std::span<const std::uint8_t> bytes) const;

 private:
  std::filesystem::path path_;
};

}  // namespace tessaly::test
