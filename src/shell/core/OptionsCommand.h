#pragma once
// The Options dialog's OK without its widgets.

#include <QSettings>

#include <filesystem>
#include <string_view>

#include "publish/FtpSites.h"
#include "shell/Settings.h"

namespace tessaly::shell {

// The font size field as a number; 12 when it is not a whole number from 1
// to 255 (the largest font size an item can keep).
int FontSizeField(std::string_view text);

// Confirms the dialog: every preference but PreviewPanelColor (stored as soon
// as it is chosen) is copied from `edited` into `preferences`, the five
// folders get their trailing "/", the preferences are written to `store`
// and the site table to `sitesFile`; `preferences` changes only when both
// were written. Throws std::runtime_error or std::system_error, naming the
// file, when one cannot be written.
void ConfirmOptions(TPreferences& preferences, const TPreferences& edited,
                    const publish::TFtpSiteTable& sites, QSettings& store,
                    const std::filesystem::path& sitesFile);

}  // namespace tessaly::shell
