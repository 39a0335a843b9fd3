#include "publish/Network.h"

#include <curl/curl.h>

#include <stdexcept>
#include <string>

namespace tessaly::publish {

void InitialiseNetwork() {
  // A function-local static is initialised exactly once, even when threads
  // race to it.
  static const CURLcode started = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (started != CURLE_OK)
    throw std::runtime_error(std::string("the network library cannot start: ") +
                             curl_easy_strerror(started));
}

}  // namespace tessaly::publish
