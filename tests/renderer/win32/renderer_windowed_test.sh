#!/usr/bin/env bash
# renderer_windowed_test.sh TEST_PROGRAM RENDERER: runs the renderer's
# windowed tests in a Wine session of their own whose 1280x1024 screen cannot
# be switched to 1024x768, so the renderer falls back to a window. The
# session's prefix is a copy of the main session's (RAIVEL_WINE_DIR).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)
main=${RAIVEL_WINE_DIR:?the main Wine session is not set}
large=$main-1280x1024

if [[ ! -f "$large/prefix/system.reg" ]]; then
  rm -rf "$large"
  mkdir -p "$large"
  cp -a "$main/prefix" "$large/prefix"
fi
bash "$here/wine-session.sh" start "$large" 1280x1024 >/dev/null
trap 'bash "$here/wine-session.sh" stop "$large"' EXIT

RAIVEL_WINE_DIR=$large "$here/wine-run.sh" "$1" "$2" --gtest_filter='RendererWindowed.*'
