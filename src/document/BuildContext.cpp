#include "document/BuildContext.h"

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

void TBuildContext::Clear() { *this = TBuildContext{}; }

}  // namespace tessaly::document
