#!/usr/bin/python3
"""A long Save cancelled as a person does it, under Xvfb.

The demo project is given a long animation (snow, slowest speed, many
loops) and opened. The Save button is clicked, a file name typed into the
save dialog; after half a second the progress dialog shows the build's
percent and stage, and a real click on its Cancel ends the build: no movie
and no project file are written, the window's caption, the preview and the
tool panel are as before (pixel for pixel) and the program goes on. A second Save, left alone, writes the movie and the
project. With a folder given, screenshots of the progress dialog and of the
window after Cancel are written there.

Run inside a display and a session bus:
  xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- save_cancel_xvfb.py PROGRAM DEMO.bwf [SHOTS]
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

import xvfb_person
from xvfb_person import (click, fail, need, program_env, screenshot, shoot, showing, start_accessibility_bus,
                         start_program, wait_for, walk, xdotool)

xvfb_person.failure_shot = os.path.join(tempfile.gettempdir(), "tessaly-save-cancel-failure.png")

STAGES = ("正在生成动画效果...", "正在写入影片对象...", "正在写入影片文件...")


def long_project(demo, work):
    """The demo project with a long animation, its picture beside it."""
    with open(demo, encoding="gb18030", newline="") as f:
        lines = f.read().split("\r\n")
    values = {"AnimationType": "25", "AnimationSpeed": "1", "AnimationLoop": "12", "URL": "https://shop.example/"}
    lines = [f"{line.split('=')[0]}={values[line.split('=')[0]]}" if line.split("=")[0] in values else line
             for line in lines]
    path = os.path.join(work, "long.bwf")
    with open(path, "w", encoding="gb18030", newline="") as f:
        f.write("\r\n".join(lines))
    folder = os.path.dirname(os.path.abspath(demo))
    for picture in glob.glob(os.path.join(folder, "*.bmp")):
        shutil.copy(picture, work)
    return path


def window_ids(proc):
    listed = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(proc.pid)], capture_output=True,
                            text=True).stdout.split()
    return listed


def progress_bar(app):
    """The showing progress bar and the progress dialog's label, when the
    dialog is up. A tree that changes while it is read (the dialog closing)
    is read again."""
    for _ in range(50):
        try:
            bar, label = None, None
            for node in walk(app):
                if not showing(node):
                    continue
                if node.getRoleName() == "progress bar":
                    bar = node
                elif node.getRoleName() == "label" and node.name in STAGES:
                    label = node
            return (bar, label) if bar is not None else None
        except GLib.GError:
            time.sleep(0.2)
    fail("the program does not answer over the accessibility bus")


def frame_name(app):
    for node in walk(app):
        if node.getRoleName() == "frame" and showing(node):
            return node.name
    return None


def save_as(proc, app, movie):
    """Clicks Save and answers the save dialog with the movie's path."""
    before = len(window_ids(proc))
    click(need(app, "push button", "保存"), settle=0.2)
    wait_for(lambda: len(window_ids(proc)) > before, "the save dialog")
    time.sleep(0.5)
    xdotool("windowfocus", "--sync", window_ids(proc)[-1])
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "5", movie)
    xdotool("key", "Return")


def main():
    program, demo = sys.argv[1], sys.argv[2]
    shots = sys.argv[3] if len(sys.argv) > 3 else None
    if shots:
        os.makedirs(shots, exist_ok=True)
    work = tempfile.mkdtemp(prefix="tessaly-save-cancel-")
    project = long_project(demo, work)
    movie = os.path.join(work, "long.swf")
    env = program_env(work, XDG_STATE_HOME=os.path.join(work, "state"))
    bus = start_accessibility_bus()
    proc, app = start_program([program, project], env, work)
    try:
        save_tab = need(app, "page tab", "保存")
        bottom = save_tab.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).y
        click(save_tab)
        caption = wait_for(lambda: frame_name(app), "the window's caption")
        time.sleep(1.0)
        preview_before = screenshot()[:bottom]

        save_as(proc, app, movie)
        bar, label = wait_for(lambda: (lambda found: found if found and found[0].queryValue().currentValue > 0
                                       else None)(progress_bar(app)), "the progress dialog with a percent", 60)
        percent = bar.queryValue().currentValue
        print(f"progress: {percent:.0f}% {label.name if label else '(no stage)'}")
        if not 0 < percent < 100:
            fail(f"the progress dialog shows {percent}")
        if label is None:
            fail("the progress dialog names no stage")
        shoot(shots, "save-progress.png")
        started = time.time()
        click(need(app, "push button", "取消"), settle=0.0)
        wait_for(lambda: progress_bar(app) is None, "the progress dialog to close after Cancel", 30)
        print(f"the build ended {time.time() - started:.1f} s after Cancel")
        time.sleep(1.0)
        if proc.poll() is not None:
            fail("the program ended")
        if os.path.exists(movie):
            fail("the cancelled save wrote the movie")
        projects = [p for p in glob.glob(os.path.join(work, "**", "*.BWF"), recursive=True)]
        if projects:
            fail(f"the cancelled save wrote a project: {projects}")
        if frame_name(app) != caption:
            fail(f"the caption changed from {caption!r} to {frame_name(app)!r}")
        changed = (screenshot()[:bottom] != preview_before).any(axis=2).sum()
        if changed:
            fail(f"{changed} pixels of the preview and the tool panel differ from before the save")
        shoot(shots, "save-cancelled.png")

        # Left alone, the same Save writes the movie and the project.
        save_as(proc, app, movie)
        wait_for(lambda: proc.poll() is not None or (os.path.exists(movie) and progress_bar(app) is None),
                 "the second save", 300)
        if proc.poll() is not None:
            fail(f"the program ended during the second save (exit {proc.returncode})")
        with open(movie, "rb") as f:
            if f.read(3) != b"CWS":
                fail("the saved movie is not a compressed SWF file")
        wait_for(lambda: glob.glob(os.path.join(work, "**", "long.BWF"), recursive=True), "the saved project")
        print("PASS")
    finally:
        if proc.poll() is None:
            proc.terminate()
            proc.wait(timeout=10)
        if bus:
            bus.terminate()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
