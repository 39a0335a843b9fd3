#include "cli/ProjectFile.h"

namespace tessaly::cli {

namespace fs = std::filesystem;

std::string ExecutableFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  std::string folder = error ? fs::current_path().string() : executable.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

project::TWarningLoadHost ToolLoadHost(std::ostream& warnings) {
  return project::TWarningLoadHost(warnings, ExecutableFolder() + "backgrounds/");
}

void LoadBannerProject(const fs::path& project, const std::string& shownName, document::TBannerDocument& doc,
                       project::TWarningLoadHost& host) {
  std::error_code error;
  fs::current_path(project.parent_path(), error);
  if (error) throw TProjectError("cannot read project " + shownName + ": " + error.message());
  if (!project::LoadProject(doc, project.string(), {}, host).Loaded)
    throw TProjectError(shownName + " is not a project file");
}

}  // namespace tessaly::cli
