#pragma once
// The movie an export plays: the banner's published movie (the animated
// one when an effect is chosen, else the one frame) with what the export
// formats need besides the pictures: size, how often it plays, and where a
// click leads. Building it is quick and uses the document and the effect
// engine, so it happens on the caller's thread; the encoding that follows
// needs only this record and may run on another.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "document/BannerDocument.h"
#include "document/BuildContext.h"
#include "document/Warnings.h"

namespace tessaly::exports {

struct TBannerMovie {
  std::vector<std::uint8_t> Swf;
  int Width = 0;
  int Height = 0;
  bool Animated = false;
  // How many times the movie plays: 0 forever (an animation without a loop
  // count), else once, since an animation with a loop count holds its
  // passes and stops on its last frame.
  int PlayCount = 1;
  std::string Url;
  std::string Target;  // "_blank", "_self" or a window name
};

// Builds the published movie of a copy of document, so that the document
// and the preview stay as they are. Without effects an animated banner
// stands still for one frame. Progressive JPEG pictures are copied into
// temporaryFolder (the system's when empty). What the build leaves out goes
// to warnings when given. Throws what the build throws.
TBannerMovie BuildBannerMovie(const document::TBannerDocument& document, document::TEffectGenerator* effects,
                              const std::filesystem::path& temporaryFolder = {},
                              document::TWarningSink* warnings = nullptr);

}  // namespace tessaly::exports
