#pragma once
// What the desktop gives the publishing commands: starting programs, opening
// files in the desktop's browser, the temporary and configuration folders.
// Behind small interfaces so that tests start nothing.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaly::publish {

// Starts a program and does not wait for it.
class TProcessRunner {
 public:
  virtual ~TProcessRunner() = default;
  // argv[0] is the program's path; every further element reaches the program
  // as one argument, unchanged (no shell is involved).
  virtual void StartDetached(const std::vector<std::string>& argv) = 0;
};

// Forks twice (the second time with the async-signal-safe _Fork) and
// executes the program in the grandchild, which the init process reaps, so
// no zombie is left behind; the caller waits only for the short-lived middle
// process. Descriptors above stderr are closed in the program. Throws
// std::system_error when the first fork fails; a program that cannot be
// executed is not reported.
class TDetachedProcessRunner : public TProcessRunner {
 public:
  void StartDetached(const std::vector<std::string>& argv) override;
};

// The first executable regular file named `program` in the folders of
// `searchPath` (colon-separated, as $PATH; an empty entry is the current
// folder).
std::optional<std::filesystem::path> FindOnPath(std::string_view program,
                                                std::string_view searchPath);

// The value of $PATH (empty when unset).
std::string SearchPath();

// Shown with the page's path when there is no program to open it with.
inline constexpr std::string_view MsgNoBrowser =
    "无法启动浏览器 (找不到 xdg-open). 预览页面已保存在: ";

// Opens a file or web address the way the desktop does (default browser for
// HTML pages). Returns false when there is no program to open it with; what
// that program then does is not checked.
class TShellOpener {
 public:
  virtual ~TShellOpener() = default;
  virtual bool Open(const std::string& target) = 0;
};

// Opens through "xdg-open" found in the folders of `searchPath` (as $PATH),
// with the target as its one argument.
class TXdgOpener : public TShellOpener {
 public:
  explicit TXdgOpener(TProcessRunner& runner, std::string searchPath = SearchPath())
      : runner_(runner), searchPath_(std::move(searchPath)) {}
  bool Open(const std::string& target) override;

 private:
  TProcessRunner& runner_;
  std::string searchPath_;
};

// The folder the system reports for temporary files ($TMPDIR, else /tmp).
std::filesystem::path SystemTempFolder();

// `systemTemp`/"tessaly-<owner>": the owner's own folder for the preview
// pages, so that users sharing /tmp do not collide on the pages' fixed names
// and nobody else can replace them. Created with mode 0700 when missing; an
// existing one must be a real folder (not a symbolic link) owned by `owner`,
// and is closed to others if it was not. Throws std::system_error otherwise.
std::filesystem::path UserTempFolder(const std::filesystem::path& systemTemp, uid_t owner);

// UserTempFolder(SystemTempFolder(), the current user): where the preview
// pages are written.
std::filesystem::path TempFolder();

// The user's configuration folder for Tessaly: $XDG_CONFIG_HOME/Tessaly when
// that variable holds an absolute path, else $HOME/.config/Tessaly (the
// home folder from the user database when $HOME is not absolute).
std::filesystem::path DefaultConfigFolder();

}  // namespace tessaly::publish
