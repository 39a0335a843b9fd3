#pragma once
// Text conversions at the boundary to "the system code page".
//
// Strings are UTF-8 in memory. Files and records that the Windows program
// wrote in its ANSI code page use code page 936 (GBK) here, so that they stay
// interchangeable. SWF glyph texts are UTF-16.

#include <string>
#include <string_view>

namespace tessaly::platform {

// UTF-8 to code page 936. A character code page 936 cannot hold, and every
// byte that is not part of a valid UTF-8 sequence, becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);

// Code page 936 to UTF-8. A byte sequence that is not valid code page 936
// becomes "?" (one per offending byte).
std::string AnsiToUtf8(std::string_view ansi);

// UTF-8 to UTF-16 (characters above U+FFFF as surrogate pairs). An invalid
// UTF-8 byte becomes "?".
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8. An unpaired surrogate becomes "?".
std::string Utf16ToUtf8(std::u16string_view utf16);

// The text with every byte that is not part of a valid UTF-8 sequence
// replaced by "?"; valid text comes back unchanged.
std::string ValidUtf8(std::string_view text);

// A-Z as a-z; every other byte unchanged.
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
// Equal when A-Z and a-z are taken as the same letters.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Decodes one UTF-8 character starting at text[pos]: returns its code point
// and advances pos past it; an invalid or truncated sequence yields -1 and
// advances pos by one byte.
long DecodeUtf8(std::string_view text, size_t& pos);

}  // namespace tessaly::platform
