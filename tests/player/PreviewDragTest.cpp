// The editing preview as the pipeline builds it, played by our player: an
// item is dragged with the mouse and the host reads back which item it was
// and where its instance now stands.
#include "player/PlayerTestUtil.h"
#include "support/ReferenceBanner.h"

#include "document/BuildPipeline.h"

#include <gmock/gmock.h>

namespace tessaly::player::test {
namespace {

using ::testing::Optional;

TEST(PreviewDrag, DraggingAnItemNamesItAndMovesItsInstance) {
  tessaly::test::TReferenceBanner banner;
  tessaly::test::TMemoryPreviewHost host;
  document::TBuildPipeline pipeline(banner.Document, host);
  pipeline.BuildPreviewMovie();
  ASSERT_FALSE(host.Movie.empty());
  TFlashPlayer player;
  player.SetLoop(false);
  player.LoadMovie(host.Movie);
  EXPECT_THAT(player.Warnings(), ::testing::IsEmpty());
  std::optional<std::string> pressedName;
  player.onMouseReleased = [&] { pressedName = player.GetVariable("CurrentObj"); };
  // The translucent rectangle (item 1) stands at 8, 8, 70 x 44 pixels.
  player.MouseDown(40, 30);
  player.MouseMove(60, 31);
  player.MouseMove(80, 32);
  player.MouseUp(80, 32);
  EXPECT_THAT(pressedName, Optional(std::string("but1")));
  EXPECT_THAT(player.TGetProperty("but1", 0), Optional(std::string("40")));
  EXPECT_THAT(player.TGetProperty("but1", 1), Optional(std::string("2")));
  // Its instance stands at 0, 0 until dragged; its size is the rectangle's
  // with half the border on every side.
  EXPECT_THAT(player.TGetProperty("but2", 0), Optional(std::string("0")));
  EXPECT_THAT(player.TGetProperty("but1", 8), Optional(std::string("73")));
  // The nudge arrows move an instance at once.
  EXPECT_TRUE(player.TSetProperty("but2", 0, "1"));
  EXPECT_THAT(player.TGetProperty("but2", 0), Optional(std::string("1")));
}

}  // namespace
}  // namespace tessaly::player::test
