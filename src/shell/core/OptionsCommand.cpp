#include "shell/core/OptionsCommand.h"

#include <charconv>
#include <utility>

namespace tessaly::shell {

int FontSizeField(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int size = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  if (error != std::errc() || end != text.data() + text.size() || size < 1 || size > 255)
    return 12;
  return size;
}

void ConfirmOptions(TPreferences& preferences, const TPreferences& edited,
                    const publish::TFtpSiteTable& sites, QSettings& store,
                    const std::filesystem::path& sitesFile) {
  TPreferences stored = edited;
  stored.PreviewPanelColor = preferences.PreviewPanelColor;
  AddTrailingSeparators(stored);
  SaveSettings(store, stored);
  publish::SaveFtpSites(sites, sitesFile);
  preferences = std::move(stored);
}

}  // namespace tessaly::shell
