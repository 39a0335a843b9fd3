#pragma once
// Whole-file reads and writes with errors that carry the file name and the
// system's reason.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaly::platform {

// A file that cannot be opened, read or written. what() reads
// "<file name>: <reason>".
class TFileError : public std::runtime_error {
 public:
  TFileError(const std::string& fileName, const std::string& reason);
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
};

// Throws TFileError naming fileName with strerror(errorNumber).
[[noreturn]] void ThrowFileError(const std::string& fileName, int errorNumber);

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);

// Replaces any existing file.
void WriteFileBytes(const std::string& fileName, std::span<const std::uint8_t> bytes);

}  // namespace tessaly::platform
