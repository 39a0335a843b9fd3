#pragma once
// Helpers of the publishing tests: a scratch folder, file bytes, and
// recording doubles for the desktop's services.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "publish/DesktopServices.h"

namespace tessaly::publish {

// A fresh folder under the temporary folder, removed with the object.
class TTestFolder {
 public:
  TTestFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "tessaly-publish-XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::system_error(errno, std::generic_category(), name);
    path_ = name;
  }
  ~TTestFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TTestFolder(const TTestFolder&) = delete;
  TTestFolder& operator=(const TTestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

// Makes `folder` the current folder for the object's lifetime.
class TCurrentFolder {
 public:
  explicit TCurrentFolder(const std::filesystem::path& folder)
      : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~TCurrentFolder() {
    std::error_code ec;
    std::filesystem::current_path(saved_, ec);
  }
  TCurrentFolder(const TCurrentFolder&) = delete;
  TCurrentFolder& operator=(const TCurrentFolder&) = delete;

 private:
  std::filesystem::path saved_;
};

// Recording doubles for the desktop's services.
class TRecordingOpener : public TShellOpener {
 public:
  bool Open(const std::string& target) override {
    Opened.push_back(target);
    return true;
  }
  std::vector<std::string> Opened;
};

class TRecordingRunner : public TProcessRunner {
 public:
  void StartDetached(const std::vector<std::string>& argv) override { Started.push_back(argv); }
  std::vector<std::vector<std::string>> Started;
};

}  // namespace tessaly::publish
