#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace tessaly::platform {
namespace {

TEST(CodePage, ChineseFaceNameIsFourBytesInCodePage936) {
  EXPECT_EQ(Utf8ToAnsi("宋体"), "\xCB\xCE\xCC\xE5");
  EXPECT_EQ(AnsiToUtf8("\xCB\xCE\xCC\xE5"), "宋体");
}

TEST(CodePage, RoundTripsMixedText) {
  const std::string text = "欢迎光临 Tessaly 横幅, 100%";
  EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi(text)), text);
}

TEST(CodePage, UnconvertibleAndInvalidBecomeQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string ansi;
  };
  const Case cases[] = {
      {"a\xF0\x9F\x98\x80" "b", "a?b"},  // emoji: not in code page 936
      {"\xC3\xA9", "\xA8\xA6"},          // é exists in GBK
      {"\xE2\x82\xAC", "\x80"},          // euro sign is the single byte 0x80
      {"x\xFFy", "x?y"},                 // stray byte
      {"\xE5\xAE", "??"},                // truncated sequence
      {"\xC0\xAF", "??"},                // overlong encoding
      {"\xED\xA0\x80", "???"},           // encoded surrogate
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
}

TEST(CodePage, ValidUtf8KeepsTextAndReplacesEveryInvalidByte) {
  struct Case {
    std::string text;
    std::string valid;
  };
  const Case cases[] = {
      {"横幅 a\xF0\x9F\x98\x80", "横幅 a\xF0\x9F\x98\x80"},  // valid text stays as it is
      {std::string("a\0b", 3), std::string("a\0b", 3)},     // NUL is valid UTF-8
      {"x\xFFy", "x?y"},
      {"\xE5\xAE", "??"},         // truncated sequence
      {"\xC0\xAF", "??"},         // overlong encoding
      {"\xED\xA0\x80", "???"},    // encoded surrogate
      {"\xBA\xE1\xB7\xF9", "????"},  // code page 936 bytes
  };
  for (const Case& c : cases) EXPECT_EQ(ValidUtf8(c.text), c.valid) << c.text;
}

TEST(CodePage, AsciiCaseIsIgnoredForLettersOnly) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase("clBtnFace", "CLBTNFACE"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("clBtnFace", "clBtnFac"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("[", "{"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("横", "模"));
}

TEST(CodePage, InvalidCodePageBytesBecomeQuestionMarks) {
  EXPECT_EQ(AnsiToUtf8("a\xFF" "b"), "a?b");
  EXPECT_EQ(AnsiToUtf8("\xCB"), "?");            // lead byte at the end
  EXPECT_EQ(AnsiToUtf8("\xCB\x20z"), "? z");      // lead byte with an invalid trail
}

TEST(CodePage, Utf16Conversions) {
  EXPECT_EQ(Utf8ToUtf16("A宋"), (std::u16string{u'A', char16_t(0x5B8B)}));
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), (std::u16string{char16_t(0xD83D), char16_t(0xDE00)}));
  EXPECT_EQ(Utf8ToUtf16("a\x80"), u"a?");
  EXPECT_EQ(Utf16ToUtf8(u"欢迎"), "欢迎");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t(0xD800), u'x'}), "?x");
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
}

TEST(CodePage, EveryByteSequenceOfLengthTwoIsSafe) {
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) {
      std::string s{static_cast<char>(a), static_cast<char>(b)};
      EXPECT_FALSE(AnsiToUtf8(s).empty());
      EXPECT_FALSE(Utf8ToAnsi(s).empty());
    }
}

}  // namespace
}  // namespace tessaly::platform
