#!/usr/bin/env bash
# tools/bench-run-wine.sh [BUILD_DIR]: runs the saver's run (Raivel.scr /s with
# Raivel.dll beside it, from the built Windows tree BUILD_DIR, build/windows)
# under Wine on a 1920 x 1080 screen, three times, and prints run_probe's
# figures for each: the times from the start to the capture files written and
# to the renderer's first frame, and the saver's end after the renderer's.
# Everything runs in a Wine session of its own, in a scratch folder of
# BUILD_DIR that is removed afterwards.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
saver=$build/saver/Raivel.scr
# The renderer's file name: renderer/handoff/handoff.h.
renderer=$build/renderer/win32/Raivel.dll
probe=$build/tools/run_probe.exe
# shellcheck source=tools/bench-session.sh
source "$root/tools/bench-session.sh"
bench_session_start "$build" bench-run-wine 1920x1080 "$saver" "$renderer" "$probe"

# The saver starts the renderer from its own folder.
programs=$session/programs
mkdir -p "$programs"
cp "$saver" "$renderer" "$programs/"
saver_path="Z:${programs//\//\\}\\$(basename "$saver")"

for run in 1 2 3; do
  status=0
  bench_run "$probe" "$saver_path" || status=$?
  echo "run $run:"
  sed 's/^/  /' "$session/probe.out"
  cat "$session/probe.err" >&2
  if ((status)); then
    exit "$status"
  fi
done
