// The reference banner built both ways. Its movies are also left in
// <build>/reference-banner/ for looking at them with an SWF player.

#include <gtest/gtest.h>

#include <filesystem>

#include "document/BuildTestSupport.h"
#include "document/SwfTestReader.h"
#include "platform/FileBytes.h"

namespace tessaly::test {
namespace {

using R = TReferenceBanner;

struct TReferenceFixture {
  TReferenceFixture() {
    Pipeline.SetTemporaryFolder(Banner.Folder.Path());
    std::filesystem::create_directories(OutputFolder);
  }
  TReferenceBanner Banner;
  TMemoryPreviewHost Host;
  document::TBuildPipeline Pipeline{Banner.Document, Host};
  std::filesystem::path OutputFolder = std::filesystem::current_path() / "reference-banner";
};

TEST(ReferenceBanner, EditingPreviewHoldsEveryItemAtItsDepth) {
  TReferenceFixture f;
  {
    auto movie = f.Pipeline.ComposePreviewMovie("");
    const auto& ctx = f.Pipeline.Context();
    for (int i = 1; i <= R::ItemCount; ++i) {
      ASSERT_NE(ctx.ItemButtons[i], nullptr) << i;
      auto placements = PlacementsAt(*movie, 2 * i);
      ASSERT_EQ(placements.size(), 1u) << i;
      EXPECT_EQ(placements[0]->PlaceObject2().Name(), "but" + std::to_string(i));
    }
    EXPECT_NE(ctx.ShadowButtons[R::LatinText], nullptr);
    EXPECT_EQ(PlacementsAt(*movie, document::ShadowDepth(R::LatinText)).size(), 1u);
    EXPECT_EQ(ctx.ShadowButtons[R::ChineseText], nullptr);
    EXPECT_TRUE(ctx.ItemShapes[R::TranslucentRectangle]->HasAlpha());
    EXPECT_TRUE(ctx.ItemImages[R::JpegItem]->IsJPEG());
    EXPECT_FALSE(ctx.ItemImages[R::JpegItem]->AlphaData().empty());
    // Nothing opens in the editing preview: items are dragged, the
    // background is a bare shape.
    EXPECT_EQ(ctx.BackgroundButton, nullptr);
    for (int i = 1; i <= R::ItemCount; ++i)
      EXPECT_EQ(ButtonActionCodes(*ctx.ItemButtons[i], swf::bcOverDownToOverUp), std::vector<int>{0x28}) << i;
    EXPECT_EQ(ButtonActionCodes(*ctx.ShadowButtons[R::LatinText], swf::bcOverDownToOverUp), std::vector<int>{});
  }
  f.Pipeline.BuildPreviewMovie();
  platform::WriteFileBytes((f.OutputFolder / "preview.swf").string(), f.Host.Movie);
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  EXPECT_EQ(swf.Signature, "CWS");
  EXPECT_EQ(swf.FrameCount, 1);
  EXPECT_EQ(swf.CountOf(35), 1u) << "the JPEG with its mask";
  EXPECT_EQ(swf.CountOf(36), 1u) << "the GIF with its transparent colour";
  EXPECT_EQ(swf.CountOf(20), 1u) << "the BMP fill";
  EXPECT_EQ(swf.CountOf(48), 3u) << "fonts of the shadow, the Latin and the Chinese text";
  for (int i = 1; i <= R::ItemCount; ++i) EXPECT_TRUE(f.Banner.Document.ItemTable[i].InPreview) << i;
  EXPECT_GT(f.Banner.Document.ItemTable[R::LatinText].Width, 40);
}

TEST(ReferenceBanner, SavedFormOpensTheUrlFromEveryItem) {
  TReferenceFixture f;
  const std::string file = (f.OutputFolder / "saved.swf").string();
  {
    auto movie = f.Pipeline.ComposePreviewMovie(file);
    const auto& ctx = f.Pipeline.Context();
    ASSERT_NE(ctx.BackgroundButton, nullptr);
    for (int i = 1; i <= R::ItemCount; ++i)
      EXPECT_EQ(ButtonActionCodes(*ctx.ItemButtons[i], swf::bcOverDownToOverUp), std::vector<int>{0x83}) << i;
  }
  f.Pipeline.BuildPreviewMovie(file);
  EXPECT_EQ(platform::ReadFileBytes(file), f.Host.Movie);
}

TEST(ReferenceBanner, PipelineCompressionEqualsTheWritersOwn) {
  TReferenceFixture f;
  f.Pipeline.BuildPreviewMovie();
  f.Pipeline.BuildPreviewMovie();  // the second build reuses the zlib stream
  auto movie = f.Pipeline.ComposePreviewMovie("");
  movie->WriteObjects();
  swf::TMemoryStream own;
  movie->SaveToStream(own);
  EXPECT_EQ(own.Bytes(), f.Host.Movie);

  f.Banner.Document.BannerSettings.Compress = false;
  f.Pipeline.BuildPreviewMovie();
  auto plain = f.Pipeline.ComposePreviewMovie("");
  plain->WriteObjects();
  swf::TMemoryStream ownPlain;
  plain->SaveToStream(ownPlain);
  EXPECT_EQ(ownPlain.Bytes(), f.Host.Movie);
}

}  // namespace
}  // namespace tessaly::test
