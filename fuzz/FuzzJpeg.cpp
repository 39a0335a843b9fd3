// JPEG probe, header reader and decoder: any bytes either decode or raise
// TImageError; libjpeg's own errors must come back the same way.
#include <cstddef>
#include <cstdint>

#include "platform/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tessaly::platform;
  const TJpegSize probed = ProbeJpegSize({data, size});
  try {
    const TJpegInfo info = ReadJpegInfo({data, size}, "fuzz.jpg");
    const TBitmap bitmap = DecodeJpeg({data, size}, "fuzz.jpg");
    return (info.Width + probed.Width + bitmap.Width()) == -1;
  } catch (const TImageError&) {
    return 0;
  }
}
