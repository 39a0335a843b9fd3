#include "shell/core/WindowGrowth.h"

#include <algorithm>

namespace tessaly::shell {

namespace {

constexpr int WidthAllowance = 100;  // a banner may be this much wider than the screen
constexpr int PanelRightSpare = 30;
constexpr int PanelBottomSpare = 55;
constexpr int LowBannerHeight = 98;
constexpr int LowBannerPanelHeight = 153;
constexpr int CommonBannerWidth = 468;
constexpr int CommonBannerWindowWidth = 704;

}  // namespace

int WidestBanner(TScreenSize screen) { return screen.Width + WidthAllowance; }

QSize PreviewPanelSize(QSize banner, int playerLeft, TScreenSize screen) {
  const int width = std::min(banner.width() + playerLeft + PanelRightSpare, WidestBanner(screen));
  int height = banner.height() + PanelBottomSpare;
  if (banner.height() < LowBannerHeight) height = std::max(height, LowBannerPanelHeight);
  return {width, height};
}

QSize GrownWindowSize(QSize panelSize, int bannerWidth, QSize surround, QSize window, QSize screenRoom) {
  const QSize needed = panelSize + surround;
  int width = window.width();
  if (width < needed.width()) {
    const int grown =
        bannerWidth == CommonBannerWidth ? std::max(CommonBannerWindowWidth, needed.width()) : needed.width();
    width = std::max(width, std::min(grown, screenRoom.width()));
  }
  const int height = std::max(window.height(), std::min(needed.height(), screenRoom.height()));
  return {width, height};
}

QPoint FrameKeptOnScreen(QRect frame, QRect available) {
  const int left = std::max(available.left(), std::min(frame.left(), available.right() - frame.width() + 1));
  const int top = std::max(available.top(), std::min(frame.top(), available.bottom() - frame.height() + 1));
  return {left, top};
}

}  // namespace tessaly::shell
