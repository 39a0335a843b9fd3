#include "project/ProjectWriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/SafeFile.h"

namespace tessaly::project {
namespace {

using document::ItemKind;
using document::TBackgroundType;
using document::TBannerDocument;
using document::TFlashObjects;

std::vector<std::string> Slice(const std::vector<std::string>& lines, size_t from, size_t to) {
  return {lines.begin() + static_cast<long>(from), lines.begin() + static_cast<long>(to)};
}

TBannerDocument SmallBanner() {
  TBannerDocument doc;
  doc.NewDocument({});
  doc.BannerSettings.URL = "http://a.b/";
  document::TTextDefaults text;
  text.FontName = "宋体";
  text.FontSize = 12;
  doc.AddTextItem("欢迎", text);
  return doc;
}

TEST(ProjectWriter, SmallBannerGivesTheseExactBytes) {
  const std::string expected =
      "<BWF>\r\n"
      "BWF Version 1.00\r\n"
      "FileName=/home/u/\xBA\xE1\xB7\xF9.swf\r\n"
      "Height=60\r\n"
      "Width=468\r\n"
      "URL=http://a.b/\r\n"
      "NewBrowserWindow=TRUE\r\n"
      "Compress=TRUE\r\n"
      "FlashVersion=6\r\n"
      "<BACKGROUND>\r\n"
      "BackgroundType = btColor\r\n"
      "BackgroundColor = clWhite\r\n"
      "BackgroundShape=0\r\n"
      "BorderColor=clBlack\r\n"
      "BorderWidth=0\r\n"
      "</BACKGROUND>\r\n"
      "<TEXT>\r\n"
      "ShadowAltitude=0\r\n"
      "ShadowAngle=0\r\n"
      "ShadowColor=\r\n"
      "Text=\xBB\xB6\xD3\xAD\r\n"
      "FontName=\xCB\xCE\xCC\xE5\r\n"
      "TextSize=12\r\n"
      "Bold=FALSE\r\n"
      "Italic=FALSE\r\n"
      "Strikeout=FALSE\r\n"
      "Underline=FALSE\r\n"
      "FontColor=clBlack\r\n"
      "FontTransparency=0\r\n"
      "FontCharSpacing=0\r\n"
      "FontX=234\r\n"
      "FontY=30\r\n"
      "</TEXT>\r\n"
      "<ANIMATION>\r\n"
      "AnimationType=0\r\n"
      "AnimationSpeed=10\r\n"
      "AnimationFirstFrame=0\r\n"
      "AnimationLoop=0\r\n"
      "AnimationLastFrame=0\r\n"
      "AnimateBackground=FALSE\r\n"
      "AnimateShapes=TRUE\r\n"
      "AnimateImages=TRUE\r\n"
      "AnimateText=TRUE\r\n"
      "</ANIMATION>\r\n"
      "</BWF>\r\n";
  EXPECT_EQ(ProjectFileBytes(ProjectLines(SmallBanner(), "/home/u/横幅.swf")), expected);
}

TEST(ProjectWriter, BackgroundBlockByType) {
  struct Case {
    TBackgroundType type;
    std::vector<std::string> block;
  };
  const Case cases[] = {
      {TBackgroundType::btColor,
       {"BackgroundType = btColor", "BackgroundColor = $00123456", "BackgroundShape=6",
        "BorderColor=clRed", "BorderWidth=3", "</BACKGROUND>"}},
      {TBackgroundType::btGradient,
       {"BackgroundType = btGradient", "BackgroundColor = ", "BackgroundImage = ",
        "<BACKGROUNDGRADIENT>", "StartColor=clYellow", "EndColor=$00030201", "GradientStyle=8",
        "</BACKGROUNDGRADIENT>", "BackgroundShape=6", "BorderColor=clRed", "BorderWidth=3",
        "</BACKGROUND>"}},
      {TBackgroundType::btImage,
       {"BackgroundType = btImage", "BackgroundColor = ", "BackgroundImage=/bg/sky 1.jpg",
        "BackgroundShape=6", "BorderColor=clRed", "BorderWidth=3", "</BACKGROUND>"}},
  };
  for (const Case& c : cases) {
    TBannerDocument doc;
    auto& s = doc.BannerSettings;
    s.BackgroundType = c.type;
    s.BackgroundColor = 0x123456;
    s.BackgroundGradientStart = 0x00FFFF;
    s.BackgroundGradientEnd = 0x030201;
    s.BackgroundGradientStyle = 8;
    s.BackgroundImage = "/bg/sky 1.jpg";
    s.BackgroundShape = 6;
    s.BorderColor = 0x0000FF;
    s.BorderWidth = 3;
    const std::vector<std::string> lines = ProjectLines(doc, "m.swf");
    ASSERT_EQ(lines.size(), 10 + c.block.size() + 12);
    EXPECT_EQ(lines[9], "<BACKGROUND>");
    EXPECT_EQ(Slice(lines, 10, 10 + c.block.size()), c.block);
  }
}

TEST(ProjectWriter, TargetChoiceLine) {
  TBannerDocument doc;
  doc.BannerSettings.TargetWindowName = "frame1";
  const char* expected[] = {"NewBrowserWindow=TRUE", "NewBrowserWindow=FALSE",
                            "NewBrowserWindow=frame1"};
  for (int choice = 0; choice < 3; ++choice) {
    doc.BannerSettings.TargetChoice = choice;
    EXPECT_EQ(ProjectLines(doc, "m.swf")[6], expected[choice]);
  }
  doc.BannerSettings.Compress = false;
  EXPECT_EQ(ProjectLines(doc, "m.swf")[7], "Compress=FALSE");
}

TEST(ProjectWriter, ClickTagLineOnlyWhenTheOptionIsOnBeforeTheEnd) {
  TBannerDocument doc;
  const std::vector<std::string> off = ProjectLines(doc, "m.swf");
  ASSERT_GE(off.size(), 2u);
  EXPECT_EQ(off[off.size() - 2], "</ANIMATION>");
  EXPECT_EQ(off.back(), "</BWF>");

  doc.BannerSettings.UseClickTag = true;
  std::vector<std::string> on = ProjectLines(doc, "m.swf");
  EXPECT_EQ(on.size(), off.size() + 1);
  EXPECT_EQ(on[on.size() - 3], "</ANIMATION>");
  EXPECT_EQ(on[on.size() - 2], "ClickTAG=TRUE");
  EXPECT_EQ(on.back(), "</BWF>");
  on.erase(on.end() - 2);
  EXPECT_EQ(on, off) << "nothing else changes";
}

TEST(ProjectWriter, ItemSectionsInTableOrderWithoutDeletedItemsOrBlankTexts) {
  TBannerDocument doc;
  doc.NewDocument({});
  doc.AddShapeItem({});
  doc.AddTextItem("gone", {});
  doc.DeleteCurrentItem();
  doc.AddTextItem("x", {});
  doc.ItemTable[3].Text = "  ";  // blanked after it was added
  doc.AddImageItem("/p/a.gif", {.Width = 20, .Height = 10});
  TFlashObjects& shape = doc.ItemTable[1];
  shape.ShapeType = document::stRing;
  shape.BorderColor = 0x0000FF;
  shape.BorderWidth = 2;
  shape.Color = 0xFF0000;
  shape.Transparency = 50;
  shape.FillImage = "/p/fill.bmp";
  shape.GradientStartColor = 0x111111;
  shape.GradientEndColor = 0x00FF00;
  shape.GradientStyle = 4;
  shape.FillType = 1;
  doc.ItemTable[4].Transparency = 7;
  doc.ItemTable[4].X = -3;
  doc.ItemTable[4].Y = 4;

  const std::vector<std::string> lines = ProjectLines(doc, "m.swf");
  const std::vector<std::string> expected = {
      "<SHAPE>", "ShapeType=Ring", "ShapeX=117", "ShapeY=15", "ShapeW=234", "ShapeH=30",
      "ShapeRadius=15", "ShapeInnerRadius=10", "ShapeOuterRadius=5", "ShapeStartAngle=180",
      "ShapeEndAngle=0", "ShapeNumberofPoints=5", "ShapeBorderColor=clRed",
      "ShapeBorderWidth=2", "ShapeColor=clBlue", "ShapeTransparency=50",
      "ShapeBackgroundImage=/p/fill.bmp", "ShapeGradientStartColor=$00111111",
      "ShapeGradientEndColor=clLime", "ShapeGradientStyle=4", "ShapeBackgroundType=Gradient",
      "</SHAPES>",
      "<IMAGE>", "ImageFileName=/p/a.gif", "ImageTransparency=7", "ImageX=-3", "ImageY=4",
      "ImageW=20", "ImageH=10", "</IMAGE>",
      "<ANIMATION>"};
  EXPECT_EQ(Slice(lines, 16, 16 + expected.size()), expected);
}

TEST(ProjectWriter, TextWithShadowWritesItsShadowLines) {
  TBannerDocument doc;
  doc.NewDocument({});
  document::TTextDefaults text;
  text.ShadowAltitude = 4;
  text.ShadowAngle = 7;
  text.ShadowColor = 0xC0C0C0;
  text.Style = 3;
  doc.AddTextItem("Sale", text);
  const std::vector<std::string> lines = ProjectLines(doc, "m.swf");
  EXPECT_EQ(Slice(lines, 17, 20), (std::vector<std::string>{"ShadowAltitude=4", "ShadowAngle=7",
                                                              "ShadowColor=clSilver"}));
  EXPECT_EQ(lines[23], "Bold=TRUE");
  EXPECT_EQ(lines[24], "Italic=TRUE");
}

TEST(ProjectWriter, LineBreaksInsideValuesBecomeBlanks) {
  TBannerDocument doc = SmallBanner();
  doc.BannerSettings.URL = "http://a.b/\r\nx";
  doc.ItemTable[1].Text = "two\nlines";
  const std::vector<std::string> lines = ProjectLines(doc, "m\r.swf");
  ASSERT_EQ(lines.size(), 45u);
  EXPECT_EQ(lines[2], "FileName=m .swf");
  EXPECT_EQ(lines[5], "URL=http://a.b/  x");
  EXPECT_EQ(lines[20], "Text=two lines");
}

TEST(ProjectWriter, ProjectPathTakesTheMovieNameWithBwfExtension) {
  EXPECT_EQ(ProjectPathFor("/p/", "/movies/ad.swf"), "/p/ad.BWF");
  EXPECT_EQ(ProjectPathFor("/p", "/movies/ad.v2.swf"), "/p/ad.v2.BWF");
  EXPECT_EQ(ProjectPathFor("/p/", "noext"), "/p/noext.BWF");
  EXPECT_EQ(ProjectPathFor("", "/m/a.swf"), "a.BWF");
}

class SaveProjectTest : public testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("tessaly-save-" + std::to_string(::getpid()) + "-" +
           testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
};

TEST_F(SaveProjectTest, ReplacesTheFileAndLeavesNoTemporaryFile) {
  const std::string target = (dir / "ad.BWF").string();
  { std::ofstream(target) << "old contents that are longer than nothing"; }
  ::chmod(target.c_str(), 0640);
  const TBannerDocument doc = SmallBanner();
  EXPECT_EQ(SaveProject(doc, dir.string() + "/", "/m/ad.swf"), target);
  EXPECT_EQ(platform::ReadWholeFile(target), ProjectFileBytes(ProjectLines(doc, "/m/ad.swf")));
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(SaveProjectTest, FailureNamesThePathAndTheReason) {
  const std::string missing = (dir / "no-such-folder").string() + "/";
  try {
    SaveProject(SmallBanner(), missing, "ad.swf");
    FAIL() << "no error";
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
    EXPECT_NE(std::string(error.what()).find(missing + "ad.BWF"), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("No such file or directory"), std::string::npos);
  }
  EXPECT_THROW(platform::ReadWholeFile(missing + "x"), std::system_error);
}

}  // namespace
}  // namespace tessaly::project
