#pragma once
// Reduces a part of an RGBA picture to at most 256 colours with
// libimagequant. Pixels whose alpha is 0 all become one transparent palette
// entry; every other pixel is taken as opaque.

#include <cstdint>
#include <vector>

namespace tessaly::exports {

struct TPaletteColor {
  std::uint8_t R = 0, G = 0, B = 0;
};

struct TPalettedPicture {
  int Width = 0;
  int Height = 0;
  std::vector<TPaletteColor> Palette;  // 1 .. 256 entries
  int Transparent = -1;                // the entry of the transparent pixels; -1 for none
  std::vector<std::uint8_t> Indexes;   // Width x Height, rows from the top
};

struct TQuantizerOptions {
  int MaxColors = 256;  // 2 .. 256
  bool Dither = false;  // Floyd-Steinberg error diffusion
  int Speed = 4;        // 1 (best) .. 10 (fastest)
};

// Rgba holds Width x Height pixels of 4 bytes, R G B A, rows without gaps.
// Throws TExportError when the quantizer fails.
TPalettedPicture QuantizePicture(const std::vector<std::uint8_t>& rgba, int width, int height,
                                 const TQuantizerOptions& options);

}  // namespace tessaly::exports
