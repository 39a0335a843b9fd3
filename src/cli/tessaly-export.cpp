// tessaly-export: exports the banner of a project file (.bwf) without the
// window, as our player draws it: animated GIF, animated WebP, MP4 or WebM
// video, a backup picture, or an HTML5 ad package.
//
//   tessaly-export PROJECT.bwf --gif OUT.gif [options]

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/ProjectFile.h"
#include "cli/ToolInfo.h"
#include "document/BannerDocument.h"
#include "effects/RandomGenerator.h"
#include "effects/unit_OneStepAnim.h"
#include "export/BannerExport.h"
#include "export/BannerMovie.h"
#include "export/VideoEncoder.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"

namespace {

namespace fs = std::filesystem;
using namespace tessaly;
using exports::TExportKind;

constexpr int ExitExported = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;


constexpr const char* Usage =
    "usage: tessaly-export PROJECT.bwf --gif OUT.gif | --webp OUT.webp | --mp4 OUT.mp4 | --webm OUT.webm |\n"
    "                      --png OUT.png [--frame N] | --jpeg OUT.jpg [--frame N] | --html5 OUT.zip\n"
    "                      [--max-kb N] [--loops N] [--dither] [--lossy]\n";

constexpr const char* HelpText =
    "\n"
    "Exports the banner of a Tessaly project file (.bwf) as our player draws it,\n"
    "frame by frame at 35 frames per second: the animated movie when the project\n"
    "chooses an effect, else the one frame.\n"
    "\n"
    "  --gif OUT.gif     animated GIF, colours chosen per frame, only the changed\n"
    "                    part of each frame written.\n"
    "  --webp OUT.webp   animated WebP, lossless (--lossy: lossy, quality 90).\n"
    "  --mp4 OUT.mp4     H.264 video; --webm OUT.webm: VP9 video. An odd width or\n"
    "                    height grows by one pixel.\n"
    "  --png OUT.png     backup picture of frame N (--frame N, default the last);\n"
    "  --jpeg OUT.jpg    the same as JPEG.\n"
    "  --html5 OUT.zip   HTML5 ad package: index.html, banner.webp and banner.gif;\n"
    "                    the whole banner links to the click address, and a\n"
    "                    clickTag from the ad server (index.html?clickTag=... or\n"
    "                    window.clickTag) replaces it.\n"
    "  --max-kb N        GIF, WebP, HTML5: the most the file may weigh, in KB of\n"
    "                    1024 bytes; quality steps down until it fits (GIF:\n"
    "                    fewer colours; WebP: near-lossless, then lossy), else\n"
    "                    nothing is written.\n"
    "  --loops N         GIF, WebP, HTML5: how often the animation plays, 0 for\n"
    "                    forever (default: as the banner plays: forever when it\n"
    "                    loops forever, else once, the movie holding its passes).\n"
    "                    Video: how often the movie plays in a row (default 1).\n"
    "  --dither          GIF: diffuse the quantization error (smoother gradients,\n"
    "                    heavier files).\n"
    "  --lossy           WebP, HTML5: a lossy WebP; by default it is lossless,\n"
    "                    exact and for most banners lighter.\n"
    "  -h, --help        show this text; --version: the version.\n"
    "\n"
    "Picture paths in the project that are not absolute are taken from the\n"
    "project's folder; a picture that is missing is left out with a warning.\n"
    "The file is written to a temporary file that then replaces OUT, so OUT is\n"
    "either the whole new file or left as it was. A file over 150 KB, the common\n"
    "limit of display ads, gets a warning.\n"
    "\n"
    "On success one line on stdout gives the file's path, size in pixels,\n"
    "frames, duration and size in bytes.\n"
    "\n"
    "Exit status: 0 the file was written; 1 the project could not be read or\n"
    "exported, the target weight not reached, or the file not written; 2 wrong\n"
    "arguments.\n";

struct TOptions {
  std::string Project;
  std::string Output;
  std::optional<TExportKind> Kind;
  std::optional<int> Frame;
  std::optional<int> MaxKb;
  std::optional<int> Loops;
  bool Dither = false;
  bool Lossy = false;
  bool Help = false;
  bool Version = false;
};

struct TOutputOption {
  const char* Name;
  TExportKind Kind;
};

constexpr TOutputOption OutputOptions[] = {
    {"--gif", TExportKind::ekGif},   {"--webp", TExportKind::ekWebp}, {"--mp4", TExportKind::ekMp4},
    {"--webm", TExportKind::ekWebm}, {"--png", TExportKind::ekPng},   {"--jpeg", TExportKind::ekJpeg},
    {"--html5", TExportKind::ekHtml5},
};

bool IsAnimation(TExportKind kind) {
  return kind == TExportKind::ekGif || kind == TExportKind::ekWebp || kind == TExportKind::ekHtml5;
}
bool IsVideo(TExportKind kind) { return kind == TExportKind::ekMp4 || kind == TExportKind::ekWebm; }
bool IsPicture(TExportKind kind) { return kind == TExportKind::ekPng || kind == TExportKind::ekJpeg; }

std::optional<int> ParseCount(const std::string& text, int least) {
  try {
    std::size_t used = 0;
    const int value = std::stoi(text, &used);
    if (used == text.size() && value >= least) return value;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

// Why the options do not go together; empty when they do.
std::string CheckCombination(const TOptions& o) {
  if (o.Project.empty()) return "no project given";
  if (!o.Kind) return "no output given (--gif, --webp, --mp4, --webm, --png, --jpeg or --html5)";
  const TExportKind kind = *o.Kind;
  if (o.Frame && !IsPicture(kind)) return "--frame goes with --png or --jpeg";
  if (o.MaxKb && !IsAnimation(kind)) return "--max-kb goes with --gif, --webp or --html5";
  if (o.Loops && IsPicture(kind)) return "--loops does not go with a picture";
  if (o.Loops && IsVideo(kind) && (*o.Loops < 1 || *o.Loops > exports::MaxVideoLoops))
    return "--loops of a video wants 1 to " + std::to_string(exports::MaxVideoLoops);
  if (o.Dither && kind != TExportKind::ekGif && kind != TExportKind::ekHtml5) return "--dither goes with --gif or --html5";
  if (o.Lossy && kind != TExportKind::ekWebp && kind != TExportKind::ekHtml5)
    return "--lossy goes with --webp or --html5";
  return {};
}

// The value of an option that takes a count.
bool TakeCount(const std::vector<std::string>& args, std::size_t& i, int least, std::optional<int>& value) {
  const std::string& name = args[i];
  if (i + 1 == args.size() || !(value = ParseCount(args[i + 1], least))) {
    std::cerr << "tessaly-export: " << name << " wants a whole number from " << least << " on\n";
    return false;
  }
  ++i;
  return true;
}

// nullopt with a message on stderr when the arguments are wrong.
std::optional<TOptions> ParseArguments(const std::vector<std::string>& args) {
  TOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const TOutputOption* output = nullptr;
    for (const TOutputOption& candidate : OutputOptions)
      if (arg == candidate.Name) output = &candidate;
    const cli::TInfoRequest info = cli::InfoRequestOf(arg);
    bool ok = true;
    if (info == cli::TInfoRequest::irHelp) {
      o.Help = true;
    } else if (info == cli::TInfoRequest::irVersion) {
      o.Version = true;
    } else if (output != nullptr) {
      if (o.Kind) {
        std::cerr << "tessaly-export: one output at a time\n";
        return std::nullopt;
      }
      if (i + 1 == args.size() || args[i + 1].empty()) {
        std::cerr << "tessaly-export: " << arg << " needs a file name\n";
        return std::nullopt;
      }
      o.Kind = output->Kind;
      o.Output = args[++i];
    } else if (arg == "--frame") {
      ok = TakeCount(args, i, 1, o.Frame);
    } else if (arg == "--max-kb") {
      ok = TakeCount(args, i, 1, o.MaxKb);
    } else if (arg == "--loops") {
      ok = TakeCount(args, i, 0, o.Loops);
    } else if (arg == "--dither") {
      o.Dither = true;
    } else if (arg == "--lossy") {
      o.Lossy = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "tessaly-export: unknown option " << arg << "\n";
      return std::nullopt;
    } else if (o.Project.empty()) {
      o.Project = arg;
    } else {
      std::cerr << "tessaly-export: more than one project given\n";
      return std::nullopt;
    }
    if (!ok) return std::nullopt;
  }
  if (o.Help || o.Version) return o;
  if (const std::string problem = CheckCombination(o); !problem.empty()) {
    std::cerr << "tessaly-export: " << problem << "\n";
    return std::nullopt;
  }
  return o;
}

exports::TExportOptions ExportOptions(const TOptions& o) {
  exports::TExportOptions options;
  options.Kind = *o.Kind;
  if (o.MaxKb) options.MaxBytes = std::size_t(*o.MaxKb) * 1024;
  if (o.Loops && IsAnimation(*o.Kind)) options.PlayCount = *o.Loops;
  if (o.Loops && IsVideo(*o.Kind)) options.VideoLoops = *o.Loops;
  options.Dither = o.Dither;
  options.LossyWebp = o.Lossy;
  options.Frame = o.Frame.value_or(0);
  return options;
}

// "OUT.gif: 468 x 60, 105 frames, 3.00 s, 45678 bytes".
std::string Summary(const std::string& output, const exports::TExportResult& r) {
  char duration[32];
  std::snprintf(duration, sizeof duration, "%.2f s", r.Seconds);
  return output + ": " + std::to_string(r.Width) + " x " + std::to_string(r.Height) + ", " +
         std::to_string(r.Frames) + (r.Frames == 1 ? " frame, " : " frames, ") + duration + ", " +
         std::to_string(r.Bytes.size()) + " bytes";
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

int Export(const TOptions& o) {
  const fs::path project = fs::absolute(o.Project);
  const fs::path output = fs::absolute(o.Output);
  if (SameFile(project, output)) {
    std::cerr << "tessaly-export: " << o.Output << " would replace the project file\n";
    return ExitFailed;
  }
  document::TBannerDocument doc;
  project::TWarningLoadHost loadHost = cli::ToolLoadHost(std::cerr);
  cli::LoadBannerProject(project, o.Project, doc, loadHost);
  if (doc.BannerSettings.URL == document::ProgramWebPage && IsAnimation(*o.Kind))
    std::cerr << "warning: the click address is still the default " << document::ProgramWebPage << "\n";

  // The program's one random generator, seeded with 0, as tessaly-build:
  // every run of the same project plays the same movie.
  effects::TRandomGenerator random(0);
  effects::TOneStepAnim effectGenerator(random, platform::ProgramFolder());
  const exports::TBannerMovie movie = exports::BuildBannerMovie(doc, &effectGenerator, {}, &loadHost);
  const exports::TExportResult result = exports::ExportBanner(movie, ExportOptions(o));
  if (!result.FitsTarget) {
    std::cerr << "tessaly-export: " << o.Output << " cannot be brought to " << *o.MaxKb
              << " KB: the lightest file weighs " << (result.Bytes.size() + 1023) / 1024 << " KB (" << result.Quality
              << "); nothing was written\n";
    return ExitFailed;
  }
  platform::ReplaceFileContents(output.string(), std::string(result.Bytes.begin(), result.Bytes.end()));
  if (const std::optional<std::string> warning = exports::WeightWarning(result.Bytes.size()))
    std::cerr << "warning: " << o.Output << ": " << *warning << "\n";
  std::cout << Summary(o.Output, result) << "\n";
  return ExitExported;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<TOptions> options = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!options) {
    std::cerr << Usage << "Try tessaly-export --help.\n";
    return ExitUsage;
  }
  if (options->Help) {
    std::cout << Usage << HelpText;
    return ExitExported;
  }
  if (options->Version) {
    std::cout << cli::VersionText("tessaly-export");
    return ExitExported;
  }
  try {
    return Export(*options);
  } catch (const std::exception& e) {
    std::cerr << "tessaly-export: " << e.what() << "\n";
    return ExitFailed;
  }
}
