#!/usr/bin/env bash
# tools/bench/bench-linux.sh [BUILD_DIR] [SECONDS]: builds raivel and raivel_probe
# in the native tree BUILD_DIR (build/native), runs raivel natively on an
# Xvfb of its own (1024 x 768, Mesa's llvmpipe) over a made-up desktop and
# prints what raivel_probe measures over SECONDS (5) of each run:
#   - uncapped: -delay 0 with vertical sync off (vblank_mode=0), then with it
#     on, to show whether this display's sync holds the frames back at all;
#   - at the default settings;
# each with the time from start to first frame, the frame rate (as raivel
# prints it with -print-fps) and the CPU time; then the default run against its targets. When the Windows tree
# (build/windows) holds Raivel.dll, tools/bench/bench-wine.sh follows, for the
# Windows renderer's start to first frame under Wine on this machine.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/native}
seconds=${2:-5}

# shellcheck source=tools/setup/configure.sh
source "$root/tools/setup/configure.sh"
build_in "$build" raivel raivel_probe >/dev/null
raivel=$build/renderer/x11/raivel
probe=$build/tools/bench/raivel_probe

work=$(mktemp -d)
exec {displayfd}>"$work/display"
# -noreset: the desktop stays on the root between the clients.
Xvfb -displayfd "$displayfd" -noreset -nolisten tcp -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
  [[ -s "$work/display" ]] && break
  sleep 0.05
done
export DISPLAY=:$(head -n 1 "$work/display")

# shellcheck source=tools/pictures/desktop-picture.sh
source "$root/tools/pictures/desktop-picture.sh"
draw_desktop_picture "$work/desktop.png"
# (display exits with 1 here even when the picture is on the root.)
display -window root "$work/desktop.png" || true

run() { # TITLE [ENV...] -- ARGS...
  echo "== $1"
  shift
  local environment=()
  while [[ "$1" != -- ]]; do
    environment+=("$1")
    shift
  done
  shift
  env "${environment[@]}" "$probe" "$seconds" "$raivel" "$@" 2>&1 | grep -v '^ATTENTION' |
    tee "$work/last"
}
# value KEY: the number after "KEY:" in the last run's figures.
value() { awk -v key="$1:" 'index($0, key) == 1 { print $(split(key, _, " ") + 1) }' "$work/last"; }

run "uncapped: -delay 0, vertical sync off" vblank_mode=0 -- -delay 0
uncapped_cpu_per_frame=$(value "CPU time per frame")
run "uncapped: -delay 0, vertical sync on" -- -delay 0
run "default settings" --
default_fps=$(value "frame rate")
default_cpu=$(value "CPU use")

echo "== targets at the default settings"
awk -v fps="$default_fps" -v use="$default_cpu" -v frame="$uncapped_cpu_per_frame" 'BEGIN {
  limit = 1.1 * 60 * frame / 10
  printf "frame rate %.1f, about 60: %s\n", fps, (fps >= 57 && fps <= 61) ? "yes" : "NO"
  printf "CPU use %.1f %% of a core, at most 1.1 x 60 x %.2f ms a second = %.1f %%: %s\n",
    use, frame, limit, use <= limit ? "yes" : "NO"
}'

windows=$root/build/windows
if [[ -f "$windows/renderer/win32/Raivel.dll" && -f "$windows/tools/bench/renderer_probe.exe" ]]; then
  echo "== the Windows renderer under Wine (tools/bench/bench-wine.sh)"
  bash "$root/tools/bench/bench-wine.sh" "$windows" 2>&1 | grep -E '^start to first frame' || true
fi
