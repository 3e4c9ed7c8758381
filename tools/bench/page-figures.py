"""tools/bench/page-figures.py [SECONDS]: the page's figures in each browser
engine the tests run (tools/web/engines.py), on build/web's page with its
test variant's files over it (tools/setup/configure.sh's build_web): the
first frame after the page's load (in chromium with a cold browser, the
page its first drawing, and with a warm one, the page loaded again), then
the storm at 1280 x 720 for SECONDS (10): its steps a second and the CPU a
second of all the browser's processes. Figures only: nothing is asserted."""

import contextlib
import os
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "web"))
from engines import ENGINES, open_page, processes  # noqa: E402
from site_server import SiteServer  # noqa: E402

SITE = os.path.join(ROOT, "build", "web", "renderer", "web", "site")
OVERLAY = os.path.join(ROOT, "build", "web", "tests", "renderer", "web", "overlay")
TICKS = os.sysconf("SC_CLK_TCK")


def first_frame_ms(page):
    page.wait_until("raivelTestHook.state.firstFrameAt !== null", 60)
    return page.evaluate("raivelTestHook.state.firstFrameAt"
                         " - performance.getEntriesByType('navigation')[0].loadEventStart")


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])  # user and system time
        except OSError:
            pass
    return total / TICKS


def storm_at_720p(page, seconds):
    """Steps and CPU a second with the storm's canvas 1280 x 720."""
    page.evaluate("(() => { const canvas = document.getElementById('storm');"
                  " canvas.style.cssText = 'position: fixed; left: 0; top: 0; width: 1280px;"
                  " height: 720px; aspect-ratio: auto'; })()")
    page.wait_until("document.getElementById('storm').width === 1280 * devicePixelRatio", 10)
    time.sleep(1)
    pids = processes(page)
    cpu = cpu_seconds(pids)
    frames = page.evaluate("raivelTestHook.frames(%d)" % (seconds * 1000))
    cpu = cpu_seconds(pids) - cpu
    steps = sum(steps for _, steps in frames if steps > 0)
    drawn = sum(1 for _, steps in frames if steps >= 0)
    size = page.evaluate("[document.getElementById('storm').width,"
                         " document.getElementById('storm').height]")
    return "%dx%d: %.1f steps a second, %.1f frames drawn a second, CPU %.2f s a second" % (
        size[0], size[1], steps / seconds, drawn / seconds, cpu / seconds)


def main():
    seconds = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    for engine in ENGINES:
        with contextlib.ExitStack() as stack:
            server = stack.enter_context(SiteServer(SITE, OVERLAY))
            page = open_page(stack, engine, server, 1280, 720, warm=False)
            cold = first_frame_ms(page)
            page.open("index.html")
            warm = first_frame_ms(page)
            print("%-8s first frame after the page's load: %4.0f ms first, %4.0f ms loaded again"
                  % (engine, cold, warm), flush=True)
            print("%-8s %s" % (engine, storm_at_720p(page, seconds)), flush=True)


if __name__ == "__main__":
    main()
