#include "shell/core/BannerCommands.h"

#include <filesystem>

#include "shell/core/SizePresets.h"
#include "shell/core/UiText.h"

namespace tessaly::shell {

namespace {

constexpr int MinimumBannerSide = 10;
constexpr int MaximumBorderWidth = 50;

// The number a field holds; nothing when the text is not a number.
std::optional<int> FieldNumber(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return value;
}

bool InRange(const QString& text, int low, int high) {
  const std::optional<int> value = FieldNumber(text);
  return value && *value >= low && *value <= high;
}

}  // namespace

std::optional<QString> WidthRefusal(const QString& text, TScreenSize screen, TSizeCheck check) {
  const int limit = WidestBanner(screen);
  if (InRange(text, MinimumBannerSide, limit)) return std::nullopt;
  const char* message = check == TSizeCheck::scPreset ? text::WidthRangeMessage : text::WidthLeaveRangeMessage;
  return Ui(message) + QString::number(limit);
}

std::optional<QString> HeightRefusal(const QString& text, TScreenSize screen) {
  if (InRange(text, MinimumBannerSide, screen.Height)) return std::nullopt;
  return Ui(text::HeightRangeMessage) + QString::number(screen.Height);
}

std::optional<QString> BorderWidthRefusal(const QString& text) {
  if (InRange(text, 0, MaximumBorderWidth)) return std::nullopt;
  return Ui(text::BorderWidthMessage);
}

void TBannerCommands::Changed(bool rebuild) {
  app_.SetChangeMade();
  if (rebuild) app_.Rebuild();
}

void TBannerCommands::Refuse(const QString& message, bool beep) {
  if (beep) app_.Dialogs().Beep();
  app_.Dialogs().ShowMessage(message);
}

void TBannerCommands::SetBannerSize(std::int32_t width, std::int32_t height) {
  Settings().BannerWidth = width;
  Settings().BannerHeight = height;
  Changed(true);
}

bool TBannerCommands::LeaveWidthField(const QString& text, TScreenSize screen) {
  if (const auto refusal = WidthRefusal(text, screen, TSizeCheck::scLeaveField)) {
    Refuse(*refusal, true);
    return false;
  }
  const int width = *FieldNumber(text);
  if (width != Settings().BannerWidth) SetBannerSize(width, Settings().BannerHeight);
  return true;
}

bool TBannerCommands::LeaveHeightField(const QString& text, TScreenSize screen) {
  if (const auto refusal = HeightRefusal(text, screen)) {
    Refuse(*refusal, true);
    return false;
  }
  const int height = *FieldNumber(text);
  if (height != Settings().BannerHeight) SetBannerSize(Settings().BannerWidth, height);
  return true;
}

int TBannerCommands::ChoosePreset(int preset, TScreenSize screen) {
  if (preset < 0 || preset >= CustomSizePreset) return 0;
  const TSizePreset& size = SizePresets[static_cast<size_t>(preset)];
  if (const auto refusal = WidthRefusal(QString::number(size.Width), screen, TSizeCheck::scPreset)) {
    Refuse(*refusal, true);
    return 1;
  }
  if (const auto refusal = HeightRefusal(QString::number(size.Height), screen)) {
    Refuse(*refusal, true);
    return 2;
  }
  SetBannerSize(size.Width, size.Height);
  return 0;
}

void TBannerCommands::TickColorBox() {
  Settings().BackgroundType = document::TBackgroundType::btColor;
  Changed(true);
}

void TBannerCommands::ApplyGradient(std::uint32_t start, std::uint32_t end, std::int32_t style) {
  Settings().BackgroundType = document::TBackgroundType::btGradient;
  Settings().BackgroundGradientStart = start;
  Settings().BackgroundGradientEnd = end;
  Settings().BackgroundGradientStyle = style;
  Changed(true);
}

void TBannerCommands::ChooseBackgroundColor(std::uint32_t color) {
  Settings().BackgroundColor = color;
  Settings().BackgroundType = document::TBackgroundType::btColor;
  Changed(true);
}

void TBannerCommands::ChooseBuiltInBackground(const std::string& name) {
  if (name.empty()) return;
  Settings().BackgroundImage = app_.Preferences().BackgroundDirectory + name;
  Settings().BackgroundType = document::TBackgroundType::btImage;
  Changed(true);
}

bool TBannerCommands::AddBackgroundImage() {
  const std::optional<QString> chosen =
      app_.Dialogs().AskPictureFileName(QString::fromStdString(app_.Preferences().ImageDirectory));
  if (!chosen) return true;
  std::error_code error;
  if (!std::filesystem::is_regular_file(chosen->toStdString(), error)) {
    Refuse(Ui(text::FileMissingCheck), false);
    TickColorBox();
    return false;
  }
  Settings().BackgroundImage = chosen->toStdString();
  Settings().BackgroundType = document::TBackgroundType::btImage;
  Changed(true);
  return true;
}

void TBannerCommands::SetBackgroundShape(std::int32_t shape) {
  Settings().BackgroundShape = shape;
  Changed(true);
}

bool TBannerCommands::SetBorderWidth(const QString& text) {
  if (const auto refusal = BorderWidthRefusal(text)) {
    Refuse(*refusal, false);
    return false;
  }
  const int width = *FieldNumber(text);
  if (width == Settings().BorderWidth) return true;
  Settings().BorderWidth = width;
  Changed(true);
  return true;
}

void TBannerCommands::SetBorderColor(std::uint32_t color) {
  Settings().BorderColor = color;
  Changed(true);
}

void TBannerCommands::SetAnimationType(std::int32_t type) {
  Settings().AnimationType = type;
  Changed(false);
}

void TBannerCommands::SetAnimationSpeed(std::int32_t speed) {
  Settings().AnimationSpeed = speed;
  Changed(false);
}

void TBannerCommands::SetAnimationLoop(std::int32_t loops) {
  Settings().AnimationLoop = loops;
  Changed(false);
}

void TBannerCommands::SetAnimationDelays(std::int32_t first, std::int32_t last) {
  Settings().AnimationFirstFrame = first;
  Settings().AnimationLastFrame = last;
  Changed(false);
}

void TBannerCommands::SetAnimatedLayers(bool background, bool shapes, bool images, bool text) {
  Settings().AnimateBackground = background;
  Settings().AnimateShapes = shapes;
  Settings().AnimateImages = images;
  Settings().AnimateText = text;
  Changed(false);
}

void TBannerCommands::SetUrl(const std::string& url) {
  Settings().URL = url;
  Changed(false);
}

void TBannerCommands::SetTarget(std::int32_t choice, const std::string& windowName) {
  Settings().TargetChoice = choice;
  Settings().TargetWindowName = windowName;
  Changed(false);
}

void TBannerCommands::SetCompress(bool compress) {
  Settings().Compress = compress;
  Changed(false);
}

void TBannerCommands::SetUseClickTag(bool use) {
  Settings().UseClickTag = use;
  Changed(false);
}

void TBannerCommands::SetFlashVersion(std::int32_t version) {
  Settings().FlashVersion = version;
  Changed(false);
}

}  // namespace tessaly::shell
