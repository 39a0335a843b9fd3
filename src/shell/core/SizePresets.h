#pragma once
// The common banner sizes of the size tab and the rule that keeps the
// preset list in step with the width and height fields.

#include <QString>

#include <array>
#include <cstdint>

namespace tessaly::shell {

struct TSizePreset {
  std::int32_t Width;
  std::int32_t Height;
};

inline constexpr std::array<TSizePreset, 16> SizePresets = {{
    {468, 60}, {728, 90}, {234, 60}, {392, 72}, {125, 125}, {120, 240}, {88, 31}, {300, 250},
    {240, 400}, {336, 280}, {250, 250}, {180, 150}, {160, 600}, {120, 600}, {120, 90}, {120, 60},
}};
// The entry after the presets: "自定义大小".
inline constexpr int CustomSizePreset = static_cast<int>(SizePresets.size());

// "468 X 60" for a preset, "自定义大小" for CustomSizePreset.
QString PresetCaption(int index);

// The first preset whose width and height texts equal the two field texts
// exactly, else CustomSizePreset.
int MatchingPreset(const QString& widthText, const QString& heightText);

// The fields' arrows run from 1 to 2000.
inline constexpr int SizeFieldMinimum = 1;
inline constexpr int SizeFieldMaximum = 2000;

}  // namespace tessaly::shell
