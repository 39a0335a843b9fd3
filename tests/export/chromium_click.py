#!/usr/bin/env python3
"""Opens a page in headless Chromium, saves a screenshot of it, clicks the
middle of the page and prints the address the click opens.

usage: chromium_click.py CHROMIUM PAGE_URL SCREENSHOT.png WIDTH HEIGHT

A screenshot path of "-" takes none.

Chromium is driven through the DevTools protocol over a pipe
(--remote-debugging-pipe: commands on fd 3, answers on fd 4, each a JSON
text ended by a NUL byte). Every host name fails to resolve, so the click
reaches no network; the address is read from the target that the click
opens or navigates. Exit status 0 with the address on stdout, 1 when no
navigation was seen.
"""
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

TIMEOUT = 30.0


class Browser:
    def __init__(self, chromium, width, height):
        self.profile = tempfile.mkdtemp(prefix="tessaly-chromium-")
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()

        def child_pipes():
            # Copies first: a pipe end may already be fd 3 or 4, and dup2
            # onto itself would leave it closed at exec.
            reading, writing = os.dup(to_browser_r), os.dup(from_browser_w)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        self.process = subprocess.Popen(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--remote-debugging-pipe", "--user-data-dir=" + self.profile,
             "--host-resolver-rules=MAP * ~NOTFOUND", "--hide-scrollbars",
             "--window-size=%d,%d" % (width, height), "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=child_pipes, close_fds=False)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.next_id = 0
        self.buffer = b""
        self.events = []

    def close(self):
        self.process.kill()
        self.process.wait()
        os.close(self.to_browser)
        os.close(self.from_browser)
        shutil.rmtree(self.profile, ignore_errors=True)

    def read_message(self):
        while b"\0" not in self.buffer:
            chunk = os.read(self.from_browser, 65536)
            if not chunk:
                raise RuntimeError("the browser closed its pipe")
            self.buffer += chunk
        text, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(text)

    def call(self, method, params=None, session=None):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        while True:
            reply = self.read_message()
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply.get("result", {})
            self.events.append(reply)

    def wait_event(self, accept):
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            while self.events:
                event = self.events.pop(0)
                found = accept(event)
                if found:
                    return found
            self.events.append(self.read_message())
        return None


def main():
    chromium, page_url, screenshot = sys.argv[1:4]
    width, height = int(sys.argv[4]), int(sys.argv[5])
    browser = Browser(chromium, width, height)
    try:
        browser.call("Target.setDiscoverTargets", {"discover": True})
        target = browser.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = browser.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        browser.call("Page.enable", session=session)
        browser.call("Emulation.setDeviceMetricsOverride",
                     {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False}, session)
        browser.events.clear()
        browser.call("Page.navigate", {"url": page_url}, session)
        browser.wait_event(lambda e: e.get("method") == "Page.loadEventFired")
        time.sleep(0.5)  # the animation's first frames decode and show
        if screenshot != "-":
            shot = browser.call("Page.captureScreenshot", {"format": "png"}, session)
            with open(screenshot, "wb") as out:
                out.write(base64.b64decode(shot["data"]))

        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            browser.call("Input.dispatchMouseEvent",
                         {"type": kind, "x": width / 2, "y": height / 2, "button": "left", "clickCount": 1},
                         session)

        def opened(event):
            method, params = event.get("method"), event.get("params", {})
            if method in ("Target.targetCreated", "Target.targetInfoChanged"):
                info = params["targetInfo"]
                if info["targetId"] != target and info["type"] == "page" and \
                        info["url"] not in ("", "about:blank"):
                    return info["url"]
            if method == "Page.frameRequestedNavigation" and params.get("url") != page_url:
                return params["url"]
            if method == "Page.frameNavigated" and params["frame"]["url"] != page_url:
                return params["frame"].get("unreachableUrl") or params["frame"]["url"]
            return None

        address = browser.wait_event(opened)
    finally:
        browser.close()
    if not address:
        print("no navigation seen", file=sys.stderr)
        return 1
    print(address)
    return 0


if __name__ == "__main__":
    sys.exit(main())
