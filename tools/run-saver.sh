#!/usr/bin/env bash
# tools/run-saver.sh [SECONDS]: runs the saver as the portable package in
# dist/ ships it (Raivel.scr /s, unpacked into build/run/Raivel) under Wine,
# in a Wine prefix of its own (build/run/prefix), once Wine's desktop is up.
# On the user's display when there is one: the storm runs until Escape.
# Without a display, on a virtual one showing a made-up desktop: screenshots
# are saved to build/run/screenshots/ once a second for SECONDS (15), then
# Escape ends the run. Either way it fails, loudly, when the saver's capture
# of the desktop is missing or all black.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-15}
session=$root/build/run
mkdir -p "$session"
# shellcheck source=tools/wine/saver-under-wine.sh
source "$root/tools/wine/saver-under-wine.sh"

if [[ -n "${DISPLAY:-}" ]]; then
  rm -f "$session/display" # a virtual display's, left by a run cut short
  # shellcheck source=tools/wine/wine-env.sh
  source "$root/tools/wine/wine-env.sh" "$session"
  export DISPLAY
  unpack_saver
  trap release_wine_desktop EXIT
  hold_wine_desktop
  wine "$saver" /s
  check_capture
  exit 0
fi

trap 'bash "$root/tools/wine/wine-session.sh" stop "$session"' EXIT
bash "$root/tools/wine/wine-session.sh" start "$session" >/dev/null
# shellcheck source=tools/wine/wine-env.sh
source "$root/tools/wine/wine-env.sh" "$session"
unpack_saver
show_made_up_desktop
hold_wine_desktop

shots=$session/screenshots
rm -rf "$shots"
mkdir -p "$shots"
start_saver
for i in $(seq -w "$seconds"); do
  sleep 1
  import -window root "$shots/storm-$i.png"
done
end_storm
check_capture
echo "screenshots of the storm in $shots"
