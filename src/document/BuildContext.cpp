#include "document/BuildContext.h"

#include "platform/CodePage.h"

namespace tessaly::document {

std::string ItemInstanceName(int index) { return std::string(ItemInstancePrefix) + std::to_string(index); }

std::string ShadowInstanceName(int index) { return std::string(ShadowInstancePrefix) + std::to_string(index); }

bool TBuildContext::AnimatesBackground() const {
  return Kind == TBuildKind::bkAnimated && Document != nullptr && Document->BannerSettings.AnimateBackground;
}

bool TBuildContext::AnimatesItem(int index) const {
  if (Kind != TBuildKind::bkAnimated || Document == nullptr) return false;
  const TBannerSettings& settings = Document->BannerSettings;
  switch (Document->ItemTable[index].Kind) {
    case ItemKind::ikShape:
      return settings.AnimateShapes;
    case ItemKind::ikImage:
      return settings.AnimateImages;
    case ItemKind::ikText:
      return settings.AnimateText;
  }
  return false;
}

std::string TBuildContext::MovieString(std::string_view text, std::string_view what) const {
  std::string_view kept = text;
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) {
    kept = text.substr(0, nul);
    if (Warnings != nullptr)
      Warnings->Warn(std::string(what) + "在第 " + std::to_string(nul + 1) + " 个字节处含有空字符, 其后的文字已删去.");
  }
  std::string valid = platform::ValidUtf8(kept);
  if (valid != kept && Warnings != nullptr)
    Warnings->Warn(std::string(what) + "含有无效的文字字节, 已替换为 \"?\".");
  return valid;
}

const platform::TPicture& TBuildContext::Picture(const std::string& FileName) {
  auto found = Pictures.find(FileName);
  if (found == Pictures.end()) found = Pictures.emplace(FileName, platform::ReadPicture(FileName)).first;
  return found->second;
}

void TBuildContext::Clear() { *this = TBuildContext{}; }

}  // namespace tessaly::document
