# Sourced by the build and test scripts: configures and builds the native,
# the Windows and the web trees under build/.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

build_tree() { # build_tree NAME [CMAKE ARGS...]
  local dir=$root/build/$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  ninja -C "$dir"
}

build_native() { build_tree native; }
build_windows() { build_tree windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"; }
# The page for browsers, with Emscripten; its tests compare its frames with
# the native tree's.
build_web() { emcmake cmake -S "$root" -B "$root/build/web" -G Ninja \
  -DRAIVEL_NATIVE_BUILD="$root/build/native" >/dev/null && ninja -C "$root/build/web"; }

# build_in DIR TARGET...: builds the targets in the native tree DIR,
# configuring it first when it is new.
build_in() {
  local dir=$1
  shift
  [[ -f "$dir/CMakeCache.txt" ]] || cmake -S "$root" -B "$dir" -G Ninja >/dev/null
  ninja -C "$dir" "$@"
}
