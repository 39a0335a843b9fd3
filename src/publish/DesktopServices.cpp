#include "publish/DesktopServices.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
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

// Closes the descriptor it holds.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : fd_(fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

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

bool TXdgOpener::Open(const std::string& target) {
  std::optional<std::filesystem::path> program = FindOnPath("xdg-open", searchPath_);
  if (!program) return false;
  runner_.StartDetached({program->string(), target});
  return true;
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

std::filesystem::path SystemTempFolder() { return std::filesystem::temp_directory_path(); }

std::filesystem::path UserTempFolder(const std::filesystem::path& systemTemp, uid_t owner) {
  const std::filesystem::path folder = systemTemp / ("tessaly-" + std::to_string(owner));
  auto fail = [&](int error, const std::string& why) {
    throw std::system_error(error, std::generic_category(), folder.string() + why);
  };
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) fail(errno, "");
  // Checked and tightened through one descriptor, so the name cannot be
  // swapped for something else in between.
  TDescriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (dir.Get() < 0) {
    if (errno == ELOOP || errno == ENOTDIR) fail(errno, ": not a folder of its own");
    fail(errno, "");
  }
  struct stat info {};
  if (fstat(dir.Get(), &info) != 0) fail(errno, "");
  if (info.st_uid != owner) fail(EPERM, ": owned by another user");
  if ((info.st_mode & 077) != 0 && fchmod(dir.Get(), 0700) != 0) fail(errno, "");
  return folder;
}

std::filesystem::path TempFolder() { return UserTempFolder(SystemTempFolder(), getuid()); }

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
