#include "WindowTestSupport.h"

#include <unistd.h>

#include <atomic>

#include "platform/ProgramFolder.h"

namespace tessaly::shell::test {

TAnswer TScriptedDialogs::AskYesNoCancel(const QString& question) {
  Questions.push_back(question);
  if (YesNoCancelAnswers.empty()) return TAnswer::anCancel;
  const TAnswer answer = YesNoCancelAnswers.front();
  YesNoCancelAnswers.pop_front();
  return answer;
}

bool TScriptedDialogs::AskYesNo(const QString& question) {
  Questions.push_back(question);
  if (YesNoAnswers.empty()) return false;
  const bool answer = YesNoAnswers.front();
  YesNoAnswers.pop_front();
  return answer;
}

bool TScriptedDialogs::ConfirmSaveOptions(const QString& caption, const QString& message) {
  SaveOptionsShown.push_back(caption + QLatin1Char('|') + message);
  return ContinueSaveOptions;
}

std::optional<QString> TScriptedDialogs::AskSaveFileName(const QString& folder, const QString& fileName) {
  SaveDialogFolder = folder;
  SaveDialogProposal = fileName;
  return SaveFileName;
}

std::optional<QString> TScriptedDialogs::AskExportFileName(const QString& title, const QString&,
                                                           const QString& proposal) {
  ExportDialogTitle = title;
  ExportDialogProposal = proposal;
  return ExportFileName;
}

std::optional<QString> TScriptedDialogs::AskOpenFileName(const QString&) { return OpenFileName; }

std::optional<QString> TScriptedDialogs::AskPictureFileName(const QString&) { return PictureFileName; }

TScratch::TScratch() {
  static std::atomic<int> serial{0};
  Path = std::filesystem::temp_directory_path() /
         ("tessaly-window-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
  std::filesystem::remove_all(Path);
  std::filesystem::create_directories(Path / "movies");
  std::filesystem::create_directories(Path / "projects");
  Folders = {platform::ProgramFolder(), Path.string() + "/", Path.string() + "/state"};
  Store = std::make_unique<QSettings>(QString::fromStdString((Path / "settings.ini").string()), QSettings::IniFormat);
  Preferences = LoadSettings(*Store, Folders);
  Preferences.SaveDirectory = (Path / "movies").string() + "/";
  Preferences.BwfDirectory = (Path / "projects").string() + "/";
  Preferences.BackgroundDirectory = Folders.Program + "backgrounds/";
}

TScratch::~TScratch() {
  Store.reset();
  std::error_code error;
  std::filesystem::remove_all(Path, error);
}

}  // namespace tessaly::shell::test
