#!/usr/bin/env bash
# bmp2ppm_test.sh COMMAND...: runs the bmp2ppm program that COMMAND names (with
# the emulator in front in the cross build) on pictures ImageMagick writes, and
# compares its output with ImageMagick's own reading of them.
set -euo pipefail

work=$(mktemp -d "$PWD/bmp2ppm-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

failures=0
check() {
  local name=$1
  shift
  convert "$@" "BMP3:$name.bmp"
  convert "$name.bmp" -depth 8 "$name.expected.ppm"
  if "${bmp2ppm[@]}" "$name.bmp" "$name.ppm" && cmp -s "$name.ppm" "$name.expected.ppm"; then
    echo "ok: $name"
  else
    echo "FAILED: $name"
    failures=$((failures + 1))
  fi
}

bmp2ppm=("$@")
check rgb24 -size 37x23 gradient:red-blue -type TrueColor
check palette8 -size 30x17 plasma:fractal -seed 7 -colors 200 -type Palette
check gray1 -size 21x9 pattern:checkerboard -type Bilevel

# A file cut inside its header: the loader's message on standard error (with
# Windows line ends from the cross build), exit status 1.
head -c 40 rgb24.bmp >cut.bmp
if "${bmp2ppm[@]}" cut.bmp cut.ppm 2>cut.out; then
  echo "FAILED: damaged file accepted"
  failures=$((failures + 1))
elif tr -d '\r' <cut.out | grep -qx "Unknown DIB file format."; then
  echo "ok: damaged file refused"
else
  echo "FAILED: damaged file gave: $(cat cut.out)"
  failures=$((failures + 1))
fi

exit $((failures > 0))
