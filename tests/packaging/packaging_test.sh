#!/usr/bin/env bash
# packaging_test.sh INSTALLER ZIP PROBE VERSION OBJDUMP: the packages as a
# Windows user gets them. The zip holds the two programs, without debug
# sections, and the guides in Japanese and English, README.txt and
# README-en.txt, which give the licence; the installer's wizard pictures are
# Raivel's own (7-Zip opens an NSIS installer); Windows' own
# calls read the programs' name and version blocks, and the installer's,
# which names the licence. Then, under Wine in a fresh prefix and display of
# the test's own (the uninstall removes the saver's pictures and changes the
# user's screen saver, which the other tests' session must not see):
# - a silent install puts the programs and their guides, the uninstall entry,
#   the current screen saver and the Start-menu entries in place;
# - the entries start the installed saver: "Raivel" its run, "Raivel
#   settings" its dialog, while which the installer refuses to run;
# - an install over it keeps the user's Raivel.ini;
# - a silent uninstall takes everything away and brings the screen saver
#   chosen before back; a second one keeps the one the user chose since,
#   and a capture folder holding a file of the user's.
set -euo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)
installer=$1
zip=$2
probe=$3
version=$4
objdump=$5
resources=$(cd "$tools/../saver/resources" && pwd)

work=$(mktemp -d "$PWD/packaging-test.XXXXXX")
trap '"$tools/wine/wine-session.sh" stop "$work" >/dev/null 2>&1; rm -rf "$work"' EXIT

# shellcheck source=tests/packaging/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

listing=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
expect "the zip's files" "README-en.txt README.txt Raivel.dll Raivel.scr " "$listing"
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
for program in Raivel.scr Raivel.dll; do
  debug=$("$objdump" -h "$work/zip/$program" | awk '$2 ~ /^\.debug/ { print $2 }' | tr '\n' ' ')
  expect "$program's debug sections" "" "$debug"
done
for guide in README.txt README-en.txt; do
  grep -q '^MIT License' "$work/zip/$guide" || fail "$guide does not give the licence"
done
for picture in modern-wizard.bmp:wizard.bmp modern-header.bmp:header.bmp; do
  7z x -so "$installer" "\$PLUGINSDIR/${picture%:*}" 2>/dev/null | cmp -s - "$resources/${picture#*:}" ||
    fail "the installer's ${picture%:*} is not saver/resources/${picture#*:}"
done

"$tools/wine/wine-session.sh" start "$work" >/dev/null
# shellcheck source=tools/wine/wine-env.sh
source "$tools/wine/wine-env.sh" "$work"
# shellcheck source=tools/wine/installer-wine.sh
source "$tools/wine/installer-wine.sh"

# resources FILE STRING_1 DESCRIPTION: what the probe should read from FILE.
resources() {
  printf '%s\n' "$1: string 1=$2" "$1: file $version.0 product $version.0" \
    "$1: FileDescription=$3" "$1: ProductName=Raivel" "$1: FileVersion=$version" \
    "$1: ProductVersion=$version" "$1: OriginalFilename=$1" \
    "$1: LegalCopyright=Copyright (C) 2026 The Raivel developers"
}
expect "the programs' resources" \
  "$(resources Raivel.scr Raivel "Raivel screen saver" && resources Raivel.dll '(none)' \
    "Raivel storm renderer")" \
  "$(wine "$probe" resources "Z:${work//\//\\}\\zip\\Raivel.scr" \
    "Z:${work//\//\\}\\zip\\Raivel.dll" | tr -d '\r')"
expect "the installer's copyright" \
  "$(basename "$installer"): LegalCopyright=Copyright (C) 2026 The Raivel developers. MIT License." \
  "$(wine "$probe" resources "$(winepath -w "$installer")" | tr -d '\r' | grep LegalCopyright)"

desktop='HKCU\Control Panel\Desktop'
folder_windows="$(windows_variable LOCALAPPDATA)\\Programs\\Raivel"
folder=$(winepath -u "$folder_windows")
start_menu=$(winepath -u "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs")
# The capture folder and the window names: renderer/handoff/handoff.h.
captures=$WINEPREFIX/drive_c/r_mosk

# window TITLE open|gone|close: waits for the window (see packaging_probe.cpp).
window() {
  wine "$probe" window "$@"
}

# The user's screen saver before the install, and screen savers off.
wine reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\before.scr' /f >/dev/null
wine reg add "$desktop" /v ScreenSaveActive /d 0 /f >/dev/null

install_silently "$installer" || fail "install: exit status $?"
for file in Raivel.scr Raivel.dll README.txt README-en.txt; do
  cmp -s "$work/zip/$file" "$folder/$file" || fail "$file not installed in $folder"
done
kilobytes=$(($(cat "$folder"/* | wc -c) / 1024))
expect "the uninstall entry" "DisplayIcon REG_SZ $folder_windows\\Raivel.scr,0
DisplayName REG_SZ Raivel
DisplayVersion REG_SZ $version
EstimatedSize REG_DWORD $(printf '0x%x' "$kilobytes")
InstallLocation REG_SZ $folder_windows
NoModify REG_DWORD 0x1
NoRepair REG_DWORD 0x1
Publisher REG_SZ The Raivel developers
QuietUninstallString REG_SZ \"$folder_windows\\Uninstall.exe\" /S
UninstallString REG_SZ \"$folder_windows\\Uninstall.exe\"" \
  "$(registry_values "$raivel_uninstall_key")"
expect "the current screen saver" "$folder_windows\\Raivel.scr" \
  "$(registry_value "$desktop" SCRNSAVE.EXE)"
expect "screen savers on" 1 "$(registry_value "$desktop" ScreenSaveActive)"

wine start /unix "$start_menu/Raivel.lnk"
window Zandrel_VC open || fail "the Raivel entry shows no storm"
[[ -f "$captures/Zandrel1.bmp" && -f "$captures/Zandrel2.bmp" ]] || fail "no capture files"
{ window Zandrel_VC close && window Zandrel_Main gone; } || fail "the run did not end"

wine start /unix "$start_menu/Raivel settings.lnk"
if window '<Raivel>' open; then
  status=0
  install_silently "$installer" || status=$?
  expect "the install's exit status while the dialog is open" 2 "$status"
  window '<Raivel>' close || fail "the dialog did not close"
else
  fail "the Raivel settings entry shows no dialog"
fi

printf '[Section]\r\nBGM\x8b\xe6\x95\xaa= 1\r\n' >"$folder/Raivel.ini"
cp "$folder/Raivel.ini" "$work/Raivel.ini"
install_silently "$installer" || fail "install over the first: exit status $?"
cmp -s "$work/Raivel.ini" "$folder/Raivel.ini" || fail "Raivel.ini changed by the install over it"

# gone_after_uninstall WHAT: fails for whatever the install made that is still there.
gone_after_uninstall() {
  local path
  for path in "$folder" "$start_menu/Raivel.lnk" "$start_menu/Raivel settings.lnk"; do
    [[ ! -e "$path" ]] || fail "$1: $path is still there"
  done
  for key in "$raivel_uninstall_key" 'HKCU\Software\Raivel'; do
    [[ -z "$(registry_values "$key")" ]] || fail "$1: $key is still there"
  done
}

uninstall_silently || fail "uninstall did not end"
gone_after_uninstall "uninstall"
[[ ! -e "$captures" ]] || fail "capture folder still there: $(ls "$captures")"
expect "the screen saver after the uninstall" 'C:\windows\system32\before.scr' \
  "$(registry_value "$desktop" SCRNSAVE.EXE)"

install_silently "$installer" || fail "second install: exit status $?"
wine reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\since.scr' /f >/dev/null
mkdir -p "$captures"
touch "$captures/Zandrel1.bmp" "$captures/Zandrel2.bmp" "$captures/notes.txt"
uninstall_silently || fail "second uninstall did not end"
gone_after_uninstall "second uninstall"
expect "the capture folder after the second uninstall" notes.txt "$(ls "$captures")"
expect "the screen saver chosen after the second install" 'C:\windows\system32\since.scr' \
  "$(registry_value "$desktop" SCRNSAVE.EXE)"

((failures == 0))
