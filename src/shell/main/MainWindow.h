#pragma once
// The main window: the preview area with the tool panel beside it, the
// eight wizard tabs with "上一步"/"下一步", the main menu and the preview's
// context menu. The slots carry the names of the original event handlers
// and each calls one command of the application object.

#include <QMainWindow>

#include <memory>

#include "publish/DesktopServices.h"
#include "publish/FtpPublish.h"
#include "shell/Settings.h"
#include "shell/core/Application.h"
#include "shell/core/BannerCommands.h"

class QAction;
class QMenu;
class QPushButton;
class QScreen;
class QScrollArea;
class QTabWidget;

namespace tessaly::shell {

class TAnimationTab;
class TBackgroundTab;
class THomeTab;
class TItemEditor;
class TPictureTab;
class TPreviewPanel;
class TSaveTab;
class TShapeTab;
class TSizeTab;
class TTextTab;
class TToolPanel;
class TUpdateChecker;

enum TWizardTab : int {
  wtHome = 0,
  wtSize = 1,
  wtBackground = 2,
  wtShape = 3,
  wtPicture = 4,
  wtText = 5,
  wtAnimation = 6,
  wtSave = 7,
};
inline constexpr int WizardTabCount = 8;

// What the window uses to talk to the user and the desktop; tests put in
// scripted ones. A null member takes the window's own (message boxes, file
// dialogs, a build thread with a progress dialog, xdg-open).
struct TWindowServices {
  TUserDialogs* Dialogs = nullptr;
  TBuildRunner* Runner = nullptr;
  publish::TShellOpener* Opener = nullptr;
  // The preference store the Options dialog writes.
  QSettings* Store = nullptr;
};

class TMainWindow : public QMainWindow {
  Q_OBJECT

 public:
  TMainWindow(TSettingsFolders folders, TPreferences preferences, TWindowServices services = {},
              QWidget* parent = nullptr);
  ~TMainWindow() override;

  TApplication& App() { return *app_; }
  TBannerCommands& Banner() { return *banner_; }
  QTabWidget* Tabs() const { return tabs_; }
  TPreviewPanel* Preview() const { return preview_; }
  // The preview panel scrolls in it when the window cannot hold the banner.
  QScrollArea* PreviewScroller() const { return previewScroller_; }
  TToolPanel* Tools() const { return tools_; }
  THomeTab* HomePage() const { return home_; }
  TSizeTab* SizePage() const { return size_; }
  TBackgroundTab* BackgroundPage() const { return background_; }
  TShapeTab* ShapePage() const { return shape_; }
  TPictureTab* PicturePage() const { return picture_; }
  TTextTab* TextPage() const { return text_; }
  TItemEditor* Items() const { return items_.get(); }
  TAnimationTab* AnimationPage() const { return animation_; }
  TSaveTab* SavePage() const { return save_; }
  QPushButton* PreviousButton() const { return previous_; }
  QPushButton* NextButton() const { return next_; }
  QMenu* PreviewMenu() const { return previewMenu_; }
  QAction* UndoAction() const { return undo_; }
  QAction* RedoAction() const { return redo_; }

 public slots:
  void New1Click();
  void Open1Click();
  void Button1Click();
  void Exit1Click();
  void UndoClick();
  void RedoClick();
  void Playflashanimation();
  void StopFlashAnimation();
  void StopAnimation();
  void suiRefreshClick();
  void SetChangeMade();
  void HelpTopics1Click();
  void About1Click();
  void PreviewButtonClick();
  void MailButtonClick();
  void FtpButtonClick();
  void HtmlCodeClick();
  // One of the save tab's exports (a TExportChoice): the file dialog, then
  // the export with its progress dialog; the weight shown after.
  void ExportClick(int choice);
  void Options1Click();
  void ReOrder1Click();
  void CheckUpdate1Click();
  void ChangeBackgroundClick();
  void PreviousClick();
  void NextClick();
  // Size tab.
  void SizePresetClick(int preset);
  void suiSpinEdit5Exit(const QString& text);
  void suiSpinEdit6Exit(const QString& text);
  // Background tab.
  void GradientChange();
  void PictureBoxClick();
  void BackgroundListFilterClick();
  void AddBackgroundImageClick();
  void BorderWidthExit(const QString& text);
  void Delete1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void CheckBackgroundFolder();
  void ConnectSizeTab();
  void ConnectBackgroundTab();
  void ConnectAnimationTab();
  void ConnectSaveTab();
  void FillBackgroundList();
  void OpenOptions(int page);
  TScreenSize ScreenSize() const;
  const QScreen& CurrentScreen() const;
  // The most the window may take: the screen's available area less its frame.
  QSize ScreenRoom() const;
  // What the window needs around the preview area.
  QSize SpaceAroundPreview();
  // A banner size was applied: the window grows to hold it, within the
  // screen (the player re-centres as the panel resizes; what the window
  // cannot hold scrolls).
  void SizeApplied();
  void CreateMenus();
  // The Edit menu names the steps that undo and redo would take.
  void UpdateEditMenu();
  void CreatePreviewMenu();
  void CreateTabs();
  void ConnectTabs();
  void CreateItemTabs();
  void ItemTabShown(int tab);
  void ShowItemTabOf(document::ItemKind kind);
  void ShowDocument();
  void UpdateCaption();
  void UpdateWizardButtons();
  void ApplyBackdrop();
  QAction* AddAction(QMenu* menu, const char* caption, void (TMainWindow::*slot)());

  std::unique_ptr<TUserDialogs> ownDialogs_;
  std::unique_ptr<TBuildRunner> ownRunner_;
  std::unique_ptr<publish::TProcessRunner> processRunner_;
  std::unique_ptr<publish::TShellOpener> ownOpener_;
  std::unique_ptr<QSettings> ownStore_;
  QSettings* store_ = nullptr;
  std::shared_ptr<publish::TFtpClient> ftpClient_ = std::make_shared<publish::TCurlFtpClient>();
  TUpdateChecker* updateChecker_ = nullptr;
  TPreviewPanel* preview_ = nullptr;
  QScrollArea* previewScroller_ = nullptr;
  TToolPanel* tools_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  THomeTab* home_ = nullptr;
  TSizeTab* size_ = nullptr;
  TBackgroundTab* background_ = nullptr;
  TShapeTab* shape_ = nullptr;
  TPictureTab* picture_ = nullptr;
  TTextTab* text_ = nullptr;
  TAnimationTab* animation_ = nullptr;
  TSaveTab* save_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
  QMenu* previewMenu_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  std::unique_ptr<TApplication> app_;
  std::unique_ptr<TBannerCommands> banner_;
  // Goes before the application whose document it edits.
  std::unique_ptr<TItemEditor> items_;
  QString projectName_;
  bool closing_ = false;
  // A refused value's message is up: the field's leaving is not checked again.
  bool checkingField_ = false;
};

}  // namespace tessaly::shell
