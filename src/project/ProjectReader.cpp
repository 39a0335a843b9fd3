#include "project/ProjectReader.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <ostream>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"
#include "project/ProjectValues.h"
#include "platform/SafeFile.h"

namespace tessaly::project {

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

namespace {

using document::ItemKind;
using document::TBackgroundType;
using document::TBannerDocument;
using document::TFlashObjects;

constexpr std::string_view NoBackgroundSet = "没有设置背景";

std::string UnknownFlashVersionWarning(std::int32_t version) {
  return "Flash 版本 " + std::to_string(version) + " 无效, 使用版本 " +
         std::to_string(document::DefaultFlashVersion) + ".";
}

constexpr std::array<std::string_view, 7> ShapeTypeLines = {
    "ShapeType=Rectangle", "ShapeType=RoundRect", "ShapeType=Ellipse", "ShapeType=Diamond",
    "ShapeType=Star",      "ShapeType=Pie",       "ShapeType=Ring"};

constexpr std::array<std::string_view, 3> FillTypeLines = {
    "ShapeBackgroundType=Color", "ShapeBackgroundType=Gradient", "ShapeBackgroundType=Image"};

bool FileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::exists(path, error) &&
         !std::filesystem::is_directory(path, error);
}

// The file-name part of a path written on this system or on Windows.
std::string FileNamePart(const std::string& path) {
  const size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::uint8_t Percent(std::int32_t value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 100));
}

std::uint8_t FontSizeOf(std::int32_t value) {
  return static_cast<std::uint8_t>(std::clamp(value, 6, 120));
}

class TProjectReader {
 public:
  TProjectReader(const std::vector<std::string>& lines, TBannerDocument& doc,
                 const TProjectReadContext& context, TProjectLoadHost& host)
      : lines_(lines), doc_(doc), context_(context), host_(host) {}

  // The raw line n (code page 936); empty past the end of the file.
  const std::string& Line(size_t n) const {
    static const std::string empty;
    return n < lines_.size() ? lines_[n] : empty;
  }

  // The text of line n after the fixed length of key, in code page 936.
  std::string_view RawValue(size_t n, std::string_view key) const {
    const std::string& line = Line(n);
    return line.size() > key.size() ? std::string_view(line).substr(key.size())
                                    : std::string_view();
  }

  std::string Text(size_t n, std::string_view key) const {
    return platform::AnsiToUtf8(RawValue(n, key));
  }

  std::int32_t Int(size_t n, std::string_view key, std::int32_t fallback) const {
    return StringToInt(RawValue(n, key)).value_or(fallback);
  }

  document::TColorRef Color(size_t n, std::string_view key, document::TColorRef fallback) const {
    return StringToColor(RawValue(n, key)).value_or(fallback);
  }

  bool Is(size_t n, std::string_view text) const { return Line(n) == text; }

  std::string Header() {
    auto& s = doc_.BannerSettings;
    const std::string movieFileName = Text(2, "FileName=");
    s.BannerHeight = Int(3, "Height=", 60);
    s.BannerWidth = Int(4, "Width=", 468);
    s.URL = Text(5, "URL=");
    if (Is(6, "NewBrowserWindow=TRUE")) {
      s.TargetChoice = document::tcNewWindow;
      s.TargetWindowName.clear();
    } else if (Is(6, "NewBrowserWindow=FALSE")) {
      s.TargetChoice = document::tcSameWindow;
      s.TargetWindowName.clear();
    } else {
      s.TargetChoice = document::tcNamedWindow;
      s.TargetWindowName = Text(6, "NewBrowserWindow=");
    }
    s.Compress = Is(7, "Compress=TRUE");
    s.FlashVersion = Int(8, "FlashVersion=", document::DefaultFlashVersion);
    if (!document::IsOfferedFlashVersion(s.FlashVersion)) {
      host_.Warn(UnknownFlashVersionWarning(s.FlashVersion));
      s.FlashVersion = document::DefaultFlashVersion;
    }
    // Off unless the scan finds ClickTagLine: the option is the file's, not
    // the document's before the load.
    s.UseClickTag = false;
    return movieFileName;
  }

  // Reads the background block; returns the line where the item scan starts.
  size_t Background() {
    auto& s = doc_.BannerSettings;
    const std::string_view type = RawValue(10, "BackgroundType = ");
    if (type == "btImage") {
      s.BackgroundType = TBackgroundType::btImage;
      s.BackgroundImage = Text(12, "BackgroundImage=");
      s.BackgroundShape = Int(13, "BackgroundShape=", 0);
      s.BorderColor = Color(14, "BorderColor=", 0xFFFFFF);
      s.BorderWidth = Int(15, "BorderWidth=", 0);
      ResolveBackgroundImage();
      return 13;
    }
    if (type == "btGradient") {
      s.BackgroundType = TBackgroundType::btGradient;
      s.BackgroundGradientStart = Color(14, "StartColor=", 0xFFFFFF);
      s.BackgroundGradientEnd = Color(15, "EndColor=", 0);
      s.BackgroundGradientStyle = Int(16, "GradientStyle=", 0);
      s.BackgroundShape = Int(18, "BackgroundShape=", 0);
      s.BorderColor = Color(19, "BorderColor=", 0);
      s.BorderWidth = Int(20, "BorderWidth=", 0);
      return 18;
    }
    s.BackgroundType = TBackgroundType::btColor;
    s.BackgroundColor = Color(11, "BackgroundColor = ", 0xFFFFFF);
    s.BackgroundShape = Int(12, "BackgroundShape=", 0);
    s.BorderColor = Color(13, "BorderColor=", 0);
    s.BorderWidth = Int(14, "BorderWidth=", 0);
    return 12;
  }

  void Scan(size_t position) {
    while (position < lines_.size()) {
      const std::string& line = lines_[position];
      if (line == "</BWF>") break;
      if (line == "<IMAGE>") {
        ImageSection(position);
        position += 7;
      } else if (line == "<SHAPE>") {
        ShapeSection(position);
        position += 22;
      } else if (line == "<TEXT>") {
        TextSection(position);
        position += 17;
      } else if (line == "<ANIMATION>") {
        AnimationSection(position);
        position += 11;
      } else {
        if (line == ClickTagLine) doc_.BannerSettings.UseClickTag = true;
        ++position;
      }
    }
  }

  bool AppendedAny() const { return appended_; }

 private:
  // The picture file the user picks for a missing one; empty when none.
  std::string FindMissingFile(const std::string& shownName) {
    if (!host_.AskYesNo(MissingFileQuestion(shownName))) return {};
    const std::string chosen = host_.ChoosePicture();
    if (chosen.empty()) return {};
    if (!FileExists(chosen)) {
      host_.ShowMessage(FileNotFoundMessage);
      return {};
    }
    return chosen;
  }

  // A background picture that cannot be found turns the background white.
  void ResolveBackgroundImage() {
    auto& s = doc_.BannerSettings;
    const std::string name = FileNamePart(s.BackgroundImage);
    const std::string builtIn = name.empty() ? std::string() : host_.BuiltInBackground(name);
    if (!builtIn.empty() && !FileExists(name)) {
      s.BackgroundImage = builtIn;
      return;
    }
    if (FileExists(s.BackgroundImage)) return;
    if (!name.empty() && name != NoBackgroundSet) {
      const std::string chosen = FindMissingFile(name);
      if (!chosen.empty()) {
        s.BackgroundImage = chosen;
        return;
      }
    }
    s.BackgroundType = TBackgroundType::btColor;
    s.BackgroundColor = 0xFFFFFF;
  }

  // False when the table is full (reported once).
  bool RoomForItem() {
    if (!doc_.ItemTable.Full()) return true;
    if (!reportedFull_) host_.ShowMessage(std::string(document::TooManyItemsMessage));
    reportedFull_ = true;
    return false;
  }

  TFlashObjects& Append() {
    appended_ = true;
    return doc_.ItemTable.Append();
  }

  void ShapeSection(size_t p) {
    if (!RoomForItem()) return;
    TFlashObjects* item = &Append();
    item->Kind = ItemKind::ikShape;
    const auto type = std::find(ShapeTypeLines.begin(), ShapeTypeLines.end(), Line(p + 1));
    item->ShapeType = type == ShapeTypeLines.end()
                          ? 0
                          : static_cast<std::int32_t>(type - ShapeTypeLines.begin());
    item->X = Int(p + 2, "ShapeX=", 30);
    item->Y = Int(p + 3, "ShapeY=", 30);
    item->Width = Int(p + 4, "ShapeW=", 30);
    item->Height = Int(p + 5, "ShapeH=", 30);
    item->Radius = Int(p + 6, "ShapeRadius=", 30);
    item->InnerRadius = Int(p + 7, "ShapeInnerRadius=", 30);
    item->OuterRadius = Int(p + 8, "ShapeOuterRadius=", 30);
    item->StartAngle = Int(p + 9, "ShapeStartAngle=", 180);
    item->EndAngle = Int(p + 10, "ShapeEndAngle=", 0);
    item->NumberOfPoints = Int(p + 11, "ShapeNumberofPoints=", 5);
    item->BorderColor = Color(p + 12, "ShapeBorderColor=", 0xFFFFFF);
    item->BorderWidth = Int(p + 13, "ShapeBorderWidth=", 0);
    item->Color = Color(p + 14, "ShapeColor=", 0);
    item->Transparency = Percent(Int(p + 15, "ShapeTransparency=", 0));
    item->FillImage = Text(p + 16, "ShapeBackgroundImage=");
    item->GradientStartColor = Color(p + 17, "ShapeGradientStartColor=", 0xFFFFFF);
    item->GradientEndColor = Color(p + 18, "ShapeGradientEndColor=", 0);
    item->GradientStyle = Int(p + 19, "ShapeGradientStyle=", 0);
    const auto fill = std::find(FillTypeLines.begin(), FillTypeLines.end(), Line(p + 20));
    item->FillType =
        fill == FillTypeLines.end() ? 0 : static_cast<std::uint8_t>(fill - FillTypeLines.begin());
    doc_.SelectItem(doc_.ItemTable.Count());
  }

  void TextSection(size_t p) {
    const std::string text(Trim(Text(p + 4, "Text=")));
    if (text.empty()) return;
    if (!RoomForItem()) return;
    TFlashObjects* item = &Append();
    item->Kind = ItemKind::ikText;
    item->Text = text;
    item->X = Int(p + 14, "FontX=", 30);
    item->Y = Int(p + 15, "FontY=", 30);
    item->FontSize = FontSizeOf(Int(p + 6, "TextSize=", 14));
    item->CharSpacing = Int(p + 13, "FontCharSpacing=", 30);
    item->Transparency = Percent(Int(p + 12, "FontTransparency=", 0));
    item->ShadowAltitude = Int(p + 1, "ShadowAltitude=", 0);
    item->ShadowAngle = Int(p + 2, "ShadowAngle=", 0);
    item->Color = Color(p + 11, "FontColor=", 0);
    item->ShadowColor = Color(p + 3, "ShadowColor=", 0x808080);
    item->Italic = Is(p + 8, "Italic=TRUE");
    item->Bold = Is(p + 7, "Bold=TRUE");
    item->FontName = std::string(Trim(Text(p + 5, "FontName=")));
    doc_.SelectItem(doc_.ItemTable.Count());
  }

  void ImageSection(size_t p) {
    if (!RoomForItem()) return;
    std::string path = Text(p + 1, "ImageFileName=");
    if (!FileExists(path)) {
      path = FindMissingFile(path);
      if (path.empty()) return;
    }
    TFlashObjects* item = &Append();
    item->Kind = ItemKind::ikImage;
    item->X = Int(p + 3, "ImageX=", 0);
    item->Y = Int(p + 4, "ImageY=", 0);
    item->Width = Int(p + 5, "ImageW=", 0);
    item->Height = Int(p + 6, "ImageH=", 0);
    item->Transparency = Percent(Int(p + 2, "ImageTransparency=", 0));
    item->AspectRatio = document::AspectOf(item->Width, item->Height);
    item->ImageFileName = path;
    item->Color = context_.ShapeColor;
    item->GifFrame = -1;
    item->KeepAspect = context_.KeepAspect;
    item->ImageType = document::ImageTypeOf(path);
    if (item->ImageType == 1) item->GifFrame = host_.ChooseGifFrame(path);
    doc_.SelectItem(doc_.ItemTable.Count());
  }

  void AnimationSection(size_t p) {
    auto& s = doc_.BannerSettings;
    s.AnimationType = Int(p + 1, "AnimationType=", 1);
    s.AnimationSpeed = Int(p + 2, "AnimationSpeed=", 10);
    s.AnimationFirstFrame = Int(p + 3, "AnimationFirstFrame=", 0);
    s.AnimationLoop = Int(p + 4, "AnimationLoop=", 0);
    s.AnimationLastFrame = Int(p + 5, "AnimationLastFrame=", 0);
    s.AnimateBackground = !Is(p + 6, "AnimateBackground=FALSE");
    s.AnimateShapes = Is(p + 7, "AnimateShapes=TRUE");
    s.AnimateImages = Is(p + 8, "AnimateImages=TRUE");
    s.AnimateText = Is(p + 9, "AnimateText=TRUE");
  }

  const std::vector<std::string>& lines_;
  TBannerDocument& doc_;
  const TProjectReadContext& context_;
  TProjectLoadHost& host_;
  bool appended_ = false;
  bool reportedFull_ = false;
};

}  // namespace

std::string MissingFileQuestion(const std::string& name) {
  return "指定文件 " + name + " 不存在.你想要查找它吗?";
}

TWarningLoadHost::TWarningLoadHost(std::ostream& warnings, std::string backgroundDirectory)
    : warnings_(warnings), backgroundDirectory_(std::move(backgroundDirectory)) {}

void TWarningLoadHost::Warn(const std::string& message) { warnings_ << "warning: " << message << "\n"; }

bool TWarningLoadHost::AskYesNo(const std::string& question) {
  warnings_ << "warning: " << question << " No\n";
  return false;
}

std::string TWarningLoadHost::ChoosePicture() { return {}; }

void TWarningLoadHost::ShowMessage(const std::string& message) {
  warnings_ << "warning: " << message << "\n";
}

std::string TWarningLoadHost::BuiltInBackground(const std::string& name) {
  if (backgroundDirectory_.empty()) return {};
  std::string path = backgroundDirectory_;
  if (path.back() != '/') path += '/';
  path += name;
  return FileExists(path) ? path : std::string();
}

std::int32_t TWarningLoadHost::ChooseGifFrame(const std::string&) { return -1; }

std::optional<TProjectFile> ReadProjectFile(const std::string& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error) &&
      (!std::filesystem::is_regular_file(path, error) ||
       std::filesystem::file_size(path, error) > MaxProjectFileSize))
    return std::nullopt;
  return ParseProjectFile(platform::ReadWholeFile(path));
}

std::optional<TProjectFile> ParseProjectFile(const std::string& bytes) {
  TProjectFile file{SplitLines(bytes)};
  const std::vector<std::string>& lines = file.Lines;
  if (lines.size() < 2 || (Trim(lines.front()) != "<BWF>" && Trim(lines.back()) != "</BWF>"))
    return std::nullopt;
  return file;
}

TLoadResult LoadProject(document::TBannerDocument& doc, const TProjectFile& file,
                        const TProjectReadContext& context, TProjectLoadHost& host) {
  TLoadResult result;
  doc.NewDocument(context.NewDocument);
  TProjectReader reader(file.Lines, doc, context, host);
  result.MovieFileName = reader.Header();
  reader.Scan(reader.Background());
  if (reader.AppendedAny()) doc.SetCommandState(true, false);
  doc.RequestPreviewRebuild();
  result.BackgroundChooserColor = doc.BannerSettings.BackgroundChooserColor();
  result.Loaded = true;
  return result;
}

namespace {

TLoadResult LoadCheckedFile(document::TBannerDocument& doc, const std::optional<TProjectFile>& file,
                            const TProjectReadContext& context, TProjectLoadHost& host) {
  if (!file) {
    host.ShowMessage(LoadFailedMessage);
    return {};
  }
  return LoadProject(doc, *file, context, host);
}

}  // namespace

TLoadResult LoadProject(document::TBannerDocument& doc, const std::string& path,
                        const TProjectReadContext& context, TProjectLoadHost& host) {
  return LoadCheckedFile(doc, ReadProjectFile(path), context, host);
}

TLoadResult LoadProjectBytes(document::TBannerDocument& doc, const std::string& bytes,
                             const TProjectReadContext& context, TProjectLoadHost& host) {
  return LoadCheckedFile(doc, ParseProjectFile(bytes), context, host);
}

}  // namespace tessaly::project
