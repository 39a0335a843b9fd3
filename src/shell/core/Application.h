#pragma once
// The application object: the one document, its build pipeline, the
// program's random source and effect engine, the preferences, and the
// commands of the main window (New, Open, Save, Exit, Play, Stop, Preview,
// help). It uses no widgets: the window gives it a preview host and a
// TUserDialogs, tests give it scripted ones.
//
// Every error a command raises is shown through TUserDialogs::ShowError;
// the document keeps its state and the program goes on.

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document/BannerDocument.h"
#include "document/BuildPipeline.h"
#include "effects/RandomGenerator.h"
#include "effects/unit_OneStepAnim.h"
#include "project/ProjectSaver.h"
#include "publish/DesktopServices.h"
#include "shell/Settings.h"
#include "shell/core/BuildRunner.h"
#include "shell/core/DeferredHost.h"
#include "shell/core/EditHistory.h"
#include "shell/core/UserDialogs.h"

namespace tessaly::shell {

class TApplication : public QObject, private document::TDocumentListener {
  Q_OBJECT

 public:
  // The host, dialogs, runner and opener outlive the application.
  TApplication(document::TPreviewHost& host, TUserDialogs& dialogs, TSettingsFolders folders,
               TPreferences preferences, TBuildRunner& runner, publish::TShellOpener& opener);
  ~TApplication() override;

  document::TBannerDocument& Document() { return document_; }
  const document::TBannerDocument& Document() const { return document_; }
  document::TBuildPipeline& Pipeline() { return pipeline_; }
  effects::TRandomGenerator& Random() { return random_; }
  TPreferences& Preferences() { return preferences_; }
  const TSettingsFolders& Folders() const { return folders_; }
  TUserDialogs& Dialogs() { return dialogs_; }
  publish::TShellOpener& Opener() { return opener_; }
  // A build runs off the window thread.
  bool Building() const { return building_; }

  // The new banner of the start-up: the size from the preferences, the
  // default click address, and the first editing preview.
  void StartUp();
  // The banner of a program that ended abnormally, offered at start-up;
  // when the user takes it, it becomes the document, changed and unsaved.
  void OfferRecovery();

  // The text of the text tab's edit box, from which Save proposes a name.
  void SetTextEditBoxSource(std::function<std::string()> source) { textEditBox_ = std::move(source); }

  // Commands. Each returns whether it went through.
  bool New();
  // The open dialog in BwfDirectory when path is empty.
  bool Open(const QString& path = {});
  bool Save();
  // Exit: true when the program may end (no changes, or the answer No);
  // Yes saves and stays open, Cancel stays open.
  bool Exit();
  // Closing the window by other means: Yes saves and closes when the save
  // went through, No closes, Cancel stays.
  bool MayClose();
  // Edit menu: the document as before the last edit / after the edit undone.
  void Undo();
  void Redo();
  TEditHistory& History() { return history_; }
  void Play();
  void Stop();
  // A tab page was shown: a playing animation stops.
  void TabShown();
  // The editing preview again (after an edit).
  void Rebuild();
  // The browser preview page of the saved movie.
  void Preview();
  // The saved movie handed to the mail program.
  void SendMail();
  // The help page of a tab, or of a help context number, in the browser.
  void ShowTabHelp(int tab);
  void ShowContextHelp(int context);
  // A web address or file in the browser.
  void OpenAddress(const std::string& address);

  // SetChangeMade: an edit in a control changed the document.
  void SetChangeMade();
  // The path of the movie the save dialog holds (empty before a save or an
  // open): what Preview, mail and FTP publish.
  std::string SavedMoviePath() const;

  // Runs a command, showing any error it raises; false when it failed.
  bool Guarded(const std::function<void()>& command);

 signals:
  // The whole document changed (New, Open): every control shows it again.
  void DocumentReplaced();
  // ChangeMade went on or off.
  void ChangeMadeChanged(bool changeMade);
  // The enabled state of delete and undelete.
  void CommandStateChanged(bool deleteEnabled, bool undeleteEnabled);
  // A project was opened or saved under this movie path (for the caption).
  void ProjectNameChanged(const QString& name);
  // A build is about to run off the window thread: until BuildEnded the
  // window thread neither reads nor writes the document.
  void BuildStarted();
  // The build is over and the document is as it left it (or as before it,
  // when it was cancelled).
  void BuildEnded();

 private:
  void PreviewRebuildRequested() override;
  void CommandsChanged(bool deleteEnabled, bool undeleteEnabled) override;
  document::TNewDocumentDefaults NewDocumentDefaults() const;
  // After an undo, a redo or a recovery: every control shows the document.
  void ShowReplacedDocument();
  void NewDocument();
  void NotifyChangeMade();
  // The save question of New, Open and closing: true when there are no
  // changes, on No, and on Yes once the save went through; false on Cancel
  // and when the save did not happen.
  bool SavedOrDiscarded();
  void OpenHelpTopic(const std::string& topic);
  // A long build off the window thread, its progress shown; a build
  // cancelled on the way leaves the document and the random source as they
  // were.
  void RunBuild(const std::function<void()>& build);
  // The build is over: no progress reports any more, and the window thread
  // may use the document again.
  void EndBuild();

  TUserDialogs& dialogs_;
  TBuildRunner& runner_;
  publish::TShellOpener& opener_;
  TSettingsFolders folders_;
  TPreferences preferences_;
  document::TBannerDocument document_;
  effects::TRandomGenerator random_;
  effects::TOneStepAnim effects_;
  project::TProjectFileSaver projectSaver_;
  TDeferredHost host_;
  document::TBuildPipeline pipeline_;
  TEditHistory history_;
  std::function<std::string()> textEditBox_;
  QString openDialogFolder_;
  bool changeMadeShown_ = false;
  bool building_ = false;
};

}  // namespace tessaly::shell
