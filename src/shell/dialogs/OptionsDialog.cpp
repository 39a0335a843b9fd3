#include "shell/dialogs/OptionsDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <exception>
#include <utility>

#include "shell/core/OptionsCommand.h"
#include "shell/core/UserMessages.h"
#include "shell/dialogs/FtpSitesDialog.h"
#include "shell/widgets/ColorButton.h"

namespace tessaly::shell {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QLineEdit* AddField(QFormLayout* form, const QString& caption, const std::string& value) {
  auto* field = new QLineEdit(Q(value));
  QString name = caption;
  if (name.endsWith(':')) name.chop(1);
  field->setAccessibleName(name);
  form->addRow(caption, field);
  return field;
}

QSpinBox* AddSize(QFormLayout* form, const QString& caption, int value) {
  auto* box = new QSpinBox;
  box->setRange(1, 4000);
  box->setValue(value);
  QString name = caption;
  if (name.endsWith(':')) name.chop(1);
  box->setAccessibleName(name);
  form->addRow(caption, box);
  return box;
}

}  // namespace

OptionsDialog::OptionsDialog(TPreferences& preferences, QSettings& store,
                             std::filesystem::path sitesFile, TUserMessages& messages,
                             QWidget* parent)
    : QDialog(parent),
      preferences_(preferences),
      store_(store),
      sitesFile_(std::move(sitesFile)),
      messages_(messages) {
  setWindowTitle(tr("选项"));
  try {
    publish::LoadFtpSites(sites_, sitesFile_);
  } catch (const std::exception& error) {
    messages_.Inform(error.what());
  }

  tabs_ = new QTabWidget;
  tabs_->addTab(defaultsPage(), tr("默认"));
  tabs_->addTab(foldersPage(), tr("文件夹"));
  tabs_->addTab(backgroundPage(), tr("背景"));
  tabs_->addTab(webFtpPage(), tr("网站/FTP"));

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(tr("确定(&K)"), QDialogButtonBox::AcceptRole);
  ok->setAccessibleName(tr("确定"));
  ok->setDefault(true);
  buttons->addButton(tr("取消(&C)"), QDialogButtonBox::RejectRole)->setAccessibleName(tr("取消"));
  connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addWidget(buttons);
  showPage(Page::Defaults);
  setMinimumWidth(480);  // room for a folder path
}

QWidget* OptionsDialog::defaultsPage() {
  auto* sizeBox = new QGroupBox(tr("默认横幅大小"));
  auto* sizeForm = new QFormLayout(sizeBox);
  width_ = AddSize(sizeForm, tr("宽度:"), preferences_.BannerWidth);
  height_ = AddSize(sizeForm, tr("高度:"), preferences_.BannerHeight);

  auto* fontBox = new QGroupBox(tr("默认字体大小"));
  auto* fontForm = new QFormLayout(fontBox);
  fontSize_ = AddField(fontForm, tr("大小"), std::to_string(preferences_.FontSize));

  showFontStyle_ = new QCheckBox(tr("字体列表中显示字体样式"));
  showFontStyle_->setAccessibleName(showFontStyle_->text());
  showFontStyle_->setChecked(preferences_.ShowFontStyle);

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(sizeBox);
  layout->addWidget(fontBox);
  layout->addWidget(showFontStyle_);
  layout->addStretch();
  return page;
}

QWidget* OptionsDialog::foldersPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  bwfFolder_ = AddField(form, tr("默认保存.BWF文件的目录"), preferences_.BwfDirectory);
  imageFolder_ = AddField(form, tr("默认图像目录"), preferences_.ImageDirectory);
  backgroundFolder_ = AddField(form, tr("默认背景目录"), preferences_.BackgroundDirectory);
  saveFolder_ = AddField(form, tr("默认保存的图像目录"), preferences_.SaveDirectory);
  return page;
}

QWidget* OptionsDialog::backgroundPage() {
  auto* choice = new QGroupBox(tr("预览背景"));
  useImage_ = new QRadioButton(tr("使用图像"));
  useImage_->setAccessibleName(useImage_->text());
  useColor_ = new QRadioButton(tr("使用颜色"));
  useColor_->setAccessibleName(useColor_->text());
  (preferences_.PreviewUseImage ? useImage_ : useColor_)->setChecked(true);
  auto* choiceLayout = new QVBoxLayout(choice);
  choiceLayout->addWidget(useImage_);
  choiceLayout->addWidget(useColor_);

  auto* form = new QFormLayout;
  previewImage_ = AddField(form, tr("预览图像文件"), preferences_.PreviewPanelImage);
  previewImage_->installEventFilter(this);

  auto* colorBox = new QGroupBox(tr("预览颜色"));
  previewColor_ = new QLabel;
  previewColor_->setAccessibleName(tr("预览颜色"));
  previewColor_->setMinimumSize(64, 24);
  previewColor_->setAutoFillBackground(true);
  auto* choose = new QPushButton(tr("选择颜色"));
  choose->setAccessibleName(choose->text());
  connect(choose, &QPushButton::clicked, this, &OptionsDialog::choosePreviewColor);
  auto* colorLayout = new QHBoxLayout(colorBox);
  colorLayout->addWidget(previewColor_);
  colorLayout->addWidget(choose);
  colorLayout->addStretch();
  showPreviewColor();

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(choice);
  layout->addLayout(form);
  layout->addWidget(colorBox);
  layout->addStretch();
  return page;
}

QWidget* OptionsDialog::webFtpPage() {
  auto* form = new QFormLayout;
  webSite_ = AddField(form, tr("默认网站地址"), preferences_.DefaultWebSite);
  webImageFolder_ = AddField(form, tr("默认图像位置或目录"), preferences_.DefaultWebImageDirectory);

  auto* edit = new QPushButton(tr("添加/编辑/删除FTP站点"));
  edit->setAccessibleName(edit->text());
  connect(edit, &QPushButton::clicked, this, &OptionsDialog::editFtpSites);
  hosts_ = new QListWidget;
  hosts_->setAccessibleName(tr("FTP站点"));
  fillHosts();

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(form);
  layout->addWidget(edit, 0, Qt::AlignLeft);
  layout->addWidget(hosts_, 1);
  return page;
}

void OptionsDialog::fillHosts() {
  hosts_->clear();
  for (std::size_t index : publish::UsedFtpSites(sites_)) hosts_->addItem(Q(sites_[index].host));
}

void OptionsDialog::showPage(Page page) { tabs_->setCurrentIndex(static_cast<int>(page)); }

OptionsDialog::Page OptionsDialog::currentPage() const {
  return static_cast<Page>(tabs_->currentIndex());
}

void OptionsDialog::showPreviewColor() {
  QPalette palette = previewColor_->palette();
  palette.setColor(QPalette::Window, ColorOfRef(preferences_.PreviewPanelColor));
  previewColor_->setPalette(palette);
}

void OptionsDialog::storePreviewColor(const QColor& color) {
  preferences_.PreviewPanelColor = RefOfColor(color);
  showPreviewColor();
  emit previewColorChosen();
}

void OptionsDialog::choosePreviewColor() {
  const QColor color =
      QColorDialog::getColor(ColorOfRef(preferences_.PreviewPanelColor), this, tr("选择颜色"));
  if (color.isValid()) storePreviewColor(color);
}

void OptionsDialog::choosePreviewImage() {
  const QString file = QFileDialog::getOpenFileName(this, tr("预览图像文件"), previewImage_->text(),
                                                    tr("位图 (*.bmp)"));
  if (!file.isEmpty()) previewImage_->setText(file);
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == previewImage_ && event->type() == QEvent::MouseButtonRelease) {
    choosePreviewImage();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void OptionsDialog::editFtpSites() {
  FtpSitesDialog dialog(sites_, messages_, this);
  dialog.exec();
  fillHosts();
}

TPreferences OptionsDialog::editedPreferences() const {
  TPreferences edited = preferences_;
  edited.BannerWidth = width_->value();
  edited.BannerHeight = height_->value();
  edited.FontSize = FontSizeField(fontSize_->text().toStdString());
  edited.ShowFontStyle = showFontStyle_->isChecked();
  edited.BwfDirectory = bwfFolder_->text().toStdString();
  edited.ImageDirectory = imageFolder_->text().toStdString();
  edited.BackgroundDirectory = backgroundFolder_->text().toStdString();
  edited.SaveDirectory = saveFolder_->text().toStdString();
  edited.PreviewUseImage = useImage_->isChecked();
  edited.PreviewPanelImage = previewImage_->text().toStdString();
  edited.DefaultWebSite = webSite_->text().toStdString();
  edited.DefaultWebImageDirectory = webImageFolder_->text().toStdString();
  return edited;
}

void OptionsDialog::accept() {
  try {
    ConfirmOptions(preferences_, editedPreferences(), sites_, store_, sitesFile_);
  } catch (const std::exception& error) {
    messages_.Inform(error.what());
    return;
  }
  QDialog::accept();
  emit optionsApplied();
}

}  // namespace tessaly::shell
