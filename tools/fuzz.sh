#!/usr/bin/env bash
# tools/fuzz.sh SECONDS [BUILD_DIR]: builds the fuzz targets with clang in
# BUILD_DIR (build/fuzz), writes the seed bitmaps and fuzzes the bitmap reader
# for SECONDS. The corpus grows in BUILD_DIR/fuzz-corpus between runs; a
# crashing input lands in BUILD_DIR/fuzz-artifacts and the script fails.
set -euo pipefail

if [[ $# -lt 1 || $# -gt 2 ]]; then
  echo "usage: $0 SECONDS [BUILD_DIR]" >&2
  exit 2
fi
seconds=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${2:-$root/build/fuzz}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DRAIVEL_FUZZ=ON
ninja -C "$build" dib_fuzz dib_fuzz_seeds

seeds=$build/fuzz-seeds
corpus=$build/fuzz-corpus
artifacts=$build/fuzz-artifacts
mkdir -p "$seeds" "$corpus" "$artifacts"
"$build/tests/fuzz/dib_fuzz_seeds" "$seeds"

# New inputs go to the first folder; the seeds are only read.
"$build/tests/fuzz/dib_fuzz" -max_total_time="$seconds" -max_len=4096 \
  -artifact_prefix="$artifacts/" "$corpus" "$seeds"
