// A page's FlashVars as the player reads them, and the root variables they
// become before the first frame runs.
#include "player/ActionTestUtil.h"
#include "player/FlashVars.h"
#include "player/PlayerTestUtil.h"

#include <gmock/gmock.h>

namespace tessaly::player::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Optional;
using ::testing::Pair;

TEST(FlashVars, PairsAreSplitAndDecoded) {
  EXPECT_THAT(ParseFlashVars(""), IsEmpty());
  EXPECT_THAT(ParseFlashVars("clickTAG=http%3A%2F%2Fa.example%2F%3Fq%3D1%26r%3D2"),
              ElementsAre(Pair("clickTAG", "http://a.example/?q=1&r=2")));
  EXPECT_THAT(ParseFlashVars("a=1&b=x+y&c=%E4%B8%AD"), ElementsAre(Pair("a", "1"), Pair("b", "x y"), Pair("c", "中")));
  // No "=": an empty value; an empty name: left out; "=" inside a value stays.
  EXPECT_THAT(ParseFlashVars("flag&=lost&&v=a=b"), ElementsAre(Pair("flag", ""), Pair("v", "a=b")));
  // A "%" without two hex digits after it stays as it is.
  EXPECT_THAT(ParseFlashVars("p=100%&q=%zz%4"), ElementsAre(Pair("p", "100%"), Pair("q", "%zz%4")));
  EXPECT_THAT(ParseFlashVars("n%61me=%41"), ElementsAre(Pair("name", "A")));
}

TEST(FlashVars, BecomeRootVariablesBeforeTheFirstFrameRuns) {
  // Frame 1 copies clickTAG into "seen": the variable is there when it runs.
  TMovieBuilder swf(20, 20, 35, 5);
  swf.DoAction(Join({Push({PStr("seen"), PStr("/:clickTAG")}), Action(0x1C), Action(0x1D), ActionStop()}));
  swf.ShowFrame();
  const TBytes movie = swf.Bytes();

  TFlashPlayer player;
  player.LoadMovie(movie, "clickTAG=http%3A%2F%2Fa.example%2F");
  EXPECT_THAT(player.GetVariable("seen"), Optional(std::string("http://a.example/")));
  EXPECT_THAT(player.GetVariable("/:clickTAG"), Optional(std::string("http://a.example/")));

  player.LoadMovie(movie);
  EXPECT_EQ(player.GetVariable("clickTAG"), std::nullopt) << "a new movie starts without the old variables";
  player.SetVariable("clickTAG", "https://b.example/");
  EXPECT_THAT(player.GetVariable("_root.clickTAG"), Optional(std::string("https://b.example/")));
}

}  // namespace
}  // namespace tessaly::player::test
