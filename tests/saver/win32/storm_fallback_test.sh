#!/usr/bin/env bash
# storm_fallback_test.sh SAVER RENDERER: the storm starts whenever it can.
# The renderer alone over an empty capture folder of the user's own, and
# Raivel.scr /s where no picture can be written (files past 40 KiB refused,
# as on a full disk), each run a storm with the built-in clouds over a plain
# floor until Escape; the refused run leaves no picture behind, not even an
# earlier run's desktop.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)
session=${RAIVEL_WINE_DIR:?the Wine session is not set}
# shellcheck source=tools/wine/wine-env.sh
source "$here/wine-env.sh" "$session"

work=$(mktemp -d "$PWD/storm-fallback-test.XXXXXX")
# The capture folder, the programs' and the window's names: renderer/handoff/handoff.h.
captures=$WINEPREFIX/drive_c/r_mosk
cp "$1" "$work/Raivel.scr"
cp "$2" "$work/Raivel.dll"
started=""
cleanup() {
  [[ -z "$started" ]] || kill -- -"$started" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# storm NAME COMMAND...: runs COMMAND (which starts the storm) in a process
# group of its own, checks the storm on screen for two seconds, then holds
# Escape and checks that everything it started has ended.
storm() {
  local name=$1
  shift
  setsid "$@" </dev/null >"$work/$name.log" 2>&1 &
  started=$!
  local why
  if ! why=$(await_storm "$started" 20); then
    fail "$name: $why"
    return
  fi
  sleep 2
  xdotool search --name '^Zandrel_VC$' >/dev/null 2>&1 || fail "$name: the storm ended by itself"
  import -window root "$work/$name.png"
  # The sky's clouds, not black, at the top; the floor plain grey at its
  # dark level (0.3) or brighter in a flash, the same in every channel.
  local sky floor
  read -r sky < <(convert "$work/$name.png" -crop 1024x60+0+0 +repage -format '%[fx:round(mean*255)]\n' info:)
  read -r floor < <(convert "$work/$name.png" -crop 400x40+312+720 +repage \
    -format '%[fx:round(mean.r*255)] %[fx:round(mean.g*255)] %[fx:round(mean.b*255)] %[fx:round(standard_deviation*255)]\n' info:)
  echo "$name: sky $sky, floor (r g b spread) $floor"
  ((sky > 10)) || fail "$name: no clouds in the sky ($sky)"
  read -r red green blue spread <<<"$floor"
  ((red >= 70 && red == green && green == blue && spread <= 2)) || fail "$name: the floor is not plain grey"
  hold_escape_until_gone "$started" 2 || fail "$name: still running two seconds after Escape"
  kill -- -"$started" 2>/dev/null || true
  started=""
}

rm -rf "$captures"
mkdir -p "$captures"
storm renderer wine "$work/Raivel.dll"

# An earlier run's pictures, which this run cannot replace.
convert -size 128x128 xc:red -type TrueColor "BMP3:$captures/Zandrel1.bmp"
convert -size 1024x768 xc:red -type TrueColor "BMP3:$captures/Zandrel2.bmp"
# Writes past 40 KiB fail, as on a full disk, rather than end the process:
# the limit's signal is ignored, and Wine's processes inherit that.
storm full-disk bash -c "trap '' XFSZ && ulimit -f 40 && exec wine \"\$1\" /s" bash "$work/Raivel.scr"
leftover=$(ls -A "$captures")
[[ -z "$leftover" ]] || fail "pictures left in the capture folder: $leftover"

((failures == 0))
