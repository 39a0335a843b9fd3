// tessaly-build run as a program on projects written into temporary folders.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/DemoBanner.h"
#include "cli/SwfSummary.h"
#include "platform/BmpWriter.h"
#include "project/ProjectWriter.h"
#include "cli/ToolRun.h"
#include "support/TestPictures.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;
using ::testing::Not;
using ::testing::StartsWith;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  const std::string text = ReadText(path);
  return {text.begin(), text.end()};
}

// Runs tessaly-build with args in the folder cwd.
TToolRun RunBuild(const fs::path& cwd, const std::vector<std::string>& args) {
  return RunTool(TESSALY_BUILD_TOOL, args, cwd);
}

// A project of a plain banner with one rectangle; the settings are changed
// by the cases.
document::TBannerDocument PlainBanner() {
  document::TBannerDocument doc;
  doc.BannerSettings.URL = "http://click.example/";
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

std::string WriteProject(const fs::path& folder, const std::string& name, const document::TBannerDocument& doc) {
  const std::string bytes = project::ProjectFileBytes(project::ProjectLines(doc, name + ".swf"));
  const fs::path path = folder / (name + ".bwf");
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class BuildTool : public ::testing::Test {
 protected:
  TTempDir Temp;
  const fs::path& Dir() const { return Temp.Path(); }
};

TEST_F(BuildTool, HelpExplainsTheCommand) {
  for (const char* flag : {"--help", "-h"}) {
    const TToolRun run = RunBuild(Dir(), {flag});
    EXPECT_EQ(run.Exit, 0);
    EXPECT_THAT(run.Out, StartsWith("usage: tessaly-build PROJECT.bwf [-o OUT.swf] [--preview]\n"));
    EXPECT_THAT(run.Out, HasSubstr("\".swf\", beside the project"));
    EXPECT_THAT(run.Out, HasSubstr("--preview"));
    EXPECT_THAT(run.Out, HasSubstr("Exit status"));
    EXPECT_THAT(run.Err, IsEmpty());
  }
}

TEST_F(BuildTool, WrongArgumentsExitWithTwoAndTheUsage) {
  struct TCase {
    std::vector<std::string> args;
    const char* message;
  };
  const TCase cases[] = {
      {{}, "no project given"},
      {{"a.bwf", "--fast"}, "unknown option --fast"},
      {{"a.bwf", "-o"}, "-o needs a file name"},
      {{"a.bwf", "b.bwf"}, "more than one project given"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.message);
    const TToolRun run = RunBuild(Dir(), c.args);
    EXPECT_EQ(run.Exit, 2);
    EXPECT_THAT(run.Err, HasSubstr(c.message));
    EXPECT_THAT(run.Err, HasSubstr("usage: tessaly-build"));
    EXPECT_THAT(run.Out, IsEmpty());
  }
}

TEST_F(BuildTool, PublishedBuildWritesTheMovieAndOneLine) {
  struct TCase {
    const char* name;
    bool compress;
    int version;
    const char* expected;
  };
  const TCase cases[] = {
      {"compressed", true, 6, "SWF version 6, compressed, 1 frame, 35 fps"},
      {"uncompressed", false, 5, "SWF version 5, uncompressed, 1 frame, 35 fps"},
      {"compression raises the version", true, 4, "SWF version 6, compressed, 1 frame, 35 fps"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    document::TBannerDocument doc = PlainBanner();
    doc.BannerSettings.Compress = c.compress;
    doc.BannerSettings.FlashVersion = c.version;
    WriteProject(Dir(), "plain", doc);
    const TToolRun run = RunBuild(Dir(), {"plain.bwf", "-o", "out.swf"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_THAT(run.Err, IsEmpty());
    const std::vector<std::uint8_t> movie = ReadBytes(Dir() / "out.swf");
    EXPECT_EQ(run.Out, "out.swf: " + std::string(c.expected) + ", " + std::to_string(movie.size()) + " bytes\n");
    const cli::TSwfSummary summary = cli::ReadSwfSummary(movie);
    EXPECT_EQ(summary.Compressed, c.compress);
    EXPECT_EQ(movie[0], c.compress ? 'C' : 'F');
  }
}

TEST_F(BuildTool, DefaultOutputIsTheProjectNameBesideTheProject) {
  fs::create_directory(Dir() / "work");
  WriteProject(Dir() / "work", "banner", PlainBanner());
  const TToolRun run = RunBuild(Dir(), {"work/banner.bwf"});
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_THAT(run.Out, StartsWith("work/banner.swf: SWF version 6, compressed, 1 frame"));
  EXPECT_TRUE(fs::is_regular_file(Dir() / "work" / "banner.swf"));
}

TEST_F(BuildTool, PreviewIsOneDraggableFramePublishedOpensTheAddress) {
  document::TBannerDocument doc = PlainBanner();
  doc.BannerSettings.Compress = false;
  doc.BannerSettings.AnimationType = 7;  // "淡入"
  doc.BannerSettings.AnimationLoop = 2;
  WriteProject(Dir(), "anim", doc);

  const TToolRun published = RunBuild(Dir(), {"anim.bwf", "-o", "published.swf"});
  const TToolRun preview = RunBuild(Dir(), {"anim.bwf", "-o", "preview.swf", "--preview"});
  ASSERT_EQ(published.Exit, 0) << published.Err;
  ASSERT_EQ(preview.Exit, 0) << preview.Err;
  const cli::TSwfSummary p = cli::ReadSwfSummary(ReadBytes(Dir() / "published.swf"));
  const cli::TSwfSummary e = cli::ReadSwfSummary(ReadBytes(Dir() / "preview.swf"));
  EXPECT_EQ(e.FrameCount, 1);
  // Two passes of the effect and the closing frame with its Stop action.
  EXPECT_GT(p.FrameCount, 40);
  EXPECT_THAT(preview.Out, StartsWith("preview.swf: SWF version 6, uncompressed, 1 frame, 35 fps"));

  const std::string publishedText = ReadText(Dir() / "published.swf");
  const std::string previewText = ReadText(Dir() / "preview.swf");
  EXPECT_THAT(publishedText, HasSubstr("http://click.example/"));
  EXPECT_THAT(previewText, Not(HasSubstr("http://click.example/")));
  EXPECT_THAT(previewText, HasSubstr("CurrentObj"));
}

TEST_F(BuildTool, AnimationBeyondTheFrameLimitIsRefused) {
  document::TBannerDocument doc = PlainBanner();
  doc.BannerSettings.AnimationType = 5;  // "扩展后收缩", ten frames a step
  doc.BannerSettings.AnimationSpeed = 1;
  doc.BannerSettings.AnimationLoop = 99;
  WriteProject(Dir(), "long", doc);
  const TToolRun run = RunBuild(Dir(), {"long.bwf", "-o", "out.swf"});
  EXPECT_EQ(run.Exit, 1);
  EXPECT_THAT(run.Err, HasSubstr("65535"));
  EXPECT_FALSE(fs::exists(Dir() / "out.swf"));
  // The editing preview is one frame and is still built.
  EXPECT_EQ(RunBuild(Dir(), {"long.bwf", "-o", "out.swf", "--preview"}).Exit, 0);
}

TEST_F(BuildTool, UnknownEffectNumberBuildsTheOneFrameMovieWithAWarning) {
  for (int type : {31, -2}) {
    document::TBannerDocument doc = PlainBanner();
    doc.BannerSettings.AnimationType = type;
    doc.BannerSettings.AnimationLoop = 3;
    WriteProject(Dir(), "odd", doc);
    const TToolRun run = RunBuild(Dir(), {"odd.bwf", "-o", "out.swf"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Err, "warning: the effect number " + std::to_string(type) +
                           " is unknown; the one-frame movie is built\n");
    EXPECT_EQ(cli::ReadSwfSummary(ReadBytes(Dir() / "out.swf")).FrameCount, 1);
  }
}

TEST_F(BuildTool, BannerLargerThanAMovieShowsFailsWithoutOutput) {
  document::TBannerDocument doc = PlainBanner();
  doc.BannerSettings.BannerWidth = 60000000;
  doc.BannerSettings.BannerHeight = 60000000;
  WriteProject(Dir(), "huge", doc);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"huge.bwf", "-o", "out.swf"},
                                                std::vector<std::string>{"huge.bwf", "-o", "out.swf", "--preview"}}) {
    const TToolRun run = RunBuild(Dir(), args);
    EXPECT_EQ(run.Exit, 1);
    EXPECT_THAT(run.Err, HasSubstr("8191"));
    EXPECT_THAT(run.Out, IsEmpty());
    EXPECT_FALSE(fs::exists(Dir() / "out.swf"));
  }
}

TEST_F(BuildTool, ProjectValuesTheBuildHadToChangeAreWarnedAbout) {
  document::TBannerDocument doc = PlainBanner();
  doc.BannerSettings.FlashVersion = 300;
  doc.BannerSettings.Compress = false;
  doc.BannerSettings.URL = std::string("http://click.example/\0junk", 26);
  WriteProject(Dir(), "odd", doc);
  const TToolRun run = RunBuild(Dir(), {"odd.bwf", "-o", "out.swf"});
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_EQ(run.Err,
            "warning: Flash 版本 300 无效, 使用版本 6.\n"
            "warning: 网址在第 22 个字节处含有空字符, 其后的文字已删去.\n");
  EXPECT_EQ(cli::ReadSwfSummary(ReadBytes(Dir() / "out.swf")).Version, 6);
}

TEST_F(BuildTool, DefaultClickAddressIsWarnedAbout) {
  document::TBannerDocument doc = PlainBanner();
  doc.BannerSettings.URL = std::string(document::ProgramWebPage);
  WriteProject(Dir(), "plain", doc);
  const TToolRun run = RunBuild(Dir(), {"plain.bwf"});
  EXPECT_EQ(run.Exit, 0);
  EXPECT_EQ(run.Err, "warning: the click address is still the default " + std::string(document::ProgramWebPage) + "\n");
}

TEST_F(BuildTool, MissingOrInvalidProjectFailsWithoutOutput) {
  std::ofstream(Dir() / "notes.bwf") << "just some notes\r\nabout a banner\r\n";
  std::ofstream(Dir() / "short.bwf") << "<BWF>\r\n";
  fs::create_directory(Dir() / "folder.bwf");
  struct TCase {
    const char* project;
    std::string message;
  };
  const TCase cases[] = {
      {"gone.bwf", "No such file or directory"},
      {"notes.bwf", "tessaly-build: notes.bwf is not a project file\n"},
      {"short.bwf", "tessaly-build: short.bwf is not a project file\n"},
      {"folder.bwf", "tessaly-build: folder.bwf is not a project file\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.project);
    const TToolRun run = RunBuild(Dir(), {c.project, "-o", "out.swf"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_THAT(run.Err, HasSubstr(c.message));
    EXPECT_THAT(run.Err, HasSubstr(c.project));
    EXPECT_THAT(run.Out, IsEmpty());
    EXPECT_FALSE(fs::exists(Dir() / "out.swf"));
  }
}

TEST_F(BuildTool, UnwritableOutputFailsAndLeavesNoPartialFile) {
  WriteProject(Dir(), "plain", PlainBanner());
  std::ofstream(Dir() / "plain.txt") << "a file, not a folder";
  fs::create_directory(Dir() / "taken.swf");
  const std::vector<std::string> before = FilesIn(Dir());
  for (const char* output : {"missing/out.swf", "plain.txt/out.swf", "taken.swf"}) {
    SCOPED_TRACE(output);
    const TToolRun run = RunBuild(Dir(), {"plain.bwf", "-o", output});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_THAT(run.Err, StartsWith("tessaly-build: "));
    EXPECT_THAT(run.Err, HasSubstr(output));
    EXPECT_THAT(run.Out, IsEmpty());
    EXPECT_EQ(FilesIn(Dir()), before);
    EXPECT_TRUE(fs::is_empty(Dir() / "taken.swf"));
  }
}

TEST_F(BuildTool, OutputNeverReplacesTheProject) {
  const std::string project = WriteProject(Dir(), "plain", PlainBanner());
  const std::string bytes = ReadText(project);
  const TToolRun run = RunBuild(Dir(), {"plain.bwf", "-o", "./plain.bwf"});
  EXPECT_EQ(run.Exit, 1);
  EXPECT_THAT(run.Err, HasSubstr("would replace the project file"));
  EXPECT_EQ(ReadText(project), bytes);
}

TEST_F(BuildTool, PicturesAreFoundBesideTheProject) {
  fs::create_directory(Dir() / "project");
  const std::vector<std::uint8_t> bmp = platform::EncodeBmp(DemoPicture());
  Temp.Write("project/pic.bmp", bmp);
  document::TBannerDocument doc = PlainBanner();
  document::TFlashObjects& picture = doc.ItemTable.Append();
  picture.Kind = document::ItemKind::ikImage;
  picture.ImageFileName = "pic.bmp";
  picture.Width = 48;
  picture.Height = 48;
  WriteProject(Dir() / "project", "pictured", doc);

  const TToolRun run = RunBuild(Dir(), {"project/pictured.bwf", "-o", "out.swf"});
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_THAT(run.Err, IsEmpty());
  EXPECT_THAT(run.Out, StartsWith("out.swf: SWF version 6"));
  // The lossless bitmap is much larger than the plain banner.
  EXPECT_GT(ReadBytes(Dir() / "out.swf").size(), 1000u);
}

TEST_F(BuildTool, PictureProblems) {
  std::ofstream(Dir() / "broken.bmp") << "BM but nothing that makes a picture";
  struct TCase {
    const char* picture;
    int exit;
    const char* message;
  };
  const TCase cases[] = {
      // The loader asks whether to look for a missing picture, is answered
      // No and leaves the item out.
      {"lost.bmp", 0, "warning: 指定文件 lost.bmp 不存在.你想要查找它吗? No\n"},
      {"broken.bmp", 1, "broken.bmp"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.picture);
    document::TBannerDocument doc = PlainBanner();
    document::TFlashObjects& picture = doc.ItemTable.Append();
    picture.Kind = document::ItemKind::ikImage;
    picture.ImageFileName = c.picture;
    picture.Width = 20;
    picture.Height = 20;
    WriteProject(Dir(), "pictured", doc);
    fs::remove(Dir() / "out.swf");
    const TToolRun run = RunBuild(Dir(), {"pictured.bwf", "-o", "out.swf"});
    EXPECT_EQ(run.Exit, c.exit);
    EXPECT_THAT(run.Err, HasSubstr(c.message));
    EXPECT_EQ(fs::exists(Dir() / "out.swf"), c.exit == 0);
  }
}

}  // namespace
}  // namespace tessaly::test
