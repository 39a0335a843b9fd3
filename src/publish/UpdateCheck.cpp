#include "publish/UpdateCheck.h"

#include <algorithm>
#include <cstdlib>

#include "publish/CurlTransfer.h"

namespace tessaly::publish {
namespace {

// A version file is a few dozen bytes; anything much larger is not one.
constexpr std::size_t kMaxVersionFileBytes = 16 * 1024;

struct TBody {
  std::string Bytes;
  bool TooLarge = false;
};

size_t CollectBody(char* data, size_t size, size_t count, void* user) {
  auto& body = *static_cast<TBody*>(user);
  const size_t bytes = size * count;
  if (body.Bytes.size() + bytes > kMaxVersionFileBytes) {
    body.TooLarge = true;
    return 0;  // ends the transfer
  }
  body.Bytes.append(data, bytes);
  return bytes;
}

int WatchCancel(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* cancel = static_cast<const std::atomic<bool>*>(user);
  return cancel != nullptr && cancel->load() ? 1 : 0;
}

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Line `index` (from 0) of the text, trimmed; empty past the last line.
std::string_view Line(std::string_view text, int index) {
  for (int i = 0; i < index; ++i) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos) return {};
    text.remove_prefix(end + 1);
  }
  return Trimmed(text.substr(0, text.find('\n')));
}

bool IsWebAddress(std::string_view address) {
  const bool http = address.starts_with("http://") || address.starts_with("https://");
  if (!http) return false;
  for (unsigned char c : address)
    if (c <= ' ' || c == 0x7F) return false;
  return address.size() > address.find("//") + 2;
}

// The request, set up; `body` and `errors` must outlive it.
void SetRequestOptions(CURL* h, const std::string& url, TBody& body, char* errors,
                       const std::atomic<bool>* cancel, const TUpdateTimeouts& timeouts) {
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "https");
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, timeouts.Connect);
  curl_easy_setopt(h, CURLOPT_TIMEOUT, timeouts.Total);
  curl_easy_setopt(h, CURLOPT_USERAGENT, "Tessaly update check");
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errors);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, CollectBody);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, WatchCancel);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, cancel);
}

TUpdateResult FailedCheck(const std::string& reason) {
  return {TUpdateStatus::Failed, "无法检查更新: " + reason, {}};
}

// Fetches the file; nullopt when cancelled. Throws std::runtime_error with
// the reason when the file cannot be had.
std::optional<std::string> FetchVersionFile(const std::string& url, const std::atomic<bool>* cancel,
                                            const TUpdateTimeouts& timeouts) {
  TCurlHandle curl = NewCurlHandle();
  TBody body;
  char errors[CURL_ERROR_SIZE] = {};
  SetRequestOptions(curl.get(), url, body, errors, cancel, timeouts);
  const std::optional<CURLcode> code = PerformCancellable(curl.get(), cancel);
  if (!code) return std::nullopt;
  if (body.TooLarge) throw std::runtime_error("the version file is larger than 16 KB");
  if (*code != CURLE_OK) throw std::runtime_error(CurlFailureReason(curl.get(), *code, errors));
  return body.Bytes;
}

}  // namespace

std::string UpdateCheckURL() {
  const char* set = std::getenv(std::string(UpdateURLVariable).c_str());
  return set != nullptr && set[0] != 0 ? std::string(set) : std::string(DefaultUpdateURL);
}

std::optional<std::vector<std::string>> VersionParts(std::string_view version) {
  std::vector<std::string> parts;
  while (true) {
    const size_t dot = version.find('.');
    std::string_view number = version.substr(0, dot);
    if (number.empty()) return std::nullopt;
    for (char c : number)
      if (c < '0' || c > '9') return std::nullopt;
    while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
    parts.emplace_back(number);
    if (dot == std::string_view::npos) return parts;
    version.remove_prefix(dot + 1);
  }
}

int CompareVersions(std::string_view a, std::string_view b) {
  const auto left = VersionParts(a), right = VersionParts(b);
  if (!left || !right) throw std::invalid_argument("not a version: \"" + std::string(left ? b : a) + "\"");
  for (size_t i = 0; i < std::max(left->size(), right->size()); ++i) {
    const std::string x = i < left->size() ? (*left)[i] : "0";
    const std::string y = i < right->size() ? (*right)[i] : "0";
    // Without leading zeros a longer number is the larger one.
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

TVersionFile ParseVersionFile(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::string_view version = Line(text, 0), address = Line(text, 1);
  if (!VersionParts(version))
    throw EVersionFileError("the version file does not start with a version (\"" +
                            std::string(version.substr(0, 40)) + "\")");
  if (!IsWebAddress(address))
    throw EVersionFileError("the version file gives no download address on its second line");
  return {std::string(version), std::string(address)};
}

TUpdateResult CheckForUpdate(std::string_view currentVersion, const std::string& url,
                             const std::atomic<bool>* cancel, TUpdateTimeouts timeouts) {
  try {
    const std::optional<std::string> text = FetchVersionFile(url, cancel, timeouts);
    if (!text) return {TUpdateStatus::Cancelled, "", {}};
    TVersionFile offered = ParseVersionFile(*text);
    if (CompareVersions(offered.Version, currentVersion) > 0)
      return {TUpdateStatus::Newer, "发现新版本 " + offered.Version + ". 下载地址: " + offered.DownloadURL,
              offered};
    return {TUpdateStatus::Current, std::string(MsgUpToDate), offered};
  } catch (const std::exception& e) {
    return FailedCheck(e.what());
  }
}

}  // namespace tessaly::publish
