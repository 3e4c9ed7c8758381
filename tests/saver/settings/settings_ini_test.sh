#!/usr/bin/env bash
# settings_ini_test.sh PROBE: the settings file written and read by Windows'
# own profile functions under Wine, with the system code page at 932
# (Japanese) and at 1252: each writes the keys as the same Shift-JIS bytes,
# and each reads the other's file back.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine" && pwd)
probe=$1

work=$(mktemp -d "$PWD/settings-ini-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# Runs the probe under a locale; the folder goes over as a Windows path.
run() { # run LANG STEP FOLDER
  LANG=$1 LC_ALL=$1 "$here/wine-run.sh" "$probe" "$2" "Z:${3//\//\\}" | tr -d '\r'
}

for locale in ja_JP.UTF-8 en_US.UTF-8; do
  folder=$work/$locale
  mkdir -p "$folder"
  : >"$folder/rain.wav"
  output=$(run "$locale" write "$folder")
  echo "$locale: $output"
  expected_page=$([[ $locale == ja* ]] && echo 932 || echo 1252)
  [[ "$output" == "code page $expected_page" ]] || fail "$locale: code page: $output"

  ini=$folder/Raivel.ini
  # Keys in order, as Shift-JIS bytes; Wine drops the blank before a number.
  expected=$(printf '[Section]\nBGM\x8b\xe6\x95\xaa=2\nBGM\xd8\xcb\xdf\xb0\xc4=12\nBGM\xcc\xa7\xb2\xd9=Z:%s\\rain.wav\n' \
    "${folder//\//\\}")
  actual=$(tr -d '\r' <"$ini")
  if [[ "$actual" != "$expected" ]]; then
    fail "$locale: file bytes differ"
    od -An -tx1 "$ini"
  fi
done

# Each reads the other's file.
for pair in "ja_JP.UTF-8 en_US.UTF-8" "en_US.UTF-8 ja_JP.UTF-8"; do
  read -r reader writer <<<"$pair"
  folder=$work/$writer
  windows=Z:${folder//\//\\}
  output=$(run "$reader" read "$folder" | tail -n 1)
  echo "$reader reads $writer's file: $output"
  [[ "$output" == "kind 2 repeat 12 file $windows\\rain.wav folder $windows" ]] ||
    fail "$reader reading $writer's file: $output"
done

((failures == 0))
