#pragma once
// The banner being designed: the item table, the banner-wide settings and the
// editing state around them.
//
// Operations never read widgets: the control values they need arrive as a
// small struct per tab. What the shell has to mirror (the preview rebuild and
// the enabled state of the delete and undelete commands) is reported through
// TDocumentListener.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly::document {

// The program's own web page: the click address of a new banner.
inline constexpr std::string_view ProgramWebPage = "https://tessaly.example/";

inline constexpr std::string_view TooManyItemsMessage = "最多只能添加 99 个项目.";

// Windows COLORREF: 0x00BBGGRR.
using TColorRef = std::uint32_t;

enum class ItemKind : std::uint8_t { ikShape = 0, ikImage = 1, ikText = 2 };

enum class TBackgroundType : std::uint8_t { btColor = 0, btGradient = 1, btImage = 2 };

// ShapeType values.
enum TShapeType : std::int32_t {
  stRectangle = 0,
  stRoundRect = 1,
  stEllipse = 2,
  stDiamond = 3,
  stStar = 4,
  stPie = 5,
  stRing = 6,
};

// Shapes of these types are drawn in the box X, Y, Width, Height; the others
// (star, pie, ring) are drawn from radii around the centre X, Y.
constexpr bool IsBoxShape(std::int32_t shapeType) { return shapeType >= 0 && shapeType <= 3; }

// The effect list: index 0 "无动画" (no animation), effects 1 to
// LastEffectIndex. Any other AnimationType (-1: nothing selected, or a
// number no effect has) builds the one-frame movie.
inline constexpr std::int32_t LastEffectIndex = 30;
constexpr bool IsEffectIndex(std::int32_t animationType) {
  return animationType >= 1 && animationType <= LastEffectIndex;
}
// What the effect list can hold: -1 (nothing selected) to LastEffectIndex.
constexpr bool IsKnownAnimationType(std::int32_t animationType) {
  return animationType >= -1 && animationType <= LastEffectIndex;
}

// The SWF versions the save tab offers; a project asking for another one is
// built as DefaultFlashVersion.
inline constexpr std::int32_t MinFlashVersion = 4;
inline constexpr std::int32_t MaxFlashVersion = 7;
inline constexpr std::int32_t DefaultFlashVersion = 6;
constexpr bool IsOfferedFlashVersion(std::int32_t version) {
  return version >= MinFlashVersion && version <= MaxFlashVersion;
}

// Target window choices of the save tab.
enum TTargetChoice : std::int32_t { tcNewWindow = 0, tcSameWindow = 1, tcNamedWindow = 2 };

// One record of the item table. All kinds share the layout; a field that a
// kind does not use keeps whatever it held (zero for a fresh record).
struct TFlashObjects {
  ItemKind Kind = ItemKind::ikShape;
  std::int32_t DragBaseX = 0;
  std::int32_t DragBaseY = 0;
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t Height = 0;
  std::int32_t Width = 0;  // for texts: the measured size of the text, set by every build
  TColorRef Color = 0;
  std::string Name;
  bool InPreview = false;
  bool Moved = false;
  bool Deleted = false;
  std::uint8_t Transparency = 0;  // percent, 0 to 100
  std::string ImageFileName;
  std::uint8_t ImageType = 0;  // see ImageTypeOf
  std::int32_t GifFrame = 0;   // counted from 1; -1 = the GIF's own first picture
  bool KeepAspect = false;
  double AspectRatio = 0.0;  // Width / Height; 0 while Height is 0
  std::uint8_t FontSize = 0;
  std::string Text;
  std::string FontName;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strikeout = false;
  std::int32_t CharSpacing = 0;
  std::int32_t ShadowAltitude = 0;  // below 1: no shadow
  TColorRef ShadowColor = 0;
  std::int32_t ShadowAngle = 0;  // direction index 0 to 7: 45 * index degrees
  std::int32_t ShapeType = 0;
  std::int32_t Radius = 0;
  std::int32_t InnerRadius = 0;
  std::int32_t OuterRadius = 0;
  std::int32_t NumberOfPoints = 0;
  std::int32_t StartAngle = 0;
  std::int32_t EndAngle = 0;
  TColorRef BorderColor = 0;
  std::int32_t BorderWidth = 0;
  std::uint8_t FillType = 0;  // 0 colour, 1 gradient, 2 picture (FillImage)
  std::string FillImage;
  TColorRef GradientStartColor = 0;
  TColorRef GradientEndColor = 0;
  std::int32_t GradientStyle = 0;  // 0 to 8

  bool operator==(const TFlashObjects&) const = default;
};

// The items, indexed from 1. Records 1 to Count() are in use (deleted ones
// included) in stacking order; the records above Count() are blank.
class TItemTable {
 public:
  static constexpr int Capacity = 99;

  int Count() const { return count_; }
  bool Full() const { return count_ == Capacity; }

  // index from 1 to Capacity; anything else throws std::out_of_range.
  TFlashObjects& operator[](int index);
  const TFlashObjects& operator[](int index) const;

  // Appends a blank record named "but" + its index and returns it; throws
  // std::length_error when the table is full.
  TFlashObjects& Append();

  // Every record back to its blank state, Count() 0.
  void Clear();

  bool operator==(const TItemTable&) const = default;

 private:
  std::array<TFlashObjects, Capacity> records_{};
  int count_ = 0;
};

struct TBannerSettings {
  std::int32_t BannerWidth = 468;
  std::int32_t BannerHeight = 60;
  std::string URL{ProgramWebPage};
  // The click target: TargetWindow() gives "_blank", "_self" or TargetWindowName.
  std::int32_t TargetChoice = tcNewWindow;
  std::string TargetWindowName;  // the name typed for tcNamedWindow
  bool Compress = true;
  std::int32_t FlashVersion = DefaultFlashVersion;
  // The click opens the address the page passes as clickTAG (FlashVars),
  // else URL.
  bool UseClickTag = false;
  TBackgroundType BackgroundType = TBackgroundType::btColor;
  TColorRef BackgroundColor = 0xFFFFFF;
  TColorRef BackgroundGradientStart = 0xFFFFFF;
  TColorRef BackgroundGradientEnd = 0;
  std::int32_t BackgroundGradientStyle = 3;
  std::string BackgroundImage;
  std::int32_t BackgroundShape = 0;  // 0 to 7
  TColorRef BorderColor = 0;
  std::int32_t BorderWidth = 0;
  std::int32_t AnimationType = 0;  // 0 "无动画" and -1 (nothing selected): no animation
  std::int32_t AnimationSpeed = 10;
  std::int32_t AnimationLoop = 0;  // 0 = forever
  std::int32_t AnimationFirstFrame = 0;
  std::int32_t AnimationLastFrame = 0;
  bool AnimateBackground = false;
  bool AnimateShapes = true;
  bool AnimateImages = true;
  bool AnimateText = true;

  std::string TargetWindow() const;
  bool HasAnimation() const { return IsEffectIndex(AnimationType); }
  // The colour the background colour chooser shows: a gradient's first
  // colour, else the background colour.
  TColorRef BackgroundChooserColor() const {
    return BackgroundType == TBackgroundType::btGradient ? BackgroundGradientStart : BackgroundColor;
  }

  bool operator==(const TBannerSettings&) const = default;
};

// ImageType from the upper-cased extension: ".GIF" 1, ".JPEG" / ".JPG" 2,
// ".BMP" 3, ".PNG" 4, anything else 0 (platform::PictureKindOf).
std::uint8_t ImageTypeOf(std::string_view fileName);

// Width / height of a picture; 0 when the height is 0 (no ratio known).
double AspectOf(std::int32_t width, std::int32_t height);

// What the shell follows: preview rebuilds and the enabled commands.
class TDocumentListener {
 public:
  virtual ~TDocumentListener() = default;
  // The operation asks for BuildPreviewMovie (with an empty file name).
  virtual void PreviewRebuildRequested() = 0;
  virtual void CommandsChanged(bool deleteEnabled, bool undeleteEnabled) = 0;
};

// Values that a new document takes from the preferences and the controls.
struct TNewDocumentDefaults {
  std::int32_t BannerWidth = 468;   // the BannerWidth preference
  std::int32_t BannerHeight = 60;   // the BannerHeight preference
  bool AnimateBackground = false;   // the animation tab's layer boxes
  bool AnimateShapes = true;
  bool AnimateImages = true;
  bool AnimateText = true;
  std::int32_t AnimationLoop = 0;
  std::int32_t AnimationFirstFrame = 0;
  std::int32_t AnimationLastFrame = 0;
};

// The shape tab's controls as AddShapeItem reads them.
struct TShapeDefaults {
  std::int32_t ShapeType = stRectangle;
  TColorRef Color = 0x0000FF;  // the shape colour chooser
  std::int32_t NumberOfPoints = 5;
  std::int32_t StartAngle = 180;
  std::int32_t EndAngle = 0;
  std::uint8_t Transparency = 0;
};

// The text tab's controls as AddTextItem reads them.
struct TTextDefaults {
  TColorRef Color = 0;
  std::uint8_t FontSize = 14;
  std::int32_t CharSpacing = 0;
  std::uint8_t Transparency = 0;
  std::int32_t Style = 0;  // 0 regular, 1 italic, 2 bold, 3 bold italic
  std::string FontName;    // the font tree's selection; empty gives "Arial"
  std::int32_t ShadowAltitude = 0;
  TColorRef ShadowColor = 0xC0C0C0;
  std::int32_t ShadowAngle = 3;  // position of the shadow angle control
};

// What AddImageItem needs: the picture's pixel size (the caller loads it)
// and the picture tab's controls.
struct TImageDefaults {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  TColorRef ShapeColor = 0x0000FF;  // the shape colour chooser
  bool KeepAspect = true;           // "保持宽高比"
  std::uint8_t Transparency = 0;
  std::int32_t GifFrame = -1;  // the frame dialog's choice for an animated GIF
};

struct TAddResult {
  int Index = -1;       // the new item; -1 when refused
  std::string Refusal;  // the message to show when refused
  bool Added() const { return Index > 0; }
};

class TBannerDocument {
 public:
  TItemTable ItemTable;
  TBannerSettings BannerSettings;

  std::string CurrentItemName;
  std::int32_t CurrentItemIndex = 0;  // 0 before any lookup
  std::int32_t LastShapeItem = -1;
  std::int32_t LastImageItem = -1;
  std::int32_t LastTextItem = -1;
  std::int32_t LastDeletedItem = -1;
  bool ChangeMade = false;
  bool Playing = false;
  bool PreviewEnabled = true;

  // nullptr: nobody listens.
  void SetListener(TDocumentListener* listener) { listener_ = listener; }

  bool DeleteEnabled() const { return deleteEnabled_; }
  bool UndeleteEnabled() const { return undeleteEnabled_; }
  // Sets and reports the enabled commands (e.g. after items were loaded).
  void SetCommandState(bool deleteEnabled, bool undeleteEnabled);

  // The first item in use, not deleted, named CurrentItemName; stored in
  // CurrentItemIndex. -1 when there is none.
  std::int32_t FindCurrentItem();

  // The current item when it is of the given kind, else nullptr.
  TFlashObjects* CurrentItemOf(ItemKind kind);

  // Makes item index current: CurrentItemName, CurrentItemIndex and the
  // Last...Item of its kind.
  void SelectItem(int index);

  // Every record back to zero, Count 0, settings reset to a new banner's
  // background and size; clears ChangeMade and requests a rebuild.
  void NewDocument(const TNewDocumentDefaults& defaults);

  // Appends an item and makes it current, or refuses with
  // TooManyItemsMessage when the table is full. The shell then shows the new
  // item in its tab (for a shape: the radius controls take the item's radii,
  // a size control that shows 0 takes the item's size, the colour fill box is
  // ticked; for a text: the text box shows the stored text).
  TAddResult AddShapeItem(const TShapeDefaults& defaults);
  TAddResult AddTextItem(std::string_view text, const TTextDefaults& defaults);
  TAddResult AddImageItem(std::string_view fileName, const TImageDefaults& defaults);

  void DeleteCurrentItem();
  void UndeleteLastItem();

  // Size edits of the current picture, honouring KeepAspect; the other size
  // control follows the item. Nothing happens unless a picture is current.
  void SetCurrentImageHeight(std::int32_t height);
  void SetCurrentImageWidth(std::int32_t width);

  // Asks the listener for BuildPreviewMovie.
  void RequestPreviewRebuild();

 private:
  TAddResult RefuseWhenFull() const;
  void FinishEdit();

  TDocumentListener* listener_ = nullptr;
  bool deleteEnabled_ = false;
  bool undeleteEnabled_ = false;
};

}  // namespace tessaly::document
