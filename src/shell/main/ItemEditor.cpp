#include "shell/main/ItemEditor.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>

#include <utility>

#include "document/BuildPipeline.h"
#include "shell/core/PictureChecks.h"
#include "shell/dialogs/AnimatedGifDialog.h"
#include "shell/main/PreviewPanel.h"
#include "shell/main/ToolPanel.h"
#include "shell/main/tabs/PictureTab.h"
#include "shell/main/tabs/ShapeTab.h"
#include "shell/main/tabs/TextTab.h"
#include "shell/widgets/FlashPlayerControl.h"
#include "shell/widgets/NumberField.h"
#include "shell/widgets/SelectionOverlay.h"

namespace tessaly::shell {

using document::ItemKind;

// The preview's scripting calls, answered by the player widget.
class TItemEditor::TScripting : public TPreviewScripting {
 public:
  explicit TScripting(TFlashPlayerControl& player) : player_(player) {}
  std::optional<std::string> GetVariable(const std::string& name) override { return player_.GetVariable(name); }
  std::optional<std::string> TGetProperty(const std::string& target, int index) override {
    return player_.TGetProperty(target, index);
  }
  bool TSetProperty(const std::string& target, int index, const std::string& value) override {
    return player_.TSetProperty(target, index, value);
  }

 private:
  TFlashPlayerControl& player_;
};

TItemEditor::TItemEditor(document::TBannerDocument& document, document::TBuildPipeline& pipeline,
                         TPreviewPanel& preview, TShapeTab& shape, TPictureTab& picture, TTextTab& text,
                         QWidget* window)
    : document_(document),
      preview_(preview),
      shape_(shape),
      picture_(picture),
      text_(text),
      window_(window),
      scripting_(std::make_unique<TScripting>(preview.Player())),
      items_(std::make_unique<TItemCommands>(document, pipeline)),
      placement_(std::make_unique<TPlacementCommands>(document, pipeline, *scripting_, *items_)),
      overlay_(new TSelectionOverlay(&preview.Player())) {
  items_->onValuesChanged = [this](ItemKind kind) { ShowValues(kind); };
  overlay_->outline = [this] { return outlineFrozen_ ? frozenOutline_ : CurrentOutline(); };
  ConnectShapeTab();
  ConnectPictureTab();
  ConnectTextTab();
  ConnectPreview();
  for (ItemKind kind : {ItemKind::ikShape, ItemKind::ikImage, ItemKind::ikText}) ShowValues(kind);
}

TItemEditor::~TItemEditor() {
  items_->onValuesChanged = nullptr;
  overlay_->outline = nullptr;
}

void TItemEditor::ShowValues(ItemKind kind) {
  switch (kind) {
    case ItemKind::ikShape: shape_.ShowValues(items_->Shape()); break;
    case ItemKind::ikImage: picture_.ShowValues(items_->Picture()); break;
    case ItemKind::ikText: text_.ShowValues(items_->Text()); break;
  }
  overlay_->update();
}

void TItemEditor::ConnectShapeTab() {
  TItemCommands& c = *items_;
  for (TItemTabPage* page : std::initializer_list<TItemTabPage*>{&shape_, &picture_, &text_}) {
    connect(page, &TItemTabPage::FieldStepped, this, [&c](TItemField field, int value) { c.StepField(field, value); });
    connect(page, &TItemTabPage::FieldLeft, this, &TItemEditor::LeaveField);
  }
  connect(&shape_, &TShapeTab::ShapeTypeChosen, this, [&c](int type) { c.SetShapeType(type); });
  connect(&shape_, &TShapeTab::ShapeColorChosen, this, [&c](std::uint32_t color) { c.SetShapeColor(color); });
  connect(&shape_, &TShapeTab::BorderColorChosen, this, [&c](std::uint32_t color) { c.SetBorderColor(color); });
  connect(&shape_, &TShapeTab::FillTypeChosen, this,
          [&c](int fill) { c.SetFillType(static_cast<std::uint8_t>(fill)); });
  connect(&shape_, &TShapeTab::FillPictureRequested, this, &TItemEditor::ChooseFillPicture);
  connect(&shape_, &TShapeTab::GradientStartChosen, this,
          [&c](std::uint32_t color) { c.SetGradientStartColor(color); });
  connect(&shape_, &TShapeTab::GradientEndChosen, this, [&c](std::uint32_t color) { c.SetGradientEndColor(color); });
  connect(&shape_, &TShapeTab::GradientStyleChosen, this, [&c](int style) { c.SetGradientStyle(style); });
  connect(&shape_, &TShapeTab::ApplyShapeClicked, this, [this] { ShowRefusal(items_->ApplyShape()); });
}

void TItemEditor::ConnectPictureTab() {
  connect(&picture_, &TPictureTab::AddPictureRequested, this, &TItemEditor::ChoosePicture);
  connect(&picture_, &TPictureTab::KeepAspectToggled, this, [this](bool keep) { items_->SetKeepAspect(keep); });
}

void TItemEditor::ConnectTextTab() {
  TItemCommands& c = *items_;
  connect(&text_, &TTextTab::TextEdited, this,
          [this](const QString& text) { ShowRefusal(items_->ChangeText(text.toStdString())); });
  connect(&text_, &TTextTab::TextLeft, this, [&c](const QString& text) { c.LeaveText(text.toStdString()); });
  connect(&text_, &TTextTab::NewTextClicked, this, [this] { ShowRefusal(items_->NewText()); });
  connect(&text_, &TTextTab::FontChosen, this, [&c](const QString& face) { c.SetFontName(face.toStdString()); });
  connect(&text_, &TTextTab::StyleChosen, this, [&c](int style) { c.SetTextStyle(style); });
  connect(&text_, &TTextTab::TextColorChosen, this, [&c](std::uint32_t color) { c.SetTextColor(color); });
  connect(&text_, &TTextTab::ShadowColorChosen, this, [&c](std::uint32_t color) { c.SetShadowColor(color); });
  connect(&text_, &TTextTab::ShadowAngleChosen, this, [&c](int angle) { c.SetShadowAngle(angle); });
}

void TItemEditor::ConnectPreview() {
  TFlashPlayerControl& player = preview_.Player();
  player.setFocusPolicy(Qt::ClickFocus);
  player.installEventFilter(this);
  connect(&preview_, &TPreviewPanel::PlayerPressed, this, [this] { pressStoppedAnimation_ = document_.Playing; });
  connect(&preview_, &TPreviewPanel::PlayerReleased, this, [this] {
    if (std::exchange(pressStoppedAnimation_, false) && !document_.Playing) return;
    const int index = placement_->ReleaseInPreview();
    if (index > 0) emit ItemSelected(document_.ItemTable[index].Kind);
    overlay_->update();
  });
}

void TItemEditor::ConnectToolPanel(TToolPanel& tools) {
  connect(&tools, &TToolPanel::NudgeRequested, this, [this](int dx, int dy) {
    const TNudge direction = dx < 0 ? TNudge::nLeft : dx > 0 ? TNudge::nRight : dy < 0 ? TNudge::nUp : TNudge::nDown;
    placement_->Nudge(direction);
  });
  connect(&tools, &TToolPanel::CentreHorizontallyRequested, this, [this] { placement_->CentreHorizontally(); });
  connect(&tools, &TToolPanel::CentreVerticallyRequested, this, [this] { placement_->CentreVertically(); });
  connect(&tools, &TToolPanel::DeleteRequested, this, [this] { placement_->Delete(); });
  connect(&tools, &TToolPanel::UndeleteRequested, this, [this] { placement_->Undelete(); });
}

void TItemEditor::ShowTab(ItemKind kind) {
  items_->ShowTab(kind);
  overlay_->update();
}

void TItemEditor::DeleteFromMenu() { items_->DeleteWithoutUndo(); }

void TItemEditor::ShowDocument(std::int32_t fontSize) {
  if (document_.ItemTable.Count() == 0) {
    items_->ResetForNewDocument(fontSize);
    return;
  }
  const std::int32_t current = document_.FindCurrentItem();
  if (current > 0) items_->SelectAndFill(current);
}

void TItemEditor::LeaveField(TItemField field, const QString& text) {
  const std::optional<std::string> message = items_->LeaveField(field, text.toStdString());
  if (!message) return;
  TItemTabPage& page = FieldRule(field).Kind == ItemKind::ikShape   ? static_cast<TItemTabPage&>(shape_)
                       : FieldRule(field).Kind == ItemKind::ikImage ? static_cast<TItemTabPage&>(picture_)
                                                                    : static_cast<TItemTabPage&>(text_);
  ShowMessage(*message);
  page.Field(field)->setFocus();
}

void TItemEditor::ShowRefusal(const std::optional<std::string>& message) {
  if (message) ShowMessage(*message);
}

QString TItemEditor::PictureFileFrom(QString& folder) {
  const QString file = QFileDialog::getOpenFileName(window_, QString(), folder.isEmpty() ? imageDirectory_ : folder,
                                                    ItemText(FileDialogFilter(PictureDialogFilter)), nullptr,
                                                    QFileDialog::HideNameFilterDetails);
  if (!file.isEmpty()) folder = QFileInfo(file).absolutePath();
  return file;
}

void TItemEditor::ChooseFillPicture() {
  const QString file = PictureFileFrom(fillFolder_);
  if (!file.isEmpty()) items_->ChooseFillImage(file.toStdString());
}

void TItemEditor::ChoosePicture() {
  const QString file = PictureFileFrom(pictureFolder_);
  if (!file.isEmpty()) AddPictureFile(file);
}

void TItemEditor::AddPictureFile(const QString& fileName) { items_->AddPicture(fileName.toStdString(), *this); }

std::int32_t TItemEditor::ChooseGifFrame(int frameCount) { return TAnimatedGifDialog::ChooseFrame(frameCount, window_); }

void TItemEditor::ShowMessage(const std::string& message) {
  QMessageBox::information(window_, window_ ? window_->window()->windowTitle() : QString(), ItemText(message));
}

bool TItemEditor::PreviewKey(int key, Qt::KeyboardModifiers modifiers) {
  const int steps = modifiers.testFlag(Qt::ShiftModifier) ? 10 : 1;
  switch (key) {
    case Qt::Key_Left: placement_->Nudge(TNudge::nLeft, steps); return true;
    case Qt::Key_Right: placement_->Nudge(TNudge::nRight, steps); return true;
    case Qt::Key_Up: placement_->Nudge(TNudge::nUp, steps); return true;
    case Qt::Key_Down: placement_->Nudge(TNudge::nDown, steps); return true;
    case Qt::Key_Delete: placement_->Delete(); return true;
    default: return false;
  }
}

bool TItemEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &preview_.Player() && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!document_.Playing && PreviewKey(key->key(), key->modifiers())) return true;
  }
  return QObject::eventFilter(watched, event);
}

void TItemEditor::FreezeOutline() {
  frozenOutline_ = CurrentOutline();
  outlineFrozen_ = true;
}

void TItemEditor::ThawOutline() {
  outlineFrozen_ = false;
  overlay_->update();
}

std::optional<QRectF> TItemEditor::CurrentOutline() {
  if (document_.Playing) return std::nullopt;
  const std::int32_t index = document_.FindCurrentItem();
  if (index < 0) return std::nullopt;
  const document::TFlashObjects& item = document_.ItemTable[index];
  TOutline box = OutlineOf(item);
  // While the item is dragged its instance stands away from 0, 0.
  TFlashPlayerControl& player = preview_.Player();
  box.Left += PropertyPosition(player.TGetProperty(item.Name, 0).value_or("0"));
  box.Top += PropertyPosition(player.TGetProperty(item.Name, 1).value_or("0"));
  // Movie pixels to widget pixels ("ShowAll": scaled to fit, centred).
  const double w = player.width(), h = player.height();
  const double movieW = std::max(1, player.Player().Width()), movieH = std::max(1, player.Player().Height());
  const double scale = std::min(w / movieW, h / movieH);
  const QPointF offset((w - movieW * scale) / 2, (h - movieH * scale) / 2);
  return QRectF(offset + QPointF(box.Left, box.Top) * scale, QSizeF(box.Width, box.Height) * scale);
}

}  // namespace tessaly::shell
