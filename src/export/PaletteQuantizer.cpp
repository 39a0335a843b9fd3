#include "export/PaletteQuantizer.h"

#include <dlfcn.h>
#include <libimagequant.h>

#include <algorithm>
#include <limits>
#include <memory>

#include "export/ExportProgress.h"

namespace tessaly::exports {

namespace {

struct TAttrDeleter {
  void operator()(liq_attr* p) const { liq_attr_destroy(p); }
};
struct TImageDeleter {
  void operator()(liq_image* p) const { liq_image_destroy(p); }
};
struct TResultDeleter {
  void operator()(liq_result* p) const { liq_result_destroy(p); }
};

// libimagequant spreads its work over OpenMP threads. A banner frame is too
// small for that to pay off, and on a busy machine the waiting threads cost
// several times the work; so the quantizer keeps to the calling thread. The
// OpenMP runtime is looked up rather than linked, since a quantizer built
// without it needs nothing.
void KeepToThisThread() {
  using TSetThreads = void (*)(int);
  static const auto setThreads = reinterpret_cast<TSetThreads>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"));
  if (setThreads != nullptr) setThreads(1);
}

void Check(liq_error error, const char* what) {
  if (error != LIQ_OK) throw TExportError(std::string("the colour quantizer failed to ") + what);
}

// The opaque entry nearest to c; for a pixel the quantizer gave a
// translucent entry.
std::uint8_t NearestOpaque(const liq_palette& palette, const std::uint8_t* c) {
  int best = 0;
  long bestDistance = std::numeric_limits<long>::max();
  for (unsigned i = 0; i < palette.count; ++i) {
    const liq_color& e = palette.entries[i];
    if (e.a == 0) continue;
    const long dr = e.r - c[0], dg = e.g - c[1], db = e.b - c[2];
    const long distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = int(i);
    }
  }
  return std::uint8_t(best);
}

}  // namespace

TPalettedPicture QuantizePicture(const std::vector<std::uint8_t>& rgba, int width, int height,
                                 const TQuantizerOptions& options) {
  KeepToThisThread();
  std::unique_ptr<liq_attr, TAttrDeleter> attr(liq_attr_create());
  if (!attr) throw TExportError("the colour quantizer could not start");
  // Room for the transparent entry when the picture has transparent pixels.
  bool hasTransparent = false;
  for (std::size_t p = 3; p < rgba.size() && !hasTransparent; p += 4) hasTransparent = rgba[p] == 0;
  const int maxColors = hasTransparent ? std::min(options.MaxColors, 255) : options.MaxColors;
  Check(liq_set_max_colors(attr.get(), maxColors), "take the colour count");
  Check(liq_set_speed(attr.get(), options.Speed), "take its speed");
  std::unique_ptr<liq_image, TImageDeleter> image(liq_image_create_rgba(attr.get(), rgba.data(), width, height, 0));
  if (!image) throw TExportError("the colour quantizer refused a picture");
  liq_result* raw = nullptr;
  Check(liq_image_quantize(image.get(), attr.get(), &raw), "find a palette");
  std::unique_ptr<liq_result, TResultDeleter> result(raw);
  Check(liq_set_dithering_level(result.get(), options.Dither ? 1.0f : 0.0f), "take the dithering");

  TPalettedPicture picture;
  picture.Width = width;
  picture.Height = height;
  picture.Indexes.resize(std::size_t(width) * std::size_t(height));
  Check(liq_write_remapped_image(result.get(), image.get(), picture.Indexes.data(), picture.Indexes.size()),
        "map the pixels");

  const liq_palette& palette = *liq_get_palette(result.get());
  for (unsigned i = 0; i < palette.count; ++i) {
    const liq_color& e = palette.entries[i];
    picture.Palette.push_back({e.r, e.g, e.b});
    if (e.a == 0 && picture.Transparent < 0) picture.Transparent = int(i);
  }
  // Transparent pixels share one entry and opaque pixels never take a
  // translucent one, whatever the quantizer merged.
  for (std::size_t p = 0; p < picture.Indexes.size(); ++p) {
    const std::uint8_t* c = &rgba[p * 4];
    std::uint8_t& index = picture.Indexes[p];
    if (c[3] == 0) {
      if (picture.Transparent < 0) {
        picture.Transparent = int(picture.Palette.size());
        picture.Palette.push_back({});
      }
      index = std::uint8_t(picture.Transparent);
    } else if (palette.entries[index].a != 255) {
      index = NearestOpaque(palette, c);
    }
  }
  return picture;
}

}  // namespace tessaly::exports
