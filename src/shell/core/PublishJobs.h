#pragma once
// The network work of the FTP command and of "检查更新", run as background
// jobs: what each one does and the one message it ends with.

#include <memory>
#include <string>
#include <string_view>

#include "publish/FtpPublish.h"
#include "publish/FtpSites.h"
#include "shell/core/BackgroundJob.h"

namespace tessaly::shell {

inline constexpr std::string_view MsgFtpUploadCancelled = "FTP上传已取消.";

// Uploads the movie with the selection dialog's fields through `client`
// (kept alive by the work while it runs): Done with "The file was successfully
// uploaded.", Cancelled with MsgFtpUploadCancelled, or Failed with the
// step and the reason.
TJobWork FtpUploadWork(publish::FTPRec fields, std::string moviePath,
                       std::shared_ptr<publish::TFtpClient> client);

// Asks `url` for the newest version and compares it with `currentVersion`:
// Done with the newer version and its address, or with "you have the newest
// version"; Failed with "无法检查更新: " and the reason; Cancelled.
TJobWork UpdateCheckWork(std::string currentVersion, std::string url);

}  // namespace tessaly::shell
