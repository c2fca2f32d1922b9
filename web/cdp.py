"""Headless Chromium driven over the DevTools protocol on a pipe (--remote-debugging-pipe), so
the page tests and the benchmark need no driver package: trusted clicks and keys (which the
page's full screen and sound need), script results and screenshots.
"""
import base64
import json
import os
import subprocess

# SwiftShader for WebGL, as a machine without a graphics card has it; no network of its own.
CHROMIUM_FLAGS = ["--no-sandbox", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--no-first-run", "--autoplay-policy=no-user-gesture-required"]


class Browser:
    def __init__(self, profile, extra_flags=(), headless=True, log=None):
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()

        def give_pipes():  # Chromium reads commands on fd 3 and answers on fd 4
            os.dup2(to_browser_read, 3)
            os.dup2(from_browser_write, 4)

        flags = (["--headless"] if headless else []) + CHROMIUM_FLAGS + list(extra_flags)
        self.process = subprocess.Popen(
            ["chromium", "--remote-debugging-pipe", "--user-data-dir=" + profile] + flags + ["about:blank"],
            pass_fds=(to_browser_read, from_browser_write, 3, 4), preexec_fn=give_pipes,
            stdout=subprocess.DEVNULL, stderr=log or subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self._reader = os.fdopen(self._from_browser, "rb")
        self._next_id = 0
        self._pending = b""
        self.console = []  # the page's console lines, in order
        page = next(t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page")
        self.session = self.call("Target.attachToTarget", targetId=page["targetId"], flatten=True)["sessionId"]
        self.page_call("Runtime.enable")

    def _read_message(self):
        while b"\0" not in self._pending:
            chunk = self._reader.read1(1 << 20)
            if not chunk:
                raise RuntimeError("Chromium closed its DevTools pipe")
            self._pending += chunk
        message, self._pending = self._pending.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, session=None, **params):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        while True:
            answer = self._read_message()
            if answer.get("method") == "Runtime.consoleAPICalled":
                args = answer["params"].get("args", [])
                self.console.append(" ".join(str(a.get("value", a.get("description", ""))) for a in args))
            if answer.get("id") == self._next_id:
                if "error" in answer:
                    raise RuntimeError("%s: %s" % (method, answer["error"]))
                return answer.get("result", {})

    def page_call(self, method, **params):
        return self.call(method, session=self.session, **params)

    def evaluate(self, expression):
        result = self.page_call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("page script: %s" % result["exceptionDetails"].get("text"))
        return result["result"].get("value")

    def navigate(self, url):
        self.page_call("Page.navigate", url=url)

    def click(self, element_id):
        """A trusted click in the middle of the element, as a person's (it may start full screen)."""
        box = self.evaluate("(() => { const r = document.getElementById(%s).getBoundingClientRect();"
                            " return [r.x + r.width / 2, r.y + r.height / 2]; })()" % json.dumps(element_id))
        for kind in ("mousePressed", "mouseReleased"):
            self.page_call("Input.dispatchMouseEvent", type=kind, x=box[0], y=box[1], button="left", clickCount=1)

    def key(self, name, virtual_key):
        for kind in ("rawKeyDown", "keyUp"):
            self.page_call("Input.dispatchKeyEvent", type=kind, key=name, code=name,
                           windowsVirtualKeyCode=virtual_key, nativeVirtualKeyCode=virtual_key)

    def screenshot(self, path):
        data = self.page_call("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def close(self):
        try:
            self.call("Browser.close")
        except (RuntimeError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self._reader.close()
        os.close(self._to_browser)
