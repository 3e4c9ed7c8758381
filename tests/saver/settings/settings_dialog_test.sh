#!/usr/bin/env bash
# settings_dialog_test.sh PROGRAM [GTEST_OPTIONS...]
# Runs the settings dialog's Wine test in Japanese under the code pages 1252
# and 932 and in English, with the session's stand-ins for Windows' Japanese
# fonts. Wine takes the display language from LC_MESSAGES and the code page
# from LC_CTYPE. The runs hand the settings file over from Japanese to
# English and back. Screenshots of the dialog stay in settings_dialog_test/
# (ja-1252.png, en-1252.png, ja-932.png) beside the build's tests.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)
program=$1

output=$PWD/settings_dialog_test
mkdir -p "$output"
rm -f "$output/handover.ini"

status=0
for run in "ja-1252 C.UTF-8 ja_JP.UTF-8" "en-1252 en_US.UTF-8 en_US.UTF-8" \
  "ja-932 ja_JP.UTF-8 ja_JP.UTF-8"; do
  read -r name ctype messages <<<"$run"
  echo "$name (LC_CTYPE $ctype, LC_MESSAGES $messages)"
  rm -f "$output/settings_dialog.bmp"
  env -u LC_ALL LANG="$ctype" LC_MESSAGES="$messages" \
    "$here/wine-run.sh" "$program" "Z:${output//\//\\}" "${@:2}" || status=1
  if [[ -f "$output/settings_dialog.bmp" ]]; then
    convert "$output/settings_dialog.bmp" "$output/$name.png"
    rm -f "$output/settings_dialog.bmp"
    echo "screenshot: $output/$name.png"
  fi
done
exit $status
