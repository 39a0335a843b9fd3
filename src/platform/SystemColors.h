#pragma once
// The Windows system colours: the colours a COLORREF names by index
// (0x80000000 or 0xFF000000 plus the index) instead of by value, with their
// classic look and the names project files of the Windows program use.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaly::platform {

// The COLORREF high byte that marks a system colour as the Windows program
// writes it (0x80 marks one as well when read).
inline constexpr std::uint32_t SystemColorFlag = 0xFF000000;

// The classic look of system colour index as 0xRRGGBB; 0 for an index no
// system colour has.
std::uint32_t SystemColorRgb(std::uint32_t index);

// The COLORREF of a system colour name ("clBtnFace" gives 0xFF00000F),
// letters in any case; nothing for any other text.
std::optional<std::uint32_t> SystemColorByName(std::string_view name);

}  // namespace tessaly::platform
