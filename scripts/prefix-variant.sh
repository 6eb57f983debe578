# Sourced by at-dpi.sh and in-colours.sh: a variant of the Wine prefix named
# by WINEPREFIX (other registry settings), and a command run there with a
# Wine server of its own, which reads those settings when it starts.

# Makes the prefix named by $1 a copy of the one in WINEPREFIX, and the one
# WINEPREFIX names from now on. Hard links for the tree, copies of the
# registry files (the server rewrites them in place; linked, they would
# change the template too).
use_prefix_copy() {
  local template=$WINEPREFIX prefix=$1 reg
  rm -rf "$prefix"
  cp -al "$template" "$prefix"
  for reg in "$prefix"/*.reg; do cp --remove-destination "$template/$(basename "$reg")" "$reg"; done
  export WINEPREFIX=$prefix
  . "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
}

# Runs the command with a Wine server started anew, then ends the server;
# exits with the command's status.
run_with_new_server() {
  local status=0
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p
  "$@" || status=$?
  wineserver -k 2>/dev/null || true
  exit $status
}
