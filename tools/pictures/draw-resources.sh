#!/usr/bin/env bash
# tools/pictures/draw-resources.sh [BUILD_DIR]: builds draw_resources in the native tree
# BUILD_DIR (build/native by default) and redraws the saver's built-in
# pictures in saver/resources/.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/native}

# shellcheck source=tools/setup/configure.sh
source "$root/tools/setup/configure.sh"
build_in "$build" draw_resources

mkdir -p "$root/saver/resources"
"$build/tools/pictures/draw_resources" "$root/saver/resources"
ls -l "$root/saver/resources/"*.bmp
