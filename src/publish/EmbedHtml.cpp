#include "publish/EmbedHtml.h"

#include <system_error>

#include "publish/AnsiLines.h"

namespace tessaly::publish {
namespace {

// Built by appending: GCC 12 warns falsely (-Wrestrict) about "\"" + s + "\"".
std::string Quoted(int value) {
  std::string quoted = "\"";
  quoted += std::to_string(value);
  quoted += '"';
  return quoted;
}

}  // namespace

std::string PercentEncoded(std::string_view text, std::string_view alsoPlain) {
  static const char hex[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '.' || c == '_' || c == '~' || alsoPlain.find(static_cast<char>(c)) != std::string_view::npos;
    if (plain) {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += hex[c >> 4];
      encoded += hex[c & 15];
    }
  }
  return encoded;
}

std::string ClickTagFlashVars(std::string_view clickTag) { return "clickTAG=" + PercentEncoded(clickTag, ""); }

std::string MovieURL(std::string_view moviePath) {
  std::string path(moviePath);
  for (char& c : path)
    if (c == '\\') c = '/';
  if (!path.empty() && path.front() == '/') path.erase(0, 1);
  return "file:///" + PercentEncoded(path, "/:");
}

std::string AbsolutePath(const std::string& path) {
  return path.empty() ? path : std::filesystem::absolute(path).string();
}

std::string BareFileName(std::string_view path) {
  size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::uint64_t SizeKB(std::uint64_t bytes) {
  std::uint64_t whole = bytes / 1024;
  std::uint64_t rest = bytes % 1024;
  if (rest > 512 || (rest == 512 && whole % 2 == 1)) ++whole;
  return whole;
}

std::vector<std::string> EmbeddingBlock(const TEmbedding& e) {
  const bool transparent = e.Banner.BackgroundShape != 0;
  const std::string size =
      "WIDTH=" + Quoted(e.Banner.Width) + " HEIGHT=" + Quoted(e.Banner.Height);
  const std::string name = "\"TSLY-" + e.FileName + "\"";
  std::vector<std::string> lines;
  lines.push_back("<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"");
  lines.push_back("codebase=\"" + std::string(PlayerDownloadServer) +
                  "/pub/shockwave/cabs/flash/swflash.cab#version=6,0,40,0\"");
  lines.push_back(size + " id=" + name + ">");
  lines.push_back("<PARAM NAME=movie VALUE=\"" + e.MovieURL + "\">");
  lines.push_back("<PARAM NAME=quality VALUE=" + e.Quality + "> ");
  lines.push_back("<PARAM NAME=bgcolor VALUE=#FFFFFF>");
  if (transparent) lines.push_back(" <PARAM NAME=wmode VALUE=transparent>");
  const std::string flashVars = e.ClickTag.empty() ? std::string() : ClickTagFlashVars(e.ClickTag);
  if (!flashVars.empty()) lines.push_back("<PARAM NAME=FlashVars VALUE=\"" + flashVars + "\">");
  lines.push_back("<EMBED src=\"" + e.MovieURL + "\" quality=" + e.Quality +
                  " bgcolor=#FFFFFF " + size);
  lines.push_back("NAME=" + name + " ALIGN=\"\" TYPE=\"application/x-shockwave-flash\"");
  if (transparent) lines.push_back("WMODE=\"transparent\"");
  if (!flashVars.empty()) lines.push_back("FlashVars=\"" + flashVars + "\"");
  lines.push_back("PLUGINSPAGE=\"" + std::string(PlayerWebServer) + "/go/getflashplayer\">");
  lines.push_back("</EMBED>");
  lines.push_back("</OBJECT>");
  return lines;
}

std::vector<std::string> PreviewPageLines(const std::string& moviePath, std::uint64_t fileSize,
                                          const TBannerGeometry& banner) {
  const std::string path = AbsolutePath(moviePath);
  TEmbedding embedding;
  embedding.MovieURL = MovieURL(path);
  embedding.FileName = BareFileName(path);
  embedding.Banner = banner;

  std::vector<std::string> lines = {"<HTML>", "<HEAD>", std::string(CharsetLine),
                                    "<TITLE>" + path + "</TITLE>",
                                    "</HEAD>", "<BODY>", "<p>"};
  for (std::string& line : EmbeddingBlock(embedding)) lines.push_back(std::move(line));
  const std::vector<std::string> box = {
      "</p>",
      "</p>",
      "<div align=\"left\">",
      "  <table border=\"1\" width=\"432\" height=\"154\">",
      "    <tr>",
      "      <td width=\"332\" height=\"154\" valign=\"top\">",
      "<p>文件名称 = " + embedding.FileName + "</p>",
      "        <p>高度 = " + std::to_string(banner.Height) + "</p>",
      "        <p>宽度 = " + std::to_string(banner.Width) + "</p>",
      "        <p>大小 = " + std::to_string(SizeKB(fileSize)) + "KB </p>",
      "</tr>",
      "</div>",
      "</table>",
      "</BODY>",
      "</HTML>",
  };
  lines.insert(lines.end(), box.begin(), box.end());
  return lines;
}

bool WritePreviewPage(const std::string& moviePath, const TBannerGeometry& banner,
                      const std::filesystem::path& tempFolder) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(moviePath, ec)) return false;
  std::uintmax_t size = std::filesystem::file_size(moviePath, ec);
  if (ec) throw std::system_error(ec, moviePath);
  SaveAnsiLines(tempFolder / PreviewPageName, PreviewPageLines(moviePath, size, banner), 0644);
  return true;
}

std::optional<std::string> PreviewMovie(const std::string& saveFileName,
                                        const TBannerGeometry& banner,
                                        const std::filesystem::path& tempFolder,
                                        TShellOpener& opener) {
  if (saveFileName.empty()) return std::string(MsgSaveBeforePreview);
  if (!WritePreviewPage(saveFileName, banner, tempFolder))
    return std::string(MsgPreviewMovieMissing) + saveFileName;
  const std::string page = (tempFolder / PreviewPageName).string();
  if (!opener.Open(page)) return std::string(MsgNoBrowser) + page;
  return std::nullopt;
}

}  // namespace tessaly::publish
