#pragma once
// JPEG pictures: the size read from the frame marker, the test for a
// progressive picture, and decoding to a bitmap (for progressive pictures,
// which the movie takes as a lossless bitmap instead of JPEG data).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace tessaly::platform {

struct TJpegSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TJpegSize&, const TJpegSize&) = default;
};

// Walks the markers from the start of the data to the first baseline or
// extended sequential frame header (C0 or C1) and returns its size; 0 x 0
// when the data does not start with FF D8 or holds no such frame before it
// ends (a progressive picture among them).
TJpegSize ProbeJpegSize(std::span<const std::uint8_t> bytes);

struct TJpegInfo {
  int Width = 0;
  int Height = 0;
  int Components = 0;
  bool Progressive = false;
};

// Reads the headers with libjpeg. Throws TImageError naming `name` when the
// data is not a JPEG picture or is damaged in its headers.
TJpegInfo ReadJpegInfo(std::span<const std::uint8_t> bytes, const std::string& name);
TJpegInfo ReadJpegInfoOfFile(const std::string& fileName);

// Decodes the picture to a 24-bit bitmap (grey and CMYK pictures converted to
// RGB). Data missing at the end of the picture leaves the rest grey, as
// libjpeg fills it. Throws TImageError for pictures that cannot be decoded or
// exceed the bitmap limits.
TBitmap DecodeJpeg(std::span<const std::uint8_t> bytes, const std::string& name);

// Encodes a bitmap of any bit count as a baseline JPEG (three components,
// the given quality).
std::vector<std::uint8_t> EncodeJpeg(const TBitmap& bitmap, int quality = 90);

}  // namespace tessaly::platform
