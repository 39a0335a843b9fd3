#include "shell/dialogs/OptionsDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "document/BannerDocument.h"
#include "publish/AnsiLines.h"
#include "publish/TestSupport.h"
#include "shell/dialogs/FtpSelectDialog.h"
#include "shell/dialogs/FtpSitePropertiesDialog.h"
#include "shell/dialogs/FtpSitesDialog.h"

namespace tessaly::shell {
namespace {

using publish::FTPRec;
using publish::TTestFolder;

QStringList Rows(const QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
}

// A preference store and a site list in a scratch folder.
class OptionsDialogTest : public testing::Test {
 protected:
  OptionsDialogTest()
      : store(QString::fromStdString((temp / "Tessaly 1.ini").string()), QSettings::IniFormat),
        sitesFile(temp / "ftpsites.txt") {
    preferences.SaveDirectory = "/home/ann/movies/";
    preferences.BwfDirectory = "/home/ann/bwf/";
    preferences.ImageDirectory = "/opt/tessaly/images/";
    preferences.BackgroundDirectory = "/opt/tessaly/backgrounds/";
    preferences.TextureDirectory = "/opt/tessaly/textures/";
    preferences.PreviewPanelImage = "/opt/tessaly/preview6.bmp";
    preferences.DefaultWebSite = "https://tessaly.example/";
  }

  TTestFolder temp;
  QSettings store;
  std::filesystem::path sitesFile;
  TPreferences preferences;
  TRecordingMessages messages;
};

TEST_F(OptionsDialogTest, ControlsShowThePreferencesOnTheDefaultsPage) {
  publish::WriteBytes(sitesFile, "ftp.a.com,ann,pw,21,www\r\nftp.b.com,bob,pw,21,\r\n");
  OptionsDialog dialog(preferences, store, sitesFile, messages);
  EXPECT_EQ(dialog.currentPage(), OptionsDialog::Page::Defaults);
  EXPECT_EQ(Control<QSpinBox>(dialog, "宽度")->value(), 468);
  EXPECT_EQ(Control<QSpinBox>(dialog, "高度")->value(), 60);
  EXPECT_EQ(Control<QLineEdit>(dialog, "大小")->text(), "12");
  EXPECT_TRUE(Control<QCheckBox>(dialog, "字体列表中显示字体样式")->isChecked());
  EXPECT_EQ(Control<QLineEdit>(dialog, "默认保存.BWF文件的目录")->text(), "/home/ann/bwf/");
  EXPECT_EQ(Control<QLineEdit>(dialog, "默认图像目录")->text(), "/opt/tessaly/images/");
  EXPECT_EQ(Control<QLineEdit>(dialog, "默认背景目录")->text(), "/opt/tessaly/backgrounds/");
  EXPECT_EQ(Control<QLineEdit>(dialog, "默认保存的图像目录")->text(), "/home/ann/movies/");
  EXPECT_TRUE(Control<QRadioButton>(dialog, "使用图像")->isChecked());
  EXPECT_EQ(Control<QLineEdit>(dialog, "预览图像文件")->text(), "/opt/tessaly/preview6.bmp");
  EXPECT_EQ(Control<QLineEdit>(dialog, "默认网站地址")->text(), "https://tessaly.example/");
  EXPECT_EQ(Control<QLineEdit>(dialog, "默认图像位置或目录")->text(), "images");
  EXPECT_EQ(Rows(*Control<QListWidget>(dialog, "FTP站点")), (QStringList{"ftp.a.com", "ftp.b.com"}));
  QTabWidget* tabs = dialog.findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);
  QStringList pages;
  for (int i = 0; i < tabs->count(); ++i) {
    pages << tabs->tabText(i);
    EXPECT_TRUE(tabs->widget(i)->isEnabled()) << i;
  }
  EXPECT_EQ(pages, (QStringList{"默认", "文件夹", "背景", "网站/FTP"}));
}

TEST_F(OptionsDialogTest, ChangeBackgroundOpensTheBackgroundPage) {
  OptionsDialog dialog(preferences, store, sitesFile, messages);
  dialog.showPage(OptionsDialog::Page::Background);
  QTabWidget* tabs = dialog.findChild<QTabWidget*>();
  EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "背景");
}

TEST_F(OptionsDialogTest, OkStoresTheNewDefaultSizeWhileTheCurrentBannerKeepsItsSize) {
  document::TBannerDocument document;
  document.NewDocument({preferences.BannerWidth, preferences.BannerHeight});
  OptionsDialog dialog(preferences, store, sitesFile, messages);
  int applied = 0;
  QObject::connect(&dialog, &OptionsDialog::optionsApplied, [&] { ++applied; });
  Control<QSpinBox>(dialog, "宽度")->setValue(728);
  Control<QSpinBox>(dialog, "高度")->setValue(90);
  Control<QLineEdit>(dialog, "大小")->setText("not a number");
  Control<QLineEdit>(dialog, "默认图像目录")->setText("/home/ann/pics");
  Control<QRadioButton>(dialog, "使用颜色")->setChecked(true);
  Click(dialog, "确定");

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(applied, 1);
  EXPECT_TRUE(messages.Shown.empty());
  EXPECT_EQ(preferences.BannerWidth, 728);
  EXPECT_EQ(preferences.BannerHeight, 90);
  EXPECT_EQ(preferences.FontSize, 12);
  EXPECT_EQ(preferences.ImageDirectory, "/home/ann/pics/");
  EXPECT_FALSE(preferences.PreviewUseImage);
  EXPECT_EQ(document.BannerSettings.BannerWidth, 468);
  EXPECT_EQ(document.BannerSettings.BannerHeight, 60);

  QSettings written(store.fileName(), QSettings::IniFormat);
  EXPECT_EQ(written.value("BannerWidth").toInt(), 728);
  EXPECT_EQ(written.value("BannerHeight").toInt(), 90);
  EXPECT_EQ(written.value("ImageDirectory").toString(), "/home/ann/pics/");
  EXPECT_TRUE(std::filesystem::exists(sitesFile));

  document.NewDocument({preferences.BannerWidth, preferences.BannerHeight});
  EXPECT_EQ(document.BannerSettings.BannerWidth, 728);
  EXPECT_EQ(document.BannerSettings.BannerHeight, 90);
}

TEST_F(OptionsDialogTest, CancelWritesNothingButKeepsAChosenPreviewColour) {
  OptionsDialog dialog(preferences, store, sitesFile, messages);
  int colourShown = 0;
  QObject::connect(&dialog, &OptionsDialog::previewColorChosen, [&] { ++colourShown; });
  Control<QSpinBox>(dialog, "宽度")->setValue(728);
  Control<QLineEdit>(dialog, "默认网站地址")->setText("http://www.mysite.com/");
  dialog.storePreviewColor(QColor(0x12, 0x34, 0x56));
  Click(dialog, "取消");

  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(colourShown, 1);
  EXPECT_EQ(preferences.PreviewPanelColor, 0x563412u);
  EXPECT_EQ(preferences.BannerWidth, 468);
  EXPECT_EQ(preferences.DefaultWebSite, "https://tessaly.example/");
  EXPECT_FALSE(std::filesystem::exists(store.fileName().toStdString()));
  EXPECT_FALSE(std::filesystem::exists(sitesFile));
}

// Five sites named by number, written to the list file.
void WriteFiveSites(const std::filesystem::path& file) {
  std::string text;
  for (int i = 1; i <= 5; ++i) text += "ftp" + std::to_string(i) + ".com,u,p,21,www\r\n";
  publish::WriteBytes(file, text);
}

TEST_F(OptionsDialogTest, SiteDialogAddsEditsAndDeletesTheThirdOfFive) {
  WriteFiveSites(sitesFile);
  OptionsDialog dialog(preferences, store, sitesFile, messages);
  FtpSitesDialog sites(dialog.sites(), messages);
  EXPECT_EQ(sites.windowTitle(), "添加/编辑/删除FTP站点");
  QListWidget* list = Control<QListWidget>(sites, "FTP站点");
  EXPECT_EQ(list->currentRow(), 0);

  std::vector<FTPRec> offered;
  std::optional<FTPRec> answer = FTPRec{"ftp6.com", "new", "pw", "2121", "pub"};
  sites.setSiteEditor([&](const FTPRec& site) {
    offered.push_back(site);
    return answer;
  });
  Click(sites, "添加");
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], (FTPRec{"", "", "", "21", ""}));
  EXPECT_EQ(list->count(), 6);
  EXPECT_EQ(dialog.sites()[5].user, "new");

  list->setCurrentRow(1);
  answer = FTPRec{"ftp2.org", "u2", "p2", "21", "web"};
  Click(sites, "编辑");
  EXPECT_EQ(offered[1], (FTPRec{"ftp2.com", "u", "p", "21", "www"}));
  EXPECT_EQ(dialog.sites()[1], *answer);

  list->setCurrentRow(2);
  messages.Answers = {false, true};
  Click(sites, "删除");  // No
  EXPECT_EQ(list->count(), 6);
  Click(sites, "删除");  // Yes
  EXPECT_EQ(messages.Asked,
            (std::vector<std::string>(2, "你真的要删除这个FTP站点吗?")));
  EXPECT_EQ(Rows(*list), (QStringList{"ftp1.com", "ftp2.org", "ftp4.com", "ftp5.com", "ftp6.com"}));

  list->setCurrentRow(4);
  Click(sites, "删除");  // no answer left: No
  answer.reset();        // Cancel in the properties dialog
  Click(sites, "添加");
  EXPECT_EQ(list->count(), 5);

  Click(sites, "确定");
  EXPECT_EQ(sites.result(), QDialog::Accepted);
  Click(dialog, "确定");
  EXPECT_EQ(publish::LoadAnsiLines(sitesFile),
            (std::vector<std::string>{"ftp1.com,u,p,21,www", "ftp2.org,u2,p2,21,web",
                                      "ftp4.com,u,p,21,www", "ftp5.com,u,p,21,www",
                                      "ftp6.com,new,pw,2121,pub"}));
}

TEST_F(OptionsDialogTest, TheFiftyFirstSiteIsRefusedWithTheMessage) {
  std::string text;
  for (int i = 1; i <= 50; ++i) text += "ftp" + std::to_string(i) + ".com,u,p,21,\r\n";
  publish::WriteBytes(sitesFile, text);
  OptionsDialog dialog(preferences, store, sitesFile, messages);
  FtpSitesDialog sites(dialog.sites(), messages);
  int asked = 0;
  sites.setSiteEditor([&](const FTPRec&) {
    ++asked;
    return FTPRec{"ftp51.com", "", "", "21", ""};
  });
  Click(sites, "添加");
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(messages.Shown, std::vector<std::string>{"FTP站点数量已达上限 (50)."});
  EXPECT_EQ(Control<QListWidget>(sites, "FTP站点")->count(), 50);
}

TEST(FtpSiteProperties, FieldsAndRefusalOfASiteThatCannotBeStored) {
  TRecordingMessages messages;
  FtpSitePropertiesDialog dialog(publish::NewFtpSite(), messages);
  EXPECT_EQ(dialog.windowTitle(), "FTP站点属性");
  EXPECT_EQ(Control<QLineEdit>(dialog, "端口")->text(), "21");
  Click(dialog, "确定");
  EXPECT_EQ(messages.Shown, std::vector<std::string>{"主机地址不能为空."});
  EXPECT_EQ(dialog.result(), 0);
  Control<QLineEdit>(dialog, "主机地址")->setText("ftp.a.com");
  Control<QLineEdit>(dialog, "用户名")->setText("a,b");
  Click(dialog, "确定");
  EXPECT_EQ(messages.Shown.back(), "主机地址、用户名、密码和端口中不能含有逗号.");
  Control<QLineEdit>(dialog, "用户名")->setText("ann");
  Control<QLineEdit>(dialog, "密码")->setText("pw");
  Control<QLineEdit>(dialog, "目录")->setText("www,1");
  Click(dialog, "确定");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.site(), (FTPRec{"ftp.a.com", "ann", "pw", "21", "www,1"}));
}

TEST(FtpSelect, OffersTheSitesUpToTheFirstUnusedAndMasksThePassword) {
  publish::TFtpSiteTable table;
  table[0] = {"ftp.a.com", "ann", "secret", "21", "www"};
  table[1] = {"ftp.b.com", "bob", "hidden", "2121", "pub"};
  table[3] = {"ftp.d.com", "dan", "x", "21", ""};
  FtpSelectDialog dialog(table);
  EXPECT_EQ(dialog.windowTitle(), "选择FTP站点");
  QListWidget* list = Control<QListWidget>(dialog, "FTP站点");
  EXPECT_EQ(Rows(*list), (QStringList{"ftp.a.com", "ftp.b.com"}));
  EXPECT_EQ(dialog.fields(), table[0]);
  QLineEdit* password = Control<QLineEdit>(dialog, "密码");
  EXPECT_EQ(password->echoMode(), QLineEdit::Password);
  EXPECT_EQ(password->displayText(), "******");

  list->setCurrentRow(1);
  EXPECT_EQ(dialog.fields(), table[1]);
  Control<QLineEdit>(dialog, "目录")->setText("other");
  EXPECT_EQ(dialog.fields().folder, "other");
}

}  // namespace
}  // namespace tessaly::shell
