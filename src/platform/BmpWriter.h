#pragma once
// Writes a bitmap as a Windows BMP file: a 14-byte file header, a 40-byte
// info header (uncompressed, positive height), the palette for up to 8 bits,
// and the rows from the bottom of the picture up.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace tessaly::platform {

std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap);

// Replaces any existing file; throws TFileError when it cannot be written.
void WriteBmpFile(const TBitmap& bitmap, const std::string& fileName);

}  // namespace tessaly::platform
