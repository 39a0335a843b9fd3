#pragma once
// "添加/编辑/删除FTP站点": the list of the user's FTP sites with add, edit
// and delete. It edits the table it is given; the Options dialog writes it.

#include <QDialog>

#include <functional>
#include <optional>

#include "publish/FtpSites.h"

class QListWidget;
class QPushButton;

namespace tessaly::shell {

class TUserMessages;

class FtpSitesDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows the properties dialog filled with a site; the fields on OK,
  // nothing on Cancel.
  using TSiteEditor = std::function<std::optional<publish::FTPRec>(const publish::FTPRec&)>;

  FtpSitesDialog(publish::TFtpSiteTable& table, TUserMessages& messages,
                 QWidget* parent = nullptr);

  // Replaces the properties dialog (tests answer for the user).
  void setSiteEditor(TSiteEditor editor) { editor_ = std::move(editor); }

  QListWidget* list() const { return list_; }

 public slots:
  void addSite();
  void editSite();
  void deleteSite();

 private:
  std::optional<publish::FTPRec> runPropertiesDialog(const publish::FTPRec& site);
  void fillList(int selectedRow);
  // The table index of the selected row; nothing without a selection.
  std::optional<std::size_t> selectedSite() const;

  publish::TFtpSiteTable& table_;
  TUserMessages& messages_;
  TSiteEditor editor_;
  QListWidget* list_ = nullptr;
};

}  // namespace tessaly::shell
