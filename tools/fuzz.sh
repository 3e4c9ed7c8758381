#!/usr/bin/env bash
# tools/fuzz.sh SECONDS [TARGET] [BUILD_DIR]: builds the fuzz targets with
# clang in BUILD_DIR (build/fuzz; a path with a slash in it, such as ./fuzz,
# to be told from a target's name) and fuzzes TARGET for SECONDS, or every
# target for SECONDS in all, split evenly. The targets: dib (the bitmap
# reader), xscreensaver_file (the edit of ~/.xscreensaver), command_line (the
# saver's), raivel_options and number_text (the settings file's numbers),
# png_shrinker (the page's decoder of a large PNG's rows), inflater (the
# page's inflater, against the system's zlib).
# Each has a corpus folder, BUILD_DIR/fuzz-corpus/TARGET, that grows between
# runs, and seeds written by code in BUILD_DIR/fuzz-seeds/TARGET; an input
# that breaks a target lands in BUILD_DIR/fuzz-artifacts/TARGET and the
# script fails. The runs and the time of each target are printed at its end.
set -euo pipefail

targets=(dib xscreensaver_file command_line raivel_options number_text png_shrinker inflater)
usage() {
  echo "usage: $0 SECONDS [dib|xscreensaver_file|command_line|raivel_options|number_text|png_shrinker|inflater] [BUILD_DIR]" >&2
  exit 2
}
[[ $# -ge 1 && $# -le 3 && $1 =~ ^[0-9]+$ ]] || usage
seconds=$1
chosen=("${targets[@]}")
if [[ $# -ge 2 && " ${targets[*]} " == *" $2 "* ]]; then
  chosen=("$2")
  shift
elif [[ $# -ge 2 && ($# -eq 3 || $2 != */*) ]]; then
  echo "$0: no fuzz target \"$2\"; the targets: ${targets[*]}" >&2
  exit 2
fi
[[ $# -le 2 ]] || usage
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${2:-$root/build/fuzz}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAIVEL_FUZZ=ON >/dev/null
ninja -C "$build" "${chosen[@]/%/_fuzz}" dib_fuzz_seeds fuzz_seeds

# A short quarantine and no filling of fresh blocks: the targets allocate a
# lot, and the address checks stay.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=8:max_malloc_fill_size=0}

# Each target's share of the time, at least one second.
share=$((seconds / ${#chosen[@]}))
((share > 0)) || share=1
status=0
for target in "${chosen[@]}"; do
  seeds=$build/fuzz-seeds/$target
  corpus=$build/fuzz-corpus/$target
  artifacts=$build/fuzz-artifacts/$target
  mkdir -p "$seeds" "$corpus" "$artifacts"
  if [[ $target == dib ]]; then
    "$build/tests/fuzz/dib_fuzz_seeds" "$seeds"
  else
    "$build/tests/fuzz/fuzz_seeds" "$target" "$seeds"
  fi
  # New inputs go to the first folder; the seeds are only read.
  log=$build/fuzz-$target.log
  started=$SECONDS
  result=
  if ! "$build/tests/fuzz/${target}_fuzz" -max_total_time="$share" -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    result=", FAILED"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz $target: ${runs:-?} runs in $((SECONDS - started)) s$result"
done
exit $status
