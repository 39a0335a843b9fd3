#!/usr/bin/python3
"""Recovery after a crash, as a person meets it, under Xvfb.

Real mouse events go through XTEST (xdotool without --window); controls are
found by their captions over AT-SPI. A shape and a text are added and the
shape dragged 40 pixels right (Ctrl+Z puts it back, Ctrl+Y moves it again);
once the recovery file holds that banner the program is killed (SIGKILL). Started again, it asks whether to restore the
banner; after Yes the document equals the one before the kill field by field
(both written by --dump-document) and the preview shows the shape where it
was dragged. With a folder given, screenshots before the kill and after the
recovery are written there.

Run inside a display and a session bus:
  xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- recovery_xvfb.py PROGRAM [SHOTS]
"""
import os
import signal
import subprocess
import sys
import tempfile
import time

import numpy as np
import pyatspi

import xvfb_person
from xvfb_person import (click, drag, fail, need, program_env, screenshot, shoot, start_accessibility_bus,
                         start_program, wait_for, xdotool)

xvfb_person.failure_shot = os.path.join(tempfile.gettempdir(), "tessaly-recovery-failure.png")


def red_box(image, bottom):
    """Left, top, right, bottom of the pure red pixels (the shape's fill)
    above the tabs."""
    image = image[:bottom]
    r, g, b = (image[:, :, i].astype(int) for i in range(3))
    ys, xs = np.nonzero((r > 220) & (g < 40) & (b < 40))
    if len(xs) == 0:
        return None
    return int(xs.min()), int(ys.min()), int(xs.max()), int(ys.max())














def read(path):
    try:
        with open(path, encoding="utf-8", newline="") as f:
            return f.read()
    except FileNotFoundError:
        return None


def shape_x_of(dump):
    """The first shape's X in the project lines of a dump."""
    for line in (dump or "").split("\r\n"):
        if line.startswith("ShapeX="):
            return line[len("ShapeX="):]
    return None


def fields(dump):
    """The field lines of the recovery section, numbered by section."""
    lines, section, count = [], "", 0
    inside = False
    for line in dump.split("\r\n"):
        if line == "<RECOVERY>":
            inside = True
        elif line == "</RECOVERY>":
            inside = False
        elif inside and line.startswith("<") and not line.startswith("</"):
            count += 1
            section = f"{count} {line}"
        elif inside and "=" in line:
            lines.append(f"{section} {line}")
    return lines


def start(program, env, work, dump):
    return start_program([program, "--dump-document", dump], env, work)


def main():
    program = sys.argv[1]
    shots = sys.argv[2] if len(sys.argv) > 2 else None
    work = tempfile.mkdtemp(prefix="tessaly-recovery-")
    state = os.path.join(work, "state")
    env = program_env(work, XDG_STATE_HOME=state)
    bus = start_accessibility_bus()
    first_dump, second_dump = os.path.join(work, "before.bwf"), os.path.join(work, "after.bwf")
    proc, app = start(program, env, work, first_dump)
    second = None
    try:
        shape_tab = need(app, "page tab", "外形")
        bottom = shape_tab.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).y
        click(shape_tab)
        click(need(app, "push button", "应用外形"), settle=0.8)
        left, top, right, low = wait_for(lambda: red_box(screenshot(), bottom), "the red rectangle")
        shape_x = int(wait_for(lambda: shape_x_of(read(first_dump)), "the new shape in the dump"))
        click(need(app, "page tab", "文字"))
        click(need(app, "push button", "新建文字"), settle=0.8)
        y = (top + low) // 2
        drag(left + 12, y, left + 52, y)
        moved = wait_for(lambda: (lambda b: b if b and b[0] != left else None)(red_box(screenshot(), bottom)),
                         "the rectangle to move")
        if moved[0] - left != 40:
            fail(f"the drag moved the rectangle from {left} to {moved[0]}")

        # The Edit menu's keys take the drag back and do it again.
        window = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(proc.pid)], capture_output=True,
                                text=True).stdout.split()[0]
        xdotool("windowfocus", "--sync", window)
        xdotool("key", "ctrl+z")
        wait_for(lambda: (red_box(screenshot(), bottom) or (None,))[0] == left, "Ctrl+Z to put the rectangle back")
        xdotool("key", "ctrl+y")
        wait_for(lambda: red_box(screenshot(), bottom) == moved, "Ctrl+Y to move it again")

        recovery = os.path.join(state, "Tessaly", f"recovery-{proc.pid}.bwf")
        wait_for(lambda: shape_x_of(read(first_dump)) == str(shape_x + 40), "the dragged shape in the dump")
        wait_for(lambda: read(recovery) is not None and fields(read(recovery)) == fields(read(first_dump)),
                 "the recovery file to hold the dragged banner", timeout=15)
        before = read(first_dump)
        shoot(shots, "recovery-before-kill.png")
        proc.send_signal(signal.SIGKILL)
        proc.wait(timeout=10)
        if read(recovery) is None:
            fail("the recovery file went with the killed program")

        second, app = start(program, env, work, second_dump)
        question = need(app, "label", "发现上次未保存的横幅. 是否恢复?")
        print("asked:", question.name)
        shoot(shots, "recovery-question.png")
        click(need(app, "push button", "Yes", "&Yes", "是"), settle=1.0)
        after = wait_for(lambda: read(second_dump), "the recovered document's dump")
        time.sleep(1.0)
        after = read(second_dump)
        differences = sorted(set(fields(before)) ^ set(fields(after)))
        if not fields(after) or differences:
            fail("the recovered document differs:\n  " + "\n  ".join(differences))
        shown = wait_for(lambda: red_box(screenshot(), bottom), "the recovered rectangle in the preview")
        if shown != moved:
            fail(f"the preview shows the rectangle at {shown}, before the kill it was at {moved}")
        if os.path.exists(recovery):
            fail("the killed program's recovery file was not taken over")
        shoot(shots, "recovery-restored.png")
        print(f"{len(fields(after))} fields equal; rectangle at {shown} as before the kill")
        print("PASS")
    finally:
        for p in (proc, second):
            if p is not None and p.poll() is None:
                p.terminate()
                p.wait(timeout=10)
        if bus:
            bus.terminate()


if __name__ == "__main__":
    main()
