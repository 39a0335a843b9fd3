#!/usr/bin/python3
"""Places items in the running program as a person does, under Xvfb.

Real mouse and key events go through XTEST (xdotool without --window);
controls are found by their captions over AT-SPI. A shape is added, a text
made current, the shape dragged 40 pixels right in the preview: its X grows by
40, it becomes current (outlined) and the shape tab shows it. Three clicks on
the right arrow move it 3 pixels more. With a folder given, screenshots of the
shape, picture and text tabs with an item selected are written there.

Run inside a display and a session bus:
  xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- drag_items_xvfb.py PROGRAM [SHOTS]
"""
import os
import struct
import subprocess
import sys
import tempfile
import time

import numpy as np
import pyatspi

import xvfb_person
from xvfb_person import (click, drag, fail, find, need, program_env, screenshot, start_accessibility_bus, start_program,
                         wait_for, window_shot, xdotool)

xvfb_person.failure_shot = os.path.join(tempfile.gettempdir(), "tessaly-drag-failure.png")


# Rows from here down hold the tabs (whose colour swatches are red too).
PREVIEW_BOTTOM = [0]


def red_box(image):
    """Left, top, right, bottom of the pure red pixels (the shape's fill) in
    the preview area."""
    image = image[: PREVIEW_BOTTOM[0]]
    r, g, b = (image[:, :, i].astype(int) for i in range(3))
    ys, xs = np.nonzero((r > 220) & (g < 40) & (b < 40))
    if len(xs) == 0:
        return None
    return int(xs.min()), int(ys.min()), int(xs.max()), int(ys.max())


















def selected_tab(app):
    """The item tab shown, told by a button only its page has."""
    for tab, button in (("外形", "应用外形"), ("图像", "添加图像"), ("文字", "新建文字")):
        if find(app, "push button", button):
            return tab
    return None


def field_value(app, name):
    node = need(app, "spin button", name)
    return int(node.queryValue().currentValue)


def dark_pixels_above(image, box):
    left, top, right, _ = box
    band = image[max(top - 4, 0) : top, left:right].astype(int)
    return int(((band[:, :, 0] < 60) & (band[:, :, 1] < 60) & (band[:, :, 2] < 60)).sum())


def write_bmp(path, width, height):
    """A 24-bit picture of colour bands for the picture tab."""
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            row += bytes((40 + 3 * y, 160, 40 + 2 * x) if (x // 12) % 2 else (200, 120 + y, 30))
        rows += row + bytes(stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def take_tab_shots(app, pid, shots, work):
    window_shot(app, os.path.join(shots, "shape-tab.png"))
    picture = os.path.join(work, "bands.bmp")
    write_bmp(picture, 96, 40)
    click(need(app, "page tab", "图像"))
    click(need(app, "push button", "添加图像"), settle=1.5)
    windows = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                             capture_output=True, text=True).stdout.split()
    xdotool("windowfocus", "--sync", windows[-1])
    xdotool("type", "--delay", "20", picture)
    xdotool("key", "Return")
    time.sleep(1.0)
    wait_for(lambda: field_value(app, "宽度:") == 96, "the picture's width in its tab")
    window_shot(app, os.path.join(shots, "picture-tab.png"))
    click(need(app, "page tab", "文字"))
    main_window = windows[0]
    xdotool("windowfocus", "--sync", main_window)
    click(need(app, "text", "文字"))
    xdotool("key", "ctrl+a")
    # One character at a time: xdotool maps each Chinese character to a
    # spare key code, which a quick second character can overtake.
    for character in "横幅 Banner":
        xdotool("type", character)
        time.sleep(0.15)
    time.sleep(0.8)
    window_shot(app, os.path.join(shots, "text-tab.png"))


def main():
    program = sys.argv[1]
    shots = sys.argv[2] if len(sys.argv) > 2 else None
    work = tempfile.mkdtemp(prefix="tessaly-drag-")
    bus = start_accessibility_bus()
    proc, app = start_program([program], program_env(work), work)
    try:
        shape_tab = need(app, "page tab", "外形")
        PREVIEW_BOTTOM[0] = shape_tab.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).y
        click(shape_tab)
        click(need(app, "push button", "应用外形"), settle=0.8)
        start = wait_for(lambda: red_box(screenshot()), "the red rectangle")
        click(need(app, "page tab", "文字"))
        click(need(app, "push button", "新建文字"), settle=0.8)
        before = screenshot()
        if dark_pixels_above(before, red_box(before)) > 8:
            fail("the rectangle is outlined while the text is current")

        left, top, right, bottom = start
        y = (top + bottom) // 2
        drag(left + 12, y, left + 52, y)
        moved = wait_for(lambda: (lambda b: b if b and b[0] != left else None)(red_box(screenshot())),
                         "the rectangle to move")
        if moved[0] - left != 40 or moved[1] != top:
            fail(f"the rectangle moved from {start} to {moved}, not 40 pixels right")
        after = screenshot()
        if dark_pixels_above(after, moved) < 20:
            fail("the dragged rectangle is not outlined as the current item")
        if selected_tab(app) != "外形":
            fail(f"the shape tab is not shown after the drag (shown: {selected_tab(app)})")
        if field_value(app, "高度:") != bottom - top + 1 or field_value(app, "宽度:") != right - left + 1:
            fail("the shape tab does not show the dragged rectangle's size")

        arrow = need(app, "push button", "右移")
        for _ in range(3):
            click(arrow, settle=0.3)
        nudged = wait_for(lambda: (lambda b: b if b and b[0] == moved[0] + 3 else None)(red_box(screenshot())),
                          "three nudges to the right", timeout=5)
        print(f"rectangle: {start} -> dragged {moved} -> nudged {nudged}")
        if shots:
            take_tab_shots(app, proc.pid, shots, work)
        print("PASS")
    finally:
        proc.terminate()
        proc.wait(timeout=10)
        if bus:
            bus.terminate()


if __name__ == "__main__":
    main()
