#include "platform/SystemColors.h"

#include <gtest/gtest.h>

namespace tessaly::platform {
namespace {

TEST(SystemColors, NamesGiveTheSystemColourAndIndexesTheirClassicLook) {
  struct Case {
    const char* name;
    std::uint32_t index;
    std::uint32_t rgb;
  };
  const Case cases[] = {
      {"clScrollBar", 0, 0xD4D0C8},  {"clWindow", 5, 0xFFFFFF}, {"clBtnFace", 15, 0xD4D0C8},
      {"clWindowText", 8, 0x000000}, {"clInfoBk", 24, 0xFFFFE1}, {"clHotLight", 26, 0x000080},
      {"clMenuBar", 30, 0xD4D0C8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SystemColorByName(c.name), SystemColorFlag | c.index) << c.name;
    EXPECT_EQ(SystemColorRgb(c.index), c.rgb) << c.name;
  }
  EXPECT_EQ(SystemColorByName("CLBTNFACE"), 0xFF00000Fu);
  for (const char* other : {"", "clRed", "clBtn", "clSystemColor"}) EXPECT_EQ(SystemColorByName(other), std::nullopt);
  EXPECT_EQ(SystemColorRgb(31), 0u);
}

}  // namespace
}  // namespace tessaly::platform
