#pragma once
// The built-in background list: the picture files of the background folder,
// all of them or only those of the banner's size.

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::shell {

// The names of the files in folder whose name contains "jpeg", "jpg",
// "bmp" or "gif" (in any letter case), sorted; none when the folder cannot
// be read.
std::vector<std::string> BackgroundFiles(const std::string& folder);

// The entries of names (files in folder) whose picture is width x height
// pixels; pictures that cannot be read are left out.
std::vector<std::string> MatchingBackgrounds(const std::string& folder, const std::vector<std::string>& names,
                                             std::int32_t width, std::int32_t height);

}  // namespace tessaly::shell
