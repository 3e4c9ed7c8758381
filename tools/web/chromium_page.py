"""The page opened in Debian's chromium, headless, with its software WebGL,
driven through the DevTools protocol over a pipe (no network port, no
package beyond Python's own library).

    with SiteServer(site_folder) as server, ChromiumPage(server, width, height) as page:
        page.evaluate("document.title")

Every host name but the site's resolves to nothing, so the browser reaches
nothing beyond this machine.
"""

import base64
import json
import os
import shutil
import subprocess
import tempfile
import time

from browser_page import BrowserPage

CHROMIUM_FLAGS = [
    "--headless=new",
    "--no-sandbox",
    "--enable-unsafe-swiftshader",
    "--use-angle=swiftshader",
    "--disable-gpu-sandbox",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-quic",
    "--hide-scrollbars",
    "--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1",
    "--remote-debugging-pipe",
]


class ChromiumPage(BrowserPage):
    """One browser with one page of the site; events are kept in `events`."""

    name = "chromium"

    def __init__(self, server, width, height, flags=(), warm=True):
        """`flags` go to the browser besides its own; unless `warm`, the
        page is the first thing the new browser draws."""
        self.origin = server.origin
        self.size = (width, height)
        self.flags = list(flags)
        self.warm = warm
        self.profile = tempfile.mkdtemp(prefix="raivel-chromium-")
        self.events = []
        self._next_id = 0
        self._buffer = b""

    def __enter__(self):
        # The browser reads commands from its fd 3 and answers on its fd 4.
        commands_in, self._commands = os.pipe()
        self._answers, answers_out = os.pipe()

        def pipes_at_3_and_4():
            os.dup2(commands_in, 3)
            os.dup2(answers_out, 4)

        self.browser = subprocess.Popen(
            ["chromium", *CHROMIUM_FLAGS, *self.flags, "--user-data-dir=" + self.profile,
             "--window-size=%d,%d" % self.size, "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=pipes_at_3_and_4, pass_fds=(3, 4))
        self.pid = self.browser.pid
        os.close(commands_in)
        os.close(answers_out)
        try:
            target = next(t for t in self.send("Target.getTargets")["targetInfos"] if t["type"] == "page")
            self.session = self.send("Target.attachToTarget", targetId=target["targetId"], flatten=True)["sessionId"]
            for domain in ("Page", "Runtime", "Log", "Network"):
                self.call(domain + ".enable")
            # A fresh browser sets its software WebGL up on the first context
            # asked for, which takes seconds here; a browser in use has long
            # done that. One context on the blank page first, so that what
            # the page's tests time is the page's own work.
            if self.warm:
                self.evaluate("!!document.createElement('canvas').getContext('webgl')")
            self.open("index.html")
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exception):
        self.browser.kill()
        self.browser.wait()
        os.close(self._commands)
        os.close(self._answers)
        shutil.rmtree(self.profile, ignore_errors=True)

    def open(self, page, origin=None):
        """Loads one of the site's pages (or another site's, at `origin`)
        and waits for its load event."""
        self.events = [e for e in self.events if e["method"] != "Page.loadEventFired"]
        self.call("Page.navigate", url=(origin or self.origin) + page)
        self.wait_for_event("Page.loadEventFired", 30)

    def _read_message(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\0" not in self._buffer:
            if time.monotonic() > deadline or self.browser.poll() is not None:
                raise TimeoutError("no answer from chromium")
            chunk = os.read(self._answers, 1 << 20)
            if not chunk:
                raise EOFError("chromium closed its pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, session=None, timeout=60, **params):
        """A command to the browser (or, with `session`, to the page); its result."""
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self._commands, json.dumps(message).encode() + b"\0")
        while True:
            answer = self._read_message(timeout)
            if answer.get("id") == self._next_id:
                if "error" in answer:
                    raise RuntimeError("%s: %s" % (method, answer["error"]))
                return answer["result"]
            if "method" in answer:
                self.events.append(answer)

    def call(self, method, timeout=60, **params):
        """A command to the page; its result."""
        return self.send(method, session=self.session, timeout=timeout, **params)

    def wait_for_event(self, method, timeout):
        deadline = time.monotonic() + timeout
        while not any(e["method"] == method for e in self.events):
            self.events.append(self._read_message(deadline - time.monotonic()))

    def evaluate(self, expression, timeout=60):
        """The value of a JavaScript expression in the page, promises awaited."""
        result = self.call("Runtime.evaluate", timeout=timeout, expression=expression,
                           awaitPromise=True, returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def choose_file(self, selector, path):
        """The file input `selector` given the file `path`, as a visitor
        chooses it."""
        document = self.call("DOM.getDocument")["root"]["nodeId"]
        node = self.call("DOM.querySelector", nodeId=document, selector=selector)["nodeId"]
        self.call("DOM.setFileInputFiles", nodeId=node, files=[path])

    def click(self, selector):
        """A real click (a user's gesture) at the middle of an element."""
        box = self.evaluate("(() => { const r = document.querySelector(%s).getBoundingClientRect();"
                            " return [r.x + r.width / 2, r.y + r.height / 2]; })()" % json.dumps(selector))
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=box[0], y=box[1], button="left", clickCount=1)

    def press(self, key, key_code):
        """A real key press and release: `key` names it as the page sees it
        (and its code, for the keys whose code is their name)."""
        for kind in ("rawKeyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=key,
                      windowsVirtualKeyCode=key_code, nativeVirtualKeyCode=key_code)

    def screenshot(self, selector=None):
        """The page as shown, or only the element `selector` wherever it
        is on the page, as PNG bytes."""
        clip = {}
        if selector:
            box = self.evaluate("(() => { const r = document.querySelector(%s).getBoundingClientRect();"
                                " return { x: r.x + scrollX, y: r.y + scrollY, width: r.width,"
                                " height: r.height, scale: 1 }; })()" % json.dumps(selector))
            clip = {"clip": box, "captureBeyondViewport": True}
        return base64.b64decode(self.call("Page.captureScreenshot", format="png", **clip)["data"])
