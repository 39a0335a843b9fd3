#pragma once
// Help: one page per tab and one table for help context numbers. A topic is
// addressed as the help file's name + "::/" + the page
// ("tessaly.chm::/html\savetab.htm"); here the pages are HTML files in the
// program folder's "help/" folder, opened in the browser.

#include <filesystem>
#include <string>
#include <string_view>

namespace tessaly::shell {

inline constexpr std::string_view HelpFileName = "tessaly.chm";

// The page of wizard tab 0 .. 7 ("html\savetab.htm"); the overview page for
// any other tab.
std::string TabHelpPage(int tab);

// The page of a help context number; "html\overview.htm" for a number the
// table does not hold.
std::string ContextHelpPage(int context);

// HelpFileName + "::/" + page.
std::string HelpTopic(std::string_view page);

// The file a topic names: programFolder + "help/" + the page with "/" for
// "\" ("tessaly.chm::/html\savetab.htm" -> ".../help/html/savetab.htm").
std::filesystem::path HelpTopicFile(const std::string& programFolder, std::string_view topic);

}  // namespace tessaly::shell
