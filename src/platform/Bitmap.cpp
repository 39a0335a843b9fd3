#include "platform/Bitmap.h"

#include <algorithm>

namespace tessaly::platform {

void CheckBitmapSize(std::int64_t width, std::int64_t height, const std::string& what) {
  if (width < 0 || height < 0)
    throw TImageError(what + ": invalid picture size " + std::to_string(width) + " x " +
                      std::to_string(height));
  if (width > kMaxBitmapSide || height > kMaxBitmapSide || width * height > kMaxBitmapPixels)
    throw TImageError(what + ": picture of " + std::to_string(width) + " x " +
                      std::to_string(height) + " pixels is too large");
}

bool IsSupportedBitCount(int bitCount) {
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

std::size_t RowStride(int width, int bitCount) {
  const std::size_t bits = static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount);
  return (bits + 31) / 32 * 4;
}

TBitmap::TBitmap(int width, int height, int bitCount)
    : width_(width), height_(height), bitCount_(bitCount) {
  if (!IsSupportedBitCount(bitCount))
    throw TImageError("unsupported bit count " + std::to_string(bitCount));
  CheckBitmapSize(width, height, "bitmap");
  stride_ = RowStride(width, bitCount);
  pixels_.assign(stride_ * static_cast<std::size_t>(height), 0);
}

std::span<std::uint8_t> TBitmap::Row(int y) {
  return std::span<std::uint8_t>(pixels_).subspan(static_cast<std::size_t>(y) * stride_, stride_);
}

std::span<const std::uint8_t> TBitmap::Row(int y) const {
  return std::span<const std::uint8_t>(pixels_).subspan(static_cast<std::size_t>(y) * stride_,
                                                        stride_);
}

unsigned TBitmap::Index(int x, int y) const {
  const auto row = Row(y);
  switch (bitCount_) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1u;
    case 4:
      return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0Fu;
    default:
      return row[x];
  }
}

void TBitmap::SetIndex(int x, int y, unsigned index) {
  const auto row = Row(y);
  switch (bitCount_) {
    case 1: {
      const std::uint8_t mask = static_cast<std::uint8_t>(0x80u >> (x % 8));
      row[x / 8] = static_cast<std::uint8_t>((row[x / 8] & ~mask) | ((index & 1u) ? mask : 0u));
      break;
    }
    case 4:
      if (x % 2 == 0)
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0x0Fu) | ((index & 0x0Fu) << 4));
      else
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0xF0u) | (index & 0x0Fu));
      break;
    default:
      row[x] = static_cast<std::uint8_t>(index);
  }
}

void TBitmap::FillIndex(unsigned index) {
  std::uint8_t pattern = static_cast<std::uint8_t>(index);
  if (bitCount_ == 1) pattern = (index & 1u) ? 0xFF : 0x00;
  if (bitCount_ == 4) pattern = static_cast<std::uint8_t>((index & 0x0Fu) * 0x11u);
  std::fill(pixels_.begin(), pixels_.end(), pattern);
}

TRgb TBitmap::PixelColor(int x, int y) const {
  const auto row = Row(y);
  switch (bitCount_) {
    case 16: {
      const unsigned word = row[2 * x] | (row[2 * x + 1] << 8);
      auto expand = [](unsigned five) { return static_cast<std::uint8_t>((five << 3) | (five >> 2)); };
      return {expand((word >> 10) & 31u), expand((word >> 5) & 31u), expand(word & 31u)};
    }
    case 24:
      return {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    case 32:
      return {row[4 * x + 2], row[4 * x + 1], row[4 * x]};
    default: {
      const unsigned index = Index(x, y);
      if (index >= palette_.size()) return {};
      const TPaletteEntry& e = palette_[index];
      return {e.Red, e.Green, e.Blue};
    }
  }
}

}  // namespace tessaly::platform
