#pragma once
// A picture file as a build takes it: read from disk once, its kind told by
// the file name, its bytes handed down to whatever turns it into a bitmap.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::platform {

// The numbers are the document's picture types.
enum class TPictureKind : std::uint8_t { pkOther = 0, pkGif = 1, pkJpeg = 2, pkBmp = 3, pkPng = 4 };

// By the extension (from the last dot after the last '/') in any letter
// case: ".GIF" pkGif, ".JPEG" or ".JPG" pkJpeg, ".BMP" pkBmp, ".PNG" pkPng,
// anything else pkOther.
TPictureKind PictureKindOf(std::string_view fileName);

struct TPicture {
  std::string Name;  // the file it was read from, which names it in errors
  TPictureKind Kind = TPictureKind::pkOther;
  std::vector<std::uint8_t> Bytes;
};

// Reads a GIF, JPEG or BMP file whole. A file of any other kind is not
// read, since a movie shows it as an empty bitmap: its Bytes stay empty and
// a missing file is no error. Throws TFileError when a file that is read
// cannot be.
TPicture ReadPicture(const std::string& fileName);

}  // namespace tessaly::platform
