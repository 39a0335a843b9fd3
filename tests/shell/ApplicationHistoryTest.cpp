// Undo, redo and the recovery file through the application object, as the
// window uses them: the notice of an edit waits for the event loop.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

#include "platform/SafeFile.h"
#include "shell/HistoryTestSupport.h"
#include "shell/core/Application.h"
#include "shell/core/BannerCommands.h"
#include "shell/core/RecoveryFile.h"
#include "support/ReferenceBanner.h"
#include "WindowTestSupport.h"

namespace tessaly::shell::test {
namespace {

namespace fs = std::filesystem;

// The id of a process that has ended.
pid_t EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

class ApplicationHistoryTest : public testing::Test {
 protected:
  ApplicationHistoryTest() : app(host, dialogs, scratch.Folders, scratch.Preferences, runner, opener) {
    app.StartUp();
  }

  // An edit as a control makes it, then the event loop runs.
  void AddShape() {
    ASSERT_TRUE(app.Document().AddShapeItem(document::TShapeDefaults{}).Added());
    QCoreApplication::processEvents();
  }
  std::string OwnRecoveryFile() const { return RecoveryPath(scratch.Folders.Recovery, ::getpid()); }

  TScratch scratch;
  tessaly::test::TMemoryPreviewHost host;
  TScriptedDialogs dialogs;
  TInlineRunner runner;
  TRecordingOpener opener;
  TApplication app;
};

TEST_F(ApplicationHistoryTest, UndoAndRedoNameTheirStepAndShowTheDocumentAgain) {
  EXPECT_FALSE(app.History().CanUndo());
  EXPECT_EQ(app.History().UndoText(), QStringLiteral("撤销"));
  AddShape();
  EXPECT_EQ(app.History().UndoText(), QStringLiteral("撤销 添加外形"));
  QSignalSpy replaced(&app, &TApplication::DocumentReplaced);
  const int loads = host.Loads;
  app.Undo();
  EXPECT_EQ(app.Document().ItemTable.Count(), 0);
  EXPECT_FALSE(app.Document().ChangeMade) << "back at the new banner";
  EXPECT_EQ(replaced.count(), 1);
  EXPECT_GT(host.Loads, loads) << "the preview was rebuilt";
  EXPECT_EQ(app.History().RedoText(), QStringLiteral("重做 添加外形"));
  app.Redo();
  EXPECT_EQ(app.Document().ItemTable.Count(), 1);
  EXPECT_FALSE(app.History().CanRedo());

  // A new edit after an undo leaves nothing to redo, and the menu hears of it.
  app.Undo();
  QSignalSpy history(&app.History(), &TEditHistory::HistoryChanged);
  AddShape();
  EXPECT_FALSE(app.History().CanRedo());
  EXPECT_EQ(history.count(), 1);

  dialogs.YesNoCancelAnswers = {TAnswer::anNo};
  ASSERT_TRUE(app.New());
  QCoreApplication::processEvents();
  EXPECT_FALSE(app.History().CanUndo()) << "a new banner starts without steps";
}

// Plays ops on the application and gives ChangeMade after each, as the
// caption shows it: 'E' add a shape, 'A' change the click address (a
// setting that takes effect at save), 'U' undo, 'R' redo, 'S' save, 'N' New
// dropping the changes.
TEST_F(ApplicationHistoryTest, UndoAndRedoBackToTheSavedBannerClearTheMark) {
  const struct {
    const char* name;
    const char* ops;
    const char* marks;
  } cases[] = {
      {"undo to the new banner", "EU", "10"},
      {"redo leaves it again", "EUR", "101"},
      {"after a save, undo marks and redo clears", "ESUR", "1010"},
      {"a setting of the save tab undoes to the saved banner", "SAU", "010"},
      {"an edit after undoing to the saved banner", "EUEU", "1010"},
      {"an edit after undoing past the save drops it", "ESUEUR", "101111"},
      {"New is saved as it is", "ENEU", "1010"},
  };
  for (const auto& c : cases) {
    dialogs.YesNoCancelAnswers = {TAnswer::anNo};
    ASSERT_TRUE(app.New());
    QCoreApplication::processEvents();
    QSignalSpy shown(&app, &TApplication::ChangeMadeChanged);
    std::string marks;
    for (const char op : std::string(c.ops)) {
      switch (op) {
        case 'E':
          AddShape();
          break;
        case 'A':
          TBannerCommands(app).SetUrl("http://example.org/" + std::to_string(marks.size()));
          break;
        case 'U':
          app.Undo();
          break;
        case 'R':
          app.Redo();
          break;
        case 'S':
          fs::remove(scratch.Preferences.SaveDirectory + "banner.swf");
          dialogs.SaveFileName = QString::fromStdString(scratch.Preferences.SaveDirectory + "banner.swf");
          ASSERT_TRUE(app.Save()) << c.name;
          break;
        case 'N':
          dialogs.YesNoCancelAnswers = {TAnswer::anNo};
          ASSERT_TRUE(app.New()) << c.name;
          break;
      }
      QCoreApplication::processEvents();
      marks += app.Document().ChangeMade ? '1' : '0';
    }
    EXPECT_EQ(marks, c.marks) << c.name;
    if (!shown.isEmpty()) {
      EXPECT_EQ(shown.last().at(0).toBool(), app.Document().ChangeMade) << c.name;
    }
  }
}

TEST_F(ApplicationHistoryTest, UnsavedChangesAreKeptInTheRecoveryFileUntilDropped) {
  AddShape();
  EXPECT_FALSE(fs::exists(OwnRecoveryFile())) << "not at once";
  QTest::qWait(static_cast<int>(RecoveryDelay.count()) + 500);
  app.History().WriteRecoveryNow();
  ASSERT_TRUE(fs::exists(OwnRecoveryFile())) << "a few seconds after the change";
  const TDocumentState kept = StateFromRecovery(platform::ReadWholeFile(OwnRecoveryFile()));
  EXPECT_EQ(DesignLines(kept), DesignLines(StateOf(app.Document())));

  dialogs.YesNoCancelAnswers = {TAnswer::anNo};
  ASSERT_TRUE(app.New());
  app.History().WriteRecoveryNow();
  EXPECT_FALSE(fs::exists(OwnRecoveryFile())) << "New drops the changes and the file";
}

TEST_F(ApplicationHistoryTest, ABannerLeftByAnEndedProgramIsOfferedAndRestored) {
  TDocumentState left;
  document::TFlashObjects& text = left.ItemTable.Append();
  text.Kind = document::ItemKind::ikText;
  text.Text = "한국어 😀";
  text.FontName = "Arial";
  text.FontSize = 14;
  document::TFlashObjects& picture = left.ItemTable.Append();
  picture.Kind = document::ItemKind::ikImage;
  picture.ImageFileName = scratch.File("gone.png");
  picture.Width = picture.Height = 10;
  left.BannerSettings.BannerWidth = 300;
  const std::string orphan = RecoveryPath(scratch.Folders.Recovery, EndedProcess());
  WriteRecoveryFile(orphan, RecoveryBytes(left));
  const std::string running = RecoveryPath(scratch.Folders.Recovery, ::getppid());
  WriteRecoveryFile(running, RecoveryBytes(left));

  dialogs.YesNoAnswers = {true};
  app.OfferRecovery();
  ASSERT_EQ(dialogs.Questions.size(), 1u) << "only the ended program's banner is offered";
  EXPECT_EQ(dialogs.Questions[0], QStringLiteral("发现上次未保存的横幅. 是否恢复?"));
  EXPECT_EQ(DesignLines(StateOf(app.Document())), DesignLines(left));
  EXPECT_TRUE(app.Document().ChangeMade);
  EXPECT_EQ(host.Width(), 300);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_TRUE(dialogs.Messages[0].endsWith(QString::fromStdString("\n" + scratch.File("gone.png"))));
  EXPECT_FALSE(fs::exists(orphan));
  EXPECT_TRUE(fs::exists(OwnRecoveryFile())) << "taken over as this program's own";
  EXPECT_TRUE(fs::exists(running)) << "a running program's file is not touched";
}

TEST_F(ApplicationHistoryTest, ADeclinedOrDamagedBannerIsRemoved) {
  const std::string declined = RecoveryPath(scratch.Folders.Recovery, EndedProcess());
  WriteRecoveryFile(declined, RecoveryBytes(TDocumentState{}));
  dialogs.YesNoAnswers = {false};
  app.OfferRecovery();
  EXPECT_EQ(dialogs.Questions.size(), 1u);
  EXPECT_FALSE(fs::exists(declined));
  EXPECT_FALSE(fs::exists(OwnRecoveryFile()));
  EXPECT_FALSE(app.Document().ChangeMade);

  const std::string damaged = RecoveryPath(scratch.Folders.Recovery, EndedProcess());
  WriteRecoveryFile(damaged, "<BWF>\r\n");
  dialogs.YesNoAnswers = {true};
  app.OfferRecovery();
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_TRUE(dialogs.Messages[0].startsWith(QStringLiteral("恢复文件已损坏")));
  EXPECT_FALSE(fs::exists(OwnRecoveryFile()));
  EXPECT_EQ(app.Document().ItemTable.Count(), 0);
}

}  // namespace
}  // namespace tessaly::shell::test
