#pragma once
// An export of the save tab: a progress dialog (frames encoded, Cancel)
// while the banner's movie is encoded and written on its own thread; the
// window stays responsive. Its end is shown in one message.

#include <QProgressDialog>

#include "export/BannerExport.h"
#include "export/BannerMovie.h"
#include "shell/core/BackgroundJob.h"

namespace tessaly::shell {

class TUserMessages;

class ExportProgressDialog : public QProgressDialog {
  Q_OBJECT

 public:
  ExportProgressDialog(exports::TBannerMovie movie, exports::TExportOptions options, QString path,
                       TUserMessages& messages, QWidget* parent = nullptr);

  // Shows the dialog and starts the export.
  void start();

 signals:
  // The export ended and its message was shown.
  void exportFinished(tessaly::shell::TJobOutcome outcome, const QString& message);

 private:
  void showProgress(qulonglong done, qulonglong total);
  void finish(TJobOutcome outcome, const QString& message);

  exports::TBannerMovie movie_;
  exports::TExportOptions options_;
  QString path_;
  TUserMessages& messages_;
  TBackgroundJob job_;
};

}  // namespace tessaly::shell
