#pragma once
// The FTP command's upload: a progress dialog (bytes sent of the total,
// Cancel) while the movie goes to the site on its own thread; the window
// stays responsive. Its end is shown in one message.

#include <QProgressDialog>

#include <filesystem>
#include <memory>
#include <string>

#include "publish/FtpPublish.h"
#include "shell/core/BackgroundJob.h"

namespace tessaly::shell {

class TUserMessages;

class FtpUploadDialog : public QProgressDialog {
  Q_OBJECT

 public:
  // The upload keeps `client` alive while it runs.
  FtpUploadDialog(publish::FTPRec fields, std::string moviePath,
                  std::shared_ptr<publish::TFtpClient> client,
                  TUserMessages& messages, QWidget* parent = nullptr);

  // Shows the dialog and starts the upload.
  void start();

 signals:
  // The upload ended and its message was shown.
  void uploadFinished(tessaly::shell::TJobOutcome outcome);

 private:
  void showProgress(qulonglong sent, qulonglong total);
  void finish(TJobOutcome outcome, const QString& message);

  publish::FTPRec fields_;
  std::string moviePath_;
  std::shared_ptr<publish::TFtpClient> client_;
  TUserMessages& messages_;
  TBackgroundJob job_;
};

// The FTP command: with nothing saved, the "save first" message; otherwise
// the site list from `sitesFile` in "选择FTP站点" and, on OK, the upload in
// an FtpUploadDialog (returned, owned by `window` and deleted when done);
// nullptr when nothing was started.
FtpUploadDialog* StartFtpCommand(QWidget* window, const std::string& savedMoviePath,
                                 const std::filesystem::path& sitesFile,
                                 std::shared_ptr<publish::TFtpClient> client,
                                 TUserMessages& messages);

}  // namespace tessaly::shell
