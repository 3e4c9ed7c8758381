#!/usr/bin/env bash
# deb_test.sh MAKE_DEB BUILD_DIR VERSION: raivel's Debian package as a Linux
# user gets it, made from the native tree by MAKE_DEB (tools/setup/make-deb.sh):
# - its name, exactly the files it holds, its control fields;
# - lintian finds no error and no warning;
# - run as root on a machine where raivel is not installed, apt-get installs
#   it (the link /usr/bin/raivel runs the hack) and removes it without a
#   trace. The package is removed on every way out, so that the test never
#   leaves it behind.
set -uo pipefail
make_deb=$1
build=$2
version=$3

work=$(mktemp -d)
installed=no
apt() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=120 "$@"; }
cleanup() {
  if [[ $installed == yes ]]; then
    apt remove raivel >/dev/null 2>&1 || dpkg --purge raivel
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# shellcheck source=tests/packaging/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

deb=$(bash "$make_deb" "$build" "$work/deb") || exit 1
expect "the package's name" "raivel_${version}_amd64.deb" "$(basename "$deb")"

paths="/usr/bin/raivel
/usr/libexec/xscreensaver/raivel
/usr/share/doc/raivel/changelog.gz
/usr/share/doc/raivel/copyright
/usr/share/man/man6/raivel.6.gz
/usr/share/xscreensaver/config/raivel.xml"
# Every entry but the folders, as "path" or "path -> target".
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +\./, ""); print }')
expect "the package's files" "${paths/raivel$'\n'/raivel -> ../libexec/xscreensaver/raivel$'\n'}" "$files"

field() { dpkg-deb -f "$deb" "$1"; }
expect "Section, Priority, Recommends" "x11 optional xscreensaver" \
  "$(field Section) $(field Priority) $(field Recommends)"
depends=$(field Depends)
[[ $depends == *libc6* && $depends == *libx11-6* && $depends == *libglx0* ]] ||
  fail "Depends should name the libraries dpkg-shlibdeps finds: [$depends]"

lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
  fail "lintian: $(grep -v '^running with root' "$work/lintian.log")"

if [[ $(id -u) -ne 0 ]]; then
  echo "not checked: installing and removing the package (needs root)"
elif dpkg-query -W -f='${Status}' raivel 2>/dev/null | grep -q 'ok installed'; then
  echo "not checked: installing and removing the package (raivel is installed here already)"
else
  installed=yes
  apt install "$deb" >"$work/apt.log" 2>&1 || fail "apt-get install: $(cat "$work/apt.log")"
  for path in $paths; do
    [[ -e $path ]] || fail "installed: $path is missing"
  done
  mkdir "$work/home"
  HOME=$work/home raivel --add-to-xscreensaver >/dev/null &&
    grep -q 'raivel --root' "$work/home/.xscreensaver" || fail "the installed raivel does not run"
  if apt remove raivel >"$work/apt.log" 2>&1; then
    installed=no
  else
    fail "apt-get remove: $(cat "$work/apt.log")"
  fi
  for path in $paths; do
    [[ -e $path || -L $path ]] && fail "removed: $path is still there"
  done
  dpkg-query -W -f='${Status}' raivel 2>/dev/null | grep -q 'ok installed' &&
    fail "removed: dpkg still lists raivel"
fi

((failures == 0))
