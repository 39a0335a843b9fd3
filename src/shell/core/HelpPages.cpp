#include "shell/core/HelpPages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tessaly::shell {

namespace {

constexpr std::string_view OverviewPage = "html\\overview.htm";

constexpr std::array<std::string_view, 8> TabPages = {
    "html\\overview.htm",  "html\\sizetab.htm", "html\\backgroundtab.htm", "html\\shapestab.htm",
    "html\\imagestab.htm", "html\\texttab.htm", "html\\animationtab.htm",  "html\\savetab.htm",
};

constexpr std::array<std::pair<int, std::string_view>, 20> ContextPages = {{
    {0, "html\\overview.htm"},        {12, "html\\hometab.htm"},          {14, "html\\sizetab.htm"},
    {15, "html\\backgroundtab.htm"},  {16, "html\\bordertab.htm"},        {17, "html\\imagestab.htm"},
    {18, "html\\texttab.htm"},        {19, "html\\savetab.htm"},          {24, "html\\text.htm"},
    {26, "html\\shapestab.htm"},      {27, "html\\animationtab.htm"},     {29, "html\\anglestab.htm"},
    {31, "html\\onestepanimation.htm"}, {32, "html\\bannframebyframe.htm"}, {34, "html\\mouseover.htm"},
    {35, "html\\htmlcode.htm"},       {40, "html\\bannerrotator.htm"},    {50, "html\\powerpreview.htm"},
    {51, "html\\powerpreview.htm"},   {66, "html\\options.htm"},
}};

}  // namespace

std::string TabHelpPage(int tab) {
  if (tab < 0 || tab >= static_cast<int>(TabPages.size())) return std::string(OverviewPage);
  return std::string(TabPages[static_cast<size_t>(tab)]);
}

std::string ContextHelpPage(int context) {
  const auto* entry = std::find_if(ContextPages.begin(), ContextPages.end(),
                                   [context](const auto& e) { return e.first == context; });
  return std::string(entry == ContextPages.end() ? OverviewPage : entry->second);
}

std::string HelpTopic(std::string_view page) {
  return std::string(HelpFileName) + "::/" + std::string(page);
}

std::filesystem::path HelpTopicFile(const std::string& programFolder, std::string_view topic) {
  std::string page(topic);
  const size_t separator = page.find("::/");
  if (separator != std::string::npos) page.erase(0, separator + 3);
  std::replace(page.begin(), page.end(), '\\', '/');
  return std::filesystem::path(programFolder) / "help" / page;
}

}  // namespace tessaly::shell
