#pragma once
// The in-memory bitmap that stands where the Windows program held a GDI
// bitmap handle or DIB section: width, height, bit count, a palette of
// four-byte entries and pixel rows padded to four bytes.
//
// Rows are kept from the top of the picture down. Pixel layouts per bit
// count: 1, 4 and 8 bits hold palette indexes (1-bit pixels from the most
// significant bit of each byte, 4-bit pixels high nibble first); 16 bits a
// little-endian 5-5-5 word (bit 15 unused); 24 bits blue, green, red; 32 bits
// blue, green, red, alpha.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaly::platform {

// A picture that cannot be decoded: not of the expected format, damaged, or
// larger than the limits below.
class TImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Limits that protect against forged headers: no side may exceed
// kMaxBitmapSide pixels and no picture may hold more than kMaxBitmapPixels.
inline constexpr std::int64_t kMaxBitmapSide = 32767;
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 26;

// Throws TImageError naming `what` unless width and height are both within
// 0 .. kMaxBitmapSide and their product within kMaxBitmapPixels.
void CheckBitmapSize(std::int64_t width, std::int64_t height, const std::string& what);

// True for the bit counts a bitmap may have: 1, 4, 8, 16, 24 and 32.
bool IsSupportedBitCount(int bitCount);

// Bytes per row for the given width and bit count, rounded up to 4.
std::size_t RowStride(int width, int bitCount);

struct TPaletteEntry {
  std::uint8_t Blue = 0;
  std::uint8_t Green = 0;
  std::uint8_t Red = 0;
  std::uint8_t Alpha = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

struct TRgb {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

class TBitmap {
 public:
  TBitmap() = default;
  // A zero-filled bitmap. Throws TImageError for an unsupported bit count or
  // a size beyond the limits.
  TBitmap(int width, int height, int bitCount);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return bitCount_; }
  std::size_t Stride() const { return stride_; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  // A bitmap of one bit per pixel.
  bool IsMonochrome() const { return bitCount_ == 1; }

  // The colour table of a bitmap of up to 8 bits (at most 256 entries).
  std::vector<TPaletteEntry>& Palette() { return palette_; }
  const std::vector<TPaletteEntry>& Palette() const { return palette_; }

  // Row y, counted from the top; Stride() bytes.
  std::span<std::uint8_t> Row(int y);
  std::span<const std::uint8_t> Row(int y) const;
  std::span<std::uint8_t> Pixels() { return pixels_; }
  std::span<const std::uint8_t> Pixels() const { return pixels_; }

  // Palette index of pixel (x, y) of a bitmap of up to 8 bits.
  unsigned Index(int x, int y) const;
  void SetIndex(int x, int y, unsigned index);
  // Sets every pixel of a bitmap of up to 8 bits to the index.
  void FillIndex(unsigned index);
  // The colour of pixel (x, y) at any bit count; an index outside the palette
  // gives black.
  TRgb PixelColor(int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  int bitCount_ = 24;
  std::size_t stride_ = 0;
  std::vector<TPaletteEntry> palette_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace tessaly::platform
