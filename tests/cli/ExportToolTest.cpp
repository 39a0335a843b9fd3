// tessaly-export run as a program on a project written into a temporary
// folder: every output, its summary line and magic bytes, wrong arguments,
// a target weight out of reach, a file that is no project.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/ToolRun.h"
#include "project/ProjectWriter.h"
#include "support/TestPictures.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;
using ::testing::StartsWith;

// A 468 x 60 banner: one rectangle turning and shrinking at speed 10, a
// pass of 21 frames, looping forever.
document::TBannerDocument TurningBanner() {
  document::TBannerDocument doc;
  doc.BannerSettings.URL = "http://click.example/";
  doc.BannerSettings.AnimationType = 26;
  doc.BannerSettings.AnimationSpeed = 10;
  document::TFlashObjects& box = doc.ItemTable.Append();
  box.Kind = document::ItemKind::ikShape;
  box.ShapeType = document::stRectangle;
  box.X = 10;
  box.Y = 10;
  box.Width = 40;
  box.Height = 30;
  box.Color = 0x0000FF;
  return doc;
}

class ExportTool : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string bytes = project::ProjectFileBytes(project::ProjectLines(TurningBanner(), "turning.swf"));
    std::ofstream(Temp.Path() / "turning.bwf", std::ios::binary) << bytes;
  }
  TToolRun Run(const std::vector<std::string>& args) { return RunTool(TESSALY_EXPORT_TOOL, args, Temp.Path()); }
  std::string Read(const std::string& name) { return ReadText(Temp.Path() / name); }

  TTempDir Temp;
};

TEST_F(ExportTool, WritesEveryFormatWithOneSummaryLine) {
  struct TCase {
    std::vector<std::string> args;
    const char* file;
    const char* summary;  // after "<file>: "
    std::size_t magicAt;
    std::string magic;
  };
  const TCase cases[] = {
      {{"--gif", "b.gif"}, "b.gif", "468 x 60, 21 frames, 0.60 s, [0-9]+ bytes", 0, "GIF89a"},
      {{"--webp", "b.webp", "--loops", "2"}, "b.webp", "468 x 60, 21 frames, 0.60 s, [0-9]+ bytes", 8, "WEBP"},
      {{"--webp", "c.webp", "--lossy"}, "c.webp", "468 x 60, 21 frames, 0.60 s, [0-9]+ bytes", 8, "WEBP"},
      {{"--mp4", "b.mp4", "--loops", "2"}, "b.mp4", "468 x 60, 42 frames, 1.20 s, [0-9]+ bytes", 4, "ftyp"},
      {{"--webm", "b.webm"}, "b.webm", "468 x 60, 21 frames, 0.60 s, [0-9]+ bytes", 0, "\x1A\x45\xDF\xA3"},
      {{"--png", "b.png", "--frame", "3"}, "b.png", "468 x 60, 1 frame, 0.00 s, [0-9]+ bytes", 1, "PNG"},
      {{"--jpeg", "b.jpg"}, "b.jpg", "468 x 60, 1 frame, 0.00 s, [0-9]+ bytes", 0, "\xFF\xD8\xFF"},
      {{"--html5", "b.zip", "--max-kb", "140", "--dither"}, "b.zip", "468 x 60, 21 frames, 0.60 s, [0-9]+ bytes", 0,
       "PK"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<std::string> args = {"turning.bwf"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const TToolRun run = Run(args);
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_THAT(run.Out, MatchesRegex(std::string(c.file) + ": " + c.summary + "\n"));
    EXPECT_THAT(run.Err, IsEmpty());
    const std::string bytes = Read(c.file);
    EXPECT_EQ(bytes.substr(c.magicAt, c.magic.size()), c.magic);
    EXPECT_THAT(run.Out, HasSubstr(std::to_string(bytes.size()) + " bytes"));
  }
}

TEST_F(ExportTool, WrongArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"turning.bwf"},
      {"--gif", "b.gif"},
      {"turning.bwf", "--gif", "b.gif", "--webp", "b.webp"},
      {"turning.bwf", "--gif"},
      {"turning.bwf", "--gif", "b.gif", "--frame", "2"},
      {"turning.bwf", "--png", "b.png", "--frame", "0"},
      {"turning.bwf", "--mp4", "b.mp4", "--max-kb", "100"},
      {"turning.bwf", "--gif", "b.gif", "--max-kb", "x"},
      {"turning.bwf", "--mp4", "b.mp4", "--loops", "0"},
      {"turning.bwf", "--png", "b.png", "--loops", "2"},
      {"turning.bwf", "--webp", "b.webp", "--dither"},
      {"turning.bwf", "--gif", "b.gif", "--lossy"},
      {"turning.bwf", "--gif", "b.gif", "--fast"},
  };
  for (const std::vector<std::string>& args : cases) {
    const TToolRun run = Run(args);
    EXPECT_EQ(run.Exit, 2) << ::testing::PrintToString(args);
    EXPECT_THAT(run.Err, HasSubstr("usage: tessaly-export"));
    EXPECT_THAT(run.Out, IsEmpty());
  }
  EXPECT_FALSE(fs::exists(Temp.Path() / "b.gif"));
}

TEST_F(ExportTool, HelpAndVersion) {
  const TToolRun help = Run({"--help"});
  EXPECT_EQ(help.Exit, 0);
  EXPECT_THAT(help.Out, StartsWith("usage: tessaly-export"));
  EXPECT_THAT(help.Out, HasSubstr("clickTag"));
  const TToolRun version = Run({"--version"});
  EXPECT_EQ(version.Exit, 0);
  EXPECT_THAT(version.Out, StartsWith("tessaly-export "));
}

TEST_F(ExportTool, TargetWeightOutOfReachWritesNothing) {
  std::ofstream(Temp.Path() / "b.gif") << "old";
  const TToolRun run = Run({"turning.bwf", "--gif", "b.gif", "--max-kb", "1"});
  EXPECT_EQ(run.Exit, 1);
  EXPECT_THAT(run.Err, HasSubstr("b.gif cannot be brought to 1 KB: the lightest file weighs"));
  EXPECT_THAT(run.Out, IsEmpty());
  EXPECT_EQ(Read("b.gif"), "old");
}

TEST_F(ExportTool, ProjectThatCannotBeReadFails) {
  std::ofstream(Temp.Path() / "not.bwf") << "hello\r\n";
  const TToolRun notProject = Run({"not.bwf", "--gif", "b.gif"});
  EXPECT_EQ(notProject.Exit, 1);
  EXPECT_THAT(notProject.Err, HasSubstr("not.bwf is not a project file"));
  const TToolRun missing = Run({"missing.bwf", "--gif", "b.gif"});
  EXPECT_EQ(missing.Exit, 1);
  const TToolRun overProject = Run({"turning.bwf", "--gif", "turning.bwf"});
  EXPECT_EQ(overProject.Exit, 1);
  EXPECT_THAT(overProject.Err, HasSubstr("would replace the project file"));
  EXPECT_FALSE(fs::exists(Temp.Path() / "b.gif"));
}

}  // namespace
}  // namespace tessaly::test
