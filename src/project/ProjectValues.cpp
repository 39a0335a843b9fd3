#include "project/ProjectValues.h"

#include <array>
#include <cstdio>

#include "platform/CodePage.h"
#include "platform/SystemColors.h"

namespace tessaly::project {
namespace {

struct TColorName {
  std::string_view name;
  TColorRef color;
};

constexpr std::array<TColorName, 20> ColorNames = {{
    {"clBlack", 0x000000},   {"clMaroon", 0x000080},    {"clGreen", 0x008000},
    {"clOlive", 0x008080},   {"clNavy", 0x800000},      {"clPurple", 0x800080},
    {"clTeal", 0x808000},    {"clGray", 0x808080},      {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},     {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF},   {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},   {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},   {"clMedGray", 0xA4A0A0},
}};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = platform::AsciiLower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string ColorToString(TColorRef color) {
  for (const TColorName& entry : ColorNames)
    if (entry.color == color) return std::string(entry.name);
  char text[10];
  std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(color));
  return text;
}

std::optional<TColorRef> StringToColor(std::string_view text) {
  for (const TColorName& entry : ColorNames)
    if (platform::EqualsIgnoringAsciiCase(entry.name, text)) return entry.color;
  if (const std::optional<TColorRef> system = platform::SystemColorByName(text)) return *system;
  if (const std::optional<std::int32_t> value = StringToInt(text))
    return static_cast<TColorRef>(*value);
  return std::nullopt;
}

std::optional<std::int32_t> StringToInt(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  std::uint64_t value = 0;
  const std::string_view rest = text.substr(pos);
  if (rest.starts_with('$') || rest.starts_with("0x") || rest.starts_with("0X")) {
    const std::string_view digits = rest.substr(rest[0] == '$' ? 1 : 2);
    if (digits.empty()) return std::nullopt;
    for (char c : digits) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(digit);
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(negative ? 0u - value : value);
    return static_cast<std::int32_t>(bits);
  }
  if (rest.empty()) return std::nullopt;
  for (char c : rest) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > 0x80000000u) return std::nullopt;
  }
  if (!negative && value > 0x7FFFFFFFu) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value)
                                            : static_cast<std::int64_t>(value));
}

std::string_view Trim(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace tessaly::project
