#!/usr/bin/env bash
# The main job on a fresh Debian 12 machine (as root): installs what is
# missing, builds the Windows programs and puts what a Windows user gets in
# dist/ (the installer and the zip), then what a Linux user gets beside them
# (raivel_<version>_amd64.deb, from the native tree), nothing else; then runs
# the saver from the zip under Wine (tools/run-saver.sh: on the user's
# display, or on a virtual one with screenshots saved in
# build/run/screenshots/).
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
bash "$here/install-deps.sh"
# shellcheck source=tools/configure.sh
source "$here/configure.sh"

build_windows
rm -rf "$root/dist"
cmake --install "$root/build/windows" --prefix "$root/dist" --component packages

# The Debian package, from the native tree.
build_in "$root/build/native" deb_files
cp "$(bash "$here/make-deb.sh" "$root/build/native" "$root/build/native/deb")" "$root/dist/"

echo "built into $root/dist:"
ls -l "$root/dist"
bash "$here/run-saver.sh"
