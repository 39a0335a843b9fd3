#pragma once
// The variables a page hands a movie in its FlashVars parameter (or after
// "?" in the movie's address): "name=value" pairs joined by "&", both parts
// URL-encoded ("%XX" bytes, "+" a blank).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaly::player {


// The pairs in order, decoded. A pair without "=" has an empty value; pairs
// with an empty name are left out; a "%" not followed by two hex digits
// stays as it is.
std::vector<std::pair<std::string, std::string>> ParseFlashVars(std::string_view text);

}  // namespace tessaly::player
