#include "document/PictureFiles.h"

#include "platform/BmpWriter.h"
#include "platform/FileBytes.h"
#include "platform/GifDecoder.h"
#include "platform/JpegCodec.h"
#include "swf/FlashObjects.h"

namespace tessaly::document {

namespace {

// The BMP copy of a progressive JPEG picture, written to its file and
// handed on as a picture without reading the file back.
platform::TPicture ProgressiveJpegCopy(const platform::TPicture& jpeg, const std::filesystem::path& temporaryFolder) {
  platform::TPicture copy{ProgressiveJpegCopyPath(jpeg.Name, temporaryFolder).string(), platform::TPictureKind::pkBmp,
                          platform::EncodeBmp(platform::DecodeJpeg(jpeg.Bytes, jpeg.Name))};
  platform::WriteFileBytes(copy.Name, copy.Bytes);
  return copy;
}

}  // namespace

std::filesystem::path ProgressiveJpegCopyPath(const std::string& fileName,
                                              const std::filesystem::path& temporaryFolder) {
  return temporaryFolder / std::filesystem::path(fileName).filename().replace_extension(".BMP");
}

swf::TFlashImage* AddPictureImage(swf::TFlashMovie& movie, const platform::TPicture& picture,
                                  platform::TPictureKind type, int gifFrameIndex,
                                  const std::filesystem::path& temporaryFolder) {
  switch (type) {
    case platform::TPictureKind::pkGif: {
      swf::TFlashImage* image = movie.AddImage();
      swf::LoadGifFrame(*image, platform::TGifImage::LoadFromBytes(picture.Bytes, picture.Name), gifFrameIndex);
      return image;
    }
    case platform::TPictureKind::pkJpeg:
      if (platform::ReadJpegInfo(picture.Bytes, picture.Name).Progressive)
        return movie.AddImage(ProgressiveJpegCopy(picture, temporaryFolder));
      return movie.AddImage(picture);
    default:
      return movie.AddImage(picture);
  }
}

}  // namespace tessaly::document
