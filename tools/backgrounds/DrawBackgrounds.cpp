// tessaly-draw-backgrounds FOLDER
//
// Draws the built-in background pictures (FOLDER/backgrounds/*.jpg, one per
// style and banner size) and the picture behind the preview player
// (FOLDER/preview6.bmp and FOLDER/previewflash1.bmp, the picture the
// preferences name on a first start; seamless tiles). Everything is computed from
// gradients, soft shapes and integer hashes, and the JPEG encoder runs with
// fixed settings, so running the program again gives the same bytes.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/BmpWriter.h"
#include "platform/JpegCodec.h"

namespace {

using tessaly::platform::TBitmap;
using std::numbers::pi;

struct TColour {
  double R = 0, G = 0, B = 0;
};

TColour Hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

TColour Mix(const TColour& a, const TColour& b, double t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double SmoothStep(double edge0, double edge1, double x) {
  const double t = Clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

// A number in [0, 1) from a pixel and a seed: the same on every machine.
double Hash01(int x, int y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^ static_cast<std::uint32_t>(y) * 0xD8163841u ^
                    seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return (h >> 8) / 16777216.0;
}

// A small linear congruential generator for the placement of shapes.
struct TSequence {
  std::uint32_t State;
  double Next() {
    State = State * 1664525u + 1013904223u;
    return (State >> 8) / 16777216.0;
  }
};

struct TCanvas {
  int Width, Height;
  std::vector<TColour> Pixels;
  TCanvas(int w, int h) : Width(w), Height(h), Pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {}
  TColour& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + x]; }
  double Short() const { return std::min(Width, Height); }
  double Long() const { return std::max(Width, Height); }
};

// Blends `colour` over every pixel with the opacity alpha(x, y) returns.
template <class Alpha>
void Blend(TCanvas& canvas, const TColour& colour, Alpha alpha) {
  for (int y = 0; y < canvas.Height; ++y)
    for (int x = 0; x < canvas.Width; ++x) {
      const double a = Clamp01(alpha(x + 0.5, y + 0.5));
      if (a > 0) canvas.At(x, y) = Mix(canvas.At(x, y), colour, a);
    }
}

struct TStop {
  double At;
  TColour Colour;
};

TColour ColourAt(const std::vector<TStop>& stops, double t) {
  if (t <= stops.front().At) return stops.front().Colour;
  for (std::size_t i = 1; i < stops.size(); ++i)
    if (t <= stops[i].At) {
      const double span = stops[i].At - stops[i - 1].At;
      return Mix(stops[i - 1].Colour, stops[i].Colour, SmoothStep(0, 1, (t - stops[i - 1].At) / span));
    }
  return stops.back().Colour;
}

// A gradient along the direction `degrees` (0: left to right, 90: top to
// bottom) across the whole canvas, whatever its proportions.
void PaintGradient(TCanvas& canvas, const std::vector<TStop>& stops, double degrees) {
  const double dx = std::cos(degrees * pi / 180), dy = std::sin(degrees * pi / 180);
  const double w = canvas.Width, h = canvas.Height;
  const double low = std::min(0.0, dx * w) + std::min(0.0, dy * h);
  const double high = std::max(0.0, dx * w) + std::max(0.0, dy * h);
  for (int y = 0; y < canvas.Height; ++y)
    for (int x = 0; x < canvas.Width; ++x) {
      const double t = ((x + 0.5) * dx + (y + 0.5) * dy - low) / (high - low);
      canvas.At(x, y) = ColourAt(stops, t);
    }
}

// Discs with soft edges, scattered by a seeded sequence; radii in units of
// the canvas's shorter side.
void PaintSoftDiscs(TCanvas& canvas, std::uint32_t seed, int count, const TColour& colour, double opacity,
                    double minRadius, double maxRadius) {
  TSequence sequence{seed};
  for (int i = 0; i < count; ++i) {
    const double cx = sequence.Next() * canvas.Width, cy = sequence.Next() * canvas.Height;
    const double r = (minRadius + (maxRadius - minRadius) * sequence.Next()) * canvas.Short();
    const double a = opacity * (0.5 + 0.5 * sequence.Next());
    Blend(canvas, colour, [&](double x, double y) {
      const double d = std::hypot(x - cx, y - cy) / r;
      return a * (1 - SmoothStep(0.75, 1.0, d));
    });
  }
}

// A soft round glow, brightest at its centre (fractions of the canvas).
void PaintGlow(TCanvas& canvas, double fx, double fy, double radius, const TColour& colour, double opacity) {
  const double cx = fx * canvas.Width, cy = fy * canvas.Height, r = radius * canvas.Long();
  Blend(canvas, colour, [&](double x, double y) {
    const double d = std::hypot(x - cx, y - cy) / r;
    return opacity * std::exp(-d * d * 2.5);
  });
}

// Bands that swing across the canvas along its long side.
void PaintWaves(TCanvas& canvas, const TColour& colour, double opacity) {
  const bool tall = canvas.Height > canvas.Width;
  const double length = canvas.Long(), depth = canvas.Short();
  const std::array<double, 3> centres = {0.3, 0.55, 0.8};
  for (std::size_t i = 0; i < centres.size(); ++i) {
    const double phase = 1.7 * static_cast<double>(i);
    const double thickness = depth * 0.09;
    Blend(canvas, colour, [&](double x, double y) {
      const double along = tall ? y : x, across = tall ? x : y;
      const double middle = depth * (centres[i] + 0.12 * std::sin(2 * pi * along / (length * 0.8) + phase));
      const double d = std::abs(across - middle) / thickness;
      return opacity * (1 - SmoothStep(0.2, 1.0, d));
    });
  }
}

// Thin diagonal stripes `period` pixels apart.
void PaintStripes(TCanvas& canvas, double period, const TColour& colour, double opacity) {
  Blend(canvas, colour, [&](double x, double y) {
    const double phase = std::fmod(x + y, period) / period;
    return opacity * SmoothStep(0.35, 0.5, phase) * (1 - SmoothStep(0.5, 0.65, phase));
  });
}

// A grid of small soft dots `spacing` pixels apart.
void PaintDots(TCanvas& canvas, double spacing, double radius, const TColour& colour, double opacity) {
  Blend(canvas, colour, [&](double x, double y) {
    const double gx = std::fmod(x, spacing) - spacing / 2, gy = std::fmod(y, spacing) - spacing / 2;
    return opacity * (1 - SmoothStep(radius - 0.8, radius + 0.8, std::hypot(gx, gy)));
  });
}

// Darkens towards the edges.
void PaintVignette(TCanvas& canvas, double strength) {
  Blend(canvas, Hex(0x000000), [&](double x, double y) {
    const double u = 2 * x / canvas.Width - 1, v = 2 * y / canvas.Height - 1;
    return strength * SmoothStep(0.5, 1.5, u * u + v * v);
  });
}

// Faint fibres of paper: a hash per pixel, smoothed along the rows.
void PaintGrain(TCanvas& canvas, std::uint32_t seed, double amount) {
  for (int y = 0; y < canvas.Height; ++y)
    for (int x = 0; x < canvas.Width; ++x) {
      const double n = (Hash01(x, y, seed) + Hash01(x + 1, y, seed) + Hash01(x / 3, y, seed + 1)) / 3 - 0.5;
      TColour& c = canvas.At(x, y);
      c = {c.R + n * amount, c.G + n * amount, c.B + n * amount};
    }
}

// ---- the styles ----

TCanvas Dawn(int w, int h) {
  TCanvas c(w, h);
  PaintGradient(c, {{0, Hex(0xFBD8C4)}, {0.55, Hex(0xF3D0DC)}, {1, Hex(0xCFCBF3)}}, 20);
  PaintSoftDiscs(c, 11, 9, Hex(0xFFFFFF), 0.28, 0.25, 0.7);
  PaintGlow(c, 0.1, 0.0, 0.45, Hex(0xFFF1DF), 0.5);
  return c;
}

TCanvas Ocean(int w, int h) {
  TCanvas c(w, h);
  PaintGradient(c, {{0, Hex(0x0B2545)}, {0.6, Hex(0x13496B)}, {1, Hex(0x1A7F86)}}, w >= h ? 75 : 90);
  PaintWaves(c, Hex(0x8FD3E0), 0.10);
  PaintGlow(c, 0.85, 0.1, 0.35, Hex(0x4FA3C7), 0.25);
  return c;
}

TCanvas Meadow(int w, int h) {
  TCanvas c(w, h);
  PaintGradient(c, {{0, Hex(0xEEF7E4)}, {1, Hex(0xB4DE98)}}, w >= h ? 60 : 90);
  PaintStripes(c, 14, Hex(0xFFFFFF), 0.22);
  PaintSoftDiscs(c, 23, 5, Hex(0xFFFFFF), 0.25, 0.3, 0.6);
  return c;
}

TCanvas Slate(int w, int h) {
  TCanvas c(w, h);
  PaintGradient(c, {{0, Hex(0x2E3440)}, {1, Hex(0x3B4A63)}}, 30);
  PaintDots(c, 10, 1.1, Hex(0x8896AE), 0.22);
  PaintGlow(c, 0.5, 0.5, 0.6, Hex(0x4C5E7E), 0.35);
  PaintVignette(c, 0.25);
  return c;
}

TCanvas Sunset(int w, int h) {
  TCanvas c(w, h);
  PaintGradient(c, {{0, Hex(0xF9C46B)}, {0.45, Hex(0xF08A5D)}, {1, Hex(0xB83B5E)}}, w >= h ? 10 : 90);
  PaintGlow(c, w >= h ? 0.12 : 0.5, w >= h ? 0.5 : 0.1, 0.3, Hex(0xFFF3C4), 0.55);
  PaintSoftDiscs(c, 37, 6, Hex(0xFFE2B8), 0.15, 0.3, 0.8);
  return c;
}

TCanvas Paper(int w, int h) {
  TCanvas c(w, h);
  PaintGradient(c, {{0, Hex(0xFCF8EF)}, {1, Hex(0xF3EAD8)}}, 90);
  PaintGrain(c, 5, 0.035);
  PaintVignette(c, 0.08);
  return c;
}

TCanvas Sky(int w, int h) {
  TCanvas c(w, h);
  PaintGradient(c, {{0, Hex(0x9CCBF2)}, {1, Hex(0xEAF5FF)}}, 90);
  PaintSoftDiscs(c, 53, 14, Hex(0xFFFFFF), 0.45, 0.2, 0.45);
  return c;
}

struct TBackground {
  const char* Style;
  TCanvas (*Draw)(int, int);
  int Width, Height;
};

const std::vector<TBackground>& Backgrounds() {
  static const std::vector<TBackground> list = {
      {"dawn", Dawn, 468, 60},      {"ocean", Ocean, 468, 60},    {"slate", Slate, 468, 60},
      {"paper", Paper, 468, 60},    {"sunset", Sunset, 728, 90},  {"sky", Sky, 728, 90},
      {"slate", Slate, 728, 90},    {"dawn", Dawn, 300, 250},     {"ocean", Ocean, 300, 250},
      {"meadow", Meadow, 160, 600}, {"ocean", Ocean, 160, 600},   {"sunset", Sunset, 120, 600},
      {"slate", Slate, 120, 600},   {"sky", Sky, 234, 60},        {"meadow", Meadow, 125, 125},
      {"paper", Paper, 250, 250},   {"sky", Sky, 336, 280},       {"dawn", Dawn, 120, 240},
  };
  return list;
}

TBitmap ToBitmap(TCanvas& canvas) {
  TBitmap bitmap(canvas.Width, canvas.Height, 24);
  for (int y = 0; y < canvas.Height; ++y) {
    auto row = bitmap.Row(y);
    for (int x = 0; x < canvas.Width; ++x) {
      const TColour& c = canvas.At(x, y);
      auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255)); };
      row[3 * static_cast<std::size_t>(x)] = byte(c.B);
      row[3 * static_cast<std::size_t>(x) + 1] = byte(c.G);
      row[3 * static_cast<std::size_t>(x) + 2] = byte(c.R);
    }
  }
  return bitmap;
}

// ---- the preview area's tile ----

// A quilt of soft diamonds with fine lighter seams, periodic in 128 pixels
// both ways so it tiles without seams; 64 shades between a dark and a light
// colour, ordered dithering between neighbouring shades.
TBitmap PreviewTile(const TColour& dark, const TColour& light) {
  constexpr int size = 128, shades = 64;
  TBitmap bitmap(size, size, 8);
  bitmap.Palette().resize(shades);
  for (int i = 0; i < shades; ++i) {
    const TColour c = Mix(dark, light, i / (shades - 1.0));
    auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(v * 255)); };
    bitmap.Palette()[static_cast<std::size_t>(i)] = {byte(c.B), byte(c.G), byte(c.R), 0};
  }
  static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double a = 2 * pi * (x + y + 1) / 64.0, b = 2 * pi * (x - y) / 64.0;
      const double quilt = 0.42 + 0.10 * std::cos(a) * std::cos(b);
      const double seam = 1 - SmoothStep(0.0, 0.06, std::min(std::abs(std::sin(a / 2)), std::abs(std::sin(b / 2))));
      const double level = Clamp01(quilt + 0.18 * seam) * (shades - 1);
      const double dither = (bayer[y % 4][x % 4] + 0.5) / 16.0;
      bitmap.SetIndex(x, y, static_cast<unsigned>(std::min<double>(shades - 1, std::floor(level + dither))));
    }
  return bitmap;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) std::fprintf(stderr, "%s: could not write the picture\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  try {
    std::filesystem::create_directories(folder / "backgrounds");
    bool ok = true;
    for (const TBackground& b : Backgrounds()) {
      TCanvas canvas = b.Draw(b.Width, b.Height);
      const std::string name =
          std::string(b.Style) + "-" + std::to_string(b.Width) + "x" + std::to_string(b.Height) + ".jpg";
      ok = WriteFile(folder / "backgrounds" / name, tessaly::platform::EncodeJpeg(ToBitmap(canvas), 90)) && ok;
    }
    tessaly::platform::WriteBmpFile(PreviewTile(Hex(0x55606E), Hex(0x8A96A6)), (folder / "preview6.bmp").string());
    tessaly::platform::WriteBmpFile(PreviewTile(Hex(0x4E5A52), Hex(0x8FA295)),
                                    (folder / "previewflash1.bmp").string());
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
