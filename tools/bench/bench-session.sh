# shellcheck shell=bash
# Sourced by the Wine benchmarks: their scratch Wine session.

bench_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# bench_session_start BUILD_DIR NAME WIDTHxHEIGHT PROGRAM...: checks that the
# programs are there, then brings up a Wine session of its own at that screen
# size in $session, a scratch folder of BUILD_DIR that is stopped and removed
# when the script exits.
bench_session_start() {
  local build=$1 name=$2 size=$3 program
  for program in "${@:4}"; do
    if [[ ! -f "$program" ]]; then
      echo "$name: $program is missing: build $build first" >&2
      exit 1
    fi
  done
  session=$(mktemp -d "$build/$name.XXXXXX")
  trap '"$bench_root/tools/wine/wine-session.sh" stop "$session" >/dev/null 2>&1; rm -rf "$session"' EXIT
  # The build tree's prefix, when there is one, saves a wineboot.
  if [[ -d "$build/wine/prefix" ]]; then
    cp -a "$build/wine/prefix" "$session/prefix"
  fi
  "$bench_root/tools/wine/wine-session.sh" start "$session" "$size" >/dev/null
}

# bench_run PROGRAM ARGS...: runs a Windows program in the session, its output
# in $session/probe.out and $session/probe.err.
bench_run() {
  # Wine's processes must not inherit the terminal nor our output.
  RAIVEL_WINE_DIR=$session setsid "$bench_root/tools/wine/wine-run.sh" "$@" \
    </dev/null >"$session/probe.out" 2>"$session/probe.err"
}
