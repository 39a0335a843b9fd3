#include "publish/AnsiLines.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/CodePage.h"

namespace tessaly::publish {
namespace {

[[noreturn]] void ThrowFileError(int error, const std::filesystem::path& file) {
  throw std::system_error(error, std::generic_category(), file.string());
}

// Closes the descriptor and removes the half-written file unless released.
class TTempFile {
 public:
  explicit TTempFile(const std::filesystem::path& target)
      : name_(target.string() + ".XXXXXX"), target_(target) {
    fd_ = mkstemp(name_.data());
    if (fd_ < 0) ThrowFileError(errno, target_);
  }
  ~TTempFile() {
    if (fd_ >= 0) close(fd_);
    if (!renamed_) unlink(name_.c_str());
  }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;

  void Write(std::string_view bytes) {
    while (!bytes.empty()) {
      ssize_t n = write(fd_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        ThrowFileError(errno, target_);
      }
      bytes.remove_prefix(static_cast<size_t>(n));
    }
  }

  void Commit(mode_t mode) {
    if (fchmod(fd_, mode) != 0) ThrowFileError(errno, target_);
    if (fsync(fd_) != 0) ThrowFileError(errno, target_);
    int rc = close(fd_);
    fd_ = -1;
    if (rc != 0) ThrowFileError(errno, target_);
    if (rename(name_.c_str(), target_.c_str()) != 0) ThrowFileError(errno, target_);
    renamed_ = true;
  }

 private:
  std::string name_;
  std::filesystem::path target_;
  int fd_ = -1;
  bool renamed_ = false;
};

}  // namespace

void SaveAnsiLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                   mode_t mode) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  TTempFile temp(file);
  temp.Write(platform::Utf8ToAnsi(text));
  temp.Commit(mode);
}

std::vector<std::string> LoadAnsiLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) ThrowFileError(errno ? errno : ENOENT, file);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) ThrowFileError(errno ? errno : EIO, file);
  return SplitLines(platform::AnsiToUtf8(bytes));
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace tessaly::publish
