#pragma once
// Colours and fills shared by the background and the item builders.

#include <cstdint>

#include "document/BannerDocument.h"

namespace tessaly::swf {
class TFlashShape;
}

namespace tessaly::document {

// The alpha of a transparency in percent: 255 - round(T / 100 x 255),
// halves to even (0 gives 255, 50 gives 127, 100 gives 0). Values above 100
// count as 100.
std::uint8_t TransparencyAlpha(std::uint8_t transparency);

// Lays a two-colour gradient by the gradient style (0 to 8; anything else
// runs bottom to top): linear at 45, 135, 0, 315, 225, 270 degrees, radial
// from the centre or the top corners.
void SetGradientByStyle(swf::TFlashShape& shape, std::uint32_t startRgba, std::uint32_t endRgba,
                        std::int32_t gradientStyle);

}  // namespace tessaly::document
