#include "shell/HistoryTestSupport.h"

#include <algorithm>
#include <iterator>

namespace tessaly::shell::test {
namespace {

void AddPrefixed(std::vector<std::string>& lines, const std::string& prefix, const TFieldLines& fields) {
  for (const std::string& field : fields) lines.push_back(prefix + field);
}

}  // namespace

document::TFlashObjects FullRecord(int seed) {
  document::TFlashObjects item;
  item.Kind = document::ItemKind::ikText;
  item.DragBaseX = seed + 1;
  item.DragBaseY = -seed - 2;
  item.X = seed + 3;
  item.Y = seed + 4;
  item.Height = seed + 5;
  item.Width = seed + 6;
  item.Color = 0x123456u + static_cast<unsigned>(seed);
  item.Name = "but" + std::to_string(seed);
  item.InPreview = true;
  item.Moved = true;
  item.Deleted = true;
  item.Transparency = 37;
  item.ImageFileName = "/tmp/图像 \\ folder/p.gif";
  item.ImageType = 1;
  item.GifFrame = 3;
  item.KeepAspect = true;
  item.AspectRatio = 1.0 / 3.0;
  item.FontSize = 72;
  item.Text = "한국어 텍스트 😀 中文 line\nbreak\r\\n";
  item.FontName = "WenQuanYi Zen Hei";
  item.Bold = true;
  item.Italic = true;
  item.Underline = true;
  item.Strikeout = true;
  item.CharSpacing = -25;
  item.ShadowAltitude = 7;
  item.ShadowColor = 0xABCDEF;
  item.ShadowAngle = 5;
  item.ShapeType = 6;
  item.Radius = 40;
  item.InnerRadius = 27;
  item.OuterRadius = 13;
  item.NumberOfPoints = 9;
  item.StartAngle = 359;
  item.EndAngle = 90;
  item.BorderColor = 0xFEDCBA;
  item.BorderWidth = 4;
  item.FillType = 2;
  item.FillImage = "/tmp/fill.png";
  item.GradientStartColor = 0x010203;
  item.GradientEndColor = 0x040506;
  item.GradientStyle = 8;
  return item;
}

document::TBannerSettings FullSettings() {
  document::TBannerSettings s;
  s.BannerWidth = 728;
  s.BannerHeight = 90;
  s.URL = "https://例子.example/한?q=😀";
  s.TargetChoice = document::tcNamedWindow;
  s.TargetWindowName = "frame 框";
  s.Compress = false;
  s.FlashVersion = 5;
  s.BackgroundType = document::TBackgroundType::btGradient;
  s.BackgroundColor = 0x112233;
  s.BackgroundGradientStart = 0x445566;
  s.BackgroundGradientEnd = 0x778899;
  s.BackgroundGradientStyle = 7;
  s.BackgroundImage = "/tmp/背景.jpg";
  s.BackgroundShape = 6;
  s.BorderColor = 0x00FF00;
  s.BorderWidth = 12;
  s.AnimationType = 17;
  s.AnimationSpeed = 3;
  s.AnimationLoop = 9;
  s.AnimationFirstFrame = 250;
  s.AnimationLastFrame = 500;
  s.AnimateBackground = true;
  s.AnimateShapes = false;
  s.AnimateImages = false;
  s.AnimateText = false;
  return s;
}

std::vector<std::string> DesignLines(const TDocumentState& state) {
  std::vector<std::string> lines;
  for (int i = 1; i <= state.ItemTable.Count(); ++i)
    AddPrefixed(lines, "item " + std::to_string(i) + " ", ItemFieldLines(DesignOf(state.ItemTable[i])));
  AddPrefixed(lines, "settings ", SettingsFieldLines(state.BannerSettings));
  lines.push_back("state LastDeletedItem=" + std::to_string(state.LastDeletedItem));
  lines.push_back(std::string("state UndeleteEnabled=") + (state.UndeleteEnabled ? "TRUE" : "FALSE"));
  return lines;
}

std::vector<std::string> Differences(const TDocumentState& actual, const TDocumentState& expected) {
  std::vector<std::string> a = DesignLines(actual);
  std::vector<std::string> e = DesignLines(expected);
  std::sort(a.begin(), a.end());
  std::sort(e.begin(), e.end());
  std::vector<std::string> onlyActual, onlyExpected, differences;
  std::set_difference(a.begin(), a.end(), e.begin(), e.end(), std::back_inserter(onlyActual));
  std::set_difference(e.begin(), e.end(), a.begin(), a.end(), std::back_inserter(onlyExpected));
  for (const std::string& line : onlyActual) differences.push_back("- " + line);
  for (const std::string& line : onlyExpected) differences.push_back("+ " + line);
  return differences;
}

std::vector<std::string> AllLines(const TDocumentState& state) {
  std::vector<std::string> lines;
  for (int i = 1; i <= state.ItemTable.Count(); ++i)
    AddPrefixed(lines, "item " + std::to_string(i) + " ", ItemFieldLines(state.ItemTable[i]));
  AddPrefixed(lines, "settings ", SettingsFieldLines(state.BannerSettings));
  AddPrefixed(lines, "state ", StateFieldLines(state));
  return lines;
}

}  // namespace tessaly::shell::test
