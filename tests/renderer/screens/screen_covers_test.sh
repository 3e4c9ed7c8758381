#!/usr/bin/env bash
# screen_covers_test.sh PROBE RENDERER RENDERER_WITHOUT_STORMS: runs the
# renderer on two monitors, in a Wine session of the test's own (its prefix a
# copy of the main session's), with the other monitor right of the primary,
# then left of it at negative coordinates. The desktop is the X root in one
# colour on each monitor; screenshots of the display show that while the
# renderer runs no pixel of either monitor shows it, that the primary shows
# the storm and the other monitor its own, with the clouds at its top and a
# floor of its own desktop's colour at its bottom, that both monitors show
# a flash step by step together, that the cover and the storm follow their
# monitor when the monitors move (WM_DISPLAYCHANGE), that a click on the
# other monitor leaves the keyboard with the primary's storm, that after
# Escape both monitors show the desktop again, and that the cover and the
# storm go with the renderer's process when it is killed. A build whose
# other monitors get no rendering context leaves the other monitor black.
set -eEuo pipefail
trap 'echo "FAILED: line $LINENO: $BASH_COMMAND" >&2' ERR
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
main=${RAIVEL_WINE_DIR:?the main Wine session is not set}
probe=$1
renderer=$2
without_storms=$3
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
other_desktop='#cc6633'
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

shoot() { import -window root "$work/shot.png"; }
# desktop_pixels WxH+X+Y [COLOUR]: how many pixels of that part of the last
# screenshot show the desktop's colour (the primary's, or COLOUR).
desktop_pixels() {
  local colour=${2:-$desktop}
  convert "$work/shot.png" -crop "$1" +repage -fill black +opaque "$colour" \
    -fill white -opaque "$colour" -format '%[fx:round(mean*w*h)]' info:
}
# no_desktop PART...: neither monitor's desktop shows in those parts of the
# last screenshot.
no_desktop() {
  local part
  for part in "$@"; do
    [[ "$(desktop_pixels "$part")" == 0 && "$(desktop_pixels "$part" "$other_desktop")" == 0 ]] ||
      return 1
  done
}
# colour WxH+X+Y: the mean red, green and blue of that part, 0 to 255.
colour() {
  convert "$work/shot.png" -crop "$1" +repage \
    -format '%[fx:round(mean.r*255)] %[fx:round(mean.g*255)] %[fx:round(mean.b*255)]' info:
}
# Each monitor's desktop in its own colour: the X root tiled with a bitmap
# whose set pixels are the primary's.
set_desktops() {
  local primary_part=xc:black other_part=xc:white
  if ((MONITOR_X < PRIMARY_X)); then
    convert -size 800x768 "$other_part" -size 1024x768 "$primary_part" +append "$work/root.xbm"
  else
    convert -size 1024x768 "$primary_part" -size 800x768 "$other_part" +append "$work/root.xbm"
  fi
  xsetroot -bitmap "$work/root.xbm" -fg "$desktop" -bg "$other_desktop"
}
# brightness WxH+X+Y: the mean of that part of the last screenshot, 0 to 255.
brightness() {
  convert "$work/shot.png" -crop "$1" +repage -format '%[fx:round(mean*255)]' info:
}
probe() { wine "$probe" "$@" | tr -d '\r'; }

start_renderer() {
  setsid wine "${1:-$renderer}" </dev/null >"$work/renderer.log" 2>&1 &
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
  windows_are covers "$1"
}
# windows_are covers|storms LINES: the same of the covers' or the storms'
# windows.
windows_are() {
  for _ in $(seq 50); do
    [[ "$(probe "$1" | grep -E '^(cover|storm) ' | cut -d' ' -f1-6)" == "$2" ]] && return 0
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
  other_floor=200x40+$((MONITOR_X + 300))+552
  # The floors whose flash is timed, near the monitors' common edge (the
  # probe's coordinates are Windows', the primary's top left at 0,0).
  if ((MONITOR_X < PRIMARY_X)); then
    primary_floor_x=24 other_floor_x=-224
  else
    primary_floor_x=800 other_floor_x=1048
  fi
  ((MONITOR_X < PRIMARY_X)) && left=-800 || left=1024
  monitors=$(probe monitors)
  echo "$side: $(tr '\n' ';' <<<"$monitors")"
  if [[ "$(grep -c '^monitor ' <<<"$monitors")" != 2 ]]; then
    fail "$side: Wine does not see two monitors"
    continue
  fi
  grep -qx "monitor 0 0 1024 768 primary" <<<"$monitors" || fail "$side: no 1024x768 primary"
  grep -qx "monitor $left 0 $((left + 800)) 600" <<<"$monitors" || fail "$side: other monitor"

  set_desktops
  shoot
  [[ "$(desktop_pixels "$other" "$other_desktop")" == 480000 ]] ||
    fail "$side: the desktop does not show"
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
  covers_are "cover $left 0 $((left + 800)) 600 $flags" || fail "$side: cover: $(probe covers)"
  windows_are storms "storm $left 0 $((left + 800)) 600 $flags" ||
    fail "$side: storm: $(probe storms)"
  # The other monitor's storm: the clouds (blue-grey) at its top, a floor
  # of its own desktop's colour (red over green over blue) at its bottom.
  stormy=""
  for _ in $(seq 50); do
    shoot
    read -r sky_red _ sky_blue <<<"$(colour "200x30+$((MONITOR_X + 300))+10")"
    read -r red green blue <<<"$(colour "$other_floor")"
    if ((sky_blue > 20 && sky_blue >= sky_red && red * 10 > green * 15 && green * 10 > blue * 15)); then
      stormy=yes
      break
    fi
    sleep 0.1
  done
  echo "$side: the other monitor's sky $sky_red..$sky_blue, floor $red $green $blue"
  [[ -n "$stormy" ]] || fail "$side: the other monitor shows no storm of its own"
  no_desktop "$primary" "$other" || fail "$side: a monitor shows the desktop"

  # The next flash, 601 steps after the first (10 s, later on a slow
  # machine), shot again and again. A floor is as bright as the flash: 0.3
  # at its darkest, 1 as the bolt strikes, 0.01 less each step after, so
  # each shot tells which step each monitor shows. Two windows' swaps are
  # never one act: between them (on a busy machine, for as long as the
  # renderer waits for the processor) a shot shows the monitors a step
  # apart. What must hold is what a user can see: each step the primary
  # shows, the other monitor shows too while the primary still does. A
  # monitor that draws or shows a step behind the other never does.
  rm -f "$work/flash.txt"
  for _ in $(seq 30); do
    probe flash 4 "$primary_floor_x" 720 "$other_floor_x" 552 >>"$work/flash.txt"
    read -r seen together levels < <(awk '
      { primary[NR] = $1; other[NR] = $2
        if (NR == 1 || $1 < dark_primary) dark_primary = $1
        if (NR == 1 || $2 < dark_other) dark_other = $2
        if (NR == 1 || $1 > lit_primary) lit_primary = $1
        if (NR == 1 || $2 > lit_other) lit_other = $2 }
      # The step after the flash that a level shows.
      function step(level, dark, lit) { return 70 * (lit - level) / (lit - dark) }
      END { if (lit_primary < 2 * dark_primary || lit_other < 2 * dark_other) { print 0, 0; exit }
        for (i = 1; i <= NR; i++) {
          # Shots during the flash, before its last steps.
          shown = step(primary[i], dark_primary, lit_primary)
          if (shown > 50 || step(other[i], dark_other, lit_other) > 50) continue
          at = int(shown + 0.5)
          if (!(at in steps)) { steps[at] = 1; seen++ }
          difference = shown - step(other[i], dark_other, lit_other)
          if (difference < 0.5 && difference > -0.5 && !(at in both)) { both[at] = 1; together++ }
        }
        print seen + 0, together + 0, dark_primary ".." lit_primary, dark_other ".." lit_other }' \
      "$work/flash.txt")
    # Enough of the flash for a verdict: 20 of its steps, or more.
    ((seen < 20)) || break
  done
  echo "$side: the flash: $seen of its steps shot on the primary, $together of them on both" \
    "monitors at once (floor levels, dark to lit: $levels)"
  if ((seen < 20 || together * 2 < seen)); then
    # Its shots, each monitor's floor level, kept to be read.
    cp "$work/flash.txt" "$PWD/screen-covers-flash-$side.txt"
    fail "$side: the flash did not light both monitors together (shots: screen-covers-flash-$side.txt)"
  fi
  before=$(probe covers | grep '^cover' | cut -d' ' -f7 || true)

  # The other monitor moves down by 100 pixels.
  set_two_monitors 100
  probe displaychange || fail "$side: no window to tell of the change"
  covers_are "cover $left 100 $((left + 800)) 700 $flags" ||
    fail "$side: the cover did not follow: $(probe covers)"
  windows_are storms "storm $left 100 $((left + 800)) 700 $flags" ||
    fail "$side: the storm did not follow: $(probe storms)"
  [[ "$(probe covers | grep '^cover' | cut -d' ' -f7)" == "$before" ]] ||
    fail "$side: the cover was made anew instead of moved"
  shoot
  [[ "$(desktop_pixels "$moved")" == 0 ]] || fail "$side: the moved monitor shows the desktop"

  xdotool mousemove $((MONITOR_X + 400)) 400 click 1
  [[ "$(probe covers | grep '^foreground')" == "foreground OpenGL" ]] ||
    fail "$side: a click on the cover took the foreground"
  if hold_escape_until_gone "$renderer_pid" 5; then
    renderer_pid=""
  else
    fail "$side: the renderer is still running after Escape"
  fi
  shoot
  [[ "$(desktop_pixels "$moved" "$other_desktop")" == 480000 &&
    "$(desktop_pixels "$primary")" == 786432 ]] ||
    fail "$side: after Escape the desktop does not show again on both monitors"

  start_renderer
  covers_are "cover $left 100 $((left + 800)) 700 $flags" || fail "$side: no cover the second time"
  kill -9 "$renderer_pid"
  renderer_gone || fail "$side: the killed renderer is still there"
  covers_are "" || fail "$side: the cover outlived the killed renderer"
  windows_are storms "" || fail "$side: the storm outlived the killed renderer"
  shoot
  [[ "$(desktop_pixels "$moved" "$other_desktop")" == 480000 ]] ||
    fail "$side: the killed renderer left black"
done

# A monitor whose storm cannot start stays covered black; the primary's
# storm runs.
start_renderer "$without_storms"
covers_are "cover $left 100 $((left + 800)) 700 $flags" || fail "no cover without a storm"
sleep 1
shoot
if probe storms | grep -q '^storm' || [[ "$(brightness "$moved")" != 0 ]]; then
  fail "the monitor whose storm failed is not black: $(probe storms)"
fi
no_desktop "$primary" "$moved" || fail "without its storm, a monitor shows the desktop"
kill -9 "$renderer_pid"
renderer_gone || fail "the renderer without storms is still running"

((failures == 0))
