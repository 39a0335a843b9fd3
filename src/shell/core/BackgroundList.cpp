#include "shell/core/BackgroundList.h"

#include <QImageReader>
#include <QString>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>

namespace tessaly::shell {

namespace {

bool IsPictureName(const std::string& name) {
  static constexpr std::array<std::string_view, 4> Marks = {"jpeg", "jpg", "bmp", "gif"};
  const QString lower = QString::fromStdString(name).toLower();
  return std::any_of(Marks.begin(), Marks.end(),
                     [&](std::string_view mark) { return lower.contains(QLatin1String(mark.data(), mark.size())); });
}

}  // namespace

std::vector<std::string> BackgroundFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    const std::string name = it->path().filename().string();
    if (IsPictureName(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> MatchingBackgrounds(const std::string& folder, const std::vector<std::string>& names,
                                             std::int32_t width, std::int32_t height) {
  std::vector<std::string> matching;
  for (const std::string& name : names) {
    const QSize size = QImageReader(QString::fromStdString((std::filesystem::path(folder) / name).string())).size();
    if (size.width() == width && size.height() == height) matching.push_back(name);
  }
  return matching;
}

}  // namespace tessaly::shell
