#!/usr/bin/env bash
# tools/bench/bench-install-wine.sh [BUILD_DIR]: prints the sizes of the installer
# and the zip built in BUILD_DIR (build/windows) and of the programs in them
# (stripped) and as built, then installs and uninstalls silently under Wine
# three times and prints how long each took (the uninstall until its last
# step, the install folder's removal, is done).
# Everything runs in a Wine session of its own, in a scratch folder of
# BUILD_DIR that is removed afterwards.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
installer=$(find "$build/packaging" -maxdepth 1 -name 'Raivel-*-setup.exe' 2>/dev/null | head -n 1)
zip=$(find "$build/packaging" -maxdepth 1 -name 'Raivel-*-win64.zip' 2>/dev/null | head -n 1)
# shellcheck source=tools/bench/bench-session.sh
source "$root/tools/bench/bench-session.sh"
bench_session_start "$build" bench-install-wine 1024x768 "${installer:-installer}" "${zip:-zip}"
# shellcheck source=tools/wine/wine-env.sh
source "$root/tools/wine/wine-env.sh" "$session"
# shellcheck source=tools/wine/installer-wine.sh
source "$root/tools/wine/installer-wine.sh"

for package in "$installer" "$zip"; do
  echo "$(basename "$package"): $(stat -c %s "$package") bytes"
done
# The programs as the packages ship them (stripped) and as built.
for program in saver/Raivel.scr renderer/win32/Raivel.dll; do
  echo "${program##*/}: $(stat -c %s "$build/packaging/shipped/${program##*/}") bytes shipped," \
    "$(stat -c %s "$build/$program") bytes as built"
done

milliseconds() { date +%s%3N; }
for round in 1 2 3; do
  start=$(milliseconds)
  install_silently "$installer" >/dev/null
  installed=$(milliseconds)
  uninstall_silently
  echo "round $round: install $((installed - start)) ms, uninstall $(($(milliseconds) - installed)) ms"
done
