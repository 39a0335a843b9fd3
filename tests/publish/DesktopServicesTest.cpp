#include "publish/DesktopServices.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace tessaly::publish {
namespace {

TEST(FindOnPath, FirstExecutableFileInTheSearchPath) {
  TTestFolder temp;
  for (const char* dir : {"a", "b", "c"}) std::filesystem::create_directories(temp / dir);
  WriteBytes(temp / "a" / "tool", "x");  // not executable
  std::filesystem::create_directories(temp / "b" / "tool");  // a folder
  WriteBytes(temp / "c" / "tool", "#!/bin/sh\n");
  chmod((temp / "c" / "tool").c_str(), 0755);
  const std::string path =
      (temp / "a").string() + ":" + (temp / "b").string() + "::" + (temp / "c").string();

  EXPECT_EQ(FindOnPath("tool", path), temp / "c" / "tool");
  EXPECT_EQ(FindOnPath("other", path), std::nullopt);
  EXPECT_EQ(FindOnPath("c/tool", temp.Path().string()), std::nullopt);
  EXPECT_EQ(FindOnPath("", path), std::nullopt);
}

TEST(DetachedProcess, ArgumentsReachTheProgramUnchanged) {
  TTestFolder temp;
  const std::filesystem::path target = temp / "a b \"c\" $(echo x) 横幅;*.txt";
  std::optional<std::filesystem::path> touch = FindOnPath("touch", "/usr/bin:/bin");
  ASSERT_TRUE(touch);
  TDetachedProcessRunner runner;
  runner.StartDetached({touch->string(), target.string()});
  for (int i = 0; i < 200 && !std::filesystem::exists(target); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(std::filesystem::exists(target));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(DesktopFolders, ConfigFolderFollowsXdgConfigHome) {
  const char* oldXdg = getenv("XDG_CONFIG_HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "";
  const char* oldHome = getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";

  setenv("XDG_CONFIG_HOME", "/cfg/home", 1);
  EXPECT_EQ(DefaultConfigFolder(), "/cfg/home/Tessaly");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  setenv("HOME", "/home/ann", 1);
  EXPECT_EQ(DefaultConfigFolder(), "/home/ann/.config/Tessaly");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(DefaultConfigFolder(), "/home/ann/.config/Tessaly");

  if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  if (oldHome) setenv("HOME", savedHome.c_str(), 1);
  if (!oldHome) unsetenv("HOME");
  EXPECT_FALSE(SystemTempFolder().empty());
}

mode_t Permissions(const std::filesystem::path& path) {
  struct stat info {};
  EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(DesktopFolders, TempFolderIsTheUsersOwnInsideTheSystemsOne) {
  TTestFolder temp;
  const char* oldTmpdir = getenv("TMPDIR");
  const std::string savedTmpdir = oldTmpdir ? oldTmpdir : "";
  setenv("TMPDIR", temp.Path().c_str(), 1);
  const std::filesystem::path mine = temp / ("tessaly-" + std::to_string(getuid()));
  const mode_t oldMask = umask(0);

  EXPECT_EQ(TempFolder(), mine);
  EXPECT_TRUE(std::filesystem::is_directory(mine));
  EXPECT_EQ(Permissions(mine), 0700u);
  WriteBytes(mine / "temp3.html", "kept");
  chmod(mine.c_str(), 0777);
  EXPECT_EQ(TempFolder(), mine);  // an existing folder is reused, closed to others
  EXPECT_EQ(Permissions(mine), 0700u);
  EXPECT_EQ(ReadBytes(mine / "temp3.html"), "kept");

  umask(oldMask);
  if (oldTmpdir) setenv("TMPDIR", savedTmpdir.c_str(), 1);
  if (!oldTmpdir) unsetenv("TMPDIR");
}

TEST(DesktopFolders, TempFolderTakenBySomethingElseIsRefused) {
  TTestFolder temp;
  const uid_t me = getuid();
  const uid_t other = me + 1;
  const std::filesystem::path mine = temp / ("tessaly-" + std::to_string(me));
  const std::filesystem::path target = temp / "target";
  std::filesystem::create_directories(target);
  chmod(target.c_str(), 0755);

  // The folder of another user, here one created by this user.
  std::filesystem::create_directories(temp / ("tessaly-" + std::to_string(other)));
  EXPECT_THROW(UserTempFolder(temp.Path(), other), std::system_error);

  std::filesystem::create_directory_symlink(target, mine);
  EXPECT_THROW(UserTempFolder(temp.Path(), me), std::system_error);
  EXPECT_TRUE(std::filesystem::is_symlink(mine));
  EXPECT_EQ(Permissions(target), 0755u);

  std::filesystem::remove(mine);
  WriteBytes(mine, "a file");
  EXPECT_THROW(UserTempFolder(temp.Path(), me), std::system_error);

  EXPECT_THROW(UserTempFolder(temp / "no such folder", me), std::system_error);
}

// A folder holding an executable "xdg-open" that writes each of its
// arguments in brackets to `record`.
std::filesystem::path FakeOpenerFolder(const TTestFolder& temp,
                                       const std::filesystem::path& record) {
  const std::filesystem::path bin = temp / "bin";
  std::filesystem::create_directories(bin);
  WriteBytes(bin / "xdg-open",
             "#!/bin/sh\nprintf '[%s]\\n' \"$@\" > '" + record.string() + ".part'\n"
             "mv '" + record.string() + ".part' '" + record.string() + "'\n");
  chmod((bin / "xdg-open").c_str(), 0755);
  return bin;
}

TEST(XdgOpener, StartsXdgOpenWithThePageAsOneArgument) {
  TTestFolder temp;
  const std::filesystem::path record = temp / "argv.txt";
  const std::filesystem::path bin = FakeOpenerFolder(temp, record);
  const std::string page = (temp / "我的 页面" / "temp3 \"x\" $(echo y);.html").string();
  const std::string searchPath = (temp / "empty").string() + ":" + bin.string();

  TRecordingRunner recording;
  EXPECT_TRUE(TXdgOpener(recording, searchPath).Open(page));
  EXPECT_EQ(recording.Started,
            (std::vector<std::vector<std::string>>{{(bin / "xdg-open").string(), page}}));

  TDetachedProcessRunner runner;
  EXPECT_TRUE(TXdgOpener(runner, searchPath).Open(page));
  for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ReadBytes(record), "[" + page + "]\n");
}

TEST(XdgOpener, ReportsWhenXdgOpenIsMissing) {
  TTestFolder temp;
  std::filesystem::create_directories(temp / "bin");
  WriteBytes(temp / "bin" / "xdg-open", "not executable");
  TRecordingRunner runner;
  EXPECT_FALSE(TXdgOpener(runner, (temp / "bin").string()).Open("/tmp/page.html"));
  EXPECT_TRUE(runner.Started.empty());
}

}  // namespace
}  // namespace tessaly::publish
