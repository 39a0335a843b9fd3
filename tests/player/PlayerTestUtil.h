#pragma once
// Helpers shared by the player tests: load bytes into a player, render, and
// read pixels as plain RGB.

#include "player/FlashPlayer.h"
#include "player/SwfTestBuilder.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

namespace tessaly::player::test {

inline QImage RenderBytes(const TBytes& bytes, int width, int height, int frame = 1) {
  TFlashPlayer player;
  player.LoadMovie(bytes);
  for (int i = 1; i < frame; ++i) player.Tick();
  return player.RenderImage(width, height).convertToFormat(QImage::Format_RGB32);
}

struct TRgb {
  int r, g, b;
  bool operator==(const TRgb&) const = default;
};

inline TRgb Pixel(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return {qRed(p), qGreen(p), qBlue(p)};
}

inline void PrintTo(const TRgb& c, std::ostream* os) { *os << "rgb(" << c.r << "," << c.g << "," << c.b << ")"; }

// A colour equal to the expected one within tolerance on every channel.
inline ::testing::AssertionResult Near(const TRgb& actual, const TRgb& expected, int tolerance = 2) {
  if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
      std::abs(actual.b - expected.b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "rgb(" << actual.r << "," << actual.g << "," << actual.b
                                       << ") is not near rgb(" << expected.r << "," << expected.g << ","
                                       << expected.b << ")";
}

inline constexpr TRgb kWhite{255, 255, 255};

// A movie of one frame holding one shape placed at depth 1.
inline TBytes OneShapeMovie(const TShapeBuilder& shape, int width = 100, int height = 100) {
  TMovieBuilder m(width, height);
  m.Shape(1, shape, 0, width * 20, 0, height * 20);
  m.Place(1, 1);
  m.ShowFrame();
  return m.Bytes();
}

}  // namespace tessaly::player::test
