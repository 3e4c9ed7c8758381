#!/usr/bin/env bash
# tools/setup/make-deb.sh BUILD_DIR OUT_DIR: makes raivel's Debian package with
# CPack from the native tree BUILD_DIR (built) into OUT_DIR and prints its
# path. With SOURCE_DATE_EPOCH set, every time in the package is that one.
set -euo pipefail
build=$1
out=$2
umask 022
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log" >&2
  exit 1
}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
echo "$out/raivel_${version}_$(dpkg --print-architecture).deb"
