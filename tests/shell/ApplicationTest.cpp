// The window's commands without a window: New, Save, Exit and closing with
// their questions, errors shown with the document unchanged, a cancelled
// build, help pages, and the field rules of the size and background tabs.

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <fstream>

#include "shell/core/Application.h"
#include "shell/core/BannerCommands.h"
#include "shell/core/HelpPages.h"
#include "shell/core/SizePresets.h"
#include "shell/core/UiText.h"
#include "support/ReferenceBanner.h"
#include "WindowTestSupport.h"

namespace tessaly::shell::test {
namespace {

std::string FileStart(const std::string& path, size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(count, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

// Answers the runner's progress as a user who pressed Cancel at once.
class TCancellingRunner : public TBuildRunner {
 public:
  void Run(const std::function<void()>& build, TBuildProgress& progress) override {
    progress.Cancelled = true;
    build();
  }
};

class ApplicationTest : public testing::Test {
 protected:
  ApplicationTest() : app(host, dialogs, scratch.Folders, scratch.Preferences, runner, opener) {
    app.StartUp();
  }

  // A shape on the banner: the document has changes.
  void AddShape() {
    ASSERT_TRUE(app.Document().AddShapeItem(document::TShapeDefaults{}).Added());
    ASSERT_TRUE(app.Document().ChangeMade);
  }
  std::string Movie(const std::string& name) const { return scratch.Preferences.SaveDirectory + name; }
  std::string Project(const std::string& name) const { return scratch.Preferences.BwfDirectory + name; }

  TScratch scratch;
  tessaly::test::TMemoryPreviewHost host;
  TScriptedDialogs dialogs;
  TInlineRunner runner;
  TRecordingOpener opener;
  TApplication app;
};

TEST_F(ApplicationTest, StartUpShowsTheFirstPreviewOfANewBanner) {
  EXPECT_FALSE(app.Document().ChangeMade);
  EXPECT_EQ(host.Width(), 468);
  EXPECT_EQ(host.Height(), 60);
  EXPECT_GE(host.Loads, 1);
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(ApplicationTest, SaveWritesTheMovieAndTheProjectAndClearsTheMark) {
  AddShape();
  QSignalSpy names(&app, &TApplication::ProjectNameChanged);
  QSignalSpy marks(&app, &TApplication::ChangeMadeChanged);
  dialogs.SaveFileName = QString::fromStdString(Movie("banner.swf"));
  ASSERT_TRUE(app.Save());

  // The default click address asks first, with the save options message.
  ASSERT_EQ(dialogs.SaveOptionsShown.size(), 1u);
  EXPECT_TRUE(dialogs.SaveOptionsShown[0].startsWith(QStringLiteral("保存选项|设置保存选项网址为用户点击后访问的页面地址.")));
  EXPECT_EQ(dialogs.SaveDialogFolder.toStdString(), scratch.Preferences.SaveDirectory);
  const std::string movie = FileStart(Movie("banner.swf"), 3);
  EXPECT_TRUE(movie == "CWS" || movie == "FWS") << movie;
  EXPECT_EQ(FileStart(Project("banner.BWF"), 5), "<BWF>");
  EXPECT_FALSE(app.Document().ChangeMade);
  ASSERT_EQ(names.count(), 1);
  EXPECT_EQ(names[0][0].toString(), QStringLiteral("banner.BWF"));
  ASSERT_GE(marks.count(), 1);
  EXPECT_FALSE(marks.back()[0].toBool());
  EXPECT_EQ(app.SavedMoviePath(), Movie("banner.swf"));
}

TEST_F(ApplicationTest, SaveCancelledAtTheUrlMessageOrTheDialogWritesNothing) {
  AddShape();
  dialogs.ContinueSaveOptions = false;
  dialogs.SaveFileName = QString::fromStdString(Movie("banner.swf"));
  EXPECT_FALSE(app.Save());
  dialogs.ContinueSaveOptions = true;
  dialogs.SaveFileName.reset();
  EXPECT_FALSE(app.Save());
  EXPECT_FALSE(std::filesystem::exists(Movie("banner.swf")));
  EXPECT_TRUE(app.Document().ChangeMade);
  EXPECT_TRUE(dialogs.Errors.empty());
}

TEST_F(ApplicationTest, AWriteErrorIsShownAndChangesNothing) {
  AddShape();
  const document::TBannerSettings before = app.Document().BannerSettings;
  dialogs.SaveFileName = QString::fromStdString(scratch.File("no-such-folder/banner.swf"));
  EXPECT_FALSE(app.Save());
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_TRUE(dialogs.Errors[0].contains(QStringLiteral("no-such-folder"))) << dialogs.Errors[0].toStdString();
  EXPECT_TRUE(app.Document().ChangeMade);
  EXPECT_EQ(app.Document().BannerSettings, before);
  EXPECT_FALSE(std::filesystem::exists(Project("banner.BWF")));
}

TEST_F(ApplicationTest, NewAsksAboutChangesAndFollowsTheAnswer) {
  struct Case {
    const char* name;
    TAnswer answer;
    bool newDocument;
    bool saved;
  };
  for (const Case& c : {Case{"cancel", TAnswer::anCancel, false, false}, Case{"no", TAnswer::anNo, true, false},
                        Case{"yes", TAnswer::anYes, true, true}}) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(Movie("new.swf"));
    AddShape();
    const int count = app.Document().ItemTable.Count();
    dialogs.Questions.clear();
    dialogs.YesNoCancelAnswers = {c.answer};
    dialogs.SaveFileName = QString::fromStdString(Movie("new.swf"));
    EXPECT_EQ(app.New(), c.newDocument);
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0], QStringLiteral("还没有保存所作的更改.现在保存吗?"));
    EXPECT_EQ(app.Document().ItemTable.Count(), c.newDocument ? 0 : count);
    EXPECT_EQ(app.Document().ChangeMade, !c.newDocument);
    EXPECT_EQ(std::filesystem::exists(Movie("new.swf")), c.saved);
  }
  // Without changes New asks nothing.
  dialogs.Questions.clear();
  EXPECT_TRUE(app.New());
  EXPECT_TRUE(dialogs.Questions.empty());
}

TEST_F(ApplicationTest, NewWhoseSaveIsCancelledKeepsTheDocument) {
  AddShape();
  dialogs.YesNoCancelAnswers = {TAnswer::anYes};
  dialogs.SaveFileName.reset();
  EXPECT_FALSE(app.New());
  EXPECT_EQ(app.Document().ItemTable.Count(), 1);
  EXPECT_TRUE(app.Document().ChangeMade);
}

TEST_F(ApplicationTest, ExitWithChangesYesSavesAndStaysOpen) {
  AddShape();
  dialogs.YesNoCancelAnswers = {TAnswer::anYes};
  dialogs.SaveFileName = QString::fromStdString(Movie("exit.swf"));
  EXPECT_FALSE(app.Exit());
  EXPECT_TRUE(std::filesystem::exists(Movie("exit.swf")));
  EXPECT_FALSE(app.Document().ChangeMade);
  // Nothing left to save: Exit ends without asking.
  dialogs.Questions.clear();
  EXPECT_TRUE(app.Exit());
  EXPECT_TRUE(dialogs.Questions.empty());
}

TEST_F(ApplicationTest, ExitAndClosingFollowNoAndCancel) {
  AddShape();
  dialogs.YesNoCancelAnswers = {TAnswer::anCancel, TAnswer::anNo, TAnswer::anCancel, TAnswer::anNo};
  EXPECT_FALSE(app.Exit());
  EXPECT_TRUE(app.Exit());
  EXPECT_FALSE(app.MayClose());
  EXPECT_TRUE(app.MayClose());
  // Closing with Yes closes only when the save went through.
  dialogs.YesNoCancelAnswers = {TAnswer::anYes, TAnswer::anYes};
  dialogs.SaveFileName.reset();
  EXPECT_FALSE(app.MayClose());
  dialogs.SaveFileName = QString::fromStdString(Movie("close.swf"));
  EXPECT_TRUE(app.MayClose());
  EXPECT_TRUE(std::filesystem::exists(Movie("close.swf")));
}

TEST_F(ApplicationTest, PlayBuildsTheAnimationAndShowingATabStopsIt) {
  app.Play();
  EXPECT_FALSE(app.Document().Playing) << "no effect chosen: Play does nothing";
  app.Document().BannerSettings.AnimationType = 7;
  app.Play();
  EXPECT_TRUE(app.Document().Playing);
  const int loads = host.Loads;
  app.TabShown();
  EXPECT_FALSE(app.Document().Playing);
  EXPECT_EQ(host.Loads, loads + 1);
  app.TabShown();
  EXPECT_EQ(host.Loads, loads + 1) << "not playing: the preview stays";
}

TEST(ApplicationCancel, ACancelledBuildChangesNothing) {
  TScratch scratch;
  tessaly::test::TMemoryPreviewHost host;
  TScriptedDialogs dialogs;
  TCancellingRunner runner;
  TRecordingOpener opener;
  TApplication app(host, dialogs, scratch.Folders, scratch.Preferences, runner, opener);
  app.StartUp();
  app.Document().BannerSettings.AnimationType = 25;  // snow: particles draw random numbers
  const document::TBannerDocument before = app.Document();
  const std::uint32_t seed = app.Random().RandomSeed;
  const int loads = host.Loads;
  app.Play();
  EXPECT_EQ(host.Loads, loads);
  EXPECT_FALSE(app.Document().Playing);
  EXPECT_EQ(app.Random().RandomSeed, seed);
  EXPECT_EQ(app.Document().BannerSettings, before.BannerSettings);
  EXPECT_TRUE(dialogs.Errors.empty());

  dialogs.SaveFileName = QString::fromStdString(scratch.File("movies/cancelled.swf"));
  EXPECT_FALSE(app.Save());
  EXPECT_FALSE(std::filesystem::exists(scratch.File("movies/cancelled.swf")));
}

TEST_F(ApplicationTest, HelpOpensTheCurrentTabsPageInTheBrowser) {
  EXPECT_EQ(TabHelpPage(7), "html\\savetab.htm");
  EXPECT_EQ(HelpTopic(TabHelpPage(7)), "tessaly.chm::/html\\savetab.htm");
  app.ShowTabHelp(7);
  ASSERT_EQ(opener.Opened.size(), 1u);
  EXPECT_EQ(opener.Opened[0], scratch.Folders.Program + "help/html/savetab.htm");
  // Every tab and context page ships with the program.
  for (int tab = 0; tab < 8; ++tab) app.ShowTabHelp(tab);
  for (int context : {0, 12, 14, 15, 16, 17, 18, 19, 24, 26, 27, 29, 31, 32, 34, 35, 40, 50, 51, 66})
    app.ShowContextHelp(context);
  EXPECT_TRUE(dialogs.Messages.empty()) << dialogs.Messages.front().toStdString();
}

TEST(HelpPages, ContextNumbersResolveThroughTheTable) {
  const std::pair<int, const char*> cases[] = {
      {0, "html\\overview.htm"},    {12, "html\\hometab.htm"},      {16, "html\\bordertab.htm"},
      {18, "html\\texttab.htm"},    {35, "html\\htmlcode.htm"},     {50, "html\\powerpreview.htm"},
      {51, "html\\powerpreview.htm"}, {66, "html\\options.htm"},    {13, "html\\overview.htm"},
      {-1, "html\\overview.htm"},
  };
  for (const auto& [context, page] : cases) EXPECT_EQ(ContextHelpPage(context), page) << context;
  EXPECT_EQ(HelpTopicFile("/opt/t/", "tessaly.chm::/html\\texttab.htm"), "/opt/t/help/html/texttab.htm");
}

TEST(SizeRules, WidthAndHeightLimitsAndMessages) {
  const TScreenSize screen{1280, 1024};
  struct Case {
    const char* text;
    bool refused;
  };
  for (const Case& c : {Case{"9", true}, Case{"10", false}, Case{"1380", false}, Case{"1381", true},
                        Case{"", true}, Case{"abc", true}, Case{"-20", true}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WidthRefusal(c.text, screen, TSizeCheck::scLeaveField).has_value(), c.refused);
  }
  EXPECT_EQ(WidthRefusal("9", screen, TSizeCheck::scLeaveField), QStringLiteral("宽度的值必须在下列范围之内: 10 ->1380"));
  EXPECT_EQ(WidthRefusal("9", screen, TSizeCheck::scPreset), QStringLiteral("宽度的值必须在下列的范围之内:10->1380"));
  EXPECT_EQ(HeightRefusal("9", screen), QStringLiteral("高度的值必须在下列的范围之内:10-> 1024"));
  EXPECT_FALSE(HeightRefusal("1024", screen));
  EXPECT_TRUE(HeightRefusal("1025", screen));
  EXPECT_EQ(BorderWidthRefusal("51"), QStringLiteral("边框的宽度值必须在 1 到 50 之间,请重设"));
  EXPECT_FALSE(BorderWidthRefusal("0"));
  EXPECT_FALSE(BorderWidthRefusal("50"));
  EXPECT_TRUE(BorderWidthRefusal("-1"));
}

TEST(SizeRules, PresetsFollowTheFieldTextsExactly) {
  EXPECT_EQ(MatchingPreset("468", "60"), 0);
  EXPECT_EQ(MatchingPreset("728", "90"), 1);
  EXPECT_EQ(MatchingPreset("120", "60"), 15);
  EXPECT_EQ(MatchingPreset("500", "60"), CustomSizePreset);
  EXPECT_EQ(MatchingPreset("0468", "60"), CustomSizePreset);
  EXPECT_EQ(PresetCaption(0), QStringLiteral("468 X 60"));
  EXPECT_EQ(PresetCaption(CustomSizePreset), QStringLiteral("自定义大小"));
}

TEST_F(ApplicationTest, RefusedSizesBeepAndKeepTheBanner) {
  TBannerCommands banner(app);
  const TScreenSize screen{800, 600};
  EXPECT_FALSE(banner.LeaveWidthField("9", screen));
  EXPECT_EQ(dialogs.Beeps, 1);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(app.Document().BannerSettings.BannerWidth, 468);
  EXPECT_TRUE(banner.LeaveWidthField("10", screen));
  EXPECT_EQ(app.Document().BannerSettings.BannerWidth, 10);
  EXPECT_EQ(host.Width(), 10);
  EXPECT_TRUE(app.Document().ChangeMade);
  // A preset wider than the screen allows is refused with the preset's message.
  EXPECT_EQ(banner.ChoosePreset(1, TScreenSize{600, 600}), 1);
  EXPECT_EQ(dialogs.Messages.back(), QStringLiteral("宽度的值必须在下列的范围之内:10->700"));
  EXPECT_EQ(banner.ChoosePreset(7, screen), 0);
  EXPECT_EQ(host.Width(), 300);
  EXPECT_EQ(host.Height(), 250);
}

TEST_F(ApplicationTest, AMissingBackgroundPictureIsRefusedForTheColour) {
  TBannerCommands banner(app);
  app.Document().BannerSettings.BackgroundType = document::TBackgroundType::btGradient;
  dialogs.PictureFileName = QString::fromStdString(scratch.File("missing.jpg"));
  EXPECT_FALSE(banner.AddBackgroundImage());
  EXPECT_EQ(dialogs.Messages.back(), QStringLiteral("指定的文件不存在,请检查."));
  EXPECT_EQ(app.Document().BannerSettings.BackgroundType, document::TBackgroundType::btColor);
}

}  // namespace
}  // namespace tessaly::shell::test
