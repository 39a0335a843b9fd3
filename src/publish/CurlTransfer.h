#pragma once
// What the FTP upload and the update check share on top of libcurl: a handle
// that frees itself, a transfer that a flag set on another thread ends at
// once, and the reason of a failed transfer in words.

#include <curl/curl.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

namespace tessaly::publish {

struct TCurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
using TCurlHandle = std::unique_ptr<CURL, TCurlDeleter>;

// A fresh easy handle, the library started first. Throws std::runtime_error
// when libcurl cannot start.
TCurlHandle NewCurlHandle();

// Runs the transfer set up on `handle`. While it runs, `cancel` (may be
// null) is looked at every 50 ms, and also wherever the handle's own
// transfer-info callback looks at it: once set, the connection is closed at
// once and nullopt is returned. Otherwise returns the transfer's result.
std::optional<CURLcode> PerformCancellable(CURL* handle, const std::atomic<bool>* cancel);

// The reason a transfer failed: the handle's error text (`errorBuffer` when
// filled, else libcurl's text for `code`), followed by the system's reason
// when the operating system reported one that the text does not already say.
std::string CurlFailureReason(CURL* handle, CURLcode code, const char* errorBuffer);

}  // namespace tessaly::publish
