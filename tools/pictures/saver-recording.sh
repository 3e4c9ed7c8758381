# shellcheck shell=bash
# Sourced by the scripts that make the README's pictures from a real run,
# after tools/wine/saver-under-wine.sh (its $session, $saver and Wine
# desktop set up).
: "${session:?the Wine session folder is not set}"

# record_saver_run RECORDING WIDTHxHEIGHT SECONDS RATE: records the display
# into RECORDING while the saver runs, from a second before its start, then
# ends the storm; fails when the saver's capture of the desktop is missing.
record_saver_run() {
  ffmpeg -loglevel error -y -f x11grab -draw_mouse 0 -framerate "$4" -video_size "$2" \
    -i "$DISPLAY" -t "$3" -c:v ffv1 "$1" &
  local recorder=$!
  sleep 1
  start_saver
  wait "$recorder"
  end_storm
  check_capture
}

# find_flashes RECORDING: sets the array flashes to the frames of RECORDING where the
# primary monitor's near floor leaps up in brightness.
find_flashes() {
  ffmpeg -loglevel error -i "$1" \
    -vf "crop=1024:200:0:568,signalstats,metadata=print:key=lavfi.signalstats.YAVG:file=$session/brightness.txt" \
    -f null -
  # shellcheck disable=SC2034 # the caller's
  mapfile -t flashes < <(grep -o 'YAVG=[0-9.]*' "$session/brightness.txt" | cut -d= -f2 |
    awk 'NR > 1 && $1 - previous > 30 { print NR - 1 } { previous = $1 }')
}
