// The HTML5 ad package: what the archive holds and what its page says, and
// the page opened in headless Chromium from a local file: a screenshot of
// the banner and where a click goes, with and without a clickTag.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "export/BannerExport.h"
#include "export/ExportTestSupport.h"
#include "export/Html5Package.h"

namespace tessaly::exports::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Html5Package, HoldsThePageAndBothAnimations) {
  TBannerFixture banner;
  banner.ChooseEffect(10, 0);
  banner.Settings().URL = "https://shop.example/?a=1&b=\"2\"";
  banner.Settings().TargetChoice = document::tcNamedWindow;
  banner.Settings().TargetWindowName = "ads";
  TExportOptions options;
  options.Kind = TExportKind::ekHtml5;
  const TExportResult result = ExportBanner(banner.Movie(), options);
  EXPECT_EQ(result.Bytes, ExportBanner(banner.Movie(), options).Bytes) << "the same banner gives the same archive";

  const auto entries = UnzipEntries(result.Bytes);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].first, "index.html");
  EXPECT_EQ(entries[1].first, "banner.webp");
  EXPECT_EQ(entries[2].first, "banner.gif");
  EXPECT_EQ(DecodeWebp(entries[1].second).Canvases.size(), DecodeWebp(entries[1].second).Ends.size());
  EXPECT_EQ(DecodeGif(entries[2].second).Width, 468);

  const std::string page = Text(entries[0].second);
  EXPECT_THAT(page, HasSubstr("<meta name=\"ad.size\" content=\"width=468,height=60\">"));
  EXPECT_THAT(page, HasSubstr("href=\"https://shop.example/?a=1&amp;b=&quot;2&quot;\""));
  EXPECT_THAT(page, HasSubstr("target=\"ads\""));
  EXPECT_THAT(page, HasSubstr("<source srcset=\"banner.webp\" type=\"image/webp\"><img src=\"banner.gif\""));
  EXPECT_THAT(page, Not(HasSubstr("b=\"2\"")));
}

#ifdef TESSALY_CHROMIUM
// The package unpacked into a folder, opened by the script that drives
// Chromium; the address it prints. An empty screenshot path takes none.
std::string OpenAndClick(const fs::path& folder, const std::string& query, const fs::path& screenshot = {}) {
  const std::string command = std::string("python3 '") + TESSALY_CHROMIUM_SCRIPT + "' '" + TESSALY_CHROMIUM + "' 'file://" +
                              (folder / "index.html").string() + query + "' '" + (screenshot.empty() ? std::string("-") : screenshot.string()) + "' 468 60";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string out;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  pclose(pipe);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

TEST(Html5Package, InChromiumShowsTheBannerAndClicksFollowTheClickTag) {
  TBannerFixture banner;
  banner.Settings().URL = "https://shop.example/banner";
  TExportOptions options;
  options.Kind = TExportKind::ekHtml5;
  const TBannerMovie movie = banner.Movie();
  const TExportResult result = ExportBanner(movie, options);
  tessaly::test::TTempDir folder;
  for (const auto& [name, bytes] : UnzipEntries(result.Bytes)) folder.Write(name, bytes);

  // The screenshot is kept in the build folder to be looked at.
  const fs::path shot = fs::current_path() / "html5-package-shot.png";
  struct TCase {
    const char* query;
    const char* address;
  };
  const TCase cases[] = {
      {"", "https://shop.example/banner"},
      {"?clickTag=https%3A%2F%2Fad.example%2Ftrack", "https://ad.example/track"},
      {"?clickTag=javascript%3Aalert(1)", "https://shop.example/banner"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(OpenAndClick(folder.Path(), c.query, c.query[0] == 0 ? shot : fs::path()), c.address) << c.query;

  // The browser shows the WebP, pixel for pixel where it belongs.
  QImage screenshot(QString::fromStdString(shot.string()));
  ASSERT_FALSE(screenshot.isNull());
  ASSERT_EQ(screenshot.size(), QSize(468, 60));
  const TDecodedAnimation webp = DecodeWebp(UnzipEntries(result.Bytes)[1].second);
  const TChannelDifference shown = ComparePictures(screenshot, webp.Canvases.front());
  std::cout << "[ difference ] Chromium screenshot against the WebP: " << shown.Text() << "\n";
  std::cout << "[ difference ] Chromium screenshot against the player: "
            << ComparePictures(screenshot, PlayerFrames(movie).front()).Text() << "\n";
  for (int ch = 0; ch < 3; ++ch) EXPECT_LT(shown.Mean[ch], 1.0) << shown.Text();
}

TEST(Html5Package, ClickTagSetByTheAdServerReplacesTheAddress) {
  TBannerFixture banner;
  banner.Settings().URL = "https://shop.example/banner";
  TExportOptions options;
  options.Kind = TExportKind::ekHtml5;
  tessaly::test::TTempDir folder;
  for (const auto& [name, bytes] : UnzipEntries(ExportBanner(banner.Movie(), options).Bytes)) {
    std::string text(bytes.begin(), bytes.end());
    // The ad server's script sets window.clickTag before the banner's own.
    if (name == "index.html")
      text.replace(text.find("<body>"), 6, "<body>\n<script>window.clickTag = \"https://server.example/c\";</script>");
    folder.Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  EXPECT_EQ(OpenAndClick(folder.Path(), ""), "https://server.example/c");
}
#endif

}  // namespace
}  // namespace tessaly::exports::test
