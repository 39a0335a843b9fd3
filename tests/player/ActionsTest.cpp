#include "player/ActionTestUtil.h"
#include "player/PlayerTestUtil.h"

#include <gmock/gmock.h>

namespace tessaly::player::test {
namespace {

using ::testing::Optional;

// A movie of one frame running actions, with a square named "box" at depth 2
// placed before the actions.
TFlashPlayer& RunFrame(TFlashPlayer& player, const TBytes& actions, int version = 6) {
  TMovieBuilder m(100, 100, 12, version);
  TShapeBuilder s;
  s.Style(-1, s.SolidFill(0xFF0000FF), -1);
  s.Rectangle(0, 0, 200, 200);
  m.Shape(1, s, 0, 200, 0, 200);
  m.Place(2, 1, 801, -70, "box");
  m.DoAction(actions);
  m.ShowFrame();
  m.ShowFrame();
  player.LoadMovie(m.Bytes());
  return player;
}

TEST(Actions, PushOfEveryTypeAndConstantPool) {
  TFlashPlayer player;
  RunFrame(player, Join({ConstantPool({"clickTAG", "_blank"}),
                         SetVar("s", PStr("abc")), SetVar("f", PFloat(1.5f)), SetVar("d", PDouble(3.25)),
                         SetVar("i", PInt(-42)), SetVar("b", PBool(true)), SetVar("n", PNull()),
                         SetVar("u", PUndefined()), SetVar("c", PConst(1)),
                         Push({PStr("r"), PInt(7)}), Action(0x87, {0}), Action(0x17), Push({TBytes{4, 0}}),
                         Action(0x1D)}));
  struct Case {
    const char* name;
    std::optional<std::string> text;
  };
  const Case cases[] = {{"s", "abc"},  {"f", "1.5"}, {"d", "3.25"}, {"i", "-42"}, {"b", "true"},
                        {"n", "null"}, {"u", std::nullopt}, {"c", "_blank"}, {"r", "7"}};
  for (const Case& c : cases) EXPECT_EQ(player.GetVariable(c.name), c.text) << c.name;
}

TEST(Actions, ArithmeticComparisonsAndStrings) {
  struct Case {
    const char* what;
    TBytes actions;  // leave one value on the stack
    std::string expected;
  };
  const Case cases[] = {
      {"Add2 numbers", Join({Push({PInt(2), PInt(3)}), Action(0x47)}), "5"},
      {"Add2 string", Join({Push({PStr("a"), PInt(1)}), Action(0x47)}), "a1"},
      {"Add", Join({Push({PStr("2"), PDouble(0.5)}), Action(0x0A)}), "2.5"},
      {"Subtract", Join({Push({PInt(10), PInt(4)}), Action(0x0B)}), "6"},
      {"Multiply", Join({Push({PInt(6), PInt(7)}), Action(0x0C)}), "42"},
      {"Divide", Join({Push({PInt(7), PInt(2)}), Action(0x0D)}), "3.5"},
      {"Divide by zero", Join({Push({PInt(1), PInt(0)}), Action(0x0D)}), "Infinity"},
      {"Modulo", Join({Push({PInt(7), PInt(3)}), Action(0x3F)}), "1"},
      {"Less", Join({Push({PInt(1), PInt(2)}), Action(0x0F)}), "true"},
      {"Less2", Join({Push({PInt(3), PInt(2)}), Action(0x48)}), "false"},
      {"Greater", Join({Push({PInt(3), PInt(2)}), Action(0x67)}), "true"},
      {"Equals", Join({Push({PStr("5"), PInt(5)}), Action(0x0E)}), "true"},
      {"Equals2 string number", Join({Push({PStr("5"), PInt(5)}), Action(0x49)}), "true"},
      {"StrictEquals", Join({Push({PStr("5"), PInt(5)}), Action(0x66)}), "false"},
      {"And", Join({Push({PBool(true), PInt(0)}), Action(0x10)}), "false"},
      {"Or", Join({Push({PBool(false), PInt(3)}), Action(0x11)}), "true"},
      {"Not", Join({Push({PInt(0)}), Action(0x12)}), "true"},
      {"StringAdd", Join({Push({PStr("ban"), PStr("ner")}), Action(0x21)}), "banner"},
      {"StringEquals", Join({Push({PStr("a"), PStr("a")}), Action(0x13)}), "true"},
      {"StringLess", Join({Push({PStr("a"), PStr("b")}), Action(0x29)}), "true"},
      {"StringLength", Join({Push({PStr("hello")}), Action(0x14)}), "5"},
      {"StringExtract", Join({Push({PStr("hello"), PInt(2), PInt(3)}), Action(0x15)}), "ell"},
      {"ToInteger", Join({Push({PDouble(-3.7)}), Action(0x18)}), "-3"},
      {"CharToAscii", Join({Push({PStr("A")}), Action(0x32)}), "65"},
      {"AsciiToChar", Join({Push({PInt(66)}), Action(0x33)}), "B"},
      {"Increment", Join({Push({PInt(41)}), Action(0x50)}), "42"},
      {"BitOr", Join({Push({PInt(12), PInt(3)}), Action(0x61)}), "15"},
      {"StackSwap", Join({Push({PInt(1), PInt(2)}), Action(0x4D), Action(0x0B)}), "1"},
      {"GetProperty _x", Join({Push({PStr("box"), PInt(0)}), Action(0x22)}), "40.05"},
      {"instance name", Join({Push({PStr("box")}), Action(0x1C)}), "_level0.box"},
      {"path variable", Join({SetVar("box:v", PInt(9)), Push({PStr("/box:v")}), Action(0x1C)}), "9"},
  };
  for (const Case& c : cases) {
    TFlashPlayer player;
    // result = <value>: the name goes under the value.
    RunFrame(player, Join({Push({PStr("result")}), c.actions, Action(0x1D)}));
    EXPECT_THAT(player.GetVariable("result"), Optional(c.expected)) << c.what;
  }
}

TEST(Actions, JumpAndIfMakeALoop) {
  // i = 0; do { i = i + 1 } while (i < 5)
  const TBytes body = Join({Push({PStr("i"), PStr("i")}), Action(0x1C), Push({PInt(1)}), Action(0x47), Action(0x1D),
                            Push({PStr("i")}), Action(0x1C), Push({PInt(5)}), Action(0x48)});
  const int16_t back = static_cast<int16_t>(-(static_cast<int>(body.size()) + 5));
  TFlashPlayer player;
  RunFrame(player, Join({SetVar("i", PInt(0)), body, If(back), SetVar("done", PBool(true))}));
  EXPECT_THAT(player.GetVariable("i"), Optional(std::string("5")));
  EXPECT_THAT(player.GetVariable("done"), Optional(std::string("true")));
}

TEST(Actions, EndlessLoopsJumpsOutOfTheBlockAndStackUnderflowKeepThePlayerGoing) {
  struct Case {
    const char* what;
    TBytes actions;
  };
  const Case cases[] = {
      {"jump to itself", Join({SetVar("before", PInt(1)), Jump(-5), SetVar("after", PInt(1))})},
      {"jump far out", Join({SetVar("before", PInt(1)), Jump(30000), SetVar("after", PInt(1))})},
      {"jump before the start", Join({SetVar("before", PInt(1)), Jump(-30000), SetVar("after", PInt(1))})},
      {"jump into an action", Join({SetVar("before", PInt(1)), Jump(2), SetVar("after", PInt(1))})},
  };
  for (const Case& c : cases) {
    TFlashPlayer player;
    RunFrame(player, c.actions);
    EXPECT_THAT(player.GetVariable("before"), Optional(std::string("1"))) << c.what;
    EXPECT_EQ(player.GetVariable("after"), std::nullopt) << c.what;
    player.Tick();
    EXPECT_EQ(player.CurrentFrame(), 2) << c.what;
  }
  TFlashPlayer underflow;
  RunFrame(underflow, Join({Action(0x17), Action(0x47), Action(0x1D), Action(0x27), Action(0x23),
                            SetVar("after", PInt(1))}));
  EXPECT_THAT(underflow.GetVariable("after"), Optional(std::string("1")));
}

TEST(Actions, EndlessLoopIsCutOffWithAWarningEveryFrame) {
  TFlashPlayer player;
  RunFrame(player, Jump(-5));
  player.Tick();
  player.Tick();
  EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr("cut off")));
}

TEST(Actions, ScriptsGrowingTheirStackOrStringsAreCutOffAndThePlayerGoesOn) {
  // s = "x"; do { s = s + s } while (length(s) < 512 KB)
  const TBytes grow = Join({Push({PStr("s"), PStr("s")}), Action(0x1C), Action(0x4C), Action(0x21), Action(0x1D),
                            Push({PStr("s")}), Action(0x1C), Action(0x14), Push({PInt(512 * 1024)}), Action(0x48)});
  // for (;;) { n = n + 1; this["v" + n] = s + s }: a new 1 MB string each pass
  const TBytes keep = Join({Push({PStr("n"), PStr("n")}), Action(0x1C), Action(0x50), Action(0x1D),
                            Push({PStr("v"), PStr("n")}), Action(0x1C), Action(0x21), Push({PStr("s")}),
                            Action(0x1C), Action(0x4C), Action(0x21), Action(0x1D)});
  auto back = [](const TBytes& body) { return static_cast<int16_t>(-(static_cast<int>(body.size()) + 5)); };
  const TBytes nulls = Action(0x96, TBytes(30000, 2));
  struct Case {
    const char* what;
    TBytes actions;
    int ticks;  // the frame runs again every other tick
    const char* warning;
  };
  const Case cases[] = {
      {"PushDuplicate and StringAdd double a string",
       Join({Push({PStr("x")}), Action(0x4C), Action(0x21), Jump(-7)}), 0, "a string longer than 1 MB"},
      {"PushDuplicate and Add2 double a string", Join({Push({PStr("x")}), Action(0x4C), Action(0x47), Jump(-7)}), 0,
       "a string longer than 1 MB"},
      {"a Push of 30000 nulls in a loop", Join({nulls, Jump(back(nulls))}), 0, "filled their stack"},
      {"new 1 MB strings kept in variables frame after frame",
       Join({SetVar("s", PStr("x")), grow, If(back(grow)), keep, Jump(back(keep))}), 10,
       "more than 64 MB of strings"},
  };
  for (const Case& c : cases) {
    TFlashPlayer player;
    RunFrame(player, Join({SetVar("before", PInt(1)), c.actions}));
    for (int i = 0; i < c.ticks; ++i) player.Tick();
    EXPECT_THAT(player.Warnings(), ::testing::Contains(::testing::HasSubstr(c.warning))) << c.what;
    EXPECT_THAT(player.GetVariable("before"), Optional(std::string("1"))) << c.what;
    EXPECT_THAT(player.TGetProperty("box", 0), Optional(std::string("40.05"))) << c.what;
    const int frame = player.CurrentFrame();
    player.Tick();
    EXPECT_NE(player.CurrentFrame(), frame) << c.what;
  }
}

TEST(Actions, TimelineControlAndGetUrl2) {
  TFlashPlayer player;
  std::vector<std::string> urls;
  player.onGetUrl = [&](const std::string& url, const std::string& target) { urls.push_back(url + " " + target); };
  RunFrame(player, Join({Push({PStr("http://example.com/"), PStr("_blank")}), Action(0x9A, {0}),
                         Push({PInt(2)}), Action(0x9F, {0})}));
  EXPECT_THAT(urls, ::testing::ElementsAre("http://example.com/ _blank"));
  EXPECT_EQ(player.CurrentFrame(), 2);
  EXPECT_FALSE(player.IsPlaying());
}

TEST(Actions, NamesAreCaseInsensitiveBeforeVersion7) {
  for (int version : {6, 7}) {
    TFlashPlayer player;
    RunFrame(player, SetVar("Name", PStr("x")), version);
    EXPECT_EQ(player.GetVariable("name").has_value(), version < 7) << version;
    EXPECT_TRUE(player.GetVariable("Name").has_value()) << version;
  }
}

}  // namespace
}  // namespace tessaly::player::test
