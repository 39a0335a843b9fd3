#pragma once
// The preferences: read once at start-up, written when the Options dialog is
// confirmed. They live in an INI file in the user's configuration folder
// ("Tessaly/Tessaly 1.ini", the counterpart of the registry key
// "SOFTWARE\Tessaly 1").

#include <QSettings>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaly::shell {

struct TPreferences {
  std::int32_t BannerHeight = 60;
  std::int32_t BannerWidth = 468;
  std::int32_t FontSize = 12;
  std::string SaveDirectory;
  std::string BwfDirectory;
  std::string ImageDirectory;
  std::string BackgroundDirectory;
  std::string TextureDirectory;
  bool ShowFontStyle = true;
  bool PreviewUseImage = true;
  std::string PreviewPanelImage;
  std::uint32_t PreviewPanelColor = 0xFF0000;  // COLORREF
  std::string DefaultWebSite;
  std::string DefaultWebImageDirectory = "images";
};

// The folders that the defaults are built from, each ending in "/".
struct TSettingsFolders {
  std::string Program;    // platform::ProgramFolder(): the files shipped with the program
  std::string UserFiles;  // where the user's movies and projects go by default
  std::string Recovery;   // the recovery files; empty: RecoveryFolder()
};

// platform::ProgramFolder() and the user's documents folder + "Tessaly/".
TSettingsFolders DefaultFolders();

using TSettingValues = std::vector<std::pair<QString, QVariant>>;

// The values written on the very first start, in the order written.
TSettingValues FirstStartValues(const TSettingsFolders& folders);

// The values SaveSettings writes, in its order.
TSettingValues SavedValues(const TPreferences& preferences);

// The preference store in the user's configuration folder.
std::unique_ptr<QSettings> OpenSettings();

// Reads the preferences; an empty store is a first start and receives
// FirstStartValues first. A missing value, or one of the wrong type, takes
// its default. A default folder for the user's files is created when used.
TPreferences LoadSettings(QSettings& store, const TSettingsFolders& folders);

// "没有找到指定的背景文件夹 ' " + folder + "' 请重新设置正确目录. ..." (the
// background folder was not found; set it under Options -> Preferences ->
// Folders).
std::string BackgroundFolderMissingMessage(const std::string& folder);

// The background folder check after LoadSettings: when BackgroundDirectory
// is not an existing folder it becomes folders.Program + "backgrounds/" for
// this run (the store keeps the old value). Returns the message for the
// user when that folder does not exist either (naming the folder that was
// set), nothing when the built-in background list can be filled.
std::optional<std::string> CheckBackgroundDirectory(TPreferences& preferences, const TSettingsFolders& folders);

// Writes SavedValues and flushes the store; throws std::runtime_error naming
// the file when it cannot be written.
void SaveSettings(QSettings& store, const TPreferences& preferences);

// folder with a trailing "/" (an empty folder stays empty).
std::string WithTrailingSeparator(std::string folder);

// The five folder preferences with their trailing "/", as the Options
// dialog stores them.
void AddTrailingSeparators(TPreferences& preferences);

}  // namespace tessaly::shell
