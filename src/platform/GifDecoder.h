#pragma once
// GIF decoding for the builders and the picture tab: the frames as palette
// bitmaps, the first image as displayed, the transparent colour and the
// extension blocks of the first frame.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace tessaly::platform {

// Frames past this count end the picture: a file of countless tiny frames
// cannot make the decoder grow without bound.
inline constexpr std::size_t kMaxGifFrames = 4096;

// One extension block: its label and its data sub-blocks.
struct TGifExtension {
  static constexpr std::uint8_t kGraphicControl = 0xF9;
  static constexpr std::uint8_t kComment = 0xFE;
  static constexpr std::uint8_t kApplication = 0xFF;
  static constexpr std::uint8_t kPlainText = 0x01;

  std::uint8_t Label = 0;
  std::vector<std::vector<std::uint8_t>> SubBlocks;

  bool IsApplication() const { return Label == kApplication; }
  // The application identifier and authentication code (the first sub-block
  // of an application extension, "NETSCAPE2.0" for the looping extension);
  // empty for other kinds.
  std::string ApplicationId() const;
  // The looping extension: application "NETSCAPE2.0".
  bool IsLooping() const { return IsApplication() && ApplicationId() == "NETSCAPE2.0"; }
};

struct TGifFrame {
  int Left = 0;
  int Top = 0;
  // The frame's own pixels at its own size: 1, 4 or 8 bits by the size of its
  // colour table, the palette being that table (alpha 255).
  TBitmap Image;
  // Palette index of the transparent colour, -1 for none.
  int TransparentIndex = -1;
  // The extension blocks that precede the frame.
  std::vector<TGifExtension> Extensions;
};

class TGifImage {
 public:
  // Throws TFileError when the file cannot be read and TImageError when it is
  // not a GIF picture or is damaged before its first frame. Decoding stops
  // quietly at damage after that: the frames decoded so far are kept, a
  // frame cut short keeping the rows it had.
  static TGifImage LoadFromFile(const std::string& fileName);
  // The same for a GIF held in memory; `name` appears in error messages.
  static TGifImage LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& name);

  int ScreenWidth() const { return screenWidth_; }
  int ScreenHeight() const { return screenHeight_; }

  int FrameCount() const { return static_cast<int>(frames_.size()); }
  // Frame k, counted from 0; throws std::out_of_range for a frame it lacks.
  const TGifFrame& Frame(int k) const { return frames_.at(static_cast<std::size_t>(k)); }
  const TBitmap& FrameBitmap(int k) const { return Frame(k).Image; }
  // The extension blocks of the first frame (empty without frames).
  const std::vector<TGifExtension>& FirstFrameExtensions() const;

  // The first image as displayed: a bitmap of the screen size in the first
  // frame's format and palette, the frame drawn at its position on the
  // transparent colour when it has one, else on the background colour.
  const TBitmap& ComposedBitmap() const { return composed_; }

  // Whether the first image declares a transparent colour, and its colour.
  bool HasTransparentColor() const { return hasTransparentColor_; }
  TRgb TransparentColor() const { return transparentColor_; }

  // The colour that particle pictures make transparent: the declared
  // transparent colour; without one, white for a monochrome composed bitmap
  // and otherwise the colour of its bottom-left pixel.
  TRgb ComposedTransparentColor() const;

 private:
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  std::vector<TGifFrame> frames_;
  TBitmap composed_;
  bool hasTransparentColor_ = false;
  TRgb transparentColor_;

  friend class TGifReader;
};

}  // namespace tessaly::platform
