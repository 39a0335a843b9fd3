#include "shell/dialogs/FtpSitePropertiesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>
#include <string>

#include "shell/core/UserMessages.h"
#include "shell/dialogs/FtpSiteFields.h"

namespace tessaly::shell {

FtpSitePropertiesDialog::FtpSitePropertiesDialog(const publish::FTPRec& site,
                                                 TUserMessages& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
  setWindowTitle(tr("FTP站点属性"));
  auto* form = new QFormLayout;
  host_ = AddSiteField(form, tr("主机地址:"));
  user_ = AddSiteField(form, tr("用户名:"));
  password_ = AddSiteField(form, tr("密码:"));
  port_ = AddSiteField(form, tr("端口:"));
  folder_ = AddSiteField(form, tr("目录:"));

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
  ok->setAccessibleName(tr("确定"));
  ok->setDefault(true);
  buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole)->setAccessibleName(tr("取消"));
  connect(buttons, &QDialogButtonBox::accepted, this, &FtpSitePropertiesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &FtpSitePropertiesDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  setSite(site);
}

publish::FTPRec FtpSitePropertiesDialog::site() const {
  return {host_->text().toStdString(), user_->text().toStdString(),
          password_->text().toStdString(), port_->text().toStdString(),
          folder_->text().toStdString()};
}

void FtpSitePropertiesDialog::setSite(const publish::FTPRec& site) {
  host_->setText(QString::fromStdString(site.host));
  user_->setText(QString::fromStdString(site.user));
  password_->setText(QString::fromStdString(site.password));
  port_->setText(QString::fromStdString(site.port));
  folder_->setText(QString::fromStdString(site.folder));
}

void FtpSitePropertiesDialog::accept() {
  if (const std::optional<std::string> problem = publish::CheckFtpSite(site())) {
    messages_.Inform(*problem);
    return;
  }
  QDialog::accept();
}

}  // namespace tessaly::shell
