#pragma once
// The dialogs of the pipeline's save command and of the project reader,
// answered through the application's TUserDialogs.

#include <functional>
#include <string>

#include "document/BuildPipeline.h"
#include "project/ProjectReader.h"
#include "shell/Settings.h"
#include "shell/core/UserDialogs.h"

namespace tessaly::shell {

class TSaveDialogsAdapter : public document::TSaveDialogs {
 public:
  // textEditBox gives the text tab's edit box (empty when unset).
  TSaveDialogsAdapter(TUserDialogs& dialogs, const document::TBannerDocument& document,
                      const std::function<std::string()>& textEditBox)
      : dialogs_(dialogs), document_(document), textEditBox_(textEditBox) {}

  bool ConfirmDefaultUrl() override;
  std::optional<std::string> AskSaveFileName(const std::string& InitialFolder, const std::string& FileName) override;
  // The save tab writes its controls into the settings at once.
  document::TSaveOptions ReadSaveOptions() override;
  std::string TextEditBoxText() override;

 private:
  TUserDialogs& dialogs_;
  const document::TBannerDocument& document_;
  const std::function<std::string()>& textEditBox_;
};

// The reader's questions and warnings, shown as message boxes. The save
// question belongs to the Open command, which asks it before the load.
class TProjectDialogs : public project::TProjectLoadHost {
 public:
  TProjectDialogs(TUserDialogs& dialogs, const TPreferences& preferences)
      : dialogs_(dialogs), preferences_(preferences) {}

  void Warn(const std::string& message) override;
  bool AskYesNo(const std::string& question) override;
  std::string ChoosePicture() override;
  void ShowMessage(const std::string& message) override;
  std::string BuiltInBackground(const std::string& name) override;
  std::int32_t ChooseGifFrame(const std::string& path) override;

 private:
  TUserDialogs& dialogs_;
  const TPreferences& preferences_;
};

}  // namespace tessaly::shell
