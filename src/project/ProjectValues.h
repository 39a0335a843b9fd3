#pragma once
// Value formats of the project file: integers, colours and the trimming rule
// of its reader.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/BannerDocument.h"

namespace tessaly::project {

using document::TColorRef;

// A colour as the writer stores it: one of the twenty colour names when the
// value is that name's colour, otherwise "$" + eight upper-case hex digits.
std::string ColorToString(TColorRef color);

// A colour as the reader accepts it: a colour name or a Windows system
// colour name ("clBtnFace", stored as its system colour 0xFF00000F) in any
// letter case, "$" plus hex digits, or a decimal number. Empty or anything
// else: nothing.
std::optional<TColorRef> StringToColor(std::string_view text);

// A 32-bit integer: optional leading blanks, optional sign, decimal digits
// or "$" / "0x" + hex digits (at most 32 bits), nothing after. Else nothing.
std::optional<std::int32_t> StringToInt(std::string_view text);

// text without blanks and control characters (codes up to 32) at either end.
std::string_view Trim(std::string_view text);

// The line that turns UseClickTag on. It is written after the animation
// section, only when the option is on: a reader that scans for sections
// passes over a line it does not know, so the file stays readable by
// programs that have no such option.
inline constexpr std::string_view ClickTagLine = "ClickTAG=TRUE";

inline const char* BoolWord(bool value) { return value ? "TRUE" : "FALSE"; }

}  // namespace tessaly::project
