#pragma once
// The commands of the shape, picture and text tabs. Each control edits the
// current item only when it is of the tab's kind and keeps its value as the
// default of the next new item; an item that becomes current fills its tab.
// No widgets: the tabs show the values kept here and report what the user
// did; messages come back as UTF-8 texts for the window to show.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "document/BannerDocument.h"
#include "shell/core/ItemFields.h"
#include "shell/core/ItemTabValues.h"

namespace tessaly::document {
class TBuildPipeline;
}

namespace tessaly::shell {

// What adding a picture asks of the user.
class TItemDialogs {
 public:
  virtual ~TItemDialogs() = default;
  // The frame dialog for an animated GIF of frameCount frames: the frame
  // chosen (-1 when its text is not a number or the dialog is cancelled).
  virtual std::int32_t ChooseGifFrame(int frameCount) = 0;
  virtual void ShowMessage(const std::string& message) = 0;
};

// A text box holds at most this many characters.
inline constexpr int MaxTextLength = 256;
inline constexpr const char* NewTextCaption = "New Text";

class TItemCommands {
 public:
  // The document and the pipeline outlive the commands.
  TItemCommands(document::TBannerDocument& document, document::TBuildPipeline& pipeline);

  const TShapeTabValues& Shape() const { return shape_; }
  const TPictureTabValues& Picture() const { return picture_; }
  const TTextTabValues& Text() const { return text_; }

  // The values of a tab changed other than by its own control (an item was
  // filled in, a size followed its partner, an item was added): the tab
  // shows them again.
  std::function<void(document::ItemKind)> onValuesChanged;

  // Start-up: the shape tab's initial radii, points and angles, the text
  // colour black, the font "Arial".
  void ResetForStartup();
  // A new document: picture sizes 0 with "保持宽高比" ticked, shape sizes 0,
  // the gradient style 3, the text box empty, regular style, "Arial" and
  // the font size preference.
  void ResetForNewDocument(std::int32_t fontSize);

  // An arrow of a numeric field moved it to value.
  void StepField(TItemField field, std::int32_t value);
  // The user left a numeric field showing text: the message to show (the
  // focus goes back to the field), or nothing.
  std::optional<std::string> LeaveField(TItemField field, std::string_view text);
  std::int32_t FieldValue(TItemField field) const;

  // Shape tab.
  void SetShapeType(std::int32_t shapeType);
  void SetShapeColor(TColorRef color);
  void SetBorderColor(TColorRef color);
  void SetFillType(std::uint8_t fillType);
  void ChooseFillImage(const std::string& fileName);
  void SetGradientStartColor(TColorRef color);
  void SetGradientEndColor(TColorRef color);
  void SetGradientStyle(std::int32_t style);
  // "应用外形": a new shape; the refusal message when the table is full.
  std::optional<std::string> ApplyShape();

  // Picture tab: "添加图像" with a chosen file.
  void AddPicture(const std::string& fileName, TItemDialogs& dialogs);
  void SetKeepAspect(bool keepAspect);

  // Text tab. The text box changed / was left: the refusal message when a
  // new text could not be added.
  std::optional<std::string> ChangeText(std::string_view text);
  void LeaveText(std::string_view text);
  // "新建文字".
  std::optional<std::string> NewText();
  void SetFontName(const std::string& fontName);
  void SetTextStyle(std::int32_t style);
  void SetTextColor(TColorRef color);
  void SetShadowColor(TColorRef color);
  void SetShadowAngle(std::int32_t angle);

  // The item becomes current and fills its tab.
  void SelectAndFill(int index);
  // The shape, picture or text tab was shown: a playing animation stops and
  // the last item of the kind, when there is one, becomes current.
  void ShowTab(document::ItemKind kind);
  // The context menu's "&Delete": the current item is deleted without being
  // kept for undelete; the text box empties when it was a text.
  void DeleteWithoutUndo();

 private:
  std::int32_t& FieldSlot(TItemField field);
  void StoreField(TItemField field, std::int32_t value);
  // The current item when it is of the kind, else nullptr.
  document::TFlashObjects* Current(document::ItemKind kind);
  void Rebuild();
  void ValuesChanged(document::ItemKind kind);
  std::optional<std::string> AddText(std::string_view text);

  document::TBannerDocument& document_;
  document::TBuildPipeline& pipeline_;
  TShapeTabValues shape_;
  TPictureTabValues picture_;
  TTextTabValues text_;
};

// text cut to MaxTextLength characters (not bytes).
std::string LimitedText(std::string_view text);
bool IsBlankText(std::string_view text);

}  // namespace tessaly::shell
