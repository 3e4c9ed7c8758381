#!/usr/bin/env bash
# tools/bench/bench-run-wine.sh [BUILD [OTHER_BUILD]]: runs the saver's run
# (Raivel.scr /s with Raivel.dll beside it) under Wine on a 1920 x 1080
# screen and prints run_probe's figures for each run: the times from the
# start to the capture files written and to the renderer's first frame, and
# the saver's end after the renderer's. A BUILD is a built Windows tree
# (build/windows when none is given) or a folder that holds Raivel.scr,
# Raivel.dll and run_probe.exe side by side. With two, both run in the same
# Wine session, in turns, measured by the first one's run_probe, and the
# medians of their start to first frame end the output. RUNS (3) runs each.
# MONITORS=2 runs them on two monitors instead, a 1024 x 768 primary and
# another, 800 x 768, right of it, where the renderer shows a storm too.
# Everything runs in a Wine session of its own, in a scratch folder of the
# first BUILD that is removed afterwards.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
runs=${RUNS:-3}
builds=()
for build in "${1:-$root/build/windows}" "${@:2}"; do
  builds+=("$(cd "$build" && pwd)")
done

# programs BUILD: the saver, the renderer and run_probe of a build tree or a
# folder of programs.
programs() {
  if [[ -f "$1/saver/win32/Raivel.scr" ]]; then
    echo "$1/saver/win32/Raivel.scr" "$1/renderer/win32/Raivel.dll" "$1/tools/bench/run_probe.exe"
  else
    echo "$1/Raivel.scr" "$1/Raivel.dll" "$1/run_probe.exe"
  fi
}

read -r _ _ probe <<<"$(programs "${builds[0]}")"
all=()
for build in "${builds[@]}"; do
  read -ra found <<<"$(programs "$build")"
  all+=("${found[@]:0:2}")
done
# shellcheck source=tools/bench/bench-session.sh
source "$root/tools/bench/bench-session.sh"
if [[ ${MONITORS:-1} == 2 ]]; then
  bench_session_start "${builds[0]}" bench-run-wine 1824x768 "${all[@]}" "$probe"
  # shellcheck source=tools/wine/two_monitors.sh
  source "$root/tools/wine/two_monitors.sh"
  two_monitor_session "$session" right 768
else
  bench_session_start "${builds[0]}" bench-run-wine 1920x1080 "${all[@]}" "$probe"
fi

# The saver starts the renderer from its own folder: one folder each.
saver_paths=()
for index in "${!builds[@]}"; do
  folder=$session/programs-$index
  mkdir -p "$folder"
  cp "${all[@]:$((2 * index)):2}" "$folder/"
  saver_paths+=("Z:${folder//\//\\}\\Raivel.scr")
done

firsts=$session/first-frames
for run in $(seq "$runs"); do
  for index in "${!builds[@]}"; do
    status=0
    bench_run "$probe" "${saver_paths[$index]}" || status=$?
    echo "run $run of ${builds[$index]}:"
    sed 's/^/  /' "$session/probe.out"
    cat "$session/probe.err" >&2
    if ((status)); then
      exit "$status"
    fi
    sed -n "s/^start to first frame: \([0-9]*\) ms.*/$index \1/p" "$session/probe.out" >>"$firsts"
  done
done

if ((${#builds[@]} > 1)); then
  for index in "${!builds[@]}"; do
    median=$(awk -v i="$index" '$1 == i { print $2 }' "$firsts" | sort -n |
      awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }')
    echo "start to first frame, median of $runs: $median ms (${builds[$index]})"
  done
fi
