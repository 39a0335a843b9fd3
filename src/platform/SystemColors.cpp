#include "platform/SystemColors.h"

#include <array>

#include "platform/CodePage.h"

namespace tessaly::platform {
namespace {

struct TSystemColor {
  std::string_view Name;  // empty for an index without a name
  std::uint32_t Rgb;      // 0xRRGGBB
};

// Indexes 0 to 30.
constexpr std::array<TSystemColor, 31> SystemColors = {{
    {"clScrollBar", 0xD4D0C8},
    {"clBackground", 0x3A6EA5},
    {"clActiveCaption", 0x0A246A},
    {"clInactiveCaption", 0x808080},
    {"clMenu", 0xD4D0C8},
    {"clWindow", 0xFFFFFF},
    {"clWindowFrame", 0x000000},
    {"clMenuText", 0x000000},
    {"clWindowText", 0x000000},
    {"clCaptionText", 0xFFFFFF},
    {"clActiveBorder", 0xD4D0C8},
    {"clInactiveBorder", 0xD4D0C8},
    {"clAppWorkSpace", 0x808080},
    {"clHighlight", 0x0A246A},
    {"clHighlightText", 0xFFFFFF},
    {"clBtnFace", 0xD4D0C8},
    {"clBtnShadow", 0x808080},
    {"clGrayText", 0x808080},
    {"clBtnText", 0x000000},
    {"clInactiveCaptionText", 0xD4D0C8},
    {"clBtnHighlight", 0xFFFFFF},
    {"cl3DDkShadow", 0x404040},
    {"cl3DLight", 0xD4D0C8},
    {"clInfoText", 0x000000},
    {"clInfoBk", 0xFFFFE1},
    {"", 0x000000},
    {"clHotLight", 0x000080},
    {"clGradientActiveCaption", 0xA6CAF0},
    {"clGradientInactiveCaption", 0xC0C0C0},
    {"clMenuHighlight", 0x316AC5},
    {"clMenuBar", 0xD4D0C8},
}};

}  // namespace

std::uint32_t SystemColorRgb(std::uint32_t index) {
  return index < SystemColors.size() ? SystemColors[index].Rgb : 0;
}

std::optional<std::uint32_t> SystemColorByName(std::string_view name) {
  if (name.empty()) return std::nullopt;
  for (std::uint32_t index = 0; index < SystemColors.size(); ++index)
    if (EqualsIgnoringAsciiCase(SystemColors[index].Name, name)) return SystemColorFlag | index;
  return std::nullopt;
}

}  // namespace tessaly::platform
