#include "platform/ProgramFolder.h"

#include <system_error>

namespace tessaly::platform {

namespace fs = std::filesystem;

std::string ProgramFolderOf(const fs::path& executable) {
  const fs::path folder = executable.parent_path();
  const fs::path installed = (folder.parent_path() / "share" / "tessaly").lexically_normal();
  std::error_code error;
  const fs::path chosen = fs::is_directory(installed, error) ? installed : folder;
  std::string text = chosen.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

std::string ProgramFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  // Without /proc the current folder stands in for the executable's.
  return ProgramFolderOf(error ? fs::current_path(error) / "tessaly" : executable);
}

}  // namespace tessaly::platform
