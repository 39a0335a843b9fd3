#include "project/ProjectReader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "project/ProjectTestSupport.h"
#include "project/ProjectWriter.h"
#include "platform/SafeFile.h"

namespace tessaly::project {
namespace {

using document::ItemKind;
using document::TBackgroundType;
using document::TBannerDocument;
using document::TBannerSettings;
using document::TFlashObjects;

// Answers from a script and records what it was asked.
struct ScriptedHost : TProjectLoadHost {
  std::deque<bool> yesNo;           // answers in order; No when exhausted
  std::deque<std::string> pictures;  // dialog results in order; cancelled when exhausted
  std::string builtInDirectory;      // built-in list: every name, from this folder
  std::int32_t gifFrame = -1;
  std::vector<std::string> asked;
  std::vector<std::string> messages;
  std::vector<std::string> warnings;

  void Warn(const std::string& w) override { warnings.push_back(w); }
  bool AskYesNo(const std::string& q) override {
    asked.push_back(q);
    if (yesNo.empty()) return false;
    const bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
  }
  std::string ChoosePicture() override {
    if (pictures.empty()) return {};
    std::string p = pictures.front();
    pictures.pop_front();
    return p;
  }
  void ShowMessage(const std::string& m) override { messages.push_back(m); }
  std::string BuiltInBackground(const std::string& name) override {
    return builtInDirectory.empty() ? std::string() : builtInDirectory + name;
  }
  std::int32_t ChooseGifFrame(const std::string&) override { return gifFrame; }
};

class ProjectReaderTest : public testing::Test {
 protected:
  void SetUp() override {
    dir = (std::filesystem::temp_directory_path() /
           ("tessaly-read-" + std::to_string(::getpid()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name()))
              .string() +
          "/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    context.ShapeColor = 0x0000FF;
    context.KeepAspect = true;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::string MakeFile(const std::string& name, const std::string& bytes = "x") {
    const std::string path = dir + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // Writes the lines (UTF-8) as a project file and loads it into doc.
  TLoadResult LoadLines(const std::vector<std::string>& lines) {
    return LoadProject(doc, MakeFile("p.BWF", ProjectFileBytes(lines)), context, host);
  }

  std::string dir;
  TBannerDocument doc;
  TProjectReadContext context;
  ScriptedHost host;
};

// A header and colour background in the writer's layout, then body lines.
std::vector<std::string> ColourProject(const std::vector<std::string>& body) {
  std::vector<std::string> lines = {
      "<BWF>",          "BWF Version 1.00",
      "FileName=/m/a.swf", "Height=90",
      "Width=728",      "URL=http://x.y/",
      "NewBrowserWindow=TRUE", "Compress=TRUE",
      "FlashVersion=6", "<BACKGROUND>",
      "BackgroundType = btColor", "BackgroundColor = clRed",
      "BackgroundShape=2", "BorderColor=clBlue",
      "BorderWidth=4",  "</BACKGROUND>"};
  lines.insert(lines.end(), body.begin(), body.end());
  return lines;
}

std::vector<std::string> ShapeSection(const std::string& typeLine, const std::string& xLine) {
  return {"<SHAPE>", typeLine, xLine, "ShapeY=5", "ShapeW=6", "ShapeH=7", "ShapeRadius=8",
          "ShapeInnerRadius=9", "ShapeOuterRadius=10", "ShapeStartAngle=11", "ShapeEndAngle=12",
          "ShapeNumberofPoints=13", "ShapeBorderColor=clRed", "ShapeBorderWidth=14",
          "ShapeColor=clLime", "ShapeTransparency=15", "ShapeBackgroundImage=",
          "ShapeGradientStartColor=clBlack", "ShapeGradientEndColor=clWhite",
          "ShapeGradientStyle=2", "ShapeBackgroundType=Image", "</SHAPES>"};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The banner a reload must give back, stored fields only.
struct RoundTripCase {
  TBackgroundType background;
  std::int32_t targetChoice;
};

class RoundTripTest : public ProjectReaderTest,
                      public testing::WithParamInterface<RoundTripCase> {};

TEST_P(RoundTripTest, EveryStoredFieldComesBack) {
  const RoundTripCase param = GetParam();
  const std::string picture = MakeFile("photo.JPG");
  const std::string backgroundPicture = MakeFile("背景.bmp");

  TBannerDocument original;
  original.NewDocument({});
  TBannerSettings& s = original.BannerSettings;
  s.BannerWidth = 300;
  s.BannerHeight = 250;
  s.URL = "http://shop.example/折扣?a=1&b=2";
  s.TargetChoice = param.targetChoice;
  s.TargetWindowName = param.targetChoice == 2 ? "frame1" : "";
  s.Compress = false;
  s.FlashVersion = 5;
  s.UseClickTag = param.targetChoice != 0;
  s.BackgroundType = param.background;
  s.BackgroundColor = param.background == TBackgroundType::btColor ? 0x123456 : 0xFFFFFF;
  s.BackgroundGradientStart = 0x0A0B0C;
  s.BackgroundGradientEnd = 0x00FF00;
  s.BackgroundGradientStyle = 7;
  s.BackgroundImage = param.background == TBackgroundType::btImage ? backgroundPicture : "";
  s.BackgroundShape = 5;
  s.BorderColor = 0x808080;
  s.BorderWidth = 9;
  s.AnimationType = 17;
  s.AnimationSpeed = 3;
  s.AnimationLoop = 4;
  s.AnimationFirstFrame = 150;
  s.AnimationLastFrame = 350;
  s.AnimateBackground = true;
  s.AnimateShapes = false;
  s.AnimateImages = false;
  s.AnimateText = true;

  document::TShapeDefaults star;
  star.ShapeType = document::stStar;
  star.NumberOfPoints = 6;
  original.AddShapeItem(star);
  original.AddTextItem("deleted", {});
  original.DeleteCurrentItem();
  original.AddShapeItem({.ShapeType = document::stRoundRect});
  original.AddImageItem(picture, {.Width = 120, .Height = 80, .KeepAspect = false});
  original.AddTextItem("also deleted", {});
  original.DeleteCurrentItem();
  original.AddShapeItem({.ShapeType = document::stPie});
  document::TTextDefaults shadowed;
  shadowed.FontName = "宋体";
  shadowed.Style = 3;
  shadowed.FontSize = 36;
  shadowed.CharSpacing = -4;
  shadowed.Transparency = 20;
  shadowed.Color = 0x3366CC;
  shadowed.ShadowAltitude = 3;
  shadowed.ShadowColor = 0x0000FF;
  shadowed.ShadowAngle = 6;
  original.AddTextItem("大减价 Sale", shadowed);
  document::TTextDefaults plain;
  plain.FontName = "Liberation Sans";
  plain.Style = 1;
  plain.ShadowAltitude = 0;
  plain.ShadowColor = 0x112233;
  plain.ShadowAngle = 2;
  original.AddTextItem("plain", plain);

  auto& t = original.ItemTable;
  t[1].BorderColor = 0x0000FF;
  t[1].BorderWidth = 2;
  t[1].GradientStartColor = 0x010203;
  t[1].GradientEndColor = 0x040506;
  t[1].GradientStyle = 8;
  t[3].FillType = 1;
  t[3].GradientStartColor = 0xFFFF00;
  t[3].GradientEndColor = 0x000080;
  t[3].GradientStyle = 2;
  t[4].X = 11;
  t[4].Y = -12;
  t[4].Transparency = 33;
  t[6].FillType = 2;
  t[6].FillImage = dir + "fill.gif";
  t[6].StartAngle = 45;
  t[6].EndAngle = 300;
  t[8].X = 100;
  t[8].Y = 40;

  SaveProject(original, dir, "/movies/banner.swf");
  TBannerDocument loaded;
  loaded.ChangeMade = true;
  const TLoadResult result = LoadProject(loaded, dir + "banner.BWF", context, host);
  ASSERT_TRUE(result.Loaded);
  EXPECT_EQ(result.MovieFileName, "/movies/banner.swf");
  EXPECT_TRUE(host.asked.empty()) << "the Open command asks about unsaved changes";
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(loaded.ChangeMade);

  // Expected: the original's live items, renamed in order, with what the
  // file does not store recomputed or reset.
  const std::vector<TFlashObjects> expected = ReloadedItems(original, context);
  ASSERT_EQ(loaded.ItemTable.Count(), static_cast<int>(expected.size()));
  for (size_t k = 0; k < expected.size(); ++k)
    EXPECT_EQ(loaded.ItemTable[static_cast<int>(k + 1)], expected[k]) << "item " << k + 1;

  const TBannerSettings want = ReloadedSettings(s);  // a fresh document's values, then every stored field
  EXPECT_TRUE(loaded.BannerSettings == want);
  EXPECT_EQ(loaded.BannerSettings.TargetWindow(), s.TargetWindow());

  EXPECT_EQ(loaded.CurrentItemName, "but6");
  EXPECT_EQ(loaded.LastShapeItem, 4);
  EXPECT_EQ(loaded.LastImageItem, 3);
  EXPECT_EQ(loaded.LastTextItem, 6);
  EXPECT_TRUE(loaded.DeleteEnabled());
  EXPECT_FALSE(loaded.UndeleteEnabled());
}

INSTANTIATE_TEST_SUITE_P(BackgroundsAndTargets, RoundTripTest,
                         testing::Values(RoundTripCase{TBackgroundType::btColor, 0},
                                         RoundTripCase{TBackgroundType::btGradient, 1},
                                         RoundTripCase{TBackgroundType::btImage, 2}));

TEST_F(ProjectReaderTest, ShapeLinesAreComparedExactlyAndDefaultWhenNotNumbers) {
  ASSERT_TRUE(LoadLines(ColourProject(Join({
      ShapeSection("shapetype=rectangle", "ShapeX=abc"),
      ShapeSection("ShapeType=Ring", "ShapeX="),
      ShapeSection("ShapeType=Star ", "ShapeX=-8"),
      {"</BWF>"},
  }))).Loaded);
  ASSERT_EQ(doc.ItemTable.Count(), 3);
  EXPECT_EQ(doc.ItemTable[1].ShapeType, 0);
  EXPECT_EQ(doc.ItemTable[1].X, 30);
  EXPECT_EQ(doc.ItemTable[2].ShapeType, 6);
  EXPECT_EQ(doc.ItemTable[2].X, 30);
  EXPECT_EQ(doc.ItemTable[3].ShapeType, 0);  // trailing blank: no match
  EXPECT_EQ(doc.ItemTable[3].X, -8);
  EXPECT_EQ(doc.ItemTable[1].FillType, 2);
  EXPECT_EQ(doc.ItemTable[1].Color, 0x00FF00u);
  const auto& s = doc.BannerSettings;
  EXPECT_EQ(s.BannerWidth, 728);
  EXPECT_EQ(s.BannerHeight, 90);
  EXPECT_EQ(s.BackgroundColor, 0x0000FFu);
  EXPECT_EQ(s.BackgroundShape, 2);
  EXPECT_EQ(s.BorderColor, 0xFF0000u);
  EXPECT_EQ(s.BorderWidth, 4);
}

TEST_F(ProjectReaderTest, HeaderLinesAndTheirDefaults) {
  struct Case {
    std::string line6, line7;
    std::int32_t choice;
    std::string name;
    bool compress;
  };
  const Case cases[] = {
      {"NewBrowserWindow=TRUE", "Compress=TRUE", 0, "", true},
      {"NewBrowserWindow=FALSE", "Compress=FALSE", 1, "", false},
      {"NewBrowserWindow=frame1", "Compress=true", 2, "frame1", false},
      {"NewBrowserWindow=true", "Compress=TRUE ", 2, "true", false},
      {"", "", 2, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line6);
    std::vector<std::string> lines = ColourProject({"</BWF>"});
    lines[3] = "Height=tall";
    lines[4] = "Width=";
    lines[6] = c.line6;
    lines[7] = c.line7;
    lines[8] = "FlashVersion=x";
    ASSERT_TRUE(LoadLines(lines).Loaded);
    const auto& s = doc.BannerSettings;
    EXPECT_EQ(s.TargetChoice, c.choice);
    EXPECT_EQ(s.TargetWindowName, c.name);
    EXPECT_EQ(s.Compress, c.compress);
    EXPECT_EQ(s.BannerHeight, 60);
    EXPECT_EQ(s.BannerWidth, 468);
    EXPECT_EQ(s.FlashVersion, 6);
  }
}

TEST_F(ProjectReaderTest, TextSectionDefaultsAndBlankTexts) {
  const std::vector<std::string> blank = {
      "<TEXT>", "ShadowAltitude=1", "ShadowAngle=1", "ShadowColor=clRed", "Text=   ",
      "FontName=Arial", "TextSize=20", "Bold=TRUE", "Italic=TRUE", "Strikeout=FALSE",
      "Underline=FALSE", "FontColor=clRed", "FontTransparency=5", "FontCharSpacing=1",
      "FontX=1", "FontY=2", "</TEXT>"};
  const std::vector<std::string> sparse = {
      "<TEXT>", "ShadowAltitude=", "ShadowAngle=", "ShadowColor=", "Text= Hello ",
      "FontName=  Verdana ", "TextSize=", "Bold=true", "Italic=TRUE", "Strikeout=TRUE",
      "Underline=TRUE", "FontColor=", "FontTransparency=", "FontCharSpacing=", "FontX=",
      "FontY=", "</TEXT>"};
  ASSERT_TRUE(LoadLines(ColourProject(Join({blank, sparse, {"</BWF>"}}))).Loaded);
  ASSERT_EQ(doc.ItemTable.Count(), 1);
  const TFlashObjects& text = doc.ItemTable[1];
  EXPECT_EQ(text.Name, "but1");
  EXPECT_EQ(text.Text, "Hello");
  EXPECT_EQ(text.FontName, "Verdana");
  EXPECT_EQ(text.X, 30);
  EXPECT_EQ(text.Y, 30);
  EXPECT_EQ(text.FontSize, 14);
  EXPECT_EQ(text.CharSpacing, 30);
  EXPECT_EQ(text.Transparency, 0);
  EXPECT_EQ(text.ShadowAltitude, 0);
  EXPECT_EQ(text.ShadowAngle, 0);
  EXPECT_EQ(text.Color, 0u);
  EXPECT_EQ(text.ShadowColor, 0x808080u);
  EXPECT_FALSE(text.Bold);
  EXPECT_TRUE(text.Italic);
  EXPECT_FALSE(text.Strikeout);
  EXPECT_FALSE(text.Underline);
  EXPECT_EQ(doc.LastTextItem, 1);
}

TEST_F(ProjectReaderTest, ByteFieldsAreHeldToTheirControlRanges) {
  auto text = [](const std::string& size, const std::string& transparency) {
    return std::vector<std::string>{
        "<TEXT>", "", "", "", "Text=a", "", "TextSize=" + size, "", "", "", "", "",
        "FontTransparency=" + transparency, "", "", "", "</TEXT>"};
  };
  auto shape = ShapeSection("ShapeType=Pie", "ShapeX=0");
  shape[15] = "ShapeTransparency=-4";
  ASSERT_TRUE(LoadLines(ColourProject(Join({text("500", "300"), text("2", "100"), shape}))).Loaded);
  ASSERT_EQ(doc.ItemTable.Count(), 3);
  EXPECT_EQ(doc.ItemTable[1].FontSize, 120);
  EXPECT_EQ(doc.ItemTable[1].Transparency, 100);
  EXPECT_EQ(doc.ItemTable[2].FontSize, 6);
  EXPECT_EQ(doc.ItemTable[2].Transparency, 100);
  EXPECT_EQ(doc.ItemTable[3].Transparency, 0);
}

TEST_F(ProjectReaderTest, AnimationSectionDefaults) {
  ASSERT_TRUE(LoadLines(ColourProject({"<ANIMATION>", "AnimationType=", "AnimationSpeed=fast",
                                       "AnimationFirstFrame=", "AnimationLoop=", "",
                                       "AnimateBackground=false", "AnimateShapes=TRUE",
                                       "AnimateImages=yes", "", "</ANIMATION>", "</BWF>"}))
                  .Loaded);
  const auto& s = doc.BannerSettings;
  EXPECT_EQ(s.AnimationType, 1);
  EXPECT_EQ(s.AnimationSpeed, 10);
  EXPECT_EQ(s.AnimationFirstFrame, 0);
  EXPECT_EQ(s.AnimationLoop, 0);
  EXPECT_EQ(s.AnimationLastFrame, 0);
  EXPECT_TRUE(s.AnimateBackground);  // only exactly "AnimateBackground=FALSE" turns it off
  EXPECT_TRUE(s.AnimateShapes);
  EXPECT_FALSE(s.AnimateImages);
  EXPECT_FALSE(s.AnimateText);
}

TEST_F(ProjectReaderTest, ClickTagLineTurnsTheOptionOnWhereverTheScanPassesIt) {
  const std::vector<std::string> animation = {"<ANIMATION>",         "AnimationType=3",      "AnimationSpeed=4",
                                              "AnimationFirstFrame=0", "AnimationLoop=2",      "AnimationLastFrame=0",
                                              "AnimateBackground=FALSE", "AnimateShapes=TRUE", "AnimateImages=TRUE",
                                              "AnimateText=TRUE",    "</ANIMATION>"};
  struct Case {
    std::vector<std::string> body;
    bool on;
  };
  const Case cases[] = {
      {Join({animation, {"</BWF>"}}), false},
      {Join({animation, {"ClickTAG=TRUE", "</BWF>"}}), true},
      {Join({{"ClickTAG=TRUE"}, animation, {"</BWF>"}}), true},
      {Join({animation, {"ClickTAG=FALSE", "</BWF>"}}), false},
      {Join({animation, {"clicktag=true", "</BWF>"}}), false},
      {Join({animation, {"</BWF>", "ClickTAG=TRUE"}}), false},  // after the end
  };
  doc.BannerSettings.UseClickTag = true;  // the file decides, not the document before
  for (const Case& c : cases) {
    ASSERT_TRUE(LoadLines(ColourProject(c.body)).Loaded);
    EXPECT_EQ(doc.BannerSettings.UseClickTag, c.on) << c.body[c.body.size() - 2];
    // The line changes nothing else: the sections around it are read.
    EXPECT_EQ(doc.BannerSettings.AnimationType, 3);
    EXPECT_EQ(doc.BannerSettings.AnimationLoop, 2);
    EXPECT_TRUE(host.warnings.empty());
  }
}

TEST_F(ProjectReaderTest, MarkerTestAcceptsEitherEnd) {
  struct Case {
    std::vector<std::string> lines;
    bool loaded;
  };
  const Case cases[] = {
      {{" <BWF> ", "x"}, true},
      {{"x", "  </BWF>"}, true},
      {{"<BWF>"}, false},
      {{}, false},
      {{"<bwf>", "</bwf>"}, false},
      {{"hello", "world", "again"}, false},
  };
  for (const Case& c : cases) {
    doc = TBannerDocument{};
    doc.NewDocument({});
    doc.AddShapeItem({});
    host.messages.clear();
    EXPECT_EQ(LoadLines(c.lines).Loaded, c.loaded);
    if (c.loaded) {
      EXPECT_EQ(doc.ItemTable.Count(), 0);
      EXPECT_TRUE(host.messages.empty());
    } else {
      EXPECT_EQ(doc.ItemTable.Count(), 1);  // untouched
      EXPECT_EQ(host.messages, std::vector<std::string>{LoadFailedMessage});
    }
  }
}

TEST_F(ProjectReaderTest, FileWithoutClosingMarkerIsAcceptedAndScanStopsAtItsEnd) {
  std::vector<std::string> lines = ColourProject(ShapeSection("ShapeType=Pie", "ShapeX=1"));
  lines.push_back("<SHAPE>");  // a section cut short by the end of the file
  ASSERT_TRUE(LoadLines(lines).Loaded);
  ASSERT_EQ(doc.ItemTable.Count(), 2);
  EXPECT_EQ(doc.ItemTable[1].ShapeType, 5);
  const TFlashObjects& cut = doc.ItemTable[2];
  EXPECT_EQ(cut.ShapeType, 0);
  EXPECT_EQ(cut.X, 30);
  EXPECT_EQ(cut.StartAngle, 180);
  EXPECT_EQ(cut.NumberOfPoints, 5);
  EXPECT_EQ(cut.BorderColor, 0xFFFFFFu);
  EXPECT_EQ(cut.GradientStartColor, 0xFFFFFFu);
}

TEST_F(ProjectReaderTest, ShortFileLoadsWithDefaults) {
  const std::vector<std::string> cases[] = {
      {"<BWF>", "BWF Version 1.00"},
      {"<BWF>", "BWF Version 1.00", "FileName=a.swf", "Height=100", "Width=200", "URL=u",
       "NewBrowserWindow=TRUE", "Compress=TRUE", "FlashVersion=7", "<BACKGROUND>",
       "BackgroundType = btGradient"},
  };
  for (const auto& lines : cases) {
    doc = TBannerDocument{};
    ASSERT_TRUE(LoadLines(lines).Loaded);
    EXPECT_EQ(doc.ItemTable.Count(), 0);
  }
  const auto& s = doc.BannerSettings;
  EXPECT_EQ(s.BannerHeight, 100);
  EXPECT_EQ(s.FlashVersion, 7);
  EXPECT_EQ(s.BackgroundType, TBackgroundType::btGradient);
  EXPECT_EQ(s.BackgroundGradientStart, 0xFFFFFFu);
  EXPECT_EQ(s.BackgroundGradientEnd, 0u);
  EXPECT_EQ(s.BackgroundGradientStyle, 0);
  EXPECT_EQ(s.BorderWidth, 0);
}

TEST_F(ProjectReaderTest, ColourBackgroundWithoutAValidColourIsWhite) {
  std::vector<std::string> lines = ColourProject({"</BWF>"});
  for (const char* value : {"BackgroundColor = ", "BackgroundColor = pink"}) {
    lines[11] = value;
    ASSERT_TRUE(LoadLines(lines).Loaded);
    EXPECT_EQ(doc.BannerSettings.BackgroundColor, 0xFFFFFFu);
  }
}

std::vector<std::string> ImageSection(const std::string& path) {
  return {"<IMAGE>", "ImageFileName=" + path, "ImageTransparency=", "ImageX=5", "ImageY=6",
          "ImageW=90", "ImageH=30", "</IMAGE>"};
}

TEST_F(ProjectReaderTest, MissingPictureAnsweredNoIsDroppedAndLaterSectionsLoad) {
  const std::string gif = MakeFile("anim.gif");
  host.gifFrame = 4;
  ASSERT_TRUE(LoadLines(ColourProject(Join({
      ImageSection(dir + "moved.jpg"),
      ShapeSection("ShapeType=Star", "ShapeX=1"),
      ImageSection(gif),
      {"<ANIMATION>", "AnimationType=12"},
  }))).Loaded);
  EXPECT_EQ(host.asked,
            std::vector<std::string>{"指定文件 " + dir + "moved.jpg 不存在.你想要查找它吗?"});
  ASSERT_EQ(doc.ItemTable.Count(), 2);
  EXPECT_EQ(doc.ItemTable[1].Kind, ItemKind::ikShape);
  EXPECT_EQ(doc.ItemTable[1].Name, "but1");
  const TFlashObjects& picture = doc.ItemTable[2];
  EXPECT_EQ(picture.Kind, ItemKind::ikImage);
  EXPECT_EQ(picture.Name, "but2");
  EXPECT_EQ(picture.ImageFileName, gif);
  EXPECT_EQ(picture.ImageType, 1);
  EXPECT_EQ(picture.GifFrame, 4);
  EXPECT_EQ(picture.Transparency, 0);
  EXPECT_DOUBLE_EQ(picture.AspectRatio, 3.0);
  EXPECT_EQ(doc.BannerSettings.AnimationType, 12);
  EXPECT_EQ(doc.LastImageItem, 2);
  EXPECT_EQ(doc.CurrentItemName, "but2");
}

TEST_F(ProjectReaderTest, MissingPictureCanBeReplaced) {
  const std::string found = MakeFile("found.png");
  host.yesNo = {true, true, true};
  host.pictures = {found, dir + "still-missing.bmp"};  // the third dialog is cancelled
  ASSERT_TRUE(LoadLines(ColourProject(Join({ImageSection("/gone/a.bmp"),
                                            ImageSection("/gone/b.bmp"),
                                            ImageSection("/gone/c.bmp"), {"</BWF>"}})))
                  .Loaded);
  ASSERT_EQ(doc.ItemTable.Count(), 1);
  EXPECT_EQ(doc.ItemTable[1].ImageFileName, found);
  EXPECT_EQ(doc.ItemTable[1].ImageType, 4);
  EXPECT_EQ(doc.ItemTable[1].GifFrame, -1);
  EXPECT_EQ(host.messages, std::vector<std::string>{FileNotFoundMessage});
}

std::vector<std::string> ImageBackgroundProject(const std::string& picture) {
  return {"<BWF>", "BWF Version 1.00", "FileName=", "Height=60", "Width=468", "URL=",
          "NewBrowserWindow=TRUE", "Compress=TRUE", "FlashVersion=6", "<BACKGROUND>",
          "BackgroundType = btImage", "BackgroundColor = ", "BackgroundImage=" + picture,
          "BackgroundShape=", "BorderColor=", "BorderWidth=", "</BACKGROUND>", "</BWF>"};
}

TEST_F(ProjectReaderTest, BackgroundPictureResolution) {
  const std::string existing = MakeFile("sky.jpg");
  const std::string replacement = MakeFile("sea.jpg");
  struct Case {
    std::string stored;
    std::string builtInDirectory;
    std::deque<bool> yesNo;
    std::deque<std::string> pictures;
    TBackgroundType type;
    std::string image;
    size_t questions;
  };
  const Case cases[] = {
      {existing, "", {}, {}, TBackgroundType::btImage, existing, 0},
      {"C:\\Tessaly\\backgrounds\\clouds.gif", "/opt/bg/", {}, {},
       TBackgroundType::btImage, "/opt/bg/clouds.gif", 0},
      {"/lost/sky.jpg", "", {true}, {replacement}, TBackgroundType::btImage, replacement, 1},
      {"/lost/sky.jpg", "", {false}, {}, TBackgroundType::btColor, "/lost/sky.jpg", 1},
      {"/lost/sky.jpg", "", {true}, {"/lost/other.jpg"}, TBackgroundType::btColor,
       "/lost/sky.jpg", 1},
      {"", "", {}, {}, TBackgroundType::btColor, "", 0},
      {"没有设置背景", "", {}, {}, TBackgroundType::btColor, "没有设置背景", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    host.asked.clear();
    host.builtInDirectory = c.builtInDirectory;
    host.yesNo = c.yesNo;
    host.pictures = c.pictures;
    ASSERT_TRUE(LoadLines(ImageBackgroundProject(c.stored)).Loaded);
    const auto& s = doc.BannerSettings;
    EXPECT_EQ(s.BackgroundType, c.type);
    EXPECT_EQ(s.BackgroundImage, c.image);
    EXPECT_EQ(s.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(s.BorderColor, 0xFFFFFFu);
    EXPECT_EQ(host.asked.size(), c.questions);
  }
}

TEST_F(ProjectReaderTest, FileIsTestedBeforeTheLoadAndTheLoadAsksNothing) {
  // The Open command: read and test the file, ask about unsaved changes,
  // then load. Neither step asks anything itself.
  doc.NewDocument({});
  doc.AddShapeItem({});
  ASSERT_TRUE(doc.ChangeMade);
  EXPECT_FALSE(ReadProjectFile(MakeFile("no.BWF", "hello\r\nworld\r\n")));
  EXPECT_FALSE(ParseProjectFile("<BWF>"));
  EXPECT_EQ(doc.ItemTable.Count(), 1);

  const std::optional<TProjectFile> file = ReadProjectFile(MakeFile("p.BWF", ProjectFileBytes(ColourProject({"</BWF>"}))));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Lines.size(), 17u);
  EXPECT_TRUE(LoadProject(doc, *file, context, host).Loaded);
  EXPECT_EQ(doc.ItemTable.Count(), 0);
  EXPECT_FALSE(doc.ChangeMade);
  EXPECT_TRUE(host.asked.empty());
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ProjectReaderTest, FlashVersionOutsideTheSaveTabsRangeIsTakenAsSixWithAWarning) {
  struct Case {
    const char* line;
    std::int32_t version;
    bool warned;
  };
  const Case cases[] = {
      {"FlashVersion=4", 4, false},   {"FlashVersion=7", 7, false},   {"FlashVersion=x", 6, false},
      {"FlashVersion=3", 6, true},    {"FlashVersion=8", 6, true},    {"FlashVersion=300", 6, true},
      {"FlashVersion=-1", 6, true},   {"FlashVersion=$FF", 6, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::string> lines = ColourProject({"</BWF>"});
    lines[8] = c.line;
    host.warnings.clear();
    ASSERT_TRUE(LoadLines(lines).Loaded);
    EXPECT_EQ(doc.BannerSettings.FlashVersion, c.version);
    EXPECT_EQ(host.warnings.size(), c.warned ? 1u : 0u);
  }
  EXPECT_EQ(host.warnings, std::vector<std::string>{"Flash 版本 255 无效, 使用版本 6."});
}

TEST_F(ProjectReaderTest, SystemColourNamesAreReadAsSystemColours) {
  std::vector<std::string> lines = ColourProject({"</BWF>"});
  lines[11] = "BackgroundColor = clBtnFace";
  lines[13] = "BorderColor=clwindowtext";
  ASSERT_TRUE(LoadLines(lines).Loaded);
  EXPECT_EQ(doc.BannerSettings.BackgroundColor, 0xFF00000Fu);
  EXPECT_EQ(doc.BannerSettings.BorderColor, 0xFF000008u);
}

TEST_F(ProjectReaderTest, LoadSaysWhichColourTheBackgroundChooserShows) {
  std::vector<std::string> colour = ColourProject({"</BWF>"});
  const std::vector<std::string> gradient = {
      "<BWF>", "BWF Version 1.00", "FileName=a.swf", "Height=60", "Width=468", "URL=u",
      "NewBrowserWindow=TRUE", "Compress=TRUE", "FlashVersion=6", "<BACKGROUND>",
      "BackgroundType = btGradient", "BackgroundColor = ", "BackgroundImage = ", "<BACKGROUNDGRADIENT>",
      "StartColor=clYellow", "EndColor=clNavy", "GradientStyle=3", "</BACKGROUNDGRADIENT>",
      "BackgroundShape=0", "BorderColor=clBlack", "BorderWidth=0", "</BACKGROUND>", "</BWF>"};
  EXPECT_EQ(LoadLines(gradient).BackgroundChooserColor, 0x00FFFFu) << "the gradient's first colour";
  EXPECT_EQ(LoadLines(colour).BackgroundChooserColor, 0x0000FFu) << "the background colour";
}

TEST_F(ProjectReaderTest, ItemsBeyondTheTableAreDroppedWithOneMessage) {
  std::vector<std::vector<std::string>> sections;
  std::vector<std::string> body;
  for (int i = 0; i < 101; ++i) {
    const auto shape = ShapeSection("ShapeType=Ellipse", "ShapeX=" + std::to_string(i));
    body.insert(body.end(), shape.begin(), shape.end());
  }
  body.push_back("<ANIMATION>");
  body.push_back("AnimationType=9");
  ASSERT_TRUE(LoadLines(ColourProject(body)).Loaded);
  EXPECT_EQ(doc.ItemTable.Count(), 99);
  EXPECT_EQ(doc.ItemTable[99].X, 98);
  EXPECT_EQ(host.messages, std::vector<std::string>{std::string(document::TooManyItemsMessage)});
  EXPECT_EQ(doc.BannerSettings.AnimationType, 9);
}

TEST_F(ProjectReaderTest, LinesEndInCrLfLfOrCrAndTextIsCodePage936) {
  const std::string bytes =
      "<BWF>\r\nBWF Version 1.00\nFileName=\xBA\xE1\xB7\xF9.swf\rHeight=61\r\n\r\n\r\n\r\n"
      "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n<TEXT>\r\n\r\n\r\n\r\nText=\xBB\xB6\xD3\xAD\r\n";
  const TLoadResult result = LoadProject(doc, MakeFile("p.BWF", bytes), context, host);
  ASSERT_TRUE(result.Loaded);
  EXPECT_EQ(result.MovieFileName, "横幅.swf");
  EXPECT_EQ(doc.BannerSettings.BannerHeight, 61);
  ASSERT_EQ(doc.ItemTable.Count(), 1);
  EXPECT_EQ(doc.ItemTable[1].Text, "欢迎");
}

TEST_F(ProjectReaderTest, FoldersAndHugeFilesAreNoProjects) {
  const std::string huge = MakeFile("huge.BWF", "<BWF>\r\nBWF Version 1.00\r\n");
  std::filesystem::resize_file(huge, MaxProjectFileSize + 1);
  const std::string within = MakeFile("within.BWF", "<BWF>\r\nBWF Version 1.00\r\n");
  std::filesystem::resize_file(within, 4096);
  doc.AddShapeItem({});
  for (const std::string& path : {dir, huge}) {
    host.messages.clear();
    EXPECT_FALSE(LoadProject(doc, path, context, host).Loaded) << path;
    EXPECT_EQ(host.messages, std::vector<std::string>{LoadFailedMessage});
    EXPECT_EQ(doc.ItemTable.Count(), 1);
  }
  host.messages.clear();
  EXPECT_TRUE(LoadProject(doc, within, context, host).Loaded);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ProjectReaderTest, UnreadableFileThrows) {
  EXPECT_THROW(LoadProject(doc, dir + "none.BWF", context, host), std::system_error);
}

TEST(WarningLoadHost, AnswersNoAndWarns) {
  std::ostringstream warnings;
  TWarningLoadHost host(warnings);
  host.Warn("Flash 版本 9 无效, 使用版本 6.");
  EXPECT_FALSE(host.AskYesNo(MissingFileQuestion("a.gif")));
  EXPECT_EQ(host.ChoosePicture(), "");
  host.ShowMessage(FileNotFoundMessage);
  EXPECT_EQ(host.BuiltInBackground("a.gif"), "");
  EXPECT_EQ(host.ChooseGifFrame("a.gif"), -1);
  EXPECT_EQ(warnings.str(),
            "warning: Flash 版本 9 无效, 使用版本 6.\n"
            "warning: 指定文件 a.gif 不存在.你想要查找它吗? No\n"
            "warning: 指定的文件不存在.\n");
}

}  // namespace
}  // namespace tessaly::project
