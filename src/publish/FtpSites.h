#pragma once
// The user's FTP sites: a table of 50 entries kept in "ftpsites.txt", and
// the add, edit and delete operations of the site dialog.

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::publish {

// One FTP site. An entry is in use when its host is not empty.
struct FTPRec {
  std::string host;
  std::string user;
  std::string password;
  std::string port;
  std::string folder;

  bool operator==(const FTPRec&) const = default;
};

// The fields the properties dialog shows for a new site (port "21").
FTPRec NewFtpSite();

inline constexpr std::size_t MaxFtpSites = 50;
using TFtpSiteTable = std::array<FTPRec, MaxFtpSites>;

inline constexpr std::string_view FtpSitesFileName = "ftpsites.txt";
inline constexpr std::string_view MsgFtpSitesFull = "FTP站点数量已达上限 (50).";
inline constexpr std::string_view MsgFtpHostEmpty = "主机地址不能为空.";
inline constexpr std::string_view MsgFtpFieldComma = "主机地址、用户名、密码和端口中不能含有逗号.";
inline constexpr std::string_view MsgFtpFieldLineBreak = "FTP站点的内容中不能含有换行符.";
inline constexpr std::string_view MsgConfirmDeleteFtpSite = "你真的要删除这个FTP站点吗?";

// `configFolder`/"ftpsites.txt"; the default folder is DefaultConfigFolder().
std::filesystem::path FtpSitesFile(const std::filesystem::path& configFolder);

// One list-file line: host, user, password and port each end at the next
// comma (empty, and nothing consumed, when no comma is left); the folder is
// the rest of the line.
FTPRec ParseFtpSiteLine(std::string_view line);
std::string FtpSiteLine(const FTPRec& site);

// Reads the list file when it exists: line i fills entry i; lines after the
// 50th are ignored; entries after the file's last line keep their contents.
// Throws std::system_error when the file exists but cannot be read.
void LoadFtpSites(TFtpSiteTable& table, const std::filesystem::path& file);

// Writes every used entry as one line, in table order, replacing the file,
// which is readable and writable by its owner only. Creates the folder.
void SaveFtpSites(const TFtpSiteTable& table, const std::filesystem::path& file);

// Indices of the used entries, in table order (the site dialog's list).
std::vector<std::size_t> UsedFtpSites(const TFtpSiteTable& table);

// Number of entries from the first up to the first unused one (the sites the
// selection dialog offers).
std::size_t SelectableFtpSites(const TFtpSiteTable& table);

// The reason a site cannot be stored (empty host, a comma in host, user,
// password or port, a line break anywhere), or nothing.
std::optional<std::string> CheckFtpSite(const FTPRec& site);

// Stores the site into the first unused entry. Returns the message to show
// instead when the site cannot be stored or the table is full.
std::optional<std::string> AddFtpSite(TFtpSiteTable& table, const FTPRec& site);

// Replaces entry `index`. Returns the message to show instead when the site
// cannot be stored.
std::optional<std::string> EditFtpSite(TFtpSiteTable& table, std::size_t index,
                                       const FTPRec& site);

// Moves every entry after `index` up by one place and empties the last one.
void DeleteFtpSite(TFtpSiteTable& table, std::size_t index);

}  // namespace tessaly::publish
