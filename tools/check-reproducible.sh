#!/usr/bin/env bash
# tools/check-reproducible.sh: run by a release manager before publishing a
# commit's packages (as root, like tools/build.sh; CI does not run it). Clones
# the repository's HEAD twice, into temporary folders of different names,
# builds each with the README's main command, tools/build.sh (the second a
# little later, cloned and built under another umask, 002 as on Ubuntu, so
# that its files are group-writable, and time zone, without a display),
# then checks each dist/ against its SHA256SUMS and compares the two dist/
# folders byte for byte. Exit status 0 when they are identical;
# otherwise the clones are kept for a look.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
[[ -z "$(git -C "$root" status --porcelain)" ]] ||
  echo "check-reproducible: uncommitted changes are left out: checking $commit" >&2

first=$(mktemp -d "${TMPDIR:-/tmp}/raivel-release.XXXXXX")
second=$(mktemp -d "${TMPDIR:-/tmp}/raivel-reproducibility-check.XXXXXX")
clones=("$first/raivel" "$second/source")

# build CLONE LOG UMASK [ENV...]: clones the commit into CLONE and builds it
# there, both under UMASK.
build() {
  local clone=$1 log=$2 mask=$3
  shift 3
  echo "building $commit in $clone under umask $mask (log: $log)"
  (umask "$mask" && git clone --quiet --no-checkout "$root" "$clone" &&
    git -C "$clone" checkout --quiet --detach "$commit" &&
    cd "$clone" && env -u DISPLAY "$@" bash tools/build.sh) >"$log" 2>&1 || {
    echo "check-reproducible: the build in $clone failed; the end of $log:" >&2
    tail -n 20 "$log" >&2
    exit 1
  }
}
build "${clones[0]}" "$first/build.log" 022
build "${clones[1]}" "$second/build.log" 002 TZ=Asia/Tokyo

status=0
for clone in "${clones[@]}"; do
  (cd "$clone/dist" && sha256sum --quiet -c SHA256SUMS) ||
    { echo "FAILED: $clone/dist does not match its SHA256SUMS"; status=1; }
done
echo "$(basename "${clones[0]}")/dist:"
(cd "${clones[0]}/dist" && ls -l)
if diff -r "${clones[0]}/dist" "${clones[1]}/dist"; then
  echo "identical: the two builds' dist/ folders, file for file:"
  cat "${clones[0]}/dist/SHA256SUMS"
else
  echo "FAILED: the two builds differ"
  status=1
fi

if ((status == 0)); then
  rm -rf "$first" "$second"
else
  echo "kept for a look: $first $second"
fi
exit $status
