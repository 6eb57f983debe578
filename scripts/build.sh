#!/usr/bin/env bash
# Installs what is missing and builds Quillora. With "win" only the Windows
# tree (the program); with "all" also the native trees (unit tests, plain and
# with sanitizers, and the benchmarks). Build folders live under build/ and
# are reused, so a second run only rebuilds what changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
what=${1:-all}
build=${QUILLORA_BUILD_DIR:-$root/build}
jobs=$(nproc)

"$root/scripts/install-deps.sh"
"$root/scripts/fetch-pcre2.sh" "$build/_deps/pcre2"

configure() {  # folder, then cmake arguments
  local dir=$1; shift
  [ -f "$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$dir" -Wno-dev "$@" >/dev/null
}

configure "$build/win" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DQUILLORA_PCRE2_SOURCE_DIR="$build/_deps/pcre2" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh"
cmake --build "$build/win" -j"$jobs"

if [ "$what" = all ]; then
  configure "$build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build/native" -j"$jobs"
  configure "$build/asan" -DCMAKE_BUILD_TYPE=Debug -DQUILLORA_SANITIZE=ON
  cmake --build "$build/asan" -j"$jobs"
fi
