#!/usr/bin/env bash
# settings_dialog_test.sh PROGRAM [GTEST_OPTIONS...]
# Runs the settings dialog's Wine test under the code pages 1252 and 932,
# with the session's stand-ins for Windows' Japanese fonts. Screenshots of
# the dialog stay in settings_dialog_test/ (CODEPAGE.png) beside the build's
# tests.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)
program=$1

output=$PWD/settings_dialog_test
mkdir -p "$output"

status=0
for pair in "1252 en_US.UTF-8" "932 ja_JP.UTF-8"; do
  read -r page locale <<<"$pair"
  echo "code page $page ($locale)"
  rm -f "$output/settings_dialog.bmp"
  LANG=$locale LC_ALL=$locale "$here/wine-run.sh" "$program" "Z:${output//\//\\}" "${@:2}" ||
    status=1
  if [[ -f "$output/settings_dialog.bmp" ]]; then
    convert "$output/settings_dialog.bmp" "$output/$page.png"
    rm -f "$output/settings_dialog.bmp"
    echo "screenshot: $output/$page.png"
  fi
done
exit $status
