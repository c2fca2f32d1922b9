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


def native_frames(native, times, out, track=None):
    """vexilograph-capture's frames; with a track, run where data/ is the build's with that track."""
    cwd = native
    if track:
        cwd = out + "-data"
        os.makedirs(os.path.join(cwd, "data", "music"))
        for name in os.listdir(os.path.join(native, "data")):
            if name != "music":
                os.symlink(os.path.join(native, "data", name), os.path.join(cwd, "data", name))
        os.symlink(track, os.path.join(cwd, "data", "music", "sonorrak.mp3"))
    seconds = ",".join("%g" % (ms / 1000) for ms in times)
    subprocess.run([os.path.join(native, "vexilograph-capture"), "--at", seconds, "--out", out],
                   cwd=cwd, check=True, stderr=subprocess.DEVNULL)


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
    native_frames(native, times, os.path.join(scratch, "native"), track)
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
    print("%s: audio decoded %s (%s frames queued, loudest %.3f), state %s, positions %s ms, spectrum sum %.3f" % (
        name, result.get("audioDecoded"), result.get("queuedFrames"), result.get("loudest") or 0,
        result.get("audioState"), positions, result.get("spectrumSum") or 0))
    if not result.get("audioDecoded") or result.get("audioState") != "running":
        failures.append("%s: the music is not playing" % name)
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
