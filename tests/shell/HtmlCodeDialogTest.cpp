#include "shell/dialogs/HtmlCodeDialog.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "publish/TestSupport.h"

namespace tessaly::shell {
namespace {

using publish::TTestFolder;

class HtmlCodeDialogTest : public testing::Test {
 protected:
  THtmlCodeSource Source(const std::string& site, const std::string& folder) {
    return {site, folder, "/home/ann/My Banners/b1.swf", {468, 60, 0}, temp.Path()};
  }
  TTestFolder temp;
  TRecordingMessages messages;
  publish::TRecordingOpener opener;
};

TEST_F(HtmlCodeDialogTest, OpensWithTheSiteFolderAndTheSavedMovie) {
  HtmlCodeDialog dialog(Source("http://www.mysite.com/index.html", "images"), messages, opener);
  EXPECT_EQ(dialog.windowTitle(), "链接图像到网站或网页 (生成HTML代码)");
  EXPECT_EQ(Control<QLineEdit>(dialog, "链接位置必须是你网站服务器的目录:")->text(),
            "http://www.mysite.com/images");
  EXPECT_EQ(Control<QLineEdit>(dialog, "图像文件名 (生成的文件的名称- 例如: banner1.swf)")->text(),
            "/home/ann/My Banners/b1.swf");
  QComboBox* quality = Control<QComboBox>(dialog, "Flash 播放质量");
  QStringList words;
  for (int i = 0; i < quality->count(); ++i) words << quality->itemText(i);
  EXPECT_EQ(words, (QStringList{"低", "自动低", "自动高", "中等", "高", "最好"}));
  EXPECT_EQ(quality->currentText(), "高");
  EXPECT_TRUE(dialog.codeBox()->toPlainText().isEmpty());
}

TEST_F(HtmlCodeDialogTest, BestQualityTwiceAndNoDoubledSlash) {
  HtmlCodeDialog dialog(Source("http://www.mysite.com/", "http://www.mysite.com/img/"), messages,
                        opener);
  Control<QComboBox>(dialog, "Flash 播放质量")->setCurrentIndex(5);
  Click(dialog, "生成HTML代码");
  const QStringList lines = dialog.codeBox()->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 11);
  EXPECT_EQ(lines[3], "<PARAM NAME=movie VALUE=\"http://www.mysite.com/img/b1.swf\">");
  EXPECT_EQ(lines[4], "<PARAM NAME=quality VALUE=\"best\"> ");
  EXPECT_EQ(lines[6],
            "<EMBED src=\"http://www.mysite.com/img/b1.swf\" quality=\"best\" bgcolor=#FFFFFF "
            "WIDTH=\"468\" HEIGHT=\"60\"");
  EXPECT_EQ(lines[2], "WIDTH=\"468\" HEIGHT=\"60\" id=\"TSLY-b1.swf\">");
  EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(HtmlCodeDialogTest, TheClickTagFieldAddsFlashVarsOnlyWhenFilled) {
  HtmlCodeDialog dialog(Source("http://www.mysite.com/", "img/"), messages, opener);
  QLineEdit* clickTag = Control<QLineEdit>(dialog, "clickTAG (广告服务器的跟踪网址, 可留空):");
  EXPECT_TRUE(clickTag->text().isEmpty());
  Click(dialog, "生成HTML代码");
  EXPECT_EQ(dialog.codeBox()->toPlainText().split('\n').size(), 11);
  EXPECT_FALSE(dialog.codeBox()->toPlainText().contains("FlashVars"));

  clickTag->setText("  https://ad.example/c?id=1  ");
  Click(dialog, "生成HTML代码");
  const QStringList lines = dialog.codeBox()->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 13);
  EXPECT_EQ(lines[6], "<PARAM NAME=FlashVars VALUE=\"clickTAG=https%3A%2F%2Fad.example%2Fc%3Fid%3D1\">");
  EXPECT_EQ(lines[9], "FlashVars=\"clickTAG=https%3A%2F%2Fad.example%2Fc%3Fid%3D1\"");
}

TEST_F(HtmlCodeDialogTest, BlankFileNameAndTheProgramsOwnLocation) {
  HtmlCodeDialog dialog(Source("https://tessaly.example/", "images"), messages, opener);
  int asked = 0;
  bool goOn = false;
  dialog.setLocationQuestion([&] {
    ++asked;
    return goOn;
  });
  QLineEdit* file = Control<QLineEdit>(dialog, "图像文件名 (生成的文件的名称- 例如: banner1.swf)");
  file->clear();
  Click(dialog, "生成HTML代码");
  EXPECT_EQ(messages.Shown, std::vector<std::string>{"The Image File Name cannot be blank."});
  EXPECT_EQ(asked, 0);

  file->setText("b2.swf");
  Click(dialog, "生成HTML代码");  // Cancel
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(dialog.codeBox()->toPlainText().isEmpty());
  goOn = true;
  Click(dialog, "生成HTML代码");  // Continue
  EXPECT_TRUE(dialog.codeBox()->toPlainText().contains("https://tessaly.example/images/b2.swf"));
  EXPECT_EQ(messages.Shown.size(), 1u);
}

TEST_F(HtmlCodeDialogTest, CopyNeedsCodeAndLeavesTheClipboardAsItWas) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText("earlier text");
  HtmlCodeDialog dialog(Source("http://www.mysite.com/", "images"), messages, opener);
  Click(dialog, "复制到剪贴板");
  EXPECT_EQ(messages.Shown, std::vector<std::string>{"执行复制粘贴操作之前必须先生成HTML代码."});
  EXPECT_EQ(clipboard->text(), "earlier text");

  const QList<QAction*> menu = dialog.codeBox()->actions();
  ASSERT_EQ(menu.size(), 1);
  EXPECT_EQ(menu[0]->text(), "Copy to Clipboard");
  EXPECT_EQ(dialog.codeBox()->contextMenuPolicy(), Qt::ActionsContextMenu);
  menu[0]->trigger();
  EXPECT_EQ(messages.Shown.size(), 2u);
  EXPECT_EQ(clipboard->text(), "earlier text");

  Click(dialog, "生成HTML代码");
  menu[0]->trigger();
  EXPECT_EQ(clipboard->text(), dialog.codeBox()->toPlainText());
  clipboard->clear();
  Click(dialog, "复制到剪贴板");
  EXPECT_TRUE(clipboard->text().startsWith("<OBJECT classid="));
}

TEST_F(HtmlCodeDialogTest, PreviewNeedsCodeThenWritesAndOpensThePage) {
  HtmlCodeDialog dialog(Source("http://www.mysite.com/", "images"), messages, opener);
  Click(dialog, "在浏览器中预览");
  EXPECT_EQ(messages.Shown, std::vector<std::string>{"预览之前必须先生成HTML代码."});
  EXPECT_TRUE(opener.Opened.empty());
  Click(dialog, "生成HTML代码");
  Click(dialog, "在浏览器中预览");
  EXPECT_EQ(opener.Opened, std::vector<std::string>{(temp / "temp2.html").string()});
  const std::string page = publish::ReadBytes(temp / "temp2.html");
  EXPECT_NE(page.find("file:///home/ann/My%20Banners/b1.swf"), std::string::npos);
  EXPECT_NE(page.find("http://www.mysite.com/images/b1.swf"), std::string::npos);
  EXPECT_EQ(messages.Shown.size(), 1u);
}

// The page as a real browser reads it: headless Chromium's document, UTF-8.
std::string BrowserDocument(const std::filesystem::path& page) {
  const QString chromium = QStandardPaths::findExecutable("chromium");
  if (chromium.isEmpty()) {
    ADD_FAILURE() << "chromium is not installed (run scripts/setup)";
    return {};
  }
  QProcess browser;
  browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--dump-dom",
                           QUrl::fromLocalFile(QString::fromStdString(page.string())).toString()});
  browser.closeWriteChannel();
  EXPECT_TRUE(browser.waitForFinished(60000));
  return browser.readAllStandardOutput().toStdString();
}

TEST_F(HtmlCodeDialogTest, ThePreviewPageReadsInABrowserWithItsChineseLines) {
  THtmlCodeSource source = Source("http://www.mysite.com/", "images");
  source.SavedMoviePath = "/home/ann/我的 横幅#1/横幅.swf";
  HtmlCodeDialog dialog(source, messages, opener);
  Click(dialog, "生成HTML代码");
  Click(dialog, "在浏览器中预览");
  ASSERT_EQ(opener.Opened.size(), 1u);
  const std::string page = BrowserDocument(opener.Opened[0]);
  EXPECT_NE(page.find("<b>本地图像</b>"), std::string::npos) << page;
  EXPECT_NE(page.find("这是在本机上预览Flash横幅."), std::string::npos);
  EXPECT_NE(page.find("file:///home/ann/%E6%88%91%E7%9A%84%20%E6%A8%AA%E5%B9%85%231/"
                      "%E6%A8%AA%E5%B9%85.swf"),
            std::string::npos);
  EXPECT_NE(page.find("TSLY-横幅.swf"), std::string::npos);
}

}  // namespace
}  // namespace tessaly::shell
