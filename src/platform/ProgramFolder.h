#pragma once
// Where the files shipped with the program are: particle pictures, built-in
// backgrounds, preview pictures, help pages.

#include <filesystem>
#include <string>

namespace tessaly::platform {

// The folder of the shipped files, ending in "/": ../share/tessaly/ beside
// an installed executable (when that folder exists next to the
// executable's bin/), else the executable's own folder (the build tree's
// bin/, where the build copies the assets).
std::string ProgramFolder();

// The same rule for the executable at the given path.
std::string ProgramFolderOf(const std::filesystem::path& executable);

}  // namespace tessaly::platform
