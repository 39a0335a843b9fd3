// Project reader: any bytes either load or are refused, without reading
// past the end of the file. What loads is written again, and that project
// reads back to the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "project/ProjectReader.h"
#include "project/ProjectWriter.h"

namespace {

using namespace tessaly;

// Answers taken from the first byte: look for missing pictures or not, find one (the running program, a file that
// always exists) or not, a built-in background list or none.
class TFuzzLoadHost : public project::TProjectLoadHost {
 public:
  explicit TFuzzLoadHost(std::uint8_t answers) : answers_(answers) {}
  void Warn(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return answers_ & 2; }
  std::string ChoosePicture() override { return answers_ & 4 ? "/proc/self/exe" : "/no/such/picture.gif"; }
  void ShowMessage(const std::string&) override {}
  std::string BuiltInBackground(const std::string& name) override {
    return answers_ & 8 ? "/proc/self/" + name : std::string();
  }
  std::int32_t ChooseGifFrame(const std::string&) override { return answers_ >> 4; }

 private:
  std::uint8_t answers_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TFuzzLoadHost host(data[0]);
  const project::TProjectReadContext context;
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  document::TBannerDocument doc;
  const project::TLoadResult first = project::LoadProjectBytes(doc, bytes, context, host);
  if (!first.Loaded) return 0;

  const std::vector<std::string> lines = project::ProjectLines(doc, first.MovieFileName);
  document::TBannerDocument again;
  const project::TLoadResult second =
      project::LoadProjectBytes(again, project::ProjectFileBytes(lines), context, host);
  if (!second.Loaded || second.MovieFileName != first.MovieFileName ||
      project::ProjectLines(again, second.MovieFileName) != lines)
    std::abort();
  return 0;
}
