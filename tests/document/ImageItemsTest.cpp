// Picture items: the bitmap by picture type, transparency for JPEG data,
// the stretched rectangle, and a missing file.

#include <gtest/gtest.h>

#include "document/BuildTestSupport.h"
#include "document/PictureFiles.h"
#include "document/SwfTestReader.h"
#include "platform/FileBytes.h"

namespace tessaly::test {
namespace {

constexpr std::uint16_t kDefineBitsLossless = 20, kDefineBitsJPEG2 = 21, kDefineBitsJPEG3 = 35,
                        kDefineBitsLossless2 = 36;

struct TImageFixture : TBuildFixture {
  TImageFixture() { Doc.BannerSettings.Compress = false; }
  TSwfFile Build() {
    Pipeline.BuildPreviewMovie();
    return ReadSwf(Host.Movie);
  }
  TTempDir Pictures;
};

TEST(ImageItems, JpegWithTransparency30HasAUniformMaskOf179) {
  TImageFixture f;
  f.AddPicture(f.Pictures.Write("p.jpg", MakeJpeg(PatternBitmap(12, 7, 24), false)), 0, 0, 12, 7).Transparency = 30;
  const TSwfFile swf = f.Build();
  ASSERT_EQ(swf.CountOf(kDefineBitsJPEG3), 1u);
  const auto& body = swf.TagsWith(kDefineBitsJPEG3)[0]->Body;
  const std::uint32_t alphaOffset = body[2] | (body[3] << 8) | (body[4] << 16) | (std::uint32_t(body[5]) << 24);
  const std::vector<std::uint8_t> mask =
      Inflate(std::span<const std::uint8_t>(body).subspan(6 + alphaOffset));
  EXPECT_EQ(mask, std::vector<std::uint8_t>(12 * 7, 179));
}

TEST(ImageItems, OpaqueJpegIsKeptAsJpegData) {
  TImageFixture f;
  f.AddPicture(f.Pictures.Write("p.jpeg", MakeJpeg(PatternBitmap(8, 8, 24), false)), 0, 0, 8, 8);
  const TSwfFile swf = f.Build();
  EXPECT_EQ(swf.CountOf(kDefineBitsJPEG2), 1u);
  EXPECT_EQ(swf.CountOf(kDefineBitsJPEG3), 0u);
}

TEST(ImageItems, BmpAndGifTakeNoItemAlpha) {
  TImageFixture f;
  f.AddPicture(f.Pictures.Write("p.bmp", MakeBmp(PatternBitmap(6, 4, 24))), 0, 0, 6, 4).Transparency = 30;
  f.AddPicture(f.Pictures.Write("p.gif", SimpleGif(6, 4, {{255, 255, 255}, {1, 2, 3}}, 0)), 0, 0, 6, 4)
      .Transparency = 30;
  f.AddPicture(f.Pictures.Write("q.gif", SimpleGif(6, 4, {{255, 255, 255}, {1, 2, 3}}, -1)), 0, 0, 6, 4)
      .Transparency = 30;
  const TSwfFile swf = f.Build();
  EXPECT_EQ(swf.CountOf(kDefineBitsJPEG3), 0u);
  EXPECT_EQ(swf.CountOf(kDefineBitsLossless), 2u) << "the BMP and the GIF without transparent colour";
  EXPECT_EQ(swf.CountOf(kDefineBitsLossless2), 1u) << "the GIF keeps its transparent colour";
}

TEST(ImageItems, ProgressiveJpegIsWrittenLosslessWithoutAlpha) {
  TImageFixture f;
  const std::string jpeg = f.Pictures.Write("Prog.JPG", MakeJpeg(PatternBitmap(10, 6, 24), true));
  f.AddPicture(jpeg, 0, 0, 10, 6).Transparency = 40;
  const TSwfFile swf = f.Build();
  EXPECT_EQ(swf.CountOf(kDefineBitsLossless), 1u);
  EXPECT_EQ(swf.CountOf(kDefineBitsJPEG3) + swf.CountOf(kDefineBitsJPEG2), 0u);
  EXPECT_EQ(document::ProgressiveJpegCopyPath(jpeg, f.Temp.Path()), f.Temp.Path() / "Prog.BMP");
  EXPECT_TRUE(std::filesystem::exists(f.Temp.Path() / "Prog.BMP"));
}

TEST(ImageItems, GifFrameChoosesTheFrameCountedFrom1) {
  TGifSpec spec;
  spec.ScreenWidth = 20;
  spec.ScreenHeight = 10;
  spec.GlobalColors = {{0, 0, 0}, {255, 0, 0}};
  for (int k = 1; k <= 3; ++k) {
    TGifFrameSpec frame;
    frame.Width = 4 * k;
    frame.Height = k + 1;
    frame.Indexes.assign(static_cast<std::size_t>(frame.Width * frame.Height), 1);
    spec.Frames.push_back(frame);
  }
  struct Case {
    int gifFrame, width;
  };
  for (const Case c : {Case{3, 12}, Case{1, 4}, Case{-1, 20}, Case{9, 20}}) {
    TImageFixture f;
    f.AddPicture(f.Pictures.Write("anim.gif", MakeGif(spec)), 0, 0, 20, 10).GifFrame = c.gifFrame;
    auto movie = f.Pipeline.ComposePreviewMovie("");
    EXPECT_EQ(f.Pipeline.Context().ItemImages[1]->Width(), c.width) << c.gifFrame;
  }
}

TEST(ImageItems, PngGivesAnEmptyBitmapButStillPlacesItsButton) {
  TImageFixture f;
  f.AddPicture(f.Pictures.Write("p.png", std::vector<std::uint8_t>{0x89, 'P', 'N', 'G'}), 5, 5, 20, 20);
  {
    auto movie = f.Pipeline.ComposePreviewMovie("");
    EXPECT_EQ(f.Pipeline.Context().ItemImages[1]->Width(), 0);
    EXPECT_EQ(PlacementsAt(*movie, 2).size(), 1u);
    EXPECT_EQ(ObjectOrder(*movie), "SPISBP.");
  }
  EXPECT_NO_THROW(f.Build());
}

TEST(ImageItems, PictureIsStretchedOverTheItemBox) {
  TImageFixture f;
  f.AddPicture(f.Pictures.Write("p.bmp", MakeBmp(PatternBitmap(100, 50, 24))), 10, 20, 200, 200);
  auto movie = f.Pipeline.ComposePreviewMovie("");
  swf::TFlashShape& rect = *f.Pipeline.Context().ItemShapes[1];
  EXPECT_EQ(rect.Bounds().Xmin(), 200);
  EXPECT_EQ(rect.Bounds().Ymin(), 400);
  EXPECT_EQ(rect.Bounds().Xmax(), 4200);
  EXPECT_EQ(rect.Bounds().Ymax(), 4400);
  auto* fill = dynamic_cast<swf::TSWFImageFill*>(rect.Definition().FillStyles().at(0).get());
  ASSERT_NE(fill, nullptr);
  EXPECT_EQ(fill->BitmapId, f.Pipeline.Context().ItemImages[1]->CharacterID());
  EXPECT_NEAR(fill->BitmapMatrix.ScaleXValue(), 4000.0 / 100 + 0.003662109375, 1e-3);
  EXPECT_NEAR(fill->BitmapMatrix.ScaleYValue(), 4000.0 / 50 + 0.003662109375, 1e-3);
}

TEST(ImageItems, AnimatedPictureIsCentredAndTranslated) {
  TImageFixture f;
  f.Doc.BannerSettings.AnimationType = 1;
  f.AddPicture(f.Pictures.Write("p.bmp", MakeBmp(PatternBitmap(4, 4, 24))), 10, 5, 20, 20);
  auto movie = f.Pipeline.ComposeAnimatedMovie("");
  EXPECT_EQ(f.Pipeline.Context().ItemShapes[1]->Bounds().Xmin(), -224 * 20);
  auto* place = PlacementsAt(*movie, 2)[0];
  EXPECT_EQ(place->PlaceObject2().Matrix().TranslateX(), 200);
  EXPECT_EQ(place->PlaceObject2().Matrix().TranslateY(), 100);
}

TEST(ImageItems, MissingPictureAbandonsTheBuildNamingTheFile) {
  for (const char* name : {"gone.jpg", "gone.bmp", "gone.gif", "gone.png"}) {
    TImageFixture f;
    const std::string file = (f.Pictures.Path() / name).string();
    f.AddPicture(file, 0, 0, 10, 10);
    try {
      f.Pipeline.BuildPreviewMovie();
      ADD_FAILURE() << name << ": no error";
    } catch (const platform::TFileError& e) {
      EXPECT_EQ(e.FileName(), file);
      EXPECT_NE(std::string(e.what()).find(file), std::string::npos);
    }
    EXPECT_EQ(f.Host.Loads, 0) << "nothing reaches the preview";
    EXPECT_EQ(f.Pipeline.Context().BackgroundCharacter, nullptr);
  }
  // A failed animated build leaves the preview state as it was.
  TImageFixture f;
  f.AddPicture((f.Pictures.Path() / "gone.gif").string(), 0, 0, 10, 10);
  f.Doc.BannerSettings.AnimationType = 1;
  f.Doc.Playing = false;
  EXPECT_THROW(f.Pipeline.BuildAnimatedMovie(), platform::TFileError);
  EXPECT_FALSE(f.Doc.Playing);
  EXPECT_EQ(f.Pipeline.Context().ItemButtons[1], nullptr);
}

}  // namespace
}  // namespace tessaly::test
