#include "publish/FtpPublish.h"

#include <curl/curl.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "publish/EmbedHtml.h"

namespace tessaly::publish {
namespace {

struct TCurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
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

// Percent-encodes every byte except unreserved ones and, when keepSlash,
// "/" inside the path (a leading "/" is encoded so the folder is absolute).
std::string EncodePath(std::string_view text, bool keepSlash) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '.' || c == '_' || c == '~' || (keepSlash && c == '/' && i > 0);
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
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

}  // namespace

void TCurlFtpClient::Upload(const TFtpConnection& connection, const std::string& folder,
                            const std::filesystem::path& localFile,
                            const std::string& remoteName) {
  const std::string where = "FTP upload to " + connection.Host + " failed: ";
  if (!IsValidHost(connection.Host)) throw EFtpError(where + "invalid host address");

  std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(localFile.c_str(), "rb"));
  if (!file) throw std::system_error(errno, std::generic_category(), localFile.string());
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(localFile, ec);
  if (ec) throw std::system_error(ec, localFile.string());

  static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
  std::unique_ptr<CURL, TCurlDeleter> curl(initialised == CURLE_OK ? curl_easy_init() : nullptr);
  if (!curl) throw EFtpError(where + "the FTP client cannot start");
  CURL* h = curl.get();

  char errors[CURL_ERROR_SIZE] = {};
  std::string serverReply;
  const std::string url = UploadURL(connection, folder, remoteName);
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "ftp");
  // The folder reaches the server as typed: libcurl would otherwise resolve
  // "." and ".." segments itself, and "../pub" would become "pub".
  SetOption(h, CURLOPT_PATH_AS_IS, 1);
  curl_easy_setopt(h, CURLOPT_USERNAME, connection.User.c_str());
  curl_easy_setopt(h, CURLOPT_PASSWORD, connection.Password.c_str());
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errors);
  curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, KeepServerReply);
  curl_easy_setopt(h, CURLOPT_DEBUGDATA, &serverReply);
  SetOption(h, CURLOPT_VERBOSE, 1);
  SetOption(h, CURLOPT_NOSIGNAL, 1);
  SetOption(h, CURLOPT_NOPROGRESS, 1);
  SetOption(h, CURLOPT_UPLOAD, 1);
  curl_easy_setopt(h, CURLOPT_READDATA, file.get());
  curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  SetOption(h, CURLOPT_FTP_FILEMETHOD, CURLFTPMETHOD_SINGLECWD);
  SetOption(h, CURLOPT_FTP_CREATE_MISSING_DIRS, CURLFTP_CREATE_DIR_NONE);
  curl_easy_setopt(h, CURLOPT_FTPPORT, nullptr);
  SetOption(h, CURLOPT_FTP_USE_EPSV, 1);
  SetOption(h, CURLOPT_CONNECTTIMEOUT, timeouts_.Connect);
  SetOption(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeouts_.Response);
  SetOption(h, CURLOPT_LOW_SPEED_LIMIT, 1);
  SetOption(h, CURLOPT_LOW_SPEED_TIME, timeouts_.Stall);
  SetOption(h, CURLOPT_TIMEOUT, timeouts_.Total);

  const CURLcode code = curl_easy_perform(h);
  if (code == CURLE_OK) return;

  std::string reason;
  if (ServerGaveReason(code) && !serverReply.empty()) {
    reason = serverReply;
  } else {
    reason = errors[0] ? errors : curl_easy_strerror(code);
    long osError = 0;
    if (curl_easy_getinfo(h, CURLINFO_OS_ERRNO, &osError) == CURLE_OK && osError != 0) {
      const std::string system = std::strerror(static_cast<int>(osError));
      if (reason.find(system) == std::string::npos) reason += " (" + system + ")";
    }
  }
  throw EFtpError(where + FailedStep(code, folder) + ": " + reason);
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
                                      TFtpClient& client) {
  TFtpConnection connection;
  connection.Host = fields.host;
  connection.User = fields.user;
  connection.Password = fields.password;
  connection.Port = FtpPort(fields.port);
  client.Upload(connection, fields.folder, moviePath, BareFileName(moviePath));
  return {std::string(MsgFtpUploaded)};
}

}  // namespace tessaly::publish
