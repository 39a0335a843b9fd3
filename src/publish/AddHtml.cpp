#include "publish/AddHtml.h"

#include <algorithm>
#include <cctype>

#include "publish/AnsiLines.h"

namespace tessaly::publish {
namespace {

bool EndsWithSeparator(std::string_view s) {
  return !s.empty() && (s.back() == '/' || s.back() == '\\');
}

std::string QuotedQuality(int choice) {
  std::string quoted = "\"";
  quoted += QualityWord(choice);
  quoted += '"';
  return quoted;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

}  // namespace

std::string SnippetSite(std::string_view defaultWebSite) {
  if (defaultWebSite.find(".htm") == std::string_view::npos) return std::string(defaultWebSite);
  size_t end = defaultWebSite.find_last_of("/\\");
  if (end == std::string_view::npos) return std::string(defaultWebSite);
  return std::string(defaultWebSite.substr(0, end + 1));
}

std::string SnippetLocation(std::string_view defaultWebSite,
                            std::string_view defaultWebImageDirectory) {
  if (defaultWebImageDirectory.find("http") != std::string_view::npos)
    return std::string(defaultWebImageDirectory);
  std::string site = SnippetSite(defaultWebSite);
  if (!EndsWithSeparator(site)) site += '/';
  return site + std::string(defaultWebImageDirectory);
}

TSnippetFields OpenSnippetDialog(std::string_view defaultWebSite,
                                 std::string_view defaultWebImageDirectory,
                                 const std::string& savedMoviePath) {
  TSnippetFields fields;
  fields.Location = SnippetLocation(defaultWebSite, defaultWebImageDirectory);
  fields.FileField = savedMoviePath;
  return fields;
}

std::string WebURL(std::string_view location, std::string_view fileField) {
  std::string url(location);
  if (url.empty() || url.back() != '/') url += '/';
  return url + BareFileName(fileField);
}

std::string_view QualityWord(int choice) {
  static constexpr std::string_view words[] = {"low",    "autolow", "autohigh",
                                               "medium", "high",    "best"};
  if (choice < 0 || choice >= static_cast<int>(std::size(words))) return "high";
  return words[choice];
}

std::vector<std::string> SnippetBlock(const TSnippetFields& fields,
                                      const TBannerGeometry& banner) {
  TEmbedding embedding;
  embedding.MovieURL = WebURL(fields.Location, fields.FileField);
  embedding.FileName = BareFileName(fields.FileField);
  embedding.Quality = QuotedQuality(fields.Quality);
  embedding.Banner = banner;
  embedding.ClickTag = fields.ClickTag;
  return EmbeddingBlock(embedding);
}

bool IsProgramWebLocation(std::string_view location) {
  auto lower = [](unsigned char c) { return std::tolower(c); };
  auto found = std::search(location.begin(), location.end(), ProgramWebDomain.begin(),
                           ProgramWebDomain.end(),
                           [&](char a, char b) { return lower(a) == lower(b); });
  return found != location.end();
}

TSnippetResult GenerateSnippet(const TSnippetFields& fields, const TBannerGeometry& banner,
                               const std::function<bool()>& continueWithProgramLocation) {
  if (fields.FileField.empty()) return {std::string(MsgImageFileNameBlank), std::nullopt};
  if (IsProgramWebLocation(fields.Location) && !continueWithProgramLocation()) return {};
  return {std::nullopt, JoinLines(SnippetBlock(fields, banner))};
}

std::optional<std::string> CheckCopySnippet(std::string_view codeBox) {
  if (codeBox.empty()) return std::string(MsgGenerateBeforeCopy);
  return std::nullopt;
}

std::vector<std::string> SnippetPreviewPageLines(std::string_view codeBox,
                                                 const TSnippetFields& fields,
                                                 const TBannerGeometry& banner,
                                                 const std::string& savedMoviePath) {
  const std::string moviePath = AbsolutePath(savedMoviePath);
  TEmbedding local;
  local.MovieURL = MovieURL(moviePath);
  local.FileName = BareFileName(moviePath);
  local.Quality = QuotedQuality(fields.Quality);
  local.Banner = banner;
  local.ClickTag = fields.ClickTag;

  std::vector<std::string> lines = {
      "<HTML>",
      "<HEAD>",
      std::string(CharsetLine),
      "</HEAD>",
      "<BODY>",
      "<CENTER><H2>Tessaly - Create HTML Code Preview</H2></CENTER>",
      "<BR>",
      "<HR>",
      "<BR>",
      "<B>本地图像</B><BR>",
      "这是在本机上预览Flash横幅.",
      "<BR>",
      "<BR>",
  };
  for (std::string& line : EmbeddingBlock(local)) lines.push_back(std::move(line));
  const std::vector<std::string> middle = {
      "",
      "<BR>",
      "<BR>",
      "If you do not see your flash image, the most likely explanations are that the local "
      "directory cannot be found (or was not entered) or the filename is incorrect.",
      "<BR>",
      "<HR>",
      "<BR>",
      "<B>Web Server Image</B>",
      "<BR>",
      "Here's the preview of the flash image on your web server.",
      "<BR>",
      "<BR>",
  };
  lines.insert(lines.end(), middle.begin(), middle.end());
  for (std::string& line : SplitLines(codeBox)) lines.push_back(std::move(line));
  const std::vector<std::string> end = {
      "<BR>",
      "<BR>",
      "If you do not see your image, the most likely explanation is that the file has not been "
      "copied to your web server yet. If you have just created the image, you will not see your "
      "image until it is moved to your web server.",
      "<BR>",
      "<HR>",
      "</BODY>",
      "</HTML>",
  };
  lines.insert(lines.end(), end.begin(), end.end());
  return lines;
}

std::optional<std::string> PreviewSnippet(std::string_view codeBox, const TSnippetFields& fields,
                                          const TBannerGeometry& banner,
                                          const std::string& savedMoviePath,
                                          const std::filesystem::path& tempFolder,
                                          TShellOpener& opener) {
  if (codeBox.empty()) return std::string(MsgGenerateBeforePreview);
  const std::filesystem::path page = tempFolder / SnippetPreviewPageName;
  SaveAnsiLines(page, SnippetPreviewPageLines(codeBox, fields, banner, savedMoviePath), 0644);
  if (!opener.Open(page.string())) return std::string(MsgNoBrowser) + page.string();
  return std::nullopt;
}

}  // namespace tessaly::publish
