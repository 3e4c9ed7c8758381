#!/usr/bin/env bash
# run_form_test.sh PROGRAM SAVER RENDERER SLOW_RENDERER PREVIEW.bmp [GTEST_OPTIONS...]
# Makes scratch program folders, each with a copy of Raivel.scr and, as
# the case needs, the renderer or the slow stand-in as Raivel.dll and a
# Raivel.ini that picks a music file (a 0.5 s tone as WAV and MP3, made with
# sox and lame, or a MIDI file), and runs the run form's Wine test on them.
# Then it reads Wine's cursor trace of the runs the test marked: a run with
# "/s" hides the cursor at its start and shows it again at its end, a run
# without a switch leaves it alone.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)
session=${RAIVEL_WINE_DIR:?the Wine session is not set}
program=$1
saver=$2
renderer=$3
slow_renderer=$4
preview=$5

work=$(mktemp -d "$PWD/run-form-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

windows() { local path=$1 && echo "Z:${path//\//\\}"; }

sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 0.5 sine 440
lame --quiet "$work/tone.wav" "$work/tone.Mp3"
# One note.
printf '\x4d\x54\x68\x64\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60\x4d\x54\x72\x6b\x00\x00\x00\x0c\x00\x90\x3c\x40\x60\x80\x3c\x00\x00\xff\x2f\x00' >"$work/tone.mid"

# program_folder NAME RENDERER|- [MUSIC_FILE]: the saver and the renderer
# under the names renderer/handoff/handoff.h gives them.
program_folder() {
  local folder=$work/$1
  mkdir -p "$folder"
  cp "$saver" "$folder/Raivel.scr"
  [[ $2 == - ]] || cp "$2" "$folder/Raivel.dll"
  if (($# > 2)); then
    # As the saver writes it: Shift-JIS keys, a blank before a number.
    printf '[Section]\r\nBGM\x8b\xe6\x95\xaa= 2\r\nBGM\xd8\xcb\xdf\xb0\xc4= 0\r\nBGM\xcc\xa7\xb2\xd9=%s\r\n' \
      "$(windows "$3")" >"$folder/Raivel.ini"
  fi
}
program_folder full "$renderer"
program_folder wav "$renderer" "$work/tone.wav"
program_folder mp3 "$renderer" "$work/tone.Mp3"
program_folder midi "$renderer" "$work/tone.mid"
program_folder slow "$slow_renderer"
program_folder missing -

status=0
"$here/wine-run.sh" "$program" "$(windows "$work")" "$(windows "$session/sound.raw")" \
  "$(windows "$preview")" "${@:6}" >"$work/out.log" 2>"$work/err.log" || status=$?
tr -d '\r' <"$work/out.log" | grep -v '^cursor-trace ' || true
grep -av ':trace:cursor:' "$work/err.log" >&2 || true

# ShowCursor calls of one process, from the trace: "MS SHOW" lines, MS the
# tick count, SHOW 1 to show and 0 to hide.
show_cursor_calls() {
  sed -nE "s/^ *([0-9]+)\.([0-9]{3}):$1:[0-9a-f]+:trace:cursor:NtUserShowCursor ([01]), .*/\1\2 \3/p" \
    "$work/err.log"
}

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
while read -r _ kind pid from to; do
  calls=$(show_cursor_calls "$pid")
  summary=${calls//$'\n'/, }
  echo "$kind process $pid, run end between ticks $from and $to; ShowCursor calls (tick, show):" \
    "${summary:-none}"
  if [[ $kind == none ]]; then
    [[ -z "$calls" ]] || fail "$pid: ShowCursor called without the /s switch"
    continue
  fi
  read -r _ first_show <<<"$(head -n 1 <<<"$calls")"
  read -r last_ms last_show <<<"$(tail -n 1 <<<"$calls")"
  [[ ${first_show:-} == 0 ]] || fail "$pid: the cursor was not hidden at the start"
  [[ ${last_show:-} == 1 ]] || fail "$pid: the cursor was not shown again at the end"
  ((10#${last_ms:-0} >= from && 10#${last_ms:-0} <= to)) ||
    fail "$pid: cursor shown at tick ${last_ms:-none}, not between $from and $to"
done < <(tr -d '\r' <"$work/out.log" | grep '^cursor-trace ')

((status == 0 && failures == 0))
