#pragma once
// What the picture tab asks of a picture file before it becomes an item:
// its pixel size, whether a GIF is animated, and the frame dialog's check.

#include <QtGlobal>

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly::platform {
class TGifImage;
}

namespace tessaly::shell {

inline constexpr const char* PictureMissingMessage = QT_TRANSLATE_NOOP("ItemTexts", "指定的文件不存在.");
// The picture dialog's filter as the user sees its entries: description, then
// patterns, separated by "|".
inline constexpr const char* PictureDialogFilter = QT_TRANSLATE_NOOP(
    "ItemTexts",
    "所有 (*.gif;*.jpg;*.jpeg;*.bmp)|*.gif;*.jpg;*.jpeg;*.bmp|GIF 文件 (*.gif)|*.gif|JPEG 文件 "
    "(*.jpg)|*.jpg|JPEG 文件(*.jpeg)|*.jpeg|位图 (*.bmp)|*.bmp");

// A filter of "description|patterns|..." entries (patterns separated by
// ";") as a file dialog takes it: "description (pattern pattern);;...". A
// description that ends in its own parenthesis keeps it; the dialog hides
// the added pattern list when asked to hide filter details.
std::string FileDialogFilter(std::string_view entries);

struct TPictureSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// The pixel size of a GIF (its screen), JPEG or BMP file, told apart by its
// first bytes. Throws platform::TFileError or platform::TImageError.
TPictureSize PictureSizeOf(const std::string& fileName);

// A GIF counts as animated when its first frame carries an extension block
// and it has more than two frames, or an application extension before the
// first frame, or the looping extension first.
bool IsAnimatedGif(const platform::TGifImage& gif);

// The frame dialog's texts.
inline constexpr const char* FrameDialogTitle = QT_TRANSLATE_NOOP("ItemTexts", "添加动态图像");
inline constexpr const char* FrameCountCaption = QT_TRANSLATE_NOOP("ItemTexts", "所有帧数:");
inline constexpr const char* FrameFieldCaption = QT_TRANSLATE_NOOP("ItemTexts", "要使用的帧数:");
inline constexpr const char* FrameDialogText = QT_TRANSLATE_NOOP(
    "ItemTexts", "这是一个动态GIF文件. 一次只能添加一帧到图像中. 选择要添加的帧数然后点击确定.");
inline constexpr const char* FrameAboveCountMessage =
    QT_TRANSLATE_NOOP("ItemTexts", "帧数的值的大小必须小于所有帧数的值的大小.");

// "帧数的值必须在 1 到 " + count + " 之间.": a frame number below 1.
std::string FrameBelowOneMessage(std::string_view count);

struct TFrameChoice {
  bool Accepted = false;
  std::string Message;          // when refused
  std::int32_t GifFrame = -1;   // when accepted: the field, -1 when not a number
};

// OK in the frame dialog: the count read back from the label (the number
// after ":", 1 when there is none) against the frame field (1 when not a
// number for the comparison).
TFrameChoice CheckFrameChoice(std::string_view countLabel, std::string_view frameText);

}  // namespace tessaly::shell
