#!/usr/bin/env bash
# Unpacks Debian's source package of PCRE2 into the folder given as $1
# (used by the Windows build, which links PCRE2 statically). Does nothing
# when the folder already holds the unpacked source.
set -euo pipefail
dest=$(realpath -m "$1")
[ -f "$dest/CMakeLists.txt" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# The newest source version first; when its files are not on the mirror
# (a security update can lag behind), every other listed version in turn.
versions=$(apt-cache showsrc pcre2 | sed -n 's/^Version: //p')
got=
if apt-get source -qq --download-only pcre2 >/dev/null 2>&1; then
  got=yes
else
  for v in $versions; do
    rm -f ./*
    if apt-get source -qq --download-only "pcre2=$v" >/dev/null 2>&1; then got=yes; break; fi
  done
fi
[ -n "$got" ] || { echo "could not download the source package pcre2" >&2; exit 1; }
dpkg-source -x --no-check ./pcre2_*.dsc src >/dev/null
mkdir -p "$(dirname "$dest")"
rm -rf "$dest"
mv src "$dest"
