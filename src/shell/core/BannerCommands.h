#pragma once
// The banner-wide edits of the size, background, animation and save tabs,
// with the fields' rules and messages. Each stores one value into the
// settings and sets ChangeMade; size and background edits rebuild the
// editing preview, animation and save settings take effect at the next play
// or save. A refused value changes nothing: its message is shown (with a
// beep for the size fields) and the caller puts the focus back.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

#include "shell/core/Application.h"
#include "shell/core/WindowGrowth.h"

namespace tessaly::shell {

// Which message a refused size gives: choosing a preset or leaving a field.
enum class TSizeCheck { scPreset, scLeaveField };

// The message for a width text outside 10 .. screen width + 100, for a
// height text outside 10 .. screen height; nothing for a valid one.
std::optional<QString> WidthRefusal(const QString& text, TScreenSize screen, TSizeCheck check);
std::optional<QString> HeightRefusal(const QString& text, TScreenSize screen);
// The message for a border width outside 0 .. 50.
std::optional<QString> BorderWidthRefusal(const QString& text);

class TBannerCommands {
 public:
  explicit TBannerCommands(TApplication& app) : app_(app) {}

  // Size tab. A field left with a valid value resizes the banner; false
  // (with the message and a beep) when refused.
  bool LeaveWidthField(const QString& text, TScreenSize screen);
  bool LeaveHeightField(const QString& text, TScreenSize screen);
  // A preset chosen: both fields are checked; 1 when the width, 2 when the
  // height was refused, 0 when the banner took the size.
  int ChoosePreset(int preset, TScreenSize screen);

  // Background tab.
  void TickColorBox();
  // The gradient from the two colour choosers and the style list.
  void ApplyGradient(std::uint32_t start, std::uint32_t end, std::int32_t style);
  // "选择颜色": the colour background in that colour.
  void ChooseBackgroundColor(std::uint32_t color);
  // A built-in background (a name in the background folder) or, for an
  // empty name, none.
  void ChooseBuiltInBackground(const std::string& name);
  // "添加背景图像": the picture dialog. False when the chosen file does not
  // exist (the message is shown and the background is the colour).
  bool AddBackgroundImage();
  void SetBackgroundShape(std::int32_t shape);
  bool SetBorderWidth(const QString& text);
  void SetBorderColor(std::uint32_t color);

  // Animation tab.
  void SetAnimationType(std::int32_t type);
  void SetAnimationSpeed(std::int32_t speed);
  void SetAnimationLoop(std::int32_t loops);
  void SetAnimationDelays(std::int32_t first, std::int32_t last);
  void SetAnimatedLayers(bool background, bool shapes, bool images, bool text);

  // Save tab.
  void SetUrl(const std::string& url);
  void SetTarget(std::int32_t choice, const std::string& windowName);
  void SetCompress(bool compress);
  void SetFlashVersion(std::int32_t version);
  void SetUseClickTag(bool use);

 private:
  document::TBannerSettings& Settings() { return app_.Document().BannerSettings; }
  void SetBannerSize(std::int32_t width, std::int32_t height);
  // ChangeMade and, for edits the preview shows, a rebuild.
  void Changed(bool rebuild);
  void Refuse(const QString& message, bool beep);

  TApplication& app_;
};

}  // namespace tessaly::shell
