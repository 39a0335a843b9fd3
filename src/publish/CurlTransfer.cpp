#include "publish/CurlTransfer.h"

#include <cstring>
#include <stdexcept>

#include "publish/Network.h"

namespace tessaly::publish {
namespace {

struct TMultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};

// Keeps `handle` in `multi` for the life of the object; removing it closes
// a transfer that is still running.
class TAddedHandle {
 public:
  TAddedHandle(CURLM* multi, CURL* handle) : multi_(multi), handle_(handle) {
    if (curl_multi_add_handle(multi, handle) != CURLM_OK)
      throw std::runtime_error("the network library cannot start a transfer");
  }
  ~TAddedHandle() { curl_multi_remove_handle(multi_, handle_); }
  TAddedHandle(const TAddedHandle&) = delete;
  TAddedHandle& operator=(const TAddedHandle&) = delete;

 private:
  CURLM* multi_;
  CURL* handle_;
};

bool IsSet(const std::atomic<bool>* flag) { return flag != nullptr && flag->load(); }

}  // namespace

TCurlHandle NewCurlHandle() {
  InitialiseNetwork();
  TCurlHandle handle(curl_easy_init());
  if (!handle) throw std::runtime_error("the network library cannot start a transfer");
  return handle;
}

std::optional<CURLcode> PerformCancellable(CURL* handle, const std::atomic<bool>* cancel) {
  constexpr int kPollMilliseconds = 50;
  std::unique_ptr<CURLM, TMultiDeleter> multi(curl_multi_init());
  if (!multi) throw std::runtime_error("the network library cannot start a transfer");
  TAddedHandle added(multi.get(), handle);
  int running = 1;
  while (running > 0) {
    if (IsSet(cancel)) return std::nullopt;
    const CURLMcode step = curl_multi_perform(multi.get(), &running);
    if (step != CURLM_OK) throw std::runtime_error(curl_multi_strerror(step));
    if (running > 0) curl_multi_poll(multi.get(), nullptr, 0, kPollMilliseconds, nullptr);
  }
  int left = 0;
  CURLcode result = CURLE_OK;
  while (CURLMsg* message = curl_multi_info_read(multi.get(), &left))
    if (message->msg == CURLMSG_DONE && message->easy_handle == handle) result = message->data.result;
  // A transfer-info callback that saw the flag ends the transfer with this code.
  if (result == CURLE_ABORTED_BY_CALLBACK && IsSet(cancel)) return std::nullopt;
  return result;
}

std::string CurlFailureReason(CURL* handle, CURLcode code, const char* errorBuffer) {
  std::string reason = errorBuffer != nullptr && errorBuffer[0] != 0 ? errorBuffer : curl_easy_strerror(code);
  long osError = 0;
  if (curl_easy_getinfo(handle, CURLINFO_OS_ERRNO, &osError) == CURLE_OK && osError != 0) {
    const std::string system = std::strerror(static_cast<int>(osError));
    if (reason.find(system) == std::string::npos) reason += " (" + system + ")";
  }
  return reason;
}

}  // namespace tessaly::publish
