#pragma once
// "选项": the preferences on four pages and the FTP site list. OK writes
// both and tells the window to re-apply the preferences; Cancel writes
// nothing (a preview colour already chosen stays chosen).

#include <QDialog>
#include <QSettings>

#include <filesystem>

#include "publish/FtpSites.h"
#include "shell/Settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace tessaly::shell {

class TUserMessages;

class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Page { Defaults = 0, Folders = 1, Background = 2, WebFtp = 3 };

  OptionsDialog(TPreferences& preferences, QSettings& store, std::filesystem::path sitesFile,
                TUserMessages& messages, QWidget* parent = nullptr);

  void showPage(Page page);
  Page currentPage() const;

  // The colour of "选择颜色", stored in the preferences at once.
  void storePreviewColor(const QColor& color);

  // The site table being edited (written on OK).
  publish::TFtpSiteTable& sites() { return sites_; }

 public slots:
  void accept() override;
  void editFtpSites();

 signals:
  // The preferences were stored: the window re-applies them.
  void optionsApplied();
  // "选择颜色" chose a colour: the window redraws the preview area.
  void previewColorChosen();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* defaultsPage();
  QWidget* foldersPage();
  QWidget* backgroundPage();
  QWidget* webFtpPage();
  void fillHosts();
  void showPreviewColor();
  void choosePreviewColor();
  void choosePreviewImage();
  TPreferences editedPreferences() const;

  TPreferences& preferences_;
  QSettings& store_;
  std::filesystem::path sitesFile_;
  TUserMessages& messages_;
  publish::TFtpSiteTable sites_;

  QTabWidget* tabs_ = nullptr;
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
  QLineEdit* fontSize_ = nullptr;
  QCheckBox* showFontStyle_ = nullptr;
  QLineEdit* bwfFolder_ = nullptr;
  QLineEdit* imageFolder_ = nullptr;
  QLineEdit* backgroundFolder_ = nullptr;
  QLineEdit* saveFolder_ = nullptr;
  QRadioButton* useImage_ = nullptr;
  QRadioButton* useColor_ = nullptr;
  QLineEdit* previewImage_ = nullptr;
  QLabel* previewColor_ = nullptr;
  QLineEdit* webSite_ = nullptr;
  QLineEdit* webImageFolder_ = nullptr;
  QListWidget* hosts_ = nullptr;
};

}  // namespace tessaly::shell
