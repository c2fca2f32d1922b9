#!/usr/bin/python3
"""The page's frame rate in the show's heavy windows, beside the native build's on this machine.

Starts Xvfb and a windowed Chromium on it (SwiftShader for WebGL, as without a graphics card),
opens the page (SITE_DIR, served from 127.0.0.1), presses OK with FullScreen unticked (the
800 x 600 picture), seeks with the show's own keys to one second into each heavy window and
reads the page's frame counter over SECONDS (default 4) of live play. Then, in the same run and
not beside it, the native bench (vexilograph-bench in NATIVE_BUILD_DIR, llvmpipe, offscreen
800 x 600) draws FRAMES (default 30) frames of the same windows; its rate is 1000 / the median
frame time (drawing only: the page's rate also carries presenting the frame and the browser's
compositing). Run by hand; it is not a test.
Usage: page-frame-rate.py SITE_DIR NATIVE_BUILD_DIR [SECONDS] [FRAMES]
"""
import csv
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "web"))
from cdp import Browser  # noqa: E402
from page_test import serve  # noqa: E402

# The bench's own windows (bench/show/BenchWindows.cpp): name, from s, to s.
HEAVY_WINDOWS = [("pillar field", 85.5, 92.5), ("totem", 103, 116), ("tunnel", 188.5, 209), ("finale", 250, 282)]
KEYS = {5000: ("ArrowUp", 38), 500: ("ArrowRight", 39)}  # the show's forward seeks


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                              pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        display = f.readline().strip()
    return server, ":" + display


def wait_for(browser, expression, seconds):
    deadline = time.monotonic() + seconds
    while not browser.evaluate(expression):
        if time.monotonic() > deadline:
            raise RuntimeError("the page never got to: " + expression)
        time.sleep(0.05)


def seek_to(browser, target_ms):
    """Forward seeks of 5 s and 0.5 s, one key a frame, as a viewer would press them."""
    for step in (5000, 500):
        while target_ms - browser.evaluate("Module._vexShowMs()") >= step:
            frames = browser.evaluate("Module._vexFramesShown()")
            browser.key(*KEYS[step])
            wait_for(browser, "Module._vexFramesShown() > %d" % (frames + 1), 30)


def page_rates(site, seconds, scratch):
    xvfb, display = start_xvfb()
    server = serve(site, [])
    os.environ["DISPLAY"] = display
    browser = Browser(os.path.join(scratch, "profile"), ["--window-size=1024,768"], headless=False)
    rates = {}
    try:
        browser.navigate("http://127.0.0.1:%d/index.html" % server.server_address[1])
        wait_for(browser, "!!document.getElementById('ok') && !document.getElementById('ok').disabled", 120)
        browser.evaluate("document.getElementById('fullscreen').checked = false")
        browser.click("ok")
        wait_for(browser, "Module._vexFramesShown() > 10", 60)
        for name, start, end in HEAVY_WINDOWS:
            seek_to(browser, int((start + 1) * 1000))
            time.sleep(0.5)
            begin = browser.evaluate("[Module._vexFramesShown(), performance.now(), Module._vexShowMs()]")
            time.sleep(seconds)
            finish = browser.evaluate("[Module._vexFramesShown(), performance.now(), Module._vexShowMs()]")
            if finish[2] > end * 1000:
                print("note: %s ran past its window (%.1f s)" % (name, finish[2] / 1000))
            rates[name] = (finish[0] - begin[0]) * 1000.0 / (finish[1] - begin[1])
            print("page %-13s %5.1f frames/s (%.1f to %.1f s)" % (name, rates[name], begin[2] / 1000, finish[2] / 1000))
    finally:
        browser.close()
        server.shutdown()
        xvfb.terminate()
        xvfb.wait()
    return rates


def native_rates(native_build, frames, scratch):
    table = os.path.join(scratch, "native.csv")
    subprocess.run(["./vexilograph-bench", "--frames", str(frames), "--csv", table,
                    "--windows", ",".join(name for name, _, _ in HEAVY_WINDOWS)],
                   cwd=native_build, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(table) as f:
        return {row["window"]: 1000.0 / float(row["median_ms"]) for row in csv.DictReader(f)}


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    site, native_build = sys.argv[1], sys.argv[2]
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 4.0
    frames = int(sys.argv[4]) if len(sys.argv) > 4 else 30
    with tempfile.TemporaryDirectory(prefix="vex-page-rate-") as scratch:
        page = page_rates(site, seconds, scratch)
        native = native_rates(native_build, frames, scratch)
    print("%-13s %9s %11s %6s" % ("window", "page fps", "native fps", "ratio"))
    for name, _, _ in HEAVY_WINDOWS:
        print("%-13s %9.1f %11.1f %6.2f" % (name, page[name], native[name], page[name] / native[name]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
