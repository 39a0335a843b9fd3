#include "publish/DesktopServices.h"

#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

extern char** environ;

namespace tessaly::publish {
namespace {

// Runs in the forked grandchild: only async-signal-safe calls.
[[noreturn]] void ExecProgram(const char* program, char* const* argv) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  close_range(3, ~0U, 0);
  execve(program, argv, environ);
  _exit(127);
}

}  // namespace

void TDetachedProcessRunner::StartDetached(const std::vector<std::string>& argv) {
  if (argv.empty()) return;
  // Everything the children use is prepared before forking.
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  pid_t middle = fork();
  if (middle < 0) throw std::system_error(errno, std::generic_category(), argv[0]);
  if (middle == 0) {
    pid_t program = _Fork();
    if (program == 0) ExecProgram(args[0], args.data());
    _exit(program < 0 ? 1 : 0);
  }
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
}

void TXdgOpener::Open(const std::string& target) {
  std::optional<std::filesystem::path> program = FindOnPath("xdg-open", SearchPath());
  if (!program) return;
  runner_.StartDetached({program->string(), target});
}

std::optional<std::filesystem::path> FindOnPath(std::string_view program,
                                                std::string_view searchPath) {
  if (program.empty() || program.find('/') != std::string_view::npos) return std::nullopt;
  while (true) {
    size_t colon = searchPath.find(':');
    std::string_view folder = searchPath.substr(0, colon);
    std::filesystem::path candidate =
        std::filesystem::path(folder.empty() ? "." : std::string(folder)) / std::string(program);
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0)
      return candidate;
    if (colon == std::string_view::npos) return std::nullopt;
    searchPath.remove_prefix(colon + 1);
  }
}

std::string SearchPath() {
  const char* path = std::getenv("PATH");
  return path ? path : "";
}

std::filesystem::path TempFolder() { return std::filesystem::temp_directory_path(); }

std::filesystem::path DefaultConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return std::filesystem::path(xdg) / "Tessaly";
  const char* home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* user = getpwuid(getuid());
    home = user && user->pw_dir ? user->pw_dir : "/";
  }
  return std::filesystem::path(home) / ".config" / "Tessaly";
}

}  // namespace tessaly::publish
