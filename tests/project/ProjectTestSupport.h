#pragma once
// What a project file gives back of a document when it is read again.

#include <iosfwd>
#include <vector>

#include "document/BannerDocument.h"
#include "project/ProjectReader.h"

namespace tessaly::document {
// Readable failure output for whole records.
void PrintTo(const TFlashObjects& o, std::ostream* os);
}  // namespace tessaly::document

namespace tessaly::project {

// The items a reload gives: the live items in order (blank texts left
// out), renamed "but" + 1, 2, 3, with what the file does not store reset or
// recomputed as the reader does it. Pictures take context's shape colour
// and aspect box and GifFrame -1.
std::vector<document::TFlashObjects> ReloadedItems(const document::TBannerDocument& doc,
                                                   const TProjectReadContext& context);

// The settings a reload gives: a new document's values, then every field
// the file stores.
document::TBannerSettings ReloadedSettings(const document::TBannerSettings& s);

}  // namespace tessaly::project
