#pragma once
// "FTP站点属性": the five fields of one FTP site.

#include <QDialog>

#include "publish/FtpSites.h"

class QLineEdit;

namespace tessaly::shell {

class TUserMessages;

class FtpSitePropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  FtpSitePropertiesDialog(const publish::FTPRec& site, TUserMessages& messages,
                          QWidget* parent = nullptr);

  publish::FTPRec site() const;
  void setSite(const publish::FTPRec& site);

 public slots:
  // Keeps the dialog open with a message while the site cannot be stored.
  void accept() override;

 private:
  TUserMessages& messages_;
  QLineEdit* host_ = nullptr;
  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
  QLineEdit* port_ = nullptr;
  QLineEdit* folder_ = nullptr;
};

}  // namespace tessaly::shell
