#!/usr/bin/env python3
"""The browser build in headless Chromium: frames at ten show times against the native capture.

Serves the built site from 127.0.0.1, opens it in a fresh headless Chromium (SwiftShader for
WebGL) with ?test=..., receives the page's result by POST, and compares each frame with
vexilograph-capture's frame of the same time by PSNR (ImageMagick's compare). The music must
have been decoded, its AudioContext "running" and its position advancing.
Usage: page_test.py SITE_DIR NATIVE_BUILD_DIR [MIN_DB]. Exit status 0 when all passes.
"""
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


def run_page(site, scratch):
    results = []
    server = serve(site, results)
    url = "http://127.0.0.1:%d/index.html?test=%s" % (server.server_address[1], ",".join(map(str, TIMES_MS)))
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


def main():
    site, native = sys.argv[1], sys.argv[2]
    min_db = float(sys.argv[3]) if len(sys.argv) > 3 else 30.0
    scratch = tempfile.mkdtemp(prefix="vex-page-test-")
    failures = []
    try:
        result = run_page(site, scratch)
        if result is None:
            print("FAIL: the page sent no result (log: chromium.log)")
            print(open(os.path.join(scratch, "chromium.log")).read()[-2000:])
            return 1
        if "error" in result:
            print("FAIL: the page reported: " + result["error"])
            return 1
        seconds = ",".join("%g" % (ms / 1000) for ms in TIMES_MS)
        subprocess.run(["./vexilograph-capture", "--at", seconds, "--out", os.path.join(scratch, "native")],
                       cwd=native, check=True, stderr=subprocess.DEVNULL)
        for ms in TIMES_MS:
            data = result["frames"].get(str(ms))
            if not data:
                failures.append("no frame at %d ms" % ms)
                continue
            page_png = os.path.join(scratch, "page-%d.png" % ms)
            with open(page_png, "wb") as f:
                f.write(base64.b64decode(data.split(",", 1)[1]))
            db = psnr(os.path.join(scratch, "native", "%d.png" % ms), page_png)
            print("%s: %6d ms %.2f dB" % ("ok" if db >= min_db else "FAIL", ms, db))
            if db < min_db:
                failures.append("%d ms at %.2f dB" % (ms, db))
        print("page: loaded (code and data) in %s ms, show start-up %s ms" % (result.get("loadMs"),
                                                                          result.get("startUpMs")))
        positions = result.get("positionsMs", [])
        print("audio: decoded %s, state %s, positions %s ms" % (result.get("audioDecoded"), result.get("audioState"),
                                                               positions))
        if not result.get("audioDecoded") or result.get("audioState") != "running":
            failures.append("the music is not playing")
        if len(positions) < 2 or positions[1] <= positions[0]:
            failures.append("the music position does not advance")
        keep = os.environ.get("VEX_PAGE_FRAMES")
        if keep:
            shutil.copytree(scratch, keep, dirs_exist_ok=True, ignore=shutil.ignore_patterns("profile"))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    for failure in failures:
        print("FAIL: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
