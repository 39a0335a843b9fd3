#include "swf/FlashObjects.h"

#include <gtest/gtest.h>

#include <vector>

#include "SWFTestUtil.h"

namespace tessaly::swf {
namespace {

using test::Hex;
using test::TagOf;

std::string BodyHex(TFlashMovie& movie) {
  movie.WriteObjects();
  return Hex(movie.BodyStream().Bytes());
}

TEST(FlashMovie, ConstructionInPixelsAndTwips) {
  TFlashMovie pixels(0, 0, 468, 60, 35, muPixels);
  EXPECT_EQ(pixels.UnitsFactor(), 20);
  EXPECT_EQ(pixels.FrameSize(), (TRect{0, 0, 9360, 1200}));
  EXPECT_EQ(pixels.Version(), 5);
  EXPECT_EQ(pixels.FrameRateWord(), 0x2300);
  EXPECT_EQ(pixels.NextCharacterID(), 1);
  EXPECT_TRUE(pixels.ObjectList().empty());

  TFlashMovie twips(0, 0, 468, 60, 12);
  EXPECT_EQ(twips.UnitsFactor(), 1);
  EXPECT_EQ(twips.FrameSize(), (TRect{0, 0, 468, 60}));
  // Switching units later leaves the frame size alone.
  twips.SetPixelUnits(true);
  EXPECT_EQ(twips.UnitsFactor(), 20);
  EXPECT_EQ(twips.FrameSize(), (TRect{0, 0, 468, 60}));
}

TEST(FlashMovie, ShowFrameCountsAndAppends) {
  TFlashMovie movie(0, 0, 10, 10, 12);
  EXPECT_EQ(movie.CurrentFrame(), -1);
  movie.ShowFrame(0);
  EXPECT_EQ(movie.FrameCount(), 1);
  EXPECT_EQ(movie.ObjectList().size(), 1u);
  movie.ShowFrame(3);
  EXPECT_EQ(movie.FrameCount(), 4);
  EXPECT_EQ(movie.CurrentFrame(), 3);
  EXPECT_EQ(movie.ObjectList().size(), 4u);
  EXPECT_EQ(BodyHex(movie), "40 00 40 00 40 00 40 00 00 00");
  EXPECT_EQ(movie.FrameCount(), 4);
}

TEST(FlashMovie, OnShowFrameFollowsEveryFrameClosed) {
  TFlashMovie movie(0, 0, 10, 10, 12);
  std::vector<int> counts;
  movie.OnShowFrame = [&](TFlashMovie& sender) { counts.push_back(sender.FrameCount()); };
  movie.ShowFrame(1);
  movie.ShowFrame(3);
  movie.ShowFrame(0);
  EXPECT_EQ(counts, (std::vector<int>{1, 4, 5})) << "once per call, after its frames";
  EXPECT_EQ(BodyHex(movie), "40 00 40 00 40 00 40 00 40 00 00 00") << "the movie is the same";
}

TEST(FlashMovie, FrameLabelAndActionsStandBeforeTheirShowFrame) {
  TFlashMovie movie(0, 0, 10, 10, 12);
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->SetDepth(1);
  place->SetCharacterId(1);
  movie.AddFlashObject(std::move(place));
  movie.FrameActions().Stop();
  movie.SetFrameLabel("a");
  EXPECT_TRUE(movie.HasFrameActions());
  movie.ShowFrame();
  EXPECT_FALSE(movie.HasFrameActions());
  EXPECT_TRUE(movie.FrameLabel().empty());
  // PlaceObject2, FrameLabel "a", DoAction Stop, ShowFrame, End.
  EXPECT_EQ(BodyHex(movie), "85 06 02 01 00 01 00 C2 0A 61 00 02 03 07 00 40 00 00 00");
  // Appends by ShowFrame do not move InsertIndex.
  EXPECT_EQ(movie.InsertIndex(), 0);

  // The next frame's actions are a new list.
  movie.FrameActions().Stop();
  movie.FrameActions().Stop();
  movie.ShowFrame();
  EXPECT_EQ(movie.ObjectList().size(), 6u);
  EXPECT_EQ(movie.FrameCount(), 2);
}

TEST(FlashMovie, EndTagIsNotDoubled) {
  TFlashMovie movie(0, 0, 10, 10, 12);
  movie.ShowFrame();
  movie.AddFlashObject(std::make_unique<TSWFEnd>());
  EXPECT_EQ(BodyHex(movie), "40 00 00 00");
  // Writing twice rebuilds the body from scratch.
  EXPECT_EQ(BodyHex(movie), "40 00 00 00");
}

TEST(FlashMovie, BackgroundColorIsWrittenFirst) {
  TFlashMovie movie(0, 0, 10, 10, 12);
  EXPECT_FALSE(movie.HasBackgroundColor());
  movie.ShowFrame();
  movie.SWFBackgroundColor().SetRGB(MakeRGBA(0x10, 0x20, 0x30, 0));
  EXPECT_TRUE(movie.HasBackgroundColor());
  EXPECT_EQ(BodyHex(movie), "43 02 10 20 30 40 00 00 00");
}

TEST(FlashMovie, PlacementsReceiveTheVersionSoFar) {
  // A loose PlaceObject2 with a clip action: 16-bit event flags below 6.
  auto build = [](uint8_t version, bool compressed) {
    auto movie = std::make_unique<TFlashMovie>(0, 0, 10, 10, 12);
    movie->SetVersion(version);
    movie->SetCompressed(compressed);
    auto place = std::make_unique<TSWFPlaceObject2>();
    place->SetDepth(1);
    place->ClipActions().AddRecord(ceLoad).Actions.Add<TSWFActionStop>();
    auto* p = movie->AddFlashObject(std::move(place));
    movie->ShowFrame();
    movie->WriteObjects();
    return std::make_pair(std::move(movie), p->BodySize());
  };
  auto [v5, size5] = build(5, false);
  auto [v6, size6] = build(6, true);
  EXPECT_EQ(size6 - size5, 6u);  // three flag fields, two bytes wider each
  EXPECT_EQ(v5->Version(), 5);
  EXPECT_EQ(v6->Version(), 6);

  // A movie object sees the version when it is written.
  struct TProbe : TFlashObject {
    uint8_t seen = 0;
    void SetSWFVersion(uint8_t v) override { seen = v; }
    uint8_t MinVersion() const override { return 4; }
    void WriteToStream(TBitsEngine&) override {}
  };
  TFlashMovie movie(0, 0, 10, 10, 12);
  movie.SetVersion(3);
  auto* probe = movie.AddFlashObject(std::make_unique<TProbe>());
  movie.ShowFrame();
  movie.WriteObjects();
  EXPECT_EQ(probe->seen, 4);
  EXPECT_EQ(movie.Version(), 4);
  EXPECT_TRUE(probe->IsMovieObject());
}

TEST(FlashObject, UnitsFactorFollowsTheOwner) {
  struct TPlain : TFlashObject {
    using TFlashObject::TFlashObject;
    int changes = 0;
    void OwnerChanged() override { ++changes; }
    void WriteToStream(TBitsEngine&) override {}
  };
  TFlashMovie movie(0, 0, 10, 10, 12, muPixels);
  TPlain loose;
  EXPECT_EQ(loose.UnitsFactor(), 1);
  loose.SetOwner(&movie);
  EXPECT_EQ(loose.changes, 1);
  EXPECT_EQ(loose.UnitsFactor(), 20);
  EXPECT_EQ(loose.Owner(), &movie);
}

TEST(FlashActionScript, PushMergingAndVariables) {
  TFlashMovie movie(0, 0, 10, 10, 12);
  TFlashActionScript script(&movie);
  EXPECT_TRUE(script.OwnsList());
  script.Push("a");
  script.Push("b");
  ASSERT_EQ(script.Actions().Count(), 1u);  // one Push with two values
  script.GetVariable("CurrentObj");          // merged too, then GetVariable
  ASSERT_EQ(script.Actions().Count(), 2u);
  EXPECT_EQ(static_cast<TSWFActionPush&>(script.Actions()[0]).Values().size(), 3u);
  script.SetVariable("CurrentObj", "but2");  // always a new Push
  ASSERT_EQ(script.Actions().Count(), 4u);
  script.GetUrl("http://a.cn", "_blank");
  script.StartDrag();
  script.EndDrag();
  script.Stop();
  EXPECT_EQ(script.MinVersion(), 4);
  EXPECT_EQ(Hex(TagOf(script)),
            "3F 03 46 00 00 00 "  // DoAction, 70 bytes: long header
            "96 12 00 00 61 00 00 62 00 00 43 75 72 72 65 6E 74 4F 62 6A 00 1C "
            "96 12 00 00 43 75 72 72 65 6E 74 4F 62 6A 00 00 62 75 74 32 00 1D "
            "83 13 00 68 74 74 70 3A 2F 2F 61 2E 63 6E 00 5F 62 6C 61 6E 6B 00 27 28 07 00");
}

TEST(FlashActionScript, ViewOnAnotherList) {
  TSWFDefineButton2 button;
  TSWFButtonCondAction& release = button.AddCondAction(1 << bcOverDownToOverUp);
  TFlashActionScript view(nullptr, &release.Actions());
  EXPECT_FALSE(view.OwnsList());
  view.GetUrl("u", "");
  EXPECT_EQ(release.Actions().Count(), 1u);
  TSWFActionList other;
  view.SetActionList(&other);
  view.Stop();
  EXPECT_EQ(other.Count(), 1u);
  EXPECT_EQ(release.Actions().Count(), 1u);
  EXPECT_EQ(TFlashActionScript(nullptr).MinVersion(), 1);
}

}  // namespace
}  // namespace tessaly::swf
