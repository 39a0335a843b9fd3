// The demo shipped in examples/ is what its generator makes, loads without
// questions and builds.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "cli/DemoBanner.h"
#include "platform/BmpWriter.h"
#include "project/ProjectReader.h"
#include "project/ProjectWriter.h"
#include "support/TestPictures.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

const fs::path Examples = fs::path(TESSALY_SOURCE_DIR) / "examples";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string DemoProjectBytes() {
  return project::ProjectFileBytes(project::ProjectLines(DemoDocument(), DemoMovieName));
}

std::string DemoPictureBytes() {
  const std::vector<std::uint8_t> bmp = platform::EncodeBmp(DemoPicture());
  return {bmp.begin(), bmp.end()};
}

// With TESSALY_UPDATE_DEMO=1 the files are written from the generator
// instead of checked.
TEST(DemoProject, CommittedFilesAreWhatTheGeneratorMakes) {
  const char* update = std::getenv("TESSALY_UPDATE_DEMO");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(Examples / DemoProjectName, std::ios::binary) << DemoProjectBytes();
    std::ofstream(Examples / DemoPictureName, std::ios::binary) << DemoPictureBytes();
  }
  EXPECT_EQ(ReadText(Examples / DemoProjectName), DemoProjectBytes());
  EXPECT_EQ(ReadText(Examples / DemoPictureName), DemoPictureBytes());
}

TEST(DemoProject, LoadsBackAsTheGeneratedBannerWithoutQuestions) {
  const fs::path before = fs::current_path();
  fs::current_path(Examples);
  document::TBannerDocument doc;
  std::ostringstream warnings;
  project::TWarningLoadHost host(warnings);
  const project::TLoadResult result = project::LoadProject(doc, DemoProjectName, {}, host);
  fs::current_path(before);

  ASSERT_TRUE(result.Loaded);
  EXPECT_EQ(warnings.str(), "");
  EXPECT_EQ(result.MovieFileName, DemoMovieName);
  const document::TBannerDocument expected = DemoDocument();
  EXPECT_EQ(doc.BannerSettings, expected.BannerSettings);
  ASSERT_EQ(doc.ItemTable.Count(), expected.ItemTable.Count());
  for (int i = 1; i <= doc.ItemTable.Count(); ++i) {
    SCOPED_TRACE(i);
    const document::TFlashObjects& a = doc.ItemTable[i];
    const document::TFlashObjects& b = expected.ItemTable[i];
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_EQ(a.X, b.X);
    EXPECT_EQ(a.Y, b.Y);
    EXPECT_EQ(a.Text, b.Text);
    EXPECT_EQ(a.ImageFileName, b.ImageFileName);
    EXPECT_EQ(a.ShadowAltitude, b.ShadowAltitude);
  }
  // Carriage return and line feed end every line; the Chinese text is in
  // code page 936.
  const std::string bytes = ReadText(Examples / DemoProjectName);
  EXPECT_EQ(bytes.substr(0, 23), "<BWF>\r\nBWF Version 1.00");
  EXPECT_NE(bytes.find("Text=\xBA\xE1\xB7\xF9"), std::string::npos);  // "横幅"
}

TEST(DemoProject, BuildsFromAnotherFolder) {
  TTempDir temp;
  const std::string out = (temp.Path() / "demo.swf").string();
  const std::string command = "cd / && '" + std::string(TESSALY_BUILD_TOOL) + "' '" +
                              (Examples / DemoProjectName).string() + "' -o '" + out + "' >'" + out +
                              ".out' 2>'" + out + ".err'";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadText(out + ".err");
  EXPECT_EQ(ReadText(out + ".err"), "");
  EXPECT_THAT(ReadText(out + ".out"), ::testing::StartsWith(out + ": SWF version 6, compressed, "));
  EXPECT_TRUE(fs::is_regular_file(out));
}

}  // namespace
}  // namespace tessaly::test
