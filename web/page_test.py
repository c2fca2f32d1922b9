#!/usr/bin/env python3
"""The browser build in headless Chromium: frames at ten show times against the native capture.

Serves the built site from 127.0.0.1, opens it in a fresh headless Chromium (SwiftShader for
WebGL) with ?test=..., receives the page's result by POST, and compares each frame with
vexilograph-capture's frame of the same time by PSNR (ImageMagick's compare). The music must
have been decoded and queued, its AudioContext "running", its position advancing and its
spectrum non-zero. With --track, the page plays that MP3 in the show's track's place too (a
second page, fewer times), against the native capture of the same track.
Usage: page_test.py SITE_DIR NATIVE_BUILD_DIR [--track MP3] [--min-db DB]. Exit status 0 when
all passes.
"""
import argparse
import array
import base64
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading

TIMES_MS = [10000, 40000, 70000, 88000, 110000, 138000, 175000, 200000, 212000, 270000]
TRACK_TIMES_MS = [20000, 150000]
SOUND_FROM_S = 30  # where the page test's sound starts
# The page's decoder and resampler are plain C, the desktop's use SIMD: they round differently,
# by about 1e-6. A sample out of place or another filter is off by far more on music.
MIX_TOLERANCE = 1e-4
WAV_HEADER_BYTES = 58  # the capture tool's float WAV header
PAGE_TIMEOUT_S = 300


def serve(site, results):
    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=site, **kwargs)

        def do_POST(self):  # the page's result (or its error)
            body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
            self.send_response(204)
            self.end_headers()
            results.append(json.loads(body))

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def run_page(site, scratch, times, track=None):
    results = []
    if track:  # the site's files and the track, side by side
        served = os.path.join(scratch, "site")
        os.makedirs(served)
        for name in os.listdir(site):
            os.symlink(os.path.join(site, name), os.path.join(served, name))
        os.symlink(track, os.path.join(served, "track.mp3"))
        site = served
    server = serve(site, results)
    url = "http://127.0.0.1:%d/index.html?test=%s" % (server.server_address[1], ",".join(map(str, times)))
    if track:
        url += "&track=track.mp3"
    browser = subprocess.Popen(
        ["chromium", "--headless", "--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
         "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run",
         "--autoplay-policy=no-user-gesture-required", "--user-data-dir=" + os.path.join(scratch, "profile"),
         url],
        stdout=subprocess.DEVNULL, stderr=open(os.path.join(scratch, "chromium.log"), "w"))
    try:
        waited = 0.0
        while not results and waited < PAGE_TIMEOUT_S and browser.poll() is None:
            threading.Event().wait(0.2)
            waited += 0.2
    finally:
        browser.kill()
        browser.wait()
        server.shutdown()
    return results[0] if results else None


def psnr(a, b):
    out = subprocess.run(["compare", "-metric", "PSNR", a, b, "null:"], capture_output=True, text=True)
    text = out.stderr.strip().split()[0] if out.stderr.strip() else "0"
    return float("inf") if text == "inf" else float(text)


def native_run(native, scratch, track=None):
    """A folder to run vexilograph-capture in: the build's, or one whose data/ is the build's with the track."""
    if not track:
        return native
    cwd = os.path.join(scratch, "native-data")
    os.makedirs(os.path.join(cwd, "data", "music"))
    for name in os.listdir(os.path.join(native, "data")):
        if name != "music":
            os.symlink(os.path.join(native, "data", name), os.path.join(cwd, "data", name))
    os.symlink(track, os.path.join(cwd, "data", "music", "sonorrak.mp3"))
    return cwd


def native_mix(capture, cwd, scratch, from_s, frames):
    """The first frames of the mix from from_s as the native capture writes it: [left, right]."""
    wav = os.path.join(scratch, "native.wav")
    subprocess.run([capture, "--wav", wav, "--from", "%g" % from_s, "--to", "%g" % (from_s + 0.1)],
                   cwd=cwd, check=True, stderr=subprocess.DEVNULL)
    samples = array.array("f")
    with open(wav, "rb") as f:
        samples.frombytes(f.read()[WAV_HEADER_BYTES:WAV_HEADER_BYTES + 8 * frames])
    return [samples[0::2], samples[1::2]]


def check_page(site, native, scratch, times, min_db, track=None):
    """One page run: its frames against the native ones and its sound. Returns the failures."""
    name = "track" if track else "show"
    scratch = os.path.join(scratch, name)
    os.makedirs(scratch)
    result = run_page(site, scratch, times, track)
    if result is None:
        print("FAIL: the page sent no result (log: chromium.log)")
        print(open(os.path.join(scratch, "chromium.log")).read()[-2000:])
        return ["%s: no result" % name]
    if "error" in result:
        return ["%s: the page reported: %s" % (name, result["error"])]
    failures = []
    capture = os.path.join(native, "vexilograph-capture")
    cwd = native_run(native, scratch, track)
    seconds = ",".join("%g" % (ms / 1000) for ms in times)
    subprocess.run([capture, "--at", seconds, "--out", os.path.join(scratch, "native")], cwd=cwd, check=True,
                   stderr=subprocess.DEVNULL)
    for ms in times:
        data = result["frames"].get(str(ms))
        if not data:
            failures.append("%s: no frame at %d ms" % (name, ms))
            continue
        page_png = os.path.join(scratch, "page-%d.png" % ms)
        with open(page_png, "wb") as f:
            f.write(base64.b64decode(data.split(",", 1)[1]))
        db = psnr(os.path.join(scratch, "native", "%d.png" % ms), page_png)
        print("%s: %s %6d ms %.2f dB" % ("ok" if db >= min_db else "FAIL", name, ms, db))
        if db < min_db:
            failures.append("%s: %d ms at %.2f dB" % (name, ms, db))
    print("%s: loaded (code and data) in %s ms, show start-up %s ms, sound start-up %s ms" % (
        name, result.get("loadMs"), result.get("startUpMs"), result.get("soundStartMs")))
    positions = result.get("positionsMs", [])
    page_mix = result.get("firstQueued") or [[], []]
    mix = native_mix(capture, cwd, scratch, SOUND_FROM_S, len(page_mix[0]))
    loudest = max((abs(v) for channel in page_mix for v in channel), default=0)
    apart = max((abs(a - b) for c in (0, 1) for a, b in zip(page_mix[c], mix[c])), default=float("inf"))
    print("%s: sound plays %s, %s frames queued, the first %d (loudest %.3f) at most %.2g from the native mix; "
          "state %s, positions %s ms, spectrum sum %.3f" % (
              name, result.get("soundPlays"), result.get("queuedFrames"), len(page_mix[0]), loudest, apart,
              result.get("audioState"), positions, result.get("spectrumSum") or 0))
    if not result.get("soundPlays") or result.get("audioState") != "running" or loudest < 0.01:
        failures.append("%s: the music is not playing" % name)
    if apart > MIX_TOLERANCE:
        failures.append("%s: the queued sound is not the native mix" % name)
    if len(positions) < 2 or positions[1] <= positions[0]:
        failures.append("%s: the music position does not advance" % name)
    if not result.get("spectrumSum"):
        failures.append("%s: the spectrum is all zero" % name)
    return failures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("native")
    parser.add_argument("--track", help="an MP3 the page plays in the show's track's place as well")
    parser.add_argument("--min-db", type=float, default=30.0)
    args = parser.parse_args()
    site, native = os.path.abspath(args.site), os.path.abspath(args.native)
    scratch = tempfile.mkdtemp(prefix="vex-page-test-")
    try:
        failures = check_page(site, native, scratch, TIMES_MS, args.min_db)
        if args.track:
            failures += check_page(site, native, scratch, TRACK_TIMES_MS, args.min_db, os.path.abspath(args.track))
        keep = os.environ.get("VEX_PAGE_FRAMES")
        if keep:
            shutil.copytree(scratch, keep, dirs_exist_ok=True, symlinks=True,
                            ignore=shutil.ignore_patterns("profile", "site", "native-data"))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
