#pragma once
// Runs one of our command-line tools as a program, the way a user's shell
// does, and keeps its exit status and what it printed.

#include <filesystem>
#include <string>
#include <vector>

namespace tessaly::test {

struct TToolRun {
  int Exit = -1;  // -1 when the program did not exit normally
  std::string Out;
  std::string Err;
};

// Runs program with args in the folder cwd (the current folder when empty).
TToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                 const std::filesystem::path& cwd = {});

// The whole file as text; empty when it cannot be read.
std::string ReadText(const std::filesystem::path& path);

}  // namespace tessaly::test
