#include "document/PictureFiles.h"

#include "document/BannerDocument.h"
#include "document/BuildFills.h"
#include "platform/BmpWriter.h"
#include "platform/GifDecoder.h"
#include "platform/JpegCodec.h"
#include "swf/FlashObjects.h"

namespace tessaly::document {

namespace {

std::uint32_t RgbaOf(const platform::TRgb& rgb, std::uint8_t alpha) {
  return std::uint32_t{rgb.Red} | (std::uint32_t{rgb.Green} << 8) | (std::uint32_t{rgb.Blue} << 16) |
         (std::uint32_t{alpha} << 24);
}

void LoadGifFrame(swf::TFlashImage& image, const std::string& fileName, int frameIndex) {
  const platform::TGifImage gif = platform::TGifImage::LoadFromFile(fileName);
  if (frameIndex >= 0 && frameIndex < gif.FrameCount())
    image.LoadFromHandle(gif.FrameBitmap(frameIndex));
  else
    image.LoadFromHandle(gif.ComposedBitmap());
  if (gif.HasTransparentColor()) image.SetTransparentColor(RgbaOf(gif.TransparentColor(), 0));
}

}  // namespace

swf::TFlashImage* AddGifImage(swf::TFlashMovie& movie, const std::string& fileName, int frameIndex) {
  swf::TFlashImage* image = movie.AddImage(fileName);
  LoadGifFrame(*image, fileName, frameIndex);
  return image;
}

std::filesystem::path ProgressiveJpegCopyPath(const std::string& fileName,
                                              const std::filesystem::path& temporaryFolder) {
  return temporaryFolder / std::filesystem::path(fileName).filename().replace_extension(".BMP");
}

swf::TFlashImage* AddJpegImage(swf::TFlashMovie& movie, const std::string& fileName,
                               const std::filesystem::path& temporaryFolder) {
  if (!platform::ReadJpegInfoOfFile(fileName).Progressive) return movie.AddImage(fileName);
  const std::string copy = ProgressiveJpegCopyPath(fileName, temporaryFolder).string();
  platform::WriteBmpFile(platform::DecodeJpegFile(fileName), copy);
  return movie.AddImage(copy);
}

}  // namespace tessaly::document
