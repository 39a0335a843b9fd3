#pragma once
// Picture items: a bitmap of the picture file stretched over a rectangle of
// the item's box, wrapped in a button.

#include "document/BuildContext.h"

namespace tessaly::document {

// Picture item i: the bitmap (GIF frame, JPEG data or its BMP copy for a
// progressive JPEG, BMP; other types give an empty bitmap), a uniform alpha
// for JPEG data when Transparency is 1..100, the filled rectangle, the
// wrapping. A missing picture file throws platform::TFileError naming it,
// which abandons the build.
void BuildImageItem(swf::TFlashMovie& movie, TBuildContext& context, int index);

}  // namespace tessaly::document
