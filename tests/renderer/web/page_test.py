"""The page in dist/web in a real browser (tools/web/chromium_page.py), one
page load for all of it: it loads cleanly and draws at once, draws what the
native renderer draws, takes a picture as the floor, keeps the storm's pace
and leaves full screen on Escape.

page_test.py SITE SCENE_SNAPSHOT
"""

import base64
import os
import struct
import subprocess
import sys
import tempfile
import urllib.parse

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "web"))
from chromium_page import ChromiumPage  # noqa: E402

WIDTH, HEIGHT = 640, 480
# Frame by frame, web and native agree within this mean difference a channel.
MOST_MEAN_DIFFERENCE = 4.0
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def read_ppm(path):
    with open(path, "rb") as ppm:
        data = ppm.read()
    magic, width, height, top, pixels = data.split(maxsplit=4)
    assert (magic, int(width), int(height), top) == (b"P6", WIDTH, HEIGHT, b"255")
    return pixels


def web_frame(page, frame, cloud=None, desktop=None):
    """A frame drawn by the page, as RGB rows top first."""
    pictures = "" if cloud is None else ", %r, %r" % (
        base64.b64encode(cloud).decode(), base64.b64encode(desktop).decode())
    rgba = base64.b64decode(page.evaluate(
        "raivelTestHook.renderFrame(%d, %d, %d%s)" % (frame, WIDTH, HEIGHT, pictures)))
    rows = [rgba[4 * WIDTH * y:4 * WIDTH * (y + 1)] for y in reversed(range(HEIGHT))]
    return b"".join(bytes(row[i] for i in range(len(row)) if i % 4 != 3) for row in rows)


def band_mean(rgb, top, bottom):
    """The mean level of rows top to bottom (fractions of the height)."""
    band = rgb[3 * WIDTH * int(HEIGHT * top):3 * WIDTH * int(HEIGHT * bottom)]
    return sum(band) / len(band)


def mean_differences(a, b):
    return [sum(abs(a[i] - b[i]) for i in range(c, len(a), 3)) / (len(a) / 3) for c in range(3)]


def loads_cleanly(page, site):
    errors = [e for e in page.events if
              (e["method"] == "Runtime.consoleAPICalled" and e["params"]["type"] == "error")
              or e["method"] == "Runtime.exceptionThrown"
              or (e["method"] == "Log.entryAdded" and e["params"]["entry"]["level"] == "error")]
    check(not errors, "no console error%s" % (": %s" % errors[:3] if errors else ""))
    outside = []
    for event in page.events:
        if event["method"] != "Network.requestWillBeSent":
            continue
        url = event["params"]["request"]["url"]
        path = urllib.parse.urlsplit(url).path.lstrip("/")
        if not url.startswith(page.origin) or not os.path.isfile(os.path.join(site, path)):
            outside.append(url)
    check(not outside, "no request outside the site%s" % (": %s" % outside if outside else ""))
    after_load = page.evaluate("raivelTestHook.state.firstFrameAt"
                               " - performance.getEntriesByType('navigation')[0].loadEventStart")
    check(after_load <= 1000, "first frame %.0f ms after the page's load (at most 1000)" % after_load)


def frames_match_native(page, snapshot, work):
    cloud_path = os.path.join(ROOT, "saver", "resources", "clouds.bmp")
    desktop_path = os.path.join(work, "desktop.bmp")
    subprocess.run(["bash", "-c", 'source "$1" && draw_desktop_picture "BMP3:$2"', "bash",
                    os.path.join(ROOT, "tools", "pictures", "desktop-picture.sh"), desktop_path],
                   check=True)
    with open(cloud_path, "rb") as f:
        cloud = f.read()
    with open(desktop_path, "rb") as f:
        desktop = f.read()
    frames = {}
    for frame in (1, 300, 601):
        out = os.path.join(work, "native.ppm")
        subprocess.run([snapshot, cloud_path, desktop_path, str(frame), out,
                        "%dx%d" % (WIDTH, HEIGHT)], check=True)
        native = read_ppm(out)
        web = web_frame(page, frame, *((cloud, desktop) if frame == 1 else ()))
        differences = mean_differences(native, web)
        check(max(differences) <= MOST_MEAN_DIFFERENCE,
              "frame %d: mean difference a channel %s (at most %.1f)"
              % (frame, " ".join("%.2f" % d for d in differences), MOST_MEAN_DIFFERENCE))
        frames[frame] = (native, web)
    for name, index in (("native", 0), ("web", 1)):
        flash = band_mean(frames[1][index], 0.85, 1.0)
        dark = band_mean(frames[300][index], 0.85, 1.0)
        regrown = band_mean(frames[601][index], 0.85, 1.0)
        check(flash > 2.5 * dark and regrown > 2.5 * dark,
              "%s: the flash lights the near floor (%.0f, %.0f at frames 1 and 601, %.0f at 300)"
              % (name, flash, regrown, dark))
        # The floor from 20 to 30 units away (a band under its far edge)
        # is lost in the fog; from 10 units on it is clear.
        fogged = band_mean(frames[1][index], 0.185, 0.195)
        clear = band_mean(frames[1][index], 0.30, 0.33)
        check(fogged < 2 and clear > 150,
              "%s: the fog blackens the far floor (%.1f there, %.0f nearer)" % (name, fogged, clear))


def picture_becomes_floor(page, work):
    # Left half red, right half blue, as a 24-bit bitmap file.
    size = 64
    row = (b"\x00\x00\xff" * (size // 2) + b"\xff\x00\x00" * (size // 2))
    pixels = row * size
    header = struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + len(pixels), 0, 0, 54, 40, size, size,
                         1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    picture = os.path.join(work, "halves.bmp")
    with open(picture, "wb") as f:
        f.write(header + pixels)
    floors = page.evaluate("raivelTestHook.state.floors")
    document = page.call("DOM.getDocument")["root"]["nodeId"]
    node = page.call("DOM.querySelector", nodeId=document, selector="#picture")["nodeId"]
    page.call("DOM.setFileInputFiles", nodeId=node, files=[picture])
    taken = page.wait_until("raivelTestHook.state.floors > %d" % floors, 10)
    rgb = web_frame(page, 300)
    y = HEIGHT - 10
    left = rgb[3 * (WIDTH * y + WIDTH // 4):][:3]
    right = rgb[3 * (WIDTH * y + 3 * WIDTH // 4):][:3]
    # The floor reads the picture the right way round: the page mirrors it
    # as the saver mirrors the desktop, and the scene mirrors it back.
    check(taken and left[0] > 40 > left[2] and right[2] > 40 > right[0],
          "a chosen picture becomes the floor, mirrored (left %s, right %s)"
          % (tuple(left), tuple(right)))


def pace_holds(page):
    # On a small view: the pace is the pacer's, whatever the drawing costs.
    page.call("Emulation.setDeviceMetricsOverride", width=320, height=240, deviceScaleFactor=1,
              mobile=False)
    pace = page.evaluate("raivelTestHook.pace(600)", timeout=30)
    page.call("Emulation.clearDeviceMetricsOverride")
    check(abs(pace["ms"] - 10000) <= 300,
          "600 steps take %.0f ms (10000 +- 3 %%); %d animation frames came more than two steps"
          " late, each a stall the storm does not make up for" % (pace["ms"], pace["late"]))


def escape_leaves_full_screen(page):
    page.evaluate("document.getElementById('full-screen').scrollIntoView()")
    page.click("#full-screen")
    full = page.wait_until("document.fullscreenElement !== null", 5)
    hidden = page.wait_until("document.getElementById('stage').classList.contains('still')", 5)
    page.press("Escape", 27)
    left = page.wait_until("document.fullscreenElement === null", 5)
    check(full and hidden and left,
          "full screen on the button (%s), the still pointer hidden (%s), Escape leaves it (%s)"
          % (full, hidden, left))


def main():
    site, snapshot = sys.argv[1:3]
    with tempfile.TemporaryDirectory(prefix="raivel-page-test-") as work:
        with ChromiumPage(site, WIDTH, HEIGHT) as page:
            page.wait_until("raivelTestHook.state.firstFrameAt !== null", 10)
            pace_holds(page)
            frames_match_native(page, snapshot, work)
            picture_becomes_floor(page, work)
            escape_leaves_full_screen(page)
            loads_cleanly(page, site)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
