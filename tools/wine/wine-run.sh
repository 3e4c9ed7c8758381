#!/usr/bin/env bash
# Runs a Windows program under Wine in a build tree's Wine session: the one
# RAIVEL_WINE_DIR names, or else the one of the build tree around the current
# folder. CMake uses it as the cross build's emulator.
set -uo pipefail

session=${RAIVEL_WINE_DIR:-}
if [[ -z "$session" ]]; then
  dir=$PWD
  while [[ "$dir" != / && ! -f "$dir/CMakeCache.txt" ]]; do dir=$(dirname "$dir"); done
  session=$dir/wine
fi
# shellcheck source=tools/wine/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" "$session"

# Wine's own services, started on demand by the first program, outlive it and
# would keep a caller's pipe open (CTest waits for it to close): the program's
# output goes through files, passed on when it ends.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
exit $status
