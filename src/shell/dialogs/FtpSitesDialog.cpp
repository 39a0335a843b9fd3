#include "shell/dialogs/FtpSitesDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

#include "shell/core/UserMessages.h"
#include "shell/dialogs/FtpSitePropertiesDialog.h"

namespace tessaly::shell {

using publish::FTPRec;

FtpSitesDialog::FtpSitesDialog(publish::TFtpSiteTable& table, TUserMessages& messages,
                               QWidget* parent)
    : QDialog(parent), table_(table), messages_(messages) {
  setWindowTitle(tr("添加/编辑/删除FTP站点"));
  editor_ = [this](const FTPRec& site) { return runPropertiesDialog(site); };

  list_ = new QListWidget;
  list_->setAccessibleName(tr("FTP站点"));

  auto addButton = [](const QString& caption) {
    auto* button = new QPushButton(caption);
    // The caption without its access key: "添加(&A)" is read as "添加".
    button->setAccessibleName(QString(caption).remove(QRegularExpression(QStringLiteral("\\(&.\\)"))));
    return button;
  };
  QPushButton* add = addButton(tr("添加(&A)"));
  QPushButton* edit = addButton(tr("编辑(&M)"));
  QPushButton* remove = addButton(tr("删除(&D)"));
  connect(add, &QPushButton::clicked, this, &FtpSitesDialog::addSite);
  connect(edit, &QPushButton::clicked, this, &FtpSitesDialog::editSite);
  connect(remove, &QPushButton::clicked, this, &FtpSitesDialog::deleteSite);

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
  ok->setAccessibleName(tr("确定"));
  connect(buttons, &QDialogButtonBox::accepted, this, &FtpSitesDialog::accept);

  auto* side = new QVBoxLayout;
  side->addWidget(add);
  side->addWidget(edit);
  side->addWidget(remove);
  side->addStretch();
  auto* middle = new QHBoxLayout;
  middle->addWidget(list_, 1);
  middle->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(middle, 1);
  layout->addWidget(buttons);

  fillList(0);
}

std::optional<FTPRec> FtpSitesDialog::runPropertiesDialog(const FTPRec& site) {
  FtpSitePropertiesDialog dialog(site, messages_, this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.site();
}

void FtpSitesDialog::fillList(int selectedRow) {
  list_->clear();
  for (std::size_t index : publish::UsedFtpSites(table_))
    list_->addItem(QString::fromStdString(table_[index].host));
  if (list_->count() > 0) list_->setCurrentRow(std::clamp(selectedRow, 0, list_->count() - 1));
}

std::optional<std::size_t> FtpSitesDialog::selectedSite() const {
  const int row = list_->currentRow();
  const std::vector<std::size_t> used = publish::UsedFtpSites(table_);
  if (row < 0 || row >= static_cast<int>(used.size())) return std::nullopt;
  return used[static_cast<std::size_t>(row)];
}

void FtpSitesDialog::addSite() {
  const bool full = std::none_of(table_.begin(), table_.end(),
                                 [](const FTPRec& site) { return site.host.empty(); });
  if (full) {
    messages_.Inform(std::string(publish::MsgFtpSitesFull));
    return;
  }
  const std::optional<FTPRec> site = editor_(publish::NewFtpSite());
  if (!site) return;
  if (const std::optional<std::string> refusal = publish::AddFtpSite(table_, *site)) {
    messages_.Inform(*refusal);
    return;
  }
  fillList(list_->count());
}

void FtpSitesDialog::editSite() {
  const std::optional<std::size_t> index = selectedSite();
  if (!index) return;
  const int row = list_->currentRow();
  const std::optional<FTPRec> site = editor_(table_[*index]);
  if (!site) return;
  if (const std::optional<std::string> refusal = publish::EditFtpSite(table_, *index, *site)) {
    messages_.Inform(*refusal);
    return;
  }
  fillList(row);
}

void FtpSitesDialog::deleteSite() {
  const std::optional<std::size_t> index = selectedSite();
  if (!index) return;
  if (!messages_.Confirm(std::string(publish::MsgConfirmDeleteFtpSite))) return;
  const int row = list_->currentRow();
  publish::DeleteFtpSite(table_, *index);
  fillList(row);
}

}  // namespace tessaly::shell
