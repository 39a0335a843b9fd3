#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SWFTestUtil.h"
#include "swf/FlashObjects.h"

namespace tessaly::swf {
namespace {

using test::Hex;
using test::TagOf;

TEST(MovieObjects, CharacterIDsCountOnlyCharacters) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashShape* shape = movie.AddRectangle(0, 0, 10, 10);
  movie.PlaceObject(shape, 1);
  movie.FrameActions().Stop();
  movie.ShowFrame();
  TFlashSprite* sprite = movie.AddSprite();
  TFlashButton* button = movie.AddButton();
  TFlashShape* empty = movie.AddShape();

  EXPECT_EQ(shape->CharacterID(), 1);
  EXPECT_EQ(sprite->CharacterID(), 2);
  EXPECT_EQ(button->CharacterID(), 3);
  EXPECT_EQ(empty->CharacterID(), 4);
  EXPECT_EQ(movie.NextCharacterID(), 5);
  // The definition tags carry the IDs too.
  EXPECT_EQ(shape->Definition().ShapeId, 1);
  EXPECT_EQ(sprite->Definition().SpriteID, 2);
  EXPECT_EQ(button->Button2()->ButtonId, 3);

  EXPECT_EQ(movie.Shapes(), (TFlashShapeList{shape, empty}));
  EXPECT_EQ(movie.Sprites(), (TFlashSpriteList{sprite}));
  EXPECT_EQ(movie.Buttons(), (TFlashButtonList{button}));
  EXPECT_TRUE(movie.Fonts().empty());
  EXPECT_TRUE(movie.Images().empty());
  EXPECT_TRUE(movie.Texts().empty());

  // Shape, placement, actions, ShowFrame, sprite, button, shape.
  ASSERT_EQ(movie.ObjectList().size(), 7u);
  EXPECT_EQ(movie.IndexOf(sprite), 4);
  EXPECT_EQ(movie.InsertIndex(), 6);
  EXPECT_EQ(movie.IndexOf(nullptr), -1);
}

TEST(MovieObjects, UnitsFactorFollowsTheOwnerAndIgnoreMovieUnits) {
  TFlashMovie pixels(0, 0, 100, 100, 12, muPixels);
  TFlashShape loose;
  EXPECT_EQ(loose.UnitsFactor(), 1);
  TFlashShape* shape = pixels.AddShape(std::make_unique<TFlashShape>());
  EXPECT_EQ(shape->Owner(), &pixels);
  EXPECT_EQ(shape->UnitsFactor(), 20);
  // The edge builder follows the new owner.
  shape->Edges().LineTo(1, 0);
  shape->SetIgnoreMovieUnits(true);
  EXPECT_EQ(shape->UnitsFactor(), 1);
  shape->Edges().LineDelta(1, 0);
  EXPECT_EQ(shape->Edges().PenX(), 21);
  EXPECT_EQ(pixels.PlaceObject(shape, 1)->UnitsFactor(), 20);
}

TEST(MovieObjects, MinVersionPerClass) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashActionScript& actions = movie.FrameActions();
  EXPECT_EQ(actions.MinVersion(), 1);
  actions.Stop();
  EXPECT_EQ(actions.MinVersion(), 3);
  actions.Push("s");
  EXPECT_EQ(actions.MinVersion(), 4);
  actions.Push(int32_t{1});
  EXPECT_EQ(actions.MinVersion(), 5);

  EXPECT_EQ(movie.AddButton({.UseButton2 = false})->MinVersion(), 1);
  EXPECT_EQ(movie.AddButton()->MinVersion(), 3);

  TFlashShape* shape = movie.AddRectangle(0, 0, 1, 1);
  TFlashPlaceObject* place = movie.PlaceObject(shape, 1);
  EXPECT_EQ(place->MinVersion(), 3);
  place->PlaceObject2().ClipActions().AddRecord(ceLoad).Actions.Add<TSWFActionStop>();
  EXPECT_EQ(place->MinVersion(), 5);

  TFlashSprite* sprite = movie.AddSprite();
  EXPECT_EQ(sprite->MinVersion(), 3);
  sprite->PlaceObject(shape, 1)->PlaceObject2().ClipActions().AddRecord(ceLoad).Actions.Add<TSWFActionStop>();
  EXPECT_EQ(sprite->MinVersion(), 5);
  sprite->InitActions().Stop();
  EXPECT_EQ(sprite->MinVersion(), 6);
}

// ---- placements ----

TEST(PlaceObjects, TagBytes) {
  struct Case {
    const char* name;
    void (*apply)(TFlashPlaceObject&);
    const char* bytes;
  };
  const Case cases[] = {
      {"plain", [](TFlashPlaceObject&) {}, "85 06 02 03 00 01 00"},
      {"translate 0, 0 leaves no matrix", [](TFlashPlaceObject& p) { p.SetTranslate(0, 0); }, "85 06 02 03 00 01 00"},
      {"translate in pixels", [](TFlashPlaceObject& p) { p.SetTranslate(10, 5); },
       "89 06 06 03 00 01 00 12 C8 32 00"},
      {"translate 0, 0 of a move", [](TFlashPlaceObject& p) { p.SetMove(true); p.SetTranslate(0, 0); },
       "86 06 07 03 00 01 00 00"},
      {"translate 0, 0 after a scale",
       [](TFlashPlaceObject& p) {
         p.SetScale(1, 1);
         p.SetTranslate(0, 0);
       },
       "8B 06 06 03 00 01 00 C9 00 00 40 00 00"},
      {"name", [](TFlashPlaceObject& p) { p.SetName("but1"); }, "8A 06 22 03 00 01 00 62 75 74 31 00"},
      {"ratio", [](TFlashPlaceObject& p) { p.SetRatio(7); }, "87 06 12 03 00 01 00 07 00"},
      {"colour transform", [](TFlashPlaceObject& p) { p.ColorTransform().SetAddA(-1); },
       "87 06 0A 03 00 01 00 88 0C"},
  };
  for (const Case& c : cases) {
    TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
    TFlashShape* shape = movie.AddRectangle(0, 0, 1, 1);
    TFlashPlaceObject* place = movie.PlaceObject(shape, 3);
    EXPECT_EQ(place->CharacterID(), 1);
    EXPECT_EQ(place->Depth(), 3);
    EXPECT_EQ(place->PlacedObject(), shape);
    c.apply(*place);
    EXPECT_EQ(Hex(TagOf(*place)), c.bytes) << c.name;
  }
}

TEST(PlaceObjects, WithoutObjectOnlyTheDepth) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashPlaceObject* place = movie.PlaceObject(nullptr, 4);
  place->SetMove(true);
  EXPECT_EQ(place->CharacterID(), 0);
  EXPECT_EQ(Hex(TagOf(*place)), "83 06 01 04 00");
}

TEST(PlaceObjects, ScaleAndRotateGoToTheMatrix) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashPlaceObject* place = movie.PlaceObject(movie.AddRectangle(0, 0, 1, 1), 1);
  place->SetScale(2, 0.5);
  place->SetRotate(90);
  ASSERT_TRUE(place->PlaceObject2().HasMatrix());
  const TSWFMatrix& m = place->PlaceObject2().Matrix();
  EXPECT_TRUE(m.HasScale());
  EXPECT_TRUE(m.HasRotate());
  EXPECT_EQ(m.RotateSkew1(), 32768);
  EXPECT_EQ(m.RotateSkew0(), -131072);
}

TEST(PlaceObjects, WriteObjectsHandsEachPlacementTheVersionSoFar) {
  TFlashMovie movie(0, 0, 100, 100, 12);
  movie.SetVersion(3);
  TFlashShape* shape = movie.AddRectangle(0, 0, 10, 10);
  TFlashPlaceObject* first = movie.PlaceObject(shape, 1);
  TFlashSprite* sprite = movie.AddSprite();
  sprite->InitActions().Stop();
  TFlashPlaceObject* second = movie.PlaceObject(sprite, 2);
  movie.ShowFrame();
  movie.WriteObjects();
  EXPECT_EQ(first->PlaceObject2().SWFVersion(), 3);
  EXPECT_EQ(second->PlaceObject2().SWFVersion(), 6);
  EXPECT_EQ(movie.Version(), 6);
}

// ---- action lists ----

TEST(ActionScripts, PushMergesAndSetVariableStartsANewPush) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashActionScript& a = movie.FrameActions();
  a.Push("a");
  a.Push("b");
  ASSERT_EQ(a.Actions().Count(), 1u);
  EXPECT_EQ(static_cast<TSWFActionPush&>(a.Actions()[0]).Values().size(), 2u);
  a.GetVariable("c");
  a.SetVariable("d", "e");
  a.Push("f");
  // Push(a, b, c), GetVariable, Push(d, e), SetVariable, Push(f).
  ASSERT_EQ(a.Actions().Count(), 5u);
  EXPECT_EQ(static_cast<TSWFActionPush&>(a.Actions()[0]).Values().size(), 3u);
  EXPECT_EQ(a.Actions()[1].ActionCode(), 0x1C);
  EXPECT_EQ(static_cast<TSWFActionPush&>(a.Actions()[2]).Values().size(), 2u);
  EXPECT_EQ(a.Actions()[3].ActionCode(), 0x1D);
  EXPECT_EQ(static_cast<TSWFActionPush&>(a.Actions()[4]).Values().size(), 1u);
}

TEST(ActionScripts, DragActionsOfThePreviewByteForByte) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashActionScript& a = movie.FrameActions();
  a.GetVariable("but1");
  a.SetVariable("CurrentObj", "but1");
  a.StartDrag();
  a.EndDrag();
  a.GetUrl("http://x/", "_blank");
  EXPECT_EQ(Hex(TagOf(a)),
            "37 03 "
            "96 06 00 00 62 75 74 31 00 1C "
            "96 12 00 00 43 75 72 72 65 6E 74 4F 62 6A 00 00 62 75 74 31 00 1D 27 28 "
            "83 11 00 68 74 74 70 3A 2F 2F 78 2F 00 5F 62 6C 61 6E 6B 00 00");
  movie.ShowFrame();
  EXPECT_FALSE(movie.HasFrameActions());
  EXPECT_TRUE(movie.FrameActions().Actions().Empty());
}

// ---- sprites ----

TEST(Sprites, PlacingMovesALaterDefinitionInFrontOfTheSprite) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashShape* before = movie.AddRectangle(0, 0, 1, 1);
  TFlashSprite* sprite = movie.AddSprite();
  TFlashShape* after = movie.AddRectangle(0, 0, 2, 2);
  TFlashShape* later = movie.AddRectangle(0, 0, 3, 3);
  sprite->PlaceObject(before, 1);
  EXPECT_EQ(movie.IndexOf(before), 0);
  EXPECT_EQ(movie.IndexOf(sprite), 1);
  sprite->PlaceObject(later, 2);
  sprite->PlaceObject(after, 3);
  // before, later, after, sprite: each definition moved to the sprite's
  // place, the sprite one back.
  EXPECT_EQ(movie.IndexOf(later), 1);
  EXPECT_EQ(movie.IndexOf(after), 2);
  EXPECT_EQ(movie.IndexOf(sprite), 3);
  EXPECT_EQ(sprite->ControlTags().size(), 3u);
  sprite->PlaceObject(nullptr, 4);
  EXPECT_EQ(movie.ObjectList().size(), 4u);

  // A sprite nested in another sprite moves in front of it as well.
  TFlashSprite* outer = movie.AddSprite();
  TFlashSprite* inner = movie.AddSprite();
  outer->PlaceObject(inner, 1);
  EXPECT_LT(movie.IndexOf(inner), movie.IndexOf(outer));
}

TEST(Sprites, FramesLabelsAndRemovals) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashSprite* sprite = movie.AddSprite();
  TFlashShape* shape = movie.AddRectangle(0, 0, 1, 1);
  EXPECT_EQ(sprite->CurrentFrame(), -1);
  sprite->ShowFrame(0);
  EXPECT_EQ(sprite->FrameCount(), 1);
  EXPECT_EQ(sprite->CurrentFrame(), 0);
  sprite->SetFrameLabel("go");
  sprite->RemoveObject(3);
  sprite->RemoveObject(4, shape);
  sprite->ShowFrame(2);
  EXPECT_EQ(sprite->FrameCount(), 3);
  EXPECT_EQ(sprite->CurrentFrame(), 2);
  auto& tags = sprite->ControlTags();
  ASSERT_EQ(tags.size(), 6u);
  EXPECT_EQ(Hex(TagOf(*tags[0])), "40 00");
  EXPECT_EQ(Hex(TagOf(*tags[1])), "02 07 03 00");
  EXPECT_EQ(Hex(TagOf(*tags[2])), "44 01 02 00 04 00");
  EXPECT_EQ(Hex(TagOf(*tags[3])), "C3 0A 67 6F 00");
  EXPECT_EQ(Hex(TagOf(*tags[4])), "40 00");
  EXPECT_EQ(Hex(TagOf(*tags[5])), "40 00");
}

TEST(Sprites, WritingAddsTheMissingFrameAndTheInitActions) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  movie.SetVersion(7);
  TFlashSprite* sprite = movie.AddSprite();
  TFlashShape* shape = movie.AddRectangle(0, 0, 1, 1);
  TFlashPlaceObject* place = sprite->PlaceObject(shape, 1);
  EXPECT_EQ(Hex(TagOf(*sprite)), "CF 09 01 00 01 00 85 06 02 01 00 02 00 40 00 00 00");
  EXPECT_EQ(sprite->FrameCount(), 1);
  EXPECT_EQ(place->PlaceObject2().SWFVersion(), 7);

  sprite->InitActions().Stop();
  EXPECT_EQ(Hex(TagOf(*sprite)), "CF 09 01 00 01 00 85 06 02 01 00 02 00 40 00 00 00 C4 0E 01 00 07 00");
}

TEST(Sprites, PlacementsInsideUseTheMovieUnits) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashSprite* sprite = movie.AddSprite();
  TFlashPlaceObject* place = sprite->PlaceObject(movie.AddRectangle(0, 0, 1, 1), 1);
  place->SetTranslate(10, 5);
  EXPECT_EQ(place->PlaceObject2().SWFVersion(), 3);
  EXPECT_EQ(Hex(TagOf(*place)), "89 06 06 01 00 02 00 12 C8 32 00");
}

// ---- buttons ----

TEST(Buttons, DefineButton2WithReleaseActionsByteForByte) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashShape* shape = movie.AddRectangle(0, 0, 1, 1);
  TFlashButton* button = movie.AddButton();
  TSWFButtonRecord& record = button->AddRecord(*shape, bsUp | bsOver | bsDown | bsHitTest, 1);
  EXPECT_TRUE(record.HasColorTransform());
  button->OnRelease().Stop();
  EXPECT_EQ(Hex(TagOf(*button)), "93 08 02 00 00 0A 00 0F 01 00 01 00 00 00 00 00 00 08 00 07 00");
}

TEST(Buttons, ConditionListsAreFoundOrCreated) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashButton* button = movie.AddButton({.TrackAsMenu = true});
  EXPECT_TRUE(button->Button2()->TrackAsMenu);
  // A new button has its (empty) release list already.
  ASSERT_EQ(button->Button2()->CondActions().size(), 1u);
  TSWFActionList* release = &button->OnRelease().Actions();
  EXPECT_EQ(&button->OnRelease().Actions(), release);
  EXPECT_EQ(release, &button->Button2()->CondActions()[0]->Actions());
  EXPECT_FALSE(button->OnRelease().OwnsList());

  TSWFActionList* press = &button->OnPress().Actions();
  EXPECT_NE(press, release);
  EXPECT_EQ(button->Button2()->CondActions().size(), 2u);
  EXPECT_TRUE(button->Button2()->CondActions()[1]->HasCondition(bcOverUpToOverDown));
  EXPECT_EQ(&button->OnPress().Actions(), press);
  EXPECT_EQ(button->Button2()->CondActions().size(), 2u);
  button->AddRecordByID(9, bsHitTest, 2);
  EXPECT_EQ(button->Button2()->ButtonRecords()[0]->CharacterId, 9);
}

TEST(Buttons, PlainDefineButtonHasOneActionList) {
  TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
  TFlashButton* button = movie.AddButton({.UseButton2 = false});
  EXPECT_FALSE(button->UseButton2());
  button->AddRecordByID(5, bsUp, 1);
  EXPECT_EQ(&button->OnPress().Actions(), &button->OnRelease().Actions());
  button->OnRelease().Stop();
  EXPECT_EQ(Hex(TagOf(*button)), "CB 01 01 00 01 05 00 01 00 00 00 07 00");
}

TEST(Buttons, WrappedShapeInAMovieFile) {
  TFlashMovie movie(0, 0, 20, 20, 12, muPixels);
  TFlashShape* shape = movie.AddRectangle(0, 0, 10, 10);
  shape->SetSolidColor(0, 0, 255, 255);
  TFlashButton* button = movie.AddButton();
  button->AddRecord(*shape, 15, 1);
  button->OnRelease().GetUrl("http://x/", "_self");
  movie.PlaceObject(button, 2)->SetName("but1");
  movie.ShowFrame();
  movie.WriteObjects();
  const std::vector<uint8_t>& body = movie.BodyStream().Bytes();
  // DefineShape2, DefineButton2, PlaceObject2, ShowFrame, End.
  std::vector<uint16_t> codes;
  for (size_t at = 0; at < body.size();) {
    const uint16_t header = test::Word(body, at);
    uint32_t size = header & 63;
    at += 2;
    if (size == 63) {
      size = test::DWord(body, at);
      at += 4;
    }
    codes.push_back(header >> 6);
    at += size;
  }
  EXPECT_EQ(codes, (std::vector<uint16_t>{22, 34, 26, 1, 0}));
  EXPECT_EQ(movie.FrameCount(), 1);
  EXPECT_EQ(movie.Version(), 5);
}

}  // namespace
}  // namespace tessaly::swf
