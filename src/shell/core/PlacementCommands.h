#pragma once
// Placing items in the live preview: the item pressed in the running movie
// becomes current and takes the position its instance was dragged to; the
// nudge arrows, the centring buttons, delete and undelete.

#include <optional>
#include <string>

#include "document/BannerDocument.h"

namespace tessaly::document {
class TBuildPipeline;
}

namespace tessaly::shell {

class TItemCommands;

// The scripting calls of the player that shows the preview.
class TPreviewScripting {
 public:
  virtual ~TPreviewScripting() = default;
  virtual std::optional<std::string> GetVariable(const std::string& name) = 0;
  // Property indexes: 0 x, 1 y, 8 width, 9 height, in pixels.
  virtual std::optional<std::string> TGetProperty(const std::string& target, int index) = 0;
  virtual bool TSetProperty(const std::string& target, int index, const std::string& value) = 0;
};

// A property text read as a position: a number rounded to the nearest
// integer, 100 when the text is not a number.
std::int32_t PropertyPosition(const std::string& text);
// A property text read as a size: a number rounded, 0 when not a number.
std::int32_t PropertySize(const std::string& text);

// The box an item covers on the banner at its document position, in pixels
// (a shape's edge included).
struct TOutline {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  bool operator==(const TOutline&) const = default;
};
TOutline OutlineOf(const document::TFlashObjects& item);

enum class TNudge { nUp, nDown, nLeft, nRight };

class TPlacementCommands {
 public:
  // Everything given outlives the commands.
  TPlacementCommands(document::TBannerDocument& document, document::TBuildPipeline& pipeline,
                     TPreviewScripting& scripting, TItemCommands& items);

  // The mouse was released over the preview: a playing animation stops,
  // otherwise SelectByRelease. Returns the item that became current, or 0.
  int ReleaseInPreview();
  int SelectByRelease();

  // Moves the current item by one pixel (or by steps pixels) and rebuilds.
  void Nudge(TNudge direction, int steps = 1);
  void CentreHorizontally();
  void CentreVertically();
  void Delete();
  void Undelete();

 private:
  // The first item, deleted ones included, named CurrentItemName; 0 when
  // there is none.
  int NamedCurrentItem() const;
  std::optional<std::int32_t> Property(const std::string& name, int index);

  document::TBannerDocument& document_;
  document::TBuildPipeline& pipeline_;
  TPreviewScripting& scripting_;
  TItemCommands& items_;
};

}  // namespace tessaly::shell
