#!/usr/bin/python3
"""The page's picture on a 1920 x 1080 screen, read from screenshots of headless Chromium.

Three views: full screen at device scale 1 and 2 (the page's own FullScreen control and OK, a
trusted click) and the windowed page at device scale 2. Each draws the frame at SHOW_MS through
the page's display hook, takes a screenshot and finds the picture's rectangle from where its
content lies against the native capture of the same frame. The rectangle must be the largest
centred 4:3 one of the canvas at its real pixel size, the rest black, and the picture as sharp
as one filtered enlargement of the 800 x 600 frame (edge energy; its scanlines blur first).
Usage: display_test.py SITE_DIR NATIVE_BUILD_DIR. Exit status 0 when all passes.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import numpy

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cdp import Browser  # noqa: E402
from page_test import serve  # noqa: E402

SHOW_MS = 175000  # content across the whole width, scanlines, the show's own letterbox band
SCREEN = (1920, 1080)
VIEWS = [(1, True), (2, True), (2, False)]  # (device scale, full screen)
CONTENT_LEVEL = 24  # brighter than this in any channel is picture, not bar
MIN_PSNR_DB = 25.0
MIN_SHARPNESS = 0.95  # edge energy against one bilinear enlargement (a 400 x 300 render: 0.79)


def read_image(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
    magic, size, depth, pixels = ppm.split(b"\n", 3)
    width, height = map(int, size.split())
    return numpy.frombuffer(pixels, numpy.uint8).reshape(height, width, 3).astype(numpy.float64)


def content_box(image):
    """(left, top, right, bottom), inclusive, of the pixels brighter than a bar."""
    mask = image.max(axis=2) > CONTENT_LEVEL
    rows, cols = numpy.where(mask.any(axis=1))[0], numpy.where(mask.any(axis=0))[0]
    return cols[0], rows[0], cols[-1], rows[-1]


def crossing(profile, level, start, step):
    """Where profile, walked from start by step, first reaches level: between two pixel centres."""
    i = start
    while profile[i + step] < level:
        i += step
    return i + 0.5 + step * (level - profile[i]) / (profile[i + step] - profile[i])


def band_edges(screen, left, right, native, band_top, band_bottom):
    """The top and bottom edges of the show's own letterbox band, to a fraction of a pixel.

    An enlargement blends the band's first row with the black one beside it, and the blend is
    half way exactly at the edge; the band's rows are mean brightness over the picture's width.
    """
    profile = screen[:, left:right + 1].max(axis=2).mean(axis=1)
    top_level = native[band_top].max(axis=1).mean() / 2
    bottom_level = native[band_bottom].max(axis=1).mean() / 2
    return crossing(profile, top_level, 0, 1), crossing(profile, bottom_level, len(profile) - 1, -1)


def fit_picture(width, height):
    """The largest centred rectangle of whole 4 x 3 units (left, top, width, height); an odd
    spare row goes above it, as GL counts rows from the bottom."""
    unit = min(width // 4, height // 3)
    spare = height - 3 * unit
    return (width - 4 * unit) // 2, spare - spare // 2, 4 * unit, 3 * unit


def enlarge_bilinear(image, width, height):
    """As a linear blit samples: texel centres, edges clamped."""
    def taps(size_in, size_out):
        at = numpy.clip((numpy.arange(size_out) + 0.5) * size_in / size_out - 0.5, 0, size_in - 1)
        low = numpy.floor(at).astype(int)
        return low, numpy.minimum(low + 1, size_in - 1), at - low
    y0, y1, fy = taps(image.shape[0], height)
    x0, x1, fx = taps(image.shape[1], width)
    rows = image[y0] * (1 - fy)[:, None, None] + image[y1] * fy[:, None, None]
    return rows[:, x0] * (1 - fx)[None, :, None] + rows[:, x1] * fx[None, :, None]


def edge_energy(image):
    luma = image @ numpy.array([0.299, 0.587, 0.114])
    return numpy.abs(numpy.diff(luma, axis=0)).mean() + numpy.abs(numpy.diff(luma, axis=1)).mean()


def psnr(a, b):
    mse = ((a - b) ** 2).mean()
    return float("inf") if mse == 0 else 10 * numpy.log10(255.0 ** 2 / mse)


def show_view(browser, url, full_screen, shot):
    browser.navigate(url)
    deadline = time.monotonic() + 120
    while not browser.evaluate("!!document.getElementById('ok') && !document.getElementById('ok').disabled"):
        if time.monotonic() > deadline:
            raise RuntimeError("the page did not load")
        time.sleep(0.2)
    browser.evaluate("document.getElementById('fullscreen').checked = %s" % ("true" if full_screen else "false"))
    browser.click("ok")
    while not browser.evaluate("!!window.vexDisplay"):
        if time.monotonic() > deadline:
            raise RuntimeError("the page drew no frame")
        time.sleep(0.2)
    state = browser.evaluate("window.vexDisplay")
    state["canvasLeft"], state["canvasTop"], state["viewWidth"], state["viewHeight"] = browser.evaluate(
        "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
        " return [r.x, r.y, innerWidth, innerHeight]; })()")
    browser.screenshot(shot)
    return state


def check_view(state, screen, native, ratio, full_screen):
    """The failures of one view, and its readings."""
    failures = []
    name = "%s at device scale %d" % ("full screen" if full_screen else "windowed", ratio)
    # Headless Chromium's full screen keeps a strip of the screen for itself (1920 x 1024 of 1080).
    css = (state["viewWidth"], state["viewHeight"]) if full_screen else (800, 600)
    if not full_screen == state["fullScreen"]:
        failures.append("%s: full screen is %s" % (name, state["fullScreen"]))
    if (state["cssWidth"], state["cssHeight"], state["width"], state["height"]) != (
            css[0], css[1], css[0] * ratio, css[1] * ratio):
        failures.append("%s: the canvas has %d x %d pixels for %d x %d CSS pixels" % (
            name, state["width"], state["height"], state["cssWidth"], state["cssHeight"]))
    left, top = round(state["canvasLeft"] * ratio), round(state["canvasTop"] * ratio)
    fx, fy, fw, fh = fit_picture(state["width"], state["height"])
    expected = (left + fx, top + fy, fw, fh)

    # The frame's content spans the picture's width (its sides are sharp against the bars) and
    # lies in the show's letterbox band (its edges blur with the enlargement).
    box, native_box = content_box(screen), content_box(native)
    scale_x = (box[2] - box[0] + 1) / 800
    top, bottom = band_edges(screen, box[0], box[2], native, native_box[1], native_box[3])
    scale_y = (bottom - top) / (native_box[3] + 1 - native_box[1])
    found = (box[0], top - native_box[1] * scale_y, 800 * scale_x, 600 * scale_y)
    reading = "%s: picture %.1f x %.1f at (%.1f, %.1f) in %d x %d (expected %d x %d at (%d, %d))" % (
        (name, found[2], found[3], found[0], found[1], screen.shape[1], screen.shape[0]) + expected[2:] + expected[:2])
    if abs(scale_x / scale_y - 1) > 0.005:
        failures.append("%s: stretched, %.4f wide for %.4f high" % (name, scale_x, scale_y))
    if max(abs(a - b) for a, b in zip(found, expected)) > 1.5:
        failures.append("%s: the picture is not where the rectangle of the canvas is" % name)

    x, y, w, h = expected
    bars = screen.copy()
    bars[y:y + h, x:x + w] = 0
    if bars.max() > 8:
        failures.append("%s: the bars are not black (up to %d)" % (name, bars.max()))
    picture = screen[y:y + h, x:x + w]
    reference = enlarge_bilinear(native, w, h)
    db, sharpness = psnr(picture, reference), edge_energy(picture) / edge_energy(reference)
    reading += ", %.1f dB, sharpness %.2f" % (db, sharpness)
    if db < MIN_PSNR_DB:
        failures.append("%s: the picture differs from the native frame (%.1f dB)" % (name, db))
    if sharpness < MIN_SHARPNESS:
        failures.append("%s: the picture is blurred (edge energy %.2f of one enlargement)" % (name, sharpness))
    return failures, reading


def main():
    site, native_build = sys.argv[1], sys.argv[2]
    scratch = tempfile.mkdtemp(prefix="vex-display-test-")
    failures = []
    server = serve(site, [])
    try:
        subprocess.run(["./vexilograph-capture", "--at", "%g" % (SHOW_MS / 1000), "--out", scratch],
                       cwd=native_build, check=True, stderr=subprocess.DEVNULL)
        native = read_image(os.path.join(scratch, "%d.png" % SHOW_MS))
        url = "http://127.0.0.1:%d/index.html?display=%d" % (server.server_address[1], SHOW_MS)
        for ratio in sorted({r for r, _ in VIEWS}):
            flags = ["--window-size=%d,%d" % SCREEN,
                     "--screen-info={%dx%d devicePixelRatio=%d}" % (SCREEN[0] * ratio, SCREEN[1] * ratio, ratio)]
            browser = Browser(os.path.join(scratch, "profile-%d" % ratio), flags)
            try:
                for view_ratio, full_screen in VIEWS:
                    if view_ratio != ratio:
                        continue
                    shot = os.path.join(scratch, "screen-%d-%s.png" % (ratio, "full" if full_screen else "window"))
                    state = show_view(browser, url, full_screen, shot)
                    view_failures, reading = check_view(state, read_image(shot), native, ratio, full_screen)
                    print(("ok: " if not view_failures else "FAIL: ") + reading)
                    failures += view_failures
            finally:
                browser.close()
        keep = os.environ.get("VEX_DISPLAY_SHOTS")
        if keep:
            shutil.copytree(scratch, keep, dirs_exist_ok=True, ignore=shutil.ignore_patterns("profile-*"))
    finally:
        server.shutdown()
        shutil.rmtree(scratch, ignore_errors=True)
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
