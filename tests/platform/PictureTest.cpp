#include "platform/Picture.h"

#include <gtest/gtest.h>

#include "platform/FileBytes.h"
#include "support/TestPictures.h"

namespace tessaly::platform {
namespace {

TEST(Picture, PicturesAMovieShowsAreReadWhole) {
  const test::TTempDir dir;
  struct Case {
    const char* name;
    TPictureKind kind;
  };
  for (const Case c : {Case{"a.GIF", TPictureKind::pkGif}, Case{"b.jpg", TPictureKind::pkJpeg},
                       Case{"c.Jpeg", TPictureKind::pkJpeg}, Case{"d.bmp", TPictureKind::pkBmp}}) {
    const test::TBytes bytes = {1, 2, 3, static_cast<std::uint8_t>(c.kind)};
    const std::string path = dir.Write(c.name, bytes);
    const TPicture picture = ReadPicture(path);
    EXPECT_EQ(picture.Name, path);
    EXPECT_EQ(picture.Kind, c.kind) << c.name;
    EXPECT_EQ(picture.Bytes, bytes) << c.name;
  }
}

TEST(Picture, OtherKindsAreNotReadAndMissingPicturesFail) {
  const test::TTempDir dir;
  struct Case {
    std::string path;
    TPictureKind kind;
  };
  for (const Case& c : {Case{dir.Write("e.png", test::TBytes{0x89, 'P'}), TPictureKind::pkPng},
                        Case{(dir.Path() / "missing.png").string(), TPictureKind::pkPng},
                        Case{(dir.Path() / "missing.tif").string(), TPictureKind::pkOther},
                        Case{"", TPictureKind::pkOther}}) {
    const TPicture picture = ReadPicture(c.path);
    EXPECT_EQ(picture.Kind, c.kind) << c.path;
    EXPECT_TRUE(picture.Bytes.empty()) << c.path;
  }
  for (const char* name : {"missing.gif", "missing.JPG", "missing.bmp"}) {
    const std::string path = (dir.Path() / name).string();
    try {
      ReadPicture(path);
      ADD_FAILURE() << name;
    } catch (const TFileError& e) {
      EXPECT_EQ(e.FileName(), path);
    }
  }
}

}  // namespace
}  // namespace tessaly::platform
