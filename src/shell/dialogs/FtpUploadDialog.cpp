#include "shell/dialogs/FtpUploadDialog.h"

#include <QPushButton>

#include <exception>
#include <optional>
#include <utility>

#include "publish/EmbedHtml.h"
#include "shell/core/PublishJobs.h"
#include "shell/core/UserMessages.h"
#include "shell/dialogs/FtpSelectDialog.h"

namespace tessaly::shell {
namespace {

// The bar counts in thousandths, as a file may exceed the range of int.
constexpr int BarSteps = 1000;

}  // namespace

FtpUploadDialog::FtpUploadDialog(publish::FTPRec fields, std::string moviePath,
                                 std::shared_ptr<publish::TFtpClient> client,
                                 TUserMessages& messages, QWidget* parent)
    : QProgressDialog(parent),
      fields_(std::move(fields)),
      moviePath_(std::move(moviePath)),
      client_(std::move(client)),
      messages_(messages) {
  setWindowTitle(tr("FTP发布"));
  setWindowModality(Qt::WindowModal);
  setAutoClose(false);
  setAutoReset(false);
  setMinimumDuration(0);
  setRange(0, BarSteps);
  auto* cancel = new QPushButton(tr("取消"));
  cancel->setAccessibleName(tr("取消"));
  setCancelButton(cancel);
  setLabelText(tr("正在连接 %1 ...").arg(QString::fromStdString(fields_.host)));
  connect(this, &QProgressDialog::canceled, &job_, &TBackgroundJob::Cancel);
  connect(&job_, &TBackgroundJob::Progress, this, &FtpUploadDialog::showProgress);
  connect(&job_, &TBackgroundJob::Finished, this, &FtpUploadDialog::finish);
}

void FtpUploadDialog::start() {
  show();
  job_.Start(FtpUploadWork(fields_, moviePath_, client_));
}

void FtpUploadDialog::showProgress(qulonglong sent, qulonglong total) {
  if (wasCanceled()) return;
  setValue(total == 0 ? BarSteps : static_cast<int>(sent * BarSteps / total));
  setLabelText(tr("正在上传 %1 到 %2\n已发送 %3 / %4 字节")
                   .arg(QString::fromStdString(publish::BareFileName(moviePath_)),
                        QString::fromStdString(fields_.host))
                   .arg(sent)
                   .arg(total));
}

void FtpUploadDialog::finish(TJobOutcome outcome, const QString& message) {
  hide();
  messages_.Inform(message.toStdString());
  emit uploadFinished(outcome);
}

FtpUploadDialog* StartFtpCommand(QWidget* window, const std::string& savedMoviePath,
                                 const std::filesystem::path& sitesFile,
                                 std::shared_ptr<publish::TFtpClient> client,
                                 TUserMessages& messages) {
  publish::TFtpSiteTable table;
  try {
    if (const std::optional<std::string> message =
            publish::StartFtpCommand(savedMoviePath, table, sitesFile)) {
      messages.Inform(*message);
      return nullptr;
    }
  } catch (const std::exception& error) {
    messages.Inform(error.what());
    return nullptr;
  }
  FtpSelectDialog select(table, window);
  if (select.exec() != QDialog::Accepted) return nullptr;
  auto* upload = new FtpUploadDialog(select.fields(), savedMoviePath, std::move(client), messages, window);
  QObject::connect(upload, &FtpUploadDialog::uploadFinished, upload, &QObject::deleteLater);
  upload->start();
  return upload;
}

}  // namespace tessaly::shell
