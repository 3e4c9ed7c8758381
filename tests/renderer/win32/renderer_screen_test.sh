#!/usr/bin/env bash
# renderer_screen_test.sh RENDERER: runs the renderer on the Wine session's
# X display with a known floor picture (left half red, right half green) and
# checks screenshots of the display: the floor near the viewer shows the
# picture (mirrored, as a floor seen from above shows it: green on the left)
# at the dark level (0.3) between flashes and brighter in a flash, the far
# floor is lost in black fog, and Escape, held as a hand would, ends the
# renderer within a second. Wine's trace of its WGL calls shows the renderer
# asking for one frame per refresh (swap interval 1).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)
session=${RAIVEL_WINE_DIR:?the Wine session is not set}
# shellcheck source=tools/wine/wine-env.sh
source "$here/wine-env.sh" "$session"

work=$(mktemp -d "$PWD/renderer-screen-test.XXXXXX")
# The capture pictures and the window's name: renderer/handoff/handoff.h.
captures=$WINEPREFIX/drive_c/r_mosk
mkdir -p "$captures"
convert -size 128x128 plasma:navy-gray -seed 3 -type TrueColor "BMP3:$captures/Zandrel1.bmp"
convert -size 512x768 xc:red -size 512x768 xc:lime +append -type TrueColor \
  "BMP3:$captures/Zandrel2.bmp"

WINEDEBUG=-all,+wgl setsid wine "$1" </dev/null >"$work/renderer.log" 2>&1 &
renderer=$!
cleanup() {
  kill -- -"$renderer" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

why=$(await_storm "$renderer" 20) || { echo "FAILED: $why"; exit 1; }

# Mean red and green (0 to 255) of a region WxH+X+Y of a screenshot.
mean() {
  convert "$1" -crop "$2" +repage -format '%[fx:round(mean.r*255)] %[fx:round(mean.g*255)]\n' info:
}

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

dark=0
flash=0
deadline=$((SECONDS + 40))
while ((SECONDS < deadline)) && ((dark == 0 || flash == 0)); do
  import -window root "$work/shot.png"
  read -r _ green < <(mean "$work/shot.png" 200x40+80+720)
  read -r red _ < <(mean "$work/shot.png" 200x40+744+720)
  read -r fog _ < <(mean "$work/shot.png" 1024x30+0+100)
  # 0.3 of 255 is 76.5; a flash fades from 255 down to that.
  if ((red == 0 && green == 0)); then
    continue # no frame presented yet
  elif ((red < 72 || green < 72 || red - green > 3 || green - red > 3)); then
    fail "floor not showing the picture: red $red, green $green"
  elif ((red <= 81)); then
    dark=$((dark + 1))
  elif ((red >= 100)); then
    flash=$((flash + 1))
  fi
  ((fog <= 3)) || fail "far floor not black: $fog"
done
echo "screenshots: $dark at the dark level, $flash in a flash"
((dark > 0)) || fail "no screenshot showed the floor at the dark level"
((flash > 0)) || fail "no screenshot caught a flash"

xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
released=$SECONDS
ended=""
for _ in $(seq 100); do
  if ! kill -0 "$renderer" 2>/dev/null; then
    ended=yes
    break
  fi
  sleep 0.01
done
[[ -n "$ended" ]] || fail "still running a second after Escape"
echo "ended after Escape: ${ended:-no} (within $((SECONDS - released)) s)"
[[ -z "$(xdotool search --name '^Zandrel_VC$' 2>/dev/null)" ]] || fail "window still there"
grep -q 'wglSwapIntervalEXT (1)$' "$work/renderer.log" || fail "no request for swap interval 1"

((failures == 0))
