#include "shell/main/MainWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QScrollArea>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "effects/RandomGenerator.h"
#include "effects/unit_OneStepAnim.h"
#include "export/BannerMovie.h"
#include "publish/FtpSites.h"
#include "publish/UpdateCheck.h"
#include "shell/core/BackgroundList.h"
#include "shell/core/ExportJobs.h"
#include "shell/core/SizePresets.h"
#include "shell/core/UiText.h"
#include "shell/core/UpdateChecker.h"
#include "shell/core/WindowGrowth.h"
#include "shell/dialogs/AboutBox.h"
#include "shell/dialogs/ExportProgressDialog.h"
#include "shell/dialogs/FtpUploadDialog.h"
#include "shell/dialogs/HtmlCodeDialog.h"
#include "shell/dialogs/ItemOrderDialog.h"
#include "shell/dialogs/OptionsDialog.h"
#include "platform/FontSource.h"
#include "shell/main/ItemEditor.h"
#include "shell/main/PreviewPanel.h"
#include "shell/main/ThreadRunner.h"
#include "shell/main/ToolPanel.h"
#include "shell/main/WindowDialogs.h"
#include "shell/main/tabs/AnimationTab.h"
#include "shell/main/tabs/BackgroundTab.h"
#include "shell/main/tabs/HomeTab.h"
#include "shell/main/tabs/PictureTab.h"
#include "shell/main/tabs/SaveTab.h"
#include "shell/main/tabs/ShapeTab.h"
#include "shell/main/tabs/SizeTab.h"
#include "shell/main/tabs/TextTab.h"

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
  if (services.Store == nullptr) {
    ownStore_ = OpenSettings();
    services.Store = ownStore_.get();
  }
  store_ = services.Store;
  preview_ = new TPreviewPanel(this);
  app_ = std::make_unique<TApplication>(*preview_, *services.Dialogs, std::move(folders), std::move(preferences),
                                        *services.Runner, *services.Opener);
  banner_ = std::make_unique<TBannerCommands>(*app_);
  FormCreate();
}

TMainWindow::~TMainWindow() {
  // Fields losing the focus while the window goes must not reach it.
  for (QObject* page : std::initializer_list<QObject*>{size_, background_, animation_, save_, tabs_})
    disconnect(page, nullptr, this, nullptr);
}

void TMainWindow::FormCreate() {
  tools_ = new TToolPanel(this);
  CreateTabs();
  CreateMenus();
  CreatePreviewMenu();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  previewScroller_ = new QScrollArea(this);
  previewScroller_->setFrameShape(QFrame::NoFrame);
  previewScroller_->setWidgetResizable(true);
  previewScroller_->setWidget(preview_);
  auto* top = new QHBoxLayout;
  top->addWidget(previewScroller_, 1);
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
  connect(tools_, &TToolPanel::ReorderRequested, this, &TMainWindow::ReOrder1Click);
  connect(preview_, &TPreviewPanel::PlayerPressed, this, [this] {
    if (app_->Document().Playing) app_->Stop();
  });
  connect(preview_, &TPreviewPanel::ContextMenuRequested, this,
          [this](const QPoint& at) { previewMenu_->popup(at); });

  CheckBackgroundFolder();
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
  CreateItemTabs();
  QWidget* const pages[WizardTabCount] = {home_, size_, background_, shape_, picture_, text_, animation_, save_};
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
  // The wizard row keeps its height while its buttons are hidden on the home
  // tab, so the preview does not jump when the tab changes.
  for (QPushButton* button : {previous_, next_}) {
    QSizePolicy policy = button->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    button->setSizePolicy(policy);
  }
  connect(previous_, &QPushButton::clicked, this, &TMainWindow::PreviousClick);
  connect(next_, &QPushButton::clicked, this, &TMainWindow::NextClick);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
    UpdateWizardButtons();
    StopAnimation();
    ItemTabShown(tab);
  });
  ConnectTabs();
}

void TMainWindow::CheckBackgroundFolder() {
  const std::optional<std::string> message = CheckBackgroundDirectory(app_->Preferences(), app_->Folders());
  if (message) app_->Dialogs().ShowMessage(Ui(*message));
}

void TMainWindow::ConnectTabs() {
  ConnectSizeTab();
  ConnectBackgroundTab();
  ConnectAnimationTab();
  ConnectSaveTab();
  connect(home_, &THomeTab::StartClicked, this, [this] { tabs_->setCurrentIndex(wtSize); });
  connect(home_, &THomeTab::NewClicked, this, &TMainWindow::New1Click);
  connect(home_, &THomeTab::OpenClicked, this, &TMainWindow::Open1Click);
  connect(home_, &THomeTab::OptionsClicked, this, &TMainWindow::Options1Click);
  connect(home_, &THomeTab::HelpClicked, this, &TMainWindow::HelpTopics1Click);
  connect(home_, &THomeTab::AboutClicked, this, &TMainWindow::About1Click);
  connect(home_, &THomeTab::WebSiteClicked, this,
          [this] { app_->OpenAddress(std::string(document::ProgramWebPage)); });
}

void TMainWindow::ConnectSizeTab() {
  connect(size_, &TSizeTab::PresetChosen, this, &TMainWindow::SizePresetClick);
  connect(size_, &TSizeTab::WidthLeft, this, &TMainWindow::suiSpinEdit5Exit);
  connect(size_, &TSizeTab::HeightLeft, this, &TMainWindow::suiSpinEdit6Exit);
}

void TMainWindow::ConnectBackgroundTab() {
  TBackgroundTab* tab = background_;
  connect(tab, &TBackgroundTab::ColorBoxTicked, this, [this] { banner_->TickColorBox(); });
  connect(tab, &TBackgroundTab::GradientChanged, this, &TMainWindow::GradientChange);
  connect(tab, &TBackgroundTab::PictureBoxTicked, this, &TMainWindow::PictureBoxClick);
  connect(tab, &TBackgroundTab::BackgroundColorChosen, this, [this](std::uint32_t color) {
    banner_->ChooseBackgroundColor(color);
    FillBackgroundList();
  });
  connect(tab, &TBackgroundTab::BuiltInChosen, this, [this](const std::string& name) {
    background_->TickBox(document::TBackgroundType::btImage);
    banner_->ChooseBuiltInBackground(name);
  });
  connect(tab, &TBackgroundTab::ListFilterChanged, this, &TMainWindow::BackgroundListFilterClick);
  connect(tab, &TBackgroundTab::AddImageClicked, this, &TMainWindow::AddBackgroundImageClick);
  connect(tab, &TBackgroundTab::OutlineChosen, this, [this](int outline) { banner_->SetBackgroundShape(outline); });
  connect(tab, &TBackgroundTab::BorderWidthLeft, this, &TMainWindow::BorderWidthExit);
  connect(tab, &TBackgroundTab::BorderColorChosen, this, [this](std::uint32_t c) { banner_->SetBorderColor(c); });
}

void TMainWindow::ConnectAnimationTab() {
  TAnimationTab* tab = animation_;
  connect(tab, &TAnimationTab::EffectChosen, this, [this](int effect) { banner_->SetAnimationType(effect); });
  connect(tab, &TAnimationTab::SpeedChanged, this, [this](int speed) { banner_->SetAnimationSpeed(speed); });
  connect(tab, &TAnimationTab::LoopsChanged, this, [this](int loops) { banner_->SetAnimationLoop(loops); });
  connect(tab, &TAnimationTab::DelaysChanged, this,
          [this](int first, int last) { banner_->SetAnimationDelays(first, last); });
  connect(tab, &TAnimationTab::LayersChanged, this, [this](bool background, bool shapes, bool images, bool text) {
    banner_->SetAnimatedLayers(background, shapes, images, text);
  });
  connect(tab, &TAnimationTab::PlayClicked, this, &TMainWindow::Playflashanimation);
}

void TMainWindow::ConnectSaveTab() {
  TSaveTab* tab = save_;
  connect(tab, &TSaveTab::UrlEdited, this, [this](const QString& url) { banner_->SetUrl(url.toStdString()); });
  connect(tab, &TSaveTab::TargetChanged, this,
          [this](int choice, const QString& name) { banner_->SetTarget(choice, name.toStdString()); });
  connect(tab, &TSaveTab::CompressChanged, this, [this](bool compress) { banner_->SetCompress(compress); });
  connect(tab, &TSaveTab::VersionChanged, this, [this](int version) { banner_->SetFlashVersion(version); });
  connect(tab, &TSaveTab::ClickTagChanged, this, [this](bool use) { banner_->SetUseClickTag(use); });
  connect(tab, &TSaveTab::SaveClicked, this, &TMainWindow::Button1Click);
  connect(tab, &TSaveTab::PreviewClicked, this, &TMainWindow::PreviewButtonClick);
  connect(tab, &TSaveTab::MailClicked, this, &TMainWindow::MailButtonClick);
  connect(tab, &TSaveTab::FtpClicked, this, &TMainWindow::FtpButtonClick);
  connect(tab, &TSaveTab::HtmlCodeClicked, this, &TMainWindow::HtmlCodeClick);
  connect(tab, &TSaveTab::ExportClicked, this, &TMainWindow::ExportClick);
}

void TMainWindow::CreateItemTabs() {
  shape_ = new TShapeTab;
  picture_ = new TPictureTab;
  text_ = new TTextTab;
  const TPreferences& p = app_->Preferences();
  text_->FillFonts(platform::FontSource::System().FaceNames(), p.ShowFontStyle);
  items_ = std::make_unique<TItemEditor>(app_->Document(), app_->Pipeline(), *preview_, *shape_, *picture_, *text_,
                                         this);
  items_->ConnectToolPanel(*tools_);
  items_->SetImageDirectory(QString::fromStdString(p.ImageDirectory));
  app_->SetTextEditBoxSource([this] { return text_->TextBox()->text().toStdString(); });
  connect(items_.get(), &TItemEditor::ItemSelected, this, &TMainWindow::ShowItemTabOf);
  connect(app_.get(), &TApplication::BuildStarted, items_.get(), &TItemEditor::FreezeOutline);
  connect(app_.get(), &TApplication::BuildEnded, items_.get(), &TItemEditor::ThawOutline);
  connect(app_.get(), &TApplication::DocumentReplaced, items_.get(),
          [this] { items_->ShowDocument(app_->Preferences().FontSize); });
}

void TMainWindow::ItemTabShown(int tab) {
  if (tab == wtShape) items_->ShowTab(document::ItemKind::ikShape);
  if (tab == wtPicture) items_->ShowTab(document::ItemKind::ikImage);
  if (tab == wtText) items_->ShowTab(document::ItemKind::ikText);
}

void TMainWindow::ShowItemTabOf(document::ItemKind kind) {
  // An item picked in the preview brings up its tab while an item tab is shown.
  const int tab = tabs_->currentIndex();
  if (tab < wtShape || tab > wtText) return;
  tabs_->setCurrentIndex(kind == document::ItemKind::ikShape   ? wtShape
                         : kind == document::ItemKind::ikImage ? wtPicture
                                                               : wtText);
}

QAction* TMainWindow::AddAction(QMenu* menu, const char* caption, void (TMainWindow::*slot)()) {
  QAction* action = menu->addAction(Ui(caption));
  if (slot != nullptr) connect(action, &QAction::triggered, this, slot);
  return action;
}

void TMainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(Ui(text::MenuFile));
  AddAction(file, text::MenuNew, &TMainWindow::New1Click)->setShortcut(QKeySequence::New);
  AddAction(file, text::MenuOpen, &TMainWindow::Open1Click)->setShortcut(QKeySequence::Open);
  AddAction(file, text::MenuSave, &TMainWindow::Button1Click)->setShortcut(QKeySequence::Save);
  AddAction(file, text::MenuMail, &TMainWindow::MailButtonClick);
  AddAction(file, text::MenuFtp, &TMainWindow::FtpButtonClick);
  file->addSeparator();
  AddAction(file, text::MenuExit, &TMainWindow::Exit1Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* edit = menuBar()->addMenu(Ui(text::MenuEdit));
  undo_ = AddAction(edit, text::MenuUndo, &TMainWindow::UndoClick);
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = AddAction(edit, text::MenuRedo, &TMainWindow::RedoClick);
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(&app_->History(), &TEditHistory::HistoryChanged, this, &TMainWindow::UpdateEditMenu);
  UpdateEditMenu();

  QMenu* options = menuBar()->addMenu(Ui(text::MenuOptions));
  AddAction(options, text::MenuPreferences, &TMainWindow::Options1Click);
  AddAction(options, text::MenuReorder, &TMainWindow::ReOrder1Click);

  QMenu* html = menuBar()->addMenu(Ui(text::MenuHtml));
  AddAction(html, text::MenuHtmlCode, &TMainWindow::HtmlCodeClick);

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
  AddAction(help, text::MenuCheckUpdate, &TMainWindow::CheckUpdate1Click);
  AddAction(help, text::MenuAbout, &TMainWindow::About1Click);
}

void TMainWindow::UndoClick() { app_->Undo(); }

void TMainWindow::RedoClick() { app_->Redo(); }

void TMainWindow::UpdateEditMenu() {
  const TEditHistory& history = app_->History();
  undo_->setText(history.UndoText());
  undo_->setEnabled(history.CanUndo());
  redo_->setText(history.RedoText());
  redo_->setEnabled(history.CanRedo());
}

void TMainWindow::CreatePreviewMenu() {
  previewMenu_ = new QMenu(this);
  AddAction(previewMenu_, text::ContextReorder, &TMainWindow::ReOrder1Click);
  AddAction(previewMenu_, text::ContextDelete, &TMainWindow::Delete1Click);
  AddAction(previewMenu_, text::ContextChangeBackground, &TMainWindow::ChangeBackgroundClick);
}

void TMainWindow::ShowDocument() {
  const document::TBannerSettings& s = app_->Document().BannerSettings;
  size_->ShowSize(s.BannerWidth, s.BannerHeight);
  background_->ShowSettings(s);
  FillBackgroundList();
  animation_->ShowSettings(s);
  save_->ShowSettings(s);
  ApplyBackdrop();
  SizeApplied();
  UpdateCaption();
}

void TMainWindow::FillBackgroundList() {
  const TPreferences& p = app_->Preferences();
  const document::TBannerSettings& s = app_->Document().BannerSettings;
  std::vector<std::string> names = BackgroundFiles(p.BackgroundDirectory);
  if (background_->MatchingOnly()) names = MatchingBackgrounds(p.BackgroundDirectory, names, s.BannerWidth, s.BannerHeight);
  // The entry of the picture background when it is one of the folder's.
  std::string selected;
  const std::filesystem::path image(s.BackgroundImage);
  if (s.BackgroundType == document::TBackgroundType::btImage &&
      image.parent_path() == std::filesystem::path(p.BackgroundDirectory).parent_path())
    selected = image.filename().string();
  background_->ShowBackgrounds(names, selected);
}

const QScreen& TMainWindow::CurrentScreen() const {
  return *(screen() != nullptr ? screen() : QGuiApplication::primaryScreen());
}

TScreenSize TMainWindow::ScreenSize() const {
  const QSize screenSize = CurrentScreen().size();
  return {screenSize.width(), screenSize.height()};
}

QSize TMainWindow::ScreenRoom() const {
  return CurrentScreen().availableGeometry().size() - (frameGeometry().size() - geometry().size());
}

QSize TMainWindow::SpaceAroundPreview() {
  // A hidden window lays nothing out by itself: lay it out at its size now.
  if (!isVisible()) {
    for (QLayout* outer : {layout(), centralWidget()->layout()}) {
      outer->invalidate();
      outer->activate();
    }
  }
  return size() - previewScroller_->size();
}

void TMainWindow::SizeApplied() {
  const document::TBannerSettings& s = app_->Document().BannerSettings;
  const QSize panel =
      PreviewPanelSize({s.BannerWidth, s.BannerHeight}, TPreviewPanel::MinimumPlayerLeft, ScreenSize());
  const QSize around = SpaceAroundPreview();
  resize(GrownWindowSize(panel, s.BannerWidth, around, size(), ScreenRoom()));
  // A window the user placed low or far right moves so that it stays whole on the screen.
  if (isVisible()) move(FrameKeptOnScreen(frameGeometry(), CurrentScreen().availableGeometry()));
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

void TMainWindow::FtpButtonClick() {
  StartFtpCommand(this, app_->SavedMoviePath(), publish::FtpSitesFile(publish::DefaultConfigFolder()), ftpClient_,
                  app_->Dialogs());
}

void TMainWindow::HtmlCodeClick() {
  const document::TBannerSettings& s = app_->Document().BannerSettings;
  THtmlCodeSource source{app_->Preferences().DefaultWebSite, app_->Preferences().DefaultWebImageDirectory,
                         app_->SavedMoviePath(), {s.BannerWidth, s.BannerHeight, s.BackgroundShape},
                         publish::TempFolder()};
  HtmlCodeDialog dialog(std::move(source), app_->Dialogs(), app_->Opener(), this);
  dialog.exec();
}

void TMainWindow::ExportClick(int choice) {
  const TExportChoiceText& texts = ExportChoiceTexts()[static_cast<std::size_t>(choice)];
  const QFileInfo saved(QString::fromStdString(app_->SavedMoviePath()));
  const QString folder = app_->SavedMoviePath().empty() ? QString::fromStdString(app_->Preferences().SaveDirectory)
                                                        : saved.absolutePath();
  const QString name = app_->SavedMoviePath().empty() ? QStringLiteral("banner") : saved.completeBaseName();
  const std::optional<QString> path = app_->Dialogs().AskExportFileName(
      Ui(texts.Caption), Ui(texts.Filter), QDir(folder).filePath(name + QLatin1String(texts.Extension)));
  if (!path) return;
  // The movie is built here from the document; only the encoding leaves
  // the window thread. Its own generator, seeded as tessaly-export's,
  // makes every export of the same banner the same and leaves the
  // preview's random sequence alone.
  exports::TBannerMovie movie;
  const bool built = app_->Guarded([&] {
    effects::TRandomGenerator random(0);
    effects::TOneStepAnim effects(random, app_->Folders().Program);
    movie = exports::BuildBannerMovie(app_->Document(), &effects, publish::TempFolder());
  });
  if (!built) return;
  exports::TExportOptions options;
  options.Kind = ExportKindFor(static_cast<TExportChoice>(choice), *path);
  auto* dialog = new ExportProgressDialog(std::move(movie), options, *path, app_->Dialogs(), this);
  connect(dialog, &ExportProgressDialog::exportFinished, this,
          [this, dialog](TJobOutcome outcome, const QString& message) {
            if (outcome == TJobOutcome::Done) save_->ShowExportWeight(message);
            dialog->deleteLater();
          });
  dialog->start();
}

void TMainWindow::OpenOptions(int page) {
  OptionsDialog dialog(app_->Preferences(), *store_, publish::FtpSitesFile(publish::DefaultConfigFolder()),
                       app_->Dialogs(), this);
  dialog.showPage(static_cast<OptionsDialog::Page>(page));
  connect(&dialog, &OptionsDialog::previewColorChosen, this, &TMainWindow::ApplyBackdrop);
  connect(&dialog, &OptionsDialog::optionsApplied, this, [this] {
    CheckBackgroundFolder();
    FillBackgroundList();
    ApplyBackdrop();
  });
  dialog.exec();
}

void TMainWindow::Options1Click() { OpenOptions(static_cast<int>(OptionsDialog::Page::Defaults)); }

void TMainWindow::ChangeBackgroundClick() { OpenOptions(static_cast<int>(OptionsDialog::Page::Background)); }

void TMainWindow::ReOrder1Click() {
  ItemOrderDialog dialog(app_->Document(), this);
  if (dialog.exec() == QDialog::Accepted) SetChangeMade();
  app_->Rebuild();
}

void TMainWindow::CheckUpdate1Click() {
  if (updateChecker_ == nullptr)
    updateChecker_ = new TUpdateChecker(ProgramVersion().toStdString(), publish::UpdateCheckURL(), app_->Dialogs(), this);
  updateChecker_->Check();
}

void TMainWindow::SizePresetClick(int preset) {
  const int refused = banner_->ChoosePreset(preset, ScreenSize());
  const document::TBannerSettings& s = app_->Document().BannerSettings;
  if (refused == 0) {
    size_->ShowSize(s.BannerWidth, s.BannerHeight);
    if (background_->MatchingOnly()) FillBackgroundList();
    SizeApplied();
    return;
  }
  const TSizePreset& chosen = SizePresets[static_cast<size_t>(preset)];
  size_->ShowSize(chosen.Width, chosen.Height);
  refused == 1 ? size_->FocusWidth() : size_->FocusHeight();
}

void TMainWindow::suiSpinEdit5Exit(const QString& text) {
  if (checkingField_) return;
  checkingField_ = true;
  const bool accepted = banner_->LeaveWidthField(text, ScreenSize());
  checkingField_ = false;
  if (!accepted) return size_->FocusWidth();
  if (background_->MatchingOnly()) FillBackgroundList();
  SizeApplied();
}

void TMainWindow::suiSpinEdit6Exit(const QString& text) {
  if (checkingField_) return;
  checkingField_ = true;
  const bool accepted = banner_->LeaveHeightField(text, ScreenSize());
  checkingField_ = false;
  if (!accepted) return size_->FocusHeight();
  if (background_->MatchingOnly()) FillBackgroundList();
  SizeApplied();
}

void TMainWindow::GradientChange() {
  background_->TickBox(document::TBackgroundType::btGradient);
  banner_->ApplyGradient(background_->BackgroundColor(), background_->GradientEndColor(),
                         background_->GradientStyle());
}

void TMainWindow::PictureBoxClick() {
  // The picture box means a picture only with a built-in background chosen.
  const std::string chosen = background_->ChosenBackground();
  if (!chosen.empty()) banner_->ChooseBuiltInBackground(chosen);
}

void TMainWindow::BackgroundListFilterClick() { FillBackgroundList(); }

void TMainWindow::AddBackgroundImageClick() {
  banner_->AddBackgroundImage();
  background_->TickBox(app_->Document().BannerSettings.BackgroundType);
}

void TMainWindow::BorderWidthExit(const QString& text) {
  if (checkingField_) return;
  checkingField_ = true;
  const bool accepted = banner_->SetBorderWidth(text);
  checkingField_ = false;
  if (!accepted) background_->FocusBorderWidth();
}

void TMainWindow::PreviousClick() { tabs_->setCurrentIndex(std::max<int>(wtHome, tabs_->currentIndex() - 1)); }

void TMainWindow::NextClick() { tabs_->setCurrentIndex(std::min<int>(wtSave, tabs_->currentIndex() + 1)); }

void TMainWindow::Delete1Click() { items_->DeleteFromMenu(); }

void TMainWindow::closeEvent(QCloseEvent* event) {
  if (closing_ || (!app_->Building() && app_->MayClose())) {
    event->accept();
    return;
  }
  event->ignore();
}

}  // namespace tessaly::shell
