#include "cli/ToolInfo.h"

namespace tessaly::cli {

TInfoRequest InfoRequestOf(std::string_view arg) {
  if (arg == "-h" || arg == "--help") return TInfoRequest::irHelp;
  if (arg == "--version") return TInfoRequest::irVersion;
  return TInfoRequest::irNone;
}

std::string VersionText(std::string_view tool) { return std::string(tool) + " " + TESSALY_VERSION + "\n"; }

}  // namespace tessaly::cli
