#include "cli/ProjectFile.h"

#include "platform/ProgramFolder.h"

namespace tessaly::cli {

namespace fs = std::filesystem;

project::TWarningLoadHost ToolLoadHost(std::ostream& warnings) {
  return project::TWarningLoadHost(warnings, platform::ProgramFolder() + "backgrounds/");
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
