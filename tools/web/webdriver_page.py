"""The page opened in Firefox ESR and in WebKitGTK, each a real browser on an
X display, driven by WebDriver with Python's own library: Firefox through its
own Marionette server (Debian has no geckodriver), WebKitGTK's MiniBrowser
through WebKitWebDriver.

    with XDisplay() as display, SiteServer(site) as server, \\
            FirefoxPage(server, display, width, height) as page:
        page.evaluate("document.title")

Both browsers reach nothing beyond this machine: every host but the site's
goes to a proxy that is not there.
"""

import base64
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.error
import urllib.request

from browser_page import BrowserPage

# A port on which nothing listens: the proxy for every host but the site's.
NO_PROXY = "127.0.0.1:9"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"


class XDisplay:
    """An Xvfb display of its own for the browsers' windows."""

    def __init__(self, width=1280, height=800):
        self.size = (width, height)

    def __enter__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % self.size,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as numbers:
            self.name = ":" + numbers.readline().strip()
        return self

    def __exit__(self, *exception):
        self.server.kill()
        self.server.wait()


def _free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class _WebDriverPage(BrowserPage):
    """What both browsers answer alike; each says how a command travels."""

    def __init__(self, server, display, width, height):
        self.origin = server.origin
        self.display = display
        self.size = (width, height)
        self.profile = tempfile.mkdtemp(prefix="raivel-%s-" % self.name)

    def __enter__(self):
        try:
            self.start()
            self.command("timeouts", script=120000)
            self.command("window_rect", width=self.size[0], height=self.size[1])
            self.open("index.html")
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exception):
        for process in self.processes:
            process.kill()
            process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    @property
    def pid(self):
        return self.processes[0].pid

    def open(self, page):
        self.command("navigate", url=self.origin + page)

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page, promises awaited."""
        answer = self.command("execute_async", args=[], script=(
            "const done = arguments[arguments.length - 1];"
            " Promise.resolve().then(() => (%s)).then((value) => done({ value }),"
            " (error) => done({ error: String(error && error.stack || error) }));" % expression))
        if "error" in answer:
            raise RuntimeError("%s: %s" % (expression, answer["error"]))
        return answer.get("value")

    def choose_file(self, selector, path):
        element = self.command("find", using="css selector", value=selector)[ELEMENT]
        self.command("send_keys", element=element, text=path)

    def screenshot(self):
        return base64.b64decode(self.command("screenshot"))


class FirefoxPage(_WebDriverPage):
    name = "firefox"
    # Firefox with no WebGL in headless mode here ("Exhausted GL driver
    # options"): it runs on the X display, WebGL on Mesa's llvmpipe.
    NAMES = {"timeouts": "WebDriver:SetTimeouts", "window_rect": "WebDriver:SetWindowRect",
             "navigate": "WebDriver:Navigate", "execute_async": "WebDriver:ExecuteAsyncScript",
             "find": "WebDriver:FindElement", "send_keys": "WebDriver:ElementSendKeys",
             "screenshot": "WebDriver:TakeScreenshot"}

    def __init__(self, server, display, width, height, prefs=None):
        super().__init__(server, display, width, height)
        self.prefs = {"marionette.port": 0, "network.proxy.type": 1,
                      "network.proxy.http": "127.0.0.1", "network.proxy.http_port": 9,
                      "network.proxy.ssl": "127.0.0.1", "network.proxy.ssl_port": 9,
                      **(prefs or {})}

    def start(self):
        with open(os.path.join(self.profile, "user.js"), "w") as user:
            for name, value in self.prefs.items():
                user.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        self.processes = [subprocess.Popen(
            ["firefox-esr", "--marionette", "--no-remote", "--profile", self.profile, "about:blank"],
            env={**os.environ, "DISPLAY": self.display.name},
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)]
        port_file = os.path.join(self.profile, "MarionetteActivePort")
        deadline = time.monotonic() + 60
        while not os.path.exists(port_file):
            if time.monotonic() > deadline or self.processes[0].poll() is not None:
                raise RuntimeError("firefox started no Marionette server")
            time.sleep(0.1)
        time.sleep(0.2)  # the file is written as the server starts
        with open(port_file) as f:
            self.socket = socket.create_connection(("127.0.0.1", int(f.read())), timeout=180)
        self._buffer = b""
        self._next_id = 0
        self._read()  # the server's greeting
        self._send("WebDriver:NewSession", {})

    def _read(self):
        while True:
            length, colon, rest = self._buffer.partition(b":")
            if colon and len(rest) >= int(length):
                self._buffer = rest[int(length):]
                return json.loads(rest[:int(length)])
            chunk = self.socket.recv(1 << 20)
            if not chunk:
                raise EOFError("firefox closed its Marionette connection")
            self._buffer += chunk

    def _send(self, name, params):
        self._next_id += 1
        body = json.dumps([0, self._next_id, name, params]).encode()
        self.socket.sendall(b"%d:%s" % (len(body), body))
        while True:
            kind, number, error, result = self._read()
            if kind == 1 and number == self._next_id:
                if error:
                    raise RuntimeError("%s: %s" % (name, error))
                return result

    def command(self, what, element=None, **params):
        if element:
            params["id"] = element
        result = self._send(self.NAMES[what], params)
        return result.get("value") if isinstance(result, dict) else result


class WebKitPage(_WebDriverPage):
    name = "webkit"
    ROUTES = {"timeouts": ("POST", "timeouts"), "window_rect": ("POST", "window/rect"),
              "navigate": ("POST", "url"), "execute_async": ("POST", "execute/async"),
              "find": ("POST", "element"), "send_keys": ("POST", "element/{element}/value"),
              "screenshot": ("GET", "screenshot")}

    def start(self):
        port = _free_port()
        self.processes = [subprocess.Popen(
            ["WebKitWebDriver", "--port=%d" % port],
            env={**os.environ, "DISPLAY": self.display.name},
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)]
        self.driver = "http://127.0.0.1:%d/" % port
        deadline = time.monotonic() + 30
        while True:
            try:
                self._request("GET", "status")
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.1)
        options = {"binary": MINIBROWSER, "args": ["--automation", "--proxy=http://" + NO_PROXY,
                                                   "--ignore-host=127.0.0.1"]}
        session = self._request("POST", "session", {"capabilities": {"alwaysMatch": {
            "webkitgtk:browserOptions": options}}})
        self.driver += "session/%s/" % session["sessionId"]

    def _request(self, method, path, body=None):
        request = urllib.request.Request(
            self.driver + path, method=method, headers={"Content-Type": "application/json"},
            data=None if body is None else json.dumps(body).encode())
        try:
            with urllib.request.urlopen(request, timeout=180) as answer:
                return json.load(answer)["value"]
        except urllib.error.HTTPError as error:
            raise RuntimeError("%s %s: %s" % (method, path, error.read().decode())) from None

    def command(self, what, element=None, **params):
        method, path = self.ROUTES[what]
        return self._request(method, path.format(element=element), params if method == "POST" else None)
