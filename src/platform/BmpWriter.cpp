#include "platform/BmpWriter.h"

#include "platform/FileBytes.h"

namespace tessaly::platform {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFFu);
  PutU16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap) {
  // A full colour table, so that no reader takes pixel bytes for colours.
  const std::uint32_t paletteEntries = bitmap.BitCount() <= 8 ? 1u << bitmap.BitCount() : 0;
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteEntries;
  const auto imageSize = static_cast<std::uint32_t>(bitmap.Stride() * static_cast<std::size_t>(bitmap.Height()));

  std::vector<std::uint8_t> out;
  out.reserve(offset + imageSize);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  PutU32(out, offset + imageSize);
  PutU32(out, 0);
  PutU32(out, offset);
  // BITMAPINFOHEADER
  PutU32(out, kInfoHeaderSize);
  PutU32(out, static_cast<std::uint32_t>(bitmap.Width()));
  PutU32(out, static_cast<std::uint32_t>(bitmap.Height()));
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint32_t>(bitmap.BitCount()));
  PutU32(out, 0);  // BI_RGB
  PutU32(out, imageSize);
  PutU32(out, 2835);  // 72 dots per inch
  PutU32(out, 2835);
  PutU32(out, paletteEntries);
  PutU32(out, 0);
  for (std::uint32_t i = 0; i < paletteEntries; ++i) {
    const TPaletteEntry e = i < bitmap.Palette().size() ? bitmap.Palette()[i] : TPaletteEntry{};
    out.insert(out.end(), {e.Blue, e.Green, e.Red, 0});
  }
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const auto row = bitmap.Row(y);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

void WriteBmpFile(const TBitmap& bitmap, const std::string& fileName) {
  WriteFileBytes(fileName, EncodeBmp(bitmap));
}

}  // namespace tessaly::platform
