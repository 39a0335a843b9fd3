#include "shell/Settings.h"

#include <QStandardPaths>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "document/BannerDocument.h"
#include "platform/ProgramFolder.h"

namespace tessaly::shell {
namespace {

const char* const Organization = "Tessaly";
const char* const Application = "Tessaly 1";

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::optional<qlonglong> ReadNumber(const QSettings& store, const char* key) {
  const QVariant value = store.value(key);
  bool ok = false;
  qlonglong number = 0;
  switch (value.typeId()) {
    case QMetaType::QString:
      number = value.toString().toLongLong(&ok);
      break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      number = value.toLongLong(&ok);
      break;
    default:
      break;
  }
  if (!ok) return std::nullopt;
  return number;
}

std::int32_t ReadInt(const QSettings& store, const char* key, std::int32_t fallback) {
  const std::optional<qlonglong> number = ReadNumber(store, key);
  if (!number || *number < INT32_MIN || *number > INT32_MAX) return fallback;
  return static_cast<std::int32_t>(*number);
}

std::uint32_t ReadColor(const QSettings& store, const char* key, std::uint32_t fallback) {
  const std::optional<qlonglong> number = ReadNumber(store, key);
  if (!number || *number < 0 || *number > 0xFFFFFFFFll) return fallback;
  return static_cast<std::uint32_t>(*number);
}

// Stored as "true"/"false" here, as 1/0 by the Windows program.
bool ReadBool(const QSettings& store, const char* key, bool fallback) {
  const QVariant value = store.value(key);
  if (value.typeId() == QMetaType::Bool) return value.toBool();
  if (value.typeId() != QMetaType::QString) return fallback;
  const QString text = value.toString().toLower();
  if (text == "true" || text == "1") return true;
  if (text == "false" || text == "0") return false;
  return fallback;
}

std::optional<std::string> ReadString(const QSettings& store, const char* key) {
  const QVariant value = store.value(key);
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  return value.toString().toStdString();
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

void CreateFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
}

}  // namespace

TSettingsFolders DefaultFolders() {
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
  return {platform::ProgramFolder(), WithTrailingSeparator(documents.toStdString()) + "Tessaly/", {}};
}

TSettingValues FirstStartValues(const TSettingsFolders& folders) {
  return {
      {"BannerHeight", 60},
      {"BannerWidth", 468},
      {"FontSize", 12},
      {"SaveDirectory", Q(folders.UserFiles)},
      {"BwfDirectory", Q(folders.UserFiles)},
      {"ImageDirectory", Q(folders.Program + "images/")},
      {"BackgroundDirectory", Q(folders.Program + "backgrounds/")},
      {"ShowFontStyle", true},
      {"Version", "1.00"},
      {"MinorVersion", "1.0.0"},
      {"PreviewUseImage", true},
      {"PreviewPanelImage", Q(folders.Program + "previewflash1.bmp")},
      {"PreviewPanelColor", 0xFF0000u},
      {"DefaultWebSite", Q(std::string(document::ProgramWebPage))},
      {"DefaultWebImageDirectory", "images"},
  };
}

TSettingValues SavedValues(const TPreferences& p) {
  return {
      {"BannerHeight", p.BannerHeight},
      {"BannerWidth", p.BannerWidth},
      {"FontSize", p.FontSize},
      {"SaveDirectory", Q(p.SaveDirectory)},
      {"BwfDirectory", Q(p.BwfDirectory)},
      {"ImageDirectory", Q(p.ImageDirectory)},
      {"BackgroundDirectory", Q(p.BackgroundDirectory)},
      {"TextureDirectory", Q(p.TextureDirectory)},
      {"ShowFontStyle", p.ShowFontStyle},
      {"FileFormat", 0},
      {"Version", "1.00"},
      {"PreviewUseImage", p.PreviewUseImage},
      {"PreviewPanelImage", Q(p.PreviewPanelImage)},
      {"PreviewPanelColor", p.PreviewPanelColor},
      {"DefaultWebSite", Q(p.DefaultWebSite)},
      {"DefaultWebImageDirectory", Q(p.DefaultWebImageDirectory)},
      {"MinorVersion", "1.0.0"},
  };
}

std::unique_ptr<QSettings> OpenSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, Organization,
                                     Application);
}

TPreferences LoadSettings(QSettings& store, const TSettingsFolders& folders) {
  if (store.allKeys().isEmpty()) {
    for (const auto& [key, value] : FirstStartValues(folders)) store.setValue(key, value);
    store.sync();
  }
  TPreferences p;
  p.BannerHeight = ReadInt(store, "BannerHeight", 60);
  p.BannerWidth = ReadInt(store, "BannerWidth", 468);
  p.FontSize = ReadInt(store, "FontSize", 12);
  p.SaveDirectory = ReadString(store, "SaveDirectory").value_or(folders.UserFiles);
  p.ImageDirectory = ReadString(store, "ImageDirectory").value_or(folders.Program + "images/");
  p.BackgroundDirectory =
      ReadString(store, "BackgroundDirectory").value_or(folders.Program + "backgrounds/");
  p.ShowFontStyle = ReadBool(store, "ShowFontStyle", true);
  p.BwfDirectory = ReadString(store, "BwfDirectory").value_or(folders.UserFiles);

  p.TextureDirectory = ReadString(store, "TextureDirectory").value_or("");
  if (!IsFolder(p.TextureDirectory)) p.TextureDirectory = folders.Program + "textures/";

  p.PreviewPanelImage =
      ReadString(store, "PreviewPanelImage").value_or(folders.Program + "preview6.bmp");
  if (p.PreviewPanelImage.find("preview5.bmp") != std::string::npos ||
      p.PreviewPanelImage.find("preview4.bmp") != std::string::npos)
    p.PreviewPanelImage = folders.Program + "preview6.bmp";

  p.PreviewPanelColor = ReadColor(store, "PreviewPanelColor", 0xFF0000);
  p.PreviewUseImage = ReadBool(store, "PreviewUseImage", true);
  p.DefaultWebSite =
      ReadString(store, "DefaultWebSite").value_or(std::string(document::ProgramWebPage));
  p.DefaultWebImageDirectory = ReadString(store, "DefaultWebImageDirectory").value_or("images");

  for (const std::string* folder : {&p.SaveDirectory, &p.BwfDirectory})
    if (*folder == folders.UserFiles) CreateFolder(*folder);
  return p;
}

std::string BackgroundFolderMissingMessage(const std::string& folder) {
  return "没有找到指定的背景文件夹 ' " + folder +
         "' 请重新设置正确目录.  请按照以下步骤来设置新的目录: 选项 -> 参数设置 -> 文件夹 标签";
}

std::optional<std::string> CheckBackgroundDirectory(TPreferences& p, const TSettingsFolders& folders) {
  if (IsFolder(p.BackgroundDirectory)) return std::nullopt;
  const std::string missing = p.BackgroundDirectory;
  p.BackgroundDirectory = folders.Program + "backgrounds/";
  if (IsFolder(p.BackgroundDirectory)) return std::nullopt;
  return BackgroundFolderMissingMessage(missing);
}

void SaveSettings(QSettings& store, const TPreferences& preferences) {
  for (const auto& [key, value] : SavedValues(preferences)) store.setValue(key, value);
  store.sync();
  if (store.status() != QSettings::NoError)
    throw std::runtime_error("Cannot write the settings file \"" +
                             store.fileName().toStdString() + "\"");
}

std::string WithTrailingSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

void AddTrailingSeparators(TPreferences& p) {
  for (std::string* folder : {&p.SaveDirectory, &p.BwfDirectory, &p.ImageDirectory,
                              &p.BackgroundDirectory, &p.TextureDirectory})
    *folder = WithTrailingSeparator(std::move(*folder));
}

}  // namespace tessaly::shell
