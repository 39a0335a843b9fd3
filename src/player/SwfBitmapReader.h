#pragma once
// Bitmap characters to images: JPEG data (with the stray SOI / EOI markers
// that SWF writers put around and inside it), zlib-compressed lossless
// pixels in formats 3, 4 and 5, and JPEG alpha planes.

#include <QImage>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaly::player {

// A bitmap wider or higher than this, or with more pixels, is refused.
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr int64_t kMaxBitmapPixels = int64_t{32} * 1024 * 1024;
// The bitmaps of a whole movie, decoded, hold at most this many pixels
// (256 MB); past it, bitmaps are left out.
inline constexpr int64_t kMaxMovieBitmapPixels = int64_t{64} * 1024 * 1024;

// Inflates a zlib stream into at most maxBytes bytes. Returns false when the
// stream is corrupt or would inflate to more than maxBytes (out then holds
// what came before the fault). A stream that ends early is not an error:
// out is simply shorter.
bool InflateBounded(std::span<const uint8_t> zlibData, size_t maxBytes, std::vector<uint8_t>& out);

// The JPEG bytes with a leading "FF D9 FF D8" or doubled "FF D8", and any
// EOI / SOI pair before the first scan, taken out: what a JPEG decoder reads.
std::vector<uint8_t> CleanJpegMarkers(std::span<const uint8_t> data);

// Decodes JPEG data (after CleanJpegMarkers) to an opaque image; a null
// image and a reason in error when it cannot.
QImage DecodeJpeg(std::span<const uint8_t> data, std::string& error);

// Puts a zlib-compressed plane of width * height alpha bytes onto image.
bool ApplyAlphaPlane(QImage& image, std::span<const uint8_t> zlibAlpha, std::string& error);

// The pixels of DefineBitsLossless (withAlpha false) or DefineBitsLossless2:
// data is everything after the width and height fields (the colour-table
// size byte included for format 3). Data that is corrupt or too short for
// the declared size gives a null image and the reason in error.
QImage DecodeLossless(int format, int width, int height, std::span<const uint8_t> data, bool withAlpha,
                      std::string& error);

}  // namespace tessaly::player
