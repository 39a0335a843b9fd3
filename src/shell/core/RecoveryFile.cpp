#include "shell/core/RecoveryFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <system_error>

#include "project/ProjectReader.h"
#include "project/ProjectWriter.h"

namespace tessaly::shell {
namespace {

namespace fs = std::filesystem;

constexpr const char* Prefix = "recovery-";
constexpr const char* Extension = ".bwf";
constexpr size_t WriteChunk = 16 * 1024;

[[noreturn]] void Fail(int error, const std::string& path) {
  throw std::system_error(error, std::generic_category(), "Cannot write \"" + path + "\"");
}

void AddSection(std::vector<std::string>& lines, const char* tag, const TFieldLines& fields) {
  lines.push_back(std::string("<") + tag + ">");
  lines.insert(lines.end(), fields.begin(), fields.end());
  lines.push_back(std::string("</") + tag + ">");
}

// The sections of the "<RECOVERY>" block in order: tag and values.
struct TSection {
  std::string Tag;
  TFieldValues Values;
};

std::vector<TSection> RecoverySections(const std::vector<std::string>& lines) {
  if (lines.empty() || lines.back() != "</BWF>") throw std::runtime_error("the file ends early");
  auto line = std::find(lines.begin(), lines.end(), "<RECOVERY>");
  if (line == lines.end()) throw std::runtime_error("the file holds no recovery section");
  std::vector<TSection> sections;
  for (++line; line != lines.end() && *line != "</RECOVERY>"; ++line) {
    if (line->size() > 2 && line->front() == '<' && line->back() == '>' && (*line)[1] != '/') {
      sections.push_back({line->substr(1, line->size() - 2), {}});
      continue;
    }
    if (line->starts_with("</")) continue;
    const size_t equals = line->find('=');
    if (sections.empty() || equals == std::string::npos) throw std::runtime_error("a line of the recovery section is not a field");
    sections.back().Values[line->substr(0, equals)] = line->substr(equals + 1);
  }
  if (line == lines.end()) throw std::runtime_error("the recovery section is not closed");
  return sections;
}

// The process id of a file named "recovery-<pid>.bwf[...]"; 0 for others.
pid_t PidOf(const std::string& name) {
  if (!name.starts_with(Prefix)) return 0;
  const char* first = name.data() + std::char_traits<char>::length(Prefix);
  pid_t pid = 0;
  const auto result = std::from_chars(first, name.data() + name.size(), pid);
  if (result.ec != std::errc() || pid <= 0) return 0;
  return std::string_view(result.ptr).starts_with(Extension) ? pid : 0;
}

bool IsRecoveryFile(const std::string& name) {
  return PidOf(name) > 0 && name == std::string(Prefix) + std::to_string(PidOf(name)) + Extension;
}

void CreateFolder(const std::string& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) throw std::system_error(error, "Cannot create \"" + folder + "\"");
  ::chmod(folder.c_str(), 0700);
}

// The temporary file: closed and removed unless it was renamed.
class TTemporary {
 public:
  explicit TTemporary(std::string path) : path_(std::move(path)) {}
  TTemporary(const TTemporary&) = delete;
  TTemporary& operator=(const TTemporary&) = delete;
  ~TTemporary() {
    if (fd >= 0) ::close(fd);
    if (!renamed) ::unlink(path_.c_str());
  }
  const std::string& Path() const { return path_; }
  int fd = -1;
  bool renamed = false;

 private:
  std::string path_;
};

void WriteAll(int fd, const std::string& bytes, const std::string& path, const TWriteStepHook& step) {
  size_t written = 0;
  do {
    step(TWriteStep::wsWrite);
    const size_t chunk = std::min(WriteChunk, bytes.size() - written);
    const ssize_t n = ::write(fd, bytes.data() + written, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno, path);
    }
    written += static_cast<size_t>(n);
  } while (written < bytes.size());
}

void SyncFolder(const std::string& path) {
  const std::string folder = fs::path(path).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Fail(errno, path);
  const int result = ::fsync(fd);
  const int error = errno;
  ::close(fd);
  if (result != 0) Fail(error, path);
}

}  // namespace

std::string RecoveryFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/Tessaly";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.local/state/Tessaly";
}

std::string RecoveryPath(const std::string& folder, pid_t pid) {
  return folder + "/" + Prefix + std::to_string(pid) + Extension;
}

std::string RecoveryBytes(const TDocumentState& state) {
  document::TBannerDocument design;
  design.ItemTable = state.ItemTable;
  design.BannerSettings = state.BannerSettings;
  std::vector<std::string> lines = project::ProjectLines(design, "");
  lines.pop_back();  // "</BWF>" comes after the recovery section
  lines.push_back("<RECOVERY>");
  AddSection(lines, "SETTINGS", SettingsFieldLines(state.BannerSettings));
  AddSection(lines, "STATE", StateFieldLines(state));
  for (int i = 1; i <= state.ItemTable.Count(); ++i) AddSection(lines, "ITEM", ItemFieldLines(state.ItemTable[i]));
  lines.push_back("</RECOVERY>");
  lines.push_back("</BWF>");
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

TDocumentState StateFromRecovery(const std::string& bytes) {
  TDocumentState state;
  bool settingsRead = false;
  bool stateRead = false;
  for (const TSection& section : RecoverySections(project::SplitLines(bytes))) {
    if (section.Tag == "SETTINGS") {
      state.BannerSettings = SettingsFromFields(section.Values);
      settingsRead = true;
    } else if (section.Tag == "STATE") {
      StateFromFields(section.Values, state);
      stateRead = true;
    } else if (section.Tag == "ITEM") {
      if (state.ItemTable.Full()) throw std::runtime_error("the file holds too many items");
      state.ItemTable.Append() = ItemFromFields(section.Values);
    }
  }
  if (!settingsRead || !stateRead) throw std::runtime_error("the recovery section is incomplete");
  return state;
}

void WriteRecoveryFile(const std::string& path, const std::string& bytes, const TWriteStepHook& hook) {
  const auto step = [&hook](TWriteStep s) {
    if (hook) hook(s);
  };
  CreateFolder(fs::path(path).parent_path().string());
  step(TWriteStep::wsCreate);
  TTemporary temporary(path + ".tmp");
  temporary.fd = ::open(temporary.Path().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (temporary.fd < 0) Fail(errno, path);
  WriteAll(temporary.fd, bytes, path, step);
  step(TWriteStep::wsSync);
  if (::fsync(temporary.fd) != 0) Fail(errno, path);
  step(TWriteStep::wsClose);
  const int closed = ::close(temporary.fd);
  temporary.fd = -1;
  if (closed != 0) Fail(errno, path);
  step(TWriteStep::wsRename);
  if (::rename(temporary.Path().c_str(), path.c_str()) != 0) Fail(errno, path);
  temporary.renamed = true;
  step(TWriteStep::wsSyncFolder);
  SyncFolder(path);
}

bool ProcessRunning(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

std::vector<std::string> OrphanRecoveryFiles(const std::string& folder, const std::function<bool(pid_t)>& running) {
  std::vector<std::pair<fs::file_time_type, std::string>> found;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    const pid_t pid = PidOf(name);
    if (pid == 0 || pid == ::getpid() || running(pid)) continue;
    if (!IsRecoveryFile(name)) {
      fs::remove(entry.path(), error);
      continue;
    }
    found.emplace_back(entry.last_write_time(error), entry.path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  for (auto& [time, path] : found) paths.push_back(std::move(path));
  return paths;
}

bool ClaimRecoveryFile(const std::string& orphan, const std::string& ownPath) {
  return ::rename(orphan.c_str(), ownPath.c_str()) == 0;
}

std::vector<std::string> MissingPictures(const TDocumentState& state) {
  std::vector<std::string> named;
  const document::TBannerSettings& s = state.BannerSettings;
  if (s.BackgroundType == document::TBackgroundType::btImage) named.push_back(s.BackgroundImage);
  for (int i = 1; i <= state.ItemTable.Count(); ++i) {
    const document::TFlashObjects& item = state.ItemTable[i];
    if (item.Deleted) continue;
    if (item.Kind == document::ItemKind::ikImage) named.push_back(item.ImageFileName);
    if (item.Kind == document::ItemKind::ikShape && item.FillType == 2) named.push_back(item.FillImage);
  }
  std::vector<std::string> missing;
  std::set<std::string> seen;
  for (const std::string& path : named) {
    std::error_code error;
    if (path.empty() || fs::exists(path, error) || !seen.insert(path).second) continue;
    missing.push_back(path);
  }
  return missing;
}

}  // namespace tessaly::shell
