#include "platform/Picture.h"

#include "platform/CodePage.h"
#include "platform/FileBytes.h"

namespace tessaly::platform {

TPictureKind PictureKindOf(std::string_view fileName) {
  const std::size_t dot = fileName.find_last_of("./");
  if (dot == std::string_view::npos || fileName[dot] != '.') return TPictureKind::pkOther;
  const std::string_view extension = fileName.substr(dot);
  if (EqualsIgnoringAsciiCase(extension, ".GIF")) return TPictureKind::pkGif;
  if (EqualsIgnoringAsciiCase(extension, ".JPEG") || EqualsIgnoringAsciiCase(extension, ".JPG"))
    return TPictureKind::pkJpeg;
  if (EqualsIgnoringAsciiCase(extension, ".BMP")) return TPictureKind::pkBmp;
  if (EqualsIgnoringAsciiCase(extension, ".PNG")) return TPictureKind::pkPng;
  return TPictureKind::pkOther;
}

TPicture ReadPicture(const std::string& fileName) {
  TPicture picture{fileName, PictureKindOf(fileName), {}};
  if (picture.Kind == TPictureKind::pkGif || picture.Kind == TPictureKind::pkJpeg ||
      picture.Kind == TPictureKind::pkBmp)
    picture.Bytes = ReadFileBytes(fileName);
  return picture;
}

}  // namespace tessaly::platform
