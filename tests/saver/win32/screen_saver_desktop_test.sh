#!/usr/bin/env bash
# screen_saver_desktop_test.sh SAVER RENDERER: Raivel.scr /s on a desktop
# named "Screen-saver", where Windows runs a saver that asks for the
# password on resume and where no window of the user's shows. With a
# wallpaper set in the registry, the floor is that wallpaper placed by its
# style (stretched, tiled, centred), or Windows' copy of it when the listed
# file is gone; with none, or one missing, damaged or too large, the floor is
# the desktop's background colour, and the storm runs on. Each run is
# checked in the desktop picture it wrote (exact colours at known places,
# mirrored) and in a screenshot of its storm (the near floor's colour).
# It runs in a Wine session of its own, its prefix a copy of the main
# session's: a desktop of Wine's own leaves display settings behind that keep
# later programs from changing the display mode.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)
main=${RAIVEL_WINE_DIR:?the main Wine session is not set}
session=$main-screen-saver
if [[ ! -f "$session/prefix/system.reg" ]]; then
  rm -rf "$session"
  mkdir -p "$session"
  cp -a "$main/prefix" "$session/prefix"
fi
bash "$here/wine-session.sh" start "$session" >/dev/null
# shellcheck source=tools/wine/wine-env.sh
source "$here/wine-env.sh" "$session"

work=$(mktemp -d "$PWD/screen-saver-desktop-test.XXXXXX")
# The capture picture and the window's name: renderer/handoff/handoff.h.
desktop_picture=$WINEPREFIX/drive_c/r_mosk/Zandrel2.bmp
windows_copy=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Themes/TranscodedWallpaper
cp "$1" "$work/Raivel.scr"
cp "$2" "$work/Raivel.dll"
started=""
desktop_key='HKCU\Control Panel\Desktop'
colours_key='HKCU\Control Panel\Colors'
# Wine's services that a first program starts outlive it: nothing of ours
# may stay open in them (CTest waits for its output to close).
registry() { wine reg "$@" </dev/null >/dev/null 2>&1; }
cleanup() {
  [[ -z "$started" ]] || kill -- -"$started" 2>/dev/null || true
  rm -f "$windows_copy"
  bash "$here/wine-session.sh" stop "$session"
  rm -rf "$work"
}
trap cleanup EXIT
windows() { local path=$1 && echo "Z:${path//\//\\}"; }

# The wallpaper: a 256 x 192 picture, its top half red on the left and
# yellow on the right, its bottom half lime; the background dark blue.
convert -size 128x96 xc:red -size 128x96 xc:yellow +append -size 256x96 xc:lime -append \
  -type TrueColor "$work/wallpaper.png"
head -c 4096 /dev/urandom | cat <(printf '\xff\xd8\xff\xe0') - >"$work/damaged.jpg"
# 6000 x 6000 red pixels, past the 2^25 that are decoded; a small file.
python3 - "$work/oversized.png" <<'PNG'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
side = 6000
rows = zlib.compress((b"\0" + b"\0" * (side // 8)) * side, 9)
with open(sys.argv[1], "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 1, 3, 0, 0, 0))
              + chunk(b"PLTE", b"\xff\x00\x00") + chunk(b"IDAT", rows) + chunk(b"IEND", b""))
PNG
# The saver makes the capture folder its user's own.
rm -rf "$(dirname "$desktop_picture")"
registry add "$colours_key" /v Background /t REG_SZ /d '0 0 200' /f
background=0000C8

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# The colour of the desktop picture at x,y, as RRGGBB.
colour_at() { convert "$desktop_picture" -format "%[hex:p{$1}]" info: 2>/dev/null || echo none; }
# Which of red, green and blue leads in a colour or a region of a screenshot.
leader() {
  local red=$((16#${1:0:2})) green=$((16#${1:2:2})) blue=$((16#${1:4:2}))
  if ((red > green + 20 && red > blue + 20)); then
    echo red
  elif ((green > red + 20 && green > blue + 20)); then
    echo green
  elif ((blue > red + 20 && blue > green + 20)); then
    echo blue
  else
    echo none
  fi
}

# run NAME PICTURE STYLE TILE X,Y=RRGGBB...: sets the wallpaper (a path, or
# empty for none) and its style, runs the saver on the Screen-saver desktop,
# checks that its storm runs for two seconds, the desktop picture at each
# X,Y and the storm's floor, then ends it with Escape.
run() {
  local name=$1 picture=$2 style=$3 tile=$4
  shift 4
  registry add "$desktop_key" /v Wallpaper /t REG_SZ /d "$picture" /f
  registry add "$desktop_key" /v WallpaperStyle /t REG_SZ /d "$style" /f
  registry add "$desktop_key" /v TileWallpaper /t REG_SZ /d "$tile" /f
  rm -f "$desktop_picture"
  setsid wine explorer /desktop=Screen-saver,1024x768 "$(windows "$work/Raivel.scr")" /s \
    </dev/null >"$work/$name.log" 2>&1 &
  started=$!
  local why
  if ! why=$(await_storm "$started" 20); then
    fail "$name: $why"
  else
    sleep 2
    xdotool search --name '^Zandrel_VC$' >/dev/null 2>&1 || fail "$name: the storm ended by itself"
    local check place want got
    for check in "$@"; do
      place=${check%=*} want=${check#*=}
      got=$(colour_at "$place")
      [[ $got == "$want" ]] || fail "$name: the desktop picture at $place is $got, not $want"
    done
    # The near floor shows the bottom of the picture's middle, dimmed, once
    # the storm's first frame is up, which a busy machine may hold back
    # (10 s at most).
    want=$(leader "$(colour_at 512,740)")
    for _ in $(seq 20); do
      import -window root "$work/$name.png"
      got=$(leader "$(convert "$work/$name.png" -crop 400x40+312+720 +repage -scale 1x1 \
        -format '%[hex:p{0,0}]' info:)")
      [[ $got == "$want" ]] && break
      sleep 0.5
    done
    echo "$name: the near floor is $got, the picture's bottom middle $want"
    [[ $got == "$want" && $got != none ]] || fail "$name: the storm's floor is $got, not $want"
    hold_escape_until_gone "$started" 10 || fail "$name: still running ten seconds after Escape"
  fi
  kill -- -"$started" 2>/dev/null || true
  started=""
}

wallpaper=$(windows "$work/wallpaper.png")
# Mirrored: the picture's x is 1023 - x on the screen.
run stretch "$wallpaper" 2 0 100,100=FFFF00 900,100=FF0000 100,380=FFFF00 100,388=00FF00
# Tiles from the top-left corner: 256 wide, 192 high.
run tile "$wallpaper" 0 1 959,10=FF0000 831,10=FFFF00 10,100=00FF00 10,200=FFFF00
# At 384,288 to 640,480 on the screen.
run center "$wallpaper" 0 0 100,100=$background 580,300=FF0000 450,300=FFFF00 512,470=00FF00
run none "" 2 0 100,100=$background 512,700=$background
run damaged "$(windows "$work/damaged.jpg")" 2 0 512,700=$background
run oversized "$(windows "$work/oversized.png")" 2 0 512,700=$background
run missing "$(windows "$work/gone.png")" 2 0 512,700=$background
mkdir -p "$(dirname "$windows_copy")"
cp "$work/wallpaper.png" "$windows_copy"
run windows-copy "$(windows "$work/gone.png")" 2 0 100,100=FFFF00 512,700=00FF00

((failures == 0))
