#pragma once
// What every command-line tool answers before its own work: "--help"
// (usage and help on stdout) and "--version" (its name and the program's
// version on stdout), both with exit status 0.

#include <optional>
#include <string>
#include <string_view>

namespace tessaly::cli {

enum class TInfoRequest { irNone, irHelp, irVersion };

// irHelp for "-h" and "--help", irVersion for "--version", else irNone.
TInfoRequest InfoRequestOf(std::string_view arg);

// "NAME VERSION\n": the tool's name and the version of the program it comes
// with.
std::string VersionText(std::string_view tool);

// For a tool whose one argument is a path: answers --help (Usage and the
// option lines on stdout) and --version, and refuses no argument, more
// than one or another option (the same text on stderr). The exit status to
// end with; nothing when argv[1] is the path to work on.
std::optional<int> AnswerForOnePath(int argc, char** argv, std::string_view tool, std::string_view usage);

}  // namespace tessaly::cli
