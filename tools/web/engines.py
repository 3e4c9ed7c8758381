"""The three browser engines the page is tested in, opened alike:
chromium (headless, DevTools protocol), firefox and webkit (on an X display
of their own, WebDriver)."""

import os

from chromium_page import ChromiumPage
from webdriver_page import FirefoxPage, WebKitPage, XDisplay

ENGINES = ("chromium", "firefox", "webkit")


def open_page(stack, engine, server, width, height, warm=True):
    """The site's index.html in `engine`'s browser, closed with `stack`;
    chromium's software WebGL set up first unless not `warm`."""
    if engine == "chromium":
        # A fake screen to share, a green test pattern, taken as chosen.
        return stack.enter_context(ChromiumPage(server, width, height, warm=warm, flags=(
            "--use-fake-ui-for-media-stream", "--use-fake-device-for-media-stream")))
    display = stack.enter_context(XDisplay())
    if engine == "firefox":
        # Animation frames at 120 a second, where the others give 60: the
        # pace must be the storm's, whatever the refresh.
        return stack.enter_context(FirefoxPage(server, display, width, height,
                                               prefs={"layout.frame_rate": 120}))
    return stack.enter_context(WebKitPage(server, display, width, height))


def processes(page):
    """The page's browser's processes: the one the page started and all
    that descend from it."""
    family = {page.pid}
    grown = True
    while grown:
        grown = False
        for entry in os.listdir("/proc"):
            try:
                with open("/proc/%s/stat" % entry) as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, ValueError):
                continue
            if parent in family and int(entry) not in family:
                family.add(int(entry))
                grown = True
    return family


def _memory_mb(pid, field):
    """A process's resident memory `field` (VmRSS now, VmHWM its peak), in MB."""
    with open("/proc/%d/status" % pid) as f:
        return next(int(line.split()[1]) for line in f if line.startswith(field + ":")) // 1024


def reset_peak_memories(page):
    """Sets the peak resident memory of each of the page's browser's
    processes (the tab's among them) back to what it holds now, through
    Linux's clear_refs, so that a rise shows even under an earlier, larger
    peak; returns what each holds now, in MB by process id."""
    now = {}
    for pid in processes(page):
        try:
            with open("/proc/%d/clear_refs" % pid, "w") as f:
                f.write("5")
            now[pid] = _memory_mb(pid, "VmRSS")
        except (OSError, StopIteration):
            pass
    return now


def peak_rise_mb(page, since):
    """The most that any of the page's browser's processes' peak resident
    memory rose over `since` (reset_peak_memories'), in MB: one process's
    rise shows even under another's larger peak; a new process counts
    whole."""
    rises = [0]
    for pid in processes(page):
        try:
            rises.append(_memory_mb(pid, "VmHWM") - since.get(pid, 0))
        except (OSError, StopIteration):
            pass
    return max(rises)
