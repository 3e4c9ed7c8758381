# shellcheck shell=bash
# Sourced with one argument, a Wine session folder (see wine-session.sh):
# points Wine at that session's prefix, display and sound device.
session_dir=$1
export WINEPREFIX="$session_dir/prefix"
export WINEDEBUG=-all
# No Mono or Gecko installers; and shortcuts made in the prefix (the
# installer's) add no entries to the host's own menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
# ALSA as only Wine's processes see it: one device that writes to a file.
export ALSA_CONFIG_PATH="$session_dir/asound.conf"
if [[ -f "$session_dir/display" ]]; then
  DISPLAY=$(<"$session_dir/display")
  export DISPLAY
fi

# hold_escape_until_gone PID SECONDS: holds Escape down, as a hand holds it
# until the storm is gone, while process PID runs (SECONDS at most); false if
# it still runs then. A short press is no sound test of a storm that ends on
# Escape held: on a busy machine the renderer may take the key's press and
# its release in one go, and never see it held.
hold_escape_until_gone() {
  local pid=$1 deadline=$((SECONDS + $2))
  xdotool keydown Escape
  while kill -0 "$pid" 2>/dev/null && ((SECONDS < deadline)); do
    sleep 0.05
  done
  xdotool keyup Escape
  ! kill -0 "$pid" 2>/dev/null
}

# await_storm PID SECONDS: waits for the storm's window ("Zandrel_VC",
# renderer/handoff/handoff.h) while process PID runs, SECONDS at most; false,
# saying why, when the process ended without one or still runs without one
# then: a slow start and a start that failed are told apart.
await_storm() {
  local pid=$1 deadline=$((SECONDS + $2))
  until xdotool search --name '^Zandrel_VC$' >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "no storm window: its program ended without one" && return 1; }
    ((SECONDS < deadline)) || { echo "no storm window: its program still runs without one after $2 s" && return 1; }
    sleep 0.05
  done
}
