#!/usr/bin/python3
"""The program as a person starts it: `tessaly PROJECT.bwf` as a process on
an X display (run under xvfb-run), a screenshot of the whole screen, and in
it the picture that tessaly-render draws of the same project's editing
preview, found by template matching and compared pixel for pixel (only the
selected item's dashed outline, which the window draws over the movie, may
differ).

usage: window_shot.py BIN_DIR PROJECT.bwf WORK_DIR
Writes WORK_DIR/screen.png (the whole screen) and WORK_DIR/window.png (the
main window cut out). Exit status 0 when the banner is found exactly.
"""

import os
import subprocess
import sys
import time

import numpy as np


def run(*args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kwargs)


def read_rgb(png):
    """The picture as a height x width x 3 float array, through ImageMagick."""
    width, height = map(int, run("identify", "-format", "%w %h", png).stdout.split())
    raw = subprocess.run(["convert", png, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return np.frombuffer(raw, dtype=np.uint8).reshape(height, width, 3).astype(np.float64)


def best_match(screen, template):
    """(y, x, mean absolute difference) of the place where template fits
    screen best: the sum of squared differences over every place, by FFT."""
    sh, sw, _ = screen.shape
    th, tw, _ = template.shape
    size = (sh + th, sw + tw)
    ssd = np.zeros((sh - th + 1, sw - tw + 1))
    ones = np.ones((th, tw))
    for c in range(3):
        s = screen[:, :, c]
        t = template[:, :, c]
        corr = np.fft.irfft2(np.fft.rfft2(s, size) * np.conj(np.fft.rfft2(t, size)), size)
        window = np.fft.irfft2(np.fft.rfft2(s * s, size) * np.conj(np.fft.rfft2(ones, size)), size)
        ssd += window[: sh - th + 1, : sw - tw + 1] - 2 * corr[: sh - th + 1, : sw - tw + 1] + (t * t).sum()
    y, x = np.unravel_index(np.argmin(ssd), ssd.shape)
    diff = np.abs(screen[y : y + th, x : x + tw] - template).mean()
    return int(y), int(x), float(diff)


def wait_for_window(pid, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], capture_output=True, text=True)
        ids = found.stdout.split()
        if ids:
            return ids[0]
        time.sleep(0.2)
    return None


def main():
    bin_dir, project, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    preview = os.path.join(work, "preview.swf")
    expected_png = os.path.join(work, "expected.png")
    run(os.path.join(bin_dir, "tessaly-build"), project, "--preview", "-o", preview)
    run(os.path.join(bin_dir, "tessaly-render"), preview, "-o", expected_png)

    # A user with no preferences yet.
    env = dict(os.environ, HOME=os.path.join(work, "home"), XDG_CONFIG_HOME=os.path.join(work, "home/.config"),
               QT_QPA_PLATFORM="xcb")
    os.makedirs(env["XDG_CONFIG_HOME"], exist_ok=True)
    program = subprocess.Popen([os.path.join(bin_dir, "tessaly"), project], env=env)
    try:
        window = wait_for_window(program.pid, 30)
        if window is None:
            print("window_shot: the window did not appear")
            return 1
        time.sleep(2)  # let the first preview reach the screen
        screen_png = os.path.join(work, "screen.png")
        run("import", "-window", "root", screen_png)
        geometry = run("xdotool", "getwindowgeometry", "--shell", window).stdout
        box = dict(line.split("=") for line in geometry.split())
        run("convert", screen_png, "-crop", "%sx%s+%s+%s" % (box["WIDTH"], box["HEIGHT"], box["X"], box["Y"]),
            "+repage", os.path.join(work, "window.png"))
    finally:
        program.terminate()
        program.wait(timeout=30)

    screen = read_rgb(screen_png)
    expected = read_rgb(expected_png)
    y, x, diff = best_match(screen, expected)
    h, w = expected.shape[0], expected.shape[1]

    # The share of pixels that differ visibly. The window draws the dashed
    # outline of the selected item over the movie; everything else is the
    # same picture. One pixel aside shows how far a near miss would be.
    def differing(at_y, at_x):
        return float((np.abs(screen[at_y : at_y + h, at_x : at_x + w] - expected).max(axis=2) > 8).mean())

    here, aside = differing(y, x), differing(y, x + 1)
    print("window_shot: banner %dx%d found at %d,%d; mean difference %.3f; pixels differing %.2f %% "
          "(one pixel aside %.2f %%); %s" % (w, h, x, y, diff, 100 * here, 100 * aside, screen_png))
    inside = int(box["X"]) <= x and x + w <= int(box["X"]) + int(box["WIDTH"])
    return 0 if here < 0.03 and aside > 5 * here and inside else 1


if __name__ == "__main__":
    sys.exit(main())
