#!/usr/bin/env bash
# Installs every Debian package the build and the tests need (with "program"
# as $1 only what building and running the program needs), and makes
# Debian's source package of PCRE2 reachable. Safe to run again: it does
# nothing when everything is already there.
set -euo pipefail

# What building and running the program needs ("program"): the Windows
# cross compilers, Wine and a display, and what configuring the Windows tree
# asks for (GoogleTest's source, sox for the melody, makensis).
program_packages=(
  cmake make python3 dpkg-dev googletest
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 fonts-wine xvfb xdotool imagemagick nsis sox
)
# What the tests, the native trees, the benchmarks and the checks add.
test_packages=(
  g++ pkg-config libpcre2-dev libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-tidy clang-format
  python3-icalendar python3-vobject procps
)
packages=("${program_packages[@]}")
[ "${1:-all}" = program ] || packages+=("${test_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# The source entries are derived from the machine's own binary entries, so
# no mirror is ever written down here.
src_list=/etc/apt/sources.list.d/quillora-src.sources
need_update=0
if [ ! -f "$src_list" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$src_list"
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
