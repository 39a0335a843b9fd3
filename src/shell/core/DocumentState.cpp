#include "shell/core/DocumentState.h"

#include <charconv>
#include <stdexcept>
#include <type_traits>

namespace tessaly::shell {
namespace {

using document::ItemKind;
using document::TBackgroundType;
using document::TBannerSettings;
using document::TFlashObjects;

// Every field of a record, in declaration order.
template <class Item, class Visit>
void VisitItem(Item& item, Visit&& visit) {
  visit("Kind", item.Kind);
  visit("DragBaseX", item.DragBaseX);
  visit("DragBaseY", item.DragBaseY);
  visit("X", item.X);
  visit("Y", item.Y);
  visit("Height", item.Height);
  visit("Width", item.Width);
  visit("Color", item.Color);
  visit("Name", item.Name);
  visit("InPreview", item.InPreview);
  visit("Moved", item.Moved);
  visit("Deleted", item.Deleted);
  visit("Transparency", item.Transparency);
  visit("ImageFileName", item.ImageFileName);
  visit("ImageType", item.ImageType);
  visit("GifFrame", item.GifFrame);
  visit("KeepAspect", item.KeepAspect);
  visit("AspectRatio", item.AspectRatio);
  visit("FontSize", item.FontSize);
  visit("Text", item.Text);
  visit("FontName", item.FontName);
  visit("Bold", item.Bold);
  visit("Italic", item.Italic);
  visit("Underline", item.Underline);
  visit("Strikeout", item.Strikeout);
  visit("CharSpacing", item.CharSpacing);
  visit("ShadowAltitude", item.ShadowAltitude);
  visit("ShadowColor", item.ShadowColor);
  visit("ShadowAngle", item.ShadowAngle);
  visit("ShapeType", item.ShapeType);
  visit("Radius", item.Radius);
  visit("InnerRadius", item.InnerRadius);
  visit("OuterRadius", item.OuterRadius);
  visit("NumberOfPoints", item.NumberOfPoints);
  visit("StartAngle", item.StartAngle);
  visit("EndAngle", item.EndAngle);
  visit("BorderColor", item.BorderColor);
  visit("BorderWidth", item.BorderWidth);
  visit("FillType", item.FillType);
  visit("FillImage", item.FillImage);
  visit("GradientStartColor", item.GradientStartColor);
  visit("GradientEndColor", item.GradientEndColor);
  visit("GradientStyle", item.GradientStyle);
}

template <class Settings, class Visit>
void VisitSettings(Settings& s, Visit&& visit) {
  visit("BannerWidth", s.BannerWidth);
  visit("BannerHeight", s.BannerHeight);
  visit("URL", s.URL);
  visit("TargetChoice", s.TargetChoice);
  visit("TargetWindowName", s.TargetWindowName);
  visit("Compress", s.Compress);
  visit("FlashVersion", s.FlashVersion);
  visit("UseClickTag", s.UseClickTag);
  visit("BackgroundType", s.BackgroundType);
  visit("BackgroundColor", s.BackgroundColor);
  visit("BackgroundGradientStart", s.BackgroundGradientStart);
  visit("BackgroundGradientEnd", s.BackgroundGradientEnd);
  visit("BackgroundGradientStyle", s.BackgroundGradientStyle);
  visit("BackgroundImage", s.BackgroundImage);
  visit("BackgroundShape", s.BackgroundShape);
  visit("BorderColor", s.BorderColor);
  visit("BorderWidth", s.BorderWidth);
  visit("AnimationType", s.AnimationType);
  visit("AnimationSpeed", s.AnimationSpeed);
  visit("AnimationLoop", s.AnimationLoop);
  visit("AnimationFirstFrame", s.AnimationFirstFrame);
  visit("AnimationLastFrame", s.AnimationLastFrame);
  visit("AnimateBackground", s.AnimateBackground);
  visit("AnimateShapes", s.AnimateShapes);
  visit("AnimateImages", s.AnimateImages);
  visit("AnimateText", s.AnimateText);
}

template <class State, class Visit>
void VisitState(State& s, Visit&& visit) {
  visit("CurrentItemName", s.CurrentItemName);
  visit("LastShapeItem", s.LastShapeItem);
  visit("LastImageItem", s.LastImageItem);
  visit("LastTextItem", s.LastTextItem);
  visit("LastDeletedItem", s.LastDeletedItem);
  visit("DeleteEnabled", s.DeleteEnabled);
  visit("UndeleteEnabled", s.UndeleteEnabled);
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) throw std::runtime_error("a value ends in a lone backslash");
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        throw std::runtime_error("a value holds an unknown escape");
    }
  }
  return out;
}

std::string Format(const std::string& value) { return Escaped(value); }
std::string Format(bool value) { return value ? "TRUE" : "FALSE"; }
std::string Format(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}
template <class T>
  requires std::is_integral_v<T> || std::is_enum_v<T>
std::string Format(T value) {
  return std::to_string(static_cast<std::int64_t>(value));
}

template <class T>
bool ParseNumber(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

bool Parse(const std::string& text, std::string& value) {
  value = Unescaped(text);
  return true;
}
bool Parse(const std::string& text, bool& value) {
  if (text != "TRUE" && text != "FALSE") return false;
  value = text == "TRUE";
  return true;
}
bool Parse(const std::string& text, double& value) { return ParseNumber(text, value); }
bool Parse(const std::string& text, ItemKind& value) {
  int number = 0;
  if (!ParseNumber(text, number) || number < 0 || number > 2) return false;
  value = static_cast<ItemKind>(number);
  return true;
}
bool Parse(const std::string& text, TBackgroundType& value) {
  int number = 0;
  if (!ParseNumber(text, number) || number < 0 || number > 2) return false;
  value = static_cast<TBackgroundType>(number);
  return true;
}
template <class T>
  requires std::is_integral_v<T>
bool Parse(const std::string& text, T& value) {
  return ParseNumber(text, value);
}

class TLineWriter {
 public:
  template <class T>
  void operator()(const char* key, const T& value) {
    lines.push_back(std::string(key) + "=" + Format(value));
  }
  TFieldLines lines;
};

class TLineReader {
 public:
  explicit TLineReader(const TFieldValues& values) : values_(values) {}
  template <class T>
  void operator()(const char* key, T& value) {
    const auto found = values_.find(key);
    if (found == values_.end()) throw std::runtime_error(std::string("the field ") + key + " is missing");
    if (!Parse(found->second, value))
      throw std::runtime_error(std::string("the field ") + key + " is not well formed");
  }

 private:
  const TFieldValues& values_;
};

std::string KeyOf(const std::string& line) { return line.substr(0, line.find('=')); }

}  // namespace

TDocumentState StateOf(const document::TBannerDocument& document) {
  TDocumentState state;
  state.ItemTable = document.ItemTable;
  state.BannerSettings = document.BannerSettings;
  state.CurrentItemName = document.CurrentItemName;
  state.LastShapeItem = document.LastShapeItem;
  state.LastImageItem = document.LastImageItem;
  state.LastTextItem = document.LastTextItem;
  state.LastDeletedItem = document.LastDeletedItem;
  state.DeleteEnabled = document.DeleteEnabled();
  state.UndeleteEnabled = document.UndeleteEnabled();
  return state;
}

void RestoreState(document::TBannerDocument& document, const TDocumentState& state) {
  document.ItemTable = state.ItemTable;
  document.BannerSettings = state.BannerSettings;
  document.CurrentItemName = state.CurrentItemName;
  document.LastShapeItem = state.LastShapeItem;
  document.LastImageItem = state.LastImageItem;
  document.LastTextItem = state.LastTextItem;
  document.LastDeletedItem = state.LastDeletedItem;
  document.FindCurrentItem();
  document.SetCommandState(state.DeleteEnabled, state.UndeleteEnabled);
  document.RequestPreviewRebuild();
}

TFlashObjects DesignOf(const TFlashObjects& item) {
  TFlashObjects design = item;
  design.InPreview = false;
  design.Moved = false;
  design.DragBaseX = 0;
  design.DragBaseY = 0;
  if (design.Kind == ItemKind::ikText) {
    design.Width = 0;
    design.Height = 0;
  }
  return design;
}

bool SameDesign(const TDocumentState& a, const TDocumentState& b) {
  if (!(a.BannerSettings == b.BannerSettings) || a.ItemTable.Count() != b.ItemTable.Count()) return false;
  for (int i = 1; i <= a.ItemTable.Count(); ++i)
    if (!(DesignOf(a.ItemTable[i]) == DesignOf(b.ItemTable[i]))) return false;
  return true;
}

TFieldLines ItemFieldLines(const TFlashObjects& item) {
  TLineWriter writer;
  VisitItem(item, writer);
  return std::move(writer.lines);
}

TFieldLines SettingsFieldLines(const TBannerSettings& settings) {
  TLineWriter writer;
  VisitSettings(settings, writer);
  return std::move(writer.lines);
}

TFieldLines StateFieldLines(const TDocumentState& state) {
  TLineWriter writer;
  VisitState(state, writer);
  return std::move(writer.lines);
}

TFlashObjects ItemFromFields(const TFieldValues& values) {
  TFlashObjects item;
  TLineReader reader(values);
  VisitItem(item, reader);
  return item;
}

TBannerSettings SettingsFromFields(const TFieldValues& values) {
  TBannerSettings settings;
  TLineReader reader(values);
  VisitSettings(settings, reader);
  return settings;
}

void StateFromFields(const TFieldValues& values, TDocumentState& state) {
  TLineReader reader(values);
  VisitState(state, reader);
}

std::vector<std::string> ChangedKeys(const TFieldLines& before, const TFieldLines& after) {
  std::vector<std::string> keys;
  for (size_t i = 0; i < before.size() && i < after.size(); ++i)
    if (before[i] != after[i]) keys.push_back(KeyOf(before[i]));
  return keys;
}

}  // namespace tessaly::shell
