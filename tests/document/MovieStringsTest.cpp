// Strings of the document on their way into a movie: cut at a NUL byte with
// a warning, bytes that are not UTF-8 replaced, so that every action record
// declares the length of the strings it holds.

#include <gtest/gtest.h>

#include <random>

#include "document/BuildTestSupport.h"
#include "document/ItemBuilders.h"
#include "document/SwfTestReader.h"
#include "platform/CodePage.h"

namespace tessaly::test {
namespace {

using namespace std::string_literals;

constexpr std::uint16_t kDefineFont2 = 48;
constexpr std::uint8_t kGetUrl = 0x83;

struct TRecordingWarnings : document::TWarningSink {
  void Warn(const std::string& message) override { Messages.push_back(message); }
  std::vector<std::string> Messages;
};

struct TStringsFixture : TBuildFixture {
  TStringsFixture() {
    Pipeline.SetWarningSink(&Warnings);
    Doc.BannerSettings.Compress = false;
  }
  // The published movie, as Save writes it.
  TSwfFile Saved() {
    Pipeline.BuildMovie((Temp.Path() / "saved.swf").string());
    return ReadSwf(Host.Movie);
  }
  TRecordingWarnings Warnings;
};

// The two strings of a GetURL payload; fails the test unless the payload is
// exactly two NUL-terminated strings.
std::pair<std::string, std::string> GetUrlStrings(const TActionRecord& record) {
  const std::vector<std::uint8_t>& p = record.Payload;
  const auto first = std::find(p.begin(), p.end(), 0);
  EXPECT_NE(first, p.end());
  if (first == p.end()) return {};
  const auto second = std::find(first + 1, p.end(), 0);
  EXPECT_EQ(second + 1, p.end()) << "the declared length covers exactly the URL and the target";
  return {std::string(p.begin(), first), std::string(first + 1, second)};
}

std::vector<std::pair<std::string, std::string>> GetUrls(const TSwfFile& swf) {
  std::vector<std::pair<std::string, std::string>> urls;
  for (const auto& list : MovieActionLists(swf))
    for (const TActionRecord& record : list)
      if (record.Code == kGetUrl) urls.push_back(GetUrlStrings(record));
  return urls;
}

// The name stored in a DefineFont2 body.
std::string FontNameOf(const TSwfTag& font) {
  const std::size_t length = font.Body.at(4);
  return std::string(font.Body.begin() + 5, font.Body.begin() + 5 + static_cast<std::ptrdiff_t>(length));
}

TEST(MovieStrings, UrlAndTargetAreCutAtTheirFirstNulWithOneWarningEach) {
  TStringsFixture f;
  f.AddRectangle(0, 0, 10, 10);
  f.Doc.BannerSettings.URL = "http://a.example/\0evil"s;
  f.Doc.BannerSettings.TargetChoice = document::tcNamedWindow;
  f.Doc.BannerSettings.TargetWindowName = "frame\0x"s;
  const TSwfFile swf = f.Saved();
  const auto urls = GetUrls(swf);
  ASSERT_EQ(urls.size(), 2u) << "the background and the rectangle";
  for (const auto& url : urls) EXPECT_EQ(url, std::make_pair("http://a.example/"s, "frame"s));
  EXPECT_EQ(f.Warnings.Messages,
            (std::vector<std::string>{"网址在第 18 个字节处含有空字符, 其后的文字已删去.",
                                      "目标窗口在第 6 个字节处含有空字符, 其后的文字已删去."}));
}

TEST(MovieStrings, BytesThatAreNotUtf8AreReplacedInEveryVersion) {
  for (int version : {5, 6, 7}) {
    TStringsFixture f;
    f.Doc.BannerSettings.FlashVersion = version;
    f.Doc.BannerSettings.URL = "http://a.example/\xFF\xC3";
    f.Doc.BannerSettings.TargetChoice = document::tcNamedWindow;
    f.Doc.BannerSettings.TargetWindowName = "frame\x80";
    const auto urls = GetUrls(f.Saved());
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_EQ(urls[0], std::make_pair("http://a.example/??"s, "frame?"s));
    EXPECT_EQ(f.Warnings.Messages.size(), 2u) << version;
  }
}

TEST(MovieStrings, TextAndFontNameAreCutAtTheirNulOncePerItem) {
  TStringsFixture f;
  auto& item = f.AddText("Sale\0!"s);
  item.FontName = "Arial\0Black"s;
  item.ShadowAltitude = 2;
  {
    auto movie = f.Pipeline.ComposePreviewMovie("");
    EXPECT_EQ(f.Pipeline.Context().ItemTexts[1]->Text(), u"Sale");
    EXPECT_EQ(f.Pipeline.Context().ShadowTexts[1]->Text(), u"Sale");
  }
  EXPECT_EQ(f.Warnings.Messages.size(), 2u) << "text and font name, though the shadow uses both again";
  f.Warnings.Messages.clear();
  const TSwfFile swf = f.Saved();
  for (const TSwfTag* font : swf.TagsWith(kDefineFont2)) EXPECT_EQ(FontNameOf(*font), "Arial");
  EXPECT_EQ(f.Warnings.Messages.size(), 2u);
}

TEST(MovieStrings, CleanStringsGiveNoWarning) {
  TStringsFixture f;
  f.AddText("横幅 Sale");
  f.Doc.BannerSettings.URL = "https://例子.example/?q=横幅";
  f.Saved();
  EXPECT_TRUE(f.Warnings.Messages.empty());
}

// Random banners with junk bytes in the click address, the window name, the
// texts and the font names: every GetURL record of every movie declares
// exactly the bytes of its two strings, no string holds a NUL, URLs are
// UTF-8, and so are font names from version 6 on.
TEST(MovieStrings, RandomJunkNeverBreaksAnActionRecord) {
  std::mt19937 random(20261211);
  auto junk = [&](std::size_t maxLength) {
    std::string s(random() % (maxLength + 1), '\0');
    for (char& c : s) {
      const unsigned r = random() % 4;
      c = static_cast<char>(r == 0 ? 0 : r == 1 ? 'a' + random() % 26 : random() % 256);
    }
    return s;
  };
  for (int run = 0; run < 150; ++run) {
    SCOPED_TRACE(run);
    TStringsFixture f;
    auto& s = f.Doc.BannerSettings;
    s.FlashVersion = 4 + static_cast<int>(random() % 4);
    s.Compress = random() % 2;
    s.URL = junk(40);
    s.TargetChoice = static_cast<std::int32_t>(random() % 3);
    s.TargetWindowName = junk(20);
    f.AddRectangle(0, 0, 10, 10);
    auto& text = f.AddText(junk(12));
    text.FontName = junk(10);
    text.ShadowAltitude = static_cast<std::int32_t>(random() % 2);

    const TSwfFile swf = f.Saved();
    const auto urls = GetUrls(swf);
    const bool textBuilt = document::ItemIsBuilt(text);
    EXPECT_EQ(urls.size(), 2u + (textBuilt ? 1u : 0u) + (textBuilt && text.ShadowAltitude > 0 ? 1u : 0u));
    // The URL is written as UTF-8 (the target window in code page 936).
    for (const auto& url : urls) EXPECT_EQ(url.first, platform::ValidUtf8(url.first));
    for (const TSwfTag* font : swf.TagsWith(kDefineFont2)) {
      const std::string name = FontNameOf(*font);
      EXPECT_EQ(name.find('\0'), std::string::npos);
      if (swf.Version >= 6) {
        EXPECT_EQ(name, platform::ValidUtf8(name));
      }
    }
  }
}

}  // namespace
}  // namespace tessaly::test
