#include "platform/ProgramFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace tessaly::platform {
namespace {

namespace fs = std::filesystem;

struct TLayout {
  TLayout() { fs::create_directories(Root); }
  ~TLayout() { fs::remove_all(Root); }
  fs::path Executable(const fs::path& folder) {
    fs::create_directories(Root / folder);
    std::ofstream(Root / folder / "tessaly") << "#!";
    return Root / folder / "tessaly";
  }
  fs::path Root = fs::temp_directory_path() / ("tessaly-program-folder-" + std::to_string(::getpid()));
};

TEST(ProgramFolder, InstalledExecutableFindsShareTessalyElseItsOwnFolder) {
  TLayout layout;
  const std::string root = layout.Root.string();
  // An installed program: prefix/bin/tessaly beside prefix/share/tessaly/.
  fs::create_directories(layout.Root / "usr/share/tessaly");
  EXPECT_EQ(ProgramFolderOf(layout.Executable("usr/bin")), root + "/usr/share/tessaly/");
  // A built one: build/bin/ holds the copied assets, no share/ beside it.
  EXPECT_EQ(ProgramFolderOf(layout.Executable("build/bin")), root + "/build/bin/");
  // share/ without tessaly/ in it is no installation.
  fs::create_directories(layout.Root / "opt/share/other");
  EXPECT_EQ(ProgramFolderOf(layout.Executable("opt/bin")), root + "/opt/bin/");
}

TEST(ProgramFolder, RunningExecutableIsFoundThroughProc) {
  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(fs::exists(folder + "test_platform")) << folder;
}

}  // namespace
}  // namespace tessaly::platform
