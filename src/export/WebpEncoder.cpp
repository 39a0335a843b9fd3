#include "export/WebpEncoder.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <memory>
#include <string>

#include "export/FrameTiming.h"

namespace tessaly::exports {

namespace {

// Encoder effort (0 fast .. 6 small): 2 keeps a banner frame in a few
// milliseconds.
constexpr int EncoderMethod = 2;

struct TEncoderDeleter {
  void operator()(WebPAnimEncoder* p) const { WebPAnimEncoderDelete(p); }
};
using TEncoder = std::unique_ptr<WebPAnimEncoder, TEncoderDeleter>;

struct TPicture {
  TPicture() { WebPPictureInit(&Picture); }
  ~TPicture() { WebPPictureFree(&Picture); }
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;
  WebPPicture Picture;
};

[[noreturn]] void Fail(WebPAnimEncoder* encoder, const char* what) {
  const char* reason = encoder != nullptr ? WebPAnimEncoderGetError(encoder) : nullptr;
  throw TExportError(std::string("the WebP could not be written: ") + what +
                     (reason != nullptr && *reason != 0 ? std::string(" (") + reason + ")" : std::string()));
}

TEncoder CreateEncoder(int width, int height, const TWebpOptions& options) {
  WebPAnimEncoderOptions encoderOptions;
  if (!WebPAnimEncoderOptionsInit(&encoderOptions)) Fail(nullptr, "the library does not match its header");
  encoderOptions.anim_params.loop_count = options.PlayCount;
  encoderOptions.anim_params.bgcolor = 0xFFFFFFFF;
  if (!options.FrameDifferencing) {
    encoderOptions.kmin = 0;
    encoderOptions.kmax = 1;
  }
  TEncoder encoder(WebPAnimEncoderNew(width, height, &encoderOptions));
  if (!encoder) Fail(nullptr, "the encoder could not start");
  return encoder;
}

WebPConfig FrameConfig(const TWebpOptions& options) {
  WebPConfig config;
  if (!WebPConfigInit(&config)) Fail(nullptr, "the library does not match its header");
  config.lossless = options.Lossless ? 1 : 0;
  config.quality = options.Lossless ? 75 : float(options.Quality);
  if (options.Lossless) config.near_lossless = options.NearLossless;
  config.method = EncoderMethod;
  // Sharper colour at the edges of small coloured details, which banners are full of.
  config.use_sharp_yuv = 1;
  if (!WebPValidateConfig(&config)) Fail(nullptr, "the quality is out of range");
  return config;
}

}  // namespace

std::vector<std::uint8_t> EncodeWebp(TMovieFrames& frames, const TWebpOptions& options,
                                     const TExportProgress& progress) {
  TEncoder encoder = CreateEncoder(frames.Width(), frames.Height(), options);
  const WebPConfig config = FrameConfig(options);
  const int count = frames.Count();
  for (int f = 1; f <= count; ++f) {
    progress.Step(f - 1, count);
    const QImage& frame = frames.Frame(f);
    TPicture picture;
    picture.Picture.use_argb = 1;
    picture.Picture.width = frame.width();
    picture.Picture.height = frame.height();
    if (!WebPPictureImportRGBA(&picture.Picture, frame.constBits(), int(frame.bytesPerLine())))
      Fail(nullptr, "out of memory");
    if (!WebPAnimEncoderAdd(encoder.get(), &picture.Picture, int(FrameEndMilliseconds(f - 1)), &config))
      Fail(encoder.get(), "a frame was refused");
  }
  if (!WebPAnimEncoderAdd(encoder.get(), nullptr, int(FrameEndMilliseconds(count)), nullptr))
    Fail(encoder.get(), "the last frame was refused");
  WebPData data;
  WebPDataInit(&data);
  if (!WebPAnimEncoderAssemble(encoder.get(), &data)) Fail(encoder.get(), "the file could not be assembled");
  std::vector<std::uint8_t> bytes(data.bytes, data.bytes + data.size);
  WebPDataClear(&data);
  progress.Step(count, count);
  return bytes;
}

}  // namespace tessaly::exports
