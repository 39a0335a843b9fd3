#include "swf/ImageReader.h"

#include <algorithm>
#include <cstring>

#include "platform/FileBytes.h"

namespace tessaly::swf {
namespace {

using platform::TImageError;

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
// The largest Windows header, BITMAPV5HEADER.
constexpr uint32_t kLargestHeaderSize = 124;

constexpr uint32_t kRGB = 0;
constexpr uint32_t kRLE8 = 1;
constexpr uint32_t kRLE4 = 2;
constexpr uint32_t kBitFields = 3;

// Little-endian reads that see zeros past the end of the data.
class TLittleEndian {
 public:
  explicit TLittleEndian(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint32_t U8(size_t at) const { return at < bytes_.size() ? bytes_[at] : 0; }
  uint32_t U16(size_t at) const { return U8(at) | (U8(at + 1) << 8); }
  uint32_t U32(size_t at) const { return U16(at) | (U16(at + 2) << 16); }
  int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }

 private:
  std::span<const uint8_t> bytes_;
};

// A channel mask as its lowest run of set bits.
struct TChannel {
  explicit TChannel(uint32_t mask) {
    if (mask == 0) return;
    while ((mask & 1u) == 0) {
      mask >>= 1;
      ++Shift;
    }
    while (Width < 32 && (mask & 1u)) {
      mask >>= 1;
      ++Width;
    }
  }
  // The channel of a pixel scaled to `bits` bits.
  uint32_t Scaled(uint32_t pixel, int bits) const {
    if (Width == 0) return 0;
    const uint64_t top = (uint64_t{1} << Width) - 1;
    const uint64_t value = (pixel >> Shift) & top;
    const uint64_t target = (uint64_t{1} << bits) - 1;
    return static_cast<uint32_t>((value * target * 2 + top) / (top * 2));
  }
  int Shift = 0;
  int Width = 0;
};

bool CompressionFits(uint32_t compression, int bitCount) {
  switch (compression) {
    case kRGB:
      return true;
    case kRLE8:
      return bitCount == 8;
    case kRLE4:
      return bitCount == 4;
    case kBitFields:
      return bitCount == 16 || bitCount == 32;
    default:
      return false;
  }
}

}  // namespace

void TBMPReader::LoadFromFile(const std::string& fileName) {
  LoadFromBytes(platform::ReadFileBytes(fileName), fileName);
}

void TBMPReader::Allocate(int width, int height, int bitCount) {
  platform::CheckBitmapSize(width, height, "bitmap");
  stride_ = platform::RowStride(width, bitCount);
  padding_ = stride_ - (static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 7) / 8;
  rows_ = height;
  pixels_.assign(stride_ * static_cast<size_t>(height), 0);
  header_.SizeImage = static_cast<uint32_t>(pixels_.size());
}

void TBMPReader::LoadFromBytes(std::span<const uint8_t> bytes, const std::string& name) {
  const TLittleEndian in(bytes);
  if (bytes.size() < kFileHeaderSize + kCoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
    throw TImageError(name + ": not a BMP picture");
  const uint32_t fileSize = in.U32(2);
  const uint32_t pixelOffset = in.U32(10);
  const uint32_t headerSize = in.U32(14);

  TBMPInfoHeader h;
  uint32_t colorsUsed = 0;
  uint32_t masks[4] = {};
  size_t paletteStart = kFileHeaderSize + headerSize;
  size_t entrySize = 4;
  if (headerSize == kCoreHeaderSize) {
    h.Width = static_cast<int32_t>(in.U16(18));
    h.Height = static_cast<int32_t>(in.U16(20));
    h.Planes = static_cast<uint16_t>(in.U16(22));
    h.BitCount = static_cast<uint16_t>(in.U16(24));
    entrySize = 3;
  } else if (headerSize >= kInfoHeaderSize && headerSize <= kLargestHeaderSize) {
    h.Width = in.I32(18);
    h.Height = in.I32(22);
    h.Planes = static_cast<uint16_t>(in.U16(26));
    h.BitCount = static_cast<uint16_t>(in.U16(28));
    h.Compression = in.U32(30);
    h.SizeImage = in.U32(34);
    colorsUsed = in.U32(46);
    if (h.Compression == kBitFields) {
      // Masks inside the larger headers, or right after the 40-byte one.
      for (size_t i = 0; i < 4; ++i) masks[i] = in.U32(kFileHeaderSize + kInfoHeaderSize + 4 * i);
      if (headerSize == kInfoHeaderSize) {
        masks[3] = 0;
        paletteStart += 12;
      } else if (headerSize < kInfoHeaderSize + 16) {
        masks[3] = 0;
      }
    }
  } else {
    throw TImageError(name + ": unsupported BMP header of " + std::to_string(headerSize) + " bytes");
  }

  const int bitCount = h.BitCount;
  if (!platform::IsSupportedBitCount(bitCount))
    throw TImageError(name + ": unsupported bit count " + std::to_string(bitCount));
  if (!CompressionFits(h.Compression, bitCount))
    throw TImageError(name + ": unsupported compression " + std::to_string(h.Compression) + " at " +
                      std::to_string(bitCount) + " bits");
  const int64_t rows = h.Height < 0 ? -int64_t{h.Height} : int64_t{h.Height};
  if (h.Width <= 0 || rows == 0)
    throw TImageError(name + ": invalid picture size " + std::to_string(h.Width) + " x " +
                      std::to_string(h.Height));
  platform::CheckBitmapSize(h.Width, rows, name);

  fileCompression_ = h.Compression;
  header_ = h;
  header_.Compression = kRGB;
  palette_.fill(TRGBQuad{});
  if (bitCount <= 8) {
    const uint32_t full = 1u << bitCount;
    const uint32_t entries = colorsUsed > 0 && colorsUsed < full ? colorsUsed : full;
    for (uint32_t i = 0; i < entries; ++i) {
      const size_t at = paletteStart + i * entrySize;
      palette_[i] = {static_cast<uint8_t>(in.U8(at)), static_cast<uint8_t>(in.U8(at + 1)),
                     static_cast<uint8_t>(in.U8(at + 2)), 0};
    }
    for (uint32_t i = 0; i < full; ++i) palette_[i].Alpha = 255;
  }
  Allocate(h.Width, static_cast<int>(rows), bitCount);

  if (pixelOffset >= bytes.size()) {
    SetMemoryMasks();
    return;
  }
  const size_t available = bytes.size() - pixelOffset;
  if (h.Compression == kRLE8 || h.Compression == kRLE4) {
    // The data runs to the file size the header gives, when that is sane.
    const size_t end = fileSize > pixelOffset && fileSize <= bytes.size() ? fileSize : bytes.size();
    DecodeRunLength(bytes.subspan(pixelOffset, end - pixelOffset), h.Compression == kRLE4);
  } else {
    size_t count = h.SizeImage == 0 ? pixels_.size() : std::min<size_t>(h.SizeImage, pixels_.size());
    count = std::min(count, available);
    std::memcpy(pixels_.data(), bytes.data() + pixelOffset, count);
    if (h.Compression == kBitFields) ConvertBitFields(masks[0], masks[1], masks[2], masks[3]);
  }
  SetMemoryMasks();
}

void TBMPReader::LoadFromHandle(const platform::TBitmap& bitmap) {
  header_ = TBMPInfoHeader{};
  header_.Width = bitmap.Width();
  header_.Height = bitmap.Height();
  header_.BitCount = static_cast<uint16_t>(bitmap.BitCount());
  fileCompression_ = kRGB;
  palette_.fill(TRGBQuad{});
  if (bitmap.BitCount() <= 8) {
    const size_t full = size_t{1} << bitmap.BitCount();
    for (size_t i = 0; i < full; ++i) {
      if (i < bitmap.Palette().size()) palette_[i] = bitmap.Palette()[i];
      palette_[i].Alpha = 255;
    }
  }
  Allocate(bitmap.Width(), bitmap.Height(), bitmap.BitCount());
  // Stored from the bottom row up, as a bitmap handle's DIB is.
  for (int i = 0; i < rows_; ++i) {
    const auto source = bitmap.Row(rows_ - 1 - i);
    std::copy(source.begin(), source.end(), StoredRow(i).begin());
  }
  SetMemoryMasks();
}

void TBMPReader::SetMemoryMasks() {
  header_.RedMask = header_.GreenMask = header_.BlueMask = header_.AlphaMask = 0;
  if (header_.BitCount == 16) {
    header_.RedMask = 0x7C00;
    header_.GreenMask = 0x03E0;
    header_.BlueMask = 0x001F;
  } else if (header_.BitCount == 32) {
    header_.RedMask = 0x00FF0000;
    header_.GreenMask = 0x0000FF00;
    header_.BlueMask = 0x000000FF;
    header_.AlphaMask = 0xFF000000;
  }
}

std::span<uint8_t> TBMPReader::StoredRow(int i) {
  return std::span<uint8_t>(pixels_).subspan(static_cast<size_t>(i) * stride_, stride_);
}

std::span<const uint8_t> TBMPReader::StoredRow(int i) const {
  return std::span<const uint8_t>(pixels_).subspan(static_cast<size_t>(i) * stride_, stride_);
}

unsigned TBMPReader::PixelIndex(std::span<const uint8_t> row, int x) const {
  switch (header_.BitCount) {
    case 1:
      return (row[static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1u;
    case 4:
      return x % 2 == 0 ? row[static_cast<size_t>(x / 2)] >> 4 : row[static_cast<size_t>(x / 2)] & 0x0Fu;
    default:
      return row[static_cast<size_t>(x)];
  }
}

void TBMPReader::SetPixelIndex(std::span<uint8_t> row, int x, unsigned index) {
  uint8_t& byte = row[static_cast<size_t>(header_.BitCount == 1 ? x / 8 : header_.BitCount == 4 ? x / 2 : x)];
  switch (header_.BitCount) {
    case 1: {
      const auto mask = static_cast<uint8_t>(0x80u >> (x % 8));
      byte = static_cast<uint8_t>((byte & ~mask) | ((index & 1u) ? mask : 0u));
      break;
    }
    case 4:
      byte = x % 2 == 0 ? static_cast<uint8_t>((byte & 0x0Fu) | ((index & 0x0Fu) << 4))
                        : static_cast<uint8_t>((byte & 0xF0u) | (index & 0x0Fu));
      break;
    default:
      byte = static_cast<uint8_t>(index);
  }
}

// Standard BMP run-length data, rows in storage order. Encoded runs repeat a
// value (RLE4: its two nibbles in turn); the escape 0 is followed by 0 (end
// of line), 1 (end of bitmap), 2 (a delta of columns and rows) or a count of
// 3 or more (an absolute run, its bytes padded to an even number). Pixels
// beyond the row width are dropped.
void TBMPReader::DecodeRunLength(std::span<const uint8_t> data, bool fourBits) {
  const int width = header_.Width;
  int64_t x = 0;
  int64_t y = 0;
  size_t p = 0;
  auto put = [&](unsigned index) {
    if (x < width && y < rows_) SetPixelIndex(StoredRow(static_cast<int>(y)), static_cast<int>(x), index);
    if (x < width) ++x;
  };
  while (p + 1 < data.size() && y < rows_) {
    const unsigned count = data[p];
    const unsigned value = data[p + 1];
    p += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) put(fourBits ? (i % 2 == 0 ? value >> 4 : value & 0x0Fu) : value);
      continue;
    }
    switch (value) {
      case 0:
        x = 0;
        ++y;
        break;
      case 1:
        return;
      case 2:
        if (p + 1 >= data.size()) return;
        x = std::min<int64_t>(x + data[p], width);
        y += data[p + 1];
        p += 2;
        break;
      default: {
        const size_t bytes = fourBits ? (value + 1) / 2 : value;
        for (unsigned i = 0; i < value; ++i) {
          const size_t at = p + (fourBits ? i / 2 : i);
          if (at >= data.size()) return;
          put(fourBits ? (i % 2 == 0 ? data[at] >> 4 : data[at] & 0x0Fu) : data[at]);
        }
        p += bytes + (bytes & 1u);
      }
    }
  }
}

// Converts bit-field pixels to the layouts of uncompressed bitmaps. Without
// an alpha mask, a 32-bit pixel's alpha is the run of bits above the colour
// masks (the fourth byte for the usual masks), as for uncompressed pixels.
void TBMPReader::ConvertBitFields(uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                                  uint32_t alphaMask) {
  const TChannel red(redMask), green(greenMask), blue(blueMask);
  const int bitCount = header_.BitCount;
  if (bitCount == 32 && alphaMask == 0) {
    const uint32_t rest = ~(redMask | greenMask | blueMask);
    const TChannel above(rest);
    alphaMask = above.Width == 0 ? 0 : static_cast<uint32_t>(((uint64_t{1} << above.Width) - 1) << above.Shift);
  }
  const TChannel alpha(alphaMask);
  for (int i = 0; i < rows_; ++i) {
    const auto row = StoredRow(i);
    for (int x = 0; x < header_.Width; ++x) {
      if (bitCount == 16) {
        uint8_t* p = &row[2 * static_cast<size_t>(x)];
        const uint32_t v = p[0] | (p[1] << 8);
        const uint32_t word = (red.Scaled(v, 5) << 10) | (green.Scaled(v, 5) << 5) | blue.Scaled(v, 5);
        p[0] = static_cast<uint8_t>(word);
        p[1] = static_cast<uint8_t>(word >> 8);
      } else {
        uint8_t* p = &row[4 * static_cast<size_t>(x)];
        const uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
        p[0] = static_cast<uint8_t>(blue.Scaled(v, 8));
        p[1] = static_cast<uint8_t>(green.Scaled(v, 8));
        p[2] = static_cast<uint8_t>(red.Scaled(v, 8));
        p[3] = static_cast<uint8_t>(alphaMask == 0 ? 255 : alpha.Scaled(v, 8));
      }
    }
  }
}

int TBMPReader::CountColors() {
  if (pixels_.empty()) return 0;
  return header_.BitCount <= 8 ? CompactPalette() : CountDistinctColors();
}

int TBMPReader::CompactPalette() {
  std::array<bool, 256> used{};
  for (int i = 0; i < rows_; ++i) {
    const auto row = StoredRow(i);
    for (int x = 0; x < header_.Width; ++x) used[PixelIndex(row, x)] = true;
  }
  std::array<uint8_t, 256> renumber{};
  std::array<TRGBQuad, 256> compacted{};
  int next = 0;
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < 256; ++i)
      if (used[static_cast<size_t>(i)] == (pass == 0)) {
        renumber[static_cast<size_t>(i)] = static_cast<uint8_t>(next);
        compacted[static_cast<size_t>(next++)] = palette_[static_cast<size_t>(i)];
      }
  const int count = static_cast<int>(std::count(used.begin(), used.end(), true));
  // Pixels address only the first 2^BitCount entries, so the compacted table
  // is a reordering of those.
  const size_t full = size_t{1} << header_.BitCount;
  std::copy(compacted.begin(), compacted.begin() + static_cast<long>(full), palette_.begin());
  for (int i = 0; i < rows_; ++i) {
    const auto row = StoredRow(i);
    for (int x = 0; x < header_.Width; ++x) SetPixelIndex(row, x, renumber[PixelIndex(row, x)]);
  }
  return count;
}

int TBMPReader::CountDistinctColors() const {
  const int bitCount = header_.BitCount;
  // One bit per possible colour value.
  std::vector<bool> seen(bitCount == 16 ? size_t{1} << 15 : size_t{1} << 24);
  int count = 0;
  for (int i = 0; i < rows_; ++i) {
    const auto row = StoredRow(i);
    for (int x = 0; x < header_.Width; ++x) {
      uint32_t key;
      if (bitCount == 16) {
        key = (row[2 * static_cast<size_t>(x)] | (row[2 * static_cast<size_t>(x) + 1] << 8)) & 0x7FFFu;
      } else {
        const uint8_t* p = &row[static_cast<size_t>(x) * static_cast<size_t>(bitCount / 8)];
        key = (static_cast<uint32_t>(p[2]) << 16) | (p[1] << 8) | p[0];
      }
      if (!seen[key]) {
        seen[key] = true;
        ++count;
      }
    }
  }
  return count;
}

}  // namespace tessaly::swf
