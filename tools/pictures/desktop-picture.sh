# shellcheck shell=bash
# Sourced: draw_desktop_picture OUT draws a made-up 1024x768 desktop (a
# coloured background, two windows with title bars and text, a taskbar) into
# OUT (any ImageMagick output, e.g. BMP3:desktop.bmp or desktop.png).
draw_desktop_picture() {
  local desktop=(-size 1024x768 gradient:'#2a6f8f-#0e3a5c' -font DejaVu-Sans -pointsize 16)
  window() { # LEFT TOP RIGHT BOTTOM COLOUR TITLE
    local l=$1 t=$2 r=$3 b=$4
    desktop+=(-fill '#d8d8d8' -draw "rectangle $l,$t $r,$b"
      -fill "$5" -draw "rectangle $((l + 3)),$((t + 3)) $((r - 3)),$((t + 24))"
      -fill white -draw "text $((l + 10)),$((t + 19)) '$6'"
      -fill '#fafafa' -draw "rectangle $((l + 6)),$((t + 30)) $((r - 6)),$((b - 6))")
  }
  box() { # COLOUR LEFT,TOP RIGHT,BOTTOM
    desktop+=(-fill "$1" -draw "rectangle $2 $3")
  }
  window 290 380 720 725 '#1f4fa0' 'Notes - Storm log'
  desktop+=(-fill black -pointsize 22)
  local line=440 text
  for text in 'Monday: calm, high clouds.' 'Tuesday: wind from the west.' \
    'Wednesday: thunder at dusk.' 'Thursday: lightning all night.' \
    'Friday: rain, then sun.' 'Saturday: fog.' 'Sunday: storm again!'; do
    desktop+=(-draw "text 310,$line '$text'")
    line=$((line + 40))
  done
  desktop+=(-pointsize 16)
  window 740 280 1010 600 '#a03a1f' 'Pictures'
  box '#4a90c0' 760,320 870,450
  box '#e0b040' 880,320 990,450
  box '#60a050' 760,460 870,590
  box '#c05060' 880,460 990,590
  box '#c0c0c0' 0,730 1023,767
  box '#2050a0' 4,734 90,763
  desktop+=(-fill white -draw "text 22,755 'Start'" -fill black -draw "text 960,755 '21:47'")
  convert "${desktop[@]}" -type TrueColor "$1"
}
