// BMP reader: any bytes either load or raise TImageError; the palette
// compaction and colour count then run over what was loaded.
#include <cstddef>
#include <cstdint>

#include "swf/ImageReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tessaly;
  try {
    swf::TBMPReader reader;
    reader.LoadFromBytes({data, size}, "fuzz.bmp");
    unsigned sum = static_cast<unsigned>(reader.CountColors());
    if (reader.Height() > 0) sum += reader.ScanLine(0)[0] + reader.ScanLine(reader.Height() - 1)[0];
    return sum == 0xFFFFFFFF;
  } catch (const platform::TImageError&) {
    return 0;
  }
}
