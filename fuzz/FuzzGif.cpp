// GIF decoder: any bytes either decode or raise TImageError.
#include <cstddef>
#include <cstdint>

#include "platform/GifDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tessaly::platform;
  try {
    const TGifImage gif = TGifImage::LoadFromBytes({data, size}, "fuzz.gif");
    unsigned sum = gif.ComposedTransparentColor().Red;
    for (int k = 0; k < gif.FrameCount(); ++k) {
      const TBitmap& frame = gif.FrameBitmap(k);
      if (!frame.IsEmpty()) sum += frame.PixelColor(frame.Width() - 1, frame.Height() - 1).Green;
    }
    for (const TGifExtension& e : gif.FirstFrameExtensions()) sum += e.IsLooping();
    return sum == 0xFFFFFFFF;
  } catch (const TImageError&) {
    return 0;
  }
}
