#pragma once
// TBMPReader: a device-independent bitmap in memory, loaded from a BMP file
// (Windows or OS/2 headers, uncompressed, bit fields, RLE8, RLE4) or from a
// bitmap, with the palette compaction and colour counting that the lossless
// bitmap tags need.
//
// In memory the bitmap is always uncompressed: run-length data is decoded
// and bit-field pixels are converted to 5-5-5 words (16 bits) or blue,
// green, red, alpha bytes (32 bits). Rows are kept in the order the file
// stores them (bottom row first for a positive height).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace tessaly::swf {

using TRGBQuad = platform::TPaletteEntry;

// The info header of the bitmap in memory.
struct TBMPInfoHeader {
  int32_t Width = 0;
  // Negative for a bitmap stored from the top row down.
  int32_t Height = 0;
  uint16_t Planes = 1;
  uint16_t BitCount = 0;
  // 0 once loaded; the file's own compression is in FileCompression.
  uint32_t Compression = 0;
  uint32_t SizeImage = 0;
  // For 16 and 32 bits, the channel masks of the pixels in memory.
  uint32_t RedMask = 0;
  uint32_t GreenMask = 0;
  uint32_t BlueMask = 0;
  uint32_t AlphaMask = 0;
};

class TBMPReader {
 public:
  // Throws platform::TFileError when the file cannot be read and
  // platform::TImageError when it is not a BMP picture this reader handles
  // (bit counts 1, 4, 8, 16, 24, 32) or exceeds the bitmap limits. A
  // truncated file yields the pixels that are there; the rest stays 0.
  void LoadFromFile(const std::string& fileName);
  // The same for a BMP held in memory; `name` appears in error messages.
  void LoadFromBytes(std::span<const uint8_t> bytes, const std::string& name);
  // Copies a bitmap (the pixels behind a bitmap handle).
  void LoadFromHandle(const platform::TBitmap& bitmap);

  const TBMPInfoHeader& InfoHeader() const { return header_; }
  // The compression the file used: 0 none, 1 RLE8, 2 RLE4, 3 bit fields.
  uint32_t FileCompression() const { return fileCompression_; }
  int Width() const { return header_.Width; }
  int Height() const { return rows_; }
  int BitCount() const { return header_.BitCount; }
  bool TopDown() const { return header_.Height < 0; }

  // 256 entries of blue, green, red and alpha; the first 2^BitCount entries
  // of a palette bitmap start at alpha 255.
  std::array<TRGBQuad, 256>& Palette() { return palette_; }
  const std::array<TRGBQuad, 256>& Palette() const { return palette_; }

  // Bytes per row (a multiple of 4) and the padding bytes at its end.
  size_t Stride() const { return stride_; }
  size_t Padding() const { return padding_; }

  // Row i in storage order.
  std::span<uint8_t> StoredRow(int i);
  std::span<const uint8_t> StoredRow(int i) const;
  // Row y counted from the top of the picture as displayed.
  std::span<uint8_t> ScanLine(int y) { return StoredRow(TopDown() ? y : rows_ - 1 - y); }
  std::span<const uint8_t> ScanLine(int y) const { return StoredRow(TopDown() ? y : rows_ - 1 - y); }

  // Palette index of pixel x of a stored row of a palette bitmap.
  unsigned PixelIndex(std::span<const uint8_t> row, int x) const;

  // The number of colours in use. For 1, 4 and 8 bits the palette is first
  // compacted: the entries in use move to the front in their previous order,
  // the unused ones follow, and every pixel is renumbered. For 16, 24 and 32
  // bits the distinct red-green-blue values are counted and nothing changes.
  int CountColors();

 private:
  void Allocate(int width, int height, int bitCount);
  void SetPixelIndex(std::span<uint8_t> row, int x, unsigned index);
  void DecodeRunLength(std::span<const uint8_t> data, bool fourBits);
  void ConvertBitFields(uint32_t redMask, uint32_t greenMask, uint32_t blueMask, uint32_t alphaMask);
  void SetMemoryMasks();
  int CompactPalette();
  int CountDistinctColors() const;

  TBMPInfoHeader header_;
  uint32_t fileCompression_ = 0;
  std::array<TRGBQuad, 256> palette_{};
  std::vector<uint8_t> pixels_;
  size_t stride_ = 0;
  size_t padding_ = 0;
  int rows_ = 0;
};

}  // namespace tessaly::swf
