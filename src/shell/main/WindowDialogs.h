#pragma once
// The window's answers to the commands' questions: modal message boxes and
// file dialogs. A question asked from a build thread is put to the user on
// the window thread, which waits meanwhile.

#include <QPointer>
#include <QWidget>

#include "shell/core/UserDialogs.h"

namespace tessaly::shell {

class TWindowDialogs : public TUserDialogs {
 public:
  explicit TWindowDialogs(QWidget* window) : window_(window) {}

  void Inform(const std::string& text) override;
  bool Confirm(const std::string& question) override;
  TAnswer AskYesNoCancel(const QString& question) override;
  bool AskYesNo(const QString& question) override;
  void ShowMessage(const QString& message) override;
  void ShowError(const QString& message) override;
  bool ConfirmSaveOptions(const QString& caption, const QString& message) override;
  std::optional<QString> AskSaveFileName(const QString& folder, const QString& fileName) override;
  std::optional<QString> AskExportFileName(const QString& title, const QString& filter,
                                           const QString& proposal) override;
  std::optional<QString> AskOpenFileName(const QString& folder) override;
  std::optional<QString> AskPictureFileName(const QString& folder) override;
  std::int32_t AskGifFrame(const QString& path, int frameCount) override;
  void Beep() override;

 private:
  QPointer<QWidget> window_;
};

}  // namespace tessaly::shell
