#pragma once
// Connects the shape, picture and text tabs, the tool panel and the preview
// to the item commands: what the user does in a tab or the preview runs a
// command, what a command changes is shown in the tabs again, and the
// messages and dialogs the commands ask for are shown over the window.

#include <QObject>
#include <QRectF>
#include <QString>

#include <memory>
#include <optional>

#include "shell/core/ItemCommands.h"
#include "shell/core/PlacementCommands.h"

namespace tessaly::document {
class TBannerDocument;
class TBuildPipeline;
}  // namespace tessaly::document

namespace tessaly::shell {

class TFlashPlayerControl;
class TPictureTab;
class TPreviewPanel;
class TSelectionOverlay;
class TShapeTab;
class TTextTab;
class TToolPanel;

class TItemEditor : public QObject, private TItemDialogs {
  Q_OBJECT

 public:
  // Everything given outlives the editor; window parents its dialogs.
  // The editor ends before the document: its owner deletes it.
  TItemEditor(document::TBannerDocument& document, document::TBuildPipeline& pipeline, TPreviewPanel& preview,
              TShapeTab& shape, TPictureTab& picture, TTextTab& text, QWidget* window);
  ~TItemEditor() override;

  TItemCommands& Items() { return *items_; }
  TPlacementCommands& Placement() { return *placement_; }

  // The nudge, centre, delete and undelete buttons.
  void ConnectToolPanel(TToolPanel& tools);
  // The folder the picture dialogs open in while they have none of their own.
  void SetImageDirectory(const QString& folder) { imageDirectory_ = folder; }

  // The shape, picture or text tab was shown.
  void ShowTab(document::ItemKind kind);
  // "添加图像" once the file is chosen.
  void AddPictureFile(const QString& fileName);
  // The context menu's "&Delete".
  void DeleteFromMenu();
  // A new or opened document: a new one resets the tabs (the font size to
  // fontSize), an opened one fills the tab of its current item.
  void ShowDocument(std::int32_t fontSize);
  // While a build uses the document on another thread the outline is not
  // taken from it: it stays where it was when the build began.
  void FreezeOutline();
  void ThawOutline();

 signals:
  // A release in the preview made an item of this kind current.
  void ItemSelected(document::ItemKind kind);

 private:
  class TScripting;

  void ConnectShapeTab();
  void ConnectPictureTab();
  void ConnectTextTab();
  void ConnectPreview();
  void ShowValues(document::ItemKind kind);
  void LeaveField(TItemField field, const QString& text);
  void ShowRefusal(const std::optional<std::string>& message);
  // The picture dialog, opened in folder (the image folder until a picture
  // was chosen there); the chosen file's folder is kept in folder. Empty
  // when cancelled.
  QString PictureFileFrom(QString& folder);
  void ChooseFillPicture();
  void ChoosePicture();
  // Arrow keys and Delete while the preview has the focus.
  bool PreviewKey(int key, Qt::KeyboardModifiers modifiers);
  std::optional<QRectF> CurrentOutline();
  bool eventFilter(QObject* watched, QEvent* event) override;

  // TItemDialogs.
  std::int32_t ChooseGifFrame(int frameCount) override;
  void ShowMessage(const std::string& message) override;

  document::TBannerDocument& document_;
  TPreviewPanel& preview_;
  TShapeTab& shape_;
  TPictureTab& picture_;
  TTextTab& text_;
  QWidget* window_;
  std::unique_ptr<TScripting> scripting_;
  std::unique_ptr<TItemCommands> items_;
  std::unique_ptr<TPlacementCommands> placement_;
  TSelectionOverlay* overlay_;
  bool outlineFrozen_ = false;
  std::optional<QRectF> frozenOutline_;
  QString imageDirectory_;
  QString pictureFolder_;
  QString fillFolder_;
  // The press that started the release stopped a playing animation.
  bool pressStoppedAnimation_ = false;
};

}  // namespace tessaly::shell
