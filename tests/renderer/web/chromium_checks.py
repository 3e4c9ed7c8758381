"""What the page's test checks in chromium only (page_test.py), through
what only its DevTools protocol reaches here: a real full-screen gesture,
its fake screen capture, a system that asks for less motion, and the
network switched off."""

import subprocess
import time

from site_server import SiteServer


def escape_leaves_full_screen(page, check):
    page.evaluate("document.getElementById('full-screen').scrollIntoView()")
    page.click("#full-screen")
    full = page.wait_until("document.fullscreenElement !== null", 5)
    hidden = page.wait_until("document.getElementById('stage').classList.contains('still')", 5)
    page.press("Escape", 27)
    left = page.wait_until("document.fullscreenElement === null", 5)
    check(full and hidden and left,
          "full screen on the button (%s), the still pointer hidden (%s), Escape leaves it (%s)"
          % (full, hidden, left))


def screen_becomes_floor(page, check, web_frame):
    """Chromium's fake capture (its flags in tools/web/engines.py) shares a
    green test pattern as the screen."""
    floors = page.evaluate("raivelTestHook.state.floors")
    page.evaluate("document.getElementById('screen').scrollIntoView()")
    page.click("#screen")
    taken = page.wait_until("raivelTestHook.state.floors > %d" % floors, 15)
    stopped = page.evaluate("raivelTestHook.state.captures.length === 1"
                            " && raivelTestHook.capturesStopped()")
    rgb = web_frame(page, 300)
    near = tuple(rgb[-3 * 320:][:3])  # the near floor, halfway across
    check(taken and stopped and near[1] > 2 * max(near[0], near[2]),
          "a frame of the shared screen becomes the floor (near floor %s), the capture stopped"
          " at once (%s)" % (near, stopped))


def canvas_shot(page):
    """The canvas as shown on the page: a screenshot's pixels there, as the
    mean grey of its near floor (the lowest tenth) and the PNG's bytes."""
    png = page.screenshot("#storm")
    near = subprocess.run(["convert", "png:-", "-gravity", "south", "-crop", "100%x10%+0+0",
                           "-colorspace", "gray", "-format", "%[fx:mean]", "info:"],
                          input=png, capture_output=True, check=True).stdout
    return float(near), png


def reduced_motion_stands_still(page, check):
    """A system that asks for less motion: one still frame between flashes
    until "Play the storm" is pressed."""
    page.call("Emulation.setEmulatedMedia",
              features=[{"name": "prefers-reduced-motion", "value": "reduce"}])
    page.open("index.html")
    offered = page.wait_until("!document.getElementById('play').hidden", 30)
    first_near, first = canvas_shot(page)
    time.sleep(3)
    second_near, second = canvas_shot(page)
    steps = page.evaluate("raivelTestHook.state.steps")
    # The near floor: 0.27 between flashes, 0.92 in a flash. (Between
    # flashes the running storm changes little on the screen: what the page
    # reports, no step, tells a still frame from it.)
    check(offered and first == second and max(first_near, second_near) < 0.5 and steps == 0,
          "less motion: the button offered (%s), two shots 3 s apart the same (%s), no flash"
          " (near floor %.2f, %.2f), %d steps" % (offered, first == second, first_near,
                                                 second_near, steps))
    page.evaluate("document.getElementById('play').scrollIntoView()")
    page.click("#play")
    played = page.wait_until("raivelTestHook.state.steps > 30", 10)
    check(played and page.evaluate("document.getElementById('play').hidden"),
          "\"Play the storm\" starts the storm")
    page.call("Emulation.setEmulatedMedia", features=[])


def installs_and_runs_offline(page, site, check):
    """The shipped page alone, on a site of its own: its manifest is valid,
    chromium finds it installable, its worker takes control; then with the
    network gone a reload still draws the storm."""
    with SiteServer(site) as shipped:
        page.open("index.html", origin=shipped.origin)
        controlled = page.wait_until("navigator.serviceWorker.controller !== null", 30)
        manifest = page.call("Page.getAppManifest")
        errors = [e["message"] for e in manifest["errors"]] + [
            e["errorId"] for e in page.call("Page.getInstallabilityErrors")["installabilityErrors"]]
        check(controlled and manifest["data"] and not errors,
              "the page installs: its worker in control (%s), its manifest read%s"
              % (controlled, ", but: %s" % errors if errors else ""))
        shipped.stop()
        page.open("index.html", origin=shipped.origin)
        started = page.wait_until("document.getElementById('status').textContent === ''", 30)
        near, _ = canvas_shot(page)
        # The near floor: 0.27 between flashes, 0.92 in a flash, 0 unlit.
        check(started and near > 0.2,
              "with the network off, a reload draws the storm (near floor %.2f)" % near)


def run(page, server, check, web_frame):
    escape_leaves_full_screen(page, check)
    screen_becomes_floor(page, check, web_frame)
    reduced_motion_stands_still(page, check)
    installs_and_runs_offline(page, server.site, check)
