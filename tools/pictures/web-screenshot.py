"""tools/pictures/web-screenshot.py [SITE]: the page for browsers (dist/web,
which tools/build.sh makes, unless SITE names another folder of it) shown
by headless chromium (tools/web/chromium_page.py) with its test variant's
files over it (build/web's), saved as docs/web-page.png: the storm over the
sample desktop at its first flash."""

import os
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "web"))
from chromium_page import ChromiumPage  # noqa: E402
from site_server import SiteServer  # noqa: E402

site = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "dist", "web")
overlay = os.path.join(ROOT, "build", "web", "tests", "renderer", "web", "overlay")
out = os.path.join(ROOT, "docs", "web-page.png")
with SiteServer(site, overlay) as server, ChromiumPage(server, 860, 910) as page:
    if not page.wait_until("raivelTestHook.state.firstFrameAt !== null", 30):
        sys.exit("web-screenshot: the storm did not start")
    # The whole page in view, whatever the window's frame takes.
    page.call("Emulation.setDeviceMetricsOverride", width=860, height=910, deviceScaleFactor=1,
              mobile=False)
    page.evaluate("new Promise((shown) => requestAnimationFrame(() => requestAnimationFrame(shown)))")
    # The storm afresh at its second frame, the flash, then the page as shown.
    page.evaluate("(() => { const c = document.getElementById('storm');"
                  " raivelTestHook.renderFrame(2, c.width, c.height); })()")
    png = page.screenshot()
with open(out, "wb") as f:
    f.write(png)
print("%s: %d bytes" % (out, len(png)))
