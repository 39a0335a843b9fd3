// Known tag bytes, run both ways: the writer's tag classes must produce
// exactly these bytes, and the player's reader must read the same record
// back from them.
#include "player/SwfMovieReader.h"
#include "swf/FlashObjects.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tessaly::player::test {
namespace {

using namespace swf;

using TBytes = std::vector<uint8_t>;

std::string Hex(const TBytes& bytes) {
  std::string s;
  char digits[4];
  for (uint8_t b : bytes) {
    std::snprintf(digits, sizeof digits, s.empty() ? "%02X" : " %02X", b);
    s += digits;
  }
  return s;
}

// An uncompressed version-6 movie of an empty frame rectangle holding the
// tag, then ShowFrame and End.
TBytes MovieAround(const TBytes& tag) {
  TBytes movie = {'F', 'W', 'S', 6, 0, 0, 0, 0, 0x00, 0x00, 12, 1, 0};
  movie.insert(movie.end(), tag.begin(), tag.end());
  movie.insert(movie.end(), {0x40, 0x00, 0x00, 0x00});
  const auto length = static_cast<uint32_t>(movie.size());
  for (int i = 0; i < 4; ++i) movie[4 + i] = static_cast<uint8_t>(length >> (8 * i));
  return movie;
}

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

const TPlaceCommand& OnlyPlacement(const TMovieDef& m) {
  static const TPlaceCommand none;
  const auto& commands = m.timeline.frames.at(0).commands;
  EXPECT_EQ(commands.size(), 1u);
  return commands.empty() ? none : commands[0].place;
}

struct TCase {
  const char* name;
  std::function<void(TBitsEngine&)> write;
  const char* bytes;  // the whole tag, header included
  std::function<void(const TMovieDef&)> check;
};

TEST(RoundTrip, KnownTagBytesThroughTheWriterAndTheReader) {
  const TCase cases[] = {
      {"SetBackgroundColor",
       [](TBitsEngine& be) { TSWFSetBackgroundColor(MakeRGBA(255, 128, 0, 255)).WriteToStream(be); },
       "43 02 FF 80 00",
       [](const TMovieDef& m) { EXPECT_EQ(m.background, (TRgba{255, 128, 0, 255})); }},
      {"PlaceObject2 with a character, a matrix and a name",
       [](TBitsEngine& be) {
         TSWFPlaceObject2 place;
         place.SetDepth(2);
         place.SetCharacterId(1);
         place.Matrix().SetTranslate(200, 100);
         place.SetName("but1");
         place.WriteToStream(be);
       },
       "8E 06 26 02 00 01 00 12 C8 32 00 62 75 74 31 00",
       [](const TMovieDef& m) {
         const TPlaceCommand& p = OnlyPlacement(m);
         EXPECT_EQ(p.depth, 2);
         EXPECT_TRUE(p.hasCharacter);
         EXPECT_EQ(p.characterId, 1);
         EXPECT_TRUE(p.hasMatrix);
         EXPECT_EQ(p.matrix, (TSwfMatrix{1, 0, 0, 1, 200, 100}));
         EXPECT_FALSE(p.hasColorTransform);
         EXPECT_EQ(p.name, "but1");
         EXPECT_FALSE(p.move);
       }},
      {"RemoveObject2",
       [](TBitsEngine& be) { TSWFRemoveObject2(3).WriteToStream(be); },
       "02 07 03 00",
       [](const TMovieDef& m) {
         const auto& commands = m.timeline.frames.at(0).commands;
         ASSERT_EQ(commands.size(), 1u);
         EXPECT_EQ(commands[0].kind, TDisplayCommand::dcRemove);
         EXPECT_EQ(commands[0].place.depth, 3);
       }},
      {"DoAction with GetURL and Stop",
       [](TBitsEngine& be) {
         TSWFDoAction doAction;
         doAction.Actions().Add<TSWFActionGetUrl>("http://a.cn", "_blank");
         doAction.Actions().Add<TSWFActionStop>();
         doAction.WriteToStream(be);
       },
       "18 03 83 13 00 68 74 74 70 3A 2F 2F 61 2E 63 6E 00 5F 62 6C 61 6E 6B 00 07 00",
       [](const TMovieDef& m) {
         const auto& actions = m.timeline.frames.at(0).actions;
         ASSERT_EQ(actions.size(), 1u);
         ASSERT_EQ(actions[0].size(), 2u);
         EXPECT_EQ(actions[0][0].code, acGetUrl);
         EXPECT_EQ(Text(actions[0][0].data), std::string("http://a.cn\0_blank\0", 19));
         EXPECT_EQ(actions[0][1].code, acStop);
       }},
      {"DoAction with Push of two strings and SetVariable",
       [](TBitsEngine& be) {
         TSWFDoAction doAction;
         auto* push = doAction.Actions().Add<TSWFActionPush>();
         push->AddValue("CurrentObj");
         push->AddValue("but1");
         doAction.Actions().Add<TSWFActionSetVariable>();
         doAction.WriteToStream(be);
       },
       "17 03 96 12 00 00 43 75 72 72 65 6E 74 4F 62 6A 00 00 62 75 74 31 00 1D 00",
       [](const TMovieDef& m) {
         const auto& actions = m.timeline.frames.at(0).actions.at(0);
         ASSERT_EQ(actions.size(), 2u);
         EXPECT_EQ(actions[0].code, acPush);
         EXPECT_EQ(Text(actions[0].data), std::string("\0CurrentObj\0\0but1\0", 18));
         EXPECT_EQ(actions[1].code, acSetVariable);
       }},
      {"DefineShape2 of a red 10 x 10 pixel square",
       [](TBitsEngine& be) {
         TFlashMovie movie(0, 0, 100, 100, 12, muPixels);
         TFlashShape* r = movie.AddRectangle(0, 0, 10, 10);
         r->SetSolidColor(255, 0, 0, 255);
         r->WriteToStream(be);
       },
       "9A 05 01 00 48 01 90 00 64 00 01 00 FF 00 00 00 10 13 B8 C8 DD 64 6E 4E 37 67 00 00",
       [](const TMovieDef& m) {
         const TCharacter* c = m.Find(1);
         ASSERT_NE(c, nullptr);
         ASSERT_EQ(c->kind, TCharacterKind::ckShape);
         const auto& shape = static_cast<const TShapeDef&>(*c);
         EXPECT_EQ(shape.bounds.xmax, 200);
         EXPECT_EQ(shape.bounds.ymax, 200);
         ASSERT_EQ(shape.layers.size(), 1u);
         ASSERT_EQ(shape.layers[0].fills.size(), 1u);
         EXPECT_EQ(shape.layers[0].fills[0].kind, TFillKind::fkSolid);
         EXPECT_EQ(shape.layers[0].fills[0].color, (TRgba{255, 0, 0, 255}));
         EXPECT_EQ(shape.layers[0].fillPaths[0].boundingRect(), QRectF(0, 0, 200, 200));
       }},
      {"DefineButton2 with one record and a release action",
       [](TBitsEngine& be) {
         TSWFDefineButton2 button;
         button.ButtonId = 2;
         button.AddRecord(1, kAllButtonStates, 1);
         button.AddCondAction(uint16_t(1u << bcOverDownToOverUp)).Actions().Add<TSWFActionStop>();
         button.WriteToStream(be);
       },
       "93 08 02 00 00 0A 00 0F 01 00 01 00 00 00 00 00 00 08 00 07 00",
       [](const TMovieDef& m) {
         const TCharacter* c = m.Find(2);
         ASSERT_NE(c, nullptr);
         ASSERT_EQ(c->kind, TCharacterKind::ckButton);
         const auto& button = static_cast<const TButtonDef&>(*c);
         ASSERT_EQ(button.records.size(), 1u);
         EXPECT_EQ(button.records[0].states, bsUp | bsOver | bsDown | bsHitTest);
         EXPECT_EQ(button.records[0].characterId, 1);
         EXPECT_EQ(button.records[0].depth, 1);
         ASSERT_EQ(button.condActions.size(), 1u);
         EXPECT_EQ(button.condActions[0].conditions, 1u << bcOverDownToOverUp);
         ASSERT_EQ(button.condActions[0].actions.size(), 1u);
         EXPECT_EQ(button.condActions[0].actions[0].code, acStop);
       }},
      {"DefineSprite placing a character in one frame",
       [](TBitsEngine& be) {
         TSWFDefineSprite sprite;
         sprite.SpriteID = 3;
         sprite.FrameCount = 1;
         auto* place = sprite.AddControlTag(std::make_unique<TSWFPlaceObject2>());
         place->SetDepth(1);
         place->SetCharacterId(1);
         sprite.AddControlTag(std::make_unique<TSWFShowFrame>());
         sprite.WriteToStream(be);
       },
       "CF 09 03 00 01 00 85 06 02 01 00 01 00 40 00 00 00",
       [](const TMovieDef& m) {
         const TCharacter* c = m.Find(3);
         ASSERT_NE(c, nullptr);
         ASSERT_EQ(c->kind, TCharacterKind::ckSprite);
         const auto& sprite = static_cast<const TSpriteDef&>(*c);
         ASSERT_EQ(sprite.timeline.frames.size(), 1u);
         ASSERT_EQ(sprite.timeline.frames[0].commands.size(), 1u);
         EXPECT_EQ(sprite.timeline.frames[0].commands[0].place.depth, 1);
         EXPECT_EQ(sprite.timeline.frames[0].commands[0].place.characterId, 1);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TMemoryStream out;
    TBitsEngine be(out);
    c.write(be);
    EXPECT_EQ(Hex(out.Bytes()), c.bytes);
    const auto movie = ReadMovie(MovieAround(out.Bytes()));
    EXPECT_TRUE(movie->warnings.empty()) << movie->warnings.front();
    c.check(*movie);
  }
}

}  // namespace
}  // namespace tessaly::player::test
