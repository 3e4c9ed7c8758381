#!/usr/bin/env bash
# tools/pictures/two-monitors.sh [OUT.png]: a real run of the saver
# (Raivel.scr /s with Raivel.dll beside it, as built in build/windows) under
# Wine on two monitors, the 1024 x 768 primary and an 800 x 768 monitor right
# of it, each showing a made-up desktop of its own, and the README's picture
# of it, OUT (docs/two-monitors.png): the desktops before the run above, both
# monitors at the storm's second flash below, half size. Fails when the
# recording holds no flash after the first one.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=${1:-$root/docs/two-monitors.png}
session=$root/build/two-monitors
rate=10
mkdir -p "$session"
trap 'bash "$root/tools/wine/wine-session.sh" stop "$session"' EXIT
# shellcheck source=tools/wine/two_monitors.sh
source "$root/tools/wine/two_monitors.sh"
two_monitor_session "$session" right 768
# shellcheck source=tools/wine/saver-under-wine.sh
source "$root/tools/wine/saver-under-wine.sh"
# shellcheck source=tools/pictures/saver-recording.sh
source "$root/tools/pictures/saver-recording.sh"
mkdir -p "$session/Raivel"
cp "$root/build/windows/saver/win32/Raivel.scr" "$root/build/windows/renderer/win32/Raivel.dll" \
  "$session/Raivel/"
saver=$session/Raivel/Raivel.scr

# The primary's made-up desktop, and another beside it: a spreadsheet on a
# violet background.
# shellcheck source=tools/pictures/desktop-picture.sh
source "$root/tools/pictures/desktop-picture.sh"
draw_desktop_picture "$session/primary.png"
other=(-size 800x768 gradient:'#6a4f9f-#2e1a4c' -font DejaVu-Sans -pointsize 16
  -fill '#d8d8d8' -draw 'rectangle 90,140 700,600' -fill '#2f7a3a' -draw 'rectangle 93,143 697,164'
  -fill white -draw "text 100,159 'Sheet - Rain by month'" -fill '#fafafa' -draw 'rectangle 96,170 694,594')
for row in $(seq 0 10); do
  other+=(-fill '#b0b0b0' -draw "line 96,$((200 + row * 36)) 694,$((200 + row * 36))")
done
other+=(-fill '#3070c0' -draw 'rectangle 420,420 460,560' -fill '#3070c0' -draw 'rectangle 480,360 520,560'
  -fill '#3070c0' -draw 'rectangle 540,300 580,560' -fill '#3070c0' -draw 'rectangle 600,390 640,560')
convert "${other[@]}" -type TrueColor "$session/other.png"
convert "$session/primary.png" "$session/other.png" +append "$session/desktops.png"
display -window root "$session/desktops.png" &
sleep 1
kill $! 2>/dev/null || true
hold_wine_desktop

recording=$session/run.mkv
record_saver_run "$recording" 1824x768 30 "$rate"
find_flashes "$recording"
if ((${#flashes[@]} < 2)); then
  echo "$0: FAILED: no second flash in the recording" >&2
  exit 1
fi
ffmpeg -loglevel error -y -i "$recording" -vf "select=eq(n\,${flashes[1]})" -frames:v 1 \
  "$session/flash.png"
mkdir -p "$(dirname "$out")"
convert "$session/desktops.png" "$session/flash.png" -resize 50% -background black -splice 0x4 \
  -append -chop 0x4 -strip "$out"
echo "$out: the second flash at frame ${flashes[1]} of the recording, $(stat -c %s "$out") bytes"
