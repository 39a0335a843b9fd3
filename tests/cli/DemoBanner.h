#pragma once
// The demo banner shipped in examples/: its document and its picture, made
// in code so that the committed files can be checked against them and
// written again (TESSALY_UPDATE_DEMO=1 when running test_cli).

#include <string>

#include "document/BannerDocument.h"
#include "platform/Bitmap.h"

namespace tessaly::test {

inline constexpr const char* DemoProjectName = "demo.bwf";
inline constexpr const char* DemoPictureName = "demo-picture.bmp";
inline constexpr const char* DemoMovieName = "demo.swf";

// A 48 x 48 badge: a sun disc with rays on a sky square.
platform::TBitmap DemoPicture();

// The banner: gradient background with a border, two shapes, a Latin text,
// the picture (stored by its bare name, found beside the project) and a
// Chinese text, both texts with shadows, and the "落叶" effect. The
// texts are items 3 and 5, so their shadows get depths of their own (3, 5).
document::TBannerDocument DemoDocument();

}  // namespace tessaly::test
