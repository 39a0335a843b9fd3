#pragma once
// Pictures from files as bitmap characters: GIF frames handed over as
// bitmaps, and progressive JPEG pictures, which the movie cannot take as
// JPEG data, copied as BMP files into the temporary folder.

#include <filesystem>
#include <string>

namespace tessaly::swf {
class TFlashImage;
class TFlashMovie;
}  // namespace tessaly::swf

namespace tessaly::document {

// A bitmap character of a GIF: frame FrameIndex (counted from 0), or the
// composed first image when FrameIndex is negative or the GIF has no such
// frame; the GIF's transparent colour, when it has one, becomes
// transparent.
swf::TFlashImage* AddGifImage(swf::TFlashMovie& movie, const std::string& fileName, int frameIndex);

// A bitmap character of a JPEG file: baseline pictures as JPEG data;
// progressive ones decoded, written as
// TemporaryFolder / (the picture's name with the extension ".BMP"),
// replacing a file of that name, and taken from there.
swf::TFlashImage* AddJpegImage(swf::TFlashMovie& movie, const std::string& fileName,
                               const std::filesystem::path& temporaryFolder);

// Where AddJpegImage copies a progressive picture.
std::filesystem::path ProgressiveJpegCopyPath(const std::string& fileName,
                                              const std::filesystem::path& temporaryFolder);

}  // namespace tessaly::document
