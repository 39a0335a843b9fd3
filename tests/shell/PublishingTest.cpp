// The FTP command's upload and the update check against real local servers
// (pyftpdlib and Python's HTTP server on 127.0.0.1).

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "publish/LocalServer.h"
#include "publish/TestSupport.h"
#include "shell/core/UpdateChecker.h"
#include "shell/dialogs/FtpSelectDialog.h"
#include "shell/dialogs/FtpUploadDialog.h"

namespace tessaly::shell {
namespace {

using publish::FTPRec;
using publish::TLocalServer;
using publish::TTestFolder;

constexpr const char* Password = "secret";

// An FTP server serving `root` to "ann" (and the test users "slow" and
// "broken") with the password above.
TLocalServer FtpServer(const TTestFolder& root) {
  return TLocalServer({TESSALY_FTP_PYTHON, TESSALY_FTP_SERVER_SCRIPT, root.Path().string(), "ann",
                       Password});
}

// A movie of `size` bytes in `folder`.
std::string Movie(const TTestFolder& folder, std::size_t size) {
  const std::string path = (folder / "横幅 1.swf").string();
  publish::WriteBytes(path, std::string(size, 'F'));
  return path;
}

// Runs the upload dialog until its message was shown.
struct TUploadRun {
  TRecordingMessages messages;
  std::vector<TJobOutcome> outcomes;
  int maxValue = 0;
  QString label;
  qint64 milliseconds = 0;
};

class PublishingTest : public testing::Test {
 protected:
  // The short time-outs keep a failing test short.
  std::shared_ptr<publish::TFtpClient> client =
      std::make_shared<publish::TCurlFtpClient>(publish::TFtpTimeouts{5, 5, 5, 30});
  TTestFolder serverRoot;
  TTestFolder local;
};

TEST_F(PublishingTest, UploadFromTheDialogShowsProgressAndSuccess) {
  TLocalServer server = FtpServer(serverRoot);
  std::filesystem::create_directories(serverRoot / "www");
  const std::string movie = Movie(local, 300000);
  TRecordingMessages messages;
  QWidget window;
  FtpUploadDialog dialog({"127.0.0.1", "ann", Password, std::to_string(server.Port()), "www"}, movie,
                         client, messages, &window);
  QSignalSpy finished(&dialog, &FtpUploadDialog::uploadFinished);
  int highest = 0;
  QString label;
  QObject::connect(&dialog, &QProgressDialog::canceled, [] { FAIL() << "cancelled"; });
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    highest = std::max(highest, dialog.value());
    if (dialog.findChild<QLabel*>()->text().contains("/")) label = dialog.findChild<QLabel*>()->text();
  });
  watch.start(5);
  dialog.start();
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_TRUE(finished.wait(20000));
  watch.stop();
  // A fast upload can end between two looks: the label keeps its last text.
  if (label.isEmpty()) label = dialog.findChild<QLabel*>()->text();

  EXPECT_EQ(finished.at(0).at(0).value<TJobOutcome>(), TJobOutcome::Done);
  EXPECT_EQ(messages.Shown, std::vector<std::string>{"The file was successfully uploaded."});
  EXPECT_EQ(publish::ReadBytes(serverRoot / "www" / "横幅 1.swf"), std::string(300000, 'F'));
  EXPECT_EQ(std::max(highest, dialog.value()), dialog.maximum());
  EXPECT_TRUE(label.contains("/ 300000")) << label.toStdString();
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PublishingTest, CancelledUploadEndsWithinASecondAndSaysSo) {
  TLocalServer server = FtpServer(serverRoot);
  const std::string movie = Movie(local, 4 * 1024 * 1024);  // four minutes at the slow rate
  TRecordingMessages messages;
  FtpUploadDialog dialog({"127.0.0.1", "slow", Password, std::to_string(server.Port()), ""}, movie,
                         client, messages);
  QSignalSpy finished(&dialog, &FtpUploadDialog::uploadFinished);
  dialog.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.value() > 0; }, 20000));
  EXPECT_FALSE(finished.count());

  QElapsedTimer clock;
  clock.start();
  Click(dialog, "取消");
  ASSERT_TRUE(finished.count() > 0 || finished.wait(5000));
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(finished.at(0).at(0).value<TJobOutcome>(), TJobOutcome::Cancelled);
  EXPECT_EQ(messages.Shown, std::vector<std::string>{"FTP上传已取消."});
}

TEST_F(PublishingTest, WrongPasswordAndRefusedConnectionShowTheirReason) {
  TLocalServer server = FtpServer(serverRoot);
  const std::string movie = Movie(local, 1000);
  struct TCase {
    FTPRec fields;
    std::string step;
  };
  const TCase cases[] = {
      {{"127.0.0.1", "ann", "wrong", std::to_string(server.Port()), ""}, "login refused: 530"},
      {{"127.0.0.1", "ann", Password, std::to_string(publish::ClosedLoopbackPort()), ""},
       "cannot connect"},
  };
  for (const TCase& c : cases) {
    TRecordingMessages messages;
    FtpUploadDialog dialog(c.fields, movie, client, messages);
    QSignalSpy finished(&dialog, &FtpUploadDialog::uploadFinished);
    dialog.start();
    ASSERT_TRUE(finished.wait(20000)) << c.step;
    EXPECT_EQ(finished.at(0).at(0).value<TJobOutcome>(), TJobOutcome::Failed);
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_NE(messages.Shown[0].find("FTP upload to 127.0.0.1 failed: " + c.step),
              std::string::npos)
        << messages.Shown[0];
  }
}

TEST_F(PublishingTest, TheCommandNeedsASavedMovieThenOffersTheSites) {
  TRecordingMessages messages;
  const std::filesystem::path sites = local / "ftpsites.txt";
  EXPECT_EQ(StartFtpCommand(nullptr, "", sites, client, messages), nullptr);
  EXPECT_EQ(messages.Shown, std::vector<std::string>{"使用FTP发布到站点前请先保存文件."});

  TLocalServer server = FtpServer(serverRoot);
  publish::WriteBytes(sites, "127.0.0.1,ann," + std::string(Password) + "," +
                                 std::to_string(server.Port()) + ",\r\n");
  const std::string movie = Movie(local, 5000);
  QStringList offered;
  QTimer::singleShot(0, [&] {
    auto* select = qobject_cast<FtpSelectDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(select, nullptr);
    QListWidget* list = select->list();
    for (int i = 0; i < list->count(); ++i) offered << list->item(i)->text();
    select->accept();
  });
  QWidget window;
  FtpUploadDialog* upload = StartFtpCommand(&window, movie, sites, client, messages);
  ASSERT_NE(upload, nullptr);
  EXPECT_EQ(offered, QStringList{"127.0.0.1"});
  QSignalSpy finished(upload, &FtpUploadDialog::uploadFinished);
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(messages.Shown.back(), "The file was successfully uploaded.");
  EXPECT_EQ(publish::ReadBytes(serverRoot / "横幅 1.swf").size(), 5000u);
}

// The update check against a version file served over HTTP.
TEST(UpdateChecker, NewerSameAndUnreachableGiveOneMessageEach) {
  TTestFolder root;
  TLocalServer server({TESSALY_FTP_PYTHON, TESSALY_HTTP_SERVER_SCRIPT, root.Path().string()});
  const std::string base = "http://127.0.0.1:" + std::to_string(server.Port()) + "/";
  publish::WriteBytes(root / "newer.txt", "1.2.0\r\nhttps://tessaly.example/download\r\n");
  publish::WriteBytes(root / "same.txt", "1.0.0\r\nhttps://tessaly.example/download\r\n");
  struct TCase {
    std::string url;
    TJobOutcome outcome;
    std::string message;  // the start of it
  };
  const TCase cases[] = {
      {base + "newer.txt", TJobOutcome::Done,
       "发现新版本 1.2.0. 下载地址: https://tessaly.example/download"},
      {base + "same.txt", TJobOutcome::Done, "你使用的已经是最新版本."},
      {"http://127.0.0.1:" + std::to_string(publish::ClosedLoopbackPort()) + "/v.txt",
       TJobOutcome::Failed, "无法检查更新: "},
  };
  for (const TCase& c : cases) {
    TRecordingMessages messages;
    TUpdateChecker checker("1.0.0", c.url, messages);
    QSignalSpy checked(&checker, &TUpdateChecker::Checked);
    EXPECT_TRUE(checker.Check());
    EXPECT_FALSE(checker.Check()) << "a second check while one runs";
    ASSERT_TRUE(checked.wait(20000)) << c.url;
    QTest::qWait(50);
    ASSERT_EQ(messages.Shown.size(), 1u) << c.url;
    EXPECT_EQ(messages.Shown[0].rfind(c.message, 0), 0u) << messages.Shown[0];
    EXPECT_EQ(checked.at(0).at(0).value<TJobOutcome>(), c.outcome);
    EXPECT_FALSE(checker.Running());
  }
}

}  // namespace
}  // namespace tessaly::shell
