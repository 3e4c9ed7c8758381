#!/usr/bin/env bash
# tools/pictures/record-storm.sh [OUT.webp]: records a real run of the saver from the
# zip in dist/ (Raivel.scr /s) under Wine on a virtual 1024 x 768 display
# showing a made-up desktop, and makes the README's clip of it, OUT
# (docs/storm.webp): the desktop, the storm's first flash, then the second
# flash (the dark stretch between them left out): 5 s, up to 40 frames a
# second, half size. Fails when the recording holds fewer than two flashes,
# or the clip fewer than 80 frames or 1.5 MB or more.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=${1:-$root/docs/storm.webp}
session=$root/build/record
seconds=30
rate=40
mkdir -p "$session"
trap 'bash "$root/tools/wine/wine-session.sh" stop "$session"' EXIT
bash "$root/tools/wine/wine-session.sh" start "$session" >/dev/null
# shellcheck source=tools/wine/wine-env.sh
source "$root/tools/wine/wine-env.sh" "$session"
# shellcheck source=tools/wine/saver-under-wine.sh
source "$root/tools/wine/saver-under-wine.sh"
# shellcheck source=tools/pictures/saver-recording.sh
source "$root/tools/pictures/saver-recording.sh"
unpack_saver
show_made_up_desktop
hold_wine_desktop

recording=$session/storm.mkv
record_saver_run "$recording" 1024x768 "$seconds" "$rate"
find_flashes "$recording"
if ((${#flashes[@]} < 2)); then
  echo "$0: FAILED: ${#flashes[@]} flash(es) in ${seconds} s of recording" >&2
  exit 1
fi

# A second before each of the first two flashes to one and a half after: the
# desktop before the storm comes with the first, and the fade takes 1.2 s.
# Between them the scene stands still and is left out. The fade moves in
# small steps of light: it is recorded at 40 frames a second, and encoded at
# a quality that keeps each step a frame of its own (the encoder merges a
# frame that it finds no different from the one before).
part() { # FRAME LABEL
  local start=$(($1 > rate ? $1 - rate : 0))
  echo "[0]trim=start_frame=$start:end_frame=$(($1 + 3 * rate / 2)),setpts=PTS-STARTPTS[$2]"
}
mkdir -p "$(dirname "$out")"
ffmpeg -loglevel error -y -i "$recording" -filter_complex \
  "$(part "${flashes[0]}" a);$(part "${flashes[1]}" b);[a][b]concat=n=2,scale=512:-1:flags=lanczos[clip]" \
  -map '[clip]' -c:v libwebp_anim -quality 85 -loop 0 "$out"

bytes=$(stat -c %s "$out")
# Frames that show no change are merged into the one before them.
frames=$(webpmux -info "$out" | sed -n 's/^Number of frames: //p')
echo "$out: flashes at frames ${flashes[0]} and ${flashes[1]} of the recording;" \
  "$frames frames, $bytes bytes"
if ((frames < 80 || bytes >= 1536 * 1024)); then
  echo "$0: FAILED: the clip has fewer than 80 frames, or is 1.5 MB or more" >&2
  exit 1
fi
