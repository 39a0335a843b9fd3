#include "shell/Settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QStringList>
#include <filesystem>
#include <functional>
#include <fstream>

#include "document/BannerDocument.h"
#include "platform/ProgramFolder.h"

namespace tessaly::shell {
namespace {

class SettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    dir = (std::filesystem::temp_directory_path() /
           ("tessaly-settings-" + std::to_string(::getpid()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name()))
              .string() +
          "/";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    folders = {dir + "program/", dir + "docs/Tessaly/", dir + "state/"};
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // An INI store holding exactly the given text.
  std::unique_ptr<QSettings> Store(const std::string& ini) {
    const std::string path = dir + "prefs.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << ini;
    return std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
  }

  std::string dir;
  TSettingsFolders folders;
};

TEST_F(SettingsTest, FirstStartWritesTheDefaultsInTheUsersConfigFolder) {
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(dir));
  const std::unique_ptr<QSettings> store = OpenSettings();
  EXPECT_EQ(store->fileName().toStdString(), dir + "Tessaly/Tessaly 1.ini");

  const TPreferences p = LoadSettings(*store, folders);
  EXPECT_EQ(p.BannerWidth, 468);
  EXPECT_EQ(p.BannerHeight, 60);
  EXPECT_EQ(p.FontSize, 12);
  EXPECT_EQ(p.SaveDirectory, folders.UserFiles);
  EXPECT_EQ(p.BwfDirectory, folders.UserFiles);
  EXPECT_EQ(p.ImageDirectory, folders.Program + "images/");
  EXPECT_EQ(p.BackgroundDirectory, folders.Program + "backgrounds/");
  EXPECT_EQ(p.TextureDirectory, folders.Program + "textures/");
  EXPECT_TRUE(p.ShowFontStyle);
  EXPECT_TRUE(p.PreviewUseImage);
  EXPECT_EQ(p.PreviewPanelImage, folders.Program + "previewflash1.bmp");
  EXPECT_EQ(p.PreviewPanelColor, 0xFF0000u);
  EXPECT_EQ(p.DefaultWebSite, document::ProgramWebPage);
  EXPECT_EQ(p.DefaultWebImageDirectory, "images");
  EXPECT_TRUE(std::filesystem::is_directory(folders.UserFiles));

  QSettings reopened(QSettings::IniFormat, QSettings::UserScope, "Tessaly", "Tessaly 1");
  QStringList keys = reopened.allKeys();
  keys.sort();
  EXPECT_EQ(keys.join(",").toStdString(),
            "BackgroundDirectory,BannerHeight,BannerWidth,BwfDirectory,DefaultWebImageDirectory,"
            "DefaultWebSite,FontSize,ImageDirectory,MinorVersion,PreviewPanelColor,"
            "PreviewPanelImage,PreviewUseImage,SaveDirectory,ShowFontStyle,Version");
  EXPECT_EQ(reopened.value("Version").toString(), "1.00");
  EXPECT_EQ(reopened.value("MinorVersion").toString(), "1.0.0");
  EXPECT_EQ(reopened.value("PreviewPanelColor").toString(), "16711680");
  EXPECT_EQ(reopened.value("BannerWidth").toString(), "468");
}

TEST_F(SettingsTest, ReadingRulesForMissingAndOddValues) {
  const std::string textures = dir + "tex/";
  std::filesystem::create_directories(textures);
  struct Expect {
    std::string ini;
    std::function<void(const TPreferences&)> check;
  };
  const Expect cases[] = {
      {"[General]\nVersion=1.00\n",
       [&](const TPreferences& p) {
         EXPECT_EQ(p.BannerHeight, 60);
         EXPECT_EQ(p.BannerWidth, 468);
         EXPECT_EQ(p.FontSize, 12);
         EXPECT_TRUE(p.ShowFontStyle);
         EXPECT_EQ(p.BwfDirectory, folders.UserFiles);
         EXPECT_EQ(p.SaveDirectory, folders.UserFiles);
         EXPECT_EQ(p.TextureDirectory, folders.Program + "textures/");
         EXPECT_EQ(p.PreviewPanelImage, folders.Program + "preview6.bmp");
         EXPECT_EQ(p.PreviewPanelColor, 0xFF0000u);
         EXPECT_TRUE(p.PreviewUseImage);
         EXPECT_EQ(p.DefaultWebSite, document::ProgramWebPage);
         EXPECT_EQ(p.DefaultWebImageDirectory, "images");
       }},
      {"[General]\nPreviewPanelImage=/old/preview4.bmp\nTextureDirectory=" + textures + "\n",
       [&](const TPreferences& p) {
         EXPECT_EQ(p.PreviewPanelImage, folders.Program + "preview6.bmp");
         EXPECT_EQ(p.TextureDirectory, textures);
       }},
      {"[General]\nPreviewPanelImage=/x/preview5.bmp.bak\nTextureDirectory=/no/such/dir/\n",
       [&](const TPreferences& p) {
         EXPECT_EQ(p.PreviewPanelImage, folders.Program + "preview6.bmp");
         EXPECT_EQ(p.TextureDirectory, folders.Program + "textures/");
       }},
      {"[General]\nPreviewPanelImage=/mine/panel.bmp\nBwfDirectory=/p/\nSaveDirectory=/s/\n"
       "DefaultWebSite=http://me.example/\nDefaultWebImageDirectory=pics\n",
       [&](const TPreferences& p) {
         EXPECT_EQ(p.PreviewPanelImage, "/mine/panel.bmp");
         EXPECT_EQ(p.BwfDirectory, "/p/");
         EXPECT_EQ(p.SaveDirectory, "/s/");
         EXPECT_EQ(p.DefaultWebSite, "http://me.example/");
         EXPECT_EQ(p.DefaultWebImageDirectory, "pics");
       }},
      {"[General]\nBannerHeight=abc\nBannerWidth=99999999999\nFontSize=1, 2\n"
       "ShowFontStyle=maybe\nPreviewUseImage=0\nPreviewPanelColor=blue\n"
       "DefaultWebImageDirectory=a, b\n",
       [&](const TPreferences& p) {
         EXPECT_EQ(p.BannerHeight, 60);
         EXPECT_EQ(p.BannerWidth, 468);
         EXPECT_EQ(p.FontSize, 12);
         EXPECT_TRUE(p.ShowFontStyle);
         EXPECT_FALSE(p.PreviewUseImage);
         EXPECT_EQ(p.PreviewPanelColor, 0xFF0000u);
         EXPECT_EQ(p.DefaultWebImageDirectory, "images");
       }},
      {"[General]\nBannerHeight=90\nBannerWidth=728\nFontSize=20\nShowFontStyle=false\n"
       "PreviewUseImage=true\nPreviewPanelColor=255\n",
       [&](const TPreferences& p) {
         EXPECT_EQ(p.BannerHeight, 90);
         EXPECT_EQ(p.BannerWidth, 728);
         EXPECT_EQ(p.FontSize, 20);
         EXPECT_FALSE(p.ShowFontStyle);
         EXPECT_TRUE(p.PreviewUseImage);
         EXPECT_EQ(p.PreviewPanelColor, 255u);
       }},
  };
  for (const Expect& c : cases) {
    SCOPED_TRACE(c.ini);
    const std::unique_ptr<QSettings> store = Store(c.ini);
    const QStringList before = store->allKeys();
    c.check(LoadSettings(*store, folders));
    EXPECT_EQ(store->allKeys(), before);  // not a first start: nothing written
  }
}

TEST_F(SettingsTest, SaveSettingsWritesEveryValueInItsOrder) {
  TPreferences p;
  p.BannerHeight = 90;
  p.BannerWidth = 728;
  p.FontSize = 16;
  p.SaveDirectory = "/s/";
  p.BwfDirectory = "/b/";
  p.ImageDirectory = "/i/";
  p.BackgroundDirectory = "/g/";
  p.TextureDirectory = dir;
  p.ShowFontStyle = false;
  p.PreviewUseImage = false;
  p.PreviewPanelImage = "/p.bmp";
  p.PreviewPanelColor = 0x00FF00;
  p.DefaultWebSite = "http://w.example/";
  p.DefaultWebImageDirectory = "img";

  QStringList order;
  for (const auto& [key, value] : SavedValues(p)) order << key;
  EXPECT_EQ(order.join(",").toStdString(),
            "BannerHeight,BannerWidth,FontSize,SaveDirectory,BwfDirectory,ImageDirectory,"
            "BackgroundDirectory,TextureDirectory,ShowFontStyle,FileFormat,Version,"
            "PreviewUseImage,PreviewPanelImage,PreviewPanelColor,DefaultWebSite,"
            "DefaultWebImageDirectory,MinorVersion");

  const std::unique_ptr<QSettings> store = Store("");
  SaveSettings(*store, p);
  QSettings reread(store->fileName(), QSettings::IniFormat);
  EXPECT_EQ(reread.value("FileFormat").toString(), "0");
  EXPECT_EQ(reread.value("Version").toString(), "1.00");
  EXPECT_EQ(reread.value("MinorVersion").toString(), "1.0.0");
  const TPreferences back = LoadSettings(reread, folders);
  EXPECT_EQ(back.BannerHeight, 90);
  EXPECT_EQ(back.BannerWidth, 728);
  EXPECT_EQ(back.FontSize, 16);
  EXPECT_EQ(back.SaveDirectory, "/s/");
  EXPECT_EQ(back.BwfDirectory, "/b/");
  EXPECT_EQ(back.ImageDirectory, "/i/");
  EXPECT_EQ(back.BackgroundDirectory, "/g/");
  EXPECT_EQ(back.TextureDirectory, dir);
  EXPECT_FALSE(back.ShowFontStyle);
  EXPECT_FALSE(back.PreviewUseImage);
  EXPECT_EQ(back.PreviewPanelImage, "/p.bmp");
  EXPECT_EQ(back.PreviewPanelColor, 0x00FF00u);
  EXPECT_EQ(back.DefaultWebSite, "http://w.example/");
  EXPECT_EQ(back.DefaultWebImageDirectory, "img");
}

TEST_F(SettingsTest, SaveFailureNamesTheFile) {
  std::ofstream(dir + "file") << "x";
  QSettings store(QString::fromStdString(dir + "file/prefs.ini"), QSettings::IniFormat);
  try {
    SaveSettings(store, TPreferences{});
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(dir + "file/prefs.ini"), std::string::npos);
  }
}

TEST_F(SettingsTest, MissingBackgroundFolderFallsBackToTheProgramsForThisRun) {
  const std::string mine = dir + "my-backgrounds/";
  const std::string programs = folders.Program + "backgrounds/";
  struct Case {
    std::string set;
    bool mineExists, programsExists;
    std::string folder;  // BackgroundDirectory afterwards
    bool told;           // the user is told, naming the folder that was set
  };
  const Case cases[] = {
      {mine, true, true, mine, false},
      {mine, true, false, mine, false},
      {mine, false, true, programs, false},
      {mine, false, false, programs, true},
      {"", false, false, programs, true},
      {dir + "prefs.ini", false, true, programs, false},  // a file is no folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set + " " + std::to_string(c.mineExists) + std::to_string(c.programsExists));
    std::filesystem::remove_all(mine);
    std::filesystem::remove_all(programs);
    if (c.mineExists) std::filesystem::create_directories(mine);
    if (c.programsExists) std::filesystem::create_directories(programs);
    const std::unique_ptr<QSettings> store = Store("[General]\nBackgroundDirectory=" + c.set + "\n");
    TPreferences p = LoadSettings(*store, folders);
    ASSERT_EQ(p.BackgroundDirectory, c.set);
    const std::optional<std::string> message = CheckBackgroundDirectory(p, folders);
    EXPECT_EQ(p.BackgroundDirectory, c.folder);
    EXPECT_EQ(message.has_value(), c.told);
    if (message) {
      EXPECT_EQ(*message, "没有找到指定的背景文件夹 ' " + c.set +
                              "' 请重新设置正确目录.  请按照以下步骤来设置新的目录: 选项 -> 参数设置 -> 文件夹 标签");
    }
    EXPECT_EQ(store->value("BackgroundDirectory").toString().toStdString(), c.set) << "only for this run";
  }
}

TEST(Settings, FoldersGetATrailingSeparator) {
  TPreferences p;
  p.SaveDirectory = "/a/b";
  p.BwfDirectory = "/a/b/";
  p.ImageDirectory = "rel";
  p.BackgroundDirectory = "";
  p.TextureDirectory = "/t";
  AddTrailingSeparators(p);
  EXPECT_EQ(p.SaveDirectory, "/a/b/");
  EXPECT_EQ(p.BwfDirectory, "/a/b/");
  EXPECT_EQ(p.ImageDirectory, "rel/");
  EXPECT_EQ(p.BackgroundDirectory, "");
  EXPECT_EQ(p.TextureDirectory, "/t/");
}

TEST(Settings, ProgramFolderIsTheExecutablesFolder) {
  const std::string folder = platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(folder + "test_shell_settings"));
  const TSettingsFolders defaults = DefaultFolders();
  EXPECT_EQ(defaults.Program, folder);
  EXPECT_TRUE(defaults.UserFiles.ends_with("/Tessaly/"));
}

}  // namespace
}  // namespace tessaly::shell
