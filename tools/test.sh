#!/usr/bin/env bash
# Everything a fresh Debian 12 machine (as root) needs to check the project:
# installs what is missing, builds the trees, runs every native test, the
# page's tests in headless chromium and every test under Wine, then fuzzes
# every parser briefly (about a minute in all).
set -uo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
bash "$here/setup/install-deps.sh" || exit 1
# shellcheck source=tools/setup/configure.sh
source "$here/setup/configure.sh"

status=0
echo "== native build and tests"
build_native || exit 1
(cd "$root/build/native" && ctest --output-on-failure -j2) || status=1

echo "== the page for browsers and its tests in headless chromium"
build_web || exit 1
(cd "$root/build/web" && ctest --output-on-failure) || status=1

echo "== Windows build and tests under Wine"
build_windows || exit 1
(cd "$root/build/windows" && ctest --output-on-failure -j2 --timeout 600) || status=1

echo "== fuzzing the parsers"
bash "$here/fuzz.sh" "${RAIVEL_FUZZ_SECONDS:-60}" || status=1

exit $status
