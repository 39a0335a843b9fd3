#include "shell/core/SizePresets.h"

#include "shell/core/UiText.h"

namespace tessaly::shell {

QString PresetCaption(int index) {
  if (index < 0 || index >= CustomSizePreset) return Ui(text::SizeCustom);
  const TSizePreset& preset = SizePresets[static_cast<size_t>(index)];
  return Ui(text::SizePresetFormat).arg(preset.Width).arg(preset.Height);
}

int MatchingPreset(const QString& widthText, const QString& heightText) {
  for (int i = 0; i < CustomSizePreset; ++i) {
    const TSizePreset& preset = SizePresets[static_cast<size_t>(i)];
    if (QString::number(preset.Width) == widthText && QString::number(preset.Height) == heightText) return i;
  }
  return CustomSizePreset;
}

}  // namespace tessaly::shell
