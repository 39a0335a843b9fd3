#include "platform/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace tessaly::platform {
namespace {

constexpr const char* kSystemCodePage = "CP936";

// One iconv conversion descriptor, closed with the object.
class TIconv {
 public:
  TIconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
  }
  ~TIconv() { iconv_close(cd_); }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;

  // Converts as much of [in, in + len) as possible, appending to out. Returns
  // the number of input bytes consumed; stops at the first sequence that
  // cannot be converted or is incomplete.
  size_t Convert(const char* in, size_t len, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    size_t left = len;
    char buffer[256];
    while (left > 0) {
      char* dst = buffer;
      size_t room = sizeof buffer;
      size_t rc = iconv(cd_, &src, &left, &dst, &room);
      out.append(buffer, dst - buffer);
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    char* dst = buffer;
    size_t room = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &room);
    out.append(buffer, dst - buffer);
    return len - left;
  }

 private:
  iconv_t cd_;
};

void AppendUtf8(long cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

long DecodeUtf8(std::string_view text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(pos);
  int extra;
  long cp;
  long min;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, min = 0x10000;
  } else {
    ++pos;
    return -1;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return -1;
  }
  for (int i = 1; i <= extra; ++i) {
    unsigned char b = byte(pos + i);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return -1;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return -1;
  }
  pos += extra + 1;
  return cp;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = pos;
    if (DecodeUtf8(text, pos) < 0)
      out += '?';
    else
      out.append(text.substr(start, pos - start));
  }
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  // ASCII is the same in both: no converter needed.
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(utf8);
  TIconv conv(kSystemCodePage, "UTF-8");
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    size_t start = pos;
    long cp = DecodeUtf8(utf8, pos);
    if (cp < 0) {
      out += '?';
    } else if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (conv.Convert(utf8.data() + start, pos - start, out) != pos - start) {
      out += '?';
    }
  }
  return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
  TIconv conv("UTF-8", kSystemCodePage);
  std::string out;
  out.reserve(ansi.size() * 3 / 2);
  size_t pos = 0;
  while (pos < ansi.size()) {
    unsigned char b = static_cast<unsigned char>(ansi[pos]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++pos;
      continue;
    }
    // A code page 936 character is one byte (0x80) or a lead byte and a trail byte.
    size_t len = (b != 0x80 && b != 0xFF && pos + 1 < ansi.size()) ? 2 : 1;
    if (conv.Convert(ansi.data() + pos, len, out) == len) {
      pos += len;
    } else {
      out += '?';
      ++pos;
    }
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    long cp = DecodeUtf8(utf8, pos);
    if (cp < 0) {
      out += u'?';
    } else if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (size_t i = 0; i < utf16.size(); ++i) {
    long cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      out += '?';
      continue;
    }
    AppendUtf8(cp, out);
  }
  return out;
}

}  // namespace tessaly::platform
