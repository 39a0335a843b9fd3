#include "publish/EmbedHtml.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace tessaly::publish {
namespace {

// A movie of `size` bytes at `folder`/`name`, its folder created.
std::string MakeMovie(const std::filesystem::path& folder, const std::string& name, size_t size) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path movie = folder / name;
  WriteBytes(movie, std::string(size, 'F'));
  return movie.string();
}

TEST(PreviewPage, WholePageForAMovieInAFolderWithABlank) {
  TTestFolder temp;
  const std::string movie = MakeMovie(temp / "My Banners", "banner1.swf", 1536);
  const std::string path = temp.Path().string() + "/My Banners/banner1.swf";
  ASSERT_EQ(movie, path);

  ASSERT_TRUE(WritePreviewPage(movie, {468, 60, 0}, temp.Path()));

  std::string url = "file://" + path;  // the path's own "/" is the third slash
  url.replace(url.find("My Banners"), 10, "My%20Banners");
  const std::string expected =
      "<HTML>\r\n"
      "<HEAD>\r\n"
      "<meta charset=\"gbk\">\r\n"
      "<TITLE>" + path + "</TITLE>\r\n"
      "</HEAD>\r\n"
      "<BODY>\r\n"
      "<p>\r\n"
      "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"\r\n"
      "codebase=\"https://fpdownload.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=6,0,40,0\"\r\n"
      "WIDTH=\"468\" HEIGHT=\"60\" id=\"TSLY-banner1.swf\">\r\n"
      "<PARAM NAME=movie VALUE=\"" + url + "\">\r\n"
      "<PARAM NAME=quality VALUE=high> \r\n"
      "<PARAM NAME=bgcolor VALUE=#FFFFFF>\r\n"
      "<EMBED src=\"" + url + "\" quality=high bgcolor=#FFFFFF WIDTH=\"468\" HEIGHT=\"60\"\r\n"
      "NAME=\"TSLY-banner1.swf\" ALIGN=\"\" TYPE=\"application/x-shockwave-flash\"\r\n"
      "PLUGINSPAGE=\"https://www.adobe.com/go/getflashplayer\">\r\n"
      "</EMBED>\r\n"
      "</OBJECT>\r\n"
      "</p>\r\n"
      "</p>\r\n"
      "<div align=\"left\">\r\n"
      "  <table border=\"1\" width=\"432\" height=\"154\">\r\n"
      "    <tr>\r\n"
      "      <td width=\"332\" height=\"154\" valign=\"top\">\r\n"
      "<p>\xCE\xC4\xBC\xFE\xC3\xFB\xB3\xC6 = banner1.swf</p>\r\n"
      "        <p>\xB8\xDF\xB6\xC8 = 60</p>\r\n"
      "        <p>\xBF\xED\xB6\xC8 = 468</p>\r\n"
      "        <p>\xB4\xF3\xD0\xA1 = 2KB </p>\r\n"
      "</tr>\r\n"
      "</div>\r\n"
      "</table>\r\n"
      "</BODY>\r\n"
      "</HTML>\r\n";
  EXPECT_EQ(ReadBytes(temp / "temp3.html"), expected);
  EXPECT_EQ(url.substr(0, 8), "file:///");
  EXPECT_NE(url.find("/My%20Banners/banner1.swf"), std::string::npos);
}

TEST(PreviewPage, ChineseFileNameIsWrittenInCodePage936) {
  TTestFolder temp;
  const std::string movie = MakeMovie(temp.Path(), "横幅.swf", 10);
  ASSERT_TRUE(WritePreviewPage(movie, {468, 60, 0}, temp.Path()));
  const std::string page = ReadBytes(temp / "temp3.html");
  EXPECT_NE(page.find("id=\"TSLY-\xBA\xE1\xB7\xF9.swf\">\r\n"), std::string::npos);
  EXPECT_EQ(page.find("横幅"), std::string::npos);
}

TEST(PreviewPage, SizeInKilobytesRoundsHalvesToEven) {
  const std::pair<std::uint64_t, std::uint64_t> cases[] = {
      {1536, 2}, {2560, 2}, {500, 0}, {0, 0},    {512, 0},
      {513, 1},  {1535, 1}, {3584, 4}, {1024, 1}, {1048575, 1024},
  };
  for (auto [bytes, kb] : cases) EXPECT_EQ(SizeKB(bytes), kb) << bytes;

  TTestFolder temp;
  const std::pair<size_t, int> pages[] = {{1536, 2}, {2560, 2}, {500, 0}};
  for (auto [bytes, kb] : pages) {
    ASSERT_TRUE(WritePreviewPage(MakeMovie(temp.Path(), "m.swf", bytes), {}, temp.Path()));
    const std::string line = "        <p>\xB4\xF3\xD0\xA1 = " + std::to_string(kb) + "KB </p>\r\n";
    EXPECT_NE(ReadBytes(temp / "temp3.html").find(line), std::string::npos) << bytes;
  }
}

TEST(EmbeddingBlock, OnlyNonRectangularOutlinesGetTheWindowModeLines) {
  TEmbedding e;
  e.MovieURL = "file:///m.swf";
  e.FileName = "m.swf";
  e.Banner = {120, 90, 0};
  const std::vector<std::string> rectangle = EmbeddingBlock(e);
  ASSERT_EQ(rectangle.size(), 11u);
  for (const std::string& line : rectangle) EXPECT_EQ(line.find("transparent"), std::string::npos);

  for (int shape : {1, 2, 7}) {
    e.Banner.BackgroundShape = shape;
    const std::vector<std::string> outlined = EmbeddingBlock(e);
    ASSERT_EQ(outlined.size(), 13u) << shape;
    EXPECT_EQ(outlined[5], "<PARAM NAME=bgcolor VALUE=#FFFFFF>");
    EXPECT_EQ(outlined[6], " <PARAM NAME=wmode VALUE=transparent>");
    EXPECT_EQ(outlined[8], "NAME=\"TSLY-m.swf\" ALIGN=\"\" TYPE=\"application/x-shockwave-flash\"");
    EXPECT_EQ(outlined[9], "WMODE=\"transparent\"");
    EXPECT_EQ(outlined[10], "PLUGINSPAGE=\"https://www.adobe.com/go/getflashplayer\">");
  }
}

TEST(EmbeddingBlock, AClickTagIsPassedAsFlashVarsPercentEncoded) {
  TEmbedding e;
  e.MovieURL = "file:///m.swf";
  e.FileName = "m.swf";
  e.Banner = {120, 90, 0};
  const std::vector<std::string> without = EmbeddingBlock(e);
  e.ClickTag = "https://ad.example/c?a=1&b=\"<x>'中 %";
  const std::string vars = "clickTAG=https%3A%2F%2Fad.example%2Fc%3Fa%3D1%26b%3D%22%3Cx%3E%27%E4%B8%AD%20%25";
  EXPECT_EQ(ClickTagFlashVars(e.ClickTag), vars);
  EXPECT_EQ(ClickTagFlashVars("A-z_0.9~"), "clickTAG=A-z_0.9~");

  for (int shape : {0, 3}) {
    e.Banner.BackgroundShape = shape;
    std::vector<std::string> with = EmbeddingBlock(e);
    const size_t param = shape == 0 ? 6 : 7;
    ASSERT_EQ(with.size(), shape == 0 ? 13u : 15u);
    EXPECT_EQ(with[param - 1], shape == 0 ? "<PARAM NAME=bgcolor VALUE=#FFFFFF>" : " <PARAM NAME=wmode VALUE=transparent>");
    EXPECT_EQ(with[param], "<PARAM NAME=FlashVars VALUE=\"" + vars + "\">");
    EXPECT_EQ(with[with.size() - 4], "FlashVars=\"" + vars + "\"");
    EXPECT_EQ(with[with.size() - 3], "PLUGINSPAGE=\"https://www.adobe.com/go/getflashplayer\">");
    // Nothing else changes.
    with.erase(with.end() - 4);
    with.erase(with.begin() + static_cast<std::ptrdiff_t>(param));
    TEmbedding plain = e;
    plain.ClickTag.clear();
    EXPECT_EQ(with, EmbeddingBlock(plain));
  }
  e.Banner.BackgroundShape = 0;
  e.ClickTag.clear();
  EXPECT_EQ(EmbeddingBlock(e), without) << "an empty clickTAG writes no FlashVars";
}

TEST(EmbeddingBlock, MovieURLAndFileName) {
  const std::pair<std::string, std::string> urls[] = {
      {"/home/ann/My Banners/a b.swf", "file:///home/ann/My%20Banners/a%20b.swf"},
      {"C:\\My Banners\\a.swf", "file:///C:/My%20Banners/a.swf"},
      {"rel/a%20#?.swf", "file:///rel/a%2520%23%3F.swf"},
      {"/tmp/横幅/b-1_~.swf", "file:///tmp/%E6%A8%AA%E5%B9%85/b-1_~.swf"},
      {"", "file:///"},
  };
  for (const auto& [path, url] : urls) EXPECT_EQ(MovieURL(path), url) << path;
  EXPECT_EQ(BareFileName("/home/ann/My Banners/a b.swf"), "a b.swf");
  EXPECT_EQ(BareFileName("a.swf"), "a.swf");
  EXPECT_EQ(BareFileName("/dir/"), "");
}

TEST(PreviewCommand, OpensThePageOnlyForAnExistingSavedMovie) {
  TTestFolder temp;
  TRecordingOpener opener;

  EXPECT_EQ(PreviewMovie("", {}, temp.Path(), opener), "预览前请先保存文件.");
  EXPECT_TRUE(opener.Opened.empty());
  EXPECT_FALSE(std::filesystem::exists(temp / "temp3.html"));

  const std::string gone = (temp / "gone.swf").string();
  EXPECT_FALSE(WritePreviewPage(gone, {}, temp.Path()));
  EXPECT_EQ(PreviewMovie(gone, {}, temp.Path(), opener), "找不到已保存的文件: " + gone);
  EXPECT_TRUE(opener.Opened.empty());
  EXPECT_FALSE(std::filesystem::exists(temp / "temp3.html"));

  const std::string movie = MakeMovie(temp.Path(), "ok.swf", 100);
  EXPECT_EQ(PreviewMovie(movie, {}, temp.Path(), opener), std::nullopt);
  ASSERT_EQ(opener.Opened.size(), 1u);
  EXPECT_EQ(opener.Opened[0], (temp / "temp3.html").string());
  EXPECT_TRUE(std::filesystem::exists(temp / "temp3.html"));
}

TEST(PreviewCommand, ARelativeMoviePathIsMadeAbsolute) {
  TTestFolder temp;
  MakeMovie(temp / "rel", "a.swf", 100);
  TRecordingOpener opener;
  {
    TCurrentFolder here(temp.Path());
    EXPECT_EQ(PreviewMovie("rel/a.swf", {}, temp.Path(), opener), std::nullopt);
  }
  const std::string path = (temp / "rel" / "a.swf").string();
  const std::string page = ReadBytes(temp / "temp3.html");
  EXPECT_NE(page.find("<TITLE>" + path + "</TITLE>\r\n"), std::string::npos);
  EXPECT_NE(page.find("<PARAM NAME=movie VALUE=\"file://" + path + "\">\r\n"), std::string::npos);
  EXPECT_NE(page.find("<EMBED src=\"file://" + path + "\" "), std::string::npos);
  EXPECT_NE(page.find("id=\"TSLY-a.swf\">"), std::string::npos);
  EXPECT_EQ(AbsolutePath(""), "");
}

TEST(PreviewCommand, WithoutXdgOpenThePageIsWrittenAndItsPathShown) {
  TTestFolder temp;
  std::filesystem::create_directories(temp / "bin");
  TRecordingRunner runner;
  TXdgOpener opener(runner, (temp / "bin").string());
  const std::string movie = MakeMovie(temp.Path(), "m.swf", 100);
  const std::string page = (temp / "temp3.html").string();
  EXPECT_EQ(PreviewMovie(movie, {}, temp.Path(), opener),
            "无法启动浏览器 (找不到 xdg-open). 预览页面已保存在: " + page);
  EXPECT_TRUE(std::filesystem::exists(page));
  EXPECT_TRUE(runner.Started.empty());
}

TEST(PreviewCommand, ReplacesAnEarlierPageAndReportsAnUnwritableFolder) {
  TTestFolder temp;
  WriteBytes(temp / "temp3.html", "old page, much longer than the new one would ever be" +
                                      std::string(10000, 'x'));
  ASSERT_TRUE(WritePreviewPage(MakeMovie(temp.Path(), "m.swf", 5), {}, temp.Path()));
  const std::string page = ReadBytes(temp / "temp3.html");
  EXPECT_EQ(page.substr(0, 8), "<HTML>\r\n");
  EXPECT_EQ(page.find("old page"), std::string::npos);

  EXPECT_THROW(WritePreviewPage((temp / "m.swf").string(), {}, temp / "no such folder"),
               std::system_error);
}

}  // namespace
}  // namespace tessaly::publish
