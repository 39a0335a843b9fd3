#include "publish/FtpSites.h"

#include <algorithm>
#include <system_error>

#include "publish/AnsiLines.h"

namespace tessaly::publish {
namespace {

// Takes the text before the next comma and the comma; empty, taking nothing,
// when there is no comma.
std::string TakeField(std::string_view& rest) {
  size_t comma = rest.find(',');
  if (comma == std::string_view::npos) return {};
  std::string field(rest.substr(0, comma));
  rest.remove_prefix(comma + 1);
  return field;
}

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

}  // namespace

FTPRec NewFtpSite() {
  FTPRec site;
  site.port = "21";
  return site;
}

std::filesystem::path FtpSitesFile(const std::filesystem::path& configFolder) {
  return configFolder / FtpSitesFileName;
}

FTPRec ParseFtpSiteLine(std::string_view line) {
  FTPRec site;
  site.host = TakeField(line);
  site.user = TakeField(line);
  site.password = TakeField(line);
  site.port = TakeField(line);
  site.folder = std::string(line);
  return site;
}

std::string FtpSiteLine(const FTPRec& site) {
  return site.host + "," + site.user + "," + site.password + "," + site.port + "," + site.folder;
}

void LoadFtpSites(TFtpSiteTable& table, const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return;
  std::vector<std::string> lines = LoadAnsiLines(file);
  const size_t count = std::min(lines.size(), table.size());
  for (size_t i = 0; i < count; ++i) table[i] = ParseFtpSiteLine(lines[i]);
}

void SaveFtpSites(const TFtpSiteTable& table, const std::filesystem::path& file) {
  std::vector<std::string> lines;
  for (size_t i : UsedFtpSites(table)) lines.push_back(FtpSiteLine(table[i]));
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  SaveAnsiLines(file, lines, 0600);
}

std::vector<std::size_t> UsedFtpSites(const TFtpSiteTable& table) {
  std::vector<std::size_t> used;
  for (size_t i = 0; i < table.size(); ++i)
    if (!table[i].host.empty()) used.push_back(i);
  return used;
}

std::size_t SelectableFtpSites(const TFtpSiteTable& table) {
  size_t count = 0;
  while (count < table.size() && !table[count].host.empty()) ++count;
  return count;
}

std::optional<std::string> CheckFtpSite(const FTPRec& site) {
  if (site.host.empty()) return std::string(MsgFtpHostEmpty);
  for (const std::string* field : {&site.host, &site.user, &site.password, &site.port, &site.folder})
    if (HasLineBreak(*field)) return std::string(MsgFtpFieldLineBreak);
  for (const std::string* field : {&site.host, &site.user, &site.password, &site.port})
    if (field->find(',') != std::string::npos) return std::string(MsgFtpFieldComma);
  return std::nullopt;
}

std::optional<std::string> AddFtpSite(TFtpSiteTable& table, const FTPRec& site) {
  if (std::optional<std::string> problem = CheckFtpSite(site)) return problem;
  auto unused = std::find_if(table.begin(), table.end(),
                             [](const FTPRec& entry) { return entry.host.empty(); });
  if (unused == table.end()) return std::string(MsgFtpSitesFull);
  *unused = site;
  return std::nullopt;
}

std::optional<std::string> EditFtpSite(TFtpSiteTable& table, std::size_t index,
                                       const FTPRec& site) {
  if (std::optional<std::string> problem = CheckFtpSite(site)) return problem;
  table.at(index) = site;
  return std::nullopt;
}

void DeleteFtpSite(TFtpSiteTable& table, std::size_t index) {
  if (index >= table.size()) return;
  std::move(table.begin() + index + 1, table.end(), table.begin() + index);
  table.back() = FTPRec{};
}

}  // namespace tessaly::publish
