#pragma once
// The banner's background: a shape at depth 0 cut to one of eight outlines,
// with its border kept inside the banner, filled with a colour, a gradient
// or a picture; in a saved movie wrapped in a button that opens the URL.

#include "document/BuildContext.h"

namespace tessaly::document {

// Background outlines (BackgroundShape).
enum TBackgroundShape : std::int32_t {
  bsRectangle = 0,
  bsRoundRect = 1,
  bsEllipse = 2,
  bsDiamond = 3,
  bsHexagon = 4,
  bsOctagon = 5,
  bsStar = 6,
  bsHalfCircle = 7,
};

// Where the outline runs for a border width b: the outline is inset by X0
// on the left and right and by Y0 at the top, and the right and bottom
// edges lose E more, so that the border line stays inside the banner.
struct TBorderInset {
  std::int32_t X0 = 0;
  std::int32_t Y0 = 0;
  std::int32_t E = 0;
};
TBorderInset BorderInsetFor(std::int32_t borderWidth);

// The outline shape without fill for the context's banner size; Centred
// makes its coordinates relative to the banner centre.
swf::TFlashShape* BuildBackgroundOutline(swf::TFlashMovie& movie, const TBuildContext& context, bool centred);

// Adds the background: the picture (for btImage) before the outline, the
// outline with its fill and border, and its placement at depth 0 named
// "backshape" + CurrentItemIndex; with a file name a button with the click
// action is placed instead. Sets BackgroundCharacter (and BackgroundButton).
// Animate makes the outline relative to the banner centre.
void BuildBackground(swf::TFlashMovie& movie, TBuildContext& context, bool animate);

}  // namespace tessaly::document
