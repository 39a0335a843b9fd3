#pragma once
// The HTML that embeds a saved movie (ActiveX object with the plug-in
// fallback) and the browser preview page "temp3.html".

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "publish/DesktopServices.h"

namespace tessaly::publish {

inline constexpr std::string_view MsgSaveBeforePreview = "预览前请先保存文件.";
// Shown when the remembered movie has disappeared since it was saved.
inline constexpr std::string_view MsgPreviewMovieMissing = "找不到已保存的文件: ";

// Where the player's installer and download page are.
inline constexpr std::string_view PlayerDownloadServer = "https://fpdownload.macromedia.com";
inline constexpr std::string_view PlayerWebServer = "https://www.adobe.com";

inline constexpr std::string_view PreviewPageName = "temp3.html";

// The first line inside <HEAD> of the pages written for the browser: they
// are in code page 936, which browsers do not guess.
inline constexpr std::string_view CharsetLine = "<meta charset=\"gbk\">";

// What the embedding needs of the banner: its size in pixels and its
// background outline (0 = rectangle; any other outline is embedded with a
// transparent window mode so the page shows around it).
struct TBannerGeometry {
  int Width = 468;
  int Height = 60;
  int BackgroundShape = 0;
};

// One embedding block's values.
struct TEmbedding {
  std::string MovieURL;
  std::string FileName;  // the id and name are "TSLY-" + FileName
  // The quality attribute's value as written: high for the preview page,
  // the quoted word ("best") for generated HTML code.
  std::string Quality = "high";
  TBannerGeometry Banner;
  // The address handed to the movie as its clickTAG variable; empty: no
  // FlashVars are written.
  std::string ClickTag;
};

// The text with every byte but letters, digits, "-._~" and those of
// alsoPlain as "%XX" (upper-case hex).
std::string PercentEncoded(std::string_view text, std::string_view alsoPlain);

// "clickTAG=" + the address percent-encoded as UTF-8: every byte but
// letters, digits and "-._~" becomes "%XX", so the value holds nothing
// that HTML would read inside a quoted attribute ("&", "<", quotes).
std::string ClickTagFlashVars(std::string_view clickTag);

// "file:///" + the path with every "\" turned into "/", every byte but
// letters, digits, "-._~", "/" and ":" percent-encoded (UTF-8), so a path
// with "#", "%", a blank or Chinese characters still opens; the root "/" of
// an absolute path is not doubled. A local movie's path is made absolute
// first (AbsolutePath).
std::string MovieURL(std::string_view moviePath);

// The path made absolute against the current folder, so that a relative
// movie path still gives a file URL that finds the movie; an empty path
// stays empty.
std::string AbsolutePath(const std::string& path);

// The file-name part of a path (after the last "/").
std::string BareFileName(std::string_view path);

// Bytes / 1024, rounded to the nearest integer, halves to even.
std::uint64_t SizeKB(std::uint64_t bytes);

// The 11 lines of the block (13 for a non-rectangular banner); with a
// clickTAG two more: a FlashVars PARAM after the other PARAMs and a
// FlashVars attribute of the EMBED before PLUGINSPAGE.
std::vector<std::string> EmbeddingBlock(const TEmbedding& embedding);

// Every line of the preview page for a movie of `fileSize` bytes; the title
// and the URL name the movie by its absolute path.
std::vector<std::string> PreviewPageLines(const std::string& moviePath, std::uint64_t fileSize,
                                          const TBannerGeometry& banner);

// Writes `tempFolder`/"temp3.html" for the movie, replacing an earlier page,
// and returns true; returns false, writing nothing, when the movie file does
// not exist. Throws std::system_error when the page cannot be written.
bool WritePreviewPage(const std::string& moviePath, const TBannerGeometry& banner,
                      const std::filesystem::path& tempFolder);

// The Preview command. `saveFileName` is the save dialog's file name (empty
// when nothing was saved or opened since the last new document);
// `tempFolder` is TempFolder(). Writes the page and opens it; returns the
// message to show instead when there is nothing to preview, or when no
// program can open the page (with the page's path).
std::optional<std::string> PreviewMovie(const std::string& saveFileName,
                                        const TBannerGeometry& banner,
                                        const std::filesystem::path& tempFolder,
                                        TShellOpener& opener);

}  // namespace tessaly::publish
