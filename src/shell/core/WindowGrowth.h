#pragma once
// How the main window grows to hold the banner the size tab sets: the
// preview panel takes the banner with its left margin and 30 pixels to
// spare beside it and 55 below, the window takes the panel with the space
// it needs around it. The window only grows: a side that already holds the
// banner keeps the size the user gave it, and a smaller banner never
// shrinks the window. Nor does it grow beyond the screen: a banner too
// large for the window the screen allows scrolls in the preview area, so
// the tabs and the wizard buttons stay on the screen.

#include <QRect>
#include <QSize>

namespace tessaly::shell {

// The screen the window stands on, for the size limits.
struct TScreenSize {
  int Width = 0;
  int Height = 0;
};

// The widest banner allowed: the screen width + 100.
int WidestBanner(TScreenSize screen);

// The preview panel's size for a banner whose player stands playerLeft
// pixels from the panel's left edge: banner width + playerLeft + 30, at
// most the widest banner; banner height + 55, but 153 for a banner lower
// than 98. (The panel itself never takes less than its player and the
// player's left margin, so a capped panel does not cut the banner.)
QSize PreviewPanelSize(QSize banner, int playerLeft, TScreenSize screen);

// The main window's size around a panel of panelSize for a banner
// bannerWidth wide, with surround the space the window needs around the
// preview panel, window its size now and screenRoom the most it may take
// on the screen (the screen's available area less the window's frame). A
// side too small for the panel grows to the panel + surround, but at most
// to screenRoom; the width grows to 704 for a banner exactly 468 wide (or
// to the panel + surround, when that is more, so the banner is never cut).
QSize GrownWindowSize(QSize panelSize, int bannerWidth, QSize surround, QSize window, QSize screenRoom);

// Where a window whose frame is frame stands so that it lies within the
// screen's available area: moved left and up as far as its right and
// bottom edges go beyond it, never before its left and top edges.
QPoint FrameKeptOnScreen(QRect frame, QRect available);

}  // namespace tessaly::shell
