#include "publish/FtpSites.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace tessaly::publish {
namespace {

FTPRec Site(const std::string& host, const std::string& folder = "www") {
  return {host, "ann", "pw", "21", folder};
}

TEST(FtpSiteLine, FieldsEndAtCommasAndTheFolderTakesTheRest) {
  struct Case {
    std::string line;
    FTPRec site;
  };
  const Case cases[] = {
      {"ftp.a.com,ann,secret,2121,public_html", {"ftp.a.com", "ann", "secret", "2121", "public_html"}},
      {"ftp.a.com,images", {"ftp.a.com", "", "", "", "images"}},
      {"ftp.a.com,ann,images", {"ftp.a.com", "ann", "", "", "images"}},
      {"h,u,p,21,a,b,,c", {"h", "u", "p", "21", "a,b,,c"}},
      {"h,u,p,21,", {"h", "u", "p", "21", ""}},
      {"no-comma", {"", "", "", "", "no-comma"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseFtpSiteLine(c.line), c.site) << c.line;
  EXPECT_EQ(FtpSiteLine({"h", "u", "p", "21", "a,b"}), "h,u,p,21,a,b");
}

TEST(FtpSiteFile, SavesUsedEntriesAsCrLfLinesAndLoadsThemBack) {
  TTestFolder temp;
  const std::filesystem::path file = FtpSitesFile(temp / "config");
  TFtpSiteTable table;
  table[0] = {"ftp.a.com", "ann", "p,w?", "21", "www/a,b"};
  table[2] = {"ftp.c.com", "", "", "", ""};
  SaveFtpSites(table, file);
  EXPECT_EQ(file.filename(), "ftpsites.txt");
  EXPECT_EQ(ReadBytes(file), "ftp.a.com,ann,p,w?,21,www/a,b\r\nftp.c.com,,,,\r\n");

  WriteBytes(file, "one,u,p,21,f\r\ntwo,images\nthree,,,,x");
  TFtpSiteTable loaded;
  LoadFtpSites(loaded, file);
  EXPECT_EQ(loaded[0], (FTPRec{"one", "u", "p", "21", "f"}));
  EXPECT_EQ(loaded[1], (FTPRec{"two", "", "", "", "images"}));
  EXPECT_EQ(loaded[2], (FTPRec{"three", "", "", "", "x"}));
  EXPECT_EQ(SelectableFtpSites(loaded), 3u);
}

TEST(FtpSiteFile, ChineseHostRoundTripsInCodePage936) {
  TTestFolder temp;
  const std::filesystem::path file = FtpSitesFile(temp.Path());
  TFtpSiteTable table;
  table[0] = {"主机.横幅.cn", "用户", "密码", "21", "横幅/目录"};
  SaveFtpSites(table, file);
  const std::string bytes = ReadBytes(file);
  EXPECT_EQ(bytes.substr(0, 5), "\xD6\xF7\xBB\xFA.");  // "主机." in code page 936
  EXPECT_EQ(bytes.find("主机"), std::string::npos);
  TFtpSiteTable loaded;
  LoadFtpSites(loaded, file);
  EXPECT_EQ(loaded[0], table[0]);
}

TEST(FtpSiteFile, IsReadableAndWritableByItsOwnerOnly) {
  TTestFolder temp;
  const std::filesystem::path file = FtpSitesFile(temp.Path());
  WriteBytes(file, "old\r\n");
  ASSERT_EQ(chmod(file.c_str(), 0644), 0);
  const mode_t oldMask = umask(0);
  TFtpSiteTable table;
  table[0] = Site("ftp.a.com");
  SaveFtpSites(table, file);
  umask(oldMask);
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadBytes(file), "ftp.a.com,ann,pw,21,www\r\n");
}

TEST(FtpSiteFile, LinesAfterTheFiftiethAreIgnoredAndLaterEntriesKept) {
  TTestFolder temp;
  const std::filesystem::path file = FtpSitesFile(temp.Path());
  std::string text;
  for (int i = 0; i < 53; ++i) text += "host" + std::to_string(i) + ",u,p,21,f\r\n";
  WriteBytes(file, text);
  TFtpSiteTable table;
  LoadFtpSites(table, file);
  EXPECT_EQ(UsedFtpSites(table).size(), 50u);
  EXPECT_EQ(table[49].host, "host49");

  WriteBytes(file, "new0,u,p,21,f\r\n");
  LoadFtpSites(table, file);
  EXPECT_EQ(table[0].host, "new0");
  EXPECT_EQ(table[1].host, "host1");  // beyond the file's last line: kept

  TFtpSiteTable untouched;
  untouched[0] = Site("keep");
  LoadFtpSites(untouched, temp / "missing.txt");
  EXPECT_EQ(untouched[0].host, "keep");
}

TEST(FtpSiteDialog, DeletingTheThirdOfFiveMovesTheRestUp) {
  TTestFolder temp;
  TFtpSiteTable table;
  for (const char* host : {"a", "b", "c", "d", "e"}) ASSERT_EQ(AddFtpSite(table, Site(host)), std::nullopt);
  DeleteFtpSite(table, 2);
  EXPECT_EQ(UsedFtpSites(table), (std::vector<size_t>{0, 1, 2, 3}));
  EXPECT_EQ(table[2].host, "d");
  EXPECT_EQ(table[3].host, "e");
  EXPECT_EQ(table[4], FTPRec{});

  const std::filesystem::path file = FtpSitesFile(temp.Path());
  SaveFtpSites(table, file);
  EXPECT_EQ(ReadBytes(file), "a,ann,pw,21,www\r\nb,ann,pw,21,www\r\nd,ann,pw,21,www\r\ne,ann,pw,21,www\r\n");

  DeleteFtpSite(table, 49);
  DeleteFtpSite(table, 50);  // no such entry
  EXPECT_EQ(UsedFtpSites(table).size(), 4u);
}

TEST(FtpSiteDialog, AddFillsTheFirstUnusedEntryAndRefusesAFullTable) {
  TFtpSiteTable table;
  table[0] = Site("a");
  table[2] = Site("c");
  EXPECT_EQ(NewFtpSite(), (FTPRec{"", "", "", "21", ""}));
  ASSERT_EQ(AddFtpSite(table, Site("b")), std::nullopt);
  EXPECT_EQ(table[1].host, "b");
  EXPECT_EQ(SelectableFtpSites(table), 3u);

  for (size_t i = 3; i < MaxFtpSites; ++i) ASSERT_EQ(AddFtpSite(table, Site("x")), std::nullopt);
  const TFtpSiteTable full = table;
  EXPECT_EQ(AddFtpSite(table, Site("one too many")), "FTP站点数量已达上限 (50).");
  EXPECT_EQ(table, full);
}

TEST(FtpSiteDialog, SitesThatCannotBeStoredAreRefused) {
  const std::pair<FTPRec, std::string> cases[] = {
      {{"", "u", "p", "21", "f"}, "主机地址不能为空."},
      {{"h,x", "u", "p", "21", "f"}, "主机地址、用户名、密码和端口中不能含有逗号."},
      {{"h", "u", "p,w", "21", "f"}, "主机地址、用户名、密码和端口中不能含有逗号."},
      {{"h", "u", "p", "21", "a\r\nb"}, "FTP站点的内容中不能含有换行符."},
  };
  for (const auto& [site, message] : cases) {
    TFtpSiteTable table;
    table[0] = Site("a");
    const TFtpSiteTable before = table;
    EXPECT_EQ(AddFtpSite(table, site), message) << site.host;
    EXPECT_EQ(EditFtpSite(table, 0, site), message) << site.host;
    EXPECT_EQ(table, before);
  }
  TFtpSiteTable table;
  table[0] = Site("a");
  EXPECT_EQ(EditFtpSite(table, 0, Site("a2", "f,with,commas")), std::nullopt);
  EXPECT_EQ(table[0].folder, "f,with,commas");
}

TEST(FtpSiteTable, SelectionStopsAtTheFirstUnusedEntry) {
  TFtpSiteTable table;
  EXPECT_EQ(SelectableFtpSites(table), 0u);
  table[0] = Site("a");
  table[1] = Site("b");
  table[3] = Site("d");
  EXPECT_EQ(SelectableFtpSites(table), 2u);
  EXPECT_EQ(UsedFtpSites(table), (std::vector<size_t>{0, 1, 3}));
}

}  // namespace
}  // namespace tessaly::publish
