# shellcheck shell=bash
# Sourced by run-saver.sh and record-storm.sh: the saver's run under Wine as
# a user starts it, from the portable package in dist/, in the Wine session
# folder $session (whose wine-env.sh is sourced).

: "${session:?the Wine session folder is not set}"
saver_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# unpack_saver: unpacks dist/'s zip into $session/Raivel; sets $saver to
# the saver's path there.
unpack_saver() {
  local zip
  zip=$(find "$saver_root/dist" -maxdepth 1 -name 'Raivel-*-win64.zip' 2>/dev/null | head -n 1)
  if [[ -z "$zip" ]]; then
    echo "$0: no Raivel-*-win64.zip in $saver_root/dist; build it first (tools/build.sh)" >&2
    exit 1
  fi
  rm -rf "$session/Raivel"
  mkdir -p "$session/Raivel"
  (cd "$session/Raivel" && cmake -E tar xf "$zip")
  saver=$session/Raivel/Raivel.scr
}

# show_made_up_desktop: a made-up desktop on the (virtual) screen, for the
# storm to mirror.
show_made_up_desktop() {
  # shellcheck source=tools/pictures/desktop-picture.sh
  source "$saver_root/tools/pictures/desktop-picture.sh"
  draw_desktop_picture "$session/desktop.png"
  display -window root "$session/desktop.png" &
  sleep 1
  kill $! 2>/dev/null || true
}

# hold_wine_desktop: brings Wine's desktop up (wine_desktop.exe) and keeps it
# until release_wine_desktop or the session's end; without it the saver, as
# the session's first program, may capture a black screen. Wine's desktop
# cannot come up while its X display does not answer, nor under a Wine
# server left by an earlier session whose desktop was on a display that has
# gone since: it waits for the display, then, if the helper finds no
# desktop, starts Wine afresh once; failing that, it says why in one line.
hold_wine_desktop() {
  local helper=$saver_root/build/windows/tools/wine/wine_desktop.exe
  if [[ ! -f "$helper" ]]; then
    echo "$0: $helper is missing; build the Windows tree first (tools/build.sh)" >&2
    exit 1
  fi
  await_display && start_wine_desktop "$helper" && return 0
  if display_answers; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    start_wine_desktop "$helper" && return 0
  fi
  echo "$0: Wine's desktop did not come up on $DISPLAY: $desktop_failure" >&2
  exit 1
}

display_answers() {
  xdpyinfo >/dev/null 2>&1
}

# await_display: waits (5 s at most) until the X display answers; else
# fails, the reason in $desktop_failure.
await_display() {
  for _ in $(seq 50); do
    display_answers && return 0
    sleep 0.1
  done
  desktop_failure="the X display does not answer"
  return 1
}

# start_wine_desktop HELPER: starts the helper in the background
# ($desktop_pid) and waits (30 s at most) until it is ready; else ends it
# and fails, the reason in $desktop_failure.
start_wine_desktop() {
  setsid wine "$1" </dev/null >"$session/wine_desktop.log" 2>&1 &
  desktop_pid=$!
  for _ in $(seq 300); do
    grep -q ready "$session/wine_desktop.log" && return 0
    if ! kill -0 "$desktop_pid" 2>/dev/null; then
      desktop_failure=$(tail -n 1 "$session/wine_desktop.log")
      return 1
    fi
    sleep 0.1
  done
  release_wine_desktop
  desktop_failure="no desktop after 30 s"
  return 1
}

release_wine_desktop() {
  kill "${desktop_pid:-}" 2>/dev/null || true
}

# start_saver: Raivel.scr /s in the background ($saver_pid), with no capture
# of an earlier run left (the names: renderer/handoff/handoff.h).
start_saver() {
  rm -f "$WINEPREFIX/drive_c/r_mosk/Zandrel1.bmp" "$WINEPREFIX/drive_c/r_mosk/Zandrel2.bmp"
  setsid wine "$saver" /s </dev/null >"$session/saver.log" 2>&1 &
  saver_pid=$!
}

# end_storm: Escape, held as a hand holds it, ends the run; waits (5 s at
# most) for the saver to end.
end_storm() {
  hold_escape_until_gone "$saver_pid" 5 || true
}

# check_capture: fails, loudly, when the run's capture of the desktop
# (C:\r_mosk\Zandrel2.bmp) is missing or all black.
check_capture() {
  local capture=$WINEPREFIX/drive_c/r_mosk/Zandrel2.bmp brightest
  brightest=$(convert "BMP:$capture" -format '%[fx:maxima]' info: 2>/dev/null) || brightest=missing
  if [[ "$brightest" == missing || "$brightest" == 0 ]]; then
    [[ "$brightest" == missing ]] || brightest="all black"
    echo "$0: FAILED: the saver's capture of the desktop, $capture, is $brightest" >&2
    exit 1
  fi
}
