#include "publish/AddHtml.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"

namespace tessaly::publish {
namespace {

TEST(SnippetDialog, LocationFromTheDefaultWebSiteAndImageFolder) {
  struct Case {
    std::string site, folder, location;
  };
  const Case cases[] = {
      {"http://www.mysite.com/index.html", "images", "http://www.mysite.com/images"},
      {"http://www.mysite.com/shop/home.htm", "img", "http://www.mysite.com/shop/img"},
      {"http://www.mysite.com/", "images", "http://www.mysite.com/images"},
      {"http://www.mysite.com", "images", "http://www.mysite.com/images"},
      {"C:\\web\\index.htm", "images", "C:\\web\\images"},
      {"home.html", "images", "home.html/images"},  // no separator: the whole address is kept
      {"http://www.mysite.com/", "http://cdn.mysite.com/b/", "http://cdn.mysite.com/b/"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SnippetLocation(c.site, c.folder), c.location) << c.site << " + " << c.folder;
  EXPECT_EQ(SnippetSite("http://www.mysite.com/a/index.html"), "http://www.mysite.com/a/");

  const TSnippetFields fields = OpenSnippetDialog("https://tessaly.example/", "images", "/home/ann/b1.swf");
  EXPECT_EQ(fields.Location, "https://tessaly.example/images");
  EXPECT_TRUE(IsProgramWebLocation(fields.Location));
  EXPECT_EQ(fields.FileField, "/home/ann/b1.swf");
  EXPECT_EQ(fields.Quality, 4);
}

TEST(SnippetDialog, WebURLAddsOneSlash) {
  EXPECT_EQ(WebURL("http://www.mysite.com/images/", "/home/ann/b1.swf"),
            "http://www.mysite.com/images/b1.swf");
  EXPECT_EQ(WebURL("http://www.mysite.com/images", "b1.swf"), "http://www.mysite.com/images/b1.swf");
  EXPECT_EQ(WebURL("", "b1.swf"), "/b1.swf");
}

TEST(SnippetDialog, QualityWords) {
  const std::pair<int, std::string> cases[] = {{0, "low"},    {1, "autolow"}, {2, "autohigh"},
                                               {3, "medium"}, {4, "high"},    {5, "best"},
                                               {6, "high"},   {-1, "high"}};
  for (const auto& [choice, word] : cases) EXPECT_EQ(QualityWord(choice), word) << choice;
}

TEST(SnippetDialog, GeneratedBlockForBestQuality) {
  TSnippetFields fields{"http://www.mysite.com/images/", "/home/ann/b1.swf", 5, {}};
  TSnippetResult result = GenerateSnippet(fields, {468, 60, 0}, [] { return true; });
  EXPECT_EQ(result.Message, std::nullopt);
  ASSERT_TRUE(result.Code);
  EXPECT_EQ(*result.Code,
            "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"\n"
            "codebase=\"https://fpdownload.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=6,0,40,0\"\n"
            "WIDTH=\"468\" HEIGHT=\"60\" id=\"TSLY-b1.swf\">\n"
            "<PARAM NAME=movie VALUE=\"http://www.mysite.com/images/b1.swf\">\n"
            "<PARAM NAME=quality VALUE=\"best\"> \n"
            "<PARAM NAME=bgcolor VALUE=#FFFFFF>\n"
            "<EMBED src=\"http://www.mysite.com/images/b1.swf\" quality=\"best\" bgcolor=#FFFFFF WIDTH=\"468\" HEIGHT=\"60\"\n"
            "NAME=\"TSLY-b1.swf\" ALIGN=\"\" TYPE=\"application/x-shockwave-flash\"\n"
            "PLUGINSPAGE=\"https://www.adobe.com/go/getflashplayer\">\n"
            "</EMBED>\n"
            "</OBJECT>");

  const std::vector<std::string> outlined = SnippetBlock(fields, {200, 200, 4});
  ASSERT_EQ(outlined.size(), 13u);
  EXPECT_EQ(outlined[6], " <PARAM NAME=wmode VALUE=transparent>");
  EXPECT_EQ(outlined[9], "WMODE=\"transparent\"");
}

TEST(SnippetDialog, AClickTagFieldPassesFlashVarsInTheCodeAndTheLocalPreview) {
  TSnippetFields fields{"http://www.mysite.com/images/", "/home/ann/b1.swf", 4, "https://ad.example/t?x=1&y=2"};
  TSnippetResult result = GenerateSnippet(fields, {468, 60, 0}, [] { return true; });
  ASSERT_TRUE(result.Code);
  EXPECT_EQ(*result.Code,
            "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"\n"
            "codebase=\"https://fpdownload.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=6,0,40,0\"\n"
            "WIDTH=\"468\" HEIGHT=\"60\" id=\"TSLY-b1.swf\">\n"
            "<PARAM NAME=movie VALUE=\"http://www.mysite.com/images/b1.swf\">\n"
            "<PARAM NAME=quality VALUE=\"high\"> \n"
            "<PARAM NAME=bgcolor VALUE=#FFFFFF>\n"
            "<PARAM NAME=FlashVars VALUE=\"clickTAG=https%3A%2F%2Fad.example%2Ft%3Fx%3D1%26y%3D2\">\n"
            "<EMBED src=\"http://www.mysite.com/images/b1.swf\" quality=\"high\" bgcolor=#FFFFFF WIDTH=\"468\" HEIGHT=\"60\"\n"
            "NAME=\"TSLY-b1.swf\" ALIGN=\"\" TYPE=\"application/x-shockwave-flash\"\n"
            "FlashVars=\"clickTAG=https%3A%2F%2Fad.example%2Ft%3Fx%3D1%26y%3D2\"\n"
            "PLUGINSPAGE=\"https://www.adobe.com/go/getflashplayer\">\n"
            "</EMBED>\n"
            "</OBJECT>");
  const std::vector<std::string> page = SnippetPreviewPageLines(*result.Code, fields, {468, 60, 0}, "/m/b1.swf");
  EXPECT_EQ(std::count(page.begin(), page.end(),
                       "<PARAM NAME=FlashVars VALUE=\"clickTAG=https%3A%2F%2Fad.example%2Ft%3Fx%3D1%26y%3D2\">"),
            2)
      << "the local copy and the web server's copy";
}

TEST(SnippetDialog, GenerateChecksTheFileFieldAndTheProgramsOwnLocation) {
  int asked = 0;
  auto decline = [&] { ++asked; return false; };
  auto accept = [&] { ++asked; return true; };

  TSnippetFields blank{"http://www.mysite.com/images", "", 4, {}};
  TSnippetResult result = GenerateSnippet(blank, {}, accept);
  EXPECT_EQ(result.Message, "The Image File Name cannot be blank.");
  EXPECT_EQ(result.Code, std::nullopt);
  EXPECT_EQ(asked, 0);

  TSnippetFields own{"HTTPS://WWW.Tessaly.Example/images", "b1.swf", 4, {}};
  EXPECT_TRUE(IsProgramWebLocation(own.Location));
  result = GenerateSnippet(own, {}, decline);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(result.Message, std::nullopt);
  EXPECT_EQ(result.Code, std::nullopt);
  result = GenerateSnippet(own, {}, accept);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(result.Code);

  result = GenerateSnippet({"http://www.mysite.com/images", "b1.swf", 4, {}}, {}, decline);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(result.Code);
}

TEST(SnippetDialog, CopyAndPreviewNeedGeneratedCode) {
  TTestFolder temp;
  TRecordingOpener opener;
  EXPECT_EQ(CheckCopySnippet(""), "执行复制粘贴操作之前必须先生成HTML代码.");
  EXPECT_EQ(CheckCopySnippet("<OBJECT"), std::nullopt);
  EXPECT_EQ(PreviewSnippet("", {}, {}, "/m.swf", temp.Path(), opener), "预览之前必须先生成HTML代码.");
  EXPECT_TRUE(opener.Opened.empty());
  EXPECT_FALSE(std::filesystem::exists(temp / "temp2.html"));
}

TEST(SnippetDialog, PreviewOfARelativeMovieAndWithoutXdgOpen) {
  TTestFolder temp;
  const TSnippetFields fields{"http://www.mysite.com/images/", "b1.swf", 4, {}};
  std::vector<std::string> lines;
  {
    TCurrentFolder here(temp.Path());
    lines = SnippetPreviewPageLines("<OBJECT>", fields, {}, "rel/m1.swf");
  }
  const std::string url = "file://" + (temp / "rel" / "m1.swf").string();
  ASSERT_GT(lines.size(), 16u);
  EXPECT_EQ(lines[15], "WIDTH=\"468\" HEIGHT=\"60\" id=\"TSLY-m1.swf\">");
  EXPECT_EQ(lines[16], "<PARAM NAME=movie VALUE=\"" + url + "\">");

  std::filesystem::create_directories(temp / "bin");
  TRecordingRunner runner;
  TXdgOpener opener(runner, (temp / "bin").string());
  const std::string page = (temp / "temp2.html").string();
  EXPECT_EQ(PreviewSnippet("<OBJECT>", fields, {}, "/m.swf", temp.Path(), opener),
            "无法启动浏览器 (找不到 xdg-open). 预览页面已保存在: " + page);
  EXPECT_TRUE(std::filesystem::exists(page));
  EXPECT_TRUE(runner.Started.empty());
}

TEST(SnippetDialog, PreviewPageWhole) {
  TTestFolder temp;
  TRecordingOpener opener;
  const TSnippetFields fields{"http://www.mysite.com/images/", "b1.swf", 5, {}};
  const std::string codeBox = "<OBJECT a>\n<PARAM b>\r\n</OBJECT>\n";
  ASSERT_EQ(PreviewSnippet(codeBox, fields, {468, 60, 0}, "/home/ann/My Banners/m1.swf", temp.Path(),
                           opener),
            std::nullopt);
  ASSERT_EQ(opener.Opened, std::vector<std::string>{(temp / "temp2.html").string()});

  const std::string local = "file:///home/ann/My%20Banners/m1.swf";
  const std::string expected =
      "<HTML>\r\n<HEAD>\r\n<meta charset=\"gbk\">\r\n</HEAD>\r\n<BODY>\r\n"
      "<CENTER><H2>Tessaly - Create HTML Code Preview</H2></CENTER>\r\n<BR>\r\n"
      "<HR>\r\n<BR>\r\n"
      "<B>\xB1\xBE\xB5\xD8\xCD\xBC\xCF\xF1</B><BR>\r\n"
      "\xD5\xE2\xCA\xC7\xD4\xDA\xB1\xBE\xBB\xFA\xC9\xCF\xD4\xA4\xC0\xC0" "Flash\xBA\xE1\xB7\xF9.\r\n<BR>\r\n"
      "<BR>\r\n"
      "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"\r\n"
      "codebase=\"https://fpdownload.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=6,0,40,0\"\r\n"
      "WIDTH=\"468\" HEIGHT=\"60\" id=\"TSLY-m1.swf\">\r\n"
      "<PARAM NAME=movie VALUE=\"" + local + "\">\r\n"
      "<PARAM NAME=quality VALUE=\"best\"> \r\n"
      "<PARAM NAME=bgcolor VALUE=#FFFFFF>\r\n"
      "<EMBED src=\"" + local + "\" quality=\"best\" bgcolor=#FFFFFF WIDTH=\"468\" HEIGHT=\"60\"\r\n"
      "NAME=\"TSLY-m1.swf\" ALIGN=\"\" TYPE=\"application/x-shockwave-flash\"\r\n"
      "PLUGINSPAGE=\"https://www.adobe.com/go/getflashplayer\">\r\n"
      "</EMBED>\r\n"
      "</OBJECT>\r\n"
      "\r\n<BR>\r\n"
      "<BR>\r\n"
      "If you do not see your flash image, the most likely explanations are that the local "
      "directory cannot be found (or was not entered) or the filename is incorrect.\r\n<BR>\r\n"
      "<HR>\r\n<BR>\r\n"
      "<B>Web Server Image</B>\r\n<BR>\r\n"
      "Here's the preview of the flash image on your web server.\r\n<BR>\r\n"
      "<BR>\r\n"
      "<OBJECT a>\r\n<PARAM b>\r\n</OBJECT>\r\n"
      "<BR>\r\n<BR>\r\n"
      "If you do not see your image, the most likely explanation is that the file has not been "
      "copied to your web server yet. If you have just created the image, you will not see your "
      "image until it is moved to your web server.\r\n<BR>\r\n"
      "<HR>\r\n</BODY>\r\n</HTML>\r\n";
  EXPECT_EQ(ReadBytes(temp / "temp2.html"), expected);
}

}  // namespace
}  // namespace tessaly::publish
