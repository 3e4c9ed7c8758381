#!/usr/bin/env bash
# screen_covers_test.sh PROBE RENDERER: runs the renderer on two monitors, in
# a Wine session of the test's own (its prefix a copy of the main session's),
# with the other monitor right of the primary, then left of it at negative
# coordinates. The desktop is the X root in one colour; screenshots of the
# display show that while the renderer runs no pixel of the other monitor
# shows it and the primary shows the storm, that the cover follows its
# monitor when the monitors move (WM_DISPLAYCHANGE), that a click on it
# leaves the keyboard with the storm, that after Escape both monitors show
# the desktop again, and that the cover goes with the renderer's process
# when it is killed.
set -eEuo pipefail
trap 'echo "FAILED: line $LINENO: $BASH_COMMAND" >&2' ERR
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
main=${RAIVEL_WINE_DIR:?the main Wine session is not set}
probe=$1
renderer=$2
session=$main-two-monitors
# shellcheck source=tools/wine/two_monitors.sh
source "$here/tools/wine/two_monitors.sh"

if [[ ! -f "$session/prefix/system.reg" ]]; then
  rm -rf "$session"
  mkdir -p "$session"
  cp -a "$main/prefix" "$session/prefix"
fi
work=$(mktemp -d "$PWD/screen-covers-test.XXXXXX")
renderer_pid=""
cleanup() {
  [[ -z "$renderer_pid" ]] || kill -9 -- -"$renderer_pid" 2>/dev/null || true
  bash "$here/tools/wine/wine-session.sh" stop "$session"
  rm -rf "$work"
}
trap cleanup EXIT

desktop='#3366cc'
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

shoot() { import -window root "$work/shot.png"; }
# desktop_pixels WxH+X+Y: how many pixels of that part of the last
# screenshot show the desktop's colour.
desktop_pixels() {
  convert "$work/shot.png" -crop "$1" +repage -fill black +opaque "$desktop" \
    -fill white -opaque "$desktop" -format '%[fx:round(mean*w*h)]' info:
}
# brightness WxH+X+Y: the mean of that part of the last screenshot, 0 to 255.
brightness() {
  convert "$work/shot.png" -crop "$1" +repage -format '%[fx:round(mean*255)]' info:
}
probe() { wine "$probe" "$@" | tr -d '\r'; }

start_renderer() {
  setsid wine "$renderer" </dev/null >"$work/renderer.log" 2>&1 &
  renderer_pid=$!
}
# renderer_gone: whether the renderer's process ends within 5 s.
renderer_gone() {
  for _ in $(seq 100); do
    kill -0 "$renderer_pid" 2>/dev/null || { renderer_pid="" && return 0; }
    sleep 0.05
  done
  return 1
}
# covers_are LINES: whether the probe's covers, without their window
# handles, become LINES within 5 s.
covers_are() {
  for _ in $(seq 50); do
    [[ "$(probe covers | grep '^cover' | cut -d' ' -f1-6)" == "$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

# The capture pictures: renderer/handoff/handoff.h.
captures=$session/prefix/drive_c/r_mosk
mkdir -p "$captures"
convert -size 128x128 plasma:navy-gray -seed 3 -type TrueColor "BMP3:$captures/Zandrel1.bmp"
convert -size 512x768 xc:red -size 512x768 xc:lime +append -type TrueColor \
  "BMP3:$captures/Zandrel2.bmp"
flags=topmost,toolwindow,noactivate,visible,nocursor,clickstays

for side in right left; do
  two_monitor_session "$session" "$side"
  primary=1024x768+$PRIMARY_X+0
  other=800x600+$MONITOR_X+0
  moved=800x600+$MONITOR_X+100
  ((MONITOR_X < PRIMARY_X)) && left=-800 || left=1024
  monitors=$(probe monitors)
  echo "$side: $(tr '\n' ';' <<<"$monitors")"
  if [[ "$(grep -c '^monitor ' <<<"$monitors")" != 2 ]]; then
    fail "$side: Wine does not see two monitors"
    continue
  fi
  grep -qx "monitor 0 0 1024 768 primary" <<<"$monitors" || fail "$side: no 1024x768 primary"
  grep -qx "monitor $left 0 $((left + 800)) 600" <<<"$monitors" || fail "$side: other monitor"

  xsetroot -solid "$desktop"
  shoot
  [[ "$(desktop_pixels "$other")" == 480000 ]] || fail "$side: the desktop does not show"
  start_renderer
  # The storm's first frames: the desktop is gone from the primary and the
  # floor near the viewer is lit.
  lit=""
  for _ in $(seq 100); do
    shoot
    if [[ "$(desktop_pixels "$primary")" == 0 ]] &&
      (($(brightness "200x40+$((PRIMARY_X + 80))+720") > 20)); then
      lit=yes
      break
    fi
    sleep 0.2
  done
  [[ -n "$lit" ]] || fail "$side: the primary shows no storm"
  seen=$(desktop_pixels "$other")
  echo "$side: during the run, $seen pixels of the other monitor show the desktop"
  [[ "$seen" == 0 ]] || fail "$side: the other monitor shows the desktop"
  covers_are "cover $left 0 $((left + 800)) 600 $flags" || fail "$side: cover: $(probe covers)"
  before=$(probe covers | grep '^cover' | cut -d' ' -f7 || true)

  # The other monitor moves down by 100 pixels.
  set_two_monitors 100
  probe displaychange || fail "$side: no window to tell of the change"
  covers_are "cover $left 100 $((left + 800)) 700 $flags" ||
    fail "$side: the cover did not follow: $(probe covers)"
  [[ "$(probe covers | grep '^cover' | cut -d' ' -f7)" == "$before" ]] ||
    fail "$side: the cover was made anew instead of moved"
  shoot
  [[ "$(desktop_pixels "$moved")" == 0 ]] || fail "$side: the moved monitor shows the desktop"

  xdotool mousemove $((MONITOR_X + 400)) 400 click 1
  [[ "$(probe covers | grep '^foreground')" == "foreground OpenGL" ]] ||
    fail "$side: a click on the cover took the foreground"
  xdotool keydown Escape
  sleep 0.3
  xdotool keyup Escape
  renderer_gone || fail "$side: the renderer is still running after Escape"
  shoot
  [[ "$(desktop_pixels "$moved")" == 480000 && "$(desktop_pixels "$primary")" == 786432 ]] ||
    fail "$side: after Escape the desktop does not show again on both monitors"

  start_renderer
  covers_are "cover $left 100 $((left + 800)) 700 $flags" || fail "$side: no cover the second time"
  kill -9 "$renderer_pid"
  renderer_gone || fail "$side: the killed renderer is still there"
  covers_are "" || fail "$side: the cover outlived the killed renderer"
  shoot
  [[ "$(desktop_pixels "$moved")" == 480000 ]] || fail "$side: the killed renderer left black"
done

((failures == 0))
