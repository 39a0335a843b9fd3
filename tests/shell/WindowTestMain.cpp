// The main window's tests run offscreen on a 1280 x 1024 screen, the
// desktop the window's size rules are measured against (a 160 x 600 banner
// does not fit on it with the tabs below).

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>

#include <fstream>
#include <vector>

#include <gtest/gtest.h>

namespace {

void WriteScreenConfig(const std::string& path) {
  std::ofstream(path) << R"({"screens": [{"name": "Tessaly1280x1024", "x": 0, "y": 0, "width": 1280,)"
                         R"( "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir folder;
  const std::string config = folder.filePath(QStringLiteral("screen.json")).toStdString();
  WriteScreenConfig(config);
  QByteArray platform = QByteArray("offscreen:configfile=") + QByteArray::fromStdString(config);
  QByteArray platformOption("-platform");
  std::vector<char*> arguments(argv, argv + argc);
  arguments.insert(arguments.begin() + 1, {platformOption.data(), platform.data()});
  int count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);
  QApplication app(count, arguments.data());
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
