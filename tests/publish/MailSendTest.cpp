#include "publish/MailSend.h"

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace tessaly::publish {
namespace {

// A folder holding an executable "xdg-email" that does nothing.
std::filesystem::path FakeMailProgramFolder(const TTestFolder& temp) {
  const std::filesystem::path bin = temp / "bin";
  std::filesystem::create_directories(bin);
  WriteBytes(bin / "xdg-email", "#!/bin/sh\nexit 0\n");
  chmod((bin / "xdg-email").c_str(), 0755);
  return bin;
}

TEST(MailCommand, HandsTheMovieToXdgEmailAsSeparateArguments) {
  TTestFolder temp;
  const std::filesystem::path bin = FakeMailProgramFolder(temp);
  const std::string movie = (temp / "我的 横幅" / "横幅 \"1\" $(rm -rf ~).swf").string();
  TRecordingRunner runner;
  const std::string searchPath = (temp / "empty").string() + ":" + bin.string() + ":/usr/bin";

  EXPECT_EQ(SendMovieByMail(movie, runner, searchPath), std::nullopt);
  ASSERT_EQ(runner.Started.size(), 1u);
  EXPECT_EQ(runner.Started[0],
            (std::vector<std::string>{(bin / "xdg-email").string(), "--utf8", "--subject",
                                      "Tessaly - 横幅 \"1\" $(rm -rf ~).swf", "--attach", movie}));
}

TEST(MailCommand, TheMailProgramReceivesEachArgumentWhole) {
  TTestFolder temp;
  const std::filesystem::path bin = temp / "bin";
  std::filesystem::create_directories(bin);
  const std::filesystem::path record = temp / "argv.txt";
  WriteBytes(bin / "xdg-email",
             "#!/bin/sh\nprintf '[%s]\\n' \"$@\" > '" + record.string() + ".part'\n"
             "mv '" + record.string() + ".part' '" + record.string() + "'\n");
  chmod((bin / "xdg-email").c_str(), 0755);
  const std::string movie = (temp / "我的 横幅" / "横幅 1; echo x.swf").string();
  TDetachedProcessRunner runner;

  ASSERT_EQ(SendMovieByMail(movie, runner, bin.string()), std::nullopt);
  for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ReadBytes(record), "[--utf8]\n[--subject]\n[Tessaly - 横幅 1; echo x.swf]\n[--attach]\n[" +
                                   movie + "]\n");
}

TEST(MailCommand, SubjectHasTheBareFileNameAndTheAttachmentAFullPath) {
  EXPECT_EQ(MailSubject("/home/ann/banners/b1.swf"), "Tessaly - b1.swf");
  EXPECT_EQ(MailSubject("b1.swf"), "Tessaly - b1.swf");
  const std::vector<std::string> argv = MailCommandLine("/usr/bin/xdg-email", "b1.swf");
  ASSERT_EQ(argv.size(), 6u);
  EXPECT_EQ(argv[5], (std::filesystem::current_path() / "b1.swf").string());
}

TEST(MailCommand, MessagesWhenNothingWasSavedOrNoMailProgramIsFound) {
  TTestFolder temp;
  std::filesystem::create_directories(temp / "bin");
  WriteBytes(temp / "bin" / "xdg-email", "not executable");
  TRecordingRunner runner;

  EXPECT_EQ(SendMovieByMail("", runner, "/usr/bin"), "请在使用电子邮件发送之前先保存文件.");
  EXPECT_EQ(SendMovieByMail("/m.swf", runner, (temp / "bin").string()),
            "无法启动系统默认电子邮件客户端程序.要想发送你制作的横幅给别人,"
            "必须先打开邮件客户端程序写好邮件后将横幅文件(.swf)作为附件发送.");
  EXPECT_TRUE(runner.Started.empty());
}

}  // namespace
}  // namespace tessaly::publish
