#!/usr/bin/env bash
# tools/bench/bench-linux.sh [BUILD_DIR] [SECONDS]: builds raivel, raivel_probe
# and fake_vsync in the native tree BUILD_DIR (build/native), runs raivel
# natively on an Xvfb of its own (1024 x 768, Mesa's llvmpipe) over a made-up
# desktop and prints what raivel_probe measures over SECONDS (5) of each run:
#   - across the speed slider (-delay from 100000 down to 0), on the display
#     as it is (Xvfb holds no frame back: no vertical sync), then as a 60 Hz
#     display with vertical sync (fake_vsync preloaded), its wait in the
#     buffer swap, then in the next call that needs the swap done: the frames
#     and the storm's steps a second, the load raivel shows and its CPU use;
#   - at the default settings: the time from start to first frame, the frame
#     rate, the CPU time and the peak memory, then against its targets.
# When the Windows tree (build/windows) holds Raivel.dll,
# tools/bench/bench-wine.sh follows, for the Windows renderer's start to
# first frame under Wine on this machine.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/native}
seconds=${2:-5}

# shellcheck source=tools/setup/configure.sh
source "$root/tools/setup/configure.sh"
build_in "$build" raivel raivel_probe fake_vsync >/dev/null
raivel=$build/renderer/x11/raivel
probe=$build/tools/bench/raivel_probe
fake_vsync=$build/tools/bench/libfake_vsync.so

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

slider() { # TITLE [ENV...]: one line per -delay across the slider's range
  echo "== the speed slider, $1"
  shift
  printf '%8s %9s %9s %7s %7s\n' -delay frames/s steps/s load CPU
  for delay in 100000 50000 33333 25000 20000 16666 12500 10000 8333 4000 0; do
    env "$@" "$probe" "$seconds" "$raivel" -delay "$delay" 2>&1 | grep -v '^ATTENTION' >"$work/last"
    printf '%8s %9s %9s %6s%% %6s%%\n' "$delay" "$(value "frame rate")" "$(value "steps a second")" \
      "$(value "load as shown")" "$(value "CPU use")"
  done
}
slider "no vertical sync (Xvfb as it is)" vblank_mode=0
slider "60 Hz, vertical sync waiting in the swap" LD_PRELOAD="$fake_vsync"
slider "60 Hz, vertical sync waiting in the next call" LD_PRELOAD="$fake_vsync" FAKE_VSYNC_WAIT=next

run "fastest: -delay 0, no vertical sync" vblank_mode=0 -- -delay 0
fastest_cpu_per_frame=$(value "CPU time per frame")
run "default settings" --
default_fps=$(value "frame rate")
default_cpu=$(value "CPU use")

echo "== targets at the default settings"
awk -v fps="$default_fps" -v use="$default_cpu" -v frame="$fastest_cpu_per_frame" 'BEGIN {
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
