#include "support/TestPictures.h"

#include <gif_lib.h>
#include <stdlib.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>

#include <jpeglib.h>

namespace tessaly::test {
namespace {

using platform::TBitmap;
using platform::TPaletteEntry;
using platform::TRgb;

void PutU16(TBytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(TBytes& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFFu);
  PutU16(out, v >> 16);
}

int MaskShift(std::uint32_t mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1u) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

int MaskWidth(std::uint32_t mask) {
  mask >>= MaskShift(mask);
  int width = 0;
  while (mask & 1u) {
    mask >>= 1;
    ++width;
  }
  return width;
}

std::uint32_t PackChannel(unsigned value8, std::uint32_t mask) {
  const int width = MaskWidth(mask);
  if (width == 0) return 0;
  const std::uint32_t top = (1u << width) - 1;
  return ((value8 * top + 127) / 255) << MaskShift(mask);
}

// The pixel x of a bitmap row packed into the masks.
std::uint32_t PackPixel(const TBitmap& bitmap, int x, int y, const TBmpOptions& o) {
  const TRgb c = bitmap.PixelColor(x, y);
  const unsigned alpha = bitmap.BitCount() == 32 ? bitmap.Row(y)[4 * x + 3] : 255;
  return PackChannel(c.Red, o.RedMask) | PackChannel(c.Green, o.GreenMask) |
         PackChannel(c.Blue, o.BlueMask) | PackChannel(alpha, o.AlphaMask);
}

TBytes StoredRow(const TBitmap& bitmap, int y, const TBmpOptions& o) {
  const auto row = bitmap.Row(y);
  if (o.Compression != 3) return TBytes(row.begin(), row.end());
  TBytes out;
  for (int x = 0; x < bitmap.Width(); ++x) {
    const std::uint32_t v = PackPixel(bitmap, x, y, o);
    if (bitmap.BitCount() == 16)
      PutU16(out, v);
    else
      PutU32(out, v);
  }
  out.resize(bitmap.Stride(), 0);
  return out;
}

std::vector<TPaletteEntry> PaletteOf(const std::vector<TRgb>& colors) {
  std::vector<TPaletteEntry> palette;
  for (const TRgb& c : colors) palette.push_back({c.Blue, c.Green, c.Red, 255});
  return palette;
}

std::vector<GifColorType> GifColors(const std::vector<TRgb>& colors) {
  std::size_t size = 2;
  while (size < colors.size()) size *= 2;
  std::vector<GifColorType> out(size, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < colors.size(); ++i) out[i] = {colors[i].Red, colors[i].Green, colors[i].Blue};
  return out;
}

struct TMapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using TMapPtr = std::unique_ptr<ColorMapObject, TMapDeleter>;

TMapPtr MakeMap(const std::vector<TRgb>& colors) {
  if (colors.empty()) return nullptr;
  std::vector<GifColorType> table = GifColors(colors);
  return TMapPtr(GifMakeMapObject(static_cast<int>(table.size()), table.data()));
}

int WriteToBytes(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<TBytes*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("test GIF writer: ") + what);
}

std::vector<int> InterlacedOrder(int height) {
  std::vector<int> order;
  const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = start[pass]; y < height; y += step[pass]) order.push_back(y);
  return order;
}

void PutFrame(GifFileType* gif, const TGifFrameSpec& f) {
  if (f.Looping) {
    Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK, "leader");
    const GifByteType id[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType loop[] = {1, 0, 0};
    Check(EGifPutExtensionBlock(gif, sizeof id, id) == GIF_OK, "application id");
    Check(EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK, "loop block");
    Check(EGifPutExtensionTrailer(gif) == GIF_OK, "trailer");
  }
  if (!f.Comment.empty()) Check(EGifPutComment(gif, f.Comment.c_str()) == GIF_OK, "comment");
  if (f.TransparentIndex >= 0) {
    const GifByteType control[] = {1, 0, 0, static_cast<GifByteType>(f.TransparentIndex)};
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof control, control) == GIF_OK, "control");
  }
  const TMapPtr local = MakeMap(f.LocalColors);
  Check(EGifPutImageDesc(gif, f.Left, f.Top, f.Width, f.Height, f.Interlaced, local.get()) == GIF_OK,
        "image descriptor");
  std::vector<int> order;
  if (f.Interlaced) order = InterlacedOrder(f.Height);
  for (int i = 0; i < f.Height; ++i) {
    const int y = f.Interlaced ? order[static_cast<std::size_t>(i)] : i;
    std::vector<GifPixelType> line(f.Indexes.begin() + y * f.Width, f.Indexes.begin() + (y + 1) * f.Width);
    Check(EGifPutLine(gif, line.data(), f.Width) == GIF_OK, "line");
  }
}

struct TJpegWriteErrors {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void JpegWriteErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TJpegWriteErrors*>(info->err)->jump, 1);
}

struct TJpegWriter {
  jpeg_compress_struct cinfo{};
  TJpegWriteErrors errors{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<JSAMPLE> row;
  ~TJpegWriter() {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
  }
};

}  // namespace

TBitmap PatternBitmap(int width, int height, int bitCount) {
  TBitmap bitmap(width, height, bitCount);
  if (bitCount <= 8) {
    const unsigned colors = 1u << bitCount;
    for (unsigned i = 0; i < colors; ++i)
      bitmap.Palette().push_back({static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i),
                                  static_cast<std::uint8_t>(i * 7), 255});
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) bitmap.SetIndex(x, y, static_cast<unsigned>(x + 2 * y) % colors);
    return bitmap;
  }
  for (int y = 0; y < height; ++y) {
    const auto row = bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      const unsigned r = (40u * x) % 256, g = (30u * y) % 256, b = (7u * (x + y)) % 256;
      if (bitCount == 16) {
        const unsigned word = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
        row[2 * x] = static_cast<std::uint8_t>(word);
        row[2 * x + 1] = static_cast<std::uint8_t>(word >> 8);
      } else {
        const int n = bitCount / 8;
        row[n * x] = static_cast<std::uint8_t>(b);
        row[n * x + 1] = static_cast<std::uint8_t>(g);
        row[n * x + 2] = static_cast<std::uint8_t>(r);
        if (n == 4) row[n * x + 3] = 255;
      }
    }
  }
  return bitmap;
}

TBitmap IndexedBitmap(int width, int bitCount, const std::vector<std::vector<unsigned>>& rows,
                      const std::vector<TRgb>& colors) {
  TBitmap bitmap(width, static_cast<int>(rows.size()), bitCount);
  bitmap.Palette() = PaletteOf(colors);
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < width; ++x) bitmap.SetIndex(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
  return bitmap;
}

TBytes MakeBmp(const TBitmap& bitmap, const TBmpOptions& o) {
  const bool os2 = o.HeaderSize == 12;
  const std::uint32_t fullPalette = bitmap.BitCount() <= 8 ? 1u << bitmap.BitCount() : 0;
  const std::uint32_t entries = o.ColorsUsed.value_or(0) != 0 ? *o.ColorsUsed : fullPalette;
  const std::uint32_t entrySize = os2 ? 3 : 4;
  const std::uint32_t trailingMasks = (o.HeaderSize == 40 && o.Compression == 3) ? 12 : 0;
  const std::uint32_t offset = 14 + o.HeaderSize + trailingMasks + entries * entrySize;
  const auto imageSize = static_cast<std::uint32_t>(bitmap.Stride() * bitmap.Height());

  TBytes out{'B', 'M'};
  PutU32(out, offset + imageSize);
  PutU32(out, 0);
  PutU32(out, offset);
  if (os2) {
    PutU32(out, 12);
    PutU16(out, static_cast<std::uint32_t>(bitmap.Width()));
    PutU16(out, static_cast<std::uint32_t>(bitmap.Height()));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(bitmap.BitCount()));
  } else {
    PutU32(out, o.HeaderSize);
    PutU32(out, static_cast<std::uint32_t>(bitmap.Width()));
    PutU32(out, static_cast<std::uint32_t>(o.TopDown ? -bitmap.Height() : bitmap.Height()));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(bitmap.BitCount()));
    PutU32(out, o.Compression);
    PutU32(out, o.SizeImage.value_or(imageSize));
    PutU32(out, 2835);
    PutU32(out, 2835);
    PutU32(out, o.ColorsUsed.value_or(0));
    PutU32(out, 0);
    if (o.HeaderSize == 40 && o.Compression == 3) {
      PutU32(out, o.RedMask);
      PutU32(out, o.GreenMask);
      PutU32(out, o.BlueMask);
    } else if (o.HeaderSize > 40) {
      const std::uint32_t masks[] = {o.RedMask, o.GreenMask, o.BlueMask, o.AlphaMask};
      for (std::uint32_t i = 0; 40 + 4 * i < o.HeaderSize; ++i) PutU32(out, i < 4 ? masks[i] : 0);
    }
  }
  for (std::uint32_t i = 0; i < entries; ++i) {
    const TPaletteEntry e = i < bitmap.Palette().size() ? bitmap.Palette()[i] : TPaletteEntry{};
    out.insert(out.end(), {e.Blue, e.Green, e.Red});
    if (!os2) out.push_back(0);
  }
  for (int i = 0; i < bitmap.Height(); ++i) {
    const int y = o.TopDown ? i : bitmap.Height() - 1 - i;
    const TBytes row = StoredRow(bitmap, y, o);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

TBytes MakeRleBmp(int width, int height, int bitCount, const std::vector<TRgb>& colors, const TBytes& encoded) {
  const std::uint32_t entries = 1u << bitCount;
  const std::uint32_t offset = 14 + 40 + 4 * entries;
  TBytes out{'B', 'M'};
  PutU32(out, offset + static_cast<std::uint32_t>(encoded.size()));
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(width));
  PutU32(out, static_cast<std::uint32_t>(height));
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint32_t>(bitCount));
  PutU32(out, bitCount == 8 ? 1 : 2);
  PutU32(out, static_cast<std::uint32_t>(encoded.size()));
  PutU32(out, 2835);
  PutU32(out, 2835);
  PutU32(out, 0);
  PutU32(out, 0);
  for (std::uint32_t i = 0; i < entries; ++i) {
    const TRgb c = i < colors.size() ? colors[i] : TRgb{};
    out.insert(out.end(), {c.Blue, c.Green, c.Red, 0});
  }
  out.insert(out.end(), encoded.begin(), encoded.end());
  return out;
}

TBytes MakeGif(const TGifSpec& spec) {
  TBytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToBytes, &error);
  Check(gif != nullptr, "open");
  EGifSetGifVersion(gif, true);
  {
    const TMapPtr global = MakeMap(spec.GlobalColors);
    Check(EGifPutScreenDesc(gif, spec.ScreenWidth, spec.ScreenHeight, 8, spec.BackgroundIndex, global.get()) ==
              GIF_OK,
          "screen");
  }
  for (const TGifFrameSpec& frame : spec.Frames) PutFrame(gif, frame);
  Check(EGifCloseFile(gif, &error) == GIF_OK, "close");
  return out;
}

TBytes SimpleGif(int width, int height, const std::vector<TRgb>& colors, int transparentIndex) {
  TGifSpec spec;
  spec.ScreenWidth = width;
  spec.ScreenHeight = height;
  spec.GlobalColors = colors;
  TGifFrameSpec frame;
  frame.Width = width;
  frame.Height = height;
  frame.TransparentIndex = transparentIndex;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      frame.Indexes.push_back(static_cast<std::uint8_t>(static_cast<std::size_t>(x + y) % colors.size()));
  spec.Frames.push_back(frame);
  return MakeGif(spec);
}

TBytes MakeJpeg(const TBitmap& bitmap, bool progressive, int quality, bool grey) {
  const auto writer = std::make_unique<TJpegWriter>();
  TJpegWriter& w = *writer;
  w.cinfo.err = jpeg_std_error(&w.errors.pub);
  w.errors.pub.error_exit = &JpegWriteErrorExit;
  if (setjmp(w.errors.jump) != 0) throw std::runtime_error("test JPEG writer failed");
  jpeg_create_compress(&w.cinfo);
  jpeg_mem_dest(&w.cinfo, &w.buffer, &w.size);
  w.cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
  w.cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
  w.cinfo.input_components = grey ? 1 : 3;
  w.cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&w.cinfo);
  jpeg_set_quality(&w.cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&w.cinfo);
  jpeg_start_compress(&w.cinfo, TRUE);
  w.row.resize(static_cast<std::size_t>(bitmap.Width()) * (grey ? 1 : 3));
  while (w.cinfo.next_scanline < w.cinfo.image_height) {
    const int y = static_cast<int>(w.cinfo.next_scanline);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TRgb c = bitmap.PixelColor(x, y);
      if (grey) {
        w.row[static_cast<std::size_t>(x)] = c.Green;
      } else {
        w.row[3 * static_cast<std::size_t>(x)] = c.Red;
        w.row[3 * static_cast<std::size_t>(x) + 1] = c.Green;
        w.row[3 * static_cast<std::size_t>(x) + 2] = c.Blue;
      }
    }
    JSAMPROW rows[1] = {w.row.data()};
    jpeg_write_scanlines(&w.cinfo, rows, 1);
  }
  jpeg_finish_compress(&w.cinfo);
  return TBytes(w.buffer, w.buffer + w.size);
}

TTempDir::TTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TTempDir::Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
  return file.string();
}

}  // namespace tessaly::test
