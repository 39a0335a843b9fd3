#include "document/BuildFills.h"

#include <algorithm>

#include "swf/FlashObjects.h"

namespace tessaly::document {

std::uint8_t TransparencyAlpha(std::uint8_t transparency) {
  // T x 255 / 100 in integers, so that halves are found exactly and go to
  // the even neighbour.
  const int n = std::min<int>(transparency, 100) * 255;
  int rounded = n / 100;
  const int rest = n % 100;
  if (rest > 50 || (rest == 50 && rounded % 2 != 0)) ++rounded;
  return static_cast<std::uint8_t>(255 - rounded);
}

void SetGradientByStyle(swf::TFlashShape& shape, std::uint32_t startRgba, std::uint32_t endRgba,
                        std::int32_t gradientStyle) {
  switch (gradientStyle) {
    case 0: shape.SetLinearGradient(startRgba, endRgba, 45); break;
    case 1: shape.SetLinearGradient(startRgba, endRgba, 135); break;
    case 2: shape.SetRadialGradient(startRgba, endRgba, 50, 50); break;
    case 3: shape.SetLinearGradient(startRgba, endRgba, 0); break;
    case 4: shape.SetRadialGradient(startRgba, endRgba, 5, 5); break;
    case 5: shape.SetLinearGradient(startRgba, endRgba, 315); break;
    case 6: shape.SetRadialGradient(startRgba, endRgba, 95, 5); break;
    case 7: shape.SetLinearGradient(startRgba, endRgba, 225); break;
    case 8: shape.SetLinearGradient(startRgba, endRgba, 270); break;
    default: shape.SetLinearGradient(startRgba, endRgba, 90); break;
  }
}

}  // namespace tessaly::document
