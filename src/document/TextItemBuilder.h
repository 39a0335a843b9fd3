#pragma once
// Text items: one line in an embedded font, centred on X with its top at Y,
// and an optional drop shadow, an offset copy in the shadow colour placed
// just below the text.

#include <cstdint>

#include "document/BuildContext.h"

namespace tessaly::document {

struct TShadowOffset {
  std::int32_t DX = 0;
  std::int32_t DY = 0;
  friend bool operator==(const TShadowOffset&, const TShadowOffset&) = default;
};

// The shadow's offset for a direction index (0 straight up, then every 45
// degrees clockwise) and an altitude in pixels; (0, 0) for other indexes.
TShadowOffset ShadowOffsetFor(std::int32_t shadowAngle, std::int32_t altitude);

// Text item i: its shadow first when ShadowAltitude >= 1 (font, text,
// button, placement at ShadowDepth(i) named "butshadow" + i), then its own
// font, text, button and placement. The item's Width and Height receive the
// text's size in pixels.
void BuildTextItem(swf::TFlashMovie& movie, TBuildContext& context, int index);

}  // namespace tessaly::document
