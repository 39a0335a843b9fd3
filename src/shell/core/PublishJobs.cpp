#include "shell/core/PublishJobs.h"

#include <utility>

#include "publish/UpdateCheck.h"

namespace tessaly::shell {

TJobWork FtpUploadWork(publish::FTPRec fields, std::string moviePath,
                       std::shared_ptr<publish::TFtpClient> client) {
  return [fields = std::move(fields), moviePath = std::move(moviePath), client = std::move(client)](
             const std::atomic<bool>& cancel, const TJobProgress& progress) -> TJobResult {
    publish::TUploadControl control;
    control.Progress = progress;
    control.Cancel = &cancel;
    try {
      std::string message;
      for (const std::string& line : publish::PublishByFtp(fields, moviePath, *client, control))
        message += (message.empty() ? "" : "\n") + line;
      return {TJobOutcome::Done, message};
    } catch (const publish::EFtpCancelled&) {
      return {TJobOutcome::Cancelled, std::string(MsgFtpUploadCancelled)};
    }
  };
}

TJobWork UpdateCheckWork(std::string currentVersion, std::string url) {
  return [currentVersion = std::move(currentVersion), url = std::move(url)](
             const std::atomic<bool>& cancel, const TJobProgress&) -> TJobResult {
    const publish::TUpdateResult result = publish::CheckForUpdate(currentVersion, url, &cancel);
    switch (result.Status) {
      case publish::TUpdateStatus::Newer:
      case publish::TUpdateStatus::Current: return {TJobOutcome::Done, result.Message};
      case publish::TUpdateStatus::Cancelled: return {TJobOutcome::Cancelled, {}};
      case publish::TUpdateStatus::Failed: break;
    }
    return {TJobOutcome::Failed, result.Message};
  };
}

}  // namespace tessaly::shell
