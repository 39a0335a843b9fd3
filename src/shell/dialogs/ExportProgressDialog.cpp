#include "shell/dialogs/ExportProgressDialog.h"

#include <QFileInfo>
#include <QPushButton>

#include <utility>

#include "shell/core/ExportJobs.h"
#include "shell/core/UiText.h"
#include "shell/core/UserMessages.h"

namespace tessaly::shell {

ExportProgressDialog::ExportProgressDialog(exports::TBannerMovie movie, exports::TExportOptions options,
                                           QString path, TUserMessages& messages, QWidget* parent)
    : QProgressDialog(parent),
      movie_(std::move(movie)),
      options_(options),
      path_(std::move(path)),
      messages_(messages) {
  setWindowTitle(Ui(text::ExportGroup));
  setWindowModality(Qt::WindowModal);
  setAutoClose(false);
  setAutoReset(false);
  setMinimumDuration(0);
  setRange(0, 0);
  auto* cancel = new QPushButton(Ui(text::ExportCancel));
  cancel->setAccessibleName(cancel->text());
  setCancelButton(cancel);
  setLabelText(Ui(text::ExportRunning).arg(QFileInfo(path_).fileName()));
  connect(this, &QProgressDialog::canceled, &job_, &TBackgroundJob::Cancel);
  connect(&job_, &TBackgroundJob::Progress, this, &ExportProgressDialog::showProgress);
  connect(&job_, &TBackgroundJob::Finished, this, &ExportProgressDialog::finish);
}

void ExportProgressDialog::start() {
  show();
  job_.Start(ExportWork(movie_, options_, path_));
}

void ExportProgressDialog::showProgress(qulonglong done, qulonglong total) {
  if (wasCanceled() || total == 0) return;
  setRange(0, static_cast<int>(total));
  setValue(static_cast<int>(done));
}

void ExportProgressDialog::finish(TJobOutcome outcome, const QString& message) {
  hide();
  messages_.Inform(message.toStdString());
  emit exportFinished(outcome, message);
}

}  // namespace tessaly::shell
