#include "player/AvmValue.h"

#include "player/DisplayList.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tessaly::player {

std::string NumberToString(double n) {
  if (std::isnan(n)) return "NaN";
  if (std::isinf(n)) return n > 0 ? "Infinity" : "-Infinity";
  if (n == 0) return "0";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", n);
  std::string s = buffer;
  // "1e-07" is written "1e-7", "1e+21" stays.
  const size_t e = s.find('e');
  if (e != std::string::npos) {
    size_t digits = e + 2;
    while (digits + 1 < s.size() && s[digits] == '0') s.erase(digits, 1);
  }
  return s;
}

double StringToNumber(const std::string& s) {
  size_t begin = 0, end = s.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(s[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1]))) --end;
  if (begin == end) return std::nan("");
  const std::string t = s.substr(begin, end - begin);
  char* stop = nullptr;
  double value;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
    value = static_cast<double>(std::strtoll(t.c_str() + 2, &stop, 16));
  else
    value = std::strtod(t.c_str(), &stop);
  if (!stop || *stop != '\0') return std::nan("");
  return value;
}

TAvmValue::TText::~TText() {
  if (meter) *meter -= static_cast<int64_t>(chars.size());
}

TAvmValue TAvmValue::String(std::string s) {
  TAvmValue v = Of(vtString);
  v.text_ = std::make_shared<const TText>(std::move(s), nullptr);
  return v;
}

TAvmValue TAvmTextMeter::String(std::string s) const {
  *bytes_ += static_cast<int64_t>(s.size());
  TAvmValue v = TAvmValue::Of(TAvmValue::vtString);
  v.text_ = std::make_shared<const TAvmValue::TText>(std::move(s), bytes_);
  return v;
}

const std::string& TAvmValue::Text() const {
  static const std::string kEmpty;
  return type == vtString && text_ ? text_->chars : kEmpty;
}

double TAvmValue::ToNumber() const {
  switch (type) {
    case vtBool:
      return boolean ? 1 : 0;
    case vtNumber:
      return number;
    case vtString:
      return StringToNumber(Text());
    case vtNull:
      return 0;
    default:
      return std::nan("");
  }
}

std::string TAvmValue::ToString() const {
  switch (type) {
    case vtUndefined:
      return "";
    case vtNull:
      return "null";
    case vtBool:
      return boolean ? "true" : "false";
    case vtNumber:
      return NumberToString(number);
    case vtString:
      return Text();
    case vtClip:
      if (auto c = clip.lock()) return c->TargetPath();
      return "";
  }
  return "";
}

bool TAvmValue::ToBool(int version) const {
  switch (type) {
    case vtBool:
      return boolean;
    case vtNumber:
      return number != 0 && !std::isnan(number);
    case vtString:
      if (version >= 7) return !Text().empty();
      {
        const double n = StringToNumber(Text());
        return n != 0 && !std::isnan(n);
      }
    case vtClip:
      return !clip.expired();
    default:
      return false;
  }
}

}  // namespace tessaly::player
