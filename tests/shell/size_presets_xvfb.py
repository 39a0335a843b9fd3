#!/usr/bin/python3
"""The window grows to hold the banner a person chooses, under Xvfb.

tessaly starts on a new (white) banner; on the size tab the presets
"728 X 90" and "160 X 600" are chosen with real clicks. After each, the
screen shows the whole white banner at its exact size inside the window,
left of the tool panel and above the tabs, with the preview's backdrop all
round it: nothing is cut. With a folder given, the window's screenshots are
written there.

Run inside a display and a session bus:
  xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- size_presets_xvfb.py PROGRAM [SHOTS]
"""
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
import pyatspi

import xvfb_person
from xvfb_person import click, need, screenshot, wait_for

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


def white_banner(app):
    """The box (left, top, width, height) of the white banner in the
    preview area, when one is there: the columns and rows that are mostly
    white, all white inside."""
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
    # The backdrop shows on every side, else the banner may be cut.
    if x0 == 0 or y0 == 0 or x1 + 1 >= white.shape[1] or y1 + 1 >= white.shape[0]:
        return None
    return left + x0, top + y0, x1 - x0 + 1, y1 - y0 + 1


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


def window_shot(app, path):
    x, y, width, height = extents(app.getChildAtIndex(0))
    subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "+repage", path], check=True)
    print("wrote", path)


def main():
    program = sys.argv[1]
    shots = sys.argv[2] if len(sys.argv) > 2 else None
    work = tempfile.mkdtemp(prefix="tessaly-presets-")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_CONFIG_HOME=work, HOME=work, LANG="C.UTF-8")
    launcher = "/usr/libexec/at-spi-bus-launcher"
    bus = subprocess.Popen([launcher, "--launch-immediately"]) if os.path.exists(launcher) else None
    time.sleep(1.0)
    proc = subprocess.Popen([program], env=env, cwd=work)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for(lambda: next((a for a in desktop if a is not None and a.get_process_id() == proc.pid), None),
                       "the program on the accessibility bus")
        click(need(app, "page tab", "大小"))
        for caption, width, height in (("728 X 90", 728, 90), ("160 X 600", 160, 600)):
            choose_preset(app, caption)
            box = wait_for(lambda: (lambda b: b if b and b[2:] == (width, height) else None)(white_banner(app)),
                           f"the whole {caption} banner on screen", timeout=10)
            print(caption, "banner at", box, "window", extents(app.getChildAtIndex(0)))
            if shots:
                window_shot(app, os.path.join(shots, f"preset-{width}x{height}.png"))
        print("PASS")
    finally:
        proc.terminate()
        proc.wait(timeout=10)
        if bus:
            bus.terminate()


if __name__ == "__main__":
    main()
