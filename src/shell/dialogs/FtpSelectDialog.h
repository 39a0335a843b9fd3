#pragma once
// "选择FTP站点": picks the site to upload to; the fields of the chosen site
// may still be changed before OK.

#include <QDialog>

#include "publish/FtpSites.h"

class QLineEdit;
class QListWidget;

namespace tessaly::shell {

class FtpSelectDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FtpSelectDialog(const publish::TFtpSiteTable& table, QWidget* parent = nullptr);

  // The fields as they stand.
  publish::FTPRec fields() const;

  QListWidget* list() const { return list_; }
  QLineEdit* passwordField() const { return password_; }

 private:
  void showSite(int row);

  const publish::TFtpSiteTable& table_;
  QListWidget* list_ = nullptr;
  QLineEdit* host_ = nullptr;
  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
  QLineEdit* port_ = nullptr;
  QLineEdit* folder_ = nullptr;
};

}  // namespace tessaly::shell
