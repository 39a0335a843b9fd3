// tessaly-render: draws frames of an SWF movie to PNG files with the
// player's own renderer, without a window.
//
//   tessaly-render MOVIE.swf -o OUT.png [--frame N] [--size WxH] [--no-loop]
//   tessaly-render MOVIE.swf --frames A-B --out-dir DIR [--size WxH] [--no-loop]
//
// Frame N is the picture after N frames of the main timeline (sprites
// advance with it); frames count from 1. The movie loops as in a browser
// unless --no-loop is given.

#include "cli/ToolInfo.h"
#include "player/FlashPlayer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using tessaly::player::TFlashPlayer;

constexpr const char* kUsage =
    "usage: tessaly-render MOVIE.swf -o OUT.png [--frame N] [--size WxH] [--no-loop]\n"
    "       tessaly-render MOVIE.swf --frames A-B --out-dir DIR [--size WxH] [--no-loop]\n";

constexpr const char* kHelpText =
    "\n"
    "Draws frames of an SWF movie to PNG pictures with Tessaly's own player,\n"
    "without a window or a display.\n"
    "\n"
    "  -o OUT.png        the picture of one frame.\n"
    "  --frame N         which frame: the picture after N frames of the main\n"
    "                    timeline, from 1 on (sprites move with it). Default: 1.\n"
    "  --frames A-B      frames A to B, written as DIR/frame-NNNN.png.\n"
    "  --out-dir DIR     the folder of --frames; it is created when missing.\n"
    "  --size WxH        the picture's size in pixels, each from 1 to 16384; the\n"
    "                    movie is scaled to fit and centred. Default: the movie's.\n"
    "  --no-loop         stop at the last frame instead of starting again as a\n"
    "                    browser does.\n"
    "  -h, --help        show this text.\n"
    "  --version         show the program's version.\n"
    "\n"
    "Warnings about the movie go to stderr.\n"
    "\n"
    "Exit status: 0 the pictures were written; 1 the movie could not be read or\n"
    "a picture not written; 2 wrong arguments.\n";

struct TOptions {
  std::string movie;
  std::string output;
  std::string outDir;
  int first = 1, last = 1;
  int width = 0, height = 0;
  bool loop = true;
  tessaly::cli::TInfoRequest info = tessaly::cli::TInfoRequest::irNone;
};

bool ParseInt(const std::string& text, int& value) {
  try {
    size_t used = 0;
    value = std::stoi(text, &used);
    return used == text.size() && value > 0;
  } catch (const std::exception&) {
    return false;
  }
}

bool ParsePair(const std::string& text, char separator, int& a, int& b) {
  const size_t at = text.find(separator);
  return at != std::string::npos && ParseInt(text.substr(0, at), a) && ParseInt(text.substr(at + 1), b);
}

bool ParseArguments(int argc, char** argv, TOptions& o, std::string& error) {
  bool haveFrames = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto next = [&](std::string& value) {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      value = argv[++i];
      return true;
    };
    std::string value;
    if (const tessaly::cli::TInfoRequest info = tessaly::cli::InfoRequestOf(arg);
        info != tessaly::cli::TInfoRequest::irNone) {
      o.info = info;
      return true;
    } else if (arg == "-o") {
      if (!next(o.output)) return false;
    } else if (arg == "--out-dir") {
      if (!next(o.outDir)) return false;
    } else if (arg == "--frame") {
      if (!next(value)) return false;
      if (!ParseInt(value, o.first)) {
        error = "--frame wants a frame number from 1 on";
        return false;
      }
      o.last = o.first;
    } else if (arg == "--frames") {
      if (!next(value)) return false;
      if (!ParsePair(value, '-', o.first, o.last) || o.last < o.first) {
        error = "--frames wants A-B with 1 <= A <= B";
        return false;
      }
      haveFrames = true;
    } else if (arg == "--size") {
      if (!next(value)) return false;
      if (!ParsePair(value, 'x', o.width, o.height) || o.width > 16384 || o.height > 16384) {
        error = "--size wants WxH, each from 1 to 16384";
        return false;
      }
    } else if (arg == "--no-loop") {
      o.loop = false;
    } else if (!arg.empty() && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else if (o.movie.empty()) {
      o.movie = arg;
    } else {
      error = "more than one movie given";
      return false;
    }
  }
  if (o.movie.empty()) {
    error = "no movie given";
    return false;
  }
  if (haveFrames ? o.outDir.empty() : o.output.empty()) {
    error = haveFrames ? "--frames needs --out-dir" : "-o OUT.png is missing";
    return false;
  }
  return true;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": " + std::strerror(errno));
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  TOptions o;
  std::string error;
  if (!ParseArguments(argc, argv, o, error)) {
    std::cerr << "tessaly-render: " << error << "\n" << kUsage;
    return 2;
  }
  if (o.info == tessaly::cli::TInfoRequest::irHelp) {
    std::cout << kUsage << kHelpText;
    return 0;
  }
  if (o.info == tessaly::cli::TInfoRequest::irVersion) {
    std::cout << tessaly::cli::VersionText("tessaly-render");
    return 0;
  }
  try {
    TFlashPlayer player;
    player.SetLoop(o.loop);
    player.LoadMovie(ReadFile(o.movie));
    for (const std::string& w : player.Warnings()) std::cerr << "tessaly-render: warning: " << w << "\n";
    const int width = o.width > 0 ? o.width : std::max(1, player.Width());
    const int height = o.height > 0 ? o.height : std::max(1, player.Height());
    if (!o.outDir.empty()) std::filesystem::create_directories(o.outDir);
    int frame = 1;
    for (int n = o.first; n <= o.last; ++n) {
      for (; frame < n; ++frame) player.Tick();
      std::string path = o.output;
      if (!o.outDir.empty()) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%04d.png", n);
        path = (std::filesystem::path(o.outDir) / name).string();
      }
      if (!player.RenderImage(width, height).convertToFormat(QImage::Format_RGB32).save(
              QString::fromStdString(path), "PNG"))
        throw std::runtime_error(path + ": the PNG file could not be written");
    }
  } catch (const std::exception& e) {
    std::cerr << "tessaly-render: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
