#include "project/ProjectValues.h"

#include <gtest/gtest.h>

namespace tessaly::project {
namespace {

TEST(ProjectValues, ColoursAreWrittenByNameOrAsEightHexDigits) {
  struct Case {
    TColorRef color;
    const char* text;
  };
  const Case cases[] = {
      {0x000000, "clBlack"},     {0x0000FF, "clRed"},       {0x000080, "clMaroon"},
      {0x00FF00, "clLime"},      {0x008000, "clGreen"},     {0x00FFFF, "clYellow"},
      {0x008080, "clOlive"},     {0xFF0000, "clBlue"},      {0x800000, "clNavy"},
      {0xFF00FF, "clFuchsia"},   {0x800080, "clPurple"},    {0xFFFF00, "clAqua"},
      {0x808000, "clTeal"},      {0xFFFFFF, "clWhite"},     {0x808080, "clGray"},
      {0xC0DCC0, "clMoneyGreen"}, {0xC0C0C0, "clSilver"},   {0xF0CAA6, "clSkyBlue"},
      {0xA4A0A0, "clMedGray"},   {0xF0FBFF, "clCream"},     {0x123456, "$00123456"},
      {0x00ABCDEF, "$00ABCDEF"}, {0xFF000000, "$FF000000"}, {0x000001, "$00000001"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToString(c.color), c.text);
    EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
  }
}

TEST(ProjectValues, ColoursAreReadFromNamesAnyCaseHexOrDecimal) {
  struct Case {
    const char* text;
    std::optional<TColorRef> color;
  };
  const Case cases[] = {
      {"CLRED", 0x0000FF},  {"clwhite", 0xFFFFFF}, {"$ff", 0xFF},
      {"255", 0xFF},        {"-1", 0xFFFFFFFF},    {"$FFFFFFFF", 0xFFFFFFFF},
      {"", std::nullopt},   {"clPink", std::nullopt}, {"12ab", std::nullopt},
      {"$", std::nullopt},  {"$123456789", std::nullopt},
      // The Windows system colours, kept as system colours.
      {"clBtnFace", 0xFF00000F}, {"CLINFOBK", 0xFF000018}, {"clScrollBar", 0xFF000000},
      {"clMenuBar", 0xFF00001E}, {"clSystemColor", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
}

TEST(ProjectValues, IntegersAcceptSignHexAndLeadingBlanksOnly) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {"0", 0},
      {"-17", -17},
      {"+5", 5},
      {"  42", 42},
      {"$10", 16},
      {"0x1f", 31},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", std::nullopt},
      {"42 ", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"abc", std::nullopt},
      {"3.5", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(StringToInt(c.text), c.value) << c.text;
}

TEST(ProjectValues, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim("  a b \t\r"), "a b");
  EXPECT_EQ(Trim(" \x01 "), "");
  EXPECT_EQ(Trim("欢迎"), "欢迎");
}

}  // namespace
}  // namespace tessaly::project
