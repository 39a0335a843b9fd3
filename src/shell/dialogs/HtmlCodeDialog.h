#pragma once
// "链接图像到网站或网页 (生成HTML代码)": the HTML that embeds the movie on
// the user's web site, with the clickTAG an ad server gives passed to the
// movie, copied to the clipboard or previewed in the browser beside the
// local copy.

#include <QDialog>

#include <filesystem>
#include <functional>
#include <string>

#include "publish/AddHtml.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace tessaly::shell {

class TUserMessages;

// What the dialog starts from.
struct THtmlCodeSource {
  std::string DefaultWebSite;
  std::string DefaultWebImageDirectory;
  std::string SavedMoviePath;  // empty when nothing was saved
  publish::TBannerGeometry Banner;
  std::filesystem::path TempFolder;  // where "temp2.html" is written
};

class HtmlCodeDialog : public QDialog {
  Q_OBJECT

 public:
  HtmlCodeDialog(THtmlCodeSource source, TUserMessages& messages, publish::TShellOpener& opener,
                 QWidget* parent = nullptr);

  // Replaces the "图像位置不正确" question (tests answer for the user).
  void setLocationQuestion(std::function<bool()> question) { askLocation_ = std::move(question); }

  QPlainTextEdit* codeBox() const { return code_; }
  QLineEdit* clickTagField() const { return clickTag_; }

 public slots:
  void generate();
  void copyToClipboard();
  void preview();
  void findFile();

 private:
  bool askWrongLocation();
  publish::TSnippetFields fields() const;

  THtmlCodeSource source_;
  TUserMessages& messages_;
  publish::TShellOpener& opener_;
  std::function<bool()> askLocation_;
  QLineEdit* location_ = nullptr;
  QLineEdit* file_ = nullptr;
  QComboBox* quality_ = nullptr;
  QLineEdit* clickTag_ = nullptr;
  QPlainTextEdit* code_ = nullptr;
};

}  // namespace tessaly::shell
