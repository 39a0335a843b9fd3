// tessaly-draw-particles FOLDER
//
// Draws the particle pictures that the falling leaves and balloons effects
// read beside the program: five autumn leaves (32 x 32) and five balloons on
// a string (64 x 64), each a GIF with an 8-colour palette whose entry 0,
// white, is the declared transparent colour. The drawings are computed from
// simple outlines, so running the program again gives the same files.

#include <gif_lib.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

struct TColour {
  unsigned char R, G, B;
};

// Palette entries every picture uses.
enum : unsigned char { Transparent = 0, Light = 1, Dark = 2, Edge = 3, Vein = 4, Stem = 5, Highlight = 6 };

struct TPicture {
  int Size;
  std::array<TColour, 8> Palette;
  std::vector<unsigned char> Pixels;  // Size x Size indexes, rows from the top
  unsigned char& At(int x, int y) { return Pixels[static_cast<std::size_t>(y * Size + x)]; }
  unsigned char At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Size + x)]; }
};

bool WriteGif(const TPicture& picture, const std::string& path) {
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (gif == nullptr) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), GifErrorString(error));
    return false;
  }
  GifColorType colours[8];
  for (int i = 0; i < 8; ++i) colours[i] = {picture.Palette[i].R, picture.Palette[i].G, picture.Palette[i].B};
  ColorMapObject* map = GifMakeMapObject(8, colours);
  // The graphic control extension below needs the GIF89a header.
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, picture.Size, picture.Size, 8, Transparent, map) == GIF_OK;
  // Graphic control: a transparent colour (entry 0), no delay.
  const GifByteType control[4] = {0x01, 0, 0, Transparent};
  ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK;
  ok = ok && EGifPutImageDesc(gif, 0, 0, picture.Size, picture.Size, false, nullptr) == GIF_OK;
  std::vector<GifPixelType> row(static_cast<std::size_t>(picture.Size));
  for (int y = 0; ok && y < picture.Size; ++y) {
    for (int x = 0; x < picture.Size; ++x) row[static_cast<std::size_t>(x)] = picture.At(x, y);
    ok = EGifPutLine(gif, row.data(), picture.Size) == GIF_OK;
  }
  if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
  GifFreeMapObject(map);
  // giflib creates the file readable by its owner only; the pictures are
  // assets that everyone reads.
  namespace fs = std::filesystem;
  std::error_code ignored;
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read,
                  ignored);
  if (!ok) std::fprintf(stderr, "%s: could not write the picture\n", path.c_str());
  return ok;
}

// Pixels inside a region get Light or Dark by Shade; inside pixels next to
// the outside become Edge.
void Fill(TPicture& picture, const std::function<bool(double, double)>& inside,
          const std::function<bool(double, double)>& dark) {
  const int n = picture.Size;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const double u = (x + 0.5) / n, v = (y + 0.5) / n;
      if (inside(u, v)) picture.At(x, y) = dark(u, v) ? Dark : Light;
    }
  std::vector<unsigned char> edge = picture.Pixels;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      if (picture.At(x, y) == Transparent) continue;
      const bool border = x == 0 || y == 0 || x == n - 1 || y == n - 1 || picture.At(x - 1, y) == Transparent ||
                          picture.At(x + 1, y) == Transparent || picture.At(x, y - 1) == Transparent ||
                          picture.At(x, y + 1) == Transparent;
      if (border) edge[static_cast<std::size_t>(y * n + x)] = Edge;
    }
  picture.Pixels = edge;
}

// ---- leaves ----

// A leaf lies along the diagonal from its stem (lower left) to its tip
// (upper right). Along is 0 at the stem and 1 at the tip; Across is the
// distance from the midrib in units of the leaf's length.
struct TLeafFrame {
  double Along, Across;
};

TLeafFrame LeafCoordinates(double x, double y) {
  const double sx = 0.2, sy = 0.8, tx = 0.82, ty = 0.18;
  const double ax = tx - sx, ay = ty - sy, length2 = ax * ax + ay * ay;
  const double px = x - sx, py = y - sy;
  const double along = (px * ax + py * ay) / length2;
  const double across = (px * ay - py * ax) / length2;
  return {along, across};
}

// Half the width of the blade at a point along the leaf, by leaf kind.
double HalfWidth(int kind, double along) {
  using std::numbers::pi;
  if (along <= 0 || along >= 1) return -1;
  switch (kind) {
    case 0:  // elm: an oval with a serrated edge
      return 0.30 * std::pow(std::sin(pi * along), 0.8) * (1 + 0.08 * std::sin(along * 44));
    case 1:  // willow: long and slender
      return 0.13 * std::pow(std::sin(pi * along), 0.7);
    case 2:  // oak: rounded lobes along both sides
      return (0.17 + 0.08 * std::cos(along * pi * 6.5)) * std::pow(std::sin(pi * along), 0.45);
    case 3:  // linden: heart-shaped, wide near the stem
      return 1.0 * std::sqrt(along) * std::pow(1 - along, 1.1) * (along < 0.08 ? along / 0.08 : 1);
    default:
      return -1;
  }
}

// The maple leaf: five pointed lobes around the middle of the leaf.
bool InsideMaple(const TLeafFrame& f) {
  const double cx = f.Along - 0.45, cy = f.Across;
  const double r = std::hypot(cx, cy), angle = std::atan2(cy, cx);
  const double lobes = 0.5 + 0.5 * std::pow(std::abs(std::cos(2.5 * angle)), 3);
  // The lobe opposite the tip makes room for the stem.
  const double limit = 0.42 * (0.55 + 0.45 * lobes) * (std::abs(angle) > 2.6 ? 0.55 : 1);
  return r < limit;
}

TPicture DrawLeaf(int kind) {
  static const std::array<std::array<TColour, 8>, 5> palettes = {{
      // light, dark, edge, vein, stem
      {{{255, 255, 255}, {230, 120, 30}, {200, 85, 20}, {130, 50, 10}, {150, 70, 20}, {110, 70, 30}, {0, 0, 0}, {0, 0, 0}}},
      {{{255, 255, 255}, {240, 200, 50}, {215, 165, 30}, {150, 110, 20}, {180, 140, 40}, {120, 90, 30}, {0, 0, 0}, {0, 0, 0}}},
      {{{255, 255, 255}, {170, 100, 45}, {135, 75, 35}, {85, 45, 20}, {105, 60, 25}, {90, 60, 30}, {0, 0, 0}, {0, 0, 0}}},
      {{{255, 255, 255}, {200, 40, 50}, {160, 25, 40}, {100, 15, 25}, {130, 30, 40}, {100, 60, 30}, {0, 0, 0}, {0, 0, 0}}},
      {{{255, 255, 255}, {225, 60, 25}, {185, 40, 20}, {120, 25, 15}, {150, 40, 20}, {110, 65, 30}, {0, 0, 0}, {0, 0, 0}}},
  }};
  TPicture picture{32, palettes[static_cast<std::size_t>(kind)], std::vector<unsigned char>(32 * 32, Transparent)};
  auto inside = [kind](double x, double y) {
    const TLeafFrame f = LeafCoordinates(x, y);
    if (kind == 4) return InsideMaple(f);
    return std::abs(f.Across) <= HalfWidth(kind, f.Along);
  };
  auto dark = [](double x, double y) { return LeafCoordinates(x, y).Across > 0; };
  Fill(picture, inside, dark);
  // The midrib and the stem, which reaches the maple's lobes.
  const double stemEnd = kind == 4 ? 0.35 : 0.05;
  const int n = picture.Size;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const TLeafFrame f = LeafCoordinates((x + 0.5) / n, (y + 0.5) / n);
      unsigned char& p = picture.At(x, y);
      if (p == Light || p == Dark) {
        if (std::abs(f.Across) < 0.025 && f.Along < 0.9) p = Vein;
      } else if (p == Transparent && f.Along > -0.2 && f.Along < stemEnd && std::abs(f.Across) < 0.03) {
        p = Stem;
      }
    }
  return picture;
}

// ---- balloons ----

TPicture DrawBalloon(int kind) {
  static const std::array<TColour, 5> bodies = {
      {{225, 30, 40}, {40, 100, 220}, {40, 170, 70}, {245, 200, 30}, {150, 60, 190}}};
  const TColour body = bodies[static_cast<std::size_t>(kind)];
  auto shade = [](const TColour& c, double k) {
    auto f = [k](unsigned char v) { return static_cast<unsigned char>(std::min(255.0, v * k)); };
    return TColour{f(c.R), f(c.G), f(c.B)};
  };
  auto lighten = [](const TColour& c) {
    auto f = [](unsigned char v) { return static_cast<unsigned char>(v + (255 - v) * 0.7); };
    return TColour{f(c.R), f(c.G), f(c.B)};
  };
  TPicture picture{64,
                   {{{255, 255, 255}, body, shade(body, 0.75), shade(body, 0.5), shade(body, 0.5), {90, 90, 90},
                     lighten(body), {0, 0, 0}}},
                   std::vector<unsigned char>(64 * 64, Transparent)};
  // Body: an ellipse a little taller than wide, narrowing towards the knot.
  const double cx = 0.5, cy = 0.37, rx = 0.29, ry = 0.33;
  auto inside = [&](double x, double y) {
    const double dy = (y - cy) / ry;
    const double narrow = dy > 0 ? 1 - 0.25 * dy * dy : 1;
    const double dx = (x - cx) / (rx * narrow);
    return dx * dx + dy * dy <= 1;
  };
  auto dark = [&](double x, double y) { return (x - cx) / rx + (y - cy) / ry > 0.75; };
  Fill(picture, inside, dark);
  const int n = picture.Size;
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const double u = (x + 0.5) / n, v = (y + 0.5) / n;
      unsigned char& p = picture.At(x, y);
      // A highlight to the upper left.
      const double hx = (u - (cx - 0.11)) / 0.06, hy = (v - (cy - 0.15)) / 0.09;
      if (p == Light && hx * hx + hy * hy <= 1) p = Highlight;
      // The knot: a small triangle under the body.
      const double knotTop = cy + ry - 0.01;
      if (p == Transparent && v >= knotTop && v <= knotTop + 0.06 && std::abs(u - cx) <= (v - knotTop) * 0.6 + 0.01)
        p = Dark;
      // The string: a gentle wave down to the bottom edge.
      const double stringTop = knotTop + 0.06;
      if (p == Transparent && v > stringTop) {
        const double wave = cx + 0.04 * std::sin((v - stringTop) * 18 + kind);
        if (std::abs(u - wave) < 0.6 / n) p = Stem;
      }
    }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  bool ok = true;
  for (int k = 0; k < 5; ++k) {
    ok = WriteGif(DrawLeaf(k), folder + "leaf" + std::to_string(k + 1) + ".gif") && ok;
    ok = WriteGif(DrawBalloon(k), folder + "balloon" + std::to_string(k + 1) + ".gif") && ok;
  }
  return ok ? 0 : 1;
}
