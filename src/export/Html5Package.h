#pragma once
// The HTML5 ad package: a zip holding index.html and the animation, the
// WebP with the GIF as the fallback for browsers without WebP. The page
// declares its size to the ad server, makes the whole banner a link to the
// banner's address and target, and takes the ad server's click address
// instead when one is given: `index.html?clickTag=...` in the query string
// or `window.clickTag` set by the server. Only http and https addresses are
// taken from there, so a crafted link cannot run script in the page.

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::exports {

inline constexpr const char* PackagePageName = "index.html";
inline constexpr const char* PackageWebpName = "banner.webp";
inline constexpr const char* PackageGifName = "banner.gif";

struct TAdPage {
  int Width = 0;
  int Height = 0;
  std::string Url;
  std::string Target;
};

// The text of index.html (UTF-8).
std::string AdPageHtml(const TAdPage& page);

// The zip archive of the page and both animations.
std::vector<std::uint8_t> BuildAdPackage(const TAdPage& page, const std::vector<std::uint8_t>& webp,
                                         const std::vector<std::uint8_t>& gif);

}  // namespace tessaly::exports
