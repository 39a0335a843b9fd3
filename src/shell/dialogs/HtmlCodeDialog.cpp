#include "shell/dialogs/HtmlCodeDialog.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>
#include <optional>
#include <utility>

#include "shell/core/UserMessages.h"

namespace tessaly::shell {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QPushButton* Button(const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setAccessibleName(caption);
  return button;
}

}  // namespace

HtmlCodeDialog::HtmlCodeDialog(THtmlCodeSource source, TUserMessages& messages,
                               publish::TShellOpener& opener, QWidget* parent)
    : QDialog(parent), source_(std::move(source)), messages_(messages), opener_(opener) {
  setWindowTitle(tr("链接图像到网站或网页 (生成HTML代码)"));
  askLocation_ = [this] { return askWrongLocation(); };
  const publish::TSnippetFields start = publish::OpenSnippetDialog(
      source_.DefaultWebSite, source_.DefaultWebImageDirectory, source_.SavedMoviePath);

  const QString locationCaption = tr("链接位置必须是你网站服务器的目录:");
  location_ = new QLineEdit(Q(start.Location));
  location_->setAccessibleName(locationCaption);
  const QString fileCaption = tr("图像文件名 (生成的文件的名称- 例如: banner1.swf)");
  file_ = new QLineEdit(Q(start.FileField));
  file_->setAccessibleName(fileCaption);
  QPushButton* find = Button(tr("查找文件"));
  connect(find, &QPushButton::clicked, this, &HtmlCodeDialog::findFile);

  const QString qualityCaption = tr("Flash 播放质量");
  quality_ = new QComboBox;
  quality_->addItems({tr("低"), tr("自动低"), tr("自动高"), tr("中等"), tr("高"), tr("最好")});
  quality_->setCurrentIndex(start.Quality);
  quality_->setAccessibleName(qualityCaption);

  const QString clickTagCaption = tr("clickTAG (广告服务器的跟踪网址, 可留空):");
  clickTag_ = new QLineEdit;
  clickTag_->setAccessibleName(clickTagCaption);

  code_ = new QPlainTextEdit;
  code_->setAccessibleName(tr("HTML代码"));
  code_->setLineWrapMode(QPlainTextEdit::NoWrap);
  code_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* copyAction = new QAction(tr("Copy to Clipboard"), code_);
  connect(copyAction, &QAction::triggered, this, &HtmlCodeDialog::copyToClipboard);
  code_->addAction(copyAction);

  QPushButton* generate = Button(tr("生成HTML代码"));
  QPushButton* copy = Button(tr("复制到剪贴板"));
  QPushButton* preview = Button(tr("在浏览器中预览"));
  connect(generate, &QPushButton::clicked, this, &HtmlCodeDialog::generate);
  connect(copy, &QPushButton::clicked, this, &HtmlCodeDialog::copyToClipboard);
  connect(preview, &QPushButton::clicked, this, &HtmlCodeDialog::preview);

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
  ok->setAccessibleName(tr("确定"));
  connect(buttons, &QDialogButtonBox::accepted, this, &HtmlCodeDialog::accept);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(locationCaption), 0, 0, 1, 2);
  grid->addWidget(location_, 1, 0, 1, 2);
  grid->addWidget(new QLabel(fileCaption), 2, 0, 1, 2);
  grid->addWidget(file_, 3, 0);
  grid->addWidget(find, 3, 1);
  grid->addWidget(new QLabel(qualityCaption), 4, 0, 1, 2);
  grid->addWidget(quality_, 5, 0, 1, 2, Qt::AlignLeft);
  grid->addWidget(new QLabel(clickTagCaption), 6, 0, 1, 2);
  grid->addWidget(clickTag_, 7, 0, 1, 2);

  auto* actions = new QHBoxLayout;
  actions->addWidget(generate);
  actions->addWidget(copy);
  actions->addWidget(preview);
  actions->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(actions);
  layout->addWidget(code_, 1);
  layout->addWidget(buttons);
  resize(640, 480);
}

publish::TSnippetFields HtmlCodeDialog::fields() const {
  return {location_->text().toStdString(), file_->text().toStdString(), quality_->currentIndex(),
          clickTag_->text().trimmed().toStdString()};
}

bool HtmlCodeDialog::askWrongLocation() {
  QMessageBox box(QMessageBox::Warning, Q(publish::CaptionWrongLocation),
                  Q(publish::MsgWrongLocation), QMessageBox::NoButton, this);
  QPushButton* go = box.addButton(tr("Continue"), QMessageBox::AcceptRole);
  box.addButton(tr("Cancel"), QMessageBox::RejectRole);
  box.exec();
  return box.clickedButton() == go;
}

void HtmlCodeDialog::generate() {
  const publish::TSnippetResult result =
      publish::GenerateSnippet(fields(), source_.Banner, askLocation_);
  if (result.Message) messages_.Inform(*result.Message);
  if (result.Code) code_->setPlainText(Q(*result.Code));
}

void HtmlCodeDialog::copyToClipboard() {
  const std::string code = code_->toPlainText().toStdString();
  if (const std::optional<std::string> message = publish::CheckCopySnippet(code)) {
    messages_.Inform(*message);
    return;
  }
  QGuiApplication::clipboard()->setText(code_->toPlainText());
}

void HtmlCodeDialog::preview() {
  try {
    const std::optional<std::string> message =
        publish::PreviewSnippet(code_->toPlainText().toStdString(), fields(), source_.Banner,
                                source_.SavedMoviePath, source_.TempFolder, opener_);
    if (message) messages_.Inform(*message);
  } catch (const std::exception& error) {
    messages_.Inform(error.what());
  }
}

void HtmlCodeDialog::findFile() {
  const QString file = QFileDialog::getOpenFileName(this, tr("查找文件"), file_->text(),
                                                    Q(publish::SnippetFileFilter));
  if (!file.isEmpty()) file_->setText(file);
}

}  // namespace tessaly::shell
