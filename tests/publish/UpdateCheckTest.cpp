#include "publish/UpdateCheck.h"

#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "LocalServer.h"
#include "TestSupport.h"
#include "publish/Network.h"

namespace tessaly::publish {
namespace {

TEST(UpdateCheck, VersionsCompareNumberByNumber) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"1.2", "1.2", 0},      {"1.2", "1.2.0", 0},   {"1.02", "1.2", 0},        {"1.10", "1.9", 1},
      {"2", "10", -1},        {"1.2.3.4", "1.2.3", 1}, {"0.9.9", "1.0", -1},    {"1.0.1", "1.0", 1},
      {"99999999999999999999.0", "99999999999999999998.9", 1},
  };
  for (const Case& c : cases) {
    const int result = CompareVersions(c.a, c.b);
    EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
    const int reverse = CompareVersions(c.b, c.a);
    EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign) << c.b << " vs " << c.a;
  }
  for (const char* bad : {"", "1.", ".1", "1..2", "1.a", "v1.2", " 1", "1.2-beta", "-1"}) {
    EXPECT_EQ(VersionParts(bad), std::nullopt) << bad;
    EXPECT_THROW(CompareVersions(bad, "1.0"), std::invalid_argument) << bad;
  }
}

TEST(UpdateCheck, TheAddressComesFromTheEnvironmentWhenSet) {
  const char* saved = std::getenv("TESSALY_UPDATE_URL");
  const std::string keep = saved != nullptr ? saved : "";
  unsetenv("TESSALY_UPDATE_URL");
  EXPECT_EQ(UpdateCheckURL(), "https://tessaly.github.io/version.txt");
  setenv("TESSALY_UPDATE_URL", "", 1);
  EXPECT_EQ(UpdateCheckURL(), "https://tessaly.github.io/version.txt");
  setenv("TESSALY_UPDATE_URL", "http://127.0.0.1:8000/v.txt", 1);
  EXPECT_EQ(UpdateCheckURL(), "http://127.0.0.1:8000/v.txt");
  if (saved != nullptr)
    setenv("TESSALY_UPDATE_URL", keep.c_str(), 1);
  else
    unsetenv("TESSALY_UPDATE_URL");
}

// The version files are served by a local HTTP server, as the program's web
// site would serve its one.
class UpdateCheckServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitialiseNetwork(); }
  void SetUp() override {
    const std::pair<const char*, std::string> files[] = {
        {"newer.txt", "1.3.0\r\nhttps://tessaly.github.io/download/tessaly-1.3.0.deb\r\n"},
        {"same.txt", "1.2\nhttps://tessaly.github.io/download/\n"},
        {"older.txt", "1.1.9\nhttps://tessaly.github.io/download/\n"},
        {"tens.txt", "\xEF\xBB\xBF 1.10 \nhttps://tessaly.github.io/d\n"},
        {"words.txt", "version two\nhttps://tessaly.github.io/download/\n"},
        {"noaddress.txt", "2.0\n"},
        {"html.txt", "<html><body>Not here</body></html>\n"},
        {"large.txt", "9.0\nhttps://tessaly.github.io/" + std::string(20000, 'x') + "\n"},
    };
    for (const auto& [name, text] : files) WriteBytes(folder_ / name, text);
    server_ = std::make_unique<TLocalServer>(
        std::vector<std::string>{TESSALY_FTP_PYTHON, TESSALY_HTTP_SERVER_SCRIPT, folder_.Path().string()});
  }

  std::string URL(const std::string& name) const {
    return "http://127.0.0.1:" + std::to_string(server_->Port()) + "/" + name;
  }

  TTestFolder folder_;
  std::unique_ptr<TLocalServer> server_;
};

TEST_F(UpdateCheckServer, AnswersWithOneMessage) {
  struct Case {
    const char* file;
    TUpdateStatus status;
    std::string message;  // the whole message, or for failures its start
    std::string reason;   // a word of the failure's reason
  };
  const Case cases[] = {
      {"newer.txt", TUpdateStatus::Newer,
       "发现新版本 1.3.0. 下载地址: https://tessaly.github.io/download/tessaly-1.3.0.deb", ""},
      {"same.txt", TUpdateStatus::Current, "你使用的已经是最新版本.", ""},
      {"older.txt", TUpdateStatus::Current, "你使用的已经是最新版本.", ""},
      {"tens.txt", TUpdateStatus::Newer, "发现新版本 1.10. 下载地址: https://tessaly.github.io/d", ""},
      {"words.txt", TUpdateStatus::Failed, "无法检查更新: ", "does not start with a version"},
      {"noaddress.txt", TUpdateStatus::Failed, "无法检查更新: ", "no download address"},
      {"html.txt", TUpdateStatus::Failed, "无法检查更新: ", "does not start with a version"},
      {"large.txt", TUpdateStatus::Failed, "无法检查更新: ", "larger than 16 KB"},
      {"missing.txt", TUpdateStatus::Failed, "无法检查更新: ", "404"},
  };
  for (const Case& c : cases) {
    const TUpdateResult result = CheckForUpdate("1.2.0", URL(c.file));
    EXPECT_EQ(result.Status, c.status) << c.file << ": " << result.Message;
    if (c.status == TUpdateStatus::Failed) {
      EXPECT_EQ(result.Message.rfind(c.message, 0), 0u) << result.Message;
      EXPECT_NE(result.Message.find(c.reason), std::string::npos) << result.Message;
    } else {
      EXPECT_EQ(result.Message, c.message) << c.file;
    }
  }
}

TEST_F(UpdateCheckServer, UnreachableServerGivesTheReason) {
  const std::string url = "http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/version.txt";
  const TUpdateResult result = CheckForUpdate("1.2.0", url);
  EXPECT_EQ(result.Status, TUpdateStatus::Failed);
  EXPECT_EQ(result.Message.rfind("无法检查更新: ", 0), 0u) << result.Message;
  EXPECT_NE(result.Message.find("Connection refused"), std::string::npos) << result.Message;
}

// A server that accepts the connection and never answers: the flag, set from
// another thread, ends the request at once.
TEST_F(UpdateCheckServer, CancelEndsAWaitingRequest) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(listen(s, 4), 0);
  socklen_t len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  const std::string url = "http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/version.txt";

  std::atomic<bool> cancel{false};
  auto check = std::async(std::launch::async, [&] { return CheckForUpdate("1.2.0", url, &cancel); });
  EXPECT_EQ(check.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
  const auto cancelledAt = std::chrono::steady_clock::now();
  cancel = true;
  ASSERT_EQ(check.wait_for(std::chrono::seconds(1)), std::future_status::ready);
  EXPECT_LT(std::chrono::steady_clock::now() - cancelledAt, std::chrono::milliseconds(500));
  const TUpdateResult result = check.get();
  EXPECT_EQ(result.Status, TUpdateStatus::Cancelled);
  EXPECT_EQ(result.Message, "");
  close(s);
}

}  // namespace
}  // namespace tessaly::publish
