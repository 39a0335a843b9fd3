// The main window on real widgets (offscreen): the size fields typed into
// as a user does, F1, Exit, Save from the save tab, a write error, New, and
// an opened project shown in every control of the size, background,
// animation and save tabs; exports from the save tab, finished and
// cancelled.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QTimer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <fstream>
#include <functional>
#include <iterator>

#include "DialogTestSupport.h"
#include "WindowTestSupport.h"
#include "project/ProjectSaver.h"
#include "shell/dialogs/ExportProgressDialog.h"
#include "shell/core/ExportJobs.h"
#include "shell/core/RecoveryWriter.h"
#include "shell/core/SizePresets.h"
#include "shell/main/MainWindow.h"
#include "shell/main/PreviewPanel.h"
#include "shell/main/tabs/AnimationTab.h"
#include "shell/main/tabs/BackgroundTab.h"
#include "shell/main/tabs/SaveTab.h"
#include "shell/main/tabs/SizeTab.h"

namespace tessaly::shell::test {
namespace {

class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest() : window(scratch.Folders, scratch.Preferences, Services()) {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  TWindowServices Services() { return {&dialogs, &runner, &opener, scratch.Store.get()}; }
  const document::TBannerSettings& Settings() { return window.App().Document().BannerSettings; }
  std::string Movie(const std::string& name) const { return scratch.Preferences.SaveDirectory + name; }

  // Types text into a size field and presses Enter.
  void TypeInto(QSpinBox* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }

  void AddShape() {
    ASSERT_TRUE(window.App().Document().AddShapeItem(document::TShapeDefaults{}).Added());
    window.App().SetChangeMade();
  }

  TScratch scratch;
  TScriptedDialogs dialogs;
  TInlineRunner runner;
  TRecordingOpener opener;
  TMainWindow window;
};

TEST_F(MainWindowTest, HasTheEightTabsInOrderAndTheWizardButtons) {
  const char* const captions[] = {"主页", "大小", "背景", "外形", "图像", "文字", "动画", "保存"};
  ASSERT_EQ(window.Tabs()->count(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(window.Tabs()->tabText(i), QString::fromUtf8(captions[i]));
  EXPECT_FALSE(window.PreviousButton()->isVisible());
  window.Tabs()->setCurrentIndex(wtSize);
  EXPECT_TRUE(window.PreviousButton()->isVisible());
  QTest::mouseClick(window.NextButton(), Qt::LeftButton);
  EXPECT_EQ(window.Tabs()->currentIndex(), wtBackground);
  window.Tabs()->setCurrentIndex(wtSave);
  EXPECT_FALSE(window.NextButton()->isVisible());
  QTest::mouseClick(window.PreviousButton(), Qt::LeftButton);
  EXPECT_EQ(window.Tabs()->currentIndex(), wtAnimation);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Tessaly[*]"));
  EXPECT_FALSE(window.isWindowModified());
}

TEST_F(MainWindowTest, MenusCarryEveryEntryWithItsMnemonic) {
  QStringList entries;
  for (QAction* menu : window.menuBar()->actions()) {
    entries << menu->text();
    for (QAction* entry : menu->menu()->actions())
      if (!entry->isSeparator()) entries << entry->text();
  }
  EXPECT_EQ(entries.join(QLatin1Char('|')),
            QStringLiteral("文件(&F)|新建(&N)|打开(&O)...|保存(&S)|电子邮件|FTP发布|退出(&X)|编辑(&E)|撤销|重做|选项(&O)|参数设置(&P)|重新排序|"
                           "HTML/JavaScript|生成HTML代码|帮助|帮助主题|网站|常见问题|在线教程|快速指导|检查更新|关于"));
  QStringList context;
  for (QAction* entry : window.PreviewMenu()->actions()) context << entry->text();
  EXPECT_EQ(context.join(QLatin1Char('|')), QStringLiteral("Re-Order Items|&Delete|Change Background"));
}

TEST_F(MainWindowTest, WidthFieldRefusesOutOfRangeValuesAndKeepsTheFocus) {
  window.Tabs()->setCurrentIndex(wtSize);
  QSpinBox* width = window.SizePage()->WidthField();
  const int limit = window.screen()->size().width() + 100;
  struct Case {
    QString text;
    bool accepted;
  };
  for (const Case& c : {Case{QStringLiteral("9"), false}, Case{QStringLiteral("10"), true},
                        Case{QString::number(limit + 1), false}}) {
    SCOPED_TRACE(c.text.toStdString());
    const int before = Settings().BannerWidth;
    const int beeps = dialogs.Beeps;
    dialogs.Messages.clear();
    TypeInto(width, c.text);
    if (c.accepted) {
      EXPECT_TRUE(dialogs.Messages.empty());
      EXPECT_EQ(Settings().BannerWidth, c.text.toInt());
      EXPECT_EQ(window.Preview()->Width(), c.text.toInt());
      EXPECT_TRUE(window.SizePage()->HeightField()->hasFocus()) << "Enter moves on to the height";
      EXPECT_TRUE(window.isWindowModified());
    } else {
      ASSERT_EQ(dialogs.Messages.size(), 1u);
      EXPECT_EQ(dialogs.Messages[0], QStringLiteral("宽度的值必须在下列范围之内: 10 ->") + QString::number(limit));
      EXPECT_EQ(dialogs.Beeps, beeps + 1);
      EXPECT_TRUE(width->hasFocus());
      EXPECT_EQ(Settings().BannerWidth, before);
    }
  }
}

TEST_F(MainWindowTest, PresetListFollowsTheTypedSize) {
  window.Tabs()->setCurrentIndex(wtSize);
  TSizeTab* size = window.SizePage();
  TypeInto(size->WidthField(), QStringLiteral("500"));
  EXPECT_EQ(size->Presets()->currentText(), QStringLiteral("自定义大小"));
  TypeInto(size->WidthField(), QStringLiteral("468"));
  TypeInto(size->HeightField(), QStringLiteral("60"));
  EXPECT_EQ(size->Presets()->currentIndex(), 0);
  EXPECT_EQ(size->Presets()->currentText(), QStringLiteral("468 X 60"));
  // Choosing a preset sets the fields and the banner.
  size->Presets()->setCurrentIndex(7);
  emit size->Presets()->activated(7);
  EXPECT_EQ(size->WidthText(), QStringLiteral("300"));
  EXPECT_EQ(Settings().BannerHeight, 250);
  EXPECT_EQ(window.Preview()->Height(), 250);
  EXPECT_GE(window.Preview()->PlayerPosition().x(), TPreviewPanel::MinimumPlayerLeft);
}

// Choosing presets and typing a width grows the real window to hold each
// banner with the panel's spares (30 right of the banner, 55 below it, 153
// for a banner lower than 98); a banner that fits changes nothing, and a
// banner exactly 468 wide makes the window 704 wide. The window stays
// within the screen: a banner wider than it scrolls.
TEST_F(MainWindowTest, WindowGrowsToHoldEveryChosenBanner) {
  TSizeTab* size = window.SizePage();
  TPreviewPanel* panel = window.Preview();
  QScrollArea* scroller = window.PreviewScroller();
  const QRect onHome = scroller->geometry();
  window.Tabs()->setCurrentIndex(wtSize);
  QCoreApplication::processEvents();
  EXPECT_EQ(scroller->geometry(), onHome) << "the wizard buttons showing move the preview";
  // Shown first for the default 468 X 60 banner.
  ASSERT_EQ(Settings().BannerWidth, 468);
  EXPECT_EQ(window.width(), 704);
  const auto choose = [&](int preset) {
    size->Presets()->setCurrentIndex(preset);
    emit size->Presets()->activated(preset);
    QCoreApplication::processEvents();
  };
  const auto player = [&] { return QRect(panel->PlayerPosition(), QSize(panel->Width(), panel->Height())); };
  // The whole banner in the panel, centred but 52 or more from its left
  // edge, and the panel in the window without scrolling.
  const auto expectWholeBanner = [&] {
    EXPECT_TRUE(panel->rect().contains(player())) << player().right() << "," << player().bottom();
    EXPECT_EQ(player().left(), std::max(TPreviewPanel::MinimumPlayerLeft, (panel->width() - player().width()) / 2));
    EXPECT_EQ(panel->size(), scroller->viewport()->size()) << "the preview scrolls";
    EXPECT_TRUE(window.rect().contains(scroller->geometry()));
  };
  choose(6);  // 88 X 31
  window.resize(1, 1);
  QCoreApplication::processEvents();
  const QSize smallest = window.size();
  choose(0);  // 468 X 60: too narrow, 704 wide; the tool panel keeps the panel higher than 153
  EXPECT_EQ(window.width(), 704);
  EXPECT_EQ(window.height(), smallest.height());
  EXPECT_GE(panel->height(), 153);
  expectWholeBanner();

  choose(1);  // 728 X 90: 30 to spare on the right
  EXPECT_EQ(panel->width(), 728 + 52 + 30);
  EXPECT_EQ(window.height(), smallest.height());
  expectWholeBanner();

  const int wide = window.width();
  choose(8);  // 240 X 400: only the height grows
  EXPECT_EQ(window.width(), wide);
  EXPECT_EQ(panel->height(), 400 + 55);
  expectWholeBanner();

  const QSize grown = window.size();
  choose(7);  // 300 X 250 fits: nothing shrinks
  EXPECT_EQ(window.size(), grown);
  expectWholeBanner();

  // Typed: a banner 50 wider than the screen, the panel at the widest
  // banner, but never narrower than the player and its margin; the window
  // stops at the screen and the panel scrolls sideways.
  const int typed = window.screen()->size().width() + 50;
  size->WidthField()->setFocus();
  size->WidthField()->selectAll();
  QTest::keyClicks(size->WidthField(), QString::number(typed));
  QTest::keyClick(size->WidthField(), Qt::Key_Return);
  QCoreApplication::processEvents();
  ASSERT_TRUE(dialogs.Messages.empty()) << dialogs.Messages.front().toStdString();
  EXPECT_EQ(panel->Width(), typed);
  EXPECT_EQ(panel->width(), typed + 52);
  EXPECT_TRUE(panel->rect().contains(player()));
  EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry())) << window.width();
  EXPECT_TRUE(scroller->horizontalScrollBar()->isVisible());
  EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), panel->width() - scroller->viewport()->width());
}

// A banner higher than the window the screen allows (160 X 600 on 1280 x
// 1024, the tabs below it): the window stops at the screen, the tabs and
// the wizard buttons stay in it and work, and the preview scrolls to the
// banner's bottom row. A window placed low moves up to stay whole.
TEST_F(MainWindowTest, TallBannerScrollsAndTheWizardStaysOnTheScreen) {
  window.Tabs()->setCurrentIndex(wtSize);
  // Placed low on the screen: the window grown for the banner moves up.
  window.move(40, 300);
  QCoreApplication::processEvents();
  TSizeTab* size = window.SizePage();
  size->Presets()->setCurrentIndex(12);
  emit size->Presets()->activated(12);
  QCoreApplication::processEvents();
  ASSERT_EQ(Settings().BannerHeight, 600);
  QScrollArea* scroller = window.PreviewScroller();
  ASSERT_LT(scroller->viewport()->height(), 600) << "the screen holds the whole banner: nothing to test";

  EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry()))
      << window.frameGeometry().height();
  const auto inWindow = [&](QWidget* widget) {
    return widget->isVisible() && window.rect().contains(QRect(widget->mapTo(&window, QPoint()), widget->size()));
  };
  EXPECT_TRUE(inWindow(window.Tabs()));
  EXPECT_TRUE(inWindow(window.PreviousButton()));
  EXPECT_TRUE(inWindow(window.NextButton()));
  EXPECT_TRUE(scroller->verticalScrollBar()->isVisible());
  EXPECT_FALSE(scroller->horizontalScrollBar()->isVisible());

  // The banner's top row shows first, its bottom row once scrolled down.
  TPreviewPanel* panel = window.Preview();
  const auto shows = [&](int bannerRow) {
    const QPoint at = panel->mapTo(scroller->viewport(), panel->PlayerPosition() + QPoint(0, bannerRow));
    return scroller->viewport()->rect().contains(at);
  };
  EXPECT_TRUE(shows(0));
  EXPECT_FALSE(shows(599));
  scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
  QCoreApplication::processEvents();
  EXPECT_TRUE(shows(599));

  QTest::mouseClick(window.NextButton(), Qt::LeftButton);
  EXPECT_EQ(window.Tabs()->currentIndex(), wtBackground);
}

TEST_F(MainWindowTest, F1OnTheSaveTabOpensItsHelpPage) {
  window.Tabs()->setCurrentIndex(wtSave);
  QTest::keyClick(&window, Qt::Key_F1);
  ASSERT_EQ(opener.Opened.size(), 1u);
  EXPECT_EQ(opener.Opened[0], scratch.Folders.Program + "help/html/savetab.htm");
}

TEST_F(MainWindowTest, ExitWithChangesAndYesSavesAndStaysOpen) {
  AddShape();
  EXPECT_TRUE(window.isWindowModified());
  dialogs.YesNoCancelAnswers = {TAnswer::anYes};
  dialogs.SaveFileName = QString::fromStdString(Movie("exit.swf"));
  window.Exit1Click();
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(std::filesystem::exists(Movie("exit.swf")));
  EXPECT_FALSE(window.isWindowModified());
  EXPECT_EQ(window.windowTitle(), QStringLiteral("exit.BWF[*] - Tessaly"));
}

TEST_F(MainWindowTest, SaveFromTheSaveTabWritesBothFilesAndClearsTheMark) {
  AddShape();
  window.Tabs()->setCurrentIndex(wtSave);
  TSaveTab* save = window.SavePage();
  save->UrlField()->clear();
  QTest::keyClicks(save->UrlField(), QStringLiteral("http://example.org/"));
  dialogs.SaveFileName = QString::fromStdString(Movie("banner.swf"));
  QTest::mouseClick(Control<QPushButton>(*save, QStringLiteral("保存")), Qt::LeftButton);
  EXPECT_TRUE(dialogs.SaveOptionsShown.empty()) << "the address was changed";
  EXPECT_TRUE(std::filesystem::exists(Movie("banner.swf")));
  EXPECT_TRUE(std::filesystem::exists(scratch.Preferences.BwfDirectory + "banner.BWF"));
  EXPECT_FALSE(window.isWindowModified());
  EXPECT_EQ(Settings().URL, "http://example.org/");
}

TEST_F(MainWindowTest, UndoAndRedoBackToTheSavedBannerClearTheCaptionsMark) {
  const auto step = [this](QAction* action) {
    ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
    action->trigger();
    QCoreApplication::processEvents();
  };
  AddShape();
  QCoreApplication::processEvents();
  EXPECT_TRUE(window.isWindowModified());
  step(window.UndoAction());
  EXPECT_FALSE(window.isWindowModified()) << "back at the new banner";
  step(window.RedoAction());
  EXPECT_TRUE(window.isWindowModified());

  dialogs.SaveFileName = QString::fromStdString(Movie("undo.swf"));
  window.Button1Click();
  QCoreApplication::processEvents();
  EXPECT_FALSE(window.isWindowModified());
  step(window.UndoAction());
  EXPECT_TRUE(window.isWindowModified()) << "the saved banner has the shape";
  EXPECT_EQ(window.windowTitle(), QStringLiteral("undo.BWF[*] - Tessaly"));
  step(window.RedoAction());
  EXPECT_FALSE(window.isWindowModified());
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(MainWindowTest, TheClickTagBoxGoesIntoTheSavedMovieAndProject) {
  AddShape();
  window.Tabs()->setCurrentIndex(wtSave);
  TSaveTab* save = window.SavePage();
  QCheckBox* box = Control<QCheckBox>(*save, QStringLiteral("使用 clickTAG"));
  EXPECT_FALSE(box->isChecked()) << "off by default";
  save->UrlField()->clear();
  QTest::keyClicks(save->UrlField(), QStringLiteral("http://example.org/"));
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_TRUE(Settings().UseClickTag);
  dialogs.SaveFileName = QString::fromStdString(Movie("tagged.swf"));
  QTest::mouseClick(Control<QPushButton>(*save, QStringLiteral("保存")), Qt::LeftButton);
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
  EXPECT_NE(FileBytes(scratch.Preferences.BwfDirectory + "tagged.BWF").find("\r\nClickTAG=TRUE\r\n</BWF>\r\n"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(Movie("tagged.swf")));

  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_FALSE(Settings().UseClickTag);
  EXPECT_TRUE(window.isWindowModified());
}

std::string FileStart(const std::string& path, std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(count, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  return bytes.substr(0, static_cast<std::size_t>(in.gcount()));
}

TEST_F(MainWindowTest, AnExportFromTheSaveTabWritesItsFileAndShowsItsWeight) {
  struct TCase {
    const char* Button;
    const char* Proposal;  // the file dialog's proposal
    const char* File;      // the name chosen
    std::string Magic;
  };
  const TCase cases[] = {
      {"导出动画 GIF", "banner.gif", "banner.gif", "GIF89a"},
      {"导出 WebP", "banner.webp", "banner.webp", "RIFF"},
      {"导出备用图片", "banner.png", "backup.jpg", "\xFF\xD8\xFF"},
      {"导出 HTML5 广告包", "banner.zip", "ad.zip", "PK\x03\x04"},
  };
  AddShape();
  window.Tabs()->setCurrentIndex(wtSave);
  TSaveTab* save = window.SavePage();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Button);
    dialogs.Messages.clear();
    dialogs.ExportFileName = QString::fromStdString(scratch.File(c.File));
    QTest::mouseClick(Control<QPushButton>(*save, QString::fromUtf8(c.Button)), Qt::LeftButton);
    EXPECT_EQ(dialogs.ExportDialogTitle, QString::fromUtf8(c.Button));
    EXPECT_EQ(dialogs.ExportDialogProposal, QString::fromStdString(Movie(c.Proposal)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.Messages.empty(); }, 120000));
    ASSERT_TRUE(std::filesystem::exists(scratch.File(c.File))) << dialogs.Messages.front().toStdString();
    EXPECT_EQ(FileStart(scratch.File(c.File), c.Magic.size()), c.Magic);
    const auto bytes = std::filesystem::file_size(scratch.File(c.File));
    const QString expected = QStringLiteral("%1: %2 字节 (%3 KB)").arg(QString::fromUtf8(c.File)).arg(bytes).arg((bytes + 1023) / 1024);
    EXPECT_EQ(dialogs.Messages.front(), expected);
    EXPECT_EQ(save->ExportWeight()->text(), expected);
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.findChildren<ExportProgressDialog*>().isEmpty(); }, 5000))
      << "each progress dialog goes when done";
}

TEST(ExportWeightMessageTest, AFileOverTheAdLimitCarriesTheWarning) {
  EXPECT_EQ(QString::fromStdString(ExportWeightMessage(QStringLiteral("/x/banner.gif"), 150 * 1024)),
            QStringLiteral("banner.gif: 153600 字节 (150 KB)"));
  EXPECT_EQ(QString::fromStdString(ExportWeightMessage(QStringLiteral("/x/banner.gif"), 150 * 1024 + 1)),
            QStringLiteral("banner.gif: 153601 字节 (151 KB)\n超过展示广告通常允许的 150 KB."));
}

TEST_F(MainWindowTest, ACancelledExportLeavesNoFile) {
  AddShape();
  // A long animation, so that Cancel comes while the frames are encoded.
  document::TBannerSettings& s = window.App().Document().BannerSettings;
  s.AnimationType = 1;
  window.Tabs()->setCurrentIndex(wtSave);
  TSaveTab* save = window.SavePage();
  save->ShowExportWeight(QStringLiteral("before"));
  dialogs.ExportFileName = QString::fromStdString(scratch.File("cancelled.webp"));
  QTest::mouseClick(Control<QPushButton>(*save, QStringLiteral("导出 WebP")), Qt::LeftButton);
  auto* progress = window.findChild<ExportProgressDialog*>();
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(progress->isVisible());
  QTest::mouseClick(Control<QPushButton>(*progress, QStringLiteral("取消")), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.Messages.empty(); }, 120000));
  EXPECT_EQ(dialogs.Messages.front(), QStringLiteral("导出已取消."));
  EXPECT_FALSE(std::filesystem::exists(scratch.File("cancelled.webp")));
  EXPECT_EQ(save->ExportWeight()->text(), QStringLiteral("before"));
}

TEST_F(MainWindowTest, ACancelledFileDialogExportsNothing) {
  window.Tabs()->setCurrentIndex(wtSave);
  QTest::mouseClick(Control<QPushButton>(*window.SavePage(), QStringLiteral("导出视频")), Qt::LeftButton);
  EXPECT_EQ(dialogs.ExportDialogProposal, QString::fromStdString(Movie("banner.mp4")));
  EXPECT_TRUE(window.findChildren<ExportProgressDialog*>().isEmpty());
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(MainWindowTest, AWriteErrorIsShownAndTheMarkStays) {
  AddShape();
  dialogs.SaveFileName = QString::fromStdString(scratch.File("missing/banner.swf"));
  window.Button1Click();
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_TRUE(window.isWindowModified());
  EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindowTest, NewWithCancelNoAndYes) {
  for (const TAnswer answer : {TAnswer::anCancel, TAnswer::anNo, TAnswer::anYes}) {
    AddShape();
    const int count = window.App().Document().ItemTable.Count();
    dialogs.YesNoCancelAnswers = {answer};
    dialogs.SaveFileName = QString::fromStdString(Movie("new.swf"));
    QTest::keySequence(&window, QKeySequence::New);
    EXPECT_EQ(window.App().Document().ItemTable.Count(), answer == TAnswer::anCancel ? count : 0);
    EXPECT_EQ(window.isWindowModified(), answer == TAnswer::anCancel);
  }
  EXPECT_TRUE(std::filesystem::exists(Movie("new.swf")));
}

TEST_F(MainWindowTest, AnOpenedProjectFillsEveryControl) {
  // A project written by the program itself, differing from a new banner in
  // every setting.
  document::TBannerDocument doc;
  doc.NewDocument({});
  document::TBannerSettings& s = doc.BannerSettings;
  s.BannerWidth = 728;
  s.BannerHeight = 90;
  s.URL = "http://example.org/";
  s.TargetChoice = document::tcNamedWindow;
  s.TargetWindowName = "frame1";
  s.Compress = false;
  s.FlashVersion = 5;
  s.UseClickTag = true;
  s.BackgroundType = document::TBackgroundType::btGradient;
  s.BackgroundGradientStart = 0x00FF00;
  s.BackgroundGradientEnd = 0x0000FF;
  s.BackgroundGradientStyle = 5;
  s.BackgroundShape = 3;
  s.BorderWidth = 4;
  s.BorderColor = 0x123456;
  s.AnimationType = 7;
  s.AnimationSpeed = 4;
  s.AnimationLoop = 3;
  s.AnimationFirstFrame = 100;
  s.AnimationLastFrame = 200;
  s.AnimateBackground = true;
  s.AnimateShapes = false;
  project::TProjectFileSaver saver;
  saver.SaveProject(doc, scratch.Path.string() + "/", scratch.File("movies/opened.swf"));
  dialogs.OpenFileName = QString::fromStdString(scratch.File("opened.BWF"));
  QTest::keySequence(&window, QKeySequence::Open);
  ASSERT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();

  TSizeTab* size = window.SizePage();
  EXPECT_EQ(size->WidthText(), QStringLiteral("728"));
  EXPECT_EQ(size->HeightText(), QStringLiteral("90"));
  EXPECT_EQ(size->Presets()->currentIndex(), 1);
  EXPECT_EQ(window.Preview()->Width(), 728);

  TBackgroundTab* background = window.BackgroundPage();
  EXPECT_TRUE(background->GradientBox()->isChecked());
  EXPECT_FALSE(background->ColorBox()->isChecked());
  EXPECT_EQ(background->BackgroundColor(), 0x00FF00u);
  EXPECT_EQ(background->GradientEndColor(), 0x0000FFu);
  EXPECT_EQ(background->GradientStyle(), 5);
  EXPECT_EQ(background->Outlines()->currentIndex(), 3);
  EXPECT_EQ(background->BorderWidthField()->text(), QStringLiteral("4"));
  EXPECT_EQ(background->Backgrounds()->currentRow(), 0);

  TAnimationTab* animation = window.AnimationPage();
  EXPECT_EQ(animation->Effects()->currentRow(), 7);
  EXPECT_EQ(animation->Speed()->value(), 4);
  EXPECT_EQ(animation->Loops()->value(), 3);
  EXPECT_EQ(animation->FirstDelay()->value(), 100);
  EXPECT_EQ(animation->LastDelay()->value(), 200);
  EXPECT_TRUE(animation->LayerBox(0)->isChecked());
  EXPECT_FALSE(animation->LayerBox(1)->isChecked());
  EXPECT_TRUE(animation->LayerBox(2)->isChecked());

  TSaveTab* save = window.SavePage();
  EXPECT_EQ(save->UrlField()->text(), QStringLiteral("http://example.org/"));
  EXPECT_TRUE(save->TargetChoice(2)->isChecked());
  EXPECT_EQ(save->WindowName()->text(), QStringLiteral("frame1"));
  EXPECT_TRUE(save->CompressChoice(false)->isChecked());
  EXPECT_EQ(save->Version()->value(), 5);
  EXPECT_TRUE(save->ClickTag()->isChecked());

  EXPECT_EQ(window.windowTitle(), QStringLiteral("opened.BWF[*] - Tessaly"));
  EXPECT_FALSE(window.isWindowModified());
}

TEST_F(MainWindowTest, ControlsCarryTheirCaptionsAsAccessibleNames) {
  for (const char* caption : {"新建", "打开", "开始", "保存", "预览 ", "发送邮件", "FTP发布到站点", "生成HTML代码",
                              "播放", "停止", "删除", "撤销删除", "重新排序", "添加背景图像", "仅匹配图像大小",
                              "使用 clickTAG", "导出", "导出动画 GIF", "导出 WebP", "导出视频", "导出备用图片", "导出 HTML5 广告包"}) {
    int found = 0;
    for (QWidget* w : window.findChildren<QWidget*>())
      if (w->accessibleName() == QString::fromUtf8(caption)) ++found;
    EXPECT_GE(found, 1) << caption;
  }
}

}  // namespace
}  // namespace tessaly::shell::test

namespace tessaly::shell::test {
namespace {

// A long animated build on the window's own build thread: after half a
// second the progress dialog appears with the build's percent and stage;
// its Cancel ends the build before it is done and nothing changes.
class MainWindowBuildThread : public testing::Test {
 protected:
  MainWindowBuildThread()
      : window(scratch.Folders, scratch.Preferences, {&dialogs, nullptr, &opener, scratch.Store.get()}) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    document::TBannerDocument& doc = window.App().Document();
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(doc.AddShapeItem(document::TShapeDefaults{}).Added());
    doc.BannerSettings.AnimationType = 25;  // snow
    doc.BannerSettings.AnimationSpeed = 1;
    doc.BannerSettings.AnimationLoop = 5;
    window.App().SetChangeMade();
    // The edit history notices the edits once the window thread runs.
    QCoreApplication::processEvents();
  }

  // What the dialog showed when Cancel was clicked.
  struct TSeen {
    bool Shown = false;
    int Percent = -1;
    QString Label;
  };

  // Runs command; once the progress dialog shows a percent above 0 (and
  // ready, asked at every look while the dialog shows, says so) its Cancel
  // is clicked.
  TSeen CancelDuring(const std::function<void()>& command, const std::function<bool()>& ready = nullptr) {
    TSeen seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      for (QProgressDialog* progress : window.findChildren<QProgressDialog*>()) {
        if (!progress->isVisible() || progress->value() <= 0 || seen.Shown) continue;
        if (ready && !ready()) continue;
        seen = {true, progress->value(), progress->labelText()};
        QPushButton* cancel = progress->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("取消"));
        QTest::mouseClick(cancel, Qt::LeftButton);
      }
    });
    poll.start(20);
    command();
    poll.stop();
    return seen;
  }

  QImage PreviewPicture() { return window.Preview()->Player().grab().toImage(); }

  TScratch scratch;
  TScriptedDialogs dialogs;
  TRecordingOpener opener;
  TMainWindow window;
};

const QStringList BuildStages = {QStringLiteral("正在生成动画效果..."), QStringLiteral("正在写入影片对象..."),
                                 QStringLiteral("正在写入影片文件...")};

TEST_F(MainWindowBuildThread, ALongBuildShowsProgressAndCancelChangesNothing) {
  document::TBannerDocument& doc = window.App().Document();
  const document::TBannerSettings before = doc.BannerSettings;
  const std::uint32_t seed = window.App().Random().RandomSeed;
  const QImage preview = PreviewPicture();

  QElapsedTimer took;
  took.start();
  const TSeen seen = CancelDuring([&] { window.Playflashanimation(); });

  EXPECT_TRUE(seen.Shown) << "the build took " << took.elapsed() << " ms";
  EXPECT_GT(seen.Percent, 0);
  EXPECT_LT(seen.Percent, 100);
  EXPECT_TRUE(BuildStages.contains(seen.Label)) << seen.Label.toStdString();
  EXPECT_FALSE(doc.Playing);
  EXPECT_EQ(doc.BannerSettings, before);
  EXPECT_EQ(window.App().Random().RandomSeed, seed);
  EXPECT_EQ(PreviewPicture(), preview) << "the editing preview stays";
  EXPECT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
}

TEST_F(MainWindowBuildThread, ALongSaveCancelledWritesNothingAndKeepsTheChanges) {
  document::TBannerDocument& doc = window.App().Document();
  doc.BannerSettings.URL = "https://shop.example/";
  const std::string movie = scratch.File("movies/long.swf");
  dialogs.SaveFileName = QString::fromStdString(movie);
  const document::TBannerSettings before = doc.BannerSettings;
  const QString undo = window.App().History().UndoText();
  ASSERT_TRUE(window.App().History().CanUndo());
  const QImage preview = PreviewPicture();

  const TSeen seen = CancelDuring([&] { window.Button1Click(); });

  EXPECT_TRUE(seen.Shown);
  EXPECT_GT(seen.Percent, 0);
  EXPECT_LT(seen.Percent, 100);
  EXPECT_FALSE(std::filesystem::exists(movie));
  EXPECT_TRUE(std::filesystem::is_empty(scratch.Preferences.BwfDirectory)) << "no project written";
  EXPECT_TRUE(doc.ChangeMade);
  EXPECT_TRUE(window.isWindowModified());
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Tessaly[*]")) << "no project name taken";
  EXPECT_EQ(doc.BannerSettings, before);
  EXPECT_EQ(window.App().History().UndoText(), undo);
  EXPECT_FALSE(window.App().History().CanRedo());
  EXPECT_EQ(window.App().SavedMoviePath(), "") << "the movie was never saved";
  EXPECT_EQ(PreviewPicture(), preview);
  EXPECT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
}

// While a long build runs the window thread leaves the document alone: the
// selection outline stays where it was, the recovery snapshot that comes
// due waits for the end of the build, and an undo shortcut pressed before
// the progress dialog appears does nothing.
TEST_F(MainWindowBuildThread, DuringALongBuildTheWindowLeavesTheDocumentAlone) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  // More items: the build outlasts the recovery delay with room to spare.
  document::TBannerDocument& doc = window.App().Document();
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(doc.AddShapeItem(document::TShapeDefaults{}).Added());
  window.App().SetChangeMade();
  QCoreApplication::processEvents();
  QElapsedTimer sinceChange;
  sinceChange.start();
  ASSERT_GE(doc.FindCurrentItem(), 0) << "an item is outlined";
  const document::TBannerSettings before = doc.BannerSettings;
  const QString undo = window.App().History().UndoText();
  const std::string recovery = window.App().History().RecoveryFilePath();
  ASSERT_FALSE(std::filesystem::exists(recovery));
  const QImage preview = PreviewPicture();

  bool previewKept = true;
  bool recoveryDuringBuild = false;
  QTimer::singleShot(0, [&] { QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier); });
  const TSeen seen = CancelDuring([&] { window.Playflashanimation(); }, [&] {
    previewKept = previewKept && PreviewPicture() == preview;
    recoveryDuringBuild = recoveryDuringBuild || std::filesystem::exists(recovery);
    return sinceChange.elapsed() > (RecoveryDelay + std::chrono::milliseconds(500)).count();
  });

  ASSERT_TRUE(seen.Shown) << "the build ended before the recovery came due";
  EXPECT_TRUE(previewKept) << "the outline was repainted from the document";
  EXPECT_FALSE(recoveryDuringBuild);
  EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(recovery); }, 5000))
      << "the recovery snapshot is taken once the build has ended";
  EXPECT_EQ(doc.BannerSettings, before);
  EXPECT_EQ(doc.ItemTable.Count(), 60);
  EXPECT_EQ(window.App().History().UndoText(), undo) << "no undo during the build";
  EXPECT_FALSE(window.App().History().CanRedo());
  EXPECT_EQ(PreviewPicture(), preview);
  EXPECT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front().toStdString();
}

// A size field typed into when a build starts loses the focus to the
// progress dialog; it keeps its text until it is left after the build.
TEST_F(MainWindowBuildThread, AFieldLeftDuringABuildHandsItsTextOverAfterIt) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  window.Tabs()->setCurrentIndex(wtSize);
  QSpinBox* width = window.SizePage()->WidthField();
  width->setFocus();
  width->selectAll();
  QTest::keyClicks(width, QStringLiteral("300"));
  int handedOver = 0;
  QObject::connect(window.SizePage(), &TSizeTab::WidthLeft, [&] { ++handedOver; });

  const TSeen seen = CancelDuring([&] { window.Playflashanimation(); });

  ASSERT_TRUE(seen.Shown);
  EXPECT_EQ(handedOver, 0) << "the document was changed during the build";
  EXPECT_EQ(width->text(), QStringLiteral("300"));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  width->setFocus();
  width->clearFocus();
  EXPECT_EQ(handedOver, 1);
  EXPECT_EQ(window.App().Document().BannerSettings.BannerWidth, 300);
}

}  // namespace
}  // namespace tessaly::shell::test
