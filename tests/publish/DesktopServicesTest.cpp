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
  EXPECT_FALSE(TempFolder().empty());
}

}  // namespace
}  // namespace tessaly::publish
