#include "shell/dialogs/FtpSelectDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/FtpSiteFields.h"

namespace tessaly::shell {

FtpSelectDialog::FtpSelectDialog(const publish::TFtpSiteTable& table, QWidget* parent)
    : QDialog(parent), table_(table) {
  setWindowTitle(tr("选择FTP站点"));
  list_ = new QListWidget;
  list_->setAccessibleName(tr("FTP站点"));
  const std::size_t count = publish::SelectableFtpSites(table_);
  for (std::size_t i = 0; i < count; ++i) list_->addItem(QString::fromStdString(table_[i].host));
  connect(list_, &QListWidget::currentRowChanged, this, &FtpSelectDialog::showSite);

  auto* form = new QFormLayout;
  host_ = AddSiteField(form, tr("主机地址:"));
  user_ = AddSiteField(form, tr("用户名:"));
  password_ = AddSiteField(form, tr("密码:"));
  MaskWithStars(password_);
  port_ = AddSiteField(form, tr("端口:"));
  folder_ = AddSiteField(form, tr("目录:"));

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
  ok->setAccessibleName(tr("确定"));
  ok->setDefault(true);
  buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole)->setAccessibleName(tr("取消"));
  connect(buttons, &QDialogButtonBox::accepted, this, &FtpSelectDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &FtpSelectDialog::reject);

  auto* middle = new QHBoxLayout;
  middle->addWidget(list_);
  middle->addLayout(form, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(middle, 1);
  layout->addWidget(buttons);

  if (count > 0) list_->setCurrentRow(0);
}

void FtpSelectDialog::showSite(int row) {
  if (row < 0 || row >= static_cast<int>(publish::SelectableFtpSites(table_))) return;
  const publish::FTPRec& site = table_[static_cast<std::size_t>(row)];
  host_->setText(QString::fromStdString(site.host));
  user_->setText(QString::fromStdString(site.user));
  password_->setText(QString::fromStdString(site.password));
  port_->setText(QString::fromStdString(site.port));
  folder_->setText(QString::fromStdString(site.folder));
}

publish::FTPRec FtpSelectDialog::fields() const {
  return {host_->text().toStdString(), user_->text().toStdString(),
          password_->text().toStdString(), port_->text().toStdString(),
          folder_->text().toStdString()};
}

}  // namespace tessaly::shell
