#pragma once
// Pictures as bitmap characters, each taken from a picture read once:
// GIF frames handed over as bitmaps, JPEG data as it is, and progressive
// JPEG pictures, which the movie cannot take as JPEG data, copied as BMP
// files into the temporary folder.

#include <filesystem>
#include <string>

#include "platform/Picture.h"

namespace tessaly::swf {
class TFlashImage;
class TFlashMovie;
}  // namespace tessaly::swf

namespace tessaly::document {

// A bitmap character of Picture taken as Type (the document's picture
// type):
//  - GIF: frame GifFrameIndex (counted from 0), or the composed picture
//    when GifFrameIndex is negative or the GIF has no such frame; the GIF's
//    transparent colour, when it has one, becomes transparent;
//  - JPEG: a baseline picture as JPEG data; a progressive one decoded,
//    written as ProgressiveJpegCopyPath (replacing a file of that name), and
//    that BMP taken;
//  - any other type: as the image loads the picture by its own kind (a BMP
//    through the BMP reader, other kinds an empty bitmap).
// Pictures the decoders refuse throw platform::TImageError, a copy that
// cannot be written platform::TFileError.
swf::TFlashImage* AddPictureImage(swf::TFlashMovie& movie, const platform::TPicture& picture,
                                  platform::TPictureKind type, int gifFrameIndex,
                                  const std::filesystem::path& temporaryFolder);

// Where AddPictureImage copies a progressive JPEG picture:
// TemporaryFolder / (the picture's name with the extension ".BMP").
std::filesystem::path ProgressiveJpegCopyPath(const std::string& fileName,
                                              const std::filesystem::path& temporaryFolder);

}  // namespace tessaly::document
