#!/usr/bin/env bash
# tools/pictures/dialog-screenshots.sh [BUILD_DIR]: the README's pictures of
# the settings dialog, docs/settings-english.png and
# docs/settings-japanese.png, from a real run of settings_dialog_test (built
# in the Windows tree BUILD_DIR, build/windows by default) under Wine, in a
# session of its own: the dialog's screenshot test in English (en_US) and in
# Japanese (ja_JP), the CD chosen with track 7.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/windows}
ninja -C "$build" settings_dialog_test

session=$root/build/dialog-pictures
mkdir -p "$session"
trap 'bash "$root/tools/wine/wine-session.sh" stop "$session"' EXIT
bash "$root/tools/wine/wine-session.sh" start "$session" >/dev/null
export RAIVEL_WINE_DIR=$session

mkdir -p "$root/docs"
for shot in english:en_US.UTF-8:EnglishSettingsDialogTest.EveryControlSpeaksEnglishInFull \
  japanese:ja_JP.UTF-8:SettingsDialogTest.ShowsTheRecordAndLooksAsDesigned; do
  IFS=: read -r name locale test <<<"$shot"
  rm -f "$session/settings_dialog.bmp"
  LANG=$locale LC_ALL=$locale "$root/tools/wine/wine-run.sh" \
    "$build/tests/saver/settings/settings_dialog_test.exe" "Z:${session//\//\\}" \
    "--gtest_filter=$test" >/dev/null
  convert "$session/settings_dialog.bmp" -strip -define png:compression-level=9 \
    "$root/docs/settings-$name.png"
done
ls -l "$root/docs/settings-english.png" "$root/docs/settings-japanese.png"
