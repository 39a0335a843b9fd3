#include "platform/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tessaly::platform {
namespace {

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

}  // namespace

TFileError::TFileError(const std::string& fileName, const std::string& reason)
    : std::runtime_error(fileName + ": " + reason), fileName_(fileName) {}

void ThrowFileError(const std::string& fileName, int errorNumber) {
  throw TFileError(fileName, std::strerror(errorNumber));
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName) {
  TFilePtr file(std::fopen(fileName.c_str(), "rb"));
  if (!file) ThrowFileError(fileName, errno);
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  for (;;) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.insert(bytes.end(), buffer, buffer + n);
    if (n < sizeof buffer) break;
  }
  if (std::ferror(file.get())) ThrowFileError(fileName, errno != 0 ? errno : EIO);
  return bytes;
}

void WriteFileBytes(const std::string& fileName, std::span<const std::uint8_t> bytes) {
  TFilePtr file(std::fopen(fileName.c_str(), "wb"));
  if (!file) ThrowFileError(fileName, errno);
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
    ThrowFileError(fileName, errno != 0 ? errno : EIO);
  if (std::fclose(file.release()) != 0) ThrowFileError(fileName, errno);
}

}  // namespace tessaly::platform
