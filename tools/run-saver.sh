#!/usr/bin/env bash
# tools/run-saver.sh [SECONDS]: runs the built saver (dist/Raivel.scr /s)
# under Wine, in a Wine prefix of its own (build/run/prefix). On the user's
# display when there is one: the storm runs until Escape. Without a display,
# on a virtual one showing a made-up desktop: screenshots are saved to
# dist/screenshots/ once a second for SECONDS (15), then Escape ends the run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-15}
session=$root/build/run
saver=$root/dist/Raivel.scr
[[ -f "$saver" ]] || {
  echo "run-saver: $saver is missing; build it first (tools/build.sh)" >&2
  exit 1
}

if [[ -n "${DISPLAY:-}" ]]; then
  mkdir -p "$session"
  # shellcheck source=tools/wine-env.sh
  source "$root/tools/wine-env.sh" "$session"
  export DISPLAY
  exec wine "$saver" /s
fi

bash "$root/tools/wine-session.sh" start "$session" >/dev/null
trap 'bash "$root/tools/wine-session.sh" stop "$session"' EXIT
# shellcheck source=tools/wine-env.sh
source "$root/tools/wine-env.sh" "$session"

# A desktop for the storm to mirror: the screen is what the saver captures.
desktop=$session/desktop.png
# shellcheck source=tools/desktop-picture.sh
source "$root/tools/desktop-picture.sh"
draw_desktop_picture "$desktop"
display -window root "$desktop" &
sleep 1
kill $! 2>/dev/null || true

shots=$root/dist/screenshots
rm -rf "$shots"
mkdir -p "$shots"
setsid wine "$saver" /s </dev/null >"$session/saver.log" 2>&1 &
saver_pid=$!
for i in $(seq -w "$seconds"); do
  sleep 1
  import -window root "$shots/storm-$i.png"
done
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
for _ in $(seq 50); do
  kill -0 "$saver_pid" 2>/dev/null || break
  sleep 0.1
done
echo "screenshots of the storm in $shots"
