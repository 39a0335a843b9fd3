#include "platform/GifDecoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/FileBytes.h"

namespace tessaly::platform {
namespace {

struct TMemorySource {
  std::span<const std::uint8_t> bytes;
  std::size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* source = static_cast<TMemorySource*>(gif->UserData);
  const std::size_t n =
      std::min(static_cast<std::size_t>(std::max(length, 0)), source->bytes.size() - source->pos);
  if (n > 0) std::memcpy(out, source->bytes.data() + source->pos, n);
  source->pos += n;
  return static_cast<int>(n);
}

struct TGifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using TGifPtr = std::unique_ptr<GifFileType, TGifCloser>;

// 1, 4 or 8 bits, enough for the colour table.
int BitCountForColors(int colorCount) {
  if (colorCount <= 2) return 1;
  if (colorCount <= 16) return 4;
  return 8;
}

std::vector<TPaletteEntry> PaletteOf(const ColorMapObject* map) {
  std::vector<TPaletteEntry> palette;
  if (map == nullptr) {
    // A GIF without any colour table: show the indexes as greys.
    for (int i = 0; i < 256; ++i) {
      const auto v = static_cast<std::uint8_t>(i);
      palette.push_back({v, v, v, 255});
    }
    return palette;
  }
  const int count = std::min(map->ColorCount, 256);
  for (int i = 0; i < count; ++i)
    palette.push_back({map->Colors[i].Blue, map->Colors[i].Green, map->Colors[i].Red, 255});
  return palette;
}

TBitmap PaletteBitmap(int width, int height, const std::vector<TPaletteEntry>& palette) {
  TBitmap bitmap(width, height, BitCountForColors(static_cast<int>(palette.size())));
  bitmap.Palette() = palette;
  return bitmap;
}

// Rows of an interlaced image in the order they are stored.
std::vector<int> InterlacedRowOrder(int height) {
  static constexpr int kStart[] = {0, 4, 2, 1};
  static constexpr int kStep[] = {8, 8, 4, 2};
  std::vector<int> order;
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  return order;
}

int TransparentIndexOf(const std::vector<TGifExtension>& extensions) {
  int index = -1;
  for (const TGifExtension& e : extensions) {
    if (e.Label != TGifExtension::kGraphicControl || e.SubBlocks.empty()) continue;
    const auto& block = e.SubBlocks.front();
    if (block.size() >= 4) index = (block[0] & 1) ? block[3] : -1;
  }
  return index;
}

}  // namespace

std::string TGifExtension::ApplicationId() const {
  if (!IsApplication() || SubBlocks.empty()) return {};
  return std::string(SubBlocks.front().begin(), SubBlocks.front().end());
}

// Walks the records of one GIF with giflib's record interface, so that every
// allocation is checked against the picture limits before it is made.
class TGifReader {
 public:
  TGifReader(std::span<const std::uint8_t> bytes, const std::string& name)
      : source_{bytes}, name_(name) {}

  TGifImage Read() {
    int error = 0;
    gif_.reset(DGifOpen(&source_, ReadFromMemory, &error));
    if (!gif_) {
      if (error == D_GIF_ERR_NOT_GIF_FILE || error == D_GIF_ERR_READ_FAILED)
        throw TImageError(name_ + ": not a GIF picture");
      Fail(error);
    }
    image_.screenWidth_ = gif_->SWidth;
    image_.screenHeight_ = gif_->SHeight;
    CheckBitmapSize(image_.screenWidth_, image_.screenHeight_, name_);
    ReadRecords();
    Compose();
    return std::move(image_);
  }

 private:
  [[noreturn]] void Fail(int error) {
    const char* text = GifErrorString(error);
    throw TImageError(name_ + ": damaged GIF picture (" + (text ? text : "unknown error") + ")");
  }

  // After the first frame has begun, damage ends the picture quietly.
  bool CheckStep(int rc) {
    if (rc == GIF_OK) return true;
    if (image_.frames_.empty()) Fail(gif_->Error);
    return false;
  }

  void ReadRecords() {
    std::vector<TGifExtension> pending;
    for (;;) {
      GifRecordType type = UNDEFINED_RECORD_TYPE;
      if (!CheckStep(DGifGetRecordType(gif_.get(), &type))) return;
      switch (type) {
        case EXTENSION_RECORD_TYPE: {
          TGifExtension extension;
          if (!ReadExtension(extension)) return;
          pending.push_back(std::move(extension));
          break;
        }
        case IMAGE_DESC_RECORD_TYPE:
          if (!ReadFrame(pending)) return;
          pending.clear();
          break;
        case TERMINATE_RECORD_TYPE:
          return;
        default:
          if (image_.frames_.empty()) throw TImageError(name_ + ": damaged GIF picture");
          return;
      }
    }
  }

  bool ReadExtension(TGifExtension& extension) {
    int code = 0;
    GifByteType* block = nullptr;
    if (!CheckStep(DGifGetExtension(gif_.get(), &code, &block))) return false;
    extension.Label = static_cast<std::uint8_t>(code);
    while (block != nullptr) {
      extension.SubBlocks.emplace_back(block + 1, block + 1 + block[0]);
      if (!CheckStep(DGifGetExtensionNext(gif_.get(), &block))) return false;
    }
    return true;
  }

  bool ReadFrame(std::vector<TGifExtension>& extensions) {
    if (!CheckStep(DGifGetImageDesc(gif_.get()))) return false;
    const GifImageDesc& desc = gif_->Image;
    if (!FrameFits(desc)) return false;

    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif_->SColorMap;
    if (image_.frames_.empty()) firstUsesGlobalMap_ = desc.ColorMap == nullptr;
    TGifFrame frame;
    frame.Left = desc.Left;
    frame.Top = desc.Top;
    frame.Extensions = std::move(extensions);
    frame.Image = PaletteBitmap(desc.Width, desc.Height, PaletteOf(map));
    const int transparent = TransparentIndexOf(frame.Extensions);
    if (transparent >= 0 && transparent < static_cast<int>(frame.Image.Palette().size())) {
      frame.TransparentIndex = transparent;
      frame.Image.FillIndex(static_cast<unsigned>(transparent));
    }
    image_.frames_.push_back(std::move(frame));
    TBitmap& pixels = image_.frames_.back().Image;
    if (pixels.IsEmpty()) return SkipImageData();
    return ReadPixels(pixels, desc.Interlace);
  }

  // A frame beyond the limits refuses the picture when it is the first one
  // and ends it otherwise.
  bool FrameFits(const GifImageDesc& desc) {
    // Every frame keeps its palette and bookkeeping, so a file of countless
    // empty frames ends at a bounded count too.
    if (image_.frames_.size() >= kMaxGifFrames) return false;
    totalPixels_ += std::int64_t{desc.Width} * desc.Height;
    try {
      CheckBitmapSize(desc.Width, desc.Height, name_);
      if (totalPixels_ > kMaxBitmapPixels)
        throw TImageError(name_ + ": the frames of this GIF picture are too large");
    } catch (const TImageError&) {
      if (image_.frames_.empty()) throw;
      return false;
    }
    return true;
  }

  bool SkipImageData() {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (!CheckStep(DGifGetCode(gif_.get(), &codeSize, &block))) return false;
    while (block != nullptr)
      if (!CheckStep(DGifGetCodeNext(gif_.get(), &block))) return false;
    return true;
  }

  bool ReadPixels(TBitmap& bitmap, bool interlaced) {
    std::vector<int> order;
    if (interlaced) order = InterlacedRowOrder(bitmap.Height());
    std::vector<GifPixelType> line(static_cast<std::size_t>(bitmap.Width()));
    for (int i = 0; i < bitmap.Height(); ++i) {
      if (DGifGetLine(gif_.get(), line.data(), bitmap.Width()) != GIF_OK) return false;
      const int y = interlaced ? order[static_cast<std::size_t>(i)] : i;
      if (bitmap.BitCount() == 8)
        std::copy(line.begin(), line.end(), bitmap.Row(y).begin());
      else
        for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetIndex(x, y, line[static_cast<std::size_t>(x)]);
    }
    return true;
  }

  void Compose() {
    if (image_.frames_.empty()) {
      image_.composed_ =
          PaletteBitmap(image_.screenWidth_, image_.screenHeight_, PaletteOf(gif_->SColorMap));
      return;
    }
    const TGifFrame& first = image_.frames_.front();
    const TBitmap& source = first.Image;
    TBitmap& canvas = image_.composed_;
    canvas = PaletteBitmap(image_.screenWidth_, image_.screenHeight_, source.Palette());
    unsigned background = 0;
    if (first.TransparentIndex >= 0) {
      background = static_cast<unsigned>(first.TransparentIndex);
      image_.hasTransparentColor_ = true;
      const TPaletteEntry& e = source.Palette()[background];
      image_.transparentColor_ = {e.Red, e.Green, e.Blue};
    } else if (firstUsesGlobalMap_ && gif_->SBackGroundColor < static_cast<int>(source.Palette().size())) {
      background = static_cast<unsigned>(gif_->SBackGroundColor);
    }
    canvas.FillIndex(background);
    // The part of the frame that lies on the screen.
    const int x0 = std::max(0, -first.Left), x1 = std::min(source.Width(), canvas.Width() - first.Left);
    const int y0 = std::max(0, -first.Top), y1 = std::min(source.Height(), canvas.Height() - first.Top);
    for (int y = y0; y < y1 && x0 < x1; ++y) {
      if (source.BitCount() == 8) {
        const auto from = source.Row(y);
        std::copy(from.begin() + x0, from.begin() + x1, canvas.Row(first.Top + y).begin() + first.Left + x0);
        continue;
      }
      for (int x = x0; x < x1; ++x) canvas.SetIndex(first.Left + x, first.Top + y, source.Index(x, y));
    }
  }

  TMemorySource source_;
  std::string name_;
  TGifPtr gif_;
  TGifImage image_;
  std::int64_t totalPixels_ = 0;
  bool firstUsesGlobalMap_ = false;
};

TGifImage TGifImage::LoadFromFile(const std::string& fileName) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(fileName);
  return LoadFromBytes(bytes, fileName);
}

TGifImage TGifImage::LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& name) {
  return TGifReader(bytes, name).Read();
}

const std::vector<TGifExtension>& TGifImage::FirstFrameExtensions() const {
  static const std::vector<TGifExtension> kNone;
  return frames_.empty() ? kNone : frames_.front().Extensions;
}

TRgb TGifImage::ComposedTransparentColor() const {
  if (hasTransparentColor_) return transparentColor_;
  if (composed_.IsMonochrome()) return {255, 255, 255};
  if (composed_.IsEmpty()) return {};
  return composed_.PixelColor(0, composed_.Height() - 1);
}

}  // namespace tessaly::platform
