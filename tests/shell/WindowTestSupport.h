#pragma once
// Helpers of the application and main window tests: dialogs answered from a
// script, an opener that records what the browser would show, and a scratch
// folder with the preferences pointing into it.

#include <QSettings>
#include <QString>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "publish/DesktopServices.h"
#include "shell/Settings.h"
#include "shell/core/UserDialogs.h"

namespace tessaly::shell::test {

class TScriptedDialogs : public TUserDialogs {
 public:
  void Inform(const std::string& text) override { Messages.push_back(QString::fromStdString(text)); }
  bool Confirm(const std::string& question) override { return AskYesNo(QString::fromStdString(question)); }
  TAnswer AskYesNoCancel(const QString& question) override;
  bool AskYesNo(const QString& question) override;
  void ShowMessage(const QString& message) override { Messages.push_back(message); }
  void ShowError(const QString& message) override { Errors.push_back(message); }
  bool ConfirmSaveOptions(const QString& caption, const QString& message) override;
  std::optional<QString> AskSaveFileName(const QString& folder, const QString& fileName) override;
  std::optional<QString> AskExportFileName(const QString& title, const QString& filter,
                                           const QString& proposal) override;
  std::optional<QString> AskOpenFileName(const QString& folder) override;
  std::optional<QString> AskPictureFileName(const QString& folder) override;
  std::int32_t AskGifFrame(const QString&, int) override { return -1; }
  void Beep() override { ++Beeps; }

  // Answers, taken in order; an empty queue answers Cancel / No / cancelled.
  std::deque<TAnswer> YesNoCancelAnswers;
  std::deque<bool> YesNoAnswers;
  bool ContinueSaveOptions = true;
  std::optional<QString> SaveFileName;
  std::optional<QString> ExportFileName;
  std::optional<QString> OpenFileName;
  std::optional<QString> PictureFileName;

  // What was shown and asked.
  std::vector<QString> Questions;
  std::vector<QString> Messages;
  std::vector<QString> Errors;
  std::vector<QString> SaveOptionsShown;
  QString SaveDialogFolder;
  QString SaveDialogProposal;
  QString ExportDialogTitle;
  QString ExportDialogProposal;
  int Beeps = 0;
};

class TRecordingOpener : public publish::TShellOpener {
 public:
  bool Open(const std::string& target) override {
    Opened.push_back(target);
    return true;
  }
  std::vector<std::string> Opened;
};

// A scratch folder for one test, removed afterwards, with preferences whose
// folders lie in it (the program folder is the build's bin/, which holds the
// assets).
class TScratch {
 public:
  TScratch();
  ~TScratch();
  std::filesystem::path Path;
  TSettingsFolders Folders;
  TPreferences Preferences;
  std::unique_ptr<QSettings> Store;
  std::string File(const std::string& name) const { return (Path / name).string(); }
};

}  // namespace tessaly::shell::test
