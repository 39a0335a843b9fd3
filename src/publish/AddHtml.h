#pragma once
// The HTML code dialog without its widgets: the web location offered, the
// embedding code for the movie on the user's web site, copying it and
// previewing it beside the local copy ("temp2.html").

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "publish/DesktopServices.h"
#include "publish/EmbedHtml.h"

namespace tessaly::publish {

// The domain of the program's own web page (document::ProgramWebPage, the
// default of DefaultWebSite), which a location on the user's own server
// does not contain.
inline constexpr std::string_view ProgramWebDomain = "tessaly.example";

inline constexpr std::string_view MsgImageFileNameBlank = "The Image File Name cannot be blank.";
inline constexpr std::string_view CaptionWrongLocation = "图像位置不正确";
inline constexpr std::string_view MsgWrongLocation =
    "链接位置指向Tessaly的网站, 而不是你自己的网站服务器.";
inline constexpr std::string_view MsgGenerateBeforeCopy = "执行复制粘贴操作之前必须先生成HTML代码.";
inline constexpr std::string_view MsgGenerateBeforePreview = "预览之前必须先生成HTML代码.";
inline constexpr std::string_view SnippetPreviewPageName = "temp2.html";

// The file filter of "查找文件" (find file), in the file dialog's notation.
// The movie comes first: the field names the movie, which the picture
// filters alone would hide.
inline constexpr std::string_view SnippetFileFilter =
    "Flash 文件 (*.swf);;图像文件 (*.gif *.jpeg *.jpg);;Jpeg 文件 (*.jpeg *.jpg);;Gif 文件 (*.gif)";

// Quality choices in the order of the dialog's list.
inline constexpr int DefaultQualityChoice = 4;  // "高"

// DefaultWebSite without a trailing page name: when it contains ".htm",
// characters are dropped from its end until it ends in "/" or "\" (the whole
// address is kept when neither occurs).
std::string SnippetSite(std::string_view defaultWebSite);

// The location field offered when the dialog opens.
std::string SnippetLocation(std::string_view defaultWebSite,
                            std::string_view defaultWebImageDirectory);

// The fields when the dialog opens.
struct TSnippetFields {
  std::string Location;
  std::string FileField;  // the saved movie's path, empty when nothing was saved
  int Quality = DefaultQualityChoice;
  // The address handed to the movie as clickTAG; empty: none.
  std::string ClickTag;
};
TSnippetFields OpenSnippetDialog(std::string_view defaultWebSite,
                                 std::string_view defaultWebImageDirectory,
                                 const std::string& savedMoviePath);

// Location + "/" (unless it ends in "/") + the file field's bare file name.
std::string WebURL(std::string_view location, std::string_view fileField);

// "low", "autolow", "autohigh", "medium", "high", "best"; "high" otherwise.
std::string_view QualityWord(int choice);

// The embedding block for the movie at webURL with the chosen quality and
// the clickTAG.
std::vector<std::string> SnippetBlock(const TSnippetFields& fields,
                                      const TBannerGeometry& banner);

// Whether the location still points at the program's own web site.
bool IsProgramWebLocation(std::string_view location);

// Generate: either a message to show (code box unchanged), or nothing when
// the user declined to go on with the program's own location, or the code
// box's new text (the block's lines joined by "\n").
// `continueWithProgramLocation` asks the "图像位置不正确" question.
struct TSnippetResult {
  std::optional<std::string> Message;
  std::optional<std::string> Code;
};
TSnippetResult GenerateSnippet(const TSnippetFields& fields, const TBannerGeometry& banner,
                               const std::function<bool()>& continueWithProgramLocation);

// Copy: the message to show when the code box is empty; the shell copies the
// box's text otherwise.
std::optional<std::string> CheckCopySnippet(std::string_view codeBox);

// Every line of "temp2.html": the local copy (the saved movie, by its
// absolute path) above the code box's lines.
std::vector<std::string> SnippetPreviewPageLines(std::string_view codeBox,
                                                 const TSnippetFields& fields,
                                                 const TBannerGeometry& banner,
                                                 const std::string& savedMoviePath);

// Preview: the message to show when the code box is empty; otherwise writes
// `tempFolder`/"temp2.html" (`tempFolder` is TempFolder()) and opens it,
// returning the message with the page's path when no program can open it.
// Throws std::system_error when the page cannot be written.
std::optional<std::string> PreviewSnippet(std::string_view codeBox, const TSnippetFields& fields,
                                          const TBannerGeometry& banner,
                                          const std::string& savedMoviePath,
                                          const std::filesystem::path& tempFolder,
                                          TShellOpener& opener);

}  // namespace tessaly::publish
