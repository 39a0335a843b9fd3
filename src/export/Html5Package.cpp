#include "export/Html5Package.h"

#include "export/ZipArchive.h"

namespace tessaly::exports {

namespace {

// Text for an HTML attribute value in double quotes.
std::string Attribute(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

// Picks the click address when the page loads and again at each click, so
// a clickTag the ad server sets later is followed too.
constexpr const char* ClickScript = R"(<script>
(function () {
  var link = document.getElementById("banner");
  function clickAddress() {
    var query = new URLSearchParams(window.location.search);
    var given = query.get("clickTag") || query.get("clickTAG") || query.get("clicktag") ||
                window.clickTag || window.clickTAG;
    return typeof given === "string" && /^https?:\/\//i.test(given) ? given : link.getAttribute("data-url");
  }
  link.href = clickAddress();
  link.addEventListener("click", function () { link.href = clickAddress(); });
})();
</script>
)";

}  // namespace

std::string AdPageHtml(const TAdPage& page) {
  const std::string w = std::to_string(page.Width), h = std::to_string(page.Height);
  const std::string url = Attribute(page.Url);
  std::string html;
  html += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n";
  html += "<meta name=\"ad.size\" content=\"width=" + w + ",height=" + h + "\">\n";
  html += "<title>Banner</title>\n";
  html += "<style>\nhtml, body { margin: 0; padding: 0; }\n";
  html += "#banner { display: block; width: " + w + "px; height: " + h + "px; overflow: hidden; }\n";
  html += "#banner img { display: block; border: 0; }\n</style>\n</head>\n<body>\n";
  html += "<a id=\"banner\" href=\"" + url + "\" data-url=\"" + url + "\" target=\"" + Attribute(page.Target) +
          "\"><picture><source srcset=\"" + PackageWebpName + "\" type=\"image/webp\"><img src=\"" + PackageGifName +
          "\" width=\"" + w + "\" height=\"" + h + "\" alt=\"Banner\"></picture></a>\n";
  html += ClickScript;
  html += "</body>\n</html>\n";
  return html;
}

std::vector<std::uint8_t> BuildAdPackage(const TAdPage& page, const std::vector<std::uint8_t>& webp,
                                         const std::vector<std::uint8_t>& gif) {
  const std::string html = AdPageHtml(page);
  return ZipEntries({{PackagePageName, std::vector<std::uint8_t>(html.begin(), html.end()), true},
                     {PackageWebpName, webp, false},
                     {PackageGifName, gif, false}});
}

}  // namespace tessaly::exports
