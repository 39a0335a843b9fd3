// The recovery file: its contents read back field by field, writes that
// fail at every step, the files of other programs, and when and on which
// thread it is written.
#include <gmock/gmock.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/SafeFile.h"
#include "shell/HistoryTestSupport.h"
#include "shell/core/RecoveryFile.h"
#include "shell/core/RecoveryWriter.h"
#include "support/TestPictures.h"

namespace tessaly::shell::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Records of every kind in turn (a text that code page 936 cannot hold
// first, the second deleted), full settings and state.
TDocumentState FullState(int items = 3) {
  TDocumentState state;
  for (int i = 1; i <= items; ++i) {
    document::TFlashObjects& item = state.ItemTable.Append();
    item = FullRecord(i);
    item.Kind = static_cast<document::ItemKind>((i + 1) % 3);
    item.Deleted = i == 2;
  }
  state.BannerSettings = FullSettings();
  state.CurrentItemName = "but3";
  state.LastShapeItem = 3;
  state.LastImageItem = 1;
  state.LastTextItem = 2;
  state.LastDeletedItem = 2;
  state.DeleteEnabled = true;
  state.UndeleteEnabled = true;
  return state;
}

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(RecoveryFile, ReadsBackEveryFieldOfEveryRecord) {
  const TDocumentState state = FullState();
  const std::string bytes = RecoveryBytes(state);
  EXPECT_EQ(AllLines(StateFromRecovery(bytes)), AllLines(state));
  EXPECT_EQ(StateFromRecovery(bytes), state);
  EXPECT_TRUE(bytes.starts_with("<BWF>\r\nBWF Version 1.00\r\n"));
  EXPECT_TRUE(bytes.ends_with("</RECOVERY>\r\n</BWF>\r\n"));
  EXPECT_NE(bytes.find("\r\nText=한국어 텍스트 😀 中文 line break \\n\r\n"), std::string::npos)
      << "the project's lines in UTF-8";
}

TEST(RecoveryFile, AFileCutShortOrWithoutItsSectionIsRefused) {
  const std::string bytes = RecoveryBytes(FullState(1));
  for (size_t cut = 0; cut + 2 < bytes.size(); cut += 97)
    EXPECT_THROW(StateFromRecovery(bytes.substr(0, cut)), std::runtime_error) << cut;
  const size_t section = bytes.find("<RECOVERY>");
  EXPECT_THROW(StateFromRecovery(bytes.substr(0, section) + "</BWF>\r\n"), std::runtime_error);
  std::string broken = bytes;
  broken.replace(broken.find("BannerWidth=728"), 15, "BannerWidth=7x8");
  EXPECT_THROW(StateFromRecovery(broken), std::runtime_error);
}

// A write of a full table that fails at each of its steps in turn leaves
// the last good file in place and no temporary file behind.
TEST(RecoveryFile, AWriteFailingAtAnyStepKeepsTheLastGoodFile) {
  tessaly::test::TTempDir folder;
  const std::string path = RecoveryPath((folder.Path() / "state").string(), 4242);
  const std::string good = RecoveryBytes(FullState(1));
  WriteRecoveryFile(path, good);
  const std::string next = RecoveryBytes(FullState(document::TItemTable::Capacity));

  std::vector<TWriteStep> steps;
  WriteRecoveryFile(path + ".probe", next, [&](TWriteStep step) { steps.push_back(step); });
  fs::remove(path + ".probe");
  ASSERT_GT(std::count(steps.begin(), steps.end(), TWriteStep::wsWrite), 3) << "written in several chunks";

  for (size_t failAt = 0; failAt < steps.size(); ++failAt) {
    size_t call = 0;
    const auto hook = [&](TWriteStep) {
      if (call++ == failAt) throw std::runtime_error("simulated failure");
    };
    EXPECT_THROW(WriteRecoveryFile(path, next, hook), std::runtime_error);
    const std::string kept = platform::ReadWholeFile(path);
    if (steps[failAt] == TWriteStep::wsSyncFolder)
      EXPECT_EQ(kept, next) << "failing after the rename keeps the new file";
    else
      EXPECT_EQ(kept, good) << "failing at step " << failAt;
    EXPECT_NO_THROW(StateFromRecovery(kept));
    EXPECT_THAT(FilesIn(fs::path(path).parent_path()), testing::ElementsAre("recovery-4242.bwf"));
    WriteRecoveryFile(path, good);
  }
}

TEST(RecoveryFile, FolderFollowsXdgStateHome) {
  const char* saved = std::getenv("XDG_STATE_HOME");
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("XDG_STATE_HOME", "/var/tmp/state", 1);
  EXPECT_EQ(RecoveryFolder(), "/var/tmp/state/Tessaly");
  ::setenv("XDG_STATE_HOME", "relative/state", 1);
  EXPECT_EQ(RecoveryFolder(), home + "/.local/state/Tessaly") << "a relative path is ignored";
  ::unsetenv("XDG_STATE_HOME");
  EXPECT_EQ(RecoveryFolder(), home + "/.local/state/Tessaly");
  if (saved != nullptr) ::setenv("XDG_STATE_HOME", saved, 1);
  EXPECT_EQ(RecoveryPath("/s/Tessaly", 17), "/s/Tessaly/recovery-17.bwf");
}

TEST(RecoveryFile, OnlyTheFilesOfEndedProgramsAreOffered) {
  tessaly::test::TTempDir folder;
  const std::string own = "recovery-" + std::to_string(::getpid()) + ".bwf";
  for (const char* name : {"recovery-100.bwf", "recovery-200.bwf", "recovery-300.bwf", "recovery-300.bwf.tmp",
                           "recovery-100.bwf.tmp", "recovery-x.bwf", "other.bwf", "recovery-0.bwf"})
    folder.Write(name, std::vector<std::uint8_t>{'x'});
  folder.Write(own, std::vector<std::uint8_t>{'x'});
  fs::last_write_time(folder.Path() / "recovery-300.bwf", fs::file_time_type::clock::now() - 1h);
  const auto running = [](pid_t pid) { return pid == 200; };
  const std::string base = folder.Path().string() + "/";
  EXPECT_THAT(OrphanRecoveryFiles(folder.Path().string(), running),
              testing::ElementsAre(base + "recovery-300.bwf", base + "recovery-100.bwf"));
  EXPECT_FALSE(fs::exists(base + "recovery-300.bwf.tmp")) << "a dead program's temporary file goes";
  EXPECT_FALSE(fs::exists(base + "recovery-100.bwf.tmp"));
  EXPECT_TRUE(fs::exists(base + "recovery-200.bwf")) << "a running program's file stays";
  EXPECT_TRUE(fs::exists(base + own));
  EXPECT_TRUE(fs::exists(base + "other.bwf"));

  EXPECT_TRUE(ProcessRunning(::getpid()));
  EXPECT_TRUE(ClaimRecoveryFile(base + "recovery-100.bwf", base + own));
  EXPECT_FALSE(ClaimRecoveryFile(base + "recovery-100.bwf", base + "recovery-1.bwf")) << "claimed once";
  EXPECT_TRUE(OrphanRecoveryFiles((folder.Path() / "none").string()).empty());
}

TEST(RecoveryFile, MissingPicturesAreNamedOnce) {
  tessaly::test::TTempDir folder;
  const std::string present = folder.Write("there.bmp", std::vector<std::uint8_t>{'x'});
  const std::string gone = (folder.Path() / "gone.gif").string();
  TDocumentState state;
  auto add = [&](document::ItemKind kind, const std::string& path, bool deleted) {
    document::TFlashObjects& item = state.ItemTable.Append();
    item.Kind = kind;
    item.ImageFileName = path;
    item.FillImage = path;
    item.FillType = 2;
    item.Deleted = deleted;
  };
  add(document::ItemKind::ikImage, present, false);
  add(document::ItemKind::ikImage, gone, false);
  add(document::ItemKind::ikShape, gone, false);
  add(document::ItemKind::ikImage, "/deleted.gif", true);
  add(document::ItemKind::ikText, "/text.gif", false);
  state.BannerSettings.BackgroundType = document::TBackgroundType::btImage;
  state.BannerSettings.BackgroundImage = "/no/background.jpg";
  EXPECT_THAT(MissingPictures(state), testing::ElementsAre("/no/background.jpg", gone));
}

TEST(RecoverySchedule, WritesAFewSecondsAfterTheLastChangeAtMostEveryFiveSeconds) {
  using TTime = TRecoverySchedule::TTime;
  const TTime t0{};
  TRecoverySchedule schedule;
  EXPECT_FALSE(schedule.Due());
  schedule.Changed(t0);
  EXPECT_EQ(schedule.Due(), t0 + 2s);
  schedule.Changed(t0 + 1s);
  schedule.Changed(t0 + 3s);
  EXPECT_EQ(schedule.Due(), t0 + 5s) << "each change puts the write off";
  schedule.Written(t0 + 5s);
  EXPECT_FALSE(schedule.Due());
  schedule.Changed(t0 + 6s);
  EXPECT_EQ(schedule.Due(), t0 + 10s) << "five seconds after the last write";
  schedule.Changed(t0 + 12s);
  EXPECT_EQ(schedule.Due(), t0 + 14s);
  schedule.Cleared();
  EXPECT_FALSE(schedule.Due());
}

TEST(RecoveryWriter, WritesAndRemovesOnItsOwnThread) {
  tessaly::test::TTempDir folder;
  const std::string path = RecoveryPath(folder.Path().string(), 77);
  {
    TRecoveryWriter writer(path);
    writer.Write(FullState());
    writer.Wait();
    EXPECT_EQ(StateFromRecovery(platform::ReadWholeFile(path)), FullState());
    EXPECT_EQ(writer.LastError(), "");
    writer.Remove();
    writer.Wait();
    EXPECT_FALSE(fs::exists(path));
    writer.Write(FullState());
    writer.Remove();
    writer.Wait();
    EXPECT_FALSE(fs::exists(path)) << "a removal drops the write still waiting";
    writer.Write(FullState(1));
  }
  EXPECT_EQ(StateFromRecovery(platform::ReadWholeFile(path)), FullState(1)) << "finished before the end";

  TRecoveryWriter blocked((folder.Path() / "p.bmp" / "recovery-1.bwf").string());
  folder.Write("p.bmp", std::vector<std::uint8_t>{'x'});
  blocked.Write(FullState(1));
  blocked.Wait();
  EXPECT_THAT(blocked.LastError(), testing::HasSubstr("p.bmp"));
}

}  // namespace
}  // namespace tessaly::shell::test
