#!/usr/bin/env bash
# tools/pictures/readme-screenshots.sh [BUILD_DIR]: draws a cloud picture and a made-up
# desktop with ImageMagick, renders the scene from them with scene_snapshot
# (built in the native tree BUILD_DIR, build/native by default) and writes
# docs/scene-flash.png (frame 1, the flash) and docs/scene-dark.png (frame 300).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/native}

# shellcheck source=tools/setup/configure.sh
source "$root/tools/setup/configure.sh"
build_in "$build" scene_snapshot

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Dark blue-grey clouds.
convert -seed 7 -size 128x128 plasma:grey40-grey10 -blur 0x3 -colorspace Gray \
  -fill '#1c2a44' -tint 100 -modulate 90,60 -type TrueColor "BMP3:$work/cloud.bmp"

# shellcheck source=tools/pictures/desktop-picture.sh
source "$root/tools/pictures/desktop-picture.sh"
draw_desktop_picture "BMP3:$work/desktop.bmp"

mkdir -p "$root/docs"
for shot in flash:1 dark:300; do
  "$build/tools/pictures/scene_snapshot" "$work/cloud.bmp" "$work/desktop.bmp" "${shot#*:}" "$work/shot.ppm"
  convert "$work/shot.ppm" -strip -define png:compression-level=9 "$root/docs/scene-${shot%%:*}.png"
done
ls -l "$root/docs/scene-flash.png" "$root/docs/scene-dark.png"
