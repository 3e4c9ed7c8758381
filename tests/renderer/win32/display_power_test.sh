#!/usr/bin/env bash
# display_power_test.sh RENDERER: runs the renderer's test build
# (display_power_seam.cpp) with the storm on the Wine session's display and,
# through its seam, turns the display off, then on again, then the energy
# saver on. Display off: over the next 5 s no frame is drawn and the
# renderer's process spends at most 2 % of a core. On again: the next frame
# comes within 100 ms, one step on from the last one drawn. Energy saver: 30
# frames a second (give or take 2) while the storm keeps 60 steps a second
# (give or take 1). The processor time is the process's own, all its threads
# (Mesa's among them), from /proc; frames and steps are the renderer's own
# counts, and its frames' own times. Prints the figures on one line.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)
session=${RAIVEL_WINE_DIR:?the Wine session is not set}
# shellcheck source=tools/wine/wine-env.sh
source "$here/wine-env.sh" "$session"

work=$(mktemp -d "$PWD/display-power-test.XXXXXX")
# The capture pictures: renderer/handoff/handoff.h.
captures=$WINEPREFIX/drive_c/r_mosk
mkdir -p "$captures"
convert -size 128x128 plasma:navy-gray -seed 3 -type TrueColor "BMP3:$captures/Zandrel1.bmp"
convert -size 1024x768 gradient:gray-navy -type TrueColor "BMP3:$captures/Zandrel2.bmp"

coproc seam { exec wine "$1" 2>"$work/renderer.log"; }
# shellcheck disable=SC2154 # set by coproc
renderer=$seam_PID
cleanup() {
  kill "$renderer" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# ask COMMAND: the seam's answer.
ask() {
  echo "$1" >&"${seam[1]}"
  local answer
  read -r -t 60 answer <&"${seam[0]}" || { echo "FAILED: no answer to '$1'" >&2; exit 1; }
  echo "${answer%$'\r'}" # a Windows line
}

# The process's processor time (user and system, all threads), in clock ticks.
ticks() {
  local stat fields
  stat=$(<"/proc/$renderer/stat")
  read -ra fields <<<"${stat##*) }"
  echo $((fields[11] + fields[12]))
}

# share SECONDS: sleeps that long and prints the percentage of a core the
# renderer spent meanwhile.
share() {
  local ticks0 start ticks1
  ticks0=$(ticks)
  start=$EPOCHREALTIME
  sleep "$1"
  ticks1=$(ticks)
  awk -v t="$((ticks1 - ticks0))" -v hz="$(getconf CLK_TCK)" -v from="$start" \
    -v to="$EPOCHREALTIME" 'BEGIN { printf "%.1f", 100 * t / hz / (to - from) }'
}

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

ask frames >/dev/null # the seam answers from the first frame on
sleep 2
normal=$(share 5)

ask "notice display 0" >/dev/null
off_frames=$(ask frames)
off=$(share 5)
[[ $(ask frames) == "$off_frames" ]] || fail "frames drawn while the display was off"
awk -v x="$off" 'BEGIN { exit !(x <= 2) }' || fail "display off: $off % of a core"

read -r _ on_sent < <(ask "notice display 1")
sleep 0.5
read -r last_steps _ < <(ask "frame $((off_frames - 1))")
read -r next_steps next_time < <(ask "frame $off_frames")
((next_time - on_sent <= 100000)) ||
  fail "first frame $(((next_time - on_sent) / 1000)) ms after the display came on"
((next_steps == last_steps + 1)) ||
  fail "first frame after the display came on $((next_steps - last_steps)) steps on"

# energy_saving: the frames and steps a second over the next 5 s, and the
# share of a core meanwhile. The time between one frame and the next
# (microseconds) and the steps between them give frames a second by the
# median time between frames, which the busy machine holding a frame up now
# and then leaves alone, and steps a second over the time between frames but
# for stalls (frames more than twice the pace apart), which the storm does
# not make up for.
energy_saving() {
  local from to frame median
  from=$(ask frames)
  saving=$(share 5)
  to=$(ask frames)
  for ((frame = from - 1; frame < to; frame++)); do ask "frame $frame"; done >"$work/frames"
  awk 'NR > 1 { print $2 - time, $1 - steps } { steps = $1; time = $2 }' "$work/frames" >"$work/gaps"
  median=$(sort -n "$work/gaps" | awk '{ gap[NR] = $1 } END { print (NR ? gap[int((NR + 1) / 2)] : 0) }')
  read -r fps steps < <(awk -v median="$median" '$1 <= 66667 { took += $1; stepped += $2 }
    END { printf "%.1f %.1f\n", median ? 1e6 / median : 0, took ? stepped * 1e6 / took : 0 }' \
    "$work/gaps")
}
fps_held() { awk -v x="$fps" 'BEGIN { exit !(x >= 28 && x <= 32) }'; }
steps_held() { awk -v x="$steps" 'BEGIN { exit !(x >= 59 && x <= 61) }'; }

ask "notice energy-saver 1" >/dev/null
sleep 1
# Up to three stretches: a machine busy with much else can starve the
# renderer of the processor for a while, and no pace holds then.
for _ in 1 2 3; do
  energy_saving
  fps_held && steps_held && break
done
fps_held || fail "energy saver: $fps frames a second"
steps_held || fail "energy saver: $steps steps a second"

echo "display off: $off % of a core; energy saver: $fps fps, $steps steps a second, $saving % of a core; normal: $normal % of a core"

# The end of its input closes the storm's window.
input=${seam[1]}
exec {input}>&-
for _ in $(seq 100); do
  kill -0 "$renderer" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$renderer" 2>/dev/null && fail "the renderer did not end when its window was closed"
((failures == 0))
