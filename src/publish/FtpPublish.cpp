#include "publish/FtpPublish.h"

#include <curl/curl.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "publish/CurlTransfer.h"
#include "publish/EmbedHtml.h"

namespace tessaly::publish {
namespace {

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Keeps the server's last reply line, the reason behind a refused command.
int KeepServerReply(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  if (type != CURLINFO_HEADER_IN) return 0;
  std::string line(data, size);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (!line.empty()) *static_cast<std::string*>(user) = line;
  return 0;
}

// What the transfer-info callback reports to and reads from.
struct TProgressState {
  const TUploadControl& Control;
  curl_off_t Total;
  curl_off_t Reported = -1;
};

// Passes the bytes sent on when they moved; a set cancel flag ends the
// transfer. A progress function that throws ends it too, since no exception
// may cross libcurl.
int ReportProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent) {
  auto& state = *static_cast<TProgressState*>(user);
  if (state.Control.Cancel != nullptr && state.Control.Cancel->load()) return 1;
  if (sent == state.Reported || !state.Control.Progress) return 0;
  state.Reported = sent;
  try {
    state.Control.Progress(static_cast<std::uint64_t>(sent), static_cast<std::uint64_t>(state.Total));
  } catch (...) {
    return 1;
  }
  return 0;
}

// Percent-encodes every byte except unreserved ones and, when keepSlash,
// "/" inside the path (a leading "/" is encoded so the folder is absolute).
std::string EncodePath(std::string_view text, bool keepSlash) {
  if (!keepSlash) return PercentEncoded(text, "");
  if (!text.empty() && text.front() == '/') return "%2F" + PercentEncoded(text.substr(1), "/");
  return PercentEncoded(text, "/");
}

bool IsValidHost(std::string_view host) {
  if (host.empty()) return false;
  for (unsigned char c : host)
    if (c <= ' ' || c == 0x7F || std::strchr("/?#@[]\\", c)) return false;
  return true;
}

std::string UploadURL(const TFtpConnection& c, const std::string& folder,
                      const std::string& remoteName) {
  const bool ipv6 = c.Host.find(':') != std::string::npos;
  std::string url = "ftp://" + (ipv6 ? "[" + c.Host + "]" : c.Host) + ":" +
                    std::to_string(c.Port) + "/";
  if (!folder.empty()) {
    url += EncodePath(folder, true);
    if (url.back() != '/') url += '/';
  }
  return url + EncodePath(remoteName, false);
}

std::string FailedStep(CURLcode code, const std::string& folder) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST: return "host not found";
    case CURLE_COULDNT_CONNECT: return "cannot connect";
    case CURLE_LOGIN_DENIED: return "login refused";
    case CURLE_REMOTE_ACCESS_DENIED: return "cannot change to the folder \"" + folder + "\"";
    case CURLE_UPLOAD_FAILED: return "the server refused the file";
    case CURLE_OPERATION_TIMEDOUT: return "time-out";
    case CURLE_PARTIAL_FILE:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR: return "transfer broken";
    default: return "transfer failed";
  }
}

bool ServerGaveReason(CURLcode code) {
  return code == CURLE_LOGIN_DENIED || code == CURLE_REMOTE_ACCESS_DENIED ||
         code == CURLE_UPLOAD_FAILED || code == CURLE_PARTIAL_FILE ||
         code == CURLE_WEIRD_SERVER_REPLY;
}

void SetOption(CURL* curl, CURLoption option, long value) {
  curl_easy_setopt(curl, option, value);
}

// Sets up an upload in passive mode with the client's limits.
void SetUploadOptions(CURL* h, const std::string& url, const TFtpConnection& connection,
                      const TFtpTimeouts& timeouts) {
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "ftp");
  // The folder reaches the server as typed: libcurl would otherwise resolve
  // "." and ".." segments itself, and "../pub" would become "pub".
  SetOption(h, CURLOPT_PATH_AS_IS, 1);
  curl_easy_setopt(h, CURLOPT_USERNAME, connection.User.c_str());
  curl_easy_setopt(h, CURLOPT_PASSWORD, connection.Password.c_str());
  SetOption(h, CURLOPT_VERBOSE, 1);
  SetOption(h, CURLOPT_NOSIGNAL, 1);
  SetOption(h, CURLOPT_UPLOAD, 1);
  SetOption(h, CURLOPT_FTP_FILEMETHOD, CURLFTPMETHOD_SINGLECWD);
  SetOption(h, CURLOPT_FTP_CREATE_MISSING_DIRS, CURLFTP_CREATE_DIR_NONE);
  curl_easy_setopt(h, CURLOPT_FTPPORT, nullptr);
  SetOption(h, CURLOPT_FTP_USE_EPSV, 1);
  SetOption(h, CURLOPT_CONNECTTIMEOUT, timeouts.Connect);
  SetOption(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeouts.Response);
  SetOption(h, CURLOPT_LOW_SPEED_LIMIT, 1);
  SetOption(h, CURLOPT_LOW_SPEED_TIME, timeouts.Stall);
  SetOption(h, CURLOPT_TIMEOUT, timeouts.Total);
}

}  // namespace

void TCurlFtpClient::Upload(const TFtpConnection& connection, const std::string& folder,
                            const std::filesystem::path& localFile, const std::string& remoteName,
                            const TUploadControl& control) {
  const std::string where = "FTP upload to " + connection.Host + " failed: ";
  if (!IsValidHost(connection.Host)) throw EFtpError(where + "invalid host address");

  std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(localFile.c_str(), "rb"));
  if (!file) throw std::system_error(errno, std::generic_category(), localFile.string());
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(localFile, ec);
  if (ec) throw std::system_error(ec, localFile.string());

  TCurlHandle curl;
  try {
    curl = NewCurlHandle();
  } catch (const std::runtime_error& e) {
    throw EFtpError(where + e.what());
  }
  CURL* h = curl.get();
  SetUploadOptions(h, UploadURL(connection, folder, remoteName), connection, timeouts_);
  char errors[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errors);
  std::string serverReply;
  curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, KeepServerReply);
  curl_easy_setopt(h, CURLOPT_DEBUGDATA, &serverReply);
  curl_easy_setopt(h, CURLOPT_READDATA, file.get());
  curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  TProgressState progress{control, static_cast<curl_off_t>(size)};
  SetOption(h, CURLOPT_NOPROGRESS, 0);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, ReportProgress);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, &progress);

  std::optional<CURLcode> code;
  try {
    code = PerformCancellable(h, control.Cancel);
  } catch (const std::runtime_error& e) {
    throw EFtpError(where + e.what());
  }
  if (!code) throw EFtpCancelled("FTP upload to " + connection.Host + " cancelled");
  if (*code == CURLE_OK) {
    if (progress.Reported != progress.Total) ReportProgress(&progress, 0, 0, 0, progress.Total);
    return;
  }
  const std::string reason = ServerGaveReason(*code) && !serverReply.empty()
                                 ? serverReply
                                 : CurlFailureReason(h, *code, errors);
  throw EFtpError(where + FailedStep(*code, folder) + ": " + reason);
}

int FtpPort(std::string_view portField) {
  while (!portField.empty() && portField.front() == ' ') portField.remove_prefix(1);
  while (!portField.empty() && portField.back() == ' ') portField.remove_suffix(1);
  int port = 0;
  auto [end, error] = std::from_chars(portField.data(), portField.data() + portField.size(), port);
  if (error != std::errc() || end != portField.data() + portField.size() || port < 1 ||
      port > 65535)
    return 21;
  return port;
}

std::optional<std::string> StartFtpCommand(const std::string& saveFileName, TFtpSiteTable& table,
                                           const std::filesystem::path& sitesFile) {
  if (saveFileName.empty()) return std::string(MsgSaveBeforeFtp);
  LoadFtpSites(table, sitesFile);
  return std::nullopt;
}

std::vector<std::string> PublishByFtp(const FTPRec& fields, const std::string& moviePath,
                                      TFtpClient& client, const TUploadControl& control) {
  TFtpConnection connection;
  connection.Host = fields.host;
  connection.User = fields.user;
  connection.Password = fields.password;
  connection.Port = FtpPort(fields.port);
  client.Upload(connection, fields.folder, moviePath, BareFileName(moviePath), control);
  return {std::string(MsgFtpUploaded)};
}

}  // namespace tessaly::publish
