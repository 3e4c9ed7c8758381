#!/usr/bin/env bash
# music_wine_test.sh PROGRAM: makes a 0.6 s tone as WAV and MP3 (sox, lame)
# in a scratch folder and runs the music player's Wine test on them.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)

work=$(mktemp -d "$PWD/music-wine-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
sox -n -r 44100 -c 2 "$work/tone.wav" synth 0.6 sine 440
lame --quiet "$work/tone.wav" "$work/tone.mp3"

"$here/wine-run.sh" "$1" "$work/tone.wav" "$work/tone.mp3" "$work/missing.mp3"
