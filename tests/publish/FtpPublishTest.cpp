#include "publish/FtpPublish.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include <curl/curl.h>
#include <gtest/gtest.h>

#include "LocalServer.h"
#include "TestSupport.h"
#include "publish/Network.h"

namespace tessaly::publish {
namespace {

// Records what the command asks of the client.
class TRecordingFtpClient : public TFtpClient {
 public:
  void Upload(const TFtpConnection& connection, const std::string& folder,
              const std::filesystem::path& localFile, const std::string& remoteName,
              const TUploadControl&) override {
    Connection = connection;
    Folder = folder;
    LocalFile = localFile;
    RemoteName = remoteName;
    ++Uploads;
  }
  TFtpConnection Connection;
  std::string Folder;
  std::filesystem::path LocalFile;
  std::string RemoteName;
  int Uploads = 0;
};

TEST(FtpCommand, PortFieldThatIsNotAPortNumberMeans21) {
  const std::pair<std::string, int> cases[] = {
      {"21", 21},  {"2121", 2121}, {" 990 ", 990}, {"65535", 65535}, {"", 21},
      {"abc", 21}, {"12x", 21},    {"0", 21},      {"-5", 21},       {"70000", 21},
      {"99999999999999999999", 21},
  };
  for (const auto& [field, port] : cases) EXPECT_EQ(FtpPort(field), port) << field;
}

TEST(FtpCommand, UploadsTheMovieUnderItsBareNameWithTheDialogsFields) {
  TRecordingFtpClient client;
  const FTPRec fields{"ftp.a.com", "ann", "secret", "not a number", "www/banners"};
  EXPECT_EQ(PublishByFtp(fields, "/home/ann/My Banners/b 1.swf", client),
            std::vector<std::string>{"The file was successfully uploaded."});
  EXPECT_EQ(client.Uploads, 1);
  EXPECT_EQ(client.Connection.Host, "ftp.a.com");
  EXPECT_EQ(client.Connection.User, "ann");
  EXPECT_EQ(client.Connection.Password, "secret");
  EXPECT_EQ(client.Connection.Port, 21);
  EXPECT_EQ(client.Folder, "www/banners");
  EXPECT_EQ(client.LocalFile, "/home/ann/My Banners/b 1.swf");
  EXPECT_EQ(client.RemoteName, "b 1.swf");
}

TEST(FtpCommand, NeedsASavedMovieAndLoadsTheSiteList) {
  TTestFolder temp;
  const std::filesystem::path file = FtpSitesFile(temp.Path());
  WriteBytes(file, "ftp.a.com,ann,pw,21,www\r\n");
  TFtpSiteTable table;
  EXPECT_EQ(StartFtpCommand("", table, file), "使用FTP发布到站点前请先保存文件.");
  EXPECT_EQ(SelectableFtpSites(table), 0u);
  EXPECT_EQ(StartFtpCommand("/m.swf", table, file), std::nullopt);
  EXPECT_EQ(SelectableFtpSites(table), 1u);
  EXPECT_EQ(table[0].host, "ftp.a.com");
}

// A pyftpdlib server on 127.0.0.1 serving `root` to one user, whose sessions
// begin in the folder `start` below it, at a port the server picks itself;
// passive mode only.
class TLocalFtpServer {
 public:
  static constexpr const char* User = "tess";
  static constexpr const char* Password = "s3cret pw";

  TLocalFtpServer(const std::filesystem::path& root, const std::string& start)
      : server_({TESSALY_FTP_PYTHON, TESSALY_FTP_SERVER_SCRIPT, root.string(), User, Password, start}) {}

  int Port() const { return server_.Port(); }

 private:
  TLocalServer server_;
};

// The server's root holds "other" and the login folder "home", which holds
// "banners", "my 横幅" and a second "other".
class FtpUpload : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::filesystem::path& folder :
         {home_ / "banners", home_ / "my 横幅", home_ / "other", root_ / "other"})
      std::filesystem::create_directories(folder);
    server_ = std::make_unique<TLocalFtpServer>(root_, "/home");
    movie_ = (work_ / "横幅 1.swf").string();
    for (int i = 0; i < 70000; ++i) movieBytes_ += static_cast<char>(i * 7 + i / 256);
    WriteBytes(movie_, movieBytes_);
  }
  void TearDown() override { server_.reset(); }

  FTPRec Fields(const std::string& folder, const std::string& password = TLocalFtpServer::Password) {
    return {"127.0.0.1", TLocalFtpServer::User, password, std::to_string(server_->Port()), folder};
  }

  TTestFolder temp_;
  std::filesystem::path root_ = temp_ / "root";
  std::filesystem::path home_ = root_ / "home";
  std::filesystem::path work_ = temp_.Path();
  std::unique_ptr<TLocalFtpServer> server_;
  std::string movie_;
  std::string movieBytes_;
  TCurlFtpClient client_{TFtpTimeouts{5, 5, 5, 30}};
};

TEST_F(FtpUpload, StoresTheMovieBytesInTheFolder) {
  const std::pair<std::string, std::filesystem::path> cases[] = {
      {"banners", home_ / "banners"},
      {"/home/banners/", home_ / "banners"},
      {"/other", root_ / "other"},
      {"my 横幅", home_ / "my 横幅"},
      {"", home_},
  };
  for (const auto& [folder, where] : cases) {
    std::filesystem::remove(where / "横幅 1.swf");
    EXPECT_EQ(PublishByFtp(Fields(folder), movie_, client_),
              std::vector<std::string>{"The file was successfully uploaded."});
    EXPECT_EQ(ReadBytes(where / "横幅 1.swf"), movieBytes_) << folder;
  }
}

TEST_F(FtpUpload, DotSegmentsOfTheFolderReachTheServerAsTyped) {
  const std::pair<std::string, std::filesystem::path> cases[] = {
      {"../other", root_ / "other"},
      {"../home/banners", home_ / "banners"},
      {"other/../../other/", root_ / "other"},
      {"./my 横幅", home_ / "my 横幅"},
      {".", home_},
      {"banners/..", home_},
  };
  for (const auto& [folder, where] : cases) {
    std::filesystem::remove(where / "横幅 1.swf");
    EXPECT_EQ(PublishByFtp(Fields(folder), movie_, client_),
              std::vector<std::string>{"The file was successfully uploaded."});
    EXPECT_TRUE(ReadBytes(where / "横幅 1.swf") == movieBytes_) << folder;
    std::filesystem::remove(where / "横幅 1.swf");
  }
  EXPECT_FALSE(std::filesystem::exists(home_ / "other" / "横幅 1.swf"));
}

// Every upload above succeeds against a server that refuses active mode, so
// the client works in passive mode; this shows the server does refuse it.
TEST_F(FtpUpload, TheTestServerRefusesActiveMode) {
  CURL* curl = curl_easy_init();
  ASSERT_NE(curl, nullptr);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(movie_.c_str(), "rb"),
                                                        std::fclose);
  ASSERT_TRUE(file);
  const std::string url = "ftp://127.0.0.1:" + std::to_string(server_->Port()) + "/active.swf";
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERNAME, TLocalFtpServer::User);
  curl_easy_setopt(curl, CURLOPT_PASSWORD, TLocalFtpServer::Password);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_READDATA, file.get());
  curl_easy_setopt(curl, CURLOPT_FTPPORT, "127.0.0.1");  // EPRT first, then PORT
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, 30L);
  EXPECT_EQ(curl_easy_perform(curl), CURLE_FTP_PORT_FAILED);
  curl_easy_cleanup(curl);
  EXPECT_FALSE(std::filesystem::exists(home_ / "active.swf"));
}

TEST_F(FtpUpload, FailuresAreErrorsWithTheReason) {
  FTPRec closed = Fields("banners");
  closed.port = std::to_string(ClosedLoopbackPort());
  FTPRec broken = Fields("banners");
  broken.user = "broken";  // the test server cuts this user's uploads off

  struct Case {
    FTPRec fields;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {Fields("banners", "wrong"), {"login refused", "530"}},
      {Fields("no such folder"), {"cannot change to the folder \"no such folder\"", "550"}},
      {closed, {"cannot connect", "Connection refused"}},
      {broken, {"transfer broken"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> messages;
    try {
      messages = PublishByFtp(c.fields, movie_, client_);
      ADD_FAILURE() << "no error for " << c.words[0];
    } catch (const EFtpError& e) {
      const std::string what = e.what();
      EXPECT_EQ(what.rfind("FTP upload to 127.0.0.1 failed: ", 0), 0u) << what;
      for (const std::string& word : c.words) EXPECT_NE(what.find(word), std::string::npos) << what;
    }
    EXPECT_TRUE(messages.empty());
  }
  EXPECT_NE(ReadBytes(home_ / "banners" / "横幅 1.swf"), movieBytes_);
}

TEST_F(FtpUpload, ServerThatNeverAnswersTimesOut) {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(listen(s, 4), 0);  // accepted by the kernel, never greeted
  socklen_t len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  FTPRec silent = Fields("banners");
  silent.port = std::to_string(ntohs(a.sin_port));

  TCurlFtpClient impatient(TFtpTimeouts{2, 1, 1, 3});
  try {
    PublishByFtp(silent, movie_, impatient);
    ADD_FAILURE() << "no time-out";
  } catch (const EFtpError& e) {
    EXPECT_NE(std::string(e.what()).find("time-out"), std::string::npos) << e.what();
  }
  close(s);
}

TEST_F(FtpUpload, ReportsTheBytesSentOfTheTotal) {
  InitialiseNetwork();
  std::vector<std::pair<std::uint64_t, std::uint64_t>> reports;
  TUploadControl control;
  control.Progress = [&](std::uint64_t sent, std::uint64_t total) { reports.emplace_back(sent, total); };
  EXPECT_EQ(PublishByFtp(Fields("banners"), movie_, client_, control),
            std::vector<std::string>{"The file was successfully uploaded."});
  EXPECT_EQ(ReadBytes(home_ / "banners" / "横幅 1.swf"), movieBytes_);
  ASSERT_FALSE(reports.empty());
  const std::uint64_t size = movieBytes_.size();
  EXPECT_EQ(reports.back(), std::make_pair(size, size));
  for (size_t i = 0; i < reports.size(); ++i) {
    EXPECT_EQ(reports[i].second, size);
    if (i > 0) {
      EXPECT_GT(reports[i].first, reports[i - 1].first) << "reported twice or backwards";
    }
  }
}

// A large upload that the server reads slowly, cancelled from another
// thread once it is under way, ends within a second as cancelled.
TEST_F(FtpUpload, CancelEndsARunningUploadAtOnce) {
  const std::string big = (work_ / "big.swf").string();
  WriteBytes(big, std::string(16 * 1024 * 1024, 'x'));
  FTPRec slow = Fields("banners");
  slow.user = "slow";  // the test server reads this user's uploads at 16 KB/s
  std::atomic<bool> cancel{false};
  std::promise<void> started;
  std::once_flag once;
  TUploadControl control;
  control.Cancel = &cancel;
  control.Progress = [&](std::uint64_t sent, std::uint64_t) {
    if (sent > 0) std::call_once(once, [&] { started.set_value(); });
  };
  auto upload = std::async(std::launch::async, [&] { return PublishByFtp(slow, big, client_, control); });
  ASSERT_EQ(started.get_future().wait_for(std::chrono::seconds(20)), std::future_status::ready);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_EQ(upload.wait_for(std::chrono::seconds(0)), std::future_status::timeout) << "ended before the cancel";

  const auto cancelledAt = std::chrono::steady_clock::now();
  cancel = true;
  ASSERT_EQ(upload.wait_for(std::chrono::seconds(1)), std::future_status::ready) << "still running 1 s after the cancel";
  const auto took = std::chrono::steady_clock::now() - cancelledAt;
  try {
    upload.get();
    ADD_FAILURE() << "no cancel reported";
  } catch (const EFtpCancelled& e) {
    EXPECT_STREQ(e.what(), "FTP upload to 127.0.0.1 cancelled");
  }
  EXPECT_LT(took, std::chrono::seconds(1));
  EXPECT_LT(std::filesystem::file_size(home_ / "banners" / "big.swf"), 16u * 1024 * 1024);
}

TEST_F(FtpUpload, CancelledBeforeItStartsConnectsNowhere) {
  std::atomic<bool> cancel{true};
  TUploadControl control;
  control.Cancel = &cancel;
  EXPECT_THROW(PublishByFtp(Fields("banners"), movie_, client_, control), EFtpCancelled);
  EXPECT_FALSE(std::filesystem::exists(home_ / "banners" / "横幅 1.swf"));
}

TEST_F(FtpUpload, MissingMovieAndBadHostAreErrors) {
  EXPECT_THROW(PublishByFtp(Fields("banners"), (work_ / "gone.swf").string(), client_),
               std::system_error);
  FTPRec bad = Fields("banners");
  bad.host = "127.0.0.1/evil";
  EXPECT_THROW(PublishByFtp(bad, movie_, client_), EFtpError);
}

}  // namespace
}  // namespace tessaly::publish
