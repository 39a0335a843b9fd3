#include "platform/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>

namespace tessaly::platform {
namespace {

[[noreturn]] void Fail(int error, const std::string& what, const std::string& path) {
  throw std::system_error(error, std::generic_category(), what + " \"" + path + "\"");
}

// Closes the descriptor and removes the temporary file unless released.
class TTemporaryFile {
 public:
  TTemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;
  ~TTemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  // Closes the descriptor; returns 0 or the errno of a failed close.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  void Release() { path_.clear(); }

 private:
  int fd_;
  std::string path_;
};

TTemporaryFile CreateTemporaryBeside(const std::string& path) {
  static std::atomic<unsigned> counter = 0;
  for (int attempt = 0;; ++attempt) {
    const std::string name =
        path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return TTemporaryFile(fd, name);
    if (errno != EEXIST || attempt == 100) Fail(errno, "Cannot write", path);
  }
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail(errno, "Cannot open", path);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      Fail(error, "Cannot read", path);
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

void ReplaceFileContents(const std::string& path, const std::string& bytes) {
  TTemporaryFile file = CreateTemporaryBeside(path);
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) ::fchmod(file.fd(), existing.st_mode & 07777);
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(file.fd(), bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno, "Cannot write", path);
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(file.fd()) != 0) Fail(errno, "Cannot write", path);
  if (const int error = file.Close(); error != 0) Fail(error, "Cannot write", path);
  if (::rename(file.path().c_str(), path.c_str()) != 0) Fail(errno, "Cannot write", path);
  file.Release();
}

}  // namespace tessaly::platform
