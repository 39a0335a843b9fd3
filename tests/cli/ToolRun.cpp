#include "cli/ToolRun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

// Single quotes for the shell, with quotes inside escaped.
std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TToolRun RunTool(const std::string& program, const std::vector<std::string>& args, const fs::path& cwd) {
  static int runs = 0;
  const fs::path out = fs::temp_directory_path() / ("tessaly-tool-out-" + std::to_string(getpid()) + "-" +
                                                    std::to_string(++runs));
  const fs::path err = out.string() + ".err";
  std::string command = cwd.empty() ? "" : "cd " + Quote(cwd.string()) + " && ";
  command += Quote(program);
  for (const std::string& arg : args) command += " " + Quote(arg);
  command += " >" + Quote(out.string()) + " 2>" + Quote(err.string());
  const int status = std::system(command.c_str());
  TToolRun run;
  run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.Out = ReadText(out);
  run.Err = ReadText(err);
  fs::remove(out);
  fs::remove(err);
  return run;
}

}  // namespace tessaly::test
