#include "swf/SWFObjects.h"

#include <gtest/gtest.h>

#include "SWFTestUtil.h"

namespace tessaly::swf {
namespace {

using test::ActionOf;
using test::BodyOf;
using test::Hex;
using test::TagOf;

// ---- framing ----

TEST(TagFraming, ShortAndLongHeaders) {
  TSWFFrameLabel short62(std::string(61, 'a'));  // 61 letters + 0 = 62 bytes
  auto bytes = TagOf(short62);
  EXPECT_EQ(Hex({bytes[0], bytes[1]}), "FE 0A");
  EXPECT_EQ(bytes.size(), 64u);
  EXPECT_EQ(short62.BodySize(), 62u);

  TSWFFrameLabel long63(std::string(62, 'a'));
  bytes = TagOf(long63);
  EXPECT_EQ(Hex({bytes.begin(), bytes.begin() + 6}), "FF 0A 3F 00 00 00");
  EXPECT_EQ(bytes.size(), 69u);
  EXPECT_EQ(long63.BodySize(), 63u);
}

TEST(TagFraming, LosslessAndVideoTagsAlwaysUseTheLongHeader) {
  struct Case {
    uint16_t tag;
    const char* bytes;
  };
  const Case cases[] = {
      {tagDefineBitsLossless, "3F 05 00 00 00 00"},
      {tagDefineBitsLossless2, "3F 09 00 00 00 00"},
      {tagDefineVideoStream, "3F 0F 00 00 00 00"},
      {tagShowFrame, "40 00"},
      {tagEnd, "00 00"},
  };
  for (const Case& c : cases) {
    TSWFObject tag(c.tag);
    EXPECT_EQ(Hex(TagOf(tag)), c.bytes) << c.tag;
  }
}

// ---- control and display-list tags ----

TEST(SimpleTags, Bodies) {
  TSWFRemoveObject2 remove2(5);
  EXPECT_EQ(Hex(TagOf(remove2)), "02 07 05 00");
  EXPECT_EQ(remove2.MinVersion(), 3);
  TSWFRemoveObject remove(4, 5);
  EXPECT_EQ(Hex(BodyOf(remove)), "04 00 05 00");
  TSWFSetBackgroundColor background(MakeRGBA(0x10, 0x20, 0x30, 0));
  EXPECT_EQ(Hex(TagOf(background)), "43 02 10 20 30");

  TSWFFrameLabel label("f1");
  EXPECT_EQ(Hex(BodyOf(label)), "66 31 00");
  EXPECT_EQ(label.MinVersion(), 3);
  TSWFFrameLabel anchor("f1", true);
  EXPECT_EQ(Hex(BodyOf(anchor)), "66 31 00 01");
  EXPECT_EQ(anchor.MinVersion(), 6);
  TSWFFrameLabel chinese("\xE5\xAE\x8B");  // in the system code page
  EXPECT_EQ(Hex(BodyOf(chinese)), "CB CE 00");
}

TEST(PlaceObject, MatrixAndOptionalColorTransform) {
  TSWFPlaceObject place;
  place.SetCharacterId(1);
  place.SetDepth(2);
  place.Matrix().SetTranslate(200, 100);
  EXPECT_EQ(Hex(BodyOf(place)), "01 00 02 00 12 C8 32 00");
  place.ColorTransform().SetAddR(3);
  EXPECT_EQ(Hex(BodyOf(place)), "01 00 02 00 12 C8 32 00 8D 80");
  EXPECT_EQ(place.MinVersion(), 1);
}

TEST(PlaceObject2, FlagBytes) {
  TSWFPlaceObject2 place;
  place.SetDepth(1);
  place.SetCharacterId(5);
  EXPECT_EQ(Hex(BodyOf(place)), "02 01 00 05 00");
  place.SetName("but1");
  EXPECT_EQ(Hex(BodyOf(place)), "22 01 00 05 00 62 75 74 31 00");
  place.SetName("");
  EXPECT_FALSE(place.HasName());

  TSWFPlaceObject2 move;
  move.SetDepth(2);
  move.SetMove(true);
  move.Matrix().SetTranslate(200, 100);
  move.ColorTransform();
  EXPECT_TRUE(move.HasColorTransform());
  EXPECT_EQ(Hex(BodyOf(move)), "0D 02 00 12 C8 32 00 00");
  EXPECT_EQ(move.MinVersion(), 3);
}

TEST(PlaceObject2, EveryFieldInOrder) {
  TSWFPlaceObject2 place;
  place.SetDepth(3);
  place.SetCharacterId(5);
  place.Matrix();
  place.ColorTransform().SetMultA(128);
  place.SetRatio(7);
  place.SetName("n");
  place.SetClipDepth(9);
  // Flags 0x7E; the colour transform has only multiply terms, the unset
  // ones 0, in 9 bits each.
  EXPECT_EQ(Hex(BodyOf(place)), "7E 03 00 05 00 00 64 00 00 00 20 00 07 00 6E 00 09 00");
}

TEST(PlaceObject2, ClipActionsFollowTheVersion) {
  TSWFPlaceObject2 place;
  place.SetDepth(1);
  place.SetCharacterId(1);
  place.ClipActions();  // an empty list is not written
  EXPECT_EQ(Hex(BodyOf(place)), "02 01 00 01 00");
  EXPECT_EQ(place.MinVersion(), 3);

  place.ClipActions().AddRecord(ceLoad).Actions.Add<TSWFActionStop>();
  place.SetSWFVersion(5);
  EXPECT_EQ(place.MinVersion(), 5);
  EXPECT_EQ(Hex(BodyOf(place)), "82 01 00 01 00 00 00 01 00 01 00 02 00 00 00 07 00 00 00");

  TSWFPlaceObject2 keyed;
  keyed.SetDepth(1);
  TSWFClipActionRecord& r = keyed.ClipActions().AddRecord(ceKeyPress);
  r.KeyCode = 13;
  r.Actions.Add<TSWFActionStop>();
  keyed.SetSWFVersion(7);
  EXPECT_EQ(keyed.MinVersion(), 7);
  EXPECT_EQ(Hex(BodyOf(keyed)), "80 01 00 00 00 00 00 02 00 00 00 02 00 03 00 00 00 0D 07 00 00 00 00 00");
  // Actions that already end with the end byte get no second one.
  TSWFPlaceObject2 raw;
  raw.SetDepth(1);
  raw.ClipActions().AddRecord(ceLoad).Actions.Add<TSWFActionByteCode>(std::vector<uint8_t>{0x07, 0x00});
  raw.SetSWFVersion(6);
  EXPECT_EQ(Hex(BodyOf(raw)), "80 01 00 00 00 01 00 00 00 01 00 00 00 02 00 00 00 07 00 00 00 00 00");
}

// ---- actions ----

TEST(Actions, DoActionWithStop) {
  TSWFDoAction doAction;
  doAction.Actions().Add<TSWFActionStop>();
  EXPECT_EQ(Hex(BodyOf(doAction)), "07 00");
  EXPECT_EQ(Hex(TagOf(doAction)), "02 03 07 00");
  EXPECT_EQ(doAction.MinVersion(), 3);
  doAction.Actions().Add<TSWFActionPush>()->AddValue(true);
  EXPECT_EQ(doAction.MinVersion(), 5);
}

TEST(Actions, GetUrlLengthsAndEncodings) {
  TSWFActionGetUrl ascii("http://a.cn", "_blank");
  auto bytes = ActionOf(ascii);
  EXPECT_EQ(ascii.ActionLength(), 19);
  EXPECT_EQ(Hex({bytes.begin(), bytes.begin() + 3}), "83 13 00");
  EXPECT_EQ(std::string(bytes.begin() + 3, bytes.end()), std::string("http://a.cn\0_blank\0", 19));

  // The URL goes out as UTF-8, the target in the system code page.
  TSWFActionGetUrl chinese("\xE5\xAE\x8B", "\xE5\xAE\x8B");
  EXPECT_EQ(Hex(ActionOf(chinese)), "83 07 00 E5 AE 8B 00 CB CE 00");
  EXPECT_EQ(chinese.MinVersion(), 3);
}

// Whatever a string holds, a GetURL declares the length of the bytes it
// wrote, and those bytes read back as exactly its two strings: a string is
// cut at its first NUL, so no NUL stands inside one.
TEST(Actions, GetUrlLengthAlwaysAgreesWithItsStrings) {
  struct Case {
    const char* what;
    std::string url, target;
    std::string urlWritten, targetWritten;
  };
  const std::string longUrl = "http://example.com/" + std::string(60'000, 'a');
  const Case cases[] = {
      {"NUL inside", std::string("http://a\0.cn", 12), std::string("_bl\0ank", 7), "http://a", "_bl"},
      {"NUL first", std::string("\0x", 2), std::string("\0", 1), "", ""},
      {"invalid UTF-8", "http://\xFF\xFE/\xC3", "_\xFF", "http://\xFF\xFE/\xC3", ""},
      {"empty", "", "", "", ""},
      {"long", longUrl, "_self", longUrl, "_self"},
  };
  for (const Case& c : cases) {
    TSWFActionGetUrl action(c.url, c.target);
    const auto bytes = ActionOf(action);
    ASSERT_GE(bytes.size(), 3u) << c.what;
    EXPECT_EQ(bytes[0], 0x83) << c.what;
    const size_t length = test::Word(bytes, 1);
    EXPECT_EQ(length, bytes.size() - 3) << c.what;
    EXPECT_EQ(length, action.ActionLength()) << c.what;
    // Two zero-terminated strings fill the body exactly.
    const std::string body(bytes.begin() + 3, bytes.end());
    const size_t urlEnd = body.find('\0');
    ASSERT_NE(urlEnd, std::string::npos) << c.what;
    const size_t targetEnd = body.find('\0', urlEnd + 1);
    EXPECT_EQ(targetEnd, body.size() - 1) << c.what;
    EXPECT_EQ(body.substr(0, urlEnd), c.urlWritten) << c.what;
    if (c.what != std::string("invalid UTF-8")) {
      EXPECT_EQ(body.substr(urlEnd + 1, targetEnd - urlEnd - 1), c.targetWritten) << c.what;
    }
  }
}

TEST(Actions, AnActionBodyLongerThanItsLengthFieldIsRefused) {
  TSWFDoAction doAction;
  doAction.Actions().Add<TSWFActionGetUrl>(std::string(70'000, 'a'), "_blank");
  try {
    TagOf(doAction);
    ADD_FAILURE() << "written";
  } catch (const EFieldOverflow& e) {
    EXPECT_NE(std::string(e.what()).find("DoAction: the length 70008 of action 0x83"), std::string::npos) << e.what();
  }
}

TEST(Actions, StringsOfEveryRecordAreCutAtTheirFirstNul) {
  TSWFActionPush push;
  push.AddValue(std::string("Curr\0entObj", 11));
  EXPECT_EQ(Hex(ActionOf(push)), "96 06 00 00 43 75 72 72 00");
  TSWFFrameLabel label(std::string("a\0b", 3));
  EXPECT_EQ(Hex(BodyOf(label)), "61 00");
  TSWFPlaceObject2 place;
  place.SetName(std::string("but\0" "1", 5));
  EXPECT_EQ(Hex(BodyOf(place)), "20 00 00 62 75 74 00");
}

TEST(Actions, PushOfTwoStrings) {
  TSWFActionPush push;
  push.AddValue("CurrentObj");
  push.AddValue("but1");
  EXPECT_EQ(Hex(ActionOf(push)), "96 12 00 00 43 75 72 72 65 6E 74 4F 62 6A 00 00 62 75 74 31 00");
  EXPECT_EQ(push.ActionLength(), 18);
  EXPECT_EQ(push.MinVersion(), 4);
}

TEST(Actions, PushValueTyping) {
  struct Case {
    TFlashVar value;
    const char* body;
    int version;
  };
  const Case cases[] = {
      {std::string("ab"), "00 61 62 00", 4},
      {std::string("FlashVar_null"), "02", 5},
      {std::string("FlashVar_undefined"), "03", 5},
      {std::monostate{}, "03", 5},
      {TFlashNull{}, "02", 5},
      {1.0f, "01 00 00 80 3F", 4},
      {1.0, "06 00 00 F0 3F 00 00 00 00", 5},
      {-2.5e-3, "06 E1 7A 64 BF 7B 14 AE 47", 5},
      {true, "05 01", 5},
      {int32_t{-2}, "07 FE FF FF FF", 5},
  };
  for (const Case& c : cases) {
    TSWFActionPush push;
    push.AddValue(c.value);
    auto bytes = ActionOf(push);
    EXPECT_EQ(Hex({bytes.begin() + 3, bytes.end()}), c.body) << c.body;
    EXPECT_EQ(push.MinVersion(), c.version) << c.body;
  }
  TSWFActionPush typed;
  typed.AddTypedValue(ptRegister, 3);
  typed.AddTypedValue(ptConstant8, 9);
  typed.AddTypedValue(ptConstant16, 0x1234);
  EXPECT_EQ(Hex(ActionOf(typed)), "96 07 00 04 03 08 09 09 34 12");

  TSWFActionPush empty;
  EXPECT_EQ(Hex(ActionOf(empty)), "96 00 00");
  EXPECT_EQ(empty.MinVersion(), 4);
}

TEST(Actions, BodilessCodesAndFamilies) {
  struct Case {
    std::unique_ptr<TSWFAction> action;
    const char* bytes;
    int version;
  };
  Case cases[] = {
      {std::make_unique<TSWFActionStop>(), "07", 3},
      {std::make_unique<TSWFActionPlay>(), "06", 3},
      {std::make_unique<TSWFActionNextFrame>(), "04", 3},
      {std::make_unique<TSWFActionGetVariable>(), "1C", 4},
      {std::make_unique<TSWFActionSetVariable>(), "1D", 4},
      {std::make_unique<TSWFActionStartDrag>(), "27", 4},
      {std::make_unique<TSWFActionEndDrag>(), "28", 4},
      {std::make_unique<TSWFActionCall>(), "9E 00 00", 4},
      {std::make_unique<TSWFActionAdd2>(), "47", 5},
      {std::make_unique<TSWFActionGreater>(), "67", 6},
      {std::make_unique<TSWFActionExtends>(), "69", 7},
      {std::make_unique<TSWFActionByteCode>(std::vector<uint8_t>{0x96, 0x02, 0x00, 0x05, 0x01}), "96 02 00 05 01", 4},
  };
  for (Case& c : cases) {
    EXPECT_EQ(Hex(ActionOf(*c.action)), c.bytes);
    EXPECT_EQ(c.action->MinVersion(), c.version) << c.bytes;
  }
}

TEST(Actions, ListVersionIsTheLargest) {
  TSWFActionList list;
  EXPECT_EQ(list.MinVersion(), 1);
  list.Add<TSWFActionStop>();
  EXPECT_EQ(list.MinVersion(), 3);
  list.Add<TSWFActionStrictEquals>();
  list.Add<TSWFActionEndDrag>();
  EXPECT_EQ(list.MinVersion(), 6);
}

TEST(Actions, BranchesAndGetUrl2) {
  struct Case {
    std::unique_ptr<TSWFAction> action;
    const char* bytes;
  };
  auto flagged = [](uint8_t method, bool target, bool variables) {
    auto a = std::make_unique<TSWFActionGetUrl2>();
    a->SendVarsMethod = method;
    a->LoadTargetFlag = target;
    a->LoadVariablesFlag = variables;
    return a;
  };
  auto branch = [](std::unique_ptr<TSWFActionBranch> a, int16_t offset) {
    a->BranchOffset = offset;
    return a;
  };
  Case cases[] = {
      {std::make_unique<TSWFActionGetUrl2>(), "9A 01 00 00"},
      {flagged(1, false, false), "9A 01 00 40"},
      {flagged(2, true, true), "9A 01 00 83"},
      {flagged(0, true, false), "9A 01 00 02"},
      {branch(std::make_unique<TSWFActionJump>(), 0), "99 02 00 00 00"},
      {branch(std::make_unique<TSWFActionJump>(), 300), "99 02 00 2C 01"},
      {branch(std::make_unique<TSWFActionIf>(), -5), "9D 02 00 FB FF"},
      {branch(std::make_unique<TSWFActionIf>(), INT16_MIN), "9D 02 00 00 80"},
  };
  for (Case& c : cases) {
    EXPECT_EQ(Hex(ActionOf(*c.action)), c.bytes);
    EXPECT_EQ(c.action->MinVersion(), 4) << c.bytes;
  }
  TSWFActionGetUrl2 wide;
  wide.SendVarsMethod = 4;
  EXPECT_THROW(ActionOf(wide), EFieldOverflow);
}

// Writes the list as a DoAction body would hold it.
std::string ListBytes(const TSWFActionList& list) {
  return Hex(test::Written([&](TBitsEngine& be) { list.WriteToStream(be); }));
}

TEST(Actions, BranchesAimedAtMarkersGetTheirOffsets) {
  // if (...) skip the Stop; a backward Jump to the start; markers write nothing.
  TSWFActionList list;
  auto start = std::make_unique<TSWFOffsetMarker>();
  auto skip = std::make_unique<TSWFOffsetMarker>();
  const TSWFOffsetMarker* startAt = list.Add(std::move(start));
  list.Add<TSWFActionPlay>();
  list.Add<TSWFActionIf>(skip.get());
  list.Add<TSWFActionStop>();
  list.Add(std::move(skip));
  list.Add<TSWFActionJump>(startAt);
  EXPECT_EQ(ListBytes(list), "06 9D 02 00 01 00 07 99 02 00 F4 FF");
  EXPECT_EQ(list.MinVersion(), 4);

  // A marker right after its branch: offset 0; at the list's end: past the last action.
  TSWFActionList forward;
  auto end = std::make_unique<TSWFOffsetMarker>();
  forward.Add<TSWFActionJump>(end.get());
  forward.Add<TSWFActionGetUrl>("http://a.cn", "_blank");
  forward.Add(std::move(end));
  EXPECT_EQ(ListBytes(forward).substr(0, 14), "99 02 00 16 00");
}

TEST(Actions, BranchesThatCannotBeAimedAreRefused) {
  TSWFActionList outside;
  TSWFOffsetMarker elsewhere;
  outside.Add<TSWFActionJump>(&elsewhere);
  EXPECT_THROW(ListBytes(outside), EFieldOverflow);

  // 33,000 bytes of Stop between a Jump and its marker pass the signed 16-bit range.
  TSWFActionList far;
  auto end = std::make_unique<TSWFOffsetMarker>();
  far.Add<TSWFActionJump>(end.get());
  far.Add<TSWFActionByteCode>(std::vector<uint8_t>(33'000, acStop));
  far.Add(std::move(end));
  try {
    ListBytes(far);
    ADD_FAILURE() << "a jump of 33000 bytes was written";
  } catch (const EFieldOverflow& e) {
    EXPECT_NE(std::string(e.what()).find("the branch offset 33000 does not fit in 16 bits"), std::string::npos)
        << e.what();
  }
}

TEST(DoInitAction, SpriteIdAndActions) {
  TSWFDoInitAction init(7);
  init.Actions().Add<TSWFActionStop>();
  EXPECT_EQ(Hex(BodyOf(init)), "07 00 07 00");
  EXPECT_EQ(init.MinVersion(), 6);
}

// ---- sprites ----

TEST(DefineSprite, EndTagRule) {
  TSWFDefineSprite sprite;
  sprite.SpriteID = 2;
  sprite.FrameCount = 1;
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->SetDepth(1);
  place->SetCharacterId(1);
  sprite.AddControlTag(std::move(place));
  sprite.AddControlTag(std::make_unique<TSWFShowFrame>());
  EXPECT_EQ(Hex(BodyOf(sprite)), "02 00 01 00 85 06 02 01 00 01 00 40 00 00 00");
  EXPECT_EQ(sprite.MinVersion(), 3);

  TSWFDefineSprite ended;
  ended.SpriteID = 2;
  ended.FrameCount = 1;
  ended.AddControlTag(std::make_unique<TSWFShowFrame>());
  ended.AddControlTag(std::make_unique<TSWFEnd>());
  EXPECT_EQ(Hex(BodyOf(ended)), "02 00 01 00 40 00 00 00");

  TSWFDefineSprite empty;
  EXPECT_EQ(Hex(BodyOf(empty)), "00 00 00 00 00 00");
}

// ---- buttons ----

TEST(DefineButton2, OffsetsWithZeroOneAndTwoConditionActions) {
  TSWFDefineButton2 button;
  button.ButtonId = 3;
  button.AddRecord(1, bsUp | bsOver | bsDown | bsHitTest, 1);
  const std::string head = "03 00 00 ";
  const std::string records = "0F 01 00 01 00 00 00 00";
  EXPECT_EQ(Hex(BodyOf(button)), head + "00 00 " + records);

  button.AddCondAction(1 << bcOverDownToOverUp).Actions().Add<TSWFActionStop>();
  EXPECT_EQ(Hex(BodyOf(button)), head + "0A 00 " + records + " 00 00 08 00 07 00");

  // A press action in front: its size is set, the last keeps 0.
  TSWFDefineButton2 two;
  two.ButtonId = 3;
  two.AddRecord(1, 15, 1);
  two.AddCondAction(1 << bcOverUpToOverDown).Actions().Add<TSWFActionStop>();
  two.AddCondAction(1 << bcOverDownToOverUp).Actions().Add<TSWFActionStop>();
  EXPECT_EQ(Hex(BodyOf(two)), head + "0A 00 " + records + " 06 00 04 00 07 00 00 00 08 00 07 00");
  EXPECT_EQ(two.FindCondAction(bcOverDownToOverUp), two.CondActions()[1].get());
  EXPECT_EQ(two.FindCondAction(bcIdleToOverUp), nullptr);
  EXPECT_EQ(two.MinVersion(), 3);
}

TEST(DefineButton2, StatesConditionsAndTrackAsMenu) {
  struct Case {
    uint8_t states;
    const char* bits;
  };
  const Case cases[] = {{bsUp, "01"}, {bsOver, "02"}, {bsDown, "04"}, {bsHitTest, "08"}, {bsUp | bsHitTest, "09"}};
  for (const Case& c : cases) {
    TSWFDefineButton2 button;
    button.AddRecord(1, c.states, 1);
    EXPECT_EQ(Hex({BodyOf(button)[5]}), c.bits);
  }

  TSWFDefineButton2 button;
  button.TrackAsMenu = true;
  TSWFButtonCondAction& ca = button.AddCondAction(0);
  ca.AddCondition(bcIdleToOverDown);
  ca.AddCondition(bcIdleToOverUp);
  ca.AddCondition(bcOverDownToIdle);
  ca.KeyCode = 13;
  // No records: offset 2 + end byte.
  EXPECT_EQ(Hex(BodyOf(button)), "00 00 01 03 00 00 00 00 81 1B 00");

  TSWFDefineButton2 colored;
  colored.AddRecord(1, 15, 2).ColorTransform().SetAddR(3);
  colored.ButtonRecords()[0]->Matrix().SetTranslate(200, 100);
  EXPECT_EQ(Hex(BodyOf(colored)), "00 00 00 00 00 0F 01 00 02 00 12 C8 32 00 8D 80 00 00");
}

TEST(DefineButton, RecordsWithoutColorTransformAndOneActionList) {
  TSWFDefineButton button;
  button.ButtonId = 1;
  button.AddRecord(2, 15, 1);
  button.Actions().Add<TSWFActionStop>();
  EXPECT_EQ(Hex(BodyOf(button)), "01 00 0F 02 00 01 00 00 00 07 00");
  EXPECT_EQ(button.MinVersion(), 1);
}

}  // namespace
}  // namespace tessaly::swf
