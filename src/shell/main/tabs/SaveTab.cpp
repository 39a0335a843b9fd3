#include "shell/main/tabs/SaveTab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "shell/core/ExportJobs.h"
#include "shell/core/UiText.h"

namespace tessaly::shell {

namespace {

QRadioButton* Choice(QWidget* parent, const char* caption) {
  auto* choice = new QRadioButton(Ui(caption), parent);
  choice->setAccessibleName(choice->text());
  return choice;
}

}  // namespace

TSaveTab::TSaveTab(QWidget* parent)
    : QWidget(parent),
      url_(new QLineEdit(this)),
      targets_{Choice(this, text::ClickNewWindow), Choice(this, text::ClickSameWindow),
               Choice(this, text::ClickOtherWindow)},
      windowName_(new QLineEdit(this)),
      compressYes_(Choice(this, text::Yes)),
      compressNo_(Choice(this, text::No)),
      version_(new QSpinBox(this)),
      clickTag_(new QCheckBox(Ui(text::UseClickTag), this)),
      exportWeight_(new QLabel(this)) {
  url_->setAccessibleName(Ui(text::SaveUrl));
  windowName_->setAccessibleName(Ui(text::OtherWindowName));
  version_->setRange(4, 7);
  version_->setAccessibleName(Ui(text::FlashVersion));
  clickTag_->setAccessibleName(clickTag_->text());

  auto* layout = new QVBoxLayout(this);
  auto* urlRow = new QFormLayout;
  urlRow->addRow(Ui(text::SaveUrl), url_);
  layout->addLayout(urlRow);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(ClickBox(), 1);
  boxes->addWidget(MovieBox());
  layout->addLayout(boxes);
  layout->addWidget(Buttons());
  layout->addWidget(ExportBox());

  connect(url_, &QLineEdit::textEdited, this, &TSaveTab::UrlEdited);
  for (QRadioButton* target : targets_)
    connect(target, &QRadioButton::clicked, this, [this] { emit TargetChanged(ChosenTarget(), windowName_->text()); });
  connect(windowName_, &QLineEdit::textEdited, this,
          [this] { emit TargetChanged(ChosenTarget(), windowName_->text()); });
  connect(compressYes_, &QRadioButton::clicked, this, [this] { emit CompressChanged(true); });
  connect(compressNo_, &QRadioButton::clicked, this, [this] { emit CompressChanged(false); });
  connect(version_, &QSpinBox::valueChanged, this, &TSaveTab::VersionChanged);
  connect(clickTag_, &QCheckBox::clicked, this, &TSaveTab::ClickTagChanged);
}

QWidget* TSaveTab::ClickBox() {
  auto* box = new QGroupBox(Ui(text::ClickBehaviour), this);
  box->setAccessibleName(box->title());
  auto* layout = new QVBoxLayout(box);
  for (QRadioButton* target : targets_) layout->addWidget(target);
  auto* name = new QFormLayout;
  name->addRow(Ui(text::OtherWindowName), windowName_);
  layout->addLayout(name);
  return box;
}

QWidget* TSaveTab::MovieBox() {
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  auto* compress = new QGroupBox(Ui(text::Compress), box);
  compress->setAccessibleName(compress->title());
  auto* choices = new QHBoxLayout(compress);
  choices->addWidget(compressYes_);
  choices->addWidget(compressNo_);
  layout->addWidget(compress);
  auto* version = new QFormLayout;
  version->addRow(Ui(text::FlashVersion), version_);
  layout->addLayout(version);
  layout->addWidget(clickTag_);
  return box;
}

QWidget* TSaveTab::Buttons() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  const std::pair<const char*, void (TSaveTab::*)()> buttons[] = {
      {text::SaveButton, &TSaveTab::SaveClicked}, {text::PreviewButton, &TSaveTab::PreviewClicked},
      {text::MailButton, &TSaveTab::MailClicked}, {text::FtpButton, &TSaveTab::FtpClicked},
      {text::HtmlCodeButton, &TSaveTab::HtmlCodeClicked},
  };
  for (const auto& [caption, signal] : buttons) {
    auto* button = new QPushButton(Ui(caption), row);
    button->setAccessibleName(button->text());
    connect(button, &QPushButton::clicked, this, signal);
    layout->addWidget(button);
    if (save_ == nullptr) save_ = button;
  }
  layout->addStretch();
  return row;
}

QWidget* TSaveTab::ExportBox() {
  auto* box = new QGroupBox(Ui(text::ExportGroup), this);
  box->setAccessibleName(box->title());
  auto* layout = new QVBoxLayout(box);
  auto* buttons = new QHBoxLayout;
  for (int choice = 0; choice < ExportChoiceCount; ++choice) {
    auto* button = new QPushButton(Ui(ExportChoiceTexts()[choice].Caption), box);
    button->setAccessibleName(button->text());
    connect(button, &QPushButton::clicked, this, [this, choice] { emit ExportClicked(choice); });
    buttons->addWidget(button);
  }
  buttons->addStretch();
  layout->addLayout(buttons);
  exportWeight_->setWordWrap(true);
  exportWeight_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(exportWeight_);
  return box;
}

void TSaveTab::ShowExportWeight(const QString& message) {
  exportWeight_->setText(message);
  exportWeight_->setAccessibleName(message);
}

int TSaveTab::ChosenTarget() const {
  for (int i = 0; i < 3; ++i)
    if (targets_[i]->isChecked()) return i;
  return document::tcNewWindow;
}

void TSaveTab::ShowSettings(const document::TBannerSettings& s) {
  url_->setText(QString::fromStdString(s.URL));
  const int target = s.TargetChoice >= 0 && s.TargetChoice < 3 ? s.TargetChoice : 0;
  targets_[target]->setChecked(true);
  windowName_->setText(QString::fromStdString(s.TargetWindowName));
  (s.Compress ? compressYes_ : compressNo_)->setChecked(true);
  clickTag_->setChecked(s.UseClickTag);
  const QSignalBlocker block(version_);
  version_->setValue(s.FlashVersion);
}

}  // namespace tessaly::shell
