#include "cli/ToolInfo.h"

#include <iostream>

namespace tessaly::cli {

TInfoRequest InfoRequestOf(std::string_view arg) {
  if (arg == "-h" || arg == "--help") return TInfoRequest::irHelp;
  if (arg == "--version") return TInfoRequest::irVersion;
  return TInfoRequest::irNone;
}

std::string VersionText(std::string_view tool) { return std::string(tool) + " " + TESSALY_VERSION + "\n"; }

std::optional<int> AnswerForOnePath(int argc, char** argv, std::string_view tool, std::string_view usage) {
  const TInfoRequest info = argc == 2 ? InfoRequestOf(argv[1]) : TInfoRequest::irNone;
  if (info == TInfoRequest::irVersion) {
    std::cout << VersionText(tool);
    return 0;
  }
  // Any other argument that looks like an option is no path.
  if (info == TInfoRequest::irNone && argc == 2 && argv[1][0] != '-') return std::nullopt;
  (info == TInfoRequest::irHelp ? std::cout : std::cerr) << usage
                                                         << "  -h, --help   show this text.\n"
                                                            "  --version    show the program's version.\n";
  return info == TInfoRequest::irHelp ? 0 : 2;
}

}  // namespace tessaly::cli
