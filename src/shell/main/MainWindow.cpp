#include "shell/main/MainWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/core/UiText.h"
#include "shell/dialogs/AboutBox.h"
#include "shell/main/PreviewPanel.h"
#include "shell/main/ThreadRunner.h"
#include "shell/main/ToolPanel.h"
#include "shell/main/WindowDialogs.h"
#include "shell/main/tabs/AnimationTab.h"
#include "shell/main/tabs/BackgroundTab.h"
#include "shell/main/tabs/HomeTab.h"
#include "shell/main/tabs/SaveTab.h"
#include "shell/main/tabs/SizeTab.h"

namespace tessaly::shell {

namespace {

// The program's web pages.
constexpr const char* FaqPage = "faq.html";
constexpr const char* TutorialsPage = "tutorials.html";
constexpr const char* QuickStartPage = "quickstart.html";

}  // namespace

TMainWindow::TMainWindow(TSettingsFolders folders, TPreferences preferences, TWindowServices services,
                         QWidget* parent)
    : QMainWindow(parent) {
  if (services.Dialogs == nullptr) {
    ownDialogs_ = std::make_unique<TWindowDialogs>(this);
    services.Dialogs = ownDialogs_.get();
  }
  if (services.Runner == nullptr) {
    ownRunner_ = std::make_unique<TThreadRunner>(this);
    services.Runner = ownRunner_.get();
  }
  if (services.Opener == nullptr) {
    processRunner_ = std::make_unique<publish::TDetachedProcessRunner>();
    ownOpener_ = std::make_unique<publish::TXdgOpener>(*processRunner_);
    services.Opener = ownOpener_.get();
  }
  preview_ = new TPreviewPanel(this);
  app_ = std::make_unique<TApplication>(*preview_, *services.Dialogs, std::move(folders), std::move(preferences),
                                        *services.Runner, *services.Opener);
  FormCreate();
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::FormCreate() {
  tools_ = new TToolPanel(this);
  CreateTabs();
  CreateMenus();
  CreatePreviewMenu();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* top = new QHBoxLayout;
  top->addWidget(preview_, 1);
  top->addWidget(tools_);
  layout->addLayout(top, 1);
  layout->addWidget(tabs_);
  auto* wizard = new QHBoxLayout;
  wizard->addStretch();
  wizard->addWidget(previous_);
  wizard->addWidget(next_);
  layout->addLayout(wizard);
  setCentralWidget(central);

  connect(app_.get(), &TApplication::DocumentReplaced, this, &TMainWindow::ShowDocument);
  connect(app_.get(), &TApplication::ChangeMadeChanged, this, &TMainWindow::UpdateCaption);
  connect(app_.get(), &TApplication::ProjectNameChanged, this, [this](const QString& name) {
    projectName_ = name;
    UpdateCaption();
  });
  connect(app_.get(), &TApplication::CommandStateChanged, tools_, &TToolPanel::SetCommandState);
  connect(tools_, &TToolPanel::PlayRequested, this, &TMainWindow::Playflashanimation);
  connect(tools_, &TToolPanel::StopRequested, this, &TMainWindow::StopFlashAnimation);
  connect(preview_, &TPreviewPanel::PlayerPressed, this, [this] {
    if (app_->Document().Playing) app_->Stop();
  });
  connect(preview_, &TPreviewPanel::ContextMenuRequested, this,
          [this](const QPoint& at) { previewMenu_->popup(at); });

  app_->StartUp();
  tabs_->setCurrentIndex(wtHome);
  UpdateWizardButtons();
  UpdateCaption();
}

void TMainWindow::CreateTabs() {
  tabs_ = new QTabWidget(this);
  home_ = new THomeTab;
  size_ = new TSizeTab;
  background_ = new TBackgroundTab;
  animation_ = new TAnimationTab;
  save_ = new TSaveTab;
  QWidget* const pages[WizardTabCount] = {home_, size_, background_, new QWidget, new QWidget, new QWidget,
                                          animation_, save_};
  const char* const captions[WizardTabCount] = {text::TabHome,    text::TabSize, text::TabBackground,
                                                text::TabShape,   text::TabPicture, text::TabText,
                                                text::TabAnimation, text::TabSave};
  for (int i = 0; i < WizardTabCount; ++i) {
    tabs_->addTab(pages[i], Ui(captions[i]));
    pages[i]->setAccessibleName(Ui(captions[i]));
  }
  previous_ = new QPushButton(Ui(text::Previous), this);
  previous_->setAccessibleName(previous_->text());
  next_ = new QPushButton(Ui(text::Next), this);
  next_->setAccessibleName(next_->text());
  connect(previous_, &QPushButton::clicked, this, &TMainWindow::PreviousClick);
  connect(next_, &QPushButton::clicked, this, &TMainWindow::NextClick);
  connect(tabs_, &QTabWidget::currentChanged, this, [this] {
    UpdateWizardButtons();
    StopAnimation();
  });
  ConnectTabs();
}

void TMainWindow::ConnectTabs() {
  connect(home_, &THomeTab::StartClicked, this, [this] { tabs_->setCurrentIndex(wtSize); });
  connect(home_, &THomeTab::NewClicked, this, &TMainWindow::New1Click);
  connect(home_, &THomeTab::OpenClicked, this, &TMainWindow::Open1Click);
  connect(home_, &THomeTab::HelpClicked, this, &TMainWindow::HelpTopics1Click);
  connect(home_, &THomeTab::AboutClicked, this, &TMainWindow::About1Click);
  connect(home_, &THomeTab::WebSiteClicked, this,
          [this] { app_->OpenAddress(std::string(document::ProgramWebPage)); });
}

QAction* TMainWindow::AddAction(QMenu* menu, const char* caption, void (TMainWindow::*slot)()) {
  QAction* action = menu->addAction(Ui(caption));
  if (slot != nullptr)
    connect(action, &QAction::triggered, this, slot);
  else
    action->setEnabled(false);
  return action;
}

void TMainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(Ui(text::MenuFile));
  AddAction(file, text::MenuNew, &TMainWindow::New1Click)->setShortcut(QKeySequence::New);
  AddAction(file, text::MenuOpen, &TMainWindow::Open1Click)->setShortcut(QKeySequence::Open);
  AddAction(file, text::MenuSave, &TMainWindow::Button1Click)->setShortcut(QKeySequence::Save);
  AddAction(file, text::MenuMail, &TMainWindow::MailButtonClick);
  AddAction(file, text::MenuFtp, nullptr);
  file->addSeparator();
  AddAction(file, text::MenuExit, &TMainWindow::Exit1Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* options = menuBar()->addMenu(Ui(text::MenuOptions));
  AddAction(options, text::MenuPreferences, nullptr);
  AddAction(options, text::MenuReorder, nullptr);

  QMenu* html = menuBar()->addMenu(Ui(text::MenuHtml));
  AddAction(html, text::MenuHtmlCode, nullptr);

  QMenu* help = menuBar()->addMenu(Ui(text::MenuHelp));
  AddAction(help, text::MenuHelpTopics, &TMainWindow::HelpTopics1Click)->setShortcut(QKeySequence(Qt::Key_F1));
  connect(help->addAction(Ui(text::MenuWebSite)), &QAction::triggered, this,
          [this] { app_->OpenAddress(std::string(document::ProgramWebPage)); });
  connect(help->addAction(Ui(text::MenuFaq)), &QAction::triggered, this,
          [this] { app_->OpenAddress(std::string(document::ProgramWebPage) + FaqPage); });
  connect(help->addAction(Ui(text::MenuTutorials)), &QAction::triggered, this,
          [this] { app_->OpenAddress(std::string(document::ProgramWebPage) + TutorialsPage); });
  connect(help->addAction(Ui(text::MenuQuickStart)), &QAction::triggered, this,
          [this] { app_->OpenAddress(QuickStartPage); });
  AddAction(help, text::MenuCheckUpdate, nullptr);
  AddAction(help, text::MenuAbout, &TMainWindow::About1Click);
}

void TMainWindow::CreatePreviewMenu() {
  previewMenu_ = new QMenu(this);
  AddAction(previewMenu_, text::ContextReorder, nullptr);
  AddAction(previewMenu_, text::ContextDelete, nullptr);
  AddAction(previewMenu_, text::ContextChangeBackground, nullptr);
}

void TMainWindow::ShowDocument() {
  ApplyBackdrop();
  UpdateCaption();
}

void TMainWindow::UpdateCaption() {
  // "banner.bwf - Tessaly"; Qt puts the modified mark at "[*]".
  const QString program = Ui(text::ProgramName);
  setWindowTitle(projectName_.isEmpty() ? program + QStringLiteral("[*]")
                                        : projectName_ + QStringLiteral("[*] - ") + program);
  setWindowModified(app_->Document().ChangeMade);
}

void TMainWindow::UpdateWizardButtons() {
  const int tab = tabs_->currentIndex();
  previous_->setVisible(tab > wtHome);
  next_->setVisible(tab > wtHome && tab < wtSave);
}

void TMainWindow::ApplyBackdrop() {
  TPreferences& p = app_->Preferences();
  const QString image = p.PreviewUseImage ? QString::fromStdString(p.PreviewPanelImage) : QString();
  // A missing picture turns the area grey and the picture off for the run.
  if (!preview_->SetBackdrop(image, p.PreviewPanelColor)) p.PreviewUseImage = false;
}

void TMainWindow::New1Click() { app_->New(); }

void TMainWindow::Open1Click() { app_->Open(); }

void TMainWindow::Button1Click() { app_->Save(); }

void TMainWindow::Exit1Click() {
  if (!app_->Exit()) return;
  closing_ = true;
  close();
}

void TMainWindow::Playflashanimation() { app_->Play(); }

void TMainWindow::StopFlashAnimation() { app_->Stop(); }

void TMainWindow::StopAnimation() { app_->TabShown(); }

void TMainWindow::suiRefreshClick() { app_->Rebuild(); }

void TMainWindow::SetChangeMade() { app_->SetChangeMade(); }

void TMainWindow::HelpTopics1Click() { app_->ShowTabHelp(tabs_->currentIndex()); }

void TMainWindow::About1Click() {
  TAboutBox about(this);
  about.exec();
}

void TMainWindow::PreviewButtonClick() { app_->Preview(); }

void TMainWindow::MailButtonClick() { app_->SendMail(); }

void TMainWindow::PreviousClick() { tabs_->setCurrentIndex(std::max<int>(wtHome, tabs_->currentIndex() - 1)); }

void TMainWindow::NextClick() { tabs_->setCurrentIndex(std::min<int>(wtSave, tabs_->currentIndex() + 1)); }

void TMainWindow::closeEvent(QCloseEvent* event) {
  if (closing_ || app_->MayClose()) {
    event->accept();
    return;
  }
  event->ignore();
}

}  // namespace tessaly::shell
