#!/usr/bin/env bash
# tools/bench/bench-wine.sh [BUILD_DIR [RENDERER...]]: the renderer of the
# built Windows tree BUILD_DIR (build/windows), or the programs RENDERER
# measured with that tree's tools (say, /work/baseline/Raivel.dll, an earlier
# build), under Wine, at a 1920 x 1080 floor picture:
# - the tree's start to first frame against the platform's floor (wgl_floor,
#   a bare WGL program that clears and swaps), three times each,
#   alternating, with where the renderer's start-up goes (renderer_timed's
#   marks) and its own share: everything but the process start, the window,
#   the context, the mode change and gluBuild2DMipmaps;
# - the frame rate and the time between flashes without the vertical sync
#   request (renderer_timed_unsynced);
# - Raivel.dll itself (or RENDERER): time to the first frame, the time
#   between two flashes (601 steps of the storm) and the steps a second it
#   makes, the frame rate between them, the CPU time per second and per
#   frame and the peak memory, as renderer_probe and the Wine process's
#   /proc figures give them.
# The frames are counted in Wine's timestamped trace of the buffer swaps
# (WINEDEBUG=+timestamp,+wgl) between the two flashes renderer_probe saw,
# for each window that swaps. Everything runs in a Wine session of its own
# (1024 x 768), in a scratch folder of BUILD_DIR that is removed afterwards.
# MONITORS=2 measures only the last part, on two monitors (the other one
# 800 x 768, right of the primary), for each RENDERER in turn, RUNS (1)
# times.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
renderers=()
for renderer in "${@:2}"; do
  renderers+=("$(realpath "$renderer")")
done
((${#renderers[@]})) || renderers=("$build/renderer/win32/Raivel.dll")
probe=$build/tools/bench/renderer_probe.exe
timed=$build/tools/bench/renderer_timed.exe
unsynced=$build/tools/bench/renderer_timed_unsynced.exe
floor=$build/tools/bench/wgl_floor.exe
# shellcheck source=tools/bench/bench-session.sh
source "$root/tools/bench/bench-session.sh"
monitors=${MONITORS:-1}
if ((monitors == 2)); then
  bench_session_start "$build" bench-wine 1824x768 "${renderers[@]}" "$probe"
  # shellcheck source=tools/wine/two_monitors.sh
  source "$root/tools/wine/two_monitors.sh"
  two_monitor_session "$session" right 768
else
  bench_session_start "$build" bench-wine 1024x768 "${renderers[@]}" "$probe" "$timed" "$unsynced" \
    "$floor"
fi
windows_path() { echo "Z:${1//\//\\}"; }

# The capture pictures (names as renderer/handoff/handoff.h gives them): a
# 128 x 128 cloud and a bright 1920 x 1080 desktop, so that each flash stands
# out on the floor.
captures=$session/prefix/drive_c/r_mosk
mkdir -p "$captures"
convert -seed 7 -size 128x128 plasma:grey40-grey10 -blur 0x3 -type TrueColor \
  "BMP3:$captures/Zandrel1.bmp"
convert -size 1920x1080 gradient:'#d0d8e8-#8098b0' -type TrueColor "BMP3:$captures/Zandrel2.bmp"

first_frame() { # first_frame PROGRAM: its start to first frame, in ms
  bench_run "$probe" --first-frame "$(windows_path "$1")"
  awk '/^start to first frame:/ { print $5 }' "$session/probe.out"
}

# paced_run PROGRAM: renderer_probe on PROGRAM, with Wine's timestamped trace
# of the buffer swaps in $session/probe.trace; its figures in probe.out, its
# messages in probe.err.
paced_run() {
  (
    # shellcheck source=tools/wine/wine-env.sh
    source "$root/tools/wine/wine-env.sh" "$session"
    WINEDEBUG=-all,+timestamp,+wgl setsid wine "$probe" "$(windows_path "$1")" </dev/null \
      >"$session/probe.out" 2>"$session/probe.trace"
  )
  local status=$?
  grep -Ev ':(trace|warn|fixme):wgl:' "$session/probe.trace" >"$session/probe.err" || true
  return $status
}

# frame_rate: the frames a second between the two flashes of the last run,
# a line for each window that swapped (named by its device context), the
# most frames first.
frame_rate() {
  awk -v ticks="$(awk '/^flashes at ticks:/ { print $4, $5 }' "$session/probe.out")" '
    BEGIN { split(ticks, tick, " "); from = tick[1] / 1000; to = tick[2] / 1000 }
    /:trace:wgl:glxdrv_wglSwapBuffers/ { at = $1 + 0; if (at >= from && at < to) frames[$NF]++ }
    END { if (to > from) for (dc in frames)
        printf "frame rate: %.1f frames/s, window %s\n", frames[dc] / (to - from), dc }' \
    "$session/probe.trace" | sort -t ' ' -k3,3nr
}

if ((monitors != 2)); then
  echo "== start to first frame at a 1920 x 1080 floor picture, against a bare WGL program"
  marks=$session/marks.txt
  for run in 1 2 3; do
    floor_ms=$(first_frame "$floor")
    rm -f "$marks"
    renderer_ms=$(RAIVEL_STARTUP_MARKS=$(windows_path "$marks") first_frame "$timed")
    echo "run $run: bare WGL program $floor_ms ms, renderer $renderer_ms ms," \
      "difference $((renderer_ms - floor_ms)) ms"
    # Each mark is the time since the process was created; a step's time is the
    # difference from the mark before it.
    awk -F '\t' '
      { step = $1; at = $2; took = at - last; last = at
        if (step == "entry") name = "process start to entry"
        else if (step == "display mode") name = "class and display-mode change"
        else if (step == "window") name = "window"
        else if (step == "rendering context") name = "rendering context"
        else if (step == "window shown") name = "window shown"
        else if (step ~ /Zandrel1/) name = "load and convert Zandrel1.bmp"
        else if (step ~ /Zandrel2/) name = "load and convert Zandrel2.bmp"
        else if (step == "gluBuild2DMipmaps") name = "gluBuild2DMipmaps"
        else if (step == "first bolt and scene state") name = "first bolt and scene state"
        else if (step == "first frame") name = "first frame (draw and swap)"
        else name = step
        printf "  %-34s %7.1f ms (at %6.1f ms)\n", name, took, at
        if (name ~ /^load|first bolt|first frame/) own += took
      }
      END { printf "  %-34s %7.1f ms\n", "our own share", own }' "$marks"
  done

  echo "== without the vertical sync request (renderer_timed_unsynced)"
  paced_run "$unsynced" || true
  frame_rate
  grep -E '^(flash interval|steps a second)' "$session/probe.out" || cat "$session/probe.err" >&2
fi

# measure RENDERER: Raivel.dll or another build, from outside; a failure
# leaves its status in $status.
measure() {
  local renderer=$1
  echo "== $(basename "$renderer") ($renderer)"
  paced_run "$renderer" &
  probe_pid=$!

  # The renderer's Wine process is the one of this session's prefix whose first
  # argument is the renderer's file. Its VmHWM only grows, so the last reading before it
  # ends is its peak. Its CPU time counts every thread, Mesa's too (which Wine's
  # GetProcessTimes leaves out), from its fourth reading (a second after it
  # appeared, past the start) to its last.
  renderer_pid=""
  readings=0
  hwm=""
  first_cpu=() last_cpu=()
  while kill -0 "$probe_pid" 2>/dev/null; do
    if [[ -z "$renderer_pid" ]]; then
      for dir in /proc/[0-9]*; do
        read -r -d '' argv0 2>/dev/null <"$dir/cmdline" || continue
        if [[ "$argv0" == *"$(basename "$renderer")" ]] &&
          grep -qxF "WINEPREFIX=$session/prefix" < <(tr '\0' '\n' 2>/dev/null <"$dir/environ"); then
          renderer_pid=${dir#/proc/}
        fi
      done
    elif ticks=$(sed 's/.*) //' "/proc/$renderer_pid/stat" 2>/dev/null | cut -d ' ' -f 12,13); then
      # User and system time, the 14th and 15th fields, after the name in brackets.
      read -r user system <<<"$ticks"
      last_cpu=("$EPOCHREALTIME" $((user + system)))
      reading=$(awk '/^VmHWM:/ { print $2 }' "/proc/$renderer_pid/status" 2>/dev/null) || true
      hwm=${reading:-$hwm}
      readings=$((readings + 1))
      if ((readings == 4)); then
        first_cpu=("${last_cpu[@]}")
      fi
    fi
    sleep 0.25
  done
  wait "$probe_pid" || status=$?

  grep -v '^flashes at ticks:' "$session/probe.out"
  fps=$(frame_rate | awk 'NR == 1 { print $3 }')
  frame_rate | sed 's/^/between the flashes, /'
  if [[ -n "$hwm" ]]; then
    awk -v kb="$hwm" 'BEGIN { printf "Wine process peak resident size (VmHWM): %.1f MiB\n", kb / 1024 }'
  fi
  if [[ -n "$fps" ]] && ((${#first_cpu[@]})); then
    awk -v hz="$(getconf CLK_TCK)" -v fps="$fps" -v t0="${first_cpu[0]}" -v t1="${last_cpu[0]}" \
      -v c0="${first_cpu[1]}" -v c1="${last_cpu[1]}" 'BEGIN {
        load = (c1 - c0) / hz / (t1 - t0)
        printf "Wine process CPU load, all threads: %.0f %% of one core\n", load * 100
        printf "Wine process CPU time per frame, all threads: %.2f ms\n", load / fps * 1000
      }'
  fi
  cat "$session/probe.err" >&2
}

status=0
for run in $(seq "${RUNS:-1}"); do
  for renderer in "${renderers[@]}"; do
    measure "$renderer"
  done
done
exit "$status"
