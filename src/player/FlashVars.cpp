#include "player/FlashVars.h"

namespace tessaly::player {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Decoded(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ParseFlashVars(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> vars;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('&', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view pair = text.substr(start, end - start);
    const size_t equals = pair.find('=');
    std::string name = Decoded(pair.substr(0, equals));
    if (!name.empty())
      vars.emplace_back(std::move(name), equals == std::string_view::npos ? std::string() : Decoded(pair.substr(equals + 1)));
    start = end + 1;
  }
  return vars;
}

}  // namespace tessaly::player
