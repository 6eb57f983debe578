#!/usr/bin/env bash
# Runs a command in a Wine prefix made for the user named $1: Wine names the
# profile folder after USER when it makes a prefix. The prefix is made once,
# beside the one named by WINEPREFIX, and each run gets a fresh copy of it
# with a Wine server of its own.
# Usage: as-user.sh USER COMMAND [ARGUMENTS...]
set -euo pipefail
user=$1; shift
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix of the tests}"
here=$(cd "$(dirname "$0")" && pwd)
# The folder name holds the user's name as hex digits: plain ASCII.
template="$WINEPREFIX-user-$(printf %s "$user" | od -An -tx1 | tr -d ' \n')"
USER=$user "$here/wine-prefix.sh" "$template" unmanaged
prefix="$template-run"
# Hard links for the tree, copies of the registry files (the server rewrites
# them in place; linked, they would change the template too).
rm -rf "$prefix"
cp -al "$template" "$prefix"
for reg in "$prefix"/*.reg; do cp --remove-destination "$template/$(basename "$reg")" "$reg"; done
export WINEPREFIX=$prefix USER=$user
. "$here/wine-env.sh"
wineserver -p
status=0
"$@" || status=$?
wineserver -k 2>/dev/null || true
exit $status
