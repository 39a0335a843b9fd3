#pragma once
// The update check behind "检查更新": fetches a small version file from the
// program's web site and compares its version with the running one. No
// window code: it runs on a worker thread and can be cancelled.
//
// The version file is text: the first line is the newest version (numbers
// separated by dots, e.g. "1.2.10"), the second the address to download it
// from (http:// or https://). Lines may end in CR LF.

#include <atomic>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::publish {

inline constexpr std::string_view DefaultUpdateURL = "https://tessaly.github.io/version.txt";
// The environment variable that replaces the address (tests serve the file
// from a local HTTP server).
inline constexpr std::string_view UpdateURLVariable = "TESSALY_UPDATE_URL";
inline constexpr std::string_view MsgUpToDate = "你使用的已经是最新版本.";

// The address of the version file: $TESSALY_UPDATE_URL when set and not
// empty, else DefaultUpdateURL.
std::string UpdateCheckURL();

struct TVersionFile {
  std::string Version;
  std::string DownloadURL;
};

// The version's numbers, leading zeros dropped ("1.02" gives {"1", "2"});
// nullopt unless the text is numbers separated by single dots.
std::optional<std::vector<std::string>> VersionParts(std::string_view version);

// Compares two versions number by number from the left, a missing number
// counting as 0 ("1.2" equals "1.2.0", "1.10" is above "1.9"): negative,
// 0 or positive as a is older than, equal to or newer than b. Both must be
// valid versions (VersionParts); throws std::invalid_argument otherwise.
int CompareVersions(std::string_view a, std::string_view b);

// A version file that does not hold a version and an address; what() says
// what is wrong with it.
class EVersionFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the version file (a UTF-8 byte order mark and blanks around the
// lines are passed over). Throws EVersionFileError.
TVersionFile ParseVersionFile(std::string_view text);

enum class TUpdateStatus { Newer, Current, Failed, Cancelled };

struct TUpdateResult {
  TUpdateStatus Status = TUpdateStatus::Failed;
  // The one message to show: "发现新版本 " + version + ". 下载地址: " + address,
  // "你使用的已经是最新版本.", or "无法检查更新: " + reason; empty when
  // cancelled.
  std::string Message;
  TVersionFile Offered;  // filled for Newer and Current
};

// Limits of the request, in seconds.
struct TUpdateTimeouts {
  long Connect = 10;
  long Total = 20;
};

// Fetches the version file at `url` (http or https; https only after a
// redirect) and compares it with `currentVersion`. `cancel` (may be null)
// set from any thread ends the request at once with TUpdateStatus::Cancelled.
// Never throws for network or file faults: they come back as Failed.
TUpdateResult CheckForUpdate(std::string_view currentVersion, const std::string& url,
                             const std::atomic<bool>* cancel = nullptr,
                             TUpdateTimeouts timeouts = {});

}  // namespace tessaly::publish
