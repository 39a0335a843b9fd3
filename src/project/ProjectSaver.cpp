#include "project/ProjectSaver.h"

#include "project/ProjectWriter.h"

namespace tessaly::project {

void TProjectFileSaver::SaveProject(const document::TBannerDocument& Document, std::string_view BwfDirectory,
                                    std::string_view MovieFileName) {
  lastProjectPath_ = project::SaveProject(Document, BwfDirectory, MovieFileName);
}

}  // namespace tessaly::project
