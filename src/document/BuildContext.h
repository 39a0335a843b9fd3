#pragma once
// What one build of a movie shares between the pipeline, the builders and
// the effect generator: the working tables of the characters made for the
// banner's layers, and the interfaces through which the pipeline reaches
// the effect generator, the project writer and the preview host.
//
// A context is filled by one build and describes the movie of that build;
// its pointers belong to that movie and are valid only while it lives. The
// pipeline hands the context to the effect generator during the animated
// build and clears it when the movie is freed.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "document/BannerDocument.h"
#include "document/Warnings.h"
#include "platform/Picture.h"

namespace tessaly::swf {
class TFlashButton;
class TFlashImage;
class TFlashMovie;
class TFlashShape;
class TFlashText;
}  // namespace tessaly::swf

namespace tessaly::document {

// Instance names and depths that every movie uses.
inline constexpr std::string_view BackgroundInstanceName = "backshape";
inline constexpr std::string_view ItemInstancePrefix = "but";
inline constexpr std::string_view ShadowInstancePrefix = "butshadow";

// "but" + i, i in decimal.
std::string ItemInstanceName(int index);
// "butshadow" + i.
std::string ShadowInstanceName(int index);
// The depth of item i's button: 2 x i.
constexpr std::uint16_t ItemDepth(int index) { return static_cast<std::uint16_t>(2 * index); }
// The depth of the shadow of text item i: i + 1 when i is even, i when it is
// odd (so the shadows of items 2 and 3 share depth 3).
constexpr std::uint16_t ShadowDepth(int index) {
  return static_cast<std::uint16_t>(index % 2 == 0 ? index + 1 : index);
}

// Which build a context describes.
enum class TBuildKind { bkPreview, bkAnimated };

// A table indexed like the item table, 1 .. TItemTable::Capacity; entry 0
// is unused. Null where the build made nothing for the item.
template <class T>
using TItemTableOf = std::array<T*, TItemTable::Capacity + 1>;

struct TBuildContext {
  // The document the build reads. The builders write back only InPreview,
  // Moved and the Width and Height of text items.
  TBannerDocument* Document = nullptr;
  TBuildKind Kind = TBuildKind::bkPreview;
  // Empty for a preview; the movie's file name when it is being saved (the
  // builders then give every item the click action).
  std::string FileName;
  // Where a progressive JPEG picture is copied as a BMP file (the system's
  // temporary folder).
  std::filesystem::path TemporaryFolder;

  // The banner size in pixels as the preview host has it after the pipeline
  // set it to the banner size; CentreX = BannerWidth div 2, CentreY =
  // BannerHeight div 2.
  std::int32_t BannerWidth = 0;
  std::int32_t BannerHeight = 0;
  std::int32_t CentreX = 0;
  std::int32_t CentreY = 0;
  // The item table's Count when the build started, deleted records
  // included.
  int ItemCount = 0;

  // The background's outline shape (also when a button wraps it in a saved
  // movie). In an animated build with AnimateBackground on its geometry is
  // relative to the banner centre.
  swf::TFlashShape* BackgroundCharacter = nullptr;
  // The button at depth 0 that wraps the background in a saved movie; null
  // otherwise.
  swf::TFlashButton* BackgroundButton = nullptr;

  // The button at depth 2 x i that wraps item i's character; null for
  // deleted items and texts whose text is blank, which have no button in
  // this movie and so belong to no layer.
  TItemTableOf<swf::TFlashButton> ItemButtons{};
  // The shape of a shape item, the bitmap-filled rectangle of a picture item.
  TItemTableOf<swf::TFlashShape> ItemShapes{};
  // The bitmap character of a picture item.
  TItemTableOf<swf::TFlashImage> ItemImages{};
  // The text character of a text item.
  TItemTableOf<swf::TFlashText> ItemTexts{};

  // Every shadowed text keeps its own shadow button (placed at
  // ShadowDepth(i)) and shadow text; null for items without a shadow.
  TItemTableOf<swf::TFlashButton> ShadowButtons{};
  TItemTableOf<swf::TFlashText> ShadowTexts{};
  // The shadow button and text made last (null before any).
  swf::TFlashButton* ShadowButton = nullptr;
  swf::TFlashText* ShadowText = nullptr;

  // Where the build reports the strings it had to mend; nullptr: nowhere.
  TWarningSink* Warnings = nullptr;
  // The click action's address and window of a build being saved, as
  // MovieString makes them of the settings' URL and TargetWindow().
  std::string ClickURL;
  std::string ClickTarget;
  // The pictures this build has read, by file name.
  std::map<std::string, platform::TPicture> Pictures;

  // A string of the document as it may enter the movie: cut at its first
  // NUL byte, and every byte that is not valid UTF-8 replaced by "?"; each
  // change is reported with What naming the value (e.g. "网址").
  std::string MovieString(std::string_view text, std::string_view what) const;

  // Whether a layer is animated in this build: always false in a preview
  // build; in an animated build the settings' Animate... flags.
  bool AnimatesBackground() const;
  bool AnimatesItem(int index) const;
  // Item i's coordinates are relative to the banner centre (its layer is
  // animated); the builders subtract CentreOffsetX/Y() from them.
  std::int32_t CentreOffsetX(int index) const { return AnimatesItem(index) ? CentreX : 0; }
  std::int32_t CentreOffsetY(int index) const { return AnimatesItem(index) ? CentreY : 0; }

  // The picture read from FileName, read on its first use in this build
  // and kept until the context is cleared, so that a file the banner uses
  // more than once (background, picture items, shape fills) is read once per
  // build and a file changed between two builds is read again. Throws what
  // platform::ReadPicture throws.
  const platform::TPicture& Picture(const std::string& FileName);

  // Back to the state before a build, every pointer null.
  void Clear();
};

// The animation effects. BuildAnimatedMovie calls AddEffectFrames once per
// loop pass, after the background and the items were built and placed in
// the first frame:
//  - once with LoopIndex 0 when AnimationLoop is 0,
//  - else once for each LoopIndex 0 .. AnimationLoop - 1,
// then, when AnimationLoop > 0, it adds the closing frame with a Stop action
// itself. CentreX and CentreY are half the banner width and height (integer
// division), ItemCount the Count of the item table, deleted records
// included. The generator reads the settings from Context.Document at each
// call (effect index, speed, delays, layer flags), places the layers again
// through Context (BackgroundCharacter at depth 0; ItemButtons[i] at
// ItemDepth(i); ShadowButtons[i] at ShadowDepth(i)) and closes its frames
// with ShowFrame. An effect index outside 1 .. 30 adds nothing. It never
// changes the document or the context. Errors (an unreadable particle
// picture) are exceptions; they abandon the build.
class TEffectGenerator {
 public:
  virtual ~TEffectGenerator() = default;
  virtual void AddEffectFrames(swf::TFlashMovie& Movie, const TBuildContext& Context, std::int32_t CentreX,
                               std::int32_t CentreY, int LoopIndex, int ItemCount) = 0;
  // The main-timeline frames of the animated movie that Settings give:
  // every pass with its delays, plus the closing Stop frame when
  // AnimationLoop > 0. The pipeline checks it against MaxMovieFrames before
  // it builds anything; a generator that cannot tell returns 0.
  virtual std::int64_t AnimatedFrameCount(const TBannerSettings& Settings) const {
    (void)Settings;
    return 0;
  }
};

// An SWF movie's frame count is a 16-bit field.
inline constexpr std::int64_t MaxMovieFrames = 65535;

// An animated build refused because its movie would need more frames than
// an SWF movie holds; thrown before the movie is created, so nothing is
// written and the document keeps its state.
class TFrameLimitError : public std::runtime_error {
 public:
  explicit TFrameLimitError(std::int64_t frames)
      : std::runtime_error("动画需要 " + std::to_string(frames) + " 帧, 但 Flash 影片最多只能有 " +
                           std::to_string(MaxMovieFrames) + " 帧. 请提高动画速度或减少循环次数."),
        Frames(frames) {}
  std::int64_t Frames;
};

// The largest banner side a movie can show, in pixels.
inline constexpr std::int32_t MaxBannerSide = 8191;

// A build refused because the banner is larger than a movie can show;
// thrown before the movie is created, so nothing is written and the
// document keeps its state.
class TBannerSizeError : public std::runtime_error {
 public:
  TBannerSizeError(std::int32_t width, std::int32_t height)
      : std::runtime_error("横幅大小 " + std::to_string(width) + " x " + std::to_string(height) +
                           " 像素超出了 Flash 影片的范围: 每边最多 " + std::to_string(MaxBannerSide) + " 像素."),
        Width(width),
        Height(height) {}
  std::int32_t Width;
  std::int32_t Height;
};

// Writes the project file beside a saved movie. The save command calls it
// after the movie file was written, with the project folder (the
// BwfDirectory setting) and the chosen movie path; the project's file name
// is the movie's name with the extension ".BWF". Errors are exceptions
// (std::system_error naming the path); the save then keeps ChangeMade set.
class TProjectSaver {
 public:
  virtual ~TProjectSaver() = default;
  virtual void SaveProject(const TBannerDocument& Document, std::string_view BwfDirectory,
                           std::string_view MovieFileName) = 0;
};

// The player that shows the built movie. It scales the movie to its size
// ("ShowAll"), does not loop and runs the movie's scripts; the shell
// implements it with the player widget, the CLI and the tests with a host
// that keeps the bytes.
class TPreviewHost {
 public:
  virtual ~TPreviewHost() = default;
  // Sets the player to the banner size in pixels.
  virtual void SetSize(std::int32_t Width, std::int32_t Height) = 0;
  // The size the player has now; the movie's frame size is taken from it.
  virtual std::int32_t Width() const = 0;
  virtual std::int32_t Height() const = 0;
  virtual void Stop() = 0;
  // Loads one complete SWF file ("FWS" or "CWS") into layer 0, replacing
  // the movie shown before. The bytes are only valid during the call; the
  // host keeps its own copy.
  virtual void LoadMovie(std::span<const std::uint8_t> Bytes) = 0;
  virtual void Play() = 0;
};

}  // namespace tessaly::document
