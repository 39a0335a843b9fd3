#include "shell/core/OptionsCommand.h"

#include <gtest/gtest.h>

#include "publish/AnsiLines.h"
#include "publish/TestSupport.h"

namespace tessaly::shell {
namespace {

using publish::TTestFolder;

TEST(OptionsCommand, FontSizeFieldFallsBackTo12) {
  const std::pair<std::string, int> cases[] = {
      {"14", 14}, {" 9 ", 9}, {"255", 255}, {"", 12}, {"abc", 12},
      {"0", 12},  {"-3", 12}, {"256", 12},  {"10pt", 12},
  };
  for (const auto& [text, size] : cases) EXPECT_EQ(FontSizeField(text), size) << text;
}

TEST(OptionsCommand, ConfirmStoresWithSeparatorsAndKeepsTheChosenColour) {
  TTestFolder temp;
  QSettings store(QString::fromStdString((temp / "t.ini").string()), QSettings::IniFormat);
  TPreferences preferences;
  preferences.PreviewPanelColor = 0x00FF00;  // chosen while the dialog was open
  TPreferences edited = preferences;
  edited.PreviewPanelColor = 0x123456;
  edited.BannerWidth = 728;
  edited.BannerHeight = 90;
  edited.SaveDirectory = "/home/ann/movies";
  edited.BwfDirectory = "/home/ann/bwf/";
  edited.ImageDirectory = "/pics";
  edited.BackgroundDirectory = "/bg";
  edited.TextureDirectory = "/tex";
  edited.DefaultWebSite = "http://www.mysite.com/";
  publish::TFtpSiteTable sites;
  sites[0] = {"ftp.a.com", "ann", "pw", "21", "www"};

  ConfirmOptions(preferences, edited, sites, store, temp / "cfg" / "ftpsites.txt");

  EXPECT_EQ(preferences.BannerWidth, 728);
  EXPECT_EQ(preferences.BannerHeight, 90);
  EXPECT_EQ(preferences.SaveDirectory, "/home/ann/movies/");
  EXPECT_EQ(preferences.BwfDirectory, "/home/ann/bwf/");
  EXPECT_EQ(preferences.ImageDirectory, "/pics/");
  EXPECT_EQ(preferences.BackgroundDirectory, "/bg/");
  EXPECT_EQ(preferences.TextureDirectory, "/tex/");
  EXPECT_EQ(preferences.PreviewPanelColor, 0x00FF00u);
  EXPECT_EQ(store.value("BannerWidth").toInt(), 728);
  EXPECT_EQ(store.value("SaveDirectory").toString(), "/home/ann/movies/");
  EXPECT_EQ(store.value("PreviewPanelColor").toLongLong(), 0x00FF00);
  EXPECT_EQ(publish::LoadAnsiLines(temp / "cfg" / "ftpsites.txt"),
            std::vector<std::string>{"ftp.a.com,ann,pw,21,www"});
}

TEST(OptionsCommand, NothingChangesWhenTheSiteListCannotBeWritten) {
  TTestFolder temp;
  publish::WriteBytes(temp / "not-a-folder", "x");
  QSettings store(QString::fromStdString((temp / "t.ini").string()), QSettings::IniFormat);
  TPreferences preferences;
  TPreferences edited = preferences;
  edited.BannerWidth = 728;
  EXPECT_ANY_THROW(ConfirmOptions(preferences, edited, {}, store,
                                  temp / "not-a-folder" / "ftpsites.txt"));
  EXPECT_EQ(preferences.BannerWidth, 468);
}

}  // namespace
}  // namespace tessaly::shell
