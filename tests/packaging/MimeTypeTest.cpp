// The project file type as a desktop sees it: Qt's MIME database (the same
// freedesktop.org rules file managers follow) reads our shared-mime-info
// file from a data folder of its own and recognises projects by their name
// and, without a telling name, by their first line.

#include <gtest/gtest.h>

#include <QMimeDatabase>
#include <QMimeType>
#include <QString>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestPictures.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* ProjectType = "application/x-tessaly-project";

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A data folder holding only our type; the system's types come after it.
class ProjectMimeType : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static TTempDir data;
    fs::create_directories(data.Path() / "mime" / "packages");
    fs::copy_file(TESSALY_MIME_XML, data.Path() / "mime" / "packages" / "tessaly.xml");
    const std::string dirs = data.Path().string() + ":/usr/share";
    setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
    setenv("XDG_DATA_DIRS", dirs.c_str(), 1);
  }

  QMimeType TypeOf(const std::string& name, const std::string& content) const {
    return QMimeDatabase().mimeTypeForFile(QString::fromStdString(Files.Write(name, Bytes(content))));
  }

  TTempDir Files;
};

TEST_F(ProjectMimeType, ProjectsAreKnownByNameOrFirstLine) {
  const std::string project = "<BWF>\r\nBWF Version 1.00\r\nFileName=C:\\banner.swf\r\n";
  struct TCase {
    const char* name;
    std::string content;
    bool isProject;
  };
  const TCase cases[] = {
      {"banner.bwf", project, true},
      {"BANNER.BWF", project, true},
      {"Banner.Bwf", project, true},
      {"banner.bwf", "", true},  // the name alone tells
      {"banner", project, true},  // no telling name: the first line does
      {"banner", "<BWF>\nBWF Version 1.00\n", true},
      {"notes", "BWF Version 1.00\r\n<BWF>\r\n", false},
      {"notes.txt", "some text\n", false},
  };
  for (const TCase& c : cases) {
    const QMimeType type = TypeOf(c.name, c.content);
    EXPECT_EQ(type.name() == ProjectType, c.isProject) << c.name << " is " << type.name().toStdString();
  }
}

TEST_F(ProjectMimeType, DescribesItselfAsATextFileWithOurIcon) {
  const QMimeType type = QMimeDatabase().mimeTypeForName(ProjectType);
  ASSERT_TRUE(type.isValid());
  EXPECT_EQ(type.comment().toStdString(), "Tessaly project");
  EXPECT_EQ(type.iconName().toStdString(), "tessaly");
  EXPECT_TRUE(type.inherits("text/plain"));
  EXPECT_EQ(type.preferredSuffix().toStdString(), "bwf");
}

}  // namespace
}  // namespace tessaly::test
