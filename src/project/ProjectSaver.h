#pragma once
// The save command's project writer: the project of a saved movie goes into
// the project folder, named after the movie with the extension ".BWF".

#include <string>
#include <string_view>

#include "document/BuildContext.h"

namespace tessaly::project {

class TProjectFileSaver : public document::TProjectSaver {
 public:
  // Writes BwfDirectory + the movie's name with ".BWF" safely (temporary
  // file, then rename). Throws std::system_error naming the path.
  void SaveProject(const document::TBannerDocument& Document, std::string_view BwfDirectory,
                   std::string_view MovieFileName) override;
  // The project written last; empty before the first save.
  const std::string& LastProjectPath() const { return lastProjectPath_; }

 private:
  std::string lastProjectPath_;
};

}  // namespace tessaly::project
