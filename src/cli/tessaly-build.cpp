// tessaly-build: builds the movie of a project file (.bwf) without the
// window, as the Save command builds it.
//
//   tessaly-build PROJECT.bwf [-o OUT.swf] [--preview]

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/ProjectFile.h"
#include "cli/SwfSummary.h"
#include "cli/ToolInfo.h"
#include "document/BannerDocument.h"
#include "document/BuildPipeline.h"
#include "effects/RandomGenerator.h"
#include "effects/unit_OneStepAnim.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"

namespace {

namespace fs = std::filesystem;
using namespace tessaly;

constexpr int ExitBuilt = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

constexpr const char* Usage = "usage: tessaly-build PROJECT.bwf [-o OUT.swf] [--preview]\n";

constexpr const char* HelpText =
    "\n"
    "Builds the banner movie of a Tessaly project file (.bwf) the way the Save\n"
    "command does: the animated movie when the project chooses an effect, else\n"
    "the one-frame movie, in the published form in which every item opens the\n"
    "banner's click address.\n"
    "\n"
    "  -o OUT.swf   where to write the movie. Default: the project's name with\n"
    "               \".swf\", beside the project (examples/demo.bwf gives\n"
    "               examples/demo.swf).\n"
    "  --preview    write the editing preview instead: one frame, the items\n"
    "               draggable as in the program's preview.\n"
    "  -h, --help   show this text.\n"
    "  --version    show the program's version.\n"
    "\n"
    "Picture paths in the project that are not absolute are taken from the\n"
    "project's folder. Questions that loading raises (a picture that is missing)\n"
    "are answered No and printed as \"warning: ...\" lines on stderr. The movie\n"
    "is written to a temporary file that then replaces OUT.swf, so OUT.swf is\n"
    "either the whole new movie or left as it was.\n"
    "\n"
    "On success one line on stdout gives the movie's path, SWF version,\n"
    "compression, frame count, frame rate and size in bytes.\n"
    "\n"
    "Exit status: 0 the movie was written; 1 the project could not be read or\n"
    "built, or the movie not written; 2 wrong arguments.\n";

struct TOptions {
  std::string Project;
  std::string Output;
  bool Preview = false;
  cli::TInfoRequest Info = cli::TInfoRequest::irNone;
};

// nullopt with a message on stderr when the arguments are wrong.
std::optional<TOptions> ParseArguments(const std::vector<std::string>& args) {
  TOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (const cli::TInfoRequest info = cli::InfoRequestOf(arg); info != cli::TInfoRequest::irNone) {
      options.Info = info;
    } else if (arg == "--preview") {
      options.Preview = true;
    } else if (arg == "-o") {
      if (i + 1 == args.size() || args[i + 1].empty()) {
        std::cerr << "tessaly-build: -o needs a file name\n";
        return std::nullopt;
      }
      options.Output = args[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "tessaly-build: unknown option " << arg << "\n";
      return std::nullopt;
    } else if (options.Project.empty()) {
      options.Project = arg;
    } else {
      std::cerr << "tessaly-build: more than one project given\n";
      return std::nullopt;
    }
  }
  if (options.Info == cli::TInfoRequest::irNone && options.Project.empty()) {
    std::cerr << "tessaly-build: no project given\n";
    return std::nullopt;
  }
  return options;
}

// The project's path with the extension ".swf".
std::string DefaultOutput(const std::string& project) { return fs::path(project).replace_extension(".swf").string(); }

// The preview host of a build without a window: it keeps the bytes of the
// movie it is given.
class TKeepingHost : public document::TPreviewHost {
 public:
  void SetSize(std::int32_t Width, std::int32_t Height) override {
    width_ = Width;
    height_ = Height;
  }
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  void Stop() override {}
  void LoadMovie(std::span<const std::uint8_t> Bytes) override { bytes_.assign(Bytes.begin(), Bytes.end()); }
  void Play() override {}
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint8_t> bytes_;
};

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

int Build(const TOptions& options) {
  const std::string shownOutput = options.Output.empty() ? DefaultOutput(options.Project) : options.Output;
  const fs::path project = fs::absolute(options.Project);
  const fs::path output = fs::absolute(shownOutput);
  if (SameFile(project, output)) {
    std::cerr << "tessaly-build: the movie " << shownOutput << " would replace the project file\n";
    return ExitFailed;
  }

  document::TBannerDocument doc;
  project::TWarningLoadHost loadHost = cli::ToolLoadHost(std::cerr);
  try {
    cli::LoadBannerProject(project, options.Project, doc, loadHost);
  } catch (const cli::TProjectError& e) {
    std::cerr << "tessaly-build: " << e.what() << "\n";
    return ExitFailed;
  }
  if (!options.Preview && doc.BannerSettings.URL == document::ProgramWebPage)
    std::cerr << "warning: the click address is still the default " << document::ProgramWebPage << "\n";
  if (!document::IsKnownAnimationType(doc.BannerSettings.AnimationType))
    std::cerr << "warning: the effect number " << doc.BannerSettings.AnimationType
              << " is unknown; the one-frame movie is built\n";

  // The program's one random generator, seeded with 0: every run of the
  // same project gives the same movie.
  effects::TRandomGenerator random(0);
  effects::TOneStepAnim effectGenerator(random, platform::ProgramFolder());
  TKeepingHost host;
  document::TBuildPipeline pipeline(doc, host, &effectGenerator);
  pipeline.SetWarningSink(&loadHost);
  if (options.Preview) {
    doc.PreviewEnabled = true;
    pipeline.BuildPreviewMovie();
    platform::ReplaceFileContents(output.string(), std::string(host.Bytes().begin(), host.Bytes().end()));
  } else {
    pipeline.BuildMovie(output.string());
  }
  std::cout << shownOutput << ": " << cli::DescribeSwf(cli::ReadSwfSummary(host.Bytes())) << "\n";
  return ExitBuilt;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<TOptions> options = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!options) {
    std::cerr << Usage << "Try tessaly-build --help.\n";
    return ExitUsage;
  }
  if (options->Info == cli::TInfoRequest::irHelp) {
    std::cout << Usage << HelpText;
    return ExitBuilt;
  }
  if (options->Info == cli::TInfoRequest::irVersion) {
    std::cout << cli::VersionText("tessaly-build");
    return ExitBuilt;
  }
  try {
    return Build(*options);
  } catch (const std::exception& e) {
    std::cerr << "tessaly-build: " << e.what() << "\n";
    return ExitFailed;
  }
}
