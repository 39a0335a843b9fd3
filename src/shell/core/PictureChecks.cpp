#include "shell/core/PictureChecks.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "platform/Bitmap.h"
#include "platform/GifDecoder.h"
#include "platform/JpegCodec.h"
#include "shell/core/ItemFields.h"
#include "swf/ImageReader.h"

namespace tessaly::shell {
namespace {

enum class TPictureFormat { pfGif, pfJpeg, pfBmp, pfOther };

TPictureFormat FormatOf(const std::string& fileName) {
  std::array<char, 4> head{};
  std::ifstream file(fileName, std::ios::binary);
  file.read(head.data(), head.size());
  const std::string_view start(head.data(), static_cast<size_t>(file.gcount()));
  if (start.starts_with("GIF8")) return TPictureFormat::pfGif;
  if (start.starts_with("\xFF\xD8")) return TPictureFormat::pfJpeg;
  if (start.starts_with("BM")) return TPictureFormat::pfBmp;
  return TPictureFormat::pfOther;
}

}  // namespace

TPictureSize PictureSizeOf(const std::string& fileName) {
  switch (FormatOf(fileName)) {
    case TPictureFormat::pfGif: {
      const platform::TGifImage gif = platform::TGifImage::LoadFromFile(fileName);
      return {gif.ScreenWidth(), gif.ScreenHeight()};
    }
    case TPictureFormat::pfJpeg: {
      const platform::TJpegInfo info = platform::ReadJpegInfoOfFile(fileName);
      return {info.Width, info.Height};
    }
    case TPictureFormat::pfBmp: {
      swf::TBMPReader reader;
      reader.LoadFromFile(fileName);
      return {reader.Width(), reader.Height()};
    }
    case TPictureFormat::pfOther:
      break;
  }
  throw platform::TImageError(fileName + ": not a GIF, JPEG or BMP picture");
}

std::string FileDialogFilter(std::string_view entries) {
  std::vector<std::string> parts;
  for (size_t start = 0;;) {
    const size_t bar = entries.find('|', start);
    parts.emplace_back(entries.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  std::string filter;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns = parts[i + 1];
    std::replace(patterns.begin(), patterns.end(), ';', ' ');
    if (!filter.empty()) filter += ";;";
    filter += parts[i] + " (" + patterns + ")";
  }
  return filter;
}

bool IsAnimatedGif(const platform::TGifImage& gif) {
  if (gif.FrameCount() < 1) return false;
  const std::vector<platform::TGifExtension>& extensions = gif.FirstFrameExtensions();
  if (extensions.empty()) return false;
  if (gif.FrameCount() > 2) return true;
  const bool application = std::any_of(extensions.begin(), extensions.end(),
                                       [](const platform::TGifExtension& e) { return e.IsApplication(); });
  return application || extensions.front().IsLooping();
}

std::string FrameBelowOneMessage(std::string_view count) {
  return "帧数的值必须在 1 到 " + std::string(count) + " 之间.";
}

TFrameChoice CheckFrameChoice(std::string_view countLabel, std::string_view frameText) {
  const size_t colon = countLabel.find(':');
  const std::string_view countText = colon == std::string_view::npos ? std::string_view{} : countLabel.substr(colon + 1);
  const std::int32_t count = ParseInteger(countText).value_or(1);
  const std::optional<std::int32_t> frame = ParseInteger(frameText);
  const std::int32_t compared = frame.value_or(1);
  TFrameChoice choice;
  if (compared > count) {
    choice.Message = FrameAboveCountMessage;
  } else if (compared < 1) {
    choice.Message = FrameBelowOneMessage(std::to_string(count));
  } else {
    choice.Accepted = true;
    choice.GifFrame = frame.value_or(-1);
  }
  return choice;
}

}  // namespace tessaly::shell
