"""What the whole-program tests under Xvfb share: acting as a person does.

Real mouse events go through XTEST (xdotool without --window); controls are
found by their captions over AT-SPI; the screen is read with ImageMagick.
"""
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
import pyatspi

# Where fail() leaves the screen; each script names its own.
failure_shot = os.path.join(tempfile.gettempdir(), "tessaly-xvfb-failure.png")


def fail(message):
    subprocess.run(["import", "-window", "root", failure_shot], check=False)
    print("FAIL:", message, "(the screen is in", failure_shot + ")")
    sys.exit(1)


def wait_for(produce, what, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        value = produce()
        if value:
            return value
        time.sleep(0.2)
    fail("timed out waiting for " + what)


def program_env(work, **extra):
    """The program's environment: X with accessibility on, its settings and home in work."""
    return dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                XDG_CONFIG_HOME=work, HOME=work, LANG="C.UTF-8", **extra)


def start_accessibility_bus():
    """Starts the AT-SPI bus the program registers on; None where the launcher is missing."""
    launcher = "/usr/libexec/at-spi-bus-launcher"
    bus = subprocess.Popen([launcher, "--launch-immediately"]) if os.path.exists(launcher) else None
    time.sleep(1.0)
    return bus


def start_program(args, env, work):
    """Starts the program and waits for it on the accessibility bus; a program never found is ended."""
    proc = subprocess.Popen(args, env=env, cwd=work)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for(lambda: next((a for a in desktop if a is not None and a.get_process_id() == proc.pid), None),
                       "the program on the accessibility bus")
    except BaseException:
        proc.terminate()
        proc.wait(timeout=10)
        raise
    return proc, app


def shoot(shots, name):
    """The whole screen into shots/name, when shots are asked for."""
    if shots:
        path = os.path.join(shots, name)
        subprocess.run(["import", "-window", "root", path], check=True)
        print("wrote", path)


def window_shot(app, path):
    """The program's main window, cut from the screen, into path."""
    e = app.getChildAtIndex(0).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["import", "-window", "root", "-crop", f"{e.width}x{e.height}+{e.x}+{e.y}", "+repage", path],
                   check=True)
    print("wrote", path)


def screenshot():
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True,
                          check=True).stdout
    # Binary PPM: "P6\n<w> <h>\n<max>\n" then RGB bytes.
    fields = data.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    return np.frombuffer(fields[4][: width * height * 3], dtype=np.uint8).reshape(height, width, 3)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find(app, role, *names):
    """The first showing control of the role named by one of the names."""
    for node in walk(app):
        if node.getRoleName() == role and node.name in names and showing(node):
            return node
    return None


def need(app, role, *names):
    return wait_for(lambda: find(app, role, *names), f"{role} {names}")


def centre(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x + e.width // 2, e.y + e.height // 2


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def click(node, settle=0.4):
    x, y = centre(node)
    xdotool("mousemove", x, y)
    time.sleep(0.05)
    xdotool("click", 1)
    time.sleep(settle)


def drag(x0, y0, x1, y1):
    xdotool("mousemove", x0, y0)
    time.sleep(0.1)
    xdotool("mousedown", 1)
    for step in range(1, 9):
        time.sleep(0.05)
        xdotool("mousemove", x0 + (x1 - x0) * step // 8, y0 + (y1 - y0) * step // 8)
    time.sleep(0.1)
    xdotool("mouseup", 1)
    time.sleep(0.6)
