#pragma once
// The save tab ("保存"): the click address and target, compression, the
// SWF version and whether the click opens the page's clickTAG; save, the browser preview, mail, FTP and HTML code; the
// exports to GIF, WebP, video, a backup picture and an HTML5 ad package,
// with the weight of the last file exported.

#include <QWidget>

#include "document/BannerDocument.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tessaly::shell {

class TSaveTab : public QWidget {
  Q_OBJECT

 public:
  explicit TSaveTab(QWidget* parent = nullptr);

  // Shows the settings without reporting them.
  void ShowSettings(const document::TBannerSettings& settings);

  QLineEdit* UrlField() const { return url_; }
  QRadioButton* TargetChoice(int choice) const { return targets_[choice]; }
  QLineEdit* WindowName() const { return windowName_; }
  QRadioButton* CompressChoice(bool compress) const { return compress ? compressYes_ : compressNo_; }
  QSpinBox* Version() const { return version_; }
  QCheckBox* ClickTag() const { return clickTag_; }
  QPushButton* SaveButton() const { return save_; }
  QLabel* ExportWeight() const { return exportWeight_; }

  // The message of the last export (its file's weight).
  void ShowExportWeight(const QString& message);

 signals:
  void UrlEdited(const QString& url);
  void TargetChanged(int choice, const QString& windowName);
  void CompressChanged(bool compress);
  void VersionChanged(int version);
  void ClickTagChanged(bool use);
  void SaveClicked();
  void PreviewClicked();
  void MailClicked();
  void FtpClicked();
  void HtmlCodeClicked();
  // One of the export buttons, a TExportChoice.
  void ExportClicked(int choice);

 private:
  int ChosenTarget() const;
  QWidget* ClickBox();
  QWidget* MovieBox();
  QWidget* Buttons();
  QWidget* ExportBox();

  QLineEdit* url_;
  QRadioButton* targets_[3];
  QLineEdit* windowName_;
  QRadioButton* compressYes_;
  QRadioButton* compressNo_;
  QSpinBox* version_;
  QCheckBox* clickTag_;
  QPushButton* save_ = nullptr;
  QLabel* exportWeight_;
};

}  // namespace tessaly::shell
