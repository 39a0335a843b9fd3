#include "export/GifEncoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "export/FrameTiming.h"
#include "export/PaletteQuantizer.h"

namespace tessaly::exports {

namespace {

// Quantizer speed: 7 is the fastest setting that keeps the palettes of the
// slower ones (from 8 on the quantizer skips refining them).
constexpr int QuantizerSpeed = 7;
constexpr int MaxGifDelay = 65535;  // centiseconds in a 16-bit field

struct TRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Empty() const { return Width <= 0 || Height <= 0; }
};

const std::uint32_t* Row(const QImage& image, int y) {
  return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
}

// The bounding rectangle of the pixels that differ between two pictures
// of one size.
TRect ChangedRect(const QImage& before, const QImage& now) {
  int left = now.width(), right = -1, top = now.height(), bottom = -1;
  for (int y = 0; y < now.height(); ++y) {
    const std::uint32_t* a = Row(before, y);
    const std::uint32_t* b = Row(now, y);
    int x = 0;
    while (x < now.width() && a[x] == b[x]) ++x;
    if (x == now.width()) continue;
    int last = now.width() - 1;
    while (a[last] == b[last]) --last;
    left = std::min(left, x);
    right = std::max(right, last);
    top = std::min(top, y);
    bottom = y;
  }
  if (right < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

// One image of the file: its place, palette and pixels, and the frame at
// which it starts to show.
struct TGifImage {
  TRect Place;
  TPalettedPicture Picture;
  int FirstFrame = 1;
};

// The rectangle of frame as RGBA bytes; with before, pixels that did not
// change are transparent.
std::vector<std::uint8_t> RectPixels(const QImage& frame, const QImage* before, const TRect& r) {
  std::vector<std::uint8_t> rgba(std::size_t(r.Width) * std::size_t(r.Height) * 4);
  std::uint8_t* out = rgba.data();
  for (int y = r.Top; y < r.Top + r.Height; ++y) {
    const std::uint32_t* now = Row(frame, y) + r.Left;
    std::memcpy(out, now, std::size_t(r.Width) * 4);
    if (before != nullptr) {
      const std::uint32_t* was = Row(*before, y) + r.Left;
      for (int x = 0; x < r.Width; ++x)
        if (now[x] == was[x]) std::memset(out + std::size_t(x) * 4, 0, 4);
    }
    out += std::size_t(r.Width) * 4;
  }
  return rgba;
}

class TGifWriter {
 public:
  TGifWriter(int width, int height) {
    int error = 0;
    gif_ = EGifOpen(&bytes_, &TGifWriter::Write, &error);
    if (gif_ == nullptr) Fail(error);
    EGifSetGifVersion(gif_, true);
    if (EGifPutScreenDesc(gif_, width, height, 8, 0, nullptr) != GIF_OK) Fail(gif_->Error);
  }
  ~TGifWriter() {
    if (gif_ != nullptr) EGifCloseFile(gif_, nullptr);
  }
  TGifWriter(const TGifWriter&) = delete;
  TGifWriter& operator=(const TGifWriter&) = delete;

  // The NETSCAPE2.0 loop: viewers play the file once more than its count
  // says, 0 meaning forever.
  void PutLoop(int playCount) {
    const int repeats = playCount == 0 ? 0 : std::min(playCount - 1, 0xFFFF);
    const GifByteType loop[3] = {1, GifByteType(repeats & 0xFF), GifByteType(repeats >> 8)};
    if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") != GIF_OK || EGifPutExtensionBlock(gif_, 3, loop) != GIF_OK ||
        EGifPutExtensionTrailer(gif_) != GIF_OK)
      Fail(gif_->Error);
  }

  // A delay beyond the 16-bit field goes on in empty 1 x 1 images.
  void PutImage(const TGifImage& image, std::int64_t delay) {
    Put(image.Place, image.Picture, int(std::min<std::int64_t>(delay, MaxGifDelay)));
    TPalettedPicture hold{1, 1, {{}, {}}, 0, {0}};
    for (delay -= MaxGifDelay; delay > 0; delay -= MaxGifDelay)
      Put({0, 0, 1, 1}, hold, int(std::min<std::int64_t>(delay, MaxGifDelay)));
  }

  std::vector<std::uint8_t> Finish() {
    int error = 0;
    const int closed = EGifCloseFile(gif_, &error);
    gif_ = nullptr;
    if (closed != GIF_OK) Fail(error);
    return std::move(bytes_);
  }

 private:
  static int Write(GifFileType* gif, const GifByteType* data, int length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    bytes->insert(bytes->end(), data, data + length);
    return length;
  }
  [[noreturn]] static void Fail(int error) {
    const char* text = GifErrorString(error);
    throw TExportError(std::string("the GIF could not be written: ") + (text != nullptr ? text : "unknown error"));
  }

  void Put(const TRect& place, const TPalettedPicture& picture, int delay) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delay;
    control.TransparentColor = picture.Transparent >= 0 ? picture.Transparent : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(length), extension) != GIF_OK) Fail(gif_->Error);

    const int size = 1 << GifBitSize(int(picture.Palette.size()));
    std::vector<GifColorType> colors(std::size_t(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < picture.Palette.size(); ++i)
      colors[i] = {picture.Palette[i].R, picture.Palette[i].G, picture.Palette[i].B};
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(GifMakeMapObject(size, colors.data()),
                                                                   GifFreeMapObject);
    if (!map) Fail(E_GIF_ERR_NOT_ENOUGH_MEM);
    if (EGifPutImageDesc(gif_, place.Left, place.Top, place.Width, place.Height, false, map.get()) != GIF_OK)
      Fail(gif_->Error);
    std::vector<GifPixelType> row(std::size_t(place.Width));
    for (int y = 0; y < place.Height; ++y) {
      std::copy_n(picture.Indexes.begin() + std::ptrdiff_t(y) * place.Width, place.Width, row.begin());
      if (EGifPutLine(gif_, row.data(), place.Width) != GIF_OK) Fail(gif_->Error);
    }
  }

  GifFileType* gif_ = nullptr;
  std::vector<std::uint8_t> bytes_;
};

// The delay of an image shown from frame first until frame next starts.
std::int64_t Delay(int first, int next) { return FrameEndCentiseconds(next - 1) - FrameEndCentiseconds(first - 1); }

}  // namespace

std::vector<std::uint8_t> EncodeGif(TMovieFrames& frames, const TGifOptions& options,
                                    const TExportProgress& progress) {
  const TQuantizerOptions quantizer{std::clamp(options.MaxColors, 2, 256), options.Dither, QuantizerSpeed};
  TGifWriter writer(frames.Width(), frames.Height());
  if (options.PlayCount != 1) writer.PutLoop(options.PlayCount);

  const TRect whole{0, 0, frames.Width(), frames.Height()};
  const int count = frames.Count();
  std::optional<TGifImage> pending;
  QImage before;
  for (int f = 1; f <= count; ++f) {
    progress.Step(f - 1, count);
    const QImage& frame = frames.Frame(f);
    const bool difference = options.FrameDifferencing && !before.isNull();
    const TRect place = difference ? ChangedRect(before, frame) : whole;
    if (place.Empty()) continue;  // the image before shows longer
    TGifImage image{place, QuantizePicture(RectPixels(frame, difference ? &before : nullptr, place), place.Width,
                                           place.Height, quantizer),
                    f};
    if (pending) writer.PutImage(*pending, Delay(pending->FirstFrame, f));
    pending = std::move(image);
    before = frame;
  }
  writer.PutImage(*pending, Delay(pending->FirstFrame, count + 1));
  progress.Step(count, count);
  return writer.Finish();
}

}  // namespace tessaly::exports
