#include "shell/core/Application.h"

#include <filesystem>

#include "project/ProjectReader.h"
#include "publish/EmbedHtml.h"
#include "publish/MailSend.h"
#include "shell/core/HelpPages.h"
#include "shell/core/ProjectDialogs.h"
#include "shell/core/RecoveryFile.h"
#include "shell/core/UiText.h"

namespace tessaly::shell {

TApplication::TApplication(document::TPreviewHost& host, TUserDialogs& dialogs, TSettingsFolders folders,
                           TPreferences preferences, TBuildRunner& runner, publish::TShellOpener& opener)
    : dialogs_(dialogs),
      runner_(runner),
      opener_(opener),
      folders_(std::move(folders)),
      preferences_(std::move(preferences)),
      effects_(random_, folders_.Program),
      host_(host),
      pipeline_(document_, host_, &effects_, &projectSaver_),
      history_(document_, folders_.Recovery.empty() ? RecoveryFolder() : folders_.Recovery) {
  document_.SetListener(this);
  connect(this, &TApplication::ChangeMadeChanged, &history_, &TEditHistory::ChangeMadeChanged);
  connect(this, &TApplication::BuildStarted, &history_, &TEditHistory::BuildStarted);
  connect(this, &TApplication::BuildEnded, &history_, &TEditHistory::BuildEnded);
}

TApplication::~TApplication() { document_.SetListener(nullptr); }

void TApplication::StartUp() {
  NewDocument();
  document_.ChangeMade = false;
  history_.Saved();
  NotifyChangeMade();
}

void TApplication::OfferRecovery() {
  const std::optional<TDocumentState> recovered = history_.OfferRecovery(dialogs_);
  if (!recovered) return;
  Guarded([&] { RestoreState(document_, *recovered); });
  pipeline_.ClearSaveDialogFileName();
  emit ProjectNameChanged(QString());
  emit DocumentReplaced();
  history_.Replaced();
  document_.ChangeMade = true;
  NotifyChangeMade();
  TEditHistory::ReportMissingPictures(*recovered, dialogs_);
}

void TApplication::Undo() {
  if (Guarded([this] { history_.Undo(); })) ShowReplacedDocument();
}

void TApplication::Redo() {
  if (Guarded([this] { history_.Redo(); })) ShowReplacedDocument();
}

void TApplication::ShowReplacedDocument() {
  emit DocumentReplaced();
  NotifyChangeMade();
}

document::TNewDocumentDefaults TApplication::NewDocumentDefaults() const {
  // The animation tab keeps its layer boxes, loops and delays.
  const document::TBannerSettings& s = document_.BannerSettings;
  document::TNewDocumentDefaults defaults;
  defaults.BannerWidth = preferences_.BannerWidth;
  defaults.BannerHeight = preferences_.BannerHeight;
  defaults.AnimateBackground = s.AnimateBackground;
  defaults.AnimateShapes = s.AnimateShapes;
  defaults.AnimateImages = s.AnimateImages;
  defaults.AnimateText = s.AnimateText;
  defaults.AnimationLoop = s.AnimationLoop;
  defaults.AnimationFirstFrame = s.AnimationFirstFrame;
  defaults.AnimationLastFrame = s.AnimationLastFrame;
  return defaults;
}

void TApplication::NewDocument() {
  Guarded([this] { document_.NewDocument(NewDocumentDefaults()); });
  pipeline_.ClearSaveDialogFileName();
  emit ProjectNameChanged(QString());
  emit DocumentReplaced();
  history_.Replaced();
}

bool TApplication::SavedOrDiscarded() {
  if (!document_.ChangeMade) return true;
  switch (dialogs_.AskYesNoCancel(Ui(text::SaveChangesQuestion))) {
    case TAnswer::anYes:
      // A save that did not happen leaves the changes to keep.
      return Save();
    case TAnswer::anNo:
      return true;
    case TAnswer::anCancel:
      break;
  }
  return false;
}

bool TApplication::New() {
  if (!SavedOrDiscarded()) return false;
  NewDocument();
  document_.ChangeMade = false;
  history_.Saved();
  NotifyChangeMade();
  return true;
}

bool TApplication::Open(const QString& path) {
  QString chosen = path;
  if (chosen.isEmpty()) {
    if (openDialogFolder_.isEmpty()) openDialogFolder_ = QString::fromStdString(preferences_.BwfDirectory);
    const std::optional<QString> answer = dialogs_.AskOpenFileName(openDialogFolder_);
    if (!answer) return false;
    chosen = *answer;
    openDialogFolder_ = QString::fromStdString(std::filesystem::path(chosen.toStdString()).parent_path().string());
  }
  if (!SavedOrDiscarded()) return false;
  // Pictures stored with relative paths are found from the project's
  // folder, as the open dialog leaves the current folder there.
  std::error_code error;
  const std::filesystem::path project = std::filesystem::absolute(chosen.toStdString(), error);
  if (!error) std::filesystem::current_path(project.parent_path(), error);
  TProjectDialogs loadHost(dialogs_, preferences_);
  project::TProjectReadContext context;
  context.NewDocument = NewDocumentDefaults();
  project::TLoadResult result;
  const bool read = Guarded([&] { result = project::LoadProject(document_, project.string(), context, loadHost); });
  if (!read || !result.Loaded) return false;
  pipeline_.SetSaveDialogFileName(result.MovieFileName);
  document_.ChangeMade = false;
  emit ProjectNameChanged(QString::fromStdString(project.filename().string()));
  emit DocumentReplaced();
  history_.Replaced();
  history_.Saved();
  NotifyChangeMade();
  return true;
}

bool TApplication::Save() {
  // The build thread asks for the text tab's edit box: it is read here, on
  // the window thread, before the build.
  const std::string editBoxText = textEditBox_ ? textEditBox_() : std::string();
  const std::function<std::string()> editBox = [&editBoxText] { return editBoxText; };
  TSaveDialogsAdapter dialogs(dialogs_, document_, editBox);
  document::TSaveResult result = document::TSaveResult::srCancelled;
  const document::TSaveFolders folders{preferences_.SaveDirectory, preferences_.BwfDirectory};
  const bool done = Guarded([&] { RunBuild([&] { result = pipeline_.Save(dialogs, folders); }); });
  NotifyChangeMade();
  if (!done || result != document::TSaveResult::srSaved) return false;
  history_.Saved();
  emit ProjectNameChanged(QString::fromStdString(
      std::filesystem::path(pipeline_.SaveDialogFileName()).replace_extension(".BWF").string()));
  return true;
}

bool TApplication::Exit() {
  if (!document_.ChangeMade) return true;
  switch (dialogs_.AskYesNoCancel(Ui(text::SaveChangesQuestion))) {
    case TAnswer::anYes:
      Save();
      return false;
    case TAnswer::anNo:
      return true;
    case TAnswer::anCancel:
      break;
  }
  return false;
}

bool TApplication::MayClose() { return SavedOrDiscarded(); }

void TApplication::Play() {
  Guarded([this] { RunBuild([this] { pipeline_.PlayAnimation(); }); });
}

void TApplication::Stop() {
  Guarded([this] { pipeline_.StopAnimation(); });
}

void TApplication::TabShown() {
  Guarded([this] { pipeline_.StopIfPlaying(); });
}

void TApplication::Rebuild() {
  Guarded([this] { pipeline_.Refresh(); });
}

void TApplication::SetChangeMade() {
  document_.ChangeMade = true;
  NotifyChangeMade();
}

std::string TApplication::SavedMoviePath() const {
  const std::string& name = pipeline_.SaveDialogFileName();
  if (name.empty()) return {};
  const std::string& folder = pipeline_.SaveDialogFolder();
  return folder.empty() ? name : (std::filesystem::path(folder) / name).string();
}

void TApplication::Preview() {
  Guarded([this] {
    const document::TBannerSettings& s = document_.BannerSettings;
    const publish::TBannerGeometry banner{host_.Width(), host_.Height(), s.BackgroundShape};
    const std::optional<std::string> message =
        publish::PreviewMovie(SavedMoviePath(), banner, publish::TempFolder(), opener_);
    if (message) dialogs_.ShowMessage(Ui(*message));
  });
}

void TApplication::SendMail() {
  Guarded([this] {
    publish::TDetachedProcessRunner runner;
    const std::optional<std::string> message =
        publish::SendMovieByMail(SavedMoviePath(), runner, publish::SearchPath());
    if (message) dialogs_.ShowMessage(Ui(*message));
  });
}

void TApplication::ShowTabHelp(int tab) { OpenHelpTopic(HelpTopic(TabHelpPage(tab))); }

void TApplication::ShowContextHelp(int context) { OpenHelpTopic(HelpTopic(ContextHelpPage(context))); }

void TApplication::OpenHelpTopic(const std::string& topic) {
  const std::filesystem::path page = HelpTopicFile(folders_.Program, topic);
  if (!std::filesystem::exists(page)) {
    dialogs_.ShowMessage(Ui(text::HelpPageMissing) + QString::fromStdString(page.string()));
    return;
  }
  OpenAddress(page.string());
}

void TApplication::OpenAddress(const std::string& address) {
  Guarded([&] {
    if (!opener_.Open(address)) dialogs_.ShowMessage(Ui(publish::MsgNoBrowser) + QString::fromStdString(address));
  });
}

bool TApplication::Guarded(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const document::TBuildCancelled&) {
    return false;
  } catch (const std::exception& error) {
    dialogs_.ShowError(QString::fromStdString(error.what()));
  }
  NotifyChangeMade();
  return false;
}

void TApplication::RunBuild(const std::function<void()>& build) {
  // A cancelled build leaves the document and the random source as they
  // were before it.
  const document::TBannerDocument documentBefore = document_;
  const effects::TRandomGenerator randomBefore = random_;
  TBuildProgress progress;
  host_.Defer(progress);
  pipeline_.SetProgressEvent([&progress](int percent, document::TBuildPhase phase) {
    progress.Percent = percent;
    progress.Phase = phase;
    if (progress.Cancelled) throw document::TBuildCancelled();
  });
  building_ = true;
  emit BuildStarted();
  try {
    runner_.Run(build, progress);
  } catch (const document::TBuildCancelled&) {
    host_.Discard();
    document_ = documentBefore;
    random_ = randomBefore;
    EndBuild();
    throw;
  } catch (...) {
    EndBuild();
    host_.Replay();
    throw;
  }
  EndBuild();
  host_.Replay();
}

void TApplication::EndBuild() {
  building_ = false;
  pipeline_.SetProgressEvent(nullptr);
  emit BuildEnded();
}

void TApplication::PreviewRebuildRequested() {
  Guarded([this] { pipeline_.BuildPreviewMovie(); });
  history_.Edited();
  NotifyChangeMade();
}

void TApplication::CommandsChanged(bool deleteEnabled, bool undeleteEnabled) {
  emit CommandStateChanged(deleteEnabled, undeleteEnabled);
}

void TApplication::NotifyChangeMade() {
  if (document_.ChangeMade == changeMadeShown_) return;
  changeMadeShown_ = document_.ChangeMade;
  emit ChangeMadeChanged(changeMadeShown_);
}

}  // namespace tessaly::shell
