#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>

#include "SWFTestUtil.h"
#include "platform/FileBytes.h"
#include "platform/GifDecoder.h"
#include "platform/JpegCodec.h"
#include "platform/Picture.h"
#include "support/TestPictures.h"
#include "swf/FlashObjects.h"

namespace tessaly::swf {
namespace {

namespace pics = tessaly::test;
using platform::TBitmap;
using platform::TRgb;
using test::DWord;
using test::Word;

// A written tag taken apart.
struct TTag {
  uint16_t code = 0;
  std::vector<uint8_t> body;
};

TTag Parse(const std::vector<uint8_t>& bytes) {
  TTag tag;
  const uint16_t header = Word(bytes, 0);
  tag.code = header >> 6;
  size_t length = header & 63, start = 2;
  if (length == 63) {
    length = DWord(bytes, 2);
    start = 6;
  }
  EXPECT_EQ(bytes.size(), start + length);
  tag.body.assign(bytes.begin() + static_cast<long>(start), bytes.end());
  return tag;
}

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& data, size_t from) {
  std::vector<uint8_t> out(1 << 20);
  uLongf size = out.size();
  EXPECT_EQ(uncompress(out.data(), &size, data.data() + from, data.size() - from), Z_OK);
  out.resize(size);
  return out;
}

TTag Written(TFlashImage& image) { return Parse(test::TagOf(image)); }

// The lossless tag's header fields and its inflated data.
struct TLossless {
  uint16_t code, id;
  uint8_t format;
  uint16_t width, height;
  int tableSize;  // -1 when absent
  std::vector<uint8_t> data;
};

TLossless Lossless(TFlashImage& image) {
  const TTag tag = Written(image);
  TLossless l{tag.code, Word(tag.body, 0), tag.body.at(2), Word(tag.body, 3), Word(tag.body, 5), -1, {}};
  size_t at = 7;
  if (l.format == 3) l.tableSize = tag.body.at(at++);
  l.data = Inflate(tag.body, at);
  return l;
}

class FlashImage : public ::testing::Test {
 protected:
  std::string Bmp(const TBitmap& bitmap, const pics::TBmpOptions& options = {}) {
    return dir_.Write("p" + std::to_string(++files_) + ".bmp", pics::MakeBmp(bitmap, options));
  }
  std::string File(const std::string& name, const pics::TBytes& bytes) { return dir_.Write(name, bytes); }

  TFlashMovie movie_{0, 0, 100, 100, 12, muPixels};
  pics::TTempDir dir_;
  int files_ = 0;
};

TEST_F(FlashImage, EightBitPictureWithTwoColours) {
  const std::vector<TRgb> colors = {{1, 2, 3}, {10, 20, 30}, {7, 7, 7}, {200, 100, 50}};
  TFlashImage* image = movie_.AddImage(Bmp(pics::IndexedBitmap(3, 8, {{3, 1, 3}, {1, 1, 3}}, colors)));
  EXPECT_EQ(image->CharacterID(), 1);
  EXPECT_EQ(movie_.Images().size(), 1u);
  EXPECT_FALSE(image->IsJPEG());
  EXPECT_EQ(image->BitmapFormat(), 3);
  EXPECT_EQ(image->ColorCount(), 2u);
  EXPECT_EQ(image->RowWidth(), 4);
  EXPECT_EQ(image->MinVersion(), 2);

  const TLossless l = Lossless(*image);
  EXPECT_EQ(l.code, tagDefineBitsLossless);
  EXPECT_EQ(l.id, 1);
  EXPECT_EQ(l.format, 3);
  EXPECT_EQ(l.width, 3);
  EXPECT_EQ(l.height, 2);
  EXPECT_EQ(l.tableSize, 1);
  // Colour table of the used entries in their order (1, then 3), then the
  // rows from the top, padded to 4 pixels.
  EXPECT_EQ(l.data, (std::vector<uint8_t>{10, 20, 30, 200, 100, 50,  //
                                          1, 0, 1, 0,                //
                                          0, 0, 1, 0}));
}

TEST_F(FlashImage, TenPixelRowsArePaddedToTwelve) {
  TFlashImage* image = movie_.AddImage(Bmp(pics::PatternBitmap(10, 2, 8)));
  EXPECT_EQ(image->RowWidth(), 12);
  const TLossless l = Lossless(*image);
  const size_t table = 3 * image->ColorCount();
  ASSERT_EQ(l.data.size(), table + 2 * 12);
  for (size_t row = 0; row < 2; ++row) {
    EXPECT_EQ(l.data[table + 12 * row + 10], 0);
    EXPECT_EQ(l.data[table + 12 * row + 11], 0);
  }
}

TEST_F(FlashImage, PackedPixelsAreExpandedToOneIndexEach) {
  // 1 bit: indexes 0 1 1 0 1; 4 bits: 5 0 5.
  const std::vector<TRgb> colors(16, TRgb{9, 9, 9});
  TFlashImage* mono = movie_.AddImage(Bmp(pics::IndexedBitmap(5, 1, {{0, 1, 1, 0, 1}}, {{0, 0, 0}, {255, 255, 255}})));
  EXPECT_EQ(Lossless(*mono).data, (std::vector<uint8_t>{0, 0, 0, 255, 255, 255, 0, 1, 1, 0, 1, 0, 0, 0}));
  TFlashImage* nibbles = movie_.AddImage(Bmp(pics::IndexedBitmap(3, 4, {{5, 0, 5}}, colors)));
  // Entry 0 is used first in palette order, then entry 5.
  EXPECT_EQ(Lossless(*nibbles).data, (std::vector<uint8_t>{9, 9, 9, 9, 9, 9, 1, 0, 1, 0}));
}

TEST_F(FlashImage, TwentyFourBitPixelsBecomeZeroRedGreenBlue) {
  TBitmap bitmap(2, 2, 24);
  const uint8_t bgr[2][6] = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
  for (int y = 0; y < 2; ++y) std::copy(bgr[y], bgr[y] + 6, bitmap.Row(y).begin());
  TFlashImage* image = movie_.AddImage(Bmp(bitmap));
  EXPECT_EQ(image->BitmapFormat(), 5);
  EXPECT_FALSE(image->HasAlpha());
  const TLossless l = Lossless(*image);
  EXPECT_EQ(l.code, tagDefineBitsLossless);
  EXPECT_EQ(l.format, 5);
  EXPECT_EQ(l.tableSize, -1);
  EXPECT_EQ(l.data, (std::vector<uint8_t>{0, 3, 2, 1, 0, 6, 5, 4, 0, 9, 8, 7, 0, 12, 11, 10}));
}

TEST_F(FlashImage, TopDownFilesAreWrittenUpright) {
  TBitmap bitmap(1, 2, 24);
  bitmap.Row(0)[2] = 0xAA;  // red of the top pixel
  pics::TBmpOptions topDown;
  topDown.TopDown = true;
  TFlashImage* image = movie_.AddImage(Bmp(bitmap, topDown));
  EXPECT_EQ(Lossless(*image).data, (std::vector<uint8_t>{0, 0xAA, 0, 0, 0, 0, 0, 0}));
}

TEST_F(FlashImage, ThirtyTwoBitPicturesCarryAlpha) {
  TBitmap bitmap(2, 1, 32);
  // Colours are written premultiplied by their alpha, as players read them.
  const uint8_t bgra[8] = {50, 100, 200, 0x80, 4, 5, 6, 0};
  std::copy(bgra, bgra + 8, bitmap.Row(0).begin());
  TFlashImage* image = movie_.AddImage(Bmp(bitmap));
  EXPECT_EQ(image->BitmapFormat(), 1);
  EXPECT_TRUE(image->HasAlpha());
  EXPECT_EQ(image->MinVersion(), 3);
  const TLossless l = Lossless(*image);
  EXPECT_EQ(l.code, tagDefineBitsLossless2);
  EXPECT_EQ(l.format, 5);
  EXPECT_EQ(l.data, (std::vector<uint8_t>{0x80, 100, 50, 25, 0, 0, 0, 0}));
  TBitmap opaque(1, 1, 32);
  const uint8_t solid[4] = {1, 2, 3, 0xFF};
  std::copy(solid, solid + 4, opaque.Row(0).begin());
  EXPECT_EQ(Lossless(*movie_.AddImage(Bmp(opaque))).data, (std::vector<uint8_t>{0xFF, 3, 2, 1}));

  TBitmap clear = pics::PatternBitmap(3, 2, 32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) clear.Row(y)[4 * x + 3] = 0;
  EXPECT_EQ(Lossless(*movie_.AddImage(Bmp(clear))).data, std::vector<uint8_t>(24, 0));
}

TEST_F(FlashImage, SixteenBitRowsOfOddWidthGetAZeroPixel) {
  TBitmap bitmap(3, 1, 16);
  const uint8_t words[6] = {0x1F, 0x00, 0xE0, 0x03, 0x00, 0x7C};  // blue, green, red
  std::copy(words, words + 6, bitmap.Row(0).begin());
  TFlashImage* image = movie_.AddImage(Bmp(bitmap));
  EXPECT_EQ(image->BitmapFormat(), 4);
  EXPECT_EQ(image->RowWidth(), 4);
  const TLossless l = Lossless(*image);
  EXPECT_EQ(l.format, 4);
  EXPECT_EQ(l.data, (std::vector<uint8_t>{0x00, 0x1F, 0x03, 0xE0, 0x7C, 0x00, 0, 0}));
}

TEST_F(FlashImage, LosslessDataIsBuiltOnceOnFirstWrite) {
  TFlashImage* image = movie_.AddImage(Bmp(pics::PatternBitmap(4, 4, 24)));
  EXPECT_TRUE(image->ImageData().empty());
  const std::vector<uint8_t> first = test::TagOf(*image);
  const std::vector<uint8_t> data = image->ImageData();
  EXPECT_FALSE(data.empty());
  image->BMPReader().ScanLine(0)[0] ^= 0xFF;  // later changes to the pixels are not seen
  EXPECT_EQ(test::TagOf(*image), first);
  EXPECT_EQ(image->ImageData(), data);
}

TEST_F(FlashImage, JpegTagHoldsTheFileUpToItsEndMarker) {
  const pics::TBytes jpeg = pics::MakeJpeg(pics::PatternBitmap(9, 5, 24), false);
  TFlashImage* image = movie_.AddImage(File("photo.JPG", jpeg));
  EXPECT_TRUE(image->IsJPEG());
  EXPECT_EQ(image->Width(), 9);
  EXPECT_EQ(image->Height(), 5);
  EXPECT_EQ(image->MinVersion(), 2);
  const TTag tag = Written(*image);
  EXPECT_EQ(tag.code, tagDefineBitsJPEG2);
  // An empty image, then the file: the same length as the file between two
  // more markers.
  std::vector<uint8_t> expected = {1, 0, 0xFF, 0xD8, 0xFF, 0xD9};
  expected.insert(expected.end(), jpeg.begin(), jpeg.end());
  EXPECT_EQ(tag.body, expected);

  // Bytes a camera appended after the end marker are left out.
  pics::TBytes trailing = jpeg;
  trailing.insert(trailing.end(), {0x00, 0xFF, 0xD8, 0x42});
  TFlashImage* camera = movie_.AddImage(File("camera.jpg", trailing));
  expected[0] = 2;
  EXPECT_EQ(Written(*camera).body, expected);

  // Bytes that are not a whole JPEG file are wrapped as they are.
  TFlashImage* odd = movie_.AddImage(File("odd.jpg", {1, 2, 3}));
  EXPECT_EQ(Written(*odd).body, (std::vector<uint8_t>{3, 0, 0xFF, 0xD8, 1, 2, 3, 0xFF, 0xD9}));
}

TEST_F(FlashImage, JpegWithAlphaMaskBecomesJpeg3) {
  const pics::TBytes jpeg = pics::MakeJpeg(pics::PatternBitmap(7, 3, 24), false);
  TFlashImage* image = movie_.AddImage(File("photo.jpeg", jpeg));
  image->FillAlpha(128);
  EXPECT_EQ(image->AlphaData(), std::vector<uint8_t>(21, 128));
  EXPECT_EQ(image->MinVersion(), 3);
  const TTag tag = Written(*image);
  EXPECT_EQ(tag.code, tagDefineBitsJPEG3);
  const uint32_t offset = DWord(tag.body, 2);
  EXPECT_EQ(offset, jpeg.size() + 4);
  EXPECT_EQ(std::vector<uint8_t>(tag.body.begin() + 10, tag.body.begin() + 6 + offset), jpeg);
  EXPECT_EQ(Inflate(tag.body, 6 + offset), std::vector<uint8_t>(21, 128));
}

TEST_F(FlashImage, ProgressiveJpegsHaveNoSizeUnlessConverted) {
  const pics::TBytes jpeg = pics::MakeJpeg(pics::PatternBitmap(6, 4, 24), true);
  const std::string name = File("p.jpg", jpeg);
  TFlashImage* kept = movie_.AddImage(name);
  EXPECT_EQ(kept->Width(), 0);
  EXPECT_EQ(kept->ImageData(), jpeg);

  TFlashImage* converted = movie_.AddImage();
  converted->ConvertProgressive = true;
  converted->LoadDataFromFile(name);
  EXPECT_EQ(converted->Width(), 6);
  EXPECT_EQ(converted->Height(), 4);
  EXPECT_FALSE(platform::ReadJpegInfo(converted->ImageData(), "c.jpg").Progressive);
}

TEST_F(FlashImage, OtherExtensionsStayEmpty) {
  for (const char* name : {"leaf.gif", "pic.png", "noext"}) {
    TFlashImage* image = movie_.AddImage(File(name, {1, 2, 3}));
    EXPECT_FALSE(image->IsJPEG()) << name;
    EXPECT_EQ(image->Width(), 0) << name;
    EXPECT_EQ(image->BitmapFormat(), 0) << name;
  }
  // Even a file that does not exist: the extension decides first.
  EXPECT_NO_THROW(movie_.AddImage(dir_.Path().string() + "/missing.gif"));
  // An image without pixels is written as an empty 24-bit bitmap.
  TFlashImage* noPixels = movie_.AddImage();
  noPixels->LoadFromHandle(TBitmap(0, 0, 8));
  EXPECT_EQ(noPixels->BitmapFormat(), 0);
  EXPECT_EQ(Lossless(*noPixels).tableSize, -1);
  const TLossless l = Lossless(*movie_.AddImage());
  EXPECT_EQ(l.code, tagDefineBitsLossless);
  EXPECT_EQ(l.format, 5);
  EXPECT_EQ(l.width, 0);
  EXPECT_TRUE(l.data.empty());
}

TEST_F(FlashImage, PictureValuesLoadWithoutTheirFiles) {
  using platform::TPictureKind;
  const pics::TBytes jpeg = pics::MakeJpeg(pics::PatternBitmap(9, 5, 24), false);
  TFlashImage* photo = movie_.AddImage(platform::TPicture{"/no/such/photo.jpg", TPictureKind::pkJpeg, jpeg});
  EXPECT_TRUE(photo->IsJPEG());
  EXPECT_EQ(photo->Width(), 9);
  EXPECT_EQ(photo->ImageData(), jpeg);

  const pics::TBytes bmp = pics::MakeBmp(pics::PatternBitmap(4, 3, 8));
  TFlashImage* bitmap = movie_.AddImage(platform::TPicture{"/no/such/p.bmp", TPictureKind::pkBmp, bmp});
  EXPECT_EQ(bitmap->BitmapFormat(), 3);
  EXPECT_EQ(bitmap->Width(), 4);

  const platform::TPicture gif{"/no/such/leaf.gif", TPictureKind::pkGif,
                               pics::SimpleGif(5, 2, {{1, 2, 3}, {4, 5, 6}}, -1)};
  TFlashImage* leaf = movie_.AddImage(gif);
  EXPECT_EQ(leaf->BitmapFormat(), 0) << "a GIF stays empty until LoadGifIntoImage";
  LoadGifIntoImage(*leaf, gif);
  EXPECT_EQ(leaf->Width(), 5);
  EXPECT_EQ(leaf->ColorCount(), 2u);
}

TEST_F(FlashImage, UnreadableFilesFailAtLoadTime) {
  for (const char* name : {"/no/such/photo.jpg", "/no/such/picture.BMP"}) {
    try {
      movie_.AddImage(name);
      ADD_FAILURE() << name;
    } catch (const platform::TFileError& e) {
      EXPECT_EQ(std::string(e.what()), std::string(name) + ": No such file or directory");
    }
  }
  EXPECT_TRUE(movie_.Images().empty()) << "a failed load registers nothing";
  EXPECT_THROW(movie_.AddImage(File("bad.bmp", {'B', 'M', 0})), platform::TImageError);
}

TEST_F(FlashImage, GifFrameWithWhiteMadeTransparent) {
  const std::vector<TRgb> colors = {{255, 0, 0}, {255, 255, 255}, {0, 0, 255}, {0, 255, 0}};
  const std::string name = File("leaf.gif", pics::SimpleGif(4, 2, colors, -1));
  TFlashImage* image = movie_.AddImage(name);
  LoadGifIntoImage(*image, platform::ReadPicture(name));
  EXPECT_EQ(image->BitmapFormat(), 3);
  EXPECT_EQ(image->ColorCount(), 4u);
  EXPECT_FALSE(image->HasAlpha());
  image->SetTransparentColor(MakeRGBA(255, 255, 255, 0));
  EXPECT_TRUE(image->HasAlpha());
  const auto& palette = image->BMPReader().Palette();
  EXPECT_EQ(palette[0], (TRGBQuad{0, 0, 255, 255}));
  EXPECT_EQ(palette[1], (TRGBQuad{0, 0, 0, 0}));
  EXPECT_EQ(palette[2], (TRGBQuad{255, 0, 0, 255}));
  EXPECT_EQ(palette[3], (TRGBQuad{0, 255, 0, 255}));
  const TLossless l = Lossless(*image);
  EXPECT_EQ(l.code, tagDefineBitsLossless2);
  EXPECT_EQ(l.tableSize, 3);
  EXPECT_EQ(std::vector<uint8_t>(l.data.begin(), l.data.begin() + 16),
            (std::vector<uint8_t>{255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 255, 0, 255, 0, 255}));
}

TEST_F(FlashImage, GifLoaderTakesFrameZeroAndItsTransparentColour) {
  const std::vector<TRgb> colors = {{255, 0, 0}, {255, 255, 255}, {0, 0, 255}, {0, 255, 0}};
  pics::TGifSpec spec;
  spec.ScreenWidth = 8;
  spec.ScreenHeight = 8;
  spec.GlobalColors = colors;
  pics::TGifFrameSpec frame;
  frame.Width = 3;
  frame.Height = 2;
  frame.Indexes = {0, 2, 0, 2, 0, 2};
  frame.TransparentIndex = 2;
  // A second frame of another size and colour: the loader must take the
  // first, not the composed picture (8 x 8, both frames on it).
  pics::TGifFrameSpec second;
  second.Left = 2;
  second.Top = 2;
  second.Width = 5;
  second.Height = 4;
  second.Indexes.assign(20, 3);
  spec.Frames = {frame, second};
  const std::string name = File("anim.Gif", pics::MakeGif(spec));
  ASSERT_EQ(platform::TGifImage::LoadFromFile(name).FrameCount(), 2);
  TFlashImage* image = movie_.AddImage(name);
  LoadGifIntoImage(*image, platform::ReadPicture(name));
  EXPECT_EQ(image->Width(), 3);
  EXPECT_EQ(image->Height(), 2);
  EXPECT_EQ(image->ColorCount(), 2u) << "red and blue of frame 0; no green of frame 1";
  EXPECT_TRUE(image->HasAlpha());
  EXPECT_EQ(image->BMPReader().Palette()[1], (TRGBQuad{0, 0, 0, 0})) << "blue, renumbered to 1";

  TFlashImage* untouched = movie_.AddImage();
  LoadGifIntoImage(*untouched, platform::ReadPicture(File("not-a-gif.bmp", pics::MakeBmp(pics::PatternBitmap(2, 2, 8)))));
  EXPECT_EQ(untouched->BitmapFormat(), 0);
  EXPECT_THROW(LoadGifIntoImage(*untouched, platform::ReadPicture(File("broken.gif", {'G', 'I', 'F'}))), platform::TImageError);
}

TEST_F(FlashImage, TransparentColourOnlyForColourMappedPictures) {
  TFlashImage* image = movie_.AddImage(Bmp(pics::PatternBitmap(2, 2, 24)));
  image->SetTransparentColor(MakeRGBA(0, 0, 0, 0));
  EXPECT_FALSE(image->HasAlpha());
  TFlashImage* half = movie_.AddImage(Bmp(pics::IndexedBitmap(2, 8, {{0, 1}}, {{5, 6, 7}, {8, 9, 10}})));
  half->SetTransparentColor(MakeRGBA(5, 6, 7, 100));
  EXPECT_EQ(half->BMPReader().Palette()[0], (TRGBQuad{7, 6, 5, 100})) << "colour kept when alpha is not 0";
  TFlashImage* bmpAsJpeg = movie_.AddImage(File("x.jpg", pics::MakeJpeg(pics::PatternBitmap(2, 2, 24), false)));
  bmpAsJpeg->SetTransparentColor(MakeRGBA(0, 0, 0, 0));
  EXPECT_FALSE(bmpAsJpeg->HasAlpha());
  TFlashImage* notJpeg = movie_.AddImage(Bmp(pics::PatternBitmap(2, 2, 24)));
  notJpeg->FillAlpha(10);
  EXPECT_TRUE(notJpeg->AlphaData().empty());
}

TEST_F(FlashImage, ImageFillModes) {
  TFlashImage* image = movie_.AddImage(Bmp(pics::PatternBitmap(40, 10, 24)));
  struct Case {
    TImageFillMode mode;
    uint8_t fillType;
    double scaleX, scaleY;
  };
  const Case cases[] = {{fmClipped, 0x41, 2 * 20.0, 3 * 20.0},
                        {fmFit, 0x41, 2000.0 / 40 + 0.003662109375, 1000.0 / 10 + 0.003662109375},
                        {fmRepeating, 0x40, 2 * 20.0, 3 * 20.0}};
  for (const Case& c : cases) {
    TFlashShape* shape = movie_.AddRectangle(10, 20, 110, 70);
    shape->SetImageFill(*image, c.mode, 2, 3);
    auto* fill = dynamic_cast<TSWFImageFill*>(shape->Definition().FillStyles().back().get());
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->FillStyleType(), c.fillType) << c.mode;
    EXPECT_EQ(fill->BitmapId, image->CharacterID());
    EXPECT_EQ(fill->BitmapMatrix.ScaleX(), FloatToFixed16(c.scaleX)) << c.mode;
    EXPECT_EQ(fill->BitmapMatrix.ScaleY(), FloatToFixed16(c.scaleY)) << c.mode;
    EXPECT_EQ(fill->BitmapMatrix.TranslateX(), 200 - 5);
    EXPECT_EQ(fill->BitmapMatrix.TranslateY(), 400 - 5);
    EXPECT_EQ(shape->FillStyle1(), shape->Definition().FillStyles().size());
  }
  TFlashShape* other = movie_.AddRectangle(0, 0, 10, 10);
  other->SetImageFill(*image, static_cast<TImageFillMode>(7), 2, 3);
  auto* fill = dynamic_cast<TSWFImageFill*>(other->Definition().FillStyles().back().get());
  EXPECT_FALSE(fill->BitmapMatrix.HasScale()) << "other modes leave the scale as created";
  EXPECT_EQ(fill->BitmapMatrix.TranslateX(), -5);
}

TEST_F(FlashImage, ImageCreatedAfterItsShapeMovesInFront) {
  TFlashShape* shape = movie_.AddRectangle(0, 0, 10, 10);
  TFlashImage* image = movie_.AddImage(Bmp(pics::PatternBitmap(2, 2, 24)));
  ASSERT_GT(movie_.IndexOf(image), movie_.IndexOf(shape));
  shape->SetImageFill(*image, fmFit);
  EXPECT_EQ(movie_.IndexOf(image) + 1, movie_.IndexOf(shape));

  // An empty image does not divide by zero.
  TFlashShape* again = movie_.AddRectangle(0, 0, 10, 10);
  again->SetImageFill(*movie_.AddImage(), fmFit);
  auto* fill = dynamic_cast<TSWFImageFill*>(again->Definition().FillStyles().back().get());
  EXPECT_EQ(fill->BitmapMatrix.ScaleX(), FloatToFixed16(200 + 0.003662109375));
}


// A movie with one picture of every kind, each filling a box with mode 1
// (fit); the 8-bit picture is stretched into a box twice as wide as high.
// Written to tessaly-images-sample.swf in the temporary folder to look at.
TEST_F(FlashImage, MovieWithPictures) {
  TFlashMovie movie(0, 0, 480, 80, 12, muPixels);
  movie.SetVersion(2);
  const std::vector<TRgb> colors = {{255, 0, 0}, {255, 255, 255}, {0, 0, 255}, {0, 160, 0}};
  const std::string gif = File("leaf.gif", pics::SimpleGif(16, 16, colors, 1));
  TBitmap translucent = pics::PatternBitmap(16, 16, 32);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) translucent.Row(y)[4 * x + 3] = static_cast<uint8_t>(16 * x);
  // Four quarters of red, white, blue and green.
  std::vector<std::vector<unsigned>> quarters;
  for (unsigned y = 0; y < 16; ++y) {
    quarters.emplace_back();
    for (unsigned x = 0; x < 16; ++x) quarters.back().push_back((y < 8 ? 0 : 2) + (x < 8 ? 0 : 1));
  }
  std::vector<TFlashShape*> boxes;
  for (int i = 0; i < 5; ++i) boxes.push_back(movie.AddRectangle(10 + 62 * i, 10, 62 + 62 * i, 70));
  boxes.push_back(movie.AddRectangle(320, 20, 460, 60));
  std::vector<TFlashImage*> images = {
      movie.AddImage(Bmp(pics::PatternBitmap(16, 16, 24))),
      movie.AddImage(gif),
      movie.AddImage(File("photo.jpg", pics::MakeJpeg(pics::PatternBitmap(16, 16, 24), false))),
      movie.AddImage(File("faded.jpg", pics::MakeJpeg(pics::PatternBitmap(16, 16, 24), false))),
      movie.AddImage(Bmp(translucent)),
      movie.AddImage(Bmp(pics::IndexedBitmap(16, 8, quarters, colors))),
  };
  LoadGifIntoImage(*images[1], platform::ReadPicture(gif));
  images[3]->FillAlpha(128);
  for (size_t i = 0; i < boxes.size(); ++i) {
    boxes[i]->SetImageFill(*images[i], fmFit);
    movie.PlaceObject(boxes[i], static_cast<uint16_t>(i + 1));
  }
  movie.ShowFrame();
  movie.WriteObjects();
  EXPECT_EQ(movie.Version(), 3) << "raised for the pictures with alpha";
  TMemoryStream out;
  movie.SaveToStream(out);
  TFileStream file((std::filesystem::temp_directory_path() / "tessaly-images-sample.swf").string());
  file.Write(out.Data(), out.Size());
  file.Close();

  // The stretched picture's fill scales 140 / 16 across and 40 / 16 down.
  auto* stretched = dynamic_cast<TSWFImageFill*>(boxes[5]->Definition().FillStyles().back().get());
  ASSERT_NE(stretched, nullptr);
  EXPECT_EQ(stretched->BitmapMatrix.ScaleX(), FloatToFixed16(140.0 * 20 / 16 + 0.003662109375));
  EXPECT_EQ(stretched->BitmapMatrix.ScaleY(), FloatToFixed16(40.0 * 20 / 16 + 0.003662109375));

  // Each picture's tag stands right before the shape it fills.
  const std::vector<uint8_t>& swf = out.Bytes();
  size_t pos = 8 + ((5 + 4 * (swf[8] >> 3) + 7) / 8) + 4;
  std::vector<uint16_t> codes;
  while (pos < swf.size()) {
    const uint16_t header = Word(swf, pos);
    size_t length = header & 63;
    pos += 2;
    if (length == 63) {
      length = DWord(swf, pos);
      pos += 4;
    }
    codes.push_back(header >> 6);
    pos += length;
  }
  EXPECT_EQ(pos, swf.size());
  EXPECT_EQ(codes,
            (std::vector<uint16_t>{20, 22, 36, 22, 21, 22, 35, 22, 36, 22, 20, 22, 26, 26, 26, 26, 26, 26, 1, 0}));
}

}  // namespace
}  // namespace tessaly::swf
