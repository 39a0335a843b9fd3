#include "project/ProjectWriter.h"

#include <algorithm>
#include <array>

#include "platform/CodePage.h"
#include "project/ProjectValues.h"
#include "platform/SafeFile.h"

namespace tessaly::project {
namespace {

using document::ItemKind;
using document::TBackgroundType;
using document::TBannerSettings;
using document::TFlashObjects;

constexpr std::array<const char*, 7> ShapeTypeNames = {
    "Rectangle", "RoundRect", "Ellipse", "Diamond", "Star", "Pie", "Ring"};

constexpr std::array<const char*, 3> FillTypeNames = {"Color", "Gradient", "Image"};

std::string Int(std::int32_t value) { return std::to_string(value); }

class TProjectWriter {
 public:
  std::vector<std::string> lines;

  // A line break inside a value would move every later line off its fixed
  // position, so it is stored as a blank.
  void Add(std::string line) {
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    lines.push_back(std::move(line));
  }

  void Header(const TBannerSettings& s, std::string_view movieFileName) {
    Add("<BWF>");
    Add("BWF Version 1.00");
    Add("FileName=" + std::string(movieFileName));
    Add("Height=" + Int(s.BannerHeight));
    Add("Width=" + Int(s.BannerWidth));
    Add("URL=" + s.URL);
    Add("NewBrowserWindow=" + NewBrowserWindowValue(s));
    Add(std::string("Compress=") + BoolWord(s.Compress));
    Add("FlashVersion=" + Int(s.FlashVersion));
    Add("<BACKGROUND>");
  }

  void Background(const TBannerSettings& s) {
    switch (s.BackgroundType) {
      case TBackgroundType::btColor:
        Add("BackgroundType = btColor");
        Add("BackgroundColor = " + ColorToString(s.BackgroundColor));
        Outline(s);
        break;
      case TBackgroundType::btGradient:
        Add("BackgroundType = btGradient");
        Add("BackgroundColor = ");
        Add("BackgroundImage = ");
        Add("<BACKGROUNDGRADIENT>");
        Add("StartColor=" + ColorToString(s.BackgroundGradientStart));
        Add("EndColor=" + ColorToString(s.BackgroundGradientEnd));
        Add("GradientStyle=" + Int(s.BackgroundGradientStyle));
        Add("</BACKGROUNDGRADIENT>");
        Outline(s);
        break;
      case TBackgroundType::btImage:
        Add("BackgroundType = btImage");
        Add("BackgroundColor = ");
        Add("BackgroundImage=" + s.BackgroundImage);
        Outline(s);
        break;
    }
    Add("</BACKGROUND>");
  }

  void Shape(const TFlashObjects& item) {
    Add("<SHAPE>");
    Add(std::string("ShapeType=") + NameOf(ShapeTypeNames, item.ShapeType));
    Add("ShapeX=" + Int(item.X));
    Add("ShapeY=" + Int(item.Y));
    Add("ShapeW=" + Int(item.Width));
    Add("ShapeH=" + Int(item.Height));
    Add("ShapeRadius=" + Int(item.Radius));
    Add("ShapeInnerRadius=" + Int(item.InnerRadius));
    Add("ShapeOuterRadius=" + Int(item.OuterRadius));
    Add("ShapeStartAngle=" + Int(item.StartAngle));
    Add("ShapeEndAngle=" + Int(item.EndAngle));
    Add("ShapeNumberofPoints=" + Int(item.NumberOfPoints));
    Add("ShapeBorderColor=" + ColorToString(item.BorderColor));
    Add("ShapeBorderWidth=" + Int(item.BorderWidth));
    Add("ShapeColor=" + ColorToString(item.Color));
    Add("ShapeTransparency=" + Int(item.Transparency));
    Add("ShapeBackgroundImage=" + item.FillImage);
    Add("ShapeGradientStartColor=" + ColorToString(item.GradientStartColor));
    Add("ShapeGradientEndColor=" + ColorToString(item.GradientEndColor));
    Add("ShapeGradientStyle=" + Int(item.GradientStyle));
    Add(std::string("ShapeBackgroundType=") + NameOf(FillTypeNames, item.FillType));
    Add("</SHAPES>");
  }

  void Text(const TFlashObjects& item) {
    Add("<TEXT>");
    if (item.ShadowAltitude < 1) {
      Add("ShadowAltitude=0");
      Add("ShadowAngle=0");
      Add("ShadowColor=");
    } else {
      Add("ShadowAltitude=" + Int(item.ShadowAltitude));
      Add("ShadowAngle=" + Int(item.ShadowAngle));
      Add("ShadowColor=" + ColorToString(item.ShadowColor));
    }
    Add("Text=" + item.Text);
    Add("FontName=" + item.FontName);
    Add("TextSize=" + Int(item.FontSize));
    Add(std::string("Bold=") + BoolWord(item.Bold));
    Add(std::string("Italic=") + BoolWord(item.Italic));
    Add(std::string("Strikeout=") + BoolWord(item.Strikeout));
    Add(std::string("Underline=") + BoolWord(item.Underline));
    Add("FontColor=" + ColorToString(item.Color));
    Add("FontTransparency=" + Int(item.Transparency));
    Add("FontCharSpacing=" + Int(item.CharSpacing));
    Add("FontX=" + Int(item.X));
    Add("FontY=" + Int(item.Y));
    Add("</TEXT>");
  }

  void Image(const TFlashObjects& item) {
    Add("<IMAGE>");
    Add("ImageFileName=" + item.ImageFileName);
    Add("ImageTransparency=" + Int(item.Transparency));
    Add("ImageX=" + Int(item.X));
    Add("ImageY=" + Int(item.Y));
    Add("ImageW=" + Int(item.Width));
    Add("ImageH=" + Int(item.Height));
    Add("</IMAGE>");
  }

  void Animation(const TBannerSettings& s) {
    Add("<ANIMATION>");
    Add("AnimationType=" + Int(s.AnimationType));
    Add("AnimationSpeed=" + Int(s.AnimationSpeed));
    Add("AnimationFirstFrame=" + Int(s.AnimationFirstFrame));
    Add("AnimationLoop=" + Int(s.AnimationLoop));
    Add("AnimationLastFrame=" + Int(s.AnimationLastFrame));
    Add(std::string("AnimateBackground=") + BoolWord(s.AnimateBackground));
    Add(std::string("AnimateShapes=") + BoolWord(s.AnimateShapes));
    Add(std::string("AnimateImages=") + BoolWord(s.AnimateImages));
    Add(std::string("AnimateText=") + BoolWord(s.AnimateText));
    Add("</ANIMATION>");
  }

  void End(const TBannerSettings& s) {
    if (s.UseClickTag) Add(std::string(ClickTagLine));
    Add("</BWF>");
  }

 private:
  static std::string NewBrowserWindowValue(const TBannerSettings& s) {
    switch (s.TargetChoice) {
      case document::tcNewWindow:
        return "TRUE";
      case document::tcSameWindow:
        return "FALSE";
      default:
        return s.TargetWindowName;
    }
  }

  // An out-of-range value takes the first name, as the reader's default.
  template <size_t N>
  static const char* NameOf(const std::array<const char*, N>& names, std::int64_t value) {
    return value >= 0 && value < static_cast<std::int64_t>(N) ? names[static_cast<size_t>(value)]
                                                              : names[0];
  }

  void Outline(const TBannerSettings& s) {
    Add("BackgroundShape=" + Int(s.BackgroundShape));
    Add("BorderColor=" + ColorToString(s.BorderColor));
    Add("BorderWidth=" + Int(s.BorderWidth));
  }
};

}  // namespace

std::vector<std::string> ProjectLines(const document::TBannerDocument& doc,
                                      std::string_view movieFileName) {
  TProjectWriter writer;
  writer.Header(doc.BannerSettings, movieFileName);
  writer.Background(doc.BannerSettings);
  for (int i = 1; i <= doc.ItemTable.Count(); ++i) {
    const TFlashObjects& item = doc.ItemTable[i];
    if (item.Deleted) continue;
    switch (item.Kind) {
      case ItemKind::ikShape:
        writer.Shape(item);
        break;
      case ItemKind::ikText:
        if (!Trim(item.Text).empty()) writer.Text(item);
        break;
      case ItemKind::ikImage:
        writer.Image(item);
        break;
    }
  }
  writer.Animation(doc.BannerSettings);
  writer.End(doc.BannerSettings);
  return std::move(writer.lines);
}

std::string ProjectFileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += platform::Utf8ToAnsi(line);
    bytes += "\r\n";
  }
  return bytes;
}

std::string ProjectPathFor(std::string_view bwfDirectory, std::string_view movieFileName) {
  const size_t slash = movieFileName.find_last_of('/');
  std::string_view name =
      slash == std::string_view::npos ? movieFileName : movieFileName.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  std::string path(bwfDirectory);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  path += ".BWF";
  return path;
}

std::string SaveProject(const document::TBannerDocument& doc, std::string_view bwfDirectory,
                        std::string_view movieFileName) {
  const std::string path = ProjectPathFor(bwfDirectory, movieFileName);
  platform::ReplaceFileContents(path, ProjectFileBytes(ProjectLines(doc, movieFileName)));
  return path;
}

}  // namespace tessaly::project
