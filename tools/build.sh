#!/usr/bin/env bash
# The main job on a fresh Debian 12 machine (as root): installs what is
# missing, builds the Windows programs and puts what a Windows user gets in
# dist/ (the installer and the zip), then what a Linux user gets beside them
# (raivel_<version>_amd64.deb, from the native tree), with their checksums
# (SHA256SUMS), and the page that shows the storm in a browser (dist/web,
# from the Emscripten tree), nothing else; then runs the saver from the zip
# under Wine (tools/run-saver.sh: on the user's display, or on a virtual one
# with screenshots saved in build/run/screenshots/).
#
# The packages are reproducible: one commit gives the same bytes in dist/
# wherever and whenever it is built (tools/check-reproducible.sh checks it),
# following the reproducible-builds conventions: files made with the same
# permissions, times in UTC, messages and sort order in the C locale, and
# every date in the packages SOURCE_DATE_EPOCH, the commit's time unless
# given.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
bash "$here/setup/install-deps.sh"
# shellcheck source=tools/setup/configure.sh
source "$here/setup/configure.sh"

umask 022
export TZ=UTC LC_ALL=C
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) ||
    echo "build.sh: not a git checkout; set SOURCE_DATE_EPOCH for reproducible packages" >&2
fi
[[ -z "${SOURCE_DATE_EPOCH:-}" ]] || export SOURCE_DATE_EPOCH

build_windows
rm -rf "$root/dist"
cmake --install "$root/build/windows" --prefix "$root/dist" --component packages

# The Debian package, from the native tree.
build_in "$root/build/native" deb_files
cp "$(bash "$here/setup/make-deb.sh" "$root/build/native" "$root/build/native/deb")" "$root/dist/"

# The page for browsers: a folder to serve as it is, not a download, so it
# stands beside the packages without a checksum.
build_web
cmake --install "$root/build/web" --prefix "$root/dist" --component web

# Every package with its SHA-256, in sha256sum's format: users check their
# download against it (the README says how).
(
  cd "$root/dist"
  packages=()
  for file in *; do
    [[ -f "$file" && "$file" != SHA256SUMS ]] && packages+=("$file")
  done
  sha256sum -- "${packages[@]}" >SHA256SUMS
)
echo "built into $root/dist:"
ls -l "$root/dist"
bash "$here/run-saver.sh"
