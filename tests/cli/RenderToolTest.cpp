// tessaly-render run as a program on a small movie written by our own
// writer: a 10 x 10 red square that steps 10 pixels right in each of four
// frames of a 40 x 30 movie.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/ToolRun.h"
#include "support/TestPictures.h"
#include "swf/FlashObjects.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

TToolRun RunRender(const std::vector<std::string>& args) { return RunTool(TESSALY_RENDER_TOOL, args); }

std::vector<std::uint8_t> SteppingSquareMovie() {
  swf::TFlashMovie movie(0, 0, 40, 30, 12, swf::muPixels);
  swf::TFlashShape* square = movie.AddRectangle(0, 10, 10, 20);
  square->SetSolidFill(0xFF0000FF);  // red, opaque
  movie.PlaceObject(square, 1);
  movie.ShowFrame();
  for (int x = 10; x <= 30; x += 10) {
    swf::TFlashPlaceObject* place = movie.PlaceObject(square, 1);
    place->SetMove(true);
    place->SetTranslate(x, 0);
    movie.ShowFrame();
  }
  movie.WriteObjects();
  swf::TMemoryStream out;
  movie.SaveToStream(out);
  return out.Bytes();
}

class RenderTool : public ::testing::Test {
 protected:
  void SetUp() override { Movie = Folder.Write("square.swf", SteppingSquareMovie()); }

  // Whether the square's red shows at (x, y).
  static bool RedAt(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 0, 0); }

  TTempDir Folder;
  fs::path Movie;
  const std::string Png = (Folder.Path() / "out.png").string();
};

TEST_F(RenderTool, DrawsTheFrameAskedFor) {
  struct TCase {
    std::vector<std::string> options;
    int redX;  // the square's middle column in the 40 x 30 picture
  };
  const TCase cases[] = {
      {{}, 5},
      {{"--frame", "1"}, 5},
      {{"--frame", "3"}, 25},
      {{"--frame", "4"}, 35},
      {{"--frame", "5"}, 5},  // the movie loops as in a browser
      {{"--frame", "6", "--no-loop"}, 35},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> args = {Movie.string(), "-o", Png};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const TToolRun run = RunRender(args);
    ASSERT_EQ(run.Exit, 0) << run.Err;
    QImage image(QString::fromStdString(Png));
    ASSERT_EQ(image.size(), QSize(40, 30));
    for (int x = 5; x < 40; x += 10)
      EXPECT_EQ(RedAt(image, x, 15), x == c.redX) << x << " " << ::testing::PrintToString(c.options);
    EXPECT_FALSE(RedAt(image, c.redX, 5));
    fs::remove(Png);
  }
}

TEST_F(RenderTool, DrawsARangeOfFramesIntoAFolder) {
  const fs::path dir = Folder.Path() / "frames" / "deep";
  const TToolRun run = RunRender({Movie.string(), "--frames", "2-4", "--out-dir", dir.string()});
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_FALSE(fs::exists(dir / "frame-0001.png"));
  EXPECT_FALSE(fs::exists(dir / "frame-0005.png"));
  for (int n = 2; n <= 4; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04d.png", n);
    QImage image(QString::fromStdString((dir / name).string()));
    ASSERT_EQ(image.size(), QSize(40, 30)) << name;
    EXPECT_TRUE(RedAt(image, 10 * n - 5, 15)) << name;
    EXPECT_FALSE(RedAt(image, 10 * n - 15, 15)) << name;
  }
}

TEST_F(RenderTool, ScalesToTheSizeAskedForKeepingTheAspect) {
  struct TCase {
    const char* size;
    QSize expected;
    QPoint red, white;
  };
  const TCase cases[] = {
      {"80x60", {80, 60}, {18, 30}, {22, 30}},   // twice: the square covers 0 .. 20
      {"80x30", {80, 30}, {25, 15}, {15, 15}},   // the height fits: centred, 20 pixels each side
      {"40x90", {40, 90}, {5, 45}, {5, 37}},     // the width fits: centred, 30 pixels above and below
  };
  for (const TCase& c : cases) {
    const TToolRun run = RunRender({Movie.string(), "-o", Png, "--size", c.size});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    QImage image(QString::fromStdString(Png));
    EXPECT_EQ(image.size(), c.expected) << c.size;
    EXPECT_TRUE(RedAt(image, c.red.x(), c.red.y())) << c.size;
    EXPECT_FALSE(RedAt(image, c.white.x(), c.white.y())) << c.size;
  }
}

TEST_F(RenderTool, HelpExplainsTheCommand) {
  for (const char* flag : {"--help", "-h"}) {
    const TToolRun run = RunRender({flag});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_THAT(run.Out, StartsWith("usage: tessaly-render MOVIE.swf -o OUT.png"));
    EXPECT_THAT(run.Out, HasSubstr("--frames A-B"));
    EXPECT_THAT(run.Out, HasSubstr("Exit status"));
    EXPECT_TRUE(run.Err.empty());
  }
  EXPECT_FALSE(fs::exists(Png));
}

TEST_F(RenderTool, WrongArgumentsAreUsageErrors) {
  const std::string m = Movie.string();
  const std::vector<std::vector<std::string>> cases = {
      {},
      {m},
      {"-o", Png},
      {m, "-o"},
      {m, "-o", Png, "--frame", "0"},
      {m, "-o", Png, "--frame", "two"},
      {m, "-o", Png, "--frame", "2x"},
      {m, "--frames", "3-1", "--out-dir", Folder.Path().string()},
      {m, "--frames", "0-2", "--out-dir", Folder.Path().string()},
      {m, "--frames", "1-3"},
      {m, "--frames", "13", "--out-dir", Folder.Path().string()},
      {m, "-o", Png, "--size", "40"},
      {m, "-o", Png, "--size", "0x30"},
      {m, "-o", Png, "--size", "40x-3"},
      {m, "-o", Png, "--size", "16385x10"},
      {m, "-o", Png, "--colour"},
      {m, m, "-o", Png},
  };
  for (const auto& args : cases) {
    const TToolRun run = RunRender(args);
    EXPECT_EQ(run.Exit, 2) << ::testing::PrintToString(args);
    EXPECT_THAT(run.Err, StartsWith("tessaly-render: "));
    EXPECT_THAT(run.Err, HasSubstr("usage: tessaly-render MOVIE.swf"));
  }
  EXPECT_FALSE(fs::exists(Png));
}

TEST_F(RenderTool, AMovieThatCannotBeReadOrAPictureThatCannotBeWrittenFails) {
  const std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0};
  const fs::path garbage = Folder.Write("garbage.swf", gif);
  std::vector<std::uint8_t> head = SteppingSquareMovie();
  head.resize(6);
  const fs::path truncated = Folder.Write("truncated.swf", head);
  struct TCase {
    std::vector<std::string> args;
    const char* message;
  };
  const TCase cases[] = {
      {{(Folder.Path() / "missing.swf").string(), "-o", Png}, "missing.swf"},
      {{Folder.Path().string(), "-o", Png}, ""},  // a folder
      {{garbage.string(), "-o", Png}, ""},
      {{truncated.string(), "-o", Png}, ""},
      {{Movie.string(), "-o", (Folder.Path() / "no" / "such" / "out.png").string()}, "out.png"},
  };
  for (const TCase& c : cases) {
    const TToolRun run = RunRender(c.args);
    EXPECT_EQ(run.Exit, 1) << c.args[0];
    EXPECT_THAT(run.Err, StartsWith("tessaly-render: ")) << c.args[0];
    EXPECT_THAT(run.Err, HasSubstr(c.message));
    EXPECT_THAT(run.Err, Not(HasSubstr("usage:")));
  }
  EXPECT_FALSE(fs::exists(Png));
}

}  // namespace
}  // namespace tessaly::test
