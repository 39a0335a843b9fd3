#include "shell/core/ProjectDialogs.h"

#include "platform/GifDecoder.h"
#include "shell/core/BackgroundList.h"
#include "shell/core/PictureChecks.h"
#include "shell/core/UiText.h"

namespace tessaly::shell {

bool TSaveDialogsAdapter::ConfirmDefaultUrl() {
  return dialogs_.ConfirmSaveOptions(Ui(document::SaveOptionsCaption), Ui(document::SaveOptionsText));
}

std::optional<std::string> TSaveDialogsAdapter::AskSaveFileName(const std::string& InitialFolder,
                                                                const std::string& FileName) {
  const std::optional<QString> chosen =
      dialogs_.AskSaveFileName(QString::fromStdString(InitialFolder), QString::fromStdString(FileName));
  if (!chosen) return std::nullopt;
  return chosen->toStdString();
}

document::TSaveOptions TSaveDialogsAdapter::ReadSaveOptions() {
  const document::TBannerSettings& s = document_.BannerSettings;
  return {s.URL, s.TargetChoice, s.TargetWindowName, s.Compress, s.FlashVersion, s.UseClickTag};
}

std::string TSaveDialogsAdapter::TextEditBoxText() { return textEditBox_ ? textEditBox_() : std::string(); }

void TProjectDialogs::Warn(const std::string& message) { dialogs_.ShowMessage(Ui(message)); }

bool TProjectDialogs::AskYesNo(const std::string& question) { return dialogs_.AskYesNo(Ui(question)); }

std::string TProjectDialogs::ChoosePicture() {
  const std::optional<QString> chosen =
      dialogs_.AskPictureFileName(QString::fromStdString(preferences_.ImageDirectory));
  return chosen ? chosen->toStdString() : std::string();
}

void TProjectDialogs::ShowMessage(const std::string& message) { dialogs_.ShowMessage(Ui(message)); }

std::string TProjectDialogs::BuiltInBackground(const std::string& name) {
  for (const std::string& entry : BackgroundFiles(preferences_.BackgroundDirectory))
    if (entry == name) return preferences_.BackgroundDirectory + entry;
  return {};
}

std::int32_t TProjectDialogs::ChooseGifFrame(const std::string& path) {
  // A picture that cannot be read is reported by the build that uses it.
  try {
    const platform::TGifImage gif = platform::TGifImage::LoadFromFile(path);
    if (!IsAnimatedGif(gif)) return -1;
    return dialogs_.AskGifFrame(QString::fromStdString(path), gif.FrameCount());
  } catch (const std::exception&) {
    return -1;
  }
}

}  // namespace tessaly::shell
