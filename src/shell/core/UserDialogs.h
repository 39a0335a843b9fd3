#pragma once
// What the commands ask of the user: questions, messages and the file
// dialogs. The window answers with modal message boxes and file dialogs;
// tests answer from a script, so every command runs without a window.

#include <QString>

#include <cstdint>
#include <optional>

#include "shell/core/UserMessages.h"

namespace tessaly::shell {

enum class TAnswer { anYes, anNo, anCancel };

// The commands of the dialogs below the widgets use the same object through
// TUserMessages.
class TUserDialogs : public TUserMessages {
 public:
  // A question with Yes, No and Cancel.
  virtual TAnswer AskYesNoCancel(const QString& question) = 0;
  // A question with Yes (true) and No (false).
  virtual bool AskYesNo(const QString& question) = 0;
  // A message with OK, titled with the program's name.
  virtual void ShowMessage(const QString& message) = 0;
  // The error of a failed command.
  virtual void ShowError(const QString& message) = 0;
  // The save options message: caption "保存选项", buttons "  继续  "
  // (true) and " 取消 " (false).
  virtual bool ConfirmSaveOptions(const QString& caption, const QString& message) = 0;
  // The save dialog ("保存横幅为", "Flash 文件 (*.swf)", overwrite prompt)
  // in folder with fileName proposed; nothing when cancelled.
  virtual std::optional<QString> AskSaveFileName(const QString& folder, const QString& fileName) = 0;
  // The save dialog of an export titled title, with the filter (Qt's
  // "name (*.ext);;..." form) and proposal, a path; nothing when cancelled.
  virtual std::optional<QString> AskExportFileName(const QString& title, const QString& filter,
                                                   const QString& proposal) = 0;
  // The open dialog for projects, starting in folder.
  virtual std::optional<QString> AskOpenFileName(const QString& folder) = 0;
  // The picture dialog, starting in folder.
  virtual std::optional<QString> AskPictureFileName(const QString& folder) = 0;
  // The frame to use of an animated GIF of frameCount frames (from 1);
  // -1 when cancelled.
  virtual std::int32_t AskGifFrame(const QString& path, int frameCount) = 0;
  // The warning sound of a refused value.
  virtual void Beep() = 0;
};

}  // namespace tessaly::shell
