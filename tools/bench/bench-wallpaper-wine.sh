#!/usr/bin/env bash
# tools/bench/bench-wallpaper-wine.sh [BUILD_DIR]: the time to make a floor
# from a 3840 x 2160 JPEG wallpaper (a photo-like plasma made with
# ImageMagick), filling and stretched over a 1920 x 1080 primary, as the
# saver makes it where Windows asks for the password on resume
# (wallpaper_probe of the built Windows tree BUILD_DIR, build/windows). Runs
# in a Wine session of its own, in a scratch folder of BUILD_DIR that is
# removed afterwards. RUNS (5) runs each.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
probe=$build/tools/bench/wallpaper_probe.exe
# shellcheck source=tools/bench/bench-session.sh
source "$root/tools/bench/bench-session.sh"
bench_session_start "$build" bench-wallpaper-wine 1920x1080 "$probe"
# shellcheck source=tools/wine/wine-env.sh
source "$root/tools/wine/wine-env.sh" "$session"

convert -size 3840x2160 -seed 7 plasma:steelblue-orange -quality 90 "$session/wallpaper.jpg"
key='HKCU\Control Panel\Desktop'
wine reg add "$key" /v Wallpaper /t REG_SZ /d "Z:${session//\//\\}\\wallpaper.jpg" /f >/dev/null
for style in 10:fill 2:stretch; do
  wine reg add "$key" /v WallpaperStyle /t REG_SZ /d "${style%%:*}" /f >/dev/null
  echo "${style#*:}, a 3840 x 2160 JPEG:"
  bench_run "$probe" "${RUNS:-5}"
  sed 's/^/  /' "$session/probe.out"
  cat "$session/probe.err" >&2
done
