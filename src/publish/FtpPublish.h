#pragma once
// The FTP command: upload the saved movie to one of the user's sites.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "publish/FtpSites.h"

namespace tessaly::publish {

inline constexpr std::string_view MsgSaveBeforeFtp = "使用FTP发布到站点前请先保存文件.";
inline constexpr std::string_view MsgFtpUploaded = "The file was successfully uploaded.";

// A failed connection, login, change of folder or transfer; what() names the
// host, the step and the server's or the system's reason.
class EFtpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An upload the user cancelled; not a failure. what() names the host.
class EFtpCancelled : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Watching and stopping an upload that runs on another thread than the
// window's.
struct TUploadControl {
  // Bytes sent so far of the file's total; called on the uploading thread,
  // whenever the count moved, and once with sent == total at the end.
  std::function<void(std::uint64_t sent, std::uint64_t total)> Progress;
  // Set from any thread to end the upload at once (within 50 ms); the upload
  // then throws EFtpCancelled. May be null.
  const std::atomic<bool>* Cancel = nullptr;
};

struct TFtpConnection {
  std::string Host;
  std::string User;
  std::string Password;
  int Port = 21;
};

// Limits of one upload, in seconds.
struct TFtpTimeouts {
  long Connect = 15;   // establishing the control connection
  long Response = 30;  // waiting for any one server reply
  long Stall = 30;     // transfer slower than 1 byte per second for this long
  long Total = 300;    // the whole upload
};

class TFtpClient {
 public:
  virtual ~TFtpClient() = default;
  // Connects and logs in, changes to `folder` (no change when empty), stores
  // `localFile` as `remoteName`, disconnects; reports progress and looks at
  // the cancel flag of `control` meanwhile. Throws EFtpError on failure,
  // EFtpCancelled when cancelled, std::system_error when the local file
  // cannot be read.
  virtual void Upload(const TFtpConnection& connection, const std::string& folder,
                      const std::filesystem::path& localFile, const std::string& remoteName,
                      const TUploadControl& control) = 0;
};

// The FTP client of libcurl, always in passive mode. The folder is entered with one change of
// folder, as typed, "." and ".." included (a leading "/" makes it absolute); names are sent
// in UTF-8.
class TCurlFtpClient : public TFtpClient {
 public:
  explicit TCurlFtpClient(TFtpTimeouts timeouts = {}) : timeouts_(timeouts) {}
  void Upload(const TFtpConnection& connection, const std::string& folder,
              const std::filesystem::path& localFile, const std::string& remoteName,
              const TUploadControl& control) override;

 private:
  TFtpTimeouts timeouts_;
};

// The port field as a number; 21 when it is not a port number (1 to 65535).
int FtpPort(std::string_view portField);

// First step of the FTP command: with nothing saved returns the message to
// show; otherwise loads the site list into `table` for the selection dialog
// (offering SelectableFtpSites(table) entries).
std::optional<std::string> StartFtpCommand(const std::string& saveFileName, TFtpSiteTable& table,
                                           const std::filesystem::path& sitesFile);

// The selection dialog's OK: uploads the movie under its bare file name with
// the dialog's fields, in passive mode. Returns the messages to show, one
// "The file was successfully uploaded." per upload the client completed.
// Throws EFtpError or std::system_error on failure, EFtpCancelled when
// `control`'s flag ended it. Runs off the window's thread.
std::vector<std::string> PublishByFtp(const FTPRec& fields, const std::string& moviePath,
                                      TFtpClient& client, const TUploadControl& control = {});

}  // namespace tessaly::publish
