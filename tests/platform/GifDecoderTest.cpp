#include "platform/GifDecoder.h"

#include <gtest/gtest.h>

#include "platform/FileBytes.h"
#include "support/TestPictures.h"

namespace tessaly::platform {
namespace {

using test::TBytes;
using test::TGifFrameSpec;
using test::TGifSpec;

const std::vector<TRgb> kFourColors = {{255, 0, 0}, {255, 255, 255}, {0, 0, 255}, {0, 128, 0}};

TGifImage Decode(const TBytes& bytes) { return TGifImage::LoadFromBytes(bytes, "test.gif"); }

std::vector<unsigned> IndexesOf(const TBitmap& bitmap) {
  std::vector<unsigned> out;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) out.push_back(bitmap.Index(x, y));
  return out;
}

TGifFrameSpec Frame(int left, int top, int width, int height, std::uint8_t first = 0) {
  TGifFrameSpec f;
  f.Left = left;
  f.Top = top;
  f.Width = width;
  f.Height = height;
  for (int i = 0; i < width * height; ++i) f.Indexes.push_back(static_cast<std::uint8_t>((first + i) % 4));
  return f;
}

TEST(GifDecoder, SingleFrameWithTransparentColour) {
  const TGifImage gif = Decode(test::SimpleGif(5, 3, kFourColors, 1));
  ASSERT_EQ(gif.FrameCount(), 1);
  const TBitmap& frame = gif.FrameBitmap(0);
  EXPECT_EQ(frame.Width(), 5);
  EXPECT_EQ(frame.Height(), 3);
  EXPECT_EQ(frame.BitCount(), 4);
  ASSERT_EQ(frame.Palette().size(), 4u);
  EXPECT_EQ(frame.Palette()[1], (TPaletteEntry{255, 255, 255, 255}));
  EXPECT_EQ(frame.Palette()[2], (TPaletteEntry{255, 0, 0, 255}));
  EXPECT_EQ(frame.Index(4, 2), (4u + 2u) % 4u);
  EXPECT_TRUE(gif.HasTransparentColor());
  EXPECT_EQ(gif.TransparentColor(), (TRgb{255, 255, 255}));
  EXPECT_EQ(gif.ComposedTransparentColor(), (TRgb{255, 255, 255}));
  EXPECT_EQ(IndexesOf(gif.ComposedBitmap()), IndexesOf(frame));
}

TEST(GifDecoder, BitCountFollowsTheColourTable) {
  struct Case {
    std::size_t colors;
    int bitCount;
  };
  for (const Case c : {Case{2, 1}, Case{4, 4}, Case{16, 4}, Case{32, 8}, Case{256, 8}}) {
    std::vector<TRgb> colors(c.colors);
    for (std::size_t i = 0; i < c.colors; ++i) colors[i] = {static_cast<std::uint8_t>(i), 0, 0};
    const TGifImage gif = Decode(test::SimpleGif(3, 2, colors, -1));
    EXPECT_EQ(gif.FrameBitmap(0).BitCount(), c.bitCount) << c.colors;
    EXPECT_EQ(gif.FrameBitmap(0).Palette().size(), c.colors);
    EXPECT_FALSE(gif.HasTransparentColor());
  }
}

TEST(GifDecoder, FramesExtensionsAndLocalColourTables) {
  TGifSpec spec;
  spec.ScreenWidth = 4;
  spec.ScreenHeight = 4;
  spec.GlobalColors = kFourColors;
  spec.Frames = {Frame(0, 0, 4, 4), Frame(1, 1, 2, 2, 1), Frame(0, 0, 1, 1, 3)};
  spec.Frames[0].Looping = true;
  spec.Frames[0].Comment = "hello";
  spec.Frames[0].TransparentIndex = 0;
  spec.Frames[2].LocalColors = {{1, 2, 3}, {4, 5, 6}};
  const TGifImage gif = Decode(test::MakeGif(spec));

  ASSERT_EQ(gif.FrameCount(), 3);
  const auto& extensions = gif.FirstFrameExtensions();
  ASSERT_EQ(extensions.size(), 3u);
  EXPECT_EQ(extensions[0].Label, TGifExtension::kApplication);
  EXPECT_TRUE(extensions[0].IsApplication());
  EXPECT_EQ(extensions[0].ApplicationId(), "NETSCAPE2.0");
  EXPECT_TRUE(extensions[0].IsLooping());
  EXPECT_EQ(extensions[1].Label, TGifExtension::kComment);
  EXPECT_EQ(extensions[1].SubBlocks.at(0), (std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o'}));
  EXPECT_FALSE(extensions[1].IsLooping());
  EXPECT_EQ(extensions[1].ApplicationId(), "");
  EXPECT_EQ(extensions[2].Label, TGifExtension::kGraphicControl);

  EXPECT_TRUE(gif.Frame(1).Extensions.empty());
  EXPECT_EQ(gif.Frame(1).Left, 1);
  EXPECT_EQ(gif.Frame(1).Top, 1);
  EXPECT_EQ(IndexesOf(gif.FrameBitmap(1)), (std::vector<unsigned>{1, 2, 3, 0}));
  const TBitmap& local = gif.FrameBitmap(2);
  EXPECT_EQ(local.BitCount(), 1);
  EXPECT_EQ(local.PixelColor(0, 0), (TRgb{4, 5, 6}));
  EXPECT_THROW(gif.Frame(3), std::out_of_range);
}

TEST(GifDecoder, ComposedBitmapPlacesTheFirstFrameOnTheScreen) {
  TGifSpec spec;
  spec.ScreenWidth = 4;
  spec.ScreenHeight = 3;
  spec.BackgroundIndex = 2;
  spec.GlobalColors = kFourColors;
  spec.Frames = {Frame(2, 1, 3, 1, 1)};  // one pixel hangs over the right edge

  const TBitmap composed = Decode(test::MakeGif(spec)).ComposedBitmap();
  EXPECT_EQ(composed.Width(), 4);
  EXPECT_EQ(composed.Height(), 3);
  EXPECT_EQ(IndexesOf(composed), (std::vector<unsigned>{2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2}));

  spec.Frames[0].TransparentIndex = 3;
  const TGifImage transparent = Decode(test::MakeGif(spec));
  EXPECT_EQ(IndexesOf(transparent.ComposedBitmap()),
            (std::vector<unsigned>{3, 3, 3, 3, 3, 3, 1, 2, 3, 3, 3, 3}));
  EXPECT_EQ(transparent.TransparentColor(), (TRgb{0, 128, 0}));

  // The same with 256 colours (one byte per pixel), and a frame off the screen.
  spec.Frames[0].TransparentIndex = -1;
  spec.GlobalColors.resize(256);
  EXPECT_EQ(IndexesOf(Decode(test::MakeGif(spec)).ComposedBitmap()),
            (std::vector<unsigned>{2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2}));
  spec.Frames[0].Left = 9;
  EXPECT_EQ(IndexesOf(Decode(test::MakeGif(spec)).ComposedBitmap()), std::vector<unsigned>(12, 2));
}

TEST(GifDecoder, InterlacedRowsLandInPlace) {
  TGifSpec spec;
  spec.ScreenWidth = 1;
  spec.ScreenHeight = 11;
  spec.GlobalColors = kFourColors;
  TGifFrameSpec frame = Frame(0, 0, 1, 11);
  frame.Interlaced = true;
  spec.Frames = {frame};
  EXPECT_EQ(IndexesOf(Decode(test::MakeGif(spec)).FrameBitmap(0)),
            (std::vector<unsigned>{0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2}));
}

TEST(GifDecoder, TransparentColourForParticles) {
  // Declared colour; else white for a monochrome picture; else the bottom-left pixel.
  EXPECT_EQ(Decode(test::SimpleGif(3, 3, kFourColors, 3)).ComposedTransparentColor(), (TRgb{0, 128, 0}));
  EXPECT_EQ(Decode(test::SimpleGif(3, 3, {{0, 0, 0}, {9, 9, 9}}, -1)).ComposedTransparentColor(),
            (TRgb{255, 255, 255}));
  // Bottom-left pixel of SimpleGif has index (0 + 2) mod 4 = 2.
  EXPECT_EQ(Decode(test::SimpleGif(3, 3, kFourColors, -1)).ComposedTransparentColor(), (TRgb{0, 0, 255}));
}

TEST(GifDecoder, PictureWithoutFramesHasAComposedScreen) {
  TGifSpec spec;
  spec.ScreenWidth = 3;
  spec.ScreenHeight = 2;
  spec.GlobalColors = kFourColors;
  const TGifImage gif = Decode(test::MakeGif(spec));
  EXPECT_EQ(gif.FrameCount(), 0);
  EXPECT_TRUE(gif.FirstFrameExtensions().empty());
  EXPECT_EQ(gif.ComposedBitmap().Width(), 3);
  EXPECT_EQ(gif.ComposedBitmap().Height(), 2);
}

TEST(GifDecoder, MissingFileNamesTheFileAndTheReason) {
  try {
    TGifImage::LoadFromFile("/nonexistent/leaf1.gif");
    FAIL();
  } catch (const TFileError& e) {
    EXPECT_STREQ(e.what(), "/nonexistent/leaf1.gif: No such file or directory");
  }
  test::TTempDir dir;
  const std::string name = dir.Write("ok.gif", test::SimpleGif(2, 2, kFourColors, -1));
  EXPECT_EQ(TGifImage::LoadFromFile(name).FrameCount(), 1);
}

TEST(GifDecoder, RefusesWhatIsNotAGif) {
  const TBytes notGif[] = {{}, {'B', 'M', 0, 0}, {'G', 'I', 'F', '8', '9', 'a'}, TBytes(100, 0xFF)};
  for (const TBytes& bytes : notGif) EXPECT_THROW(Decode(bytes), TImageError) << bytes.size();
  try {
    Decode({'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!'});
    FAIL();
  } catch (const TImageError& e) {
    EXPECT_STREQ(e.what(), "test.gif: not a GIF picture");
  }
}

TEST(GifDecoder, TruncatedPictures) {
  const TBytes full = test::SimpleGif(200, 200, kFourColors, -1);
  ASSERT_GT(full.size(), 600u) << "several data sub-blocks";
  // Cut inside the screen descriptor or before the first frame: an error.
  for (std::size_t cut : {std::size_t{8}, std::size_t{13 + 12}})
    EXPECT_THROW(Decode(TBytes(full.begin(), full.begin() + static_cast<long>(cut))), TImageError) << cut;
  // Cut inside the pixel data: the frame is kept with the rows it had.
  const TGifImage cut = Decode(TBytes(full.begin(), full.end() - 300));
  ASSERT_EQ(cut.FrameCount(), 1);
  EXPECT_EQ(cut.FrameBitmap(0).Width(), 200);
  EXPECT_EQ(cut.FrameBitmap(0).Index(3, 0), 3u);
  // Missing trailer only.
  EXPECT_EQ(Decode(TBytes(full.begin(), full.end() - 1)).FrameCount(), 1);
}

TEST(GifDecoder, RefusesForgedSizes) {
  TGifSpec screen;
  screen.ScreenWidth = 65535;
  screen.ScreenHeight = 65535;
  screen.GlobalColors = kFourColors;
  EXPECT_THROW(Decode(test::MakeGif(screen)), TImageError);

  // A frame descriptor claiming 60000 x 60000 pixels in a small file.
  TBytes bytes = test::SimpleGif(2, 2, kFourColors, -1);
  const std::size_t descriptor = 13 + 12;  // header, screen, four colours
  ASSERT_EQ(bytes[descriptor], 0x2C);
  bytes[descriptor + 5] = 0x60;
  bytes[descriptor + 6] = 0xEA;
  bytes[descriptor + 7] = 0x60;
  bytes[descriptor + 8] = 0xEA;
  EXPECT_THROW(Decode(bytes), TImageError);

  // A forged second frame ends the picture after the first.
  TGifSpec two;
  two.ScreenWidth = 2;
  two.ScreenHeight = 2;
  two.GlobalColors = kFourColors;
  two.Frames = {Frame(0, 0, 2, 2), Frame(0, 0, 2, 2)};
  TBytes second = test::MakeGif(two);
  // Past the first descriptor, its code size byte and its data sub-blocks.
  std::size_t at = 13 + 12 + 10 + 1;
  while (second[at] != 0) at += 1 + second[at];
  ++at;
  ASSERT_EQ(second[at], 0x2C);
  second[at + 5] = 0x60;
  second[at + 6] = 0xEA;
  EXPECT_EQ(Decode(second).FrameCount(), 1);
}

TEST(GifDecoder, CountlessEmptyFramesEndThePicture) {
  // 5,000 frames of 0 x 0 pixels, 12 bytes each: the picture ends at the
  // frame limit instead of growing with the file.
  TBytes bytes = test::SimpleGif(2, 2, kFourColors, -1);
  bytes.pop_back();  // the trailer
  const TBytes empty = {0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0};
  for (int i = 0; i < 5000; ++i) bytes.insert(bytes.end(), empty.begin(), empty.end());
  bytes.push_back(0x3B);
  const TGifImage gif = Decode(bytes);
  EXPECT_EQ(gif.FrameCount(), static_cast<int>(kMaxGifFrames));
  EXPECT_EQ(gif.FrameBitmap(0).Width(), 2);
}

}  // namespace
}  // namespace tessaly::platform
