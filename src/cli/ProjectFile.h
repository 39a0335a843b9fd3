#pragma once
// What the tools that read a project share: how a project file is loaded
// without the window.

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>

#include "document/BannerDocument.h"
#include "project/ProjectReader.h"

namespace tessaly::cli {

class TProjectError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The host of a load (and the warning sink of the build after it) that
// answers questions No and writes "warning: ..." lines to warnings; the
// built-in backgrounds are found in the program folder.
project::TWarningLoadHost ToolLoadHost(std::ostream& warnings);

// Loads the project file (an absolute path; shownName is how messages name
// it) into doc. The project's folder becomes the current folder, so that
// picture paths stored relative to it are found, as after the program's
// Open dialog. Throws TProjectError when the file cannot be read or is no
// project.
void LoadBannerProject(const std::filesystem::path& project, const std::string& shownName,
                       document::TBannerDocument& doc, project::TWarningLoadHost& host);

}  // namespace tessaly::cli
