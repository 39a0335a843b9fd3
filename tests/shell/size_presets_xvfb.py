#!/usr/bin/python3
"""The window grows to hold the banner a person chooses, under Xvfb.

tessaly starts on a new (white) banner; on the size tab the presets
"728 X 90" and "160 X 600" are chosen with real clicks. After "728 X 90"
the screen shows the whole white banner at its exact size inside the
window, left of the tool panel and above the tabs, with the preview's
backdrop all round it: nothing is cut. "160 X 600" is higher than the
window a 1280 x 1024 screen allows: the window stays on the screen, the
banner shows 160 wide from its top row, the mouse wheel scrolls the preview
to the banner's bottom row, and a click on "下一步" shows the background
tab. With a folder given, the window's screenshots are written there.

Run inside a display and a session bus:
  xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- size_presets_xvfb.py PROGRAM [SHOTS]
"""
import os
import sys
import tempfile
import time

import numpy as np
import pyatspi

import xvfb_person
from xvfb_person import (click, need, program_env, screenshot, start_accessibility_bus, start_program, wait_for,
                         window_shot, xdotool)

xvfb_person.failure_shot = os.path.join(tempfile.gettempdir(), "tessaly-presets-failure.png")


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def preview_area(app):
    """Left, top, right, bottom (exclusive) of the screen part that holds
    the preview: the window left of the tool panel and above the tabs."""
    left, top, _, _ = extents(app.getChildAtIndex(0))
    tools = extents(need(app, "push button", "左移"))[0]
    tabs = extents(need(app, "page tab", "大小"))[1]
    return left, top, tools, tabs


def white_box(app):
    """The box (left, top, width, height) of the white banner in the
    preview area and whether the backdrop shows on every side of it, when
    one is there: the columns and rows that are mostly white, all white
    inside."""
    left, top, right, bottom = preview_area(app)
    area = screenshot()[top:bottom, left:right].astype(int)
    white = (area == 255).all(axis=2)
    columns = white.sum(axis=0)
    rows = white.sum(axis=1)
    if columns.max() < 10 or rows.max() < 10:
        return None
    xs = np.nonzero(columns >= columns.max() * 0.9)[0]
    ys = np.nonzero(rows >= rows.max() * 0.9)[0]
    x0, x1, y0, y1 = int(xs.min()), int(xs.max()), int(ys.min()), int(ys.max())
    if not white[y0 : y1 + 1, x0 : x1 + 1].all():
        return None
    surrounded = not (x0 == 0 or y0 == 0 or x1 + 1 >= white.shape[1] or y1 + 1 >= white.shape[0])
    return (left + x0, top + y0, x1 - x0 + 1, y1 - y0 + 1), surrounded


def white_banner(app):
    """The box of the white banner when the backdrop shows on every side
    of it, else the banner may be cut."""
    found = white_box(app)
    return found[0] if found and found[1] else None


def on_screen(node):
    x, y, width, height = extents(node)
    screen = screenshot().shape
    return x >= 0 and y >= 0 and x + width <= screen[1] and y + height <= screen[0]


def scroll_value(app):
    """The preview's vertical scroll bar: (value, maximum), None when it does not show."""
    bar = next((n for n in xvfb_person.walk(app) if n.getRoleName() == "scroll bar" and xvfb_person.showing(n)
                and extents(n)[3] > extents(n)[2]), None)
    if bar is None:
        return None
    value = bar.queryValue()
    return int(value.currentValue), int(value.maximumValue)


def tall_banner(app, shots):
    """160 X 600 on a screen too low for it: the window and its wizard
    buttons on the screen, the preview scrolled by the wheel to the
    banner's bottom, "下一步" clicked."""
    window = app.getChildAtIndex(0)
    if not on_screen(window):
        xvfb_person.fail(f"the window {extents(window)} goes beyond the screen")
    next_button = need(app, "push button", "下一步")
    for button in (need(app, "push button", "上一步"), next_button):
        if not on_screen(button):
            xvfb_person.fail(f"{button.name} at {extents(button)} is off the screen")
    box, _ = wait_for(lambda: (lambda f: f if f and f[0][2] == 160 else None)(white_box(app)),
                      "the 160 X 600 banner's top")
    start, maximum = wait_for(lambda: scroll_value(app), "the preview's scroll bar")
    if start != 0 or box[3] + maximum != 600:
        xvfb_person.fail(f"banner shown {box}, scroll bar at {start} of {maximum}: not the banner's top")
    print("160 X 600 top at", box, "scrolls", maximum, "window", extents(window))
    if shots:
        window_shot(app, os.path.join(shots, "preset-160x600-top.png"))
    # The wheel over the backdrop right of the banner.
    xdotool("mousemove", box[0] + box[2] + 20, box[1] + box[3] // 2)
    for _ in range(3):
        xdotool("click", 5)
        time.sleep(0.2)
    wait_for(lambda: (lambda v: v and v[0] == v[1])(scroll_value(app)), "the preview scrolled to the bottom")
    bottom, _ = wait_for(lambda: (lambda f: f if f and f[0][2] == 160 else None)(white_box(app)),
                         "the 160 X 600 banner's bottom")
    print("160 X 600 scrolled to its bottom:", bottom)
    if shots:
        window_shot(app, os.path.join(shots, "preset-160x600-bottom.png"))
    click(next_button, settle=0.8)
    # The background tab's boxes show.
    need(app, "check box", "渐变色")
    if shots:
        window_shot(app, os.path.join(shots, "preset-160x600-next.png"))


def choose_preset(app, caption):
    # The preset list (the size tab's only combo box) is named by its current entry.
    combo = wait_for(lambda: next((n for n in xvfb_person.walk(app)
                                   if n.getRoleName() == "combo box" and xvfb_person.showing(n)), None),
                     "the preset list")
    click(combo, settle=0.8)
    # The open list's entries are on screen now.
    item = wait_for(lambda: next((n for n in xvfb_person.walk(app)
                                  if n.getRoleName() == "list item" and n.name == caption
                                  and extents(n)[1] > 0), None), caption)
    click(item, settle=1.0)


def main():
    program = sys.argv[1]
    shots = sys.argv[2] if len(sys.argv) > 2 else None
    work = tempfile.mkdtemp(prefix="tessaly-presets-")
    bus = start_accessibility_bus()
    proc, app = start_program([program], program_env(work), work)
    try:
        click(need(app, "page tab", "大小"))
        choose_preset(app, "728 X 90")
        box = wait_for(lambda: (lambda b: b if b and b[2:] == (728, 90) else None)(white_banner(app)),
                       "the whole 728 X 90 banner on screen", timeout=10)
        print("728 X 90 banner at", box, "window", extents(app.getChildAtIndex(0)))
        if shots:
            window_shot(app, os.path.join(shots, "preset-728x90.png"))
        choose_preset(app, "160 X 600")
        tall_banner(app, shots)
        print("PASS")
    finally:
        proc.terminate()
        proc.wait(timeout=10)
        if bus:
            bus.terminate()


if __name__ == "__main__":
    main()
