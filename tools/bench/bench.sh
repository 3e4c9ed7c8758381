#!/usr/bin/env bash
# tools/bench/bench.sh [BUILD_DIR] [benchmark options]: builds renderer_bench in the
# native build tree BUILD_DIR (build/native), configuring it first if needed,
# and runs it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/native}
shift || true

# shellcheck source=tools/setup/configure.sh
source "$root/tools/setup/configure.sh"
build_in "$build" renderer_bench
"$build/tools/bench/renderer_bench" "$@"
